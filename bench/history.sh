#!/usr/bin/env bash
# What the history of games costs: GAMES games appended one by one (each a
# write under the lock, flushed to the disk), then the whole file read and
# the statistics window's figures computed. Builds a Release engine first.
#
#   bench/history.sh [GAMES] [FOLDER]   (default 10000 games; FOLDER on the
#                                        disk the data folder is on, default
#                                        build/bench-sim/historybench)
set -euo pipefail
cd "$(dirname "$0")/.."
games=${1:-10000}
folder=${2:-build/bench-sim/historybench}
cmake -S . -B build/bench-sim -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNAK_WITH_QT=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench-sim --target vornak-historybench -j 2 >/dev/null
build/bench-sim/tools/sim/vornak-historybench --games "$games" --folder "$folder"
