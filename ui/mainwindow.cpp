#include "mainwindow.h"
#include "review.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QMenu>
#include <QActionGroup>
#include <QMenuBar>

#include "game/game.h"
#include "preferences.h"
#include "qtdialogs.h"
#include "tablewidget.h"
#include "language.h"

namespace vornak {

namespace {
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
}  // namespace

MainWindow::MainWindow(Game& game, QtDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      game_(game),
      dialogs_(dialogs),
      table_(new TableWidget(game, this)),
      thinker_([this](std::function<void()> done) { thoughtDone(done); }),
      motion_(game),
      sounds_(QString::fromStdString(game.paths.pictureFolder)) {
    setObjectName(QStringLiteral("mainWindow"));
    game_.thinker = &thinker_;
    setCentralWidget(table_);
    table_->setMinimumSize(kClientWidth / 30, kClientHeight / 30);
    table_->setFocus();
    // Input on the table acts only while no dialog is open.
    table_->setRunner([this](const std::function<void()>& call) {
        if (dialogs_.modalDepth() > 0) return;
        run(call);
    });

    buildMenus();
    review_ = new ReviewEntry(game_, table_, this);
    dialogs_.setParent(this);
    dialogs_.setGame(&game_);
    dialogs_.setPopupMenus(playMenu_, layOffKindMenu_, skinMenu_);
    dialogs_.setPopupPosition([this] { return table_->keyboardPopupPosition(); });
    // A dialog opened in the middle of a call shows the window as the game
    // has it then: the skin behind the name prompt, the new level's names
    // behind its title screen, the play menu's items as they are now.
    dialogs_.setOnModalStart([this] { syncShown(); });
    dialogs_.setOnModalEnd([this] {
        // The game is still inside the call that opened the dialog; the
        // deferred ticks run once it has returned.
        QTimer::singleShot(0, this, [this] { flushPending(); });
    });

    Scene& sc = game_.scene;
    auto timer = [this](const TimerRecord& r, bool paced, std::function<void()> tick) {
        auto* t = new QTimer(this);
        GameTimer g{&r, t, std::move(tick)};
        g.paced = paced;
        timers_.push_back(std::move(g));
    };
    // The pause between seats follows the pace; the clock and the blinking
    // keep their time.
    timer(sc.turnTimer, true, [this] { game_.turnTimerTick(); });
    timer(sc.clockTimer, false, [this] { game_.clockTick(); });
    timer(sc.blinkTimer, false, [this] { game_.blinkTick(); });
    for (std::size_t i = 0; i < timers_.size(); ++i)
        connect(timers_[i].timer, &QTimer::timeout, this, [this, i] { timerFired(timers_[i]); });
    sequenceTimer_.setSingleShot(true);
    connect(&sequenceTimer_, &QTimer::timeout, this, [this] { sequenceFired(); });
    motion_.sounds = &sounds_;
    table_->setMotion(&motion_);
    motionTimer_.setTimerType(Qt::PreciseTimer);
    connect(&motionTimer_, &QTimer::timeout, this, [this] {
        const int ms = static_cast<int>(frameClock_.restart());
        motionFrame(ms);
    });

    syncAll();
}

MainWindow::~MainWindow() {
    game_.thinker = nullptr;
}

QSize MainWindow::preferredSize(const QSize& available) {
    // The design size is 792 x 554 pixels; grow it to most of the screen.
    const double fit = std::min(available.width() * 0.9 / 792, available.height() * 0.85 / 554);
    const double s = std::clamp(fit, 1.0, 2.0);
    return QSize(qRound(792 * s), qRound(554 * s));
}

// ---- Menus ----

QMenu* MainWindow::addMenu(QWidget* into, const MenuItem& item, int parent, int* index) {
    QMenu* menu = nullptr;
    if (auto* bar = qobject_cast<QMenuBar*>(into))
        menu = bar->addMenu(qs(item.caption));
    else
        menu = static_cast<QMenu*>(into)->addMenu(qs(item.caption));
    bindings_.push_back(Binding{&item, menu->menuAction(), parent, {}});
    *index = static_cast<int>(bindings_.size()) - 1;
    return menu;
}

QAction* MainWindow::addItem(QMenu* into, const MenuItem& item, int parent,
                             std::function<void()> handler) {
    QAction* action = into->addAction(qs(item.caption));
    if (!item.shortcut.empty()) action->setShortcut(QKeySequence(qs(item.shortcut)));
    if (handler) connect(action, &QAction::triggered, this, [this, handler] { run(handler); });
    bindings_.push_back(Binding{&item, action, parent, {}});
    return action;
}

void MainWindow::buildMenus() {
    Menus& m = game_.scene.menus;
    Game& g = game_;
    QMenuBar* bar = menuBar();
    int gameIdx, newIdx, lockIdx, normalIdx, easyIdx, vipIdx, skinIdx, playIdx, playItemIdx,
        kindIdx, helpIdx;

    QMenu* gameMenu = addMenu(bar, m.mnuGame, -1, &gameIdx);
    QMenu* newMenu = addMenu(gameMenu, m.NewItem, gameIdx, &newIdx);
    addItem(newMenu, m.MissionItem, newIdx, [&g] { g.MissionItem_Click(); });
    QMenu* lockMenu = addMenu(newMenu, m.mnuLockCard, newIdx, &lockIdx);
    addItem(lockMenu, m.LockCardItem, lockIdx, nullptr);
    newMenu->addSeparator();
    QMenu* normalMenu = addMenu(newMenu, m.normalItem, newIdx, &normalIdx);
    QMenu* easyMenu = addMenu(normalMenu, m.EasyLevelItem, normalIdx, &easyIdx);
    for (int i = 1; i <= 3; ++i)
        addItem(easyMenu, m.EndScoreEasy[i], easyIdx, [&g, i] { g.EndScoreEasy_Click(i); });
    QMenu* vipMenu = addMenu(normalMenu, m.VIPLevelItem, normalIdx, &vipIdx);
    for (int i = 1; i <= 3; ++i)
        addItem(vipMenu, m.EndScoreHard[i], vipIdx, [&g, i] { g.EndScoreHard_Click(i); });
    gameMenu->addSeparator();
    addItem(gameMenu, m.ScoreBrdItem, gameIdx, [&g] { g.ScoreBrdItem_Click(); });
    addItem(gameMenu, m.BestTimeItem, gameIdx, [&g] { g.BestTimeItem_Click(); });
    QAction* history = gameMenu->addAction(QStringLiteral("Statistics..."));
    history->setObjectName(QStringLiteral("statisticsItem"));
    connect(history, &QAction::triggered, this, [this] { showHistory(); });
    gameMenu->addSeparator();
    skinMenu_ = addMenu(gameMenu, m.skinItem, gameIdx, &skinIdx);
    for (int i = 1; i <= 15; ++i)
        addItem(skinMenu_, m.SelectSkinItem[i], skinIdx, [&g, i] { g.ChooseSkin(i); });
    skinMenu_->addSeparator();
    addItem(skinMenu_, m.AddSkinItem, skinIdx, [&g] { g.AddSkin(); });
    skinMenu_->addSeparator();
    addItem(skinMenu_, m.RandomSkinItem, skinIdx, [&g] { g.SetRandomSkin(); });
    QAction* prefs = gameMenu->addAction(QStringLiteral("Preferences..."));
    prefs->setObjectName(QStringLiteral("preferencesItem"));
    connect(prefs, &QAction::triggered, this, [this] { choosePreferences(); });
    buildSoundItem(gameMenu);
    buildLanguageMenu(gameMenu);
    gameMenu->addSeparator();
    addItem(gameMenu, m.ExitItem, gameIdx, [&g] { g.ExitItem_Click(); });

    QMenu* play = addMenu(bar, m.mnuPlay, -1, &playIdx);
    playMenu_ = addMenu(play, m.mnuPlayItem, playIdx, &playItemIdx);
    addItem(playMenu_, m.mnuPlayArrangeCard, playItemIdx, [&g] { g.mnuPlayArrangeCard_Click(); });
    addItem(playMenu_, m.mnuPlayShowCard, playItemIdx, [&g] { g.mnuPlayShowCard_Click(); });
    addItem(playMenu_, m.mnuPlayDrawnCard, playItemIdx, [&g] { g.mnuPlayDrawnCard_Click(); });
    layOffKindMenu_ = addMenu(play, m.shwCardItem, playIdx, &kindIdx);
    addItem(layOffKindMenu_, m.showdummyTongItem, kindIdx, [&g] { g.showdummyTongItem_Click(); });
    addItem(layOffKindMenu_, m.showDummyStateItem, kindIdx, [&g] { g.showDummyStateItem_Click(); });
    play->addSeparator();
    addItem(play, m.HintItem, playIdx, [&g] {
        g.HintItem_Click();
    })->setObjectName(QStringLiteral("hintItem"));

    QMenu* help = addMenu(bar, m.mnuHelp, -1, &helpIdx);
    addItem(help, m.HlpItem, helpIdx, [&g] { g.HlpItem_Click(); });
    addItem(help, m.idxItem, helpIdx, nullptr);
    help->addSeparator();
    addItem(help, m.AboutItem, helpIdx, [&g] { g.AboutItem_Click(); });
}

void MainWindow::syncMenus() {
    for (Binding& b : bindings_) {
        const MenuItem& it = *b.item;
        QAction* a = b.action;
        if (!b.synced || it.caption != b.last.caption) a->setText(qs(it.caption));
        if (!b.synced || it.checked != b.last.checked) {
            // Only a checked item shows a mark.
            if (it.checked) {
                a->setCheckable(true);
                a->setChecked(true);
            } else {
                a->setChecked(false);
                a->setCheckable(false);
            }
        } else if (a->isCheckable() != it.checked || a->isChecked() != it.checked) {
            // Qt toggles a checkable item when it is chosen; the game decides.
            a->setCheckable(it.checked);
            a->setChecked(it.checked);
        }
        if (!b.synced || it.visible != b.last.visible) a->setVisible(it.visible);
        b.last = it;
        b.synced = true;
    }
    // An item is enabled when it and every menu around it is: a key
    // shortcut must not reach an item of a disabled menu. The items that
    // also pop up on their own (the play, lay-off kind and skin menus) have
    // no shortcuts and follow only their own state.
    for (Binding& b : bindings_) {
        bool enabled = b.item->enabled;
        if (!b.item->shortcut.empty())
            for (int p = b.parent; p >= 0 && enabled; p = bindings_[std::size_t(p)].parent)
                enabled = bindings_[std::size_t(p)].item->enabled &&
                          bindings_[std::size_t(p)].item->visible;
        if (b.action->isEnabled() != enabled) b.action->setEnabled(enabled);
    }
}

// ---- Calls into the game, timers and sequences ----

bool MainWindow::blocked() const {
    return depth_ > 0 || dialogs_.modalDepth() > 0;
}

void MainWindow::run(const std::function<void()>& call) {
    ++depth_;
    call();
    game_.refreshHint();
    --depth_;
    syncAll();
    if (depth_ == 0) flushPending();
}

void MainWindow::syncAll() {
    syncShown();
    syncTimers();
}

void MainWindow::syncShown() {
    settleMotion();
    if (game_.scene.windowCaption != caption_) {
        caption_ = game_.scene.windowCaption;
        setWindowTitle(qs(caption_));
    }
    table_->sync();
    syncMenus();
    if (review_) review_->sync();
}

void MainWindow::syncTimers() {
    for (GameTimer& t : timers_) {
        const TimerRecord& r = *t.record;
        const bool active = manualTime_ ? t.due >= 0 : t.timer->isActive();
        const int interval = t.paced ? pacedMs(game_.prefs.pace, r.interval) : r.interval;
        if (!r.enabled) {
            if (t.timer->isActive()) t.timer->stop();
            t.pending = false;
            t.interval = -1;
            t.due = -1;
        } else if (!active || interval != t.interval) {
            t.interval = interval;
            if (manualTime_)
                t.due = now_ + std::max(1, interval);
            else
                t.timer->start(std::max(1, interval));
        }
    }
    if (game_.seq.waiting()) {
        const bool scheduled = manualTime_ ? sequenceDue_ >= 0 : sequenceTimer_.isActive();
        if (!scheduled && !sequencePending_) {
            const int pause = pacedMs(game_.prefs.pace, std::max(0, game_.seq.pauseMs()));
            if (manualTime_)
                sequenceDue_ = now_ + pause;
            else
                sequenceTimer_.start(pause);
        }
    } else {
        sequenceTimer_.stop();
        sequencePending_ = false;
        sequenceDue_ = -1;
    }
}

void MainWindow::setManualTime(bool on) {
    manualTime_ = on;
    for (GameTimer& t : timers_) {
        t.timer->stop();
        t.interval = -1;
        t.due = -1;
    }
    sequenceTimer_.stop();
    sequenceDue_ = -1;
    syncTimers();
}

bool MainWindow::advanceTime() {
    if (!manualTime_ || blocked()) return false;
    if (thinker_.busy()) {
        finishThinking();
        return true;
    }
    // The earliest due wins; a sequence's pause before a timer due with it.
    GameTimer* next = nullptr;
    long due = sequenceDue_;
    if (motionDue_ >= 0 && (due < 0 || motionDue_ <= due)) {
        // A frame of the cards' motion comes before what waits for it.
        now_ = motionDue_;
        motionFrame(TableMotion::kFrameMs);
        return true;
    }
    for (GameTimer& t : timers_)
        if (t.due >= 0 && (due < 0 || t.due < due)) {
            due = t.due;
            next = &t;
        }
    if (due < 0) return false;
    now_ = due;
    if (next) {
        next->due = now_ + std::max(1, next->interval);
        timerFired(*next);
    } else {
        sequenceDue_ = -1;
        sequenceFired();
    }
    return true;
}

void MainWindow::timerFired(GameTimer& t) {
    // The next seat waits until the cards have arrived.
    if (blocked() || (t.paced && motion_.moving())) {
        t.pending = true;
        return;
    }
    if (!t.record->enabled) return;
    run(t.tick);
}

void MainWindow::sequenceFired() {
    if (blocked() || motion_.moving()) {
        sequencePending_ = true;
        return;
    }
    run([this] { game_.seq.resume(); });
}

void MainWindow::finishThinking() {
    thinker_.finish();
}

void MainWindow::thoughtDone(const std::function<void()>& done) {
    if (blocked()) {
        pendingThoughts_.push_back(done);
        return;
    }
    run(done);
}

void MainWindow::flushPending() {
    if (blocked() || motion_.moving()) return;
    while (!pendingThoughts_.empty()) {
        const auto done = pendingThoughts_.front();
        pendingThoughts_.erase(pendingThoughts_.begin());
        run(done);
        if (blocked()) return;
    }
    if (sequencePending_) {
        sequencePending_ = false;
        if (game_.seq.waiting()) {
            run([this] { game_.seq.resume(); });
            if (blocked()) return;
        }
    }
    for (GameTimer& t : timers_) {
        if (!t.pending) continue;
        t.pending = false;
        if (t.record->enabled) run(t.tick);
        if (blocked()) return;
    }
    syncTimers();
}

void MainWindow::choosePreferences() {
    if (blocked()) return;
    Preferences chosen = game_.prefs;
    bool accepted = false;
    dialogs_.runModal([&] {
        accepted =
            preferencesEditor_ ? preferencesEditor_(this, chosen) : editPreferences(this, chosen);
    });
    if (!accepted) return;
    savePreferences(chosen);
    // The pace takes effect at the next pause, the rest at once.
    run([this, chosen] { game_.applyPreferences(chosen); });
    syncSoundItem();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (dialogs_.quitRequested()) {
        event->accept();
        return;
    }
    if (blocked()) {
        event->ignore();
        return;
    }
    bool mayClose = false;
    run([this, &mayClose] { mayClose = game_.queryClose(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    event->accept();
    QApplication::quit();
}

// ---- Game > Language ----

void MainWindow::buildLanguageMenu(QMenu* gameMenu) {
    QMenu* menu = gameMenu->addMenu(QStringLiteral("Language"));
    menu->setObjectName(QStringLiteral("languageMenu"));
    auto* group = new QActionGroup(menu);
    for (const QString& code : offeredLanguages()) {
        QAction* a = menu->addAction(languageName(code));
        a->setObjectName(QStringLiteral("language_") + code);
        a->setData(code);
        a->setCheckable(true);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, code] { chooseLanguage(code); });
    }
    // The title screen may have switched it too.
    connect(menu, &QMenu::aboutToShow, menu, [menu] {
        const QString current = QString::fromStdString(language());
        for (QAction* a : menu->actions()) a->setChecked(a->data().toString() == current);
    });
}

void MainWindow::chooseLanguage(const QString& code) {
    if (code.toStdString() == language()) return;
    run([this, code] { switchGameLanguage(game_, code); });
}

}  // namespace vornak
