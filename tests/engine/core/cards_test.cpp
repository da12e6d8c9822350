#include <gtest/gtest.h>

#include "core/cards.h"

namespace vornak {
namespace {

TEST(Cards, NotationAndNames) {
    EXPECT_EQ(parseCard("2C"), 1);
    EXPECT_EQ(parseCard("AC"), 13);
    EXPECT_EQ(parseCard("2D"), 14);
    EXPECT_EQ(parseCard("QS"), 50);
    EXPECT_EQ(parseCard("10d"), 22);
    EXPECT_EQ(parseCard("1C"), 0);
    EXPECT_EQ(parseCard("X"), 0);
    EXPECT_EQ(parseCards("3H 4H, 5H"), (std::vector<int>{28, 29, 30}));
    EXPECT_EQ(cardName(52), "A โพดำ");
    EXPECT_EQ(cardName(22), "10 ข้าวหลามตัด");
    EXPECT_EQ(cardName(1), "2 ดอกจิก");
    EXPECT_EQ(cardName(0), "");
    for (int c = 1; c <= 52; ++c) EXPECT_EQ(parseCard(cardNotation(c)), c);
}

TEST(Cards, ValuesAndKinds) {
    EXPECT_EQ(cardValue(1), 50);
    EXPECT_EQ(cardValue(50), 50);
    EXPECT_EQ(cardValue(13), 15);
    EXPECT_EQ(cardValue(37), 10);  // Q of hearts
    EXPECT_EQ(cardValue(9), 10);   // 10 of clubs
    EXPECT_EQ(cardValue(8), 5);    // 9 of clubs
    EXPECT_EQ(cardValue(14), 5);
    // The ace of clubs and the 2 of diamonds are consecutive codes of two suits.
    EXPECT_NE(suitOf(13), suitOf(14));
}

}  // namespace
}  // namespace vornak
