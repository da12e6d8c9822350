// The history of games: its file (torn writes, copies of the game writing
// at once, files that cannot be read), its figures, and the games the game
// puts into it.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "game/results/history.h"
#include "game/results/historygame.h"
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
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

GameRecord game(long money, std::string level = "beginner", std::string result = "won",
                std::int64_t when = 1'800'000'000) {
    GameRecord g;
    g.when = when;
    g.player = "Ann";
    g.level = std::move(level);
    g.target = 300;
    g.result = std::move(result);
    g.rounds = 4;
    g.points = 320;
    g.money = money;
    g.seconds = 900;
    return g;
}

std::vector<fs::path> setAside(const TempDir& dir) {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(dir.path()))
        if (e.path().filename().string().starts_with("History.csv.unreadable-"))
            out.push_back(e.path());
    return out;
}

// ---- The lines ----

TEST(HistoryLines, EveryFieldReadsBackAndTimesKeepTheirOffset) {
    GameRecord g = game(-1150, "vip", "gaveup");
    g.player = "สมชาย, \"the\" king ";  // a comma, quotes and a trailing blank
    g.mode = "mission";
    g.opponents = "master";  // a kind this version does not know
    g.utcOffset = -(3 * 3600 + 30 * 60);
    g.knocks = 2;
    g.darkKnocks = 1;
    g.fooled = 3;
    g.foolsWon = 4;
    const HistoryText read = parseHistory(historyHeader() + historyLine(g));
    ASSERT_EQ(read.games.size(), 1u);
    EXPECT_EQ(read.games[0], g);
    EXPECT_EQ(read.skipped, 0);

    EXPECT_EQ(historyTime(0, 7 * 3600), "1970-01-01 07:00:00+07:00");
    std::int64_t when = 0;
    int offset = 0;
    ASSERT_TRUE(parseHistoryTime("2024-02-29 23:59:59-03:30", when, offset));
    EXPECT_EQ(historyTime(when, offset), "2024-02-29 23:59:59-03:30");
    EXPECT_FALSE(parseHistoryTime("2024-13-01 00:00:00+00:00", when, offset));
    EXPECT_FALSE(parseHistoryTime("2024-01-01 00:00:00", when, offset));
}

TEST(HistoryLines, ColumnsAreFoundByNameAndBadOrTornLinesAreNoGames) {
    // A later version's file: a column added at the end, columns moved.
    const std::string later =
        "seconds,date,player,level,mode,target,opponents,result,rounds,points,money,knocks,"
        "dark_knocks,fooled,fools_won,seat\n"
        "60,2026-12-06 13:05:09+07:00,Bo,vip,normal,500,expert,lost,2,40,-900,0,0,1,0,4\n"
        "not,a,game\n"
        "60,2026-12-06 13:05:09+07:00,Bo,vip,normal,five,expert,lost,2,40,-900,0,0,1,0,4\n"
        "\n"
        "61,2026-12-06 14:05:09+07:00,Bo,vip,normal,500,expert,won,3,510,25";  // cut short
    const HistoryText read = parseHistory(later);
    EXPECT_EQ(read.status, HistoryText::Status::Read);
    ASSERT_EQ(read.games.size(), 1u);
    EXPECT_EQ(read.games[0].seconds, 60);
    EXPECT_EQ(read.games[0].money, -900);
    EXPECT_EQ(read.games[0].opponents, "expert");
    EXPECT_EQ(read.skipped, 2);

    EXPECT_EQ(parseHistory("").status, HistoryText::Status::Read);
    EXPECT_EQ(parseHistory("date,play").status, HistoryText::Status::Read);  // its first write cut
    EXPECT_EQ(parseHistory("hello\nworld\n").status, HistoryText::Status::NotHistory);
    EXPECT_EQ(parseHistory(std::string("\x7f"
                                       "ELF\x02\x01",
                                       6))
                  .status,
              HistoryText::Status::NotHistory);
}

// ---- The file ----

TEST(HistoryFile, AppendsAfterAHeaderAndCutsOffALineACrashLeft) {
    TempDir dir;
    const std::string path = dir.file("data/History.csv");  // the folder is made
    EXPECT_EQ(readHistory(path).games.size(), 0u);
    ASSERT_TRUE(appendHistory(path, game(100)).written);
    ASSERT_TRUE(appendHistory(path, game(200)).written);
    EXPECT_EQ(readFile(path), historyHeader() + historyLine(game(100)) + historyLine(game(200)));

    // A crash in the middle of a line: the line is no game, and the next
    // append starts where the last whole line ended.
    std::ofstream(path, std::ios::binary | std::ios::app) << historyLine(game(300)).substr(0, 20);
    EXPECT_EQ(readHistory(path).games.size(), 2u);
    EXPECT_EQ(readHistory(path).skipped, 0);
    ASSERT_TRUE(appendHistory(path, game(400)).written);
    const HistoryFile read = readHistory(path);
    ASSERT_EQ(read.games.size(), 3u);
    EXPECT_EQ(read.games[2].money, 400);
    EXPECT_EQ(read.skipped, 0);

    // The first write itself cut: the file starts again.
    writeFile(path, historyHeader().substr(0, 10));
    ASSERT_TRUE(appendHistory(path, game(500)).written);
    EXPECT_EQ(readFile(path), historyHeader() + historyLine(game(500)));
    EXPECT_TRUE(setAside(dir).empty());
}

