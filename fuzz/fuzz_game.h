// A game for the fuzz targets: no windows, fixed random numbers, and its
// records and skin files in a folder of its own, into which each input is
// written before the engine reads it.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "game/game.h"
#include "game/silentdialogs.h"

namespace vornak::fuzz {

// The folder of this fuzzing process, in memory when there is one; removed
// when the run ends normally.
inline const std::filesystem::path& fuzzFolder() {
    struct Folder {
        std::filesystem::path path;
        Folder() {
            std::error_code ec;
            std::filesystem::path base = "/dev/shm";
            if (!std::filesystem::is_directory(base, ec))
                base = std::filesystem::temp_directory_path(ec);
            path = base / ("vornak-fuzz-" + std::to_string(::getpid()));
            std::filesystem::create_directories(path, ec);
        }
        ~Folder() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    };
    static const Folder folder;
    return folder.path;
}

// Stops the run with a message when a property does not hold.
[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "property violated: %s\n", what.c_str());
    std::abort();
}

struct FuzzGame {
    SilentDialogs dialogs;
    SeededRandom random{7};
    std::unique_ptr<Game> game;

    FuzzGame() {
        const auto& f = fuzzFolder();
        game = std::make_unique<Game>(dialogs, random,
                                      Paths{(f / "pictures").string(), (f / "skins.txt").string(),
                                            (f / "ScoreData.Dat").string()});
    }

    // Puts the bytes where the engine will read them.
    static void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) fail("cannot write the input to " + path);
    }
};

}  // namespace vornak::fuzz
