#include "core/game.h"

namespace vornak {

void Game::clockTick() {}
void Game::blinkTick() {}
void Game::flightStep() {}

}  // namespace vornak
