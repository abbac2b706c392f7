#include "views/MaterialPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/materials/SteelLaws.h"
#include "platform/DC.h"
#include "views/MaterialCurveLines.h"

namespace {

namespace TA = plat::TextAlign;

constexpr double kBig = 1e30;

// Every way a label may move from its home.
constexpr unsigned kAnyWay =
    LabelToward::LeftUp | LabelToward::LeftDown | LabelToward::RightUp | LabelToward::RightDown;

const char* PickBySystem(int system, const char* si, const char* us, const char* kgcm, const char* roman)
{
    switch (system) {
    case kUnitSI: return si;
    case kUnitUS: return us;
    case kUnitOldMetric: return kgcm;
    default: return roman;
    }
}

// The curves' stretches in pixels, as drawn.
std::vector<LabelStretch> CurveSegments(const std::vector<std::vector<plat::Point>>& polylines)
{
    std::vector<LabelStretch> out;
    for (const std::vector<plat::Point>& line : polylines)
        for (std::size_t i = 1; i < line.size(); ++i)
            out.emplace_back(line[i - 1], line[i]);
    return out;
}

// "f_c' = ..." of a concrete type.
std::string StrengthLabel(const ConcreteTypeRec& r, int system)
{
    const char* format = system == kUnitSI ? "f_c' = %5.1f %s" : "f_c' = %5.0f %s";
    return StrPrintf(format, std::fabs(r.fc) * UnitFactor(ukStress, system), UnitLabel(ukStress, system));
}

// A format "<text> %s %%s" filled first with a number format, then with value and unit.
std::string TwoStage(const char* pattern, const char* number, double value, const char* unit)
{
    return StrPrintf(StrPrintf(pattern, number).c_str(), value, unit);
}

// ---- Labels kept clear -------------------------------------------------------------------------

// A label as drawn: its text at a point in an alignment.
struct PlacedText {
    std::string text;
    plat::Point at;
    unsigned hAlign = TA::Left;
    unsigned vAlign = TA::Top;
};

// The labels of a chart at one text size, their leaders, and whether every one of them found
// a place clear of the curves, of the leaders and of each other.
struct LabelSet {
    plat::LogFont font;
    std::vector<PlacedText> texts;
    // The leaders from labels to their curves, each with the number of texts drawn before it.
    std::vector<std::pair<std::size_t, LabelStretch>> leaders;
    bool clear = true;
    // Whether every label is searched for even after one has found no clear place (the last
    // size tried); otherwise the rest keep their homes, the size being tried again smaller.
    bool searchAll = false;
    // The arrangement of the labels tried, the chart's own first (0), each next one more
    // compact where a chart has such.
    int layout = 0;
    // Whether a label that finds no clear place is left out (the last resort): a label never
    // hides a curve, nor breaks it into pieces. leftOut counts those left out.
    bool leaveOut = false;
    int leftOut = 0;
    // The leaders from labels that name a level, where such a label found no clear place at
    // the level's height, to the level.
    std::vector<LabelStretch> levelLeaders;
    // The further blank pixels a label keeps round its own from the lines and the other labels
    // (on a page's mapping; none on the screen).
    int pad = 0;
};

// The further blank pixels each label keeps from the lines and the other labels, beyond the
// one the searches keep. None on the screen. On a page a line of a logical pixel is drawn as
// wide as a logical pixel in printer pixels, the letters in the printer's font (their ink may
// start or end a printer pixel or two off the screen's measure) and the print preview shows
// the printer's pixels shrunk to its window: a blank logical pixel may come to no blank
// pixel there. A page keeps one more logical pixel, more where its mapping shrinks the
// picture, so that two logical pixels at least span two device pixels.
int LabelPad(const MaterialFrame& f)
{
    if (!(f.deviceScale > 0.0))
        return 0;
    return std::clamp(static_cast<int>(std::ceil(2.0 / f.deviceScale)) - 1, 1, 8);
}

// A box grown by d pixels on every side.
plat::Rect Grown(const plat::Rect& r, int d) { return plat::Rect{r.left - d, r.top - d, r.right + d, r.bottom + d}; }

// The pixels of a text of the given extent, drawn at a point in an alignment.
plat::Rect AlignedBox(plat::Point at, plat::Size extent, unsigned h, unsigned v)
{
    const int left = h == TA::Right ? at.x - extent.cx : h == TA::Center ? at.x - extent.cx / 2 : at.x;
    const int top = v == TA::Bottom ? at.y - extent.cy : at.y;
    return plat::Rect{left, top, left + extent.cx, top + extent.cy};
}

// Texts placed together as one block (a label of several lines): the block keeps clear as a
// whole, the ways given, and is kept clear of from then on.
void PlaceBlock(LabelClearance& clearance, LabelSet& set, std::vector<PlacedText> texts, const PlanMeasure& measure,
                const plat::Rect& region, unsigned ways)
{
    if (texts.empty())
        return;
    std::vector<plat::Rect> boxes;
    plat::Rect all{};
    for (const PlacedText& t : texts) {
        const plat::Rect box = AlignedBox(t.at, measure(t.text, set.font), t.hAlign, t.vAlign);
        all = boxes.empty() ? box
                            : plat::Rect{std::min(all.left, box.left), std::min(all.top, box.top),
                                         std::max(all.right, box.right), std::max(all.bottom, box.bottom)};
        boxes.push_back(box);
    }
    // Searched for with its margin, which is kept clear of as the block's own pixels are.
    const plat::Rect padded = Grown(all, set.pad);
    const plat::Point home{padded.left, padded.top};
    const plat::Point to = set.clear || set.searchAll
                               ? clearance.Place(home, plat::Size{padded.Width(), padded.Height()},
                                                 Grown(region, set.pad), ways)
                               : home;
    set.clear = set.clear && clearance.Found();
    if (set.leaveOut && !clearance.Found()) {
        ++set.leftOut;
        return;
    }
    const int dx = to.x - home.x, dy = to.y - home.y;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i].at = {texts[i].at.x + dx, texts[i].at.y + dy};
        clearance.Add(Grown(plat::Rect{boxes[i].left + dx, boxes[i].top + dy, boxes[i].right + dx, boxes[i].bottom + dy},
                            set.pad));
        set.texts.push_back(std::move(texts[i]));
    }
}

