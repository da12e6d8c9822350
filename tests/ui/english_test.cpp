// The game in English: a whole game played at the real window after the
// person chose English in Game > Language. After every event no Thai letter
// may be left in any caption, tooltip, menu item, hint or narration of the
// table, in any message box or prompt, in the title, statistics, end and
// hall-of-fame screens, or in the rules, about, credits and Preferences
// windows. Only the switch back to Thai names its language in Thai.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QtMath>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <memory>
#include <random>
#include <set>

#include "game/game.h"
#include "language.h"
#include "mainwindow.h"
#include "quiet_dialogs.h"
#include "preferences.h"
#include "qtdialogs.h"
#include "tablewidget.h"
#include "thaifont.h"

using namespace vornak;

namespace {

bool hasThaiLetter(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x0E01 && c.unicode() <= 0x0E5B && c.unicode() != 0x0E3F) return true;
    return false;
}

// The Thai texts found, each with where it was seen.
struct Findings {
    std::set<QString> found;
    std::set<QString> cut;  // texts a label shows cut short
    long fitted = 0;
    bool reading = false;  // from the switch to English on
    void check(const QString& where, const QString& text) {
        if (reading && hasThaiLetter(text)) found.insert(where + QStringLiteral(": ") + text);
    }
    void check(const QString& where, const std::string& text) {
        check(where, QString::fromStdString(text));
    }
};

// The language switch offers Thai in Thai; nothing else may.
bool isLanguageChoice(const QObject* o) {
    return o->objectName() == QStringLiteral("languageSwitch") ||
           o->objectName().startsWith(QStringLiteral("language_"));
}

void checkWidgets(Findings& f, const QString& when) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        QList<QWidget*> all = top->findChildren<QWidget*>();
        all.prepend(top);
        for (QWidget* w : all) {
            if (isLanguageChoice(w)) continue;
            const QString where = when + QStringLiteral(" ") + w->metaObject()->className() +
                                  QStringLiteral(" ") + w->objectName();
            if (w->isWindow()) f.check(where, w->windowTitle());
            f.check(where, w->toolTip());
            f.check(where, w->accessibleName());
            if (auto* l = qobject_cast<QLabel*>(w)) f.check(where, l->text());
            if (auto* b = qobject_cast<QAbstractButton*>(w)) f.check(where, b->text());
            if (auto* g = qobject_cast<QGroupBox*>(w)) f.check(where, g->title());
            if (auto* t = qobject_cast<QTextEdit*>(w)) f.check(where, t->toPlainText());
            for (QAction* a : w->actions()) {
                if (isLanguageChoice(a)) continue;
                f.check(where + QStringLiteral(" action"), a->text());
                f.check(where + QStringLiteral(" action"), a->toolTip());
            }
        }
    }
}

// At the table's design size no label of the table cuts its English short:
// a label paints what does not fit (after shrinking the font a little) with
// an ellipsis.
void checkFit(Findings& f, QWidget* table, const QString& when) {
    for (QWidget* w : table->findChildren<QWidget*>()) {
        // The labels speak their text; seat names and the stock say more.
        const QString name = w->objectName();
        if (!w->isVisible() || name.startsWith(QStringLiteral("card")) ||
            name.startsWith(QStringLiteral("seatName")) || name == QStringLiteral("stockCount") ||
            w->accessibleName().isEmpty())
            continue;
        ++f.fitted;
        const QFontMetricsF fm(w->font());
        for (const QString& line : w->accessibleName().split(u'\n'))
            if (qCeil(fm.horizontalAdvance(line)) > w->width() - 4)
                f.cut.insert(when + QStringLiteral(" ") + w->objectName() + QStringLiteral(": ") +
                             line);
    }
}

// The labels of a window show their whole text (they are never wrapped).
void checkWindowFit(Findings& f, QWidget* window, const QString& when) {
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (!l->isVisible() || l->wordWrap() || l->text().isEmpty() ||
            l->pixmap().isNull() == false)
            continue;
        const QFontMetricsF fm(l->font());
        const QStringList lines = l->text().split(u'\n');
        if (qCeil(fm.height() * lines.size()) > l->contentsRect().height() + 2)
            f.cut.insert(when + QStringLiteral(" (too high) ") + l->text());
        for (const QString& line : lines)
            if (qCeil(fm.horizontalAdvance(line)) > l->contentsRect().width())
                f.cut.insert(when + QStringLiteral(" ") + window->objectName() +
                             QStringLiteral(": ") + line);
    }
}

// VORNAK_SHOTS=folder keeps a picture of every screen and board seen.
void saveShot(QWidget* w, const QString& name) {
    const QString folder = qEnvironmentVariable("VORNAK_SHOTS");
    if (!folder.isEmpty())
        w->grab().save(folder + QStringLiteral("/") + name + QStringLiteral(".png"));
}

