// A kept round replayed move by move on the table.
#include "rules/replay.h"

#include "core/cards.h"
#include "rules/cardmoves.h"
#include "rules/melds.h"

namespace vornak {

namespace {

std::size_t at(int seat) {
    return static_cast<std::size_t>(seat);
}

// ---- Replay ----

bool removeCard(CardList& list, int card) {
    const int i = list.find(card);
    if (i == 0 || !isValidCard(card)) return false;
    for (int k = i; k < list.count; ++k) list[k] = list[k + 1];
    list[list.count] = 0;
    --list.count;
    return true;
}

// The same cards, in any order.
bool sameCards(const CardList& list, const std::vector<int>& cards) {
    if (list.count != static_cast<int>(cards.size())) return false;
    for (int c : cards)
        if (!list.contains(c)) return false;
    return true;
}

// Makes one step on the table; false when the table cannot take it.
bool apply(Table& t, const RoundStep& step) {
    const int seat = step.seat;
    SeatRec& me = t.Seats[at(seat)];
    switch (step.kind) {
        case RoundStep::Kind::Draw: {
            if (step.cards.size() != 1) return false;
            // The person's draw may have been steered to the card below the top.
            if (!removeCard(t.Seats[0].Cards, step.cards[0])) return false;
            me.Cards.push(step.cards[0]);
            // As DrawCard notes it: the seat passed over the pile as it lay.
            t.PassedOver[static_cast<std::size_t>(seat)] |= cardSet(t.Seats[0].PileCards);
            break;
        }
        case RoundStep::Kind::Pick: {
            const CardList& pile = t.Seats[0].PileCards;
            if (step.position < 1 || step.position > pile.count) return false;
            if (pile.count - step.position + 1 != static_cast<int>(step.cards.size())) return false;
            t.PickIndex = step.position;
            t.PickFromPile = true;
            t.PickedCard = pile[step.position];
            TakeFromPile(t, seat);
            break;
        }
        case RoundStep::Kind::Meld: {
            if (step.cards.size() != 3) return false;
            for (int c : step.cards)
                if (!me.Cards.contains(c)) return false;
            t.Selection = Meld{0, step.cards[0], step.cards[1], step.cards[2]};
            LayDownSelection(t, seat);
            t.PickFromPile = false;
            break;
        }
        case RoundStep::Kind::LayOff: {
            if (step.cards.size() != 1) return false;
            const int pos = me.Cards.find(step.cards[0]);
            if (pos == 0) return false;
            t.LayOffPos = pos;
            t.LayOffOnRun = step.onRun;
            t.LayOffCard = step.cards[0];
            if (LayOff(t, seat) != step.cards[0]) return false;
            break;
        }
        case RoundStep::Kind::Discard: {
            if (step.cards.size() != 1) return false;
            const int d = step.cards[0];
            if (step.laid.size() > static_cast<std::size_t>(me.PileCards.count) &&
                step.hand.empty()) {
                // A dark knock: the seven cards went down together before the
                // last one was turned down.
                me.Knocked = false;
                me.DarkKnocked = true;
                me.PileCards.assign(step.laid);
                me.Cards.assign({d});
            }
            const int pos = me.Cards.find(d);
            if (pos == 0) return false;
            t.SelectedCard = pos;
            EndTurn(t, seat);
            break;
        }
        case RoundStep::Kind::Knock:
            // The discard before it has knocked already.
            return me.CardCount() == 0 && t.RoundOver;
    }
    if (step.kind != RoundStep::Kind::Discard) me.HasLaidDown = step.laidDown;
    // The hand as the seat left it (arranged, for the cards it kept).
    if (!sameCards(me.Cards, step.hand)) return false;
    me.Cards.assign(step.hand);
    return sameCards(me.PileCards, step.laid);
}

}  // namespace

std::vector<Table> replayRound(const RoundRecord& record, std::vector<Table>* before) {
    std::vector<Table> tables{record.start};
    if (before) before->assign(1, record.start);
    Table t = record.start;
    bool turnOpen = false;
    for (const RoundStep& step : record.steps) {
        if (step.seat < 1 || step.seat > 4 || (t.RoundOver && step.kind != RoundStep::Kind::Knock))
            return {};
        if (!turnOpen && step.kind != RoundStep::Kind::Knock) {
            // The seat's turn begins.
            StartTurn(t);
            t.CurrentSeat = step.seat;
            // A computer seat's turn clears its discard mark; the person's stays.
            if (step.seat != kHuman) t.Seats[at(step.seat)].Discarded = false;
            turnOpen = true;
        }
        // The flag that ends a seat's closed play stands as the discard found it.
        if (step.kind == RoundStep::Kind::Discard)
            t.Seats[at(step.seat)].HasLaidDown = step.laidDown;
        if (before) before->push_back(t);
        if (!apply(t, step)) {
            if (before) before->clear();
            return {};
        }
        if (step.kind == RoundStep::Kind::Discard) turnOpen = false;
        tables.push_back(t);
    }
    return tables;
}

}  // namespace vornak
