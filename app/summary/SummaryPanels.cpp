// The summary page's panels beside the section: the element catalogue column, the
// concrete-types legend and the section dimensions, and the page's hit test (the properties
// panel is drawn in PropertiesPanel.cpp).

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "app/GlobalTables.h"
#include "app/summary/CrossSection.h"
#include "app/summary/InfoManager.h"
#include "app/summary/PanelDrawing.h"
#include "app/summary/SummaryLayout.h"
#include "charts/DrawingSheet.h"
#include "charts/RichText.h"
#include "charts/Tchart.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/ModelHelpers.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"

using namespace summary_panels;

std::string FitCatalogName(plat::DC& dc, const std::string& name, const plat::LogFont& font, int width)
{
    if (MeasureRichText(dc, name, font).cx <= width)
        return name;
    // The longest prefix that fits (widths grow with the prefix), cut between characters.
    const auto prefix = [&name](std::size_t n) {
        while (n > 0 && n < name.size() && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80)
            --n;
        return name.substr(0, n);
    };
    std::size_t lo = 0, hi = name.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (MeasureRichText(dc, prefix(mid), font).cx <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return prefix(lo);
}

void DrawElementCatalogColumn(
    plat::DC& dc, const TStructure* current, int x, int y, int wp, int w, int h, int m)
{
    const int cw = w - wp - m;
    const int t = Trunc(0.1 * h);
    const int rh = CatalogRowHeight(cw);
    const int xl = x + wp - m;
    const int xr = x + w - m;
    dc.SelectPen(plat::Pen{});
    Line(dc, xl, y + t, xr, y + t);
    Line(dc, xl, y + m, xr, y + m);
    dc.LineTo(xr, y + h - m);
    dc.LineTo(xl, y + h - m);

    const int xc = x + (w + wp) / 2 - m;
    int occupied = 0;
    for (int slot = 0; slot < kMaxStructures; ++slot)
        occupied += StructureAt(slot) != nullptr ? 1 : 0;
    DrawCatalogHeading(dc, xl, xr, xc, y + m, y + t, m, Trunc(0.85 * std::min((h / 64) * 4 / 3, w / 64)), true,
                       std::min((h / 100) * 4 / 3, w / 100), StrPrintf("Number of Elements: %d", occupied));
    const plat::LogFont text = PageFont(h, w, 100);
    dc.SelectFont(text);

    for (const CatalogRow& row : ListCatalogRows(current, x, y, wp, w, h, m)) {
        const TStructure& st = *StructureAt(row.slot);
        if (row.marked) {
            Line(dc, xl, row.top, xr, row.top);
            Line(dc, xl, row.bottom, xr, row.bottom);
            dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::White});
            Line(dc, xl, row.bottom, xl, row.top);
            dc.SelectPen(plat::Pen{});
        }
        const plat::Size name = DrawRichText(dc,
                                             x + wp,
                                             row.top + 1,
                                             FitCatalogName(dc, st.GetName(), text, xr - 2 - (x + wp)),
                                             text,
                                             plat::TextAlign::Left,
                                             plat::TextAlign::Top);
        const int nh = name.cy;
        DrawSectionInRect(dc,
                          st,
                          x + wp - m / 2,
                          row.top + nh + 2,
                          Trunc(0.95 * cw),
                          rh - nh - 8,
                          1,
                          0);
        if (row.marked) {
            const plat::Point tip{x + wp - 2 * m, Trunc(row.top + 0.5 * nh)};
            dc.SelectPen(plat::Pen{});
            dc.SelectBrush(plat::Brush{false, plat::Colors::Black});
            dc.Polygon({tip, {xl, Trunc(row.top + 0.25 * nh)}, {xl, Trunc(row.top + 0.75 * nh)}});
            Line(dc, x + wp - 5, row.top + nh / 2, tip.x, tip.y);
        }
    }
}

