// vornak-rollouts: how fast copies of one table are played to the round's
// end by the computer seats' own logic (rollouts), on one thread.
#include <time.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <string>
#include <string_view>

#include "ai/turn.h"
#include "rules/cardmoves.h"
#include "rules/scoring.h"

namespace {

const char* const kUsage =
    "Usage: vornak-rollouts [--rollouts N] [--tables N] [--seed S] [--level beginner|vip]\n"
    "Deals N tables and plays copies of each to the round's end, every seat by the\n"
    "computer seats' logic; prints rollouts per second on this thread.\n";

// Seconds of processor time this thread has used: on a shared machine the
// wall clock also counts the time other programs had the core.
double threadSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + 1e-9 * static_cast<double>(ts.tv_nsec);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vornak;
    long rollouts = 20000;
    long tables = 10;
    unsigned long long seed = 1;
    Level level{true, false, 5};
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--help") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--rollouts" && value) {
            rollouts = std::max(1L, std::atol(value));
            ++i;
        } else if (arg == "--tables" && value) {
            tables = std::max(1L, std::atol(value));
            ++i;
        } else if (arg == "--seed" && value) {
            seed = std::strtoull(value, nullptr, 10);
            ++i;
        } else if (arg == "--level" && value &&
                   (std::string_view(value) == "beginner" || std::string_view(value) == "vip")) {
            level.beginner = std::string_view(value) == "beginner";
            level.vip = !level.beginner;
            ++i;
        } else {
            std::cerr << kUsage;
            return 2;
        }
    }

    SeededRandom random(seed);
    long turns = 0, knocks = 0;
    long long points = 0;
    double seconds = 0, cpuSeconds = 0;
    const long perTable = std::max(1L, rollouts / tables);
    for (long n = 0; n < tables; ++n) {
        // A freshly dealt table, seat 1 to play first.
        std::array<int, 53> deck{};
        for (int c = 1; c <= 52; ++c) deck[static_cast<std::size_t>(c)] = c;
        for (int c = 52; c > 1; --c)
            std::swap(deck[static_cast<std::size_t>(c)],
                      deck[static_cast<std::size_t>(1 + static_cast<int>(random.next() * c))]);
        Table dealt;
        DealCards(dealt, deck, 2);

        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = threadSeconds();
        for (long r = 0; r < perTable; ++r) {
            Table t = dealt;
            turns += playOut(t, level, random);
            const RoundScore score = ScoreTable(t);
            if (score.knocker != 0) ++knocks;
            points += score.seats[1].points;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cpuSeconds += threadSeconds() - cpuStart;
    }
    const long done = perTable * tables;
    std::cout << "table value: " << sizeof(Table) << " bytes\n"
              << done << " rollouts of " << tables << " dealt tables, " << std::fixed
              << std::setprecision(1) << static_cast<double>(turns) / static_cast<double>(done)
              << " turns each, " << 100.0 * static_cast<double>(knocks) / static_cast<double>(done)
              << " % ending in a knock (seat 1 points " << points << ")\n"
              << std::setprecision(3) << "wall " << seconds << " s, processor " << cpuSeconds
              << " s: " << std::setprecision(0) << static_cast<double>(done) / cpuSeconds
              << " rollouts/s on one core, " << std::setprecision(2)
              << 1e6 * cpuSeconds / static_cast<double>(done) << " us per rollout\n";
    return 0;
}
