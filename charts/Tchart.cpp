#include "charts/Tchart.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "charts/RichText.h"
#include "charts/Teditchart.h"

namespace {

namespace TA = plat::TextAlign;
constexpr double kBig = 1e30;

// Strokes of the data walk on a device context; runs of joined points go out as polylines.
class DCTraceSink final : public ChartTraceSink {
public:
    DCTraceSink(plat::DC& dc, Tchart& chart) : m_dc(dc), m_chart(chart) {}
    ~DCTraceSink() override { Flush(); }

    void LineType(int type) override
    {
        Flush();
        SelectLineTypePen(m_dc, type, m_chart.LineWidth(), m_chart.BlackAndWhite() != 0,
                          m_chart.LineStyle(), m_chart.LineColour());
    }
    void CurvePen(bool chartLine) override
    {
        Flush();
        const int w = m_chart.LineWidth();
        if (m_chart.BlackAndWhite())
            m_dc.SelectPen(plat::Pen{plat::PenStyle::Solid, w, plat::Colors::Black});
        else if (chartLine)
            SelectLineTypePen(m_dc, 0, w, false, m_chart.LineStyle(), m_chart.LineColour());
        else
            m_dc.SelectPen(plat::Pen{plat::PenStyle::Solid, w, plat::Colors::LtRed});
    }
    void MoveTo(int x, int y) override
    {
        Flush();
        m_run.push_back({x, y});
    }
    void LineTo(int x, int y) override
    {
        if (m_run.empty())
            m_run.push_back(m_dc.GetCurrentPosition());
        m_run.push_back({x, y});
    }
    void Marker(int x, int y) override
    {
        Flush();
        const plat::Pen pen = m_dc.GetPen();
        m_chart.DrawMarker(m_dc, x, y);
        m_dc.SelectPen(pen);
    }

private:
    void Flush()
    {
        if (m_run.size() >= 2)
            m_dc.Polyline(m_run);
        if (!m_run.empty())
            m_dc.MoveTo(m_run.back());
        m_run.clear();
    }

    plat::DC& m_dc;
    Tchart& m_chart;
    std::vector<plat::Point> m_run;
};

void DrawPlan(plat::DC& dc, const AxisPlan& plan, const plat::LogFont& font, bool bw)
{
    for (const AxisTick& t : plan.ticks) {
        dc.MoveTo(t.from);
        dc.LineTo(t.to);
    }
    for (const AxisLabel& l : plan.labels)
        DrawRichText(dc, l.at.x, l.at.y, l.text, font, l.hAlign, l.vAlign, bw);
}

plat::Pen BlackPen() { return plat::Pen{plat::PenStyle::Solid, 1, plat::Colors::Black}; }

} // namespace

Tchart::Tchart(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
               int xPrecision, int yPrecision, int drawMode)
    : TBoxItem(parent, title, x, y, w, h), m_data(xPrecision, yPrecision, drawMode)
{
    m_kind = kBoxKindChart;
    m_data.SetTitle(WindowTitle());
    AppendPopupItem(0, CM_COPYCHARTPICTURE, "Copy Chart Picture");
    AppendPopupItem(0, CM_COPYCHARTDATA, "Copy Chart Data ");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, CM_VIEWDATA, "View Data");
    AppendPopupItem(0, CM_PROPERTIES, "Properties");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, CM_AUTOMAXRANGE, "Auto/Max Range");
    AppendPopupItem(0, CM_TOGGLETEXT, "Toggle Text");
    Layout();
}

void Tchart::AddPoint(double x, double y)
{
    if (m_data.IsShown()) {
        ClearData();
        m_data.ResetPointCounter();
    }
    m_data.AddPoint(x, y);
}

void Tchart::AutoScale()
{
    m_data.AutoScale();
    UpdateAverageNote();
    if (IsCreated())
        Invalidate();
}

void Tchart::SetTitles(const std::string& title, const std::string& xTitle,
                       const std::string& yTitle, int xPrecision, int yPrecision)
{
    m_data.SetTitles(title, xTitle, yTitle, xPrecision, yPrecision);
    Layout();
}

void Tchart::SetTitle(const std::string& text)
{
    m_data.SetTitle(text);
    Layout();
}

int Tchart::SetTextShown(int flag)
{
    m_data.SetNoteShown(flag);
    Layout();
    return 1;
}

