#!/usr/bin/env bash
# Installs what is missing, builds a release and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build/release
exec build/release/ui/vornak "$@"
