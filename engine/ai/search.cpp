#include "core/game.h"

namespace vornak {

bool Game::FindMeldInHand(int) { return false; }
bool Game::FindLayOff(int) { return false; }
bool Game::FindSetLayOff(int) { return false; }
void Game::ArrangeHand(int) {}

}  // namespace vornak
