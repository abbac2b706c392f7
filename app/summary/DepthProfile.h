#pragma once
// A section whose width varies over its height, given as a depth table of (height, width)
// pairs from the top down, sketched as filled bands between successive pairs; a wide, flat
// section is drawn as its left half at twice the scale beside a dash-dot axis. The same
// layout answers which band lies under a point.

#include "platform/DC.h"

class TDepthTable;

// Draw flag non-zero: draws into the rectangle (colours from the colour table, pair k's line
// highlighted) and answers 1 when the half view was used, else 0. Draw flag 0: answers the
// band under (px, py), or -1 for none, drawing nothing. A profile without height or width
// draws only the white rectangle and answers 0 when drawing, -1 when hit-testing.
int RenderDepthTableProfile(plat::DC& dc,
                            int x,
                            int y,
                            int w,
                            int h,
                            const TDepthTable& profile,
                            const TDepthTable* colours,
                            int k,
                            int px,
                            int py,
                            int drawFlag);
int DrawDepthTableProfileDC(plat::DC& dc,
                            int x,
                            int y,
                            int w,
                            int h,
                            const TDepthTable& profile,
                            const TDepthTable* colours,
                            int k);
// Lays the profile out on a screen context; the colour table is not used.
int HitTestDepthTableProfile(int x,
                             int y,
                             int w,
                             int h,
                             const TDepthTable& profile,
                             const TDepthTable* colours,
                             int px,
                             int py);
