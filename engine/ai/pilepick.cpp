#include "core/game.h"

namespace vornak {

void Game::ChoosePilePick(int) {}

}  // namespace vornak
