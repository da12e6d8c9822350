#!/usr/bin/env bash
# The look-ahead players in the person's seat, on the same seeded VIP games
# (normal mode, 500 points) each time. Prints seat 4's game wins and average
# points per round, and its decision time (processor time of the thread, so
# that programs sharing the core do not count) at the median and the 99th
# percentile. Builds a Release engine first.
#
#   bench/expert.sh [GAMES] [SEED]             seat 4 by the rules and as the
#                                              Expert, against three rules seats
#                                              (default 2000 games, seed 1)
#   bench/expert.sh head-to-head [GAMES] [SEED]
#                                              seat 4 as the Expert and as the
#                                              Master, against three Expert seats
#                                              (default 100 games, seed 500)
#   bench/expert.sh inference [GAMES] [SEED]   how many hidden cards the Master's
#                                              deals place right, weighed by what
#                                              the seats did and not; then seat 4
#                                              as the Master both ways, against
#                                              three rules seats (default 200
#                                              games, seed 500)
#
# The two runs of a comparison go side by side, one on each of the first two
# cores when there are two.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=rules
case "${1:-}" in
  head-to-head | inference)
    mode=$1
    shift
    ;;
esac
if [[ $mode == rules ]]; then
  games=${1:-2000}
  seed=${2:-1}
elif [[ $mode == head-to-head ]]; then
  games=${1:-100}
  seed=${2:-500}
else
  games=${1:-200}
  seed=${2:-500}
fi
cmake -S . -B build/bench-sim -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNAK_WITH_QT=OFF \
  -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench-sim --target vornak-sim vornak-inference -j "$(nproc)" >/dev/null
sim=build/bench-sim/tools/sim/vornak-sim
cores=$(nproc)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# run NAME CORE ARGS...: one simulator run into $tmp/NAME, pinned to CORE.
run() {
  local name=$1 core=$2
  shift 2
  local pin=()
  command -v taskset >/dev/null && pin=(taskset -c "$((core % cores))")
  "${pin[@]}" "$sim" --level vip --games "$games" --seed "$seed" "$@" >"$tmp/$name" 2>&1
}

report() {
  local name=$1 label=$2 out seat4 wins avg
  out=$(cat "$tmp/$name")
  if grep -q '^FAILED' <<<"$out"; then
    grep '^FAILED' <<<"$out"
    exit 1
  fi
  seat4=$(grep '^4 (you)' <<<"$out")
  wins=$(awk '{print $3}' <<<"$seat4")
  avg=$(awk '{print $NF}' <<<"$seat4")
  printf '  %-22s wins %6s of %s games, %7s points per round\n' "$label" "$wins" "$games" "$avg"
  grep -E '^(expert|master) decisions' <<<"$out" | sed 's/^/                         /' || true
}

case $mode in
  rules)
    echo "$games VIP games (normal mode, 500 points), seed $seed; three rules seats; seat 4 as:"
    run rules 0 --person rules &
    run expert 1 --person expert &
    wait
    report rules rules
    report expert expert
    ;;
  head-to-head)
    echo "$games VIP games (normal mode, 500 points), seed $seed; three Expert seats; seat 4 as:"
    run expert 0 --person expert --seats expert &
    run master 1 --person master --seats expert &
    wait
    report expert Expert
    report master Master
    ;;
  inference)
    echo "How often a deal puts a hidden card in the right hand (100 VIP rounds by the rules):"
    build/bench-sim/tools/sim/vornak-inference --rounds 100 --deals 40 --seed "$seed" | sed 's/^/  /'
    echo "$games VIP games (normal mode, 500 points), seed $seed; three rules seats; seat 4 as:"
    run weighed 0 --person master &
    run plain 1 --person master --no-inference &
    wait
    report weighed "Master, inference"
    report plain "Master, no inference"
    ;;
esac
