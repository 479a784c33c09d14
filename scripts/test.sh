#!/usr/bin/env bash
# Installs what is missing, builds Brelvik and runs the whole test suite: the native tests
# (window tests on Qt's offscreen platform), the Windows program and its tests under Wine (the
# window tests on a virtual display) and dist/brelvik-windows.zip, the tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a bounded fuzzing run. Each stage is a
# CMake preset; a failing stage ends the run. The last line counts the tests that passed, from
# the JUnit reports ctest wrote in this run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
jobs="$(nproc)"
rm -f build*/junit.xml

echo "== Native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native -j"$jobs"
echo "== Windows build, tests under Wine"
scripts/test-windows.sh
echo "== The Windows program, packed"
scripts/build-windows.sh
scripts/test-sanitize.sh
scripts/test-fuzz.sh

# Every ctest run of this script left its JUnit report in its build folder.
passed="$(cat build*/junit.xml | grep -c 'status="run"')"
failed="$(cat build*/junit.xml | grep -c 'status="fail"' || true)"
echo "Tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
