// Whether a computer seat takes from the pile, from where, and with which meld.
#include <gtest/gtest.h>

#include "support/fakes.h"

namespace vornak {
namespace {

using test::handText;
using test::TestTable;

std::string selectionText(const Game& g) {
    CardList sel;
    for (int i = 1; i <= 3; ++i) sel.push(g.Selection[static_cast<std::size_t>(i)]);
    return handText(sel);
}

class PilePick : public ::testing::Test {
protected:
    TestTable t;
    Game& g = t.game;

    void SetUp() override {
        g.BeginnerChosen = true;
        g.VipChosen = false;
        g.CurrentSeat = 1;
    }

    // The seat's hand, the pile, and a stock of `stock` cards nobody holds.
    void deal(int seat, const std::string& hand, const std::string& pile, int stock) {
        g.CurrentSeat = seat;
        t.setHand(seat, hand);
        t.setPile(pile);
        CardList used = g.Seats[seat].Cards;
        for (int c : g.Seats[0].PileCards.toVector()) used.push(c);
        g.Seats[0].Cards.clear();
        for (int c = 1; c <= 52 && g.Seats[0].CardCount() < stock; ++c)
            if (!used.contains(c)) g.Seats[0].Cards.push(c);
    }

    bool decide(int seat) {
        g.PickFromPile = false;
        g.PickIndex = 0;
        g.ChoosePilePick(seat);
        return g.PickFromPile;
    }
};

TEST_F(PilePick, EmptyPileAlwaysDraws) {
    // Every search runs here: stock low and the extra-search seat.
    deal(2, "5H 6H 9C 10D KS", "", 5);
    EXPECT_FALSE(decide(2));
    deal(2, "5H 6H 9C", "", 5);
    EXPECT_FALSE(decide(2));
    deal(2, "5H 6H 7H 9C 9D 9S 2D", "", 5);
    EXPECT_FALSE(decide(2));
}

TEST_F(PilePick, OneCardPileNeedsTwoHandCardsAndAKeptCard) {
    // Two hand cards make the meld with the only pile card.
    deal(1, "5H 6H 2C", "7H", 20);
    ASSERT_TRUE(decide(1));
    EXPECT_EQ(g.PickIndex, 1);
    EXPECT_EQ(selectionText(g), "5H 6H 7H");

    // One hand card with two pile cards is impossible on a one-card pile.
    deal(2, "5H 9C KD 2S", "6H", 5);
    EXPECT_FALSE(decide(2));

    // Holding only the two cards, taking would leave nothing to discard.
    deal(2, "5H 6H", "7H", 5);
    EXPECT_FALSE(decide(2));
}

TEST_F(PilePick, ThreeCardHandWithAPairLooksAtTheTopTwoPileCardsOnly) {
    // 5H 5D 5S would meld, but the 5 of spades lies under the top two.
    deal(1, "5H 5D 9C", "5S 2D 3D", 20);
    EXPECT_FALSE(decide(1));

    deal(1, "5H 5D 9C", "2D 5S 3D", 20);
    ASSERT_TRUE(decide(1));
    EXPECT_EQ(g.PickIndex, 2);
    EXPECT_EQ(selectionText(g), "5H 5D 5S");

    // Late in the round a seat that has not opened searches the whole pile.
    deal(1, "5H 5D 9C", "5S 2D 3D", 8);
    ASSERT_TRUE(decide(1));
    EXPECT_EQ(g.PickIndex, 1);

    // ... but not once it has taken from the pile before.
    g.Seats[1].HasLaidDown = true;
    EXPECT_FALSE(decide(1));
}

TEST_F(PilePick, ThreeCardHandWithoutNeighboursSearchesTheWholePile) {
    // Different ranks, no neighbouring codes: one hand card, two pile cards.
    deal(1, "5H 9C KD", "6H 2S 7H 4D", 20);
    ASSERT_TRUE(decide(1));
    EXPECT_EQ(g.PickIndex, 1);
    EXPECT_EQ(selectionText(g), "5H 6H 7H");
}

TEST_F(PilePick, ScanLoopsKeepTheLastFindInLoopOrder) {
    // Hand pairs (5H 6H) then (5H 5D); for each pair the pile card p-1
    // before p. The last find is 5H 5D with the top card.
    deal(1, "5H 6H 5D", "9C 4H 5S", 20);
    ASSERT_TRUE(decide(1));
    EXPECT_EQ(g.PickIndex, 3);
    EXPECT_EQ(selectionText(g), "5H 5D 5S");

    // Swapping the top two: (5H 5D 5S) is now found after (5H 6H 4H).
    deal(1, "5H 6H 5D", "9C 5S 4H", 20);
    ASSERT_TRUE(decide(1));
    EXPECT_EQ(g.PickIndex, 2);
    EXPECT_EQ(selectionText(g), "5H 5D 5S");

    // Whole-pile scan late in the round: for the 5 of hearts the pairs
    // (6H 7H) and then (6H 4H) meld; the later one is kept.
    deal(1, "9C 9D 9H 5H", "6H 7H 4H", 8);
    ASSERT_TRUE(decide(1));
    EXPECT_EQ(g.PickIndex, 1);
    EXPECT_EQ(selectionText(g), "5H 6H 4H");
}

TEST_F(PilePick, StopAtFirstSearchesKeepTheFirstFind) {
    // The 5 of hearts comes first in the hand and 6H 7H is its first pair,
    // although 9C would meld with 9D 9S and 5H with 4H 6H as well.
    deal(1, "5H 9C KD 2S", "9D 9S 6H 7H 4H", 20);
    ASSERT_TRUE(decide(1));
    EXPECT_EQ(g.PickIndex, 3);
    EXPECT_EQ(selectionText(g), "5H 6H 7H");

    // A stop-at-first find settles the decision: the extra search of seat 2
    // would otherwise replace it with its own last find.
    deal(2, "5H 9C KD 2S", "6H 7H 4H", 20);
    ASSERT_TRUE(decide(2));
    EXPECT_EQ(g.PickIndex, 1);
    EXPECT_EQ(selectionText(g), "5H 6H 7H");
}

TEST_F(PilePick, TheExtraSearchSeatDependsOnTheLevel) {
    const std::string hand = "5H 5D 9C", pile = "5S 2D 3D";
    auto takes = [&](int seat) {
        deal(seat, hand, pile, 20);
        g.Seats[seat].HasLaidDown = true;  // the extra search runs regardless
        return decide(seat);
    };
    g.BeginnerChosen = true;
    g.VipChosen = false;
    EXPECT_FALSE(takes(1));
    EXPECT_TRUE(takes(2));
    EXPECT_EQ(g.PickIndex, 1);
    EXPECT_FALSE(takes(3));

    g.BeginnerChosen = false;
    g.VipChosen = true;
    EXPECT_TRUE(takes(1));
    EXPECT_FALSE(takes(2));
    EXPECT_FALSE(takes(3));

    g.VipChosen = false;
    for (int seat = 1; seat <= 3; ++seat) EXPECT_FALSE(takes(seat)) << "seat " << seat;
}

TEST_F(PilePick, ExtraSearchStopsAfterTheFirstPileCardThatMelds) {
    // VIP seat 1: for k = 1 nothing, for k = 2 the pair (9C 9D) melds with
    // the 9 of spades; the search stops there and never reaches the 5 of
    // spades at k = 3.
    g.BeginnerChosen = false;
    g.VipChosen = true;
    deal(1, "5H 5D 9C 9D", "2D 9S 5S", 20);
    g.Seats[1].HasLaidDown = true;
    ASSERT_TRUE(decide(1));
    EXPECT_EQ(g.PickIndex, 2);
    EXPECT_EQ(selectionText(g), "9C 9D 9S");
}

TEST_F(PilePick, ComputerSeatsNeverMeldTwosOrQueensWithoutTheSpeto) {
    deal(1, "2D 2H 9C", "7S 2S", 20);
    EXPECT_FALSE(decide(1));
    deal(1, "QD QH 9C", "7S QC", 20);
    EXPECT_FALSE(decide(1));

    // With the speto card the set is fine.
    deal(1, "2C 2H 9C", "7S 2S", 20);
    ASSERT_TRUE(decide(1));
    EXPECT_EQ(selectionText(g), "2C 2H 2S");
}

TEST_F(PilePick, AOneCardHandKeepsACardEvenAfterAStopAtFirstFind) {
    // Taking 6H 7H for the lone 5H would leave the seat without a discard.
    deal(1, "5H", "9C 6H 7H", 20);
    EXPECT_FALSE(decide(1));

    // Taking three pile cards leaves one card over: allowed.
    deal(1, "5H", "6H 7H 9C", 20);
    ASSERT_TRUE(decide(1));
    EXPECT_EQ(g.PickIndex, 1);
}

TEST_F(PilePick, ArrangesTheHandButMovesNoCard) {
    deal(1, "9C 5H KD 6H 2S 7H", "10D 4D", 20);
    const auto pileBefore = g.Seats[0].PileCards.toVector();
    decide(1);
    EXPECT_EQ(g.Seats[1].CardCount(), 6);
    EXPECT_EQ(g.Seats[0].PileCards.toVector(), pileBefore);
    EXPECT_EQ(g.Seats[0].CardCount(), 20);
    // The meld in the hand now leads it.
    EXPECT_EQ(handText(g.Seats[1].Cards).substr(0, 8), "5H 6H 7H");
}

}  // namespace
}  // namespace vornak
