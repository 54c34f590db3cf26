#!/usr/bin/env bash
# Draws res/Vantrel.ico from res/Vantrel-icon.svg: one image for each size
# Windows picks from at the usual scales (16 to 48 pixels, and 256 for large
# icon views). The icon is kept in the repository; run this after changing
# the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
images=()
for size in 16 20 24 32 48 256; do
  /usr/bin/convert -background none -density $((192 * size / 48)) res/Vantrel-icon.svg \
    -resize "${size}x${size}" "png32:$work/$size.png"
  images+=("$work/$size.png")
done
/usr/bin/convert "${images[@]}" res/Vantrel.ico
