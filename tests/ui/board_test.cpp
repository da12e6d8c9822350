// The end-of-round board on the real window: with the longest columns a
// round can leave, every card shows and the notebook lies beside them.
//
// VORNAK_BOARD_SHOT=file.png also writes the board as it stands, with the
// program's pictures when VORNAK_PICTURES names their folder.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "game/game.h"
#include "mainwindow.h"
#include "quiet_dialogs.h"
#include "tablewidget.h"

using namespace vornak;

namespace {}  // namespace

class BoardTest : public QObject {
    Q_OBJECT

    struct Fixture {
        QTemporaryDir dir;
        SeededRandom random{7};
        QuietDialogs dialogs;
        std::unique_ptr<Game> game;
        std::unique_ptr<MainWindow> window;

        Fixture() {
            const QString pictures = qEnvironmentVariable("VORNAK_PICTURES", dir.path());
            Paths paths{pictures.toStdString(), (dir.path() + "/skins.txt").toStdString(),
                        (dir.path() + "/records.dat").toStdString()};
            game = std::make_unique<Game>(dialogs, random, paths);
            game->ProgramStart();
            window = std::make_unique<MainWindow>(*game, dialogs);
            window->resize(1188, 831 + 30);
            window->show();
            window->run([this] { game->MainWindowLoad(); });
            window->run([this] {
                game->seq.cancel();
                game->scene.turnTimer.enabled = false;
                game->scene.clockTimer.enabled = false;
            });
        }
        QWidget* child(const QString& name) const {
            return window->table()->findChild<QWidget*>(name);
        }
    };

    // Every card shows its top edge with the index: nothing but a later card
    // of the board lies over it. The notebook lies over no part of any card.
    static void expectEveryCardShown(const Fixture& f, const std::vector<std::vector<int>>& cols) {
        TableWidget* table = f.window->table();
        const QRect notebook = f.child("notebook")->geometry();
        for (const std::vector<int>& col : cols) {
            for (const int code : col) {
                QWidget* card = f.child(QStringLiteral("cardFace%1").arg(code));
                QVERIFY(card && card->isVisible());
                const QString name = QString::fromStdString(cardNotation(code));
                const QRect r = card->geometry();
                QVERIFY2(!r.intersects(notebook), qPrintable(name + " lies under the notebook"));
                for (const QPoint& p : {r.topLeft() + QPoint(3, 3), r.topRight() + QPoint(-3, 3)}) {
                    QWidget* at = table->childAt(p);
                    while (at && at->parentWidget() != table) at = at->parentWidget();
                    const bool aCard = at && at->objectName().startsWith(QStringLiteral("card"));
                    QVERIFY2(at == card || aCard, qPrintable(name + " is covered by " +
                                                             (at ? at->objectName() : "nothing")));
                }
            }
        }
    }

private slots:
    void everyCardShowsBesideTheNotebook() {
        Fixture f;
        Game& g = *f.game;
        // A long round: 22 cards left in the stock, a seat that laid 24
        // cards (the right-most laid column) and one that laid 20.
        std::vector<int> all;
        for (int c = 1; c <= 52; ++c) all.push_back(c);
        auto take = [&all](std::size_t n) {
            std::vector<int> out(all.begin(), all.begin() + static_cast<long>(n));
            all.erase(all.begin(), all.begin() + static_cast<long>(n));
            return out;
        };
        std::vector<std::vector<int>> columns;
        f.window->run([&] {
            g.table.Seats[0].Cards.assign(take(22));
            g.table.Seats[0].PileCards.assign(take(1));
            for (int s = 1; s <= 4; ++s) {
                g.table.Seats[s].Cards.clear();
                g.table.Seats[s].PileCards.clear();
            }
            g.table.Seats[4].PileCards.assign(take(24));
            g.table.Seats[1].Cards.assign(take(3));
            g.table.Seats[2].Cards.assign(take(2));
            g.table.Seats[3].PileCards.assign(all);
            g.table.Seats[4].Knocked = true;
            g.table.RoundOver = true;
            g.ShowRoundEndBoard();
            g.ScoreRound();
            g.UpdateNotebook();
        });
        QVERIFY(g.scene.notebook.visible);
        QVERIFY(g.scene.boardPanel.visible);
        QVERIFY(f.child("notebook")->isVisible());
        columns.push_back(g.table.Seats[0].Cards.toVector());
        for (int s = 1; s <= 4; ++s) columns.push_back(g.table.Seats[s].Cards.toVector());
        // The laid columns as the board drew them, before the scoring sorted them.
        for (int s = 1; s <= 4; ++s) {
            std::vector<int> laid = g.table.Seats[s].PileCards.toVector();
            std::sort(laid.begin(), laid.end(), [&g](int a, int b) {
                return g.scene.cardFace[a].top < g.scene.cardFace[b].top;
            });
            columns.push_back(laid);
        }
        const QByteArray shot = qgetenv("VORNAK_BOARD_SHOT");
        if (!shot.isEmpty()) QVERIFY(f.window->grab().save(QString::fromLocal8Bit(shot)));
        expectEveryCardShown(f, columns);
    }

    void theNotebookOpenedDuringPlayCoversNoCard() {
        Fixture f;
        QAction* item = nullptr;
        for (QAction* menu : f.window->menuBar()->actions())
            for (QAction* a : menu->menu()->actions())
                if (a->text() == QStringLiteral("ScoreBook")) item = a;
        QVERIFY(item);
        item->trigger();
        QWidget* notebook = f.child("notebook");
        QVERIFY(notebook->isVisible());
        int cards = 0;
        for (QWidget* w : f.window->table()->findChildren<QWidget*>()) {
            if (!w->objectName().startsWith(QStringLiteral("card")) || !w->isVisible()) continue;
            ++cards;
            QVERIFY2(!w->geometry().intersects(notebook->geometry()),
                     qPrintable(w->objectName() + " lies under the notebook"));
        }
        QVERIFY(cards >= 52 - 23 + 1);  // the hands, the pile and the stock's top
        item->trigger();
        QVERIFY(notebook->isHidden());
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BoardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "board_test.moc"
