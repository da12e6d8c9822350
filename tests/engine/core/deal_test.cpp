#include <gtest/gtest.h>

#include <algorithm>

#include "support/fakes.h"

namespace vornak {
namespace {

using test::TestTable;

struct DealTest : ::testing::Test {
    TestTable t{7};
    Game& g = t.game;
    void SetUp() override {
        for (int s = 1; s <= 4; ++s) g.match.Players[s].Name = "Seat" + plain(s);
        g.skins.count = 0;
    }
};

TEST_F(DealTest, EveryCardInExactlyOnePlace) {
    for (int round = 0; round < 20; ++round) {
        g.DealRound();
        ASSERT_TRUE(g.DeckIsValid());
        EXPECT_EQ(g.table.Seats[0].CardCount(), 23);
        EXPECT_EQ(g.table.Seats[0].PileCount(), 1);
        std::vector<int> all = g.table.Seats[0].Cards.toVector();
        all.push_back(g.table.Seats[0].PileCards[1]);
        for (int s = 1; s <= 4; ++s) {
            EXPECT_EQ(g.table.Seats[s].CardCount(), 7);
            EXPECT_EQ(g.table.Seats[s].PileCount(), 0);
            auto hand = g.table.Seats[s].Cards.toVector();
            all.insert(all.end(), hand.begin(), hand.end());
        }
        std::sort(all.begin(), all.end());
        for (int c = 1; c <= 52; ++c) ASSERT_EQ(all[c - 1], c);
        EXPECT_FALSE(g.table.RoundOver);
        EXPECT_TRUE(g.scene.turnTimer.enabled);
        EXPECT_TRUE(g.scene.clockTimer.enabled);
    }
}

// The deal rebuilds the cards and the round's knock flags, not the squeeze
// of a seat that discarded last: that ends at the seat's own next turn.
TEST_F(DealTest, ASeatThatDiscardedKeepsItsNarrowHandUntilItsTurn) {
    g.table.Seats[1].Discarded = true;
    g.table.Seats[3].Knocked = g.table.Seats[3].DarkKnocked = true;
    g.DealRound();
    EXPECT_TRUE(g.table.Seats[1].Discarded);
    EXPECT_FALSE(g.table.Seats[3].Knocked);
    EXPECT_FALSE(g.table.Seats[3].DarkKnocked);
    const CardList& left = g.table.Seats[1].Cards;
    EXPECT_EQ(g.scene.cardBack[left[2]].top - g.scene.cardBack[left[1]].top, 150);
    const CardList& right = g.table.Seats[3].Cards;
    EXPECT_EQ(g.scene.cardBack[right[2]].top - g.scene.cardBack[right[1]].top, 250);
}

TEST_F(DealTest, PreparedRunGoesToTheFavouredSeat) {
    g.match.PreparedRunLength = 3;
    g.match.Players[2].TotalPoints = 10;  // seat 2 ahead of seat 3: favoured
    // r = floor(52 u + 1) = 1, then the shuffle's draws come from the seed.
    t.random.values = {0.0};
    g.DealRound();
    EXPECT_EQ(g.Deck[50], 1);
    EXPECT_EQ(g.Deck[51], 2);
    EXPECT_EQ(g.Deck[52], 3);
    for (int c = 1; c <= 3; ++c) EXPECT_TRUE(g.table.Seats[2].Cards.contains(c)) << c;
}

TEST_F(DealTest, RunOfFiveNeverReachesTheLastCodes) {
    g.match.PreparedRunLength = 5;
    // 0.99 gives r = 52, refused; 0.9 gives r = 47, refused; 0.85 gives 45.
    t.random.values = {0.99, 0.9, 0.85};
    g.ShuffleDeck();
    EXPECT_EQ(g.Deck[48], 45);
    EXPECT_EQ(g.Deck[52], 49);
}

TEST_F(DealTest, FavouredSeatTiesGoToSeatThree) {
    EXPECT_EQ(g.FavouredSeat(), 3);
    g.match.Players[1].TotalPoints = 500;  // seat 1 is never favoured
    EXPECT_EQ(g.FavouredSeat(), 3);
    g.match.Players[2].TotalPoints = 1;
    EXPECT_EQ(g.FavouredSeat(), 2);
    g.match.Players[3].TotalPoints = 1;
    EXPECT_EQ(g.FavouredSeat(), 3);
}

TEST_F(DealTest, StarterHandExchangeIsOneShot) {
    g.keyPress('1');
    g.keyPress(27);
    EXPECT_TRUE(g.match.GiveStarterHand);
    g.match.PreparedRunLength = 4;
    g.DealRound();
    EXPECT_FALSE(g.match.GiveStarterHand);
    // The person holds the favoured seat's cards, the prepared block included.
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(g.table.Seats[4].Cards[k], g.Deck[45 + k]);
    g.DealRound();
    for (int k = 1; k <= 7; ++k) EXPECT_NE(g.table.Seats[4].Cards[k], g.Deck[45 + k]);
}

TEST_F(DealTest, StarterHandKeySequence) {
    g.keyPress('1');
    g.keyPress(27);
    g.keyPress(27);  // a second Esc still finds the "1"
    EXPECT_TRUE(g.match.GiveStarterHand);
    g.match.GiveStarterHand = false;
    g.keyPress('1');
    g.keyPress('2');
    g.keyPress(27);
    EXPECT_FALSE(g.match.GiveStarterHand);
}

TEST_F(DealTest, TableAfterTheDeal) {
    g.match.Players[1].Money = 20000;
    g.DealRound();
    const Scene& s = g.scene;
    EXPECT_EQ(s.seatName[1].tooltip, "เหลือเงิน 20000 บาท");
    EXPECT_EQ(s.stockCount.caption, "เหลือ 23 ใบ");
    EXPECT_EQ(s.hintLine.caption, " กำลังแจกไพ่ ,,,ให้ผู้เล่นแต่ละคน ");
    for (int c = 1; c <= 52; ++c) EXPECT_FALSE(s.cardFace[c].enabled) << c;
    const int head = g.table.Seats[0].PileCards[1];
    EXPECT_TRUE(s.cardFace[head].visible);
    EXPECT_FALSE(s.cardBack[head].visible);
    EXPECT_EQ(s.cardFace[head].left, 3000);
    EXPECT_EQ(s.cardFace[head].top, 3000);
    // The top of the stock is in front of the rest of it.
    const int top = g.table.Seats[0].Cards.top();
    for (int j = 1; j < 23; ++j)
        EXPECT_LT(s.cardBack[g.table.Seats[0].Cards[j]].z, s.cardBack[top].z);
    for (int k = 1; k <= 7; ++k) {
        const int c = g.table.Seats[4].Cards[k];
        EXPECT_TRUE(s.cardFace[c].visible);
        EXPECT_FALSE(s.cardBack[c].visible);
        EXPECT_EQ(s.cardFace[c].top, 6700);
        EXPECT_EQ(s.cardFace[c].left, 4000 + (k - 1) * 450);
    }
}

}  // namespace
}  // namespace vornak

namespace vornak {
namespace {

// The shuffle of a fixed seed never changes: saved games, logs and the
// simulator's figures depend on it.
TEST(Shuffle, GoldenDeckForAFixedSeed) {
    test::ScriptedDialogs dialogs;
    SeededRandom random(20261205);
    Game g(dialogs, random, Paths{});
    g.match.PreparedRunLength = 4;
    g.match.PointTarget = 500;  // three passes
    g.ShuffleDeck();
    const std::array<int, 53> expected = {0,  41, 24, 6,  18, 30, 13, 25, 4,  36, 42, 44, 17, 52,
                                          5,  48, 34, 43, 47, 21, 31, 23, 10, 9,  16, 33, 15, 22,
                                          2,  39, 19, 51, 40, 38, 32, 49, 7,  20, 11, 12, 14, 46,
                                          50, 8,  1,  37, 35, 45, 3,  26, 27, 28, 29};
    EXPECT_EQ(g.Deck, expected);
}

}  // namespace
}  // namespace vornak
