#include <gtest/gtest.h>

#include "ai/decisions.h"
#include "support/fakes.h"

namespace vornak::test {
namespace {

constexpr int kSeat = 3;

struct Decision {
    const char* hand;
    const char* setList;
    const char* runList;
    bool meldNow;
    const char* why;
};

struct MeldTiming : ::testing::Test {
    Table t;
    MeldTiming() { t.Seats[0].Cards.count = 23; }
    void setUp(const Decision& d) {
        t.Seats[kSeat].Cards = cards(d.hand);
        t.SetLayOffCards = cards(d.setList);
        t.RunLayOffCards = cards(d.runList);
    }
};

TEST_F(MeldTiming, AtFiveCardsTheMeldMustLeaveALayOff) {
    const Decision cases[] = {
        {"4H 5H 6H 7H KC", "", "", true, "the run's own extension takes the 7"},
        {"4H 5H 6H KC 9D", "", "", false, "nothing follows the meld"},
        {"4H 5H 6H 3H KC", "", "", true, "the 3 extends the run downwards"},
        {"6H 5H 4H 3H KC", "", "", false, "the ends are read in hand order"},
        {"2H 3H 4H KC 5H", "", "", true, "a run from the 2"},
        {"QH KH AH JH KC", "", "", true, "a run to the ace"},
        {"AC AD AH AS KC", "", "", true, "a set of aces extends with every ace"},
        {"9C 9D 9H KC 9S", "", "", true, "the fourth card of the set"},
        {"4H 5H 6H KC 9D", "", "9D", true, "a run lay-off in position 5"},
        {"KC 7H 4H 5H 6H", "", "7H", false, "a meld in positions 3..5 is not seen"},
        {"4H 5H 6H KC 9D", "", "8D", false, "the lay-off card is not in hand"},
        {"4H 5H 6H KC 9D", "9S", "", false, "a set lay-off of another card"},
        {"4H 5H 6H 9D KC", "KD KC", "", true, "a set lay-off in position 5"},
        {"7H 8C JD 5S KC", "7H 8C JD 5S", "", true, "three lay-offs instead of a meld"},
        {"7H 8H 2D 10S KC", "", "7H 2D 10S", true, "run lay-offs, the 8 by the 7's chain"},
        {"2D 2H 2S 5C 2C", "", "", false, "three 2s without the 2 of clubs"},
    };
    for (const auto& d : cases) {
        setUp(d);
        EXPECT_EQ(DecideMeldAtFive(t, kSeat).meldNow, d.meldNow) << d.hand << ": " << d.why;
    }
}

TEST_F(MeldTiming, AtFourCardsAMeldOrThreeLayOffsWillDo) {
    const Decision cases[] = {
        {"4H 5H 6H KC", "", "", true, "a meld in positions 1..3"},
        {"KC 4H 5H 6H", "", "", true, "a meld in positions 2..4"},
        {"4H 5H KC 6H", "", "", true, "a meld in positions 1, 2, 4"},
        {"4H KC 5H 6H", "", "", false, "positions 1, 3, 4 are not tested"},
        {"2D 2H 2S KC", "", "", false, "not a set for a computer seat"},
        {"7H 2S KC 9D", "7H", "2S 9D", true, "lay-offs in positions 1, 2, 4"},
        {"7H KC 2S 9D", "7H", "2S 9D", false, "lay-offs in positions 1, 3, 4"},
        {"KC 7H 2S 9D", "7H", "2S 9D", true, "lay-offs in positions 2..4"},
        {"6H 7H KC 5S", "5S", "6H", true, "the 7 follows the 6 onto its run"},
        {"6H 7H KC 5S", "5S", "2D", false, "neither the 6 nor the 7 fits"},
        {"AH KH KC 5S", "5S", "AH", false, "no chain from an ace"},
        {"2S 3S KC 5S", "5S", "2S", false, "nor from a 2"},
    };
    for (const auto& d : cases) {
        setUp(d);
        EXPECT_EQ(DecideMeldAtFour(t, kSeat).meldNow, d.meldNow) << d.hand << ": " << d.why;
    }
}

}  // namespace
}  // namespace vornak::test
