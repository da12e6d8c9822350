// Dialogs nobody sees: every question gets its default answer (OK, the
// text offered, no file) and no window opens. For what runs the game with
// no person at it: benchmarks, fuzzing, tests of the windows alone.
#pragma once

#include "game/interfaces.h"

namespace vornak {

class SilentDialogs : public Dialogs {
public:
    MsgResult messageBox(const std::string&, const std::string&, MsgButtons, MsgIcon) override {
        return MsgResult::Ok;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&,
                                        const std::string& defaultText) override {
        return defaultText;
    }
    std::optional<std::string> openFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void popupMenu(PopupMenu) override {}
    void showTitleScreen(TitleScreen&) override {}
    void showStatisticsScreen(StatisticsScreen&) override {}
    void showEndScreen(EndScreen&) override {}
    void showHallOfFame(HallOfFame&) override {}
    void showRulesWindow() override {}
    void showAboutWindow() override {}
    void quit() override {}
};

}  // namespace vornak
