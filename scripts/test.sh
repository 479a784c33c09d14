#!/usr/bin/env bash
# Installs what is missing, builds Brelvik and runs the whole test suite: the native tests
# (window tests on Qt's offscreen platform), the Windows program and its tests under Wine (the
# window tests on a virtual display) and dist/brelvik-windows.zip,
# the tests under AddressSanitizer and UndefinedBehaviorSanitizer, and a bounded fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
jobs="$(nproc)"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

native() {
    echo "== Native build and tests"
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRELVIK_BENCH=ON >/dev/null
    cmake --build build -j"$jobs"
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs"
}

# Each stage's output is kept to count what ran; a failing stage ends the run.
for stage in native scripts/test-windows.sh scripts/build-windows.sh scripts/test-sanitize.sh \
    scripts/test-fuzz.sh; do
    [ "$stage" = scripts/test-windows.sh ] && echo "== Windows build, tests under Wine"
    [ "$stage" = scripts/build-windows.sh ] && echo "== The Windows program, packed"
    "$stage" 2>&1 | tee -a "$log"
done

programs=$(grep -oE 'tests passed, 0 tests failed out of [0-9]+' "$log" | awk '{n += $NF} END {print n + 0}')
fuzzed=$(grep -cE '^fuzz_[a-z_]+: Done' "$log" || true)
echo "Test programs and fuzz targets: $((programs + fuzzed)) passed, 0 failed"
