// The skins: the catalogue of table backgrounds as its file keeps it, and
// the skins as the game has them. The procedures that show them on the
// table and keep the file are members of Game.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "game/scene.h"

namespace vornak {

struct Paths;

constexpr int kMaxSkins = 15;
constexpr int kMaxSkinFileLines = 2 * kMaxSkins + 3;  // 33
constexpr const char* kNoPicture = "Nothing";

// The skin submenu as the window has it before the catalogue loads: the
// seven design entries, no run-time entries, nothing checked.
void initSkinMenu(Menus& menus);

// True when the file exists, can be read and starts like a BMP, JPEG or PNG
// picture.
bool isLoadablePicture(const std::string& path);

// The skin list as read from its file.
struct SkinCatalogue {
    int count = 0;
    int current = 0;
    bool random = false;
    std::vector<std::string> paths, names;  // 0-based, `count` each
};

// The skins as the game has them: the catalogue's skins 1..count, the one
// chosen, whether each deal draws one at random, and the picture the table
// shows.
struct Skins {
    int count = 0;
    int current = 5;
    bool random = false;
    std::array<std::string, kMaxSkins + 1> paths, names;  // 1..count, the rest empty
    std::string shownPath;

    // Takes the catalogue's skins and its current one (not yet shown).
    void take(const SkinCatalogue& catalogue);
};

// Parses the lines of a skin list (2N + 3 values). Empty when the lines do
// not make a catalogue: too few or too many lines, a count out of 1..15 or
// a value that is not a number. A current skin out of range reads as the
// nearest valid one.
std::optional<SkinCatalogue> parseSkinLines(std::vector<std::string> lines);

// The catalogue as the game loads it: the skin list file, or the built-in
// skins when the file is missing or unreadable; built-in pictures listed
// under another folder are found in this program's picture folder.
SkinCatalogue readSkinCatalogue(const Paths& paths);

// The picture the table starts with, as far as it is known before the game
// loads its catalogue: the current skin's picture when the skins are not
// drawn at random and the picture can be loaded, otherwise empty. The
// window reads it ahead while it starts.
std::string startingSkinPicture(const Paths& paths);

// Reads the file's lines (CR LF or LF), at most `maxLines` + 1 of them so
// that an overlong file is recognised without reading it all. Empty when
// the file cannot be opened.
std::optional<std::vector<std::string>> readSkinFileLines(const std::string& path,
                                                          std::size_t maxLines);

}  // namespace vornak
