// Play without the mouse, the person's preferences, and what a screen
// reader is told.
#include <QAccessible>
#include <QElapsedTimer>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <random>

#include "game/game.h"
#include "mainwindow.h"
#include "rules/melds.h"
#include "preferences.h"
#include "quiet_dialogs.h"
#include "tablewidget.h"

using namespace vornak;

namespace {

// Real pop-up menus (chosen from with keys); every message box says OK and
// the screens close at once.
class KeyDialogs : public QuietDialogs {
public:
    MsgResult messageBox(const std::string&, const std::string&, MsgButtons, MsgIcon) override {
        return MsgResult::Ok;
    }
};

// Every action of the game, as one line each.
class Recorder : public GameObserver {
public:
    std::vector<std::string> lines;
    void action(const GameAction& a) override {
        std::string line = a.kind + " " + std::to_string(a.seat) + " " + a.detail;
        for (int c : a.cards) line += " " + cardNotation(c);
        lines.push_back(line + " @" + std::to_string(a.position));
    }
    void decisionStarts(const char*, int, const Table&) override {}
    void decisionEnds(const char*, int, int, const Table&) override {}
    bool watchesDecisions() const override { return false; }
};

// Once a pop-up menu is open, moves its highlight down with the arrow key
// to the item captioned `caption` and presses Enter.
void chooseInNextPopup(const QString& caption) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, caption] {
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        poll->stop();
        poll->deleteLater();
        for (int i = 0; i < 8; ++i) {
            if (menu->activeAction() && menu->activeAction()->text() == caption) break;
            QTest::keyClick(menu, Qt::Key_Down);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
    poll->start();
}

struct Window {
    QTemporaryDir dir;
    SeededRandom random;
    KeyDialogs dialogs;
    std::unique_ptr<Game> game;
    std::unique_ptr<MainWindow> window;

    explicit Window(std::uint64_t seed = 42, Preferences prefs = {}) : random(seed) {
        Paths paths{dir.path().toStdString(), (dir.path() + "/skins.txt").toStdString(),
                    (dir.path() + "/records.dat").toStdString()};
        game = std::make_unique<Game>(dialogs, random, paths);
        game->prefs = prefs;
        game->ProgramStart();
        window = std::make_unique<MainWindow>(*game, dialogs);
        window->setManualTime(true);
        window->resize(900, 650);
        window->show();
        window->run([this] { game->MainWindowLoad(); });
        window->table()->setFocus();
    }
    ~Window() { window.reset(); }
    TableWidget* table() const { return window->table(); }
    bool personToMove() const {
        return game->table.CurrentSeat == kHuman && !game->seq.running() && !game->table.RoundOver;
    }
    // Lets the game's time pass until the person is to play, or the round is over.
    void playOn() {
        for (int i = 0; i < 20000 && !game->table.RoundOver; ++i) {
            if (personToMove() && game->person.DrawPhase) return;
            if (!window->advanceTime()) return;
        }
    }
    // Lets a sequence of the person's (a lay-down's flight) run out.
    void settle() {
        for (int i = 0; i < 2000 && game->seq.running(); ++i) window->advanceTime();
    }
    void key(int k, Qt::KeyboardModifiers mods = {}) {
        QTest::keyClick(window->windowHandle(), Qt::Key(k), mods);
    }
    // Moves the focus ring with the arrow keys to a card of its area.
    bool focusOn(int code) {
        for (int i = 0; i < 40 && table()->focusedCard() != code; ++i)
            key(i < 20 ? Qt::Key_Left : Qt::Key_Right);
        return table()->focusedCard() == code;
    }
    // Opens the play menu from the keyboard and chooses `item` with the
    // arrow keys and Enter.
    void chooseFromPlayMenu(const MenuItem& item) {
        chooseInNextPopup(QString::fromStdString(item.caption));
        key(Qt::Key_F10, Qt::ShiftModifier);
    }
};

// Takes every card out of its place and deals the given hands: the person
// gets `person`, the pile holds `pile`, the computer seats and the stock the
// rest in order.
void rig(Game& g, const std::vector<int>& person, const std::vector<int>& pile) {
    std::vector<int> rest;
    for (int c = 1; c <= 52; ++c)
        if (std::find(person.begin(), person.end(), c) == person.end() &&
            std::find(pile.begin(), pile.end(), c) == pile.end())
            rest.push_back(c);
    for (SeatRec& s : g.table.Seats) {
        s.Cards.clear();
        s.PileCards.clear();
    }
    g.table.Seats[kHuman].Cards.assign(person);
    g.table.Seats[0].PileCards.assign(pile);
    // The computer seats' hands from a fixed shuffle: no ready-made runs.
    std::shuffle(rest.begin(), rest.end(), std::mt19937(5));
    std::size_t next = 0;
    for (int seat = 1; seat <= 3; ++seat)
        for (int i = 0; i < 7; ++i) g.table.Seats[seat].Cards.push(rest[next++]);
    while (next < rest.size()) g.table.Seats[0].Cards.push(rest[next++]);
    for (int c = 1; c <= 52; ++c) {
        g.scene.cardFace[c].visible = false;
        g.scene.cardBack[c].visible = false;
    }
    for (int seat = 1; seat <= 4; ++seat) g.LayoutSeatHand(seat);
    for (int i = 1; i <= g.table.Seats[0].CardCount();
         ++i) {  // the stock lies where the deal puts it
        g.scene.cardBack[g.table.Seats[0].Cards[i]].visible = true;
        g.scene.cardBack[g.table.Seats[0].Cards[i]].top = 1440;
    }
    g.LayoutTable();
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    // A whole round of the person's turns by keys alone: take from the
    // pile, lay down, lay off, discard; then draw, lay down and knock.
    void aRoundByKeysAlone() {
        Window t;
        Game& g = *t.game;
        const auto card = [](const char* c) { return parseCard(c); };
        t.window->run([&] {
            g.seq.cancel();
            g.scene.turnTimer.enabled = false;
            rig(g, parseCards("5H 6H 8H JC JD JS 3D"), parseCards("7H"));
            g.table.CurrentSeat = kHuman;
            g.StartHumanTurn();
        });
        QVERIFY(t.personToMove());

        // The first arrow shows the ring; up goes to the pile's top card.
        QVERIFY(!t.table()->focusShown());
        t.key(Qt::Key_Right);
        QVERIFY(t.table()->focusShown());
        QVERIFY(t.window->table()->findChild<QWidget*>("focusRing")->isVisible());
        t.key(Qt::Key_Up);
        QCOMPARE(t.table()->focusArea(), table::FocusArea::Pile);
        QCOMPARE(t.table()->focusedCard(), card("7H"));
        t.key(Qt::Key_Return);  // take the pile from the 7 of hearts
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 8);
        QVERIFY(g.person.LayDownMode);

        // Raise the run with the picked card: Space on each.
        t.key(Qt::Key_Down);
        QCOMPARE(t.table()->focusArea(), table::FocusArea::Hand);
        for (const char* c : {"5H", "6H"}) {
            QVERIFY(t.focusOn(card(c)));
            t.key(Qt::Key_Space);
        }
        // Esc lowers them again; raise them once more, and the third.
        QCOMPARE(g.person.SelectionCount, 2);
        t.key(Qt::Key_Escape);
        QCOMPARE(g.person.SelectionCount, 0);
        for (const char* c : {"5H", "6H", "7H"}) {
            QVERIFY(t.focusOn(card(c)));
            t.key(Qt::Key_Space);
        }
        t.settle();
        QCOMPARE(g.table.Seats[kHuman].PileCount(), 3);
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 5);

        // Lay off the 8 on the run: Enter, then the run item of the menu.
        QVERIFY(t.focusOn(card("8H")));
        chooseInNextPopup(QString::fromStdString(g.scene.menus.showDummyStateItem.caption));
        t.key(Qt::Key_Return);
        t.settle();
        QCOMPARE(g.table.Seats[kHuman].PileCount(), 4);
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 4);

        // Discard the 3 of diamonds from the play menu.
        t.chooseFromPlayMenu(g.scene.menus.mnuPlayDrawnCard);
        QVERIFY(g.person.DiscardMode);
        QVERIFY(t.focusOn(card("3D")));
        t.key(Qt::Key_Return);
        QCOMPARE(g.table.Seats[0].PileCards.top(), card("3D"));
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 3);

        // The computer seats play; then draw from the stock.
        t.playOn();
        QVERIFY(t.personToMove());
        t.key(Qt::Key_Up);
        t.key(Qt::Key_Up);
        QCOMPARE(t.table()->focusArea(), table::FocusArea::Stock);
        const int drawn = g.table.Seats[0].Cards.top();
        t.key(Qt::Key_Return);
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 4);
        QVERIFY(g.table.Seats[kHuman].Cards.contains(drawn));

        // Lay down the jacks and turn the last card down: the knock.
        t.key(Qt::Key_Down);
        t.key(Qt::Key_Down);
        t.chooseFromPlayMenu(g.scene.menus.mnuPlayShowCard);
        QVERIFY(g.person.LayDownMode);
        for (const char* c : {"JC", "JD", "JS"}) {
            QVERIFY(t.focusOn(card(c)));
            t.key(Qt::Key_Space);
        }
        t.settle();
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 1);
        t.chooseFromPlayMenu(g.scene.menus.mnuPlayDrawnCard);
        QVERIFY(g.person.DiscardMode);
        QVERIFY(t.focusOn(drawn));
        t.key(Qt::Key_Return);
        t.settle();
        QVERIFY(g.table.RoundOver);
        QVERIFY(g.table.Seats[kHuman].Knocked);
        QVERIFY(!t.window->table()->findChild<QWidget*>("focusRing")->isVisible());
        // Any key continues.
        t.key(Qt::Key_Return);
        QVERIFY(!g.table.RoundOver);
    }

    // The pace and the animations change how long things take, never what
    // is played: the same seeded games give the same moves.
    void paceChangesOnlyThePauses() {
        auto play = [](Preferences prefs) {
            Window t(7, prefs);
            Recorder log;
            t.game->observer = &log;
            std::mt19937 person(3);
            for (int step = 0; step < 100000 && log.lines.size() < 400; ++step) {
                Game& g = *t.game;
                if (g.table.RoundOver && !g.seq.running()) {
                    t.key(Qt::Key_Return);
                } else if (t.personToMove() && g.person.DrawPhase) {
                    t.window->run([&g] { g.stockDblClick(g.table.Seats[0].Cards.top()); });
                } else if (t.personToMove() && g.scene.menus.mnuPlayDrawnCard.enabled) {
                    t.window->run([&g, &person] {
                        g.mnuPlayDrawnCard_Click();
                        const CardList& h = g.table.Seats[kHuman].Cards;
                        g.cardDblClick(h[1 + int(person() % unsigned(h.count))]);
                    });
                } else if (!t.window->advanceTime()) {
                    break;
                }
            }
            t.game->observer = nullptr;
            return log.lines;
        };
        const auto rules = play({});
        QVERIFY(rules.size() >= 300);
        QCOMPARE(play({Pace::Quick, true, true, false}), rules);
        QCOMPARE(play({Pace::Instant, false, false, true}), rules);
    }

    // Cards, seat names, the stock count and the hint line have names a
    // screen reader can say; moving the ring announces the card.
    void screenReadersHearTheTable() {
        Window t;
        Game& g = *t.game;
        t.window->run([&] {
            g.seq.cancel();
            g.scene.turnTimer.enabled = false;
            g.table.CurrentSeat = kHuman;
            g.StartHumanTurn();
        });
        auto name = [&t](const QString& object) {
            QWidget* w = t.table()->findChild<QWidget*>(object);
            QAccessibleInterface* a = w ? QAccessible::queryAccessibleInterface(w) : nullptr;
            return a ? a->text(QAccessible::Name) : QString();
        };
        QCOMPARE(name(QStringLiteral("cardFace%1").arg(parseCard("7H"))), QString("7 of hearts"));
        QCOMPARE(name(QStringLiteral("cardFace%1").arg(parseCard("QS"))),
                 QString("Queen of spades"));
        QCOMPARE(name("seatName4"), QString("Tester, 7 cards"));
        QCOMPARE(name("stockCount"),
                 QStringLiteral("Stock, %1 cards").arg(g.table.Seats[0].CardCount()));
        QCOMPARE(name("hintLine"), QString::fromStdString(g.scene.hintLine.caption));

        static QStringList announced;
        announced.clear();
        QAccessible::installUpdateHandler([](QAccessibleEvent* e) {
            if (e->type() == QAccessible::Focus && e->object())
                announced << e->object()->objectName();
        });
        QAccessible::setActive(true);
        t.key(Qt::Key_Right);
        t.key(Qt::Key_Right);
        const bool active = QAccessible::isActive();  // not on every window system
        QAccessible::installUpdateHandler(nullptr);
        QAccessible::setActive(false);
        if (active) {
            QCOMPARE(announced.size(), 2);
            QCOMPARE(announced.last(), QStringLiteral("cardFace%1").arg(t.table()->focusedCard()));
        }
    }

    // The preferences are kept between runs; a file that is garbled gives
    // the defaults.
    void preferencesAreKept() {
        QFile::remove(preferencesFile());
        QCOMPARE(loadPreferences().pace, Pace::Rules);
        QVERIFY(!loadPreferences().expertPlayers);
        savePreferences({Pace::Instant, false, false, true, true});
        const Preferences back = loadPreferences();
        QCOMPARE(back.pace, Pace::Instant);
        QVERIFY(!back.flights && !back.blinking && back.hintAlways && back.expertPlayers);
        QVERIFY(!back.masterPlayers);
        // The Master is a third choice of opponents, kept as such.
        Preferences master;
        master.masterPlayers = true;
        savePreferences(master);
        QVERIFY(loadPreferences().masterPlayers && !loadPreferences().expertPlayers);
        QFile f(preferencesFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("pace=sideways\n\x01\x02 garbage");
        f.close();
        QCOMPARE(loadPreferences().pace, Pace::Rules);
        QFile::remove(preferencesFile());

        // The hint line always shown stays when the pointer leaves the top.
        Window t;
        Game& g = *t.game;
        t.window->run([&g] {
            g.prefs.hintAlways = true;
            g.windowMouseMove(3000, 5000);
        });
        QVERIFY(g.scene.topPanel.visible);
    }

    // With the window's own timers: a new game while an Expert seat thinks on
    // the worker thread drops the thought, and the new game plays on.
    void aNewGameWhileTheExpertThinks() {
        Preferences fast;
        fast.pace = Pace::Instant;
        fast.flights = false;
        fast.expertPlayers = true;
        Window t(11, fast);
        Game& g = *t.game;
        t.window->run([&] { g.applyPreferences(fast); });
        t.window->setManualTime(false);
        int newGames = 0;
        QElapsedTimer clock;
        clock.start();
        while (newGames < 3 && clock.elapsed() < 20000) {
            if (g.seq.held()) {
                t.window->run([&g] { g.MissionItem_Click(); });
                ++newGames;
                QVERIFY(!g.seq.held());
            }
            // The person draws and discards whenever it is their turn.
            if (t.personToMove() && g.person.DrawPhase)
                t.window->run([&g] { g.stockDblClick(g.table.Seats[0].Cards.top()); });
            if (t.personToMove() && !g.person.DrawPhase) {
                const int last = g.table.Seats[kHuman].Cards[g.table.Seats[kHuman].CardCount()];
                t.window->run([&g] { g.mnuPlayDrawnCard_Click(); });
                t.window->run([&g, last] { g.cardDblClick(last); });
            }
            QTest::qWait(1);
        }
        QCOMPARE(newGames, 3);
        // The dropped thoughts came back to nothing: the game goes on.
        const int turnsBefore = g.table.Seats[0].CardCount();
        QTRY_VERIFY_WITH_TIMEOUT(g.table.Seats[0].CardCount() < turnsBefore || g.table.RoundOver,
                                 10000);
        std::vector<int> seen(53, 0);
        for (const SeatRec& s : g.table.Seats) {
            for (int c : s.Cards.toVector()) ++seen[std::size_t(c)];
            for (int c : s.PileCards.toVector()) ++seen[std::size_t(c)];
        }
        for (int c = 1; c <= 52; ++c) QCOMPARE(seen[std::size_t(c)], 1);
    }

    // Play > Hint (the H key) during the person's turn marks the move the
    // Master's search would make, one the game would accept, says it, and
    // moves nothing; with Expert or Master opponents thinking on the worker
    // thread the game plays on as before.
    void hintShowsALegalMoveAndChangesNothing() {
        // A Master seat stops thinking at its time limit, so on a slow
        // machine (the sanitizer build) its game may go otherwise and end
        // sooner: each game must give a whole turn's hints, the three
        // together more.
        int allHints = 0;
        for (std::uint64_t seed : {5u, 6u, 7u}) {
            Window t(seed);
            Game& g = *t.game;
            // A menu's key works in the active window.
            t.window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(t.window.get()));
            // The first game with Expert opponents, the second with Master
            // ones (slow in the sanitizer build).
            Preferences expert;
            expert.expertPlayers = seed == 5;
            expert.masterPlayers = seed == 7;
            t.window->run([&] { g.applyPreferences(expert); });
            QCOMPARE(g.level().expertSeats != 0, expert.expertPlayers);
            QCOMPARE(g.level().masterSeats, expert.masterPlayers ? 0xEu : 0u);
            int hints = 0;
            for (int turn = 0; turn < 6 && !g.table.RoundOver; ++turn) {
                t.playOn();
                if (!t.personToMove()) break;
                for (int phase = 0; phase < 2; ++phase) {
                    const Table before = g.table;
                    t.key(Qt::Key_H);
                    t.window->finishThinking();
                    const std::string said = g.scene.hintLine.caption;
                    QVERIFY2(said.rfind(" คำแนะนำ : ", 0) == 0 &&
                                 said.find("กำลังคิด") == std::string::npos,
                             said.c_str());
                    QVERIFY(g.scene.topPanel.visible);
                    for (int s = 0; s <= 4; ++s) {
                        QCOMPARE(g.table.Seats[s].Cards.toVector(),
                                 before.Seats[s].Cards.toVector());
                        QCOMPARE(g.table.Seats[s].PileCards.toVector(),
                                 before.Seats[s].PileCards.toVector());
                    }
                    std::vector<int> faces;
                    int backs = 0;
                    for (int c = 1; c <= 52; ++c) {
                        if (g.scene.cardFace[c].hinted) faces.push_back(c);
                        if (g.scene.cardBack[c].hinted) {
                            ++backs;
                            QCOMPARE(c, g.table.Seats[0].Cards.top());
                        }
                    }
                    const CardList& hand = g.table.Seats[kHuman].Cards;
                    const CardList& pile = g.table.Seats[0].PileCards;
                    if (g.person.DrawPhase) {
                        // The stock, or a pile card with the hand cards of its meld.
                        if (backs == 1) {
                            QVERIFY(faces.empty());
                        } else {
                            QCOMPARE(backs, 0);
                            int deepest = 0;
                            std::vector<int> fromHand;
                            for (int c : faces) {
                                if (pile.contains(c))
                                    deepest =
                                        deepest ? std::min(deepest, pile.find(c)) : pile.find(c);
                                else if (hand.contains(c))
                                    fromHand.push_back(c);
                            }
                            QVERIFY(deepest > 0);
                            // The meld may take more pile cards than one.
                            QVERIFY(!fromHand.empty() && fromHand.size() <= 2);
                            QVERIFY(CanPickFromPile(g.table, deepest));
                        }
                    } else {
                        // A meld from the hand, or one card of it to discard.
                        QCOMPARE(backs, 0);
                        for (int c : faces) QVERIFY(hand.contains(c));
                        if (faces.size() == 3)
                            QVERIFY(CheckLaidMeld(g.table, faces[0], faces[1], faces[2]));
                        else
                            QCOMPARE(int(faces.size()), 1);
                    }
                    ++hints;
                    if (phase == 1 || !g.person.DrawPhase) break;
                    // Draw from the stock and ask again.
                    t.window->run([&g] { g.stockDblClick(g.table.Seats[0].Cards.top()); });
                    QVERIFY(!g.person.DrawPhase);
                    for (int c = 1; c <= 52; ++c)
                        QVERIFY(!g.scene.cardFace[c].hinted && !g.scene.cardBack[c].hinted);
                }
                // Discard the last card of the hand to end the turn.
                const int last = g.table.Seats[kHuman].Cards[g.table.Seats[kHuman].CardCount()];
                t.window->run([&g] { g.mnuPlayDrawnCard_Click(); });
                t.window->run([&g, last] { g.cardDblClick(last); });
                t.settle();
            }
            QVERIFY2(hints >= 2, ("seed " + std::to_string(seed)).c_str());
            allHints += hints;
        }
        QVERIFY(allHints >= 10);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);  // the person's own settings stay untouched
    QApplication app(argc, argv);
    KeyboardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "keyboard_test.moc"
