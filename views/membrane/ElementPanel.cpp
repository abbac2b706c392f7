#include "views/membrane/ElementPanel.h"

#include <algorithm>
#include <cmath>

#include "app/GlobalTables.h"
#include "app/summary/CrossSection.h"
#include "charts/DrawingSheet.h"
#include "charts/RichText.h"
#include "views/membrane/ElementSketch.h"
#include "model/ModelHelpers.h"
#include "model/TShell.h"
#include "platform/DC.h"

namespace {

namespace TA = plat::TextAlign;

plat::LogFont Arial(int height, bool underline = false)
{
    plat::LogFont f;
    f.face = "Arial";
    f.height = height;
    f.weight = 400;
    f.underline = underline;
    return f;
}

void BlackPen(plat::DC& dc)
{
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black});
}

void Line(plat::DC& dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

plat::Size Marked(plat::DC& dc, int x, int y, const std::string& text, unsigned h, unsigned v)
{
    return DrawRichText(dc, x, y, text, dc.GetFont(), h, v);
}

} // namespace

void DrawElementProperties(plat::DC& dc, const TStructure& e, int x, int y, int W, int h, int m,
                           const DisplayContext& u)
{
    const auto Y = [h, y](double f) { return y + static_cast<int>(f * h); };
    const int yT = Y(0.39);
    const int xR = x + static_cast<int>(0.33 * W);
    Line(dc, xR, y + m, xR, yT);
    Line(dc, xR, yT, x + m, yT);
    dc.SelectFont(Arial(-(W / 75)));
    std::string label;
    AreaUnitSuffix(label, "Crack Space", 6, 0);
    const int lw = Marked(dc, x + m + 6, Y(0.35), label, TA::Left, TA::Bottom).cx;
    const int cx = x + m + 6 + lw / 2;
    AreaUnitSuffix(label, "A_s", kAreaPerLengthKind, 0);
    Marked(dc, cx, Y(0.17), label, TA::Center, TA::Bottom);
    AreaUnitSuffix(label, "|r", 4, 0);
    Marked(dc, cx, Y(0.23), label, TA::Center, TA::Bottom);
    AreaUnitSuffix(label, "|rf_y", 10, 0);
    Marked(dc, cx, Y(0.29), label, TA::Center, TA::Bottom);
    const int x1 = static_cast<int>(x + m + 1.1 * lw);
    Line(dc, x1, yT, x1, Y(0.1));
    Line(dc, x + m, Y(0.1), xR, Y(0.1));
    const double span = 0.33 * W - m - 1.1 * lw;
    const int col[2] = {static_cast<int>(x + m + 1.1 * lw + 0.25 * span),
                        static_cast<int>(x + m + 1.1 * lw + 0.75 * span)};
    static const int areaDecimals[4] = {0, 2, 1, 3};
    static const int rhoYDecimals[4] = {3, 3, 3, 2};
    static const int strengthDecimals[4] = {2, 0, 1, 0};
    const int sys = std::clamp(u.unitSystem, 0, 3);
    const TShell* shell = e.GetKind() == kKindShell ? static_cast<const TShell*>(&e) : nullptr;
    dc.SetTextAlign(TA::Center | TA::Bottom);
    for (int d = 0; d < 2 && shell; ++d) {
        if (e.GetLongLayerCount(d) < 1)
            continue;
        double rho = 0.0, rhoF = 0.0;
        shell->GetSteelTotals(rho, rhoF, 0, d);
        const double As = e.GetHeight() * rho * u.Factor(8) / u.Factor(7);
        dc.TextOut(col[d], Y(0.17), Printf(Printf("%%5.%df", areaDecimals[sys]).c_str(), As));
        dc.TextOut(col[d], Y(0.23),
                   Printf(Printf("%%5.%df", d == 0 ? 3 : rhoYDecimals[sys]).c_str(), rho * u.Factor(4)));
        dc.TextOut(col[d], Y(0.29),
                   Printf(Printf("%%5.%df", strengthDecimals[sys]).c_str(), rhoF * u.Factor(10)));
    }
    dc.TextOut(col[0], Y(0.1) - 2, "X-Dir'n");
    dc.TextOut(col[1], Y(0.1) - 2, "Y-Dir'n");
    dc.SelectFont(Arial(-(W / 60), true));
    dc.SetTextAlign(TA::Center);
    dc.TextOut(x + m + static_cast<int>((0.33 * W - m) / 2), y + m + 2, "Element Properties");
    dc.SetTextAlign(TA::Left | TA::Top);
    dc.TextOut(x + 2 * m, Y(0.52), "Concrete shrinkage strain:");
    dc.TextOut(x + 2 * m, Y(0.62), "Loading (Constant + Increment)");
    dc.SelectFont(Arial(-(W / 75)));
    dc.TextOut(x + static_cast<int>(0.05 * W), Y(0.57),
               Printf("%5.2f %s", e.GetInitialStrainAt(0.0, 3) * u.Factor(3), u.Label(3)));
    double c[8] = {}, inc[8] = {};
    e.GetConstantLoads(c, 8);
    e.GetIncrementLoads(inc, 8);
    static const int kinds[8] = {15, 15, 15, 16, 16, 16, 15, 15};
    for (int i = 0; i < 8; ++i) {
        // + 0.0: a zero shows as a positive zero.
        c[i] = c[i] * u.Factor(kinds[i]) + 0.0;
        inc[i] = inc[i] * u.Factor(kinds[i]) + 0.0;
    }
    const int lx = x + static_cast<int>(0.01 * W + m);
    dc.TextOut(lx, Y(0.66), Printf("%5.2f , %5.2f , %5.2f , %5.2f , %5.2f , %5.2f , %5.2f , %5.2f +", c[0],
                                   c[1], c[2], c[3], c[4], c[5], c[6], c[7]));
    dc.TextOut(lx, Y(0.69), Printf("%5.2f , %5.2f , %5.2f , %5.2f , %5.2f , %5.2f , %5.2f , %5.2f", inc[0],
                                   inc[1], inc[2], inc[3], inc[4], inc[5], inc[6], inc[7]));
}

