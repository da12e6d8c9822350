// The turn driver: the turn timer hands the table to the next seat, plays a
// computer seat's whole turn as one timed sequence, or prepares the table
// for the person's mouse play. The computer seat's turn itself is the
// core's (ai/turn.h); here it is narrated, paused and shown.
#include <cmath>

#include "ai/turn.h"
#include "game/game.h"
#include "rules/cardmoves.h"
#include "core/i18n.h"

namespace vornak {

namespace {

// Pause lengths and remark variants are whole numbers rounded to the
// nearest (ties to even, as the integer conversion of the original rules).
int roundedDraw(Game& g, double scale, const char* use) {
    return static_cast<int>(std::nearbyint(g.Rnd(use) * scale));
}

// The base of the computer seats' pauses, in milliseconds.
constexpr long kThinkDelayBase = 1000;

int shortPause(Game& g) {
    return roundedDraw(g, static_cast<double>(kThinkDelayBase - 300), "short pause");
}
int longPause(Game& g) {
    return roundedDraw(g, static_cast<double>(kThinkDelayBase - 100), "long pause");
}
// 0..5; the end values are half as likely as the others.
int remarkVariant(Game& g) {
    const int j = roundedDraw(g, 5.0, "remark");
    return j < 0 ? 0 : (j > 5 ? 5 : j);
}

// Marks a computer turn as under way for as long as its sequence lives,
// also when a new game cancels it halfway.
class PlayingMark {
public:
    explicit PlayingMark(bool& flag) : flag_(flag) { flag_ = true; }
    ~PlayingMark() { flag_ = false; }
    PlayingMark(const PlayingMark&) = delete;
    PlayingMark& operator=(const PlayingMark&) = delete;

private:
    bool& flag_;
};

}  // namespace

void Game::FillRemarks() {
    Remarks[0][0] = N_(" ( จะจั่วไพ่หรือว่าเล่นในกองดีหว่า ) ");
    Remarks[0][1] = N_(" ( จะเล่นรอบนี้เลย   หรือว่ารอเอาโง่ดี... เอาไงดี ) ");
    Remarks[0][2] = N_("( เอาไงดีว่ะ จั่วมาหลายรอบแล้ว ไม่เข้าสักที  เล่นซะทีดีกว่ามั้ง )");
    Remarks[0][3] = N_("( ลองจั่วดูอีกสักทีเถอะว่ะ หรือว่าเล่นดี ..ไม่แน่ใจ )");
    Remarks[0][4] = N_(" ( ถ้าตานี้ยังจั่วไม่เข้า ตายแน่เลย ) ");
    Remarks[0][5] = N_(" ( ถ้าตานี้จั่วเข้า ก็รอโง่ได้เลย )");
    Remarks[1][0] = N_(" ( เล่นไพ่ชุดไหนดีหว่า  ไพ่เต็มมือเลย  ตาลายไปหนด ) ");
    Remarks[1][1] = N_(" ( น็อคไปเลยดีไหม หรือว่ารอเอาโง่ตาหน้า ) ");
    Remarks[1][2] = N_("( แหมเสียดายจัง  ผิดไปดอกเดียวเอง )");
    Remarks[1][3] = N_("(อิ อิ....ทิ้งแบบนี้ก็เสร็จพี่สิน้อง )");
    Remarks[1][4] = N_(" ( จะเกิดไพ่เรียง หรือ ไพ่ตองดี คิดไม่ตกเลย ) ");
    Remarks[1][5] = N_(" ( แหมเสียดายจังเลย ถ้ามีดัมมี่ด้วยสวยเลย )");
    for (auto& text : Remarks[2]) text.clear();
}

void Game::turnTimerTick() {
    // One turn at a time; a stray tick after the round ended plays nothing.
    if (seq.running() || table.RoundOver) return;

    const int seat = StartTurn(table);
    if (seat == kHuman) {
        StartHumanTurn();
        return;
    }
    seq.start(ComputerTurn(seat));
}

void Game::StartHumanTurn() {
    scene.turnTimer.enabled = false;
    scene.blinkTimer.enabled = true;

    const SeatRec& stock = table.Seats[0];
    const int top = stock.Cards.top();
    if (isValidCard(top)) {
        scene.cardBack[top].enabled = true;
        scene.toFront(scene.cardBack[top]);
    }
    for (int i = 1; i <= stock.PileCount(); ++i) {
        const int c = stock.PileCards[i];
        if (isValidCard(c)) scene.cardFace[c].enabled = true;
    }

    person.DrawPhase = true;
    person.PilePickMode = true;
    table.PickFromPile = false;
    person.LayDownMode = false;
    person.ArrangeMode = false;
    person.DiscardMode = false;
    person.PlayMenuOn = false;
    person.ArrangeFirstChosen = false;
    person.ArrangeFirstPos = 0;
    table.SelectedCard = 0;
    person.SelectionCount = 0;
    table.PickedCard = 0;
    table.PileCountAtTurnStart = stock.PileCount();
    scene.menus.mnuPlayShowCard.enabled = table.Seats[kHuman].HasLaidDown;
    // Arranging and discarding act only once the person has drawn or picked.
    scene.menus.mnuPlayArrangeCard.enabled = false;
    scene.menus.mnuPlayDrawnCard.enabled = false;
    hint(_(" ดับเบิ้ลคลิ๊กไพ่ในกอง เพื่อจั่วไพ่จากกอง  หรือดับเบิ้ลคลิ๊กไพ่ในวง เพื่อเล่นไพ่จากในวง"));
    saveProgress(SavePoint::PersonToPlay);
}

Task Game::ComputerTurn(int seat) {
    if (seat < 1 || seat > 3) co_return;
    const PlayingMark playing(ComputerPlaying);
    const SeatRec& me = table.Seats[seat];
    const Level rules = level();

    showTopPanel(true);
    scene.turnTimer.enabled = false;
    scene.blinkTimer.enabled = false;

    int d = 0;  // the long pause, kept for the rest of the turn
    for (auto turn = PlayComputerTurn(table, seat, rules, random, watcher()); turn.next();) {
        const TurnEvent e = turn.event();
        switch (e.step) {
            case TurnStep::Thinking: {
                const int pause = shortPause(*this);
                const int j = remarkVariant(*this);
                say(seat, _("กำลังคิด ??? ") + std::string(_(Remarks[0][j].c_str())));
                co_await seq.pause(pause);
                break;
            }
            case TurnStep::TookPile: {
                // The taken cards are at the end of the hand now.
                const int taken = table.PileCountAtTurnStart - table.PickIndex + 1;
                for (int i = me.CardCount() - taken + 1; i <= me.CardCount(); ++i)
                    if (isValidCard(me.Cards[i])) scene.cardFace[me.Cards[i]].visible = false;
                say(seat, _(" เล่นไพ่ในวง"));
                d = longPause(*this);
                const int j = remarkVariant(*this);
                say(seat, _("เลือกเล่นไพ่จากในวง   ") + std::string(_(Remarks[1][j].c_str())));
                co_await seq.pause(d);
                LayoutTable();
                LayoutSeatHand(seat);
                break;
            }
            case TurnStep::WillDraw:
                say(seat, _(" เลือกจั่วไพ่ "));
                d = longPause(*this);
                break;
            case TurnStep::Drew:
                say(seat, _(" จั่วไพ่"));
                if (isValidCard(e.card)) scene.cardBack[e.card].visible = false;
                LayoutTable();
                LayoutSeatHand(seat);
                co_await seq.pause(d);
                say(seat, _(" กำลังคิด  ??? (จะเข้าชุดไหนดีล่ะ เล่นได้ทั้งตองทั้งเรียงอย่างงี้) "));
                co_await seq.pause(d);
                break;
            case TurnStep::LayingDown:
                person.LayDownDone = false;
                co_await AnimateLayDown(e.penalised);
                break;
            case TurnStep::LaidDown:
                showMeld(seat);
                break;
            case TurnStep::LaidOff:
                showLayOff(seat, e.card);
                break;
            case TurnStep::DarkKnock:
                say(seat, _(" น็อคมืด "));
                break;
            case TurnStep::Consulting:
                co_await consult(*e.request);
                break;
            case TurnStep::Discarding: {
                say(seat, _("กำลัง  เลือกไพ่ในมือที่จะทิ้ง "));
                const int c = me.Cards[table.SelectedCard];
                if (isValidCard(c)) {
                    CardPicture& back = scene.cardBack[c];
                    if (seat == 1) back.left += 150;
                    if (seat == 2) back.top += 150;
                    if (seat == 3) back.left -= 150;
                }
                co_await seq.pause(d);
                break;
            }
        }
    }

    if (me.CardCount() == 1 && !me.DarkKnocked) {
        say(seat, _(" น็อค "));
    } else {
        say(seat, _(" ทิ้งไพ่เข้าวง "));
        co_await seq.pause(d);
    }

    co_await EndTurn(seat);
    showTopPanel(false);
    saveProgress(table.RoundOver ? SavePoint::RoundBoard : SavePoint::BetweenTurns);
}

}  // namespace vornak
