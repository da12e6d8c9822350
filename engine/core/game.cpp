#include "core/game.h"

namespace vornak {

std::string num(long value) { return value < 0 ? std::to_string(value) : " " + std::to_string(value); }
std::string plain(long value) { return std::to_string(value); }

Game::Game(Dialogs& d, Random& r, Paths p) : dialogs(d), random(r), paths(std::move(p)) {
    initScene();
}

void Game::ensureRound(int r) {
    if (r < 0) return;
    const auto need = static_cast<std::size_t>(r) + 1;
    for (int s = 1; s <= 4; ++s) {
        SeatRec& seat = Seats[s];
        if (seat.RoundK.size() < need) {
            seat.RoundK.resize(need, 0);
            seat.RoundPoints.resize(need, 0);
            seat.RoundGotFool.resize(need, false);
            seat.RoundFooled.resize(need, false);
        }
    }
}

void Game::initScene() {
    initResultsScene();
    initPanelsScene();
}
void Game::ProgramStart() {}
void Game::MainWindowLoad() {}
void Game::StartNewGame() {}
void Game::windowClick() {}
void Game::windowDblClick() {}
void Game::windowMouseUp(int, int, int) {}
void Game::windowMouseMove(int, int) {}
void Game::keyPress(int) {}
bool Game::queryClose() { return true; }
void Game::ExitItem_Click() {}
void Game::MissionItem_Click() {}
void Game::HlpItem_Click() {}
void Game::AboutItem_Click() {}
void Game::BestTimeItem_Click() {}
void Game::saveOnExit() {}
void Game::setFaceEnabledAll(bool) {}

}  // namespace vornak
