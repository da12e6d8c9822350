#include "results/screens.h"

#include "core/game.h"

namespace vornak {

void TitleScreen::open(bool mission, bool beginner, bool vip) {
    missionMode = mission;
    beginnerChosen = beginner;
    vipChosen = vip;
    actionCaption.caption = "Start Game";
    actionCaption.visible = true;
}
void TitleScreen::tick() {}
void TitleScreen::clickAction() { closed = true; }
void TitleScreen::hoverAction(bool) {}

void StatisticsScreen::open(bool) {}
int StatisticsScreen::clickAction() {
    closed = true;
    return 0;
}
void StatisticsScreen::hoverAction(bool) {}

void EndScreen::open(Game&) {}
void EndScreen::tick(Game&) {}
void EndScreen::clickAction() { closed = true; }
void EndScreen::hoverAction(bool) {}

void HallOfFame::load(Game&) {}
void HallOfFame::clickClose() { closed = true; }
void HallOfFame::hoverClose(bool) {}

}  // namespace vornak
