#!/usr/bin/env bash
# Cross-builds the Windows program brelvik.exe and its packer brelvik-pack.exe (32-bit, Release,
# stripped, no DLLs needed) with MinGW-w64 and packs them with the readme into
# dist/brelvik-windows.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/windows-build.sh
scripts/setup.sh --tests

configure_windows i686
cmake --build --preset windows-i686 -j"$(nproc)"
programs=("$build/bin/brelvik.exe" "$build/bin/brelvik-pack.exe")
for exe in "${programs[@]}"; do
    if [ ! -f "$exe" ]; then
        echo "build-windows.sh: the build made no $exe" >&2
        exit 1
    fi
done

# The README states the program's size: it must be that of the program this builds.
stated="$(sed -nE 's/.*`brelvik\.exe` ([0-9]+\.[0-9]+) MiB.*/\1/p' README.md)"
built="$(awk -v bytes="$(stat -c %s "${programs[0]}")" 'BEGIN { printf "%.1f", bytes / 1048576 }')"
if [ "$stated" != "$built" ]; then
    echo "build-windows.sh: README states brelvik.exe ${stated:-nowhere} MiB, the build is $built MiB" >&2
    exit 1
fi

# The archive holds the three files at its top, with fixed names: the packer lies beside the
# program, where the program looks for it.
mkdir -p dist
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cp "${programs[@]}" "$stage/"
cp data/windows-readme.txt "$stage/readme.txt"
rm -f dist/brelvik-windows.zip
(cd "$stage" &&
    zip -q -X -9 "$OLDPWD/dist/brelvik-windows.zip" brelvik.exe brelvik-pack.exe readme.txt)
echo "dist/brelvik-windows.zip: brelvik.exe ($(du -k "${programs[0]}" | cut -f1) KB)," \
    "brelvik-pack.exe ($(du -k "${programs[1]}" | cut -f1) KB) and readme.txt"
