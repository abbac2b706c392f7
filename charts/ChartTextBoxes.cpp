// Where the two chart kinds put their texts and ticks, as their Paint places them, for what is
// laid over a chart (a legend box, the stage markers of a control chart) to keep clear of.

#include <vector>

#include "charts/BoxGeometry.h"
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
    list.Plan(PlanAxisLabels(dc, W, t), text);
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

void Tchart::KeepLegendsClear()
{
    constexpr int kLegendClearance = 3;
    const BoxPlace c = Place();
    std::vector<plat::Rect> texts;
    bool measured = false;
    for (plat::Window* child : GetChildren()) {
        auto* legend = dynamic_cast<TTextBox*>(child);
        if (!legend || !legend->IsLegend() || legend->MovedByUser())
            continue;
        if (!measured) {
            texts = TextBoxes();
            measured = true;
        }
        const BoxPlace b = legend->Place();
        const plat::Point home = LegendHome(legend->LegendPosition(), {c.w, c.h}, {b.w, b.h});
        const plat::Point clear = PlaceClearOf(home, {b.w, b.h}, texts, plat::Rect{0, 0, c.w, c.h}, kLegendClearance);
        if (clear.x != b.x || clear.y != b.y)
            legend->Reposition(clear.x, clear.y, b.w, b.h, 1);
    }
}
