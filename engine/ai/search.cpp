// How a computer seat finds melds and lay-offs in its hand, and the
// arrangement that brings meld triples to the front (also offered to the
// person from the play menu).
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <utility>

#include "ai/decisions.h"
#include "ai/search.h"
#include "core/report.h"
#include "rules/melds.h"

namespace vornak {

namespace {

// The melds of a card set: bit l for each run l, l+1, l+2 (from a start
// that is not barred) and bit r for each rank offset r (0..12) held three
// or four times.
struct Melds {
    std::uint64_t runs = 0, ranks = 0;
};
Melds meldsOf(std::uint64_t set, std::uint64_t barred) {
    const auto [r0, r1, r2, r3] = detail::suitRows(set);
    return {detail::runStarts(set) & ~barred, (r0 & r1 & (r2 | r3)) | (r2 & r3 & (r0 | r1))};
}

// The last triple in loop order among the melds of `set`, the cards of
// `hand`: each meld is weighed by the hand positions of its cards, and the
// highest (lowest position first, then the middle one, then the highest)
// is the one the loops i < j < k come to last.
bool lastTripleOf(const CardList& hand, std::uint64_t set, Melds melds, bool refuses, int& i,
                  int& j, int& k) {
    // Where each card stands (the hand holds each code once).
    std::array<std::uint8_t, 64> pos{};
    const int n = std::min(hand.count, kMaxCards);
    for (int p = 1; p <= n; ++p) {
        const int c = hand[p];
        if (isValidCard(c)) pos[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(p);
    }
    auto at = [&](int code) { return static_cast<unsigned>(pos[static_cast<std::size_t>(code)]); };
    unsigned best = 0;  // lowest position << 12 | middle << 6 | highest
    auto weigh = [&](unsigned a, unsigned b, unsigned c) {
        const unsigned low = std::min({a, b, c}), high = std::max({a, b, c});
        const unsigned key = low << 12 | (a + b + c - low - high) << 6 | high;
        best = std::max(best, key);
    };
    for (std::uint64_t runs = melds.runs; runs != 0; runs &= runs - 1) {
        const int l = std::countr_zero(runs);
        weigh(at(l), at(l + 1), at(l + 2));
    }
    for (std::uint64_t ranks = melds.ranks; ranks != 0; ranks &= ranks - 1) {
        const int first = std::countr_zero(ranks) + 1;
        const std::uint64_t four = set & detail::rankCards(first);
        // Three of the rank, or each three of the four.
        for (std::uint64_t left = four; left != 0; left &= left - 1) {
            const std::uint64_t three =
                detail::countOf(four) == 3 ? four : four & ~(left & (~left + 1));
            if (!refuses || (three != detail::kRefusedTwos && three != detail::kRefusedQueens)) {
                std::uint64_t m = three;
                const int a = std::countr_zero(m);
                m &= m - 1;
                const int b = std::countr_zero(m);
                m &= m - 1;
                weigh(at(a), at(b), at(std::countr_zero(m)));
            }
            if (three == four) break;
        }
    }
    if (best == 0) return false;
    i = static_cast<int>(best >> 12);
    j = static_cast<int>((best >> 6) & 63u);
    k = static_cast<int>(best & 63u);
    return true;
}

}  // namespace

bool lastMeldTriple(const Table& t, int seat, const CardList& hand, int& i, int& j, int& k) {
    const std::uint64_t set = cardSet(hand);
    const Melds melds = meldsOf(set, barredRunStarts(t, seat));
    const bool found = (melds.runs != 0 || melds.ranks != 0) &&
                       lastTripleOf(hand, set, melds, seat != kHuman, i, j, k);
    if (!found) i = 0;
    return found;
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
    // onto the set. The run card named is the last one that fits a run.
    const std::uint64_t onRun = cardSet(t.RunLayOffCards), onSet = cardSet(t.SetLayOffCards);
    const std::uint64_t fits = onRun | onSet;
    int i = std::min(hand.count, kMaxCards);
    while (i >= 1 && !detail::inMask(fits, hand[i])) --i;
    if (i >= 1) {
        d.matched = true;
        d.pos = i;
        d.onRun = !detail::inMask(onSet, hand[i]);
        while (i >= 1 && !detail::inMask(onRun, hand[i])) --i;
        if (i >= 1) d.runCard = hand[i];
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
    int i = std::min(hand.count, kMaxCards);
    while (i >= 1 && !detail::inMask(onSet, hand[i])) --i;
    if (i >= 1) {
        d.matched = true;
        d.pos = i;
    }
    d.found = d.matched;
    return scope.ends(t, d, d.found ? 1 : 0);
}

namespace {

// Rearranges `hand`, the hand of seat 1..4.
void arrange(const Table& t, int seat, CardList& hand) {
    // Read through `at`: a write through the list's [] would make it forget
    // its card set, and its own swap keeps it.
    const CardList& at = hand;
    const int n = at.count;
    const std::uint64_t barred = barredRunStarts(t, seat);
    const bool refuses = seat != kHuman;
    const std::uint64_t handSet = cardSet(at);

    // Front triple: the last one found in loop order, brought forward in
    // its order (its cards stand at fi < fj < fk, each exchanged in turn).
    const Melds melds = meldsOf(handSet, barred);
    if (melds.runs == 0 && melds.ranks == 0) return;
    int fi = 0, fj = 0, fk = 0;
    if (!lastTripleOf(at, handSet, melds, refuses, fi, fj, fk)) return;
    const int front[3] = {at[fi], at[fj], at[fk]};
    hand.swap(fi, 1);
    hand.swap(fj, 2);
    hand.swap(fk, 3);

    // Second triple into positions 4..6. The outer cards a and b are read
    // when their loop advances and are not read again after an exchange, so
    // a later triple may be tested with a card that has since moved. Each
    // card is exchanged from wherever it now stands (for a card still in its
    // loop position that is position i, j or k), so the hand keeps every card.
    auto bringTo = [&](int code, int pos) {
        for (int m = 1; m <= n; ++m)
            if (at[m] == code) {
                hand.swap(m, pos);
                return;
            }
    };
    // Only a hand with a meld among positions 4..n has work here, and only
    // pairs whose third card is in the hand (wherever it now stands).
    const std::uint64_t rest =
        handSet & ~(detail::bit(front[0]) | detail::bit(front[1]) | detail::bit(front[2]));
    if (meldingWithTwoOf(rest, rest, barred, refuses) == 0) return;
    for (int i = 4; i <= n - 2; ++i) {
        const int a = at[i];
        for (int j = i + 1; j <= n - 1; ++j) {
            const int b = at[j];
            const std::uint64_t thirds = thirdCardsFor(a, b) & handSet;
            if (thirds == 0) continue;
            for (int k = j + 1; k <= n; ++k) {
                const int c = at[k];
                if (detail::inMask(thirds, c) && IsMeld(t, seat, a, b, c)) {
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
    const bool seated = seat >= 1 && seat <= 4;
    // Returned as it stands: its hand is copied once, from the seat's.
    Arrangement d{seated ? seat : 0,
                  seated ? t.Seats[static_cast<std::size_t>(seat)].Cards : CardList{}};
    if (seated) arrange(t, seat, d.hand);
    scope.ends(t, d, 0);
    return d;
}

}  // namespace vornak
