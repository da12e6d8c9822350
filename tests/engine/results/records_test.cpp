// The records file and the hall of fame.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <latch>
#include <optional>
#include <sstream>
#include <thread>

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

// Writes beyond `bytes` fail in this process while it lives, as on a full
// disk (the limit binds the superuser too).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*previous_)(int) = SIG_DFL;
};

// Runs `call` on a thread of its own; true when it returns within five
// seconds. A call that still waits on the pipe `fifo` is then let go by
// opening the pipe's other end, so that the test fails instead of hanging.
bool returnsAtOnce(const std::function<void()>& call, const std::string& fifo) {
    auto done = std::async(std::launch::async, call);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return true;
    while (done.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }
    return false;
}

// Runs `body` in a child process that reads files as an ordinary user does:
// the superuser, whom permissions do not bind, becomes "nobody" there.
// Returns what `body` returned, or nothing when the user cannot be changed.
std::optional<std::string> runAsOrdinaryUser(const std::function<std::string()>& body) {
    int channel[2];
    if (::pipe(channel) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(77);
        const std::string said = body();
        const bool written =
            ::write(channel[1], said.data(), said.size()) == static_cast<ssize_t>(said.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(channel[1]);
    std::string said;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 77) return std::nullopt;
    return said;
}

class RecordsTest : public ::testing::Test {
protected:
    // A won game: the money kept at its end, its time and its clock text.
    void win(const std::string& name, long money, long seconds, const std::string& clock) {
        g.match.PlayerName = name;
        g.match.MoneyAtRoundStart = money;
        g.match.ElapsedSeconds = seconds;
        g.match.FinalTime = clock;
        g.UpdateRecords();
    }
    const std::string& line(int i) const { return g.records.lines[static_cast<std::size_t>(i)]; }
    // Where unreadable records were moved, oldest name first.
    std::vector<std::string> keptAside() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(t.dir.path()))
            if (entry.path().string().starts_with(path + ".unreadable-"))
                found.push_back(entry.path().string());
        std::sort(found.begin(), found.end());
        return found;
    }
    // Temporary files left beside the records.
    int leftovers() const {
        int n = 0;
        for (const auto& entry : fs::directory_iterator(t.dir.path()))
            n += entry.path().filename().string().find(".tmp") != std::string::npos;
        return n;
    }

    TestTable t;
    Game& g = t.game;
    const std::string path = g.paths.recordsFile;
};

TEST_F(RecordsTest, MissingFileShowsDashesAndAnyWinEntersBothTables) {
    HallOfFame hall;
    hall.load(g);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(hall.lblName[i].caption, "-");
    EXPECT_EQ(hall.lblScore[1].caption, "");
    EXPECT_EQ(g.records.moneyFloor[3], 0);
    EXPECT_EQ(g.records.timeFloor[3], 10000);
    EXPECT_EQ(line(15), "10000");

    win("Ann", 5000, 600, "0:10:00");
    EXPECT_EQ(readFile(g.paths.recordsFile),
              lines({"Ann", "-", "-", "Ann", "-", "-", " 5000", " 0", " 0", "0:10:00", "", "",
                     " 600", " 10000", " 10000"}));
}

