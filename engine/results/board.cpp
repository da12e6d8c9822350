#include "core/game.h"

namespace vornak {

void Game::ShowRoundEndBoard() {}
void Game::ContinueAfterRound() {}
void Game::boardPanelMouseMove(int, int) {}
void Game::boardPanelMouseUp(int, int, int) {}

}  // namespace vornak

namespace vornak {
void Game::initResultsScene() {}
}  // namespace vornak
