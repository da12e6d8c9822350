// The end-of-round board and the score notebook.
#include <gtest/gtest.h>

#include <numeric>

#include "support/fakes.h"

namespace vornak::test {
namespace {

std::vector<int> codes(int first, int last) {
    std::vector<int> v(static_cast<std::size_t>(last - first + 1));
    std::iota(v.begin(), v.end(), first);
    return v;
}

class BoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.setUpGame();
        g.table.Seats[0].Cards.assign(codes(1, 19));          // the stock: 19 cards
        g.table.Seats[0].PileCards.assign({20, 21, 22});      // 22: the turned-down card
        g.table.Seats[1].Cards.assign(codes(23, 40));         // 18 cards
        g.table.Seats[4].PileCards.assign({45, 41, 42, 43});  // laid in this order
        g.table.Seats[4].Knocked = true;
        for (int c = 1; c <= 52; ++c) g.scene.cardBack[c].visible = true;
    }
    const CardPicture& face(int code) const { return g.scene.cardFace[code]; }

    TestTable t;
    Game& g = t.game;
};

TEST_F(BoardTest, ColumnsAndTheTurnedDownCard) {
    g.ShowRoundEndBoard();

    EXPECT_EQ(face(22).left, 500);
    EXPECT_EQ(face(22).top, 1600);
    EXPECT_TRUE(face(22).visible);
    EXPECT_EQ(g.table.Seats[0].PileCount(), 2);

    // 19 cards in a column: 200 apart; 18: 250 apart.
    for (int j = 1; j <= 19; ++j) {
        EXPECT_EQ(face(j).left, 2050);
        EXPECT_EQ(face(j).top, 1040 + (j - 1) * 200);
    }
    for (int j = 1; j <= 18; ++j) {
        EXPECT_EQ(face(22 + j).left, 4100);
        EXPECT_EQ(face(22 + j).top, 1040 + (j - 1) * 250);
    }
    EXPECT_EQ(face(20).left, 3050);
    EXPECT_EQ(face(21).top, 1290);
    EXPECT_GT(face(40).z, face(39).z);

    // The laid cards show the order they were laid in, also after scoring.
    g.ScoreRound();
    EXPECT_EQ(handText(g.table.Seats[4].PileCards), "3S 4S 5S 7S");
    const int laidLeft = 7800 + 3 * 930;
    EXPECT_EQ(face(45).left, laidLeft);
    EXPECT_EQ(face(45).top, 1040);
    EXPECT_EQ(face(43).top, 1040 + 3 * 250);

    // The notebook is open beside the table: no card lies under it.
    const Rect& book = g.scene.notebook.rect;
    ASSERT_TRUE(g.scene.notebook.visible);
    for (int c = 1; c <= 52; ++c) {
        EXPECT_FALSE(g.scene.cardBack[c].visible);
        if (c > 45 || c == 44) {
            EXPECT_FALSE(face(c).visible) << c;
        } else {
            EXPECT_TRUE(face(c).left + kFaceWidth <= book.left ||
                        face(c).left >= book.left + book.width)
                << c;
        }
    }
}

TEST_F(BoardTest, TheTableGivesWayToTheBoard) {
    g.skins.current = 6;
    g.scene.skinOverlay.visible = true;
    g.ShowRoundEndBoard();

    EXPECT_EQ(g.scene.hintLine.caption, "คลิ๊กเมาส์  เพื่อเล่นต่อไป ");
    EXPECT_EQ(g.scene.backgroundPicture, g.paths.pictureFolder + "/endround1.bmp");
    EXPECT_FALSE(g.scene.skinOverlay.visible);
    EXPECT_FALSE(g.scene.menus.mnuGame.enabled);
    EXPECT_FALSE(g.scene.menus.mnuHelp.enabled);
    EXPECT_FALSE(g.scene.menus.mnuPlay.enabled);
    EXPECT_FALSE(g.scene.stockCount.visible);
    EXPECT_FALSE(g.scene.targetLine.visible);
    EXPECT_TRUE(g.scene.boardPanel.visible);
    EXPECT_TRUE(g.scene.notebook.visible);
    EXPECT_TRUE(g.scene.menus.ScoreBrdItem.checked);
    for (int s = 1; s <= 4; ++s) {
        EXPECT_FALSE(g.scene.seatName[s].visible);
        EXPECT_TRUE(g.scene.boardLaidName[s].visible);
        EXPECT_TRUE(g.scene.resultLine[s].visible);
    }

    // Skins 1 to 5 leave the overlay alone.
    TestTable other;
    other.setUpGame();
    other.game.skins.current = 5;
    other.game.scene.skinOverlay.visible = true;
    other.game.ShowRoundEndBoard();
    EXPECT_TRUE(other.game.scene.skinOverlay.visible);
}

