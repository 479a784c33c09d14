#!/usr/bin/env bash
# Installs what the program needs, when missing, builds only Brelvik and its stand-in archiver
# (preset release) and starts it. The build folder is its own, so it never clashes with the test
# build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
exec build-release/bin/brelvik "$@"
