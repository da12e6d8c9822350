// The main window's side of the cards' motion and the table's sounds: the
// motion is settled each time the scene is shown, its frames run on a
// timer of their own only while cards move, and Game > Sound switches the
// sounds on and off.
#include <QAction>
#include <QMenu>

#include "game/game.h"
#include "mainwindow.h"
#include "preferences.h"
#include "tablewidget.h"

namespace vornak {

void MainWindow::settleMotion() {
    sounds_.setVolume(game_.prefs.volume);
    motion_.settle();
    if (!motion_.moving()) return;
    if (manualTime_) {
        if (motionDue_ < 0) motionDue_ = now_ + TableMotion::kFrameMs;
    } else if (!motionTimer_.isActive()) {
        frameClock_.start();
        motionTimer_.start(TableMotion::kFrameMs);
    }
}

void MainWindow::motionFrame(int ms) {
    motion_.advance(ms);
    ++motionFrames_;
    table_->syncMotion();
    if (motion_.moving()) {
        if (manualTime_) motionDue_ = now_ + TableMotion::kFrameMs;
        return;
    }
    // Arrived: nothing runs until the next move, and what waited goes on.
    motionTimer_.stop();
    motionDue_ = -1;
    if (depth_ == 0) flushPending();
    syncTimers();
}

void MainWindow::buildSoundItem(QMenu* gameMenu) {
    soundItem_ = gameMenu->addAction(QStringLiteral("Sound"));
    soundItem_->setObjectName(QStringLiteral("soundItem"));
    soundItem_->setCheckable(true);
    soundItem_->setChecked(game_.prefs.sound);
    connect(soundItem_, &QAction::triggered, this, [this](bool on) {
        Preferences chosen = game_.prefs;
        chosen.sound = on;
        savePreferences(chosen);
        run([this, chosen] { game_.applyPreferences(chosen); });
    });
    // The preferences may have been put in force after the menus were built.
    connect(gameMenu, &QMenu::aboutToShow, this, [this] { syncSoundItem(); });
}

void MainWindow::syncSoundItem() {
    if (soundItem_ && soundItem_->isChecked() != game_.prefs.sound)
        soundItem_->setChecked(game_.prefs.sound);
}

}  // namespace vornak
