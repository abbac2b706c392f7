#include "views/DiagramPicture.h"

#include "charts/DrawingSheet.h"
#include "charts/RichText.h"

LabelExtent MeasureOn(plat::DC& dc)
{
    return [&dc](const std::string& text, const plat::LogFont& font) {
        return MeasureRichText(dc, text, font);
    };
}

namespace {

struct Replayer {
    plat::DC& dc;
    bool blackAndWhite;

    void operator()(const picture::Band& b) const { dc.FillRect(b.rect, b.colour); }
    void operator()(const picture::Line& l) const
    {
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, l.width, Colour(l.colour)});
        dc.MoveTo(l.a);
        dc.LineTo(l.b);
    }
    void operator()(const picture::Arc& a) const
    {
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, a.width, Colour(a.colour)});
        dc.Arc(a.box, a.start, a.end);
    }
    void operator()(const picture::ArrowHead& h) const
    {
        DrawArrowHead(dc, h.tip.x, h.tip.y, h.length, h.width, h.degrees, h.filled, Colour(h.colour));
    }
    void operator()(const picture::Label& l) const
    {
        if (l.upward)
            DrawRichTextUpward(dc, l.at.x, l.at.y, l.text, l.font);
        else
            DrawRichText(dc, l.at.x, l.at.y, l.text, l.font, l.hAlign, l.vAlign, blackAndWhite);
    }
    plat::Color Colour(plat::Color c) const { return blackAndWhite ? plat::Colors::Black : c; }
};

} // namespace

void ReplayPicture(plat::DC& dc, const DiagramPicture& picture, bool blackAndWhite)
{
    dc.SetBkMode(plat::BkMode::Transparent);
    const Replayer replay{dc, blackAndWhite};
    for (const picture::Item& item : picture.items)
        std::visit(replay, item);
}
