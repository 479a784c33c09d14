#!/usr/bin/env bash
# Cross-builds the libraries and their tests for Windows with MinGW-w64 and runs the tests
# under Wine, against Wine's own registry, in a throw-away prefix inside the build folder.
# Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-win
jobs="$(nproc)"

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DBRELVIK_GUI=OFF \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$jobs"

# The same settings as the emulator in the toolchain file, for the prefix set-up and the
# clean-up here.
export WINEPREFIX="$PWD/$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Make a new prefix once, before tests run in parallel and would all try to make it.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Setting up the Wine prefix"
    wineboot -i >/dev/null 2>&1
fi
status=0
ctest --test-dir "$build" --output-on-failure -j"$jobs" || status=$?
# Wine's background processes would outlive the run.
wineserver -k 2>/dev/null || true
exit "$status"
