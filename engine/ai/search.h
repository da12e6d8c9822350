// Helpers the searches share.
#pragma once

#include "core/cards.h"
#include "core/table.h"
#include "rules/melds.h"

namespace vornak {

// The triple i < j < k of the hand that melds, as `seat` may lay it, and
// comes last in loop order (i outer, k inner); false when there is none.
bool lastMeldTriple(const Table& t, int seat, const CardList& hand, int& i, int& j, int& k);

}  // namespace vornak
