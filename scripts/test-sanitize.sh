#!/usr/bin/env bash
# Builds all tests (libraries, window, stand-in archiver) with AddressSanitizer and
# UndefinedBehaviorSanitizer in a build folder of their own (preset sanitize), and runs them. Any
# finding ends its test program with a report, so ctest fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
jobs="$(nproc)"

echo "== Sanitizer build (address, undefined) and tests"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs"
ctest --preset sanitize -j"$jobs"
