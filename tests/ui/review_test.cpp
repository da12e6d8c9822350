// The round review on the real window: opened from the round's board and
// from the notebook, stepped by keys, its mistakes listed first once the
// evaluation is done, and closed while it still thinks.
//
// VORNAK_REVIEW_SHOT=file.png also writes the review window as it stands
// (VORNAK_REVIEW_LANG=en: in English; VORNAK_REVIEW_HOLD=ms keeps it shown
// that long first, for a screen shot of the whole screen).
#include <QApplication>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "ai/turn.h"
#include "game/game.h"
#include "language.h"
#include "mainwindow.h"
#include "quiet_dialogs.h"
#include "review.h"
#include "tablewidget.h"

using namespace vornak;

class ReviewTest : public QObject {
    Q_OBJECT

    struct Fixture {
        QTemporaryDir dir;
        SeededRandom random{11};
        QuietDialogs dialogs;
        std::unique_ptr<Game> game;
        std::unique_ptr<MainWindow> window;

        Fixture() {
            Paths paths{dir.path().toStdString(), (dir.path() + "/skins.txt").toStdString(),
                        (dir.path() + "/records.dat").toStdString()};
            game = std::make_unique<Game>(dialogs, random, paths);
            game->ProgramStart();
            const QString lang = qEnvironmentVariable("VORNAK_REVIEW_LANG");
            if (!lang.isEmpty()) applyLanguage(lang);
            window = std::make_unique<MainWindow>(*game, dialogs);
            window->resize(1188, 831 + 30);
            window->show();
            window->run([this] { game->MainWindowLoad(); });
            // The round is played out by the rules in every seat, as the
            // game records it, and ends on its board.
            window->run([this] {
                game->seq.cancel();
                game->scene.turnTimer.enabled = false;
                game->scene.clockTimer.enabled = false;
                SeededRandom play(5);
                playOut(game->table, game->level(), play, game->watcher());
                game->watcher()->roundEnding();
                game->ShowRoundEndBoard();
                game->ScoreRound();
                game->UpdateNotebook();
                game->notebook.rows = game->match.RoundNumber - 1;
            });
        }
        QWidget* child(const QString& name) const {
            return window->table()->findChild<QWidget*>(name);
        }
    };

    static void stepByKeys(ReviewWindow* w) {
        const int n = static_cast<int>(w->review().positions().size());
        QVERIFY(n > 10);
        QCOMPARE(w->review().cursor(), 0);
        QTest::keyClick(w, Qt::Key_End);
        QCOMPARE(w->review().cursor(), n - 1);
        QTest::keyClick(w, Qt::Key_Right);
        QCOMPARE(w->review().cursor(), n - 1);
        QTest::keyClick(w, Qt::Key_Left);
        QCOMPARE(w->review().cursor(), n - 2);
        QTest::keyClick(w, Qt::Key_Home);
        QCOMPARE(w->review().cursor(), 0);
        QTest::keyClick(w, Qt::Key_Right);
        QCOMPARE(w->review().cursor(), 1);
        auto* last = w->findChild<QPushButton*>(QStringLiteral("reviewLast"));
        QVERIFY(last && last->isEnabled());
        QTest::mouseClick(last, Qt::LeftButton);
        QCOMPARE(w->review().cursor(), n - 1);
        QVERIFY(!last->isEnabled());
    }

private slots:
    void initTestCase() { ReviewWindow::setRollouts(300); }

    void opensFromTheBoardStepsByKeysAndListsTheMistakesFirst() {
        Fixture f;
        auto* button = f.child(QStringLiteral("reviewRoundButton"));
        QVERIFY(button && button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        ReviewWindow* w = f.window->review()->lastOpened();
        QVERIFY(w && w->isVisible());
        stepByKeys(w);

        QTRY_VERIFY_WITH_TIMEOUT(w->evaluationDone(), 30000);
        const RoundReview& r = w->review();
        auto* progress = w->findChild<QProgressBar*>(QStringLiteral("reviewProgress"));
        QCOMPARE(progress->value(), progress->maximum());
        auto* list = w->findChild<QListWidget*>(QStringLiteral("reviewDecisions"));
        QCOMPARE(list->count(), static_cast<int>(r.decisions().size()));
        const std::vector<std::size_t> mistakes = r.mistakes();
        for (std::size_t k = 0; k < mistakes.size(); ++k) {
            QListWidgetItem* item = list->item(static_cast<int>(k));
            QCOMPARE(static_cast<std::size_t>(item->data(Qt::UserRole).toInt()), mistakes[k]);
            QVERIFY(item->text().startsWith(QStringLiteral("⚠")));
        }
        // One click on a listed decision goes to where it was made.
        QListWidgetItem* item = list->item(0);
        QVERIFY(item);
        const auto i = static_cast<std::size_t>(item->data(Qt::UserRole).toInt());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        QCOMPARE(w->review().cursor(), r.decisions()[i].position);
        QCOMPARE(w->review().current().decision, static_cast<int>(i));

        const QString shot = qEnvironmentVariable("VORNAK_REVIEW_SHOT");
        if (!shot.isEmpty()) {
            w->raise();
            QTest::qWait(qEnvironmentVariableIntValue("VORNAK_REVIEW_HOLD"));
            w->grab().save(shot);
        }
        w->close();
    }

    void opensFromTheNotebookAndClosesWhileItThinks() {
        ReviewWindow::setRollouts(100000);  // far from done when it closes
        Fixture f;
        QWidget* notebook = f.child(QStringLiteral("notebook"));
        QVERIFY(notebook && notebook->isVisible());
        const Rect& row = f.game->scene.notebookRound[1].rect;
        const double s = f.window->table()->scale();
        const QPoint at(static_cast<int>((row.left + 100) * s),
                        static_cast<int>((row.top + row.height / 2) * s));
        QCOMPARE(f.window->review()->roundAt(at), 1);
        QTest::mouseDClick(notebook, Qt::LeftButton, {}, at);
        QPointer<ReviewWindow> w = f.window->review()->lastOpened();
        QVERIFY(w && w->isVisible());
        stepByKeys(w);
        QVERIFY(!w->evaluationDone());
        w->close();  // cancels the evaluation and waits for the worker
        QTRY_VERIFY(w.isNull());
        ReviewWindow::setRollouts(300);
    }
};

QTEST_MAIN(ReviewTest)
#include "review_test.moc"
