// Helpers the searches share.
#pragma once

namespace vornak {

// Two cards can stand in one meld only when they share a rank or lie within
// two codes of each other; the searches skip the pairs that cannot.
inline bool mayShareMeld(int x, int y) {
    return x % 13 == y % 13 || (x - y <= 2 && y - x <= 2);
}

}  // namespace vornak
