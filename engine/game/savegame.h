// The game in progress, saved at every boundary between turns so that a
// closed window, a crash or a logout can be picked up where it was left.
//
// A save is a small text file (the format is described in the README,
// "Saved game"): a magic line, a version line, the two values of the game
// (the round's table and the match), where in the turn the game stands, the
// random generator's state, the person's turn modes, the notebook, the skin
// in force and what the table shows, and a checksum line. It is read whole
// into a SavedGame and checked before anything of it is applied, so a save
// that cannot be read never leaves a half-restored table.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/match.h"
#include "game/personturn.h"
#include "game/scene.h"
#include "core/table.h"

namespace vornak {

class Game;

// Where in the game a save is taken. Only at these points does nothing run:
// no computer turn, no pause, no card half-moved.
enum class SavePoint {
    BetweenTurns,  // a turn has ended and the round goes on: the turn timer runs
    PersonToPlay,  // the person's turn has begun: the game waits for a draw or a pick
    RoundBoard,    // the round is over: the board stands until the continue click
};

inline constexpr std::string_view kSaveMagic = "vornak saved game";
inline constexpr int kSaveVersion = 2;  // 2: the rounds' moves (a save of 1 has none)
// No save is this large (a long game's is about 12 KB).
inline constexpr std::size_t kMaxSaveBytes = 1 << 20;

// What the table shows that the values alone do not give back: where every
// card picture lies, the captions written as the game went (penalties on
// the names, the result lines, the notebook's rows, the statistics), the
// menus' states and the timers that run.
struct SavedScene {
    Cursor cursor = Cursor::Default;
    Color backColor = 0;
    std::string background;
    long zCounter = 0;
    std::array<CardPicture, 53> faces{}, backs{};
    struct Text {
        bool visible = false;
        Color color = 0;  // a name's blink leaves it red or green
        std::string caption, tooltip;
    };
    std::vector<Text> labels;     // in the order of savedLabels()
    std::vector<bool> images;     // visible, in the order of savedImages()
    std::vector<MenuItem> menus;  // caption, checked, enabled of savedMenus()
    std::vector<bool> timers;     // enabled: turn, clock, blink
    struct Row {
        int top = 0;
        std::array<std::string, 5> captions;  // the round, then seats 1..4
    };
    std::vector<Row> rows;  // notebook rows 1..n
    bool scrollUp = false, scrollDown = false;
};

struct SavedGame {
    SavePoint point = SavePoint::PersonToPlay;
    std::string randomState;
    Table table;
    Match match;
    PersonModes person;
    long NotebookScroll = 0, NotebookRows = 0;
    int CurrentSkin = 1;
    bool RandomSkinOn = false;
    std::string CurrentSkinPath;
    SavedScene scene;
};

// The save of `game` as it stands at `point` (empty when its random source
// cannot tell its state: such a game cannot be continued exactly).
std::string writeSavedGame(const Game& game, SavePoint point);

struct SaveRead {
    enum class Status {
        Read,     // `game` holds it
        Corrupt,  // not a save, cut short, altered, or impossible values
        Newer,    // written by a later version of the program
    };
    Status status = Status::Corrupt;
    std::string why;  // for Corrupt: what was wrong, for tests and tools
    SavedGame game;
};

// Reads a save. Every value is checked: counts and codes in range, each of
// the 52 cards in exactly one place, the point consistent with the table.
SaveRead readSavedGame(std::string_view text);

// The game as the save has it. Returns false, changing nothing, when the
// game's random source cannot take the saved state.
bool applySavedGame(Game& game, const SavedGame& saved);

}  // namespace vornak
