#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/skins/skins.h"
#include "support/fakes.h"

namespace vornak::test {
namespace {

namespace fs = std::filesystem;

const char* const kNames[] = {
    "Standard Skin       (Version 1.30)     ",
    "Gray Skin                (Common Style) ",
    "Casino Skin            (Classic Style)    ",
    "Black-Green Skin  (Modern Style)   ",
    "Black-Hole Skin     (Galaxy Style)     ",
    "None Skin                (Base Color)     ",
    "View Skin                 (Sunshine in the forrest) ",
};
const char* const kFiles[] = {
    "bkGrnd1.bmp", "bkGrnd2.jpg", "bkGrnd3.jpg", "bkGrnd4.bmp", "bkGrnd5.bmp", "", "bkGrnd6.jpg"};

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeAll(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto end = text.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at) + "<no CRLF>");
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// A skin list of the given lines, ended with CR LF.
std::string listText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    return text;
}

// Minimal files that start like pictures.
void writeBmp(const std::string& path) {
    writeAll(path, std::string("BM") + std::string(60, '\0'));
}
void writeJpeg(const std::string& path) {
    writeAll(path, "\xFF\xD8\xFF\xE0" + std::string(60, 'x'));
}

class Skins : public ::testing::Test {
protected:
    TestTable t;
    Game& g = t.game;
    std::string file(const std::string& name) { return t.dir.file(name); }
    void writeBuiltInPictures() {
        for (const char* f : kFiles) {
            const std::string name = f;
            if (name.empty()) continue;
            if (name.ends_with(".bmp"))
                writeBmp(file(name));
            else
                writeJpeg(file(name));
        }
    }
};

TEST_F(Skins, NoSkinFileGivesTheBuiltInCatalogueAndSavesSeventeenLines) {
    writeBuiltInPictures();
    g.LoadSkinCatalogue();

    EXPECT_EQ(g.skins.count, 7);
    EXPECT_EQ(g.skins.current, 5);
    EXPECT_FALSE(g.skins.random);
    for (int i = 1; i <= 7; ++i) {
        const auto& item = g.scene.menus.SelectSkinItem[i];
        EXPECT_TRUE(item.visible) << i;
        EXPECT_EQ(item.caption, kNames[i - 1]);
        EXPECT_EQ(item.checked, i == 5) << i;
        EXPECT_EQ(g.skins.names[static_cast<std::size_t>(i)], kNames[i - 1]);
    }
    EXPECT_FALSE(g.scene.menus.SelectSkinItem[8].visible);
    EXPECT_FALSE(g.scene.menus.RandomSkinItem.checked);
    EXPECT_TRUE(g.scene.menus.AddSkinItem.enabled);
    EXPECT_EQ(g.skins.paths[6], "Nothing");
    EXPECT_EQ(g.skins.shownPath, file("bkGrnd5.bmp"));
    EXPECT_EQ(g.scene.backgroundPicture, file("bkGrnd5.bmp"));
    EXPECT_EQ(g.scene.backColor, 0x808080u);
    EXPECT_FALSE(g.scene.skinOverlay.visible);

    g.SaveSkinCatalogue();
    const auto lines = crlfLines(readAll(g.paths.skinFile));
    ASSERT_EQ(lines.size(), 17u);
    for (int i = 0; i < 7; ++i) {
        const std::string f = kFiles[i];
        EXPECT_EQ(lines[static_cast<std::size_t>(i)], f.empty() ? "Nothing" : file(f));
        EXPECT_EQ(lines[static_cast<std::size_t>(7 + i)], kNames[i]);
    }
    EXPECT_EQ(lines[14], "7");
    EXPECT_EQ(lines[15], "5");
    EXPECT_EQ(lines[16], "0");
    EXPECT_FALSE(fs::exists(g.paths.skinFile + ".tmp"));
}

