// The main window: the scene is drawn where the twips say, real mouse and
// key events reach the game, the menu bar follows the scene, and timers
// wait while a dialog is open.
#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

#include "game/game.h"
#include "rules/melds.h"
#include "mainwindow.h"
#include "quiet_dialogs.h"
#include "startup.h"
#include "tablewidget.h"

using namespace vornak;

namespace {

// Pop-up menus are only recorded.
class RecordingDialogs : public QuietDialogs {
public:
    void popupMenu(PopupMenu menu) override { popups.push_back(menu); }
    std::vector<PopupMenu> popups;
};

Task pauseThenMark(Sequencer& seq, int ms, int& step) {
    step = 1;
    co_await seq.pause(ms);
    step = 2;
}

void answerNextBox(QMessageBox::StandardButton which) {
    QTimer::singleShot(50, [which] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(which)->click();
    });
}

// Real pointer input, through the window system's path: hit-testing, the
// implicit grab of a pressed button and Qt's own double-click detection,
// as a person's mouse produces them. `at` is a point of `w`.
QPoint inWindow(QWidget* w, QPoint at) {
    return w->mapTo(w->window(), at);
}
void pointerMove(QWidget* w, QPoint at) {
    QTest::mouseMove(w->window()->windowHandle(), inWindow(w, at));
}
void pointerClick(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(w->window()->windowHandle(), button, {}, inWindow(w, at));
}
void pointerDoubleClick(QWidget* w, QPoint at) {
    QTest::mouseDClick(w->window()->windowHandle(), Qt::LeftButton, {}, inWindow(w, at));
}

// A window's title as the window system shows it: once the application has
// a display name of its own, Qt adds " — " and that name to every title
// that does not already end with it.
QString shownTitle(const QWidget* w) {
    const QString title = w->windowTitle();
    const QString display = QGuiApplication::applicationDisplayName();
    if (display == QCoreApplication::applicationName() || title.endsWith(display)) return title;
    return title + QStringLiteral(" — ") + display;
}

QAction* findAction(QWidget* menuOwner, const QString& text) {
    for (QAction* a : menuOwner->actions()) {
        if (a->text() == text) return a;
        if (a->menu())
            if (QAction* inner = findAction(a->menu(), text)) return inner;
    }
    return nullptr;
}

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

    struct Fixture {
        QTemporaryDir dir;
        SeededRandom random{42};
        RecordingDialogs dialogs;
        std::unique_ptr<Game> game;
        std::unique_ptr<MainWindow> window;

        Fixture() {
            Paths paths{dir.path().toStdString(), (dir.path() + "/skins.txt").toStdString(),
                        (dir.path() + "/records.dat").toStdString()};
            game = std::make_unique<Game>(dialogs, random, paths);
            game->ProgramStart();
            window = std::make_unique<MainWindow>(*game, dialogs);
            window->resize(900, 700);
            window->show();
            window->run([this] { game->MainWindowLoad(); });
            // Hold the game still: no computer turn runs on its own.
            window->run([this] {
                game->seq.cancel();
                game->scene.turnTimer.enabled = false;
                game->scene.clockTimer.enabled = false;
                game->scene.blinkTimer.enabled = false;
            });
        }
        QWidget* child(const QString& name) const {
            return window->table()->findChild<QWidget*>(name);
        }
    };

    // A table widget of its own over a game not yet started, a tenth of a
    // pixel a twip.
    struct BareTable {
        QTemporaryDir dir;
        SeededRandom random{1};
        RecordingDialogs dialogs;
        Game game{dialogs, random, Paths{dir.path().toStdString(), {}, {}}};
        TableWidget table{game};
        BareTable() {
            table.show();
            table.resize(1188, 831);
        }
    };

