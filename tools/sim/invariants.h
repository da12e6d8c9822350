// Invariants of the game state that hold after every action: each card in
// exactly one place, counts in range, hands empty only after a knock, and
// the money of a round conserved.
#pragma once

#include <array>
#include <string>

#include "game/game.h"

namespace vornak::sim {

// Checks where the 52 cards are. `action` is the action just reported (may
// be null): a seat that has just discarded or knocked may hold no card yet
// before its knock is recorded. Returns an empty text when everything holds,
// else what is wrong.
std::string checkCards(const Game& game, const GameAction* action = nullptr);

// Checks the table right after a deal: seven cards in every hand, one on
// the pile, 23 in the stock, nothing laid, no knock left over.
std::string checkDeal(const Game& game);

// Checks that an action did what it reports: a drawn or picked card is in
// the seat's hand, melded and laid-off cards are among its laid cards, a
// discard tops the pile, a knock leaves an empty hand and the right flag.
std::string checkActionEffect(const Game& game, const GameAction& action);

// Checks the money of the finished round `round`: across the four seats
// the K money sums to zero, so the total moves only by the fool money and,
// at a game's end, by the pot; and each seat's money moved by exactly its
// fool money, its K money and, at a game's end, its point money (the
// leader also collects the pot). `before` holds seats 1..4 at the deal.
std::string checkRoundMoney(const Game& game, const std::array<long, 5>& before, int round);

// Checks the scoring of the finished round `round`: every seat's total is
// the sum of its round points, and the game's end is flagged exactly when a
// seat's total has reached the point target or the person's total has
// fallen to minus the target or below.
std::string checkRoundScore(const Game& game, int round);

// Where every card is, one place to a line, for error reports.
std::string describeTable(const Game& game);

}  // namespace vornak::sim
