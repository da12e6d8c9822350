// How a computer seat finds melds and lay-offs in its hand, and the
// arrangement that brings meld triples to the front (also offered to the
// person from the play menu).
#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "ai/decisions.h"
#include "ai/search.h"
#include "core/report.h"
#include "rules/melds.h"

namespace vornak {

bool lastMeldTriple(const Table& t, int seat, const CardList& hand, int& i, int& j, int& k) {
    // The last triple in loop order has the highest i, then the highest j,
    // then the highest k. Counting i down, the cards after it are the only
    // partners it may take: a look at their bits tells whether any pair
    // does, and only then are the pairs that could meld put to the rules.
    // A card that starts a triple melds with two cards of the hand: the
    // others need no look, and without any such card there is no triple.
    std::uint64_t after = 0;  // the cards after position i
    const std::uint64_t barred = barredRunStarts(t, seat);
    const bool refuses = seat != kHuman;
    const std::uint64_t handSet = cardSet(hand);
    const std::uint64_t melders = meldingWithTwoOf(handSet, handSet, barred, refuses);
    if (melders == 0) {
        i = 0;
        return false;
    }
    for (i = hand.count; i >= 1; --i) {
        const int c = hand[i];
        if (detail::inMask(melders, c) && meldsWithTwoOf(c, after, barred, refuses)) {
            // A card's position: the first one after i that holds it.
            auto at = [&](int code) {
                int p = i + 1;
                while (p < hand.count && hand[p] != code) ++p;
                return p;
            };
            bool found = false;
            forMeldPartners(c, after, [&](int x, int y) {
                if (!IsMeld(t, seat, c, x, y)) return;
                const int px = at(x), py = at(y);
                const int pj = std::min(px, py), pk = std::max(px, py);
                if (!found || pj > j || (pj == j && pk > k)) {
                    j = pj;
                    k = pk;
                    found = true;
                }
            });
            if (found) return true;
        }
        after |= detail::bit(c) & detail::kAllCards;
    }
    return false;
}

void MeldFound::noteIn(Table& t) const {
    if (found) t.Selection = meld;
}

void LayOffFound::noteIn(Table& t) const {
    if (!matched) return;
    t.LayOffPos = pos;
    t.LayOffOnRun = onRun;
    if (runCard != 0) t.LayOffCard = runCard;
}

void Arrangement::noteIn(Table& t) const {
    if (seat >= 1 && seat <= 4) t.Seats[static_cast<std::size_t>(seat)].Cards = hand;
}

MeldFound FindMeldInHand(const Table& t, int seat, GameObserver* observer) {
    DecisionScope scope(observer, "FindMeldInHand", seat, t);
    MeldFound d;
    if (seat < 1 || seat > 4) return scope.ends(t, d, 0);
    const CardList& hand = t.Seats[static_cast<std::size_t>(seat)].Cards;
    // Of every triple that melds, the last one in loop order is kept.
    int i = 0, j = 0, k = 0;
    d.found = lastMeldTriple(t, seat, hand, i, j, k);
    if (d.found) d.meld = {0, hand[i], hand[j], hand[k]};
    return scope.ends(t, d, d.found ? 1 : 0);
}

LayOffFound FindLayOff(const Table& t, int seat, GameObserver* observer) {
    DecisionScope scope(observer, "FindLayOff", seat, t);
    LayOffFound d;
    if (seat < 1 || seat > 4) return scope.ends(t, d, 0);
    const CardList& hand = t.Seats[static_cast<std::size_t>(seat)].Cards;
    // The last matching position wins; a card that fits both kinds goes
    // onto the set.
    const std::uint64_t onRun = cardSet(t.RunLayOffCards), onSet = cardSet(t.SetLayOffCards);
    for (int i = 1; i <= hand.count; ++i) {
        const int c = hand[i];
        if (detail::inMask(onRun, c)) {
            d.matched = true;
            d.pos = i;
            d.runCard = c;
            d.onRun = true;
        }
        if (detail::inMask(onSet, c)) {
            d.matched = true;
            d.pos = i;
            d.onRun = false;
        }
    }
    // The last card is kept for the discard.
    d.found = d.matched && hand.count != 1;
    return scope.ends(t, d, d.found ? 1 : 0);
}

LayOffFound FindSetLayOff(const Table& t, int seat, GameObserver* observer) {
    DecisionScope scope(observer, "FindSetLayOff", seat, t);
    LayOffFound d;
    if (seat < 1 || seat > 4) return scope.ends(t, d, 0);
    const CardList& hand = t.Seats[static_cast<std::size_t>(seat)].Cards;
    const std::uint64_t onSet = cardSet(t.SetLayOffCards);
    for (int i = 1; i <= hand.count; ++i) {
        if (detail::inMask(onSet, hand[i])) {
            d.matched = true;
            d.pos = i;
            d.onRun = false;
        }
    }
    d.found = d.matched;
    return scope.ends(t, d, d.found ? 1 : 0);
}

namespace {

// Rearranges `hand`, the hand of seat 1..4.
void arrange(const Table& t, int seat, CardList& hand) {
    const int n = hand.count;
    auto meld = [&](int a, int b, int c) {
        return IsRun(t, seat, a, b, c) || IsSet(t, seat, a, b, c);
    };

    // Front triple: the last one found in loop order.
    int front[3] = {0, 0, 0};
    int fi = 0, fj = 0, fk = 0;
    const bool anyMeld = lastMeldTriple(t, seat, hand, fi, fj, fk);
    if (anyMeld) {
        front[0] = hand[fi];
        front[1] = hand[fj];
        front[2] = hand[fk];
    }

    // Bring it forward, one pass, keeping its order.
    int placed = 0;
    for (int m = 1; anyMeld && m <= n && placed < 3; ++m) {
        if (front[placed] != kNoCard && hand[m] == front[placed]) {
            std::swap(hand[m], hand[placed + 1]);
            ++placed;
        }
    }

    // Second triple into positions 4..6. The outer cards a and b are read
    // when their loop advances and are not read again after an exchange, so
    // a later triple may be tested with a card that has since moved. Each
    // card is exchanged from wherever it now stands (for a card still in its
    // loop position that is position i, j or k), so the hand keeps every card.
    auto bringTo = [&](int code, int pos) {
        for (int m = 1; m <= n; ++m)
            if (hand[m] == code) {
                std::swap(hand[m], hand[pos]);
                return;
            }
    };
    // Only a hand with a meld among positions 4..n has work here (none
    // without a meld at all), and only pairs whose third card is in the
    // hand (wherever it now stands).
    std::uint64_t rest = 0;
    for (int m = 4; anyMeld && m <= n; ++m) rest |= detail::bit(hand[m]) & detail::kAllCards;
    const bool restMelds =
        meldingWithTwoOf(rest, rest, barredRunStarts(t, seat), seat != kHuman) != 0;
    const std::uint64_t handSet = restMelds ? cardSet(hand) : 0;
    for (int i = 4; restMelds && i <= n - 2; ++i) {
        const int a = hand[i];
        for (int j = i + 1; j <= n - 1; ++j) {
            const int b = hand[j];
            if ((thirdCardsFor(a, b) & handSet) == 0) continue;
            for (int k = j + 1; k <= n; ++k) {
                const int c = hand[k];
                if (meld(a, b, c)) {
                    bringTo(a, 4);
                    bringTo(b, 5);
                    bringTo(c, 6);
                }
            }
        }
    }
}

}  // namespace

Arrangement ArrangeHand(const Table& t, int seat, GameObserver* observer) {
    DecisionScope scope(observer, "ArrangeHand", seat, t);
    Arrangement d;  // returned as it stands: its hand is not copied again
    d.seat = seat;
    if (seat < 1 || seat > 4) {
        d.seat = 0;
    } else {
        d.hand = t.Seats[static_cast<std::size_t>(seat)].Cards;
        arrange(t, seat, d.hand);
    }
    scope.ends(t, d, 0);
    return d;
}

}  // namespace vornak
