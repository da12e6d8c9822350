// A seeded person at the real window. The pointer moves, presses, releases,
// double-clicks and right-clicks over every kind of element (cards, labels,
// panels, the board, the notebook and its buttons), keys are pressed and
// menu items chosen, while the computer seats play whole games on a clock
// of the test's own; every dialog is answered at random. Every so often the
// person makes a real move (draws, discards, continues after a round), so
// that rounds and games come to their ends. After every event each card is
// in exactly one place.
//
// Input goes through the window system's path (hit-testing, the implicit
// grab of a pressed button, Qt's own double-click detection), as a
// person's mouse produces it. The run is the same for the same seed:
//   MONKEY_SEED=n     replays that seed alone
//   MONKEY_EVENTS=n   events per seed (default 4000)
//   MONKEY_SECONDS=n  the whole run stops after about n seconds (default 60)
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <random>

#include "game/game.h"
#include "historywindow.h"
#include "invariants.h"
#include "mainwindow.h"
#include "quiet_dialogs.h"
#include "qtdialogs.h"
#include "tablewidget.h"

using namespace vornak;

namespace {

struct Coverage {
    long events = 0, humanTurn = 0, computerTurn = 0, board = 0, notebook = 0;
    long rounds = 0, sessions = 0;
    long titleScreens = 0, statisticsScreens = 0, endScreens = 0, hallOfFame = 0;
    long menuItems = 0, popups = 0, boxes = 0, draws = 0, discards = 0;
};

// Every dialog answers at once, at random; a pop-up menu chooses one of its
// enabled items, or none, as a person dismissing it would.
class MonkeyDialogs : public QtDialogs {
public:
    MonkeyDialogs(std::mt19937_64& rng, Coverage& cover, QString folder)
        : rng_(rng), cover_(cover), folder_(std::move(folder)) {}
    MainWindow* window = nullptr;
    bool quitAsked = false;

    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    template <class T>
    const T& pick(const std::vector<T>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(rng_)];
    }

    MsgResult messageBox(const std::string&, const std::string& title, MsgButtons buttons,
                         MsgIcon) override {
        ++cover_.boxes;
        if (buttons == MsgButtons::Ok) return MsgResult::Ok;
        // Leaving the program is rare; other questions are even odds.
        const double yes = title == "จบโปรแกรม" ? 0.1 : 0.5;
        return chance(yes) ? MsgResult::Ok : MsgResult::Cancel;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&,
                                        const std::string& defaultText) override {
        if (chance(0.2)) return std::nullopt;
        return pick<std::string>(
            {defaultText, "Monkey", "", "ลิง", std::string(300, 'W'), "a,b\"c\r\nd"});
    }
    std::optional<std::string> openFile(const std::string&, const std::string&) override {
        if (chance(0.5)) return std::nullopt;
        return pick<std::string>({(folder_ + "/missing.bmp").toStdString(),
                                  (folder_ + "/skins.txt").toStdString(), "/dev/null"});
    }
    void popupMenu(PopupMenu which) override {
        ++cover_.popups;
        const std::vector<QAction*> items = choosableItems(menuFor(which));
        if (!items.empty() && chance(0.8)) pick(items)->trigger();
    }
    void showTitleScreen(TitleScreen& s) override {
        ++cover_.titleScreens;
        s.closed = true;
    }
    void showStatisticsScreen(StatisticsScreen& s) override {
        ++cover_.statisticsScreens;
        s.closed = true;
    }
    void showEndScreen(EndScreen& s) override {
        ++cover_.endScreens;
        s.showHallOfFame = chance(0.5);
        s.closed = true;
    }
    void showHallOfFame(HallOfFame& s) override {
        ++cover_.hallOfFame;
        s.closed = true;
    }
    void showRulesWindow() override {}
    void showAboutWindow() override {}
    void quit() override { quitAsked = true; }

private:
    std::mt19937_64& rng_;
    Coverage& cover_;
    QString folder_;
};

// One program run: from the title screen until "Exit Game" is confirmed.
struct Session {
    QTemporaryDir dir;
    SeededRandom random;
    MonkeyDialogs dialogs;
    std::unique_ptr<Game> game;
    std::unique_ptr<MainWindow> window;