// Whether two stretches cross, counting no meeting within two pixels of b's second end.
bool StretchesCross(const LabelStretch& a, const LabelStretch& b)
{
    const double ax = a.first.x, ay = a.first.y, adx = a.second.x - ax, ady = a.second.y - ay;
    const double bx = b.first.x, by = b.first.y, bdx = b.second.x - bx, bdy = b.second.y - by;
    const double d = adx * bdy - ady * bdx;
    if (d == 0.0)
        return false;
    const double t = ((bx - ax) * bdy - (by - ay) * bdx) / d; // along a
    const double u = ((bx - ax) * ady - (by - ay) * adx) / d; // along b
    const double length = std::hypot(bdx, bdy);
    return t >= 0.0 && t <= 1.0 && u >= 0.0 && (1.0 - u) * length > 2.0;
}

// The rows of a label's letters within its extent; the whole extent where the letters are not
// told.
LetterRows LettersIn(const PlanLetters& letters, const std::string& text, const plat::LogFont& font, int height)
{
    if (!letters || height <= 0)
        return {0, height};
    const LetterRows rows = letters(text, font);
    const int top = std::clamp(rows.first, 0, height - 1);
    return {top, std::clamp(rows.second, top + 1, height)};
}

// Most places where curves meet a level's row that a leader to the level is tried to.
constexpr std::size_t kLevelLeaderEnds = 8;

// A leader from a label's letters (box) to a level: to the end of the level's mark on the y
// axis or to one of the places nearest the label where a curve meets the level's row, the
// one that crosses no label, the fewest curves and is shortest; with its cost (the curves it
// crosses, its length squared). None where every such leader runs through a label.
std::optional<std::pair<LabelStretch, std::pair<int, long long>>>
LevelLeader(const LabelClearance& room, const plat::Rect& box, int level, int markEnd,
            const std::vector<LabelStretch>& curves)
{
    // The places where curves meet the level's row right of the mark, the nearest to the
    // label's middle only: a chart of dense curves meets it at thousands.
    const int middle = (box.left + box.right) / 2;
    std::vector<plat::Point> meets;
    for (const LabelStretch& l : curves) {
        const plat::Point& a = l.first;
        const plat::Point& b = l.second;
        if (std::min(a.y, b.y) > level || std::max(a.y, b.y) < level || std::min(a.x, b.x) <= markEnd)
            continue;
        if (a.y == b.y)
            meets.insert(meets.end(), {a, b});
        else
            meets.push_back(
                {a.x + static_cast<int>(std::lround(double(b.x - a.x) * (level - a.y) / (b.y - a.y))), level});
    }
    const auto nearer = [middle](const plat::Point& p, const plat::Point& q) {
        return std::abs(p.x - middle) < std::abs(q.x - middle);
    };
    if (meets.size() > kLevelLeaderEnds) {
        std::nth_element(meets.begin(), meets.begin() + kLevelLeaderEnds, meets.end(), nearer);
        meets.resize(kLevelLeaderEnds);
    }
    std::vector<plat::Point> ends{{markEnd, level}};
    ends.insert(ends.end(), meets.begin(), meets.end());
    std::optional<std::pair<LabelStretch, std::pair<int, long long>>> best;
    for (const plat::Point& end : ends) {
        plat::Point from{std::clamp(end.x, box.left - 2, box.right + 1), std::clamp(end.y, box.top - 2, box.bottom + 1)};
        // Straight up beside the y axis a leader would read as a second axis: it starts from
        // the middle of the label's top instead.
        if (end.x == markEnd && from.x - markEnd < 8 && from.y - level > 8)
            from = {middle, box.top - 2};
        const LabelStretch line{from, end};
        if (room.ThroughLabel(line))
            continue;
        int crossings = 0;
        for (const LabelStretch& l : curves)
            crossings += StretchesCross(l, line) ? 1 : 0;
        const long long dx = end.x - from.x, dy = end.y - from.y;
        const std::pair<int, long long> cost{crossings, dx * dx + dy * dy};
        if (!best || cost < best->second)
            best = {{line, cost}};
    }
    return best;
}

