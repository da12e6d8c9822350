// The Expert's and the Master's thinking as the game meets it: an Expert or
// Master seat's decisions in a computer turn, and the hint for the person
// (Play > Hint), which is the Master's. Both think on
// the thinker the program gives (a worker thread), on copies of what the
// seat has seen; the game goes on when the thought comes back, unless a new
// game or a move has made it pointless in the meantime.
#include <atomic>
#include <memory>
#include <vector>

#include "ai/expert.h"
#include "ai/master.h"
#include "ai/turn.h"
#include "game/game.h"
#include "core/i18n.h"

namespace vornak {

// ---- An Expert seat's decision in a computer turn ----

namespace {

// A Master seat keeps the table waiting no longer than this, however busy
// the machine (the rollouts budget decides first on an ordinary one).
constexpr double kMasterSeatLimitMs = 250;

struct Consultation {
    std::atomic<bool> cancelled{false};
    ExpertRequest request;
};

}  // namespace

bool Game::Consult::await_ready() {
    // A Master seat plays for the game: it weighs its moves by the totals.
    if (request.forMaster()) request.view.standing = StandingOf(game.match);
    if (game.thinker) return false;
    request.answer();
    return true;
}

void Game::Consult::await_suspend(std::coroutine_handle<> h) {
    auto job = std::make_shared<Consultation>();
    job->request = request;
    // A cancelled sequence no longer owns the request it asked with.
    game.seq.hold(h, [job] { job->cancelled = true; });
    Game* g = &game;
    ExpertRequest* asked = &request;
    game.thinker->think(
        [job] {
            if (job->request.forMaster()) {
                MasterBudget budget;
                budget.timeLimitMs = kMasterSeatLimitMs;
                budget.cancel = &job->cancelled;
                job->request.answer(budget);
            } else {
                ExpertBudget budget;
                budget.cancel = &job->cancelled;
                job->request.answer(budget);
            }
        },
        [g, job, asked] {
            if (job->cancelled) return;
            *asked = job->request;
            g->seq.release();
        });
}

// ---- The hint ----

namespace {

// What the person's hint was for: the cards where the person sees them and
// the point of the turn. When any of it changes the hint is stale.
struct HintKey {
    std::vector<int> hand, pile, laid;
    int stock = 0;
    bool drawPhase = false, playMenuOn = false, roundOver = false;
    int seat = 0;
    bool operator==(const HintKey&) const = default;
};

HintKey keyOf(const Game& g) {
    HintKey k;
    const Table& t = g.table;
    k.hand = t.Seats[kHuman].Cards.toVector();
    k.pile = t.Seats[0].PileCards.toVector();
    k.laid = t.Seats[kHuman].PileCards.toVector();
    k.stock = t.Seats[0].CardCount();
    k.drawPhase = g.person.DrawPhase;
    k.playMenuOn = g.person.PlayMenuOn;
    k.roundOver = t.RoundOver;
    k.seat = t.CurrentSeat;
    return k;
}

// The samples of a hint depend on the position only, so asking twice gives
// the same hint, and the game's own random numbers are left alone.
std::uint64_t seedOf(const HintKey& k) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    auto mix = [&h](int v) {
        h ^= static_cast<std::uint64_t>(static_cast<unsigned>(v));
        h *= 0x100000001b3ull;
    };
    for (int c : k.hand) mix(c);
    mix(-1);
    for (int c : k.pile) mix(c);
    mix(-2);
    for (int c : k.laid) mix(c);
    mix(k.stock);
    mix(k.drawPhase ? 1 : 0);
    return h;
}

}  // namespace

struct Game::HintWork {
    std::atomic<bool> cancelled{false};
    HintKey key;
    Table table;
    Level level;
    bool beforeDraw = false;
    Standing standing;  // the totals, which the Master plays for
    ExpertHint result;
    bool done = false;
};

bool Game::hintAvailable() const {
    return table.CurrentSeat == kHuman && !table.RoundOver && !seq.running() &&
           (person.DrawPhase || person.PlayMenuOn) && table.Seats[kHuman].CardCount() > 0;
}

void Game::HintItem_Click() {
    if (!hintAvailable()) return;
    if (hintWork && !hintWork->done && hintWork->key == keyOf(*this)) return;  // still thinking
    clearHint();
    auto work = std::make_shared<HintWork>();
    work->key = keyOf(*this);
    work->table = table;
    work->level = level();
    work->beforeDraw = person.DrawPhase;
    work->standing = StandingOf(match);
    hintWork = work;
    showTopPanel(true);
    hint(_(" คำแนะนำ : กำลังคิด ..."));

    // The hint is the Master's, whoever the opponents are; with no time
    // limit, so that asking again gives the same hint.
    auto think = [work] {
        MasterBudget budget;
        budget.cancel = &work->cancelled;
        work->result = MasterHintFor(work->table, work->level, work->beforeDraw, seedOf(work->key),
                                     budget, work->standing);
    };
    auto done = [this, work] {
        if (work->cancelled || hintWork != work) return;
        work->done = true;
        if (work->key == keyOf(*this)) showHint(work->result);
    };
    if (thinker) {
        thinker->think(think, done);
    } else {
        think();
        done();
    }
}

void Game::showHint(const ExpertHint& h) {
    const CardList& hand = table.Seats[kHuman].Cards;
    auto mark = [this](int c) {
        if (isValidCard(c)) scene.cardFace[c].hinted = true;
    };
    showTopPanel(true);
    switch (h.kind) {
        case ExpertHint::Kind::None:
            hint(_(" คำแนะนำ : ไม่มี"));
            break;
        case ExpertHint::Kind::Draw: {
            const int top = table.Seats[0].Cards.top();
            if (isValidCard(top)) scene.cardBack[top].hinted = true;
            hint(_(" คำแนะนำ : จั่วไพ่จากกอง"));
            break;
        }
        case ExpertHint::Kind::TakePile: {
            for (int i = 1; i <= 3; ++i) mark(h.meld[static_cast<std::size_t>(i)]);
            mark(h.card);
            // The pile lies in the order it was laid, left to right.
            hint(format(_(" คำแนะนำ : เล่นไพ่ในวงใบที่ %1 (%2) ลงชุด"),
                        {std::to_string(h.position), cardName(h.card)}));
            break;
        }
        case ExpertHint::Kind::LayDown:
            for (int i = 1; i <= 3; ++i) mark(h.meld[static_cast<std::size_t>(i)]);
            hint(_(" คำแนะนำ : หงายไพ่ชุดที่มีเครื่องหมาย"));
            break;
        case ExpertHint::Kind::LayOff:
            mark(h.card);
            hint(format(_(" คำแนะนำ : ฝากไพ่ %1"), {cardName(h.card)}));
            break;
        case ExpertHint::Kind::Discard:
            mark(h.card);
            hint(format(
                hand.count == 1 ? _(" คำแนะนำ : คว่ำไพ่ใบสุดท้าย (%1)") : _(" คำแนะนำ : ทิ้งไพ่ %1"),
                {cardName(h.card)}));
            break;
    }
}

void Game::clearHint() {
    if (hintWork) hintWork->cancelled = true;
    hintWork.reset();
    for (int c = 1; c <= 52; ++c) scene.cardFace[c].hinted = scene.cardBack[c].hinted = false;
}

void Game::refreshHint() {
    scene.menus.HintItem.enabled = hintAvailable();
    if (hintWork && !(hintWork->key == keyOf(*this))) clearHint();
}

}  // namespace vornak
