// Where the two chart kinds put their texts, ticks, axis lines and data, as their Paint places
// them, for what is laid over a chart (a legend box, the stage markers of a control chart) to
// keep clear of.

#include <algorithm>
#include <cmath>
#include <vector>

#include "charts/BoxGeometry.h"
#include "charts/LegendPlace.h"
#include "charts/RichText.h"
#include "charts/TTextBox.h"
#include "charts/Tchart.h"

namespace {

namespace TA = plat::TextAlign;
// Boxes of texts and ticks on a scratch context that measures as the chart's painting does.
class BoxList {
public:
    explicit BoxList(plat::DC& dc) : m_dc(dc) {}
    void Text(const std::string& text, int x, int y, const plat::LogFont& font, unsigned h, unsigned v)
    {
        if (!text.empty())
            boxes.push_back(AxisLabelBox(AxisLabel{text, {x, y}, h, v}, MeasureRichText(m_dc, text, font)));
    }
    void Plan(const AxisPlan& plan, const plat::LogFont& font)
    {
        for (const AxisTick& t : plan.ticks)
            boxes.push_back(AxisTickBox(t));
        for (const AxisLabel& l : plan.labels)
            boxes.push_back(AxisLabelBox(l, MeasureRichText(m_dc, l.text, font)));
    }
    std::vector<plat::Rect> boxes;

private:
    plat::DC& m_dc;
};

} // namespace

std::vector<plat::Rect> Tbigchart::TextBoxes()
{
    if (!m_data.IsShown() || m_data.IsDataEmpty())
        return {};
    RefreshFontHeights();
    plat::Image scratch(1, 1);
    plat::DC dc(scratch);
    BoxList list(dc);
    const int W = Width();
    const int H = Height();
    const plat::LogFont& text = TextFont();
    // The y-axis title reads upward from (2, w / 2 + H / 2), its top edge along x = 2.
    if (!YTitleShown().empty()) {
        const plat::Size y = MeasureRichText(dc, YTitleShown(), text);
        list.boxes.push_back(plat::Rect{2, y.cx / 2 + H / 2 - y.cx, 2 + y.cy, y.cx / 2 + H / 2});
    }
    if (m_data.ShowsNote()) {
        list.Text(m_data.Note(), W / 2, H, NoteFont(dc), TA::Center, TA::Bottom);
        list.Text(XTitleShown(), W / 2, H - m_margins.bottom, text, TA::Center, TA::Top);
    } else {
        list.Text(XTitleShown(), W / 2, H, text, TA::Center, TA::Bottom);
    }
    list.Text(TitleShown(), W / 2, 0, TitleFont(), TA::Center, TA::Top);
    const int dh = MeasureRichText(dc, "0123456789", text).cy;
    const ChartTransform t = ScaleBigChart(m_data, W, H, m_margins, dh, TextMeasure(dc));
    list.Plan(PlanAxisLabels(dc, W, t, DataInk(t)), text);
    return list.boxes;
}

std::vector<plat::Rect> Ticonchart::TextBoxes()
{
    m_data.UpdateClippedRange();
    if (!m_data.IsShown() || m_data.IsDataEmpty())
        return {};
    RefreshFontHeights();
    plat::Image scratch(1, 1);
    plat::DC dc(scratch);
    BoxList list(dc);
    const int W = Width();
    const int H = Height();
    int noteHeight = 0;
    if (m_data.ShowsNote()) {
        list.Text(m_data.Note(), W / 2, H, NoteFont(dc), TA::Center, TA::Bottom);
        noteHeight = list.boxes.back().bottom - list.boxes.back().top;
    }
    list.Text(TitleShown(), W / 2, 0, TitleFont(), TA::Center, TA::Top);
    ChartMargins margins = m_margins;
    const ChartTransform t = ScaleIconChart(m_data, W, H, margins, noteHeight, -1, 1, -1, 1);
    for (const AxisLabel& l : RangeLabels(t, margins, TextMeasure(dc)))
        list.boxes.push_back(AxisLabelBox(l, MeasureRichText(dc, l.text, TextFont())));
    return list.boxes;
}

