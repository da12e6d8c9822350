// Round money, game-end money, the levels and the decision at a game's end.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/fakes.h"

namespace vornak::test {
namespace {

class MoneyTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.setUpGame();
        g.match.Players[4].Money = 8000;
    }
    long money(int s) const { return g.match.Players[s].Money; }
    long sum() const { return money(1) + money(2) + money(3) + money(4); }

    TestTable t;
    Game& g = t.game;
};

TEST_F(MoneyTest, KMoneySumsToZeroEveryRound) {
    const int ks[][5] = {{0, 2, 0, 0, 0}, {0, -3, 1, 0, -2}, {0, 1, 1, 1, 1}, {0, 0, 5, -1, -4}};
    for (const auto& round : ks) {
        const long before = sum();
        const long seat2 = money(2);
        for (int s = 1; s <= 4; ++s)
            g.match.Players[s].RoundK[static_cast<std::size_t>(g.match.RoundNumber)] = round[s];
        g.UpdateNotebook();
        EXPECT_EQ(sum(), before);
        const long k2 = round[2], others = round[1] + round[3] + round[4];
        EXPECT_EQ(money(2) - seat2, (3 * k2 - others) * 500);
    }
}

TEST_F(MoneyTest, FoolMoney) {
    // The person is fooled and nobody is marked as paid: he pays anyway.
    g.match.Players[4].RoundFooled[1] = true;
    g.UpdateNotebook();
    EXPECT_EQ(money(4), 7500);
    EXPECT_EQ(money(3), 20000);

    // Fooled and paid: the money only changes hands.
    g.match.Players[2].RoundFooled[2] = true;
    g.match.Players[3].RoundGotFool[2] = true;
    const long before = sum();
    g.UpdateNotebook();
    EXPECT_EQ(money(2), 19500);
    EXPECT_EQ(money(3), 20500);
    EXPECT_EQ(sum(), before);
}

TEST_F(MoneyTest, GameEndMoneyWithTiedLeaderNegativeTotalAndPot) {
    const long totals[] = {0, 300, 300, 100, -50};
    for (int s = 1; s <= 4; ++s) g.match.Players[s].TotalPoints = totals[s];
    g.match.Players[3].DummyDiscardCount = 1;
    g.match.Players[4].DiscardOnThreeCount = 2;
    g.match.TargetReached = true;

    g.UpdateNotebook();

    EXPECT_EQ(g.match.MissionPot, 1500);
    EXPECT_EQ(money(2), 20000);             // tied with the leader: pays nothing
    EXPECT_EQ(money(3), 20000 - 200 * 10);  // L - total
    EXPECT_EQ(money(4), 8000 - 350 * 10);   // L + |total|
    EXPECT_EQ(money(1), 20000 + 1500 + 5500);
    EXPECT_EQ(g.statistics.money[1].caption, " 27000");
    EXPECT_EQ(g.statistics.money[4].caption, " 4500");
}

TEST(Levels, EveryValueOfTheLevelTable) {
    struct Case {
        bool vip;
        int index, target, run, help;
    };
    const Case cases[] = {{false, 1, 300, 3, 1}, {false, 2, 500, 3, 5}, {false, 3, 700, 4, 8},
                          {true, 1, 500, 3, 3},  {true, 2, 1000, 4, 5}, {true, 3, 2000, 5, 8}};
    for (const Case& c : cases) {
        TestTable t;
        Game& g = t.game;
        g.match.MarkRateA = 7;
        g.match.MarkRateB = 9;
        g.match.Players[4].Name = "Tester";
        if (c.vip)
            g.EndScoreHard_Click(c.index);
        else
            g.EndScoreEasy_Click(c.index);
        SCOPED_TRACE(std::to_string(c.vip) + " " + std::to_string(c.index));
        EXPECT_FALSE(g.match.MissionMode);
        EXPECT_EQ(g.match.BeginnerChosen, !c.vip);
        EXPECT_EQ(g.match.VipChosen, c.vip);
        EXPECT_EQ(g.match.PointTarget, c.target);
        EXPECT_EQ(g.match.PreparedRunLength, c.run);
        EXPECT_EQ(g.match.DrawHelpLevel, c.help);
        EXPECT_EQ(g.match.BahtPerPoint, c.vip ? 50 : 10);
        EXPECT_EQ(g.match.KBaht, c.vip ? 1000 : 500);
        EXPECT_EQ(g.match.FoolBaht, c.vip ? 1000 : 500);
        EXPECT_EQ(g.match.MarkRateA, 7);
        EXPECT_EQ(g.match.MarkRateB, 9);
        EXPECT_EQ(g.match.Players[2].Money, c.vip ? 100000 : 20000);
        EXPECT_EQ(g.match.Players[4].Money, c.target >= 1000 ? 12000 : 8000);
        EXPECT_EQ(g.scene.levelLabel.caption, c.vip ? "VIP  Level" : "Beginner Level");
        EXPECT_EQ(g.match.Players[3].Name, c.vip ? " N.Oswet " : " H.Tolvik ");
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(g.scene.menus.EndScoreEasy[i].checked, !c.vip && i == c.index);
            EXPECT_EQ(g.scene.menus.EndScoreHard[i].checked, c.vip && i == c.index);
        }
        EXPECT_EQ(g.titleScreen.stakeLabel[3].caption, " " + std::to_string(c.target));
    }
}

