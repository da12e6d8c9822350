#include "core/game.h"

namespace vornak {

void Game::ChooseDiscard(int) { SelectedCard = 1; }

}  // namespace vornak