int DrawConcreteTypesLegend(plat::DC& dc,
                            const TStructure& structure,
                            int wp,
                            int h,
                            double x0,
                            double y0,
                            double s,
                            int limit,
                            plat::Point point,
                            int drawFlag)
{
    (void)x0;
    const int xs = Trunc(0.33 * wp + 10);
    const int mu = wp / 100;
    const int bw = std::min(5, mu);
    if (structure.CountUsedConcreteTypes() <= 1)
        return -1;
    auto Y = [&](double z) { return y0 - z * s; };
    const double yTop = Y(structure.GetTop());
    const double yBottom = Y(structure.GetBottom());
    const int n = structure.GetRegionCount();
    if (drawFlag == 0) {
        if (xs < point.x && point.x < xs + limit && yTop < point.y && point.y < yBottom) {
            for (int i = 0; i < n; ++i) {
                const ConcreteRegionRec& r = *structure.GetRegion(i);
                if (Y(r.top) < point.y && point.y < Y(r.bottom))
                    return r.concreteType;
            }
        }
        return -1;
    }
    const int main = structure.GetMainConcreteType();
    for (int i = 0; i < n; ++i) {
        const ConcreteRegionRec& r = *structure.GetRegion(i);
        if (r.concreteType == main)
            dc.FillRect({xs, Trunc(Y(r.top)), xs + bw, Trunc(Y(r.bottom))}, plat::Colors::LtGray);
    }
    Line(dc, xs, Trunc(yTop), xs, Trunc(yBottom));
    Line(dc, xs + bw, Trunc(yTop), xs + bw, Trunc(yBottom));
    Line(dc, xs, Trunc(yTop), xs + mu, Trunc(yTop));
    for (int i = 0; i + 1 < n; ++i) {
        const ConcreteRegionRec& r = *structure.GetRegion(i);
        if (structure.GetRegion(i + 1)->concreteType != r.concreteType)
            Line(dc, xs, Trunc(Y(r.bottom)), xs + mu, Trunc(Y(r.bottom)));
    }
    Line(dc, xs, Trunc(yBottom), xs + mu, Trunc(yBottom));

    const plat::LogFont heading = PageFont(h, wp, 60);
    const int th = MeasureRichText(dc, "Types", heading).cy;
    DrawRichText(dc,
                 xs,
                 Trunc(yTop - 5),
                 "Types",
                 heading,
                 plat::TextAlign::Left,
                 plat::TextAlign::Bottom);
    DrawRichText(dc,
                 xs,
                 Trunc(yTop - 5 - th),
                 "Concrete",
                 heading,
                 plat::TextAlign::Left,
                 plat::TextAlign::Bottom);

    const plat::LogFont label = PageFont(h, wp, 75);
    const std::string format = setup_units("%5.~f", 1, 0, 0, g_UnitSystem);
    const int wb = MeasureRichText(dc, "base", label).cx;
    // The labels stand at their runs' mid-heights, top down. Where runs lie closer than the
    // digits are high (some 0.75 of the font's height; a section of many bands drawn small), a
    // label that would cover the one above it is left out: the next one clear of it is drawn.
    const int digits = Trunc(0.75 * -label.height);
    int above = INT_MIN;
    for (const LegendRun& run : ConcreteTypeRuns(structure)) {
        const ConcreteTypeRec* type = structure.GetConcreteType(run.type);
        std::string text =
            StrPrintf(format.c_str(), ToDisplayUnits(type != nullptr ? -type->fc : 0.0, ukStress));
        plat::Size extent = MeasureRichText(dc, text, label);
        const int lx = xs + 2 + bw;
        if (lx + extent.cx > limit) {
            text = StrPrintf("%d", run.type + 1);
            extent = MeasureRichText(dc, text, label);
        }
        const int lw = extent.cx;
        const int lh = extent.cy;
        const double ym = y0 - 0.5 * (run.top + run.bottom) * s;
        const double gh = (run.top - run.bottom) * s;
        const bool single = run.type != main || lw <= wb || gh <= 3 * lh;
        const int first = single ? Trunc(ym + lh / 2) : Trunc(ym - 0.5 * lh);
        if (above != INT_MIN && first - above < digits)
            continue;
        above = single ? first : Trunc(ym + 1.5 * lh);
        if (single) {
            DrawRichText(dc,
                         lx,
                         Trunc(ym + lh / 2),
                         text,
                         label,
                         plat::TextAlign::Left,
                         plat::TextAlign::Bottom);
        } else {
            DrawRichText(dc,
                         lx,
                         Trunc(ym - 0.5 * lh),
                         text,
                         label,
                         plat::TextAlign::Left,
                         plat::TextAlign::Bottom);
            DrawRichText(dc,
                         lx + lw / 2,
                         Trunc(ym + 0.5 * lh),
                         "base",
                         label,
                         plat::TextAlign::Center,
                         plat::TextAlign::Bottom);
            DrawRichText(dc,
                         lx + lw / 2,
                         Trunc(ym + 1.5 * lh),
                         "type",
                         label,
                         plat::TextAlign::Center,
                         plat::TextAlign::Bottom);
        }
    }
    return -1;
}

