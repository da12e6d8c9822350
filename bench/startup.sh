#!/usr/bin/env bash
# Start-up benchmark: time from process start to the first painted table
# (start-up dialogs answered automatically) and peak memory, side by side
# with an empty Qt 6 main window and with the least window that shows a menu
# bar and a line of Thai text. The programs take turns, so that a change in
# the machine's load falls on all of them. Each prints the wall clock once
# its first frame is painted; the shut-down is not counted. Runs under Xvfb
# when there is no display, or on the offscreen platform when asked:
# QT_QPA_PLATFORM=offscreen.
#   bench/startup.sh [build-folder] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-21}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target vornak-startup-bench vornak-empty-window vornak-text-window \
  >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

programs=(vornak-startup-bench vornak-empty-window vornak-text-window)
labels=("Vornak, first painted table" "empty Qt main window" "menu bar and a Thai line")
stats=$(mktemp)
trap 'rm -f "$stats"' EXIT

run_once() {  # program -> "ms-to-first-paint peak-KiB"
  local start painted
  start=$(date +%s%N)
  painted=$(/usr/bin/time -f "%M" -o "$stats" "$build/ui/$1" 2>/dev/null)
  echo "$(( (painted - start) / 1000000 )) $(tail -n 1 "$stats")"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

declare -a times peaks
for i in "${!programs[@]}"; do
  "$build/ui/${programs[$i]}" >/dev/null 2>&1 || true  # warm the file cache
  times[i]="" peaks[i]=0
done
for _ in $(seq "$runs"); do
  for i in "${!programs[@]}"; do
    read -r ms kib < <(run_once "${programs[$i]}")
    times[i]="${times[i]} $ms"
    (( kib > peaks[i] )) && peaks[i]=$kib
  done
done

declare -a med
printf '%-28s %10s %12s\n' "" "median ms" "peak MiB"
for i in "${!programs[@]}"; do
  med[i]=$(printf '%s\n' ${times[i]} | median)
  printf '%-28s %10d %12.1f\n' "${labels[$i]}" "${med[i]}" "$(awk "BEGIN{print ${peaks[i]}/1024}")"
done
awk "BEGIN{printf \"against the empty window: time %.2fx, memory %+.1f MiB\n\", \
  ${med[0]}/(${med[1]}?${med[1]}:1), (${peaks[0]}-${peaks[1]})/1024}"
awk "BEGIN{printf \"against the menu bar and Thai line: time %.2fx\n\", ${med[0]}/(${med[2]}?${med[2]}:1)}"