TEST(Levels, LabelsOfABeginnerGame) {
    TestTable t;
    Game& g = t.game;
    g.match.Players[4].Name = "ผู้เล่น";
    g.EndScoreEasy_Click(1);
    EXPECT_EQ(g.scene.targetLine.caption, "จบเกม  300 แต้ม(แต้มละ  10 บาท)");
    EXPECT_EQ(g.scene.ratesLine.caption, "ค่าเค   500  บาท , ค่าโง่   500  บาท");
    EXPECT_EQ(g.titleScreen.stakeLabel[0].caption, " 10");
    EXPECT_EQ(g.titleScreen.stakeLabel[1].caption, " 500");
    EXPECT_EQ(g.titleScreen.stakeLabel[2].caption, " 500");
    for (int s = 1; s <= 4; ++s) {
        const std::string& name = g.match.Players[s].Name;
        EXPECT_EQ(g.scene.boardHandName[s].caption, name);
        EXPECT_EQ(g.scene.boardLaidName[s].caption, name);
        EXPECT_EQ(g.scene.panelName[s].caption, name);
        EXPECT_EQ(g.scene.panelTitle[s].caption, name);
        EXPECT_EQ(g.statistics.name[s].caption, name);
    }
    EXPECT_EQ(g.scene.boardLaidName[1].caption, " P.Dorran ");
    EXPECT_EQ(g.scene.panelName[4].caption, "ผู้เล่น");
}

TEST(Levels, Missions) {
    TestTable t;
    Game& g = t.game;
    g.match.Players[4].Money = 25000;
    g.StartVipMission();
    EXPECT_TRUE(g.match.MissionMode);
    EXPECT_TRUE(g.match.VipChosen);
    EXPECT_EQ(g.match.PointTarget, 500);
    EXPECT_EQ(g.match.PreparedRunLength, 4);
    EXPECT_EQ(g.match.DrawHelpLevel, 7);
    EXPECT_EQ(g.match.MarkRateA, 500);
    EXPECT_EQ(g.match.MarkRateB, 500);
    EXPECT_EQ(g.scene.levelLabel.caption, "VIP Level");
    EXPECT_EQ(g.match.Players[1].Name, " S.Brannoc ");
    EXPECT_EQ(g.match.Players[1].Money, 100000);
    EXPECT_EQ(g.titleScreen.moneyLabel.caption, " 25000");
    EXPECT_EQ(g.scene.moneyLabel.caption, " 25000");

    g.StartBeginnerMission();
    EXPECT_TRUE(g.match.BeginnerChosen);
    EXPECT_FALSE(g.match.VipChosen);
    EXPECT_EQ(g.match.PointTarget, 300);
    EXPECT_EQ(g.match.PreparedRunLength, 3);
    EXPECT_EQ(g.match.DrawHelpLevel, 5);
    EXPECT_EQ(g.match.BahtPerPoint, 10);
    EXPECT_EQ(g.match.Players[2].Money, 20000);
    EXPECT_EQ(g.scene.levelLabel.caption, "Beginner Level");
}