void Tchart::EnableToggleText(int flag)
{
    RemovePopupItem(CM_TOGGLETEXT);
    if (flag)
        AppendPopupItem(0, CM_TOGGLETEXT, "Toggle Text");
    m_data.SetNoteEnabled(flag ? 1 : 0);
}

void Tchart::CmPopup3001()
{
    if (IsDataEmpty())
        return;
    Teditchart dialog(*this);
    dialog.Execute();
    KeepLegendsClear();
    if (IsCreated())
        Invalidate();
}

void Tchart::CmPopup3007()
{
    m_data.SetNoteShown(m_data.NoteShown() ? 0 : 1);
    Layout();
    KeepLegendsClear();
    if (IsCreated())
        Invalidate();
}

void Tchart::SetLinePen(int width, plat::Color colour, int style)
{
    m_lineWidth = std::max(width, 0);
    m_lineColour = colour;
    m_lineStyle = style;
}

void Tchart::Reposition(int x, int y, int w, int h, int redraw)
{
    const bool first = Width() == 0;
    TBoxItem::Reposition(x, y, w, h, redraw);
    if (first)
        Layout();
}

plat::LogFont Tchart::NoteFont(plat::DC& dc) const
{
    // The note is centred at the foot of the chart: one longer than the chart is wide (a
    // stiffness note with a percentage of three digits) is drawn smaller rather than cut at
    // both edges.
    constexpr int kNoteInset = 2;
    return FitRichTextFont(dc, m_data.Note(), TextFont(), Width() - 2 * kNoteInset);
}

LabelMeasure Tchart::TextMeasure(plat::DC& dc) const
{
    const plat::LogFont font = TextFont();
    return [&dc, font](const std::string& s) { return MeasureRichText(dc, s, font); };
}

namespace {

// The height of a font in which text measures no wider than room: the height given when it
// fits; else scaled by room / width (times spare), and again, a pixel at least each time, while
// the font's whole-pixel steps still leave the text wider than the room. Never below a pixel.
double FitFontHeight(plat::DC& dc, const std::string& text, plat::LogFont font, double height,
                     int room, double spare)
{
    constexpr int kMaxSteps = 8;
    font.height = static_cast<int>(height);
    int width = MeasureRichText(dc, text, font).cx;
    for (int step = 0; step < kMaxSteps && room > 0 && width > room; ++step) {
        const double sign = height < 0 ? -1.0 : 1.0;
        if (std::fabs(height) < 2.0)
            break;
        double next = height * room / width * spare;
        if (static_cast<int>(next) == static_cast<int>(height))
            next = height - sign;
        if (std::fabs(next) < 1.0)
            next = sign;
        height = next;
        font.height = static_cast<int>(height);
        width = MeasureRichText(dc, text, font).cx;
    }
    return height;
}

} // namespace