int DrawSectionDimensions(
    plat::DC& dc, const TStructure& structure, double x0, double y0, double s, double widest, int h)
{
    const int n = structure.GetRegionCount();
    if (n == 0)
        return 0;
    const int gap = Trunc(0.1 * h);
    const int size = h / 10;
    auto Y = [&](double z) { return Trunc(y0 - z * s); };
    auto width = [&](double w, int y, int side, int g = -1) {
        return DrawDimension(dc,
                             Trunc(x0 - w * s / 2),
                             y,
                             Trunc(x0 + w * s / 2),
                             y,
                             g < 0 ? gap : g,
                             std::string(),
                             ToDisplayUnits(w, ukSectionLength),
                             side,
                             size,
                             g_UnitSystem);
    };
    const double H = structure.GetHeight();
    auto height = [&](double xa, double ya, double xb, double yb, int offset) {
        return DrawVerticalDimension(dc,
                                     Trunc(xa),
                                     Trunc(ya),
                                     Trunc(xb),
                                     Trunc(yb),
                                     offset,
                                     gap,
                                     std::string(),
                                     ToDisplayUnits(H, ukSectionLength),
                                     g_UnitSystem,
                                     size);
    };
    const ConcreteRegionRec& F = *structure.GetRegion(0);
    const ConcreteRegionRec& L = *structure.GetRegion(n - 1);
    const ConcreteRegionRec* S = n > 1 ? structure.GetRegion(1) : nullptr;
    const ConcreteRegionRec* T = n > 2 ? structure.GetRegion(2) : nullptr;
    const double B = widest;
    // The height's line stands left of the widest region, and left of the label of a width
    // drawn inside the section (whose far end lies k pixels left of the centre line) by the
    // room that label keeps from its own line's end (two ticks): a label never touches it.
    const int tick = size / 10;
    auto offsetFor = [&](int k) {
        double o = (B / 2 - F.topWidth / 2) * s;
        if (k > 0)
            o = std::max(o, k + 2.0 * tick - F.topWidth * s / 2 - 0.5 * gap);
        return std::max(0, Trunc(o));
    };
    // The whole section: its widest width below the last region, its height left of it.
    auto whole = [&]() {
        width(B, Y(L.bottom), 1);
        return height(x0 - F.topWidth * s / 2,
                      Y(F.top),
                      Trunc(x0 - L.bottomWidth * s / 2),
                      Y(L.bottom),
                      Trunc((B / 2 - F.topWidth / 2) * s));
    };
    switch (structure.GetSectionKindCode()) {
    case 0:
        // A rectangle in bands (a post-fire beam) or of several regions: its first region is
        // only a part of it, so the whole is dimensioned, outside it as a rectangle is.
        if (n > 1)
            return whole();
        width(F.bottomWidth, Y(F.bottom), 1);
        return height(x0 - F.bottomWidth * s / 2,
                      Y(F.top),
                      Trunc(x0 - F.topWidth * s / 2),
                      Y(F.bottom),
                      Trunc((B / 2 - F.bottomWidth / 2) * s));
    case 1:
        return height(Trunc(x0), Y(F.top), Trunc(x0), Y(L.bottom), Trunc(0.5 * H * s));
    case 2:
        if (S != nullptr)
            width(S->bottomWidth, Y(S->bottom), 1);
        width(F.bottomWidth, Y(F.top), 0);
        return height(x0 - F.topWidth * s / 2,
                      Y(F.top),
                      Trunc(x0 - L.bottomWidth * s / 2),
                      Y(L.bottom),
                      Trunc((B / 2 - F.topWidth / 2) * s));
    case 3: {
        if (T != nullptr)
            width(T->bottomWidth, Y(T->bottom), 1);
        width(F.topWidth, Y(F.top), 0);
        int k = 0;
        if (S != nullptr)
            k = width((S->topWidth + S->bottomWidth) / 2, Y((S->top + S->bottom) / 2), 2, 0);
        return height(x0 - F.topWidth * s / 2,
                      Y(F.top),
                      Trunc(x0 - L.bottomWidth * s / 2),
                      Y(L.bottom),
                      offsetFor(k));
    }
    default: {
        // A section of one width throughout (a rectangle cut into stacked regions, as an
        // imported sheet is) is a rectangle: dimensioned as a whole, as shape code 0 is. A
        // region's width in between would only repeat the width, and which region stood for a
        // web would hang on the tenths of a millimetre its height was cut to.
        if (HasOneWidth(structure))
            return whole();
        if (L.bottomWidth > 0.0002)
            width(L.bottomWidth, Y(L.bottom), 1);
        if (F.topWidth > 0.0002)
            width(F.topWidth, Y(F.top), 0);
        int k = 0;
        const WebRegion web = FindWebRegion(structure);
        if (web.index > 0 && web.index < n - 1) {
            const ConcreteRegionRec& R = *structure.GetRegion(web.index);
            if (std::fabs(R.topWidth - R.bottomWidth) >= 0.0001) {
                const bool topNarrower = R.topWidth < R.bottomWidth;
                const bool showTop = web.inner ? topNarrower : !topNarrower;
                k = width(showTop ? R.topWidth : R.bottomWidth,
                          Y(showTop ? R.top : R.bottom),
                          2,
                          0);
            } else {
                k = width((R.topWidth + R.bottomWidth) / 2, Y((R.top + R.bottom) / 2), 2, 0);
            }
        }
        return height(x0 - F.topWidth * s / 2,
                      Y(F.top),
                      Trunc(x0 - L.bottomWidth * s / 2),
                      Y(L.bottom),
                      offsetFor(k));
    }
    }
}

