// The turn driver: whole computer turns run through the sequencer, and the
// hand-over to the person.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "rules/melds.h"
#include "support/fakes.h"

namespace vornak {
namespace {

using test::handText;
using test::TestTable;

// A pause of the sequence and what the hint line showed during it.
using Step = std::pair<int, std::string>;

class Driver : public ::testing::Test {
protected:
    TestTable t;
    Game& g = t.game;
    const std::string thinking = " กำลังคิด  ??? (จะเข้าชุดไหนดีล่ะ เล่นได้ทั้งตองทั้งเรียงอย่างงี้) ";
    const std::string choosing = "กำลัง  เลือกไพ่ในมือที่จะทิ้ง ";
    const std::string throwing = " ทิ้งไพ่เข้าวง ";

    void SetUp() override {
        g.match.BeginnerChosen = true;
        g.match.VipChosen = false;
        g.match.RoundNumber = 1;
        g.ensureRound(1);
        g.FillRemarks();
        const char* names[] = {"", "Left", "Top", "Right", "Tester"};
        for (int s = 1; s <= 4; ++s) g.match.Players[s].Name = names[s];
        g.table.CurrentSeat = 0;
        g.table.TurnForward = true;
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
            for (int c : g.table.Seats[s].Cards.toVector()) used.insert(c);
            for (int c : g.table.Seats[s].PileCards.toVector()) used.insert(c);
        }
        g.table.Seats[0].Cards.clear();
        for (int c = 1; c <= 52; ++c)
            if (!used.count(c)) g.table.Seats[0].Cards.push(c);
    }

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
            for (int c : g.table.Seats[s].Cards.toVector()) ++seen[c];
            for (int c : g.table.Seats[s].PileCards.toVector()) ++seen[c];
        }
        for (int c = 1; c <= 52; ++c) EXPECT_EQ(seen[c], 1) << cardNotation(c);
        EXPECT_EQ(seen.size(), 52u);
    }
};

TEST_F(Driver, AWholeDrawingTurn) {
    // Seat 1 holds a meld but draws its eighth card while still closed: it
    // lays nothing down this turn.
    table("5H 6H 7H 9C KD 2S JC", "2D 3D 4D 8D 10D JD QD", "2H 3H 4H 8H 9H 10H JH",
          "3C 4C 5C 6C 7C 8C 10C", "QH");
    // Short pause 0.5 x 700, remark 0.4 x 5, long pause 0.25 x 900.
    t.random.values = {0.5, 0.4, 0.25};
    g.turnTimerTick();
    EXPECT_EQ(g.table.CurrentSeat, 1);
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
            nudged = g.table.Seats[1].Cards[g.table.SelectedCard];
            nudgedFrom = backLeft[nudged];
        }
        for (int c = 1; c <= 52; ++c) backLeft[c] = g.scene.cardBack[c].left;
        g.seq.resume();
    }

    const std::vector<Step> expected = {
        {350, "Leftกำลังคิด ??? ( เอาไงดีว่ะ จั่วมาหลายรอบแล้ว ไม่เข้าสักที  เล่นซะทีดีกว่ามั้ง )"},
        {225, "Left จั่วไพ่"},
        {225, "Left" + thinking},
        {225, "Left" + choosing},
        {225, "Left" + throwing}};
    EXPECT_EQ(steps, expected);
    // The chosen card's back moved 150 twips toward the middle.
    ASSERT_NE(nudged, 0);
    EXPECT_EQ(backLeft[nudged], nudgedFrom + 150);

    EXPECT_FALSE(g.seq.running());
    EXPECT_EQ(g.table.Seats[1].CardCount(), 7);
    EXPECT_EQ(g.table.Seats[1].PileCount(), 0);
    EXPECT_EQ(g.table.Seats[0].PileCount(), 2);
    EXPECT_EQ(g.table.Seats[0].CardCount(), 22);
    EXPECT_EQ(g.table.Seats[0].PileCards[2], nudged);
    EXPECT_TRUE(g.table.Seats[1].Discarded);
    expectEveryCardOnce();
    EXPECT_TRUE(g.scene.turnTimer.enabled);  // re-armed by the end of turn
    EXPECT_FALSE(g.scene.topPanel.visible);
}

