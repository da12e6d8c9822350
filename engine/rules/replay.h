// A kept round replayed on the table, move by move.
#pragma once

#include <vector>

#include "core/roundlog.h"

namespace vornak {

// The table after every step of a record: element 0 is the deal, element i
// the table after step i. `before`, when given, receives the table each
// step was made on (after its turn began). Empty when the record does not
// replay (a save altered by hand): such a round cannot be reviewed.
std::vector<Table> replayRound(const RoundRecord& record, std::vector<Table>* before = nullptr);

}  // namespace vornak
