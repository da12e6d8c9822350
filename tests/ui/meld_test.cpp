// A whole lay-down by mouse on the real window: double-click the stock to
// draw, right-click a hand card for the play menu, choose "หงายไพ่", click
// the three cards of a run and watch them fly to the person's laid cards.
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

#include "game/game.h"
#include "mainwindow.h"
#include "qtdialogs.h"
#include "tablewidget.h"

using namespace vornak;

namespace {

// Dialogs that never wait for a person. The play menu "chooses" its show
// item, as a click on it would; every message box is recorded and answered
// OK.
class MeldDialogs : public QtDialogs {
public:
    Game* game = nullptr;
    std::vector<PopupMenu> popups;
    std::vector<std::string> messages;

    std::optional<std::string> inputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::string("Tester");
    }
    MsgResult messageBox(const std::string& text, const std::string&, MsgButtons,
                         MsgIcon) override {
        messages.push_back(text);
        return MsgResult::Ok;
    }
    void showTitleScreen(TitleScreen& s) override { s.closed = true; }
    void showStatisticsScreen(StatisticsScreen& s) override { s.closed = true; }
    void showEndScreen(EndScreen& s) override { s.closed = true; }
    void showHallOfFame(HallOfFame& s) override { s.closed = true; }
    void popupMenu(PopupMenu menu) override {
        popups.push_back(menu);
        if (menu == PopupMenu::Play && game) game->mnuPlayShowCard_Click();
    }
};

// Deals the given hands as a round's deal would lay them out: the person's
// cards face up, the pile card face up, every other card a back; the stock
// gets the remaining cards with `stockTop` last.
void dealFixed(Game& g, const std::vector<std::string>& hands, const std::string& pile,
               const std::string& stockTop) {
    std::vector<int> used;
    for (int s = 1; s <= 4; ++s) {
        g.table.Seats[s].Cards.assign(parseCards(hands[static_cast<std::size_t>(s - 1)]));
        g.table.Seats[s].PileCards.clear();
        g.table.Seats[s].Discarded = false;
        for (int c : g.table.Seats[s].Cards.toVector()) used.push_back(c);
    }
    g.table.Seats[0].PileCards.assign(parseCards(pile));
    for (int c : g.table.Seats[0].PileCards.toVector()) used.push_back(c);
    const int top = parseCard(stockTop);
    used.push_back(top);
    g.table.Seats[0].Cards.clear();
    for (int c = 1; c <= 52; ++c)
        if (std::find(used.begin(), used.end(), c) == used.end()) g.table.Seats[0].Cards.push(c);
    g.table.Seats[0].Cards.push(top);

    for (int c = 1; c <= 52; ++c) {
        g.scene.cardFace[c] = CardPicture{1560, 1440, false, false, g.scene.cardFace[c].z};
        g.scene.cardBack[c] = CardPicture{1560, 1440, true, false, g.scene.cardBack[c].z};
    }
    for (int c : g.table.Seats[0].PileCards.toVector()) g.scene.cardBack[c].visible = false;
    for (int c : g.table.Seats[kHuman].Cards.toVector()) g.scene.cardBack[c].visible = false;
    for (int c : g.table.Seats[0].Cards.toVector()) g.scene.toFront(g.scene.cardBack[c]);
    g.LayoutTable();
    for (int s = 1; s <= 4; ++s) g.LayoutSeatHand(s);
}

}  // namespace

