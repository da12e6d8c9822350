// The records: the three best amounts of money and the three best
// times of won games, as the records file keeps them in 15 lines:
//   1..3   the names of the money records, 4..6 those of the time records,
//   7..9   the amounts, 10..12 the times as the clock showed them,
//   13..15 the times in seconds.
// The file's text in and out and the merging of a won game are here; Game
// reads and writes the file under its lock and tells the player of a file
// it cannot use.
#pragma once

#include <array>
#include <string>

namespace vornak {

class RecordBook {
public:
    std::array<std::string, 16> lines;              // 1..15
    std::array<long, 4> moneyFloor{}, timeFloor{};  // 1..3: the amount and time of each place
    bool warningShown = false;  // the player was told the file cannot be replaced

    // Takes the records from the file's text; missing lines read as no
    // record ("-" and a time of 10000 seconds).
    void read(const std::string& text);
    // A won game with this money and time enters where it beats a record.
    void enter(const std::string& name, long money, long seconds, const std::string& clock);
    // The 15 lines as the file keeps them.
    std::string fileText() const;

private:
    std::string& line(int i) { return lines[static_cast<std::size_t>(i)]; }
};

}  // namespace vornak
