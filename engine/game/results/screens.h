// The small modal windows around the table, as models the shell draws:
// title screen, statistics screen, end screen and hall of fame. Their
// behaviour (animations, clicks) lives here so that it runs headless.
#pragma once

#include <string>

#include "game/scene.h"
#include "core/language.h"

namespace vornak {

class Game;

// Level picture shown on the title screen.
enum class TitleArt { Continue = 1, Beginner = 2, Vip = 3, Start = 4 };

struct TitleScreen {
    TitleScreen();  // the window's design: about 7200 x 5400 twips

    // image[1..4]: Continue, Beginner, VIP, Start pictures (art names
    // "title-continue", "title-beginner", "title-vip", "title-start").
    Image image[5];
    Label actionCaption;  // the caption that works as a button
    Label stakeLabel[4];  // baht per point, fool, K, point target
    Label stakeHeading[4];
    Label moneyLabel;
    Label moneyHeading;  // names the money label
    Label opponents;     // who the computer players are: the rules', the Expert or the Master
    TimerRecord riseTimer{100, false};
    int ticks = 0;
    int moving = 0;  // the image that rises, 0 when none
    Cursor cursor = Cursor::Default;
    bool closed = false;

    bool missionMode = true, beginnerChosen = false, vipChosen = false;
    bool expertOpponents = false;  // set before open()
    bool masterOpponents = false;  // set before open(); before expertOpponents

    void open(bool mission, bool beginner, bool vip);
    void tick();
    void clickAction();
    void hoverAction(bool overCaption);  // red over the caption, white elsewhere
};

struct StatisticsScreen {
    StatisticsScreen();  // the window's design: about 9300 x 4200 twips

    std::string caption = translate("สถิติเกม");
    Label heading[9];  // column headings, 1..8
    // Per seat 1..4.
    Label name[5], points[5], money[5], k[5], gotFool[5], fooled[5], dummy[5], onThree[5];
    Image picMoney;
    Label actionCaption;
    bool closed = false;

    void open(bool gameOver);
    // "Continue": the money of seat 4 as shown becomes the money kept for
    // the records; returns that value.
    int clickAction();
    void hoverAction(bool overCaption);
};

struct EndScreen {
    EndScreen();  // the window's design: about 6000 x 4500 twips

    Image image[4];  // 0, 1 lost; 2, 3 won
    Label actionCaption;
    TimerRecord blinkTimer{300, true};
    bool won = false;
    bool closed = false;
    bool showHallOfFame = false;  // "Continue" was clicked

    // The end screen counts its ticks in the game's ElapsedSeconds.
    void open(Game& game);
    void tick(Game& game);
    void clickAction();
    void hoverAction(bool overCaption);
};

struct HallOfFame {
    HallOfFame();  // the window's design: about 6600 x 5000 twips

    std::string caption = "Hall of Fame";
    // 0, 1: "ลำดับที่" of the two tables; 2: "เงินที่ได้"; 3: "เงินที่ได้สูงสุด";
    // 4: "เวลาที่ใช้"; 5: "เวลาดีที่สุด".
    Label heading[6];
    Label rank[7];         // the places 1..3 of each table, like lblName
    Label lblName[7];      // 1..3 money records, 4..6 time records
    Label lblScore[4];     // 1..3
    Label lblUsedTime[4];  // 1..3
    Label closeLabel;
    bool closed = false;

    // Reads the records file into the game's record lines and floors.
    void load(Game& game);
    void clickClose();
    void hoverClose(bool overCaption);
};

}  // namespace vornak
