#!/usr/bin/env bash
# Start-up benchmark: time from process start to the first painted table
# (start-up dialogs answered automatically) and peak memory, side by side
# with an empty Qt 6 main window. The two programs take turns, so that a
# change in the machine's load falls on both. Each prints the wall clock
# once its first frame is painted; the shut-down is not counted. Runs under
# Xvfb when there is no display, or on the offscreen platform when asked:
# QT_QPA_PLATFORM=offscreen.
#   bench/startup.sh [build-folder] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-21}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target vornak-startup-bench vornak-empty-window >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

game=$build/ui/vornak-startup-bench
empty=$build/ui/vornak-empty-window
stats=$(mktemp)
trap 'rm -f "$stats"' EXIT

run_once() {  # program -> "ms-to-first-paint peak-KiB"
  local start painted
  start=$(date +%s%N)
  painted=$(/usr/bin/time -f "%M" -o "$stats" "$1" 2>/dev/null)
  echo "$(( (painted - start) / 1000000 )) $(tail -n 1 "$stats")"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

"$game" >/dev/null 2>&1 || true  # warm the file cache
"$empty" >/dev/null 2>&1 || true
game_ms=() empty_ms=() game_kib=0 empty_kib=0
for _ in $(seq "$runs"); do
  read -r ms kib < <(run_once "$game")
  game_ms+=("$ms"); (( kib > game_kib )) && game_kib=$kib
  read -r ms kib < <(run_once "$empty")
  empty_ms+=("$ms"); (( kib > empty_kib )) && empty_kib=$kib
done
g=$(printf '%s\n' "${game_ms[@]}" | median)
e=$(printf '%s\n' "${empty_ms[@]}" | median)

printf '%-28s %10s %12s\n' "" "median ms" "peak MiB"
printf '%-28s %10d %12.1f\n' "Vornak, first painted table" "$g" "$(awk "BEGIN{print $game_kib/1024}")"
printf '%-28s %10d %12.1f\n' "empty Qt main window" "$e" "$(awk "BEGIN{print $empty_kib/1024}")"
awk "BEGIN{printf \"time ratio %.2f, memory difference %.1f MiB\n\", $g/($e?$e:1), ($game_kib-$empty_kib)/1024}"