TEST_F(Skins, ACatalogueReadsBackExactlyAndIsWrittenTheSameWay) {
    writeBmp(file("mine.bmp"));
    const std::string text = listText({file("mine.bmp"), "Nothing", "/nowhere/x.jpg", "My  Skin   ",
                                       "  Plain colour\t ", "ไม่มีภาพ ", "3", "1", "0"});
    writeAll(g.paths.skinFile, text);
    g.LoadSkinCatalogue();

    ASSERT_EQ(g.skins.count, 3);
    EXPECT_EQ(g.skins.names[1], "My  Skin   ");
    EXPECT_EQ(g.skins.names[2], "  Plain colour\t ");
    EXPECT_EQ(g.skins.names[3], "ไม่มีภาพ ");
    EXPECT_EQ(g.skins.paths[3], "/nowhere/x.jpg");
    EXPECT_EQ(g.scene.menus.SelectSkinItem[2].caption, "  Plain colour\t ");
    EXPECT_FALSE(g.scene.menus.SelectSkinItem[4].visible);
    EXPECT_TRUE(g.scene.menus.SelectSkinItem[1].checked);
    EXPECT_EQ(g.scene.backgroundPicture, file("mine.bmp"));
    EXPECT_EQ(g.scene.backColor, 0x008000u);

    fs::remove(g.paths.skinFile);
    g.SaveSkinCatalogue();
    EXPECT_EQ(readAll(g.paths.skinFile), text);
}

TEST_F(Skins, LineFeedOnlyFilesAndTrailingBlankLinesStillRead) {
    writeAll(g.paths.skinFile, "Nothing\nOnly\n1\n1\n0\n\n\n");
    g.LoadSkinCatalogue();
    EXPECT_EQ(g.skins.count, 1);
    EXPECT_EQ(g.skins.names[1], "Only");
}

TEST_F(Skins, GarbledSkinFilesFallBackToTheBuiltInCatalogue) {
    std::vector<std::string> thousand(1000, "7");
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"too few lines", listText({"Nothing", "7", "1"})},
        {"count not a number", listText({"Nothing", "One", "x", "1", "0"})},
        {"current not a number", listText({"Nothing", "One", "1", "five", "0"})},
        {"flag not a number", listText({"Nothing", "One", "1", "1", "yes"})},
        {"count zero", listText({"a", "b", "0", "1", "0"})},
        {"count negative", listText({"a", "b", "-1", "1", "0"})},
        {"count above fifteen", listText({"a", "b", "16", "1", "0"})},
        {"count disagrees with lines", listText({"a", "b", "c", "d", "e", "2", "1", "0"})},
        {"huge count", listText({"a", "b", "99999999999999", "1", "0"})},
        {"a thousand lines", listText(thousand)},
        {"binary", std::string("\x00\xFF\xFE\x01\r\n\x02", 7)},
    };
    for (const auto& [what, text] : cases) {
        SCOPED_TRACE(what);
        TestTable fresh;
        writeAll(fresh.game.paths.skinFile, text);
        fresh.game.LoadSkinCatalogue();
        EXPECT_EQ(fresh.game.skins.count, 7);
        EXPECT_EQ(fresh.game.skins.current, 5);
        EXPECT_EQ(fresh.game.skins.names[5], kNames[4]);
        EXPECT_TRUE(fresh.game.scene.menus.SelectSkinItem[5].checked);
        EXPECT_FALSE(fresh.game.scene.menus.SelectSkinItem[8].visible);
    }
}

TEST_F(Skins, ACurrentSkinOutOfRangeReadsAsTheNearestSkin) {
    writeAll(g.paths.skinFile, listText({"Nothing", "Nothing", "A", "B", "2", "9", "0"}));
    g.LoadSkinCatalogue();
    EXPECT_EQ(g.skins.count, 2);
    EXPECT_EQ(g.skins.current, 2);
    EXPECT_TRUE(g.scene.menus.SelectSkinItem[2].checked);

    TestTable other;
    writeAll(other.game.paths.skinFile, listText({"Nothing", "A", "1", "-3", "0"}));
    other.game.LoadSkinCatalogue();
    EXPECT_EQ(other.game.skins.current, 1);
}