// A label naming a level of stress (the top of the y axis, a concrete's strength), left- and
// top-aligned. Its letters (not the empty rows of its line above and below them) stand at the
// level's height: their bottom at most two pixels above the level's row or their top at most
// two below, at home where nothing runs through them there and otherwise moved right along
// those rows, within the region's columns; above the plot they may reach up to the title's
// letters, which the caller has added to keep clear of. Where nothing in those rows is clear
// the labels are tried in smaller text, as where any label finds no clear place; in the
// smallest the label goes to a clear place in the region and a leader joins it to the level.
// The places tried: the nearest right and down from home, then those from four homes just
// under the level spread across the region; the first whose leader crosses the fewest curves.
void PlaceLevelLabel(LabelClearance& room, LabelSet& labels, const std::string& text, plat::Point home, int level,
                     int markEnd, const plat::Rect& region, const std::vector<LabelStretch>& curves,
                     const PlanMeasure& measure, const PlanLetters& letters)
{
    const plat::Size size = measure(text, labels.font);
    const auto [inkTop, inkBottom] = LettersIn(letters, text, labels.font, size.cy);
    const plat::Size ink{size.cx, inkBottom - inkTop};
    // The letters' box, placed by its top left corner.
    const plat::Point letterHome{home.x, home.y + inkTop};
    plat::Point at = letterHome;
    std::optional<LabelStretch> leader;
    // The letters are searched for with their margin (at, the margin's corner, within the
    // region), and kept clear of with it.
    const int pad = labels.pad;
    const plat::Size padded{ink.cx + 2 * pad, ink.cy + 2 * pad};
    if (labels.clear || labels.searchAll) {
        const plat::Rect band{region.left, level - ink.cy - 2 - pad, region.right, level + 2 + ink.cy + pad};
        const plat::Point bandHome{at.x, std::clamp(at.y - pad, band.top, level + 2 - pad)};
        at = room.Place(bandHome, padded, band, LabelToward::RightDown | LabelToward::RightUp);
        at = {at.x + pad, at.y + pad};
        if (!room.Found() && !labels.searchAll) {
            labels.clear = false;
            at = letterHome;
        } else if (!room.Found()) {
            std::vector<plat::Point> homes{letterHome};
            const int spread = std::max(0, region.Width() - ink.cx);
            for (int k = 0; k < 4; ++k)
                homes.push_back({region.left + spread * k / 3, level + 3});
            std::optional<std::pair<LabelStretch, std::pair<int, long long>>> best;
            for (const plat::Point& from : homes) {
                plat::Point place = room.Place(from, padded, region, LabelToward::RightDown);
                if (!room.Found())
                    continue;
                place = {place.x + pad, place.y + pad};
                const auto line =
                    LevelLeader(room, plat::Rect{place.x, place.y, place.x + ink.cx, place.y + ink.cy}, level,
                                markEnd, curves);
                if (line && (!best || line->second.first < best->second.first)) {
                    best = line;
                    at = place;
                }
            }
            if (best) {
                leader = best->first;
            } else if (labels.leaveOut) {
                labels.clear = false;
                ++labels.leftOut;
                return;
            } else {
                labels.clear = false;
                at = letterHome;
                const plat::Rect box{at.x, at.y, at.x + ink.cx, at.y + ink.cy};
                leader = LabelStretch{
                    {std::clamp(markEnd, box.left - 2, box.right + 1), std::clamp(level, box.top - 2, box.bottom + 1)},
                    {markEnd, level}};
            }
        }
    }
    const plat::Rect box{at.x, at.y, at.x + ink.cx, at.y + ink.cy};
    if (leader) {
        room.Add(*leader);
        labels.levelLeaders.push_back(*leader);
    }
    room.Add(Grown(box, pad));
    labels.texts.push_back({text, {at.x, at.y - inkTop}, TA::Left, TA::Top});
}

// The title's letters, centred at the top of the chart, with a margin: the labels that stand
// above the plot keep clear of them.
plat::Rect TitleLetters(const MaterialFrame& f, const PlanMeasure& measure, const PlanLetters& letters)
{
    if (f.title.empty())
        return {};
    const plat::Size size = measure(f.title, f.titleFont);
    const auto [top, bottom] = LettersIn(letters, f.title, f.titleFont, size.cy);
    const plat::Rect line = AlignedBox({f.W / 2, 0}, size, TA::Center, TA::Top);
    // Grown by two pixels: a label may touch another, but not the title.
    return {line.left - 2, top - 2, line.right + 2, bottom + 2};
}

// The text height one step smaller: 15 % less, a pixel at least, down to the smallest text a
// chart's labels are written in; the height itself when it is that small already.
int SmallerTextHeight(int height)
{
    const int least = height < 0 ? kLeastTextCharHeight : kLeastTextCellHeight;
    const int size = std::abs(height);
    if (size <= least)
        return height;
    const int next = std::max(least, std::min(size - 1, static_cast<int>(size * 0.85)));
    return height < 0 ? -next : next;
}

