#!/usr/bin/env bash
# Cross-builds the Windows libraries, programs and their tests with MinGW-w64 and runs the tests
# under Wine, against Wine's own registry, in a throw-away 64-bit prefix inside the build folder
# (the programs are 32-bit, as on 64-bit Windows, where this machine can run them). The window tests get a virtual display of
# their own, gone when the script ends.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/windows-build.sh
jobs="$(nproc)"

processor="$(wine_processor)"
if [ "$processor" != i686 ]; then
    echo "This kernel runs no 32-bit programs, so neither does Wine: the tests run as a 64-bit build"
fi
configure_windows "$processor"
cmake --build "$build" -j"$jobs"

# The same settings as the emulator in the toolchain file, for the prefix set-up and the
# clean-up here.
wine="$(sed -n 's/^BRELVIK_WINE:FILEPATH=//p' "$build/CMakeCache.txt")"
export WINEPREFIX="$PWD/$build/wineprefix" WINEARCH=win64 WINEDEBUG=-all \
    WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$processor" = x86_64 ]; then
    export WINELOADER="$wine"
fi

xvfb=""
display_file="$(mktemp)"
cleanup() {
    # Wine's background processes would outlive the run.
    wineserver -k 2>/dev/null || true
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
    rm -f "$display_file"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done
[ -s "$display_file" ] || { echo "Xvfb gave no display within 10 s" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$display_file")"

# Make a new prefix once, before tests run in parallel and would all try to make it.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Setting up the Wine prefix"
    "$wine" wineboot -i >/dev/null 2>&1
fi
ctest --test-dir "$build" --output-on-failure -j"$jobs"