TEST_F(Skins, AddingSkinsGrowsTheMenuUpToFifteen) {
    g.LoadSkinCatalogue();
    writeJpeg(file("holiday.jpg"));

    // Cancelled file dialog, then an empty name: nothing changes.
    g.AddSkin();
    t.dialogs.fileAnswers.push_back(file("holiday.jpg"));
    t.dialogs.inputAnswers.push_back(std::string());
    g.AddSkin();
    EXPECT_EQ(g.skins.count, 7);
    EXPECT_FALSE(fs::exists(g.paths.skinFile));
    ASSERT_EQ(t.dialogs.fileDialogs.size(), 2u);
    EXPECT_EQ(t.dialogs.fileDialogs[0], "Add New Skin...");
    ASSERT_EQ(t.dialogs.prompts.size(), 1u);
    EXPECT_EQ(t.dialogs.prompts[0], "Please Input your Skin Name ");

    t.dialogs.fileAnswers.push_back(file("holiday.jpg"));
    t.dialogs.inputAnswers.push_back("Holiday ");
    g.AddSkin();
    EXPECT_EQ(g.skins.count, 8);
    EXPECT_TRUE(g.scene.menus.SelectSkinItem[8].visible);
    EXPECT_EQ(g.scene.menus.SelectSkinItem[8].caption, "Holiday ");
    EXPECT_TRUE(g.scene.menus.SelectSkinItem[8].checked);
    EXPECT_FALSE(g.scene.menus.SelectSkinItem[5].checked);
    EXPECT_EQ(g.skins.current, 8);
    EXPECT_TRUE(g.scene.skinOverlay.visible);
    EXPECT_EQ(g.scene.backgroundPicture, file("holiday.jpg"));
    EXPECT_TRUE(g.scene.menus.AddSkinItem.enabled);
    auto lines = crlfLines(readAll(g.paths.skinFile));
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[7], file("holiday.jpg"));
    EXPECT_EQ(lines[15], "Holiday ");
    EXPECT_EQ(lines[16], "8");
    EXPECT_EQ(lines[17], "8");

    for (int n = 9; n <= 15; ++n) {
        t.dialogs.fileAnswers.push_back(file("holiday.jpg"));
        t.dialogs.inputAnswers.push_back("Skin " + std::to_string(n));
        g.AddSkin();
        EXPECT_EQ(g.scene.menus.AddSkinItem.enabled, n < 15) << n;
    }
    EXPECT_EQ(g.skins.count, 15);
    EXPECT_EQ(crlfLines(readAll(g.paths.skinFile)).size(), 33u);

    // A sixteenth is never asked for.
    const auto asked = t.dialogs.fileDialogs.size();
    g.AddSkin();
    EXPECT_EQ(t.dialogs.fileDialogs.size(), asked);
    EXPECT_EQ(g.skins.count, 15);

    // The full catalogue loads again, with "Add New Skin....." disabled.
    TestTable next;
    next.game.paths.skinFile = g.paths.skinFile;
    next.game.LoadSkinCatalogue();
    EXPECT_EQ(next.game.skins.count, 15);
    EXPECT_EQ(next.game.skins.current, 15);
    EXPECT_EQ(next.game.scene.menus.SelectSkinItem[15].caption, "Skin 15");
    EXPECT_FALSE(next.game.scene.menus.AddSkinItem.enabled);
}

TEST_F(Skins, AFileNameWithALineBreakIsRefused) {
    g.LoadSkinCatalogue();
    t.dialogs.fileAnswers.push_back(file("odd\nname.jpg"));
    g.AddSkin();
    EXPECT_EQ(g.skins.count, 7);
    EXPECT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_TRUE(t.dialogs.prompts.empty());
}