// The labels at the chart's text size, or, where they find no clear place at that size, in
// the largest of the smaller texts (each a step below the last) in which they all do, as a
// chart's titles are made smaller to fit its width; in the smallest text a chart writes when
// none is clear. The sizes are halved between the largest tried that is not clear and the
// smallest that is; each searches afresh against the curves alone, and all of them share the
// picture's tests.
template <class Attempt>
LabelSet FitLabelsInLayout(LabelClearance& clearance, const plat::LogFont& font, int layout, Attempt attempt)
{
    std::vector<int> heights{font.height};
    for (int h = SmallerTextHeight(font.height); h != heights.back(); h = SmallerTextHeight(h))
        heights.push_back(h);
    const auto at = [&](std::size_t i) {
        clearance.Restart();
        LabelSet set;
        set.font = font;
        set.font.height = heights[i];
        set.searchAll = layout == 0 && i + 1 == heights.size();
        set.layout = layout;
        attempt(set);
        return set;
    };
    const auto spent = [&] { return clearance.Work().tests >= kLabelSearchTests; };
    // A more compact arrangement is tried where the chart's own did not fit even in the
    // smallest text: from the smallest up.
    if (layout == 0) {
        LabelSet first = at(0);
        if (first.clear || heights.size() == 1 || spent())
            return first;
    }
    LabelSet best = at(heights.size() - 1);
    std::size_t notClear = 0, clear = heights.size() - 1;
    while (best.clear && clear - notClear > 1 && !spent()) {
        const std::size_t middle = (notClear + clear) / 2;
        LabelSet set = at(middle);
        if (set.clear) {
            clear = middle;
            best = std::move(set);
        } else {
            notClear = middle;
        }
    }
    return best;
}

// The labels fitted in the chart's own arrangement, and where even its smallest text leaves
// no clear place, in each more compact arrangement of the given number in turn: the first
// that is clear, or the chart's own when none is.
template <class Attempt>
LabelSet FitLabels(LabelClearance& clearance, const plat::LogFont& font, Attempt attempt, int layouts = 1)
{
    LabelSet own = FitLabelsInLayout(clearance, font, 0, attempt);
    for (int layout = 1; layout < layouts && !own.clear && clearance.Work().tests < kLabelSearchTests; ++layout) {
        LabelSet set = FitLabelsInLayout(clearance, font, layout, attempt);
        if (set.clear)
            return set;
    }
    return own;
}

// The last resort, where no arrangement finds a clear place even in the smallest text: the
// labels in that text, each searched for against the curves, those that find no clear place
// left out, in the arrangement that leaves out the fewest (the first of equals). No label is
// drawn over a curve.
template <class Attempt>
LabelSet LeaveOutUnclear(LabelClearance& clearance, const plat::LogFont& font, Attempt attempt, int layouts)
{
    LabelSet best;
    for (int layout = 0; layout < layouts; ++layout) {
        clearance.Restart();
        LabelSet set;
        set.font = font;
        while (SmallerTextHeight(set.font.height) != set.font.height)
            set.font.height = SmallerTextHeight(set.font.height);
        set.searchAll = true;
        set.leaveOut = true;
        set.layout = layout;
        attempt(set);
        if (layout == 0 || set.leftOut < best.leftOut)
            best = std::move(set);
    }
    return best;
}

// Lines of text in rows, each row's texts side by side two spaces apart and right-aligned at
// x, the rows one below the other, the last row's top at y.
std::vector<PlacedText> TextRows(const std::vector<std::vector<std::string>>& rows, int x, int y,
                                 const PlanMeasure& measure, const plat::LogFont& font)
{
    std::vector<PlacedText> out;
    const int gap = measure("  ", font).cx;
    int bottom = y;
    for (std::size_t r = rows.size(); r-- > 0;) {
        int height = 0;
        for (const std::string& text : rows[r])
            height = std::max(height, measure(text, font).cy);
        const int top = r + 1 == rows.size() ? y : bottom - height;
        int right = x;
        for (std::size_t k = rows[r].size(); k-- > 0;) {
            out.push_back({rows[r][k], {right, top}, TA::Right, TA::Top});
            right -= measure(rows[r][k], font).cx + gap;
        }
        bottom = top;
    }
    return out;
}

// The axis lines, as drawn: the labels keep clear of them (a label on the x axis' row stands a
// blank row above it, its subscripts clear of the line).
void AddAxisLines(std::vector<LabelStretch>& lines, const MaterialFrame& f, const MaterialScale& s)
{
    const plat::Point origin = s.At(0.0, 0.0);
    lines.push_back({{origin.x, f.top}, {origin.x, f.H - s.m}});
    lines.push_back({{s.m, origin.y}, {f.W - s.m, origin.y}});
}

