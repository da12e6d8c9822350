// The end-of-round board: every card face up in columns, the result lines
// on the board panel, and the click that takes it down again.
#include <algorithm>

#include "game/game.h"
#include "game/results/layout.h"
#include "core/i18n.h"

namespace vornak {

using namespace results;

namespace {

// Card j of a column (from 1) lies 250 below the previous one, or 200 when
// the column holds more than 18 cards.
void layoutColumn(Scene& scene, const CardList& cards, int count, int left) {
    const int step = count <= 18 ? 250 : 200;
    for (int j = 1; j <= count; ++j) {
        const int code = cards[j];
        if (!isValidCard(code)) continue;
        CardPicture& face = scene.cardFace[code];
        scene.toFront(face);
        face.visible = true;
        face.left = left;
        face.top = kBoardColumnTop + (j - 1) * step;
    }
}

}  // namespace

void Game::initResultsScene() {
    // Board panel and its result lines.
    scene.boardPanel.rect = {kBoardPanelLeft, kBoardPanelTop, kBoardPanelWidth, kBoardPanelHeight};
    scene.boardPanel.visible = false;
    scene.boardCloseMark.rect = {kBoardPanelWidth - 360, 40, 300, 300};
    scene.boardCloseMark.art = "close-mark";
    scene.boardCloseMark.visible = false;
    for (int s = 1; s <= 4; ++s) {
        Label& line = scene.resultLine[s];
        line.rect = {120, 90 + (s - 1) * 290, kBoardPanelWidth - 600, 270};
        line.visible = false;
        line.foreColor = kWhite;

        Label& hand = scene.boardHandName[s];
        hand.rect = {kHandColumnLeft + (s - 1) * kColumnStep, 760, kColumnStep - 30, 255};
        hand.visible = false;
        hand.pointSize = 8;
        hand.foreColor = kYellow;
        hand.align = Align::Center;

        Label& laid = scene.boardLaidName[s];
        laid.rect = {kLaidColumnLeft + (s - 1) * kColumnStep, 760, kColumnStep - 30, 255};
        laid.visible = false;
        laid.pointSize = 8;
        laid.foreColor = kWhite;
        laid.align = Align::Center;
    }

    scene.noKnockPicture.rect = {200, 3100, 1700, 1700};
    scene.noKnockPicture.art = "no-knock";
    scene.noKnockPicture.visible = false;

    // The score notebook.
    scene.notebook.rect = {kNotebookLeft, kNotebookTop, kNotebookWidth, kNotebookHeight};
    scene.notebook.visible = false;
    scene.notebook.cursor = Cursor::Default;
    scene.notebookCloseMark.rect = {kNotebookWidth - 360, 40, 300, 300};
    scene.notebookCloseMark.art = "close-mark";
    scene.notebookCloseMark.visible = false;

    Label& roundHeading = scene.notebookHeading[0];
    roundHeading.caption = _("รอบ");
    roundHeading.rect = {kNotebookRoundLeft, kNotebookHeadingTop, kNotebookRoundWidth,
                         kNotebookRowHeight};
    for (int s = 0; s <= 4; ++s) {
        Label& h = scene.notebookHeading[s];
        if (s > 0)
            h.rect = {kNotebookCellLeft + (s - 1) * kNotebookCellWidth, kNotebookHeadingTop,
                      kNotebookCellWidth, kNotebookRowHeight};
        h.bold = true;
        h.pointSize = 8;
        h.align = Align::Center;
        h.foreColor = kYellow;
        h.visible = true;
    }

    // Element 0 of every row array is the template the rows are placed from:
    // row r lies 360 below row r - 1, so row 1 is the first row of the band.
    Label round;
    round.rect = {kNotebookRoundLeft, kNotebookRowsTop - kNotebookRowStep, kNotebookRoundWidth,
                  kNotebookRowHeight};
    round.pointSize = 8;
    round.visible = false;
    scene.notebookRound.assign(1, round);
    for (int s = 1; s <= 4; ++s) {
        Label cell = round;
        cell.rect.left = kNotebookCellLeft + (s - 1) * kNotebookCellWidth;
        cell.rect.width = kNotebookCellWidth;
        cell.align = Align::Center;
        scene.notebookCell[s].assign(1, cell);

        Label& total = scene.notebookTotal[s];
        total.rect = {cell.rect.left, kNotebookTotalTop, kNotebookCellWidth, kNotebookRowHeight};
        total.pointSize = 8;
        total.bold = true;
        total.align = Align::Center;
        total.caption.clear();
        total.visible = true;
    }
    scene.notebookCell[0].assign(1, Label{});
    scene.notebookTotalCaption.caption = _("รวม");
    scene.notebookTotalCaption.rect = {kNotebookRoundLeft, kNotebookTotalTop, kNotebookRoundWidth,
                                       kNotebookRowHeight};
    scene.notebookTotalCaption.pointSize = 8;
    scene.notebookTotalCaption.bold = true;
    scene.notebookTotalCaption.visible = true;

    const int buttonWidth = (kNotebookWidth - 180) / 2;
    scene.notebookScrollUp.caption = _("เลื่อนดูะแนนข้างบน");
    scene.notebookScrollUp.rect = {60, kNotebookButtonTop, buttonWidth, kNotebookButtonHeight};
    scene.notebookScrollUp.enabled = false;
    scene.notebookScrollUp.visible = true;
    scene.notebookScrollDown.caption = _("เลื่อนดูคะแนนด้านล่าง");
    scene.notebookScrollDown.rect = {120 + buttonWidth, kNotebookButtonTop, buttonWidth,
                                     kNotebookButtonHeight};
    scene.notebookScrollDown.enabled = false;
    scene.notebookScrollDown.visible = true;
}

void Game::ShowRoundEndBoard() {
    hint(_("คลิ๊กเมาส์  เพื่อเล่นต่อไป "));
    const int n = table.Seats[0].PileCount();

    for (int c = 1; c <= 52; ++c) {
        scene.cardBack[c].visible = false;
        scene.cardFace[c].visible = false;
    }
    if (skins.current >= 6) scene.skinOverlay.visible = false;

    scene.backgroundPicture = paths.pictureFolder + "/endround1.bmp";
    scene.windowCursor = Cursor::Default;

    scene.menus.mnuGame.enabled = false;
    scene.menus.mnuHelp.enabled = false;
    scene.menus.mnuPlay.enabled = false;

    scene.forwardIcon.visible = false;
    scene.backwardIcon.visible = false;
    scene.stockCount.visible = false;
    scene.boardPanel.visible = true;
    scene.boardCloseMark.visible = false;
    scene.boardPanel.tooltip.clear();
    scene.boardPanel.cursor = Cursor::Default;

    scene.menus.ScoreBrdItem.checked = false;
    ScoreBrdItem_Click();

    scene.targetLine.visible = false;
    scene.ratesLine.visible = false;

    for (int s = 1; s <= 4; ++s) {
        scene.seatName[s].visible = false;
        scene.panelTitle[s].visible = false;
        scene.panelPoints[s].visible = false;
        scene.panelK[s].visible = false;
        scene.panelFooled[s].visible = false;
        scene.panelGotFool[s].visible = false;
        scene.boardHandName[s].visible = true;
        scene.boardLaidName[s].visible = true;
        scene.resultLine[s].visible = true;
    }

    // The top card of the pile (the knocker's turned-down card, or the last
    // discard) lies alone at the left.
    if (n >= 1) {
        const int top = table.Seats[0].PileCards[n];
        if (isValidCard(top)) {
            CardPicture& face = scene.cardFace[top];
            scene.toFront(face);
            face.left = kTurnedDownLeft;
            face.top = kTurnedDownTop;
            face.visible = true;
        }
        table.Seats[0].PileCount() = n - 1;
    }

    layoutColumn(scene, table.Seats[0].Cards, table.Seats[0].CardCount(), kStockColumnLeft);
    layoutColumn(scene, table.Seats[0].PileCards, table.Seats[0].PileCount(), kPileColumnLeft);
    for (int s = 1; s <= 4; ++s) {
        layoutColumn(scene, table.Seats[s].Cards, table.Seats[s].CardCount(),
                     kHandColumnLeft + (s - 1) * kColumnStep);
        layoutColumn(scene, table.Seats[s].PileCards, table.Seats[s].PileCount(),
                     kLaidColumnLeft + (s - 1) * kColumnStep);
    }
}

void Game::ContinueAfterRound() {
    scene.noKnockPicture.visible = false;
    scene.boardPanel.visible = false;
    scene.boardCloseMark.visible = false;
    scene.menus.ScoreBrdItem.checked = true;
    ScoreBrdItem_Click();

    // The best computer result of the round just finished (at least 1).
    const int finished = std::max(1, match.RoundNumber - 1);
    ensureRound(finished);
    long best = 1;
    for (int s = 1; s <= 3; ++s)
        best = std::max(best, match.Players[s].RoundPoints[static_cast<std::size_t>(finished)]);

    for (int s = 1; s <= 4; ++s) scene.seatName[s].caption = match.Players[s].Name;
    match.MoneyAtRoundStart = match.Players[kHuman].Money;
    match.FinalTime = scene.clockLabel.caption;

    if (!match.TargetReached && !match.GameOver) {
        scene.clockTimer.enabled = true;
        hint(_("กรุณารอสักครู่  .....กำลังสับไพ่"));
        DealRound();
        return;
    }
    finishGame(best);
}

void Game::boardPanelMouseMove(int x, int y) {
    const Rect& mark = scene.boardCloseMark.rect;
    if (x >= mark.left && x <= mark.left + mark.width && y >= mark.top && y <= kCloseMarkDepth) {
        scene.boardPanel.cursor = Cursor::Close;
        scene.boardCloseMark.visible = true;
        scene.boardPanel.tooltip = _("ปิดกระดานสรุปคะแนน");
    } else {
        scene.boardPanel.cursor = Cursor::NoDrop;
        scene.boardCloseMark.visible = false;
        scene.boardPanel.tooltip.clear();
    }
}

void Game::boardPanelMouseUp(int, int x, int y) {
    const Rect& mark = scene.boardCloseMark.rect;
    if (x >= mark.left && x <= mark.left + mark.width && y >= mark.top && y <= kCloseMarkDepth) {
        scene.boardPanel.visible = false;
        scene.boardCloseMark.visible = false;
    }
}

}  // namespace vornak
