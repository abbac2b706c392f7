#pragma once
// The x-y line chart on a page, and its two kinds: Tbigchart, the full panel chart with axis
// titles and labelled ticks, and Ticonchart, the small chart with range labels only. The chart
// keeps its state in a ChartData and answers the chart data contract from it.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "charts/ChartAxes.h"
#include "charts/ChartContract.h"
#include "charts/ChartData.h"
#include "charts/TBoxItem.h"

struct LegendRoom;

// The font of "No Data": the chart's text font, never below 8 points at scale 1.
plat::LogFont NoDataFont(const plat::LogFont& textFont);

// The least height a chart writes its numbers, axis titles and labels in, as a character height
// (a negative font height) and as a cell height (a positive one): smaller, letters no longer read.
inline constexpr int kLeastTextCharHeight = 10, kLeastTextCellHeight = 12;
// The least height for the font's kind of height: kLeastTextCharHeight for a character height,
// kLeastTextCellHeight for a cell height.
inline int LeastTextHeight(const plat::LogFont& font)
{
    return font.height < 0 ? kLeastTextCharHeight : kLeastTextCellHeight;
}
// A font height raised to the least readable one where it is smaller (0, the face's own height,
// stays).
double AtLeastReadable(double height);

class Tchart : public TBoxItem, public ChartContract {
public:
    Tchart(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
           int xPrecision, int yPrecision, int drawMode);

    // The chart data contract.
    // The first point after AutoScale starts a new data set: the chart's own ClearData runs
    // first (a kind that keeps more than the data empties that too).
    void AddPoint(double x, double y) override;
    void ClearData() override { m_data.ClearData(); }
    void AutoScale() override;
    void AddText(const char*, double) override {}
    bool IsDataEmpty() const override { return m_data.IsDataEmpty(); }
    ChartBounds GetDataBounds() const override { return m_data.DataBounds(); }
    ChartBounds GetAxisRange() const override { return m_data.AxisRange(); }
    void SetAxisEnd(ChartEnd end, double value) override { m_data.SetAxisEnd(end, value); }
    void SetTitles(const std::string& title, const std::string& xTitle, const std::string& yTitle,
                   int xPrecision, int yPrecision) override;
    void SetTitle(const std::string& text) override;
    void SetNote(const std::string& text) override { m_data.SetNote(text); }
    int SetTextShown(int flag) override;
    void EnableToggleText(int flag) override;
    void SetNumericRangeLabels(int flag) override { m_data.SetNumericRangeLabels(flag); }
    void SetXLimits(double lower, double upper) override { m_data.SetXLimits(lower, upper); }
    void SetMaxRange(int flag) override { m_data.SetMaxRange(flag); }
    int GetMaxRange() const override { return m_data.GetMaxRange(); }
    int ToggleMaxRange() override { return m_data.ToggleMaxRange(); }
    void SetXTickStep(double step) override { m_data.SetXTickStep(step); }
    void SetYTickStep(double step) override { m_data.SetYTickStep(step); }
    void SetDrawMode(int mode) override { m_data.SetDrawMode(mode); }
    void SelectPoint(int n) override { m_data.SelectPoint(n); }
    void SetReadoutPoint(double x, double y) override { m_data.SetReadoutPoint(x, y); }
    void SetLineStart(int n) override { m_data.SetLineStart(n); }
    double GetHarmonicMeanY() const override { return m_data.GetHarmonicMeanY(); }
    void SetFontHeights(int title, int text) override { TBoxItem::SetFontHeights(title, text); }
    void SetTitleItalic(int italic) override { TBoxItem::SetTitleItalic(italic); }
    void SetBlackAndWhite(int flag) override { TBoxItem::SetBlackAndWhite(flag); }
    void SetSubMode(int mode) override { TBoxItem::SetSubMode(mode); }
    void AttachStructure(TStructure* s) override { TBoxItem::AttachStructure(s); }
    void AttachState(const SectionState* s) override { TBoxItem::AttachState(s); }
    void AttachAnalysis(const TSectionalAnalysis* a) override { TBoxItem::AttachAnalysis(a); }

