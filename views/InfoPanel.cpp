// The information panel of the beam mode.

#include <algorithm>
#include <cmath>

#include "analysis/TSectionalAnalysis.h"
#include "charts/RichText.h"
#include "foundation/DateTime.h"
#include "foundation/StrFormat.h"
#include "model/TStructure.h"
#include "platform/DC.h"
#include "views/BeamViewRules.h"
#include "views/TQ2k_Logic.h"

namespace {

// One line of label markup at (x, y) in the selected font and text alignment.
void DrawMarked(plat::DC& dc, int x, int y, const std::string& text)
{
    const unsigned align = dc.GetTextAlign();
    DrawRichText(dc, x, y, text, dc.GetFont(), align & plat::TextAlign::HorizontalMask,
                 align & plat::TextAlign::VerticalMask);
}

plat::LogFont Arial(int height, int weight)
{
    plat::LogFont f;
    f.face = "Arial";
    f.height = height;
    f.weight = weight;
    return f;
}

// The font at its own height, or as much lower as a text that would not fit in room pixels
// needs to fit: a long heading or section name stays inside the control panel instead of
// running over its edge.
plat::LogFont Fitted(plat::DC& dc, plat::LogFont font, const std::string& text, int room, bool markup)
{
    const auto width = [&](const plat::LogFont& f) {
        if (markup)
            return MeasureRichText(dc, text, f).cx;
        const plat::LogFont old = dc.SelectFont(f);
        const int w = dc.GetTextExtent(text).cx;
        dc.SelectFont(old);
        return w;
    };
    const int w = width(font);
    if (w <= room || w <= 0 || font.height <= 1)
        return font;
    font.height = std::max(1, static_cast<int>(static_cast<double>(font.height) * std::max(room, 0) / w));
    while (font.height > 1 && width(font) > room)
        --font.height;
    return font;
}

} // namespace

int TQ2k_Logic::PaintInfoPanel(plat::DC& dc, int layoutMode, int W, int H,
                               std::string& heading)
{
    using plat::TextAlign::Bottom;
    using plat::TextAlign::Left;
    using plat::TextAlign::Right;
    using plat::TextAlign::Center;
    using plat::TextAlign::Top;
    if (layoutMode == 0 || layoutMode == 3)
        return 1;
    RefreshDisplay();
    const std::string author = m_structure ? m_structure->GetDoneBy() : std::string();
    std::string name = m_structure ? m_structure->GetName() : std::string();
    name = name.substr(0, name.find_first_of("\r\n"));
    const std::string stamp = DateTimeStamp();
    const DisplayContext& u = m_display;
    const auto at = [H](double f) { return static_cast<int>(f * H); };

    dc.SetBkMode(plat::BkMode::Transparent);
    dc.SelectFont(Arial(W / 50, 400));
    dc.SetTextAlign(Bottom);

    if (layoutMode == 4 || layoutMode == 5 || layoutMode == 6) {
        const int edge = static_cast<int>(0.25 * W - 1);
        dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
        dc.MoveTo(edge, H);
        dc.LineTo(edge, 0);
        dc.SetTextAlign(Top | Left);
        // The texts stand 10 pixels in from both edges of the control panel.
        const int room = edge - 2 * 10;
        dc.SelectFont(Fitted(dc, Arial(W / 45, 700), heading, room, false));
        dc.TextOut(10, at(0.01), heading);
        dc.SelectFont(Fitted(dc, Arial(W / 60, 400), name, room, true));
        DrawMarked(dc, 10, at(0.045), name);
        const std::string byline = author + "  " + stamp;
        dc.SelectFont(Fitted(dc, Arial(W / 60, 400), byline, room, false));
        dc.TextOut(10, at(0.07), byline);
        dc.SelectFont(Arial(W / 60, 400));

        std::array<double, 6> v{};
        if (layoutMode == 6) {
            if (m_analysis && m_analysis->GetStateResults(nullptr, v, 1)) {
                const char* f = FactoredValueSuffix(u);
                dc.SetTextAlign(Bottom | Left);
                DrawMarked(dc, 10, at(0.9), Printf("Load factor%s : %5.1f ", f, UnsignedZero(v[4], 1)));
                DrawMarked(dc, 10, at(0.93),
                           Printf("Dy%s : %5.1f %s", f, UnsignedZero(u.Show(v[1], 6), 1), u.Label(6)));
                DrawMarked(dc, 10, at(0.96),
                           Printf("Axial%s : %5.2f %s", f, UnsignedZero(u.Show(v[5], 1), 2), u.Label(1)));
                if (ShowFactoredValuesLine(u))
                    dc.TextOut(10, at(0.99), "Factored Values");
            }
        } else {
            dc.MoveTo(0, at(0.87));
            dc.LineTo(edge, at(0.87));
            if (m_analysis && m_analysis->GetStateResults(nullptr, v, 2)) {
                dc.SetTextAlign(Bottom | Left);
                DrawMarked(dc, 10, at(0.8),
                           Printf("|e_x_0 = %5.2f %s", UnsignedZero(u.Show(v[0], 3), 2), u.Label(3)));
                DrawMarked(dc, 10, at(0.835), Printf("|f = %5.2f %s", UnsignedZero(u.Show(v[1], 5), 2), u.Label(5)));
                DrawMarked(dc, 10, at(0.87),
                           Printf("|g_x_y(avg) = %5.2f %s", UnsignedZero(u.Show(v[2], 3), 2), u.Label(3)));
                dc.SetTextAlign(Top | Left);
                dc.TextOut(10, at(0.9), Printf("Axial Load = %5.1f %s", UnsignedZero(u.Show(v[3], 1), 1), u.Label(1)));
                const double moment = std::isnan(v[4]) ? 0.0 : u.Show(v[4], 2);
                dc.TextOut(10, at(0.93), Printf("Moment:= %6.1f %s", UnsignedZero(moment, 1), u.Label(2)));
                dc.TextOut(10, at(0.96), Printf("Shear = %6.1f %s", UnsignedZero(u.Show(v[5], 1), 1), u.Label(1)));
                if (ShowFactoredValuesLine(u))
                    dc.TextOut(10, at(0.99), "Factored Values");
            }
        }
    } else if (layoutMode == 1) {
        dc.SetTextAlign(Top | Left);
        dc.SelectFont(Arial(W / 45, 700));
        dc.TextOut(10, at(0.01), heading);
        dc.SelectFont(Arial(W / 60, 400));
        dc.SetTextAlign(Top | Center);
        DrawMarked(dc, static_cast<int>(0.5 * W), at(0.01), name);
        dc.SetTextAlign(Top | Right);
        dc.TextOut(W - 10, at(0.01), author + "  " + stamp);
    }
    return 1;
}
