// The title, statistics and end screens.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/fakes.h"

namespace vornak::test {
namespace {

// Ticks the title screen until its picture stops; returns the ticks run.
int runRise(TitleScreen& s) {
    int n = 0;
    while (s.riseTimer.enabled && n < 1000) {
        s.tick();
        ++n;
    }
    return n;
}

TEST(TitleScreen, StartUpPictureRisesFasterAndFasterToStartGame) {
    TitleScreen s;
    s.open(true, false, false);
    const Image& start = s.image[static_cast<int>(TitleArt::Start)];
    EXPECT_TRUE(start.visible);
    EXPECT_EQ(start.rect.top, 4440 - 6);  // the first tick runs at once
    EXPECT_EQ(s.cursor, Cursor::Busy);
    EXPECT_FALSE(s.actionCaption.visible);

    int previousTop = start.rect.top;
    int previousStep = 6;
    while (s.riseTimer.enabled) {
        s.tick();
        const int step = previousTop - start.rect.top;
        EXPECT_EQ(step, previousStep + 6);
        previousStep = step;
        previousTop = start.rect.top;
        // The caption appears on the first tick that takes the picture above 500.
        EXPECT_EQ(s.actionCaption.visible, start.rect.top < 500);
    }
    EXPECT_LT(start.rect.top, 500);
    EXPECT_GE(start.rect.top + previousStep, 500);
    EXPECT_EQ(s.actionCaption.caption, "Start Game");
    EXPECT_EQ(s.cursor, Cursor::Default);
    const int top = start.rect.top;
    s.tick();  // the timer has stopped
    EXPECT_EQ(start.rect.top, top);

    s.clickAction();
    EXPECT_TRUE(s.closed);
    EXPECT_FALSE(start.visible);
}

TEST(TitleScreen, BeginnerContinuePlaysTheBeginnerAnimation) {
    TitleScreen s;
    s.open(true, true, false);
    EXPECT_TRUE(s.image[static_cast<int>(TitleArt::Continue)].visible);
    EXPECT_EQ(s.actionCaption.caption, "Continue");
    EXPECT_FALSE(s.stakeLabel[0].visible);

    s.clickAction();
    EXPECT_FALSE(s.closed);
    EXPECT_FALSE(s.image[static_cast<int>(TitleArt::Continue)].visible);
    EXPECT_TRUE(s.image[static_cast<int>(TitleArt::Beginner)].visible);
    EXPECT_FALSE(s.actionCaption.visible);
    runRise(s);
    EXPECT_LT(s.image[static_cast<int>(TitleArt::Beginner)].rect.top, 50);
    EXPECT_EQ(s.actionCaption.caption, "Play Now");
    for (const Label& l : s.stakeLabel) EXPECT_TRUE(l.visible);
    EXPECT_TRUE(s.moneyLabel.visible);

    s.hoverAction(true);
    EXPECT_EQ(s.actionCaption.foreColor, kRed);
    s.hoverAction(false);
    EXPECT_EQ(s.actionCaption.foreColor, kWhite);
    s.clickAction();
    EXPECT_TRUE(s.closed);
}

TEST(TitleScreen, VipMissionAndNormalMode) {
    TitleScreen s;
    s.open(true, false, true);
    EXPECT_EQ(s.image[static_cast<int>(TitleArt::Vip)].rect.top, 4440 - 6);
    runRise(s);
    EXPECT_EQ(s.actionCaption.caption, "Play Game");

    // Normal mode: the picture stands still and any click closes.
    s.open(false, false, true);
    EXPECT_FALSE(s.riseTimer.enabled);
    EXPECT_TRUE(s.image[static_cast<int>(TitleArt::Vip)].visible);
    EXPECT_EQ(s.actionCaption.caption, "Play Game");
    EXPECT_TRUE(s.stakeLabel[3].visible);
    s.clickAction();
    EXPECT_TRUE(s.closed);

    s.open(false, true, false);
    EXPECT_EQ(s.actionCaption.caption, "Play Now");
    EXPECT_FALSE(s.closed);
}

TEST(StatisticsScreen, ContinueReturnsTheMoneyShown) {
    StatisticsScreen s;
    EXPECT_EQ(s.heading[3].caption, "เงินที่เหลือ(บาท)");
    s.money[4].caption = "-1250";
    s.open(true);
    EXPECT_FALSE(s.picMoney.visible);
    s.open(false);
    EXPECT_TRUE(s.picMoney.visible);
    EXPECT_EQ(s.actionCaption.caption, "Continue");
    EXPECT_EQ(s.clickAction(), -1250);
    EXPECT_TRUE(s.closed);
}

TEST(EndScreen, LostPicturesAlternate) {
    TestTable t;
    Game& g = t.game;
    g.match.GameWon = false;
    g.match.ElapsedSeconds = 500;
    EndScreen s;
    s.open(g);
    EXPECT_EQ(s.actionCaption.caption, "New Game");
    EXPECT_EQ(g.match.ElapsedSeconds, 1);
    EXPECT_TRUE(s.image[1].visible);
    EXPECT_FALSE(s.image[0].visible);
    s.tick(g);
    EXPECT_TRUE(s.image[0].visible);
    EXPECT_FALSE(s.image[1].visible);
    EXPECT_EQ(g.match.ElapsedSeconds, 0);
    s.tick(g);
    EXPECT_TRUE(s.image[1].visible);
    EXPECT_FALSE(s.image[2].visible || s.image[3].visible);
    s.clickAction();
    EXPECT_TRUE(s.closed);
    EXPECT_FALSE(s.showHallOfFame);
    EXPECT_FALSE(std::filesystem::exists(g.paths.recordsFile));  // a lost game changes no record
}

TEST(EndScreen, WonGameMergesTheRecordsThenShowsTheHallOfFame) {
    TestTable t;
    Game& g = t.game;
    g.ReadRecords();
    g.match.GameWon = true;
    g.match.PlayerName = "Ann";
    g.match.MoneyAtRoundStart = 12000;
    g.match.ElapsedSeconds = 700;
    t.dialogs.onEndScreen = [](EndScreen& s) {
        EXPECT_EQ(s.actionCaption.caption, "Continue");
        EXPECT_TRUE(s.image[3].visible);
        s.clickAction();
    };
    g.showEndScreen();
    EXPECT_EQ(t.dialogs.hallOfFames, 1);
    EXPECT_EQ(g.records.lines[1], "Ann");
    EXPECT_EQ(g.records.lines[13], "700");
}

}  // namespace
}  // namespace vornak::test
