// Vornak: Thai Dummy at a four-seat table, one player against three
// computer players.
#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QScreen>
#include <QStandardPaths>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "game/game.h"
#include "language.h"
#include "mainwindow.h"
#include "preferences.h"
#include "qtdialogs.h"
#include "startup.h"

namespace {

std::uint64_t clockSeed() {
    const auto now = static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
    std::random_device device;
    return now ^ (static_cast<std::uint64_t>(device()) << 32);
}

// --help and --version print and exit here, before any window system is
// needed; other arguments are refused with a message. Returns where the
// program keeps its files (their folders made) and finds its pictures, and
// in `language` the language asked for with --lang (empty: none).
vornak::Paths readCommandLine(int argc, char** argv, QString& language) {
    QCoreApplication app(argc, argv);
    vornak::nameApplication();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Thai Dummy card game: one player against three computer players."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption lang(
        QStringLiteral("lang"),
        QStringLiteral("Play in this language for this time: th (Thai, the "
                       "game's own) or en (English)."),
        QStringLiteral("code"));
    parser.addOption(lang);
    parser.process(app);
    language = parser.value(lang);
    vornak::setCatalogFolder(
        vornak::findCatalogFolder(QCoreApplication::applicationDirPath().toStdString()));
    if (!language.isEmpty() && language != QStringLiteral("th") &&
        !vornak::hasCatalog(language.toStdString())) {
        fputs(
            qPrintable(QStringLiteral("vornak: no catalog for the language '%1'\n").arg(language)),
            stderr);
        std::exit(2);
    }

    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(dataDir);
    QDir().mkpath(configDir);

    vornak::Paths paths;
    paths.recordsFile = (dataDir + QStringLiteral("/ScoreData.Dat")).toStdString();
    paths.skinFile = (configDir + QStringLiteral("/SkinFileName.txt")).toStdString();
    paths.saveFile = (dataDir + QStringLiteral("/Game.sav")).toStdString();
    paths.historyFile = (dataDir + QStringLiteral("/History.csv")).toStdString();
    paths.pictureFolder =
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vornak"))
            .toStdString();
    return paths;
}

}  // namespace

int main(int argc, char** argv) {
    QString language;
    const vornak::Paths paths = readCommandLine(argc, argv, language);
    vornak::startEarlyWork(paths);
    QApplication app(argc, argv);
    vornak::setUpApplication(app);
    // After the application object, which sets the locale from the
    // environment: Thai unless chosen otherwise.
    vornak::applyLanguage(language.isEmpty() ? vornak::savedLanguage() : language);

    vornak::SeededRandom random(clockSeed());
    vornak::QtDialogs dialogs;
    vornak::Game game(dialogs, random, paths);
    game.applyPreferences(vornak::loadPreferences());
    game.SaveInBackground = true;  // the disk's flush never holds up the table
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
