// The secondary windows with real widgets: the modal screens follow and
// drive their models, and the Help windows lay themselves out.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "game/game.h"
#include "game/silentdialogs.h"
#include "windows.h"

using namespace vornak;

namespace {

// Runs `inside` once the modal window opened by `run` is up, with that
// window. A window still open after 20 seconds is closed, so a failed check
// ends the test instead of hanging it.
void whileModal(const std::function<void(QDialog&)>& inside, const std::function<void()>& run) {
    QTimer::singleShot(0, [inside] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        QTimer::singleShot(20000, dialog, [dialog] { dialog->done(QDialog::Rejected); });
        inside(*dialog);
    });
    run();
}

QPoint centreOf(const QWidget* w) {
    return w->rect().center();
}

}  // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(records_.isValid());
        game_ = std::make_unique<Game>(
            dialogs_, random_,
            Paths{records_.path().toStdString(), records_.filePath("skins.txt").toStdString(),
                  records_.filePath("ScoreData.Dat").toStdString()});
    }

    // The start-up picture rises on the window's timer; only when it has come
    // to rest does "Start Game" appear, and clicking it closes the window.
    void titleScreenRunsItsAnimationAndClosesThroughTheModel() {
        TitleScreen title;
        title.open(true, false, false);
        title.riseTimer.interval = 5;  // the same animation, quicker
        bool busyWhileRising = false, timerRan = false, stoppedAtRest = false, hoverRed = false;
        whileModal(
            [&](QDialog& dialog) {
                auto* timer = dialog.findChild<QTimer*>(QStringLiteral("riseTimer"));
                auto* caption = dialog.findChild<QWidget*>(QStringLiteral("actionCaption"));
                QVERIFY(timer && caption);
                timerRan = timer->isActive();
                busyWhileRising =
                    dialog.cursor().shape() == Qt::WaitCursor && !caption->isVisible();
                QTRY_VERIFY_WITH_TIMEOUT(caption->isVisible(), 10000);
                stoppedAtRest = !timer->isActive() && title.image[4].rect.top < 500 &&
                                dialog.cursor().shape() == Qt::ArrowCursor;
                QCOMPARE(caption->property("text").toString(), QStringLiteral("Start Game"));
                QTest::mouseMove(caption, centreOf(caption));
                hoverRed = caption->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
                QTest::mouseClick(caption, Qt::LeftButton, {}, centreOf(caption));
            },
            [&] { runTitleScreen(nullptr, title); });
        QVERIFY(timerRan);
        QVERIFY(busyWhileRising);
        QVERIFY(stoppedAtRest);
        QVERIFY(hoverRed);
        QVERIFY(title.closed);
        QVERIFY(!title.image[4].visible);
    }

    // A lost game: the two sad pictures take turns on the blink timer and
    // are never shown together; "New Game" closes without the hall of fame.
    void endScreenAlternatesItsPictures() {
        EndScreen end;
        game_->match.GameWon = false;
        end.open(*game_);  // as the game does before it shows the window
        end.blinkTimer.interval = 5;
        bool sawFirst = false, sawSecond = false, sawBoth = false;
        whileModal(
            [&](QDialog& dialog) {
                auto* first = dialog.findChild<QWidget*>(QStringLiteral("image0"));
                auto* second = dialog.findChild<QWidget*>(QStringLiteral("image1"));
                auto* caption = dialog.findChild<QWidget*>(QStringLiteral("actionCaption"));
                QVERIFY(first && second && caption);
                for (int i = 0; i < 40 && !(sawFirst && sawSecond); ++i) {
                    QTest::qWait(5);
                    sawFirst |= first->isVisible() && !second->isVisible();
                    sawSecond |= second->isVisible() && !first->isVisible();
                    sawBoth |= first->isVisible() && second->isVisible();
                }
                QCOMPARE(caption->property("text").toString(), QStringLiteral("New Game"));
                QTest::mouseClick(caption, Qt::LeftButton, {}, centreOf(caption));
            },
            [&] { runEndScreen(nullptr, end, *game_); });
        QVERIFY(sawFirst && sawSecond);
        QVERIFY(!sawBoth);
        QVERIFY(end.closed);
        QVERIFY(!end.showHallOfFame);
    }

    // With no records file every name reads "-"; the close label turns red
    // under the pointer; Esc or the title bar close the window through the
    // model, as the statistics screen does with its "Continue".
    void hallOfFameAndStatisticsCloseThroughTheirModels() {
        HallOfFame hall;
        hall.load(*game_);
        QStringList names;
        bool red = false;
        whileModal(
            [&](QDialog& dialog) {
                for (int i = 1; i <= 6; ++i)
                    if (auto* name = dialog.findChild<QWidget*>(QStringLiteral("lblName%1").arg(i)))
                        names << name->property("text").toString();
                auto* close = dialog.findChild<QWidget*>(QStringLiteral("closeLabel"));
                QVERIFY(close);
                QTest::mouseMove(close, centreOf(close));
                red = close->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
                QTest::keyClick(&dialog, Qt::Key_Escape);
            },
            [&] { runHallOfFame(nullptr, hall); });
        QCOMPARE(names, QStringList(6, QStringLiteral("-")));
        QVERIFY(red);
        QVERIFY(hall.closed);

        StatisticsScreen statistics;
        statistics.money[4].caption = " 15200";
        statistics.open(false);
        whileModal([](QDialog& dialog) { dialog.reject(); },
                   [&] { runStatisticsScreen(nullptr, statistics); });
        QVERIFY(statistics.closed);
    }

    // Text box: inner height - 1500 twips high, inner width - 100 twips
    // wide; the button 800 twips above the bottom, centred. Opening the
    // window again raises the same one.
    void rulesWindowLaysOutOnResize() {
        showRulesWindow(nullptr);
        QWidget* rules = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("rulesWindow")) rules = w;
        QVERIFY(rules);
        auto* text = rules->findChild<QTextEdit*>(QStringLiteral("rulesText"));
        auto* close = rules->findChild<QPushButton*>(QStringLiteral("closeButton"));
        QVERIFY(text && close);
        QVERIFY(text->isReadOnly());
        QVERIFY(text->toPlainText().contains(QStringLiteral("Q-K-A")));
        QCOMPARE(close->text(), QStringLiteral("&Close"));

        for (const QSize size : {QSize(600, 450), QSize(900, 700)}) {
            rules->resize(size);
            QTRY_COMPARE(rules->size(), size);
            QCOMPARE(text->height(), size.height() - 100);  // 1500 twips
            QCOMPARE(text->width(), size.width() - 7);      // 100 twips
            QCOMPARE(close->y(), size.height() - 53);       // 800 twips
            QCOMPARE(close->x(), (size.width() - close->width()) / 2);
        }
        showRulesWindow(nullptr);
        int count = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            count += w->objectName() == QStringLiteral("rulesWindow") && w->isVisible();
        QCOMPARE(count, 1);
        close->click();
        QTRY_VERIFY(!rules->isVisible());
    }

    // A new rules window opens over the game, inside the screen.
    void rulesWindowOpensOverTheGame() {
        QWidget game;
        game.setGeometry(1000, 350, 600, 560);
        game.show();
        QVERIFY(QTest::qWaitForWindowExposed(&game));
        showRulesWindow(&game);
        QWidget* rules = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("rulesWindow") && w->isVisible()) rules = w;
        QVERIFY(rules);
        QVERIFY(QTest::qWaitForWindowExposed(rules));
        const QRect screen = game.screen()->availableGeometry();
        QVERIFY(screen.contains(rules->geometry()));
        // Centred on the game as far as the screen allows: here it meets
        // the screen's right edge.
        QCOMPARE(rules->geometry().right(), screen.right());
        QVERIFY(qAbs(rules->geometry().center().y() - game.geometry().center().y()) <= 1);
        rules->close();
    }

    // The credits open over the about window, in its place and size, and
    // scroll until closed.
    void creditsTakeTheAboutWindowsPlace() {
        showAboutWindow(nullptr);
        QWidget* about = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("aboutWindow")) about = w;
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral("About Vornak Version 1.30"));
        QVERIFY(QTest::qWaitForWindowExposed(about));
        const QRect aboutPlace = about->geometry();
        const QSize aboutSize = about->size();
        QRect creditsPlace;
        QSize creditsSize;
        bool scrolled = false;
        whileModal(
            [&](QDialog& credits) {
                QVERIFY(QTest::qWaitForWindowExposed(&credits));
                creditsPlace = credits.geometry();
                creditsSize = credits.size();
                auto* timer = credits.findChild<QTimer*>(QStringLiteral("scrollTimer"));
                scrolled = timer && timer->isActive();
                credits.accept();
            },
            [&] { about->findChild<QPushButton*>(QStringLiteral("creditButton"))->click(); });
        QCOMPARE(creditsSize, aboutSize);
        QCOMPARE(creditsPlace, aboutPlace);
        QVERIFY(scrolled);
        about->close();
    }

private:
    SilentDialogs dialogs_;
    SeededRandom random_{7};
    QTemporaryDir records_;
    std::unique_ptr<Game> game_;
};

int main(int argc, char** argv) {
    // Off screen, a screen of a desktop's size whose windows have frames.
    QTemporaryDir config;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        QFile file(config.filePath("screens.json"));
        if (file.open(QIODevice::WriteOnly))
            file.write(R"({"windowFrameMargins": true, "screens": [{"name": "desktop",
                "x": 0, "y": 0, "width": 1600, "height": 1000, "logicalDpi": 96}]})");
        file.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file.fileName()).toLocal8Bit());
    }
    QApplication app(argc, argv);
    WindowsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "windows_test.moc"
