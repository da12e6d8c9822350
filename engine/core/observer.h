// A window onto the game for tools that watch it play: every card move and
// every decision of a computer seat is reported as it happens. The program
// itself installs no observer; the simulator uses one to check invariants
// and to write a game log.
#pragma once

#include <string>
#include <vector>

namespace vornak {

struct Table;

struct GameAction {
    std::string kind;        // deal, draw, pick, meld, layoff, discard, knock, roundend
    int seat = 0;            // 0 for the table
    std::vector<int> cards;  // card codes the action moved
    int position = 0;        // pile position of a pick, hand position of a discard
    std::string detail;      // lay-off kind "set"/"run", knock kind "knock"/"dark"
};

class GameObserver {
public:
    virtual ~GameObserver() = default;
    virtual void action(const GameAction& action) = 0;
    // A decision procedure of a computer seat starts / ends; `result` is its
    // Boolean result (1/0) or, for procedures without one, 0. `seen` is the
    // table as the decision sees it: at its end, with what it decided noted
    // (the hand it arranged, the meld it chose, ...).
    virtual void decisionStarts(const char* name, int seat, const Table& seen) = 0;
    virtual void decisionEnds(const char* name, int seat, int result, const Table& seen) = 0;
    // An observer that only follows the actions says so, and the decisions
    // spare the copies of the table they would hand it.
    virtual bool watchesDecisions() const { return true; }
    // The round is over and about to be scored: the hands, the laid cards,
    // the K of the play and the feed flags are as the play left them.
    virtual void roundEnding() {}
};

}  // namespace vornak
