#!/usr/bin/env bash
# The Expert against the rules' player in the person's seat: the same seeded
# VIP games played twice, seat 4 once by the computer seats' own logic and
# once by the Expert (the three computer seats by the rules both times).
# Prints seat 4's game wins and average points per round for both, and the
# Expert's decision time (processor time of the thread, so that programs
# sharing the core do not count) at the median and the 99th percentile.
# Builds a Release engine first.
#
#   bench/expert.sh [GAMES] [SEED]      (default 2000 games, seed 1)
set -euo pipefail
cd "$(dirname "$0")/.."
games=${1:-2000}
seed=${2:-1}
cmake -S . -B build/bench-sim -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNAK_WITH_QT=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench-sim --target vornak-sim -j "$(nproc)" >/dev/null
pin=()
command -v taskset >/dev/null && pin=(taskset -c 0)
sim=build/bench-sim/tools/sim/vornak-sim
echo "$games VIP games (normal mode, 500 points), seed $seed; seat 4 as:"
for person in rules expert; do
  out=$("${pin[@]}" "$sim" --level vip --games "$games" --seed "$seed" --person "$person")
  seat4=$(grep '^4 (you)' <<<"$out")
  wins=$(awk '{print $3}' <<<"$seat4")
  avg=$(awk '{print $NF}' <<<"$seat4")
  printf '  %-7s wins %6s of %s games, %7s points per round\n' "$person" "$wins" "$games" "$avg"
  grep '^expert decisions' <<<"$out" | sed 's/^/          /' || true
  if grep -q '^FAILED' <<<"$out"; then
    grep '^FAILED' <<<"$out"
    exit 1
  fi
done
