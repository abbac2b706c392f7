// The summary page's properties panel: the geometric properties table, with the member's
// lines, the loads and the crack spacing under it, and the strain note.

#include <algorithm>
#include <string>
#include <vector>

#include "app/GlobalTables.h"
#include "app/summary/CrossSection.h"
#include "app/summary/PanelDrawing.h"
#include "app/summary/SummaryLayout.h"
#include "charts/DrawingSheet.h"
#include "charts/RichText.h"
#include "charts/Tchart.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "member/TMemberDefinition.h"
#include "model/ModelHelpers.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"

using namespace summary_panels;

namespace {
const char* SupportName(int type)
{
    switch (type) {
    case 1:
        return "Fixed end";
    case 2:
        return "Roller";
    case 3:
        return "(|q=0,|D_y|\xB9"
               "0)";
    case 4:
        return "Pin";
    default:
        return "";
    }
}

const char* AnchorageText(int left, int right)
{
    if (left != right)
        return "";
    if (left == 1)
        return "with perfect anchorage";
    if (left == 2)
        return "with straight bar anchorage";
    return "with yield penetration";
}

double ModularRatio(const TStructure& structure)
{
    const ConcreteTypeRec* concrete = structure.GetConcreteType(structure.GetMainConcreteType());
    const SteelTypeRec* steel = structure.GetSteelTypeCount() > 0
                                    ? structure.GetSteelType(structure.GetMainSteelType())
                                    : nullptr;
    if (concrete == nullptr || steel == nullptr || concrete->Ec < 1.0)
        return 1000.0;
    return steel->Es / concrete->Ec;
}

// The headings of the two value columns, each centred over its column (at xGross, xTrans)
// where it fits: kept a few pixels inside the lines left and right of the columns (and right of
// from, where a title ends that shares their row), the second moving left off the right line,
// and apart from each other; where they cannot stand so, both are drawn smaller until they do,
// down to the least text; where even that is too wide, they are left out (not shown).
struct ColumnHeadings {
    bool shown = false;
    plat::LogFont font;
    int grossLeft = 0, transLeft = 0, transRight = 0;
    int height = 0; // the taller of the two cells
};

ColumnHeadings FitColumnHeadings(plat::DC& dc,
                                 int left,
                                 int right,
                                 int from,
                                 int xGross,
                                 int xTrans,
                                 const std::string& gross,
                                 const std::string& trans,
                                 plat::LogFont font)
{
    const int gap = std::max(3, (right - left) / 60), apart = std::max(6, (right - left) / 20);
    for (int pass = 0;; ++pass) {
        const plat::Size g = MeasureRichText(dc, gross, font), t = MeasureRichText(dc, trans, font);
        const int grossLeft = std::max({left + gap, from, xGross - g.cx / 2});
        const int transLeft = std::min(xTrans - t.cx / 2, right - gap - t.cx);
        if (transLeft >= grossLeft + g.cx + apart && grossLeft + g.cx <= right - gap)
            return {true, font, grossLeft, transLeft, transLeft + t.cx, std::max(g.cy, t.cy)};
        // In the least text and still too wide, the headings are left out.
        const int size = font.height < 0 ? -font.height : font.height;
        if (size <= kLeastTextCharHeight || pass >= 12)
            return {};
        const int smaller = std::max(kLeastTextCharHeight, size * 9 / 10);
        font.height = font.height < 0 ? -smaller : smaller;
    }
}

// The geometric properties table's texts in one font: the six rows' labels and the values of
// the gross and the transformed section, each row's cell the tallest of those it holds; the
// inertia row's label sets the label column, and the value columns share what is left.
struct PropertyRows {
    plat::LogFont font;
    std::string label[6];
    std::string value[2][6];
    int labelCell[6] = {}, valueCell[6] = {}, cell[6] = {};
    bool values = false;
    int wI = 0, hI = 0;
    double L = 0.0;
    int xG = 0, xT = 0;
};

PropertyRows
MeasurePropertyRows(plat::DC& dc, const TStructure& structure, int wp, int m, plat::LogFont font)
{
    PropertyRows p;
    p.font = font;
    const auto* beam = dynamic_cast<const TBeam*>(&structure);
    for (int pass = 0; pass < 2 && beam != nullptr; ++pass) {
        double values[6] = {};
        double& I = values[1];
        beam->GetSectionProperties(pass, I, values[0], values[2], values[3], values[4], values[5]);
        for (int row = 1; row <= 6; ++row)
            p.value[pass][row - 1] = PropertyRowValue(row, values[row - 1], g_UnitSystem);
        p.values = true;
    }
    for (int r = 0; r < 6; ++r) {
        p.label[r] = PropertyRowLabel(r + 1, g_UnitSystem);
        p.labelCell[r] = MeasureRichText(dc, p.label[r], font).cy;
        for (int pass = 0; pass < 2 && beam != nullptr; ++pass)
            p.valueCell[r] =
                std::max(p.valueCell[r], MeasureRichText(dc, p.value[pass][r], font).cy);
        p.cell[r] = std::max(p.labelCell[r], p.valueCell[r]);
    }
    const plat::Size inertia = MeasureRichText(dc, p.label[1], font);
    p.wI = inertia.cx;
    p.hI = inertia.cy;
    p.L = (g_UnitSystem == kUnitSI ? 1.1 : 1.2) * p.wI;
    const double span = 0.33 * wp - m - p.L;
    p.xG = Trunc(m + p.L + 0.25 * span);
    p.xT = Trunc(m + p.L + 0.75 * span);
    return p;
}

// Where the table's texts stand: the column headings' feet, the values' top rule and the feet
// of the labels and the values of the rows drawn (the first rows).
struct PropertyTablePlace {
    ColumnHeadings heads;
    int feet = 0, rule = 0, rows = 0;
    int labelBottom[6] = {}, valueBottom[6] = {};
};

// Whether the rows stand clear of one another, below the rule and above the foot; a rule may
// run along the edge of a row's cell.
bool RowsClear(const PropertyRows& p, const PropertyTablePlace& t, int foot)
{
    int above = t.rule;
    for (int r = 0; r < t.rows; ++r) {
        int top = t.labelBottom[r] - p.labelCell[r], bottom = t.labelBottom[r];
        if (p.values) {
            top = std::min(top, t.valueBottom[r] - p.valueCell[r]);
            bottom = std::max(bottom, t.valueBottom[r]);
        }
        if (top < above)
            return false;
        above = bottom;
    }
    return above <= foot + 1;
}

// The rows stacked from the rule down, each as tall as the tallest cell it holds and the room
// left over shared out between them: as many rows as stand above the foot.
void StackRows(const PropertyRows& p, PropertyTablePlace& t, int foot)
{
    const int room = foot + 1 - t.rule;
    int used = 0;
    t.rows = 0;
    while (t.rows < 6 && used + p.cell[t.rows] <= room)
        used += p.cell[t.rows++];
    const int spare = room - used;
    int y = t.rule;
    for (int r = 0; r < t.rows; ++r) {
        y += p.cell[r];
        t.labelBottom[r] = t.valueBottom[r] = y + spare * (r + 1) / (t.rows + 1);
    }
}

std::string FormatLength(const char* format, double metres)
{
    return StrPrintf(format, ToDisplayUnits(metres, ukSectionLength), UnitLabel(ukSectionLength));
}
} // namespace


