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

# The README states the program's size: it must be that of the program this builds.
stated="$(sed -nE 's/.*`brelvik\.exe` ([0-9]+\.[0-9]+) MiB.*/\1/p' README.md)"
built="$(awk -v bytes="$(stat -c %s "$exe")" 'BEGIN { printf "%.1f", bytes / 1048576 }')"
if [ "$stated" != "$built" ]; then
    echo "build-windows.sh: README states brelvik.exe ${stated:-nowhere} MiB, the build is $built MiB" >&2
    exit 1
fi

# The archive holds the two files at its top, with fixed names.
mkdir -p dist
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/brelvik.exe"
cp data/windows-readme.txt "$stage/readme.txt"
rm -f dist/brelvik-windows.zip
(cd "$stage" && zip -q -X -9 "$OLDPWD/dist/brelvik-windows.zip" brelvik.exe readme.txt)
echo "dist/brelvik-windows.zip: $(du -k "$exe" | cut -f1) KB brelvik.exe and readme.txt"
