#!/usr/bin/env bash
# Start-up of the Windows program under Wine, to its window shown on a virtual display, against a
# bare Win32 window of the same size with the same four-tab tab control, in the same run; and the
# size of brelvik.exe. Goals: at most 2x the bare window's start-up; brelvik.exe under 3 MB.
# RUNS sets the number of starts of each (default 5); the median counts.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/windows-build.sh
. scripts/virtual-display.sh
command -v xdotool >/dev/null || { echo "bench_win32_startup.sh needs xdotool" >&2; exit 1; }
runs="${RUNS:-5}"

processor="$(wine_processor)"
configure_windows "$processor"
cmake -S . -B "$build" -DBRELVIK_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target brelvik bench_win32_bare
trap 'wineserver -k 2>/dev/null || true; stop_virtual_display' EXIT
start_virtual_display
use_wine_of_build "$processor"
wineserver -p  # kept running, so each start pays for the program, not for the server

# Milliseconds from the start of program to its window titled title being shown.
time_to_window() {
    local program="$1" title="$2" begin end
    begin=$(date +%s%N)
    "$wine" "$program" >/dev/null 2>&1 &
    local pid=$!
    xdotool search --sync --onlyvisible --name "^$title\$" >/dev/null
    end=$(date +%s%N)
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo $(((end - begin) / 1000000))
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

bare=$(for _ in $(seq "$runs"); do time_to_window "$build/bench/bench_win32_bare.exe" "Bare window"; done | median)
shown=$(for _ in $(seq "$runs"); do time_to_window "$build/bin/brelvik.exe" "Brelvik v1.0"; done | median)
size=$(stat -c %s "$build/bin/brelvik.exe")
echo "Start-up to the shown window ($processor, median of $runs): brelvik.exe $shown ms," \
    "bare window $bare ms, ratio $(awk -v a="$shown" -v b="$bare" 'BEGIN {printf "%.2f", a / b}')" \
    "(goal <= 2)"
echo "brelvik.exe: $((size / 1024)) KiB (goal < 3 MiB)"
