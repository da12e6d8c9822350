// The Expert: what its seat sees, the tables it imagines, and that its
// decisions never depend on a card it has not seen.
#include "ai/expert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <vector>

#include "ai/turn.h"
#include "core/cards.h"
#include "rules/cardmoves.h"
#include "rules/melds.h"
#include "support/fakes.h"

namespace vornak {
namespace {

using test::dealt;
using test::permuteUnseen;

constexpr ExpertBudget kQuick{160, 8};  // enough to tell moves apart, quick in a test

// A table in the middle of a round: `turns` whole turns played by the
// rules, then the next seat's turn started. Empty when the round ended.
bool midRound(std::uint64_t seed, int turns, const Level& level, Table& t, int& seat) {
    t = dealt(seed);
    SeededRandom random(seed * 31 + 7);
    for (int n = 0; n < turns; ++n) {
        const int s = StartTurn(t);
        for (auto turn = PlayComputerTurn(t, s, level, random); turn.next();) {
        }
        EndTurn(t, s);
        if (t.RoundOver) return false;
    }
    seat = StartTurn(t);
    return true;
}

// The seat's turn run on to its discard (the melds laid as the rules lay
// them); false for a dark knock.
bool atDiscard(Table& t, int seat, const Level& level, std::uint64_t seed) {
    SeededRandom random(seed);
    for (auto turn = PlayComputerTurn(t, seat, level, random); turn.next();) {
    }
    return !t.RoundOver && t.Seats[static_cast<std::size_t>(seat)].CardCount() >= 1;
}

bool sameCards(const Table& a, const Table& b) {
    for (int s = 0; s <= 4; ++s)
        if (a.Seats[static_cast<std::size_t>(s)].Cards.toVector() !=
            b.Seats[static_cast<std::size_t>(s)].Cards.toVector())
            return false;
    return true;
}

TEST(Expert, TheViewHidesTheOtherHandsAndTheStockButKeepsTheirCounts) {
    const Level level{false, true, 5};
    int checked = 0;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        Table t;
        int seat = 0;
        if (!midRound(seed, static_cast<int>(seed % 17), level, t, seat)) continue;
        const SeatView v = ViewOf(t, seat);
        EXPECT_EQ(v.seat, seat);
        for (int s = 0; s <= 4; ++s) {
            const SeatRec& real = t.Seats[static_cast<std::size_t>(s)];
            const SeatRec& seen = v.seen.Seats[static_cast<std::size_t>(s)];
            EXPECT_EQ(seen.CardCount(), real.CardCount());
            EXPECT_EQ(seen.PileCards.toVector(), real.PileCards.toVector());
            if (s == seat) {
                EXPECT_EQ(seen.Cards.toVector(), real.Cards.toVector());
            } else {
                for (int i = 1; i <= seen.CardCount(); ++i) EXPECT_EQ(seen.Cards[i], 0);
            }
        }
        // What a seat is known to hold it took from the pile, and holds.
        for (int s = 1; s <= 4; ++s)
            for (int c = 1; c <= 52; ++c) {
                const bool held = (v.holds[static_cast<std::size_t>(s)] >> c & 1u) != 0;
                EXPECT_TRUE(!held || t.Seats[static_cast<std::size_t>(s)].Cards.contains(c))
                    << seed;
            }

        // A sampled table puts every card in one place, as many as the
        // counts say, the known ones where they are known to be.
        SeededRandom random(seed);
        const Table sample = SampleTable(v, random);
        std::array<int, 53> seen{};
        for (int s = 0; s <= 4; ++s) {
            const SeatRec& rec = sample.Seats[static_cast<std::size_t>(s)];
            EXPECT_EQ(rec.CardCount(), t.Seats[static_cast<std::size_t>(s)].CardCount());
            for (int c : rec.Cards.toVector()) ++seen[static_cast<std::size_t>(c)];
            for (int c : rec.PileCards.toVector()) ++seen[static_cast<std::size_t>(c)];
            for (int c = 1; s >= 1 && c <= 52; ++c) {
                const bool held = (v.holds[static_cast<std::size_t>(s)] >> c & 1u) != 0;
                EXPECT_TRUE(!held || rec.Cards.contains(c));
            }
        }
        for (int c = 1; c <= 52; ++c) EXPECT_EQ(seen[static_cast<std::size_t>(c)], 1) << seed;
        EXPECT_EQ(sample.Seats[static_cast<std::size_t>(seat)].Cards.toVector(),
                  t.Seats[static_cast<std::size_t>(seat)].Cards.toVector());
        ++checked;
    }
    EXPECT_GE(checked, 20);
}

TEST(Expert, KnowsWhoTookWhichCardsFromThePileAndStillHoldsThem) {
    Table t;
    t.Seats[1].Cards.assign({1, 2});
    t.Seats[2].Cards.assign({4, 5});
    t.Seats[0].PileCards.assign({3, 17, 30});
    t.PickIndex = 2;
    TakeFromPile(t, 1, nullptr);
    EXPECT_EQ(t.TakenFromPile[1], (std::uint64_t{1} << 17) | (std::uint64_t{1} << 30));
    // Seat 1 discards 30 and seat 2 takes it: 30 is in seat 2's hand now.
    t.Seats[1].Cards.assign({1, 2, 17});
    t.Seats[0].PileCards.push(30);
    t.PickIndex = t.Seats[0].PileCards.count;
    TakeFromPile(t, 2, nullptr);
    EXPECT_EQ(t.TakenFromPile[1], std::uint64_t{1} << 17);
    EXPECT_EQ(t.TakenFromPile[2], std::uint64_t{1} << 30);
    SeatView v = ViewOf(t, 3);
    EXPECT_EQ(v.holds[1], std::uint64_t{1} << 17);
    EXPECT_EQ(v.holds[2], std::uint64_t{1} << 30);
    // A card laid since is no longer held.
    t.Seats[1].Cards.assign({1, 2});
    t.Seats[1].PileCards.assign({17});
    v = ViewOf(t, 3);
    EXPECT_EQ(v.holds[1], 0u);
    // A new round forgets them.
    std::array<int, 53> deck{};
    for (int c = 1; c <= 52; ++c) deck[static_cast<std::size_t>(c)] = c;
    DealCards(t, deck, 1);
    for (std::uint64_t mask : t.TakenFromPile) EXPECT_EQ(mask, 0u);
}

// The heart of it: the Expert decides from what its seat has seen. However
// the unseen cards lie among the other hands and the stock, the same seed
// gives the same decision.
TEST(Expert, DoesNotPeekAtUnseenCards) {
    int picks = 0, discards = 0, permuted = 0;
    for (std::uint64_t seed = 1; seed <= 24; ++seed) {
        const Level level{seed % 2 == 0, seed % 2 == 1, 5};
        Table t;
        int seat = 0;
        if (!midRound(seed, static_cast<int>(2 + seed % 13), level, t, seat)) continue;

        for (std::uint64_t shuffle = 1; shuffle <= 2; ++shuffle) {
            const Table other = permuteUnseen(t, seat, seed * 100 + shuffle);
            if (!sameCards(t, other)) ++permuted;
            const PilePick a = ExpertChoosePilePick(ViewOf(t, seat), level, seed, kQuick);
            const PilePick b = ExpertChoosePilePick(ViewOf(other, seat), level, seed, kQuick);
            EXPECT_EQ(a.take, b.take) << seed;
            EXPECT_EQ(a.index, b.index) << seed;
            EXPECT_EQ(a.meld, b.meld) << seed;
            ++picks;

            // The discard, once the rules have laid the turn's melds; the
            // cards are shuffled after the draw, which the seat has seen.
            Table at = t;
            if (!atDiscard(at, seat, level, seed)) continue;
            const Table ao = permuteUnseen(at, seat, seed * 100 + shuffle);
            const DiscardChoice da = ExpertChooseDiscard(ViewOf(at, seat), level, seed, kQuick);
            const DiscardChoice db = ExpertChooseDiscard(ViewOf(ao, seat), level, seed, kQuick);
            EXPECT_EQ(da.pos, db.pos) << seed;
            ++discards;
        }
    }
    EXPECT_GE(picks, 30);
    EXPECT_GE(discards, 5);
    EXPECT_GE(permuted, picks / 2);
}

TEST(Expert, ChoosesLegalMovesAndTheHintMatchesThePhase) {
    const Level level{false, true, 5};
    int takes = 0, hints = 0, takenHints = 0;
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        Table t;
        int seat = 0;
        if (!midRound(seed, static_cast<int>(seed % 19), level, t, seat)) continue;
        const PilePick pick = ExpertChoosePilePick(ViewOf(t, seat), level, seed, kQuick);
        if (pick.take) {
            ++takes;
            const CardList& pile = t.Seats[0].PileCards;
            ASSERT_GE(pick.index, 1);
            ASSERT_LE(pick.index, pile.count);
            EXPECT_EQ(pick.meld[1], pile[pick.index]);
            EXPECT_TRUE(IsMeld(t, seat, pick.meld[1], pick.meld[2], pick.meld[3]));
            // The two other cards come from the hand or from higher up the pile.
            for (int k : {2, 3}) {
                const int pos = pile.find(pick.meld[static_cast<std::size_t>(k)]);
                EXPECT_TRUE(t.Seats[static_cast<std::size_t>(seat)].Cards.contains(
                                pick.meld[static_cast<std::size_t>(k)]) ||
                            pos > pick.index);
            }
        }
        if (seat != kHuman) continue;
        // The person's hint: before the draw, a draw or a legal pile take;
        // the table is a const reference, the hint only reads it.
        const ExpertHint before = ExpertHintFor(t, level, true, seed, kQuick);
        ASSERT_TRUE(before.kind == ExpertHint::Kind::Draw ||
                    before.kind == ExpertHint::Kind::TakePile);
        if (before.kind == ExpertHint::Kind::TakePile) {
            EXPECT_TRUE(CanPickFromPile(t, before.position));
            EXPECT_EQ(before.card, t.Seats[0].PileCards[before.position]);
            // Once taken, the hint lays that card down first.
            Table taken = t;
            taken.PickIndex = before.position;
            taken.PickedCard = before.card;
            taken.PickFromPile = true;
            TakeFromPile(taken, kHuman);
            const ExpertHint meld = ExpertHintFor(taken, level, false, seed, kQuick);
            ASSERT_EQ(meld.kind, ExpertHint::Kind::LayDown);
            EXPECT_TRUE(std::find(meld.meld.begin() + 1, meld.meld.end(), before.card) !=
                        meld.meld.end());
            EXPECT_TRUE(CheckLaidMeld(taken, meld.meld[1], meld.meld[2], meld.meld[3]));
            ++takenHints;
        }
        Table drawn = t;
        SeededRandom random(seed);
        DrawCard(drawn, kHuman, level, random);
        const ExpertHint after = ExpertHintFor(drawn, level, false, seed, kQuick);
        const CardList& hand = drawn.Seats[kHuman].Cards;
        if (after.kind == ExpertHint::Kind::LayDown) {
            EXPECT_TRUE(CheckLaidMeld(drawn, after.meld[1], after.meld[2], after.meld[3]));
        } else {
            ASSERT_EQ(after.kind, ExpertHint::Kind::Discard);
            ASSERT_GE(after.position, 1);
            ASSERT_LE(after.position, hand.count);
            EXPECT_EQ(after.card, hand[after.position]);
        }
        ++hints;
    }
    EXPECT_GE(takes, 1);
    EXPECT_GE(hints, 3);
    EXPECT_GE(takenHints, 1);
}

TEST(Expert, ACancelledSearchReturnsAtOnce) {
    const Level level{false, true, 5};
    Table t;
    int seat = 0;
    ASSERT_TRUE(midRound(3, 9, level, t, seat));
    ASSERT_TRUE(atDiscard(t, seat, level, 3));
    std::atomic<bool> cancel{true};
    ExpertBudget budget;
    budget.rollouts = 1000000000;  // would take hours
    budget.cancel = &cancel;
    const DiscardChoice d = ExpertChooseDiscard(ViewOf(t, seat), level, 1, budget);
    EXPECT_GE(d.pos, 1);
    EXPECT_LE(d.pos, t.Seats[static_cast<std::size_t>(seat)].CardCount());
}

}  // namespace
}  // namespace vornak
