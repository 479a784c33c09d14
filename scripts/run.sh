#!/usr/bin/env bash
# Installs what the program needs, when missing, builds only Brelvik and its stand-in archiver
# and starts it. The build folder is its own, so it never clashes with the test build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRELVIK_TESTS=OFF >/dev/null
cmake --build build-run -j"$(nproc)" --target brelvik brelvik-pack
exec build-run/bin/brelvik "$@"
