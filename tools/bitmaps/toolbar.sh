#!/usr/bin/env bash
# Draws the tool-bar bitmaps (24 x 24, transparent) into resources/bitmaps/<command id>.png.
# The pictures are the program's own; run again after changing one.
set -euo pipefail
out="$(dirname "$0")/../../resources/bitmaps"
ink='rgb(50,50,60)'
blue='rgb(30,70,150)'
icon() {  # id, draw arguments...
  local id=$1; shift
  convert -size 24x24 xc:none -strokewidth 1 "$@" "PNG32:$out/$id.png"
}
# File new: a page with a folded corner.
icon 24331 -fill white -stroke "$ink" -draw "polygon 5,2 15,2 20,7 20,22 5,22" \
  -fill 'rgb(210,210,210)' -draw "polygon 15,2 15,7 20,7"
# File open: a folder.
icon 24332 -fill 'rgb(230,190,70)' -stroke 'rgb(120,90,20)' -draw "polygon 2,6 9,6 11,8 21,8 21,20 2,20" \
  -fill 'rgb(250,215,110)' -draw "polygon 2,20 5,11 23,11 21,20"
# File save: a diskette.
icon 24333 -fill "$blue" -stroke 'rgb(20,40,90)' -draw "rectangle 3,3 20,20" \
  -fill white -stroke none -draw "rectangle 6,4 17,10" -fill 'rgb(200,200,210)' -draw "rectangle 7,14 16,20" \
  -fill "$blue" -draw "rectangle 13,15 15,19"
# Cross-section: a concrete section with bars.
icon 5097 -fill 'rgb(200,200,200)' -stroke "$ink" -draw "rectangle 6,2 17,21" -stroke none \
  -fill 'rgb(170,20,20)' -draw "circle 9,18 9,16" -draw "circle 14,18 14,16" -draw "circle 9,5 9,4" -draw "circle 14,5 14,4"
# Previous and next element, and the catalogue between them.
icon 5875 -fill "$blue" -stroke 'rgb(20,40,90)' -draw "polygon 17,4 17,20 6,12"
icon 5876 -fill "$blue" -stroke 'rgb(20,40,90)' -draw "polygon 7,4 7,20 18,12"
icon 5877 -stroke "$ink" -fill 'rgb(170,40,40)' -draw "rectangle 4,15 19,20" -fill 'rgb(40,110,60)' \
  -draw "rectangle 5,9 20,14" -fill "$blue" -draw "rectangle 3,3 18,8"
# One chart, nine charts.
icon 5095 -fill white -stroke "$ink" -draw "rectangle 2,3 21,20" -fill none -stroke 'rgb(200,30,30)' \
  -draw "polyline 4,17 8,10 12,13 16,6 19,8"
icon 113 -fill white -stroke "$ink" -draw "rectangle 2,2 7,7" -draw "rectangle 9,2 14,7" -draw "rectangle 16,2 21,7" \
  -draw "rectangle 2,9 7,14" -draw "rectangle 9,9 14,14" -draw "rectangle 16,9 21,14" \
  -draw "rectangle 2,16 7,21" -draw "rectangle 9,16 14,21" -draw "rectangle 16,16 21,21"
# Load-deformation plot: axes and a response that softens.
icon 5096 -fill none -stroke "$ink" -draw "polyline 3,2 3,21 22,21" -stroke 'rgb(200,30,30)' -strokewidth 2 \
  -draw "polyline 3,21 7,11 11,7 16,5 21,5"
# Mohr's circles: axes and a circle.
icon 5874 -fill none -stroke "$ink" -draw "line 1,12 23,12" -draw "line 5,2 5,22" -stroke 'rgb(200,30,30)' \
  -draw "circle 13,12 13,4"
# Fire: a flame.
icon 5880 -fill 'rgb(235,90,20)' -stroke 'rgb(160,40,10)' \
  -draw "polygon 12,1 17,8 18,13 19,9 21,14 20,19 16,22 8,22 4,19 3,14 6,9 7,13 9,6" \
  -fill 'rgb(255,210,60)' -stroke none -draw "polygon 12,10 15,15 15,19 12,21 9,19 9,15"
# Full member results: a beam on two supports.
icon 5210 -fill 'rgb(200,200,200)' -stroke "$ink" -draw "rectangle 1,8 22,12" -fill "$blue" \
  -draw "polygon 4,13 1,19 7,19" -draw "polygon 19,13 16,19 22,19"
# Stop analysis: a red octagon.
icon 5088 -fill 'rgb(210,30,30)' -stroke 'rgb(120,10,10)' -draw "polygon 8,2 15,2 21,8 21,15 15,21 8,21 2,15 2,8" \
  -fill white -stroke none -draw "rectangle 6,10 17,13"
# Debug mode: a magnifying glass.
icon 5300 -fill 'rgb(220,235,250)' -stroke "$ink" -strokewidth 2 -draw "circle 9,9 9,3" \
  -draw "line 13,13 21,21"
# Clamping stress: a block pressed from both sides.
icon 11842 -fill 'rgb(200,200,200)' -stroke "$ink" -draw "rectangle 8,4 15,19" -fill "$blue" -stroke none \
  -draw "polygon 1,9 5,9 5,7 8,11 5,16 5,14 1,14" -draw "polygon 22,9 18,9 18,7 15,11 18,16 18,14 22,14"
# Print: a printer with a sheet.
icon 24337 -fill white -stroke "$ink" -draw "rectangle 6,2 17,9" -fill 'rgb(170,170,175)' -draw "rectangle 2,9 21,17" \
  -fill white -draw "rectangle 6,15 17,22" -stroke none -fill 'rgb(40,160,60)' -draw "rectangle 18,11 19,12"
# Print preview: a page under a magnifying glass.
icon 24340 -fill white -stroke "$ink" -draw "polygon 3,2 13,2 16,5 16,22 3,22" -fill 'rgb(220,235,250)' \
  -strokewidth 2 -draw "circle 14,13 14,8" -draw "line 17,17 22,22"
# Help: a question mark on a blue disc.
icon 2001 -fill "$blue" -stroke 'rgb(20,40,90)' -draw "circle 12,12 12,2" -fill white -stroke none \
  -font Liberation-Sans-Bold -pointsize 15 -gravity center -annotate +0+1 "?"
ls "$out"
