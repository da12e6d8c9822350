// Game > Statistics...: the window shows the figures of the file, follows
// its filters, walks the chart from the keyboard and exports what it shows.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "game/game.h"
#include "historywindow.h"
#include "mainwindow.h"
#include "quiet_dialogs.h"
#include "game/results/history.h"

using namespace vornak;

namespace {

// Export answers with a file of the test's choosing; message boxes are
// counted, not shown.
class ExportDialogs : public QuietDialogs {
public:
    std::optional<std::string> file;
    int saveAsked = 0, messages = 0;
    std::optional<std::string> saveFile(const std::string&, const std::string&,
                                        const std::string&) override {
        ++saveAsked;
        return file;
    }
    MsgResult messageBox(const std::string&, const std::string&, MsgButtons, MsgIcon) override {
        ++messages;
        return MsgResult::Ok;
    }
};

constexpr std::int64_t kNow = 1'800'000'000;

// 60 games over 120 days, at both levels, of every result.
std::string fillHistory(const QTemporaryDir& dir) {
    const std::string path = dir.filePath(QStringLiteral("History.csv")).toStdString();
    for (int i = 0; i < 60; ++i) {
        GameRecord g;
        g.when = kNow - std::int64_t(120 - 2 * i) * 86400;
        g.player = "Tester";
        g.level = i % 3 == 0 ? "vip" : "beginner";
        g.mode = i % 4 == 0 ? "mission" : "normal";
        g.target = g.level == "vip" ? 1000 : 300;
        g.opponents = i % 5 == 0 ? "expert" : "rules";
        g.result = i % 7 == 0 ? "gaveup" : (i % 2 == 0 ? "won" : "lost");
        g.rounds = 3 + i % 5;
        g.points = g.result == "won" ? 300 + i : 40 + i;
        g.money = (g.result == "won" ? 1 : -1) * (500 + 137 * i);
        g.knocks = i % 3;
        g.seconds = 600 + 11 * i;
        if (!appendHistory(path, g).written) return {};
    }
    return path;
}

QString cell(QTableWidget* t, int row, int column) {
    auto* item = t->item(row, column);
    return item ? item->text() : QString();
}

}  // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT

private slots:
    void theFiguresAreTheFilesAndFollowTheFilters() {
        QTemporaryDir dir;
        const std::string path = fillHistory(dir);
        QVERIFY(!path.empty());
        const HistoryFile file = readHistory(path);
        QCOMPARE(file.games.size(), std::size_t(60));
        ExportDialogs dialogs;
        HistoryWindow window(file.games, dialogs, kNow);
        window.show();

        auto* groups = window.findChild<QTableWidget*>(QStringLiteral("groupsTable"));
        auto* list = window.findChild<QTableWidget*>(QStringLiteral("gamesTable"));
        auto* best = window.findChild<QTableWidget*>(QStringLiteral("bestTable"));
        auto* chart = window.findChild<MoneyChart*>(QStringLiteral("moneyChart"));
        QVERIFY(groups && list && best && chart);

        // Every game, as computed from the file.
        HistoryFigures want = computeFigures(file.games);
        QCOMPARE(list->rowCount(), 60);
        QCOMPARE(groups->rowCount(), int(want.groups.size()) + 1);
        for (std::size_t i = 0; i < want.groups.size(); ++i) {
            const GameGroup& g = want.groups[i];
            const int r = int(i);
            QCOMPARE(cell(groups, r, 0), levelText(g.level));
            QCOMPARE(cell(groups, r, 3), QString::number(g.games));
            QCOMPARE(cell(groups, r, 4), QString::number(g.won));
            QCOMPARE(cell(groups, r, 5), QString::number(g.lost));
            QCOMPARE(cell(groups, r, 6), QString::number(g.gaveUp));
            QCOMPARE(cell(groups, r, 8), QString::number(g.pointsPerRound(), 'f', 1));
        }
        const int total = int(want.groups.size());
        QCOMPARE(cell(groups, total, 3), QStringLiteral("60"));
        QCOMPARE(cell(groups, total, 9), QString::number(want.total.money));
        QVERIFY(chart->curve() == want.moneyCurve);
        QCOMPARE(best->rowCount(), 10);
        QCOMPARE(cell(best, 0, 8), QStringLiteral("+%1").arg(file.games[want.best[0]].money));
        QCOMPARE(cell(best, 5, 8), QString::number(file.games[want.worst[0]].money));
        // The latest game first in the list of games.
        QCOMPARE(cell(list, 0, 0), QStringLiteral("60"));

        // VIP games of the last 30 days, through the lists as a person uses them.
        auto* level = window.findChild<QComboBox*>(QStringLiteral("levelFilter"));
        auto* period = window.findChild<QComboBox*>(QStringLiteral("periodFilter"));
        level->setFocus();
        QTest::keyClick(level, Qt::Key_End);
        QTest::keyClick(period, Qt::Key_Down);
        QTest::keyClick(period, Qt::Key_Down);
        const auto shown = filterGames(file.games, {"vip", kNow - 30 * 86400});
        QVERIFY(!shown.empty());
        QCOMPARE(window.shown().size(), shown.size());
        want = computeFigures(shown);
        QCOMPARE(list->rowCount(), int(shown.size()));
        QCOMPARE(groups->rowCount(), int(want.groups.size()) + 1);
        QCOMPARE(cell(groups, int(want.groups.size()), 3), QString::number(shown.size()));
        QVERIFY(chart->curve() == want.moneyCurve);
        for (int r = 0; r < list->rowCount(); ++r) QCOMPARE(cell(list, r, 2), levelText("vip"));

        // The chart from the keyboard: each game said in turn.
        chart->setFocus();
        QTest::keyClick(chart, Qt::Key_Right);
        QCOMPARE(chart->current(), 1);
        QTest::keyClick(chart, Qt::Key_End);
        QCOMPARE(chart->current(), int(shown.size()));
        QVERIFY(chart->accessibleDescription().contains(QString::number(want.moneyCurve.back())));
        auto* note = window.findChild<QLabel*>(QStringLiteral("chartNote"));
        QCOMPARE(note->text(), chart->describe());

        // Export: what is shown, in the history's own format.
        const std::string out = dir.filePath(QStringLiteral("out/export.csv")).toStdString();
        dialogs.file = out;
        auto* exportButton = window.findChild<QPushButton*>(QStringLiteral("exportButton"));
        QTest::mouseClick(exportButton, Qt::LeftButton);
        QCOMPARE(dialogs.saveAsked, 1);
        QFile exported(QString::fromStdString(out));
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QByteArray text = exported.readAll();
        QVERIFY(parseHistory(text.toStdString()).games == shown);
        // Cancelled, nothing is written; a folder in the way is said.
        dialogs.file.reset();
        QVERIFY(!window.exportShown());
        dialogs.file = dir.path().toStdString();
        QVERIFY(!window.exportShown());
        QCOMPARE(dialogs.messages, 1);
    }

    void theMenuItemOpensTheHistoryAsItIsOnTheDisk() {
        QTemporaryDir dir;
        const std::string path = fillHistory(dir);
        ExportDialogs dialogs;
        SeededRandom random{9};
        Game game(dialogs, random,
                  Paths{dir.path().toStdString(),
                        dir.filePath("skins.txt").toStdString(),
                        dir.filePath("records.dat").toStdString(),
                        {},
                        path});
        dialogs.setGame(&game);
        game.ProgramStart();
        MainWindow window(game, dialogs);
        window.show();
        window.run([&game] { game.MainWindowLoad(); });

        std::size_t seen = 0;
        window.setHistoryShower([&](HistoryWindow& w) { seen = w.shown().size(); });
        QAction* item = nullptr;
        for (QAction* a : window.menuBar()->findChildren<QAction*>())
            if (a->objectName() == QStringLiteral("statisticsItem")) item = a;
        QVERIFY(item);
        item->trigger();
        QCOMPARE(seen, std::size_t(60));

        // A history that is no history is set aside with a message.
        QFile::remove(QString::fromStdString(path));
        QFile garbage(QString::fromStdString(path));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("\x89PNG\r\n\x1a\n");
        garbage.close();
        item->trigger();
        QCOMPARE(seen, std::size_t(0));
        QCOMPARE(dialogs.messages, 1);
        QVERIFY(!QFile::exists(QString::fromStdString(path)));
    }
};

QTEST_MAIN(HistoryWindowTest)
#include "history_test.moc"