    Session(std::uint64_t seed, std::mt19937_64& rng, Coverage& cover)
        : random(seed), dialogs(rng, cover, dir.path()) {
        Paths paths{dir.path().toStdString(),
                    (dir.path() + "/skins.txt").toStdString(),
                    (dir.path() + "/records.dat").toStdString(),
                    {},
                    (dir.path() + "/History.csv").toStdString()};
        game = std::make_unique<Game>(dialogs, random, paths);
        game->ProgramStart();
        window = std::make_unique<MainWindow>(*game, dialogs);
        dialogs.window = window.get();
        // Game > Statistics... is looked at through one filter or another.
        window->setHistoryShower([&rng](HistoryWindow& w) {
            w.setLevel(int(rng() % 3));
            w.setPeriod(int(rng() % 4));
        });
        // The Preferences window answers at random too.
        window->setPreferencesEditor([&rng](QWidget*, Preferences& p) {
            p.pace = static_cast<Pace>(rng() % 3);
            p.flights = rng() % 2;
            p.blinking = rng() % 2;
            p.hintAlways = rng() % 2;
            return rng() % 2 == 0;
        });
        window->setManualTime(true);
        window->resize(900, 650);
        window->show();
        window->run([this] { game->MainWindowLoad(); });
        ++cover.sessions;
    }
    ~Session() {
        window->hide();
        window.reset();  // before the game it draws
    }
};

std::vector<QAction*> menuItems(QWidget* owner) {
    std::vector<QAction*> out;
    for (QAction* a : owner->actions()) {
        if (!a->isVisible() || !a->isEnabled() || a->isSeparator()) continue;
        if (a->menu())
            for (QAction* inner : menuItems(a->menu())) out.push_back(inner);
        else
            out.push_back(a);
    }
    return out;
}

long envNumber(const char* name, long fallback) {
    bool ok = false;
    const long v = qEnvironmentVariable(name).toLong(&ok);
    return ok ? v : fallback;
}

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

    Coverage cover_;
    std::mt19937_64 rng_;

    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    int below(int n) { return std::uniform_int_distribution<int>(0, std::max(0, n - 1))(rng_); }

    // A visible element of the table (or the table itself) and a point of
    // it, in the element's own coordinates.
    std::pair<QWidget*, QPoint> target(MainWindow& window) {
        QWidget* table = window.table();
        std::vector<QWidget*> shown{table};
        for (QWidget* w : table->findChildren<QWidget*>())
            if (w->isVisible() && w->width() > 0 && w->height() > 0) shown.push_back(w);
        QWidget* w = shown[std::size_t(below(int(shown.size())))];
        return {w, QPoint(below(w->width()), below(w->height()))};
    }
    static QPoint inWindow(QWidget* w, QPoint at) { return w->mapTo(w->window(), at); }

    void randomInput(Session& s) {
        MainWindow& window = *s.window;
        QWindow* handle = window.windowHandle();
        auto [w, at] = target(window);
        const QPoint p = inWindow(w, at);
        switch (below(20)) {
            case 0:
            case 1:
            case 2:
                QTest::mouseMove(handle, p);
                break;
            case 3:
            case 4:
                QTest::mouseClick(handle, Qt::LeftButton, {}, p);
                break;
            case 5:
                QTest::mouseDClick(handle, Qt::LeftButton, {}, p);
                break;
            case 6:
                QTest::mouseClick(handle, Qt::RightButton, {}, p);
                break;
            case 7: {  // a drag from one element to another
                QTest::mousePress(handle, Qt::LeftButton, {}, p);
                auto [w2, at2] = target(window);
                QTest::mouseMove(handle, inWindow(w2, at2));
                QTest::mouseRelease(handle, Qt::LeftButton, {}, inWindow(w2, at2));
                break;
            }
            case 8:
            case 18: {
                static const Qt::Key keys[] = {Qt::Key_Escape, Qt::Key_1,    Qt::Key_Space,
                                               Qt::Key_Return, Qt::Key_Left, Qt::Key_Right,
                                               Qt::Key_Up,     Qt::Key_Down, Qt::Key_Menu,
                                               Qt::Key_A,      Qt::Key_H,    Qt::Key_Delete};
                const int k = below(int(std::size(keys)) + 1);
                if (k == int(std::size(keys)))
                    QTest::keyClick(handle, Qt::Key_F10, Qt::ShiftModifier);
                else
                    QTest::keyClick(handle, keys[k]);
                break;
            }
            case 9:
            case 10:
            case 11:
            case 12:
                QTest::mouseMove(handle, p);
                break;
            case 13:
            case 14:
            case 15:
            case 16:
                QTest::mouseClick(handle, Qt::LeftButton, {}, p);
                break;
            case 17:
                QTest::mouseDClick(handle, Qt::LeftButton, {}, p);
                break;
            default: {  // now and then a menu item
                const auto items = menuItems(window.menuBar());
                if (items.empty()) break;
                ++cover_.menuItems;
                items[std::size_t(below(int(items.size())))]->trigger();
                break;
            }
        }
    }

    // A move a person would make to get on with the game.
    void purposefulInput(Session& s) {
        Game& g = *s.game;
        MainWindow& window = *s.window;
        QWindow* handle = window.windowHandle();
        QWidget* table = window.table();
        auto child = [table](const QString& name) { return table->findChild<QWidget*>(name); };
        if (g.table.RoundOver) {
            QTest::mouseClick(handle, Qt::LeftButton, {}, inWindow(table, QPoint(2, 2)));
            return;
        }
        if (g.table.CurrentSeat != kHuman || g.seq.running()) return;
        if (g.person.DrawPhase) {
            QWidget* top = child(QStringLiteral("cardBack%1").arg(g.table.Seats[0].Cards.top()));
            if (!top || !top->isVisible()) return;
            ++cover_.draws;
            QTest::mouseDClick(handle, Qt::LeftButton, {}, inWindow(top, top->rect().center()));
            return;
        }
        const int n = g.table.Seats[kHuman].CardCount();
        if (n < 1 || !g.scene.menus.mnuPlayDrawnCard.enabled) return;
        window.run([&g] { g.mnuPlayDrawnCard_Click(); });
        QWidget* face =
            child(QStringLiteral("cardFace%1").arg(g.table.Seats[kHuman].Cards[1 + below(n)]));
        if (!face || !face->isVisible()) return;
        ++cover_.discards;
        QTest::mouseDClick(handle, Qt::LeftButton, {},
                           inWindow(face, QPoint(4, face->height() / 2)));
    }

    void count(const Game& g) {
        ++cover_.events;
        if (g.table.RoundOver)
            ++cover_.board;
        else if (g.seq.running())
            ++cover_.computerTurn;
        else if (g.table.CurrentSeat == kHuman)
            ++cover_.humanTurn;
        if (g.scene.notebook.visible) ++cover_.notebook;
    }

