// The game as a value: what lasts from round to round (level, mode, target,
// stakes, money, names, the history of the rounds, the clock). With the
// table of the round under way it is everything needed to go on with a
// game.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/roundlog.h"
#include "core/table.h"

namespace vornak {

// A player across the rounds of a game (seats 1..4).
struct Player {
    std::string Name;
    long Money = 0;
    // Per-round history, indexed by RoundNumber from 1; it grows on demand
    // (see Game::ensureRound).
    std::vector<int> RoundK;
    std::vector<long> RoundPoints;
    std::vector<bool> RoundGotFool;
    std::vector<bool> RoundFooled;
    int DiscardOnThreeCount = 0;
    int DummyDiscardCount = 0;
    long TotalPoints = 0;
};

// The plays of the round, as the seat's pop-up lists them.
struct PlayLogRec {
    int EntryCount = 0;                   // keeps counting past 12
    std::array<std::string, 13> Entries;  // 1..12
};

// What the history (results/history.h) keeps of a game beyond its rounds,
// counted as it goes: set when the game begins, closed when it is written.
struct GameTally {
    bool Open = false;  // a game under way that the history has not had yet
    bool Vip = false, Mission = false;
    int Target = 0;                  // level, mode and target as the game began
    long StartMoney = 0;             // the person's money then
    int Knocks = 0, DarkKnocks = 0;  // the person's, by round

    bool operator==(const GameTally&) const = default;
};

struct Match {
    std::array<Player, 5> Players;
    int RoundNumber = 0;
    bool TargetReached = false;
    bool MissionMode = true;
    bool BeginnerChosen = false, VipChosen = false;
    int PointTarget = 300;
    long KBaht = 500, FoolBaht = 500, BahtPerPoint = 10, MarkRateA = 0, MarkRateB = 0;
    int PreparedRunLength = 3;
    int DrawHelpLevel = 5;
    bool GiveStarterHand = false;
    bool ExpertPlayers = false;  // the computer seats decide as the Expert (ai/expert.h)
    bool MasterPlayers = false;  // ... as the Master (ai/master.h); before ExpertPlayers
    bool GameOver = false, GameWon = false;
    long MoneyAtRoundStart = 0;
    long MissionPot = 0;
    long ElapsedSeconds = 0;
    int ClockHours = 0, ClockMinutes = 0, ClockSeconds = 0;
    std::string PlayerName;
    std::string FinalTime;
    std::array<PlayLogRec, 5> PlayLogs;
    GameTally Tally;
    RoundLog Log;  // the rounds' moves, for looking back on them (review/record.h)
};

// Each seat's total, 1..4.
inline std::array<long, 5> TotalsOf(const Match& match) {
    std::array<long, 5> totals{};
    for (std::size_t s = 1; s <= 4; ++s) totals[s] = match.Players[s].TotalPoints;
    return totals;
}

// Whether totals (1..4) after a round end a game played to `target`: a
// seat reaches it, or the person falls to minus it. (The round's scoring
// also ends it when the person's total before the round was at minus the
// target, which a game under way never has.)
inline bool GameEndsAt(const std::array<long, 5>& totals, int target) {
    for (std::size_t s = 1; s <= 4; ++s)
        if (totals[s] >= target) return true;
    return totals[static_cast<std::size_t>(kHuman)] <= -target;
}

// The leader the game pays at its end: the highest total, ties to the
// lower seat.
inline int LeaderOf(const std::array<long, 5>& totals) {
    int w = 1;
    for (int s = 2; s <= 4; ++s)
        if (totals[static_cast<std::size_t>(s)] > totals[static_cast<std::size_t>(w)]) w = s;
    return w;
}

}  // namespace vornak
