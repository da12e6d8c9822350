// Starts the game as the program does, answers the start-up dialogs at once
// (title screens closed, the name prompt answered), paints the dealt table
// once, reports the time and exits. Timed by bench/startup.sh. The records
// and skin list are kept in a folder of their own, so the player's are not
// touched; the pictures are those built beside the program.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "game/game.h"
#include "mainwindow.h"
#include "painted.h"
#include "qtdialogs.h"
#include "startup.h"

namespace {

class AutoDialogs : public vornak::QtDialogs {
public:
    std::optional<std::string> inputBox(const std::string&, const std::string&,
                                        const std::string& defaultText) override {
        return defaultText;
    }
    void showTitleScreen(vornak::TitleScreen& screen) override { screen.closed = true; }
};

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    vornak::Paths paths;
    {  // as the program reads its command line
        QCoreApplication core(argc, argv);
        vornak::nameApplication();
        paths.recordsFile = home.filePath(QStringLiteral("ScoreData.Dat")).toStdString();
        paths.skinFile = home.filePath(QStringLiteral("SkinFileName.txt")).toStdString();
        paths.pictureFolder = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/../share/vornak"))
                                  .toStdString();
    }
    vornak::startEarlyWork(paths);
    QApplication app(argc, argv);
    vornak::setUpApplication(app);

    vornak::SeededRandom random(1);
    AutoDialogs dialogs;
    vornak::Game game(dialogs, random, paths);
    dialogs.setGame(&game);
    game.ProgramStart();
    vornak::MainWindow window(game, dialogs);
    window.resize(vornak::MainWindow::preferredSize(QSize(1280, 960)));
    PaintWatch watch(window.centralWidget());  // the table
    window.show();
    window.run([&game] { game.MainWindowLoad(); });
    watch.waitAndReport();
    return game.table.Seats[0].CardCount() == 23 ? 0 : 1;
}
