// The card moves, as functions on the table: the same for the person and
// for the computer seats, in the game and in the look-ahead's rollouts. A
// move never decides: what it moves was settled before and stands in the
// table's turn record (PickIndex, Selection, LayOffPos, SelectedCard).
// Every move reports its action to the observer, when there is one.
#pragma once

#include <array>

#include "core/random.h"
#include "core/observer.h"
#include "core/table.h"

namespace vornak {

// A new round on the table: the deck's cards 46..52 to the favoured seat,
// 1..21 to the other three in seat order, 22 to the pile, 23..45 to the
// stock (top last); every seat's round state cleared. The seat to play and
// the direction stay as the last round left them, and so does Discarded
// (a computer seat keeps its narrow spacing until its next turn).
void DealCards(Table& t, const std::array<int, 53>& deck, int favoured);

// Steps CurrentSeat on in the direction of play and clears the turn record;
// returns the seat to play.
int StartTurn(Table& t);

// The top stock card goes to the seat's hand; the person's draw may be
// steered by the level. Returns the card, 0 when the stock is empty.
int DrawCard(Table& t, int seat, const Level& level, Random& random,
             GameObserver* observer = nullptr);

// Pile cards PickIndex..top go to the end of the seat's hand.
void TakeFromPile(Table& t, int seat, GameObserver* observer = nullptr);

// Sorts the Selection and takes 1 K from each other seat whose discard fed
// that speto meld. Returns the seats penalised, bit k for seat k.
int PenaliseFeeders(Table& t, int seat);
// The Selection goes from the seat's hand to its laid cards.
void MoveMeldToTable(Table& t, int seat, GameObserver* observer = nullptr);
// A whole lay-down: the feeders' penalty, the move and the lay-off lists.
void LayDownSelection(Table& t, int seat, GameObserver* observer = nullptr);
// The hand card at LayOffPos goes to the seat's laid cards (onto a run when
// LayOffOnRun). Returns the card, 0 when there is none.
int LayOff(Table& t, int seat, GameObserver* observer = nullptr);

// What the end of a turn did.
struct TurnEnd {
    int card = 0;            // the discard or the card turned down, 0 for none
    int pos = 0;             // its hand position
    bool ontoThree = false;  // it completes a meld with two pile cards below
    bool dummy = false;      // it could have been laid off
    bool knocked = false;    // the hand is empty: a knock or a dark knock
};
// The card at SelectedCard goes onto the pile; then the speto feed flags, or
// the knock with its K and the fool, or the empty stock's end of the round.
// Without `statistics` (a rollout, which reads none of them) ontoThree and
// dummy are left false.
TurnEnd EndTurn(Table& t, int seat, GameObserver* observer = nullptr, bool statistics = true);

// A dark knock: the seven melded cards are laid, the eighth is left to turn
// down, and the round is over.
void PrepareDarkKnock(Table& t, int seat);

// The seat's laid cards in code order (the round's end).
void SortPileCards(Table& t, int seat);

}  // namespace vornak
