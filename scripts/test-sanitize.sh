#!/usr/bin/env bash
# Builds all tests (libraries, window, stand-in archiver) with AddressSanitizer and
# UndefinedBehaviorSanitizer in a build folder of their own, and runs them. Any finding ends
# its test program with a report, so ctest fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
jobs="$(nproc)"

echo "== Sanitizer build (address, undefined) and tests"
# -O1 with line tables only: reports keep file and line, and the build takes half the time.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS="-O1 -g1" \
    -DBRELVIK_SANITIZE=address,undefined -DBRELVIK_GUI=ON -DBRELVIK_TESTS=ON -DBRELVIK_BENCH=OFF \
    -DBRELVIK_FUZZ=OFF >/dev/null
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j"$jobs"
