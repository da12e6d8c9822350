// The game's side of the history: the line a game gives, and when a game
// counts as won, lost or given up.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/match.h"
#include "game/results/history.h"

namespace vornak {

// The computer players' kind as the history names it.
std::string opponentsWord(const Match& m);

// "won" or "lost" for a game that has just been decided (the click after
// its last round), as the game decides it: in normal mode the person wins
// with the target reached and more points than any computer seat made in
// the last round (`best`); in mission mode falling below 3000 baht loses
// and 100000 wins, and any other game between is won or lost as in normal
// mode.
std::string_view decidedResult(const Match& m, long best);

// A game given up is kept when it was played: a round played to the end,
// or a minute on the game clock.
bool worthKeeping(const Match& m);

// The history's line of the game `m` as it stands, ended at `when`.
GameRecord historyRecordOf(const Match& m, std::string_view result, std::int64_t when);

}  // namespace vornak
