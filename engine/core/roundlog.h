// The rounds as they were played: each round's deal and every move of every
// seat after it, with the narration line the table showed. A round kept
// here replays to the table it ended with, so it can be looked back on move
// by move (review/review.h, rules/replay.h), also after the game was saved
// and continued.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/observer.h"
#include "core/table.h"

namespace vornak {

// One move of one seat, as the card moves report it (core/observer.h), and
// the acting seat's hand and laid cards as the move left them: the hand's
// order changes without a move (a seat arranges its cards), and a dark
// knock lays out seven cards at once.
struct RoundStep {
    enum class Kind { Draw, Pick, Meld, LayOff, Discard, Knock };
    Kind kind = Kind::Draw;
    int seat = 0;
    std::vector<int> cards;  // what the move moved
    int position = 0;        // Pick: the pile position; Discard: the hand position
    bool onRun = false;      // LayOff: onto a run
    bool dark = false;       // Knock: a dark knock
    std::vector<int> hand, laid;
    // The seat's HasLaidDown as the move found it: a computer seat notes its
    // pile pick in it once its melds are down, the person at every lay-down.
    bool laidDown = false;
    std::string said;  // the narration line of the move
    bool operator==(const RoundStep&) const = default;
};

struct RoundRecord {
    int round = 0;  // the round's number in its game (1, 2, ...)
    Table start;    // the table as dealt
    std::vector<RoundStep> steps;
    std::array<std::string, 5> names;  // seats 1..4 as the table named them
    Level level;                       // the level the round was played at
    std::string dealt;                 // the narration line of the deal
    bool operator==(const RoundRecord& other) const;
};

// What decides the position of a round: every card where it lies and in
// its order, every seat's flags, K and meld starts, the lay-off lists, the
// speto feeds, the pile takes, the turn and its direction. The scratch of a
// turn (what a decision last settled) is left out.
bool samePosition(const Table& a, const Table& b);

// The rounds of the game in progress: the rounds that ended, and the round
// being played. The game feeds it its moves and its narration.
class RoundLog {
public:
    std::vector<RoundRecord> rounds;     // the rounds that ended, oldest first
    std::optional<RoundRecord> current;  // the round under way

    // A move on the table. A deal starts a new round (`round` is its number;
    // a round of that number or later kept from before, a game given up,
    // goes).
    void record(const Table& t, const GameAction& action, int round,
                const std::array<std::string, 5>& names, const Level& level);
    // The narration line changed.
    void narrate(const std::string& line);
    // The round is over as the table stands: it joins the ended rounds.
    void roundEnded();

    const RoundRecord* find(int round) const;

    // The rounds as text lines (one line for a round's head, one for each
    // step), without line breaks, for the saved game; and back. parse()
    // returns false, leaving the log as it was, when the lines are not such
    // a log.
    std::vector<std::string> lines() const;
    bool parse(const std::vector<std::string>& lines);

    bool operator==(const RoundLog& other) const;

private:
    std::string line_;   // the narration as it stands
    bool open_ = false;  // the last step may still take the next line of its seat
};

}  // namespace vornak
