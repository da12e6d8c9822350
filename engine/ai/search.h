// Helpers the searches share.
#pragma once

#include "core/cards.h"
#include "core/table.h"
#include "rules/melds.h"

namespace vornak {

// Two cards can stand in one meld only when they share a rank or lie within
// two codes of each other; the searches skip the pairs that cannot.
inline bool mayShareMeld(int x, int y) {
    return x % 13 == y % 13 || (x - y <= 2 && y - x <= 2);
}

// The triple i < j < k of the hand that melds, as `seat` may lay it, and
// comes last in loop order (i outer, k inner); false when there is none.
bool lastMeldTriple(const Table& t, int seat, const CardList& hand, int& i, int& j, int& k);

}  // namespace vornak