TEST_F(Skins, APictureThatCannotBeLoadedKeepsThePreviousBackground) {
    writeBmp(file("bkGrnd1.bmp"));
    writeAll(file("bkGrnd3.jpg"), "not a picture");
    writeBmp(file("bkGrnd4.bmp"));
    fs::permissions(file("bkGrnd4.bmp"), fs::perms::none);
    const bool unreadable = !std::ifstream(file("bkGrnd4.bmp"));  // root reads anyway
    g.LoadSkinCatalogue();

    g.ChooseSkin(1);
    EXPECT_EQ(g.scene.backgroundPicture, file("bkGrnd1.bmp"));
    EXPECT_EQ(g.scene.backColor, 0x008000u);

    g.ChooseSkin(2);  // missing file
    EXPECT_EQ(g.scene.backgroundPicture, file("bkGrnd1.bmp"));
    EXPECT_EQ(g.skins.shownPath, file("bkGrnd2.jpg"));
    EXPECT_EQ(g.skins.current, 2);
    EXPECT_EQ(g.scene.backColor, 0x404080u);

    g.ChooseSkin(3);  // not a picture
    EXPECT_EQ(g.scene.backgroundPicture, file("bkGrnd1.bmp"));
    EXPECT_EQ(g.scene.backColor, 0x808000u);

    g.ChooseSkin(4);
    if (unreadable) {
        EXPECT_EQ(g.scene.backgroundPicture, file("bkGrnd1.bmp"));
    }
    EXPECT_EQ(g.scene.backColor, 0x000000u);
    fs::permissions(file("bkGrnd4.bmp"), fs::perms::owner_all);

    // "None Skin": no picture at all, the overlay on, the colour kept.
    g.ChooseSkin(6);
    EXPECT_EQ(g.scene.backgroundPicture, "");
    EXPECT_TRUE(g.scene.skinOverlay.visible);
    EXPECT_EQ(g.scene.backColor, 0x000000u);
    EXPECT_TRUE(g.scene.menus.SelectSkinItem[6].checked);
    EXPECT_FALSE(g.scene.menus.SelectSkinItem[4].checked);

    // Indexes outside the catalogue are ignored.
    g.ChooseSkin(0);
    g.ChooseSkin(8);
    g.ApplySkin(16);
    EXPECT_EQ(g.skins.current, 6);
}

// The deal re-applies the skin right after the end-of-round board: a skin
// picture that has gone missing must not leave the board's picture behind.
TEST_F(Skins, TheBoardPictureNeverStaysOnTheNextRound) {
    t.setUpGame();
    writeBmp(file("bkGrnd1.bmp"));
    writeBmp(file("bkGrnd4.bmp"));
    g.LoadSkinCatalogue();
    g.ChooseSkin(1);
    fs::remove(file("bkGrnd1.bmp"));
    g.ShowRoundEndBoard();
    g.DealRound();
    EXPECT_EQ(g.scene.backgroundPicture, "");  // the plain table colour
    EXPECT_EQ(g.scene.backColor, 0x008000u);

    // A random skin that cannot be loaded keeps the table's previous picture.
    g.ChooseSkin(4);
    g.SetRandomSkin();
    t.random.values = {0.0};  // skin 1, now missing
    g.ShowRoundEndBoard();
    g.DealRound();
    EXPECT_EQ(g.skins.current, 1);
    EXPECT_EQ(g.scene.backgroundPicture, file("bkGrnd4.bmp"));
}

TEST_F(Skins, RandomSkinsDrawEverySkinAndPersist) {
    g.LoadSkinCatalogue();
    g.SetRandomSkin();
    EXPECT_TRUE(g.skins.random);
    EXPECT_TRUE(g.scene.menus.RandomSkinItem.checked);
    for (int i = 1; i <= 7; ++i) EXPECT_FALSE(g.scene.menus.SelectSkinItem[i].checked);
    EXPECT_EQ(g.skins.current, 5);  // no new picture until the next deal

    t.random.values = {0.0, 0.9999, 0.75};
    g.PickRandomSkin();
    EXPECT_EQ(g.skins.current, 1);
    EXPECT_FALSE(g.scene.skinOverlay.visible);
    g.PickRandomSkin();
    EXPECT_EQ(g.skins.current, 7);
    EXPECT_TRUE(g.scene.skinOverlay.visible);
    EXPECT_EQ(g.skins.shownPath, file("bkGrnd6.jpg"));
    g.PickRandomSkin();
    EXPECT_EQ(g.skins.current, 6);  // int(7 * 0.75 + 1)

    // A draw out of range is drawn again.
    t.random.values = {1.0, 0.3};
    g.PickRandomSkin();
    EXPECT_EQ(g.skins.current, 3);

    std::array<int, 8> seen{};
    for (int i = 0; i < 7000; ++i) {
        g.PickRandomSkin();
        ++seen[static_cast<std::size_t>(g.skins.current)];
    }
    for (int k = 1; k <= 7; ++k) EXPECT_NEAR(seen[static_cast<std::size_t>(k)], 1000, 150) << k;
    EXPECT_TRUE(g.skins.random);

    // The next start keeps random skins on and applies the skin last drawn.
    writeBmp(file("bkGrnd2.jpg"));  // a BMP under a JPEG name loads too
    t.random.values = {0.2};
    g.PickRandomSkin();
    ASSERT_EQ(g.skins.current, 2);
    g.SaveSkinCatalogue();
    TestTable next;
    next.game.paths = g.paths;
    next.game.LoadSkinCatalogue();
    EXPECT_TRUE(next.game.skins.random);
    EXPECT_EQ(next.game.skins.current, 2);
    EXPECT_TRUE(next.game.scene.menus.RandomSkinItem.checked);
    EXPECT_FALSE(next.game.scene.menus.SelectSkinItem[2].checked);
    EXPECT_EQ(next.game.scene.backgroundPicture, file("bkGrnd2.jpg"));

    // Choosing a skin switches random skins off again.
    next.game.ChooseSkin(1);
    EXPECT_FALSE(next.game.skins.random);
    EXPECT_FALSE(next.game.scene.menus.RandomSkinItem.checked);
}

