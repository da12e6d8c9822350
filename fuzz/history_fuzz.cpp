// The history reader on any bytes: it must not crash, and the games it
// reads, written again, must read back the same.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_game.h"
#include "game/results/history.h"

using vornak::fuzz::fail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vornak::HistoryText read = vornak::parseHistory(text);
    if (read.status != vornak::HistoryText::Status::Read && !read.games.empty())
        fail("a file that is no history gave games");
    const vornak::HistoryText again = vornak::parseHistory(vornak::exportCsv(read.games));
    if (again.games != read.games || again.skipped != 0)
        fail("the games read do not read back the same once written");
    return 0;
}
