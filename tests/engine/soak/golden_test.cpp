// The computer seats' decisions pinned down: the game logs of fixed seeds
// hash to recorded digests. Every decision's inputs, random draws and
// outputs are in the log, so a speed-up of the searches or the rules that
// changes a single decision changes a digest.
//
// When the game's behaviour is changed on purpose, record the new digests:
// the failure message prints them.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "simulator.h"

namespace vornak::sim {
namespace {

std::uint64_t fnv1a(const std::string& text) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

struct Golden {
    Level level;
    int target;  // 0 with mission
    bool mission;
    std::uint64_t seed;
    int games;
    std::uint64_t digest;
};

std::string hex(std::uint64_t v) {
    std::ostringstream out;
    out << "0x" << std::hex << v << "ull";
    return out.str();
}

TEST(Golden, SeededGamesPlayExactlyAsRecorded) {
    const Golden cases[] = {
        {Level::Beginner, 300, false, 101, 3, 0xadd795f0503d623full},
        {Level::Beginner, 700, false, 102, 1, 0x3bd377385a00c5beull},
        {Level::Vip, 500, false, 103, 3, 0x5ed1bfdb88330443ull},
        {Level::Vip, 1000, false, 104, 1, 0xb7ed88292d2d4faull},
        {Level::Beginner, 0, true, 105, 3, 0xf29568de2c79726cull},
        {Level::Vip, 0, true, 106, 3, 0x3a1b974d7983393dull},
    };
    for (const Golden& g : cases) {
        Options o;
        o.level = g.level;
        o.target = g.target;
        o.mission = g.mission;
        o.seed = g.seed;
        o.games = g.games;
        std::ostringstream log;
        o.log = &log;
        const Summary s = runSimulation(o);
        ASSERT_TRUE(s.ok) << s.error;
        EXPECT_EQ(fnv1a(log.str()), g.digest)
            << "seed " << g.seed << ": the log now hashes to " << hex(fnv1a(log.str()));
    }
}

}  // namespace
}  // namespace vornak::sim
