// Levels and modes with their stakes, the game reset, and the decision
// taken at the click after the last round of a game.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "game/game.h"
#include "core/i18n.h"

namespace vornak {

namespace {

struct Level {
    const char* levelText;
    const char* names[3];
    long money;
    long bahtPerPoint, kBaht, foolBaht;
};

const Level kBeginner{
    "Beginner Level", {" P.Dorran ", " L.Varmet ", " H.Tolvik "}, 20000, 10, 500, 500};
const Level kVip{"VIP  Level", {" S.Brannoc ", " E.Quillon ", " N.Oswet "}, 100000, 50, 1000, 1000};

// Reads a number as the statistics screen shows it (" 8000", "-150").
bool parseMoney(const std::string& text, long& out) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const long v = std::strtol(begin, &end, 10);
    if (end == begin) return false;
    out = v;
    return true;
}

}  // namespace

void Game::writeLevelLabels() {
    for (int s = 1; s <= 4; ++s) {
        const std::string& name = match.Players[s].Name;
        scene.seatName[s].caption = name;
        scene.boardHandName[s].caption = name;
        scene.boardLaidName[s].caption = name;
        scene.panelName[s].caption = name;
        scene.panelTitle[s].caption = name;
        scene.notebookHeading[s].caption = name;
        statistics.name[s].caption = name;
    }
    titleScreen.stakeLabel[0].caption = num(match.BahtPerPoint);
    titleScreen.stakeLabel[1].caption = num(match.FoolBaht);
    titleScreen.stakeLabel[2].caption = num(match.KBaht);
    titleScreen.stakeLabel[3].caption = num(match.PointTarget);
    scene.targetLine.caption =
        format(_("จบเกม %1 แต้ม(แต้มละ %2 บาท)"), {num(match.PointTarget), num(match.BahtPerPoint)});
    scene.ratesLine.caption =
        format(_("ค่าเค  %1  บาท , ค่าโง่  %2  บาท"), {num(match.KBaht), num(match.FoolBaht)});
}

namespace {

void applyLevel(Game& g, const Level& level, bool beginner) {
    g.scene.levelLabel.caption = level.levelText;
    for (int s = 1; s <= 3; ++s) {
        g.match.Players[s].Name = level.names[s - 1];
        g.match.Players[s].Money = level.money;
    }
    g.match.BahtPerPoint = level.bahtPerPoint;
    g.match.KBaht = level.kBaht;
    g.match.FoolBaht = level.foolBaht;
    g.match.BeginnerChosen = beginner;
    g.match.VipChosen = !beginner;
}

void checkTarget(Menus& menus, MenuItem* chosen) {
    for (int i = 1; i <= 3; ++i) {
        menus.EndScoreEasy[i].checked = false;
        menus.EndScoreHard[i].checked = false;
    }
    chosen->checked = true;
}

// The point target, prepared run and draw help of a normal-mode target.
struct TargetRow {
    int target, preparedRun, drawHelp;
};

// Puts a normal-mode level and target in force and starts a game.
void chooseNormalTarget(Game& g, const Level& level, bool beginner, MenuItem& item,
                        const TargetRow& row) {
    g.seq.cancel();
    applyLevel(g, level, beginner);
    checkTarget(g.scene.menus, &item);
    g.match.MissionMode = false;
    g.match.PointTarget = row.target;
    g.match.PreparedRunLength = row.preparedRun;
    g.match.DrawHelpLevel = row.drawHelp;
    g.writeLevelLabels();
    g.StartNewGame();
}

}  // namespace

void Game::EndScoreEasy_Click(int index) {
    static const TargetRow rows[] = {{}, {300, 3, 1}, {500, 3, 5}, {700, 4, 8}};
    if (index < 1 || index > 3) return;
    chooseNormalTarget(*this, kBeginner, true, scene.menus.EndScoreEasy[index], rows[index]);
}

void Game::EndScoreHard_Click(int index) {
    static const TargetRow rows[] = {{}, {500, 3, 3}, {1000, 4, 5}, {2000, 5, 8}};
    if (index < 1 || index > 3) return;
    chooseNormalTarget(*this, kVip, false, scene.menus.EndScoreHard[index], rows[index]);
}

namespace {

// Puts a mission level in force; the caller starts the game.
void startMission(Game& g, const Level& level, bool beginner, const TargetRow& row) {
    applyLevel(g, level, beginner);
    g.match.MarkRateA = 500;
    g.match.MarkRateB = 500;
    g.match.MissionMode = true;
    g.match.PointTarget = row.target;
    g.match.PreparedRunLength = row.preparedRun;
    g.match.DrawHelpLevel = row.drawHelp;
    g.writeLevelLabels();
    g.titleScreen.moneyLabel.caption = num(g.match.Players[kHuman].Money);
}

}  // namespace

