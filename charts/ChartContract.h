#pragma once
// The chart data contract: everything a feeder (a mode object, the view manager, a member or
// membrane view) may call on an x-y chart to fill it. Computing code that only writes points
// sees the narrower ChartPointSink; result views see this. The window chart implements it and
// the tests record it.
//
// Feeding order: SetTitles (or ClearData), then AddPoint for every point and separator pair in
// display units, then AutoScale. After AutoScale the next AddPoint starts a new data set.

#include <string>

#include "foundation/ChartPointSink.h"

class TSectionalAnalysis;
class TStructure;
struct SectionState;

// The four ends of a chart's axes, in the order of its auto flags.
enum class ChartEnd { XMin = 0, XMax = 1, YMin = 2, YMax = 3 };

// Smallest and largest x and y: of the points added (data bounds) or of the axes (axis range).
struct ChartBounds {
    double xMin = 0.0;
    double yMin = 0.0;
    double xMax = 0.0;
    double yMax = 0.0;
    bool operator==(const ChartBounds&) const = default;
};

class ChartContract : public ChartPointSink {
public:
    // Data.
    virtual void ClearData() = 0;
    virtual void AutoScale() = 0;
    // A named value (the 3-D plot places labels with it; other charts ignore it).
    virtual void AddText(const char* name, double value) = 0;
    virtual bool IsDataEmpty() const = 0;
    virtual ChartBounds GetDataBounds() const = 0;
    virtual ChartBounds GetAxisRange() const = 0;
    // Fixes one axis end at value: its automatic flag is cleared.
    virtual void SetAxisEnd(ChartEnd end, double value) = 0;

    // Titles and number formats (a negative precision selects the exponent form); clears the
    // data, the note-shown flag, and switches numeric range labels on.
    virtual void SetTitles(const std::string& title, const std::string& xTitle,
                           const std::string& yTitle, int xPrecision, int yPrecision) = 0;
    virtual void SetTitle(const std::string& text) = 0;
    virtual void SetNote(const std::string& text) = 0;
    virtual int SetTextShown(int flag) = 0;
    virtual void EnableToggleText(int flag) = 0;
    // 0: a compact chart writes "top" and "bot" at its y range ends instead of numbers.
    virtual void SetNumericRangeLabels(int flag) = 0;

    // Range and ticks.
    virtual void SetXLimits(double lower, double upper) = 0;
    virtual void SetMaxRange(int flag) = 0;
    virtual int GetMaxRange() const = 0;
    virtual int ToggleMaxRange() = 0;
    virtual void SetXTickStep(double step) = 0;
    virtual void SetYTickStep(double step) = 0;
    virtual void SetDrawMode(int mode) = 0;

    // Readout.
    virtual void SelectPoint(int n) = 0;
    virtual void SetReadoutPoint(double x, double y) = 0;
    virtual void SetLineStart(int n) = 0;
    virtual double GetHarmonicMeanY() const = 0;

    // Appearance and what the chart shows.
    virtual void SetFontHeights(int titleHeight, int textHeight) = 0;
    virtual void SetTitleItalic(int italic) = 0;
    virtual void SetBlackAndWhite(int flag) = 0;
    virtual void SetSubMode(int mode) = 0;
    virtual void AttachStructure(TStructure* structure) = 0;
    // What a result diagram draws from besides the structure; charts of curves ignore both.
    virtual void AttachState(const SectionState*) {}
    virtual void AttachAnalysis(const TSectionalAnalysis*) {}
};

// The titles and number formats of a chart, as the member and membrane views set them.
inline void SetTitles(ChartContract& chart, const std::string& title, const std::string& xTitle,
                      const std::string& yTitle, int xPrecision, int yPrecision)
{
    chart.SetTitles(title, xTitle, yTitle, xPrecision, yPrecision);
}
