// Which card a computer seat throws away.
#include <gtest/gtest.h>

#include <set>

#include "support/fakes.h"

namespace vornak {
namespace {

using test::TestTable;

class Discard : public ::testing::Test {
protected:
    TestTable t;
    Game& g = t.game;

    void SetUp() override {
        g.BeginnerChosen = true;
        g.VipChosen = false;
        g.CurrentSeat = 1;
    }

    // Seat 1's hand, the pile and a stock of `stock` cards nobody holds.
    void deal(const std::string& hand, const std::string& pile, int stock,
              const std::string& human = "") {
        t.setHand(1, hand);
        t.setPile(pile);
        t.setHand(kHuman, human);
        CardList used = g.Seats[1].Cards;
        for (int c : g.Seats[0].PileCards.toVector()) used.push(c);
        for (int c : g.Seats[kHuman].Cards.toVector()) used.push(c);
        g.Seats[0].Cards.clear();
        for (int c = 1; c <= 52 && g.Seats[0].CardCount() < stock; ++c)
            if (!used.contains(c)) g.Seats[0].Cards.push(c);
    }
    // Makes the given cards lay-off cards, so that none of them is safe.
    void layOffCards(const std::string& cards) { g.SetLayOffCards.assign(parseCards(cards)); }

    int choose(std::initializer_list<double> randoms = {}) {
        t.random.values.assign(randoms.begin(), randoms.end());
        g.SelectedCard = -1;
        g.ChooseDiscard(1);
        return g.SelectedCard;
    }
    std::string chosenCard() const { return cardNotation(g.Seats[1].Cards[g.SelectedCard]); }
};

TEST_F(Discard, BothListsEmptyNeverThrowsTheLastCard) {
    // Every card is in a meld (not lone) and a lay-off card (not safe).
    const std::string hand = "5H 6H 7H 9C 9D 9S";
    deal(hand, "", 20);
    layOffCards(hand);
    EXPECT_EQ(choose({0.0}), 1);
    EXPECT_EQ(choose({0.999}), 5);
    g.BeginnerChosen = false;  // the VIP branch does the same
    EXPECT_EQ(choose({0.999}), 5);
    EXPECT_EQ(choose({0.5}), 3);
}

TEST_F(Discard, BeginnerLoneButUnsafeKeepsToTheLastCard) {
    deal("5H 9C KD 2S", "", 20);
    layOffCards("5H 9C KD 2S");
    const int drawnBefore = t.random.drawn;
    EXPECT_EQ(choose(), 4);
    EXPECT_EQ(t.random.drawn, drawnBefore);  // no choice was drawn
}

TEST_F(Discard, BeginnerPicksUniformlyAmongLoneOrSafeCards) {
    // Lone: 9C (position 4) and KD (5). The draws 0 and 19 are out of range
    // and drawn again; 0.1 gives 2, the second lone card.
    deal("5H 6H 7H 9C KD", "", 20);
    EXPECT_EQ(choose({0.0, 0.95, 0.1}), 5);

    // Every card in a meld: the safe list decides; the 9 of diamonds is a
    // lay-off card and so not safe.
    deal("5H 6H 7H 9C 9D 9S", "", 20);
    layOffCards("9D");
    // Safe positions 1, 2, 3, 4, 6; r = 5 picks position 6.
    EXPECT_EQ(choose({0.25}), 6);
}

TEST_F(Discard, SpetoPartnersOnThePileAreNotSafe) {
    // Every card is in a meld, so the safe list decides. The draw 0.05
    // takes its first entry.
    deal("3C 3D 3H 5H 6H 7H", "", 20);
    EXPECT_EQ(choose({0.05}), 1);
    // The 2 of clubs on the pile makes the 3 of clubs unsafe.
    deal("3C 3D 3H 5H 6H 7H", "2C", 20);
    EXPECT_EQ(choose({0.05}), 2);
    // The Q of spades on the pile: the J and K of spades are unsafe.
    deal("JS JD JH KS KD KH", "QS", 20);
    EXPECT_EQ(choose({0.05}), 2);
    EXPECT_EQ(choose({0.16}), 5);
}

TEST_F(Discard, VipPrefersCardsThatFeedNotThePerson) {
    g.BeginnerChosen = false;
    // Both cards lone; the 9 of clubs would complete the person's 9s.
    deal("9C 5H", "", 20, "9D 9S KC");
    // Draws that would take the first entry of a list with the 9 in it.
    for (double r : {0.05, 0.07, 0.09}) {
        choose({r});
        EXPECT_EQ(chosenCard(), "5H");
    }

    // The safe list plays no part while there is a lone card.
    layOffCards("5H");
    choose({0.05});
    EXPECT_EQ(chosenCard(), "5H");

    // Every lone card feeds the person: Low over the lone list.
    deal("9C 5H", "", 20, "9D 9S 4H 6H");
    EXPECT_EQ(choose({0.9}), 1);
    // A single lone card: Low(1) is 1.
    deal("5H 6H 7H 9C", "", 20, "9D 9S");
    EXPECT_EQ(choose({0.9}), 4);
}

TEST_F(Discard, VipWithoutLoneCardsUsesLowOverTheSafeList) {
    g.BeginnerChosen = false;
    deal("5H 6H 7H 9C 9D 9S", "", 20);
    layOffCards("5H");
    // Safe positions 2..6; Low(5) = 1..4, never the last safe card.
    EXPECT_EQ(choose({0.999}), 5);
    EXPECT_EQ(choose({0.0}), 2);
}

TEST_F(Discard, SpetoCardsGoAsTheStockRunsOut) {
    // All four lone and lay-off cards: Beginner keeps to the last card.
    const std::string hand = "QS 5H 2C 9D";
    deal(hand, "", 20);
    layOffCards(hand);
    EXPECT_EQ(choose(), 4);  // 20 or more in the stock: unchanged
    deal(hand, "", 30);
    EXPECT_EQ(choose(), 4);
    deal(hand, "", 5);
    EXPECT_EQ(choose(), 3);  // the last speto in hand order
    deal(hand, "", 0);
    EXPECT_EQ(choose(), 3);
    deal(hand, "", 10);
    EXPECT_EQ(choose(), 3);  // a lone speto between 6 and 19

    // Between 6 and 19 a speto that is part of a meld stays.
    deal("2C 3C 4C 9D", "", 10);
    layOffCards("2C 3C 4C 9D");
    EXPECT_EQ(choose(), 4);
    deal("2C 3C 4C 9D", "", 5);
    EXPECT_EQ(choose(), 1);
}

TEST_F(Discard, BigHandsChooseWithinTheHand) {
    std::string hand;
    for (int c = 1; c <= 30; ++c) hand += cardNotation(c) + " ";
    deal(hand, "", 10);
    for (bool beginner : {true, false}) {
        g.BeginnerChosen = beginner;
        for (int i = 0; i < 20; ++i) {
            const int pos = choose();
            EXPECT_GE(pos, 1);
            EXPECT_LE(pos, 30);
        }
    }
    deal("", "", 10);
    EXPECT_EQ(choose(), 1);
}

}  // namespace
}  // namespace vornak
