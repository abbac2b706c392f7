#!/usr/bin/env bash
# Draws the emblem of the membrane element page (bitmaps 220 and 221, the same 114 x 107
# picture): a flat slab carried by a round column through a flared column capital, seen from
# slightly above. The picture is the program's own; run again after changing it.
set -euo pipefail
out="$(dirname "$0")/../../resources/bitmaps"
ink='rgb(40,40,50)'
light='rgb(222,222,222)'
face='rgb(196,196,196)'
shade='rgb(160,160,160)'
dark='rgb(125,125,125)'
draw() {  # file
  convert -size 114x107 xc:white -strokewidth 1 \
    -stroke "$ink" -fill "$light" -draw "polygon 3,21 19,7 111,7 95,21" \
    -fill "$face" -draw "rectangle 3,21 95,31" \
    -fill "$shade" -draw "polygon 95,21 111,7 111,17 95,31" \
    -stroke none -fill "$face" -draw "polygon 30,32 80,32 64,60 46,60" \
    -fill "$light" -draw "polygon 38,32 50,32 51,60 48,60" \
    -fill "$shade" -draw "polygon 66,32 80,32 64,60 60,60" \
    -stroke "$ink" -fill none -draw "polyline 30,32 46,60" -draw "polyline 80,32 64,60" \
    -stroke none -fill "$face" -draw "rectangle 46,60 64,96" \
    -fill "$light" -draw "rectangle 49,60 52,96" \
    -fill "$shade" -draw "rectangle 59,60 64,96" \
    -stroke "$ink" -fill none -draw "line 46,60 46,96" -draw "line 64,60 64,96" \
    -draw "line 46,60 64,60" \
    -stroke "$dark" -draw "line 14,99 100,99" -draw "line 20,102 94,102" \
    -stroke "$ink" -draw "line 40,96 70,96" \
    "PNG24:$out/$1"
}
draw 220.png
draw 221.png
ls -l "$out/220.png" "$out/221.png"