void DrawReinforcementLists(plat::DC& dc, const TStructure& e, int x, int y, int W, int h, int m,
                            const DisplayContext& u)
{
    const auto X = [W, x](double f) { return x + static_cast<int>(f * W); };
    const auto Y = [h, y](double f) { return y + static_cast<int>(f * h); };
    dc.SelectFont(Arial(-(W / 60), true));
    dc.SetTextAlign(TA::Center);
    dc.TextOut(X(0.5), Y(0.5), "X-Reinforcement");
    dc.TextOut(X(0.85), Y(0.5), "Y-Reinforcement");
    const bool transverse = e.GetTransLayerCount(2) > 0;
    if (transverse) {
        dc.SetTextAlign(TA::Left | TA::Top);
        dc.TextOut(X(0.35), y + 2 * m, "Transverse Reinforcement");
    }
    for (int d = 0; d < 2; ++d) {
        if (e.GetLongLayerCount(d) < 1)
            continue;
        const std::string text = DescribePatterns(&e, d, u) + DescribeLongLayers(&e, d, u);
        int lines = 0;
        DrawRichTextLines(dc, X(d == 0 ? 0.5 : 0.85), Y(0.55), text, Arial(-(W / 75)), lines, TA::Center,
                          TA::Top);
    }
    if (transverse) {
        int lines = 0;
        DrawRichTextLines(dc, X(0.4), y + 5 * m, DescribeTransLayers(&e, u), Arial(-(W / 75)), lines,
                          TA::Left, TA::Top);
    }
}

