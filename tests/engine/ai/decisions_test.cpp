// A computer seat's decisions: taking from the pile, and its discard.
#include <gtest/gtest.h>

#include "ai/decisions.h"
#include "support/fakes.h"

namespace vornak {
namespace {

using test::handText;

class Decide : public ::testing::Test {
protected:
    Table t;
    Level level{true, false, 0};
    test::ListRandom random;
    PilePick pick;

    // The seat's hand, the pile, the person's hand and a stock of `stock`
    // cards nobody holds.
    void deal(int seat, const std::string& hand, const std::string& pile, int stock,
              const std::string& human = "") {
        t = Table{};
        t.Seats[kHuman].Cards = test::cards(human);
        t.Seats[seat].Cards = test::cards(hand);
        t.Seats[0].PileCards = test::cards(pile);
        CardList used = t.Seats[seat].Cards;
        for (int c : t.Seats[0].PileCards.toVector()) used.push(c);
        for (int c : t.Seats[kHuman].Cards.toVector()) used.push(c);
        for (int c = 1; c <= 52 && t.Seats[0].CardCount() < stock; ++c)
            if (!used.contains(c)) t.Seats[0].Cards.push(c);
    }
    bool takes(int seat) {
        pick = ChoosePilePick(t, seat, level);
        return pick.take;
    }
    std::string meld() const {
        return cardNotation(pick.meld[1]) + " " + cardNotation(pick.meld[2]) + " " +
               cardNotation(pick.meld[3]);
    }
    int discard(std::initializer_list<double> randoms = {}) {
        random.values.assign(randoms.begin(), randoms.end());
        return ChooseDiscard(t, 1, level, random).pos;
    }
    void layOffCards(const std::string& cards) { t.SetLayOffCards = test::cards(cards); }
};

TEST_F(Decide, SmallPilesAndTheKeptCard) {
    deal(2, "5H 6H 7H 9C 9D 9S 2D", "", 5);  // every search runs, on no pile
    EXPECT_FALSE(takes(2));
    deal(1, "5H 6H 2C", "7H", 20);  // two hand cards take a one-card pile
    ASSERT_TRUE(takes(1));
    EXPECT_EQ(pick.index, 1);
    EXPECT_EQ(meld(), "5H 6H 7H");
    deal(2, "5H 6H", "7H", 5);  // ... but not the seat's last two cards
    EXPECT_FALSE(takes(2));
    // A stop-at-first find that would leave a lone card nothing to discard.
    deal(1, "5H", "9C 6H 7H", 20);
    EXPECT_FALSE(takes(1));
    deal(1, "5H", "6H 7H 9C", 20);
    EXPECT_TRUE(takes(1));
}

TEST_F(Decide, ThreeCardHands) {
    // A pair in hand: only the top two pile cards count...
    deal(1, "5H 5D 9C", "5S 2D 3D", 20);
    EXPECT_FALSE(takes(1));
    // ... unless the stock runs low for a seat that has not opened.
    deal(1, "5H 5D 9C", "5S 2D 3D", 8);
    ASSERT_TRUE(takes(1));
    EXPECT_EQ(pick.index, 1);
    t.Seats[1].HasLaidDown = true;
    EXPECT_FALSE(takes(1));
    // Scan order: hand pairs outer, pile card p-1 before p; the last find wins.
    deal(1, "5H 6H 5D", "9C 5S 4H", 20);
    ASSERT_TRUE(takes(1));
    EXPECT_EQ(pick.index, 2);
    EXPECT_EQ(meld(), "5H 5D 5S");
    // Unrelated cards: one hand card with two cards anywhere in the pile.
    deal(1, "5H 9C KD", "6H 2S 7H 4D", 20);
    ASSERT_TRUE(takes(1));
    EXPECT_EQ(pick.index, 1);
}

TEST_F(Decide, FirstFindOrLastFind) {
    // Stop at the first find: 5H with 6H 7H, though 9C 9D 9S comes later.
    deal(1, "5H 9C KD 2S", "9D 9S 6H 7H 4H", 20);
    ASSERT_TRUE(takes(1));
    EXPECT_EQ(pick.index, 3);
    EXPECT_EQ(meld(), "5H 6H 7H");
    // It also settles the decision for the extra-search seat.
    deal(2, "5H 9C KD 2S", "6H 7H 4H", 20);
    ASSERT_TRUE(takes(2));
    EXPECT_EQ(meld(), "5H 6H 7H");
    // The low-stock scan keeps its last find: (6H 4H) after (6H 7H).
    deal(1, "9C 9D 9H 5H", "6H 7H 4H", 8);
    ASSERT_TRUE(takes(1));
    EXPECT_EQ(meld(), "5H 6H 4H");
}

TEST_F(Decide, TheExtraSearchSeatOfEachLevel) {
    auto seatTakes = [&](int seat) {
        deal(seat, "5H 5D 9C", "5S 2D 3D", 20);
        t.Seats[seat].HasLaidDown = true;
        return takes(seat);
    };
    EXPECT_TRUE(!seatTakes(1) && seatTakes(2) && !seatTakes(3));
    level.beginner = false;
    level.vip = true;
    EXPECT_TRUE(seatTakes(1) && !seatTakes(2) && !seatTakes(3));
    level.vip = false;
    EXPECT_TRUE(!seatTakes(1) && !seatTakes(2) && !seatTakes(3));
    // Pile card by pile card, stopping at the first that melds (9S, not 5S).
    level.vip = true;
    deal(1, "5H 5D 9C 9D", "2D 9S 5S", 20);
    t.Seats[1].HasLaidDown = true;
    ASSERT_TRUE(takes(1));
    EXPECT_EQ(meld(), "9C 9D 9S");
}

TEST_F(Decide, NoTwosOrQueensWithoutTheSpeto) {
    deal(1, "2D 2H 9C", "7S 2S", 20);
    EXPECT_FALSE(takes(1));
    deal(1, "QD QH 9C", "7S QC", 20);
    EXPECT_FALSE(takes(1));
    deal(1, "2C 2H 9C", "7S 2S", 20);
    EXPECT_TRUE(takes(1));
}

TEST_F(Decide, DiscardAtBeginnerLevel) {
    // Nothing lone, nothing safe: Low(n), never the last card.
    deal(1, "5H 6H 7H 9C 9D 9S", "", 20);
    layOffCards("5H 6H 7H 9C 9D 9S");
    EXPECT_EQ(discard({0.0}), 1);
    EXPECT_EQ(discard({0.999}), 5);
    // Lone cards that are not safe: the last card, no draw at all.
    deal(1, "5H 9C KD 2S", "", 20);
    layOffCards("5H 9C KD 2S");
    const int drawn = random.drawn;
    EXPECT_EQ(discard(), 4);
    EXPECT_EQ(random.drawn, drawn);
    // Uniform over the lone cards 9C, KD: draws of 0 and 19 are redrawn.
    deal(1, "5H 6H 7H 9C KD", "", 20);
    t.SetLayOffCards.clear();
    EXPECT_EQ(discard({0.0, 0.95, 0.1}), 5);
    // All in melds: the safe list decides; a speto partner on the pile
    // (3C under the 2 of clubs, JS and KS under the Q of spades) is unsafe.
    deal(1, "3C 3D 3H 5H 6H 7H", "", 20);
    EXPECT_EQ(discard({0.05}), 1);
    deal(1, "3C 3D 3H 5H 6H 7H", "2C", 20);
    EXPECT_EQ(discard({0.05}), 2);
    deal(1, "JS JD JH KS KD KH", "QS", 20);
    EXPECT_EQ(discard({0.16}), 5);
}

TEST_F(Decide, DiscardAtVipLevel) {
    level.beginner = false;
    // 9C would complete the person's 9s; 5H is taken even as a lay-off card.
    deal(1, "9C 5H", "", 20, "9D 9S KC");
    layOffCards("5H");
    for (double r : {0.05, 0.09}) EXPECT_EQ(discard({r}), 2);
    // Every lone card feeds the person: Low over the lone list.
    deal(1, "9C 5H", "", 20, "9D 9S 4H 6H");
    EXPECT_EQ(discard({0.9}), 1);
    deal(1, "5H 6H 7H 9C", "", 20, "9D 9S");
    EXPECT_EQ(discard({0.9}), 4);  // Low(1) = 1
    // No lone card: Low over the safe list (positions 2..6 here).
    deal(1, "5H 6H 7H 9C 9D 9S", "", 20);
    layOffCards("5H");
    EXPECT_EQ(discard({0.999}), 5);
    layOffCards("5H 6H 7H 9C 9D 9S");  // and none safe: Low(n)
    EXPECT_EQ(discard({0.999}), 5);
}

TEST_F(Decide, SpetoCardsGoAsTheStockRunsOut) {
    const std::string hand = "QS 5H 2C 9D";  // all lone, none safe: pos = 4
    for (auto [stock, expected] : {std::pair{30, 4}, {20, 4}, {10, 3}, {5, 3}, {0, 3}}) {
        deal(1, hand, "", stock);
        layOffCards(hand);
        EXPECT_EQ(discard(), expected) << stock << " in the stock";
    }
    // Between 6 and 19 a speto that melds stays; at 5 it goes all the same.
    deal(1, "2C 3C 4C 9D", "", 10);
    layOffCards("2C 3C 4C 9D");
    EXPECT_EQ(discard(), 4);
    deal(1, "2C 3C 4C 9D", "", 5);
    EXPECT_EQ(discard(), 1);
}

TEST_F(Decide, BigAndEmptyHands) {
    std::string hand;
    for (int c = 1; c <= 30; ++c) hand += cardNotation(c) + " ";
    deal(1, hand, "", 10);
    for (bool beginner : {true, false}) {
        level.beginner = beginner;
        const int pos = discard();
        EXPECT_TRUE(pos >= 1 && pos <= 30) << pos;
    }
    deal(1, "", "", 10);
    EXPECT_EQ(discard(), 1);
    EXPECT_FALSE(takes(1));
}

}  // namespace
}  // namespace vornak
