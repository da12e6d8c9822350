// The skin catalogue: the table backgrounds the player chooses from the SKIN
// menu, adds from picture files or draws at random at every deal. The
// catalogue and the choice persist in the skin list file.
#include "game/skins/skins.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "game/files.h"
#include "game/game.h"

namespace vornak {

namespace fs = std::filesystem;

namespace {

struct BuiltInSkin {
    const char* file;  // in the picture folder; kNoPicture for none
    const char* name;  // menu caption, trailing blanks included
};

constexpr std::array<BuiltInSkin, 7> kBuiltInSkins{{
    {"bkGrnd1.bmp", "Standard Skin       (Version 1.30)     "},
    {"bkGrnd2.jpg", "Gray Skin                (Common Style) "},
    {"bkGrnd3.jpg", "Casino Skin            (Classic Style)    "},
    {"bkGrnd4.bmp", "Black-Green Skin  (Modern Style)   "},
    {"bkGrnd5.bmp", "Black-Hole Skin     (Galaxy Style)     "},
    {kNoPicture, "None Skin                (Base Color)     "},
    {"bkGrnd6.jpg", "View Skin                 (Sunshine in the forrest) "},
}};
constexpr int kBuiltInCurrent = 5;

constexpr std::array<const char*, 7> kDesignCaptions{
    "Base Skin",    "Gray Style", "Casino Style", "Black-Green Skin",
    "Galaxy Style", "None Skin",  "View Style"};

// Table colour per chosen skin (0x00BBGGRR); skins 6 and above keep theirs.
constexpr std::array<Color, 6> kSkinColors{0, 0x008000, 0x404080, 0x808000, 0x000000, 0x808080};

// A skin list larger than this is not a skin list.
constexpr std::size_t kMaxSkinFileBytes = 1 << 20;

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::optional<int> parseNumber(const std::string& text) {
    const std::string t = trimmed(text);
    if (t.empty()) return std::nullopt;
    const char* begin = t.data();
    if (*begin == '+') ++begin;
    int value = 0;
    const auto [end, ec] = std::from_chars(begin, t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    return value;
}

bool holdsLineBreak(const std::string& s) {
    return s.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

void initSkinMenu(Menus& menus) {
    for (int i = 1; i <= kMaxSkins; ++i) {
        MenuItem& item = menus.SelectSkinItem[i];
        item = MenuItem{};
        item.visible = i <= static_cast<int>(kDesignCaptions.size());
        if (item.visible) item.caption = kDesignCaptions[static_cast<std::size_t>(i - 1)];
    }
    menus.AddSkinItem.enabled = true;
    menus.RandomSkinItem.checked = false;
}

bool isLoadablePicture(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(path), ec)) return false;
    std::ifstream in(fs::path(path), std::ios::binary);
    if (!in) return false;
    unsigned char head[8] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    const auto got = in.gcount();
    if (got >= 2 && head[0] == 'B' && head[1] == 'M') return true;
    if (got >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return true;
    static constexpr unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return got == 8 && std::equal(head, head + 8, kPng);
}

std::optional<std::vector<std::string>> readSkinFileLines(const std::string& path,
                                                          std::size_t maxLines) {
    const FileText file = readSmallFile(path, kMaxSkinFileBytes);
    if (file.state != FileText::State::Read || !file.complete) return std::nullopt;
    std::istringstream in(file.text);
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() <= maxLines && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    // Byte-order marks before the first line are not part of it (however many
    // an editor left there).
    while (!lines.empty() && lines.front().starts_with("\xEF\xBB\xBF")) lines.front().erase(0, 3);
    return lines;
}

std::optional<SkinCatalogue> parseSkinLines(std::vector<std::string> lines) {
    // Blank lines after the last value (an editor's trailing newline) do not
    // count.
    while (!lines.empty() && trimmed(lines.back()).empty()) lines.pop_back();
    const auto L = lines.size();
    if (L < 5 || L > static_cast<std::size_t>(kMaxSkinFileLines)) return std::nullopt;
    const auto count = parseNumber(lines[L - 3]);
    const auto current = parseNumber(lines[L - 2]);
    const auto random = parseNumber(lines[L - 1]);
    if (!count || !current || !random) return std::nullopt;
    if (*count < 1 || *count > kMaxSkins) return std::nullopt;
    if (L != static_cast<std::size_t>(2 * *count + 3)) return std::nullopt;

    SkinCatalogue cat;
    cat.count = *count;
    cat.current = std::clamp(*current, 1, cat.count);
    cat.random = *random == 1;
    const auto n = static_cast<std::size_t>(cat.count);
    cat.paths.assign(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(n));
    cat.names.assign(lines.begin() + static_cast<std::ptrdiff_t>(n),
                     lines.begin() + static_cast<std::ptrdiff_t>(2 * n));
    return cat;
}

SkinCatalogue readSkinCatalogue(const Paths& paths) {
    std::optional<SkinCatalogue> cat;
    if (auto lines = readSkinFileLines(paths.skinFile, kMaxSkinFileLines))
        cat = parseSkinLines(std::move(*lines));

    if (!cat) {
        cat.emplace();
        cat->count = static_cast<int>(kBuiltInSkins.size());
        cat->current = kBuiltInCurrent;
        cat->random = false;
        for (const auto& skin : kBuiltInSkins) {
            const std::string file = skin.file;
            cat->paths.push_back(file == kNoPicture ? file : paths.pictureFolder + "/" + file);
            cat->names.emplace_back(skin.name);
        }
    } else {
        // A list written by a copy of the program installed elsewhere still
        // finds the built-in pictures in this program's folder.
        for (auto& path : cat->paths) {
            if (path == kNoPicture || isLoadablePicture(path)) continue;
            const std::string file = fs::path(path).filename().string();
            const bool builtIn = std::any_of(kBuiltInSkins.begin(), kBuiltInSkins.end(),
                                             [&](const BuiltInSkin& s) { return file == s.file; });
            const std::string here = paths.pictureFolder + "/" + file;
            if (builtIn && isLoadablePicture(here)) path = here;
        }
    }
    return *cat;
}

std::string startingSkinPicture(const Paths& paths) {
    const SkinCatalogue cat = readSkinCatalogue(paths);
    if (cat.random) return {};
    const std::string& path = cat.paths[static_cast<std::size_t>(cat.current - 1)];
    return path != kNoPicture && isLoadablePicture(path) ? path : std::string();
}

void Skins::take(const SkinCatalogue& catalogue) {
    count = catalogue.count;
    current = catalogue.current;
    for (int i = 1; i <= kMaxSkins; ++i) {
        const bool used = i <= count;
        const auto k = static_cast<std::size_t>(i - 1);
        paths[static_cast<std::size_t>(i)] = used ? catalogue.paths[k] : std::string();
        names[static_cast<std::size_t>(i)] = used ? catalogue.names[k] : std::string();
    }
}

void Game::LoadSkinCatalogue() {
    const SkinCatalogue cat = readSkinCatalogue(paths);
    skins.take(cat);
    scene.menus.AddSkinItem.enabled = skins.count < kMaxSkins;
    for (int i = 1; i <= kMaxSkins; ++i) {
        MenuItem& item = scene.menus.SelectSkinItem[i];
        item.visible = i <= skins.count;
        item.caption = skins.names[static_cast<std::size_t>(i)];
        item.checked = false;
    }

    if (!cat.random) {
        ChooseSkin(skins.current);
    } else {
        SetRandomSkin();
        ApplySkin(skins.current);
    }
}

void Game::ApplySkin(int index) {
    if (index < 1 || index > skins.count) return;
    const std::string previousSkin = skins.shownPath;
    skins.shownPath = skins.paths[static_cast<std::size_t>(index)];
    if (skins.shownPath == kNoPicture) {
        // No picture: the table and its top strip show the plain colour.
        scene.backgroundPicture.clear();
        return;
    }
    // A picture that cannot be loaded leaves the previous background.
    if (isLoadablePicture(skins.shownPath)) {
        scene.backgroundPicture = skins.shownPath;
        return;
    }
    // The previous background may be the end-of-round board's picture (the
    // deal re-applies the skin right after the board). The board's picture
    // is never a table: fall back to the skin shown before, or none.
    if (scene.backgroundPicture == paths.pictureFolder + "/endround1.bmp") {
        if (previousSkin != kNoPicture && isLoadablePicture(previousSkin))
            scene.backgroundPicture = previousSkin;
        else
            scene.backgroundPicture.clear();
    }
}

void Game::ChooseSkin(int index) {
    if (index < 1 || index > skins.count) return;
    scene.skinOverlay.visible = index >= 6;
    for (int i = 1; i <= kMaxSkins; ++i) scene.menus.SelectSkinItem[i].checked = false;
    skins.random = false;
    scene.menus.SelectSkinItem[index].checked = true;
    scene.menus.RandomSkinItem.checked = false;
    skins.current = index;
    if (index < static_cast<int>(kSkinColors.size()))
        scene.backColor = kSkinColors[static_cast<std::size_t>(index)];
    ApplySkin(index);
}

void Game::SetRandomSkin() {
    for (int i = 1; i <= kMaxSkins; ++i) scene.menus.SelectSkinItem[i].checked = false;
    scene.menus.RandomSkinItem.checked = true;
    skins.random = true;
}

void Game::PickRandomSkin() {
    if (skins.count < 1) return;
    int k = 0;
    // Draws until the number falls in 1..N; a generator that keeps
    // answering out of range cannot hang the deal.
    for (int tries = 0; tries < 1000 && (k < 1 || k > skins.count); ++tries)
        k = static_cast<int>(std::floor(skins.count * Rnd("random skin") + 1));
    k = std::clamp(k, 1, skins.count);
    ApplySkin(k);
    skins.current = k;
    scene.skinOverlay.visible = skins.current >= 6;
}

void Game::AddSkin() {
    if (skins.count >= kMaxSkins) return;
    const auto file =
        dialogs.openFile("Add New Skin...", "Jpeg File (*.jpg)|*.jpg|Bitmap File (*.bmp)|*.bmp");
    if (!file || file->empty()) return;
    if (holdsLineBreak(*file)) {
        dialogs.messageBox("This file's name holds a line break and cannot be kept as a skin.",
                           "Add New Skin...", MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    auto name = dialogs.inputBox("Please Input your Skin Name ", "Skin Name", *file);
    if (!name || name->empty()) return;
    // One value a line in the skin list: a name cannot hold a line break.
    std::replace_if(
        name->begin(), name->end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');

    for (int i = 1; i <= kMaxSkins; ++i) scene.menus.SelectSkinItem[i].checked = false;
    scene.menus.RandomSkinItem.checked = false;
    ++skins.count;
    if (skins.count >= kMaxSkins) scene.menus.AddSkinItem.enabled = false;
    const auto n = static_cast<std::size_t>(skins.count);
    skins.paths[n] = *file;
    skins.names[n] = *name;
    MenuItem& item = scene.menus.SelectSkinItem[skins.count];
    item.caption = *name;
    item.visible = true;
    ChooseSkin(skins.count);
    SaveSkinCatalogue();
}

void Game::SaveSkinCatalogue() {
    // Nothing loaded yet: an empty list would only be read back as garbage.
    if (skins.count < 1 || skins.count > kMaxSkins || paths.skinFile.empty()) return;

    std::string text;
    const auto line = [&text](const std::string& s) { text += s + "\r\n"; };
    for (int i = 1; i <= skins.count; ++i) line(skins.paths[static_cast<std::size_t>(i)]);
    for (int i = 1; i <= skins.count; ++i) line(skins.names[static_cast<std::size_t>(i)]);
    line(plain(skins.count));
    line(plain(skins.current));
    line(skins.random ? "1" : "0");

    // A failed write (full disk, no permission) leaves the old list as it was.
    replaceFile(paths.skinFile, text);
}

}  // namespace vornak
