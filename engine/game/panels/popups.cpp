// The seat pop-up: holding a button down on a seat's name (or on its name on
// the round-end board) shows the melds and lay-offs the seat made this round
// and how often it made a risky discard; letting go hides it.
#include <algorithm>

#include "game/game.h"
#include "game/skins/skins.h"
#include "core/i18n.h"

namespace vornak {

namespace {

constexpr int kBoxWidth = 3300;
constexpr int kLineStep = 400;        // one play a line
constexpr int kBoxBaseHeight = 1000;  // heading and counters
constexpr int kShadowOffset = 100;
constexpr int kFirstLineTop = 850;
constexpr int kTextLeft = 150;
constexpr int kTextWidth = kBoxWidth - 2 * kTextLeft;
constexpr int kTextHeight = 300;
constexpr int kShownLines = 12;

enum class PopupAnchor { SeatName, BoardName };

bool validSeat(int seat) {
    return seat >= 1 && seat <= 4;
}

}  // namespace

void Game::initPanelsScene() {
    scene.playLogBox.rect = Rect{0, 0, kBoxWidth, kBoxBaseHeight};
    scene.playLogBox.visible = false;
    scene.playLogShadow.rect = Rect{kShadowOffset, kShadowOffset, kBoxWidth, kBoxBaseHeight};
    scene.playLogShadow.visible = false;

    Label& heading = scene.playLogHeading;
    heading.caption = _("ไพ่ที่เล่นในรอบนี้");
    heading.rect = Rect{kTextLeft, 100, kTextWidth, kTextHeight};
    heading.foreColor = kYellow;
    heading.bold = true;
    heading.visible = true;

    Label& counters = scene.playLogCounters;
    counters.caption.clear();
    counters.rect = Rect{kTextLeft, 450, kTextWidth, kTextHeight};
    counters.foreColor = kWhite;
    counters.visible = true;

    for (int i = 1; i <= kShownLines; ++i) {
        Label& line = scene.playLogLine[i];
        line.caption = _("ไพ่ใบที่เล่น");
        line.rect = Rect{kTextLeft, kFirstLineTop + (i - 1) * kLineStep, kTextWidth, kTextHeight};
        line.foreColor = kWhite;
        line.visible = false;
    }

    // The skin submenu's design entries belong to the same window set-up.
    initSkinMenu(scene.menus);
}

namespace {

void showPlayLog(Game& g, int seat, PopupAnchor anchor) {
    Scene& sc = g.scene;
    const Player& rec = g.match.Players[static_cast<std::size_t>(seat)];
    const PlayLogRec& log = g.match.PlayLogs[static_cast<std::size_t>(seat)];

    const std::string text = format(_("ทิ้งทับสามใบ %1 ครั้ง ,ทิ้งดัมมี่ %2 ครั้ง"),
                                    {plain(rec.DiscardOnThreeCount), plain(rec.DummyDiscardCount)});
    for (int i = 1; i <= kShownLines; ++i) sc.playLogLine[i].visible = false;

    const int entries = std::max(0, log.EntryCount);
    Rect& box = sc.playLogBox.rect;
    box.width = kBoxWidth;
    box.height = entries * kLineStep + kBoxBaseHeight;
    if (anchor == PopupAnchor::BoardName) {
        const Rect& label = sc.boardLaidName[seat].rect;
        box.left = label.left - 3500;
        box.top = 800;
    } else {
        const Rect& label = sc.seatName[seat].rect;
        switch (seat) {
            case 1:
            case 2:
                box.left = label.left + 500;
                box.top = label.top + 150;
                break;
            case 3:
                box.left = label.left - 3500;
                box.top = label.top + 150;
                break;
            default:  // the person's seat: the box opens above the name
                box.left = label.left + 350;
                box.top = label.top - box.height - 100;
                break;
        }
    }

    sc.playLogCounters.caption = text;
    sc.playLogBox.visible = true;
    sc.playLogShadow.rect =
        Rect{box.left + kShadowOffset, box.top + kShadowOffset, box.width, box.height};
    sc.playLogShadow.visible = true;

    for (int i = 1; i <= std::min(entries, kShownLines); ++i) {
        sc.playLogLine[i].caption = log.Entries[static_cast<std::size_t>(i)];
        sc.playLogLine[i].visible = true;
    }
}

}  // namespace

void Game::seatNameMouseDown(int seat) {
    if (validSeat(seat)) showPlayLog(*this, seat, PopupAnchor::SeatName);
}

void Game::seatLaidMouseDown(int seat) {
    if (validSeat(seat)) showPlayLog(*this, seat, PopupAnchor::BoardName);
}

void Game::seatLabelMouseUp(int) {
    scene.playLogBox.visible = false;
    scene.playLogShadow.visible = false;
}

void Game::seatNameMouseMove(int seat) {
    if (!validSeat(seat)) return;
    scene.seatName[seat].underline = true;
    scene.seatName[seat].foreColor = kYellow;
    NameHover = true;
}

void Game::seatLaidMouseMove(int seat) {
    if (!validSeat(seat)) return;
    scene.boardLaidName[seat].border = true;
    // The window's own mouse-move clears the border again, as it does the
    // name highlight, once the pointer leaves the label.
    NameHover = true;
}

}  // namespace vornak
