#!/usr/bin/env bash
# Renders the application icon's PNG sizes from data/icons/vesk.svg (ImageMagick). The PNGs
# are committed, so that building needs no SVG renderer; run this after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}/apps"
  convert -background none -density 384 vesk.svg -resize "${size}x${size}" \
    "hicolor/${size}x${size}/apps/vesk.png"
done
