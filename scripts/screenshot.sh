#!/usr/bin/env bash
# Remakes the pictures of the window's four tabs in docs/ (window.png, window-readme.png,
# window-addonlist.png, window-pack.png): drawn by Qt itself on the offscreen platform, at 96 dpi,
# over add-ons in /tmp/Addons.
#   scripts/screenshot.sh                      builds the native preset and writes docs/
#   scripts/screenshot.sh --build BUILD_DIR    draws with that build into a throw-away folder and
#                                              checks the four pictures (the test of this script)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = --build ]; then
    build="$2"
    scratch="$(mktemp -d)"
    trap 'rm -rf "$scratch"' EXIT
    pictures="$scratch"
    # A folder of its own for the add-ons, so that test runs side by side do not meet.
    export TMPDIR="$scratch"
else
    scripts/setup.sh
    cmake --preset native >/dev/null
    cmake --build --preset native --target brelvik_screenshot
    build=build
    pictures=docs
    export TMPDIR=/tmp
fi
QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 "$build/bin/brelvik_screenshot" "$pictures"
for picture in window window-readme window-addonlist window-pack; do
    if [ "$(head -c 4 "$pictures/$picture.png" 2>/dev/null | tail -c 3)" != PNG ]; then
        echo "screenshot.sh: no picture $picture.png" >&2
        exit 1
    fi
done
echo "Wrote $pictures/window*.png"
