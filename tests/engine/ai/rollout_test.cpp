// The computer seats' turn as the core plays it: rollouts of a table to the
// round's end, and the game narrating exactly that turn.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "ai/turn.h"
#include "rules/cardmoves.h"
#include "support/fakes.h"

namespace vornak {
namespace {

using test::dealt;
using test::handText;

// Where every card is and what the round has brought each seat, as text.
std::string describe(const Table& t) {
    std::string out = "stock " + handText(t.Seats[0].Cards) + " | pile " +
                      handText(t.Seats[0].PileCards) + " | seat " + std::to_string(t.CurrentSeat) +
                      (t.TurnForward ? " >" : " <") + (t.RoundOver ? " over" : "");
    for (int s = 1; s <= 4; ++s) {
        const SeatRec& seat = t.Seats[static_cast<std::size_t>(s)];
        out += " | " + std::to_string(s) + ": " + handText(seat.Cards) + " / " +
               handText(seat.PileCards) + " K" + std::to_string(seat.K) +
               (seat.Knocked ? " knock" : "") + (seat.DarkKnocked ? " dark" : "") +
               (seat.Fooled ? " fooled" : "") + (seat.GotFool ? " got-fool" : "");
    }
    return out + " | lay-offs " + handText(t.SetLayOffCards) + " / " + handText(t.RunLayOffCards);
}

TEST(Rollout, PlaysTheRoundToItsEndWithEveryCardInOnePlace) {
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        Table t = dealt(seed);
        SeededRandom random(seed);
        const int turns = playOut(t, Level{seed % 2 == 0, seed % 2 == 1, 5}, random);
        ASSERT_TRUE(t.RoundOver) << "seed " << seed;
        EXPECT_GE(turns, 1);
        EXPECT_LE(turns, 4 * 24);  // a round ends when the stock runs out, if not before

        std::array<int, 53> seen{};
        int knockers = 0;
        for (const SeatRec& s : t.Seats) {
            for (int c : s.Cards.toVector()) ++seen[static_cast<std::size_t>(c)];
            for (int c : s.PileCards.toVector()) ++seen[static_cast<std::size_t>(c)];
            if (s.Knocked || s.DarkKnocked) ++knockers;
        }
        for (int c = 1; c <= 52; ++c) EXPECT_EQ(seen[static_cast<std::size_t>(c)], 1) << seed;
        // One knock, or else the stock ran out; only a knocker's hand is empty.
        EXPECT_LE(knockers, 1);
        EXPECT_TRUE(knockers == 1 || t.Seats[0].CardCount() == 0) << describe(t);
        for (int s = 1; s <= 4; ++s) {
            const SeatRec& seat = t.Seats[static_cast<std::size_t>(s)];
            EXPECT_EQ(seat.CardCount() == 0, seat.Knocked || seat.DarkKnocked) << describe(t);
        }
    }
}

TEST(Rollout, CopiesOfOneTablePlayAloneAndRepeatWithTheirRandomNumbers) {
    const Table original = dealt(7);
    const std::string before = describe(original);
    Table a = original, b = original, c = original;
    SeededRandom ra(3), rb(3), rc(4);
    const Level level{false, true, 5};
    playOut(a, level, ra);
    playOut(b, level, rb);
    playOut(c, level, rc);
    EXPECT_EQ(describe(original), before);  // the copies share nothing
    EXPECT_EQ(describe(a), describe(b));
    EXPECT_NE(describe(a), describe(c));  // the discards follow the random numbers

    // A table whose round is over is left alone.
    const std::string ended = describe(a);
    EXPECT_EQ(playOut(a, level, ra), 0);
    EXPECT_EQ(describe(a), ended);
}

// A rollout runs the rules' turn straight through; stepping the turn as the
// game does must leave the same table and draw the same random numbers.
TEST(Rollout, PlaysTheSteppedTurn) {
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        const Level level{seed % 2 == 0, seed % 2 == 1, 5};
        Table rolled = dealt(seed), stepped = rolled;
        SeededRandom rr(seed), rs(seed);
        playOut(rolled, level, rr);
        while (!stepped.RoundOver) {
            const int seat = StartTurn(stepped);
            for (auto steps = PlayComputerTurn(stepped, seat, level, rs); steps.next();) {
            }
            EndTurn(stepped, seat);
        }
        ASSERT_TRUE(rolled == stepped) << "seed " << seed;
        EXPECT_EQ(rr.next(), rs.next()) << "seed " << seed;
    }
}

// The game narrates, pauses and shows a computer seat's turn; the moves and
// decisions must be the core's, one for one.
TEST(Rollout, TheGameTurnIsTheCoreTurn) {
    for (bool vip : {false, true}) {
        test::TestTable table;
        Game& g = table.game;
        table.setUpGame();
        if (vip) g.StartVipMission();
        g.DealRound();
        // The game draws pause lengths and remarks between the decisions; with
        // one number for every draw both sides decide alike all the same.
        table.random.values.assign(100000, 0.37);

        int compared = 0;
        for (int turn = 0; turn < 12 && !g.table.RoundOver; ++turn) {
            Table core = g.table;
            const int seat = StartTurn(core);
            if (seat == kHuman) break;  // the game waits for the person
            test::ListRandom fixed;
            fixed.values.assign(100000, 0.37);
            for (auto steps = PlayComputerTurn(core, seat, g.level(), fixed); steps.next();) {
            }
            EndTurn(core, seat);

            g.turnTimerTick();
            g.seq.runToEnd();
            // (A round's end moves the K into the game's history.)
            if (core.RoundOver) break;
            ASSERT_EQ(describe(g.table), describe(core)) << "turn " << turn;
            ++compared;
        }
        EXPECT_EQ(compared, 3);  // seats 1, 2 and 3 before the person
    }
}

}  // namespace
}  // namespace vornak