class MeldTest : public QObject {
    Q_OBJECT

private slots:
    void layDownARunWithTheMouse() {
        QTemporaryDir dir;
        SeededRandom random(42);
        MeldDialogs dialogs;
        Paths paths{dir.path().toStdString(), (dir.path() + "/skins.txt").toStdString(),
                    (dir.path() + "/records.dat").toStdString()};
        Game g(dialogs, random, paths);
        dialogs.game = &g;
        g.ProgramStart();
        MainWindow window(g, dialogs);
        window.resize(900, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.run([&g] { g.MainWindowLoad(); });
        window.run([&g] {
            g.seq.cancel();
            g.scene.turnTimer.enabled = false;
            g.scene.clockTimer.enabled = false;
            dealFixed(g,
                      {"2C 3C 4C 5C 6C 7C 8C", "2D 3D 4D 5D 6D 7D 8D", "9D 10D JD QD AD 3S 4S",
                       "9C 3H KD 4H 2S 5H JC"},
                      "QH", "8H");
            // The person opened earlier in the round, so "หงายไพ่" is offered;
            // the draw is not steered.
            g.table.Seats[kHuman].HasLaidDown = true;
            g.table.Seats[kHuman].StillClosed = false;
            g.match.DrawHelpLevel = 0;
            g.table.RoundOver = false;
            g.table.CurrentSeat = kHuman;
            g.StartHumanTurn();
        });
        auto widget = [&window](const char* kind, const char* card) {
            return window.table()->findChild<QWidget*>(
                QStringLiteral("%1%2").arg(kind).arg(parseCard(card)));
        };
        // Cards of a hand overlap from the left: the left edge of each is its own.
        auto edge = [](QWidget* w) { return QPoint(3, w->height() / 2); };

        // Before the draw the hand does not react: a right-click on it falls
        // through to the table, which offers the skins, not the play menu.
        QWidget* threeH = widget("cardFace", "3H");
        QVERIFY(threeH && threeH->isVisible());
        QTest::mouseClick(threeH, Qt::RightButton, {}, edge(threeH));
        QCOMPARE(dialogs.popups, std::vector<PopupMenu>{PopupMenu::Skin});
        dialogs.popups.clear();

        // Double-click the top of the stock: the 8 of hearts joins the hand.
        QWidget* stockTop = widget("cardBack", "8H");
        QVERIFY(stockTop && stockTop->isVisible());
        QTest::mouseDClick(stockTop, Qt::LeftButton);
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 8);
        QCOMPARE(g.table.Seats[kHuman].Cards.top(), parseCard("8H"));
        QVERIFY(g.person.PlayMenuOn);

        // Right-click a hand card: the play menu pops up and its show item
        // is chosen.
        QTest::mouseClick(threeH, Qt::RightButton, {}, edge(threeH));
        QCOMPARE(dialogs.popups, std::vector<PopupMenu>{PopupMenu::Play});
        QVERIFY(g.person.LayDownMode);
        QCOMPARE(g.scene.hintLine.caption, std::string("คลิ๊กที่ไพ่ในมือจำนวน 3 ใบ  เพื่อหงายไพ่"));

        // Click the run's cards: each stands raised until the third.
        const int rowTop = threeH->y();
        int selected = 0;
        for (const char* card : {"5H", "3H", "4H"}) {
            QWidget* w = widget("cardFace", card);
            QVERIFY(w && w->isEnabled());
            QTest::mouseClick(w, Qt::LeftButton, {}, edge(w));
            ++selected;
            if (selected < 3) {
                QCOMPARE(g.person.SelectionCount, selected);
                QCOMPARE(g.table.Selection[static_cast<std::size_t>(selected)], parseCard(card));
                QVERIFY(w->y() < rowTop);
            }
        }
        QVERIFY(dialogs.messages.empty());

        // The lay-down flies on the window's own timers to its end.
        QVERIFY(g.seq.running());
        QTRY_VERIFY_WITH_TIMEOUT(!g.seq.running(), 5000);
        std::vector<int> laid = g.table.Seats[kHuman].PileCards.toVector();
        QCOMPARE(laid, parseCards("3H 4H 5H"));
        QCOMPARE(g.table.Seats[kHuman].CardCount(), 5);
        for (const char* card : {"3H", "4H", "5H"}) {
            QVERIFY(!g.table.Seats[kHuman].Cards.contains(parseCard(card)));
            QVERIFY(widget("cardFace", card)->isVisible());
        }
        // The run's ends may now be laid off, and the person plays on.
        QVERIFY(g.table.RunLayOffCards.contains(parseCard("2H")));
        QVERIFY(g.table.RunLayOffCards.contains(parseCard("6H")));
        QCOMPARE(g.scene.hintLine.caption,
                 std::string("คลิ๊กไพ่ในมือ 3 ใบที่จะหงาย หรือ คลิ๊กขวาที่ไพ่ในมือเพื่อเลือกเมนูย่อย"));
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MeldTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "meld_test.moc"
