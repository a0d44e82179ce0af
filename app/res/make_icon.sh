#!/usr/bin/env bash
# Draws Quorvane's icon with ImageMagick and writes quorvane.ico (16, 32, 48 and 256 pixels):
# a page of text cut in two along a red dashed line, with a pair of scissors at the cut.
# The icon is committed; run this only to change it.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# One drawing at 256 pixels; the smaller sizes are drawn with fewer, thicker text lines so
# that they stay readable.
draw() {  # size lines_per_piece out
  local lines=$2 out=$3
  local -a text=()
  local i y
  for ((i = 0; i < lines; i++)); do
    y=$((44 + i * (64 / lines)))
    text+=(-draw "rectangle 86,$y 196,$((y + 64 / lines / 2))")
    y=$((158 + i * (64 / lines)))
    text+=(-draw "rectangle 86,$y 196,$((y + 64 / lines / 2))")
  done
  convert -size 256x256 xc:none \
    -fill '#00000040' -stroke none -draw "roundrectangle 70,26 226,120 10,10" \
    -draw "roundrectangle 70,142 226,246 10,10" \
    -fill white -stroke '#3a4a5c' -strokewidth 6 \
    -draw "roundrectangle 62,18 218,112 10,10" \
    -draw "roundrectangle 62,136 218,238 10,10" \
    -fill '#2f6fd6' -stroke none "${text[@]}" \
    -stroke '#d8302a' -strokewidth 8 -draw "stroke-dasharray 18 10 line 8,124 248,124" \
    -fill none -stroke '#d8302a' -strokewidth 10 \
    -draw "circle 26,88 26,104" -draw "circle 26,160 26,176" \
    -stroke '#5b6470' -strokewidth 9 -draw "line 38,98 96,132" -draw "line 38,150 96,116" \
    "$out"
}

draw 256 4 "$work/256.png"
draw 256 3 "$work/48-src.png"
draw 256 2 "$work/small-src.png"
convert "$work/48-src.png" -resize 48x48 "$work/48.png"
convert "$work/small-src.png" -resize 32x32 "$work/32.png"
convert "$work/small-src.png" -resize 16x16 "$work/16.png"
convert "$work/16.png" "$work/32.png" "$work/48.png" "$work/256.png" -depth 8 "$here/quorvane.ico"
