#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test three times:
# a normal build, an AddressSanitizer + UndefinedBehaviorSanitizer build,
# and an engine-only build without Qt (which proves the engine needs none).
# Then whole games are soaked with every invariant checked (in the sanitizer
# build and, longer, in the normal one) and the file readers are fuzzed.
# VORNAK_SOAK_SEED picks other games for the soaks (default 1).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Formatting"
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find engine ui tools tests -name '*.cpp' -o -name '*.h')
clang-format --dry-run --Werror $files

run() {  # name, cmake options...
  local name=$1; shift
  echo "== Build: $name"
  cmake -S . -B "build/$name" -G Ninja "$@"
  cmake --build "build/$name" -j "$jobs"
  echo "== Tests: $name"
  ctest --test-dir "build/$name" --output-on-failure -j "$jobs"
}

run test -DCMAKE_BUILD_TYPE=RelWithDebInfo
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run asan -DCMAKE_BUILD_TYPE=Debug -DVORNAK_SANITIZE=ON
run engine -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNAK_WITH_QT=OFF

soak() {  # build, games per level and mode
  local sim="build/$1/tools/sim/vornak-sim" games=$2 seed=${VORNAK_SOAK_SEED:-1}
  echo "== Soak: build/$1, $((4 * games)) games, seed $seed"
  for level in beginner vip; do
    "$sim" --level "$level" --games "$games" --seed "$seed" --check | tail -n 1
    "$sim" --level "$level" --mission --games "$games" --seed "$seed" --check | tail -n 1
  done
}
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 soak asan 75
soak test 1250

echo "== Fuzz: records file, skin list and saved game readers"
cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++
cmake --build build/fuzz -j "$jobs"
for target in records skins savegame; do
  # New inputs go to a scratch folder; the committed corpus is only read.
  found="build/fuzz/found-$target" faults="build/fuzz/faults-$target"
  rm -rf "$found" "$faults" && mkdir -p "$found" "$faults"
  if ! "build/fuzz/fuzz_$target" -max_total_time=20 -print_final_stats=1 \
      -artifact_prefix="$faults/" "$found" "fuzz/corpus/$target" >"build/fuzz/$target.log" 2>&1; then
    tail -n 40 "build/fuzz/$target.log"
    echo "fuzz_$target found a fault; the input is in $faults"
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units)' "build/fuzz/$target.log"
done
echo "== All builds passed"