TEST(HistoryFile, WhatCannotBeReadIsSetAsideWithAMessageNeverOverwritten) {
    TempDir dir;
    const std::string path = dir.file("History.csv");
    const std::string garbage = "PK\x03\x04 this is a zip, not a history\n";
    writeFile(path, garbage);
    ScriptedDialogs dialogs;
    const HistoryFile read = readHistoryTelling(path, dialogs);
    EXPECT_EQ(read.status, HistoryFile::Status::SetAside);
    ASSERT_EQ(setAside(dir).size(), 1u);
    EXPECT_EQ(readFile(setAside(dir)[0].string()), garbage);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find(read.aside), std::string::npos);
    EXPECT_FALSE(fs::exists(path));

    // A folder where the file should be: the append moves it aside first.
    fs::create_directory(path);
    const HistoryAppend done = appendHistory(path, game(100));
    EXPECT_TRUE(done.written);
    EXPECT_FALSE(done.aside.empty());
    EXPECT_TRUE(fs::is_directory(done.aside));
    EXPECT_EQ(readHistory(path).games.size(), 1u);
    EXPECT_EQ(setAside(dir).size(), 2u);

    // A pipe is set aside without opening it (opening would wait).
    fs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(readHistory(path).status, HistoryFile::Status::SetAside);
    EXPECT_EQ(setAside(dir).size(), 3u);
}

TEST(HistoryFile, AKillDuringTheWritesLeavesNoTornGame) {
    TempDir dir;
    const std::string path = dir.file("History.csv");
    for (int round = 0; round < 3; ++round) {
        // The writer says when it has written two games; it is killed a
        // little later, somewhere among the writes that follow.
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            GameRecord g = game(0);
            g.player = std::string(300, 'x');  // long lines, more to tear
            for (long i = 0;; ++i) {
                g.money = i;
                appendHistory(path, g);
                if (i == 1) {
                    const char written = 1;
                    [[maybe_unused]] const auto n = ::write(ready[1], &written, 1);
                    ::close(ready[1]);
                }
            }
        }
        ::close(ready[1]);
        char written = 0;
        ASSERT_EQ(::read(ready[0], &written, 1), 1);
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + 10 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        // Every line on the disk is a whole game, in the order written.
        const HistoryFile read = readHistory(path);
        EXPECT_EQ(read.status, HistoryFile::Status::Read);
        EXPECT_EQ(read.skipped, 0);
        ASSERT_GT(read.games.size(), std::size_t(round + 1));  // it wrote before it was killed
        for (std::size_t i = 1; i < read.games.size(); ++i)
            if (read.games[i].money > 0) {
                ASSERT_EQ(read.games[i].money, read.games[i - 1].money + 1) << "line " << i + 2;
            }
        // The history goes on after the kill.
        ASSERT_TRUE(appendHistory(path, game(-7)).written);
        EXPECT_EQ(readHistory(path).games.back().money, -7);
    }
}

