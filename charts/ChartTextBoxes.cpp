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
    if (!m_data.YTitle().empty()) {
        const plat::Size y = MeasureRichText(dc, m_data.YTitle(), text);
        list.boxes.push_back(plat::Rect{2, y.cx / 2 + H / 2 - y.cx, 2 + y.cy, y.cx / 2 + H / 2});
    }
    if (m_data.ShowsNote()) {
        list.Text(m_data.Note(), W / 2, H, NoteFont(dc), TA::Center, TA::Bottom);
        list.Text(m_data.XTitle(), W / 2, H - m_margins.bottom, text, TA::Center, TA::Top);
    } else {
        list.Text(m_data.XTitle(), W / 2, H, text, TA::Center, TA::Bottom);
    }
    list.Text(m_data.Title(), W / 2, 0, TitleFont(), TA::Center, TA::Top);
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
    list.Text(m_data.Title(), W / 2, 0, TitleFont(), TA::Center, TA::Top);
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

void Tchart::KeepLegendsClear()
{
    std::vector<TTextBox*> legends;
    for (plat::Window* child : GetChildren())
        if (auto* legend = dynamic_cast<TTextBox*>(child); legend && legend->IsLegend())
            legends.push_back(legend);
    if (legends.empty())
        return;
    LegendRoom room = RoomForLegends();
    // Legends the user has put somewhere stay there; the others keep clear of them and of each
    // other.
    for (TTextBox* legend : legends)
        if (legend->MovedByUser()) {
            const BoxPlace b = legend->Place();
            room.keepOut.push_back(plat::Rect{b.x, b.y, b.x + b.w, b.y + b.h});
        }
    for (TTextBox* legend : legends) {
        if (legend->MovedByUser())
            continue;
        // The forms the legend may take, each smaller than the one before it.
        std::vector<LegendForm> forms;
        std::vector<plat::Size> sizes;
        for (const LegendForm& f : LegendForms(legend->TitleHeight(), TTextBox::kTextMargin)) {
            const plat::Size size = legend->SizeAt(f.height, f.margin);
            if (!sizes.empty() && (size.cx > sizes.back().cx || size.cy > sizes.back().cy ||
                                   (size.cx == sizes.back().cx && size.cy == sizes.back().cy)))
                continue;
            forms.push_back(f);
            sizes.push_back(size);
        }
        const LegendChoice choice = PlaceLegend(room, legend->LegendPosition(), sizes);
        const std::size_t k = static_cast<std::size_t>(choice.step);
        const double letters = k == 0 ? 0.0 : forms[k].height;
        const plat::Size size = sizes[k];
        const BoxPlace b = legend->Place();
        if (letters != legend->LetterHeight() || forms[k].margin != legend->Margin() || choice.at.x != b.x ||
            choice.at.y != b.y || size.cx != b.w || size.cy != b.h) {
            legend->SetLegendForm(letters, forms[k].margin);
            legend->Reposition(choice.at.x, choice.at.y, size.cx, size.cy, 1);
        }
        room.keepOut.push_back(plat::Rect{choice.at.x, choice.at.y, choice.at.x + size.cx, choice.at.y + size.cy});
    }
}
