// The shell tests' dialogs: real message boxes and pop-up menus, the name
// "Tester" at the name prompt, and the screens that would wait for a click
// closed at once.
#pragma once

#include <QAction>
#include <QMenu>

#include <optional>
#include <string>
#include <vector>

#include "qtdialogs.h"
#include "game/results/screens.h"

namespace vornak {

// The items of a menu a person could choose now (none of an absent menu).
inline std::vector<QAction*> choosableItems(const QMenu* menu) {
    std::vector<QAction*> items;
    if (menu)
        for (QAction* a : menu->actions())
            if (a->isEnabled() && a->isVisible() && !a->isSeparator()) items.push_back(a);
    return items;
}

class QuietDialogs : public QtDialogs {
public:
    std::optional<std::string> inputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::string("Tester");
    }
    void showTitleScreen(TitleScreen& s) override { s.closed = true; }
    void showStatisticsScreen(StatisticsScreen& s) override { s.closed = true; }
    void showEndScreen(EndScreen& s) override { s.closed = true; }
    void showHallOfFame(HallOfFame& s) override { s.closed = true; }
};

}  // namespace vornak