private slots:
    void tableMapsTwipsToPixels() {
        BareTable bare;
        TableWidget& table = bare.table;
        Scene& sc = bare.game.scene;
        sc.cardFace[5] = CardPicture{3000, 3550, true, true, 1};
        sc.cardFace[6] = CardPicture{3450, 3550, false, true, 2};
        sc.cardBack[7] = CardPicture{1560, 1440, true, false, 3};
        table.sync();

        QWidget* face = table.findChild<QWidget*>("cardFace5");
        QVERIFY(face);
        QCOMPARE(face->geometry(), QRect(300, 355, 93, 126));
        QVERIFY(table.findChild<QWidget*>("cardFace6")->isHidden());
        QCOMPARE(table.findChild<QWidget*>("cardBack7")->geometry(), QRect(156, 144, 92, 126));

        // Wider than the table's proportions: the table stays centred.
        table.resize(1388, 831);
        QCOMPARE(table.origin(), QPoint(100, 0));
        QCOMPARE(face->geometry(), QRect(400, 355, 93, 126));
        // Twice the size: twice the pixels.
        table.resize(2376, 1662);
        QCOMPARE(face->geometry(), QRect(600, 710, 186, 252));
        QCOMPARE(table.toTwips(QPointF(600, 710)), QPoint(3000, 3550));

        // A card brought to the front covers the one it overlaps.
        sc.cardFace[6].visible = true;
        table.sync();
        const QPoint overlap = face->geometry().topRight() - QPoint(5, -5);
        QCOMPARE(table.childAt(overlap), table.findChild<QWidget*>("cardFace6"));
        sc.zCounter = 3;
        sc.toFront(sc.cardFace[5]);
        table.sync();
        QCOMPARE(table.childAt(overlap), face);

        // Elements inside a panel are placed relative to it; a panel hides
        // its children with it.
        sc.notebook.rect = {7500, 4560, 4320, 3720};
        sc.notebook.visible = true;
        sc.notebookTotal[1].rect = {900, 2940, 840, 300};
        sc.notebookTotal[1].visible = true;
        table.sync();
        QWidget* total = table.findChild<QWidget*>("notebookTotal1");
        QCOMPARE(total->parentWidget(), table.findChild<QWidget*>("notebook"));
        QCOMPARE(total->geometry().topLeft(), QPoint(180, 588));
        sc.notebook.visible = false;
        table.sync();
        QVERIFY(!total->isVisibleTo(&table));
    }

    void backgroundAndLabelsArePainted() {
        BareTable bare;  // the picture below is drawn half as large again
        TableWidget& table = bare.table;
        QTemporaryDir& dir = bare.dir;
        Scene& sc = bare.game.scene;
        sc.backColor = 0x000000;

        // A picture of the table's size at 15 twips a pixel: red on the
        // left, blue on the right.
        QImage picture(792, 554, QImage::Format_RGB32);
        picture.fill(Qt::red);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 396; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(0, 0, 255));
        const QString file = dir.filePath("table.bmp");
        QVERIFY(picture.save(file));
        sc.backgroundPicture = file.toStdString();
        table.sync();
        auto colourAt = [&table](int x, int y) { return table.grab().toImage().pixelColor(x, y); };
        QCOMPARE(colourAt(100, 400), QColor(Qt::red));
        QCOMPARE(colourAt(1100, 400), QColor(Qt::blue));
        QCOMPARE(colourAt(1187, 830), QColor(Qt::blue));

        // Drawn smaller than it is, the picture still fills the table.
        table.resize(396, 277);
        QCOMPARE(colourAt(10, 140), QColor(Qt::red));
        QCOMPARE(colourAt(390, 270), QColor(Qt::blue));

        // A file that is no picture leaves the previous one; no picture at
        // all shows the table's colour.
        const QString broken = dir.filePath("broken.bmp");
        QFile out(broken);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("BM not really a picture");
        out.close();
        sc.backgroundPicture = broken.toStdString();
        table.sync();
        QCOMPARE(colourAt(10, 140), QColor(Qt::red));
        sc.backgroundPicture.clear();
        table.sync();
        QCOMPARE(colourAt(10, 140), QColor(Qt::black));

        // Each line of a label is drawn, Thai included: ink in the upper
        // half for the first line and in the lower half for the second.
        table.resize(1188, 831);
        sc.stockCount.rect = {1500, 3000, 6000, 1500};
        sc.stockCount.pointSize = 14;
        sc.stockCount.foreColor = 0xFFFFFF;
        sc.stockCount.caption = "ไพ่ในกองยังเหลือ\nsecond line";
        sc.stockCount.visible = true;
        table.sync();
        QWidget* label = table.findChild<QWidget*>("stockCount");
        QVERIFY(label && label->isVisible());
        const QImage shot = label->grab().toImage();
        auto inkRows = [&shot](int from, int to) {
            int rows = 0;
            for (int y = from; y < to; ++y)
                for (int x = 0; x < shot.width(); ++x)
                    if (qGray(shot.pixel(x, y)) > 200) {
                        ++rows;
                        break;
                    }
            return rows;
        };
        QVERIFY(inkRows(0, shot.height() / 2) > 5);
        QVERIFY(inkRows(shot.height() / 2, shot.height()) > 5);
    }

    void mouseAndKeysReachTheGame() {
        Fixture f;
        Game& g = *f.game;
        f.window->run([&g] {
            g.table.CurrentSeat = kHuman;
            g.StartHumanTurn();
        });
        const int top = g.table.Seats[0].Cards.top();
        const int below = g.table.Seats[0].Cards[g.table.Seats[0].CardCount() - 1];
        QVERIFY(isValidCard(top) && isValidCard(below));

        // A card that is not enabled does not react: the stock stays.
        f.window->run([&g, below] { g.scene.cardBack[below].enabled = false; });
        QWidget* lower = f.child(QStringLiteral("cardBack%1").arg(below));
        QTest::mouseDClick(lower, Qt::LeftButton, {}, QPoint(1, lower->height() / 2));
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 7);

        // A double-click on the top of the stock draws it into the hand.
        QWidget* back = f.child(QStringLiteral("cardBack%1").arg(top));
        QVERIFY(back && back->isVisible());
        QTest::mouseDClick(back, Qt::LeftButton);
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 8);
        QVERIFY(g.table.Seats[kHuman].Cards.contains(top));
        QVERIFY(f.child(QStringLiteral("cardFace%1").arg(top))->isVisible());
        QVERIFY(back->isHidden());

        // A right-click on a hand card asks for the play menu.
        QTest::mouseClick(f.child(QStringLiteral("cardFace%1").arg(top)), Qt::RightButton);
        QCOMPARE(f.dialogs.popups, std::vector<PopupMenu>{PopupMenu::Play});

        // The pointer at the top edge of the table brings the top strip.
        TableWidget* table = f.window->table();
        f.window->run([&g] { g.scene.topPanel.visible = false; });
        QVERIFY(f.child("topPanel")->isHidden());
        const QRect area = table->toPixels(Rect{0, 0, kClientWidth, kClientHeight});
        QTest::mouseMove(table, area.topLeft() + QPoint(area.width() / 3, 3));
        QTRY_VERIFY(f.child("topPanel")->isVisible());

        // "1" then Esc arms the hand exchange.
        QVERIFY(!g.match.GiveStarterHand);
        QTest::keyClick(table, '1');
        QTest::keyClick(table, Qt::Key_Escape);
        QVERIFY(g.match.GiveStarterHand);
    }

    void menuBarFollowsTheScene() {
        Fixture f;
        Game& g = *f.game;
        QMenuBar* bar = f.window->menuBar();
        QStringList titles;
        for (QAction* a : bar->actions()) titles << a->text();
        QCOMPARE(titles, (QStringList{"&Game", "&Play", "&Help"}));

        QAction* exitItem = findAction(bar, "Exit Game");
        QVERIFY(exitItem);
        QCOMPARE(exitItem->shortcut(), QKeySequence("Ctrl+X"));
        QVERIFY(findAction(bar, "Play in  Mission  Mode        "));
        QCOMPARE(findAction(bar, "Lock Card")->shortcut(), QKeySequence("Shift+Ctrl+F5"));
        QVERIFY(findAction(bar, QString::fromUtf8("แต้มจบเกม 2000 แต้ม")));

        // The skin menu holds exactly the catalogue's entries, the chosen
        // one checked.
        int shown = 0;
        for (QAction* a : f.window->skinMenu()->actions())
            if (a->isVisible() && !a->isSeparator()) ++shown;
        QCOMPARE(shown, g.skins.count + 2);  // and "Add New Skin....." and "Random Skin"
        QAction* skin2 = findAction(bar, QString::fromStdString(g.skins.names[2]));
        QVERIFY(skin2);
        skin2->trigger();
        QCOMPARE(g.skins.current, 2);
        QVERIFY(skin2->isChecked());
        QVERIFY(!findAction(bar, QString::fromStdString(g.skins.names[5]))->isChecked());

        // A disabled menu greys its title and its items' keys do nothing.
        f.window->run([&g] { g.scene.menus.mnuGame.enabled = false; });
        QVERIFY(!bar->actions().at(0)->isEnabled());
        QVERIFY(!exitItem->isEnabled());
        f.window->run([&g] { g.scene.menus.mnuGame.enabled = true; });
        QVERIFY(exitItem->isEnabled());

        // Captions change with the scene.
        f.window->run([&g] { g.scene.menus.mnuPlayShowCard.caption = "น๊อคมืด"; });
        QVERIFY(findAction(f.window->playMenu(), QString::fromUtf8("น๊อคมืด")));
    }

    void timersWaitWhileADialogIsOpen() {
        Fixture f;
        Game& g = *f.game;
        f.window->run([&g] { g.scene.clockTimer = TimerRecord{10, true}; });
        const long before = g.match.ElapsedSeconds;
        long duringDialog = -1;
        QTimer::singleShot(150, [&] {
            duringDialog = g.match.ElapsedSeconds;
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Ok)->click();
        });
        MsgResult answer = MsgResult::Cancel;
        f.window->run([&] {
            answer = f.dialogs.messageBox("text", "title", MsgButtons::OkCancel, MsgIcon::Question);
        });
        QCOMPARE(answer, MsgResult::Ok);
        QCOMPARE(duringDialog, before);
        QTRY_VERIFY(g.match.ElapsedSeconds > before);
    }

    void sequencesResumeAfterTheirPause() {
        Fixture f;
        Game& g = *f.game;
        int step = 0;
        f.window->run([&] { g.seq.start(pauseThenMark(g.seq, 40, step)); });
        QCOMPARE(step, 1);
        QVERIFY(g.seq.waiting());
        QTRY_COMPARE(step, 2);
        QVERIFY(!g.seq.running());

        // A cancelled sequence never resumes.
        f.window->run([&] { g.seq.start(pauseThenMark(g.seq, 20, step)); });
        f.window->run([&] { g.seq.cancel(); });
        QTest::qWait(80);
        QCOMPARE(step, 1);
    }

    void notebookRowsAndLongTexts() {
        Fixture f;
        Game& g = *f.game;
        auto rows = [&f] {
            return f.child("notebookBand")
                ->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        };
        const auto before = rows().size();
        f.window->run([&g] {
            for (int r = 1; r <= 3; ++r) {
                Label row = g.scene.notebookRound[0];
                row.rect.top += r * 360;
                row.caption = "round";
                row.visible = true;
                g.scene.notebookRound.push_back(row);
                for (int s = 1; s <= 4; ++s) g.scene.notebookCell[s].push_back(row);
            }
        });
        QCOMPARE(rows().size(), before + 15);
        f.window->run([&g] {
            g.scene.notebookRound.resize(1);
            for (int s = 1; s <= 4; ++s) g.scene.notebookCell[s].resize(1);
        });
        QTRY_COMPARE(rows().size(), before);

        // Text too long for its label: on the table the label grows around
        // its centre; in a panel it keeps its place.
        f.window->run([&g] {
            g.scene.stockCount.rect = {600, 1080, 300, 240};
            g.scene.stockCount.align = Align::Center;
            g.scene.stockCount.caption = std::string(30, 'W');
            g.scene.stockCount.visible = true;
        });
        const QRect designed = f.window->table()->toPixels(g.scene.stockCount.rect);
        const QRect shown = f.child("stockCount")->geometry();
        QVERIFY(shown.width() > designed.width());
        QVERIFY(qAbs(shown.center().x() - designed.center().x()) <= 1);
    }

    // The pointer crossing every label of the board and of the notebook,
    // and clicks on them: nothing but the close marks answers.
    void roundEndPanelsTakeThePointer() {
        Fixture f;
        Game& g = *f.game;
        QWidget* table = f.window->table();
        auto sweep = [&](const QString& panelName) {
            QWidget* panel = f.child(panelName);
            QVERIFY(panel && panel->isVisible());
            int labels = 0;
            for (QWidget* w : panel->findChildren<QWidget*>()) {
                if (!w->isVisible() || w->inherits("QPushButton")) continue;
                ++labels;
                for (QPoint at : {w->rect().center(), QPoint(1, 1)}) {
                    pointerMove(w, at);
                    pointerClick(w, at);
                    pointerClick(w, at, Qt::RightButton);
                }
            }
            QVERIFY(labels >= 4);
            // Away from the close mark the panel shows the "no drop" pointer.
            pointerMove(panel, QPoint(panel->width() / 2, panel->height() - 3));
            QCOMPARE(panel->cursor().shape(), Qt::ForbiddenCursor);
        };

        // The notebook opened from the menu during play.
        findAction(f.window->menuBar(), QString::fromStdString(g.scene.menus.ScoreBrdItem.caption))
            ->trigger();
        sweep(QStringLiteral("notebook"));
        QVERIFY(f.dialogs.popups.empty());  // no skin menu from a right-click on a label

        // The round's end, with its board and the notebook with a row.
        f.window->run([&g] {
            g.scene.menus.ScoreBrdItem.checked = false;
            g.table.RoundOver = true;
            g.ShowRoundEndBoard();
            g.ScoreRound();
            g.UpdateNotebook();
        });
        sweep(QStringLiteral("boardPanel"));
        sweep(QStringLiteral("notebook"));
        QVERIFY(g.table.RoundOver);  // a click on a label does not continue
        QVERIFY(f.dialogs.popups.empty());

        // The board's name labels are labels too; the table itself continues.
        QWidget* name = f.child(QStringLiteral("boardHandName1"));
        QVERIFY(name && name->isVisible());
        pointerClick(name, name->rect().center());
        QVERIFY(g.table.RoundOver);
        pointerClick(table, QPoint(3, table->height() - 3));
        QVERIFY(!g.table.RoundOver);
    }

    // A double-click that discards the person's card with the stock empty
    // ends the round; its own release must not take the board away.
    void theBoardWaitsForAClickOfItsOwn() {
        Fixture f;
        Game& g = *f.game;
        f.window->run([&g] {
            g.table.CurrentSeat = kHuman;
            g.StartHumanTurn();
            // Leave a single card in the stock: the rest go to seat 1's laid
            // cards, so every card stays in one place.
            CardList& stock = g.table.Seats[0].Cards;
            while (stock.count > 1) {
                g.table.Seats[1].PileCards.push(stock[1]);
                for (int i = 1; i < stock.count; ++i) stock[i] = stock[i + 1];
                --stock.count;
            }
            g.LayoutTable();
        });
        const int top = g.table.Seats[0].Cards.top();
        QWidget* back = f.child(QStringLiteral("cardBack%1").arg(top));
        QVERIFY(back && back->isVisible());
        pointerDoubleClick(back, back->rect().center());
        QCOMPARE(g.table.Seats[0].CardCount(), 0);
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 8);

        // A card whose discard asks nothing.
        int card = 0;
        for (int i = 1; i <= g.table.Seats[kHuman].CardCount() && !card; ++i) {
            const int c = g.table.Seats[kHuman].Cards[i];
            if (!IsDummyCard(g.table, c) && !RaisesSpetoWarning(g.table, c)) card = c;
        }
        QVERIFY(card);
        f.window->run([&g] { g.mnuPlayDrawnCard_Click(); });
        QVERIFY(g.person.DiscardMode);
        QWidget* face = f.child(QStringLiteral("cardFace%1").arg(card));
        pointerDoubleClick(face, QPoint(5, face->height() / 2));
        QVERIFY(g.table.RoundOver);
        QVERIFY(f.child("boardPanel")->isVisible());

        // A new click continues.
        QWidget* table = f.window->table();
        pointerClick(table, QPoint(3, table->height() - 3));
        QVERIFY(!g.table.RoundOver);
    }

    // A short text on the table is never cut short: the stock count from
    // 0 to 45 cards at several window sizes.
    void tableLabelsShowTheirWholeText() {
        BareTable bare;
        Scene& sc = bare.game.scene;
        sc.stockCount.visible = true;
        QWidget* label = bare.table.findChild<QWidget*>("stockCount");
        for (QSize size : {QSize(792, 554), QSize(900, 650), QSize(1080, 756), QSize(1188, 831),
                           QSize(1584, 1108)}) {
            bare.table.resize(size);
            for (int n = 0; n <= 45; ++n) {
                sc.stockCount.caption = "เหลือ " + std::to_string(n) + " ใบ";
                bare.table.sync();
                const QString text = QString::fromStdString(sc.stockCount.caption);
                const qreal needed = QFontMetricsF(label->font()).horizontalAdvance(text);
                QVERIFY2(needed <= label->width() - 4, qPrintable(QStringLiteral("%1 at %2x%3")
                                                                      .arg(text)
                                                                      .arg(size.width())
                                                                      .arg(size.height())));
            }
        }
    }

    void titlesAreExactlyTheirOwn() {
        Fixture f;
        Game& g = *f.game;
        QCOMPARE(shownTitle(f.window.get()), QStringLiteral("Vornak 1.30"));

        // Discarding a card that could be laid off asks first, in a box
        // titled "คำเตือน".
        f.window->run([&g] {
            g.table.CurrentSeat = kHuman;
            g.person.DiscardMode = true;
            g.table.SetLayOffCards.assign({g.table.Seats[kHuman].Cards[1]});
            g.scene.cardFace[g.table.Seats[kHuman].Cards[1]].enabled = true;
        });
        const int card = g.table.Seats[kHuman].Cards[1];
        QString boxTitle;
        QTimer::singleShot(50, [&boxTitle] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxTitle = shownTitle(box);
                box->button(QMessageBox::Cancel)->click();
            }
        });
        QTest::mouseDClick(f.child(QStringLiteral("cardFace%1").arg(card)), Qt::LeftButton);
        QCOMPARE(boxTitle, QString::fromUtf8("คำเตือน"));
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 7);  // cancelled: the card stays
    }

    void theWindowBehindTheStartUpDialogsIsUpToDate() {
        // Every table picture plain red: the bare table is red all over.
        QTemporaryDir dir;
        QImage red(792, 554, QImage::Format_RGB32);
        red.fill(Qt::red);
        for (const char* name : {"bkGrnd1.bmp", "bkGrnd2.jpg", "bkGrnd3.jpg", "bkGrnd4.bmp",
                                 "bkGrnd5.bmp", "bkGrnd6.jpg"})
            QVERIFY(red.save(dir.filePath(name), nullptr, 100));
        SeededRandom random{3};
        QtDialogs dialogs;  // the real prompt and title screens
        Game game(dialogs, random,
                  Paths{dir.path().toStdString(), dir.filePath("skins.txt").toStdString(),
                        dir.filePath("records.dat").toStdString()});
        std::unique_ptr<MainWindow> window;

        // Each modal window is looked at, then answered.
        int nonRedAtPrompt = -1;
        QStringList behindTitles;
        auto shown = [&window](const char* name) {
            return window->table()->findChild<QWidget*>(name)->accessibleName();
        };
        QTimer answer;
        answer.setInterval(10);
        connect(&answer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* prompt = qobject_cast<QInputDialog*>(modal)) {
                const QImage table = window->table()->grab().toImage();
                const QRect area =
                    window->table()->toPixels(Rect{0, 0, kClientWidth, kClientHeight});
                nonRedAtPrompt = 0;
                for (int y = area.top() + 1; y < area.bottom(); ++y)
                    for (int x = area.left() + 1; x < area.right(); ++x)
                        if (QColor(table.pixel(x, y)).red() < 200) ++nonRedAtPrompt;
                prompt->setTextValue("Tester");
                prompt->accept();
            } else if (auto* screen = qobject_cast<QDialog*>(modal)) {
                if (window) behindTitles << shown("seatName1") + "|" + shown("targetLine");
                screen->done(QDialog::Accepted);
            }
        });
        answer.start();
        game.ProgramStart();
        window = std::make_unique<MainWindow>(game, dialogs);
        window->resize(792, 554 + window->menuBar()->sizeHint().height());
        window->show();
        window->run([&game] { game.MainWindowLoad(); });
        QCOMPARE(nonRedAtPrompt, 0);  // the skin, no names, no stock count
        window->run([&game] { game.EndScoreHard_Click(1); });
        answer.stop();
        QCOMPARE(
            behindTitles,
            (QStringList{QString::fromUtf8("P.Dorran, 0 cards|จบเกม  300 แต้ม(แต้มละ  10 บาท)"),
                         QString::fromUtf8("S.Brannoc, 7 cards|จบเกม  500 แต้ม(แต้มละ  50 บาท)")}));
        window->run([&game] { game.seq.cancel(); });
    }

    void closingAsksFirst() {
        Fixture f;
        answerNextBox(QMessageBox::Cancel);
        QVERIFY(!f.window->close());
        QVERIFY(f.window->isVisible());
        answerNextBox(QMessageBox::Ok);
        QVERIFY(f.window->close());
    }

    void filterIsConvertedForQt() {
        QCOMPARE(toQtFilter("Jpeg File (*.jpg)|*.jpg|Bitmap File (*.bmp)|*.bmp"),
                 QString("Jpeg File (*.jpg);;Bitmap File (*.bmp)"));
        QCOMPARE(toQtFilter("Pictures|*.jpg;*.bmp"), QString("Pictures (*.jpg *.bmp)"));
        QCOMPARE(toQtFilter(""), QString());
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication(app);  // named as the program names itself
    ShellTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "shell_test.moc"