    // Box operations.
    void CmPopup3000() override { ExportData(1); }
    void CmPopup3001() override;
    void CmPopup3003() override { ExportData(0); }
    void CmPopup3004() override { ToggleMaxRange(); }
    void CmPopup3007() override;
    void Reposition(int x, int y, int w, int h, int redraw) override;
    void Layout() override;
    // Writes the data as text: shown in "View Data" (1) or copied to the clipboard (0).
    virtual void ExportData(int show);
    // Averages over the data (see ChartExport.h) and the note that shows one: a note reading
    // exactly "AverageX" or "AverageY" becomes "Average = " and the value (run by AutoScale and
    // Layout; once replaced, the note stays).
    double GetAverageX() const;
    double GetAverageY() const;
    void UpdateAverageNote();

    // The chart's state, for painting, the properties dialog and the views.
    ChartData& Data() { return m_data; }
    const ChartData& Data() const { return m_data; }
    int LineWidth() const { return m_lineWidth; }
    plat::Color LineColour() const { return m_lineColour; }
    int LineStyle() const { return m_lineStyle; }
    // Widths below 0 are taken as 0.
    void SetLinePen(int width, plat::Color colour, int style);
    const ChartMargins& Margins() const { return m_margins; }
    const ChartTransform& Transform() const { return m_transform; }

    // Painting parts shared by the chart kinds.
    void DrawNoData(plat::DC& dc);
    ChartMarker DrawData(plat::DC& dc, const ChartTransform& t);
    void DrawMarker(plat::DC& dc, int px, int py);
    // Draws the axis ticks (and labels) of one axis.
    void DrawXAxisTicks(plat::DC& dc, int W, const ChartTransform& t, bool labels);
    void DrawYAxisTicks(plat::DC& dc, int W, const ChartTransform& t, bool labels);
    // The ticks and numbers of both axes of a full chart, the y axis's first, each axis only
    // while its step is set: an x number that would overlap a y number is left out.
    // The numbers then keep clear of the axis lines, the ticks and each other (see
    // KeepAxisNumbersClear), and a number the data's ink runs through goes across its axis
    // where that is clear.
    AxisPlan PlanAxisLabels(plat::DC& dc, int W, const ChartTransform& t, const ChartInk& ink);
    // The x axis (along the row of zero) and the y axis (down the column of zero) of the full
    // chart under transform t, from and to as drawn.
    std::array<AxisTick, 2> BigChartAxisLines(plat::DC& dc, const ChartTransform& t);
    // Font heights, transparent text; false after painting "No Data" for a chart not shown.
    bool BeginPaint(plat::DC& dc);
    // The data, then the readout cross at the selected point, else at the readout point when
    // its pixel lies within the device's coordinates (the limits of each chart kind); both
    // clipped to the plot area, less the boxes of keepOut (texts drawn over the data, which
    // no stroke or marker runs into).
    void DrawDataAndCross(plat::DC& dc, const ChartTransform& t, bool fullChart,
                          plat::Color crossColour, const std::vector<plat::Rect>& keepOut = {});
    // The plot area in the chart's pixels: the axis ends under the transform, widened by half
    // the line width so that a curve along an end is drawn whole; an axis of no extent (scale
    // 0) spans the chart.
    plat::Rect PlotArea(const ChartTransform& t) const;
    // A text measure in the chart's text font on dc.
    LabelMeasure TextMeasure(plat::DC& dc) const;
    // The font of the note: the text font, lowered where the note would be wider than the chart.
    plat::LogFont NoteFont(plat::DC& dc) const;
    // The boxes of the texts the chart draws at its present size and data (title, axis titles,
    // note, axis numbers) and of its ticks, in the chart's pixels: what a legend or a marker
    // laid over the chart keeps clear of. Empty while the chart shows "No Data"; the chart's
    // own transform is left as it is.
    virtual std::vector<plat::Rect> TextBoxes() { return {}; }
    // What a legend laid over the chart at its present size and data keeps clear of: the boxes
    // of TextBoxes and of the axis lines, and the data's strokes and markers as drawn.
    virtual LegendRoom RoomForLegends();
    // Puts each legend box inside the chart that the user has not moved at its own place, or,
    // where that would cover a text, a tick, an axis line, a legend or the data (see
    // PlaceLegend), at the nearest place clear of them, its letters smaller where the chart
    // leaves no room for its own font, and never taller than the chart's title's. Where no
    // form of a legend has a clear place, the full chart narrows its plot to make room for it
    // beside the plot, else lowers the plot's foot to make room below it; where that is no
    // use either, the legend is left out. Run after anything that moves the chart's texts (its
    // data, range, size, fonts, note). Where each legend goes depends on the chart and the
    // legends alone, never on where they stood before.
    void KeepLegendsClear();
    // The room the full chart leaves right of its plot (cx) and below it (cy) for a legend
    // that has no clear place over the plot.
    plat::Size LegendBand() const { return m_legendBand; }

protected:
    ChartData m_data;
    // The boxes of the numbers (drawn with measure) that the data's ink (see TraceChartInk) comes
    // near, within InkReach of their cells: the holes DrawDataAndCross cuts out of the data's
    // clip so that the numbers stand whole. Each hole is the number's cell, or with lettersOnly
    // (the full chart, whose numbers stand at their ticks and cannot step aside) the box of its
    // letters and a pixel round it: the cell's leading and descent hold no ink of the number,
    // and a curve crossing them keeps that stretch. Only those: a clip of holes makes every stroke
    // costlier to draw.
    std::vector<plat::Rect> NumbersTheDataMeet(const std::vector<AxisLabel>& numbers, const ChartInk& ink,
                                               const LabelMeasure& measure, bool lettersOnly = false) const;
    // How near the data's ink may come to a number before it runs into its letters: 3 pixels
    // and half the pen's width.
    int InkReach() const { return 3 + std::max(m_lineWidth, 1) / 2; }
    // The data's ink under transform t, its markers as DrawMarker draws them.
    ChartInk DataInk(const ChartTransform& t) const;
    void DrawDataAndCrossInPlot(plat::DC& dc, const ChartTransform& t, bool fullChart,
                                plat::Color crossColour);
    int m_lineWidth = 1;
    plat::Color m_lineColour = plat::Colors::LtBlue;
    int m_lineStyle = 0;
    ChartMargins m_margins;
    ChartTransform m_transform;
    plat::Size m_legendBand;
    // Set by the full and compact charts: their title, numbers and axis titles keep the least
    // readable height.
    bool m_readableText = false;
    // The title as the chart draws it: empty where it does not fit the chart's width in the
    // least readable text.
    const std::string& TitleShown() const { return m_titleShown ? m_data.Title() : kNoTitle; }
    // The axis titles as the full chart draws them: empty where a title does not fit its side
    // of the chart in the least readable text.
    const std::string& XTitleShown() const { return m_xTitleShown ? m_data.XTitle() : kNoTitle; }
    const std::string& YTitleShown() const { return m_yTitleShown ? m_data.YTitle() : kNoTitle; }

private:
    static inline const std::string kNoTitle;
    bool m_titleShown = true;
    bool m_xTitleShown = true;
    bool m_yTitleShown = true;
};

