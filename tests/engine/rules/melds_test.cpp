#include <gtest/gtest.h>

#include "rules/melds.h"
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

// The rules read the table only: a bare table value is all they need.
struct Rules : ::testing::Test {
    Table t;
    int who = kHuman;  // the seat testing the meld
    void seat(int s, int stock = 23) {
        who = s;
        t.Seats[0].Cards.count = stock;
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
        EXPECT_EQ(IsSet(t, who, m.a, m.b, m.c), c.set) << c.cards << " seat " << c.seat;
        EXPECT_EQ(IsRun(t, who, m.a, m.b, m.c), c.run) << c.cards << " seat " << c.seat;
    }
    // "No card" is never part of a meld (0 would pass for an ace by rank).
    seat(kHuman);
    EXPECT_FALSE(IsSet(t, who, 0, 13, 26));
    EXPECT_FALSE(IsRun(t, who, 0, 1, 2));
}

TEST_F(Rules, LaidMeldMustHoldThePickedCardAndLeaveACard) {
    seat(kHuman);
    t.Seats[kHuman].Cards = cards("3H 4H 5H 7C 7D 7S KD");
    const auto run = three("3H 4H 5H"), set = three("7S 7C 7D");
    EXPECT_TRUE(CheckLaidMeld(t, run.a, run.b, run.c));
    EXPECT_TRUE(CheckLaidMeld(t, set.a, set.b, set.c));
    EXPECT_FALSE(CheckLaidMeld(t, run.a, run.b, set.c));

    t.PickFromPile = true;
    t.PickedCard = parseCard("5H");
    EXPECT_TRUE(CheckLaidMeld(t, run.a, run.b, run.c));
    EXPECT_FALSE(CheckLaidMeld(t, set.a, set.b, set.c));  // valid, but not the picked card

    t.PickFromPile = false;
    t.Seats[kHuman].Cards = cards("3H 4H 5H");
    EXPECT_FALSE(CheckLaidMeld(t, run.a, run.b, run.c));
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
        t.Seats[0].PileCards = cards(c.pile);
        t.Seats[kHuman].Cards = cards(c.hand);
        EXPECT_EQ(CanPickFromPile(t, c.position), c.allowed)
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
        t.SetLayOffCards.clear();
        t.RunLayOffCards.clear();
        AddLayOffTargets(t, meld(c.meld));
        EXPECT_EQ(handText(t.SetLayOffCards), c.setList) << c.meld;
        EXPECT_EQ(handText(t.RunLayOffCards), c.runList) << c.meld;
    }
}

TEST_F(Rules, LayOffOntoARunGrowsItsEnds) {
    AddLayOffTargets(t, meld("3H 4H 5H"));
    AddRunLayOffNeighbours(t, parseCard("6H"));
    EXPECT_EQ(handText(t.RunLayOffCards), "2H 6H 5H 7H");
    AddRunLayOffNeighbours(t, parseCard("2H"));  // a 2 ends the run
    EXPECT_EQ(t.RunLayOffCards.count, 4);

    t.RunLayOffCards.clear();
    AddLayOffTargets(t, meld("JH QH KH"));
    EXPECT_EQ(handText(t.RunLayOffCards), "10H AH");
    AddRunLayOffNeighbours(t, parseCard("AH"));  // an ace ends it too
    EXPECT_EQ(handText(t.RunLayOffCards), "10H AH");
    AddRunLayOffNeighbours(t, parseCard("10H"));
    EXPECT_EQ(handText(t.RunLayOffCards), "10H AH 9H JH");
}

TEST_F(Rules, DummyCardsAreTheListedLayOffs) {
    t.SetLayOffCards.assign(parseCards("7H"));
    t.RunLayOffCards.assign(parseCards("2H 6H"));
    EXPECT_TRUE(IsDummyCard(t, parseCard("7H")));
    EXPECT_TRUE(IsDummyCard(t, parseCard("6H")));
    t.RunLayOffCards.count = 1;  // only the used entries count
    EXPECT_FALSE(IsDummyCard(t, parseCard("6H")));

    // A full list makes room rather than losing a card.
    t.RunLayOffCards.clear();
    for (int i = 0; i < kMaxCards; ++i) t.RunLayOffCards.push(parseCard("6H"));
    AddRunLayOffNeighbours(t, parseCard("8H"));
    EXPECT_TRUE(IsDummyCard(t, parseCard("7H")));
    EXPECT_TRUE(IsDummyCard(t, parseCard("9H")));
    EXPECT_TRUE(IsDummyCard(t, parseCard("6H")));
    EXPECT_FALSE(IsDummyCard(t, parseCard("8H")));
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
        t.Seats[0].PileCards = cards(c.pile);
        EXPECT_EQ(RaisesSpetoWarning(t, parseCard(c.discard)), c.warns)
            << c.discard << " onto " << c.pile;
    }
    // The pairs come from melds with a speto card, so the table reads the
    // same from either card.
    for (int d = 1; d <= 52; ++d)
        for (int q = 1; q <= 52; ++q)
            if (d != q) {
                EXPECT_EQ(IsSpetoPartner(d, q), IsSpetoPartner(q, d)) << d << " " << q;
            }
}

}  // namespace
}  // namespace vornak::test
