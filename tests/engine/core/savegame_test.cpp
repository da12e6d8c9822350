// The game in progress across program runs: offered at start, continued
// exactly, removed when the game is over, and set aside when it cannot be
// read. (Continuing at every kind of boundary, round ends and game ends
// included, is played out in soak/resume_test.cpp.)
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/fakes.h"

namespace vornak {
namespace {

namespace fs = std::filesystem;
using test::ScriptedDialogs;
using test::TempDir;

// One run of the program on a data folder.
struct Program {
    Program(const TempDir& dir, std::uint64_t seed, std::string saveFile = {})
        : random(seed),
          game(dialogs, random,
               Paths{dir.path().string(), dir.file("skins.txt"), dir.file("ScoreData.Dat"),
                     saveFile.empty() ? dir.file("Game.sav") : saveFile}) {}
    ScriptedDialogs dialogs;
    SeededRandom random;
    Game game;

    void start() {
        game.ProgramStart();
        game.MainWindowLoad();
    }
    // Plays the computer seats until the person's turn begins.
    void playToPersonsTurn() {
        for (int i = 0; i < 10000 && game.boundary() != SavePoint::PersonToPlay; ++i) {
            if (game.seq.waiting())
                game.seq.resume();
            else
                game.turnTimerTick();
        }
        ASSERT_EQ(game.boundary(), SavePoint::PersonToPlay);
    }
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The files moved aside in the folder.
std::vector<fs::path> setAside(const TempDir& dir) {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(dir.path()))
        if (e.path().filename().string().starts_with("Game.sav.unreadable-"))
            out.push_back(e.path());
    return out;
}

// The checksum line of a save whose body was edited.
std::string resealed(std::string text) {
    text.erase(text.rfind("check "));
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ULL;
    }
    char line[40];
    std::snprintf(line, sizeof line, "check %016llx\n", static_cast<unsigned long long>(h));
    return text + line;
}

TEST(SavedGame, ContinuedWhereItWasLeft) {
    TempDir dir;
    Program first(dir, 11);
    first.start();
    first.playToPersonsTurn();
    const std::string saved = readFile(dir.path() / "Game.sav");
    ASSERT_FALSE(saved.empty());

    // A new run, with another seed: the offer comes before the name prompt.
    Program second(dir, 99);
    second.start();
    ASSERT_EQ(second.dialogs.choices.size(), 1u);
    const auto& offer = second.dialogs.choices[0];
    EXPECT_EQ(offer.buttons, (std::vector<std::string>{"เล่นต่อจากเดิม", "เริ่มเกมใหม่"}));
    EXPECT_NE(offer.text.find("Noname"), std::string::npos) << offer.text;
    EXPECT_NE(offer.text.find("รอบที่ 1"), std::string::npos) << offer.text;
    EXPECT_TRUE(second.dialogs.prompts.empty());
    EXPECT_EQ(second.game.match.PlayerName, first.game.match.PlayerName);

    // Exactly the same game: saved again it gives the same bytes, and it
    // plays on alike (the person's draw is steered by the random numbers).
    EXPECT_EQ(second.game.boundary(), SavePoint::PersonToPlay);
    EXPECT_EQ(writeSavedGame(second.game, SavePoint::PersonToPlay), saved);
    for (int c = 1; c <= 52; ++c) {
        EXPECT_EQ(second.game.scene.cardFace[c].left, first.game.scene.cardFace[c].left);
        EXPECT_EQ(second.game.scene.cardBack[c].visible, first.game.scene.cardBack[c].visible);
    }
    const int top = first.game.table.Seats[0].Cards.top();
    first.game.stockDblClick(top);
    second.game.stockDblClick(top);
    EXPECT_EQ(second.game.table.Seats[4].Cards.toVector(),
              first.game.table.Seats[4].Cards.toVector());
    EXPECT_EQ(second.game.scene.hintLine.caption, first.game.scene.hintLine.caption);
}

TEST(SavedGame, NewGameInsteadAndGameOverRemoveIt) {
    TempDir dir;
    {
        Program first(dir, 3);
        first.start();
        first.playToPersonsTurn();
    }
    Program second(dir, 4);
    second.dialogs.choiceAnswers = {1};  // a new game
    second.start();
    EXPECT_EQ(second.dialogs.prompts.size(), 1u);  // asked for the name as always
    EXPECT_FALSE(fs::exists(dir.path() / "Game.sav"));
    EXPECT_EQ(second.game.table.Seats[4].CardCount(), 7);

    // Saved again as the game goes on; a decided game leaves nothing to
    // continue (before its records are written).
    second.playToPersonsTurn();
    ASSERT_TRUE(fs::exists(dir.path() / "Game.sav"));
    second.game.showEndScreen();
    EXPECT_FALSE(fs::exists(dir.path() / "Game.sav"));

    // Closing the window at a boundary saves the game as it stands.
    second.game.StartNewGame();
    second.playToPersonsTurn();
    second.game.ChooseSkin(2);  // changed after the save
    second.game.queryClose();
    Program third(dir, 5);
    third.start();
    EXPECT_EQ(third.game.skins.current, 2);
    EXPECT_EQ(third.game.boundary(), SavePoint::PersonToPlay);
}

TEST(SavedGame, UnreadableSavesAreSetAside) {
    TempDir source;
    Program maker(source, 21);
    maker.start();
    maker.playToPersonsTurn();
    const std::string good = readFile(source.path() / "Game.sav");
    ASSERT_GT(good.size(), 1000u);

    std::string flipped = good;
    flipped[good.size() / 2] ^= 0x20;
    std::string twice = good;  // a card in two places, the checksum made to fit
    const auto hand = twice.find("\nseat 4 ");
    ASSERT_NE(hand, std::string::npos);
    const auto stock = twice.find("\nseat 0 ");
    std::istringstream stockLine(twice.substr(stock + 1, twice.find('\n', stock + 1) - stock - 1));
    std::string word;
    for (int i = 0; i < 14; ++i) stockLine >> word;  // seat 0, 9 values, count, last, slot 0
    int stockCard = 0;
    stockLine >> stockCard;  // the first stock card
    const auto handLine = twice.find('\n', hand + 1);
    std::string line = twice.substr(hand + 1, handLine - hand - 1);
    std::istringstream words(line);
    std::vector<std::string> parts;
    while (words >> word) parts.push_back(word);
    parts[14] = std::to_string(stockCard);  // the hand's first card
    std::string rebuilt;
    for (const auto& p : parts) rebuilt += (rebuilt.empty() ? "" : " ") + p;
    twice.replace(hand + 1, handLine - hand - 1, rebuilt);
    twice = resealed(twice);
    std::string newer = good;
    newer.replace(newer.find("version 2"), 9, "version 3");

    struct Case {
        const char* name;
        std::string text;
        const char* says;
    };
    const Case cases[] = {
        {"cut in half", good.substr(0, good.size() / 2), "ไม่สามารถอ่านเกมที่บันทึกไว้ได้"},
        {"checksum line lost", good.substr(0, good.rfind("check ")), "ไม่สามารถอ่านเกมที่บันทึกไว้ได้"},
        {"a byte changed", flipped, "ไม่สามารถอ่านเกมที่บันทึกไว้ได้"},
        {"a card twice", twice, "ไม่สามารถอ่านเกมที่บันทึกไว้ได้"},
        {"empty", "", "ไม่สามารถอ่านเกมที่บันทึกไว้ได้"},
        {"not a save",
         "\x7f"
         "ELF\x02\x01\x01 garbage\n",
         "ไม่สามารถอ่านเกมที่บันทึกไว้ได้"},
        {"a newer version", newer, "รุ่นที่ใหม่กว่านี้"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writeFile(dir.path() / "Game.sav", c.text);
        Program p(dir, 1);
        p.start();
        EXPECT_TRUE(p.dialogs.choices.empty());
        ASSERT_EQ(p.dialogs.messages.size(), 1u);
        const auto& m = p.dialogs.messages[0];
        EXPECT_EQ(m.title, "คำเตือน");
        EXPECT_NE(m.text.find(c.says), std::string::npos) << m.text;
        // Kept under a clear name, byte for byte, and named in the message.
        const auto aside = setAside(dir);
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(readFile(aside[0]), c.text);
        EXPECT_NE(m.text.find(aside[0].string()), std::string::npos);
        // A normal start: the name asked, a fresh game dealt.
        EXPECT_EQ(p.dialogs.prompts.size(), 1u);
        EXPECT_EQ(p.game.table.Seats[4].CardCount(), 7);
        EXPECT_EQ(p.game.match.RoundNumber, 1);
    }

    // Something that is no file at all is moved aside the same way.
    TempDir dir;
    fs::create_directory(dir.path() / "Game.sav");
    Program p(dir, 1);
    p.start();
    EXPECT_EQ(setAside(dir).size(), 1u);
    EXPECT_EQ(p.dialogs.messages.size(), 1u);
}

TEST(SavedGame, ValuesPlayRarelyChangesComeBackToo) {
    // The played games above and in the soak rarely scroll the notebook,
    // choose a lay-off kind or arm the starter hand: such values come back
    // as well (saved again, the restored game gives the same bytes).
    TempDir dir;
    Program p(dir, 17);
    p.start();
    p.playToPersonsTurn();
    Game& g = p.game;
    g.notebook.scroll = 2;
    g.notebook.rows = 5;
    g.showDummyStateItem_Click();
    g.SetRandomSkin();
    g.match.GiveStarterHand = true;
    g.match.ExpertPlayers = true;
    g.match.Players[2].Name = "ชื่อ \"แปลก\"\t\\";
    g.match.PlayLogs[3].Entries[12] = "\x01\x7f";
    g.scene.windowCursor = Cursor::Busy;
    g.scene.menus.EndScoreHard[2].checked = true;
    const std::string text = writeSavedGame(g, SavePoint::PersonToPlay);
    const SaveRead read = readSavedGame(text);
    ASSERT_EQ(read.status, SaveRead::Status::Read) << read.why;
    Program q(dir, 18);
    ASSERT_TRUE(applySavedGame(q.game, read.game));
    EXPECT_EQ(writeSavedGame(q.game, SavePoint::PersonToPlay), text);
    EXPECT_EQ(q.game.match.Players[2].Name, g.match.Players[2].Name);
    EXPECT_TRUE(q.game.person.LayOffKindRun);
    EXPECT_TRUE(q.game.scene.menus.RandomSkinItem.checked);
}

// The opponents were one flag (the Expert or the rules' players); the Master
// is a third value in its place, so a save from before reads as it did.
TEST(SavedGame, TheOpponentsComeBackTheMasterAmongThem) {
    TempDir dir;
    Program p(dir, 17);
    p.start();
    p.playToPersonsTurn();
    for (int opponents = 0; opponents <= 2; ++opponents) {
        p.game.match.ExpertPlayers = opponents == 1;
        p.game.match.MasterPlayers = opponents == 2;
        const SaveRead read = readSavedGame(writeSavedGame(p.game, SavePoint::PersonToPlay));
        ASSERT_EQ(read.status, SaveRead::Status::Read) << read.why;
        Program q(dir, 18);
        ASSERT_TRUE(q.game.resumeGame(read.game));
        EXPECT_EQ(q.game.match.ExpertPlayers, opponents == 1);
        EXPECT_EQ(q.game.match.MasterPlayers, opponents == 2);
        EXPECT_EQ(q.game.prefs.masterPlayers, opponents == 2);
        EXPECT_EQ(q.game.level().masterSeats, opponents == 2 ? 0xEu : 0u);
        EXPECT_EQ(q.game.level().expertSeats, opponents == 1 ? 0xEu : 0u);
    }
}

TEST(SavedGame, WrittenInTheBackgroundAsTheProgramDoes) {
    TempDir dir;
    Program p(dir, 13);
    p.game.SaveInBackground = true;
    p.start();
    p.playToPersonsTurn();
    p.game.finishSaving();
    const std::string saved = readFile(dir.path() / "Game.sav");
    EXPECT_EQ(saved, writeSavedGame(p.game, SavePoint::PersonToPlay));
    p.game.StartNewGame();  // removed, in its turn after the saves before it
    p.game.finishSaving();
    EXPECT_FALSE(fs::exists(dir.path() / "Game.sav"));
}

TEST(SavedGame, AFailedSaveDisturbsNothing) {
    TempDir dir;
    writeFile(dir.path() / "file", "x");
    Program p(dir, 8, dir.file("file/Game.sav"));  // its folder cannot be made
    p.start();
    p.playToPersonsTurn();
    EXPECT_EQ(p.game.SavesWritten, 0);
    EXPECT_TRUE(p.dialogs.messages.empty());
    EXPECT_EQ(p.game.table.Seats[4].CardCount(), 7);
}

}  // namespace
}  // namespace vornak
