// The remark a computer seat makes while it thinks: one of six variants,
// drawn as Rnd x 5 rounded to the nearest whole number, so the first and the
// last variant come up half as often as the four between them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>

#include "support/fakes.h"

namespace vornak {
namespace {

class Remarks : public ::testing::Test {
protected:
    test::TestTable t{7};
    Game& g = t.game;

    void SetUp() override {
        g.match.BeginnerChosen = true;
        g.match.RoundNumber = 1;
        g.ensureRound(1);
        g.FillRemarks();
        // The table's third row is never spoken; marked here so that it
        // would show if it were.
        for (int j = 0; j < 6; ++j) g.Remarks[2][j] = "<row 2, " + std::to_string(j) + ">";
        const char* names[] = {"", "Left", "Top", "Right", "Tester"};
        for (int s = 1; s <= 4; ++s) g.match.Players[s].Name = names[s];
    }

    void deal(const char* hand, const char* pile) {
        for (int s = 1; s <= 3; ++s) t.setHand(s, hand);
        t.setHand(4, "3C 4C 5C 7C 8C 10C QC");
        t.setPile(pile);
        t.setHand(0, "2D 3D 4D 8D 10D JD QD 2H 3H 4H 8H 9H 10H JH");
    }

    // Counts the variants of `row` seen in the hint during the pause that
    // follows `prefix`, over `turns` turns; anything else is counted at -1.
    std::map<int, int> count(int turns, int pausesBefore, const std::string& prefix, int row) {
        std::map<int, int> seen;
        for (int turn = 0; turn < turns; ++turn) {
            const int seat = 1 + turn % 3;
            const std::string name = g.match.Players[seat].Name;
            g.table.CurrentSeat = seat;
            g.seq.start(g.ComputerTurn(seat));
            for (int i = 0; i < pausesBefore && g.seq.waiting(); ++i) g.seq.resume();
            const std::string& hint = g.scene.hintLine.caption;
            int variant = -1;
            for (int j = 0; j < 6; ++j)
                if (hint == name + prefix + g.Remarks[row][j]) variant = j;
            if (variant < 0 && seen[-1] < 3) ADD_FAILURE() << "unexpected hint: " << hint;
            ++seen[variant];
            g.seq.cancel();
            resetTable();
        }
        return seen;
    }

    std::function<void()> resetTable = [] {};
};

// Ends about 1/10 each, the middle variants about 1/5 each. The bounds are
// some five standard deviations wide.
void expectHalfAsLikelyEnds(const std::map<int, int>& seen, int turns) {
    EXPECT_EQ(seen.count(-1), 0u);
    const double end = 0.1 * turns, middle = 0.2 * turns;
    for (int j : {0, 5}) {
        const int n = seen.count(j) ? seen.at(j) : 0;
        EXPECT_NEAR(n, end, 5 * std::sqrt(end)) << "variant " << j;
    }
    for (int j : {1, 2, 3, 4}) {
        const int n = seen.count(j) ? seen.at(j) : 0;
        EXPECT_NEAR(n, middle, 5 * std::sqrt(middle)) << "variant " << j;
    }
}

TEST_F(Remarks, ThinkingRemarkEndsAreHalfAsLikely) {
    // The first pause of every turn: nothing has moved yet.
    deal("5H 9C KD 2S 7D JC 4S", "QH");
    constexpr int kTurns = 6000;
    const auto seen = count(kTurns, 0, "กำลังคิด ??? ", 0);
    expectHalfAsLikelyEnds(seen, kTurns);
}

TEST_F(Remarks, PilePickRemarkEndsAreHalfAsLikely) {
    // Every seat takes the 6 and 7 of hearts for its 5 of hearts; the
    // remark comes in the pause after the take.
    resetTable = [this] { deal("5H 9C KD 2S 7D JC 4S", "6H 7H"); };
    resetTable();
    constexpr int kTurns = 3000;
    const auto seen = count(kTurns, 1, "เลือกเล่นไพ่จากในวง   ", 1);
    expectHalfAsLikelyEnds(seen, kTurns);
}

}  // namespace
}  // namespace vornak