TEST_F(RecordsTest, MergesInOrderAndEqualResultsDoNotEnter) {
    writeFile(g.paths.recordsFile, kThreeRecords);
    g.ReadRecords();
    EXPECT_EQ(g.records.moneyFloor[3], 5000);
    EXPECT_EQ(g.records.timeFloor[3], 600);
    EXPECT_EQ(line(7), "30000");

    win("Gus", 5000, 600, "0:10:00");  // equal to the third: neither table
    EXPECT_EQ(line(3), "Cid");
    EXPECT_EQ(line(6), "Fay");
    EXPECT_EQ(g.records.moneyFloor[3], 5000);

    win("Hal", 20000, 480, "0:08:00");  // ties with the second: the older stays ahead
    EXPECT_EQ(line(2), "Bob");
    EXPECT_EQ(line(3), "Hal");
    EXPECT_EQ(line(9), " 20000");
    EXPECT_EQ(line(5), "Eve");
    EXPECT_EQ(line(6), "Hal");
    EXPECT_EQ(line(15), " 480");
    EXPECT_EQ(g.records.moneyFloor[3], 20000);
    EXPECT_EQ(g.records.timeFloor[3], 480);

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
    EXPECT_EQ(g.records.moneyFloor[1], 0);

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
    EXPECT_EQ(g.records.moneyFloor[1], 12);
    EXPECT_GT(g.records.moneyFloor[2], 0);
    EXPECT_EQ(g.records.moneyFloor[3], -5);
    EXPECT_EQ(g.records.timeFloor[1], 10000);
    EXPECT_EQ(g.records.timeFloor[2], 10000);
    EXPECT_EQ(g.records.timeFloor[3], 10000);

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
    writeFile(path, kThreeRecords);
    g.ReadRecords();
    {
        FileSizeLimit diskFull(20);
        win("Gus", 99999, 1, "0:00:01");
    }
    EXPECT_EQ(line(1), "Gus");  // merged in memory
    EXPECT_EQ(readFile(path), kThreeRecords);
    EXPECT_EQ(leftovers(), 0);

    if (::geteuid() != 0) {  // permissions do not bind the superuser
        fs::permissions(t.dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
        g.SaveRecords();
        fs::permissions(t.dir.path(), fs::perms::owner_all);
        EXPECT_EQ(readFile(path), kThreeRecords);
    }

    g.SaveRecords();
    EXPECT_NE(readFile(path), kThreeRecords);
    EXPECT_EQ(leftovers(), 0);
}

TEST_F(RecordsTest, SaveCreatesTheFolder) {
    g.paths.recordsFile = t.dir.file("data/vornak/ScoreData.Dat");
    g.ReadRecords();
    win("Ann", 5000, 600, "0:10:00");
    EXPECT_TRUE(fs::exists(g.paths.recordsFile));
}

// A pipe (or a device) in the records' place would hold the game in its
// opening for good. It is not opened: the game goes on, and the pipe is
// kept aside like any file the game cannot read.
TEST_F(RecordsTest, APipeInTheRecordsPlaceNeverHoldsTheGame) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_TRUE(returnsAtOnce([this] { g.MainWindowLoad(); }, path));
    auto aside = keptAside();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_TRUE(fs::is_fifo(aside[0]));
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_EQ(t.dialogs.messages[0].title, "คำเตือน");
    EXPECT_NE(t.dialogs.messages[0].text.find(aside[0]), std::string::npos);
    EXPECT_EQ(line(1), "-");

    // Another one by the time the hall of fame opens.
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_TRUE(returnsAtOnce([this] { g.BestTimeItem_Click(); }, path));
    EXPECT_EQ(t.dialogs.hallOfFames, 1);
    aside = keptAside();
    ASSERT_EQ(aside.size(), 2u);
    EXPECT_TRUE(fs::is_fifo(aside[0]) && fs::is_fifo(aside[1]));
    EXPECT_EQ(t.dialogs.messages.size(), 2u);

    win("Ann", 5000, 600, "0:10:00");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
}

