// How a computer seat finds melds and lay-offs in its hand, and the
// arrangement that brings meld triples to the front (also offered to the
// person from the play menu).
#include <utility>
#include <vector>

#include "core/game.h"

namespace vornak {

namespace {

// Two cards can stand in one meld only when they share a rank or lie within
// two codes of each other; the searches skip the pairs that cannot.
bool mayShareMeld(int x, int y) {
    return x % 13 == y % 13 || (x - y <= 2 && y - x <= 2);
}

}  // namespace

bool Game::FindMeldInHand(int seat) {
    DecisionScope scope(*this, "FindMeldInHand", seat);
    if (seat < 1 || seat > 4) return false;
    const std::vector<int> hand = Seats[seat].Cards.toVector();
    const int n = static_cast<int>(hand.size());
    auto h = [&](int i) { return hand[static_cast<std::size_t>(i - 1)]; };
    bool found = false;
    // Every triple is tried; the last one in loop order is the one kept.
    for (int i = 1; i <= n - 2; ++i)
        for (int j = i + 1; j <= n - 1; ++j) {
            if (!mayShareMeld(h(i), h(j))) continue;
            for (int k = j + 1; k <= n; ++k)
                if (IsRun(h(i), h(j), h(k)) || IsSet(h(i), h(j), h(k))) {
                    found = true;
                    Selection[1] = h(i);
                    Selection[2] = h(j);
                    Selection[3] = h(k);
                }
        }
    scope.result = found ? 1 : 0;
    return found;
}

bool Game::FindLayOff(int seat) {
    DecisionScope scope(*this, "FindLayOff", seat);
    if (seat < 1 || seat > 4) return false;
    const CardList& hand = Seats[seat].Cards;
    bool found = false;
    // The last matching position wins; a card that fits both kinds goes
    // onto the set.
    for (int i = 1; i <= hand.count; ++i) {
        const int c = hand[i];
        if (RunLayOffCards.contains(c)) {
            found = true;
            LayOffPos = i;
            LayOffCard = c;
            LayOffOnRun = true;
        }
        if (SetLayOffCards.contains(c)) {
            found = true;
            LayOffPos = i;
            LayOffOnRun = false;
        }
    }
    // The last card is kept for the discard.
    if (hand.count == 1) found = false;
    scope.result = found ? 1 : 0;
    return found;
}

bool Game::FindSetLayOff(int seat) {
    DecisionScope scope(*this, "FindSetLayOff", seat);
    if (seat < 1 || seat > 4) return false;
    const CardList& hand = Seats[seat].Cards;
    bool found = false;
    for (int i = 1; i <= hand.count; ++i) {
        if (SetLayOffCards.contains(hand[i])) {
            found = true;
            LayOffPos = i;
            LayOffOnRun = false;
        }
    }
    scope.result = found ? 1 : 0;
    return found;
}

void Game::ArrangeHand(int seat) {
    DecisionScope scope(*this, "ArrangeHand", seat);
    if (seat < 1 || seat > 4) return;
    CardList& hand = Seats[seat].Cards;
    const int n = hand.count;
    // Working copy, 1-based; sized to the hand so any length is safe.
    std::vector<int> t(static_cast<std::size_t>(n) + 1, 0);
    for (int m = 1; m <= n; ++m) t[static_cast<std::size_t>(m)] = hand[m];
    auto at = [&](int m) -> int& { return t[static_cast<std::size_t>(m)]; };

    // Front triple: the last one found in loop order.
    int front[3] = {0, 0, 0};
    for (int i = 1; i <= n - 2; ++i)
        for (int j = i + 1; j <= n - 1; ++j) {
            if (!mayShareMeld(at(i), at(j))) continue;
            for (int k = j + 1; k <= n; ++k)
                if (IsRun(at(i), at(j), at(k)) || IsSet(at(i), at(j), at(k))) {
                    front[0] = at(i);
                    front[1] = at(j);
                    front[2] = at(k);
                }
        }

    // Bring it forward, one pass, keeping its order.
    int placed = 0;
    for (int m = 1; m <= n && placed < 3; ++m) {
        if (front[placed] != kNoCard && at(m) == front[placed]) {
            std::swap(at(m), at(placed + 1));
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
            if (at(m) == code) {
                std::swap(at(m), at(pos));
                return;
            }
    };
    for (int i = 4; i <= n - 2; ++i) {
        const int a = at(i);
        for (int j = i + 1; j <= n - 1; ++j) {
            const int b = at(j);
            if (!mayShareMeld(a, b)) continue;
            for (int k = j + 1; k <= n; ++k) {
                const int c = at(k);
                if (IsRun(a, b, c) || IsSet(a, b, c)) {
                    bringTo(a, 4);
                    bringTo(b, 5);
                    bringTo(c, 6);
                }
            }
        }
    }

    for (int m = 1; m <= n; ++m) hand[m] = at(m);
}

}  // namespace vornak
