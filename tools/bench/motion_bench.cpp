// The cost of cards that travel: the real window plays whole rounds with
// card moves animated (the person's turns played by the benchmark: draw,
// then discard the first card), and for every stretch in which cards move
// the frames drawn and the CPU time used are added up. Then the window
// waits at the person's turn with nothing due (blinking off), and the CPU
// used over that stretch is measured too.
//
//   vornak-motion-bench [seconds of play] [seconds idle]
// prints: frames per second and CPU while cards move, CPU idle.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

#include "game/game.h"
#include "mainwindow.h"
#include "qtdialogs.h"
#include "game/results/screens.h"

using namespace vornak;

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Every question answered at once; the screens that wait for a click close.
class BenchDialogs : public QtDialogs {
public:
    MsgResult messageBox(const std::string&, const std::string&, MsgButtons, MsgIcon) override {
        return MsgResult::Ok;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::string("Bench");
    }
    std::optional<std::string> openFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void popupMenu(PopupMenu) override {}
    void showTitleScreen(TitleScreen& s) override { s.closed = true; }
    void showStatisticsScreen(StatisticsScreen& s) override { s.closed = true; }
    void showEndScreen(EndScreen& s) override { s.closed = true; }
    void showHallOfFame(HallOfFame& s) override { s.closed = true; }
    void showRulesWindow() override {}
    void showAboutWindow() override {}
    void quit() override {}
};

}  // namespace

int main(int argc, char** argv) {
    const double playSeconds = argc > 1 ? std::atof(argv[1]) : 30;
    const double idleSeconds = argc > 2 ? std::atof(argv[2]) : 10;
    QApplication app(argc, argv);
    QTemporaryDir dir;
    SeededRandom random(7);
    BenchDialogs dialogs;
    Paths paths{QCoreApplication::applicationDirPath().toStdString() + "/../share/vornak",
                (dir.path() + "/skins.txt").toStdString(),
                (dir.path() + "/records.dat").toStdString()};
    Game game(dialogs, random, paths);
    game.ProgramStart();
    Preferences p;
    p.cardsAnimated = true;
    p.sound = false;
    p.blinking = false;
    game.applyPreferences(p);
    MainWindow window(game, dialogs);
    window.resize(1188, 860);
    window.show();
    window.run([&game] { game.MainWindowLoad(); });

    // Follows the motion from a fine-grained poll: each stretch in which
    // cards move is timed and its CPU counted.
    bool moving = false;
    long frames0 = 0, frames = 0, stretches = 0;
    double cpu0 = 0, cpu = 0, wall = 0;
    QElapsedTimer stretch, total;
    total.start();
    bool idlePhase = false;
    double idleCpu0 = 0;
    QElapsedTimer idleClock;

    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const bool now = window.motion().moving();
        if (now && !moving) {
            stretch.start();
            cpu0 = cpuSeconds();
            frames0 = window.motionFrames();
        } else if (!now && moving) {
            wall += stretch.nsecsElapsed() / 1e9;
            cpu += cpuSeconds() - cpu0;
            frames += window.motionFrames() - frames0;
            ++stretches;
        }
        moving = now;
        if (moving || game.seq.running()) return;
        if (total.elapsed() < playSeconds * 1000) {
            // The person's turn, as a person plays it: draw, let the card
            // arrive, then discard; after a round, the click that goes on.
            if (game.table.RoundOver)
                window.run([&game] { game.windowClick(); });
            else if (game.boundary() == SavePoint::PersonToPlay)
                window.run([&game] { game.stockDblClick(game.table.Seats[0].Cards.top()); });
            else if (game.table.CurrentSeat == kHuman && game.person.PlayMenuOn &&
                     !game.person.DiscardMode)
                window.run([&game] {
                    game.mnuPlayDrawnCard_Click();
                    game.cardDblClick(game.table.Seats[kHuman].Cards[1]);
                });
            return;
        }
        if (!idlePhase) {
            if (game.boundary() != SavePoint::PersonToPlay) return;
            // At the person's turn, with nothing due: the poll stops too.
            idlePhase = true;
            poll.stop();
            idleCpu0 = cpuSeconds();
            idleClock.start();
            QTimer::singleShot(static_cast<int>(idleSeconds * 1000), [&] {
                const double idle = (cpuSeconds() - idleCpu0) / (idleClock.nsecsElapsed() / 1e9);
                std::printf(
                    "moving: %.1f s in %ld stretches, %ld frames, %.1f frames/s, "
                    "CPU %.1f %% of a core\n",
                    wall, stretches, frames, wall > 0 ? frames / wall : 0.0,
                    wall > 0 ? 100 * cpu / wall : 0.0);
                std::printf("idle at the person's turn: CPU %.2f %% of a core over %.0f s\n",
                            100 * idle, idleSeconds);
                app.quit();
            });
        }
    });
    poll.start(2);
    return app.exec();
}