void Tchart::Layout()
{
    UpdateAverageNote();
    const int W = Width();
    const int H = Height();
    plat::Image scratch(1, 1);
    plat::DC dc(scratch);
    // Every layout fits the texts afresh from the heights the chart's size asks for: fitting
    // never compounds, so the same size and texts give the same fonts however often, and after
    // whatever sizes, the chart is laid out.
    FontHeights fonts = SizedFontHeights();
    SetDrawnFontHeights(fonts);
    m_titleShown = m_xTitleShown = m_yTitleShown = true;
    if (W > 0) {
        fonts.title = FitFontHeight(dc, m_data.Title(), TitleFont(), fonts.title, W, 0.95);
        // A title is never written smaller than a readable text where the chart is wide enough
        // for it at that height. Where it is not, the full and compact charts leave it out
        // whole, keeping its band; the diagrams, which draw their titles themselves, write it
        // as fitted.
        const double readable = AtLeastReadable(fonts.title);
        if (readable != fonts.title) {
            plat::LogFont font = TitleFont();
            font.height = static_cast<int>(readable);
            const bool fits = MeasureRichText(dc, m_data.Title(), font).cx <= W;
            if (fits || m_readableText)
                fonts.title = readable;
            m_titleShown = fits || !m_readableText;
        }
        SetDrawnFontHeights(fonts);
        const plat::Size t = MeasureRichText(dc, m_data.Title(), TitleFont());
        m_margins.top = static_cast<int>(1.1 * t.cy);
    }
    // The numbers and axis titles of the full and compact charts are never written smaller than
    // a readable text: a chart too small for them at that height thins its numbers, leaves a
    // range number out where its end has no room, or leaves an axis title out.
    if (m_readableText) {
        fonts.text = AtLeastReadable(fonts.text);
        SetDrawnFontHeights(fonts);
    }
    if (m_kind != kBoxKindChart)
        return;
    const plat::Size xt = MeasureRichText(dc, m_data.XTitle(), TextFont());
    fonts.text = FitFontHeight(dc, m_data.XTitle(), TextFont(), fonts.text, W, 1.0);
    if (m_readableText)
        fonts.text = AtLeastReadable(fonts.text);
    SetDrawnFontHeights(fonts);
    m_margins.bottom = !m_data.Note().empty() && m_data.NoteShown() ? 2 * xt.cy : xt.cy;
    // The room a legend has beside or below the plot, where the plot leaves it none.
    m_margins.bottom += m_legendBand.cy;
    m_margins.right = m_legendBand.cx;
    const plat::Size yt = MeasureRichText(dc, m_data.YTitle(), TextFont());
    m_margins.left = yt.cy;
    const int A = H - m_margins.bottom - m_margins.top;
    fonts.text = FitFontHeight(dc, m_data.YTitle(), TextFont(), fonts.text, A, 1.0);
    if (m_readableText)
        fonts.text = AtLeastReadable(fonts.text);
    SetDrawnFontHeights(fonts);
    // A title longer than its side of the chart even at the least height is left out whole.
    if (m_readableText && W > 0 && H > 0) {
        m_xTitleShown = MeasureRichText(dc, m_data.XTitle(), TextFont()).cx <= W;
        m_yTitleShown = MeasureRichText(dc, m_data.YTitle(), TextFont()).cx <= A;
    }
}

double AtLeastReadable(double height)
{
    if (height < 0)
        return std::min(height, -static_cast<double>(kLeastTextCharHeight));
    if (height > 0)
        return std::max(height, static_cast<double>(kLeastTextCellHeight));
    return height;
}

plat::LogFont NoDataFont(const plat::LogFont& textFont)
{
    // 8 points at 96 logical pixels per inch: a character height of 11 pixels, a cell height
    // of 13 (ascent and descent of the sans-serif face).
    constexpr int kMinCharacterHeight = 11;
    constexpr int kMinCellHeight = 13;
    plat::LogFont font = textFont;
    const bool small = font.height < 0 ? -font.height < kMinCharacterHeight
                                       : font.height > 0 && font.height < kMinCellHeight;
    if (small)
        font.height = -kMinCharacterHeight;
    return font;
}

void Tchart::DrawNoData(plat::DC& dc)
{
    dc.SetBkMode(plat::BkMode::Transparent);
    DrawRichText(dc, Width() / 2, Height() / 2, "No Data", NoDataFont(TextFont()), TA::Center,
                 TA::Top);
    if (IsSelected() && !m_blackAndWhite)
        DrawSelectionOn(dc);
}

bool Tchart::BeginPaint(plat::DC& dc)
{
    RefreshFontHeights();
    dc.SetBkMode(plat::BkMode::Transparent);
    if (m_data.IsShown() && !m_data.IsDataEmpty())
        return true;
    DrawNoData(dc);
    return false;
}

plat::Rect Tchart::PlotArea(const ChartTransform& t) const
{
    const ChartBounds& axis = m_data.AxisRange();
    const int pad = std::max(m_lineWidth, 1) / 2;
    plat::Rect r{0, 0, Width(), Height()};
    if (t.xScale != 0.0) {
        const int a = ChartPixel(t.xOffset + m_data.XStart() * t.xScale);
        const int b = ChartPixel(t.xOffset + m_data.XEnd() * t.xScale);
        r.left = std::min(a, b) - pad;
        r.right = std::max(a, b) + 1 + pad;
    }
    if (t.yScale != 0.0) {
        const int a = ChartPixel(t.yOffset - axis.yMax * t.yScale);
        const int b = ChartPixel(t.yOffset - axis.yMin * t.yScale);
        r.top = std::min(a, b) - pad;
        r.bottom = std::max(a, b) + 1 + pad;
    }
    return r;
}

