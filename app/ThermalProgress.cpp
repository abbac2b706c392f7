#include "app/ThermalProgress.h"

#include <algorithm>

#include "platform/DC.h"
#include "platform/Window.h"

namespace {

constexpr const char* kText = "Performing Thermal Analysis";
constexpr plat::Color kBarColour{152, 25, 25};

struct Layout {
    plat::Rect box;
    plat::Rect bar;       // the bar's full length: 80 % of the box's width
    double barLeft = 0;  // where the bar starts, before truncation
    int fontHeight = 0;
};

Layout LayOut(plat::Size client)
{
    const double w = client.cx, h = client.cy;
    Layout l;
    l.box = {static_cast<int>(0.015 * w), static_cast<int>(0.05 * h), static_cast<int>(0.235 * w),
             static_cast<int>(0.11 * h)};
    l.barLeft = l.box.left + 0.015 * w;
    l.bar = {static_cast<int>(l.barLeft), static_cast<int>(0.08 * h),
             static_cast<int>(l.barLeft + l.box.Width() * 0.8), static_cast<int>(0.1 * h)};
    l.fontHeight = static_cast<int>(std::min(w / 70.0, h / 50.0));
    return l;
}

int BarEnd(const Layout& l, double fraction)
{
    const double done = std::clamp(fraction, 0.0, 1.0);
    return static_cast<int>(l.barLeft + l.box.Width() * done * 0.8);
}

} // namespace

plat::Rect ThermalProgressBox(plat::Size client) { return LayOut(client).box; }

void DrawThermalProgress(plat::DC& dc, plat::Size client, double fraction)
{
    const Layout l = LayOut(client);
    const plat::Color face = plat::GetSysColor(plat::SysColor::Face3D);
    dc.FillRect(l.box, face);

    const int saved = dc.SaveDC();
    plat::LogFont font;
    font.face = "Arial";
    font.weight = 700;
    font.height = -l.fontHeight;
    dc.SelectFont(font);
    dc.SetTextAlign(plat::TextAlign::Left | plat::TextAlign::Top);
    dc.SetBkMode(plat::BkMode::Opaque);
    dc.SetBkColor(face);
    dc.SetTextColor(plat::Colors::Black);
    dc.TextOut(l.box.left + 5, l.box.top + 5, kText);
    dc.RestoreDC(saved);

    dc.FillRect({l.bar.left, l.bar.top, BarEnd(l, fraction), l.bar.bottom}, kBarColour);
}

void ThermalProgressFeed::operator()(double fraction)
{
    const plat::Rect client = m_window.GetClientRect();
    const plat::Size size{client.Width(), client.Height()};
    const Layout l = LayOut(size);
    const int end = BarEnd(l, fraction);
    if (end == m_barEnd)
        return;
    // The first time, the whole window first: what waits to be painted would cover the box.
    if (m_barEnd < 0)
        m_window.ShowNow();
    {
        plat::ClientDC dc(m_window);
        DrawThermalProgress(dc, size, fraction);
    }
    m_window.ShowNow(l.box);
    m_barEnd = end;
    ++m_shown;
}
