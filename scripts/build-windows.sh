#!/usr/bin/env bash
# Cross-builds the Windows program brelvik.exe (preset windows-i686: 32-bit, Release, no DLLs
# needed) with MinGW-w64 and packs it with its readme into dist/brelvik-windows.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/windows-build.sh
scripts/setup.sh --tests

configure_windows i686
cmake --build --preset windows-i686 -j"$(nproc)"
exe="$build/bin/brelvik.exe"

# The archive holds the two files at its top, with fixed names.
mkdir -p dist
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/brelvik.exe"
cp data/windows-readme.txt "$stage/readme.txt"
rm -f dist/brelvik-windows.zip
(cd "$stage" && zip -q -X -9 "$OLDPWD/dist/brelvik-windows.zip" brelvik.exe readme.txt)
echo "dist/brelvik-windows.zip: $(du -k "$exe" | cut -f1) KB brelvik.exe and readme.txt"