TEST_F(Driver, TheClockStandsWhileAComputerSeatPlays) {
    table("5H 6H 7H 9C KD 2S JC", "2D 3D 4D 8D 10D JD QD", "2H 3H 4H 8H 9H 10H JH",
          "3C 4C 5C 6C 7C 8C 10C", "QH");
    t.random.values = {0.5, 0.4, 0.25};
    g.scene.clockTimer.enabled = true;
    g.clockTick();
    g.turnTimerTick();
    // Ticks that come due during the turn's pauses are not counted.
    while (g.seq.waiting()) {
        g.clockTick();
        g.seq.resume();
    }
    EXPECT_EQ(g.match.ElapsedSeconds, 1);
    EXPECT_EQ(g.scene.clockLabel.caption, "0:00:01");
    g.clockTick();  // waiting for the next turn
    EXPECT_EQ(g.match.ElapsedSeconds, 2);

    // A turn cancelled halfway (a new game) leaves the clock running.
    g.turnTimerTick();
    ASSERT_TRUE(g.seq.waiting());
    g.clockTick();
    EXPECT_EQ(g.match.ElapsedSeconds, 2);
    g.seq.cancel();
    g.clockTick();
    EXPECT_EQ(g.match.ElapsedSeconds, 3);
}

TEST_F(Driver, AWholePickingTurn) {
    table("5H 9C KD 2S 7D JC 4S", "2D 3D 4D 8D 10D JD QD", "2H 3H 4H 8H 9H 10H JH",
          "3C 4C 5C 7C 8C 10C QC", "6H 7H");
    t.random.values = {0.5, 0.4, 0.25, 0.8};
    g.turnTimerTick();
    const auto steps = run();

    ASSERT_GE(steps.size(), 4u);
    EXPECT_EQ(steps[0].first, 350);
    EXPECT_EQ(steps[1], Step(225, "Leftเลือกเล่นไพ่จากในวง    ( จะเกิดไพ่เรียง หรือ ไพ่ตองดี คิดไม่ตกเลย ) "));
    EXPECT_EQ(steps[steps.size() - 2], Step(225, "Left" + choosing));
    EXPECT_EQ(steps.back(), Step(225, "Left" + throwing));

    EXPECT_EQ(handText(g.table.Seats[1].PileCards), "5H 6H 7H");
    EXPECT_TRUE(g.table.Seats[1].HasLaidDown);
    EXPECT_FALSE(g.table.Seats[1].StillClosed);
    EXPECT_FALSE(g.table.PickFromPile);
    EXPECT_EQ(g.table.Seats[1].CardCount(), 5);
    EXPECT_EQ(g.table.Seats[0].PileCount(), 1);
    EXPECT_EQ(g.table.Seats[0].CardCount(), 22);
    expectEveryCardOnce();
    // The run's ends may now be laid off.
    EXPECT_TRUE(g.table.RunLayOffCards.contains(parseCard("4H")));
    EXPECT_TRUE(g.table.RunLayOffCards.contains(parseCard("8H")));
}

TEST_F(Driver, LowStockMeldsAndLaysOffDownToTheLastCardThenKnocks) {
    // Opened earlier; 4 stock cards after drawing the K of diamonds.
    table("5H 6H 7H 9C 9D 9S 2S", "2D 3D 4D", "2H 3H 4H", "3C 4C 5C", "QH", "10C JC QC AD KD");
    g.table.Seats[1].HasLaidDown = true;
    g.table.Seats[1].StillClosed = false;
    g.table.SetLayOffCards.assign(parseCards("KD 2S"));
    t.random.values = {0.5, 0.4, 0.25};
    g.turnTimerTick();
    const auto steps = run();

    EXPECT_EQ(g.table.Seats[1].PileCount(), 7);  // two melds and the K of diamonds
    EXPECT_EQ(g.table.Seats[1].CardCount(), 0);  // the 2 of spades was turned down
    // The end-of-round board shows the turned-down card alone, off the pile.
    EXPECT_EQ(g.table.Seats[0].PileCount(), 1);
    EXPECT_EQ(g.table.Seats[0].PileCards[2], parseCard("2S"));
    EXPECT_TRUE(g.table.Seats[1].Knocked);
    // No pause after " น็อค ": the pause that follows the choice is the end
    // of turn's own, with the turned-down card.
    ASSERT_GE(steps.size(), 5u);
    EXPECT_EQ(steps[steps.size() - 2].second, "Left" + choosing);
    EXPECT_EQ(steps.back().first, 200);
    EXPECT_FALSE(g.scene.turnTimer.enabled);
}

