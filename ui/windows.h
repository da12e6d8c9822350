// The program's secondary windows: the modal title, statistics and end
// screens and the hall of fame (each drawn from its engine model), and the
// modeless rules, about and credits windows of the Help menu.
#pragma once

class QWidget;

namespace vornak {

class Game;
struct TitleScreen;
struct StatisticsScreen;
struct EndScreen;
struct HallOfFame;

// Modal: each shows its model as the game has opened it, and returns when
// the window has closed. The end screen's blink timer counts in the game.
void runTitleScreen(QWidget* parent, TitleScreen& screen);
void runStatisticsScreen(QWidget* parent, StatisticsScreen& screen);
void runEndScreen(QWidget* parent, EndScreen& screen, Game& game);
void runHallOfFame(QWidget* parent, HallOfFame& screen);

// Modeless: shown (or raised when already open).
void showRulesWindow(QWidget* parent);
void showAboutWindow(QWidget* parent);

}  // namespace vornak