// A folder in the records' place cannot be read by anyone: it is kept
// aside whole, the player is told where, and new records start.
TEST_F(RecordsTest, AFolderInTheRecordsPlaceIsKeptAsideWhole) {
    fs::create_directory(path);
    writeFile(path + "/note.txt", "keep me");
    g.ReadRecords();
    const auto aside = keptAside();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(readFile(aside[0] + "/note.txt"), "keep me");
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_NE(t.dialogs.messages[0].text.find(aside[0]), std::string::npos);
    EXPECT_EQ(t.dialogs.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(line(1), "-");
    EXPECT_EQ(g.records.timeFloor[3], 10000);

    win("Ann", 5000, 600, "0:10:00");
    g.ReadRecords();
    EXPECT_EQ(line(1), "Ann");
    EXPECT_EQ(t.dialogs.messages.size(), 1u);  // told once
}

// A records file the player cannot read (here: no read permission, read by
// an ordinary user) is never replaced: it is kept aside byte for byte and
// the player is told where. When it cannot even be moved, it stays, nothing
// is saved over it, and the player is told once.
TEST_F(RecordsTest, AFileThatCannotBeReadIsNeverReplaced) {
    writeFile(path, kThreeRecords);
    fs::permissions(path, fs::perms::none);
    fs::permissions(t.dir.path(), fs::perms::all);  // the child may write here
    const auto playAndListMessages = [this] {
        g.ReadRecords();
        win("Gus", 7000, 700, "0:11:40");
        g.ReadRecords();  // the hall of fame
        std::string said;
        for (const auto& m : t.dialogs.messages) said += m.title + "|" + m.text + "\n";
        return said;
    };
    const auto said = runAsOrdinaryUser(playAndListMessages);
    if (!said) GTEST_SKIP() << "cannot run as an ordinary user";
    const auto aside = keptAside();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(*said,
              "คำเตือน|ไม่สามารถอ่านไฟล์บันทึกสถิติ (Hall of Fame) ได้\n"
              "ไฟล์เดิมถูกย้ายไปเก็บไว้ที่\n" +
                  aside[0] + "\nเกมจะเริ่มบันทึกสถิติใหม่\n");
    EXPECT_EQ(readFile(aside[0]), kThreeRecords);
    EXPECT_EQ(fs::status(aside[0]).permissions(), fs::perms::none);
    EXPECT_EQ(readFile(path), lines({"Gus", "-", "-", "Gus", "-", "-", " 7000", " 0", " 0",
                                     "0:11:40", "", "", " 700", " 10000", " 10000"}));

    // The folder is not the player's to change either: the file stays.
    fs::remove(aside[0]);
    writeFile(path, kThreeRecords);
    fs::permissions(path, fs::perms::none);
    fs::permissions(t.dir.path(), fs::perms::owner_read | fs::perms::owner_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
    const auto stuck = runAsOrdinaryUser(playAndListMessages);
    fs::permissions(t.dir.path(), fs::perms::owner_all);
    ASSERT_TRUE(stuck);
    EXPECT_EQ(*stuck, "คำเตือน|ไม่สามารถอ่านไฟล์บันทึกสถิติ (Hall of Fame) ได้\n" + path +
                          "\nสถิติใหม่จะไม่ถูกบันทึกจนกว่าจะแก้ไขหรือย้ายไฟล์นี้\n");
    EXPECT_EQ(readFile(path), kThreeRecords);
    EXPECT_TRUE(keptAside().empty());
}

// Two copies of the game, each with the records it read at its start: every
// save merges into the file as it is then.
TEST_F(RecordsTest, TwoCopiesKeepEachOthersRecords) {
    TestTable other;
    other.game.paths.recordsFile = path;
    g.ReadRecords();
    other.game.ReadRecords();
    win("Ann", 5000, 600, "0:10:00");
    other.game.match.PlayerName = "Bob";
    other.game.match.MoneyAtRoundStart = 7000;
    other.game.match.ElapsedSeconds = 900;
    other.game.match.FinalTime = "0:15:00";
    other.game.UpdateRecords();
    win("Cid", 6000, 700, "0:11:40");
    EXPECT_EQ(readFile(path),
              lines({"Bob", "Cid", "Ann", "Ann", "Cid", "Bob", " 7000", " 6000", " 5000", "0:10:00",
                     "0:11:40", "0:15:00", " 600", " 700", " 900"}));
}

// Two copies saving at the same moment, again and again: the file ends with
// the three best of all their games.
TEST(RecordsTogether, TwoCopiesSavingAtOnceLoseNothing) {
    TestTable ann, bob;
    bob.game.paths.recordsFile = ann.game.paths.recordsFile;
    constexpr int kGames = 30;
    std::latch start(2);
    const auto play = [&start](Game& g, const std::string& name, int offset) {
        g.ReadRecords();
        start.arrive_and_wait();
        for (int k = 1; k <= kGames; ++k) {
            g.match.PlayerName = name;
            g.match.MoneyAtRoundStart = 1000 * k + offset;
            g.match.ElapsedSeconds = 9000 - 100 * k - offset;
            g.match.FinalTime = name + std::to_string(k);
            g.UpdateRecords();
        }
    };
    std::thread first(play, std::ref(ann.game), "Ann", 1);
    std::thread second(play, std::ref(bob.game), "Bob", 2);
    first.join();
    second.join();
    EXPECT_EQ(readFile(ann.game.paths.recordsFile),
              lines({"Bob", "Ann", "Bob", "Bob", "Ann", "Bob", " 30002", " 30001", " 29002",
                     "Bob30", "Ann30", "Bob29", " 5998", " 5999", " 6098"}));
}

// Links planted where the game writes (its temporary names, the lock, the
// records' own place) never lead a save to another file.
TEST_F(RecordsTest, SavesNeverWriteThroughAPlantedLink) {
    const std::string victim = t.dir.file("victim.txt");
    writeFile(victim, "precious");
    for (const std::string& planted : {path + ".tmp", path + ".lock", g.paths.skinFile + ".tmp"})
        fs::create_symlink(victim, planted);
    g.ReadRecords();
    win("Ann", 5000, 600, "0:10:00");
    g.LoadSkinCatalogue();
    g.SaveSkinCatalogue();
    EXPECT_EQ(readFile(victim), "precious");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
    EXPECT_EQ(readFile(path).substr(0, 5), "Ann\r\n");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(g.paths.skinFile)));

    // A link in the records' place is read, and the save puts a file there.
    fs::remove(path);
    fs::create_symlink(victim, path);
    g.ReadRecords();
    EXPECT_EQ(line(1), "precious");
    win("Bob", 6000, 500, "0:08:20");
    EXPECT_EQ(readFile(victim), "precious");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
    EXPECT_EQ(readFile(path).substr(0, 5), "Bob\r\n");
}