void DrawElementCatalog(plat::DC& dc, const TStructure* element, int x, int y, int W, int w, int h, int m)
{
    const int L = x - m + W, R = x + w - m, Ws = w - W - m;
    const int Hr = static_cast<int>(0.75 * Ws);
    const int T = static_cast<int>(0.1 * h);
    const int cx = x + (W + w) / 2 - m;
    BlackPen(dc);
    Line(dc, L, y + T, R, y + T);
    dc.MoveTo(L, y + m);
    dc.LineTo(R, y + m);
    dc.LineTo(R, y + h - m);
    dc.LineTo(L, y + h - m);
    dc.SelectFont(Arial(-(w / 75)));
    dc.SetTextAlign(TA::Center | TA::Bottom);
    dc.TextOut(cx, y + 3 * m, "Element Catalog");
    int count = 0;
    for (const auto& s : g_Structures)
        count += s ? 1 : 0;
    dc.SelectFont(Arial(-(w / 100)));
    dc.TextOut(cx, y + T - m, Printf("Number of Elements: %d", count));
    const std::string bound = element ? element->GetName() : std::string();
    bool marked = false;
    int rowTop = y + T, rowBottom = rowTop + Hr - 1;
    for (const auto& s : g_Structures) {
        if (!s || s->GetKind() != kKindShell)
            continue;
        const bool mark = element && !marked && s->GetName() == bound;
        if (mark) {
            Line(dc, L, rowTop, R, rowTop);
            Line(dc, L, rowBottom, R, rowBottom);
            dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::White});
            Line(dc, L, rowBottom, L, rowTop);
            BlackPen(dc);
        }
        BlackPen(dc);
        DrawElementThumbnail(dc, *s, x + W - m / 2, rowTop, Ws, Hr);
        dc.SelectFont(Arial(-(w / 100)));
        dc.SetTextAlign(TA::Left | TA::Top);
        dc.TextOut(x + W, rowTop + 1, s->GetName());
        const int th = dc.GetTextExtent(s->GetName()).cy;
        if (mark) {
            const plat::Point apex{x + W - 2 * m, static_cast<int>(rowTop + 0.5 * th)};
            const plat::Point upper{L, static_cast<int>(rowTop + 0.25 * th)};
            const plat::Point lower{L, static_cast<int>(rowTop + 0.75 * th)};
            dc.FillRegion(plat::Region{{apex, upper, lower}}, plat::Colors::Black);
            dc.MoveTo(x + W - 5, rowTop + th / 2);
            dc.LineTo(apex.x, apex.y);
            dc.LineTo(upper.x, upper.y);
            dc.LineTo(lower.x, lower.y);
            dc.LineTo(apex.x, apex.y);
            marked = true;
        }
        if (h < rowBottom + 1 + Hr)
            break;
        rowTop += Hr;
        rowBottom += Hr;
    }
}

void PaintMembranePanel(plat::DC& dc, const TStructure* element, int x, int y, int w, int h, int flag,
                        const DisplayContext& u)
{
    (void)flag; // the sheet of this program draws the same on screen and on paper
    const int m = w / 100;
    dc.SetBkMode(plat::BkMode::Transparent);
    int reinforcing = 0, prestressing = 0;
    const int kinds = element ? element->CountSteelKinds(reinforcing, prestressing) : 0;
    std::string cover, caption;
    FormatCoverText(cover, element);
    CountExperimentalPoints(element, caption);
    const int W = static_cast<int>(0.85 * w);
    if (element) {
        int result = 0;
        DrawDimensionedPicture(dc, x, y, W, h, element->GetName(), element->GetDoneBy(),
                               element->GetUniversity(), cover, "", caption, kinds, 220, 221, u.unitSystem, m,
                               result, {0, 0}, 1);
    }
    DrawElementCatalog(dc, element, x, y, W, w, h, m);
    if (element && element->GetHeight() > 0.0) {
        BlackPen(dc);
        DrawElementProperties(dc, *element, x, y, W, h, m, u);
        BlackPen(dc);
        DrawMainElementSketch(dc, *element, x, y, W, h, m);
        DrawReinforcementLists(dc, *element, x, y, W, h, m, u);
    }
}
