#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in a
# normal build and in an AddressSanitizer + UndefinedBehaviorSanitizer
# build. An engine-only build without Qt proves the engine and the
# simulator need none. Then whole games are soaked with every invariant
# checked (in the sanitizer build, the engine-only one and, longer, the
# normal one) and the file readers are fuzzed.
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

# The normal build as optimised as a release, without debugging information
# (the sanitizer build keeps it for its reports): it builds faster.
run test -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run asan -DCMAKE_BUILD_TYPE=Debug -DVORNAK_SANITIZE=ON
echo "== Build: engine and simulator without Qt"
cmake -S . -B build/engine -G Ninja "-DCMAKE_BUILD_TYPE=RelWithDebInfo" \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG" -DVORNAK_WITH_QT=OFF -DBUILD_TESTING=OFF
cmake --build build/engine -j "$jobs"

soak() {  # build, games per level and mode
  local sim="build/$1/tools/sim/vornak-sim" games=$2 seed=${VORNAK_SOAK_SEED:-1}
  echo "== Soak: build/$1, $((4 * games)) games, seed $seed"
  for level in beginner vip; do
    "$sim" --level "$level" --games "$games" --seed "$seed" --check | tail -n 1
    "$sim" --level "$level" --mission --games "$games" --seed "$seed" --check | tail -n 1
  done
}
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 soak asan 75
soak engine 250
soak test 1250

echo "== Fuzz: records file, skin list, saved game and history readers"
cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++
cmake --build build/fuzz -j "$jobs"
for target in records skins savegame history; do
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
