// Round scoring: points and K of every seat at the round's end.
#include "rules/scoring.h"

#include <algorithm>

#include "core/cards.h"

namespace vornak {

namespace {

int sumValues(const CardList& cards) {
    int sum = 0;
    for (int i = 1; i <= cards.count; ++i)
        if (isValidCard(cards[i])) sum += cardValue(cards[i]);
    return sum;
}

int countSpetos(const CardList& cards) {
    int n = 0;
    for (int i = 1; i <= cards.count; ++i)
        if (isSpeto(cards[i])) ++n;
    return n;
}

}  // namespace

RoundScore ScoreTable(const Table& t) {
    RoundScore score;
    for (int s = 1; s <= 4; ++s) {
        const SeatRec& seat = t.Seats[static_cast<std::size_t>(s)];
        if (seat.Knocked || seat.DarkKnocked) score.knocker = s;
    }
    for (int s = 1; s <= 4; ++s) {
        const SeatRec& seat = t.Seats[static_cast<std::size_t>(s)];
        SeatScore& out = score.seats[static_cast<std::size_t>(s)];
        const CardList& laid = seat.PileCards;

        // One suit: the lowest and the highest laid card lie in the same suit.
        if ((seat.Knocked || seat.DarkKnocked) && laid.count > 0) {
            int first = laid[1], last = laid[1];
            for (int i = 2; i <= laid.count; ++i) {
                first = std::min(first, laid[i]);
                last = std::max(last, laid[i]);
            }
            if (isValidCard(first) && isValidCard(last) && suitOf(first) == suitOf(last))
                out.k += seat.Knocked ? 1 : 3;
        }

        const int knockBonus = (seat.Knocked && !seat.DarkKnocked) ? 50 : 0;
        const int foolPenalty = seat.Fooled ? -50 : 0;
        const int m = (laid.count > 0 && !seat.DarkKnocked) ? 1 : 2;
        out.points = m * sumValues(laid) - m * sumValues(seat.Cards) + knockBonus + foolPenalty;

        // A knock adds nothing more.
        if (seat.DarkKnocked)
            out.k += 1 + countSpetos(laid);
        else if (!seat.Knocked && laid.count > 0)
            out.k -= countSpetos(seat.Cards);
        else if (!seat.Knocked)
            out.k -= 1 + countSpetos(seat.Cards);
    }
    return score;
}

}  // namespace vornak
