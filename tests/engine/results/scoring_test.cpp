// Round scoring: points, K, the result lines and the end-of-game test.
#include <gtest/gtest.h>

#include "support/fakes.h"

namespace vornak::test {
namespace {

class ScoringTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.setUpGame();
        // Every seat played a little: three low hearts on the table, a 5 in hand.
        t.setLaid(1, "3D 4D 5D");
        t.setLaid(2, "6D 7D 8D");
        t.setLaid(3, "3S 4S 5S");
        t.setLaid(4, "6S 7S 8S");
        for (int s = 1; s <= 4; ++s) t.setHand(s, "5C");
    }
    long points(int s) const { return g.match.Players[s].RoundPoints[1]; }
    int k(int s) const { return g.match.Players[s].RoundK[1]; }
    const std::string& line(int s) const { return g.scene.resultLine[s].caption; }

    TestTable t;
    Game& g = t.game;
};

TEST_F(ScoringTest, PlainKnockInOneSuitEarnsOneKAcrossSuitsNone) {
    t.setLaid(1, "9H 3H 4H 5H 10H JH");  // 5+5+5+5+10+10 = 40
    t.setHand(1, "");
    g.table.Seats[1].Knocked = true;
    t.setLaid(2, "9C 9D 9S 3H 4H 5H");  // 15 + 15 = 30
    t.setHand(2, "");
    g.table.Seats[2].Knocked = true;

    g.ScoreRound();

    EXPECT_EQ(points(1), 90);
    EXPECT_EQ(k(1), 1);
    EXPECT_EQ(points(2), 80);
    EXPECT_EQ(k(2), 0);
    // The laid cards stay sorted.
    EXPECT_EQ(handText(g.table.Seats[1].PileCards), "3H 4H 5H 9H 10H JH");
    EXPECT_EQ(line(1), " P.Dorran  น็อค   ได้คะแนน  90  คะแนน และได้   1  K");
}

TEST_F(ScoringTest, DarkKnockDoublesLaidCardsAndPaysPerSpeto) {
    // One suit with the 2 of clubs: +3 one suit, +1 dark knock, +1 speto.
    t.setLaid(1, "4C 2C 3C");  // 5 + 50 + 5 = 60
    t.setHand(1, "");
    g.table.Seats[1].DarkKnocked = true;
    g.ScoreRound();
    EXPECT_EQ(points(1), 120);
    EXPECT_EQ(k(1), 5);
    EXPECT_EQ(line(1), " P.Dorran  น็อคมืด   ได้คะแนน  120  คะแนน และได้   5  K");
}

TEST_F(ScoringTest, DarkKnockAcrossSuitsWithBothSpetos) {
    t.setLaid(3, "2C 3C 4C QS KS AS");  // 60 + 50 + 10 + 15 = 135
    t.setHand(3, "");
    g.table.Seats[3].DarkKnocked = true;
    g.ScoreRound();
    EXPECT_EQ(points(3), 270);
    EXPECT_EQ(k(3), 3);
}

TEST_F(ScoringTest, SeatThatLaidNothingPaysDoubleAndPerSpetoInHand) {
    t.setLaid(2, "");
    t.setHand(2, "2C 5H KD AS");  // 50 + 5 + 10 + 15 = 80
    g.ScoreRound();
    EXPECT_EQ(points(2), -160);
    EXPECT_EQ(k(2), -2);
    EXPECT_EQ(line(2), " L.Varmet  มืดคามือ  ได้คะแนน -160  คะแนน และได้  -2  K");
}

TEST_F(ScoringTest, SeatHoldingBothSpetosPaysTwoK) {
    t.setHand(4, "2C QS");
    g.ScoreRound();
    EXPECT_EQ(points(4), 15 - 100);
    EXPECT_EQ(k(4), -2);
    EXPECT_EQ(line(4), "Tester เล่น  ได้คะแนน -85  คะแนน และได้  -2  K");
}