TEST(Levels, ResetGameSizesTheRoundArrays) {
    const int targets[][2] = {{300, 30}, {500, 50}, {700, 70}, {1000, 100}, {2000, 200}, {450, 50}};
    for (const auto& c : targets) {
        TestTable t;
        Game& g = t.game;
        g.match.PointTarget = c[0];
        g.match.Players[2].TotalPoints = 99;
        g.match.Players[2].DummyDiscardCount = 3;
        g.match.TargetReached = true;
        g.table.TurnForward = false;
        g.table.CurrentSeat = 3;
        g.match.MissionPot = 1000;
        g.ResetGame();
        EXPECT_EQ(g.match.Players[1].RoundK.size(), static_cast<std::size_t>(c[1] + 1));
        EXPECT_EQ(g.match.Players[4].RoundFooled.size(), static_cast<std::size_t>(c[1] + 1));
        EXPECT_EQ(g.match.Players[2].TotalPoints, 0);
        EXPECT_EQ(g.match.Players[2].DummyDiscardCount, 0);
        EXPECT_FALSE(g.match.TargetReached);
        EXPECT_TRUE(g.table.TurnForward);
        EXPECT_EQ(g.table.CurrentSeat, 0);
        EXPECT_EQ(g.match.MissionPot, 0);
        EXPECT_EQ(g.match.RoundNumber, 1);
    }
}

// ---- The click after the last round ----

class GameEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.setUpGame();
        t.dialogs.onEndScreen = [this](EndScreen& s) {
            endCaption = s.actionCaption.caption;
            s.clickAction();
        };
        g.scene.clockLabel.caption = "0:12:34";
        g.ReadRecords();  // as the main window does when it loads
    }
    // The state after a round that reached the target and its notebook update.
    void lastRound(long personTotal, long bestComputerRound) {
        g.match.Players[4].TotalPoints = personTotal;
        g.match.Players[2].RoundPoints[1] = bestComputerRound;
        g.match.Players[1].TotalPoints = 300;
        g.match.RoundNumber = 2;
        g.match.TargetReached = true;
        g.table.RoundOver = true;
    }

    TestTable t;
    Game& g = t.game;
    std::string endCaption;
};

TEST_F(GameEndTest, NextRoundWhileTheGameGoesOn) {
    g.match.RoundNumber = 2;
    g.table.RoundOver = true;
    g.match.Players[4].Money = 9100;
    g.scene.boardPanel.visible = true;
    g.scene.noKnockPicture.visible = true;
    g.scene.menus.ScoreBrdItem.checked = true;
    g.scene.notebook.visible = true;
    g.ContinueAfterRound();
    EXPECT_FALSE(g.scene.boardPanel.visible);
    EXPECT_FALSE(g.scene.noKnockPicture.visible);
    EXPECT_FALSE(g.scene.notebook.visible);
    EXPECT_FALSE(g.scene.menus.ScoreBrdItem.checked);
    EXPECT_TRUE(g.scene.clockTimer.enabled);
    EXPECT_EQ(g.match.MoneyAtRoundStart, 9100);
    EXPECT_EQ(g.match.FinalTime, "0:12:34");
    EXPECT_EQ(g.scene.seatName[1].caption, " P.Dorran ");
    EXPECT_FALSE(g.table.RoundOver);  // dealt
    EXPECT_EQ(t.dialogs.statisticsScreens, 0);
    EXPECT_EQ(t.dialogs.endScreens, 0);
}

TEST_F(GameEndTest, NormalBeginnerGameWonAt300) {
    g.match.MissionMode = false;
    lastRound(300, 120);
    g.ContinueAfterRound();
    EXPECT_EQ(t.dialogs.statisticsScreens, 1);
    EXPECT_EQ(t.dialogs.endScreens, 1);
    EXPECT_EQ(endCaption, "Continue");
    EXPECT_EQ(t.dialogs.hallOfFames, 1);
    EXPECT_TRUE(std::filesystem::exists(g.paths.recordsFile));
    EXPECT_EQ(g.records.lines[10], "0:12:34");
    // A new game has started.
    EXPECT_EQ(g.match.RoundNumber, 1);
    EXPECT_FALSE(g.match.TargetReached);
    EXPECT_FALSE(g.match.MissionMode);
}