private slots:
    void randomPersonPlaysWholeGames() {
        const long only = envNumber("MONKEY_SEED", -1);
        const long events = envNumber("MONKEY_EVENTS", 4000);
        const long seconds = envNumber("MONKEY_SECONDS", 60);
        std::vector<std::uint64_t> seeds;
        if (only >= 0)
            seeds.push_back(std::uint64_t(only));
        else
            seeds = {1, 2, 3, 4, 5, 6, 7, 8};
        QElapsedTimer clock;
        clock.start();
        for (std::uint64_t seed : seeds) {
            if (clock.elapsed() > seconds * 1000) break;
            qInfo("monkey: seed %llu (replay: MONKEY_SEED=%llu)", (unsigned long long)seed,
                  (unsigned long long)seed);
            rng_.seed(seed);
            auto session = std::make_unique<Session>(seed, rng_, cover_);
            for (long e = 0; e < events && clock.elapsed() <= seconds * 1000; ++e) {
                Game& g = *session->game;
                const bool wasOver = g.table.RoundOver;
                const int round = g.match.RoundNumber;
                const long titles = cover_.titleScreens;
                if (chance(0.45)) {
                    for (int k = 1 + below(8); k > 0 && session->window->advanceTime(); --k) {
                    }
                } else if (chance(0.35)) {
                    purposefulInput(*session);
                } else {
                    randomInput(*session);
                }
                count(*session->game);
                if (!wasOver && session->game->table.RoundOver) ++cover_.rounds;
                std::string fault = sim::checkCards(*session->game);
                // A round that ended and was dealt again within one event
                // was never shown: the board waits for a click of its own.
                if (session->game->match.RoundNumber == round + 1 &&
                    !session->game->table.RoundOver && cover_.titleScreens == titles)
                    fault = "the board of round " + std::to_string(round) + " was never shown";
                if (!fault.empty())
                    QFAIL(
                        qPrintable(QStringLiteral("seed %1, event %2: %3 (replay: MONKEY_SEED=%1)")
                                       .arg(seed)
                                       .arg(e)
                                       .arg(QString::fromStdString(fault))));
                if (session->dialogs.quitAsked)  // the program ended: start it again
                    session =
                        std::make_unique<Session>(seed + 1000 * std::uint64_t(e), rng_, cover_);
            }
        }
        const Coverage& c = cover_;
        qInfo(
            "monkey: %ld events in %lld ms over %ld program runs: %ld on the person's turn, %ld "
            "in computer turns, %ld on the board, %ld with the notebook open; %ld rounds "
            "ended; %ld title, %ld statistics (games ended), %ld end and %ld hall-of-fame screens; "
            "%ld menu items, %ld pop-up menus, %ld message boxes; %ld draws, %ld discards",
            c.events, (long long)clock.elapsed(), c.sessions, c.humanTurn, c.computerTurn, c.board,
            c.notebook, c.rounds, c.titleScreens, c.statisticsScreens, c.endScreens, c.hallOfFame,
            c.menuItems, c.popups, c.boxes, c.draws, c.discards);
        QVERIFY(c.events > 0);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);  // the person's own settings stay untouched
    QApplication app(argc, argv);
    MonkeyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "monkey_test.moc"
