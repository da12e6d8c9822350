// The game's dialogs with Qt: message and input boxes, the file dialog,
// pop-up menus and the program's secondary windows.
#pragma once

#include <QMenu>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

#include "game/interfaces.h"

class QWidget;

namespace vornak {

class Game;

// Converts a filter such as "Jpeg File (*.jpg)|*.jpg|Bitmap File (*.bmp)|*.bmp"
// to Qt's form "Jpeg File (*.jpg);;Bitmap File (*.bmp)".
QString toQtFilter(const std::string& filter);

class QtDialogs : public Dialogs {
public:
    QtDialogs() = default;

    // Set once the game and the main window exist.
    void setGame(Game* game) { game_ = game; }
    void setParent(QWidget* parent) { parent_ = parent; }
    // The menus popupMenu() shows; the main window owns them.
    void setPopupMenus(QMenu* play, QMenu* layOffKind, QMenu* skin) {
        playMenu_ = play;
        layOffKindMenu_ = layOffKind;
        skinMenu_ = skin;
    }
    // The menu popupMenu(which) shows, none before setPopupMenus().
    QMenu* menuFor(PopupMenu which) const;
    // Runs before a modal dialog opens while none is open: the window
    // behind it is brought up to date first.
    void setOnModalStart(std::function<void()> callback) { onModalStart_ = std::move(callback); }
    // Runs whenever the last open modal dialog has closed.
    void setOnModalEnd(std::function<void()> callback) { onModalEnd_ = std::move(callback); }
    // Where a pop-up menu opens when it is not at the pointer (a menu asked
    // for from the keyboard opens under the focused card).
    void setPopupPosition(std::function<std::optional<QPoint>()> where) {
        popupPosition_ = std::move(where);
    }
    // Runs `f` (which shows a window of the shell's own) as a modal dialog:
    // the game's timers wait until it returns.
    void runModal(const std::function<void()>& f) {
        ModalScope scope(*this);
        f();
    }
    // Runs on quit(); the default quits the application.
    void setOnQuit(std::function<void()> callback) { onQuit_ = std::move(callback); }

    // Number of modal dialogs (or pop-up menus) open right now.
    int modalDepth() const { return depth_; }
    bool quitRequested() const { return quitRequested_; }

    MsgResult messageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                         MsgIcon icon) override;
    int choose(const std::string& text, const std::string& title,
               const std::vector<std::string>& buttons) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    std::optional<std::string> openFile(const std::string& title,
                                        const std::string& filter) override;
    std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                        const std::string& suggested) override;
    void popupMenu(PopupMenu menu) override;
    void showTitleScreen(TitleScreen& screen) override;
    void showStatisticsScreen(StatisticsScreen& screen) override;
    void showEndScreen(EndScreen& screen) override;
    void showHallOfFame(HallOfFame& screen) override;
    void showRulesWindow() override;
    void showAboutWindow() override;
    void quit() override;

private:
    // Counts an open modal dialog for as long as it lives.
    class ModalScope {
    public:
        explicit ModalScope(QtDialogs& d) : d_(d) {
            if (d_.depth_++ == 0 && d_.onModalStart_) d_.onModalStart_();
        }
        ~ModalScope();
        ModalScope(const ModalScope&) = delete;
        ModalScope& operator=(const ModalScope&) = delete;

    private:
        QtDialogs& d_;
    };

    QWidget* parent() const { return parent_.data(); }

    Game* game_ = nullptr;
    QPointer<QWidget> parent_;
    QPointer<QMenu> playMenu_, layOffKindMenu_, skinMenu_;
    std::function<void()> onModalStart_, onModalEnd_;
    std::function<void()> onQuit_;
    std::function<std::optional<QPoint>()> popupPosition_;
    int depth_ = 0;
    bool quitRequested_ = false;
};

}  // namespace vornak
