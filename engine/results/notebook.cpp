#include "core/game.h"

namespace vornak {

void Game::UpdateNotebook() {}
void Game::ScoreBrdItem_Click() {}
void Game::notebookScroll(int) {}
void Game::notebookMouseMove(int, int) {}
void Game::notebookMouseUp(int, int, int) {}

}  // namespace vornak
