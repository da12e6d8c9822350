#!/usr/bin/env bash
# Rounds per second of whole simulated games on one core: the engine, the
# computer seats' searches and the person's automated player, without the
# invariant checks and without a log. Builds a Release simulator first.
#
#   bench/sim-throughput.sh [GAMES]      (default 2000 games per level and mode)
#
# VORNAK_SIM=path/to/vornak-sim measures that program instead.
set -euo pipefail
cd "$(dirname "$0")/.."
games=${1:-2000}
sim=${VORNAK_SIM:-}
if [[ -z $sim ]]; then
  cmake -S . -B build/bench-sim -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNAK_WITH_QT=OFF \
    -DBUILD_TESTING=OFF >/dev/null
  cmake --build build/bench-sim --target vornak-sim -j "$(nproc)" >/dev/null
  sim=build/bench-sim/tools/sim/vornak-sim
fi
pin=()
command -v taskset >/dev/null && pin=(taskset -c 0)

total_rounds=0
total_seconds=0
for run in "--level beginner" "--level vip" "--level beginner --mission" "--level vip --mission"; do
  # shellcheck disable=SC2086
  out=$("${pin[@]}" "$sim" $run --games "$games" --seed 1)
  rounds=$(sed -n 's/^games [0-9]*, rounds \([0-9]*\),.*/\1/p' <<<"$out")
  seconds=$(sed -n 's/^time \([0-9.]*\) s,.*/\1/p' <<<"$out")
  printf '%-26s %7d rounds in %7.3f s: %8.1f rounds/s\n' "$run" "$rounds" "$seconds" \
    "$(awk -v r="$rounds" -v s="$seconds" 'BEGIN { print r / s }')"
  total_rounds=$((total_rounds + rounds))
  total_seconds=$(awk -v a="$total_seconds" -v b="$seconds" 'BEGIN { print a + b }')
done
printf 'all                        %7d rounds in %7.3f s: %8.1f rounds/s on one core\n' \
  "$total_rounds" "$total_seconds" \
  "$(awk -v r="$total_rounds" -v s="$total_seconds" 'BEGIN { print r / s }')"