TEST_F(BoardTest, BoardPanelCloseMark) {
    g.ShowRoundEndBoard();
    const Rect mark = g.scene.boardCloseMark.rect;
    g.boardPanelMouseMove(mark.left + 10, 650);
    EXPECT_TRUE(g.scene.boardCloseMark.visible);
    EXPECT_EQ(g.scene.boardPanel.cursor, Cursor::Close);
    EXPECT_EQ(g.scene.boardPanel.tooltip, "ปิดกระดานสรุปคะแนน");
    g.boardPanelMouseMove(mark.left + 10, 710);
    EXPECT_FALSE(g.scene.boardCloseMark.visible);
    EXPECT_EQ(g.scene.boardPanel.tooltip, "");

    g.boardPanelMouseUp(1, mark.left - 10, 100);
    EXPECT_TRUE(g.scene.boardPanel.visible);
    g.boardPanelMouseUp(2, mark.left, mark.top);
    EXPECT_FALSE(g.scene.boardPanel.visible);
    EXPECT_FALSE(g.scene.boardCloseMark.visible);
}

// ---- Notebook ----

class NotebookTest : public ::testing::Test {
protected:
    void SetUp() override { t.setUpGame(); }

    // Ends a round the way the end of turn does after scoring.
    void endRound(long p1 = 10, long p2 = 20, long p3 = 30, long p4 = 40) {
        const auto r = static_cast<std::size_t>(g.match.RoundNumber);
        const long p[] = {0, p1, p2, p3, p4};
        for (int s = 1; s <= 4; ++s) {
            g.match.Players[s].RoundPoints[r] = p[s];
            g.match.Players[s].TotalPoints += p[s];
        }
        g.UpdateNotebook();
        g.notebook.rows = g.match.RoundNumber;
        if (g.match.RoundNumber >= 4) g.scene.notebookScrollDown.enabled = true;
        for (int s = 1; s <= 4; ++s)
            g.table.Seats[s].Knocked = g.table.Seats[s].DarkKnocked = false;
    }

    TestTable t;
    Game& g = t.game;
};

TEST_F(NotebookTest, RowsCellsAndTotals) {
    g.table.Seats[1].Knocked = true;
    g.match.Players[1].RoundK[1] = 1;
    g.match.Players[2].RoundFooled[1] = true;
    g.match.Players[2].RoundK[1] = -1;
    endRound(85, -60, 0, 5);
    g.table.Seats[3].DarkKnocked = true;
    g.match.Players[3].RoundFooled[2] = true;
    g.match.Players[3].RoundK[2] = 2;
    endRound(-5, 10, 120, 0);

    EXPECT_EQ(g.match.RoundNumber, 3);
    ASSERT_EQ(g.scene.notebookRound.size(), 3u);
    EXPECT_EQ(g.scene.notebookRound[1].caption, "รอบที่  1");
    EXPECT_EQ(g.scene.notebookRound[2].caption, "รอบที่  2");
    EXPECT_EQ(g.scene.notebookRound[2].rect.top - g.scene.notebookRound[1].rect.top, 360);
    EXPECT_EQ(g.scene.notebookRound[1].rect.top - g.scene.notebookRound[0].rect.top, 360);
    EXPECT_EQ(g.scene.notebookCell[4][2].rect.top, g.scene.notebookRound[2].rect.top);
    EXPECT_EQ(g.scene.notebookCell[1][1].caption, " 85( 1K)*");
    EXPECT_EQ(g.scene.notebookCell[2][1].caption, "-60(-1K)^");
    EXPECT_EQ(g.scene.notebookCell[3][1].caption, " 0( 0K)");
    // A fooled dark knocker shows only the star.
    EXPECT_EQ(g.scene.notebookCell[3][2].caption, " 120( 2K)*");
    EXPECT_TRUE(g.scene.notebookCell[3][2].visible);

    EXPECT_EQ(g.scene.notebookTotal[1].caption, " 80");
    EXPECT_EQ(g.scene.notebookTotal[2].caption, "-50");
    EXPECT_EQ(g.scene.panelPoints[3].caption, " 120");
    EXPECT_EQ(g.scene.panelK[3].caption, " 2");
    EXPECT_EQ(g.scene.panelFooled[3].caption, " 1");
    EXPECT_EQ(g.scene.panelGotFool[3].caption, " 0");
    EXPECT_EQ(g.statistics.k[2].caption, "-1");
    EXPECT_EQ(g.statistics.fooled[2].caption, " 1");

    // A new game takes the rows away.
    g.ResetGame();
    EXPECT_EQ(g.scene.notebookRound.size(), 1u);
    EXPECT_EQ(g.scene.notebookCell[1].size(), 1u);
    EXPECT_EQ(g.scene.notebookTotal[1].caption, "");
    EXPECT_EQ(g.scene.panelPoints[1].caption, "");
    EXPECT_EQ(g.match.RoundNumber, 1);
}

