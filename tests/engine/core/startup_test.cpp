#include <gtest/gtest.h>

#include "support/fakes.h"

namespace vornak {
namespace {

using test::TestTable;

TEST(StartUp, NamePrompt) {
    {
        TestTable t;
        t.dialogs.inputAnswers = {std::string(10, ' ')};
        t.game.MainWindowLoad();
        ASSERT_EQ(t.dialogs.prompts.size(), 1u);
        EXPECT_EQ(t.dialogs.prompts[0], "กรุณาใส่ชื่อของคุณก่อนเริ่มเล่นเกม(มากสุด 8 ตัวอักษร)");
        EXPECT_EQ(t.game.match.PlayerName, "Noname");
        EXPECT_EQ(t.game.match.Players[4].Name, "Noname");
    }
    {
        TestTable t;
        t.dialogs.inputAnswers = {std::nullopt};  // cancelled: an empty name
        t.game.MainWindowLoad();
        EXPECT_EQ(t.game.match.PlayerName, "");
    }
    {
        TestTable t;
        t.dialogs.inputAnswers = {std::string("สมชาย ใจดีมากมาก")};  // not cut to 8
        t.game.MainWindowLoad();
        EXPECT_EQ(t.game.match.PlayerName, "สมชาย ใจดีมากมาก");
    }
}

TEST(StartUp, ProgramStartDefaultsAndRecordsFolder) {
    TestTable t;
    t.game.paths.recordsFile = t.dir.file("a/b/ScoreData.Dat");
    t.game.match.BeginnerChosen = true;
    t.game.ProgramStart();
    EXPECT_TRUE(t.game.match.MissionMode);
    EXPECT_FALSE(t.game.match.BeginnerChosen);
    EXPECT_EQ(t.dialogs.titleScreens, 1);
    EXPECT_TRUE(std::filesystem::is_directory(t.dir.path() / "a" / "b"));
}

TEST(StartUp, CloseAsksFirst) {
    TestTable t;
    t.dialogs.messageAnswers = {MsgResult::Cancel, MsgResult::Ok};
    EXPECT_FALSE(t.game.queryClose());
    EXPECT_TRUE(t.game.queryClose());
    EXPECT_EQ(t.dialogs.messages[0].text, " กดปุ่ม OK เพื่อจบโปรแกรม  กดปุ่ม Cancle เพื่อยกเลิก ");
    EXPECT_EQ(t.dialogs.messages[0].title, "จบโปรแกรม");
    t.dialogs.messageAnswers = {MsgResult::Cancel};
    t.game.ExitItem_Click();
    EXPECT_EQ(t.dialogs.quits, 0);
    t.game.ExitItem_Click();
    EXPECT_EQ(t.dialogs.quits, 1);
    EXPECT_EQ(t.dialogs.messages.back().text, " กดปุ่ม OK เพื่อจบโปรแกรม กดปุ่ม Cancle เพื่อยกเลิก ");
}

TEST(StartUp, TopPanelFollowsThePointer) {
    TestTable t;
    t.game.windowMouseMove(100, 100);
    EXPECT_TRUE(t.game.scene.topPanel.visible);
    t.game.windowMouseMove(100, 151);
    EXPECT_FALSE(t.game.scene.topPanel.visible);
    t.game.windowMouseMove(9046, 10);
    EXPECT_FALSE(t.game.scene.topPanel.visible);

    // While a computer seat plays, its narration stays up wherever the
    // pointer goes.
    t.setUpGame();
    t.game.DealRound();
    t.game.turnTimerTick();
    ASSERT_TRUE(t.game.seq.waiting());
    EXPECT_TRUE(t.game.scene.topPanel.visible);
    t.game.windowMouseMove(3000, 4000);
    EXPECT_TRUE(t.game.scene.topPanel.visible);
    t.game.seq.runToEnd();
    EXPECT_FALSE(t.game.scene.topPanel.visible);
}

TEST(StartUp, RightClickOnTheTablePopsTheSkinMenu) {
    TestTable t;
    t.game.windowMouseUp(2, 500, 500);
    ASSERT_EQ(t.dialogs.popups.size(), 1u);
    EXPECT_EQ(t.dialogs.popups[0], PopupMenu::Skin);
    t.game.windowMouseUp(1, 500, 500);
    EXPECT_EQ(t.dialogs.popups.size(), 1u);
}

}  // namespace
}  // namespace vornak