// Records written by the game on Windows keep Thai names in code page 874;
// they read as Thai and are saved in UTF-8 from then on.
TEST_F(RecordsTest, ThaiWindowsNamesReadAsThaiAndAreSavedAsUtf8) {
    const std::string somchai = "\xCA\xC1\xAA\xD2\xC2";  // "สมชาย" in code page 874
    const std::string tom = "\x93Tom\x94";               // quotes only Windows has there
    writeFile(path, lines({somchai.c_str(), "Bob", "-", somchai.c_str(), tom.c_str(), "-", " 30000",
                           " 20000", " 0", "0:05:00", "0:06:40", "", " 300", " 400", " 10000"}));
    HallOfFame hall;
    hall.load(g);
    EXPECT_EQ(hall.lblName[1].caption, "สมชาย");
    EXPECT_EQ(hall.lblName[4].caption, "สมชาย");
    EXPECT_EQ(hall.lblName[5].caption, "\u201CTom\u201D");
    EXPECT_EQ(line(2), "Bob");

    win("Ann", 1000, 9000, "2:30:00");
    EXPECT_EQ(readFile(path).substr(0, 60),
              "สมชาย\r\nBob\r\nAnn\r\nสมชาย\r\n\u201CTom\u201D\r\nAnn\r\n");
    g.ReadRecords();
    EXPECT_EQ(line(4), "สมชาย");
    EXPECT_EQ(line(5), "\u201CTom\u201D");
}

}  // namespace
}  // namespace vornak::test