TEST_F(Skins, SavingCreatesTheFolderAndAFailedSaveKeepsTheOldFile) {
    g.LoadSkinCatalogue();
    g.paths.skinFile = file("config/vornak/SkinFileName.txt");
    g.SaveSkinCatalogue();
    EXPECT_EQ(crlfLines(readAll(g.paths.skinFile)).size(), 17u);

    // The folder cannot be made: a file stands in its way.
    writeAll(file("blocker"), "x");
    g.paths.skinFile = file("blocker/SkinFileName.txt");
    g.SaveSkinCatalogue();
    EXPECT_EQ(readAll(file("blocker")), "x");

    // The target is a folder: the rename fails and no temporary file stays.
    fs::create_directories(file("taken"));
    g.paths.skinFile = file("taken");
    g.SaveSkinCatalogue();
    EXPECT_TRUE(fs::is_directory(file("taken")));
    for (const auto& entry : fs::directory_iterator(t.dir.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with("taken.tmp"));
}

TEST_F(Skins, BuiltInPicturesAreFoundAfterTheProgramMoved) {
    writeBmp(file("bkGrnd1.bmp"));
    writeAll(g.paths.skinFile, listText({"/old/place/bkGrnd1.bmp", "/old/place/mine.jpg", "One",
                                         "Two", "2", "1", "0"}));
    g.LoadSkinCatalogue();
    EXPECT_EQ(g.skins.paths[1], file("bkGrnd1.bmp"));
    EXPECT_EQ(g.skins.paths[2], "/old/place/mine.jpg");
    EXPECT_EQ(g.scene.backgroundPicture, file("bkGrnd1.bmp"));
}

// The picture read ahead while the window starts is the one loading the
// catalogue puts on the table, or nothing when that is not known in advance.
TEST_F(Skins, TheStartingPictureIsTheOneTheCatalogueShows) {
    auto agrees = [this](const std::string& expected) {
        const std::string ahead = startingSkinPicture(g.paths);
        g.scene.backgroundPicture.clear();
        g.LoadSkinCatalogue();
        EXPECT_EQ(ahead, expected);
        if (!ahead.empty()) {
            EXPECT_EQ(ahead, g.scene.backgroundPicture);
        }
    };
    agrees("");  // no list, and no built-in pictures installed
    writeBuiltInPictures();
    agrees(file("bkGrnd5.bmp"));  // no list: the built-in current skin

    writeAll(g.paths.skinFile, listText({file("bkGrnd1.bmp"), "Nothing", file("gone.jpg"), "One",
                                         "None", "Gone", "3", "1", "0"}));
    agrees(file("bkGrnd1.bmp"));
    writeAll(g.paths.skinFile, listText({file("bkGrnd1.bmp"), "Nothing", file("gone.jpg"), "One",
                                         "None", "Gone", "3", "2", "0"}));
    agrees("");  // the plain colour
    writeAll(g.paths.skinFile, listText({file("bkGrnd1.bmp"), "Nothing", file("gone.jpg"), "One",
                                         "None", "Gone", "3", "3", "0"}));
    agrees("");  // a picture that is gone
    writeAll(g.paths.skinFile,
             listText({file("bkGrnd1.bmp"), file("bkGrnd4.bmp"), "One", "Two", "2", "1", "1"}));
    EXPECT_EQ(startingSkinPicture(g.paths), "");  // drawn at random at the start
}

}  // namespace
}  // namespace vornak::test
