#include "core/game.h"

namespace vornak {

void Game::DrawCard(int) {}
void Game::TakeFromPile(int) {}
Task Game::AnimateLayDown() { co_return; }
void Game::MoveMeldToTable(int) {}
void Game::LayOff(int) {}
void Game::LayoutLaidCards(int) {}
void Game::disableAllFaces() {}

}  // namespace vornak
