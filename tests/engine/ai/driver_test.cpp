// The turn driver: whole computer turns run through the sequencer, and the
// hand-over to the person.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "support/fakes.h"

namespace vornak {
namespace {

using test::handText;
using test::TestTable;

struct Step {
    int ms;
    std::string hint;
};

class Driver : public ::testing::Test {
protected:
    TestTable t;
    Game& g = t.game;
    const std::string thinking = " กำลังคิด  ??? (จะเข้าชุดไหนดีล่ะ เล่นได้ทั้งตองทั้งเรียงอย่างงี้) ";
    const std::string choosing = "กำลัง  เลือกไพ่ในมือที่จะทิ้ง ";
    const std::string throwing = " ทิ้งไพ่เข้าวง ";

    void SetUp() override {
        g.BeginnerChosen = true;
        g.VipChosen = false;
        g.RoundNumber = 1;
        g.ensureRound(1);
        g.FillRemarks();
        const char* names[] = {"", "Left", "Top", "Right", "Tester"};
        for (int s = 1; s <= 4; ++s) g.Seats[s].Name = names[s];
        g.CurrentSeat = 0;
        g.TurnForward = true;
        g.scene.turnTimer.enabled = true;
    }

    // Hands, pile and stock; an empty stock text gives the stock every card
    // nobody holds (ascending, so its top is the highest such code).
    void table(const std::string& h1, const std::string& h2, const std::string& h3,
               const std::string& h4, const std::string& pile, const std::string& stock = "") {
        t.setHand(1, h1);
        t.setHand(2, h2);
        t.setHand(3, h3);
        t.setHand(4, h4);
        t.setPile(pile);
        if (!stock.empty()) {
            t.setHand(0, stock);
            return;
        }
        std::set<int> used;
        for (int s = 0; s <= 4; ++s) {
            for (int c : g.Seats[s].Cards.toVector()) used.insert(c);
            for (int c : g.Seats[s].PileCards.toVector()) used.insert(c);
        }
        g.Seats[0].Cards.clear();
        for (int c = 1; c <= 52; ++c)
            if (!used.count(c)) g.Seats[0].Cards.push(c);
    }

    // Runs the started sequence to its end, noting each pause and what the
    // hint line showed during it.
    std::vector<Step> run() {
        std::vector<Step> steps;
        while (g.seq.waiting()) {
            steps.push_back({g.seq.pauseMs(), g.scene.hintLine.caption});
            g.seq.resume();
        }
        return steps;
    }

    // Every card is in exactly one place.
    void expectEveryCardOnce() {
        std::map<int, int> seen;
        for (int s = 0; s <= 4; ++s) {
            for (int c : g.Seats[s].Cards.toVector()) ++seen[c];
            for (int c : g.Seats[s].PileCards.toVector()) ++seen[c];
        }
        for (int c = 1; c <= 52; ++c) EXPECT_EQ(seen[c], 1) << cardNotation(c);
        EXPECT_EQ(seen.size(), 52u);
    }
};

TEST_F(Driver, RemarkTable) {
    EXPECT_EQ(g.Remarks[0][0], " ( จะจั่วไพ่หรือว่าเล่นในกองดีหว่า ) ");
    EXPECT_EQ(g.Remarks[1][5], " ( แหมเสียดายจังเลย ถ้ามีดัมมี่ด้วยสวยเลย )");
    for (int j = 0; j < 6; ++j) {
        EXPECT_FALSE(g.Remarks[0][j].empty());
        EXPECT_FALSE(g.Remarks[1][j].empty());
        EXPECT_TRUE(g.Remarks[2][j].empty());
    }
}

TEST_F(Driver, AWholeDrawingTurn) {
    // Seat 1 holds a meld but draws its eighth card while still closed: it
    // lays nothing down this turn.
    table("5H 6H 7H 9C KD 2S JC", "2D 3D 4D 8D 10D JD QD", "2H 3H 4H 8H 9H 10H JH",
          "3C 4C 5C 6C 7C 8C 10C", "QH");
    // Short pause 0.5 x 700, remark 0.4 x 5, long pause 0.25 x 900.
    t.random.values = {0.5, 0.4, 0.25};
    g.turnTimerTick();
    EXPECT_EQ(g.CurrentSeat, 1);
    EXPECT_TRUE(g.seq.running());
    EXPECT_TRUE(g.scene.topPanel.visible);
    EXPECT_FALSE(g.scene.turnTimer.enabled);
    EXPECT_FALSE(g.scene.blinkTimer.enabled);

    std::vector<Step> steps;
    std::map<int, int> backLeft;
    int nudged = 0, nudgedFrom = 0;
    while (g.seq.waiting()) {
        steps.push_back({g.seq.pauseMs(), g.scene.hintLine.caption});
        if (g.scene.hintLine.caption == "Left" + choosing) {
            nudged = g.Seats[1].Cards[g.SelectedCard];
            nudgedFrom = backLeft[nudged];
        }
        for (int c = 1; c <= 52; ++c) backLeft[c] = g.scene.cardBack[c].left;
        g.seq.resume();
    }

    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[0].ms, 350);
    EXPECT_EQ(steps[0].hint, "Leftกำลังคิด ??? " + g.Remarks[0][2]);
    EXPECT_EQ(steps[1].ms, 225);
    EXPECT_EQ(steps[1].hint, "Left จั่วไพ่");
    EXPECT_EQ(steps[2].ms, 225);
    EXPECT_EQ(steps[2].hint, "Left" + thinking);
    EXPECT_EQ(steps[3].ms, 225);
    EXPECT_EQ(steps[3].hint, "Left" + choosing);
    EXPECT_EQ(steps[4].ms, 225);
    EXPECT_EQ(steps[4].hint, "Left" + throwing);
    // The chosen card's back moved 150 twips toward the middle.
    ASSERT_NE(nudged, 0);
    EXPECT_EQ(backLeft[nudged], nudgedFrom + 150);

