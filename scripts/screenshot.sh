#!/usr/bin/env bash
# Remakes the pictures of the window's four tabs in docs/ (window.png, window-readme.png,
# window-addonlist.png, window-pack.png): drawn by Qt itself on the offscreen platform, at 96 dpi,
# over add-ons in /tmp/Addons.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target brelvik_screenshot
TMPDIR=/tmp QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 build/app/brelvik_screenshot docs
echo "Wrote docs/window*.png"
