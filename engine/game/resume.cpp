// The game in progress across program runs: saved at every boundary between
// turns, offered at start, set aside when it cannot be read.
#include <unistd.h>

#include "game/files.h"
#include "game/game.h"
#include "core/i18n.h"

namespace vornak {

namespace {

constexpr const char* kWarningTitle = N_("คำเตือน");

std::string clockText(const Match& m) {
    std::string text = plain(m.ClockHours) + ":";
    if (m.ClockMinutes < 10) text += '0';
    text += plain(m.ClockMinutes) + ":";
    if (m.ClockSeconds < 10) text += '0';
    return text + plain(m.ClockSeconds);
}

// One line that tells the player which game it is.
std::string describe(const SavedGame& saved) {
    const Match& m = saved.match;
    std::string text = m.VipChosen ? "VIP Level" : "Beginner Level";
    text += m.MissionMode ? std::string(" (Mission)")
                          : format(_(" จบเกม %1 แต้ม"), {plain(m.PointTarget)});
    // On the board the round just played is shown; otherwise the one under way.
    const int round = saved.point == SavePoint::RoundBoard ? m.RoundNumber - 1 : m.RoundNumber;
    text += format(_("  รอบที่ %1  เงิน %2 บาท  เวลา %3"),
                   {plain(std::max(1, round)), plain(m.Players[kHuman].Money), clockText(m)});
    return text;
}

}  // namespace

std::optional<SavePoint> Game::boundary() const {
    if (seq.running()) return std::nullopt;
    if (table.RoundOver) return SavePoint::RoundBoard;
    if (table.CurrentSeat == kHuman && person.DrawPhase && !scene.turnTimer.enabled)
        return SavePoint::PersonToPlay;
    if (scene.turnTimer.enabled) return SavePoint::BetweenTurns;
    return std::nullopt;
}

Game::~Game() = default;

FileKeeper& Game::saveKeeper() {
    if (!saveKeeper_ || saveKeeper_->path() != paths.saveFile)
        saveKeeper_ = std::make_unique<FileKeeper>(paths.saveFile);
    return *saveKeeper_;
}

void Game::finishSaving() {
    if (saveKeeper_) saveKeeper_->finish();
}

void Game::saveProgress(SavePoint at) {
    if (paths.saveFile.empty() || SavingOff) return;
    std::string text = writeSavedGame(*this, at);
    if (text.empty()) return;
    if (SaveInBackground) {
        saveKeeper().replace(std::move(text));
        ++SavesWritten;
    } else if (replaceFile(paths.saveFile, text)) {
        ++SavesWritten;
    }
}

void Game::discardSave() {
    if (paths.saveFile.empty() || SavingOff) return;
    if (SaveInBackground) {
        saveKeeper().remove();
    } else {
        // unlink, not remove: whatever else stands under the name stays.
        ::unlink(paths.saveFile.c_str());
    }
}

std::optional<SavedGame> Game::offerSavedGame() {
    if (paths.saveFile.empty()) return std::nullopt;
    const FileText file = readSmallFile(paths.saveFile, kMaxSaveBytes);
    if (file.state == FileText::State::Missing) return std::nullopt;

    SaveRead read;
    if (file.state == FileText::State::Read && file.complete) read = readSavedGame(file.text);
    if (read.status == SaveRead::Status::Read) {
        const std::string& name = read.game.match.PlayerName;
        const int answer = dialogs.choose(
            (name.empty() ? std::string(_("มีเกมที่เล่นค้างไว้"))
                          : format(_("มีเกมที่เล่นค้างไว้ของ %1"), {name})) +
                "\n" + describe(read.game) + "\n\n" + _("ต้องการเล่นต่อจากเดิม หรือเริ่มเกมใหม่"),
            "Vornak", {_("เล่นต่อจากเดิม"), _("เริ่มเกมใหม่")});
        if (answer == 0) return std::move(read.game);
        recordGivenUpGame(read.game.match);
        return std::nullopt;  // the new game removes it
    }

    // Never a half-restored table: the file is kept aside, the game starts
    // as if there were none.
    const std::string reason = read.status == SaveRead::Status::Newer
                                   ? _("เกมที่บันทึกไว้มาจาก Vornak รุ่นที่ใหม่กว่านี้ จึงเล่นต่อไม่ได้")
                                   : _("ไม่สามารถอ่านเกมที่บันทึกไว้ได้ (ไฟล์เสียหายหรือไม่ครบ)");
    const std::string aside = moveAside(paths.saveFile);
    if (!aside.empty()) {
        dialogs.messageBox(
            format(_("%1\nไฟล์เดิมถูกย้ายไปเก็บไว้ที่\n%2\nเกมจะเริ่มใหม่ตามปกติ"), {reason, aside}),
            _(kWarningTitle), MsgButtons::Ok, MsgIcon::Exclamation);
    } else {
        SavingOff = true;
        dialogs.messageBox(
            format(_("%1\n%2\nเกมจะเริ่มใหม่ตามปกติ และจะไม่บันทึกเกมจนกว่าจะแก้ไขหรือย้ายไฟล์นี้"),
                   {reason, paths.saveFile}),
            _(kWarningTitle), MsgButtons::Ok, MsgIcon::Exclamation);
    }
    return std::nullopt;
}

bool Game::resumeGame(const SavedGame& saved) {
    if (!applySavedGame(*this, saved)) return false;
    // The game goes on against the opponents it was saved with; the
    // Preferences window shows them.
    prefs.expertPlayers = match.ExpertPlayers;
    prefs.masterPlayers = match.MasterPlayers;
    return true;
}

}  // namespace vornak