    EXPECT_FALSE(g.seq.running());
    EXPECT_EQ(g.Seats[1].CardCount(), 7);
    EXPECT_EQ(g.Seats[1].PileCount(), 0);
    EXPECT_EQ(g.Seats[0].PileCount(), 2);
    EXPECT_EQ(g.Seats[0].CardCount(), 22);
    EXPECT_EQ(g.Seats[0].PileCards[2], nudged);
    EXPECT_TRUE(g.Seats[1].Discarded);
    expectEveryCardOnce();
    EXPECT_TRUE(g.scene.turnTimer.enabled);  // re-armed by the end of turn
    EXPECT_FALSE(g.scene.topPanel.visible);

    // The next tick hands the turn to seat 2.
    g.turnTimerTick();
    EXPECT_EQ(g.CurrentSeat, 2);
    g.seq.runToEnd();
    EXPECT_TRUE(g.Seats[2].Discarded);
    expectEveryCardOnce();
}

TEST_F(Driver, AWholePickingTurn) {
    table("5H 9C KD 2S 7D JC 4S", "2D 3D 4D 8D 10D JD QD", "2H 3H 4H 8H 9H 10H JH",
          "3C 4C 5C 7C 8C 10C QC", "6H 7H");
    t.random.values = {0.5, 0.4, 0.25, 0.8};
    g.turnTimerTick();
    const auto steps = run();

    ASSERT_GE(steps.size(), 4u);
    EXPECT_EQ(steps[0].ms, 350);
    EXPECT_EQ(steps[1].ms, 225);
    EXPECT_EQ(steps[1].hint, "Leftเลือกเล่นไพ่จากในวง   " + g.Remarks[1][4]);
    EXPECT_EQ(steps[steps.size() - 2].hint, "Left" + choosing);
    EXPECT_EQ(steps[steps.size() - 2].ms, 225);
    EXPECT_EQ(steps.back().hint, "Left" + throwing);
    EXPECT_EQ(steps.back().ms, 225);

    EXPECT_EQ(handText(g.Seats[1].PileCards), "5H 6H 7H");
    EXPECT_TRUE(g.Seats[1].HasLaidDown);
    EXPECT_FALSE(g.Seats[1].StillClosed);
    EXPECT_FALSE(g.PickFromPile);
    EXPECT_EQ(g.Seats[1].CardCount(), 5);
    EXPECT_EQ(g.Seats[0].PileCount(), 1);
    EXPECT_EQ(g.Seats[0].CardCount(), 22);
    expectEveryCardOnce();
    // The run's ends may now be laid off.
    EXPECT_TRUE(g.RunLayOffCards.contains(parseCard("4H")));
    EXPECT_TRUE(g.RunLayOffCards.contains(parseCard("8H")));
}

TEST_F(Driver, LowStockMeldsAndLaysOffDownToTheLastCardThenKnocks) {
    // Opened earlier; 4 stock cards after drawing the K of diamonds.
    table("5H 6H 7H 9C 9D 9S 2S", "2D 3D 4D", "2H 3H 4H", "3C 4C 5C", "QH", "10C JC QC AD KD");
    g.Seats[1].HasLaidDown = true;
    g.Seats[1].StillClosed = false;
    g.SetLayOffCards.assign(parseCards("KD 2S"));
    t.random.values = {0.5, 0.4, 0.25};
    g.turnTimerTick();
    const auto steps = run();

    EXPECT_EQ(g.Seats[1].PileCount(), 7);  // two melds and the K of diamonds
    EXPECT_EQ(g.Seats[1].CardCount(), 0);  // the 2 of spades was turned down
    // The end-of-round board shows the turned-down card alone, off the pile.
    EXPECT_EQ(g.Seats[0].PileCount(), 1);
    EXPECT_EQ(g.Seats[0].PileCards[2], parseCard("2S"));
    EXPECT_TRUE(g.Seats[1].Knocked);
    // No pause after " น็อค ": the pause that follows the choice is the end
    // of turn's own, with the turned-down card.
    ASSERT_GE(steps.size(), 5u);
    EXPECT_EQ(steps[steps.size() - 2].hint, "Left" + choosing);
    EXPECT_EQ(steps.back().ms, 200);
    EXPECT_FALSE(g.scene.turnTimer.enabled);
}

TEST_F(Driver, TheHumanTurnBegins) {
    table("5H 9C", "2D 3D", "2H 3H", "3C 4C", "QH JD");
    g.CurrentSeat = 3;
    g.DiscardMode = g.LayDownMode = g.ArrangeMode = g.PlayMenuOn = true;
    g.SelectionCount = 2;
    g.scene.blinkTimer.enabled = false;
    g.scene.menus.mnuPlayShowCard.enabled = true;
    g.turnTimerTick();

    EXPECT_EQ(g.CurrentSeat, 4);
    EXPECT_FALSE(g.seq.running());
    EXPECT_FALSE(g.scene.turnTimer.enabled);
    EXPECT_TRUE(g.scene.blinkTimer.enabled);
    const int top = g.Seats[0].Cards.top();
    EXPECT_TRUE(g.scene.cardBack[top].enabled);
    long highestOther = 0;
    for (int c = 1; c <= 52; ++c)
        if (c != top) highestOther = std::max(highestOther, g.scene.cardBack[c].z);
    EXPECT_GT(g.scene.cardBack[top].z, highestOther);
    EXPECT_TRUE(g.scene.cardFace[parseCard("QH")].enabled);
    EXPECT_TRUE(g.scene.cardFace[parseCard("JD")].enabled);
    EXPECT_TRUE(g.DrawPhase && g.PilePickMode);
    EXPECT_FALSE(g.DiscardMode || g.LayDownMode || g.ArrangeMode || g.PlayMenuOn);
    EXPECT_EQ(g.SelectionCount, 0);
    EXPECT_EQ(g.SelectedCard, 0);
    EXPECT_EQ(g.PileCountAtTurnStart, 2);
    EXPECT_FALSE(g.scene.menus.mnuPlayShowCard.enabled);
    EXPECT_EQ(g.scene.hintLine.caption,
              " ดับเบิ้ลคลิ๊กไพ่ในกอง เพื่อจั่วไพ่จากกอง  หรือดับเบิ้ลคลิ๊กไพ่ในวง เพื่อเล่นไพ่จากในวง");

    // Once the person has taken from the pile, "หงายไพ่" stays available.
    g.Seats[4].HasLaidDown = true;
    g.CurrentSeat = 3;
    g.turnTimerTick();
    EXPECT_TRUE(g.scene.menus.mnuPlayShowCard.enabled);
}

TEST_F(Driver, BackwardTurnsAndStrayTicks) {
    table("5H 9C KD", "2D 3D 9H", "2H 3H JS", "3C 4C", "QH");
    g.TurnForward = false;
    g.CurrentSeat = 4;
    g.turnTimerTick();
    EXPECT_EQ(g.CurrentSeat, 3);
    ASSERT_TRUE(g.seq.running());
    // A tick while the turn runs changes nothing.
    g.turnTimerTick();
    EXPECT_EQ(g.CurrentSeat, 3);
    g.seq.runToEnd();
    EXPECT_FALSE(g.seq.running());

    // A tick after the round ended plays nothing.
    g.RoundOver = true;
    g.turnTimerTick();
    EXPECT_EQ(g.CurrentSeat, 3);
    EXPECT_FALSE(g.seq.running());
}

TEST_F(Driver, CancellingATurnLeavesTheTableAsItWas) {
    table("5H 9C KD 2S 7D JC 4S", "2D 3D", "2H 3H", "3C 4C", "QH");
    g.turnTimerTick();
    ASSERT_TRUE(g.seq.waiting());  // thinking, before any card moved
    g.seq.cancel();
    EXPECT_FALSE(g.seq.running());
    EXPECT_EQ(g.Seats[1].CardCount(), 7);
    EXPECT_EQ(g.Seats[0].PileCount(), 1);
    // Nothing of the cancelled turn runs any more; a new turn starts cleanly.
    g.turnTimerTick();
    EXPECT_EQ(g.CurrentSeat, 2);
    EXPECT_TRUE(g.seq.running());
}

TEST_F(Driver, PrepareDarkKnockLaysSevenAndKeepsTheEighth) {
    t.setHand(2, "3H 4H 5H 9C 9D 9S 6H KD");
    g.PrepareDarkKnock(2);
    EXPECT_EQ(handText(g.Seats[2].PileCards), "3H 4H 5H 9C 9D 9S 6H");
    EXPECT_EQ(handText(g.Seats[2].Cards), "KD");
    EXPECT_TRUE(g.Seats[2].DarkKnocked);
    EXPECT_FALSE(g.Seats[2].Knocked);
    EXPECT_TRUE(g.RoundOver);
}

}  // namespace
}  // namespace vornak
