// The records file reader on any bytes: it must not crash, must leave
// sane record floors, a read file saved and read again must keep every
// record, and a won game merged in must read back as it was saved.
#include <array>
#include <string>

#include "fuzz_game.h"

using vornak::fuzz::fail;

namespace {

std::array<std::string, 16> readBack(vornak::Game& g) {
    g.ReadRecords();
    return g.records.lines;
}

// Numbers are kept with a leading blank and read back without it.
std::string unblanked(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vornak::fuzz::FuzzGame fg;  // every value read is overwritten by the next input
    vornak::Game& g = *fg.game;
    vornak::fuzz::FuzzGame::writeFile(g.paths.recordsFile, data, size);

    g.ReadRecords();
    for (int i = 1; i <= 6; ++i)
        if (g.records.lines[static_cast<std::size_t>(i)].empty())
            fail("name line " + std::to_string(i) + " is empty after reading");
    for (int i = 1; i <= 3; ++i)
        if (g.records.timeFloor[static_cast<std::size_t>(i)] <= 0)
            fail("time record " + std::to_string(i) + " is not positive");

    // Saving what was read and reading it again settles the text: a line
    // the reader cut at its length limit may be cut again, shorter, once
    // its look-alike characters have grown it, but after that a save and a
    // read change nothing.
    g.SaveRecords();
    auto settled = readBack(g);
    for (int round = 0;; ++round) {
        g.SaveRecords();
        const auto next = readBack(g);
        if (next == settled) break;
        if (round == 2) fail("the records change at every save");
        settled = next;
    }

    // A won game merged in: what the game holds is what the file holds.
    g.match.PlayerName = "Fuzz";
    g.match.MoneyAtRoundStart = 2000000000;
    g.match.ElapsedSeconds = 1;
    g.match.FinalTime = "0:00:01";
    g.UpdateRecords();
    const auto merged = g.records.lines;
    const auto back = readBack(g);
    for (std::size_t i = 1; i <= 15; ++i)
        if (unblanked(back[i]) != unblanked(merged[i]))
            fail("merged record line " + std::to_string(i) + " \"" + merged[i] +
                 "\" reads back as \"" + back[i] + "\"");
    return 0;
}