TEST(HistoryFile, TwoCopiesAppendingAtOnceLoseNoGame) {
    TempDir dir;
    const std::string path = dir.file("History.csv");
    constexpr int kEach = 60;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            GameRecord g = game(0);
            g.player = c == 0 ? "A" : "B";
            bool ok = true;
            for (int i = 0; i < kEach; ++i) {
                g.money = i;
                ok = appendHistory(path, g).written && ok;
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const HistoryFile read = readHistory(path);
    ASSERT_EQ(read.games.size(), std::size_t(2 * kEach));
    EXPECT_EQ(read.skipped, 0);
    long next[2] = {0, 0};
    for (const GameRecord& g : read.games) {
        const int who = g.player == "A" ? 0 : 1;
        EXPECT_EQ(g.money, next[who]++);
    }
    EXPECT_EQ(next[0], kEach);
    EXPECT_EQ(next[1], kEach);
}

// ---- The figures ----

TEST(HistoryFigures, GroupsCurveBestWorstAndFilters) {
    std::vector<GameRecord> games = {game(500), game(-300, "beginner", "lost"), game(1200, "vip"),
                                     game(-800, "vip", "gaveup"), game(500, "beginner", "lost")};
    games[2].opponents = "expert";
    games[3].opponents = "expert";
    games[4].mode = "mission";
    games[1].rounds = 2;
    games[1].points = 30;
    for (std::size_t i = 0; i < games.size(); ++i) games[i].when = 1'000'000 + 86400 * long(i);

    const HistoryFigures f = computeFigures(games, 5);
    EXPECT_EQ(f.total.games, 5);
    EXPECT_EQ(f.total.won, 2);
    EXPECT_EQ(f.total.lost, 2);
    EXPECT_EQ(f.total.gaveUp, 1);
    EXPECT_EQ(f.total.money, 1100);
    EXPECT_DOUBLE_EQ(f.total.pointsPerRound(), (4 * 320.0 + 30) / 18);
    EXPECT_EQ(f.moneyCurve, (std::vector<long>{0, 500, 200, 1400, 600, 1100}));
    ASSERT_EQ(f.groups.size(), 3u);
    EXPECT_EQ(f.groups[0].level + f.groups[0].mode + f.groups[0].opponents, "beginnernormalrules");
    EXPECT_EQ(f.groups[0].games, 2);
    EXPECT_DOUBLE_EQ(f.groups[0].winPercent(), 50.0);
    EXPECT_EQ(f.groups[1].mode, "mission");
    EXPECT_EQ(f.groups[2].level + f.groups[2].opponents, "vipexpert");
    EXPECT_EQ(f.groups[2].gaveUp, 1);
    // Best: the better half, a tie keeps the earlier first; worst: the rest.
    EXPECT_EQ(f.best, (std::vector<std::size_t>{2, 0, 4}));
    EXPECT_EQ(f.worst, (std::vector<std::size_t>{3, 1}));
    EXPECT_EQ(computeFigures(games, 1).best, (std::vector<std::size_t>{2}));
    EXPECT_EQ(computeFigures(games, 1).worst, (std::vector<std::size_t>{3}));
    EXPECT_TRUE(computeFigures({}).best.empty());
    EXPECT_EQ(computeFigures({}).moneyCurve, (std::vector<long>{0}));

    EXPECT_EQ(filterGames(games, {"vip", 0}).size(), 2u);
    EXPECT_EQ(filterGames(games, {"", 1'000'000 + 3 * 86400}).size(), 2u);
    EXPECT_EQ(filterGames(games, {"beginner", 1'000'000 + 3 * 86400}).size(), 1u);
    EXPECT_EQ(parseHistory(exportCsv(games)).games, games);
}

// ---- The games the game keeps ----

class HistoryGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        g.paths.historyFile = t.dir.file("History.csv");
        g.historyClock = [] { return std::int64_t(1'800'000'000); };
        t.setUpGame();
        t.dialogs.onEndScreen = [](EndScreen& s) { s.clickAction(); };
    }
    void lastRound(long personTotal, long bestComputerRound) {
        g.match.Players[4].TotalPoints = personTotal;
        g.match.Players[2].RoundPoints[1] = bestComputerRound;
        g.match.Players[1].TotalPoints = 300;
        g.match.RoundNumber = 2;
        g.match.TargetReached = true;
        g.table.RoundOver = true;
    }
    std::vector<GameRecord> history() const { return readHistory(g.paths.historyFile).games; }

    TestTable t;
    Game& g = t.game;
};

TEST_F(HistoryGameTest, AWonGameThenAGameGivenUpForAnotherLevel) {
    g.EndScoreEasy_Click(1);  // Beginner 300: the person starts with 8000
    g.table.Seats[4].DarkKnocked = true;
    g.tallyRound(4);
    g.table.Seats[4].DarkKnocked = false;
    g.tallyRound(4);
    g.tallyRound(2);
    g.match.Players[4].RoundFooled[1] = true;
    g.match.Players[4].Money = 9500;
    g.match.ElapsedSeconds = 754;
    lastRound(320, 120);
    g.ContinueAfterRound();

    auto games = history();
    ASSERT_EQ(games.size(), 1u);
    GameRecord want;
    want.when = 1'800'000'000;
    want.utcOffset = localUtcOffset(want.when);
    want.player = "Tester";
    want.target = 300;
    want.result = "won";
    want.rounds = 1;
    want.points = 320;
    want.money = 1500;
    want.knocks = 1;
    want.darkKnocks = 1;
    want.fooled = 1;
    want.seconds = 754;
    EXPECT_EQ(games[0], want);

    // The new game is left after two rounds for a VIP target: it is kept as
    // given up at the level it was played at. A game left before anything
    // was played is not kept.
    g.match.RoundNumber = 3;
    g.match.Players[4].Money = 7000;
    g.match.ExpertPlayers = true;
    g.EndScoreHard_Click(2);
    g.MissionItem_Click();
    games = history();
    ASSERT_EQ(games.size(), 2u);
    EXPECT_EQ(games[1].result, "gaveup");
    EXPECT_EQ(games[1].level, "beginner");
    EXPECT_EQ(games[1].mode, "normal");
    EXPECT_EQ(games[1].opponents, "expert");
    // The Master's games are its own; it comes before a stale Expert flag.
    Match m;
    m.ExpertPlayers = m.MasterPlayers = true;
    EXPECT_EQ(opponentsWord(m), "master");
    m.MasterPlayers = false;
    EXPECT_EQ(opponentsWord(m), "expert");
    EXPECT_EQ(games[1].rounds, 2);
    EXPECT_EQ(games[1].money, -1000);
    EXPECT_TRUE(t.dialogs.messages.empty());
}

TEST_F(HistoryGameTest, MissionGamesEachCountAndTheNextStartsWithTheMoneyCarried) {
    g.match.Players[4].Money = 8000;
    g.ResetGame();
    g.match.Players[4].Money = 25000;
    lastRound(100, 50);  // target not reached by the person: lost on points
    g.ContinueAfterRound();
    ASSERT_EQ(history().size(), 1u);
    EXPECT_EQ(history()[0].mode, "mission");
    EXPECT_EQ(history()[0].result, "lost");
    EXPECT_EQ(history()[0].money, 17000);
    // The VIP mission's game is under way with the money carried.
    EXPECT_TRUE(g.match.Tally.Open && g.match.Tally.Vip && g.match.Tally.Mission);
    EXPECT_EQ(g.match.Tally.StartMoney, 25000);

    g.match.Players[4].Money = 2000;
    lastRound(100, 50);
    g.ContinueAfterRound();  // below 3000: the mission is lost
    ASSERT_EQ(history().size(), 2u);
    EXPECT_EQ(history()[1].level, "vip");
    EXPECT_EQ(history()[1].result, "lost");
    EXPECT_EQ(history()[1].money, -23000);
}

TEST_F(HistoryGameTest, AFullDiskIsToldOnceAndLeavesNoHalfGame) {
    // Writes beyond 100 bytes fail in this process, as on a full disk.
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    for (int i = 0; i < 2; ++i) {
        g.EndScoreEasy_Click(1);
        lastRound(320, 120);
        g.ContinueAfterRound();
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    ASSERT_EQ(t.dialogs.messages.size(), 1u);
    EXPECT_NE(t.dialogs.messages[0].text.find(g.paths.historyFile), std::string::npos);
    EXPECT_EQ(fs::file_size(g.paths.historyFile), 0u);
    // With room again the next game is kept.
    g.EndScoreEasy_Click(1);
    lastRound(320, 120);
    g.ContinueAfterRound();
    EXPECT_EQ(history().size(), 1u);
}

// A saved game keeps its tally; a saved game not continued is given up.
TEST(HistorySavedGame, TheTallyIsSavedAndADeclinedSaveIsGivenUp) {
    TempDir dir;
    auto paths = [&dir] {
        return Paths{dir.path().string(), dir.file("skins.txt"), dir.file("ScoreData.Dat"),
                     dir.file("Game.sav"), dir.file("History.csv")};
    };
    GameTally saved;
    {
        ScriptedDialogs dialogs;
        SeededRandom random(3);
        Game game(dialogs, random, paths());
        game.ProgramStart();
        game.MainWindowLoad();
        game.match.Tally.Knocks = 2;
        game.match.ElapsedSeconds = 120;
        const auto at = game.boundary();
        ASSERT_TRUE(at);
        game.saveProgress(*at);
        saved = game.match.Tally;
    }
    {
        ScriptedDialogs dialogs;
        dialogs.choiceAnswers = {0};  // go on with it
        SeededRandom random(4);
        Game game(dialogs, random, paths());
        game.ProgramStart();
        game.MainWindowLoad();
        EXPECT_EQ(game.match.Tally, saved);
        EXPECT_TRUE(readHistory(game.paths.historyFile).games.empty());
    }
    {
        ScriptedDialogs dialogs;
        dialogs.choiceAnswers = {1};  // a new game instead
        SeededRandom random(5);
        Game game(dialogs, random, paths());
        game.ProgramStart();
        game.MainWindowLoad();
        const auto games = readHistory(game.paths.historyFile).games;
        ASSERT_EQ(games.size(), 1u);
        EXPECT_EQ(games[0].result, "gaveup");
        EXPECT_EQ(games[0].knocks, 2);
        EXPECT_EQ(games[0].seconds, 120);
    }
}

}  // namespace
}  // namespace vornak::test
