#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on)
# and runs each for a bounded time on a copy of its committed seed corpus; fails when one
# finds a crash, a hang or a broken property. FUZZ_SECONDS changes the time per target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
seconds="${FUZZ_SECONDS:-20}"
jobs="$(nproc)"
targets=(fuzz_infotext fuzz_addonlist fuzz_listfile fuzz_packing fuzz_settings_store)

echo "== Fuzz build (clang, libFuzzer)"
# -O1 with line tables only, as for the sanitizer build: a crash report names file and line.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS="-O1 -g1" \
    -DBRELVIK_FUZZ=ON -DBRELVIK_GUI=OFF -DBRELVIK_TESTS=OFF -DBRELVIK_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target "${targets[@]}"

# Runs one target in build-fuzz/fuzz-run/<target>: new inputs go to the copy of the corpus
# there, never into the repository. The target's exit code ends up in the file status.
run_target() {
    local target="$1" run="build-fuzz/fuzz-run/$1"
    rm -rf "$run"
    mkdir -p "$run"
    cp -r "tests/fuzz/corpus/$target" "$run/corpus"
    local status=0
    "build-fuzz/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$run/" -print_final_stats=1 "$run/corpus" >"$run/log" 2>&1 || status=$?
    echo "$status" >"$run/status"
}

echo "== Fuzzing, ${seconds} s a target, ${jobs} at a time"
for target in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n || true
    done
    run_target "$target" &
done
wait

failed=0
for target in "${targets[@]}"; do
    run="build-fuzz/fuzz-run/$target"
    if [ "$(cat "$run/status" 2>/dev/null)" = 0 ]; then
        echo "$target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$run/log" | tail -1)"
    else
        failed=1
        echo "$target FAILED; the input that broke it is in $run/:"
        tail -n 40 "$run/log"
    fi
done
exit "$failed"
