#include "windows.h"

#include "core/game.h"

namespace vornak {

void runTitleScreen(QWidget*, TitleScreen& screen) { screen.closed = true; }
void runStatisticsScreen(QWidget*, StatisticsScreen& screen) { screen.closed = true; }
void runEndScreen(QWidget*, EndScreen& screen, Game&) { screen.closed = true; }
void runHallOfFame(QWidget*, HallOfFame& screen, Game&) { screen.closed = true; }
void showRulesWindow(QWidget*) {}
void showAboutWindow(QWidget*) {}

}  // namespace vornak
