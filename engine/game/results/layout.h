// Fixed places of the end-of-round board and the score notebook, in twips.
// Elements inside a panel are relative to that panel.
#pragma once

#include "game/scene.h"

namespace vornak::results {

// The notebook: beside the table, right of its right edge and level with
// the board panel's bottom, where no card ever lies; the window makes room
// for it while it is open.
constexpr int kNotebookLeft = kClientWidth + 60, kNotebookTop = 4560;
constexpr int kNotebookWidth = 4320, kNotebookHeight = 3720;
constexpr int kNotebookRoundLeft = 60, kNotebookRoundWidth = 840;
constexpr int kNotebookCellLeft = 900, kNotebookCellWidth = 840;
constexpr int kNotebookRowHeight = 300, kNotebookRowStep = 360;
constexpr int kNotebookHeadingTop = 720;
// Rows scroll inside this band; a row outside it is not drawn.
constexpr int kNotebookRowsTop = 1080, kNotebookRowsBottom = 2880;
constexpr int kNotebookTotalTop = 2940;
constexpr int kNotebookButtonTop = 3300, kNotebookButtonHeight = 360;

// The board panel with the four result lines: bottom left of the table.
constexpr int kBoardPanelLeft = 60, kBoardPanelTop = 6960;
constexpr int kBoardPanelWidth = 7380, kBoardPanelHeight = 1290;

// Board columns.
constexpr int kBoardColumnTop = 1040;
constexpr int kStockColumnLeft = 2050, kPileColumnLeft = 3050;
constexpr int kHandColumnLeft = 4100, kLaidColumnLeft = 7800, kColumnStep = 930;
constexpr int kTurnedDownLeft = 500, kTurnedDownTop = 1600;

// Close marks: the pointer is over a mark up to this depth in its panel.
constexpr int kCloseMarkDepth = 700;

}  // namespace vornak::results
