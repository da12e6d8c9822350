#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>

#include "ai/decisions.h"
#include "ai/search.h"
#include "rules/melds.h"
#include "support/fakes.h"

namespace vornak::test {
namespace {

constexpr int kSeat = 2;

struct Search : ::testing::Test {
    Table t;
    Search() { t.Seats[0].Cards.count = 23; }
    void hand(int seat, const char* text) { t.Seats[seat].Cards = cards(text); }
};

std::string text(const Meld& m) {
    return cardNotation(m[1]) + " " + cardNotation(m[2]) + " " + cardNotation(m[3]);
}

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
        hand(kSeat, c.hand);
        const MeldFound d = FindMeldInHand(t, kSeat);
        EXPECT_EQ(d.found, c.found) << c.hand;
        if (c.found) {
            EXPECT_EQ(text(d.meld), c.meld) << c.hand;
        }
    }
    hand(kHuman, "2D 2H 2S 8C");
    EXPECT_TRUE(FindMeldInHand(t, kHuman).found);
}

TEST_F(Search, LastMeldTripleAgreesWithEveryTripleTried) {
    // Hands drawn from a few neighbouring ranks, so that runs, sets of four,
    // the refused 2s and Qs, barred run starts and empty entries meet.
    std::mt19937 random(5);
    for (int round = 0; round < 3000; ++round) {
        const int seat = round % 2 == 0 ? kSeat : kHuman;
        t.Seats[0].Cards.count = round % 3 == 0 ? 2 : 23;
        const int low = round % 4 == 0   ? 1
                        : round % 4 == 1 ? 9
                                         : 1 + static_cast<int>(random() % 40);
        std::vector<int> codes;
        for (int suit = 0; suit < 4; ++suit)
            for (int c = low; c < low + 5 && c <= 52; ++c)
                codes.push_back((c - 1) % 13 + 1 + 13 * suit);
        std::sort(codes.begin(), codes.end());
        codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
        std::shuffle(codes.begin(), codes.end(), random);
        codes.resize(std::min<std::size_t>(codes.size(), random() % 12));
        if (round % 5 == 0)
            codes.insert(codes.begin() + static_cast<std::ptrdiff_t>(codes.size() / 2), 0);
        CardList h;
        for (int c : codes) h.push(c);

        bool expected = false;
        int ei = 0, ej = 0, ek = 0;
        for (int i = 1; i <= h.count; ++i)
            for (int j = i + 1; j <= h.count; ++j)
                for (int k = j + 1; k <= h.count; ++k)
                    if (IsMeld(t, seat, h[i], h[j], h[k])) {
                        expected = true;
                        ei = i, ej = j, ek = k;
                    }
        int i = -1, j = -1, k = -1;
        ASSERT_EQ(lastMeldTriple(t, seat, h, i, j, k), expected) << handText(h);
        if (expected) {
            EXPECT_EQ(i, ei) << handText(h);
            EXPECT_EQ(j, ej) << handText(h);
            EXPECT_EQ(k, ek) << handText(h);
        }
    }
}

TEST_F(Search, LayOffPrefersTheLastCardAndTheSet) {
    t.SetLayOffCards.assign(parseCards("7H"));
    t.RunLayOffCards.assign(parseCards("2H 6H"));

    hand(kSeat, "7H 9C 6H KD");
    LayOffFound d = FindLayOff(t, kSeat);
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.pos, 3);
    EXPECT_EQ(d.runCard, parseCard("6H"));
    EXPECT_TRUE(d.onRun);

    hand(kSeat, "6H 9C 7H KD");
    d = FindLayOff(t, kSeat);
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.pos, 3);
    EXPECT_FALSE(d.onRun);

    // A card both lists name goes onto the set.
    t.RunLayOffCards.push(parseCard("7H"));
    hand(kSeat, "9C 7H");
    d = FindLayOff(t, kSeat);
    ASSERT_TRUE(d.found);
    EXPECT_EQ(d.pos, 2);
    EXPECT_FALSE(d.onRun);

    // The last card is kept for the discard, except by the set-only search.
    hand(kSeat, "7H");
    d = FindLayOff(t, kSeat);
    EXPECT_FALSE(d.found);
    EXPECT_TRUE(d.matched);  // the record still names it
    d = FindSetLayOff(t, kSeat);
    EXPECT_TRUE(d.found);
    EXPECT_EQ(d.pos, 1);

    hand(kSeat, "6H 2H KD");
    EXPECT_FALSE(FindSetLayOff(t, kSeat).found);
    hand(kSeat, "9C KD");
    EXPECT_FALSE(FindLayOff(t, kSeat).found);
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
        hand(kSeat, c.hand);
        EXPECT_EQ(handText(ArrangeHand(t, kSeat).hand), c.arranged) << c.hand;
    }
}

TEST_F(Search, ArrangeKeepsEveryCardWhenItsSecondSearchMovesCards) {
    // After 4-5-6 of spades go to positions 4..6, the 4 and 5 read earlier
    // also meet the 3: that triple is exchanged in from where its cards stand.
    hand(kHuman, "KS 4S AH AD AC 5S 6S 3S");
    EXPECT_EQ(handText(ArrangeHand(t, kHuman).hand), "AH AD AC 4S 5S 3S KS 6S");

    // Longer hands keep their cards as well.
    hand(kHuman, "2H 3H 4H 5H 6H 7H 8H 9H 10H JH QH KH AH 2S 3S 4S 5S 6S 7S 8S");
    auto before = t.Seats[kHuman].Cards.toVector();
    auto after = ArrangeHand(t, kHuman).hand.toVector();
    EXPECT_TRUE(IsMeld(t, kHuman, after[0], after[1], after[2]));
    EXPECT_TRUE(IsMeld(t, kHuman, after[3], after[4], after[5]));
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(before, after);
}

}  // namespace
}  // namespace vornak::test
