// What the history of games costs: appending a game (one write under the
// lock, flushed to the disk), reading the whole file and computing the
// statistics window's figures, for a history of many games.
//
//   vornak-historybench [--games N] [--folder DIR]
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "game/results/history.h"

using namespace vornak;
using Clock = std::chrono::steady_clock;

namespace {

double microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
    long games = 10000;
    std::string folder = "build/historybench";
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--games" && i + 1 < argc) {
            games = std::max(1L, std::atol(argv[++i]));
        } else if (arg == "--folder" && i + 1 < argc) {
            folder = argv[++i];
        } else {
            std::fprintf(stderr, "usage: vornak-historybench [--games N] [--folder DIR]\n");
            return 2;
        }
    }
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/History.csv";
    std::filesystem::remove(path);

    std::vector<double> appends;
    appends.reserve(std::size_t(games));
    for (long i = 0; i < games; ++i) {
        GameRecord g;
        g.when = 1'700'000'000 + i * 3600;
        g.player = "Bench";
        g.level = i % 2 ? "vip" : "beginner";
        g.mode = i % 3 ? "normal" : "mission";
        g.target = 500;
        g.opponents = i % 5 ? "rules" : "expert";
        g.result = i % 2 ? "won" : "lost";
        g.rounds = int(3 + i % 7);
        g.points = 100 + i % 400;
        g.money = (i % 2 ? 1 : -1) * (1000 + i % 5000);
        g.seconds = 600 + i % 900;
        const auto start = Clock::now();
        if (!appendHistory(path, g).written) {
            std::fprintf(stderr, "vornak-historybench: cannot append to %s\n", path.c_str());
            return 1;
        }
        appends.push_back(microseconds(Clock::now() - start));
    }
    std::sort(appends.begin(), appends.end());

    const auto readStart = Clock::now();
    const HistoryFile file = readHistory(path);
    const auto readEnd = Clock::now();
    const HistoryFigures figures = computeFigures(file.games);
    const auto figuresEnd = Clock::now();
    if (file.games.size() != std::size_t(games) || figures.total.games != games) {
        std::fprintf(stderr, "vornak-historybench: read %zu games of %ld\n", file.games.size(),
                     games);
        return 1;
    }
    std::printf("games %ld, file %ju bytes\n", games,
                std::uintmax_t(std::filesystem::file_size(path)));
    std::printf("append: median %.0f us, 99th percentile %.0f us\n", appends[appends.size() / 2],
                appends[appends.size() * 99 / 100]);
    std::printf("read the whole file: %.1f ms; figures: %.1f ms\n",
                microseconds(readEnd - readStart) / 1000,
                microseconds(figuresEnd - readEnd) / 1000);
    return 0;
}
