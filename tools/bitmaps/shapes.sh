#!/usr/bin/env bash
# Draws the icons of the shape library (32 x 32, transparent) into resources/bitmaps/<code>.png:
# 20 rectangle, 21 circle, 22 T, 23 I, and 10 a user-defined outline (the icon of a shape of
# "shape.dat" that names no picture of its own). The pictures are the program's own; run again
# after changing one.
set -euo pipefail
out="$(dirname "$0")/../../resources/bitmaps"
ink='rgb(50,50,60)'
concrete='rgb(200,200,200)'
icon() {  # code, draw arguments...
  local code=$1; shift
  convert -size 32x32 xc:none -strokewidth 1 -fill "$concrete" -stroke "$ink" "$@" "PNG32:$out/$code.png"
}
# Rectangle: a beam section taller than wide.
icon 20 -draw "rectangle 9,3 22,28"
# Circle: a round column.
icon 21 -draw "circle 15.5,15.5 15.5,3"
# T: a flange over a web.
icon 22 -draw "polygon 2,4 29,4 29,10 19,10 19,28 12,28 12,10 2,10"
# I: flanges top and bottom, a thin web.
icon 23 -draw "polygon 5,3 26,3 26,8 18,8 18,23 26,23 26,28 5,28 5,23 13,23 13,8 5,8"
# User-defined outline: a girder given point by point (flange, haunches, web, bulb), its points
# marked.
icon 10 -draw "polygon 3,3 28,3 28,7 18,11 18,20 23,24 23,28 8,28 8,24 13,20 13,11 3,7" \
  -fill "rgb(30,70,150)" -stroke none \
  -draw "rectangle 27,2 29,4" -draw "rectangle 27,6 29,8" -draw "rectangle 17,10 19,12" \
  -draw "rectangle 17,19 19,21" -draw "rectangle 22,23 24,25" -draw "rectangle 22,27 24,29"
ls -l "$out"/10.png "$out"/2[0-3].png
