// The computer seats' decisions, each a function of a table that returns
// what it decided. None of them writes the table: `noteIn` writes a decision
// into the table's turn record, where the moves read it (the turn in
// ai/turn.h does that, and so do the person's menu items that share them).
// Every decision reports itself to the observer, when there is one.
#pragma once

#include "core/random.h"
#include "core/observer.h"
#include "core/table.h"

namespace vornak {

// Whether to take from the pile, from where, with which meld. The decision
// arranges the hand first (five cards or more, or two); the new order is
// part of it.
struct PilePick {
    int seat = 0;
    bool take = false;
    bool found = false;  // some search found a meld, even one given up later
    int index = 0;       // PickIndex
    Meld meld{};         // the meld laid at once, with the deepest card taken
    bool arranged = false;
    CardList hand;  // the arranged hand
    void noteIn(Table& t) const;
};
PilePick ChoosePilePick(const Table& t, int seat, const Level& level,
                        GameObserver* observer = nullptr);

// A meld in the hand: the last triple in loop order.
struct MeldFound {
    bool found = false;
    Meld meld{};
    void noteIn(Table& t) const;
};
MeldFound FindMeldInHand(const Table& t, int seat, GameObserver* observer = nullptr);

// A card to lay off: the last hand position that fits, onto a set when it
// fits both.
struct LayOffFound {
    bool found = false;
    bool matched = false;  // a card fits, even if the last one is kept
    int pos = 0;           // LayOffPos
    bool onRun = false;
    int runCard = 0;  // the last card found for a run (LayOffCard), 0 for none
    void noteIn(Table& t) const;
};
LayOffFound FindLayOff(const Table& t, int seat, GameObserver* observer = nullptr);
LayOffFound FindSetLayOff(const Table& t, int seat, GameObserver* observer = nullptr);

// The hand with its meld triples brought to the front.
struct Arrangement {
    int seat = 0;
    CardList hand;
    void noteIn(Table& t) const;
};
Arrangement ArrangeHand(const Table& t, int seat, GameObserver* observer = nullptr);

// Whether a seat with five or four cards lays its meld down now.
struct MeldTiming {
    bool meldNow = false;
    void noteIn(Table& t) const;
};
MeldTiming DecideMeldAtFive(const Table& t, int seat, GameObserver* observer = nullptr);
MeldTiming DecideMeldAtFour(const Table& t, int seat, GameObserver* observer = nullptr);

// The hand position of the card to discard.
struct DiscardChoice {
    int pos = 1;  // SelectedCard
    void noteIn(Table& t) const;
};
DiscardChoice ChooseDiscard(const Table& t, int seat, const Level& level, Random& random,
                            GameObserver* observer = nullptr);

}  // namespace vornak
