#!/usr/bin/env bash
# Cross-builds the Windows program brelvik.exe and its packer brelvik-pack.exe (32-bit, Release,
# stripped, no DLLs needed) with MinGW-w64 and packs them with the readme into
# dist/brelvik-windows.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/windows-build.sh
scripts/setup.sh --tests

configure_windows i686
targets="$(cmake --build "$build" --target help)"
for target in brelvik brelvik-pack; do
    if ! grep -qx "\.\.\. $target" <<<"$targets"; then
        echo "build-windows.sh: the Windows build has no program target '$target'" >&2
        exit 1
    fi
done
cmake --build "$build" -j"$(nproc)" --target brelvik brelvik-pack
programs=()
for name in brelvik brelvik-pack; do
    exe="$build/bin/$name.exe"
    if [ ! -f "$exe" ]; then
        echo "build-windows.sh: target '$name' built, but no $exe" >&2
        exit 1
    fi
    programs+=("$exe")
done

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
