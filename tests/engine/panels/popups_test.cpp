#include <gtest/gtest.h>

#include "support/fakes.h"

namespace vornak::test {
namespace {

class SeatPopup : public ::testing::Test {
protected:
    TestTable t;
    Game& g = t.game;
    Scene& sc = g.scene;

    void SetUp() override {
        sc.seatName[1].rect = Rect{120, 3400, 1400, 285};
        sc.seatName[2].rect = Rect{4200, 150, 1400, 285};
        sc.seatName[3].rect = Rect{10200, 3400, 1400, 285};
        sc.seatName[4].rect = Rect{4200, 7700, 1400, 285};
        for (int s = 1; s <= 4; ++s)
            sc.boardLaidName[s].rect = Rect{4000 + 1500 * s, 2000, 1400, 285};
    }
    void logPlays(int seat, int count) {
        PlayLogRec& log = g.match.PlayLogs[static_cast<std::size_t>(seat)];
        log.EntryCount = count;
        for (int i = 1; i <= std::min(count, 12); ++i)
            log.Entries[static_cast<std::size_t>(i)] = "play " + std::to_string(i);
    }
    int shownLines() const {
        int n = 0;
        for (int i = 1; i <= 12; ++i) n += sc.playLogLine[i].visible ? 1 : 0;
        return n;
    }
};

TEST_F(SeatPopup, StartsHiddenWithItsHeadingAndLinesInsideTheBox) {
    EXPECT_FALSE(sc.playLogBox.visible);
    EXPECT_FALSE(sc.playLogShadow.visible);
    EXPECT_EQ(sc.playLogHeading.caption, "ไพ่ที่เล่นในรอบนี้");
    EXPECT_EQ(shownLines(), 0);
    for (int i = 2; i <= 12; ++i)
        EXPECT_EQ(sc.playLogLine[i].rect.top - sc.playLogLine[i - 1].rect.top, 400);
    // With twelve plays the last line still fits the box.
    const Rect& last = sc.playLogLine[12].rect;
    EXPECT_LE(last.top + last.height, 12 * 400 + 1000);
    EXPECT_LE(last.left + last.width, sc.playLogBox.rect.width);
    EXPECT_LE(sc.playLogCounters.rect.top + sc.playLogCounters.rect.height, 1000);
}

TEST_F(SeatPopup, ASeatThatLaidNothingShowsOnlyTheCounters) {
    g.match.Players[1].DiscardOnThreeCount = 2;
    g.match.Players[1].DummyDiscardCount = 0;
    g.seatNameMouseDown(1);

    EXPECT_TRUE(sc.playLogBox.visible);
    EXPECT_EQ(sc.playLogCounters.caption, "ทิ้งทับสามใบ 2 ครั้ง ,ทิ้งดัมมี่ 0 ครั้ง");
    const Rect& box = sc.playLogBox.rect;
    EXPECT_EQ(box.left, 120 + 500);
    EXPECT_EQ(box.top, 3400 + 150);
    EXPECT_EQ(box.height, 1000);
    EXPECT_EQ(shownLines(), 0);

    const Rect& shadow = sc.playLogShadow.rect;
    EXPECT_TRUE(sc.playLogShadow.visible);
    EXPECT_EQ(shadow.left, box.left + 100);
    EXPECT_EQ(shadow.top, box.top + 100);
    EXPECT_EQ(shadow.width, box.width);
    EXPECT_EQ(shadow.height, box.height);

    g.seatLabelMouseUp(1);
    EXPECT_FALSE(sc.playLogBox.visible);
    EXPECT_FALSE(sc.playLogShadow.visible);
}

TEST_F(SeatPopup, TwelvePlaysFillTheBoxBesideTheRightSeat) {
    logPlays(3, 12);
    g.match.Players[3].DiscardOnThreeCount = 11;
    g.match.Players[3].DummyDiscardCount = 3;
    g.seatNameMouseDown(3);

    EXPECT_EQ(sc.playLogBox.rect.height, 5800);
    EXPECT_EQ(sc.playLogBox.rect.left, 10200 - 3500);
    EXPECT_EQ(sc.playLogBox.rect.top, 3400 + 150);
    // The box and its shadow stay clear of the name they open beside.
    EXPECT_LE(sc.playLogShadow.rect.left + sc.playLogShadow.rect.width, 10200);
    EXPECT_EQ(sc.playLogCounters.caption, "ทิ้งทับสามใบ 11 ครั้ง ,ทิ้งดัมมี่ 3 ครั้ง");
    ASSERT_EQ(shownLines(), 12);
    EXPECT_EQ(sc.playLogLine[1].caption, "play 1");
    EXPECT_EQ(sc.playLogLine[12].caption, "play 12");
}

TEST_F(SeatPopup, PlaysPastTwelveGrowTheBoxButShowTwelveLines) {
    logPlays(4, 15);
    g.seatNameMouseDown(4);
    EXPECT_EQ(sc.playLogBox.rect.height, 15 * 400 + 1000);
    EXPECT_EQ(sc.playLogBox.rect.left, 4200 + 350);
    EXPECT_EQ(sc.playLogBox.rect.top, 7700 - 7000 - 100);  // opens above the name
    EXPECT_EQ(shownLines(), 12);
    g.seatLabelMouseUp(4);

    // Opening a seat with fewer plays hides the lines of the last one.
    logPlays(2, 2);
    g.seatNameMouseDown(2);
    EXPECT_EQ(sc.playLogBox.rect.left, 4200 + 500);
    EXPECT_EQ(sc.playLogBox.rect.top, 150 + 150);
    EXPECT_EQ(sc.playLogBox.rect.height, 1800);
    EXPECT_EQ(shownLines(), 2);
    EXPECT_FALSE(sc.playLogLine[3].visible);
}

TEST_F(SeatPopup, TheBoardNamesOpenTheBoxToTheirLeftAtAFixedHeight) {
    logPlays(4, 1);
    for (int s = 1; s <= 4; ++s) {
        g.seatLaidMouseDown(s);
        EXPECT_EQ(sc.playLogBox.rect.left, sc.boardLaidName[s].rect.left - 3500) << s;
        EXPECT_EQ(sc.playLogBox.rect.top, 800) << s;
        EXPECT_EQ(sc.playLogShadow.rect.top, 900) << s;
        g.seatLabelMouseUp(s);
    }
    EXPECT_EQ(sc.playLogBox.rect.height, 1400);
    EXPECT_FALSE(sc.playLogBox.visible);

    // Seats outside 1..4 do nothing.
    g.seatNameMouseDown(0);
    g.seatLaidMouseDown(5);
    EXPECT_FALSE(sc.playLogBox.visible);
}

TEST_F(SeatPopup, HoverHighlightsTheNameAndFramesTheBoardName) {
    g.seatNameMouseMove(2);
    EXPECT_TRUE(sc.seatName[2].underline);
    EXPECT_EQ(sc.seatName[2].foreColor, kYellow);
    EXPECT_TRUE(g.NameHover);
    EXPECT_FALSE(sc.seatName[1].underline);

    g.NameHover = false;
    g.seatLaidMouseMove(3);
    EXPECT_TRUE(sc.boardLaidName[3].border);
    EXPECT_FALSE(sc.boardLaidName[1].border);
    EXPECT_TRUE(g.NameHover);
}

}  // namespace
}  // namespace vornak::test
