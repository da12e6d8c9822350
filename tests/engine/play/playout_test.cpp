// Seeded rounds played through the public handlers: the person takes the
// pile whenever it can (and melds the picked card) or draws, then discards;
// the computer seats play through the turn driver. Every card must stay in
// exactly one place while the round lasts, and the round's record keep
// each move's own narration.
#include "play_fixture.h"
#include "rules/melds.h"

namespace vornak::test {
namespace {

class Playout : public PlayTest {
protected:
    // Every code 1..52 once across stock, pile, hands and laid cards.
    void expectEveryCardOnce(int step) {
        std::array<int, 53> seen{};
        auto count = [&](const CardList& list) {
            for (int i = 1; i <= list.count; ++i) {
                ASSERT_TRUE(isValidCard(list[i])) << "step " << step;
                ++seen[static_cast<std::size_t>(list[i])];
            }
        };
        for (int s = 0; s <= 4; ++s) {
            count(g.table.Seats[s].Cards);
            count(g.table.Seats[s].PileCards);
        }
        for (int c = 1; c <= 52; ++c)
            ASSERT_EQ(seen[static_cast<std::size_t>(c)], 1) << "card " << c << " step " << step;
    }

    // Takes the pile from the lowest position it may, then lays the meld of
    // the picked card. Returns false when no pick is possible.
    bool pickAndMeld() {
        const CardList& pile = g.table.Seats[0].PileCards;
        for (int p = 1; p <= pile.count; ++p) {
            if (!CanPickFromPile(g.table, p)) continue;
            g.cardDblClick(pile[p]);
            if (!g.person.LayDownMode) return false;
            const CardList& h = g.table.Seats[kHuman].Cards;
            for (int i = 1; i <= h.count; ++i)
                for (int j = i + 1; j <= h.count; ++j)
                    if (IsMeld(g.table, kHuman, g.table.PickedCard, h[i], h[j]) &&
                        h[i] != g.table.PickedCard && h[j] != g.table.PickedCard) {
                        const int a = h[i], b = h[j];
                        g.cardMouseUp(g.table.PickedCard, 1);
                        g.cardMouseUp(a, 1);
                        g.cardMouseUp(b, 1);
                        g.seq.runToEnd();
                        return true;
                    }
            return true;
        }
        return false;
    }

    void humanTurn() {
        if (!pickAndMeld()) g.stockDblClick(g.table.Seats[0].Cards.top());
        EXPECT_TRUE(g.scene.menus.mnuPlayDrawnCard.enabled);
        g.mnuPlayDrawnCard_Click();
        g.cardDblClick(g.table.Seats[kHuman].Cards[1]);
        g.seq.runToEnd();
    }
};

TEST_F(Playout, CardsStayInOnePlace) {
    for (int round = 1; round <= 12; ++round) {
        SCOPED_TRACE(round);
        g.table.RoundOver = false;
        g.ensureRound(g.match.RoundNumber);
        g.DealRound();
        expectEveryCardOnce(0);
        int step = 0;
        for (; step < 400 && !g.table.RoundOver; ++step) {
            if (g.table.CurrentSeat == kHuman && g.person.DrawPhase) {
                humanTurn();
            } else {
                ASSERT_TRUE(g.scene.turnTimer.enabled) << "step " << step;
                g.turnTimerTick();
                g.seq.runToEnd();
            }
            // The round-end board takes the top card off the pile to show it
            // alone; until then every card is in its place.
            if (!g.table.RoundOver) expectEveryCardOnce(step);
            if (HasFatalFailure()) return;
        }
        EXPECT_TRUE(g.table.RoundOver);
        // The round's record keeps a move's line only when it is the mover's:
        // the person's discard does not come under the hint that asked for it.
        ASSERT_FALSE(g.match.Log.rounds.empty());
        for (const RoundStep& s : g.match.Log.rounds.back().steps) {
            const std::string& name = g.match.Players[s.seat].Name;
            if (!s.said.empty()) {
                EXPECT_EQ(s.said.compare(0, name.size(), name), 0) << s.said;
            }
        }
    }
}

}  // namespace
}  // namespace vornak::test