void checkLabel(Findings& f, const char* name, const Label& l) {
    f.check(QString::fromLatin1(name), l.caption);
    f.check(QString::fromLatin1(name), l.tooltip);
}

// Everything the scene holds, shown or not.
void checkScene(Findings& f, const Game& g) {
    const Scene& s = g.scene;
    for (int i = 0; i <= 4; ++i) {
        for (const Label* l :
             {&s.seatName[i], &s.boardHandName[i], &s.boardLaidName[i], &s.resultLine[i],
              &s.panelName[i], &s.panelTitle[i], &s.panelPoints[i], &s.panelK[i], &s.panelFooled[i],
              &s.panelGotFool[i], &s.notebookHeading[i], &s.notebookTotal[i]})
            checkLabel(f, "table label", *l);
        for (const Label& l : s.notebookCell[i]) checkLabel(f, "notebook cell", l);
        for (const std::string& entry : g.match.PlayLogs[std::size_t(i)].Entries)
            f.check(QStringLiteral("play log"), entry);
    }
    for (const Label* l :
         {&s.stockCount, &s.targetLine, &s.ratesLine, &s.clockLabel, &s.moneyLabel, &s.levelLabel,
          &s.hintLine, &s.notebookTotalCaption, &s.playLogCounters, &s.playLogHeading})
        checkLabel(f, "label", *l);
    for (const Label& l : s.notebookRound) checkLabel(f, "notebook round", l);
    for (const Label& l : s.playLogLine) checkLabel(f, "play log line", l);
    for (int c = 1; c <= 52; ++c) f.check(QStringLiteral("card name"), cardName(c));
    f.check(QStringLiteral("board tooltip"), s.boardPanel.tooltip);
    f.check(QStringLiteral("notebook tooltip"), s.notebook.tooltip);
    f.check(QStringLiteral("notebook button"), s.notebookScrollUp.caption);
    f.check(QStringLiteral("notebook button"), s.notebookScrollDown.caption);
}

// Message boxes and prompts are read and answered; the screens are shown for
// real and read while they are open.
class ReadingDialogs : public QtDialogs {
public:
    explicit ReadingDialogs(Findings& f) : f_(f) {}
    MainWindow* window = nullptr;
    std::mt19937_64 rng{7};
    int boxes = 0, screens = 0, statistics = 0;

    MsgResult messageBox(const std::string& text, const std::string& title, MsgButtons,
                         MsgIcon) override {
        ++boxes;
        f_.check(QStringLiteral("message box"), title);
        f_.check(QStringLiteral("message box"), text);
        return MsgResult::Ok;
    }
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string&) override {
        f_.check(QStringLiteral("prompt"), prompt);
        f_.check(QStringLiteral("prompt"), title);
        return std::string("Tester");
    }
    void popupMenu(PopupMenu which) override {
        const std::vector<QAction*> items = choosableItems(menuFor(which));
        if (!items.empty()) items[rng() % items.size()]->trigger();
    }
    void showTitleScreen(TitleScreen& s) override {
        readThenClose();
        QtDialogs::showTitleScreen(s);
    }
    void showStatisticsScreen(StatisticsScreen& s) override {
        ++statistics;
        readThenClose();
        QtDialogs::showStatisticsScreen(s);
    }
    void showEndScreen(EndScreen& s) override {
        s.showHallOfFame = true;
        readThenClose();
        QtDialogs::showEndScreen(s);
    }
    void showHallOfFame(HallOfFame& s) override {
        readThenClose();
        QtDialogs::showHallOfFame(s);
    }
    void quit() override {}

private:
    // Once the screen's own event loop runs, its texts are read and it is
    // closed as a click would close it.
    void readThenClose() {
        ++screens;
        QTimer::singleShot(0, [this] { closeShownScreen(f_); });
    }

public:
    static void closeShownScreen(Findings& f) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible() && d->isModal()) {
                checkWidgets(f, QStringLiteral("screen"));
                checkWindowFit(f, d, QStringLiteral("screen"));
                saveShot(d, d->objectName());
                d->done(QDialog::Accepted);
                return;
            }
        QTimer::singleShot(10, [&f] { closeShownScreen(f); });
    }

private:
    Findings& f_;
};

}  // namespace

