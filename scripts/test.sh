#!/usr/bin/env bash
# Installs what is missing, builds Brelvik and runs the whole test suite: the native tests
# (window tests on Qt's offscreen platform), then the Windows build of the libraries under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs="$(nproc)"

echo "== Native build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRELVIK_BENCH=ON >/dev/null
cmake --build build -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Windows build, tests under Wine"
scripts/test-windows.sh

echo "== Sanitizers"
scripts/test-sanitize.sh

echo "== Fuzzing"
scripts/test-fuzz.sh