void ConcreteMarks(DiagramPlan& plan, const MaterialFrame& f, const MaterialTypeCopies& t, const MaterialCurves& c,
                   const MaterialScale& s, const PlanMeasure& measure, const PlanLetters& letters, LabelWork* work)
{
    const double F3 = UnitFactor(ukStrain, f.unitSystem), F10 = UnitFactor(ukStress, f.unitSystem);
    const int row = s.At(0.0, 0.0).y, column = s.At(0.0, 0.0).x;
    const int labelled = c.labelledConcrete;
    const bool haveLabelled = labelled >= 0 && labelled < static_cast<int>(t.concrete.size());
    if (!haveLabelled)
        return;
    const ConcreteTypeRec& lt = t.concrete[static_cast<std::size_t>(labelled)];
    // The marks on the x axis: its end, which the strain label stands against, and the peak
    // strains, which the labels keep clear of. A type's mark stands on its axis only: a peak
    // strain past the end of the x axis, or a strength above the top of the y axis (a curve
    // that never reaches its type's strength), has none.
    if (c.peakStrainFlag == 0)
        plan.Line({f.W - s.m, row + 2}, {f.W - s.m, row - 3});
    std::vector<LabelStretch> marks;
    const std::vector<int> used = t.UsedTypes();
    for (const int i : used) {
        const int x = s.At(std::fabs(t.concrete[static_cast<std::size_t>(i)].ec) * F3, 0.0).x;
        if (x >= column && x <= f.W - s.m)
            marks.push_back({{x, row + 2}, {x, row - 3}});
    }
    for (const LabelStretch& mark : marks)
        plan.Line(mark.first, mark.second);
    // The strengths' marks on the y axis, which the labels keep clear of too.
    std::vector<LabelStretch> strengthMarks;
    for (const int i : used) {
        const int y = s.At(0.0, std::fabs(t.concrete[static_cast<std::size_t>(i)].fc) * F10).y;
        if (y < f.top || y > row)
            continue;
        strengthMarks.push_back({{column - 3, y}, {column + 3, y}});
        plan.Line(strengthMarks.back().first, strengthMarks.back().second);
    }

    // The labels keep clear of the curves, of the marks on the axes and of each other
    // within the plot: the strain left and up from its place on the x axis (either way from
    // the peak it is centred on, above its mark), the strength right and down from the top of
    // the y axis, the main type's details, as one block, left and up from the right margin.
    const plat::Rect plot{column + 4, f.top, f.W - s.m, row};
    std::vector<LabelStretch> lines = CurveSegments(MaterialCurvePolylines(c, s, f.W, f.H, f.top, f.axis));
    lines.insert(lines.end(), marks.begin(), marks.end());
    lines.insert(lines.end(), strengthMarks.begin(), strengthMarks.end());
    if (c.peakStrainFlag == 0)
        lines.push_back({{f.W - s.m, row + 2}, {f.W - s.m, row - 3}});
    AddAxisLines(lines, f, s);
    // The labels move within the plot, their margins (on a page) reaching past its edges; the
    // strength's, naming a level, may stand above it, clear of the title's letters.
    const plat::Rect area = Grown(plat::Rect{plot.left, 0, plot.right, plot.bottom}, LabelPad(f));
    const plat::Rect title = TitleLetters(f, measure, letters);
    LabelClearance clearance(lines, area);
    const int level = s.At(0.0, std::fabs(lt.fc) * F10).y;
    const std::string strength = StrengthLabel(lt, f.unitSystem);
    const double peak = std::fabs(lt.ec) * F3;
    const std::string strain = c.peakStrainFlag == 0
                                   ? StrPrintf("|e_c_m_a_x = %3.2f %s", f.axis.xMax, UnitLabel(ukStrain, f.unitSystem))
                                   : StrPrintf("|e_c' = %3.2f %s", peak, UnitLabel(ukStrain, f.unitSystem));
    const ConcreteTypeRec* main =
        t.mainConcrete >= 0 ? &t.concrete[static_cast<std::size_t>(t.mainConcrete)] : nullptr;
    const int right = f.W - s.m;
    const int y0 = static_cast<int>(s.yOrigin - f.H / 3);
    std::string ag, ft, base;
    if (main) {
        ag = TwoStage("a_g = %s %%s", PickBySystem(f.unitSystem, "%4.0f", "%4.2f", "%4.2f", "%4.5f"),
                      main->aggregate * UnitFactor(ukSectionLength, f.unitSystem),
                      UnitLabel(ukSectionLength, f.unitSystem));
        const bool autoFt = main->ftAuto != 0 || main->ft < 0.0;
        ft = TwoStage(autoFt ? "f_t = %s %%s (auto)" : "f_t = %s %%s",
                      PickBySystem(f.unitSystem, "%4.2f", "%4.0f", "%4.1f", "%4.5f"),
                      main->ft * UnitFactor(ukStress, f.unitSystem), UnitLabel(ukStress, f.unitSystem));
        if (t.mainConcrete != labelled)
            base = StrengthLabel(*main, f.unitSystem);
    }
    const auto attempt = [&](LabelSet& labels) {
        labels.pad = LabelPad(f);
        LabelClearance& room = clearance;
        if (c.peakStrainFlag == 0) {
            PlaceBlock(room, labels, {{strain, {s.At(f.axis.xMax, 0.0).x, row}, TA::Right, TA::Bottom}},
                       measure, plot, LabelToward::LeftUp);
        } else {
            PlaceBlock(room, labels, {{strain, {s.At(peak, 0.0).x, row}, TA::Center, TA::Bottom}}, measure,
                       plot, LabelToward::LeftUp | LabelToward::RightUp);
        }
        if (level >= f.top && level <= row) {
            room.Add(title);
            PlaceLevelLabel(room, labels, strength, {column + 4, f.top}, level, column + 3, plot, lines, measure,
                            letters);
        } else
            PlaceBlock(room, labels, {{strength, {column + 4, f.top}, TA::Left, TA::Top}}, measure, plot,
                       LabelToward::RightDown);
        if (!main)
            return;
        if (labels.layout > 0) {
            // More compact: the lines side by side in pairs, or all in one row, anywhere in
            // the plot that is clear.
            const std::vector<std::vector<std::string>> rows =
                base.empty()              ? std::vector<std::vector<std::string>>{{ag, ft}}
                : labels.layout == 1 ? std::vector<std::vector<std::string>>{{"Base Type", base}, {ag, ft}}
                                          : std::vector<std::vector<std::string>>{{"Base Type", base, ag, ft}};
            PlaceBlock(room, labels, TextRows(rows, right, y0, measure, labels.font), measure, plot, kAnyWay);
            return;
        }
        std::vector<PlacedText> details{{ag, {right, y0}, TA::Right, TA::Bottom}, {ft, {right, y0}, TA::Right, TA::Top}};
        if (!base.empty()) {
            const int ha = measure(ag, labels.font).cy;
            const int hf = measure(base, labels.font).cy;
            // The base type's strength reaches 4 pixels into the empty rows above "a_g"'s
            // letters, less on a page, whose subscripts the printer's font sets lower.
            const int into = 4 - 2 * labels.pad;
            details.push_back({base, {right, y0 - ha + into}, TA::Right, TA::Bottom});
            details.push_back({"Base Type", {right, y0 - hf - ha + into}, TA::Right, TA::Bottom});
        }
        // Left and up from the right margin; in the last resort, where it is otherwise left out,
        // any way.
        PlaceBlock(room, labels, std::move(details), measure, plot,
                   labels.leaveOut ? kAnyWay : LabelToward::LeftUp);
    };
    // The compact arrangements: the details' lines in pairs side by side, then in one row.
    const int layouts = main ? (base.empty() ? 2 : 3) : 1;
    LabelSet set = FitLabels(clearance, f.textFont, attempt, layouts);
    if (!set.clear)
        set = LeaveOutUnclear(clearance, f.textFont, attempt, layouts);
    if (work)
        *work = clearance.Work();
    for (const PlacedText& l : set.texts)
        plan.Text(l.text, l.at, set.font, l.hAlign, l.vAlign);
    for (const LabelStretch& l : set.levelLeaders)
        plan.Line(l.first, l.second);
}