TEST_F(Driver, TheHumanTurnBegins) {
    table("5H 9C", "2D 3D", "2H 3H", "3C 4C", "QH JD");
    g.table.CurrentSeat = 3;
    g.person.DiscardMode = g.person.LayDownMode = g.person.ArrangeMode = g.person.PlayMenuOn = true;
    g.person.SelectionCount = 2;
    g.scene.blinkTimer.enabled = false;
    g.scene.menus.mnuPlayShowCard.enabled = true;
    g.turnTimerTick();

    EXPECT_EQ(g.table.CurrentSeat, 4);
    EXPECT_FALSE(g.seq.running());
    EXPECT_FALSE(g.scene.turnTimer.enabled);
    EXPECT_TRUE(g.scene.blinkTimer.enabled);
    const int top = g.table.Seats[0].Cards.top();
    EXPECT_TRUE(g.scene.cardBack[top].enabled);
    long highestOther = 0;
    for (int c = 1; c <= 52; ++c)
        if (c != top) highestOther = std::max(highestOther, g.scene.cardBack[c].z);
    EXPECT_GT(g.scene.cardBack[top].z, highestOther);
    EXPECT_TRUE(g.scene.cardFace[parseCard("QH")].enabled);
    EXPECT_TRUE(g.scene.cardFace[parseCard("JD")].enabled);
    EXPECT_TRUE(g.person.DrawPhase && g.person.PilePickMode);
    EXPECT_FALSE(g.person.DiscardMode || g.person.LayDownMode || g.person.ArrangeMode ||
                 g.person.PlayMenuOn);
    EXPECT_EQ(g.person.SelectionCount, 0);
    EXPECT_EQ(g.table.SelectedCard, 0);
    EXPECT_EQ(g.table.PileCountAtTurnStart, 2);
    EXPECT_FALSE(g.scene.menus.mnuPlayShowCard.enabled);
    EXPECT_FALSE(g.scene.menus.mnuPlayArrangeCard.enabled);  // nothing to arrange before the draw
    EXPECT_FALSE(g.scene.menus.mnuPlayDrawnCard.enabled);
    EXPECT_EQ(g.scene.hintLine.caption,
              " ดับเบิ้ลคลิ๊กไพ่ในกอง เพื่อจั่วไพ่จากกอง  หรือดับเบิ้ลคลิ๊กไพ่ในวง เพื่อเล่นไพ่จากในวง");

    // Once the person has taken from the pile, "หงายไพ่" stays available.
    g.table.Seats[4].HasLaidDown = true;
    g.table.CurrentSeat = 3;
    g.turnTimerTick();
    EXPECT_TRUE(g.scene.menus.mnuPlayShowCard.enabled);
}

TEST_F(Driver, StrayTicksCancelAndBackwardTurns) {
    table("5H 9C KD 2S 7D JC 4S", "2D 3D 9H", "2H 3H JS", "3C 4C", "QH");
    g.table.TurnForward = false;
    g.table.CurrentSeat = 4;
    g.turnTimerTick();
    EXPECT_EQ(g.table.CurrentSeat, 3);
    ASSERT_TRUE(g.seq.waiting());  // thinking, before any card moved
    g.turnTimerTick();             // a tick while the turn runs does nothing
    EXPECT_EQ(g.table.CurrentSeat, 3);
    // A new game cancels the turn: nothing of it runs any more.
    g.seq.cancel();
    EXPECT_EQ(g.table.Seats[3].CardCount(), 3);
    EXPECT_EQ(g.table.Seats[0].PileCount(), 1);
    g.turnTimerTick();
    EXPECT_EQ(g.table.CurrentSeat, 2);
    g.seq.runToEnd();
    EXPECT_TRUE(g.table.Seats[2].Discarded);
    // A tick after the round ended plays nothing.
    g.table.RoundOver = true;
    g.turnTimerTick();
    EXPECT_EQ(g.table.CurrentSeat, 2);
    EXPECT_FALSE(g.seq.running());
}

