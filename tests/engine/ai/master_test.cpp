// The Master: its turn plans, the deals it imagines and how it weighs them,
// its turns on the table, and that none of its decisions depends on a card
// it has not seen.
#include "ai/master.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <vector>

#include "ai/turn.h"
#include "core/cards.h"
#include "rules/cardmoves.h"
#include "rules/melds.h"
#include "rules/scoring.h"
#include "support/fakes.h"

namespace vornak {
namespace {

using test::cards;
using test::dealt;
using test::permuteUnseen;

// Enough to tell moves apart, quick in a test; no time limit, so that a
// busy machine cannot change a decision.
MasterBudget quick(bool inference = true) {
    MasterBudget b;
    b.rollouts = 240;
    b.firstSamples = 2;
    b.timeLimitMs = 0;
    b.inference = inference;
    return b;
}

std::size_t at(int seat) {
    return static_cast<std::size_t>(seat);
}

// A table in the middle of a round: `turns` whole turns played by the
// rules, then the next seat's turn started. False when the round ended.
bool midRound(std::uint64_t seed, int turns, const Level& level, Table& t, int& seat) {
    t = dealt(seed);
    SeededRandom random(seed * 31 + 7);
    for (int n = 0; n < turns; ++n) {
        const int s = StartTurn(t);
        for (auto turn = PlayComputerTurn(t, s, level, random); turn.next();) {
        }
        EndTurn(t, s);
        if (t.RoundOver) return false;
    }
    seat = StartTurn(t);
    return true;
}

bool samePick(const PilePick& a, const PilePick& b) {
    return a.take == b.take && a.index == b.index && a.meld == b.meld;
}

// Where every card is: each code in exactly one hand, laid list, pile or stock.
bool everyCardOnce(const Table& t) {
    std::array<int, 53> seen{};
    for (const SeatRec& s : t.Seats)
        for (const CardList* l : {&s.Cards, &s.PileCards})
            for (int i = 1; i <= l->count; ++i) ++seen[static_cast<std::size_t>((*l)[i])];
    return std::all_of(seen.begin() + 1, seen.end(), [](int n) { return n == 1; });
}

// The heart of it: every decision the Master makes (the pick, the turn
// plan, with inference and without, and the hint) comes from what its seat
// has seen. However the unseen cards lie, the same seed decides the same.
TEST(Master, DoesNotPeekAtUnseenCards) {
    int picks = 0, plans = 0, hints = 0, changed = 0;
    for (std::uint64_t seed = 1; seed <= 16; ++seed) {
        const Level level{seed % 3 == 0, seed % 3 != 0, 5};
        Table t;
        int seat = 0;
        if (!midRound(seed, static_cast<int>(3 + seed % 11), level, t, seat)) continue;
        const bool inference = seed % 2 == 0;
        // Some decisions play for the game, from a standing near its end.
        const Standing standing =
            seed % 4 == 1 ? Standing{{0, 310, 120, 460, -40}, 500} : Standing{};
        auto view = [&](const Table& x) {
            SeatView v = ViewOf(x, seat);
            v.standing = standing;
            return v;
        };
        const Table other = permuteUnseen(t, seat, seed * 100);
        if (!(other.Seats[0].Cards.toVector() == t.Seats[0].Cards.toVector())) ++changed;

        const PilePick a = MasterChoosePilePick(view(t), level, seed, quick(inference));
        const PilePick b = MasterChoosePilePick(view(other), level, seed, quick(inference));
        EXPECT_TRUE(samePick(a, b)) << seed;
        ++picks;

        // The plan after the draw (the drawn card is seen, so the shuffle
        // comes after it).
        Table drawn = t;
        SeededRandom random(seed);
        DrawCard(drawn, seat, level, random);
        const Table drawnOther = permuteUnseen(drawn, seat, seed * 100 + 1);
        const MasterPlan pa = MasterChoosePlan(view(drawn), level, seed, quick(inference));
        const MasterPlan pb = MasterChoosePlan(view(drawnOther), level, seed, quick(inference));
        EXPECT_EQ(pa, pb) << seed;
        ++plans;

        if (seat == kHuman) {
            for (bool beforeDraw : {true, false}) {
                const Table& x = beforeDraw ? t : drawn;
                const Table& y = beforeDraw ? other : drawnOther;
                const ExpertHint ha = MasterHintFor(x, level, beforeDraw, seed, quick(), standing);
                const ExpertHint hb = MasterHintFor(y, level, beforeDraw, seed, quick(), standing);
                EXPECT_EQ(ha.kind, hb.kind);
                EXPECT_EQ(ha.position, hb.position);
                EXPECT_EQ(ha.card, hb.card);
                EXPECT_EQ(ha.meld, hb.meld);
                ++hints;
            }
        }
    }
    EXPECT_GE(picks, 10);
    EXPECT_GE(plans, 10);
    EXPECT_GE(hints, 2);
    EXPECT_GE(changed, picks / 2);
}

// With the game's standing the Master plays for the game: a round that
// ends it is worth all or nothing (the highest total wins, ties to the
// lower seat; the person at minus the target ends it too), one that does
// not is worth more the nearer it brings the seat to the lead. Without a
// standing the round's result is all.
TEST(Master, PlaysForTheGameWhenItKnowsTheStanding) {
    Table t = dealt(3);
    SeededRandom random(5);
    playOut(t, Level{false, true, 5}, random);
    ASSERT_TRUE(t.RoundOver);
    const RoundScore score = ScoreTable(t);
    SeatView v;
    v.seat = 2;
    EXPECT_EQ(MasterValueFor(t, v), RoundValueFor(t, 2));

    // Totals before the round that make these totals after it.
    auto after = [&](std::array<long, 5> totals) {
        for (int s = 1; s <= 4; ++s) totals[at(s)] -= score.seats[at(s)].points;
        v.standing = Standing{totals, 500};
        return MasterValueFor(t, v);
    };
    EXPECT_NEAR(after({0, 100, 520, 300, 200}), 1.0, 0.05);
    EXPECT_NEAR(after({0, 520, 520, 300, 200}), 0.0, 0.05);
    EXPECT_NEAR(after({0, 100, 300, 200, -500}), 1.0, 0.05);
    const double level = after({0, 200, 200, 200, 200});
    const double ahead = after({0, 200, 300, 200, 200});
    const double behind = after({0, 200, 100, 200, 200});
    EXPECT_NEAR(level, 0.25, 0.05);
    EXPECT_GT(ahead, level + 0.1);
    EXPECT_LT(ahead, 0.9);
    EXPECT_LT(behind, level - 0.05);
}

// The plans: every one leaves a card to discard, lays only melds the seat
// may lay and only cards that fit the table, and the set holds the plan
// that holds everything back as well as the one that knocks.
TEST(Master, WeighsHoldingBackAsWellAsTheKnock) {
    Table t;
    t.Seats[0].Cards = cards("2D 3D 4D 5D 6D");
    t.Seats[0].PileCards = cards("9H");
    // Two melds, a card that lays off onto the run and a last card.
    t.Seats[2].Cards = cards("3H 4H 5H 9C 9D 9S 6H KC");
    SeatView v = ViewOf(t, 2);
    const std::vector<MasterPlan> plans = MasterPlans(v);
    bool holdsAll = false, knocks = false;
    for (const MasterPlan& p : plans) {
        Table x = t;
        ApplyMasterPlan(x, 2, p);
        ASSERT_GE(x.Seats[2].CardCount(), 1);
        EXPECT_TRUE(x.Seats[2].Cards.contains(p.discard));
        EXPECT_EQ(x.Seats[2].CardCount() + x.Seats[2].PileCount(), 8);
        holdsAll |= p.meldCount == 0 && p.layOffCount == 0;
        knocks |= x.Seats[2].CardCount() == 1;
    }
    EXPECT_TRUE(holdsAll);
    EXPECT_TRUE(knocks);

    // With everything to win, the search takes the dark knock: the seat
    // has not taken from the pile this round, so it is still closed.
    const MasterPlan best = MasterChoosePlan(v, Level{false, true, 5}, 7, quick());
    Table x = t;
    ApplyMasterPlan(x, 2, best);
    EndTurn(x, 2);
    EXPECT_TRUE(x.RoundOver);
    EXPECT_TRUE(x.Seats[2].DarkKnocked);
    EXPECT_EQ(x.Seats[2].CardCount(), 0);
}

TEST(Master, TakesOnlyLegalPicksAndSeesEveryMeldOfAPileCard) {
    Table t;
    t.Seats[0].Cards = cards("2D 3D 4D 5D 6D 7D 8D");
    t.Seats[0].PileCards = cards("KS 7C 7H");
    // 7H (the top) melds with 7S 7D and with 6H 8H; 7C with 7S 7D, and with
    // 7H above it and 7S or 7D; KS with KH KD.
    t.Seats[3].Cards = cards("7S 7D 6H 8H KH KD 2S");
    int takes = 0;
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        const PilePick pick =
            MasterChoosePilePick(ViewOf(t, 3), Level{false, true, 5}, seed, quick());
        if (!pick.take) continue;
        ++takes;
        const CardList& pile = t.Seats[0].PileCards;
        EXPECT_EQ(pick.meld[1], pile[pick.index]);
        EXPECT_TRUE(IsMeld(t, 3, pick.meld[1], pick.meld[2], pick.meld[3]));
    }
    EXPECT_GE(takes, 1);

