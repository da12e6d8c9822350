#include <gtest/gtest.h>

#include <cstdint>

#include "core/cards.h"
#include "core/table.h"

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

// A list remembers its card set between changes: whatever way it changes,
// the set it gives must be the one its entries make.
TEST(Cards, AListsSetFollowsEveryChange) {
    auto setOf = [](const CardList& list) {
        std::uint64_t m = 0;
        for (int i = 1; i <= list.count; ++i)
            if (isValidCard(list[i])) m |= std::uint64_t{1} << list[i];
        return m;
    };
    CardList list;
    std::uint32_t x = 12345;
    auto next = [&x](int n) {
        x = x * 1103515245u + 12345u;
        return static_cast<int>((x >> 8) % static_cast<std::uint32_t>(n));
    };
    for (int step = 0; step < 20000; ++step) {
        const int pos = next(list.count + 2);  // 0 and count + 1 are off the list
        switch (next(9)) {
            case 0:
            case 1:
                list.push(next(54));  // 0 and 53 are no card
                break;
            case 2:
                list[pos] = next(53);
                break;
            case 3:
                list.count = next(kMaxCards + 3);  // uncovers or hides old entries, or overfills
                break;
            case 4:
                list.swap(pos, next(list.count + 2));
                break;
            case 5:
            case 6:
                list.removeAt(pos);
                break;
            case 7:
                if (next(20) == 0)
                    list.clear();
                else
                    list.clearFrom(pos);
                break;
            default: {
                const CardList copy = list;
                list = copy;
            }
        }
        if (next(3) != 0) {
            ASSERT_EQ(list.mask(), setOf(list)) << "step " << step;
        }
    }
}

}  // namespace
}  // namespace vornak
