// The main window: the table, the menu bar built from the game's menus,
// and the timers that drive the game between the player's moves.
#pragma once

#include <QMainWindow>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <vector>

#include "game/play/motion.h"
#include "game/preferences.h"
#include "game/scene.h"
#include "sounds.h"
#include "thinker.h"

class QAction;
class QMenu;

namespace vornak {

class Game;
class QtDialogs;
class HistoryWindow;
class TableWidget;
class ReviewEntry;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Game& game, QtDialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Makes a call into the game, then brings the window, the menus and the
    // timers up to date with the scene.
    void run(const std::function<void()>& call);
    // Brings everything up to date with the scene.
    void syncAll();
    // The same without the timers: what the player sees.
    void syncShown();

    TableWidget* table() const { return table_; }
    ReviewEntry* review() const { return review_; }
    QMenu* playMenu() const { return playMenu_; }
    QMenu* layOffKindMenu() const { return layOffKindMenu_; }
    QMenu* skinMenu() const { return skinMenu_; }

    // A size that shows the table at a comfortable scale on `available`.
    static QSize preferredSize(const QSize& available);

    // Time by hand, for tests that must replay exactly: no timer runs by
    // itself, and advanceTime() fires whatever is due first on a clock of
    // its own (a timer's tick or the end of a sequence's pause). Returns
    // false when nothing is waiting or a dialog is open. The Expert's
    // thoughts are waited for, so they too come back at a fixed point.
    void setManualTime(bool on);
    bool advanceTime();
    // Waits for the Expert's thoughts under way and lets the game take them.
    void finishThinking();

    // What Game > Preferences... shows; it returns true when the person
    // accepted new preferences. The default is the Preferences window.
    using PreferencesEditor = std::function<bool(QWidget* parent, Preferences& prefs)>;
    void setPreferencesEditor(PreferencesEditor editor) { preferencesEditor_ = std::move(editor); }
    // What Game > Statistics... does with its window; the default shows it
    // until the person closes it.
    using HistoryShower = std::function<void(HistoryWindow& window)>;
    void setHistoryShower(HistoryShower shower) { historyShower_ = std::move(shower); }

    // The cards on their way and the table's sounds (ui/motion.cpp).
    TableMotion& motion() { return motion_; }
    QtSounds& sounds() { return sounds_; }
    // Frames drawn while cards moved, for the benchmark.
    long motionFrames() const { return motionFrames_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Binding {
        const MenuItem* item;
        QAction* action;
        int parent;  // index of the binding of the enclosing menu, -1 for none
        MenuItem last;
        bool synced = false;
    };
    struct GameTimer {
        const TimerRecord* record;
        QTimer* timer;
        std::function<void()> tick;
        bool pending = false;  // a tick came while the game could not take it
        int interval = -1;     // as started, at the pace chosen
        bool paced = false;    // a pause of the game, shortened at a quicker pace
        long due = -1;         // with manual time: when it fires next, -1 when stopped
    };

    QMenu* addMenu(QWidget* into, const MenuItem& item, int parent, int* index);
    QAction* addItem(QMenu* into, const MenuItem& item, int parent, std::function<void()> handler);
    void buildMenus();
    void choosePreferences();  // Game > Preferences...
    void showHistory();        // Game > Statistics... (mainwindow_history.cpp)
    void buildLanguageMenu(QMenu* gameMenu);
    void chooseLanguage(const QString& code);  // Game > Language
    void syncMenus();
    void syncTimers();
    bool blocked() const;
    void timerFired(GameTimer& t);
    void sequenceFired();
    void flushPending();
    void thoughtDone(const std::function<void()>& done);
    // Motion (ui/motion.cpp).
    void settleMotion();
    void motionFrame(int ms);
    void buildSoundItem(QMenu* gameMenu);
    void syncSoundItem();

    Game& game_;
    QtDialogs& dialogs_;
    TableWidget* table_;
    QMenu* playMenu_ = nullptr;
    QMenu* layOffKindMenu_ = nullptr;
    QMenu* skinMenu_ = nullptr;
    std::vector<Binding> bindings_;
    std::vector<GameTimer> timers_;
    QTimer sequenceTimer_;
    bool sequencePending_ = false;
    int depth_ = 0;  // calls into the game in progress
    bool manualTime_ = false;
    long now_ = 0;           // the manual clock, in milliseconds
    long sequenceDue_ = -1;  // with manual time: when the pause ends
    std::string caption_;
    PreferencesEditor preferencesEditor_;
    HistoryShower historyShower_;
    std::vector<std::function<void()>> pendingThoughts_;  // came while a dialog was open
    WorkerThinker thinker_;
    TableMotion motion_;
    QtSounds sounds_;
    QTimer motionTimer_;
    QElapsedTimer frameClock_;
    long motionDue_ = -1;  // with manual time: the next frame
    long motionFrames_ = 0;
    QAction* soundItem_ = nullptr;
    ReviewEntry* review_ = nullptr;  // the ways into the round review (review.h)
};

}  // namespace vornak
