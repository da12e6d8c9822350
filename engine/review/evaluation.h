// How much one of the person's decisions cost: given what the person could
// see at the decision and the move the person made, the move the strongest
// computer player prefers and the points the person's move lost against
// it, with an estimate of the evaluation's own noise.
//
// The evaluation reads only a SeatView (ai/expert.h): the hands of the
// others and the stock are counts, never cards. Which player evaluates is
// one line below (`kReviewEvaluator`).
#pragma once

#include <cstdint>
#include <vector>

#include "ai/expert.h"
#include "core/table.h"

namespace vornak {

// A move of the person's, in the terms of a decision.
struct ReviewMove {
    enum class Kind { Draw, Take, LayDown, LayOff, Keep, Discard };
    Kind kind = Kind::Draw;
    int card = 0;      // Take: the pile card taken from; LayOff, Discard: the card
    int position = 0;  // Take: the pile position (1 = bottom)
    Meld meld{};       // Take, LayDown: the meld's three cards (1..3)
    bool onRun = false;
    bool operator==(const ReviewMove&) const = default;
};

struct ReviewDecisionAt {
    enum class Kind {
        PilePick,  // draw, or take the pile from a card (with its meld)
        LayDown,   // lay a meld down now, or keep it in hand
        LayOff,    // lay a card off now, or keep it
        Discard,   // which card
    };
    Kind kind = Kind::Discard;
    SeatView view;  // what the person could see
    Level level;
    ReviewMove played;
};

struct Verdict {
    bool graded = false;  // there was more than one move to choose from
    bool cancelled = false;
    ReviewMove preferred;
    // Expected points of the round the played move lost against the
    // preferred one (a K counted as 50 points, less the others' mean), and
    // two standard errors of that difference: a cost within the noise is no
    // mistake.
    double cost = 0;
    double noise = 0;
    int samples = 0;  // sampled tables the cost was measured on
};

// The moves the decision could have taken, the played one among them.
std::vector<ReviewMove> candidatesOf(const ReviewDecisionAt& decision);

using Evaluator = Verdict (*)(const ReviewDecisionAt&, std::uint64_t seed, const ExpertBudget&);

// The Expert's evaluation: every candidate is played on the same tables
// dealt at random from the view, then the round is played out by the rules'
// players. Half the budget's rollouts are shared among the candidates; the
// other half measure the best of them against the person's move.
Verdict ExpertEvaluation(const ReviewDecisionAt& decision, std::uint64_t seed,
                         const ExpertBudget& budget);

// The Master's evaluation: the same, on deals weighed as the Master weighs
// them (ai/master.h: what the other seats passed over and discarded makes
// some hands likelier). Each candidate's own turn is not searched further:
// a Master plan under every rollout would cost a decision's rollouts for
// each one.
Verdict MasterEvaluation(const ReviewDecisionAt& decision, std::uint64_t seed,
                         const ExpertBudget& budget);

// The evaluator the review uses.
inline constexpr Evaluator kReviewEvaluator = &MasterEvaluation;

inline Verdict evaluateDecision(const ReviewDecisionAt& decision, std::uint64_t seed,
                                const ExpertBudget& budget = {}) {
    return kReviewEvaluator(decision, seed, budget);
}

}  // namespace vornak
