#!/usr/bin/env bash
# Start-up benchmark: time from process start to the first painted table
# (start-up dialogs answered automatically) and peak memory, side by side
# with an empty Qt 6 main window. Runs under Xvfb when there is no display,
# otherwise on the offscreen platform when asked: QT_QPA_PLATFORM=offscreen.
#   bench/startup.sh [build-folder] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-20}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target vornak-startup-bench vornak-empty-window >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

measure() {  # program -> "median-ms peak-KiB"
  local prog=$1 times=() peak=0 stats
  stats=$(mktemp)
  "$prog" >/dev/null 2>&1 || true  # warm the file cache
  for _ in $(seq "$runs"); do
    local start end kib
    start=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$stats" "$prog" >/dev/null 2>&1
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000000 )))
    kib=$(tail -n 1 "$stats")
    (( kib > peak )) && peak=$kib
  done
  rm -f "$stats"
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
  echo "$median $peak"
}

read -r game_ms game_kib < <(measure "$build/ui/vornak-startup-bench")
read -r empty_ms empty_kib < <(measure "$build/ui/vornak-empty-window")
printf '%-28s %10s %12s\n' "" "median ms" "peak MiB"
printf '%-28s %10d %12.1f\n' "Vornak, first painted table" "$game_ms" "$(awk "BEGIN{print $game_kib/1024}")"
printf '%-28s %10d %12.1f\n' "empty Qt main window" "$empty_ms" "$(awk "BEGIN{print $empty_kib/1024}")"
awk "BEGIN{printf \"time ratio %.2f, memory difference %.1f MiB\n\", $game_ms/($empty_ms?$empty_ms:1), ($game_kib-$empty_kib)/1024}"
