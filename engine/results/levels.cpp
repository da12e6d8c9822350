#include "core/game.h"

namespace vornak {

void Game::EndScoreEasy_Click(int) {}
void Game::EndScoreHard_Click(int) {}
void Game::StartBeginnerMission() {}
void Game::StartVipMission() {}
void Game::ResetGame() {}
void Game::showTitleScreen() {}
void Game::showEndScreen() {}

}  // namespace vornak
