// The shell tests' dialogs: real message boxes and pop-up menus, the name
// "Tester" at the name prompt, and the screens that would wait for a click
// closed at once.
#pragma once

#include <optional>
#include <string>

#include "qtdialogs.h"
#include "results/screens.h"

namespace vornak {

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