TEST_F(GameEndTest, NormalBeginnerGameLostAt299OrBelowAComputersRound) {
    g.match.MissionMode = false;
    lastRound(299, 120);
    g.ContinueAfterRound();
    EXPECT_EQ(endCaption, "New Game");
    EXPECT_EQ(t.dialogs.hallOfFames, 0);
    EXPECT_FALSE(std::filesystem::exists(g.paths.recordsFile));
    EXPECT_EQ(g.match.RoundNumber, 1);
    EXPECT_FALSE(g.match.MissionMode);

    lastRound(300, 300);  // not above the best computer round
    g.ContinueAfterRound();
    EXPECT_EQ(endCaption, "New Game");
}

TEST_F(GameEndTest, MissionMovesUpToVipAt25000) {
    lastRound(100, 50);
    g.match.Players[4].Money = 25000;
    bool vipTitle = false;
    t.dialogs.onTitleScreen = [&](TitleScreen& s) { vipTitle = s.vipChosen && s.missionMode; };
    g.ContinueAfterRound();
    EXPECT_TRUE(vipTitle);
    EXPECT_EQ(t.dialogs.titleScreens, 1);
    EXPECT_TRUE(g.match.VipChosen);
    EXPECT_EQ(g.match.PointTarget, 500);
    EXPECT_EQ(g.match.RoundNumber, 1);
    EXPECT_FALSE(g.match.TargetReached);
    EXPECT_EQ(g.match.Players[4].Money, 25000);  // carried over
    EXPECT_EQ(g.match.Players[1].Money, 100000);
    EXPECT_EQ(t.dialogs.endScreens, 0);
}

TEST_F(GameEndTest, MissionMovesBackToBeginnerAt15000) {
    g.StartVipMission();
    lastRound(100, 50);
    g.match.Players[4].Money = 15000;
    g.ContinueAfterRound();
    EXPECT_EQ(t.dialogs.titleScreens, 1);
    EXPECT_TRUE(g.match.BeginnerChosen);
    EXPECT_EQ(g.match.PointTarget, 300);
    EXPECT_EQ(g.match.Players[4].Money, 15000);
}

TEST_F(GameEndTest, MissionLostBelow3000AndGoesOnAt3000) {
    lastRound(100, 50);
    g.match.Players[4].Money = 3000;
    g.ContinueAfterRound();
    EXPECT_EQ(t.dialogs.endScreens, 0);
    EXPECT_EQ(t.dialogs.titleScreens, 0);
    EXPECT_EQ(g.match.RoundNumber, 1);
    EXPECT_TRUE(g.match.BeginnerChosen);
    EXPECT_EQ(g.match.Players[4].Money, 3000);

    lastRound(100, 50);
    g.match.Players[4].Money = 2999;
    g.ContinueAfterRound();
    EXPECT_EQ(t.dialogs.endScreens, 1);
    EXPECT_EQ(endCaption, "New Game");
    EXPECT_TRUE(g.match.MissionMode);
    EXPECT_EQ(g.match.Players[4].Money, 8000);  // a new game
}

TEST_F(GameEndTest, MissionWonAt100000) {
    g.StartVipMission();
    lastRound(600, 50);
    g.match.Players[4].Money = 100000;
    g.statistics.money[4].caption = " 100000";
    g.ContinueAfterRound();
    EXPECT_EQ(endCaption, "Continue");
    EXPECT_EQ(g.records.lines[7], "100000");  // read back by the hall of fame
    EXPECT_TRUE(g.match.BeginnerChosen);
    EXPECT_EQ(g.match.Players[4].Money, 8000);
}

TEST_F(GameEndTest, StatisticsContinueKeepsTheMoneyShown) {
    g.match.MissionMode = false;
    lastRound(100, 50);
    g.match.Players[4].Money = 9000;
    g.statistics.money[4].caption = " 8750";
    long kept = 0;
    t.dialogs.onEndScreen = [&](EndScreen& s) {
        kept = g.match.MoneyAtRoundStart;
        s.clickAction();
    };
    g.ContinueAfterRound();
    EXPECT_EQ(kept, 8750);
}

}  // namespace
}  // namespace vornak::test
