#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up benchmark, side by side in one run under Xvfb:
#   - time from launch until the menu window is mapped, and resident memory once
#     it is shown, for Kalvora and for two bare Qt 6 programs built here from a
#     few lines of C++ (a window with a label; a window with the banner and
#     eleven Japanese-labelled buttons);
#   - the time to open each calculator from the menu.
# Runs are interleaved and reported as medians with the spread.
# Usage: bench/startup.sh [RUNS]   (default 21)
set -euo pipefail
runs=${1:-21}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'kill "${xvfb:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" --target kalvora bench_open >/dev/null
qt_flags=$(pkg-config --cflags --libs Qt6Widgets)
g++ -std=c++20 -O2 -fPIC "$root/bench/bare_label.cpp" -o "$work/bare_label" $qt_flags
g++ -std=c++20 -O2 -fPIC "$root/bench/bare_menu.cpp" -o "$work/bare_menu" $qt_flags
g++ -std=c++20 -O2 "$root/bench/mapwatch.cpp" -o "$work/mapwatch" -lX11

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$display QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_SCALE_FACTOR

declare -A programs=(
  [bare-label]="$work/bare_label"
  [bare-menu]="$work/bare_menu $root/assets/banner.png"
  [kalvora]="$root/build/kalvora"
)
order=(bare-label bare-menu kalvora)
for name in "${order[@]}"; do : >"$work/$name"; done
# One unmeasured round warms the caches for all three alike.
for name in "${order[@]}"; do "$work/mapwatch" Kalvora 300 ${programs[$name]} >/dev/null; done
for ((i = 0; i < runs; i++)); do
  for name in "${order[@]}"; do
    "$work/mapwatch" Kalvora 300 ${programs[$name]} >>"$work/$name"
  done
done

stats() { # column file -> median p25 p75
  sort -n -k"$1" "$2" | awk -v c="$1" '{v[NR]=$c} END {printf "%.1f %.1f %.1f", v[int((NR+1)/2)], v[int((NR+3)/4)], v[int((3*NR+3)/4)]}'
}
echo "Start-up under Xvfb, $runs runs each, interleaved (median, 25th–75th percentile):"
echo
echo "| program | time to mapped window (ms) | resident memory (MiB) | OpenGL driver mapped |"
echo "|---|---|---|---|"
for name in "${order[@]}"; do
  read -r t t25 t75 <<<"$(stats 1 "$work/$name")"
  read -r m m25 m75 <<<"$(stats 2 "$work/$name")"
  gl=$(awk '{s+=$3} END {print (s > 0) ? "yes" : "no"}' "$work/$name")
  printf "| %s | %s (%s–%s) | %.1f (%.1f–%.1f) | %s |\n" "$name" "$t" "$t25" "$t75" \
    "$(echo "$m / 1024" | bc -l)" "$(echo "$m25 / 1024" | bc -l)" "$(echo "$m75 / 1024" | bc -l)" "$gl"
  eval "time_${name//-/_}=$t; rss_${name//-/_}=$m"
done
echo
awk -v k="$time_kalvora" -v b="$time_bare_menu" -v km="$rss_kalvora" -v bm="$rss_bare_menu" 'BEGIN {
  printf "Kalvora / bare menu window: time %.2fx (target 1.25x), memory %+.1f MiB (target +6 MiB)\n", k / b, (km - bm) / 1024 }'
echo
echo "Opening each calculator from the menu (ms: median, min, max of 11):"
echo
echo "| menu button | median | min | max |"
echo "|---|---|---|---|"
"$root/build/bench/bench_open" 11 2>/dev/null | awk '{printf "| %s | %s | %s | %s |\n", $1, $2, $3, $4}'
