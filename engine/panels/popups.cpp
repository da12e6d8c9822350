#include "core/game.h"

namespace vornak {

void Game::seatNameMouseDown(int) {}
void Game::seatLaidMouseDown(int) {}
void Game::seatLabelMouseUp(int) {}
void Game::seatNameMouseMove(int) {}
void Game::seatLaidMouseMove(int) {}

}  // namespace vornak

namespace vornak {
void Game::initPanelsScene() {}
}  // namespace vornak
