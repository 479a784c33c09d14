#!/usr/bin/env bash
# Builds the Debian package brelvik_<version>_<arch>.deb in build-deb/ (preset deb: Release,
# binaries stripped) and checks what it installs where. Install it with
#   sudo apt install ./build-deb/brelvik_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --deb
cmake --preset deb >/dev/null
cmake --build --preset deb -j"$(nproc)"
cpack --preset deb >/dev/null
package="$(ls build-deb/brelvik_*.deb)"
scripts/check-install.sh --deb "$package"
echo "Wrote $package"
