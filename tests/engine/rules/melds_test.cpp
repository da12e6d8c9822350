#include <gtest/gtest.h>

#include "support/fakes.h"

namespace vornak::test {
namespace {

constexpr int kComputer = 1;

struct Meld3 {
    int a, b, c;
};
Meld3 three(const std::string& text) {
    const auto v = parseCards(text);
    return {v.at(0), v.at(1), v.at(2)};
}

struct Rules : ::testing::Test {
    TestTable t;
    Game& g = t.game;
    void seat(int s, int stock = 23) {
        g.CurrentSeat = s;
        g.Seats[0].Cards.count = stock;
    }
};

TEST_F(Rules, WhatCountsAsAMeld) {
    struct Case {
        const char* cards;
        int seat;
        int stock;
        bool set, run;
    };
    const Case cases[] = {
        {"QH KH AH", kHuman, 23, false, true},     // ace high
        {"AH QH KH", kComputer, 23, false, true},  // in any order
        {"KH AH 2H", kHuman, 23, false, false},    // no wrap-around
        {"AH 2H 3H", kHuman, 23, false, false},
        {"KC AC 2D", kHuman, 23, false, false},  // codes 12, 13, 14
        {"AC 2D 3D", kHuman, 23, false, false},
        {"2C 3C 4C", kComputer, 23, false, true},  // the lowest run
        {"5H 6H 8H", kHuman, 23, false, false},
        // Computer seats pass over runs from the 3 or 4 of clubs and the 8 or
        // 9 of spades while the stock holds three cards or more.
        {"3C 4C 5C", kHuman, 23, false, true},
        {"3C 4C 5C", kComputer, 3, false, false},
        {"3C 4C 5C", kComputer, 2, false, true},
        {"9S 10S JS", kComputer, 23, false, false},
        {"10S JS QS", kComputer, 23, false, true},
        // Sets: three 2s without the 2 of clubs, three Qs without the Q of
        // spades are the person's only.
        {"7C 7D 7S", kComputer, 23, true, false},
        {"AS AC AD", kComputer, 23, true, false},
        {"2D 2H 2S", kHuman, 23, true, false},
        {"2D 2H 2S", kComputer, 23, false, false},
        {"2D 2H 2S", kComputer, 0, false, false},
        {"2C 2H 2S", kComputer, 23, true, false},
        {"QC QD QH", kHuman, 23, true, false},
        {"QC QD QH", kComputer, 23, false, false},
        {"QD QH QS", kComputer, 23, true, false},
        {"7C 7C 7D", kHuman, 23, false, false},
        {"7C 7D 8D", kHuman, 23, false, false},
    };
    for (const auto& c : cases) {
        seat(c.seat, c.stock);
        const auto m = three(c.cards);
        EXPECT_EQ(g.IsSet(m.a, m.b, m.c), c.set) << c.cards << " seat " << c.seat;
        EXPECT_EQ(g.IsRun(m.a, m.b, m.c), c.run) << c.cards << " seat " << c.seat;
    }
    // "No card" is never part of a meld (0 would pass for an ace by rank).
    seat(kHuman);
    EXPECT_FALSE(g.IsSet(0, 13, 26));
    EXPECT_FALSE(g.IsRun(0, 1, 2));
}

TEST_F(Rules, LaidMeldMustHoldThePickedCardAndLeaveACard) {
    seat(kHuman);
    t.setHand(kHuman, "3H 4H 5H 7C 7D 7S KD");
    const auto run = three("3H 4H 5H"), set = three("7S 7C 7D");
    EXPECT_TRUE(g.CheckLaidMeld(run.a, run.b, run.c));
    EXPECT_TRUE(g.CheckLaidMeld(set.a, set.b, set.c));
    EXPECT_FALSE(g.CheckLaidMeld(run.a, run.b, set.c));

    g.PickFromPile = true;
    g.PickedCard = parseCard("5H");
    EXPECT_TRUE(g.CheckLaidMeld(run.a, run.b, run.c));
    EXPECT_FALSE(g.CheckLaidMeld(set.a, set.b, set.c));  // valid, but not the picked card

    g.PickFromPile = false;
    t.setHand(kHuman, "3H 4H 5H");
    EXPECT_FALSE(g.CheckLaidMeld(run.a, run.b, run.c));
}

TEST_F(Rules, PileTakingKeepsACardInHand) {
    seat(kHuman);
    struct Case {
        const char* pile;
        const char* hand;
        int position;
        bool allowed;
    };
    const Case cases[] = {
        {"5H 6H 9C", "7H", 1, true},   // three taken, one left after the meld
        {"9C 5H 6H", "7H", 2, false},  // second from top with one card
        {"5H 9C", "6H 7H", 1, true},
        {"9C 5H", "6H 7H", 2, false},  // the top card with two cards
        {"9C 5H", "6H 7H KD", 2, true},
        {"5H 6H 7H", "KD 2C", 1, false},  // three pile cards alone never do
        {"5H 6H 7H", "KD 8H", 2, true},   // 6H 7H from the pile, 8H from the hand
        {"9C 5H", "6H 7H KD", 0, false},  // no such position
        {"9C 5H", "6H 7H KD", 3, false},
        {"", "6H 7H KD", 1, false},
    };
    for (const auto& c : cases) {
        t.setPile(c.pile);
        t.setHand(kHuman, c.hand);
        EXPECT_EQ(g.CanPickFromPile(c.position), c.allowed)
            << "pile " << c.pile << ", hand " << c.hand << ", position " << c.position;
    }
}

TEST_F(Rules, LayOffTargetsOfALaidMeld) {
    struct Case {
        const char* meld;
        const char* setList;
        const char* runList;
    };
    const Case cases[] = {
        {"3H 4H 5H", "", "2H 6H"}, {"2H 3H 4H", "", "5H"},          {"QH KH AH", "", "JH"},
        {"5H 3H 4H", "", "2H 6H"}, {"7C 7D 7S", "7C 7D 7H 7S", ""}, {"AS AC AH", "AC AD AH AS", ""},
    };
    for (const auto& c : cases) {
        g.SetLayOffCards.clear();
        g.RunLayOffCards.clear();
        const auto m = three(c.meld);
        g.Selection = {0, m.a, m.b, m.c};
        g.AddLayOffTargets();
        EXPECT_EQ(handText(g.SetLayOffCards), c.setList) << c.meld;
        EXPECT_EQ(handText(g.RunLayOffCards), c.runList) << c.meld;
    }
}

TEST_F(Rules, LayOffOntoARunGrowsItsEnds) {
    g.Selection = {0, parseCard("3H"), parseCard("4H"), parseCard("5H")};
    g.AddLayOffTargets();
    g.AddRunLayOffNeighbours(parseCard("6H"));
    EXPECT_EQ(handText(g.RunLayOffCards), "2H 6H 5H 7H");
    g.AddRunLayOffNeighbours(parseCard("2H"));  // a 2 ends the run
    EXPECT_EQ(g.RunLayOffCards.count, 4);

    g.RunLayOffCards.clear();
    g.Selection = {0, parseCard("JH"), parseCard("QH"), parseCard("KH")};
    g.AddLayOffTargets();
    EXPECT_EQ(handText(g.RunLayOffCards), "10H AH");
    g.AddRunLayOffNeighbours(parseCard("AH"));  // an ace ends it too
    EXPECT_EQ(handText(g.RunLayOffCards), "10H AH");
    g.AddRunLayOffNeighbours(parseCard("10H"));
    EXPECT_EQ(handText(g.RunLayOffCards), "10H AH 9H JH");
}

TEST_F(Rules, DummyCardsAreTheListedLayOffs) {
    g.SetLayOffCards.assign(parseCards("7H"));
    g.RunLayOffCards.assign(parseCards("2H 6H"));
    EXPECT_TRUE(g.IsDummyCard(parseCard("7H")));
    EXPECT_TRUE(g.IsDummyCard(parseCard("6H")));
    g.RunLayOffCards.count = 1;  // only the used entries count
    EXPECT_FALSE(g.IsDummyCard(parseCard("6H")));

    // A full list makes room rather than losing a card.
    g.RunLayOffCards.clear();
    for (int i = 0; i < kMaxCards; ++i) g.RunLayOffCards.push(parseCard("6H"));
    g.AddRunLayOffNeighbours(parseCard("8H"));
    EXPECT_TRUE(g.IsDummyCard(parseCard("7H")));
    EXPECT_TRUE(g.IsDummyCard(parseCard("9H")));
    EXPECT_TRUE(g.IsDummyCard(parseCard("6H")));
    EXPECT_FALSE(g.IsDummyCard(parseCard("8H")));
}

TEST_F(Rules, SpetoWarningOnDiscard) {
    struct Case {
        const char* discard;
        const char* pile;
        bool warns;
    };
    const Case cases[] = {
        {"3C", "9D 2C", true}, {"5C", "2C 3C 4C", false},  {"2C", "KD 2H", true},
        {"4C", "2C", true},    {"2S", "2D", true},         {"2S", "3S", false},
        {"QH", "QS", true},    {"QS", "QD", true},         {"10S", "JS", true},
        {"JS", "KS", true},    {"KS", "10S", false},       {"AS", "KS", true},
        {"QS", "AS", true},    {"9S", "10S JS QS", false}, {"3C", "", false},
    };
    for (const auto& c : cases) {
        t.setPile(c.pile);
        EXPECT_EQ(g.RaisesSpetoWarning(parseCard(c.discard)), c.warns)
            << c.discard << " onto " << c.pile;
    }
    // The pairs come from melds with a speto card, so the table reads the
    // same from either card.
    for (int d = 1; d <= 52; ++d)
        for (int q = 1; q <= 52; ++q)
            if (d != q) {
                EXPECT_EQ(g.IsSpetoPartner(d, q), g.IsSpetoPartner(q, d)) << d << " " << q;
            }
}

}  // namespace
}  // namespace vornak::test
