#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on)
# and runs each for a bounded time on a copy of its committed seed corpus (preset fuzz); fails
# when one finds a crash, a hang or a broken property, leaving the input in
# build-fuzz/fuzz-run/<target>/. FUZZ_SECONDS changes the time per target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
jobs="$(nproc)"

echo "== Fuzz build (clang, libFuzzer)"
cmake --preset fuzz -DBRELVIK_FUZZ_SECONDS="${FUZZ_SECONDS:-20}" >/dev/null
cmake --build --preset fuzz -j"$jobs"
echo "== Fuzzing, ${FUZZ_SECONDS:-20} s a target, ${jobs} at a time"
ctest --preset fuzz -j"$jobs"
