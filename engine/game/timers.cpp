// The game clock, the blinking name of the seat to play, and one step of
// the lay-down flight.
#include <charconv>

#include "game/game.h"

namespace vornak {

void Game::clockTick() {
    // No clock tick runs while a computer seat plays: its thinking is not
    // the game's time.
    if (ComputerPlaying) return;
    ++match.ElapsedSeconds;
    if (++match.ClockSeconds == 60) {
        ++match.ClockMinutes;
        match.ClockSeconds = 0;
    }
    if (match.ClockMinutes == 60) {
        ++match.ClockHours;
        match.ClockMinutes = 0;
    }
    // H:MM:SS, the hours not padded.
    char text[32];
    char* end = std::to_chars(text, text + 20, match.ClockHours).ptr;
    for (const int part : {match.ClockMinutes, match.ClockSeconds}) {
        *end++ = ':';
        if (part < 10) *end++ = '0';
        end = std::to_chars(end, text + sizeof text, part).ptr;
    }
    scene.clockLabel.caption.assign(text, end);
}

void Game::blinkTick() {
    if (table.CurrentSeat < 1 || table.CurrentSeat > 4) return;
    if (!prefs.blinking) {  // the name stands out without flashing
        scene.seatName[table.CurrentSeat].foreColor = kRed;
        return;
    }
    if (++BlinkPhase < 2) {
        scene.seatName[table.CurrentSeat].foreColor = kGreen;
    } else {
        scene.seatName[table.CurrentSeat].foreColor = kRed;
        BlinkPhase = 0;
    }
}

void Game::flightStep() {
    flight.advance();
    for (int i = 1; i <= 3; ++i) {
        const int c = table.Selection[i];
        if (!isValidCard(c)) continue;
        scene.cardFace[c].left = flight.x + (i - 1) * kFaceWidth;
        scene.cardFace[c].top = flight.y;
    }
}

}  // namespace vornak
