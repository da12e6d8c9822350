// The saved game's reader on any bytes: it must not crash; a save it takes
// is put on a table whole, and that game, saved again, reads back and saves
// to the same bytes. The game then plays on a little from where the save
// left it: a save the reader takes must never make the game misbehave.
// (This build does not hold the bytes to their checksum, so that the
// fuzzer reaches the values behind it.)
#include <string>
#include <string_view>

#include "fuzz_game.h"

using vornak::fuzz::fail;

namespace {

// A few steps of play from a boundary: timers, pauses, the person's draw
// and discard, the click after a round.
void playOn(vornak::Game& g) {
    for (int step = 0; step < 40; ++step) {
        if (g.seq.waiting()) {
            g.seq.resume();
        } else if (g.table.RoundOver) {
            g.windowClick();
        } else if (g.boundary() == vornak::SavePoint::PersonToPlay) {
            g.stockDblClick(g.table.Seats[0].Cards.top());
            g.mnuPlayDrawnCard_Click();
            g.cardDblClick(g.table.Seats[vornak::kHuman].Cards[1]);
        } else if (g.scene.turnTimer.enabled) {
            g.turnTimerTick();
        } else {
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vornak::SaveRead read = vornak::readSavedGame(text);
    if (read.status != vornak::SaveRead::Status::Read) return 0;

    vornak::fuzz::FuzzGame fg;
    vornak::Game& g = *fg.game;
    if (!vornak::applySavedGame(g, read.game)) fail("a save that was read cannot be applied");
    const std::string saved = vornak::writeSavedGame(g, read.game.point);
    const vornak::SaveRead again = vornak::readSavedGame(saved);
    if (again.status != vornak::SaveRead::Status::Read)
        fail("a restored game saves what cannot be read: " + again.why);
    vornak::fuzz::FuzzGame other;
    if (!vornak::applySavedGame(*other.game, again.game)) fail("the second save cannot be applied");
    if (vornak::writeSavedGame(*other.game, again.game.point) != saved)
        fail("a save read back saves differently");

    playOn(g);
    return 0;
}
