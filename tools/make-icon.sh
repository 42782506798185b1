#!/usr/bin/env bash
# Draws the Vantrel icon (a laser beam over a deviation curve) with ImageMagick and writes
# images/vantrel.png, the smaller sizes of the desktop icon theme images/vantrel-<size>.png
# and the Windows icon images/vantrel.ico. Run it only to change the icon.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
png="$root/images/vantrel.png"

# The curve as separate segments with round dots at the joints.
points=(40,130 48,117 56,106 64,99 72,95 80,96 88,102 96,110 104,121 112,132 120,143 128,152
        136,157 144,159 152,158 160,153 168,145 176,136 184,126 192,118 200,111 208,107 216,106)
curve=()
for ((i = 1; i < ${#points[@]}; i++)); do
    curve+=(-draw "line ${points[i-1]} ${points[i]}")
done
dots=()
for p in "${points[@]}"; do
    x=${p%,*} y=${p#*,}
    dots+=(-draw "circle $x,$y $((x + 4)),$y")
done

convert -size 256x256 xc:none \
    -fill '#1d3557' -draw 'roundrectangle 8,8 247,247 36,36' \
    -stroke '#a8dadc' -strokewidth 3 -fill none \
    -draw 'line 40,200 216,200' -draw 'line 40,56 40,200' \
    -stroke '#f1faee' -strokewidth 9 "${curve[@]}" \
    -stroke none -fill '#f1faee' "${dots[@]}" \
    -stroke '#e63946' -strokewidth 8 -draw 'line 24,128 226,128' \
    -stroke none -fill '#e63946' -draw 'circle 232,128 244,128' \
    "PNG32:$png"
convert "$png" -define icon:auto-resize=256,64,48,32,16 "$root/images/vantrel.ico"
for size in 16 32 48 64 128; do
    convert "$png" -resize "${size}x${size}" -strip "PNG32:$root/images/vantrel-$size.png"
done
