// Vornak: Thai Dummy at a four-seat table, one player against three
// computer players.
#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFontDatabase>
#include <QScreen>
#include <QStandardPaths>

#include <cstdint>
#include <random>

#include "core/game.h"
#include "mainwindow.h"
#include "qtdialogs.h"

namespace {

// A font family that writes Thai well, or the system's when none is found.
void useThaiFont(QApplication& app) {
    const QStringList families = QFontDatabase::families();
    for (const char* name : {"Loma", "Garuda", "Sawasdee", "Tlwg Typo", "Waree", "Umpush"}) {
        const QString family = QString::fromLatin1(name);
        if (families.contains(family)) {
            QFont f = app.font();
            f.setFamily(family);
            app.setFont(f);
            return;
        }
    }
}

std::uint64_t clockSeed() {
    const auto now = static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
    std::random_device device;
    return now ^ (static_cast<std::uint64_t>(device()) << 32);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("vornak"));
    QApplication::setApplicationName(QStringLiteral("vornak"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vornak"));
    QApplication::setApplicationVersion(QStringLiteral(VORNAK_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Thai Dummy card game: one player against three computer players."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);  // --help and --version print and exit here

    useThaiFont(app);

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