void SteelMarks(DiagramPlan& plan, const MaterialFrame& f, const MaterialTypeCopies& t, const MaterialCurves& c,
                const MaterialScale& s, const PlanMeasure& measure, const PlanLetters& letters, LabelWork* work)
{
    const bool rebar = t.kind == MaterialChart::Rebar;
    const int sys = f.unitSystem;
    const double F3 = UnitFactor(ukStrain, sys), F11 = UnitFactor(ukLargeStress, sys);
    const int row = s.At(0.0, 0.0).y, column = s.At(0.0, 0.0).x;
    const std::string strain =
        StrPrintf(rebar ? "|e_s = %5.1f %s" : "|e_p = %5.1f %s", f.axis.xMax, UnitLabel(ukStrain, sys));
    const plat::Point strainAt{s.At(f.axis.xMax, 0.0).x, row};
    plan.Line({f.W - s.m, row + 2}, {f.W - s.m, row - 3});
    const char* unit = sys == kUnitOldMetric ? "t/cm^2" : UnitLabel(ukLargeStress, sys);
    const char* format = rebar ? (sys == kUnitOldMetric ? "f_u = %4.2f %s" : "f_u = %4.0f %s")
                               : (sys == kUnitOldMetric ? "f_p_u = %4.1f %s" : "f_p_u = %4.0f %s");
    const int top = s.At(0.0, f.axis.yMax).y;
    const LabelStretch topMark{{column - 3, top}, {column + 3, top}};
    plan.Line(topMark.first, topMark.second);

    // The labels keep clear of the curves, of the mark at the top of the y axis, of each other
    // and of the leaders drawn before them. The curve labels, which start at 40 % of the width
    // and may reach into the right margin, keep within the chart; the top label keeps left of
    // the margin.
    const plat::Rect plot{column + 4, f.top, f.W, row};
    std::vector<LabelStretch> lines = CurveSegments(MaterialCurvePolylines(c, s, f.W, f.H, f.top, f.axis));
    lines.push_back(topMark);
    const LabelStretch endMark{{f.W - s.m, row + 2}, {f.W - s.m, row - 3}};
    lines.push_back(endMark);
    AddAxisLines(lines, f, s);
    // The top label, naming the top of the y axis, may stand above it, clear of the title's
    // letters.
    const plat::Rect area = Grown(plat::Rect{plot.left, 0, plot.right, plot.bottom}, LabelPad(f));
    const plat::Rect title = TitleLetters(f, measure, letters);
    LabelClearance clearance(lines, area);

    // One label per curve, the weakest lowest, each with a leader to its curve near 30 % of
    // the width (or near the end of a shorter curve); a label that a curve runs through moves
    // off it, right or down, and its leader starts where it went.
    const double limit = s.xScale != 0.0 ? ((0.3 * f.W - s.xOrigin) / s.xScale) / F3 : 0.0;
    const double share = rebar ? 0.6 : 0.8;
    std::vector<std::pair<double, int>> order;
    for (const int i : t.UsedTypes()) {
        const SteelTypeRec& r = t.steel[static_cast<std::size_t>(i)];
        const double e = r.eu > limit ? limit : share * r.eu;
        order.push_back({-SteelStress(r, e, 0.0, f.inForce), i});
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    const double phi = rebar ? f.inForce.phi_s : f.inForce.phi_p;
    const int x = static_cast<int>((rebar ? 0.4 : 0.66) * f.W);
    struct CurveLabel {
        std::string text;
        bool leader = false;
        plat::Point tip;
    };
    std::vector<CurveLabel> curveLabels;
    for (const auto& [minusStress, i] : order) {
        const SteelTypeRec& r = t.steel[static_cast<std::size_t>(i)];
        std::string text = r.name;
        if (rebar) {
            const char* sub = r.kind == SteelKind::UserCurve ? "_0_._2_%" : "_y";
            const double fy = r.fy * F11;
            if (c.rebarCurves < 2)
                text = StrPrintf(sys == kUnitOldMetric ? "f%s=%4.2f" : "f%s=%4.0f", sub, fy);
            else
                text = StrPrintf(sys == kUnitOldMetric ? "%s, f%s=%4.2f" : "%s, f%s=%4.0f", r.name.c_str(), sub, fy);
        }
        CurveLabel label{text, false, {}};
        if (std::fabs(minusStress) < kBig) {
            const int tipX = r.eu <= limit ? s.At(share * r.eu * F3, 0.0).x : static_cast<int>(0.3 * f.W);
            const int tipY = static_cast<int>(s.yScale * minusStress * F11 / (phi + 1e-6) + s.yOrigin);
            label = {text, true, {tipX, tipY}};
        }
        curveLabels.push_back(label);
    }
    const std::string ultimate = StrPrintf(format, f.axis.yMax, unit);

    const auto attempt = [&](LabelSet& labels) {
        labels.pad = LabelPad(f);
        LabelClearance& room = clearance;
        // The strain on the x axis at its end, moved left and up off a curve; the curve labels
        // keep clear of it.
        PlaceBlock(room, labels, {{strain, strainAt, TA::Right, TA::Bottom}}, measure, plot, LabelToward::LeftUp);
        // From the top of the stack down, so that a label pushed down by a curve pushes the
        // weaker ones below it further down and the order stays.
        std::vector<PlacedText> stack;
        std::vector<plat::Size> extents;
        int below = 0;
        for (const CurveLabel& l : curveLabels) {
            extents.push_back(measure(l.text, labels.font));
            stack.push_back({l.text, {x, static_cast<int>(0.67 * f.H) - below}, TA::Left, TA::Bottom});
            below += extents.back().cy;
        }
        std::vector<std::optional<LabelStretch>> leaders(stack.size());
        std::vector<bool> kept(stack.size(), true);
        int floor = plot.top;
        for (std::size_t k = stack.size(); k-- > 0;) {
            const int height = extents[k].cy;
            PlacedText& l = stack[k];
            const int pad = labels.pad;
            const plat::Point home{l.at.x - pad, std::max(l.at.y - height, floor) - pad};
            const plat::Size padded{extents[k].cx + 2 * pad, height + 2 * pad};
            plat::Point place = labels.clear || labels.searchAll ? room.Place(home, padded, Grown(plot, pad)) : home;
            labels.clear = labels.clear && room.Found();
            const bool found = room.Found();
            place = {place.x + pad, place.y + pad};
            l.at = {place.x, place.y + height};
            // The leader, too, must not run through a label placed before.
            if (curveLabels[k].leader)
                leaders[k] = LabelStretch{{rebar ? place.x - 3 : place.x, l.at.y - height / 2}, curveLabels[k].tip};
            if (labels.leaveOut && (!found || (leaders[k] && room.ThroughLabel(*leaders[k])))) {
                ++labels.leftOut;
                kept[k] = false;
                continue;
            }
            room.Add(Grown(plat::Rect{place.x, place.y, place.x + extents[k].cx, l.at.y}, pad));
            floor = l.at.y + 2 * pad;
            if (leaders[k]) {
                labels.clear = labels.clear && !room.ThroughLabel(*leaders[k]);
                room.Add(*leaders[k]);
            }
        }
        // The ultimate stress at the top of the y axis, whole and clear, at that height: with
        // material factors in force a bar's curve is flat at its yield stress, the top of the
        // plot.
        room.Add(title);
        PlaceLevelLabel(room, labels, ultimate, {column + 4, f.top}, top, column + 3,
                        plat::Rect{column + 4, f.top, f.W - s.m, row}, lines, measure, letters);
        for (std::size_t k = 0; k < stack.size(); ++k) {
            if (!kept[k])
                continue;
            labels.texts.push_back(stack[k]);
            if (leaders[k])
                labels.leaders.emplace_back(labels.texts.size(), *leaders[k]);
        }
    };
    LabelSet set = FitLabels(clearance, f.textFont, attempt);
    if (!set.clear)
        set = LeaveOutUnclear(clearance, f.textFont, attempt, 1);
    if (work)
        *work = clearance.Work();
    // The strain, the top label, then each curve label with its leader.
    auto leader = set.leaders.begin();
    for (std::size_t i = 0; i < set.texts.size(); ++i) {
        const PlacedText& l = set.texts[i];
        plan.Text(l.text, l.at, set.font, l.hAlign, l.vAlign);
        for (; leader != set.leaders.end() && leader->first == i + 1; ++leader)
            plan.Line(leader->second.first, leader->second.second);
    }
    for (const LabelStretch& l : set.levelLeaders)
        plan.Line(l.first, l.second);
}

} // namespace

