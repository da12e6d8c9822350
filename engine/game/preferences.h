// The person's own settings for how the table behaves. All but the choice
// of opponents leave the game's decisions alone: they change how long the
// pauses last and what is animated. The shell keeps them between runs.
#pragma once

namespace vornak {

// How long the computer seats' pauses last.
enum class Pace {
    Rules,    // every pause as long as the game gives it
    Quick,    // a third of every pause
    Instant,  // no pause at all
};

struct Preferences {
    Pace pace = Pace::Rules;
    bool flights = true;      // melds fly onto the table before they are laid
    bool blinking = true;     // the name of the seat to play blinks
    bool hintAlways = false;  // the hint strip stays shown, not only near the top edge
    // Unlike the rest, these change the game: the computer seats take their
    // pile picks and discards from the Expert (ai/expert.h), or every move
    // from the Master (ai/master.h), which comes first when both are set.
    bool expertPlayers = false;
    bool masterPlayers = false;
    // How the table moves and sounds; none of it changes the game.
    bool cardsAnimated = false;  // every card that changes place travels there
    bool sound = true;           // the table's sounds
    int volume = 70;             // of the sounds, 0..100
};

// A pause of `ms` milliseconds at the pace chosen.
constexpr int pacedMs(Pace pace, int ms) {
    switch (pace) {
        case Pace::Quick:
            return ms / 3;
        case Pace::Instant:
            return 0;
        case Pace::Rules:
            break;
    }
    return ms;
}

}  // namespace vornak