namespace {

// The reach of a marker to each side of its point, as DrawMarker draws it.
int MarkerHalf(int W) { return static_cast<int>(0.16 * std::sqrt(std::max(W, 0))); }

} // namespace

LegendRoom Tchart::RoomForLegends()
{
    LegendRoom room;
    room.chart = {Width(), Height()};
    room.keepOut = TextBoxes();
    return room;
}

LegendRoom Tbigchart::RoomForLegends()
{
    LegendRoom room;
    room.chart = {Width(), Height()};
    if (!m_data.IsShown() || m_data.IsDataEmpty())
        return room;
    room.keepOut = TextBoxes();
    plat::Image scratch(1, 1);
    plat::DC dc(scratch);
    const int W = Width(), H = Height();
    const int dh = MeasureRichText(dc, "0123456789", TextFont()).cy;
    const ChartTransform t = ScaleBigChart(m_data, W, H, m_margins, dh, TextMeasure(dc));
    // The axes as Paint draws them.
    for (const AxisTick& line : BigChartAxisLines(dc, t))
        room.keepOut.push_back(AxisTickBox(line));
    room.ink = TraceChartInk(m_data, t, MarkerHalf(W));
    room.inkArea = PlotArea(t);
    room.penWidth = m_lineWidth;
    return room;
}

LegendRoom Ticonchart::RoomForLegends()
{
    LegendRoom room;
    room.chart = {Width(), Height()};
    room.keepOut = TextBoxes();
    if (room.keepOut.empty())
        return room;
    plat::Image scratch(1, 1);
    plat::DC dc(scratch);
    const int W = Width(), H = Height();
    const int noteHeight = m_data.ShowsNote() ? MeasureRichText(dc, m_data.Note(), NoteFont(dc)).cy : 0;
    ChartMargins margins = m_margins;
    const ChartTransform t = ScaleIconChart(m_data, W, H, margins, noteHeight, -1, 1, -1, 1);
    const int column = ChartPixel(t.xOffset), row = ChartPixel(t.yOffset);
    room.keepOut.push_back(AxisTickBox({{column, margins.top}, {column, H - margins.bottom}}));
    room.keepOut.push_back(AxisTickBox({{margins.left, row}, {W - margins.right, row}}));
    room.ink = TraceChartInk(m_data, t, MarkerHalf(W));
    room.inkArea = PlotArea(t);
    room.penWidth = m_lineWidth;
    return room;
}

namespace {

// A legend's forms and the sizes of its box in them, each smaller than the one before; its
// letters never taller than the chart's title's.
struct SizedForms {
    std::vector<LegendForm> forms;
    std::vector<plat::Size> sizes;
};

SizedForms FormsOf(const TTextBox& legend, int titleCell)
{
    SizedForms made;
    double own = legend.TitleHeight();
    plat::LogFont font = legend.TitleFont();
    font.height = static_cast<int>(own);
    plat::Image scratch(1, 1);
    plat::DC dc(scratch);
    if (titleCell > 0 && MeasureRichText(dc, "M", font).cy > titleCell)
        own = titleCell;
    for (const LegendForm& f : LegendForms(own, TTextBox::kTextMargin)) {
        const plat::Size size = legend.SizeAt(f.height, f.margin);
        if (!made.sizes.empty() && (size.cx > made.sizes.back().cx || size.cy > made.sizes.back().cy ||
                                    size == made.sizes.back()))
            continue;
        made.forms.push_back(f);
        made.sizes.push_back(size);
    }
    return made;
}

// The height of a line of the chart's title as drawn.
int TitleCell(const Tchart& chart)
{
    plat::Image scratch(1, 1);
    plat::DC dc(scratch);
    return MeasureRichText(dc, "M", chart.TitleFont()).cy;
}

// Where a legend goes, in which form, or whether it has no clear place.
struct LegendPlacement {
    TTextBox* legend = nullptr;
    LegendForm form;
    plat::Size size;
    bool clear = false;
    plat::Point at;
};

// Each legend of the chart at its place as the chart stands.
std::vector<LegendPlacement> PlaceLegends(Tchart& chart, const std::vector<TTextBox*>& legends)
{
    LegendRoom room = chart.RoomForLegends();
    // Legends the user has put somewhere stay there; the others keep clear of them and of each
    // other.
    for (TTextBox* legend : legends)
        if (legend->MovedByUser()) {
            const BoxPlace b = legend->Place();
            room.keepOut.push_back(plat::Rect{b.x, b.y, b.x + b.w, b.y + b.h});
        }
    const int titleCell = TitleCell(chart);
    std::vector<LegendPlacement> placed;
    for (TTextBox* legend : legends) {
        if (legend->MovedByUser())
            continue;
        const SizedForms made = FormsOf(*legend, titleCell);
        const LegendChoice choice = PlaceLegend(room, legend->LegendPosition(), made.sizes);
        const std::size_t k = static_cast<std::size_t>(choice.step);
        placed.push_back({legend, made.forms[k], made.sizes[k], choice.clear, choice.at});
        if (choice.clear)
            room.keepOut.push_back(
                plat::Rect{choice.at.x, choice.at.y, choice.at.x + made.sizes[k].cx, choice.at.y + made.sizes[k].cy});
    }
    return placed;
}

} // namespace

