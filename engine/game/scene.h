// The scene: everything the player can see, as plain data written by the
// engine and drawn by the shell. Positions and sizes are twips (15 to a
// pixel at the design size); the main window's client area is 11880 x 8310.
// Rectangles of elements inside a panel are relative to that panel.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/language.h"

namespace vornak {

using Color = std::uint32_t;  // 0x00BBGGRR
constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kRed = 0x0000FF;
constexpr Color kGreen = 0x00FF00;
constexpr Color kYellow = 0x00FFFF;

constexpr int kClientWidth = 11880;
constexpr int kClientHeight = 8310;
constexpr int kFaceWidth = 930, kFaceHeight = 1260;
constexpr int kBackWidth = 915, kBackHeight = 1260;

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool contains(int x, int y) const {
        return x >= left && x <= left + width && y >= top && y <= top + height;
    }
};

// One card picture (a face or a back). `z` orders pictures front to back:
// the higher, the more in front.
struct CardPicture {
    int left = 1560, top = 1440;
    bool visible = false;
    bool enabled = false;
    long z = 0;
    bool hinted = false;  // marked by the hint as the card to play
};

enum class Align { Left, Center, Right };

struct Label {
    std::string caption;
    std::string tooltip;
    Rect rect;
    Color foreColor = kWhite;
    bool underline = false;
    bool border = false;
    bool visible = true;
    bool bold = false;
    int pointSize = 9;
    Align align = Align::Left;
};

// A picture or a drawn mark (icons, overlays, close marks). `art` names what
// the shell draws there.
struct Image {
    Rect rect;
    bool visible = false;
    std::string tooltip;
    std::string art;
};

// NoDrop is the "no drop" pointer a panel shows away from its close mark.
enum class Cursor { Default, Busy, Hand, Close, NoDrop };

struct Panel {
    Rect rect;
    bool visible = false;
    std::string tooltip;
    Cursor cursor = Cursor::Default;
};

struct Button {
    std::string caption;
    Rect rect;
    bool enabled = false;
    bool visible = true;
};

struct MenuItem {
    MenuItem() = default;
    explicit MenuItem(std::string text, std::string keys = {})
        : caption(std::move(text)), shortcut(std::move(keys)) {}
    std::string caption;
    std::string shortcut;  // e.g. "F2", "Ctrl+X", "Shift+Ctrl+F5"
    bool checked = false;
    bool enabled = true;
    bool visible = true;
};

// The main window's menus, by control name.
struct Menus {
    MenuItem mnuGame{"&Game"};
    MenuItem NewItem{"New Game"};
    MenuItem MissionItem{"Play in  Mission  Mode        ", "F2"};
    MenuItem mnuLockCard{"Lock Card Menu"};
    MenuItem LockCardItem{"Lock Card", "Shift+Ctrl+F5"};
    MenuItem normalItem{"Play in  Normal Mode"};
    MenuItem EasyLevelItem{"Beginner Level"};
    MenuItem EndScoreEasy[4] = {MenuItem{}, MenuItem{translate("แต้มจบเกม 300 แต้ม")},
                                MenuItem{translate("แต้มจบเกม 500 แต้ม")},
                                MenuItem{translate("แต้มจบเกม 700 แต้ม")}};
    MenuItem VIPLevelItem{"VIP Level"};
    MenuItem EndScoreHard[4] = {MenuItem{}, MenuItem{translate("แต้มจบเกม 500 แต้ม")},
                                MenuItem{translate("แต้มจบเกม 1000 แต้ม")},
                                MenuItem{translate("แต้มจบเกม 2000 แต้ม")}};
    MenuItem ScoreBrdItem{"ScoreBook"};
    MenuItem BestTimeItem{"Hall of Fame"};
    MenuItem skinItem{"SKIN"};
    // Entries 1..15 of the skin submenu; an entry exists while visible.
    MenuItem SelectSkinItem[16];
    MenuItem AddSkinItem{"Add New Skin....."};
    MenuItem RandomSkinItem{"Random Skin"};
    MenuItem ExitItem{"Exit Game", "Ctrl+X"};

    MenuItem mnuPlay{"&Play"};
    MenuItem mnuPlayItem{"Play Menu"};
    MenuItem mnuPlayArrangeCard{translate("จัดไพ่ในมือ")};
    MenuItem mnuPlayShowCard{translate("หงายไพ่")};
    MenuItem mnuPlayDrawnCard{translate("ทิ้งไพ่")};
    MenuItem shwCardItem{translate("เลือกชนิดของไพ่ดัมมี่")};
    MenuItem showdummyTongItem{translate("หงายไพ่ดัมมี่ของไพ่ตอง")};
    MenuItem showDummyStateItem{translate("หงายไพ่ดัมมี่ของไพ่เรียง")};
    MenuItem HintItem{"Hint", "H"};

    MenuItem mnuHelp{"&Help"};
    MenuItem HlpItem{"How to play Vornak", "F1"};
    MenuItem idxItem{"Index"};
    MenuItem AboutItem{"About Vornak1.30 ", "Ctrl+A"};
};

struct TimerRecord {
    int interval = 1000;  // milliseconds
    bool enabled = false;
};

struct Scene {
    std::string windowCaption = "Vornak 1.30";
    Cursor windowCursor = Cursor::Default;

    // Background: a picture file (empty: none) drawn from the top-left
    // corner at its own size, over the background colour.
    std::string backgroundPicture;
    Color backColor = 0x808080;

    CardPicture cardFace[53];
    CardPicture cardBack[53];
    long zCounter = 0;
    void toFront(CardPicture& p) { p.z = ++zCounter; }

    // Table labels.
    Label seatName[5];
    Label stockCount;
    Label boardHandName[5], boardLaidName[5], resultLine[5];
    Label panelName[5], panelTitle[5], panelPoints[5], panelK[5], panelFooled[5], panelGotFool[5];
    Label targetLine, ratesLine;

    // The strip at the top with the hint line and status labels. When the
    // background is a picture the strip shows the picture's top-left part;
    // otherwise it takes the background colour.
    Panel topPanel;
    Label clockLabel, moneyLabel, levelLabel, hintLine;  // inside topPanel

    Image forwardIcon, backwardIcon;  // turn direction
    Image skinOverlay;                // shown for skins 6 and above
    Image noKnockPicture;             // on the board when nobody knocked

    // End-of-round board panel with the result lines and its close mark.
    Panel boardPanel;
    Image boardCloseMark;  // inside boardPanel

    // Score notebook. Row r (1-based) of the round labels and of each
    // seat's cells is element r of these vectors (element 0 is unused).
    Panel notebook;
    Image notebookCloseMark;   // inside notebook
    Label notebookHeading[5];  // 0: round column heading, 1..4: seat names
    std::vector<Label> notebookRound;
    std::vector<Label> notebookCell[5];
    Label notebookTotalCaption;  // "รวม"
    Label notebookTotal[5];
    Button notebookScrollUp, notebookScrollDown;

    // The seat pop-up with the plays of the round.
    Panel playLogBox, playLogShadow;
    Label playLogCounters, playLogHeading;  // inside playLogBox
    Label playLogLine[13];                  // 1..12, inside playLogBox

    Menus menus;

    TimerRecord turnTimer{1000, false};
    TimerRecord clockTimer{1000, false};
    TimerRecord flightTimer{1000, false};
    TimerRecord blinkTimer{100, true};
};

}  // namespace vornak