double DeviceScaleOf(const plat::DC& dc)
{
    if (dc.GetMapMode() == plat::MapMode::Text)
        return 0.0;
    const plat::Size window = dc.GetWindowExt(), viewport = dc.GetViewportExt();
    if (window.cx == 0 || window.cy == 0)
        return 0.0;
    const double scale = std::min(std::fabs(double(viewport.cx) / window.cx), std::fabs(double(viewport.cy) / window.cy));
    return scale == 1.0 ? 0.0 : scale;
}

plat::Point MaterialScale::At(double x, double y) const
{
    return plat::Point{static_cast<int>(xScale * x + xOrigin + 0.5), static_cast<int>(yOrigin - yScale * y + 0.5)};
}

MaterialScale ScaleMaterialChart(int W, int H, int top, const ChartBounds& a)
{
    MaterialScale s;
    s.m = static_cast<int>(0.05 * W);
    const int span = W - 2 * s.m;
    if (a.xMax == a.xMin) {
        s.xOrigin = span / 2 + s.m;
    } else {
        s.xScale = span / (a.xMax - a.xMin);
        s.xOrigin = s.m - span * a.xMin / (a.xMax - a.xMin);
    }
    const int B = H - s.m;
    const int h = B - top - s.m;
    if (a.yMax != a.yMin) {
        s.yScale = h / (a.yMax - a.yMin);
        s.yOrigin = h * a.yMin / (a.yMax - a.yMin) + B;
    } else {
        s.yOrigin = H - s.m;
    }
    return s;
}

