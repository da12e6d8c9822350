#include "core/game.h"

namespace vornak {

void Game::turnTimerTick() {}
Task Game::ComputerTurn(int) { co_return; }
void Game::StartHumanTurn() {}
void Game::PrepareDarkKnock(int) {}

}  // namespace vornak
