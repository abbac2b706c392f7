#pragma once
// The labels of a result diagram kept clear of what the picture draws: a label that a line, an
// arrowhead or an arc runs through, or that overlaps a label before it, moves to the nearest
// clear place in the box (any way round); a label that is clear stays where the diagram put it.
// Works on the picture before it is drawn, so the screen, the preview and the printed page,
// which measure the labels on their own device, all get labels clear of the lines.

#include "platform/Types.h"
#include "views/DiagramPicture.h"

// The pixels a label covers, measured by extent (an upward label turned about its start).
plat::Rect PictureLabelBox(const picture::Label& label, const LabelExtent& extent);

// Moves the labels of the picture that are not clear, in drawing order, within area; an upward
// label keeps its place (later labels keep clear of it).
void KeepPictureLabelsClear(DiagramPicture& picture, const LabelExtent& extent, const plat::Rect& area);