DiagramPlan PlanMaterialChart(const MaterialFrame& f, const MaterialTypeCopies& t, const MaterialCurves& c,
                              const PlanMeasure& measure, LabelWork* work, const PlanLetters& letters)
{
    DiagramPlan plan;
    if (c.data.empty())
        return plan;
    const MaterialScale s = ScaleMaterialChart(f.W, f.H, f.top, f.axis);
    // The curves, in the context's pen, within the axes' box.
    for (const std::vector<plat::Point>& run : MaterialCurvePolylines(c, s, f.W, f.H, f.top, f.axis))
        plan.Polyline(run);

    plan.Pen(1, plat::Colors::Black);
    const plat::Point origin = s.At(0.0, 0.0);
    plan.Line({origin.x, f.top}, {origin.x, f.H - s.m});
    plan.Line({s.m, origin.y}, {f.W - s.m, origin.y});
    plan.Text(f.title, {f.W / 2, 0}, f.titleFont, TA::Center, TA::Top);
    if (t.kind == MaterialChart::Concrete) {
        if (!t.concrete.empty())
            ConcreteMarks(plan, f, t, c, s, measure, letters, work);
    } else {
        SteelMarks(plan, f, t, c, s, measure, letters, work);
    }
    return plan;
}

int MaterialClickPosition(const MaterialFrame& f, const MaterialTypeCopies& t, const MaterialCurves& c,
                          plat::Point p)
{
    if (c.data.empty())
        return -1;
    MaterialScale s = ScaleMaterialChart(f.W, f.H, f.top, f.axis);
    if (s.xScale < 1e-5)
        s.xScale = 1.0;
    if (s.yScale < 1e-5)
        s.yScale = 1.0;
    const double px = (p.x - s.xOrigin) / s.xScale;
    const double py = (s.yOrigin - p.y) / s.yScale;
    const double aspect = (s.yScale / s.xScale) * (s.yScale / s.xScale);
    int curve = 0, chosen = -1;
    double best = 0.0;
    for (std::size_t i = 0; i + 1 < c.data.size(); i += 2) {
        if (c.data[i] >= kBig) {
            ++curve;
            continue;
        }
        const double dx = c.data[i] - px, dy = c.data[i + 1] - py;
        const double d = dy * dy * aspect + dx * dx;
        if (chosen < 0 || d < best) {
            best = d;
            chosen = curve;
        }
    }
    if (chosen < 0 || chosen >= static_cast<int>(c.polylineType.size()))
        return -1;
    const int type = c.polylineType[static_cast<std::size_t>(chosen)];
    if (t.kind == MaterialChart::Concrete)
        return type;
    int before = 0;
    for (int i = 0; i < type && i < static_cast<int>(t.steel.size()); ++i)
        if (t.Shows(t.steel[static_cast<std::size_t>(i)]))
            ++before;
    return before;
}