    MasterStats stats;
    MasterChoosePilePick(ViewOf(t, 3), Level{false, true, 5}, 1, quick(), &stats);
    EXPECT_EQ(stats.candidates, 1 + 2 + 3 + 1);
    EXPECT_LE(stats.rollouts, 240 + 7 * 2);
}

// Whole rounds with Master seats: every turn played through the turn's
// steps, the requests answered by a quick search, every card always in one
// place, and the round comes to its end.
TEST(Master, PlaysWholeRoundsThroughTheTurnSteps) {
    for (std::uint64_t seed = 1; seed <= 2; ++seed) {
        Table t = dealt(seed);
        Level level{false, true, 5};
        level.masterSeats = seed == 1 ? 0x1Eu : 1u << (1 + seed % 4);
        level.expertSeats = 0x1Eu;  // the Master comes first
        SeededRandom random(seed);
        int masterAsked = 0, turns = 0;
        while (!t.RoundOver && turns < 200) {
            const int seat = StartTurn(t);
            for (auto turn = PlayComputerTurn(t, seat, level, random); turn.next();) {
                const TurnEvent& e = turn.event();
                if (e.step != TurnStep::Consulting) continue;
                if ((level.masterSeats >> seat & 1u) != 0) {
                    ASSERT_TRUE(e.request->forMaster());
                    ++masterAsked;
                }
                EXPECT_EQ(e.request->view.seat, seat);
                e.request->answer(quick());
                ASSERT_TRUE(everyCardOnce(t));
            }
            ASSERT_GE(t.Seats[at(seat)].CardCount(), 1);
            EndTurn(t, seat);
            ASSERT_TRUE(everyCardOnce(t)) << seed << " turn " << turns;
            ++turns;
        }
        EXPECT_TRUE(t.RoundOver);
        EXPECT_GE(masterAsked, 4);
    }
}

// What the table saw each seat pass over and discard, and the deals the
// Master imagines from it: a seat that passed over a pile card is dealt two
// cards that meld with it less often with inference than without.
TEST(Master, WeighsTheDealsByWhatTheSeatsDid) {
    Table t = dealt(11);
    SeededRandom random(3);
    const int seat = StartTurn(t);
    const int pileCard = t.Seats[0].PileCards.top();
    DrawCard(t, seat, Level{}, random);
    EXPECT_EQ(t.PassedOver[at(seat)], std::uint64_t{1} << pileCard);
    t.SelectedCard = 1;
    const int discard = t.Seats[at(seat)].Cards[1];
    EndTurn(t, seat);
    EXPECT_EQ(t.Discards[at(seat)], std::uint64_t{1} << discard);

    const int viewer = seat == 4 ? 1 : 4;
    const SeatView v = ViewOf(t, viewer);
    EXPECT_EQ(v.passed[at(seat)], t.PassedOver[at(seat)]);
    int plain = 0, weighed = 0;
    for (std::uint64_t i = 1; i <= 400; ++i) {
        SeededRandom a(i), b(i);
        const Table x = MasterSample(v, a, false);
        const Table y = MasterSample(v, b, true);
        ASSERT_TRUE(everyCardOnce(y));
        ASSERT_EQ(y.Seats[at(viewer)].Cards.toVector(), t.Seats[at(viewer)].Cards.toVector());
        plain += meldsWithTwoOf(x, seat, pileCard, cardSet(x.Seats[at(seat)].Cards));
        weighed += meldsWithTwoOf(y, seat, pileCard, cardSet(y.Seats[at(seat)].Cards));
    }
    EXPECT_GT(plain, 0);
    EXPECT_LT(weighed * 2, plain);

    std::array<int, 53> deck{};
    for (int c = 1; c <= 52; ++c) deck[static_cast<std::size_t>(c)] = c;
    DealCards(t, deck, 1);
    for (int s = 1; s <= 4; ++s) EXPECT_EQ(t.PassedOver[at(s)] | t.Discards[at(s)], 0u);
}

TEST(Master, ACancelledSearchReturnsAtOnceAndTheTimeLimitHolds) {
    const Level level{false, true, 5};
    Table t;
    int seat = 0;
    ASSERT_TRUE(midRound(3, 9, level, t, seat));
    std::atomic<bool> cancel{true};
    MasterBudget budget;
    budget.rollouts = 1000000000;  // would take hours
    budget.cancel = &cancel;
    MasterStats stats;
    MasterChoosePilePick(ViewOf(t, seat), level, 1, budget, &stats);
    EXPECT_EQ(stats.rollouts, 0);

    budget.cancel = nullptr;
    budget.timeLimitMs = 1;
    SeededRandom random(1);
    DrawCard(t, seat, level, random);
    const MasterPlan plan = MasterChoosePlan(ViewOf(t, seat), level, 1, budget, &stats);
    EXPECT_TRUE(stats.timedOut || stats.candidates <= 1);
    EXPECT_TRUE(t.Seats[at(seat)].Cards.contains(plan.discard));
}

}  // namespace
}  // namespace vornak
