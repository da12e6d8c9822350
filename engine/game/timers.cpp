// The game clock, the blinking name of the seat to play, and one step of
// the lay-down flight.
#include <charconv>
#include <cmath>

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
    double h = FlightHeading;
    const double a = h * 3.14 / 180;
    const int dx = static_cast<int>(std::fabs(std::floor(FlightStep * std::cos(a))));
    const int dy = static_cast<int>(std::fabs(std::floor(FlightStep * std::sin(a))));
    if (h >= 0 && h < 90) {
        FlightX += dx, FlightY -= dy;
    } else if (h >= 90 && h < 180) {
        FlightX -= dx, FlightY -= dy;
    } else if (h >= 180 && h < 270) {
        FlightX -= dx, FlightY += dy;
    } else if (h >= 270 && h < 360) {
        FlightX += dx, FlightY += dy;
    }

    const int x = FlightX, y = FlightY;
    const int left = FlightLeft, top = FlightTop, right = FlightRight, bottom = FlightBottom;
    if (h >= 90 && h <= 180 && x < left && y > top) {
        h = 180 - h;
    } else if (h > 180 && h <= 270 && x < left && y > top) {
        h = 540 - h;
    } else if (h >= 0 && h <= 180 && y < top && x > left) {
        h = 360 - h;
    } else if (h >= 0 && h <= 90 && x > right && y < bottom) {
        h = 180 - h;
    } else if (h >= 270 && h <= 360 && x > right && y < bottom) {
        h = 540 - h;
    } else if (h >= 180 && h <= 360 && y > bottom && x < right) {
        h = 360 - h;
    } else if (y <= top && x <= left) {
        h = 315;
    } else if (y >= bottom && x >= right) {
        h = 135;
    } else if (y <= top && x >= right) {
        h = 225;
    } else if (y >= bottom && x <= left) {
        h = 45;
    }
    FlightHeading = h;

    for (int i = 1; i <= 3; ++i) {
        const int c = table.Selection[i];
        if (!isValidCard(c)) continue;
        scene.cardFace[c].left = x + (i - 1) * kFaceWidth;
        scene.cardFace[c].top = y;
    }
    ++FlightTicks;
}

}  // namespace vornak
