// The records file and the hall of fame.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/fakes.h"

namespace vornak::test {
namespace {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string lines(std::initializer_list<const char*> ls) {
    std::string out;
    for (const char* l : ls) out += std::string(l) + "\r\n";
    return out;
}

const std::string kThreeRecords =
    lines({"Ann", "Bob", "Cid", "Dee", "Eve", "Fay", " 30000", " 20000", " 5000", "0:05:00",
           "0:08:00", "0:10:00", " 300", " 480", " 600"});

class RecordsTest : public ::testing::Test {
protected:
    // A won game: the money kept at its end, its time and its clock text.
    void win(const std::string& name, long money, long seconds, const std::string& clock) {
        g.PlayerName = name;
        g.MoneyAtRoundStart = money;
        g.ElapsedSeconds = seconds;
        g.FinalTime = clock;
        g.UpdateRecords();
    }
    const std::string& line(int i) const { return g.RecordLines[static_cast<std::size_t>(i)]; }

    TestTable t;
    Game& g = t.game;
};

TEST_F(RecordsTest, MissingFileShowsDashesAndAnyWinEntersBothTables) {
    HallOfFame hall;
    hall.load(g);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(hall.lblName[i].caption, "-");
    EXPECT_EQ(hall.lblScore[1].caption, "");
    EXPECT_EQ(g.MoneyRecordFloor[3], 0);
    EXPECT_EQ(g.TimeRecordFloor[3], 10000);
    EXPECT_EQ(line(15), "10000");

    win("Ann", 5000, 600, "0:10:00");
    EXPECT_EQ(readFile(g.paths.recordsFile),
              lines({"Ann", "-", "-", "Ann", "-", "-", " 5000", " 0", " 0", "0:10:00", "", "",
                     " 600", " 10000", " 10000"}));
}

TEST_F(RecordsTest, MergesInOrderAndEqualResultsDoNotEnter) {
    writeFile(g.paths.recordsFile, kThreeRecords);
    g.ReadRecords();
    EXPECT_EQ(g.MoneyRecordFloor[3], 5000);
    EXPECT_EQ(g.TimeRecordFloor[3], 600);
    EXPECT_EQ(line(7), "30000");

    win("Gus", 5000, 600, "0:10:00");  // equal to the third: neither table
    EXPECT_EQ(line(3), "Cid");
    EXPECT_EQ(line(6), "Fay");
    EXPECT_EQ(g.MoneyRecordFloor[3], 5000);

    win("Hal", 20000, 480, "0:08:00");  // ties with the second: the older stays ahead
    EXPECT_EQ(line(2), "Bob");
    EXPECT_EQ(line(3), "Hal");
    EXPECT_EQ(line(9), " 20000");
    EXPECT_EQ(line(5), "Eve");
    EXPECT_EQ(line(6), "Hal");
    EXPECT_EQ(line(15), " 480");
    EXPECT_EQ(g.MoneyRecordFloor[3], 20000);
    EXPECT_EQ(g.TimeRecordFloor[3], 480);

    win("Ivy", 90000, 100, "0:01:40");
    EXPECT_EQ(line(1), "Ivy");
    EXPECT_EQ(line(4), "Ivy");
    EXPECT_EQ(line(10), "0:01:40");
    EXPECT_EQ(line(11), "0:05:00");
    g.ReadRecords();
    EXPECT_EQ(line(2), "Ann");
    EXPECT_EQ(line(8), "30000");
}

TEST_F(RecordsTest, ShortLongAndGarbledFilesReadSafely) {
    writeFile(g.paths.recordsFile, "Bob\nAmy");
    g.ReadRecords();
    EXPECT_EQ(line(1), "Bob");
    EXPECT_EQ(line(2), "Amy");
    EXPECT_EQ(line(3), "-");
    EXPECT_EQ(line(9), "");
    EXPECT_EQ(line(13), "10000");
    EXPECT_EQ(g.MoneyRecordFloor[1], 0);

    std::string longFile = kThreeRecords;
    for (int i = 0; i < 20; ++i) longFile += "extra\r\n";
    writeFile(g.paths.recordsFile, longFile);
    g.ReadRecords();
    EXPECT_EQ(line(15), "600");
    EXPECT_EQ(line(1), "Ann");

    // Odd numbers: a zero or negative time counts as no record.
    writeFile(g.paths.recordsFile, lines({"a", "b", "c", "d", "e", "f", "12abc", "99999999999999",
                                          "-5", "x", "y", "z", "0", "-7", "oops"}));
    g.ReadRecords();
    EXPECT_EQ(g.MoneyRecordFloor[1], 12);
    EXPECT_GT(g.MoneyRecordFloor[2], 0);
    EXPECT_EQ(g.MoneyRecordFloor[3], -5);
    EXPECT_EQ(g.TimeRecordFloor[1], 10000);
    EXPECT_EQ(g.TimeRecordFloor[2], 10000);
    EXPECT_EQ(g.TimeRecordFloor[3], 10000);

    std::string junk;
    for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 37 + 11) % 256);
    writeFile(g.paths.recordsFile, junk);
    HallOfFame hall;
    hall.load(g);
    for (int i = 1; i <= 15; ++i) {
        // Whatever was read is text the window can show.
        for (unsigned char c : line(i)) EXPECT_GE(c, 0x20);
        EXPECT_LE(line(i).size(), 256u);
    }
    win("Ann", 1, 1, "0:00:01");  // and the records still merge and save
    const std::string saved = readFile(g.paths.recordsFile);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 15);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), ','), 0);
    g.ReadRecords();
    EXPECT_TRUE(line(1) == "Ann" || line(2) == "Ann" || line(3) == "Ann");
    EXPECT_TRUE(line(4) == "Ann" || line(5) == "Ann" || line(6) == "Ann");
}

