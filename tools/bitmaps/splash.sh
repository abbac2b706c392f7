#!/usr/bin/env bash
# Draws the start picture (bitmap 134, 300 x 400): a T-beam cross-section with its bars and
# stirrup over a load-deformation curve. The picture is the program's own; run again after
# changing it.
set -euo pipefail
out="$(dirname "$0")/../../resources/bitmaps"
ink='rgb(40,40,50)'
concrete='rgb(200,200,200)'
steel='rgb(160,20,20)'
convert -size 300x400 xc:white -strokewidth 2 \
  -fill "$concrete" -stroke "$ink" -draw "polygon 20,20 280,20 280,70 190,70 190,250 110,250 110,70 20,70" \
  -fill none -stroke 'rgb(30,70,150)' -strokewidth 3 -draw "roundrectangle 122,34 178,238 8,8" \
  -stroke "$ink" -strokewidth 1 -fill "$steel" \
  -draw "circle 134,225 134,217" -draw "circle 150,225 150,217" -draw "circle 166,225 166,217" \
  -draw "circle 40,45 40,40" -draw "circle 80,45 80,40" -draw "circle 134,45 134,40" \
  -draw "circle 166,45 166,40" -draw "circle 220,45 220,40" -draw "circle 260,45 260,40" \
  -fill none -stroke "$ink" -strokewidth 2 -draw "polyline 30,280 30,385 285,385" \
  -stroke "$steel" -strokewidth 3 -draw "line 30,385 60,330" -draw "line 60,330 90,312" \
  -draw "line 90,312 140,300" -draw "line 140,300 200,294" -draw "line 200,294 270,292" \
  "PNG32:$out/134.png"
