// Game > Statistics...: the history as it is on the disk now (another copy
// of the game may have added to it), in its window.
#include <ctime>

#include "game/game.h"
#include "historywindow.h"
#include "mainwindow.h"
#include "qtdialogs.h"

namespace vornak {

void MainWindow::showHistory() {
    if (blocked()) return;
    HistoryFile file = readHistoryTelling(game_.paths.historyFile, dialogs_);
    dialogs_.runModal([&] {
        HistoryWindow window(std::move(file.games), dialogs_, std::int64_t(std::time(nullptr)),
                             this);
        if (historyShower_)
            historyShower_(window);
        else
            window.exec();
    });
}

}  // namespace vornak
