// The Expert's look-ahead: information-set Monte Carlo over the cards its
// seat has not seen, with the rules' players as the rollout policy.
#include "ai/expert.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ai/turn.h"
#include "core/cards.h"
#include "core/random.h"
#include "rules/cardmoves.h"
#include "rules/melds.h"
#include "rules/scoring.h"

namespace vornak {

namespace {

// The game's default stakes pay 500 baht a K and 10 baht a point: a K is
// worth 50 points of money.
constexpr double kPointsPerK = 50.0;

constexpr std::uint64_t bit(int c) {
    return std::uint64_t{1} << c;
}

std::size_t at(int seat) {
    return static_cast<std::size_t>(seat);
}

// Every card code the seat can see on the table or in its hand.
std::uint64_t visibleTo(const Table& t, int seat) {
    std::uint64_t v = cardSet(t.Seats[0].PileCards) | cardSet(t.Seats[at(seat)].Cards);
    for (int s = 1; s <= 4; ++s) v |= cardSet(t.Seats[at(s)].PileCards);
    return v;
}

// Plays every candidate on the same sampled tables (common random numbers,
// so that the candidates are compared on equal luck) and returns the index
// of the best mean; the first among equals.
template <class Apply>
std::size_t bestCandidate(const SeatView& view, std::size_t candidates, std::uint64_t seed,
                          const ExpertBudget& budget, Apply&& apply) {
    if (candidates <= 1) return 0;
    const int per = static_cast<int>(static_cast<std::size_t>(budget.rollouts) / candidates);
    const int samples = std::max(budget.minSamples, per);
    std::vector<double> total(candidates, 0.0);
    for (int i = 0; i < samples; ++i) {
        if (budget.cancel != nullptr && budget.cancel->load(std::memory_order_relaxed)) break;
        const std::uint64_t sampleSeed = seedOfSample(seed, static_cast<std::uint64_t>(i));
        SeededRandom deal(sampleSeed);
        const Table base = SampleTable(view, deal);
        for (std::size_t c = 0; c < candidates; ++c) {
            Table t = base;
            SeededRandom play(sampleSeed + 1);
            apply(c, t, play);
            total[c] += RoundValueFor(t, view.seat);
        }
    }
    return static_cast<std::size_t>(std::max_element(total.begin(), total.end()) - total.begin());
}

}  // namespace

// The round's result for `seat`: its points and K (as points of money),
// against the mean of the other three, who share what it loses.
double RoundValueFor(const Table& t, int seat) {
    return RoundValueFor(t, ScoreTable(t), seat);
}

double RoundValueFor(const Table& t, const RoundScore& score, int seat) {
    auto value = [&](int s) {
        const SeatScore& sc = score.seats[at(s)];
        return static_cast<double>(sc.points) + kPointsPerK * (t.Seats[at(s)].K + sc.k);
    };
    double others = 0;
    for (int s = 1; s <= 4; ++s)
        if (s != seat) others += value(s);
    return value(seat) - others / 3.0;
}

// The rollouts' level: every seat by the rules.
Level RulesOnly(Level level) {
    level.expertSeats = 0;
    level.masterSeats = 0;
    return level;
}

SeatView ViewOf(const Table& t, int seat) {
    SeatView v;
    v.seat = seat;
    v.seen = t;
    if (seat < 1 || seat > 4) return v;
    const std::uint64_t visible = visibleTo(t, seat);
    // The hidden cards go, their counts stay.
    for (int s = 0; s <= 4; ++s) {
        if (s == seat) continue;
        CardList& cards = v.seen.Seats[at(s)].Cards;
        const int n = cards.count;
        cards.clear();
        cards.count = n;
    }
    for (int s = 1; s <= 4; ++s)
        if (s != seat) v.holds[at(s)] = t.TakenFromPile[at(s)] & ~visible;
    v.passed = t.PassedOver;
    v.discarded = t.Discards;
    return v;
}

Table SampleTable(const SeatView& view, Random& random) {
    Table t = view.seen;
    const int seat = view.seat;
    if (seat < 1 || seat > 4) return t;
    std::uint64_t placed = visibleTo(t, seat);
    for (int s = 1; s <= 4; ++s)
        if (s != seat) placed |= view.holds[at(s)];
    std::vector<int> pool;
    for (int c = 1; c <= 52; ++c)
        if ((placed & bit(c)) == 0) pool.push_back(c);
    auto below = [&random](std::size_t n) {
        const auto k = static_cast<std::size_t>(random.next() * static_cast<double>(n));
        return k < n ? k : n - 1;
    };
    for (std::size_t i = pool.size(); i > 1; --i) std::swap(pool[i - 1], pool[below(i)]);

    std::size_t next = 0;
    for (int s = 1; s <= 4; ++s) {
        if (s == seat) continue;
        CardList& hand = t.Seats[at(s)].Cards;
        const int n = hand.count;
        hand.clear();
        for (int c = 1; c <= 52; ++c)
            if ((view.holds[at(s)] & bit(c)) != 0 && hand.count < n) hand.push(c);
        while (hand.count < n && next < pool.size()) hand.push(pool[next++]);
        for (int i = hand.count; i > 1; --i) {
            const int j = 1 + static_cast<int>(below(static_cast<std::size_t>(i)));
            std::swap(hand[i], hand[j]);
        }
    }
    CardList& stock = t.Seats[0].Cards;
    const int n = stock.count;
    stock.clear();
    while (stock.count < n && next < pool.size()) stock.push(pool[next++]);
    return t;
}

void PlayPickToRoundEnd(Table& t, int seat, const Level& rules, Random& random,
                        const PilePick& pick) {
    for (auto turn = PlayComputerTurn(t, seat, rules, random, nullptr, &pick); turn.next();) {
    }
    EndTurn(t, seat);
    playOut(t, rules, random);
}

PilePick ExpertChoosePilePick(const SeatView& view, const Level& level, std::uint64_t seed,
                              const ExpertBudget& budget) {
    const int seat = view.seat;
    PilePick draw;
    draw.seat = seat;
    if (seat < 1 || seat > 4) return draw;
    const Table& t = view.seen;
    const CardList& hand = t.Seats[at(seat)].Cards;
    const CardList& pile = t.Seats[0].PileCards;
    const int n = hand.count;
    const int p = pile.count;

    // The candidates: the draw, and for each pile position (the top first)
    // the first meld of its card with two hand cards or with a hand card and
    // a pile card above it, when a card is left to discard.
    constexpr int kMaxTakes = 6;
    std::vector<PilePick> candidates{draw};
    for (int k = p; k >= 1 && static_cast<int>(candidates.size()) <= kMaxTakes; --k) {
        if (n + (p - k + 1) - 3 < 1) continue;
        if (seat == kHuman && !CanPickFromPile(t, k)) continue;
        const int chosen = pile[k];
        PilePick take;
        take.seat = seat;
        auto offer = [&](int a, int b) {
            if (take.take || !IsMeld(t, seat, chosen, a, b)) return;
            take.take = take.found = true;
            take.index = k;
            take.meld = Meld{0, chosen, a, b};
        };
        for (int i = 1; i < n; ++i)
            for (int j = i + 1; j <= n; ++j) offer(hand[i], hand[j]);
        for (int j = k + 1; j <= p; ++j)
            for (int i = 1; i <= n; ++i) offer(pile[j], hand[i]);
        if (take.take) candidates.push_back(take);
    }
    if (candidates.size() == 1 || t.Seats[0].CardCount() == 0) return draw;

    const Level rules = RulesOnly(level);
    const std::size_t best = bestCandidate(view, candidates.size(), seed, budget,
                                           [&](std::size_t c, Table& s, Random& r) {
                                               PlayPickToRoundEnd(s, seat, rules, r, candidates[c]);
                                           });
    return candidates[best];
}

DiscardChoice ExpertChooseDiscard(const SeatView& view, const Level& level, std::uint64_t seed,
                                  const ExpertBudget& budget) {
    DiscardChoice d;
    const int seat = view.seat;
    if (seat < 1 || seat > 4) return d;
    const CardList& hand = view.seen.Seats[at(seat)].Cards;
    std::vector<int> positions;
    std::uint64_t seen = 0;
    for (int i = 1; i <= hand.count; ++i)
        if (isValidCard(hand[i]) && (seen & bit(hand[i])) == 0) {
            seen |= bit(hand[i]);
            positions.push_back(i);
        }
    if (positions.empty()) return d;

    const Level rules = RulesOnly(level);
    const std::size_t best = bestCandidate(view, positions.size(), seed, budget,
                                           [&](std::size_t c, Table& s, Random& r) {
                                               s.SelectedCard = positions[c];
                                               EndTurn(s, seat);
                                               playOut(s, rules, r);
                                           });
    d.pos = positions[best];
    return d;
}

ExpertHint ExpertHintFor(const Table& t, const Level& level, bool beforeDraw, std::uint64_t seed,
                         const ExpertBudget& budget) {
    ExpertHint h;
    const SeatView view = ViewOf(t, kHuman);
    const SeatRec& me = view.seen.Seats[kHuman];
    if (t.RoundOver || me.CardCount() == 0) return h;
    if (beforeDraw) {
        const PilePick pick = ExpertChoosePilePick(view, level, seed, budget);
        if (pick.take) {
            h.kind = ExpertHint::Kind::TakePile;
            h.position = pick.index;
            h.card = view.seen.Seats[0].PileCards[pick.index];
            h.meld = pick.meld;
            SortSelection(h.meld);
        } else {
            h.kind = ExpertHint::Kind::Draw;
        }
        return h;
    }
    // A card just taken from the pile goes down first, in a meld the game
    // accepts.
    const Table& seen = view.seen;
    const CardList& hand = me.Cards;
    if (seen.PickFromPile && isValidCard(seen.PickedCard)) {
        for (int i = 1; i < hand.count; ++i)
            for (int j = i + 1; j <= hand.count; ++j)
                if (hand[i] != seen.PickedCard && hand[j] != seen.PickedCard &&
                    CheckLaidMeld(seen, seen.PickedCard, hand[i], hand[j])) {
                    h.kind = ExpertHint::Kind::LayDown;
                    h.meld = Meld{0, seen.PickedCard, hand[i], hand[j]};
                    SortSelection(h.meld);
                    return h;
                }
    }
    // The other melds are the rules' choice: the first their search finds.
    const MeldFound meld = FindMeldInHand(seen, kHuman);
    if (meld.found && CheckLaidMeld(seen, meld.meld[1], meld.meld[2], meld.meld[3])) {
        h.kind = ExpertHint::Kind::LayDown;
        h.meld = meld.meld;
        SortSelection(h.meld);
        return h;
    }
    const DiscardChoice d = ExpertChooseDiscard(view, level, seed, budget);
    h.kind = ExpertHint::Kind::Discard;
    h.position = d.pos;
    h.card = me.Cards[d.pos];
    return h;
}

}  // namespace vornak
