#include "core/game.h"

namespace vornak {

void Game::DecideMeldAtFive(int) { MeldNow = false; }
void Game::DecideMeldAtFour(int) { MeldNow = false; }

}  // namespace vornak
