// A game continued from its save plays on exactly as if nothing had
// happened: seeded games are put away at random boundaries (between turns,
// at the start of the person's turn, on the round's board, the last board
// of a game included), read back from the file into a fresh game through
// the program's start, and the whole log must equal the uninterrupted
// game's byte for byte. Saving alone must change nothing either.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "simulator.h"

namespace vornak::sim {
namespace {

struct Played {
    std::string log;
    Summary summary;
};

Played play(Options o) {
    std::ostringstream log;
    o.log = &log;
    o.check = true;
    Played p;
    p.summary = runSimulation(o);
    p.log = log.str();
    return p;
}

TEST(Resume, RestoredGamesPlayOnExactlyAsUninterrupted) {
    struct Setting {
        Level level;
        bool mission;
        Person person;
    };
    const Setting settings[] = {
        {Level::Beginner, false, Person::Simple},
        {Level::Vip, false, Person::Simple},
        {Level::Beginner, true, Person::Simple},
        {Level::Vip, true, Person::Rules},
    };
    std::array<long, 3> restores{};
    long gameEnds = 0;
    for (const Setting& s : settings) {
        for (std::uint64_t seed = 1; seed <= 5; ++seed) {
            SCOPED_TRACE(testing::Message() << "level " << static_cast<int>(s.level) << " mission "
                                            << s.mission << " seed " << seed);
            Options o;
            o.level = s.level;
            o.mission = s.mission;
            o.person = s.person;
            o.seed = seed;
            o.games = 2;
            const Played plain = play(o);
            o.saveGames = true;
            const Played saving = play(o);
            o.restoreChance = 0.35;
            o.restoreSeed = seed * 7919;
            const Played restored = play(o);

            ASSERT_TRUE(plain.summary.ok) << plain.summary.error;
            ASSERT_TRUE(restored.summary.ok) << restored.summary.error;
            EXPECT_EQ(saving.log, plain.log) << "saving changed the game";
            ASSERT_EQ(restored.log.size(), plain.log.size());
            EXPECT_TRUE(restored.log == plain.log) << "a restored game played differently";
            for (std::size_t i = 0; i < restores.size(); ++i)
                restores[i] += restored.summary.restores[i];
            gameEnds += restored.summary.restoredGameEnds;
        }
    }
    // Every kind of boundary was restored from, many times over.
    EXPECT_GT(restores[0], 100);  // between turns
    EXPECT_GT(restores[1], 50);   // the person's turn
    EXPECT_GT(restores[2], 20);   // the round's board
    EXPECT_GT(gameEnds, 3);       // the board of a game's last round
}

}  // namespace
}  // namespace vornak::sim
