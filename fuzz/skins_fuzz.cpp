// The skin list reader on any bytes: it must not crash, must always end
// with a usable catalogue (the built-in one when the file is no skin list),
// and the catalogue it saves must read back the same.
#include <array>
#include <string>

#include "fuzz_game.h"
#include "game/skins/skins.h"

using vornak::fuzz::fail;

namespace {

struct Loaded {
    int count, current;
    bool random;
    std::array<std::string, 16> paths, names;
    bool operator==(const Loaded&) const = default;
};

Loaded load(vornak::Game& g) {
    g.LoadSkinCatalogue();
    if (g.skins.count < 1 || g.skins.count > vornak::kMaxSkins)
        fail("the catalogue holds " + std::to_string(g.skins.count) + " skins");
    if (g.skins.current < 1 || g.skins.current > g.skins.count)
        fail("the current skin " + std::to_string(g.skins.current) + " is out of range");
    for (int i = 1; i <= g.skins.count; ++i)
        if (!g.scene.menus.SelectSkinItem[i].visible) fail("a skin has no menu entry");
    return {g.skins.count, g.skins.current, g.skins.random, g.skins.paths, g.skins.names};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static vornak::fuzz::FuzzGame fg;  // every value read is overwritten by the next input
    vornak::Game& g = *fg.game;
    vornak::fuzz::FuzzGame::writeFile(g.paths.skinFile, data, size);

    const Loaded first = load(g);
    g.SaveSkinCatalogue();
    const Loaded again = load(g);
    if (!(again == first)) fail("the saved skin list reads back differently");
    return 0;
}
