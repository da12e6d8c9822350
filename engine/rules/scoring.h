// Round scoring as a function of the table at the round's end.
#pragma once

#include <array>

#include "core/table.h"

namespace vornak {

struct SeatScore {
    long points = 0;  // the round's points
    int k = 0;        // K the scoring adds to what the round brought
};

struct RoundScore {
    int knocker = 0;                   // the seat that knocked or dark-knocked, 0 for none
    std::array<SeatScore, 5> seats{};  // 1..4
};

// Points and K of every seat: laid cards count for, hand cards against (both
// twice for a dark knock and for a seat that laid nothing), 50 for a knock,
// -50 for the fool; K for a one-suit knock, a dark knock and its spetos, and
// against the spetos left in hand.
RoundScore ScoreTable(const Table& t);

}  // namespace vornak
