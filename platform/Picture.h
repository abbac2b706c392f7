#pragma once
// Pictures: drawing recorded at a frame given in hundredths of a millimetre, kept as an SVG
// document with a pixel rendering beside it (for the clipboard and for files).

#include <memory>
#include <string>

#include "platform/DC.h"

namespace plat {

struct Picture {
    Rect frame;               // in 0.01 mm
    std::string description;
    std::string svg;          // the SVG document (UTF-8)
    Image image;              // the same drawing in pixels of the reference device
    bool IsEmpty() const { return svg.empty(); }
};

// Records drawing as a picture. Its device has the capabilities of the reference context, and
// its size in pixels is the frame converted with them (width in pixels = frame width x
// HORZRES / (HORZSIZE x 100), likewise the height), at most 10,000 pixels a side.
class PictureDC : public DC {
public:
    PictureDC(const DC& reference, const Rect& frame, const std::string& description);
    ~PictureDC() override;
    // Ends the recording and gives the picture; drawing afterwards goes nowhere.
    Picture Close();
    // The picture's size in the reference device's pixels.
    Size PixelSize() const;

};

} // namespace plat