TEST_F(NotebookTest, ScrollButtons) {
    endRound();
    EXPECT_FALSE(g.scene.notebookScrollDown.enabled);
    EXPECT_FALSE(g.scene.notebookScrollUp.enabled);
    endRound();
    endRound();
    EXPECT_TRUE(g.scene.notebookScrollDown.enabled);
    EXPECT_FALSE(g.scene.notebookScrollUp.enabled);
    endRound();
    endRound();
    ASSERT_EQ(g.notebook.rows, 6);

    const int top1 = g.scene.notebookRound[1].rect.top;
    const int cellTop5 = g.scene.notebookCell[2][5].rect.top;
    for (int press = 1; press <= 4; ++press) {
        ASSERT_TRUE(g.scene.notebookScrollDown.enabled) << press;
        g.notebookScroll(1);
        EXPECT_TRUE(g.scene.notebookScrollUp.enabled);
        EXPECT_EQ(g.scene.notebookRound[1].rect.top, top1 - press * 360);
    }
    EXPECT_FALSE(g.scene.notebookScrollDown.enabled);
    EXPECT_EQ(g.scene.notebookCell[2][5].rect.top, cellTop5 - 4 * 360);

    // The next round is placed below the last one, wherever it stands.
    endRound();
    EXPECT_EQ(g.scene.notebookRound[6].rect.top, g.scene.notebookRound[5].rect.top + 360);

    g.notebookScroll(0);
    g.notebookScroll(0);
    g.notebookScroll(0);
    EXPECT_TRUE(g.scene.notebookScrollUp.enabled);
    g.notebookScroll(0);
    EXPECT_EQ(g.notebook.scroll, 0);
    EXPECT_FALSE(g.scene.notebookScrollUp.enabled);
    EXPECT_TRUE(g.scene.notebookScrollDown.enabled);
    EXPECT_EQ(g.scene.notebookRound[1].rect.top, top1);
    g.notebookScroll(7);
    EXPECT_EQ(g.scene.notebookRound[1].rect.top, top1);
}

TEST_F(NotebookTest, MenuItemAndCloseMark) {
    g.ScoreBrdItem_Click();
    EXPECT_TRUE(g.scene.notebook.visible);
    EXPECT_TRUE(g.scene.menus.ScoreBrdItem.checked);

    const Rect mark = g.scene.notebookCloseMark.rect;
    g.notebookMouseMove(mark.left + mark.width, 700);
    EXPECT_TRUE(g.scene.notebookCloseMark.visible);
    EXPECT_EQ(g.scene.notebook.cursor, Cursor::Close);
    EXPECT_EQ(g.scene.notebook.tooltip, "ปิดสมุดจดแต้ม");
    g.notebookMouseMove(mark.left - 1, 100);
    EXPECT_FALSE(g.scene.notebookCloseMark.visible);
    EXPECT_EQ(g.scene.notebook.tooltip, "");

    g.notebookMouseUp(1, mark.left - 1, 100);  // outside the mark: nothing
    EXPECT_TRUE(g.scene.notebook.visible);
    g.notebookMouseUp(1, mark.left, 300);
    EXPECT_FALSE(g.scene.notebook.visible);
    EXPECT_FALSE(g.scene.menus.ScoreBrdItem.checked);

    g.ScoreBrdItem_Click();
    g.ScoreBrdItem_Click();
    EXPECT_FALSE(g.scene.notebook.visible);
}

TEST_F(NotebookTest, GamesLongerThanTheArraysKeepWorking) {
    for (int i = 0; i < 35; ++i) endRound(1, 1, 1, 1);  // capacity at 300 is 30 rounds
    EXPECT_EQ(g.match.RoundNumber, 36);
    EXPECT_EQ(g.match.Players[1].TotalPoints, 35);
    EXPECT_EQ(g.scene.notebookRound[35].caption, "รอบที่  35");
}

}  // namespace
}  // namespace vornak::test