// A thinker that keeps the thoughts it is given until the test lets them
// run, as a worker thread would return them later.
struct HeldThinker : Thinker {
    std::vector<std::pair<std::function<void()>, std::function<void()>>> thoughts;
    void think(std::function<void()> work, std::function<void()> done) override {
        thoughts.emplace_back(std::move(work), std::move(done));
    }
    void runAll() {
        auto now = std::move(thoughts);
        thoughts.clear();
        for (auto& [work, done] : now) {
            work();
            done();
        }
    }
};

// An Expert seat thinks away from the game: its turn is held (no pause, no
// input acts) until the thought comes back, and then plays exactly as it
// does when it thinks on the spot.
TEST_F(Driver, AnExpertSeatsTurnWaitsForItsThought) {
    g.match.ExpertPlayers = true;
    table("5H 9C KD 2S 7D JC 4S", "2D 3D 4D 8D 10D JD QD", "2H 3H 4H 8H 9H 10H JH",
          "3C 4C 5C 7C 8C 10C QC", "6H 7H");
    const Table start = g.table;
    const std::deque<double> numbers = {0.5, 0.4, 0.25, 0.8, 0.3, 0.6,
                                        0.1, 0.9, 0.2,  0.7, 0.5, 0.5};

    // On the spot first, for the table it must come to.
    t.random.values = numbers;
    g.turnTimerTick();
    run();
    ASSERT_FALSE(g.seq.running());
    ASSERT_GE(t.random.values.size(), 2u);
    const Table onTheSpot = g.table;

    HeldThinker thinker;
    g.thinker = &thinker;
    g.table = start;
    t.random.values = numbers;
    g.turnTimerTick();
    int thoughts = 0;
    while (g.seq.running()) {
        if (g.seq.waiting()) {
            g.seq.resume();
            continue;
        }
        ASSERT_TRUE(g.seq.held());
        ASSERT_EQ(thinker.thoughts.size(), 1u);
        EXPECT_TRUE(g.inputBlocked());
        const Table before = g.table;
        g.turnTimerTick();  // a tick while it thinks plays nothing
        EXPECT_EQ(g.table.CurrentSeat, before.CurrentSeat);
        EXPECT_EQ(handText(g.table.Seats[1].Cards), handText(before.Seats[1].Cards));
        thinker.runAll();
        ++thoughts;
    }
    EXPECT_EQ(thoughts, 2);  // the pile pick and the discard
    for (int s = 0; s <= 4; ++s) {
        EXPECT_EQ(handText(g.table.Seats[s].Cards), handText(onTheSpot.Seats[s].Cards)) << s;
        EXPECT_EQ(handText(g.table.Seats[s].PileCards), handText(onTheSpot.Seats[s].PileCards))
            << s;
    }
    expectEveryCardOnce();
}

// A new game while an Expert seat thinks: the thought is told to stop, and
// when it comes back anyway nothing of the old turn runs.
TEST_F(Driver, ANewGameDropsAThoughtUnderWay) {
    HeldThinker thinker;
    g.thinker = &thinker;
    g.match.ExpertPlayers = true;
    table("5H 9C KD 2S 7D JC 4S", "2D 3D 4D 8D 10D JD QD", "2H 3H 4H 8H 9H 10H JH",
          "3C 4C 5C 7C 8C 10C QC", "6H 7H");
    g.turnTimerTick();
    while (g.seq.waiting()) g.seq.resume();
    ASSERT_TRUE(g.seq.held());
    ASSERT_EQ(thinker.thoughts.size(), 1u);

    g.seq.cancel();
    const std::string hand = handText(g.table.Seats[1].Cards),
                      pile = handText(g.table.Seats[0].PileCards);
    thinker.runAll();
    EXPECT_FALSE(g.seq.running());
    EXPECT_FALSE(g.seq.held());
    EXPECT_EQ(handText(g.table.Seats[1].Cards), hand);
    EXPECT_EQ(handText(g.table.Seats[0].PileCards), pile);
    EXPECT_EQ(g.table.PickFromPile, false);
}

