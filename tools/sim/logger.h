// The game log: one JSON object per line for every engine action, every
// decision of a computer seat (its inputs, the random numbers it drew and
// its result), every random number with what it was drawn for, every mouse
// action of the simulated person, every message box, every finished round
// and game. The format is described in FORMAT.md.
#pragma once

#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "game/game.h"

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
    // Lines written from hold() on are kept back until release() writes
    // `first` and then them.
    void hold() { holding_ = true; }
    void release(const std::string& first);
    // Where the run stands, for the lines of random numbers.
    void setContext(std::function<LogContext()> context) { context_ = std::move(context); }

    // `game` gives a deal's cards.
    void action(const LogContext& at, const GameAction& action, const Game* game = nullptr);
    // `seen` is the table as the decision sees it (at its end, with what it
    // decided noted); the level and the mode come from the game.
    void decisionStarts(const Game& game, const Table& seen, const char* name, int seat);
    // A random number; `use` is what it is for, or null inside a decision.
    void randomDrawn(double value, const char* use);
    void decisionEnds(const Table& seen, const LogContext& at, const char* name, int seat,
                      int result);
    void message(const LogContext& at, const std::string& text, const std::string& title,
                 bool okCancel);
    void input(const LogContext& at, const std::string& what);
    // The hands, laid cards, K of the play and feed flags before scoring.
    void roundEnding(const Game& game);
    void roundEnd(const LogContext& at, const Game& game, int round);

private:
    void emit(const std::string& line);
    void flushRandom();

    struct Frame {
        std::string name;
        int seat = 0;
        std::string inputs;  // JSON object
        std::vector<double> draws;
    };
    std::ostream* out_;
    std::vector<Frame> frames_;
    bool holding_ = false;
    std::string held_;
    std::function<LogContext()> context_;
    // Random numbers drawn since the last line, all for `randomUse_`.
    std::string randomUse_;
    LogContext randomAt_;
    std::vector<double> randomValues_;
    // The round as the play left it, from roundEnding().
    struct RoundSnapshot {
        std::array<std::vector<int>, 4> hands, laid;
        std::array<int, 4> kBefore{};
        std::array<std::array<bool, 4>, 6> feeds{};
    };
    RoundSnapshot roundEnding_;
};

// Seats 1..4 as a JSON-ready list.
std::vector<int> handOf(const Game& game, int seat);

}  // namespace vornak::sim
