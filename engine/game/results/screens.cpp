// The small modal windows around the table: their layout and behaviour.
#include "game/results/screens.h"

#include <cstdlib>

#include "game/game.h"
#include "core/i18n.h"

namespace vornak {

namespace {

Label label(const std::string& caption, Rect rect, int pointSize = 10, bool bold = false,
            Align align = Align::Center, Color color = kWhite) {
    Label l;
    l.caption = caption;
    l.rect = rect;
    l.pointSize = pointSize;
    l.bold = bold;
    l.align = align;
    l.foreColor = color;
    return l;
}

constexpr int kTitleImageLeft = 600, kTitleImageRest = 30;
constexpr int kTitleImageWidth = 6000, kTitleImageHeight = 2800;
constexpr int kTitleImageStart = 4440;  // where a rising picture starts in mission mode

}  // namespace

// ---- Title screen ----

TitleScreen::TitleScreen() {
    static const char* const arts[] = {"", "title-continue", "title-beginner", "title-vip",
                                       "title-start"};
    for (int i = 1; i <= 4; ++i) {
        image[i].art = arts[i];
        image[i].rect = {kTitleImageLeft, kTitleImageRest, kTitleImageWidth, kTitleImageHeight};
        image[i].visible = false;
    }
    static const char* const headings[] = {N_("แต้มละ (บาท)"), N_("ค่าโง่ (บาท)"), N_("ค่าเค (บาท)"),
                                           N_("แต้มจบเกม")};
    for (int i = 0; i < 4; ++i) {
        const Rect column{600 + i * 1500, 3000, 1500, 300};
        stakeHeading[i] = label(_(headings[i]), column, 9, false, Align::Center, kYellow);
        stakeHeading[i].visible = false;
        stakeLabel[i] = label(_("10000 บาท"), {column.left, 3330, column.width, 360}, 12, true);
        stakeLabel[i].visible = false;
    }
    moneyHeading =
        label(_("เงินของคุณ (บาท)"), {600, 3840, 3000, 330}, 10, false, Align::Right, kYellow);
    moneyHeading.visible = false;
    moneyLabel = label("8,000", {3750, 3800, 2850, 380}, 12, true, Align::Left);
    moneyLabel.visible = false;
    opponents = label("", {600, 4190, 6000, 300}, 9, false, Align::Center, kYellow);
    opponents.visible = false;
    actionCaption = label("", {2400, 4500, 2400, 480}, 16, true);
    actionCaption.visible = false;
}

void TitleScreen::open(bool mission, bool beginner, bool vip) {
    missionMode = mission;
    beginnerChosen = beginner;
    vipChosen = vip;
    closed = false;
    ticks = 0;
    moving = 0;
    cursor = Cursor::Default;
    for (int i = 1; i <= 4; ++i) {
        image[i].visible = false;
        image[i].rect.top = kTitleImageRest;
    }
    for (int i = 0; i < 4; ++i) {
        stakeLabel[i].visible = false;
        stakeHeading[i].visible = false;
    }
    moneyLabel.visible = false;
    moneyHeading.visible = false;
    opponents.visible = false;
    opponents.caption = masterOpponents   ? _("ผู้เล่นคอมพิวเตอร์ : เซียนใหญ่ (ค้นทุกการเล่น ไม่แอบดูไพ่)")
                        : expertOpponents ? _("ผู้เล่นคอมพิวเตอร์ : เซียน (คิดล่วงหน้า ไม่แอบดูไพ่)")
                                          : _("ผู้เล่นคอมพิวเตอร์ : เล่นตามกติกา");
    actionCaption.foreColor = kWhite;

    riseTimer.enabled = false;
    actionCaption.visible = false;

    auto rise = [this](int index) {
        cursor = Cursor::Busy;
        image[index].visible = true;
        moving = index;
        ticks = 0;
        riseTimer.enabled = true;
        tick();
    };

    if (missionMode) {
        for (int i = 2; i <= 4; ++i) image[i].rect.top = kTitleImageStart;
        if (!beginnerChosen && !vipChosen) {
            rise(static_cast<int>(TitleArt::Start));
        } else if (beginnerChosen) {
            image[static_cast<int>(TitleArt::Continue)].visible = true;
            actionCaption.caption = "Continue";
            actionCaption.visible = true;
        } else {
            rise(static_cast<int>(TitleArt::Vip));
        }
    } else {
        for (int i = 0; i < 4; ++i) {
            stakeLabel[i].visible = true;
            stakeHeading[i].visible = true;
        }
        moneyLabel.visible = true;
        moneyHeading.visible = true;
        opponents.visible = true;
        if (vipChosen && !beginnerChosen) {
            image[static_cast<int>(TitleArt::Vip)].visible = true;
            actionCaption.caption = "Play Game";
        } else {
            image[static_cast<int>(TitleArt::Beginner)].visible = true;
            actionCaption.caption = "Play Now";
        }
        actionCaption.visible = true;
    }
}

void TitleScreen::tick() {
    if (!riseTimer.enabled || moving < 1 || moving > 4) return;
    ++ticks;
    Image& picture = image[moving];
    picture.rect.top -= 6 * ticks;  // it rises faster on every tick

    auto showStakes = [this] {
        for (int i = 0; i < 4; ++i) {
            stakeLabel[i].visible = true;
            stakeHeading[i].visible = true;
        }
        moneyLabel.visible = true;
        moneyHeading.visible = true;
        opponents.visible = true;
    };

    if (moving == static_cast<int>(TitleArt::Start)) {
        if (picture.rect.top >= 500) return;
        cursor = Cursor::Default;
        riseTimer.enabled = false;
        actionCaption.caption = "Start Game";
        actionCaption.visible = true;
    } else {
        if (picture.rect.top >= 50) return;
        cursor = Cursor::Default;
        showStakes();
        actionCaption.caption =
            moving == static_cast<int>(TitleArt::Vip) ? "Play Game" : "Play Now";
        actionCaption.visible = true;
        riseTimer.enabled = false;
    }
    moving = 0;
}

void TitleScreen::clickAction() {
    if (!actionCaption.visible) return;
    if (!missionMode) {
        closed = true;
        return;
    }
    const std::string& c = actionCaption.caption;
    if (c == "Continue") {
        image[static_cast<int>(TitleArt::Continue)].visible = false;
        image[static_cast<int>(TitleArt::Beginner)].visible = true;
        actionCaption.visible = false;
        cursor = Cursor::Busy;
        moving = static_cast<int>(TitleArt::Beginner);
        ticks = 0;
        riseTimer.enabled = true;
        tick();
    } else if (c == "Start Game") {
        image[static_cast<int>(TitleArt::Start)].visible = false;
        closed = true;
    } else if (c == "Play Now") {
        image[static_cast<int>(TitleArt::Beginner)].visible = false;
        closed = true;
    } else if (c == "Play Game") {
        image[static_cast<int>(TitleArt::Vip)].visible = false;
        closed = true;
    }
}

void TitleScreen::hoverAction(bool overCaption) {
    actionCaption.foreColor = overCaption ? kRed : kWhite;
}

// ---- Statistics screen ----

StatisticsScreen::StatisticsScreen() {
    static const char* const headings[] = {"",
                                           N_("ชื่อผู้เล่น"),
                                           N_("แต้มรวมที่ได้"),
                                           N_("เงินที่เหลือ(บาท)"),
                                           N_("K ที่ได้"),
                                           N_("ได้โง่(ครั้ง)"),
                                           N_("เสียโง่(ครั้ง)"),
                                           N_("ทิ้งไพ่ดัมมี่(ครั้ง)"),
                                           N_("ทิ้งทับ 3 ใบ(ครั้ง)")};
    // Columns: name, points, money, K, got fool, fooled, dummy, on three.
    static const int lefts[] = {0, 150, 1650, 2700, 4050, 4800, 5700, 6600, 7800};
    static const int widths[] = {0, 1500, 1050, 1350, 750, 900, 900, 1200, 1350};
    for (int i = 1; i <= 8; ++i)
        heading[i] =
            label(_(headings[i]), {lefts[i], 600, widths[i], 420}, 9, true, Align::Center, kYellow);
    heading[0].visible = false;
    heading[0].caption.clear();
    Label* columns[] = {nullptr, name, points, money, k, gotFool, fooled, dummy, onThree};
    for (int s = 1; s <= 4; ++s) {
        const int top = 1140 + (s - 1) * 420;
        for (int i = 1; i <= 8; ++i) {
            columns[i][s] = label("", {lefts[i], top, widths[i], 360}, 10, i == 1,
                                  i == 1 ? Align::Left : Align::Center);
        }
        name[s].caption = "Player" + plain(s);
        money[s].caption = "10000";
    }
    name[0].visible = points[0].visible = money[0].visible = k[0].visible = false;
    gotFool[0].visible = fooled[0].visible = dummy[0].visible = onThree[0].visible = false;
    picMoney.art = "statistics-money";
    picMoney.rect = {300, 2950, 900, 900};
    picMoney.visible = true;
    actionCaption = label("Continue", {7000, 3250, 1800, 480}, 14, true);
}

void StatisticsScreen::open(bool gameOver) {
    closed = false;
    picMoney.visible = !gameOver;
    actionCaption.caption = "Continue";
    actionCaption.foreColor = kWhite;
    actionCaption.visible = true;
}

int StatisticsScreen::clickAction() {
    closed = true;
    return static_cast<int>(std::strtol(money[4].caption.c_str(), nullptr, 10));
}

void StatisticsScreen::hoverAction(bool overCaption) {
    actionCaption.foreColor = overCaption ? kRed : kWhite;
}

// ---- End screen ----

EndScreen::EndScreen() {
    static const char* const arts[] = {"end-lost-1", "end-lost-2", "end-won-1", "end-won-2"};
    for (int i = 0; i < 4; ++i) {
        image[i].art = arts[i];
        image[i].rect = {300, 300, 5400, 3300};
        image[i].visible = false;
    }
    actionCaption = label("New Game", {2100, 3800, 1800, 480}, 14, true);
}

void EndScreen::open(Game& game) {
    closed = false;
    showHallOfFame = false;
    for (auto& i : image) i.visible = false;
    actionCaption.foreColor = kWhite;
    actionCaption.visible = true;
    won = game.match.GameWon;
    if (!won) {
        image[0].visible = true;
        image[1].visible = true;
        actionCaption.caption = "New Game";
    } else {
        game.UpdateRecords();
        actionCaption.caption = "Continue";
        image[2].visible = true;
        image[3].visible = true;
    }
    game.match.ElapsedSeconds = 0;
    blinkTimer.enabled = true;
    tick(game);
}

void EndScreen::tick(Game& game) {
    const int first = won ? 2 : 0;
    const int second = first + 1;
    game.match.ElapsedSeconds += 1;
    if (game.match.ElapsedSeconds == 2) {
        image[first].visible = true;
        image[second].visible = false;
        game.match.ElapsedSeconds = 0;
    } else {
        image[second].visible = true;
        image[first].visible = false;
    }
}

void EndScreen::clickAction() {
    closed = true;
    showHallOfFame = actionCaption.caption == "Continue";
    blinkTimer.enabled = false;
}

void EndScreen::hoverAction(bool overCaption) {
    actionCaption.foreColor = overCaption ? kRed : kWhite;
}

// ---- Hall of fame ----

HallOfFame::HallOfFame() {
    heading[3] = label(_("เงินที่ได้สูงสุด"), {300, 200, 6000, 380}, 12, true, Align::Left, kYellow);
    heading[0] = label(_("ลำดับที่"), {300, 620, 1000, 300}, 9, true);
    heading[2] = label(_("เงินที่ได้"), {4200, 620, 2100, 300}, 9, true);
    heading[5] = label(_("เวลาดีที่สุด"), {300, 2300, 6000, 380}, 12, true, Align::Left, kYellow);
    heading[1] = label(_("ลำดับที่"), {300, 2720, 1000, 300}, 9, true);
    heading[4] = label(_("เวลาที่ใช้"), {4200, 2720, 2100, 300}, 9, true);
    for (int i = 1; i <= 3; ++i) {
        const int moneyTop = 980 + (i - 1) * 380;
        const int timeTop = 3080 + (i - 1) * 380;
        rank[i] = label(num(i), {300, moneyTop, 1000, 330});
        rank[i + 3] = label(num(i), {300, timeTop, 1000, 330});
        lblName[i] = label("-", {1400, moneyTop, 2700, 330}, 10, false, Align::Left);
        lblName[i + 3] = label("-", {1400, timeTop, 2700, 330}, 10, false, Align::Left);
        lblScore[i] = label("", {4200, moneyTop, 2100, 330}, 10, false, Align::Right);
        lblUsedTime[i] = label("", {4200, timeTop, 2100, 330}, 10, false, Align::Right);
    }
    rank[0].visible = lblName[0].visible = lblScore[0].visible = lblUsedTime[0].visible = false;
    closeLabel = label("Close", {2700, 4350, 1200, 420}, 12, true);
}

void HallOfFame::load(Game& game) {
    closed = false;
    game.ReadRecords();
    for (int i = 1; i <= 6; ++i)
        lblName[i].caption = game.records.lines[static_cast<std::size_t>(i)];
    for (int i = 1; i <= 3; ++i) {
        lblScore[i].caption = game.records.lines[static_cast<std::size_t>(i + 6)];
        lblUsedTime[i].caption = game.records.lines[static_cast<std::size_t>(i + 9)];
    }
}

void HallOfFame::clickClose() {
    closed = true;
}

void HallOfFame::hoverClose(bool overCaption) {
    closeLabel.foreColor = overCaption ? kRed : kWhite;
}

}  // namespace vornak
