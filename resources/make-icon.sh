#!/usr/bin/env bash
# Draws the built-in program icon (16, 24, 32, 48 pixels) into resources/tonedeck.ico.
# Needs ImageMagick; the result is kept in the repository so builds do not.
set -euo pipefail
command -v convert >/dev/null || { echo "make-icon.sh: ImageMagick 'convert' is missing" >&2; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A rounded dark tile with three equalizer bars.
convert -size 256x256 xc:none \
    -fill '#1E242E' -draw 'roundrectangle 8,8 247,247 40,40' \
    -fill '#3FC1C9' -draw 'rectangle 52,120 92,208' \
    -fill '#F5A623' -draw 'rectangle 108,56 148,208' \
    -fill '#3FC1C9' -draw 'rectangle 164,96 204,208' \
    "$work/master.png"
for size in 16 24 32 48; do
    convert "$work/master.png" -resize ${size}x${size} -depth 8 "PNG32:$work/icon-$size.png"
done
# Small sizes as uncompressed bitmaps: every Windows version reads those.
convert "$work"/icon-{16,24,32,48}.png "$here/tonedeck.ico"