void Game::StartBeginnerMission() {
    startMission(*this, kBeginner, true, {300, 3, 5});
}

void Game::StartVipMission() {
    startMission(*this, kVip, false, {500, 4, 7});
    scene.levelLabel.caption = "VIP Level";  // one blank, unlike the normal VIP level
    scene.moneyLabel.caption = num(match.Players[kHuman].Money);
}

void Game::ResetGame() {
    scene.notebookScrollUp.enabled = false;
    scene.notebookScrollDown.enabled = false;
    notebook.scroll = 0;

    if (scene.notebookRound.empty()) scene.notebookRound.emplace_back();
    scene.notebookRound.resize(1);
    for (int s = 0; s <= 4; ++s) {
        if (scene.notebookCell[s].empty()) scene.notebookCell[s].emplace_back();
        scene.notebookCell[s].resize(1);
    }
    for (int s = 1; s <= 4; ++s) {
        scene.notebookTotal[s].caption.clear();
        scene.panelPoints[s].caption.clear();
        scene.panelK[s].caption.clear();
        scene.panelFooled[s].caption.clear();
        scene.panelGotFool[s].caption.clear();
    }

    match.RoundNumber = 1;

    int capacity = 50;
    switch (match.PointTarget) {
        case 300:
        case 500:
        case 700:
        case 1000:
        case 2000:
            capacity = match.PointTarget / 10;
            break;
        default:
            break;
    }
    const auto size = static_cast<std::size_t>(capacity) + 1;
    for (int s = 1; s <= 4; ++s) {
        Player& seat = match.Players[s];
        seat.RoundK.assign(size, 0);
        seat.RoundPoints.assign(size, 0);
        seat.RoundGotFool.assign(size, false);
        seat.RoundFooled.assign(size, false);
        seat.TotalPoints = 0;
        seat.DiscardOnThreeCount = 0;
        seat.DummyDiscardCount = 0;
    }

    match.MissionPot = 0;
    table.TurnForward = true;
    match.TargetReached = false;
    table.CurrentSeat = 0;
    openGameTally();
}

void Game::showTitleScreen() {
    titleScreen.expertOpponents = match.ExpertPlayers;
    titleScreen.masterOpponents = match.MasterPlayers;
    titleScreen.open(match.MissionMode, match.BeginnerChosen, match.VipChosen);
    dialogs.showTitleScreen(titleScreen);
}

void Game::showEndScreen() {
    // The game is decided: there is nothing left to continue, and a restart
    // must not play its end (and its records) again.
    discardSave();
    finishSaving();
    EndScreen screen;
    screen.open(*this);
    dialogs.showEndScreen(screen);
    if (screen.showHallOfFame) {
        HallOfFame hall;
        hall.load(*this);
        dialogs.showHallOfFame(hall);
    }
}

void Game::finishGame(long best) {
    if (match.TargetReached) {
        statistics.open(match.GameOver);
        dialogs.showStatisticsScreen(statistics);
        // "Continue" keeps the person's money as the statistics screen shows it.
        long shown = match.Players[kHuman].Money;
        if (parseMoney(statistics.money[kHuman].caption, shown)) match.MoneyAtRoundStart = shown;
    }
    recordFinishedGame(best);

    if (match.TargetReached && !match.GameOver) {
        if (!match.MissionMode) {
            const long total = match.Players[kHuman].TotalPoints;
            if (total < match.PointTarget || total <= best) {
                match.GameOver = true;
                match.GameWon = false;
            } else {
                match.GameWon = true;
                match.GameOver = false;
                match.FinalTime = scene.clockLabel.caption;
                showEndScreen();
                StartNewGame();
            }
        } else {
            const long money = match.Players[kHuman].Money;
            if (money < 3000) {
                match.GameOver = true;
                match.GameWon = false;
            } else if (money < 20000) {
                if (match.VipChosen) {
                    StartBeginnerMission();
                    showTitleScreen();
                }
                ResetGame();
                DealRound();
            } else if (money < 100000) {
                if (!match.VipChosen) {
                    StartVipMission();
                    showTitleScreen();
                }
                ResetGame();
                DealRound();
            } else {
                match.GameWon = true;
                match.GameOver = false;
                match.FinalTime = scene.clockLabel.caption;
                showEndScreen();
                StartBeginnerMission();
                StartNewGame();
            }
        }
    }

    if (match.GameOver) {
        showEndScreen();
        if (match.MissionMode) StartBeginnerMission();
        StartNewGame();
    }
}

}  // namespace vornak
