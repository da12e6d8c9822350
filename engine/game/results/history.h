// The player's history: one line for every game finished or given up, kept
// in History.csv in the data folder, and the figures the statistics window
// shows of it. Everything here is plain functions of the file and of the
// games read from it; the game (results/historygame.cpp) writes the lines.
//
// The file is CSV with a header line naming the columns. The columns of
// this version are kHistoryColumns, in that order; a later version adds
// columns at the end and keeps these, and the reader finds the columns by
// their names, so a file written by either reads in both. Each line is
// appended whole in one write under the records' lock and flushed to the
// disk; a line a crash cut short (no line end) is not a game, and the next
// append cuts it off before it writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornak {

class Dialogs;

inline constexpr std::string_view kHistoryColumns =
    "date,player,level,mode,target,opponents,result,rounds,points,money,knocks,dark_knocks,"
    "fooled,fools_won,seconds";

// One game as the history keeps it. The words are lower-case English, the
// same in every language: level "beginner" or "vip", mode "normal" or
// "mission", opponents the kind of computer players ("rules", "expert", or
// any later kind), result "won", "lost" or "gaveup".
struct GameRecord {
    std::int64_t when = 0;  // when it ended, seconds since 1970 (UTC)
    int utcOffset = 0;      // the local time's offset then, in seconds
    std::string player;
    std::string level = "beginner";
    std::string mode = "normal";
    int target = 0;
    std::string opponents = "rules";
    std::string result = "lost";
    int rounds = 0;      // rounds played to the end
    long points = 0;     // the person's total points
    long money = 0;      // money won (above 0) or lost over the game, in baht
    int knocks = 0;      // rounds the person ended with a knock (not a dark one)
    int darkKnocks = 0;  // ... with a dark knock
    int fooled = 0;      // rounds the person was fooled in
    int foolsWon = 0;    // rounds the person fooled the seat before
    long seconds = 0;    // the game clock at the end

    bool operator==(const GameRecord&) const = default;
};

// The header line and a game's line, each with its line end.
std::string historyHeader();
std::string historyLine(const GameRecord& game);

// "2026-12-06 13:05:09+07:00" for the record's time, and back (false when
// the text is not such a time).
std::string historyTime(std::int64_t when, int utcOffset);
bool parseHistoryTime(std::string_view text, std::int64_t& when, int& utcOffset);
// The local time's offset from UTC at `when`, in seconds.
int localUtcOffset(std::int64_t when);

struct HistoryText {
    enum class Status {
        Read,        // `games` holds the games (none for an empty file)
        NotHistory,  // the text is something else (its first line is no header)
    };
    Status status = Status::Read;
    std::vector<GameRecord> games;
    int skipped = 0;  // whole lines that are no game (a hand-edited file)
};

// Reads the file's text. A last line without a line end is left out: a
// crash cut it short while it was written.
HistoryText parseHistory(std::string_view text);

struct HistoryFile {
    enum class Status {
        Read,      // `games` holds the file's games (none when it is missing)
        SetAside,  // it could not be read and was moved to `aside`; no games
        Stuck,     // it could not be read nor moved; no games, nothing written over it
    };
    Status status = Status::Read;
    std::vector<GameRecord> games;
    int skipped = 0;
    std::string aside;
};

// Reads the history at `path`. A file that cannot be read (no permission, a
// folder or a pipe in its place, not a history) is moved aside under the
// records' lock, never overwritten.
HistoryFile readHistory(const std::string& path);

struct HistoryAppend {
    bool written = false;  // the line is on the disk
    std::string aside;     // an unreadable file was moved here first
    bool stuck = false;    // an unreadable file could not be moved: nothing written
};

// Appends one game to the history at `path` (created with its header when
// missing), under the lock `path`.lock, in one write, flushed to the disk.
// A failed write leaves the file as it was. A link at `path` is followed:
// the history may be kept elsewhere.
HistoryAppend appendHistory(const std::string& path, const GameRecord& game);

// Reads the history as readHistory does and tells the player, through
// `dialogs`, when the file was set aside or cannot be read.
HistoryFile readHistoryTelling(const std::string& path, Dialogs& dialogs);
// Tells the player what appendHistory did, when there is something to say.
void tellHistoryAppend(const HistoryAppend& result, const std::string& path, Dialogs& dialogs);

// ---- Figures ----

struct HistoryFilter {
    std::string level;       // "" every level, else "beginner" or "vip"
    std::int64_t since = 0;  // games that ended at or after this time; 0: all
};

std::vector<GameRecord> filterGames(const std::vector<GameRecord>& games,
                                    const HistoryFilter& filter);

// Wins and losses of a kind of game, or of all the games.
struct GameGroup {
    std::string level, mode, opponents;  // empty in the total
    int games = 0, won = 0, lost = 0, gaveUp = 0;
    int rounds = 0;
    long points = 0, money = 0;
    // Points per round played (0 without rounds), won games in percent of
    // the games (0 without games).
    double pointsPerRound() const { return rounds > 0 ? double(points) / rounds : 0.0; }
    double winPercent() const { return games > 0 ? 100.0 * won / games : 0.0; }
};

struct HistoryFigures {
    GameGroup total;
    // By level, mode and opponents, Beginner before VIP, normal before
    // mission, the rules' players before the Expert before other kinds.
    std::vector<GameGroup> groups;
    // The money after each game, counted from 0 before the first one.
    std::vector<long> moneyCurve;
    // Positions in the games of the best and the worst games by money (at
    // most `kept` of each, and never the same game in both: with fewer than
    // twice `kept` games the best are the better half): the most won first,
    // the most lost first; on a tie the earlier game first.
    std::vector<std::size_t> best, worst;
};

HistoryFigures computeFigures(const std::vector<GameRecord>& games, std::size_t kept = 5);

// The games as CSV for a spreadsheet: the history's header and lines.
std::string exportCsv(const std::vector<GameRecord>& games);

}  // namespace vornak
