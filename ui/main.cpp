// Vornak: Thai Dummy at a four-seat table, one player against three
// computer players.
#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QIcon>
#include <QPainter>
#include <QScreen>
#include <QStandardPaths>

#include <cstdint>
#include <random>

#include "cardart.h"
#include "core/game.h"
#include "mainwindow.h"
#include "qtdialogs.h"
#include "thaifont.h"

namespace {

// The window icon: the ace of spades, drawn like the cards on the table.
QIcon programIcon() {
    QIcon icon;
    for (int side : {16, 32, 48, 64, 128}) {
        QPixmap pm(side, side);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        const QSize card(qRound(side * 62.0 / 84), side);
        p.drawPixmap((side - card.width()) / 2, 0, vornak::cardPixmap(52, card, 1.0));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

std::uint64_t clockSeed() {
    const auto now = static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
    std::random_device device;
    return now ^ (static_cast<std::uint64_t>(device()) << 32);
}

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("vornak"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VORNAK_VERSION));
}

// --help and --version print and exit here, before any window system is
// needed; other arguments are refused with a message.
void parseCommandLine(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    nameApplication();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Thai Dummy card game: one player against three computer players."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);
}

}  // namespace

int main(int argc, char** argv) {
    parseCommandLine(argc, argv);
    vornak::startLoadingFonts();
    QApplication app(argc, argv);
    nameApplication();
    QApplication::setApplicationDisplayName(QStringLiteral("Vornak"));

    vornak::useThaiFont(app);
    QApplication::setWindowIcon(programIcon());

    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(dataDir);
    QDir().mkpath(configDir);

    vornak::Paths paths;
    paths.recordsFile = (dataDir + QStringLiteral("/ScoreData.Dat")).toStdString();
    paths.skinFile = (configDir + QStringLiteral("/SkinFileName.txt")).toStdString();
    paths.pictureFolder =
        QDir::cleanPath(QApplication::applicationDirPath() + QStringLiteral("/../share/vornak"))
            .toStdString();

    vornak::SeededRandom random(clockSeed());
    vornak::QtDialogs dialogs;
    vornak::Game game(dialogs, random, paths);
    dialogs.setGame(&game);
    // Before the event loop runs, a quit is remembered and acted on below.
    bool quitEarly = false;
    dialogs.setOnQuit([&quitEarly] {
        quitEarly = true;
        QApplication::quit();
    });

    game.ProgramStart();
    if (quitEarly) return 0;

    vornak::MainWindow window(game, dialogs);
    if (const QScreen* screen = QApplication::primaryScreen())
        window.resize(vornak::MainWindow::preferredSize(screen->availableGeometry().size()));
    window.show();
    window.run([&game] { game.MainWindowLoad(); });
    if (quitEarly) return 0;

    return QApplication::exec();
}