TEST_F(ScoringTest, KFromTheRoundIsKeptAndFoolTextsStandInOrder) {
    // What the round brought the seats, on the table.
    g.table.Seats[1].K = 1;  // e.g. a speto turned down during the round
    g.table.Seats[1].Fooled = true;
    g.table.Seats[2].GotFool = true;
    g.table.Seats[3].Fooled = true;
    g.table.Seats[3].GotFool = true;
    g.ScoreRound();
    EXPECT_EQ(points(1), 15 - 5 - 50);
    EXPECT_EQ(k(1), 1);
    EXPECT_EQ(line(1), " P.Dorran  เล่นและ โง่   ได้คะแนน -40  คะแนน และได้   1  K");
    EXPECT_EQ(line(2), " L.Varmet  เล่นและได้โง่  ได้คะแนน  10  คะแนน และได้   0  K");
    EXPECT_EQ(line(3), " H.Tolvik  เล่นและ โง่ และได้โง่  ได้คะแนน -40  คะแนน และได้   0  K");
}

TEST_F(ScoringTest, OpenerOfTheNextRound) {
    struct Case {
        bool forward;
        int knocker, current, expected;
    };
    const Case cases[] = {
        {true, 3, 3, 2},  {true, 1, 1, 0},  {true, 0, 4, 0},  {true, 0, 2, 2},
        {false, 3, 3, 4}, {false, 4, 4, 5}, {false, 0, 1, 5}, {false, 0, 3, 3},
    };
    for (const Case& c : cases) {
        TestTable table;
        table.setUpGame();
        Game& game = table.game;
        game.table.TurnForward = c.forward;
        game.table.CurrentSeat = c.current;
        if (c.knocker) game.table.Seats[c.knocker].Knocked = true;
        game.ScoreRound();
        EXPECT_EQ(game.table.CurrentSeat, c.expected)
            << c.forward << " " << c.knocker << " " << c.current;
        EXPECT_EQ(game.scene.noKnockPicture.visible, c.knocker == 0);
    }
}

TEST_F(ScoringTest, NobodyKnockedShowsThePictureAndPlainLines) {
    t.setLaid(2, "");
    g.scene.noKnockPicture.visible = false;
    g.ScoreRound();
    EXPECT_TRUE(g.scene.noKnockPicture.visible);
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(line(s).find("น็อค"), std::string::npos);
        const bool plain = line(s).find(" เล่น") != std::string::npos;
        const bool closed = line(s).find(" มืดคามือ") != std::string::npos;
        EXPECT_TRUE(plain != closed) << line(s);
    }
}

TEST_F(ScoringTest, GameEndTest) {
    g.scene.clockTimer.enabled = true;
    // A computer seat at minus the target goes on.
    g.match.Players[1].TotalPoints = -300 - 10;
    g.ScoreRound();
    EXPECT_FALSE(g.match.TargetReached);
    EXPECT_TRUE(g.scene.clockTimer.enabled);

    // A computer seat exactly at the target ends the game.
    g.match.Players[2].TotalPoints = 300 - 10;
    g.ScoreRound();
    EXPECT_TRUE(g.match.TargetReached);
    EXPECT_FALSE(g.scene.clockTimer.enabled);
}

TEST_F(ScoringTest, PersonAtMinusTheTargetEndsTheGame) {
    g.match.Players[4].TotalPoints = -290;
    t.setHand(4, "5C 5D 5H 5S");
    g.ScoreRound();  // 15 - 20 = -5: not yet
    EXPECT_FALSE(g.match.TargetReached);
    g.ScoreRound();  // the same cards once more: -300
    EXPECT_EQ(g.match.Players[4].TotalPoints, -300);
    EXPECT_TRUE(g.match.TargetReached);
}

TEST_F(ScoringTest, SeatsOneToThreeSeeThePersonsTotalFromBeforeTheRound) {
    // The person starts the round at -300 and recovers to -295: seat 1's
    // test already saw -300 and ended the game.
    g.match.Players[4].TotalPoints = -300;
    t.setLaid(4, "3H 4H 5H 6H");  // 20 - 5 = 15
    g.ScoreRound();
    EXPECT_EQ(g.match.Players[4].TotalPoints, -285);
    EXPECT_TRUE(g.match.TargetReached);

    // The person falls from -290 to -310 in the round: seat 4's own test sees it.
    TestTable other;
    other.setUpGame();
    other.game.match.Players[4].TotalPoints = -290;
    other.setHand(4, "10C");
    other.game.ScoreRound();  // nothing laid: -2 x 10 = -20
    EXPECT_EQ(other.game.match.Players[4].TotalPoints, -310);
    EXPECT_TRUE(other.game.match.TargetReached);
}

}  // namespace
}  // namespace vornak::test