TEST_F(RecordsTest, NamesReadBackAsOneField) {
    writeFile(g.paths.recordsFile, "\"Smith, J\",Lee\r\n");
    g.ReadRecords();
    EXPECT_EQ(line(1), "Smith, J");
    EXPECT_EQ(line(2), "Lee");

    fs::remove(g.paths.recordsFile);
    g.ReadRecords();
    win("Lee, Ann \"Ace\"\r\nX", 5000, 600, "0:10:00");
    g.ReadRecords();
    EXPECT_EQ(line(2), "-");
    EXPECT_EQ(line(7), "5000");
    EXPECT_EQ(line(13), "600");
    EXPECT_EQ(line(1), line(4));
    EXPECT_NE(line(1).find("Lee"), std::string::npos);
    EXPECT_NE(line(1).find("Ace"), std::string::npos);
    EXPECT_EQ(line(1).find(','), std::string::npos);

    win("สมชาย ใจดี", 6000, 500, "0:08:20");
    g.ReadRecords();
    EXPECT_EQ(line(1), "สมชาย ใจดี");
    EXPECT_EQ(line(4), "สมชาย ใจดี");
}

TEST_F(RecordsTest, AFailedSaveLeavesTheOldRecords) {
    writeFile(g.paths.recordsFile, kThreeRecords);
    g.ReadRecords();
    // The temporary file cannot be created.
    fs::create_directory(g.paths.recordsFile + ".tmp");
    win("Gus", 99999, 1, "0:00:01");
    EXPECT_EQ(line(1), "Gus");  // merged in memory
    EXPECT_EQ(readFile(g.paths.recordsFile), kThreeRecords);
    fs::remove(g.paths.recordsFile + ".tmp");

    if (::geteuid() != 0) {  // permissions do not bind the superuser
        fs::permissions(t.dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
        g.SaveRecords();
        fs::permissions(t.dir.path(), fs::perms::owner_all);
        EXPECT_EQ(readFile(g.paths.recordsFile), kThreeRecords);
    }

    g.SaveRecords();
    EXPECT_NE(readFile(g.paths.recordsFile), kThreeRecords);
    EXPECT_FALSE(fs::exists(g.paths.recordsFile + ".tmp"));
}

TEST_F(RecordsTest, SaveCreatesTheFolder) {
    g.paths.recordsFile = t.dir.file("data/vornak/ScoreData.Dat");
    g.ReadRecords();
    win("Ann", 5000, 600, "0:10:00");
    EXPECT_TRUE(fs::exists(g.paths.recordsFile));
}

}  // namespace
}  // namespace vornak::test
