// Looking back on a round: its positions move by move with every hand face
// up, and the person's decisions with the move the evaluation prefers and
// what the person's move cost. Plain data and functions, no window: the
// shell shows it and runs the evaluation on a worker thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "review/evaluation.h"
#include "core/roundlog.h"

namespace vornak {

struct ReviewPosition {
    Table table;             // every card where it lay once the move was made
    int step = -1;           // the record's step (-1: the deal)
    int seat = 0;            // who moved (0: the deal)
    std::string said;        // the narration line the table showed
    std::string move;        // the move in words, with its cards
    std::vector<int> cards;  // the cards the move moved
    int decision = -1;       // the person's decision made from this position, -1 for none
};

struct ReviewDecision {
    int position = 0;  // the position the person decided at (the move is the next one)
    ReviewDecisionAt at;
    bool evaluated = false;
    Verdict verdict;
};

// A cost is a mistake when it is above the evaluation's noise and at
// least this many points.
inline constexpr double kMistakePoints = 3.0;

class RoundReview {
public:
    // The review of a kept round; none when the record does not replay.
    static std::optional<RoundReview> of(const RoundRecord& record);

    int round() const { return round_; }
    const std::array<std::string, 5>& names() const { return names_; }
    const std::vector<ReviewPosition>& positions() const { return positions_; }

    // Stepping through the positions.
    int cursor() const { return cursor_; }
    const ReviewPosition& current() const { return positions_[static_cast<std::size_t>(cursor_)]; }
    void first() { cursor_ = 0; }
    void last() { cursor_ = static_cast<int>(positions_.size()) - 1; }
    void forward() { go(cursor_ + 1); }
    void back() { go(cursor_ - 1); }
    void go(int position);
    bool atFirst() const { return cursor_ == 0; }
    bool atLast() const { return cursor_ + 1 == static_cast<int>(positions_.size()); }

    // The person's decisions in the order they were made.
    const std::vector<ReviewDecision>& decisions() const { return decisions_; }
    void setVerdict(std::size_t decision, const Verdict& verdict);
    bool evaluated() const;
    // The seed of a decision's samples: fixed by the round and the decision.
    std::uint64_t seedOf(std::size_t decision) const;

    // The three costliest mistakes (cost above the noise), the costliest
    // first.
    std::vector<std::size_t> mistakes() const;
    // Every decision in the order of the list the person sees: the mistakes
    // first, then the others as they came.
    std::vector<std::size_t> listed() const;

    // A decision in words: what the person did and, once evaluated, what
    // was preferred and the cost.
    std::string playedText(std::size_t decision) const;
    std::string preferredText(std::size_t decision) const;

private:
    int round_ = 0;
    std::array<std::string, 5> names_;
    std::vector<ReviewPosition> positions_;
    std::vector<ReviewDecision> decisions_;
    int cursor_ = 0;
};

// A move as a short phrase: "draws", "takes the pile from 7♥ (7♣ 7♦ 7♥)", ...
std::string describeMove(const ReviewMove& move);
// A recorded step as the review lists it, with the seat's name.
std::string describeStep(const RoundStep& step, const std::string& name);

}  // namespace vornak
