// Switching the game's language while it runs.
#include <array>

#include "game/game.h"
#include "core/i18n.h"

namespace vornak {
namespace {

// The captions the play menu changes as the turn goes on.
constexpr std::array<const char*, 4> kPlayCaptions = {N_("หงายไพ่"), N_("น๊อคมืด"), N_("ทิ้งไพ่"),
                                                      N_("คว่ำไพ่")};

// Which of the play captions `caption` is in the language in force, or null.
const char* playCaptionOf(const std::string& caption) {
    for (const char* text : kPlayCaptions)
        if (caption == _(text)) return text;
    return nullptr;
}

}  // namespace

bool Game::switchLanguage(std::string_view code) {
    Menus& m = scene.menus;
    const char* showCaption = playCaptionOf(m.mnuPlayShowCard.caption);
    const char* discardCaption = playCaptionOf(m.mnuPlayDrawnCard.caption);
    const std::string playLineBefore = _("ไพ่ใบที่เล่น");
    const bool fromThai = speaksThai();
    if (!setLanguage(code)) return false;

    // A hint from the Thai game is its own msgid: a fixed hint, or a seat's
    // name and a fixed narration, reads on in the new language.
    if (fromThai) {
        std::string& hint = scene.hintLine.caption;
        std::string name;
        for (int s = 1; s <= 4; ++s) {
            const std::string& n = match.Players[s].Name;
            if (!n.empty() && hint.starts_with(n) && n.size() > name.size()) name = n;
        }
        hint = name + _(hint.substr(name.size()).c_str());
    }

    const Menus fresh;
    for (int i = 1; i <= 3; ++i) {
        m.EndScoreEasy[i].caption = fresh.EndScoreEasy[i].caption;
        m.EndScoreHard[i].caption = fresh.EndScoreHard[i].caption;
    }
    m.mnuPlayArrangeCard.caption = fresh.mnuPlayArrangeCard.caption;
    m.shwCardItem.caption = fresh.shwCardItem.caption;
    m.showdummyTongItem.caption = fresh.showdummyTongItem.caption;
    m.showDummyStateItem.caption = fresh.showDummyStateItem.caption;
    if (showCaption != nullptr) m.mnuPlayShowCard.caption = _(showCaption);
    if (discardCaption != nullptr) m.mnuPlayDrawnCard.caption = _(discardCaption);

    for (int i = 1; i <= 4; ++i) {
        scene.panelTitle[i].tooltip = _("ชื่อผู้เล่น");
        scene.panelPoints[i].tooltip = _("แต้มรวมที่ได้");
        scene.panelK[i].tooltip = _("K ที่ได้");
        scene.panelFooled[i].tooltip = _("เสียโง่(ครั้ง)");
        scene.panelGotFool[i].tooltip = _("ได้โง่(ครั้ง)");
        if (!scene.seatName[i].tooltip.empty())
            scene.seatName[i].tooltip =
                format(_("เหลือเงิน %1 บาท"), {plain(match.Players[i].Money)});
    }
    scene.clockLabel.tooltip = _("เวลาที่ใช้");
    scene.moneyLabel.tooltip = _("เงินของคุณ (บาท)");
    scene.stockCount.caption = format(_("เหลือ %1 ใบ"), {plain(table.Seats[0].CardCount())});
    scene.notebookHeading[0].caption = _("รอบ");
    scene.notebookTotalCaption.caption = _("รวม");
    scene.notebookScrollUp.caption = _("เลื่อนดูะแนนข้างบน");
    scene.notebookScrollDown.caption = _("เลื่อนดูคะแนนด้านล่าง");
    scene.playLogHeading.caption = _("ไพ่ที่เล่นในรอบนี้");
    for (Label& line : scene.playLogLine)
        if (line.caption == playLineBefore) line.caption = _("ไพ่ใบที่เล่น");

    // The headings of the title and statistics screens (the title screen
    // may be open while the language changes).
    const TitleScreen title;
    for (int i = 0; i < 4; ++i) titleScreen.stakeHeading[i].caption = title.stakeHeading[i].caption;
    titleScreen.moneyHeading.caption = title.moneyHeading.caption;
    const StatisticsScreen stats;
    statistics.caption = stats.caption;
    for (int i = 0; i < 9; ++i) statistics.heading[i].caption = stats.heading[i].caption;
    writeLevelLabels();
    return true;
}

}  // namespace vornak
