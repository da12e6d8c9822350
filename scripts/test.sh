#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test three times:
# a normal build, an AddressSanitizer + UndefinedBehaviorSanitizer build,
# and an engine-only build without Qt (which proves the engine needs none).
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
echo "== All builds passed"
