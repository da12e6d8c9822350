#include "core/game.h"

namespace vornak {

void Game::ShuffleDeck() {}
bool Game::DeckIsValid() const { return true; }
int Game::FavouredSeat() const { return 3; }
void Game::DealRound() {}

}  // namespace vornak
