#include "core/game.h"

namespace vornak {

Task Game::EndTurn(int) { co_return; }
void Game::CheckDarkKnock(int) { DarkKnockReady = false; }

}  // namespace vornak
