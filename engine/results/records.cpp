#include "core/game.h"

namespace vornak {

void Game::ReadRecords() {}
void Game::UpdateRecords() {}
void Game::SaveRecords() {}

}  // namespace vornak
