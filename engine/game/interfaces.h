// Collaborators the engine is given: the random source and the dialogs.
// The program passes real ones; tests and the simulator pass scripted ones.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/random.h"

namespace vornak {

struct TitleScreen;
struct StatisticsScreen;
struct EndScreen;
struct HallOfFame;

enum class MsgButtons { Ok, OkCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Cancel };

// Menus the engine pops up at the pointer.
enum class PopupMenu { Play, LayOffKind, Skin };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual MsgResult messageBox(const std::string& text, const std::string& title,
                                 MsgButtons buttons, MsgIcon icon) = 0;
    // A question answered by one of `buttons` (at least two); returns the
    // index of the one pressed. Closing the box answers the first. Dialogs
    // without such a box ask with OK (the first) and Cancel (the second).
    virtual int choose(const std::string& text, const std::string& title,
                       const std::vector<std::string>& buttons) {
        (void)buttons;
        return messageBox(text, title, MsgButtons::OkCancel, MsgIcon::Question) == MsgResult::Ok
                   ? 0
                   : 1;
    }
    // Empty optional when the box is cancelled.
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) = 0;
    // `filter` is in the form "Jpeg File (*.jpg)|*.jpg|Bitmap File (*.bmp)|*.bmp".
    // Empty optional when no file was chosen.
    virtual std::optional<std::string> openFile(const std::string& title,
                                                const std::string& filter) = 0;
    // A file to write, `suggested` offered as its name (same filter form).
    // Empty optional when none was chosen; dialogs without one choose none.
    virtual std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                                const std::string& suggested) {
        (void)title, (void)filter, (void)suggested;
        return std::nullopt;
    }

    // Pops a menu up at the pointer and returns when it closes; a chosen
    // item runs its handler before this returns.
    virtual void popupMenu(PopupMenu menu) = 0;

    // Modal windows: each returns when the window has closed itself.
    virtual void showTitleScreen(TitleScreen& screen) = 0;
    virtual void showStatisticsScreen(StatisticsScreen& screen) = 0;
    virtual void showEndScreen(EndScreen& screen) = 0;
    virtual void showHallOfFame(HallOfFame& screen) = 0;

    // Modeless windows of the Help menu.
    virtual void showRulesWindow() = 0;
    virtual void showAboutWindow() = 0;

    // The program ends (after "Exit Game" was confirmed).
    virtual void quit() = 0;
};

// Where the Expert thinks: the program thinks on a worker thread so that the
// window never waits; without a thinker the game thinks on the spot.
class Thinker {
public:
    virtual ~Thinker() = default;
    // Runs `work` away from the game's thread, then `done` on the game's
    // thread (never from inside this call). `work` must not touch the game.
    virtual void think(std::function<void()> work, std::function<void()> done) = 0;
};

}  // namespace vornak
