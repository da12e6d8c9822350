// What saving the game costs: seeded games are played (the person's seat
// draws and discards), and at every boundary where the program saves, the
// save is timed in its two parts: the game's own, writing the text and
// handing it to the writer thread (all the table ever waits for), and the
// writer's, replacing the file on the disk (the records' atomic replace: a
// new file, flushed, renamed over the old, the folder flushed). Each save is
// then read back and put on a fresh table, as the start does. bench/save.sh
// runs it; see the README for figures.
//
//   vornak-savebench [--games N] [--level beginner|vip] [--target N] [--folder DIR]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "game/files.h"
#include "game/game.h"
#include "game/silentdialogs.h"

using namespace vornak;

namespace {

double microseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

struct Series {
    const char* name;
    std::vector<double> us;
    void print() {
        if (us.empty()) return;
        std::sort(us.begin(), us.end());
        auto at = [this](double q) {
            return us[std::min(us.size() - 1, static_cast<std::size_t>(q * us.size()))];
        };
        std::printf("%-38s median %9.1f us   90%% %9.1f us   99%% %9.1f us   max %9.1f us\n", name,
                    at(0.5), at(0.9), at(0.99), us.back());
    }
};

}  // namespace

int main(int argc, char** argv) {
    int games = 20, target = 0;
    bool vip = false;
    std::string folder = "build/bench-sim/savebench";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i], value = argv[i + 1];
        if (arg == "--games") games = std::max(1, std::atoi(value.c_str()));
        if (arg == "--level") vip = value == "vip";
        if (arg == "--target") target = std::atoi(value.c_str());
        if (arg == "--folder") folder = value;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string path = folder + "/Game.sav";

    SilentDialogs dialogs;
    SeededRandom random(1), other(2);
    // The game saves nothing itself: the bench saves where it would.
    Game g(dialogs, random, Paths{folder, folder + "/skins.txt", folder + "/records.dat"});
    Game fresh(dialogs, other, Paths{folder, folder + "/skins.txt", folder + "/records.dat"});
    g.ProgramStart();
    g.MainWindowLoad();
    if (vip)
        g.EndScoreHard_Click(target == 1000 ? 2 : target == 2000 ? 3 : 1);
    else
        g.EndScoreEasy_Click(target == 500 ? 2 : target == 700 ? 3 : 1);

    Series write{"the game's share (text, handed over)", {}},
        replace{"the writer thread's (replace, flush)", {}},
        restore{"read + restore (at start)", {}};
    FileKeeper keeper(path);  // the game's own writer, as the program saves
    std::size_t bytes = 0, largest = 0, saves = 0;
    std::optional<SavePoint> last;
    int played = 0;
    for (long step = 0; played < games && step < 50'000'000; ++step) {
        const auto at = g.boundary();
        if (at && at != last) {
            const auto t0 = std::chrono::steady_clock::now();
            std::string text = writeSavedGame(g, *at);
            const std::size_t size = text.size();
            keeper.replace(text);
            const auto t1 = std::chrono::steady_clock::now();
            keeper.finish();
            const auto t2 = std::chrono::steady_clock::now();
            if (!keeper.lastSucceeded()) {
                std::fprintf(stderr, "vornak-savebench: cannot write %s\n", path.c_str());
                return 1;
            }
            const SaveRead read = readSavedGame(text);
            const bool applied =
                read.status == SaveRead::Status::Read && applySavedGame(fresh, read.game);
            const auto t3 = std::chrono::steady_clock::now();
            if (!applied) {
                std::fprintf(stderr, "vornak-savebench: a save does not read back: %s\n",
                             read.why.c_str());
                return 1;
            }
            write.us.push_back(microseconds(t1 - t0));
            replace.us.push_back(microseconds(t2 - t1));
            restore.us.push_back(microseconds(t3 - t2));
            bytes += size;
            largest = std::max(largest, size);
            ++saves;
        }
        last = at;
        if (g.seq.waiting()) {
            g.seq.resume();
        } else if (g.table.RoundOver) {
            g.windowClick();
            if (g.match.RoundNumber == 1) ++played;
        } else if (at == SavePoint::PersonToPlay) {
            g.stockDblClick(g.table.Seats[0].Cards.top());
            g.mnuPlayDrawnCard_Click();
            g.cardDblClick(g.table.Seats[kHuman].Cards[1]);
        } else {
            g.turnTimerTick();
        }
    }
    std::printf("%zu saves in %d games, %zu bytes on average, %zu at most, into %s\n", saves,
                played, saves ? bytes / saves : 0, largest, path.c_str());
    write.print();
    replace.print();
    restore.print();
    std::filesystem::remove(path, ec);
    return 0;
}
