#!/usr/bin/env bash
# Cross-builds the Windows libraries, programs and their tests with MinGW-w64 and runs the tests
# under Wine (presets windows-*), against Wine's own registry, in a throw-away 64-bit prefix inside
# the build folder (the programs are 32-bit, as on 64-bit Windows, where this machine can run
# them). The window tests get a virtual display of their own, gone when the script ends.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/windows-build.sh
. scripts/virtual-display.sh
jobs="$(nproc)"

processor="$(wine_processor)"
if [ "$processor" != i686 ]; then
    echo "This kernel runs no 32-bit programs, so neither does Wine: the tests run as a 64-bit build"
fi
configure_windows "$processor"
if [ "$processor" = i686 ]; then
    cmake --build --preset windows-i686-tests -j"$jobs"
else
    cmake --build --preset windows-x86_64 -j"$jobs"
fi

cleanup() {
    # Wine's background processes would outlive the run.
    wineserver -k 2>/dev/null || true
    stop_virtual_display
}
trap cleanup EXIT
start_virtual_display
use_wine_of_build "$processor"

ctest --preset "windows-$processor" -j"$jobs"
