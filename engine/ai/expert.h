// The Expert: a computer player that looks ahead. At a decision it deals
// the cards its seat has not seen at random (consistently with everything
// the seat has seen), plays each such table to the round's end with the
// rules' players (ai/turn.h) after every candidate move, and takes the move
// with the best mean result for the round.
//
// The Expert never reads a hidden card: its decisions take a SeatView, which
// holds only what the seat has seen. The other hands and the stock are there
// as counts, their cards as 0.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "ai/decisions.h"
#include "core/table.h"
#include "rules/scoring.h"

namespace vornak {

// The game's standing, for a player that plays for the game rather than
// the round (the Master): each seat's total before this round and the
// total that ends the game; target 0 when the round's result is all that
// counts (mission mode, or nobody said). Public: the notebook shows it.
struct Standing {
    std::array<long, 5> totals{};  // 1..4
    int target = 0;
};

struct SeatView {
    int seat = 0;
    // The table as the seat sees it: its own hand, the pile, every laid card,
    // the flags and counters of the round; every card of the other hands and
    // of the stock is 0 (the counts are kept).
    Table seen;
    // Per seat 1..4, bit c: card c is known to be in that hand (it was taken
    // from the pile and has not been laid or discarded since).
    std::array<std::uint64_t, 5> holds{};
    // Per seat 1..4, the table's PassedOver and Discards: what everyone saw.
    std::array<std::uint64_t, 5> passed{}, discarded{};
    Standing standing;
};

// What seat `seat` has seen of the table.
// The round's result for `seat` as the Expert weighs it: its points and K
// (a K as 50 points of money) against the mean of the other three.
double RoundValueFor(const Table& t, int seat);
// The same, from the round's score when the caller has it.
double RoundValueFor(const Table& t, const RoundScore& score, int seat);
// The rollouts' level: every seat by the rules.
Level RulesOnly(Level level);

SeatView ViewOf(const Table& t, int seat);

// A pile-pick candidate's rollout: the seat's turn with the pick forced,
// then the round played on to its end by `rules` (every seat by the rules).
void PlayPickToRoundEnd(Table& t, int seat, const Level& rules, Random& random,
                        const PilePick& pick);

// A table consistent with the view: the unseen cards dealt at random to the
// other hands (after the cards they are known to hold) and to the stock.
Table SampleTable(const SeatView& view, Random& random);

// How much thinking a decision may do: rollouts over all candidate moves
// together (about 40 us each on one core).
struct ExpertBudget {
    int rollouts = 1200;
    int minSamples = 12;  // per candidate, however many candidates there are
    // Checked between samples: once it is set the decision returns at once
    // (with what it has, which the caller should drop). For a search on a
    // worker thread that a new game makes pointless.
    const std::atomic<bool>* cancel = nullptr;
};

// Take from the pile (and from where, with which meld) or draw: a PilePick
// as the rules' choice gives it (`take` false: draw), never arranged. The
// seat is the view's; the seed fixes the samples.
PilePick ExpertChoosePilePick(const SeatView& view, const Level& level, std::uint64_t seed,
                              const ExpertBudget& budget = {});

// The hand position of the card to discard, the turn's melds and lay-offs
// made. A one-card hand discards it (the knock).
DiscardChoice ExpertChooseDiscard(const SeatView& view, const Level& level, std::uint64_t seed,
                                  const ExpertBudget& budget = {});

// The person's hint: what the Expert would do now in the person's seat.
struct ExpertHint {
    enum class Kind { None, Draw, TakePile, LayDown, LayOff, Discard };
    Kind kind = Kind::None;
    int position =
        0;         // TakePile: the pile position (1 = bottom); LayOff, Discard: the hand position
    int card = 0;  // TakePile: the pile card there; LayOff, Discard: the card
    Meld meld{};   // TakePile, LayDown: the meld's three cards (1..3)
};

// `beforeDraw`: the person has not yet drawn or taken from the pile this
// turn. After it the hint is a meld to lay down (with the card taken from
// the pile while that is still in hand, else the first the rules' own
// search finds) when the game would accept it, else the discard. Computed
// from the person's view only; the table is only read, so a copy of it can
// be handed to a worker thread.
ExpertHint ExpertHintFor(const Table& t, const Level& level, bool beforeDraw, std::uint64_t seed,
                         const ExpertBudget& budget = {});

}  // namespace vornak
