#include "core/game.h"

namespace vornak {

void Game::cardMouseUp(int, int) {}
void Game::cardDblClick(int) {}
void Game::stockDblClick(int) {}
void Game::stockMouseUp(int, int) {}
void Game::mnuPlayArrangeCard_Click() {}
void Game::mnuPlayShowCard_Click() {}
void Game::mnuPlayDrawnCard_Click() {}
void Game::showdummyTongItem_Click() {}
void Game::showDummyStateItem_Click() {}

}  // namespace vornak