class Tbigchart : public Tchart {
public:
    Tbigchart(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
              int xPrecision, int yPrecision, int drawMode);
    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    // Arguments ignored: the chart fits its own range.
    void UpdateScaling(double, double, double, double) override;
    std::vector<plat::Rect> TextBoxes() override;
    LegendRoom RoomForLegends() override;

private:
    void UpdateScaling(plat::DC& dc);
};

class Ticonchart : public Tchart {
public:
    Ticonchart(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
               int xPrecision, int yPrecision);
    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    // -1 for a minimum and 1 for a maximum stand for the chart's own range.
    void UpdateScaling(double xa, double xb, double ya, double yb) override;
    std::vector<plat::Rect> TextBoxes() override;
    LegendRoom RoomForLegends() override;
    // The range labels under transform t and margins, kept clear of the data's markers and
    // curves and of each other, measured as measure draws them; ink, when given, gets the
    // data's ink they were kept clear of.
    std::vector<AxisLabel> RangeLabels(const ChartTransform& t, const ChartMargins& margins,
                                       const LabelMeasure& measure, ChartInk* ink = nullptr) const;
    // The boxes of the pixels of the axis lines and ticks the chart draws under transform t and
    // margins: what the range numbers keep clear of.
    std::vector<plat::Rect> AxisLineBoxes(const ChartTransform& t, const ChartMargins& margins,
                                          const LabelMeasure& measure) const;

private:
    void UpdateScaling(plat::DC& dc, double xa, double xb, double ya, double yb);
};