void Tchart::DrawDataAndCross(plat::DC& dc, const ChartTransform& t, bool fullChart,
                              plat::Color crossColour, const std::vector<plat::Rect>& keepOut)
{
    const int saved = dc.SaveDC();
    plat::Rect area = PlotArea(t);
    // A page maps the chart larger and strokes a pen of odd width about its line, half of it
    // above and left of the pixels the window lights: a curve along the plot's top or left
    // end (a peak) keeps that half on the page too.
    const plat::Mapping& map = dc.State().mapping;
    if ((map.ScaleX() != 1.0 || map.ScaleY() != 1.0) && std::max(m_lineWidth, 1) % 2 == 1) {
        area.left -= 1;
        area.top -= 1;
    }
    dc.IntersectClipRect(area);
    if (!keepOut.empty()) {
        // The clip as it stands (rectangles, so its box is the clip) with the boxes cut out: an
        // even-odd outline that runs round the box, then from its corner round each hole and back.
        const plat::Rect outer = dc.LPtoDP(dc.GetClipBox());
        plat::Region holes = plat::Region::FromRect(outer);
        const plat::Point corner{outer.left, outer.top};
        holes.polygon.push_back(corner);
        for (const plat::Rect& logical : keepOut) {
            const plat::Rect b = dc.LPtoDP(logical);
            if (b.IsEmpty())
                continue;
            holes.polygon.insert(holes.polygon.end(), {{b.left, b.top}, {b.right, b.top}, {b.right, b.bottom},
                                                       {b.left, b.bottom}, {b.left, b.top}, corner});
        }
        dc.SelectClipRegion(&holes);
    }
    DrawDataAndCrossInPlot(dc, t, fullChart, crossColour);
    dc.RestoreDC(saved);
}

ChartInk Tchart::DataInk(const ChartTransform& t) const
{
    return TraceChartInk(m_data, t, static_cast<int>(0.16 * std::sqrt(std::max(Width(), 0))));
}

std::vector<plat::Rect> Tchart::NumbersTheDataMeet(const std::vector<AxisLabel>& numbers, const ChartInk& ink,
                                                   const LabelMeasure& measure, bool lettersOnly) const
{
    const int reach = InkReach();
    std::vector<plat::Rect> holes;
    for (const AxisLabel& l : numbers) {
        const plat::Size size = measure(l.text);
        if (!InkMeets(ink, AxisLabelBox(l, size), reach))
            continue;
        if (!lettersOnly) {
            holes.push_back(AxisLabelBox(l, size));
            continue;
        }
        const plat::Rect letters = NumberLettersBox(l, size);
        holes.push_back({letters.left - 1, letters.top - 1, letters.right + 1, letters.bottom + 1});
    }
    return holes;
}

void Tchart::DrawDataAndCrossInPlot(plat::DC& dc, const ChartTransform& t, bool fullChart,
                                    plat::Color crossColour)
{
    ChartMarker marker;
    if (m_data.ReadoutX() < kBig && m_data.ReadoutY() < kBig) {
        const double px = t.xOffset + m_data.ReadoutX() * t.xScale;
        const double py = t.yOffset - m_data.ReadoutY() * t.yScale;
        const bool inside = fullChart ? px > -32787 && px < 32787 && py > -32768 && py < 32787
                                      : std::fabs(px) < 32768 && std::fabs(py) < 32758;
        if (inside)
            marker = {true, static_cast<int>(px), static_cast<int>(py)};
    }
    const ChartMarker selected = DrawData(dc, t);
    if (selected.found)
        marker = selected;
    if (!marker.found || marker.x < 0 || marker.y < 0)
        return;
    dc.SelectPen(plat::Pen{plat::PenStyle::Solid, 1, crossColour});
    const int d = static_cast<int>(0.05 * Width());
    dc.MoveTo(marker.x - d, marker.y);
    dc.LineTo(marker.x + d, marker.y);
    dc.MoveTo(marker.x, marker.y - d);
    dc.LineTo(marker.x, marker.y + d);
}

void Tchart::DrawMarker(plat::DC& dc, int px, int py)
{
    dc.SelectPen(BlackPen());
    const int s = static_cast<int>(0.16 * std::sqrt(std::max(Width(), 0)));
    dc.Rectangle(plat::Rect{px - s, py - s, px + s, py + s});
}