// The hint marks the move the Master would make, says it, and moves no card;
// it goes once the cards it was for have moved.
TEST_F(Driver, TheHintShowsAMoveAndLeavesTheTableAlone) {
    table("5H 9C KD 2S 7D JC 4S", "2D 3D 4D 8D 10D JD QD", "2H 3H 4H 8H 9H 10H JH",
          "3C 4C 5C 7C 8C 10C 6H", "QH 7H");
    g.table.CurrentSeat = 3;
    g.turnTimerTick();
    ASSERT_TRUE(g.hintAvailable());
    const Table before = g.table;
    const int drawnBefore = t.random.drawn;

    g.HintItem_Click();
    EXPECT_TRUE(before.Seats == g.table.Seats);
    EXPECT_EQ(t.random.drawn, drawnBefore);  // the game's random numbers are its own
    EXPECT_TRUE(g.person.DrawPhase);
    EXPECT_EQ(g.scene.hintLine.caption.rfind(" คำแนะนำ : ", 0), 0u) << g.scene.hintLine.caption;
    std::vector<int> marked;
    for (int c = 1; c <= 52; ++c)
        if (g.scene.cardFace[c].hinted || g.scene.cardBack[c].hinted) marked.push_back(c);
    ASSERT_FALSE(marked.empty());
    // Either the stock's top card, or a pile card with the hand cards it
    // goes down with.
    if (marked.size() == 1) {
        EXPECT_EQ(marked[0], g.table.Seats[0].Cards.top());
        EXPECT_TRUE(g.scene.cardBack[marked[0]].hinted);
    } else {
        int fromPile = 0;
        for (int c : marked) fromPile += g.table.Seats[0].PileCards.contains(c) ? 1 : 0;
        EXPECT_GE(fromPile, 1);
    }

    // Asked again it says the same; after the draw its marks are gone.
    const std::string said = g.scene.hintLine.caption;
    g.HintItem_Click();
    EXPECT_EQ(g.scene.hintLine.caption, said);
    g.stockDblClick(g.table.Seats[0].Cards.top());
    g.refreshHint();
    for (int c = 1; c <= 52; ++c)
        EXPECT_FALSE(g.scene.cardFace[c].hinted || g.scene.cardBack[c].hinted);
    // After the draw the hint is a meld or a discard from the hand.
    g.HintItem_Click();
    marked.clear();
    for (int c = 1; c <= 52; ++c)
        if (g.scene.cardFace[c].hinted) marked.push_back(c);
    ASSERT_TRUE(marked.size() == 1 || marked.size() == 3);
    for (int c : marked) EXPECT_TRUE(g.table.Seats[4].Cards.contains(c)) << cardNotation(c);
    // Between turns there is nothing to hint.
    g.table.CurrentSeat = 1;
    EXPECT_FALSE(g.hintAvailable());
}

// Once the person has taken from the pile, the hint is a meld with the card
// taken, as the game requires.
TEST_F(Driver, AfterTakingFromThePileTheHintLaysTheTakenCardDown) {
    table("5H 9C KD 2S 7D JC 4S", "2D 3D 4D 8D 10D JD QD", "2H 3H 4H 8H 9H 10H JH",
          "3C 4C 5C 6S 7S QS KC", "AD 8S");
    g.table.CurrentSeat = 3;
    g.turnTimerTick();
    g.cardDblClick(parseCard("8S"));
    ASSERT_TRUE(g.person.LayDownMode);
    ASSERT_TRUE(g.table.Seats[4].Cards.contains(parseCard("8S")));
    g.HintItem_Click();
    std::vector<int> marked;
    for (int c = 1; c <= 52; ++c)
        if (g.scene.cardFace[c].hinted) marked.push_back(c);
    ASSERT_EQ(marked.size(), 3u) << g.scene.hintLine.caption;
    EXPECT_NE(std::find(marked.begin(), marked.end(), parseCard("8S")), marked.end());
    EXPECT_TRUE(CheckLaidMeld(g.table, marked[0], marked[1], marked[2]));
}

}  // namespace
}  // namespace vornak
