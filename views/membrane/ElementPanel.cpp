#include "views/membrane/ElementPanel.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/GlobalTables.h"
#include "app/summary/CrossSection.h"
#include "charts/DrawingSheet.h"
#include "charts/RichText.h"
#include "model/ModelHelpers.h"
#include "model/ShellLoadScale.h"
#include "model/TShell.h"
#include "platform/DC.h"
#include "views/MaterialPicture.h"
#include "views/membrane/ElementSketch.h"

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

// The occupied slots of the structure table, whatever their kind.
int CountOccupied()
{
    int count = 0;
    for (const auto& s : g_Structures)
        count += s ? 1 : 0;
    return count;
}

// The leading lines of a multi-line text that stand in room pixels at the font, whole lines
// only.
std::string LinesWithin(plat::DC& dc, const std::string& text, const plat::LogFont& font, int room)
{
    std::string kept;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string next = kept + text.substr(from, end - from);
        int lines = 0;
        const std::string measured = next.substr(0, next.find_last_not_of("\r\n") + 1);
        if (MeasureRichTextLines(dc, measured, font, lines).cy > room)
            break;
        kept = next;
        from = end;
    }
    return kept;
}

} // namespace

void DrawElementProperties(plat::DC& dc, const TStructure& e, int x, int y, int W, int h, int m,
                           const DisplayContext& u)
{
    const auto Y = [h, y](double f) { return y + static_cast<int>(f * h); };
    const auto Rows = [h](double f) { return static_cast<int>(f * h); };
    const int yT = Y(0.39);
    const int xR = x + static_cast<int>(0.33 * W);
    Line(dc, xR, y + m, xR, yT);
    Line(dc, xR, yT, x + m, yT);
    // The table's rows stand 0.06 h apart, a superscript rising a third of a line over its row.
    const int body = FitSheetHeight(dc, W / 75, Rows(0.045));
    dc.SelectFont(Arial(-body));
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
    // The heading over the column heads between the box's top (m) and its first rule (0.1 h),
    // both made smaller where a low panel leaves them no room; where even the least text
    // leaves none, the heading is left out and the column heads stay.
    int heading = W / 60, heads = body;
    const bool headed = FitSheetPair(dc, Y(0.1) - 2 - (y + m + 2), heading, true, heads);
    dc.SelectFont(Arial(-heads));
    dc.TextOut(col[0], Y(0.1) - 2, "X-Dir'n");
    dc.TextOut(col[1], Y(0.1) - 2, "Y-Dir'n");
    if (headed) {
        dc.SelectFont(Arial(-heading, true));
        dc.SetTextAlign(TA::Center);
        dc.TextOut(x + m + static_cast<int>((0.33 * W - m) / 2), y + m + 2, "Element Properties");
    }
    // The shrinkage strain and the loads: each heading in the 0.04 h over its first line, the
    // load lines 0.03 h apart, each written smaller to stand in its row, and set lower where
    // even the least text is taller than the row.
    const int caption = FitSheetHeight(dc, W / 60, Rows(0.04) - 1, true);
    const int lines = FitSheetHeight(dc, W / 75, Rows(0.03) - 1);
    dc.SelectFont(Arial(-caption, true));
    dc.SetTextAlign(TA::Left | TA::Top);
    const int captionCell = SheetCell(dc, caption, true), lineCell = SheetCell(dc, lines);
    dc.TextOut(x + 2 * m, Y(0.52), "Concrete shrinkage strain:");
    dc.TextOut(x + 2 * m, Y(0.62), "Loading (Constant + Increment)");
    dc.SelectFont(Arial(-lines));
    dc.TextOut(x + static_cast<int>(0.05 * W), std::max(Y(0.57), Y(0.52) + captionCell + 1),
               Printf("%5.2f %s", e.GetInitialStrainAt(0.0, 3) * u.Factor(3), u.Label(3)));
    double c[8] = {}, inc[8] = {};
    e.GetConstantLoads(c, 8);
    e.GetIncrementLoads(inc, 8);
    static const int kinds[8] = {15, 15, 15, 16, 16, 16, 15, 15};
    for (int i = 0; i < 8; ++i) {
        // N_xx, N_yy and N_xy are shown as the stresses the analysis applies, in the stress
        // unit the loads dialog names them in.
        const double factor =
            i < 3 ? u.Factor(ukStress) * kShellLoadStressScale : u.Factor(kinds[i]);
        // + 0.0: a zero shows as a positive zero.
        c[i] = c[i] * factor + 0.0;
        inc[i] = inc[i] * factor + 0.0;
    }
    const int lx = x + static_cast<int>(0.01 * W + m);
    const int first = std::max(Y(0.66), Y(0.62) + captionCell + 1);
    dc.TextOut(lx, first, Printf("%5.2f , %5.2f , %5.2f , %5.2f , %5.2f , %5.2f , %5.2f , %5.2f +", c[0], c[1],
                                 c[2], c[3], c[4], c[5], c[6], c[7]));
    dc.TextOut(lx, std::max(Y(0.69), first + lineCell + 1),
               Printf("%5.2f , %5.2f , %5.2f , %5.2f , %5.2f , %5.2f , %5.2f , %5.2f", inc[0], inc[1], inc[2],
                      inc[3], inc[4], inc[5], inc[6], inc[7]));
}

