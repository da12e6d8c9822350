// Helpers the searches share.
#pragma once

#include <cstdint>

#include "core/cards.h"
#include "core/table.h"
#include "rules/melds.h"

namespace vornak {

// Two cards can stand in one meld only when they share a rank or lie within
// two codes of each other; the searches skip the pairs that cannot.
inline bool mayShareMeld(int x, int y) {
    return x % 13 == y % 13 || (x - y <= 2 && y - x <= 2);
}

// The cards of a list as a set: bit c for each card code among its entries.
inline std::uint64_t cardSet(const CardList& list) {
    std::uint64_t set = 0;
    for (int i = 1; i <= list.count; ++i)
        if (isValidCard(list[i])) set |= std::uint64_t{1} << list[i];
    return set;
}

// Calls f(x, y) for each pair of cards of `set` that could stand in one
// meld with `c`: two others of its rank, or two of the codes within two of
// it. Whether they do is for the rules to say.
template <class F>
void forMeldPartners(int c, std::uint64_t set, F&& f) {
    if (!isValidCard(c)) return;
    auto has = [set](int x) { return isValidCard(x) && ((set >> x) & 1u) != 0; };
    const int r = c % 13;
    const int first = r == 0 ? 13 : r;
    int same[3] = {0, 0, 0};
    int n = 0;
    for (int suit = 0; suit < 4; ++suit) {
        const int x = first + 13 * suit;
        if (x != c && has(x)) same[n++] = x;
    }
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) f(same[i], same[j]);
    if (has(c - 2) && has(c - 1)) f(c - 2, c - 1);
    if (has(c - 1) && has(c + 1)) f(c - 1, c + 1);
    if (has(c + 1) && has(c + 2)) f(c + 1, c + 2);
}

// Does `c` make a meld, as `seat` may lay it, with two cards of `set`? Only
// the cards of its rank and the codes within two of it can stand in one
// with it, so only those pairs are put to the rules: the answer is the one
// every pair of the set would give.
bool meldsWithTwoOf(const Table& t, int seat, int c, std::uint64_t set);

// The triple i < j < k of the hand that melds, as `seat` may lay it, and
// comes last in loop order (i outer, k inner); false when there is none.
bool lastMeldTriple(const Table& t, int seat, const CardList& hand, int& i, int& j, int& k);

}  // namespace vornak
