// The program's secondary windows: the modal title, statistics and end
// screens and the hall of fame (each drawn from its engine model), and the
// modeless rules, about and credits windows of the Help menu.
#pragma once

#include <functional>

class QString;
class QWidget;

namespace vornak {

class Game;
struct TitleScreen;
struct StatisticsScreen;
struct EndScreen;
struct HallOfFame;

// Modal: each shows its model as the game has opened it, and returns when
// the window has closed. The end screen's blink timer counts in the game.
// The title screen offers the other language ("English" / "ไทย") when
// `switchLanguage` is given; it returns whether the language changed.
void runTitleScreen(QWidget* parent, TitleScreen& screen,
                    const std::function<bool(const QString&)>& switchLanguage = {});
void runStatisticsScreen(QWidget* parent, StatisticsScreen& screen);
void runEndScreen(QWidget* parent, EndScreen& screen, Game& game);
void runHallOfFame(QWidget* parent, HallOfFame& screen);

// Modeless: shown (or raised when already open).
void showRulesWindow(QWidget* parent);
void showAboutWindow(QWidget* parent);

}  // namespace vornak