class EnglishTest : public QObject {
    Q_OBJECT

private slots:
    void wholeGameInEnglishShowsNoThai() {
        QTemporaryDir dir;
        Findings found;
        SeededRandom random(11);
        ReadingDialogs dialogs(found);
        const Paths paths{dir.path().toStdString(), (dir.path() + "/skins.txt").toStdString(),
                          (dir.path() + "/records.dat").toStdString()};
        Game game(dialogs, random, paths);
        dialogs.setGame(&game);
        game.ProgramStart();  // in Thai, as every first start
        MainWindow window(game, dialogs);
        dialogs.window = &window;
        window.setManualTime(true);
        window.resize(792, 554 + window.menuBar()->sizeHint().height());
        window.show();
        window.run([&game] { game.MainWindowLoad(); });
        QVERIFY(speaksThai());
        QVERIFY(hasThaiLetter(QString::fromStdString(game.scene.menus.mnuPlayDrawnCard.caption)));

        // The person chooses English in Game > Language.
        auto* english = window.findChild<QAction*>(QStringLiteral("language_en"));
        QVERIFY(english);
        english->trigger();
        QCOMPARE(QString::fromStdString(language()), QStringLiteral("en"));
        found.reading = true;
        window.syncAll();
        QCOMPARE(QString::fromStdString(game.scene.menus.mnuPlayDrawnCard.caption),
                 QStringLiteral("Discard"));

        // A whole normal-mode game to 700 points: the person draws and
        // discards, sometimes arranges, lays down or lays off from the play
        // menu; the computer seats narrate.
        window.run([&game] { game.EndScoreEasy_Click(3); });
        std::mt19937_64 rng(3);
        QWindow* handle = window.windowHandle();
        QWidget* table = window.table();
        auto at = [&](QWidget* w) { return w->mapTo(&window, w->rect().center()); };
        int events = 0, rounds = 0;
        bool ended = false;
        // The hint is asked for once before and once after each draw, so its
        // English is checked and measured too.
        std::pair<int, bool> hinted{-1, false};
        int hints = 0;
        for (; events < 20000 && !ended; ++events) {
            const bool wasOver = game.table.RoundOver;
            const std::pair<int, bool> turnPoint{game.table.Seats[0].CardCount(),
                                                 game.person.DrawPhase};
            if (game.seq.running() || (game.table.CurrentSeat != kHuman && !game.table.RoundOver)) {
                window.advanceTime();
            } else if (game.hintAvailable() && hinted != turnPoint) {
                hinted = turnPoint;
                window.run([&game] { game.HintItem_Click(); });
                window.finishThinking();
                ++hints;
            } else if (game.table.RoundOver) {
                QTest::mouseClick(handle, Qt::LeftButton, {}, table->mapTo(&window, QPoint(2, 2)));
            } else if (game.person.DrawPhase) {
                auto* top = table->findChild<QWidget*>(
                    QStringLiteral("cardBack%1").arg(game.table.Seats[0].Cards.top()));
                if (top && top->isVisible())
                    QTest::mouseDClick(handle, Qt::LeftButton, {}, at(top));
                else
                    window.advanceTime();
            } else {
                const int n = game.table.Seats[kHuman].CardCount();
                if (rng() % 3 == 0) {
                    // A card clicked or double-clicked after a play-menu item.
                    auto& m = game.scene.menus;
                    const int item = int(rng() % 3);
                    window.run([&game, &m, item] {
                        if (item == 0 && m.mnuPlayArrangeCard.enabled)
                            game.mnuPlayArrangeCard_Click();
                        if (item == 1 && m.mnuPlayShowCard.enabled) game.mnuPlayShowCard_Click();
                    });
                    auto* face = table->findChild<QWidget*>(
                        QStringLiteral("cardFace%1")
                            .arg(game.table.Seats[kHuman].Cards[1 + int(rng() % n)]));
                    if (face && face->isVisible()) {
                        if (rng() % 2)
                            QTest::mouseClick(handle, Qt::LeftButton, {}, at(face));
                        else
                            QTest::mouseDClick(handle, Qt::LeftButton, {}, at(face));
                    }
                } else if (game.scene.menus.mnuPlayDrawnCard.enabled) {
                    window.run([&game] { game.mnuPlayDrawnCard_Click(); });
                    auto* face = table->findChild<QWidget*>(
                        QStringLiteral("cardFace%1")
                            .arg(game.table.Seats[kHuman].Cards[1 + int(rng() % n)]));
                    if (face && face->isVisible())
                        QTest::mouseDClick(handle, Qt::LeftButton, {}, at(face));
                } else {
                    window.advanceTime();
                }
            }
            if (!wasOver && game.table.RoundOver) {
                ++rounds;
                // The board, and the notebook and a seat's plays over it.
                window.run([&game] { game.ScoreBrdItem_Click(); });
                checkWidgets(found, QStringLiteral("board"));
                saveShot(&window, QStringLiteral("board%1").arg(rounds));
                window.run([&game] { game.ScoreBrdItem_Click(); });
            }
            checkScene(found, game);
            if (events % 25 == 0) checkWidgets(found, QStringLiteral("table"));
            checkFit(found, table, QStringLiteral("table"));
            ended = dialogs.statistics > 0;  // with the end screen and the hall of fame
        }
        if (!ended)
            qInfo(
                "stuck: round %d over %d seat %d draw %d seq %d discard-enabled %d mode %d%d%d%d "
                "hint %s",
                game.match.RoundNumber, game.table.RoundOver, game.table.CurrentSeat,
                game.person.DrawPhase, game.seq.running(),
                game.scene.menus.mnuPlayDrawnCard.enabled, game.person.LayDownMode,
                game.person.DiscardMode, game.person.ArrangeMode, game.person.PilePickMode,
                game.scene.hintLine.caption.c_str());
        QVERIFY2(ended, "the game did not end");

        // Every remark of the computer seats fits the hint line after the
        // longest name and the narration it follows.
        const std::pair<const char*, int> narrations[] = {{"กำลังคิด ??? ", 0},
                                                          {"เลือกเล่นไพ่จากในวง   ", 1}};
        for (const auto& [before, kind] : narrations)
            for (int j = 0; j < 6; ++j) {
                window.run([&game, before, kind, j] {
                    game.scene.topPanel.visible = true;
                    game.scene.hintLine.caption = std::string(" S.Brannoc ") + translate(before) +
                                                  translate(game.Remarks[kind][j].c_str());
                });
                checkFit(found, table, QStringLiteral("remark"));
            }
        // Every hint fits it too, with the widest card name.
        QVERIFY(hints > 10);
        std::string widest;
        for (int c = 1; c <= 52; ++c)
            if (table->fontMetrics().horizontalAdvance(QString::fromStdString(cardName(c))) >
                table->fontMetrics().horizontalAdvance(QString::fromStdString(widest)))
                widest = cardName(c);
        const std::string hintTexts[] = {
            format(translate(" คำแนะนำ : เล่นไพ่ในวงใบที่ %1 (%2) ลงชุด"), {"24", widest}),
            format(translate(" คำแนะนำ : คว่ำไพ่ใบสุดท้าย (%1)"), {widest}),
            format(translate(" คำแนะนำ : ทิ้งไพ่ %1"), {widest}),
            translate(" คำแนะนำ : หงายไพ่ชุดที่มีเครื่องหมาย"),
            translate(" คำแนะนำ : จั่วไพ่จากกอง"),
        };
        for (const std::string& text : hintTexts) {
            window.run([&game, &text] {
                game.scene.topPanel.visible = true;
                game.scene.hintLine.caption = text;
            });
            checkFit(found, table, QStringLiteral("hint"));
        }
        checkWidgets(found, QStringLiteral("after the game"));

        // The windows of the Help and Game menus.
        window.run([&game] { game.HlpItem_Click(); });
        window.run([&game] { game.AboutItem_Click(); });
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* credit = w->findChild<QAbstractButton*>(QStringLiteral("creditButton"))) {
                QTimer::singleShot(0, [&found] { ReadingDialogs::closeShownScreen(found); });
                credit->click();
            }
        QTimer::singleShot(0, [&found] { ReadingDialogs::closeShownScreen(found); });
        Preferences prefs;
        editPreferences(&window, prefs);
        checkWidgets(found, QStringLiteral("help windows"));
        qInfo("english: %d events, %d rounds, %d message boxes, %d screens, %ld labels measured",
              events, rounds, dialogs.boxes, dialogs.screens, found.fitted);

        QStringList cut;
        for (const QString& s : found.cut) {
            qInfo("cut short: %s", qPrintable(s));
            cut << s;
        }
        QVERIFY2(found.cut.empty(), qPrintable(cut.join(QStringLiteral("\n"))));
        QStringList report;
        for (const QString& s : found.found) report << s;
        QVERIFY2(found.found.empty(), qPrintable(report.join(QStringLiteral("\n"))));

        // Back to Thai: the table's texts are Thai again.
        window.findChild<QAction*>(QStringLiteral("language_th"))->trigger();
        QVERIFY(speaksThai());
        QCOMPARE(game.scene.menus.mnuPlayArrangeCard.caption, std::string("จัดไพ่ในมือ"));
        window.hide();
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);  // the person's own settings stay untouched
    QApplication app(argc, argv);
    useThaiFont(app);  // the program's font: the labels are measured with it
    EnglishTest test;
    const int result = QTest::qExec(&test, argc, argv);
    setLanguage("th");
    return result;
}

#include "english_test.moc"