ChartMarker Tchart::DrawData(plat::DC& dc, const ChartTransform& t)
{
    SelectLineTypePen(dc, 0, m_lineWidth, m_blackAndWhite != 0, m_lineStyle, m_lineColour);
    DCTraceSink sink(dc, *this);
    return TraceChartData(m_data.Data(), t, m_data.DrawMode(), m_data.SelectedPoint(),
                          m_data.LineStart(), sink);
}

void Tchart::DrawXAxisTicks(plat::DC& dc, int W, const ChartTransform& t, bool labels)
{
    dc.SetBkMode(plat::BkMode::Transparent);
    DrawPlan(dc, PlanXAxisTicks(m_data, t, W, labels, TextMeasure(dc)), TextFont(),
             m_blackAndWhite != 0);
}

void Tchart::DrawYAxisTicks(plat::DC& dc, int W, const ChartTransform& t, bool labels)
{
    dc.SetBkMode(plat::BkMode::Transparent);
    const int h2 = MeasureRichText(dc, "0123456789", TextFont()).cy / 2;
    DrawPlan(dc, PlanYAxisTicks(m_data, t, W, labels, h2), TextFont(), m_blackAndWhite != 0);
}

AxisPlan Tchart::PlanAxisLabels(plat::DC& dc, int W, const ChartTransform& t, const ChartInk& ink)
{
    AxisPlan y;
    AxisPlan x;
    if (m_data.YStep() < kBig) {
        const int h2 = MeasureRichText(dc, "0123456789", TextFont()).cy / 2;
        y = PlanYAxisTicks(m_data, t, W, true, h2);
    }
    if (m_data.XStep() < kBig) {
        x = PlanXAxisTicks(m_data, t, W, true, TextMeasure(dc));
        DropXLabelsOnYLabels(x, y, TextMeasure(dc));
    }
    // A number the data run through at its place goes to its axis's other side where the data
    // leave that clear (a curve that rises a little above the x axis of a range mostly below
    // it, the x numbers standing above the axis); only where neither side is clear do the data
    // give way round it.
    if (!y.labels.empty() || !x.labels.empty()) {
        std::vector<plat::Rect> strokes;
        for (const AxisTick& line : BigChartAxisLines(dc, t))
            strokes.push_back(AxisTickBox(line));
        for (const AxisPlan* plan : {&y, &x})
            for (const AxisTick& tick : plan->ticks)
                strokes.push_back(AxisTickBox(tick));
        const plat::Rect room{m_margins.left, m_margins.top, W, Height() - m_margins.bottom};
        const int column = ChartPixel(t.xOffset);
        MoveAxisNumbersOffTheInk(y, true, x, ink, InkReach(), column, TickLength(W), strokes, room, TextMeasure(dc));
        MoveAxisNumbersOffTheInk(x, false, y, ink, InkReach(), column, TickLength(W), strokes, room, TextMeasure(dc));
    }
    y.ticks.insert(y.ticks.end(), x.ticks.begin(), x.ticks.end());
    y.labels.insert(y.labels.end(), x.labels.begin(), x.labels.end());
    // No axis line or tick crosses a number, nor a number another.
    std::vector<plat::Rect> lines;
    for (const AxisTick& line : BigChartAxisLines(dc, t))
        lines.push_back(AxisTickBox(line));
    for (const AxisTick& tick : y.ticks)
        lines.push_back(AxisTickBox(tick));
    KeepAxisNumbersClear(y, lines, plat::Rect{0, 0, W, Height()}, TextMeasure(dc));
    return y;
}

std::array<AxisTick, 2> Tchart::BigChartAxisLines(plat::DC& dc, const ChartTransform& t)
{
    const int row = ChartPixel(t.yOffset);
    const int column = ChartPixel(t.xOffset);
    int left = ChartPixel(t.xOffset + m_data.XStart() * t.xScale);
    int right = ChartPixel(t.xOffset + m_data.XEnd() * t.xScale);
    int top = ChartPixel(t.yOffset - m_data.AxisRange().yMax * t.yScale);
    int bottom = ChartPixel(t.yOffset - m_data.AxisRange().yMin * t.yScale);
    // An axis whose range has no extent (a chart of a single point) is drawn from the point
    // across the room of the plot, and not as a dot: the x axis to the right of the y axis,
    // clear of the y numbers standing left of it, the y axis up from the bottom row.
    if (t.xScale == 0.0 || t.yScale == 0.0) {
        const int dh = MeasureRichText(dc, "0123456789", TextFont()).cy;
        const plat::Rect room = BigChartPlotBox(m_data, Width(), Height(), m_margins, dh, TextMeasure(dc));
        if (t.xScale == 0.0)
            left = column, right = room.right;
        if (t.yScale == 0.0)
            top = room.top, bottom = room.bottom;
    }
    return {AxisTick{{left, row}, {right, row}}, AxisTick{{column, top}, {column, bottom}}};
}

