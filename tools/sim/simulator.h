// Headless games: the engine driven by hand, the person's seat played by an
// automated policy, every timer fired in a loop. Used by the vornak-sim
// program, the soak tests and the benchmarks.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "ai/master.h"

namespace vornak::sim {

enum class Level { Beginner, Vip };

// Who plays the person's seat: the simple automated player (through the
// mouse's entry points), the computer seats' own logic, the Expert or the
// Master.
enum class Person { Simple, Rules, Expert, Master };

struct Options {
    Level level = Level::Beginner;
    int target = 0;        // points; 0: the level's first target
    bool mission = false;  // mission mode instead of a normal-mode target
    int games = 1;
    std::uint64_t seed = 1;
    Person person = Person::Simple;
    bool expertSeats = false;  // the three computer seats decide as the Expert
    bool masterSeats = false;  // ... as the Master (before expertSeats)
    // The Master's thinking in the person's seat. The simulator gives it no
    // time limit, so that a busy machine cannot change a game: its figures
    // are the rollouts' and the decisions' processor time.
    int masterRollouts = MasterBudget{}.rollouts;
    bool masterInference = true;
    bool check = false;           // verify the invariants after every action
    std::ostream* log = nullptr;  // JSON lines, or none
    std::string playerName = "Sim";
    // Where the records and skin files go; empty: a fresh temporary folder,
    // removed at the end.
    std::string dataFolder;
    long stepLimit = 20000;
    // From this loop step on (0: never), where every card is after each step,
    // written to `trace`.
    long traceFrom = 0;
    std::ostream* trace = nullptr;  // loop steps a round may take before it counts as stuck
    // The game saves itself at every boundary between turns, as the program
    // does (into the data folder).
    bool saveGames = false;
    // With saveGames: after a save, with this chance, the game is put away
    // and its save read into a fresh one through the program's start (the
    // random generator scrambled first), which plays on. The choice is
    // drawn from a generator of its own.
    double restoreChance = 0;
    std::uint64_t restoreSeed = 1;
    // Every game finished goes into History.csv in the data folder, as the
    // program keeps it. Its time is the simulated clock from the start of
    // the run, or, with historyDays, the games are spread evenly over that
    // many days up to now (to try the statistics' periods).
    bool history = false;
    int historyDays = 0;
};

// The menu index (1..3) of a normal-mode target at a level, 0 when the
// level has no such target.
int targetIndex(Level level, int target);

struct SeatTotals {
    long wins = 0;  // games the seat ended as the leader
    long knocks = 0, darkKnocks = 0;
    long fooled = 0, gotFool = 0;
    long long points = 0;  // sum of round points
};

struct Summary {
    long games = 0;   // finished games
    long rounds = 0;  // finished rounds
    long steps = 0;
    long messages = 0;
    long noKnockRounds = 0;
    std::array<SeatTotals, 5> seats{};  // 1..4
    // Processor time of each of the Expert's decisions in the person's seat,
    // in milliseconds, in the order they were made.
    std::vector<double> expertDecisionMs;
    // Games restored from their save, by where they stood: between turns,
    // at the start of the person's turn, on the round's board.
    std::array<long, 3> restores{};
    long restoredGameEnds = 0;  // restored on the board of a game's last round
    double seconds = 0;
    bool ok = true;
    std::string error;  // the first violation, a stuck game or a log failure
    int exitCode() const { return ok ? 0 : 1; }
};

// Plays `options.games` whole games and returns what happened.
Summary runSimulation(const Options& options);

// The summary as the program prints it.
void printSummary(std::ostream& out, const Options& options, const Summary& summary);

}  // namespace vornak::sim
