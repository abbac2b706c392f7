// The information panel of the beam mode.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "analysis/TSectionalAnalysis.h"
#include "charts/RichText.h"
#include "foundation/DateTime.h"
#include "foundation/StrFormat.h"
#include "model/TStructure.h"
#include "platform/DC.h"
#include "views/BeamViewRules.h"
#include "views/PanelLines.h"
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
        // The texts stand 10 pixels in from both edges of the control panel, in blocks: the
        // heading, the name and byline under it, and the results at the foot (above and below
        // the rule at 0.87 of the height, or over the last tenth without it).
        const int room = edge - 10;
        // The heading, name and byline are written as they stand: not markup.
        WritePanelLines(dc, {heading}, Arial(W / 45, 700), plat::Rect{10, at(0.01), room, at(0.045)}, at(0.035),
                        false, false);
        WritePanelLines(dc, {name, author + "  " + stamp}, Arial(W / 60, 400),
                        plat::Rect{10, at(0.045), room, at(0.25)}, at(0.025), false, false);

        std::array<double, 6> v{};
        std::vector<std::string> foot;
        if (layoutMode == 6) {
            if (m_analysis && m_analysis->GetStateResults(nullptr, v, 1)) {
                const char* f = FactoredValueSuffix(u);
                WritePanelLines(dc,
                                {Printf("Load factor%s : %5.1f ", f, UnsignedZero(v[4], 1)),
                                 Printf("Dy%s : %5.1f %s", f, UnsignedZero(u.Show(v[1], 6), 1), u.Label(6)),
                                 Printf("Axial%s : %5.2f %s", f, UnsignedZero(u.Show(v[5], 1), 2), u.Label(1))},
                                Arial(W / 60, 400), plat::Rect{10, at(0.87), room, at(0.96)}, at(0.03), true);
                if (ShowFactoredValuesLine(u))
                    foot.push_back("Factored Values");
                WritePanelLines(dc, foot, Arial(W / 60, 400), plat::Rect{10, at(0.96) + 1, room, H - 2}, at(0.03));
            }
        } else {
            const int rule = at(0.87);
            dc.MoveTo(0, rule);
            dc.LineTo(edge, rule);
            if (m_analysis && m_analysis->GetStateResults(nullptr, v, 2)) {
                WritePanelLines(
                    dc,
                    {Printf("|e_x_0 = %5.2f %s", UnsignedZero(u.Show(v[0], 3), 2), u.Label(3)),
                     Printf("|f = %5.2f %s", UnsignedZero(u.Show(v[1], 5), 2), u.Label(5)),
                     Printf("|g_x_y(avg) = %5.2f %s", UnsignedZero(u.Show(v[2], 3), 2), u.Label(3))},
                    Arial(W / 60, 400), plat::Rect{10, at(0.765), room, rule - 1}, at(0.035), true);
                const double moment = std::isnan(v[4]) ? 0.0 : u.Show(v[4], 2);
                foot = {Printf("Axial Load = %5.1f %s", UnsignedZero(u.Show(v[3], 1), 1), u.Label(1)),
                        Printf("Moment:= %6.1f %s", UnsignedZero(moment, 1), u.Label(2)),
                        Printf("Shear = %6.1f %s", UnsignedZero(u.Show(v[5], 1), 1), u.Label(1))};
                if (ShowFactoredValuesLine(u))
                    foot.push_back("Factored Values");
                // From 0.9 of the height down, or as much higher as the rows need.
                const int count = static_cast<int>(foot.size());
                const int top = std::max(rule + 2, std::min(at(0.9), H - 2 - count * at(0.03)));
                WritePanelLines(dc, foot, Arial(W / 60, 400), plat::Rect{10, top, room, H - 2}, at(0.03));
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