// The full chart.

Tbigchart::Tbigchart(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                     int xPrecision, int yPrecision, int drawMode)
    : Tchart(parent, title, x, y, w, h, xPrecision, yPrecision, drawMode)
{
    m_kind = kBoxKindChart;
    m_lineWidth = 2;
    m_readableText = true;
    SetFontHeightsFrom(BigChartFontHeights(w, h));
    Layout();
}

void Tbigchart::UpdateScaling(double, double, double, double)
{
    plat::Image scratch(1, 1);
    plat::DC dc(scratch);
    UpdateScaling(dc);
}

void Tbigchart::UpdateScaling(plat::DC& dc)
{
    const int dh = MeasureRichText(dc, "0123456789", TextFont()).cy;
    m_transform = ScaleBigChart(m_data, Width(), Height(), m_margins, dh, TextMeasure(dc));
}

void Tbigchart::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    if (!BeginPaint(dc))
        return;
    const int W = Width();
    const int H = Height();
    const plat::LogFont& text = TextFont();
    const std::string& xTitle = XTitleShown();
    if (const std::string& yTitle = YTitleShown(); !yTitle.empty()) {
        const int yw = MeasureRichText(dc, yTitle, text).cx;
        DrawRichTextUpward(dc, 2, yw / 2 + H / 2, yTitle, text);
    }
    // The text at the chart's foot stands a pixel up where a mapping enlarges it: its descent,
    // measured at the logical size, comes out short there, and the chart's edge would cut the
    // feet of its letters.
    const plat::Mapping& map = dc.State().mapping;
    const int foot = map.ScaleY() > 1.0 ? H - 1 : H;
    if (m_data.ShowsNote()) {
        DrawRichText(dc, W / 2, foot, m_data.Note(), NoteFont(dc), TA::Center, TA::Bottom);
        DrawRichText(dc, W / 2, H - m_margins.bottom, xTitle, text, TA::Center, TA::Top);
    } else {
        DrawRichText(dc, W / 2, foot, xTitle, text, TA::Center, TA::Bottom);
    }
    DrawRichText(dc, W / 2, 0, TitleShown(), TitleFont(), TA::Center, TA::Top);

    UpdateScaling(dc);
    const ChartTransform& t = m_transform;
    // The numbers stand at their ticks whatever the data do: where a curve or a marker comes
    // near one, the data give way round it, as on the compact chart.
    const ChartInk ink = DataInk(t);
    const AxisPlan plan = PlanAxisLabels(dc, W, t, ink);
    DrawDataAndCross(dc, t, true, plat::Colors::LtRed, NumbersTheDataMeet(plan.labels, ink, TextMeasure(dc), true));

    dc.SelectPen(BlackPen());
    for (const AxisTick& line : BigChartAxisLines(dc, t)) {
        dc.MoveTo(line.from);
        dc.LineTo(line.to);
    }
    dc.SetBkMode(plat::BkMode::Transparent);
    DrawPlan(dc, plan, TextFont(), m_blackAndWhite != 0);
    if (IsSelected() && !m_blackAndWhite)
        DrawSelectionOn(dc);
}

// The compact chart.

Ticonchart::Ticonchart(plat::Window* parent, const std::string& title, int x, int y, int w,
                       int h, int xPrecision, int yPrecision)
    : Tchart(parent, title, x, y, w, h, xPrecision, yPrecision, 0)
{
    m_kind = kBoxKindIconChart;
    m_lineWidth = 1;
    m_readableText = true;
    m_data.SetXTickStep(kUndefined);
    m_data.SetYTickStep(kUndefined);
}

