// Start-up, the main window's menus and the input on the bare table.
#include "game/game.h"
#include "core/i18n.h"

#include <filesystem>

#include "game/files.h"  // the saved game's writer

namespace vornak {

std::string num(long value) {
    std::string text = std::to_string(value);
    if (value >= 0) text.insert(text.begin(), ' ');
    return text;
}
std::string plain(long value) {
    return std::to_string(value);
}

Game::Game(Dialogs& d, Random& r, Paths p) : dialogs(d), random(r), paths(std::move(p)) {
    initScene();
}

void Game::ensureRound(int r) {
    if (r < 0) return;
    const auto need = static_cast<std::size_t>(r) + 1;
    for (int s = 1; s <= 4; ++s) {
        Player& seat = match.Players[s];
        if (seat.RoundK.size() < need) {
            seat.RoundK.resize(need, 0);
            seat.RoundPoints.resize(need, 0);
            seat.RoundGotFool.resize(need, false);
            seat.RoundFooled.resize(need, false);
        }
    }
}

namespace {

Label makeLabel(int left, int top, int width, int height, Color color = kWhite,
                Align align = Align::Left, int pointSize = 9) {
    Label l;
    l.rect = {left, top, width, height};
    l.foreColor = color;
    l.align = align;
    l.pointSize = pointSize;
    return l;
}

}  // namespace

void Game::initScene() {
    Scene& s = scene;
    for (int c = 1; c <= 52; ++c) {
        s.cardFace[c].visible = false;
        s.cardBack[c].visible = false;
        s.cardBack[c].enabled = true;
    }

    // Seat names: left, top, right, bottom.
    s.seatName[1] = makeLabel(200, 3080, 1800, 330, kGreen, Align::Left, 11);
    s.seatName[2] = makeLabel(1900, 560, 1900, 330, kGreen, Align::Right, 11);
    s.seatName[3] = makeLabel(9880, 3080, 1900, 330, kGreen, Align::Right, 11);
    s.seatName[4] = makeLabel(1300, 7560, 2200, 330, kGreen, Align::Right, 11);
    // Until a level puts its players in, the seats have no names; until the
    // first deal the table has no stock count and no direction of play.
    for (int i = 1; i <= 4; ++i) s.seatName[i].bold = true;

    s.stockCount = makeLabel(600, 1080, 855, 240, kYellow, Align::Center);
    s.stockCount.caption = format(_("เหลือ %1 ใบ"), {"23"});
    s.stockCount.visible = false;
    // The person's play menu acts only once the person has drawn or picked.
    s.menus.mnuPlayArrangeCard.enabled = false;
    s.menus.mnuPlayDrawnCard.enabled = false;
    s.targetLine = makeLabel(9360, 2160, 2415, 255, kWhite);
    s.ratesLine = makeLabel(9360, 2400, 2415, 255, kWhite);

    s.forwardIcon = Image{{1920, 960, 480, 480}, false, "", "forward"};
    s.backwardIcon = Image{{1680, 840, 480, 480}, false, "", "backward"};
    s.skinOverlay = Image{{9200, 5300, 2500, 1300}, false, "", "skin-overlay"};

    // Per-seat statistics: a small table at the top right of the table.
    for (int i = 1; i <= 4; ++i) {
        const int top = 720 + (i - 1) * 300;
        s.panelName[i] = makeLabel(9100, top, 1150, 270, kWhite);
        s.panelName[i].visible = false;
        s.panelTitle[i] = makeLabel(9100, top, 1150, 270, kYellow);
        s.panelPoints[i] = makeLabel(10250, top, 600, 270, kWhite, Align::Right);
        s.panelK[i] = makeLabel(10850, top, 450, 270, kWhite, Align::Right);
        s.panelFooled[i] = makeLabel(11300, top, 260, 270, kWhite, Align::Right);
        s.panelGotFool[i] = makeLabel(11560, top, 260, 270, kWhite, Align::Right);
        s.panelTitle[i].tooltip = _("ชื่อผู้เล่น");
        s.panelPoints[i].tooltip = _("แต้มรวมที่ได้");
        s.panelK[i].tooltip = _("K ที่ได้");
        s.panelFooled[i].tooltip = _("เสียโง่(ครั้ง)");
        s.panelGotFool[i].tooltip = _("ได้โง่(ครั้ง)");
    }

    s.topPanel.rect = {0, 0, 9045, 615};
    s.topPanel.visible = false;
    s.hintLine = makeLabel(120, 60, 5500, 500, kYellow, Align::Left, 9);
    s.clockLabel = makeLabel(5700, 150, 950, 300, kWhite, Align::Center, 10);
    s.clockLabel.caption = "00 : 00 : 00";
    s.clockLabel.tooltip = _("เวลาที่ใช้");
    s.moneyLabel = makeLabel(6700, 150, 1050, 300, kYellow, Align::Right, 10);
    s.moneyLabel.tooltip = _("เงินของคุณ (บาท)");
    s.levelLabel = makeLabel(7800, 150, 1200, 300, kWhite, Align::Center, 10);

    initResultsScene();
    initPanelsScene();
}

void Game::ProgramStart() {
    match.RoundNumber = 0;
    flight.step = 100;
    match.BeginnerChosen = false;
    match.VipChosen = false;
    match.MissionMode = true;
    showTitleScreen();
    // The records' folder exists from the first run on.
    std::error_code ec;
    const auto folder = std::filesystem::path(paths.recordsFile).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
}

void Game::MainWindowLoad() {
    LoadSkinCatalogue();
    // A game left unfinished is offered before anything is asked: going on
    // with it needs no name.
    bool resumed = false;
    if (auto saved = offerSavedGame()) resumed = resumeGame(*saved);
    if (!resumed && match.PlayerName.empty()) {
        const auto answer =
            dialogs.inputBox(_("กรุณาใส่ชื่อของคุณก่อนเริ่มเล่นเกม(มากสุด 8 ตัวอักษร)"), "Vornak", "Noname");
        match.PlayerName = answer.value_or("");
        if (match.PlayerName == "          ") match.PlayerName = "Noname";
    }
    if (!resumed) match.Players[4].Name = match.PlayerName;
    scene.menus.MissionItem.enabled = true;
    scene.menus.VIPLevelItem.enabled = true;
    FillRemarks();
    ReadRecords();
    if (!resumed) MissionItem_Click();
}

void Game::StartNewGame() {
    seq.cancel();
    recordGivenUpGame(match);
    clearHint();
    discardSave();
    scene.turnTimer.enabled = false;
    table.CurrentSeat = 0;
    table.TurnForward = true;
    match.ElapsedSeconds = 0;
    match.ClockHours = match.ClockMinutes = match.ClockSeconds = 0;
    match.GameOver = false;
    match.GameWon = false;
    match.Players[4].Money = match.PointTarget < 1000 ? 8000 : 12000;
    match.MoneyAtRoundStart = match.Players[4].Money;
    titleScreen.moneyLabel.caption = num(match.Players[4].Money);
    showTitleScreen();
    scene.moneyLabel.caption = num(match.MoneyAtRoundStart);
    ResetGame();
    DealRound();
}

void Game::windowClick() {
    if (table.RoundOver && !inputBlocked()) ContinueAfterRound();
}

void Game::windowDblClick() {
    windowClick();
}

void Game::windowMouseUp(int button, int, int) {
    if (inputBlocked()) return;
    if (table.RoundOver) {
        ContinueAfterRound();
    } else if (button == 2) {
        dialogs.popupMenu(PopupMenu::Skin);
    }
}

void Game::windowMouseMove(int x, int y) {
    if (NameHover) {
        for (int i = 1; i <= 4; ++i) {
            scene.seatName[i].underline = false;
            scene.seatName[i].foreColor = kGreen;
            scene.boardLaidName[i].border = false;
        }
        NameHover = false;
    }
    // A computer turn (or a lay-down flight) narrates on the top strip; the
    // pointer moving over the table must not take the narration away.
    if (inputBlocked()) return;
    showTopPanel(y <= 150 && x <= scene.topPanel.rect.width);
}

void Game::keyPress(int key) {
    if (table.RoundOver && !inputBlocked()) ContinueAfterRound();
    if (key == 27 && StarterHandKey) {
        match.GiveStarterHand = true;
    } else {
        StarterHandKey = key == '1';
    }
}

bool Game::queryClose() {
    const auto answer = dialogs.messageBox(_(" กดปุ่ม OK เพื่อจบโปรแกรม  กดปุ่ม Cancle เพื่อยกเลิก "),
                                           _("จบโปรแกรม"), MsgButtons::OkCancel, MsgIcon::Question);
    if (answer != MsgResult::Ok) return false;
    saveOnExit();
    return true;
}

void Game::ExitItem_Click() {
    const auto answer = dialogs.messageBox(_(" กดปุ่ม OK เพื่อจบโปรแกรม กดปุ่ม Cancle เพื่อยกเลิก "),
                                           _("จบโปรแกรม"), MsgButtons::OkCancel, MsgIcon::Question);
    if (answer != MsgResult::Ok) return;
    saveOnExit();
    dialogs.quit();
}

void Game::saveOnExit() {
    // Standing between turns, the game is saved as it is now (the skin or
    // the notebook may have changed since the last save); in the middle of
    // a turn the last save stands.
    if (const auto at = boundary()) saveProgress(*at);
    // A game that cannot be continued later is given up.
    if (paths.saveFile.empty() || SavingOff) recordGivenUpGame(match);
    seq.cancel();
    SaveSkinCatalogue();
}

void Game::MissionItem_Click() {
    StartBeginnerMission();
    StartNewGame();
}

void Game::HlpItem_Click() {
    dialogs.showRulesWindow();
}
void Game::AboutItem_Click() {
    dialogs.showAboutWindow();
}

void Game::BestTimeItem_Click() {
    HallOfFame hall;
    hall.load(*this);
    dialogs.showHallOfFame(hall);
}

void Game::setFaceEnabledAll(bool enabled) {
    for (int c = 1; c <= 52; ++c) scene.cardFace[c].enabled = enabled;
}

}  // namespace vornak
