#include "play_fixture.h"
#include "rules/cardmoves.h"
#include "rules/darkknock.h"

namespace vornak::test {
namespace {

class EndOfTurn : public PlayTest {
protected:
    // Runs a seat's end of turn discarding the card at `position`.
    void endTurn(int seat, int position = 1) {
        g.table.CurrentSeat = seat;
        g.table.SelectedCard = position;
        g.seq.start(g.EndTurn(seat));
        g.seq.runToEnd();
    }
};

TEST_F(EndOfTurn, TurningDownTheLastCardKnocks) {
    t.setHand(0, "2D 3D 4D");
    t.setPile("10C");
    t.setHand(2, "KC");
    g.table.Seats[2].StillClosed = false;  // opened in an earlier turn
    g.scene.turnTimer.enabled = g.scene.clockTimer.enabled = true;
    g.table.CurrentSeat = 2;
    g.table.SelectedCard = 1;
    g.seq.start(g.EndTurn(2));
    // The turned-down card lies face down in the middle for a moment.
    ASSERT_TRUE(g.seq.waiting());
    EXPECT_EQ(g.seq.pauseMs(), 200);
    const CardPicture& back = g.scene.cardBack[parseCard("KC")];
    EXPECT_TRUE(back.visible);
    EXPECT_EQ(back.left, 5600);
    EXPECT_EQ(back.top, 3600);
    EXPECT_EQ(g.scene.hintLine.caption, "Noi คว่ำไพ่ ");
    g.seq.runToEnd();

    EXPECT_TRUE(g.table.RoundOver);
    EXPECT_TRUE(g.table.Seats[2].Knocked);
    EXPECT_FALSE(g.table.Seats[2].DarkKnocked);
    EXPECT_FALSE(g.scene.turnTimer.enabled);
    EXPECT_FALSE(g.scene.clockTimer.enabled);
    EXPECT_EQ(g.notebook.rows, 2);  // the notebook has moved on to the next round
    EXPECT_FALSE(g.scene.notebookScrollDown.enabled);
    EXPECT_EQ(g.match.Players[2].RoundK[1], 0);
}

TEST_F(EndOfTurn, OpeningInTheKnockingTurnIsADarkKnock) {
    t.setHand(0, "2D 3D 4D");
    t.setHand(3, "KC");
    g.table.Seats[3].StillClosed = true;
    g.table.Seats[3].HasLaidDown = true;  // laid down only this turn
    endTurn(3);
    EXPECT_TRUE(g.table.Seats[3].DarkKnocked);
    EXPECT_FALSE(g.table.Seats[3].Knocked);
    EXPECT_FALSE(g.table.Seats[3].StillClosed);
}

TEST_F(EndOfTurn, KnockStraightFromThePreviousDiscardIsAFool) {
    t.setHand(0, "2D 3D 4D");
    t.setHand(2, "KC");
    g.table.Seats[2].StillClosed = false;
    g.table.PileCountAtTurnStart = 4;
    g.table.PickIndex = 4;  // took only seat 1's fresh discard
    endTurn(2);
    EXPECT_TRUE(g.match.Players[1].RoundFooled[1]);
    EXPECT_TRUE(g.match.Players[2].RoundGotFool[1]);
    EXPECT_FALSE(g.table.TurnForward);

    // Going backwards the previous seat is the next higher one; seat 4
    // wraps to seat 1.
    g.match.RoundNumber = 2;
    g.ensureRound(2);
    t.setHand(1, "KD");
    g.table.Seats[1].StillClosed = false;
    g.table.PileCountAtTurnStart = g.table.PickIndex = 2;
    endTurn(1);
    EXPECT_TRUE(g.match.Players[2].RoundFooled[2]);
    EXPECT_TRUE(g.table.TurnForward);
    EXPECT_EQ(g.notebook.rows, 3);
}

TEST_F(EndOfTurn, QueenOfSpadesAndWholePileBonuses) {
    t.setHand(0, "2D 3D 4D");
    t.setHand(4, "QS");
    g.table.Seats[4].StillClosed = false;
    endTurn(4);
    EXPECT_EQ(g.match.Players[4].RoundK[1], 1);

    g.match.RoundNumber = 2;
    g.ensureRound(2);
    t.setHand(4, "QS");
    g.table.PickIndex = 1;
    g.table.PileCountAtTurnStart = 5;
    endTurn(4);
    EXPECT_EQ(g.match.Players[4].RoundK[2], 2);
    EXPECT_FALSE(g.match.Players[3].RoundFooled[2]);
}

TEST_F(EndOfTurn, EmptyStockEndsTheRoundWithoutAKnock) {
    t.setHand(0, "");
    t.setHand(4, "5C 9H");
    g.table.Seats[4].DarkKnocked = true;  // an offer that was not taken
    g.match.RoundNumber = 3;
    g.ensureRound(3);
    g.scene.turnTimer.enabled = true;
    g.table.CurrentSeat = 4;
    g.table.SelectedCard = 2;
    g.seq.start(g.EndTurn(4));
    EXPECT_FALSE(g.seq.waiting());  // no turned-down card to show
    EXPECT_TRUE(g.table.RoundOver);
    EXPECT_FALSE(g.table.Seats[4].Knocked);
    EXPECT_FALSE(g.table.Seats[4].DarkKnocked);
    EXPECT_FALSE(g.scene.turnTimer.enabled);
    EXPECT_EQ(g.notebook.rows, 4);  // three rounds played: the notebook scrolls
    EXPECT_TRUE(g.scene.notebookScrollDown.enabled);
    EXPECT_EQ(g.table.CurrentSeat, 0);
}

TEST_F(EndOfTurn, FeedFlagsFollowTheLatestFeeder) {
    t.setHand(0, "2D 3D 4D 5D");
    t.setPile("2C 9H");
    t.setHand(3, "4C 8S JD");
    g.table.FeedsClubsRun = {false, true, true, false, true};
    g.table.FeedsTwos[3] = true;  // stale: cleared by seat 3's own end of turn
    endTurn(3);
    EXPECT_EQ(g.table.FeedsClubsRun, (std::array<bool, 5>{false, false, false, true, false}));
    EXPECT_FALSE(g.table.FeedsTwos[3]);
    EXPECT_TRUE(g.scene.turnTimer.enabled);

    // The Q of spades onto the J of spades feeds two spade runs at once.
    t.setPile("JS");
    t.setHand(1, "QS 8D");
    endTurn(1);
    EXPECT_TRUE(g.table.FeedsTenToQueen[1]);
    EXPECT_TRUE(g.table.FeedsJackToKing[1]);
    EXPECT_FALSE(g.table.FeedsQueenToAce[1]);
    EXPECT_TRUE(g.table.FeedsClubsRun[3]);  // other flags stay with their seats
}

TEST_F(EndOfTurn, DiscardStatistics) {
    t.setHand(0, "2D 3D 4D 5D");
    t.setPile("7H 9C 8H");
    t.setHand(2, "6H KD");
    endTurn(2);  // 6H melds with 7H and 8H below it
    EXPECT_EQ(g.match.Players[2].DiscardOnThreeCount, 1);
    t.setHand(2, "8C KD");  // 8C would need the 9C and the 7C
    endTurn(2);
    EXPECT_EQ(g.match.Players[2].DiscardOnThreeCount, 1);
    EXPECT_EQ(g.match.Players[2].DummyDiscardCount, 0);
}

TEST_F(EndOfTurn, MeldFedBySpetoDiscardCostsTheFeederOneK) {
    inPlay("2C 3C 4C 9D JS");
    g.table.FeedsClubsRun[2] = true;
    g.mnuPlayShowCard_Click();
    g.cardMouseUp(parseCard("4C"), 1);
    g.cardMouseUp(parseCard("2C"), 1);
    g.cardMouseUp(parseCard("3C"), 1);
    ASSERT_TRUE(g.seq.running());  // the flight is under way
    EXPECT_TRUE(g.scene.flightTimer.enabled);
    EXPECT_EQ(g.seq.pauseMs(), 25);
    EXPECT_EQ(g.table.Seats[2].K, -1);  // on the table until the round ends
    EXPECT_EQ(g.scene.seatName[2].caption, "Noi-1 K ");
    EXPECT_FALSE(g.table.FeedsClubsRun[2]);
    g.seq.runToEnd();
    EXPECT_FALSE(g.scene.flightTimer.enabled);
    EXPECT_EQ(g.flight.ticks, 20);
    EXPECT_TRUE(g.person.LayDownDone);
    EXPECT_EQ(g.match.Players[kHuman].RoundK[1], 0);
    EXPECT_EQ(handText(g.table.Seats[kHuman].PileCards), "2C 3C 4C");
}

TEST(DarkKnockCheck, MovesTheLayOffCardSeventh) {
    Table t;
    t.Seats[2].Cards = cards("3H 4H 5H 9C 9D 9S 6H KC");
    EXPECT_TRUE(CheckDarkKnock(t, 2).ready);

    t.Seats[2].Cards = cards("3H 4H 5H 9C 9D 9S KC 6H");
    const DarkKnockCheck d = CheckDarkKnock(t, 2);
    EXPECT_TRUE(d.ready);
    EXPECT_TRUE(d.exchange);
    d.noteIn(t);
    EXPECT_TRUE(t.DarkKnockReady);
    EXPECT_EQ(handText(t.Seats[2].Cards), "3H 4H 5H 9C 9D 9S 6H KC");

    // Three lay-off cards stand in for the second meld.
    t.SetLayOffCards = cards("8D");
    t.Seats[2].Cards = cards("3H 4H 5H 8D 7H 8H KC 2S");
    EXPECT_FALSE(CheckDarkKnock(t, 2).ready);  // the 7 of hearts lays off nowhere
    t.Seats[2].Cards = cards("3H 4H 5H 8D 6H 7H 8H KC");
    EXPECT_TRUE(CheckDarkKnock(t, 2).ready);

    t.Seats[2].Cards = cards("3H 4H 5H 9C 9D 9S KC 2S");
    EXPECT_FALSE(CheckDarkKnock(t, 2).ready);
    t.Seats[2].Cards = cards("3H 4H 5H 9C 9D 9S 6H");  // fewer than eight cards
    EXPECT_FALSE(CheckDarkKnock(t, 2).ready);

    // A hand that is not ready still has its lay-off card moved seventh.
    t.SetLayOffCards = cards("6H");
    t.Seats[2].Cards = cards("3H 9D 5H 9C 4D 9S KC 6H");
    const DarkKnockCheck notReady = CheckDarkKnock(t, 2);
    EXPECT_FALSE(notReady.ready);
    EXPECT_TRUE(notReady.exchange);
}

TEST(DarkKnockCheck, TakesARunsEndsAsTheyStandInTheHand) {
    // 7H 8H 6H opens 6H and 7H (its first card less one, its third plus
    // one), not the 5 and the 9 of hearts; 3H 4H 2H opens 2H and 5H. The 9
    // of hearts lays off nowhere.
    Table t;
    t.Seats[2].Cards = cards("7H 8H 6H 3H 4H 2H 9H 6C");
    EXPECT_FALSE(CheckDarkKnock(t, 2).ready);

    // A two first opens only the third card's neighbour above (2H 4H 3H:
    // the 4 of hearts, in the group itself), an ace third only the first
    // card's neighbour below (KH QH AH: the Q of hearts).
    t.Seats[2].Cards = cards("2H 4H 3H 9C 9D 9S 5H KC");
    EXPECT_FALSE(CheckDarkKnock(t, 2).ready);
    t.Seats[2].Cards = cards("KH QH AH 9C 9D 9S JH 5C");
    EXPECT_FALSE(CheckDarkKnock(t, 2).ready);
    t.Seats[2].Cards = cards("QH KH AH 9C 9D 9S JH 5C");  // in order: the J of hearts lays off
    EXPECT_TRUE(CheckDarkKnock(t, 2).ready);
}

TEST_F(EndOfTurn, DarkKnockCheckWalksEveryListEntryAgainstTheCardsAsTheyStand) {
    // 8H matches first (a run candidate), then 2D (a lay-off card) matches
    // the eighth card: the two trade places and the 8 of hearts is turned
    // down, so the laid cards are not all hearts.
    t.setHand(2, "9H JH 10H 7H 6H 5H 8H 2D");
    g.table.RunLayOffCards.assign(parseCards("2D 6D 10C AC"));
    const DarkKnockCheck d = CheckDarkKnock(g.table, 2);
    EXPECT_TRUE(d.ready);
    d.noteIn(g.table);
    EXPECT_EQ(handText(g.table.Seats[2].Cards), "9H JH 10H 7H 6H 5H 2D 8H");
    PrepareDarkKnock(g.table, 2);
    endTurn(2);
    EXPECT_TRUE(g.table.Seats[2].DarkKnocked);
    EXPECT_EQ(g.table.Seats[0].PileCards[g.table.Seats[0].PileCount() + 1], parseCard("8H"));
    EXPECT_EQ(g.match.Players[2].RoundK[1], 1);  // the dark knock alone, no one-suit bonus

    // A later match on the new eighth card trades them back.
    Table t2;
    t2.SetLayOffCards = cards("KC");
    t2.Seats[2].Cards = cards("3H 4H 5H 9C 9D 9S KC 6H");
    const DarkKnockCheck back = CheckDarkKnock(t2, 2);
    EXPECT_TRUE(back.ready);
    EXPECT_FALSE(back.exchange);
}

TEST_F(EndOfTurn, LaidCardsOfTheSideSeatsOpenARowPerMeld) {
    t.setHand(1, "3H 4H 5H 9C 9D 9S 6H");
    g.table.CurrentSeat = 1;
    g.table.Selection = {0, 28, 29, 30};
    g.MoveMeldToTable(1);
    g.table.Selection = {0, 8, 21, 47};
    g.MoveMeldToTable(1);
    g.table.LayOffPos = 1;
    g.table.LayOffOnRun = true;
    g.LayOff(1);
    EXPECT_EQ(g.table.Seats[1].MeldStarts[3], 7);
    EXPECT_EQ(g.scene.cardFace[parseCard("3H")].left, 1250);
    EXPECT_EQ(g.scene.cardFace[parseCard("5H")].left, 1650);
    EXPECT_EQ(g.scene.cardFace[parseCard("9C")].top, 3850);
    EXPECT_EQ(g.scene.cardFace[parseCard("6H")].top, 4200);
    EXPECT_EQ(g.scene.cardFace[parseCard("6H")].left, 1250);
    EXPECT_EQ(g.match.PlayLogs[1].EntryCount, 3);
}

}  // namespace
}  // namespace vornak::test
