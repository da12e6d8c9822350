// A won game's records through the program's real windows: the game opens
// the end screen and the hall of fame with the Qt dialogs, a person clicks
// "Continue" and closes the hall of fame. The game is merged once, with its
// own time.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "game/game.h"
#include "qtdialogs.h"

using namespace vornak;

class RecordsWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void aWonGameIsMergedOnceWithItsTime() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString records = dir.filePath(QStringLiteral("ScoreData.Dat"));
        QtDialogs dialogs;
        SeededRandom random{5};
        Game game(dialogs, random,
                  Paths{dir.path().toStdString(), dir.filePath("skins.txt").toStdString(),
                        records.toStdString()});
        dialogs.setGame(&game);
        game.ReadRecords();  // no file yet, as on a first run
        game.match.GameWon = true;
        game.match.PlayerName = "Ann";
        game.match.MoneyAtRoundStart = 12000;
        game.match.ElapsedSeconds = 754;
        game.match.FinalTime = "0:12:34";

        // The person: "Continue" on the end screen, then a look at the hall
        // of fame and Esc. Whatever is still open after 20 seconds is closed,
        // so a failing check ends the test instead of hanging it.
        QStringList windows, names;
        QElapsedTimer clock;
        clock.start();
        QTimer person;
        person.setInterval(10);
        connect(&person, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            if (clock.elapsed() > 20000) {
                dialog->reject();
                return;
            }
            if (windows.isEmpty() || windows.last() != dialog->objectName())
                windows << dialog->objectName();
            if (dialog->objectName() == QStringLiteral("endScreen")) {
                auto* caption = dialog->findChild<QWidget*>(QStringLiteral("actionCaption"));
                if (!caption) return;
                QTest::mouseClick(caption, Qt::LeftButton, {}, caption->rect().center());
            } else if (dialog->objectName() == QStringLiteral("hallOfFame")) {
                for (int i = 1; i <= 6; ++i)
                    if (auto* name =
                            dialog->findChild<QWidget*>(QStringLiteral("lblName%1").arg(i)))
                        names << name->property("text").toString();
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
        });
        person.start();
        game.showEndScreen();
        person.stop();

        QCOMPARE(windows, QStringList({QStringLiteral("endScreen"), QStringLiteral("hallOfFame")}));
        QCOMPARE(names,
                 QStringList({QStringLiteral("Ann"), QStringLiteral("-"), QStringLiteral("-"),
                              QStringLiteral("Ann"), QStringLiteral("-"), QStringLiteral("-")}));
        QFile file(records);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Ann\r\n-\r\n-\r\n"
                                            "Ann\r\n-\r\n-\r\n"
                                            " 12000\r\n 0\r\n 0\r\n"
                                            "0:12:34\r\n\r\n\r\n"
                                            " 754\r\n 10000\r\n 10000\r\n"));
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RecordsWindowsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "records_test.moc"