int HitTestSummaryPage(plat::DC& dc,
                       const TStructure* structure,
                       int px,
                       int py,
                       int& index,
                       int xOffset,
                       int yOffset,
                       int W,
                       int H,
                       int module)
{
    (void)module;
    index = -1;
    if (structure == nullptr)
        return PageHit::Nothing;
    const int m = W / 100;
    const int wp = Trunc(0.85 * W);
    const SectionFit fit = FitSectionToRect(structure, wp, H, m);
    int reinforcing = 0;
    int prestressing = 0;
    const int kinds = structure->CountSteelKinds(reinforcing, prestressing);
    TitleBlockTexts texts{structure->GetName(),
                          structure->GetDoneBy(),
                          structure->GetDate(),
                          std::string(),
                          FormatAxialLoadNote(*structure),
                          std::string()};
    // The notes as the page draws them: the cover note under the unit note sets their font and
    // their rows.
    FormatCoverText(texts.note1, structure);
    CountExperimentalPoints(structure, texts.note3);
    const plat::Point p{px, py};
    int code = DrawTitleBlock(dc,
                              xOffset,
                              yOffset,
                              wp,
                              H,
                              texts,
                              kinds,
                              5199,
                              5198,
                              g_UnitSystem,
                              m,
                              index,
                              p,
                              0);
    const double x1 = 0.33 * wp;
    if (px < x1 && py < 0.3 * H)
        code = PageHit::GeometricProperties;
    if (x1 <= px && px <= x1 + 2 && 0.3 * H <= py && py <= 0.3 * H + 2)
        code = PageHit::GeometricCorner;
    const int type =
        DrawConcreteTypesLegend(dc, *structure, wp, H, fit.x0, fit.y0, fit.s, wp / 10, p, 0);
    if (type != -1) {
        index = type;
        return PageHit::ConcreteType;
    }
    if (0.3 * H < py && py < 0.54 * H && m < px && px < x1)
        code = PageHit::MemberProperties;
    if (0.54 * H < py && py < 0.64 * H) {
        if (px < 0.15 * wp) {
            code = PageHit::CrackSpacing;
            index = 3;
        } else if (px < x1) {
            code = PageHit::CrackSpacing;
            index = structure->GetCrackSpacing(0) > 0 || structure->GetCrackSpacing(2) > 0 ? 4 : 3;
        }
    }
    const std::string note = FormatStrainNote(*structure, 0);
    const plat::Size extent = MeasureRichText(dc, note, plat::LogFont{-(wp / 60), 400});
    const plat::Rect noteBox{wp - extent.cx - m - 2, m + 2, wp - m - 2, m + 2 + extent.cy};
    if (noteBox.Contains(p)) {
        code = PageHit::StrainNote;
        index = 0;
        if (const auto* beam = dynamic_cast<const TBeam*>(structure)) {
            double value = 0.0;
            if (beam->ClassifyStrainProfile(0, value, 0) == 0 &&
                beam->ClassifyStrainProfile(2, value, 0) == 0)
                index = 1;
        }
    }
    if (0.64 * H < py && py < 0.75 * H && px < x1)
        code = PageHit::Loading;
    int region = -1;
    FillSectionRegions(dc, *structure, 1, 0, fit.x0, fit.y0, fit.s, nullptr, region, p);
    if (region != -1) {
        code = PageHit::Region;
        index = region;
    }
    if (g_InfoManager) {
        if (g_InfoManager->HitTransverse(p, index))
            code = PageHit::TransverseCallout;
        if (g_InfoManager->HitLongitudinalLayer(p, index))
            code = PageHit::LongitudinalCallout;
        if (g_InfoManager->HitCircularPattern(p, index))
            code = PageHit::CircularCallout;
        if (g_InfoManager->HitDistributedPattern(p, index))
            code = PageHit::DistributedCallout;
        if (g_InfoManager->HitTendon(p, index))
            code = PageHit::TendonCallout;
    }
    if (plat::Rect{wp, m, W, Trunc(0.1 * H)}.Contains(p))
        code = PageHit::CatalogHeader;
    if (plat::Rect{wp, Trunc(0.1 * H), W, H}.Contains(p)) {
        // The slot of the element drawn in the clicked row, from the rows the page draws.
        code = PageHit::CatalogRow;
        index = -1;
        for (const CatalogRow& row : ListCatalogRows(structure, 0, 0, wp, W, H, m)) {
            if (row.top <= py && py <= row.bottom)
                index = row.slot;
        }
    }
    return code;
}
