// The score notebook: one row per round, the totals, the per-seat
// statistics, and the money that moves after every round and at the end of
// a game.
#include <cstdint>

#include "game/game.h"
#include "game/results/layout.h"
#include "core/i18n.h"

namespace vornak {

using namespace results;

namespace {

// Makes rows 1..r of a row array exist, each a copy of the template
// (element 0) placed 360 below the row before it.
void loadRow(std::vector<Label>& rows, int r) {
    if (rows.empty()) rows.emplace_back();
    while (static_cast<int>(rows.size()) <= r) {
        Label next = rows.front();
        next.rect.top = rows.back().rect.top + kNotebookRowStep;
        next.caption.clear();
        rows.push_back(next);
    }
}

bool overMark(const Image& mark, int x, int y) {
    return x >= mark.rect.left && x <= mark.rect.left + mark.rect.width && y >= mark.rect.top &&
           y <= kCloseMarkDepth;
}

}  // namespace

void Game::showNotebookRows() {
    auto show = [](std::vector<Label>& rows) {
        for (std::size_t r = 1; r < rows.size(); ++r) {
            const Rect& rc = rows[r].rect;
            rows[r].visible =
                rc.top >= kNotebookRowsTop && rc.top + rc.height <= kNotebookRowsBottom;
        }
    };
    show(scene.notebookRound);
    for (int s = 1; s <= 4; ++s) show(scene.notebookCell[s]);
}

void Game::UpdateNotebook() {
    const int r = match.RoundNumber < 1 ? 1 : match.RoundNumber;
    ensureRound(r);
    const auto ri = static_cast<std::size_t>(r);

    // The row of the round.
    loadRow(scene.notebookRound, r);
    Label& roundLabel = scene.notebookRound[ri];
    roundLabel.rect.left = scene.notebookRound[0].rect.left;
    roundLabel.rect.top = scene.notebookRound[ri - 1].rect.top + kNotebookRowStep;
    roundLabel.caption = format(_("รอบที่ %1"), {num(r)});
    roundLabel.visible = true;

    for (int s = 1; s <= 4; ++s) {
        const Player& seat = match.Players[s];
        // A dark knock's "*" replaces a fool's "^"; a plain knock's follows it.
        std::string markA, markB;
        if (seat.RoundFooled[ri]) markA.assign(1, '^');
        if (table.Seats[s].DarkKnocked)
            markA.assign(1, '*');
        else if (table.Seats[s].Knocked)
            markB.assign(1, '*');

        std::vector<Label>& cells = scene.notebookCell[s];
        loadRow(cells, r);
        Label& cell = cells[ri];
        cell.rect.left = cells[0].rect.left;
        cell.rect.top = cells[ri - 1].rect.top + kNotebookRowStep;
        cell.caption =
            num(seat.RoundPoints[ri]) + "(" + num(seat.RoundK[ri]) + "K)" + markA + markB;
        cell.visible = true;

        scene.notebookTotal[s].caption = num(seat.TotalPoints);
    }
    showNotebookRows();

    // The statistics of the game so far, on the table and for the
    // statistics screen.
    for (int s = 1; s <= 4; ++s) {
        const Player& seat = match.Players[s];
        long totalK = 0, fooled = 0, gotFool = 0;
        for (std::size_t i = 1; i <= ri; ++i) {
            totalK += seat.RoundK[i];
            if (seat.RoundFooled[i]) ++fooled;
            if (seat.RoundGotFool[i]) ++gotFool;
        }
        scene.panelPoints[s].caption = num(seat.TotalPoints);
        scene.panelK[s].caption = num(totalK);
        scene.panelFooled[s].caption = num(fooled);
        scene.panelGotFool[s].caption = num(gotFool);

        statistics.points[s].caption = num(seat.TotalPoints);
        statistics.k[s].caption = num(totalK);
        statistics.fooled[s].caption = num(fooled);
        statistics.gotFool[s].caption = num(gotFool);
        statistics.onThree[s].caption = num(seat.DiscardOnThreeCount);
        statistics.dummy[s].caption = num(seat.DummyDiscardCount);
    }

    // Round money: the fool, then K. A seat's K is paid by (or paid to)
    // each of the three others, so K money always sums to zero.
    for (int s = 1; s <= 4; ++s) {
        Player& seat = match.Players[s];
        if (seat.RoundFooled[ri]) seat.Money -= match.FoolBaht;
        if (seat.RoundGotFool[ri]) seat.Money += match.FoolBaht;
        const long k = seat.RoundK[ri];
        seat.Money += k * match.KBaht * 3;
        for (int o = 1; o <= 4; ++o)
            if (o != s) match.Players[o].Money -= k * match.KBaht;
    }

    // Game-end money: everyone pays the leader the difference of totals;
    // the leader also takes the pot.
    if (match.TargetReached) {
        const int w = LeaderOf(TotalsOf(match));
        const long leaderTotal = static_cast<std::int16_t>(match.Players[w].TotalPoints);

        for (int s = 1; s <= 4; ++s)
            match.MissionPot += match.Players[s].DummyDiscardCount * match.MarkRateB +
                                match.Players[s].DiscardOnThreeCount * match.MarkRateA;
        for (int s = 1; s <= 4; ++s)
            if (s != w)
                match.Players[s].Money -=
                    (leaderTotal - match.Players[s].TotalPoints) * match.BahtPerPoint;
        match.Players[w].Money += match.MissionPot;
        for (int j = 1; j <= 4; ++j)
            if (j != w)
                match.Players[w].Money +=
                    (leaderTotal - match.Players[j].TotalPoints) * match.BahtPerPoint;

        for (int s = 1; s <= 4; ++s) statistics.money[s].caption = num(match.Players[s].Money);
    }

    match.RoundNumber = r + 1;
    ensureRound(match.RoundNumber);
}

void Game::ScoreBrdItem_Click() {
    MenuItem& item = scene.menus.ScoreBrdItem;
    if (!item.checked) {
        item.checked = true;
        scene.notebook.visible = true;
    } else {
        item.checked = false;
        scene.notebook.visible = false;
    }
    scene.notebookCloseMark.visible = false;
}

void Game::notebookScroll(int index) {
    int shift = 0;
    if (index == 1) {
        ++notebook.scroll;
        scene.notebookScrollUp.enabled = true;
        scene.notebookScrollDown.enabled = notebook.canScrollDown();
        shift = -kNotebookRowStep;
    } else if (index == 0) {
        --notebook.scroll;
        scene.notebookScrollUp.enabled = notebook.canScrollUp();
        scene.notebookScrollDown.enabled = true;
        shift = kNotebookRowStep;
    } else {
        return;
    }
    for (std::size_t r = 1; r < scene.notebookRound.size(); ++r)
        scene.notebookRound[r].rect.top += shift;
    for (int s = 1; s <= 4; ++s)
        for (std::size_t r = 1; r < scene.notebookCell[s].size(); ++r)
            scene.notebookCell[s][r].rect.top += shift;
    showNotebookRows();
}

void Game::notebookMouseMove(int x, int y) {
    if (overMark(scene.notebookCloseMark, x, y)) {
        scene.notebook.cursor = Cursor::Close;
        scene.notebookCloseMark.visible = true;
        scene.notebook.tooltip = _("ปิดสมุดจดแต้ม");
    } else {
        scene.notebook.cursor = Cursor::NoDrop;
        scene.notebookCloseMark.visible = false;
        scene.notebook.tooltip.clear();
    }
}

void Game::notebookMouseUp(int, int x, int y) {
    if (!overMark(scene.notebookCloseMark, x, y)) return;
    scene.notebook.visible = false;
    scene.menus.ScoreBrdItem.checked = false;
    scene.notebookCloseMark.visible = false;
}

}  // namespace vornak
