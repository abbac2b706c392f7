#pragma once
// What a result diagram draws, worked out before anything is drawn: an ordered list of
// filled bands, lines, arcs, arrowheads and labels in the box's pixels, each with its pen,
// colour or font. The diagrams compute a picture from the section and the state they keep,
// then replay it onto a device context; tests read the picture itself.

#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "platform/DC.h"

namespace picture {

// A rectangle filled with a colour (no outline).
struct Band {
    plat::Rect rect;
    plat::Color colour;
};

// A straight line from a to b (b itself not drawn, as LineTo) with a solid pen.
struct Line {
    plat::Point a;
    plat::Point b;
    int width = 1;
    plat::Color colour = plat::Colors::Black;
};

// An arc of the ellipse in box, counter-clockwise on screen from the ray through start to the
// ray through end.
struct Arc {
    plat::Rect box;
    plat::Point start;
    plat::Point end;
    int width = 1;
    plat::Color colour = plat::Colors::Black;
};

// A triangular arrowhead with its tip at tip, its base length back along the direction
// (degrees: 0 right, 90 down, -90 up) and width wide.
struct ArrowHead {
    plat::Point tip;
    int length = 0;
    int width = 0;
    double degrees = 0.0;
    plat::Color colour = plat::Colors::Black;
    bool filled = true;
};

// One line of label markup at a point with its alignment (plat::TextAlign values); upward
// labels read from bottom to top, their start at the point.
struct Label {
    plat::Point at;
    std::string text;
    plat::LogFont font;
    unsigned hAlign = plat::TextAlign::Left;
    unsigned vAlign = plat::TextAlign::Top;
    bool upward = false;
};

using Item = std::variant<Band, Line, Arc, ArrowHead, Label>;

} // namespace picture

struct DiagramPicture {
    // Nothing to show: the box draws "No Data" instead.
    bool noData = false;
    std::vector<picture::Item> items;
    // Messages for the user found while computing (shown once the picture is drawn).
    std::vector<std::string> messages;

    template <typename T>
    void Add(T item)
    {
        items.emplace_back(std::move(item));
    }
    // The items of one kind, in drawing order.
    template <typename T>
    std::vector<T> All() const
    {
        std::vector<T> out;
        for (const picture::Item& i : items)
            if (const T* p = std::get_if<T>(&i))
                out.push_back(*p);
        return out;
    }
};

// Width and height of a label in a font, as it will be drawn.
using LabelExtent = std::function<plat::Size(const std::string& text, const plat::LogFont& font)>;

// The extent of label markup measured on a device context.
LabelExtent MeasureOn(plat::DC& dc);

// Draws the picture's items in order; the pen, brush, font and alignment of the context are
// left as the last item set them, the background mode transparent.
void ReplayPicture(plat::DC& dc, const DiagramPicture& picture, bool blackAndWhite = false);
