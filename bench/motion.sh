#!/usr/bin/env bash
# The cost of cards that travel: the real window plays with card moves
# animated for a while (the benchmark plays the person's turns), adding up
# the frames drawn and the CPU used while cards move; then it waits at the
# person's turn with nothing to move and measures the CPU idle. Runs under
# Xvfb when there is no display, or on the offscreen platform when asked:
# QT_QPA_PLATFORM=offscreen.
#   bench/motion.sh [build-folder] [seconds of play] [seconds idle]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
play=${2:-30}
idle=${3:-10}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target vornak-motion-bench >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
"$build/ui/vornak-motion-bench" "$play" "$idle" 2>/dev/null
