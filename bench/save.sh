#!/usr/bin/env bash
# What saving the game costs, in microseconds: seeded games are played and
# the game is saved at every boundary where the program saves it (after
# every turn, when the person's turn begins, on the round's board), timed in
# its parts: the save written as text, the file replaced on the disk (a new
# file, flushed, renamed over the old one, the folder flushed), and the save
# read back and put on a fresh table (what the start does). Builds a Release
# engine first.
#
#   bench/save.sh [GAMES] [FOLDER]   (default 20 games per level; FOLDER on
#                                     the disk the data folder is on, default
#                                     build/bench-sim/savebench)
set -euo pipefail
cd "$(dirname "$0")/.."
games=${1:-20}
folder=${2:-build/bench-sim/savebench}
cmake -S . -B build/bench-sim -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNAK_WITH_QT=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench-sim --target vornak-savebench -j "$(nproc)" >/dev/null
# Not pinned to one core: the writer thread runs beside the game, as in the
# program.
echo "== Beginner, 300 points"
build/bench-sim/tools/sim/vornak-savebench --games "$games" --level beginner \
  --target 300 --folder "$folder"
echo "== VIP, 2000 points (the longest games)"
build/bench-sim/tools/sim/vornak-savebench --games "$((games / 4 + 1))" --level vip \
  --target 2000 --folder "$folder"
