// One tick of the lay-down's flight.
#include "game/play/flight.h"

#include <cmath>

namespace vornak {

void LayDownFlight::advance() {
    double h = heading;
    const double a = h * 3.14 / 180;
    const int dx = static_cast<int>(std::fabs(std::floor(step * std::cos(a))));
    const int dy = static_cast<int>(std::fabs(std::floor(step * std::sin(a))));
    if (h >= 0 && h < 90) {
        x += dx, y -= dy;
    } else if (h >= 90 && h < 180) {
        x -= dx, y -= dy;
    } else if (h >= 180 && h < 270) {
        x -= dx, y += dy;
    } else if (h >= 270 && h < 360) {
        x += dx, y += dy;
    }

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
    heading = h;
    ++ticks;
}

}  // namespace vornak