void Tchart::KeepLegendsClear()
{
    std::vector<TTextBox*> legends;
    for (plat::Window* child : GetChildren())
        if (auto* legend = dynamic_cast<TTextBox*>(child); legend && legend->IsLegend())
            legends.push_back(legend);
    const plat::Size before = m_legendBand;
    if (legends.empty() && before == plat::Size{})
        return;
    // Where no legend would be placed clear of the chart's texts and data over the plot, in any
    // of its forms, the full chart makes room for it beside the plot, else below it; where even
    // that leaves one without a clear place, that one is left out. Each try starts from the
    // chart as laid out without the room, so that where the legends go depends on the chart and
    // the legends alone.
    if (!(before == plat::Size{})) {
        m_legendBand = {};
        Layout();
    }
    std::vector<LegendPlacement> placed = PlaceLegends(*this, legends);
    const auto leftOut = [](const std::vector<LegendPlacement>& p) {
        return std::count_if(p.begin(), p.end(), [](const LegendPlacement& l) { return !l.clear; });
    };
    if (leftOut(placed) > 0 && m_kind == kBoxKindChart) {
        const auto first = std::find_if(placed.begin(), placed.end(), [](const LegendPlacement& l) { return !l.clear; });
        const SizedForms made = FormsOf(*first->legend, TitleCell(*this));
        const int W = Width(), H = Height();
        constexpr int kBandSpace = 9;  // pixels round the legend in its band
        for (const bool beside : {true, false}) {
            plat::Size band;
            for (const plat::Size& size : made.sizes) {
                const int need = (beside ? size.cx : size.cy) + kBandSpace;
                if (need <= (beside ? W : H) / 3) {
                    band = beside ? plat::Size{need, 0} : plat::Size{0, need};
                    break;
                }
            }
            if (band == plat::Size{})
                continue;
            const plat::Size kept = m_legendBand;
            m_legendBand = band;
            Layout();
            std::vector<LegendPlacement> tried = PlaceLegends(*this, legends);
            if (leftOut(tried) < leftOut(placed)) {
                placed = std::move(tried);
                if (leftOut(placed) == 0)
                    break;
            } else {
                m_legendBand = kept;
                Layout();
            }
        }
    }
    for (const LegendPlacement& p : placed) {
        TTextBox* legend = p.legend;
        legend->SetLeftOut(!p.clear);
        if (!p.clear)
            continue;
        const double letters = p.form.height == legend->TitleHeight() ? 0.0 : p.form.height;
        const BoxPlace b = legend->Place();
        if (letters != legend->LetterHeight() || p.form.margin != legend->Margin() || p.at.x != b.x ||
            p.at.y != b.y || p.size.cx != b.w || p.size.cy != b.h) {
            legend->SetLegendForm(letters, p.form.margin);
            legend->Reposition(p.at.x, p.at.y, p.size.cx, p.size.cy, 1);
        }
    }
    if (!(m_legendBand == before) && IsCreated())
        Invalidate();
}