void Ticonchart::UpdateScaling(double xa, double xb, double ya, double yb)
{
    plat::Image scratch(1, 1);
    plat::DC dc(scratch);
    // Measuring only: the note is drawn by Paint.
    int noteHeight = 0;
    if (m_data.ShowsNote())
        noteHeight = MeasureRichText(dc, m_data.Note(), NoteFont(dc)).cy;
    m_transform = ScaleIconChart(m_data, Width(), Height(), m_margins, noteHeight, xa, xb, ya, yb);
}

void Ticonchart::UpdateScaling(plat::DC& dc, double xa, double xb, double ya, double yb)
{
    int noteHeight = 0;
    if (m_data.ShowsNote())
        noteHeight = DrawRichText(dc, Width() / 2, Height(), m_data.Note(), NoteFont(dc), TA::Center,
                                  TA::Bottom, m_blackAndWhite != 0)
                         .cy;
    m_transform = ScaleIconChart(m_data, Width(), Height(), m_margins, noteHeight, xa, xb, ya, yb);
}

std::vector<AxisLabel> Ticonchart::RangeLabels(const ChartTransform& t, const ChartMargins& margins,
                                               const LabelMeasure& measure, ChartInk* ink) const
{
    const int W = Width(), H = Height();
    std::vector<AxisLabel> labels = PlanIconRangeLabels(m_data, t, W);
    const int noteHeight = std::max(margins.bottom - IconChartInset(W), 0);
    ChartInk traced = DataInk(t);
    KeepRangeLabelsClear(labels, traced, plat::Rect{0, margins.top, W, H - noteHeight}, measure,
                         AxisLineBoxes(t, margins, measure));
    if (ink)
        *ink = std::move(traced);
    return labels;
}

std::vector<plat::Rect> Ticonchart::AxisLineBoxes(const ChartTransform& t, const ChartMargins& margins,
                                                  const LabelMeasure& measure) const
{
    const int W = Width(), H = Height();
    const int column = ChartPixel(t.xOffset);
    const int row = ChartPixel(t.yOffset);
    std::vector<plat::Rect> lines{AxisTickBox({{column, margins.top}, {column, H - margins.bottom}}),
                                  AxisTickBox({{margins.left, row}, {W - margins.right, row}})};
    const auto add = [&](const AxisPlan& plan) {
        for (const AxisTick& tick : plan.ticks)
            lines.push_back(AxisTickBox(tick));
    };
    if (m_data.XStep() < kBig)
        add(PlanXAxisTicks(m_data, t, W, false, measure));
    if (m_data.YStep() < kBig)
        add(PlanYAxisTicks(m_data, t, W, false, 0));
    return lines;
}

void Ticonchart::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    m_data.UpdateClippedRange();
    if (!BeginPaint(dc))
        return;
    const int W = Width();
    const int H = Height();
    UpdateScaling(dc, -1, 1, -1, 1);
    const ChartTransform& t = m_transform;
    // The range numbers go where the data leave them room; where the curve fills every place
    // (a member's moment zigzagging across the plot), it gives way: no stroke runs into a
    // number. A number with no place clear of the markers is left out.
    const LabelMeasure measure = TextMeasure(dc);
    ChartInk ink;
    const std::vector<AxisLabel> labels = RangeLabels(t, m_margins, measure, &ink);
    DrawDataAndCross(dc, t, false, plat::Colors::Black, NumbersTheDataMeet(labels, ink, measure));
    dc.SelectPen(BlackPen());

    const int column = ChartPixel(t.xOffset);
    const int row = ChartPixel(t.yOffset);
    dc.MoveTo(column, m_margins.top);
    dc.LineTo(column, H - m_margins.bottom);
    dc.MoveTo(m_margins.left, row);
    dc.LineTo(W - m_margins.right, row);
    DrawRichText(dc, W / 2, 0, TitleShown(), TitleFont(), TA::Center, TA::Top);

    for (const AxisLabel& l : labels)
        DrawRichText(dc, l.at.x, l.at.y, l.text, TextFont(), l.hAlign, l.vAlign, m_blackAndWhite != 0);
    dc.SelectPen(BlackPen());
    if (m_data.XStep() < kBig)
        DrawXAxisTicks(dc, W, t, false);
    if (m_data.YStep() < kBig)
        DrawYAxisTicks(dc, W, t, false);
    if (IsSelected() && !m_blackAndWhite)
        DrawSelectionOn(dc);
}
