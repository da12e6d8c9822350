#include <gtest/gtest.h>

#include "support/fakes.h"

namespace vornak {
namespace {

using test::TestTable;

// Cards 1..n as a hand.
void fill(CardList& list, int n, int first = 1) {
    list.clear();
    for (int i = 0; i < n; ++i) list.push(first + i);
}

TEST(Layout, HandSpacingBySeatAndCount) {
    TestTable t;
    Game& g = t.game;
    fill(g.table.Seats[4].Cards, 13);
    g.LayoutSeatHand(4);
    EXPECT_EQ(g.scene.cardFace[1].left, 3350);
    EXPECT_EQ(g.scene.cardFace[2].left, 3700);
    fill(g.table.Seats[4].Cards, 17);
    g.LayoutSeatHand(4);
    EXPECT_EQ(g.scene.cardFace[2].left - g.scene.cardFace[1].left, 200);

    // A computer seat that has just discarded is squeezed to 150.
    fill(g.table.Seats[2].Cards, 7, 20);
    g.table.Seats[2].Discarded = true;
    g.LayoutSeatHand(2);
    EXPECT_EQ(g.scene.cardBack[21].left - g.scene.cardBack[20].left, 150);
    g.table.Seats[2].Discarded = false;
    g.LayoutSeatHand(2);
    EXPECT_EQ(g.scene.cardBack[21].left - g.scene.cardBack[20].left, 450);
    EXPECT_EQ(g.scene.cardBack[20].top, 150);

    // The side hands start at 3500 and are not centred.
    fill(g.table.Seats[3].Cards, 13, 30);
    g.LayoutSeatHand(3);
    EXPECT_EQ(g.scene.cardBack[30].top, 3500);
    EXPECT_EQ(g.scene.cardBack[31].top, 3650);
    EXPECT_EQ(g.scene.cardBack[30].left, 10880);
    fill(g.table.Seats[1].Cards, 7, 40);
    g.LayoutSeatHand(1);
    EXPECT_EQ(g.scene.cardBack[41].top, 3750);
    EXPECT_EQ(g.scene.cardBack[40].left, 200);
}

TEST(Layout, StockFanAndPileRows) {
    TestTable t;
    Game& g = t.game;
    fill(g.table.Seats[0].Cards, 16);
    g.LayoutTable();
    EXPECT_EQ(g.scene.cardBack[16].left, 1680);
    EXPECT_EQ(g.scene.stockCount.caption, "เหลือ 16 ใบ");
    fill(g.table.Seats[0].Cards, 17);
    g.LayoutTable();
    EXPECT_EQ(g.scene.cardBack[2].left - g.scene.cardBack[1].left, 70);
    fill(g.table.Seats[0].Cards, 5);
    g.LayoutTable();
    EXPECT_EQ(g.scene.cardBack[1].left, 250);
    EXPECT_EQ(g.scene.cardBack[2].left, 550);

    fill(g.table.Seats[0].PileCards, 13, 30);
    g.LayoutTable();
    EXPECT_EQ(g.scene.cardFace[41].left, 7950);  // 12th card ends the first row
    EXPECT_EQ(g.scene.cardFace[41].top, 3000);
    EXPECT_EQ(g.scene.cardFace[42].left, 3000);  // 13th starts the second
    EXPECT_EQ(g.scene.cardFace[42].top, 3550);
    EXPECT_TRUE(g.scene.cardFace[42].visible);
}

TEST(Layout, NothingMovesWhileTheRoundIsOver) {
    TestTable t;
    Game& g = t.game;
    fill(g.table.Seats[0].Cards, 9);
    g.LayoutTable();
    g.table.RoundOver = true;
    fill(g.table.Seats[0].Cards, 3);
    g.LayoutTable();
    EXPECT_EQ(g.scene.stockCount.caption, "เหลือ 9 ใบ");
}

TEST(Timers, ClockRollsOver) {
    TestTable t;
    Game& g = t.game;
    for (int i = 0; i < 65; ++i) g.clockTick();
    EXPECT_EQ(g.scene.clockLabel.caption, "0:01:05");
    for (int i = 65; i < 3599; ++i) g.clockTick();
    EXPECT_EQ(g.scene.clockLabel.caption, "0:59:59");
    g.clockTick();
    EXPECT_EQ(g.scene.clockLabel.caption, "1:00:00");
    EXPECT_EQ(g.match.ElapsedSeconds, 3600);
}

TEST(Timers, BlinkAlternatesOnlyForASeat) {
    TestTable t;
    Game& g = t.game;
    g.table.CurrentSeat = 0;
    g.blinkTick();
    EXPECT_EQ(g.BlinkPhase, 0);
    g.table.CurrentSeat = 2;
    g.blinkTick();
    EXPECT_EQ(g.scene.seatName[2].foreColor, kGreen);
    g.blinkTick();
    EXPECT_EQ(g.scene.seatName[2].foreColor, kRed);
    EXPECT_EQ(g.BlinkPhase, 0);
}

TEST(Timers, FlightBounces) {
    TestTable t;
    Game& g = t.game;
    g.table.Selection = {0, 28, 29, 30};
    // Right of the right edge, below the top, above the bottom: rule 4.
    g.flight.x = 11900, g.flight.y = 3000, g.flight.heading = 45;
    g.flightStep();
    EXPECT_EQ(g.flight.heading, 135);
    // Heading 180 past the left edge: rule 1 gives 0.
    g.flight.x = 50, g.flight.y = 3000, g.flight.heading = 180;
    g.flightStep();
    EXPECT_EQ(g.flight.heading, 0);
    EXPECT_EQ(g.scene.cardFace[29].left, g.flight.x + 930);
    EXPECT_EQ(g.scene.cardFace[30].top, g.flight.y);
    // The top-left corner sends the cards down and right.
    g.flight.x = -10, g.flight.y = -10, g.flight.heading = 45;
    g.flightStep();
    EXPECT_EQ(g.flight.heading, 315);
}

}  // namespace
}  // namespace vornak
