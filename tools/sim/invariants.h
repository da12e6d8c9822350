// Invariants of the game state that hold after every action: each card in
// exactly one place, counts in range, hands empty only after a knock, and
// the money of a round conserved.
#pragma once

#include <array>
#include <string>

#include "core/game.h"

namespace vornak::sim {

// Checks where the 52 cards are. `action` is the action just reported (may
// be null): a seat that has just discarded or knocked may hold no card yet
// before its knock is recorded. Returns an empty text when everything holds,
// else what is wrong.
std::string checkCards(const Game& game, const GameAction* action = nullptr);

// Checks the money of the finished round `round`: across the four seats
// the K money sums to zero, so the total moves only by the fool money and,
// at a game's end, by the pot. `before` holds seats 1..4 at the deal.
std::string checkRoundMoney(const Game& game, const std::array<long, 5>& before, int round);

// Where every card is, one place to a line, for error reports.
std::string describeTable(const Game& game);

}  // namespace vornak::sim
