#!/usr/bin/env bash
# Remakes docs/window.png: the window drawn by Qt itself on the offscreen platform, at 96 dpi.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target brelvik_screenshot
QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 build/app/brelvik_screenshot docs/window.png
echo "Wrote docs/window.png"
