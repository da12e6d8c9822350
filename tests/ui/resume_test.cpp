// Quitting in the middle of a round and starting again: the real window
// saves the game, the next start offers it in a real message box with Thai
// buttons, and continuing puts the table back as it was. With
// VORNAK_RESUME_SHOTS naming a folder, the window before quitting and after
// continuing is saved there as before.png and after.png (the program's
// pictures are used when VORNAK_PICTURES names their folder).
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "game/game.h"
#include "mainwindow.h"
#include "quiet_dialogs.h"

using namespace vornak;

namespace {

// Clicks the button with this text on the next message box that opens.
void answerNextBox(const QString& text, QString* seen = nullptr) {
    QTimer::singleShot(50, [text, seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        if (seen) *seen = box->windowTitle() + "\n" + box->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == text) return b->click();
        for (QAbstractButton* b : box->buttons())
            if (box->buttonRole(b) == QMessageBox::AcceptRole) return b->click();
    });
}

// Message boxes are answered OK at once (the discard's warnings, the close
// confirmation); the offer of a saved game is the real box.
class AnsweringDialogs : public QuietDialogs {
public:
    MsgResult messageBox(const std::string& text, const std::string&, MsgButtons,
                         MsgIcon) override {
        messages.push_back(text);
        return MsgResult::Ok;
    }
    std::vector<std::string> messages;
};

// One run of the program on a data folder, on a clock of the test's own.
struct Run {
    Run(const QString& data, std::uint64_t seed) : random(seed) {
        const QString pictures = qEnvironmentVariable("VORNAK_PICTURES", data);
        Paths paths{pictures.toStdString(), (data + "/skins.txt").toStdString(),
                    (data + "/records.dat").toStdString(), (data + "/Game.sav").toStdString()};
        game = std::make_unique<Game>(dialogs, random, paths);
        game->SaveInBackground = true;  // as the program saves
        game->ProgramStart();
        window = std::make_unique<MainWindow>(*game, dialogs);
        window->resize(1188, 900);
        window->setManualTime(true);
        window->show();
    }
    void load() {
        window->run([this] { game->MainWindowLoad(); });
    }
    // Lets the game's time run until `done` holds.
    bool advanceUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 200000; ++i) {
            if (done()) return true;
            if (!window->advanceTime()) return false;
        }
        return false;
    }
    // The person's turn, the simple way: draw, then discard the first card.
    void playPersonsTurn() {
        Game& g = *game;
        window->run([&g] {
            g.stockDblClick(g.table.Seats[0].Cards.top());
            g.mnuPlayDrawnCard_Click();
            g.cardDblClick(g.table.Seats[kHuman].Cards[1]);
        });
    }
    SeededRandom random;
    AnsweringDialogs dialogs;
    std::unique_ptr<Game> game;
    std::unique_ptr<MainWindow> window;
};

}  // namespace

class ResumeTest : public QObject {
    Q_OBJECT

private slots:
    void quitMidRoundAndContinue() {
        QTemporaryDir dir;
        const QString save = dir.filePath("Game.sav");
        Scene before;
        QImage beforeShot;
        {
            Run first(dir.path(), 5);
            first.load();
            Game& g = *first.game;
            // Into the second round, then on to the person's turn and a
            // draw: the turn under way is the one that will be lost.
            for (int turns = 0; turns < 100 && !g.table.RoundOver; ++turns) {
                QVERIFY(first.advanceUntil(
                    [&g] { return g.table.RoundOver || g.boundary() == SavePoint::PersonToPlay; }));
                if (!g.table.RoundOver) first.playPersonsTurn();
            }
            QVERIFY(g.table.RoundOver);
            first.window->run([&g] { g.windowClick(); });
            QVERIFY(first.advanceUntil([&g] { return g.boundary() == SavePoint::PersonToPlay; }));
            g.finishSaving();
            QVERIFY(QFile::exists(save));
            before = g.scene;
            beforeShot = first.window->grab().toImage();
            first.window->run([&g] { g.stockDblClick(g.table.Seats[0].Cards.top()); });
            QCOMPARE(g.table.Seats[kHuman].CardCount(), 8);

            // The close box, confirmed.
            first.window->close();
            QVERIFY(!first.window->isVisible());
        }

        Run second(dir.path(), 77);
        QString offer;
        answerNextBox(QStringLiteral("เล่นต่อจากเดิม"), &offer);
        second.load();
        QVERIFY2(offer.contains(QStringLiteral("ต้องการเล่นต่อจากเดิม หรือเริ่มเกมใหม่")),
                 qPrintable(offer));
        Game& g = *second.game;
        QCOMPARE(g.boundary(), std::optional<SavePoint>(SavePoint::PersonToPlay));
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 7);  // the draw was the turn lost

        // Every card where it was, the notebook, money, clock, level and names.
        const Scene& after = g.scene;
        for (int c = 1; c <= 52; ++c) {
            for (auto pair : {std::pair{&before.cardFace[c], &after.cardFace[c]},
                              std::pair{&before.cardBack[c], &after.cardBack[c]}}) {
                QCOMPARE(pair.second->visible, pair.first->visible);
                if (!pair.first->visible) continue;
                QCOMPARE(pair.second->left, pair.first->left);
                QCOMPARE(pair.second->top, pair.first->top);
                QCOMPARE(pair.second->z, pair.first->z);
            }
        }
        QCOMPARE(after.notebookRound.size(), before.notebookRound.size());
        for (std::size_t r = 1; r < before.notebookRound.size(); ++r)
            for (int s = 1; s <= 4; ++s)
                QCOMPARE(after.notebookCell[s][r].caption, before.notebookCell[s][r].caption);
        for (const auto& [a, b] : {std::pair{&after.moneyLabel, &before.moneyLabel},
                                   std::pair{&after.clockLabel, &before.clockLabel},
                                   std::pair{&after.levelLabel, &before.levelLabel},
                                   std::pair{&after.hintLine, &before.hintLine},
                                   std::pair{&after.stockCount, &before.stockCount}})
            QCOMPARE(a->caption, b->caption);
        for (int s = 1; s <= 4; ++s)
            QCOMPARE(after.seatName[s].caption, before.seatName[s].caption);

        // And it looks the same, pixel for pixel.
        const QImage afterShot = second.window->grab().toImage();
        QCOMPARE(afterShot.size(), beforeShot.size());
        long differ = 0;
        for (int y = 0; y < afterShot.height(); ++y)
            for (int x = 0; x < afterShot.width(); ++x)
                if (afterShot.pixel(x, y) != beforeShot.pixel(x, y)) ++differ;
        QVERIFY2(differ == 0, qPrintable(QString::number(differ) + " pixels differ"));
        const QString shots = qEnvironmentVariable("VORNAK_RESUME_SHOTS");
        if (!shots.isEmpty()) {
            QVERIFY(beforeShot.save(shots + "/before.png"));
            QVERIFY(afterShot.save(shots + "/after.png"));
        }

        // It plays on: the person draws and the game goes on from there.
        second.window->run([&g] { g.stockDblClick(g.table.Seats[0].Cards.top()); });
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 8);
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);  // the person's own settings stay untouched
    QApplication app(argc, argv);
    ResumeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "resume_test.moc"
