#include "core/game.h"

namespace vornak {

void Game::ScoreRound() {}
void Game::ScoreSeat(int) {}
void Game::SortPileCards(int) {}

}  // namespace vornak
