#!/usr/bin/env bash
# Draws pellith.ico: a white page with blue ruled lines, a folded corner and a
# blue pen across it, at 16, 32, 48 and 256 pixels. The icon is committed; run
# this again (it needs ImageMagick's convert) only to change the picture.
set -euo pipefail
cd "$(dirname "$0")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Each size is drawn on its own, on a 256-unit grid scaled down, so the small
# ones stay sharp; 16 pixels keeps only the page, two lines and the pen.
draw() {
  local size=$1 s lines
  s=$(awk -v n="$size" 'BEGIN { printf "%.5f", n / 256 }')
  # Stroke widths are in grid units too (the scale applies to them), but never
  # thinner than one pixel.
  width() { awk -v w="$1" -v s="$s" 'BEGIN { if (w * s < 1) w = 1 / s; print w }'; }
  if [ "$size" -le 16 ]; then lines="96 144"; else lines="88 120 152 184"; fi
  local args=(-size "${size}x${size}" xc:none -scale 1x1 -scale "${size}x${size}"
    -stroke '#1f4e99' -strokewidth "$(width 10)"
    -fill white
    -draw "scale $s,$s path 'M 40,16 L 176,16 L 216,56 L 216,240 L 40,240 Z'"
    -fill '#cfe0f7'
    -draw "scale $s,$s path 'M 176,16 L 176,56 L 216,56 Z'"
    -stroke '#3d7bd9' -strokewidth "$(width 12)")
  for y in $lines; do
    args+=(-draw "scale $s,$s line 72,$y 184,$y")
  done
  args+=(-stroke '#0b2e6b' -strokewidth "$(width 6)"
    -fill '#2f6fd6'
    -draw "scale $s,$s path 'M 206,92 L 238,124 L 128,234 L 88,246 L 100,206 Z'"
    -fill '#0b2e6b'
    -draw "scale $s,$s path 'M 100,206 L 128,234 L 88,246 Z'")
  convert "${args[@]}" -strip "PNG32:$work/$size.png"
}

for size in 16 32 48 256; do draw "$size"; done
convert "$work/16.png" "$work/32.png" "$work/48.png" "$work/256.png" -strip pellith.ico
echo "wrote $(pwd)/pellith.ico"
