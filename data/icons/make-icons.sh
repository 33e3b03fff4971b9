#!/bin/sh
# Draws the window icon at 16, 32 and 48 pixels: four coloured bars that
# ascend from the shortest at the top, the picture of a sorted board.
# Needs ImageMagick; the PNGs it writes are kept in the repository.
set -eu
cd "$(dirname "$0")"
colours="#e4572e #f3a712 #4caf50 #2e86de"
for size in 16 32 48; do
  unit=$((size / 16))
  draw=""
  i=0
  for c in $colours; do
    top=$(( (i * 4 + 1) * unit ))
    bottom=$(( top + 3 * unit - 1 ))
    right=$(( (4 + i * 3) * unit + unit - 1 ))
    draw="$draw fill $c rectangle $unit,$top $right,$bottom"
    i=$((i + 1))
  done
  convert -size "${size}x${size}" xc:none -draw "$draw" "sortbars-$size.png"
done
