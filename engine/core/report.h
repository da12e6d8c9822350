// How the functional core tells an observer what it does: the moves report
// their actions, the decisions their start and their end. Without an
// observer (the program itself, the look-ahead's rollouts) nothing is
// copied or formatted.
#pragma once

#include "core/observer.h"
#include "core/table.h"

namespace vornak {

inline void report(GameObserver* observer, const GameAction& action) {
    if (observer) observer->action(action);
}

// Reports a decision's start on construction; `ends` reports its end with
// the table as it stands once the decision is noted in it. A decision is a
// small struct with `noteIn(Table&)`, which writes what it decided into the
// table's turn record (and, for an arrangement, the new order of the hand).
class DecisionScope {
public:
    DecisionScope(GameObserver* observer, const char* name, int seat, const Table& t)
        : observer_(observer && observer->watchesDecisions() ? observer : nullptr),
          name_(name),
          seat_(seat) {
        if (observer_) observer_->decisionStarts(name_, seat_, t);
    }
    DecisionScope(const DecisionScope&) = delete;
    DecisionScope& operator=(const DecisionScope&) = delete;

    template <class Decision>
    const Decision& ends(const Table& t, const Decision& decision, int result) {
        if (observer_) {
            Table seen = t;
            decision.noteIn(seen);
            observer_->decisionEnds(name_, seat_, result, seen);
        }
        return decision;
    }

private:
    GameObserver* observer_;
    const char* name_;
    int seat_;
};

}  // namespace vornak
