#!/usr/bin/env bash
# Remakes the icon's PNG sizes and the Windows program's brelvik.ico from data/icons/brelvik.svg
# with ImageMagick. The results are committed, so a build needs no ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
pngs=()
for size in 16 24 32 48 64 128 256; do
    convert -background none -density 384 brelvik.svg -resize "${size}x${size}" -depth 8 -strip \
        "brelvik-${size}.png"
    pngs+=("brelvik-${size}.png")
done
convert "${pngs[@]}" brelvik.ico
