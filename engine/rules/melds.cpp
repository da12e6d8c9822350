#include "core/game.h"

namespace vornak {

bool Game::IsSet(int, int, int) const { return false; }
bool Game::IsRun(int, int, int) const { return false; }
void Game::SortSelection() {}
bool Game::CheckLaidMeld(int, int, int) const { return false; }
bool Game::CanPickFromPile(int) const { return false; }
void Game::AddLayOffTargets() {}
void Game::AddRunLayOffNeighbours(int) {}
bool Game::IsSpetoPartner(int, int) const { return false; }
bool Game::RaisesSpetoWarning(int) const { return false; }
bool Game::IsDummyCard(int) const { return false; }

}  // namespace vornak
