#include "app/summary/DepthProfile.h"

#include "app/summary/SummaryLayout.h"
#include "foundation/TDepthTable.h"

namespace {
int Round(double v)
{
    return static_cast<int>(v + 0.5);
}

plat::Color BandColour(const TDepthTable* colours, int i)
{
    const int n = colours != nullptr ? static_cast<int>(colours->GetValue(i)) : 0;
    return n == 0 ? plat::Colors::LtGray : plat::Color::PaletteIndex(n & 0xFFFF);
}
} // namespace

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
                            int drawFlag)
{
    const bool draw = drawFlag != 0;
    if (draw)
        dc.FillRect({x, y, x + w, y + h}, plat::Colors::White);
    const DepthProfileLayout L = LayoutDepthProfile(x, y, w, h, profile);
    if (L.degenerate)
        return draw ? 0 : -1;
    if (draw && L.half) {
        const plat::Pen old =
            dc.SelectPen(plat::Pen{plat::PenStyle::DashDot, 1, plat::Colors::Black});
        dc.MoveTo(static_cast<int>(L.xc), static_cast<int>(L.yr - L.s * L.z1 - 0.09 * h));
        dc.LineTo(static_cast<int>(L.xc), static_cast<int>(L.yr - L.s * L.z2 + 0.09 * h));
        dc.SelectPen(old);
    }
    struct Edge {
        int y;
        int left;
        int right;
    };
    auto edge = [&](double z, double v) {
        return Edge{Round(L.yr - z * L.s),
                    Round(L.xc - 0.5 * v * L.s),
                    L.half ? Round(L.xc) : Round(L.xc + 0.5 * v * L.s)};
    };
    const int n = profile.GetCount();
    Edge previous = edge(L.z1, 0.0);
    for (int i = 0; i < n; ++i) {
        const Edge e = edge(profile.GetDepth(i), profile.GetValue(i));
        if (e.y != previous.y) {
            const std::vector<plat::Point> band{{e.left, e.y},
                                                {previous.left, previous.y},
                                                {previous.right, previous.y},
                                                {e.right, e.y}};
            if (draw) {
                dc.FillRegion(plat::Region{band, plat::FillMode::Alternate},
                              BandColour(colours, i - 1));
            } else if (plat::PolygonContains(band, {px, py}, plat::FillMode::Winding)) {
                return i - 1;
            }
        }
        previous = e;
    }
    if (!draw)
        return -1;
    previous = edge(L.z1, 0.0);
    for (int i = 0; i < n; ++i) {
        const Edge e = edge(profile.GetDepth(i), profile.GetValue(i));
        dc.MoveTo(e.left, e.y);
        dc.LineTo(previous.left, previous.y);
        dc.MoveTo(previous.right, previous.y);
        dc.LineTo(e.right, e.y);
        const bool selected = i == k;
        const plat::Pen old =
            selected ? dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 3, plat::Colors::LtRed})
                     : dc.GetPen();
        dc.LineTo(e.left, e.y);
        if (selected)
            dc.SelectPen(old);
        previous = e;
    }
    return L.half ? 1 : 0;
}

int DrawDepthTableProfileDC(plat::DC& dc,
                            int x,
                            int y,
                            int w,
                            int h,
                            const TDepthTable& profile,
                            const TDepthTable* colours,
                            int k)
{
    return RenderDepthTableProfile(dc, x, y, w, h, profile, colours, k, 0, 0, 1);
}

int HitTestDepthTableProfile(int x,
                             int y,
                             int w,
                             int h,
                             const TDepthTable& profile,
                             const TDepthTable* /*colours*/,
                             int px,
                             int py)
{
    plat::ScreenDC dc;
    return RenderDepthTableProfile(dc, x, y, w, h, profile, nullptr, 0, px, py, 0);
}
