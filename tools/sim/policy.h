// The automated player in the person's seat. It plays through the same
// entry points the mouse uses (double-clicks on the stock and the pile,
// the play menu, clicks that select a meld, the lay-off kind menu), one
// mouse action per call, and chooses with the game's own rule predicates.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "game/game.h"

namespace vornak::sim {

class PersonPolicy {
public:
    explicit PersonPolicy(std::uint64_t seed);

    // The person's seat is waiting for mouse input.
    static bool waiting(const Game& game);

    // Makes one mouse action and describes it ("draw", "pick 3", ...).
    std::string act(Game& game);

    // Why the person cannot go on (empty while a next action exists): set by
    // act() when no entry point the mouse has moves the turn on.
    const std::string& blocked() const { return blocked_; }

    // The lay-off kind menu is up: chooses the kind for the lay-off under way.
    void chooseLayOffKind(Game& game);

private:
    struct Turn {
        std::vector<int> meld;          // the triple being selected
        std::vector<int> refusedCards;  // lay-offs the game turned down
        bool arrangeTried = false;
        bool meldsDone = false;
        bool layOffsDone = false;
        int failures = 0;
    };

    bool chance(double p);
    int pickIndex(std::size_t size);
    std::string startTurn(Game& game);
    std::string selectMeld(Game& game);
    std::string discard(Game& game);
    // Triples of hand cards the game accepts as a meld now; `mustHold` (if a
    // card) has to be one of the three.
    std::vector<std::vector<int>> acceptedMelds(const Game& game, int mustHold) const;

    std::mt19937_64 rng_;
    Turn turn_;
    bool layOffOnSet_ = true;
    std::string blocked_;
};

}  // namespace vornak::sim