void DrawPropertiesPanel(plat::DC& dc,
                         const TStructure& structure,
                         int /*x*/,
                         int /*y*/,
                         int wp,
                         int h,
                         int m,
                         int direction)
{
    const int yA = Trunc(0.3 * h);
    const int x1 = Trunc(0.33 * wp);
    Line(dc, x1, m, x1, yA);
    dc.LineTo(m, yA);
    const plat::LogFont body = PageFont(h, wp, 75);
    const plat::LogFont title = PageFont(h, wp, 64, true);

    // The table: its title at the top left; under it the headings of the value columns, a rule,
    // and the six rows. Where the rows stand at their places (fractions of the table's height)
    // clear of one another, of the rule and of the headings, they stay there; else the headings
    // take their own band under the title, and the rows are stacked under them, each as tall as
    // the tallest cell it holds; where they still have no room, they are drawn smaller, down to
    // the least text; then the headings share the title's band, right of it; then the last rows
    // are left out, and with no row the table's texts are left out whole.
    const std::string titleText = "Geometric Properties";
    const plat::Size titleSize = MeasureRichText(dc, titleText, title);
    const plat::Rect titleBox{2 * m, m + 2, 2 * m + titleSize.cx, m + 2 + titleSize.cy};
    const std::string gross = "Gross Conc.";
    const std::string trans = StrPrintf("Trans (n=%4.2f)", ModularRatio(structure));
    const int fractionRule = Trunc(0.25 * yA);
    const auto headsBox = [](const ColumnHeadings& c, int feet) {
        return plat::Rect{c.grossLeft, feet - c.height, c.transRight, feet};
    };
    const auto meet = [](const plat::Rect& a, const plat::Rect& b) {
        return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    };
    // The headings between the label column's line and the border, right of from.
    const auto heads = [&](const PropertyRows& p, int from) {
        return FitColumnHeadings(dc, Trunc(m + p.L), x1, from, p.xG, p.xT, gross, trans, p.font);
    };
    // The headings in their own band under the title, the rows stacked under them.
    const auto ownBand = [&](const PropertyRows& p) {
        PropertyTablePlace t;
        t.heads = heads(p, 0);
        t.feet = titleBox.bottom + (t.heads.shown ? t.heads.height : 0);
        t.rule = t.feet;
        StackRows(p, t, yA);
        return t;
    };
    // The headings right of the title in its band, the rows stacked under them.
    const auto sharedBand = [&](const PropertyRows& p) {
        PropertyTablePlace t;
        t.heads = heads(p, titleBox.right + std::max(6, (x1 - m) / 20));
        t.feet = std::max<int>(titleBox.bottom, titleBox.top + t.heads.height);
        t.rule = t.feet;
        StackRows(p, t, yA);
        return t;
    };
    PropertyRows table = MeasurePropertyRows(dc, structure, wp, m, body);
    PropertyTablePlace place;
    for (int pass = 0;; ++pass) {
        // At their places: the headings' feet and the rule at fractions of the table's height.
        PropertyTablePlace t;
        t.heads = heads(table, 0);
        t.feet = Trunc(0.23 * yA);
        t.rule = fractionRule;
        t.rows = 6;
        const double rowY[6] = {0.35, 0.47, 0.59, 0.71, 0.83, 0.95};
        const double labelRise[6] = {0.0, 0.0, 0.1, 0.1, 0.2, 0.2};
        for (int r = 0; r < 6; ++r) {
            t.valueBottom[r] = Trunc(rowY[r] * yA);
            t.labelBottom[r] = Trunc(rowY[r] * yA + labelRise[r] * table.hI);
        }
        const bool headsClear =
            !t.heads.shown || (!meet(headsBox(t.heads, t.feet), titleBox) && t.feet <= t.rule);
        if (titleBox.bottom <= t.rule && headsClear && RowsClear(table, t, yA)) {
            place = t;
            break;
        }
        place = ownBand(table);
        if (place.rows == 6)
            break;
        const int size = std::abs(table.font.height);
        if (size <= LeastTextHeight(table.font) || pass >= 12) {
            // In the least text: the headings right of the title where they stand there, then
            // as many rows as have room.
            const PropertyTablePlace shared = sharedBand(table);
            if (shared.heads.shown && shared.rows > place.rows)
                place = shared;
            break;
        }
        plat::LogFont smaller = table.font;
        const int next = std::max(LeastTextHeight(table.font), size * 9 / 10);
        smaller.height = smaller.height < 0 ? -next : next;
        table = MeasurePropertyRows(dc, structure, wp, m, smaller);
    }

    if (place.rows > 0) {
        const int labelLine = Trunc(m + table.L);
        Line(dc, labelLine, place.rule, labelLine, yA);
        Line(dc, m, place.rule, x1, place.rule);
        // Row labels centred on the inertia row's, which sets the label column.
        const int labelX = m + 6 + table.wI / 2;
        for (int r = 0; r < place.rows; ++r) {
            if (r == 1)
                DrawRichText(dc,
                             m + 6,
                             place.labelBottom[r],
                             table.label[r],
                             table.font,
                             plat::TextAlign::Left,
                             plat::TextAlign::Bottom);
            else
                DrawRichText(dc,
                             labelX,
                             place.labelBottom[r],
                             table.label[r],
                             table.font,
                             plat::TextAlign::Center,
                             plat::TextAlign::Bottom);
        }
        for (int pass = 0; pass < 2 && table.values; ++pass)
            for (int r = 0; r < place.rows; ++r)
                DrawRichText(dc,
                             pass == 0 ? table.xG : table.xT,
                             place.valueBottom[r],
                             table.value[pass][r],
                             table.font,
                             plat::TextAlign::Center,
                             plat::TextAlign::Bottom);
        if (place.heads.shown) {
            DrawRichText(dc,
                         place.heads.grossLeft,
                         place.feet,
                         gross,
                         place.heads.font,
                         plat::TextAlign::Left,
                         plat::TextAlign::Bottom);
            DrawRichText(dc,
                         place.heads.transLeft,
                         place.feet,
                         trans,
                         place.heads.font,
                         plat::TextAlign::Left,
                         plat::TextAlign::Bottom);
        }
    }

    dc.SelectFont(title);
    if (titleBox.bottom <= yA + 1)
        Text(dc, 2 * m, m + 2, titleText, kLeftTop);
    Line(dc, x1, yA, x1, Trunc(0.54 * h));
    dc.LineTo(m, Trunc(0.54 * h));
    Text(dc, 2 * m, yA + 5, "Full Member Properties", kLeftTop);

    // Member lines, a step apart under the heading; a line wider than the box goes on in the
    // rows under it (a blank pixel apart), broken at its blanks, and a line whose rows do not all stand above the box's
    // foot is left out whole, with those after it.
    dc.SelectFont(body);
    const TMemberDefinition& member = g_MemberDefinition;
    const int step = Trunc((0.53 * h - yA) / 7);
    const int lineX = Trunc(2.5 * m);
    std::vector<std::string> lines;
    lines.push_back(StrPrintf("Length: %3.1f %s %s",
                              ToDisplayUnits(member.length, ukSectionLength),
                              UnitLabel(ukSectionLength),
                              AnchorageText(member.leftAnchorage, member.rightAnchorage)));
    if (member.leftSupport == SupportType::FixedEnd)
        lines.push_back(FormatLength("Fixed End @ %3.1f %s", member.leftPlateLocation));
    else if (member.rightSupport == SupportType::FixedEnd)
        lines.push_back(FormatLength("Fixed End @ %3.1f %s", member.rightPlateLocation));
    else
        lines.push_back(StrPrintf("%s @ %3.1f %s  %s @ %3.1f %s",
                                  SupportName(member.leftSupport),
                                  ToDisplayUnits(member.leftPlateLocation, ukSectionLength),
                                  UnitLabel(ukSectionLength),
                                  SupportName(member.rightSupport),
                                  ToDisplayUnits(member.rightPlateLocation, ukSectionLength),
                                  UnitLabel(ukSectionLength)));
    if (member.zoneCount > 1)
        lines.push_back(StrPrintf("%d material types defined along length", member.zoneCount));
    if (member.pointCount[DeadDiagram] >= 1) {
        std::string text =
            StrPrintf("%d Definitions for dead load moments", member.pointCount[DeadDiagram]);
        if (member.deadLoadConstant == 0)
            text += " (not constant)";
        lines.push_back(text);
    }
    if (member.pointCount[LiveDiagram] >= 1)
        lines.push_back(StrPrintf("%d Definitions for live load moment diagram", member.pointCount[LiveDiagram]));
    int lineY = yA + 12 + step;
    const int foot = Trunc(0.54 * h) - 1;
    // The foot of the heading, then of the row drawn last (and a blank pixel): a row's Greek
    // letters, which rise over its top, stay clear of it.
    int above = yA + 5 + MeasureRichText(dc, "Full Member Properties", title).cy;
    for (const std::string& line : lines) {
        const std::vector<std::string> rows = WrapSheetText(dc, line, body, x1 - 3 - lineX);
        // The rows of one line stand a blank pixel apart: each row's top, measured once.
        std::vector<int> tops;
        int below = lineY;
        for (const std::string& row : rows) {
            const int rise = MeasureRichTextRise(dc, row, body);
            const int top = std::max(below, above + rise);
            tops.push_back(top);
            below = top + MeasureRichText(dc, row, body).cy + 1;
            above = below;
        }
        const int lastTop = tops.back();
        const int lastCell = below - 1 - lastTop;
        if (lastTop + lastCell > foot)
            break;
        for (std::size_t r = 0; r < rows.size(); ++r)
            DrawRichText(dc, lineX, tops[r], rows[r], body, plat::TextAlign::Left, plat::TextAlign::Top);
        lineY = lastTop + std::max(step, lastCell + 1);
    }

    DrawRichText(dc,
                 2 * m,
                 Trunc(0.56 * h),
                 "Crack Spacing",
                 title,
                 plat::TextAlign::Left,
                 plat::TextAlign::Top);
    DrawRichText(dc,
                 2 * m,
                 Trunc(0.64 * h),
                 "Loading (N,M,V + dN,dM,dV)",
                 title,
                 plat::TextAlign::Left,
                 plat::TextAlign::Top);

    const double sx = structure.GetCrackSpacing(direction);
    const double sy = structure.GetCrackSpacing(2);
    const int crackY = Trunc(0.6 * h);
    if (sx < 0 && sy < 0) {
        DrawRichText(dc,
                     Trunc(0.05 * wp),
                     crackY,
                     "2 x dist + 0.1 d_b /|r",
                     body,
                     plat::TextAlign::Left,
                     plat::TextAlign::Top);
    } else {
        DrawRichText(dc,
                     Trunc(0.05 * wp),
                     crackY,
                     sx >= 0 ? FormatLength("s_x = %5.1f (%s)", sx) : "s_x = Automatic",
                     body,
                     plat::TextAlign::Left,
                     plat::TextAlign::Top);
        DrawRichText(dc,
                     Trunc(0.19 * wp),
                     crackY,
                     sy >= 0 ? FormatLength("s_y = %5.1f (%s)", sy) : "s_y = Automatic",
                     body,
                     plat::TextAlign::Left,
                     plat::TextAlign::Top);
    }

    double constant[3] = {};
    double increment[3] = {};
    structure.GetConstantLoads(constant, 3);
    structure.GetIncrementLoads(increment, 3);
    const int kinds[3] = {ukForce, ukMoment, ukForce};
    std::string loads;
    for (int pass = 0; pass < 2; ++pass) {
        const double* values = pass == 0 ? constant : increment;
        for (int i = 0; i < 3; ++i) {
            AppendSignificant(loads, ToDisplayUnits(values[i], kinds[i]));
            if (i < 2)
                loads += " , ";
        }
        if (pass == 0)
            loads += "  +  ";
    }
    DrawRichText(dc,
                 Trunc(0.05 * wp),
                 Trunc(0.68 * h),
                 loads,
                 body,
                 plat::TextAlign::Left,
                 plat::TextAlign::Top);

    const std::string note = FormatStrainNote(structure, direction);
    if (!note.empty()) {
        dc.SelectFont(PageFont(h, wp, 60));
        Text(dc, wp - m - 2, m + 2, note, plat::TextAlign::Right | plat::TextAlign::Top);
    }
}
