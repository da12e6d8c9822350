#include <gtest/gtest.h>

#include <algorithm>

#include "support/fakes.h"

namespace vornak::test {
namespace {

constexpr int kSeat = 2;

struct Search : ::testing::Test {
    TestTable t;
    Game& g = t.game;
    Search() {
        g.CurrentSeat = kSeat;
        g.Seats[0].Cards.count = 23;
    }
    std::string selection() const {
        CardList s;
        for (int i = 1; i <= 3; ++i) s.push(g.Selection[static_cast<std::size_t>(i)]);
        return handText(s);
    }
};

TEST_F(Search, MeldInHandIsTheLastInLoopOrder) {
    struct Case {
        const char* hand;
        bool found;
        const char* meld;
    };
    const Case cases[] = {
        {"3H 4H 5H 9C 9D 9S", true, "9C 9D 9S"},
        {"9C 9D 9S 3H 4H 5H", true, "3H 4H 5H"},
        {"9C 3H 9D 4H 9S 5H", true, "3H 4H 5H"},
        {"KD 5H JC 4H 3H", true, "5H 4H 3H"},  // kept in hand order
        {"2D 2H 2S 8C", false, ""},            // not for a computer seat
        {"3H 4H", false, ""},
        {"3H 5H 7H 9H JC", false, ""},
    };
    for (const auto& c : cases) {
        g.Selection = {};
        t.setHand(kSeat, c.hand);
        EXPECT_EQ(g.FindMeldInHand(kSeat), c.found) << c.hand;
        if (c.found) {
            EXPECT_EQ(selection(), c.meld) << c.hand;
        }
        EXPECT_EQ(handText(g.Seats[kSeat].Cards), c.hand);  // the hand is not touched
    }
    g.CurrentSeat = kHuman;
    t.setHand(kHuman, "2D 2H 2S 8C");
    EXPECT_TRUE(g.FindMeldInHand(kHuman));
}

TEST_F(Search, LayOffPrefersTheLastCardAndTheSet) {
    g.SetLayOffCards.assign(parseCards("7H"));
    g.RunLayOffCards.assign(parseCards("2H 6H"));

    t.setHand(kSeat, "7H 9C 6H KD");
    ASSERT_TRUE(g.FindLayOff(kSeat));
    EXPECT_EQ(g.LayOffPos, 3);
    EXPECT_EQ(g.LayOffCard, parseCard("6H"));
    EXPECT_TRUE(g.LayOffOnRun);

    t.setHand(kSeat, "6H 9C 7H KD");
    ASSERT_TRUE(g.FindLayOff(kSeat));
    EXPECT_EQ(g.LayOffPos, 3);
    EXPECT_FALSE(g.LayOffOnRun);

    // A card both lists name goes onto the set.
    g.RunLayOffCards.push(parseCard("7H"));
    t.setHand(kSeat, "9C 7H");
    ASSERT_TRUE(g.FindLayOff(kSeat));
    EXPECT_EQ(g.LayOffPos, 2);
    EXPECT_FALSE(g.LayOffOnRun);

    // The last card is kept for the discard, except by the set-only search.
    t.setHand(kSeat, "7H");
    EXPECT_FALSE(g.FindLayOff(kSeat));
    EXPECT_TRUE(g.FindSetLayOff(kSeat));
    EXPECT_EQ(g.LayOffPos, 1);

    t.setHand(kSeat, "6H 2H KD");
    EXPECT_FALSE(g.FindSetLayOff(kSeat));
    t.setHand(kSeat, "9C KD");
    EXPECT_FALSE(g.FindLayOff(kSeat));
}

TEST_F(Search, ArrangeBringsMeldsToTheFront) {
    struct Case {
        const char* hand;
        const char* arranged;
    };
    const Case cases[] = {
        {"2C 5H 9D 6H KS 7H", "5H 6H 7H 2C KS 9D"},
        {"2C 5H 9D 6H KS", "2C 5H 9D 6H KS"},  // no meld: unchanged
        {"9C 3H 9D 4H 9S 5H", "3H 4H 5H 9C 9S 9D"},
        {"7C 7D 7H KD 4S 5S 6S", "4S 5S 6S 7C 7D 7H KD"},
        {"5H", "5H"},
        {"", ""},
    };
    for (const auto& c : cases) {
        t.setHand(kSeat, c.hand);
        g.ArrangeHand(kSeat);
        EXPECT_EQ(handText(g.Seats[kSeat].Cards), c.arranged) << c.hand;
    }
}

TEST_F(Search, ArrangeKeepsEveryCardWhenItsSecondSearchMovesCards) {
    // After 4-5-6 of spades go to positions 4..6, the 4 and 5 read earlier
    // also meet the 3: that triple is exchanged in from where its cards stand.
    g.CurrentSeat = kHuman;
    t.setHand(kHuman, "KS 4S AH AD AC 5S 6S 3S");
    g.ArrangeHand(kHuman);
    EXPECT_EQ(handText(g.Seats[kHuman].Cards), "AH AD AC 4S 5S 3S KS 6S");

    // Longer hands keep their cards as well.
    t.setHand(kHuman, "2H 3H 4H 5H 6H 7H 8H 9H 10H JH QH KH AH 2S 3S 4S 5S 6S 7S 8S");
    auto before = g.Seats[kHuman].Cards.toVector();
    g.ArrangeHand(kHuman);
    auto after = g.Seats[kHuman].Cards.toVector();
    EXPECT_TRUE(g.IsMeld(after[0], after[1], after[2]));
    EXPECT_TRUE(g.IsMeld(after[3], after[4], after[5]));
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(before, after);
}

}  // namespace
}  // namespace vornak::test