void DrawReinforcementLists(plat::DC& dc, const TStructure& e, int x, int y, int W, int h, int m,
                            const DisplayContext& u, int blockTop, const std::vector<plat::Rect>& notes)
{
    const auto X = [W, x](double f) { return x + static_cast<int>(f * W); };
    const auto Y = [h, y](double f) { return y + static_cast<int>(f * h); };
    // The headings in the 0.05 h over the listings, less the third of a line a superscript of
    // the listing's first line rises.
    const int list = ReadableHeight(W / 75);
    int heading = FitSheetHeight(dc, W / 60, static_cast<int>(0.05 * h) - SheetCell(dc, list) / 3 - 1, true);
    // Each listing reaches down to the highest note under it, else to the title block: it is
    // written smaller, down to the least text (its superscripts rising less), to stand whole
    // there, the headings too where that makes room for it; then its lines past it are left out.
    struct Listing {
        std::string text;
        int floor = 0;
    };
    std::vector<Listing> listings(2);
    for (int d = 0; d < 2; ++d) {
        if (e.GetLongLayerCount(d) < 1)
            continue;
        Listing& l = listings[static_cast<std::size_t>(d)];
        l.text = DescribePatterns(&e, d, u) + DescribeLongLayers(&e, d, u);
        // The lines' last break starts no line of its own.
        l.text.erase(l.text.find_last_not_of("\r\n") + 1);
        int lines = 0;
        const int middle = X(d == 0 ? 0.5 : 0.85);
        const int half = MeasureRichTextLines(dc, l.text, Arial(-list), lines).cx / 2;
        l.floor = blockTop;
        for (const plat::Rect& note : notes)
            if (note.left < middle + half + m && middle - half - m < note.right)
                l.floor = std::min(l.floor, note.top);
    }
    // The listing's top under its heading, its superscripts' rise between.
    const auto topAt = [&](int headingSize, int size) {
        return Y(0.5) + SheetCell(dc, headingSize, true) + 1 + SheetCell(dc, size) / 3;
    };
    const auto fits = [&](const Listing& l, int headingSize, int size) {
        int lines = 0;
        const std::string first = l.text.substr(0, l.text.find('\n'));
        return MeasureRichTextLines(dc, first, Arial(-size), lines).cy <= l.floor - 1 - topAt(headingSize, size);
    };
    for (const Listing& l : listings)
        if (!l.text.empty() && !fits(l, heading, kLeastTextCharHeight))
            heading = kLeastTextCharHeight;
    dc.SelectFont(Arial(-heading, true));
    dc.SetTextAlign(TA::Center);
    dc.TextOut(X(0.5), Y(0.5), "X-Reinforcement");
    dc.TextOut(X(0.85), Y(0.5), "Y-Reinforcement");
    const bool transverse = e.GetTransLayerCount(2) > 0;
    if (transverse) {
        dc.SetTextAlign(TA::Left | TA::Top);
        dc.TextOut(X(0.35), y + 2 * m, "Transverse Reinforcement");
    }
    for (int d = 0; d < 2; ++d) {
        const Listing& l = listings[static_cast<std::size_t>(d)];
        if (l.text.empty())
            continue;
        int lines = 0, height = list;
        while (height > kLeastTextCharHeight &&
               MeasureRichTextLines(dc, l.text, Arial(-height), lines).cy > l.floor - 1 - topAt(heading, height))
            --height;
        // At 0.55 h where it stands whole from there.
        const int listTop = MeasureRichTextLines(dc, l.text, Arial(-height), lines).cy <= l.floor - 1 - Y(0.55)
                                ? std::max(Y(0.55), topAt(heading, height))
                                : topAt(heading, height);
        const std::string text = LinesWithin(dc, l.text, Arial(-height), l.floor - 1 - listTop);
        // Centred on its heading, or as far left as keeps its longest line m inside the picture.
        const int drawnHalf = MeasureRichTextLines(dc, text, Arial(-height), lines).cx / 2;
        const int centre = std::min(X(d == 0 ? 0.5 : 0.85), x + W - m - 1 - drawnHalf);
        DrawRichTextLines(dc, centre, listTop, text, Arial(-height), lines, TA::Center, TA::Top);
    }
    if (transverse) {
        int lines = 0;
        DrawRichTextLines(dc, X(0.4), y + 5 * m, DescribeTransLayers(&e, u), Arial(-list), lines, TA::Left,
                          TA::Top);
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
    // The heading and the count between the frame's top and the separator.
    DrawCatalogHeading(dc, L, R, cx, y + m, y + T, m, w / 75, false, w / 100,
                       Printf("Number of Elements: %d", CountOccupied()));
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
        dc.SelectFont(Arial(-ReadableHeight(w / 100)));
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
    int notesTop = y + h, blockTop = y + h;
    std::vector<plat::Rect> noteBoxes;
    if (element) {
        int result = 0;
        notesTop = DrawDimensionedPicture(dc, x, y, W, h, element->GetName(), element->GetDoneBy(),
                               element->GetUniversity(), cover, "", caption, kinds, 220, 221, u.unitSystem, m,
                               result, {0, 0}, 1);
        // The notes stand right-aligned at W - 2 m, bottom-aligned 2 m apart up from 2 m over
        // the title block (its top 4 lh over the foot; the sheet answers 5 lh + 6 m + 2 over
        // the foot): the boxes of those with a text.
        const int lh = (y + h - 6 * m - 2 - notesTop) / 5;
        blockTop = y + h - 4 * lh;
        const std::string notes[] = {cover, UnitNote(u.unitSystem), caption};
        const plat::LogFont old = dc.SelectFont(NoteFont(dc, W, h, m, kinds, {cover, notes[1], caption, ""}));
        for (int k = 0; k < 3; ++k) {
            if (notes[k].empty())
                continue;
            const plat::Size e = dc.GetTextExtent(LabelToUtf8(notes[k]));
            const int right = x + W - 2 * m, bottom = blockTop - 2 * (k + 1) * m;
            noteBoxes.push_back(plat::Rect{right - e.cx, bottom - e.cy, right, bottom});
        }
        dc.SelectFont(old);
    }
    DrawElementCatalog(dc, element, x, y, W, w, h, m);
    if (element && element->GetHeight() > 0.0) {
        BlackPen(dc);
        DrawElementProperties(dc, *element, x, y, W, h, m, u);
        BlackPen(dc);
        DrawMainElementSketch(dc, *element, x, y, W, h, m);
        DrawReinforcementLists(dc, *element, x, y, W, h, m, u, blockTop, noteBoxes);
    }
}
