// The lay-down's flight: the three cards of a meld thrown across the table
// from the pile or the stock, turning back at its edges, before they land
// among the seat's laid cards.
#pragma once

#include "game/scene.h"

namespace vornak {

struct LayDownFlight {
    int x = 0, y = 0;    // where the first card is, in twips
    double heading = 0;  // degrees, 0 = right, counter-clockwise
    long step = 100;     // twips a tick
    // The edges it turns back at.
    int left = 0, top = 0, right = kClientWidth, bottom = kClientHeight;
    int ticks = 0;  // ticks flown since it started

    void start(int fromX, int fromY, double towards) {
        x = fromX;
        y = fromY;
        heading = towards;
        ticks = 0;
    }
    // One tick: a step along the heading, then a turn if that crossed an
    // edge.
    void advance();
};

}  // namespace vornak
