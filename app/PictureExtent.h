#pragma once
// Where a painting's texts reach: the boxes of its texts in device pixels, found by painting on
// a device that draws nothing. A picture (or a frame drawn round a page) is sized from them, so
// that no text it holds is cut at its edge or crossed by the frame.

#include <functional>

#include "platform/DC.h"

// Pixels kept between a text and the edge of a frame or picture that holds it.
inline constexpr int kPictureTextMargin = 2;

// The device box of a text run as the context placed it: its cell (ascent and descent) over
// its width, turned with the font's escapement about the reference point.
plat::Rect TextRunDeviceBox(const plat::DrawState& s, const plat::TextRun& run);

// Paints with paint() on a device of the given capabilities that draws nothing, and gives the
// union of the boxes of the texts that reach into area (device pixels): a text lying wholly
// outside it, or wholly outside the clip it was drawn with, is left out. Empty when none.
plat::Rect MeasureTextExtent(const plat::DeviceCaps& caps, const plat::Rect& area,
                             const std::function<void(plat::DC&)>& paint);

// The page (left and top at 0) grown to the right and downward where the texts reach past its
// edges, so that each of them lies kPictureTextMargin inside; the page itself when none does.
plat::Rect GrowToHoldTexts(const plat::Rect& page, const plat::Rect& texts);
