// What the table sounds like and how its cards travel. The shell calls
// TableMotion::settle() each time it is about to show the scene: the
// motion compares where every card is with where it was when last shown.
// A card that changed place (stock, pile, a hand, a seat's laid cards)
// glides from where it was seen to where the scene has it, and the change
// is heard. Nothing here writes the game: the scene keeps the cards where
// the game puts them, and the glides are only where the shell draws them
// meanwhile. While cards glide the game takes no input, and the shell holds
// the computer seats' next step until they have arrived.
#pragma once

#include <array>
#include <vector>

#include "game/preferences.h"

namespace vornak {

class Game;

enum class Sound {
    Draw,       // a card from the stock
    Pick,       // cards taken from the pile
    LayDown,    // a meld laid
    LayOff,     // a card laid off
    Discard,    // a card onto the pile
    Knock,      // the last card turned down
    DarkKnock,  // the same by a seat that had not opened
    RoundEnd,   // the round's board is shown
    GameWon,
    GameLost,
};
constexpr int kSoundCount = 10;
// The file of each sound, in the program's picture folder.
const char* soundFile(Sound sound);

// Plays the table's sounds; the shell's plays them through the sound
// device, tests record them.
class Sounds {
public:
    virtual ~Sounds() = default;
    virtual void play(Sound sound) = 0;
};

// How long a card takes to reach its new place at each pace (0: at once).
constexpr int glideMs(Pace pace) {
    return pacedMs(pace, 200);
}

class TableMotion {
public:
    explicit TableMotion(Game& game) : game_(game) {}

    // Sounds are reported here (none: silent).
    Sounds* sounds = nullptr;

    // Compares the table with what was last shown: starts the glides of the
    // cards that changed place and plays what was heard. A new deal, a game
    // put back from a save or a new game moves everything at once.
    void settle();
    // The motion's clock: `ms` milliseconds have passed since the last
    // frame. Glides that have arrived end.
    void advance(int ms);
    // Ends every glide where its card is (a new game, closing the window).
    void stop();

    bool moving() const { return !glides_.empty(); }
    // Until the last glide arrives.
    int remainingMs() const;
    // The frame interval the shell draws the motion at.
    static constexpr int kFrameMs = 16;

    // Where the picture (a face when `face`, else a back) is drawn now, in
    // twips: its scene position, or on its way there.
    void shownAt(int code, bool face, int& left, int& top) const;
    bool gliding(int code) const;

    // Counters for the benchmark and the tests.
    long glidesStarted() const { return started_; }

private:
    struct Seen {
        int place = -1;  // kStock, kPile, hand or laid of a seat; -1: nowhere
        bool shown = false;
        bool face = false;
        int left = 0, top = 0;  // where it was last seen
        bool arrived = true;    // shown where it is since it last moved
        bool known = false;     // seen at all since the deal
    };
    struct Glide {
        int code = 0;
        int fromLeft = 0, fromTop = 0;
        int elapsed = 0, duration = 0;
    };
    Seen look(int code) const;
    void hear(const std::array<Seen, 53>& before);

    Game& game_;
    std::array<Seen, 53> seen_{};
    std::vector<Glide> glides_;
    bool primed_ = false;
    bool roundOver_ = false, boardShown_ = false, gameOver_ = false, gameWon_ = false;
    std::array<bool, 5> knocked_{};
    long started_ = 0;
};

}  // namespace vornak
