#!/usr/bin/env bash
# Rollouts per second on one core: copies of a dealt table played to the
# round's end, every seat by the computer seats' own logic (ai/turn.h),
# without scene, narration, pauses or dialogs. Builds a Release engine first.
#
#   bench/rollout.sh [ROLLOUTS]      (default 100000, over 20 dealt tables)
#
# The figure is per second of the thread's processor time, so that other
# programs sharing the core do not count; the wall time is printed too.
set -euo pipefail
cd "$(dirname "$0")/.."
rollouts=${1:-100000}
cmake -S . -B build/bench-sim -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNAK_WITH_QT=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench-sim --target vornak-rollouts -j "$(nproc)" >/dev/null
pin=()
command -v taskset >/dev/null && pin=(taskset -c 0)
for level in beginner vip; do
  echo "== $level"
  "${pin[@]}" build/bench-sim/tools/sim/vornak-rollouts --rollouts "$rollouts" --tables 20 \
    --level "$level" --seed 1
done
