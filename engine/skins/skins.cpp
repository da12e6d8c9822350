#include "core/game.h"

namespace vornak {

void Game::LoadSkinCatalogue() {}
void Game::ApplySkin(int) {}
void Game::ChooseSkin(int) {}
void Game::SetRandomSkin() {}
void Game::PickRandomSkin() {}
void Game::AddSkin() {}
void Game::SaveSkinCatalogue() {}

}  // namespace vornak
