// Cards that travel and the table's sounds, at the real window on a clock
// of the test's own: the same seeded games give the same actions with the
// motion on and off, every card ends where the game without motion puts
// it, the person's input waits for the cards, and whole rounds play with
// sound on and no sound device, without a message.
#include <QAction>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <sstream>

#include "game/game.h"
#include "core/observer.h"
#include "mainwindow.h"
#include "preferences.h"
#include "quiet_dialogs.h"
#include "tablewidget.h"

using namespace vornak;

namespace {

// Every action of the game, as one line each.
class ActionLog : public GameObserver {
public:
    void action(const GameAction& a) override {
        text << a.kind << ' ' << a.seat << ' ' << a.position << ' ' << a.detail;
        for (int c : a.cards) text << ' ' << c;
        text << '\n';
    }
    void decisionStarts(const char*, int, const Table&) override {}
    void decisionEnds(const char*, int, int, const Table&) override {}
    bool watchesDecisions() const override { return false; }
    std::ostringstream text;
};

class RecordingDialogs : public QuietDialogs {
public:
    MsgResult messageBox(const std::string& text, const std::string&, MsgButtons,
                         MsgIcon) override {
        messages.push_back(text);
        return MsgResult::Ok;
    }
    std::vector<std::string> messages;
};

// Qt's own warnings (a sound backend complaining, say) are collected.
QStringList qtWarnings;
void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    // The offscreen platform's own remark is not the game's.
    if (type != QtDebugMsg && type != QtInfoMsg &&
        !text.contains(QLatin1String("propagateSizeHints")))
        qtWarnings << text;
}

struct Run {
    Run(const QString& data, std::uint64_t seed, bool animated, bool sound) : random(seed) {
        Paths paths{QStringLiteral(VORNAK_PICTURE_FOLDER).toStdString(),
                    (data + "/skins.txt").toStdString(), (data + "/records.dat").toStdString()};
        game = std::make_unique<Game>(dialogs, random, paths);
        game->ProgramStart();
        Preferences p;
        p.cardsAnimated = animated;
        p.sound = sound;
        game->applyPreferences(p);
        game->observer = &log;
        window = std::make_unique<MainWindow>(*game, dialogs);
        window->resize(900, 650);
        window->setManualTime(true);
        window->show();
        window->run([this] { game->MainWindowLoad(); });
    }
    bool advanceUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 400000; ++i) {
            if (done()) return true;
            if (!window->advanceTime()) return false;
        }
        return false;
    }
    // The person draws and discards the first card, each a call of its own
    // as a person's clicks are; the discard waits for the drawn card.
    void playPersonsTurn() {
        Game& g = *game;
        window->run([&g] { g.stockDblClick(g.table.Seats[0].Cards.top()); });
        if (window->motion().moving()) {
            // Input while the card travels does nothing.
            const int held = g.table.Seats[kHuman].CardCount();
            window->run([&g] { g.mnuPlayDrawnCard_Click(); });
            window->run([&g] { g.cardDblClick(g.table.Seats[kHuman].Cards[1]); });
            QCOMPARE(g.table.Seats[kHuman].CardCount(), held);
            QVERIFY(advanceUntil([this] { return !window->motion().moving(); }));
        }
        window->run([&g] { g.mnuPlayDrawnCard_Click(); });
        window->run([&g] { g.cardDblClick(g.table.Seats[kHuman].Cards[1]); });
    }
    // Plays until `rounds` rounds have ended.
    void playRounds(int rounds) {
        Game& g = *game;
        for (int ended = 0; ended < rounds;) {
            QVERIFY(advanceUntil(
                [&g] { return g.table.RoundOver || g.boundary() == SavePoint::PersonToPlay; }));
            if (g.table.RoundOver) {
                ++ended;
                QVERIFY(advanceUntil([this] { return !window->motion().moving(); }));
                if (ended < rounds) window->run([&g] { g.windowClick(); });
            } else {
                playPersonsTurn();
            }
        }
    }
    SeededRandom random;
    RecordingDialogs dialogs;
    ActionLog log;
    std::unique_ptr<Game> game;
    std::unique_ptr<MainWindow> window;
};

}  // namespace

class MotionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void cardsTravelWithoutChangingTheGame() {
        for (const std::uint64_t seed : {11u, 29u}) {
            QTemporaryDir plainDir, movingDir;
            Run plain(plainDir.path(), seed, false, false);
            Run moving(movingDir.path(), seed, true, false);
            plain.playRounds(2);
            moving.playRounds(2);
            QVERIFY2(moving.window->motion().glidesStarted() > 20,
                     qPrintable(QString::number(moving.window->motion().glidesStarted())));
            QCOMPARE(plain.window->motion().glidesStarted(), 0L);
            QVERIFY(!plain.log.text.str().empty());
            QCOMPARE(moving.log.text.str(), plain.log.text.str());

            // Every card where the game without motion has it, and drawn there.
            TableWidget* table = moving.window->table();
            for (int c = 1; c <= 52; ++c) {
                for (bool face : {true, false}) {
                    const CardPicture& a =
                        face ? plain.game->scene.cardFace[c] : plain.game->scene.cardBack[c];
                    const CardPicture& b =
                        face ? moving.game->scene.cardFace[c] : moving.game->scene.cardBack[c];
                    QCOMPARE(b.left, a.left);
                    QCOMPARE(b.top, a.top);
                    QCOMPARE(b.visible, a.visible);
                    if (!b.visible) continue;
                    auto* w = table->findChild<QWidget*>(
                        QStringLiteral("%1%2").arg(face ? "cardFace" : "cardBack").arg(c));
                    QVERIFY(w);
                    const QRect want = table->toPixels(
                        {b.left, b.top, face ? kFaceWidth : kBackWidth, kFaceHeight});
                    QCOMPARE(w->geometry().topLeft(), want.topLeft());
                }
            }
        }
    }

    void aDiscardGlidesAndTheComputerWaits() {
        QTemporaryDir dir;
        Run run(dir.path(), 11, true, false);
        Game& g = *run.game;
        QVERIFY(run.advanceUntil([&g] { return g.boundary() == SavePoint::PersonToPlay; }));
        run.window->run([&g] { g.stockDblClick(g.table.Seats[0].Cards.top()); });
        QVERIFY(run.advanceUntil([&run] { return !run.window->motion().moving(); }));
        run.window->run([&g] { g.mnuPlayDrawnCard_Click(); });
        const int card = g.table.Seats[kHuman].Cards[1];
        run.window->run([&g, card] { g.cardDblClick(card); });
        QCOMPARE(g.table.Seats[0].PileCards.top(), card);
        TableMotion& m = run.window->motion();
        QVERIFY(m.gliding(card));
        // On its way: between the hand and the pile, eased, arriving whole.
        const CardPicture& to = g.scene.cardFace[card];
        int left = 0, top = 0, lastTop = 1 << 30;
        int frames = 0;
        while (m.moving()) {
            m.shownAt(card, true, left, top);
            QVERIFY(top >= to.top && top <= lastTop);
            lastTop = top;
            // The next seat does not start while the card travels.
            QVERIFY(!g.ComputerPlaying);
            QVERIFY(run.window->advanceTime());
            ++frames;
        }
        QVERIFY2(frames >= 10 && frames <= 16, qPrintable(QString::number(frames)));
        m.shownAt(card, true, left, top);
        QCOMPARE(left, to.left);
        QCOMPARE(top, to.top);
    }

    void instantPaceMovesAtOnce() {
        QTemporaryDir dir;
        Run run(dir.path(), 11, true, false);
        Preferences p = run.game->prefs;
        p.pace = Pace::Instant;
        run.window->run([&run, p] { run.game->applyPreferences(p); });
        run.playRounds(1);
        QCOMPARE(run.window->motion().glidesStarted(), 0L);
    }

    // Card moves, sound and volume are kept; Game > Sound switches the sound.
    void preferencesAndTheSoundItem() {
        Preferences p;
        QVERIFY(!p.cardsAnimated && p.sound);
        p.cardsAnimated = true;
        p.sound = false;
        p.volume = 35;
        savePreferences(p);
        Preferences back = loadPreferences();
        QVERIFY(back.cardsAnimated && !back.sound);
        QCOMPARE(back.volume, 35);
        QFile f(preferencesFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[General]\ncardMoves=sideways\nvolume=loud\n");
        f.close();
        back = loadPreferences();
        QVERIFY(!back.cardsAnimated && back.sound);
        QCOMPARE(back.volume, Preferences{}.volume);

        QTemporaryDir dir;
        Run run(dir.path(), 11, false, true);
        auto* item = run.window->findChild<QAction*>(QStringLiteral("soundItem"));
        QVERIFY(item && item->isCheckable() && item->isChecked());
        item->trigger();
        QVERIFY(!run.game->prefs.sound);
        QVERIFY(!loadPreferences().sound);
        item->trigger();
        QVERIFY(run.game->prefs.sound);
        QFile::remove(preferencesFile());
    }

    void wholeRoundsWithSoundAndNoDevice() {
        qtWarnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
        QTemporaryDir dir, silentDir;
        Run run(dir.path(), 29, true, true);
        run.playRounds(2);
        qInstallMessageHandler(previous);
        QVERIFY(run.window->sounds().asked() > 20);
        // The game's own boxes (the discard's warnings) and nothing else.
        Run silent(silentDir.path(), 29, true, false);
        silent.playRounds(2);
        QCOMPARE(silent.window->sounds().asked(), 0L);
        QCOMPARE(run.dialogs.messages, silent.dialogs.messages);
        QCOMPARE(run.log.text.str(), silent.log.text.str());
        QVERIFY2(qtWarnings.isEmpty(), qPrintable(qtWarnings.join('\n')));
    }
};

QTEST_MAIN(MotionTest)
#include "motion_test.moc"
