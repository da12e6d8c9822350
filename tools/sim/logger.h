// The game log: one JSON object per line for every engine action, every
// decision of a computer seat (its inputs, the random numbers it drew and
// its result), every mouse action of the simulated person, every message
// box, every finished round and game. The format is described in FORMAT.md.
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "core/game.h"

namespace vornak::sim {

// Where in the run a line was written.
struct LogContext {
    int game = 0;   // 1-based game of the run
    int round = 0;  // 1-based round of that game
    long step = 0;  // loop step of the run
};

class EventLog {
public:
    explicit EventLog(std::ostream* out) : out_(out) {}
    bool enabled() const { return out_ != nullptr; }
    // False once a write has failed (for example a full disk).
    bool good() const { return out_ == nullptr || out_->good(); }

    void write(const std::string& line);

    void action(const LogContext& at, const GameAction& action);
    // `seen` is the table as the decision sees it (at its end, with what it
    // decided noted); the level and the mode come from the game.
    void decisionStarts(const Game& game, const Table& seen, const char* name, int seat);
    void randomDrawn(double value);
    void decisionEnds(const Table& seen, const LogContext& at, const char* name, int seat,
                      int result);
    void message(const LogContext& at, const std::string& text, const std::string& title,
                 bool okCancel);
    void input(const LogContext& at, const std::string& what);
    void roundEnd(const LogContext& at, const Game& game, int round);

private:
    struct Frame {
        std::string name;
        int seat = 0;
        std::string inputs;  // JSON object
        std::vector<double> draws;
    };
    std::ostream* out_;
    std::vector<Frame> frames_;
};

// Seats 1..4 as a JSON-ready list.
std::vector<int> handOf(const Game& game, int seat);

}  // namespace vornak::sim
