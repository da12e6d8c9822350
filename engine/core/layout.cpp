#include "core/game.h"

namespace vornak {

void Game::LayoutSeatHand(int) {}
void Game::LayoutTable() {}

}  // namespace vornak
