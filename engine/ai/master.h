// The Master: a computer player that searches every decision of its turn.
// Before the draw it weighs the draw against every take from the pile (each
// pile position with each meld the taken card makes); after it, it weighs
// whole turn plans: which melds go down now and which are held back,
// whether the cards that fit the table are laid off, and the discard (a
// plan that leaves one card knocks, dark when the seat is still closed).
//
// Like the Expert it is information-set Monte Carlo: the cards its seat has
// not seen are dealt at random, every candidate is played on the same deals
// to the round's end by the rules' players, and the best mean result wins.
// Unlike the Expert it weighs the deals by what the other seats did (the
// pile cards each passed over for a draw, the cards each discarded), and it
// spends its rollouts by successive halving: every candidate gets a few
// deals, the better half gets more, and so on down to one.
//
// It never reads a hidden card: its decisions take a SeatView.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "ai/decisions.h"
#include "ai/expert.h"
#include "core/match.h"
#include "core/table.h"

namespace vornak {

// How much a Master decision may think. Rollouts are the measure (their
// speed sets the time); the time limit caps a decision on a slow or busy
// machine, at the price of making it depend on the machine.
struct MasterBudget {
    int rollouts = 6000;     // over all candidates and rounds of halving together
    int firstSamples = 4;    // deals per candidate in the first round, at least
    double timeLimitMs = 0;  // wall clock, 0: none (a decision then depends on the seed only)
    // Weigh the deals by what the other seats did (otherwise every deal
    // consistent with the view counts alike, as the Expert's do).
    bool inference = true;
    // Checked between deals: once set, the decision returns at once with
    // what it has (which the caller should drop).
    const std::atomic<bool>* cancel = nullptr;
};

// What a decision spent, for the benchmarks.
struct MasterStats {
    int candidates = 0;
    int rollouts = 0;
    bool timedOut = false;
};

// The rest of a turn after the draw or the take (and the taken card's
// meld): melds laid in this order, then the lay-offs in this order, then
// the discard. Cards are codes, so the plan does not depend on the hand's
// order.
struct MasterPlan {
    static constexpr int kMaxMelds = 6;
    static constexpr int kMaxLayOffs = 16;
    int meldCount = 0;
    std::array<Meld, kMaxMelds> melds{};
    int layOffCount = 0;
    std::array<int, kMaxLayOffs> layOffs{};
    int discard = 0;
    bool operator==(const MasterPlan&) const = default;
};

// Draw or take, as a PilePick (`take` false: draw). The seat is the view's.
PilePick MasterChoosePilePick(const SeatView& view, const Level& level, std::uint64_t seed,
                              const MasterBudget& budget = {}, MasterStats* stats = nullptr);

// The rest of the turn, from a view after the draw or after the taken
// card's meld went down. An empty hand gets an empty plan.
MasterPlan MasterChoosePlan(const SeatView& view, const Level& level, std::uint64_t seed,
                            const MasterBudget& budget = {}, MasterStats* stats = nullptr);

// Every plan the Master weighs for the view, in the order it weighs them.
std::vector<MasterPlan> MasterPlans(const SeatView& view);

// Plays the plan on the table for `seat`: the melds and lay-offs that are
// still possible, then the discard noted in SelectedCard (the card's hand
// position; the first card when the plan's discard is not in the hand).
// EndTurn is the caller's.
void ApplyMasterPlan(Table& t, int seat, const MasterPlan& plan);
// The checks a plan's step passes before it is played (the turn and
// ApplyMasterPlan share them): a meld goes down while its three cards are
// in hand and a card stays to discard; a lay-off card goes on while it is
// in hand, not the last card, and still fits a meld on the table. The
// lay-off's hand position, or 0 when it does not go on; `onRun`: onto a run.
bool PlanMeldFits(const SeatRec& me, const Meld& m);
int PlanLayOffPosition(const Table& t, int seat, int card, bool& onRun);

// What a round played to its end on `t` is worth to the view's seat: with
// the game's standing in the view, its chance of winning the game (exact
// when the round ends it, guessed from the totals when it goes on), else
// the round's result as the Expert weighs it.
double MasterValueFor(const Table& t, const SeatView& view);

// The match's standing: the totals and, in normal mode, the target
// (mission mode plays for the round).
Standing StandingOf(const Match& match);

// A table consistent with the view, the deals weighed by what the other
// seats did when `inference` is on (more likely hands are dealt more often).
Table MasterSample(const SeatView& view, Random& random, bool inference);

// The person's hint from the Master's search (see ExpertHintFor): before
// the draw the draw or the take; after it the taken card's meld while it
// is still in hand, else the plan's first meld the game accepts, its first
// lay-off, or its discard.
ExpertHint MasterHintFor(const Table& t, const Level& level, bool beforeDraw, std::uint64_t seed,
                         const MasterBudget& budget = {}, const Standing& standing = {});

}  // namespace vornak
