#pragma once
// The pictures of the shape lists: a library shape's own icon, and a section outline drawn
// small.

#include "platform/DC.h"

class TDepthTable;
class TSectionBase;
class TShape;
namespace plat {
class ImageList;
}

// Adds a library shape's picture to the list and answers its index: the icon file the shape
// names (icon code 10), else the program's picture of its icon code (10 the user-defined
// outline, 20 to 23 the rectangle, circle, T and I), -1 when there is neither.
int AddShapeIcon(plat::ImageList& images, const TShape& shape);

// An outline of (height, width) pairs from the top down drawn small: the section symmetric
// about its centre line, concrete grey with a dark edge, as large as fits a square of size
// pixels less a margin of 2, centred, on white. A null image when the outline has no height
// or no width.
plat::Image OutlineIcon(const TDepthTable& outline, int size);

// A shape whose outline needs no parameters (a catalogue shape) drawn small as above; the
// evaluation leaves nothing in the load-error log.
plat::Image ShapeOutlineIcon(TSectionBase& shape, int size);
