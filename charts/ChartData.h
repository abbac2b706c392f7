#pragma once
// The state of an x-y chart that feeders fill and painting reads, as a plain value: the data
// pairs, their bounds, the axis range with its automatic ends, the x limits, the tick steps,
// the axis number formats, titles, note and readout. No window is involved; the window chart
// holds one of these and forwards the contract to it.
//
// Data pairs: x, y in display units. A pair whose x is above 1e30 is a separator (see
// ChartPointSink.h). A value that is not a number or whose magnitude reaches the largest float
// is stored as -1.0.

#include <string>
#include <vector>

#include "charts/ChartContract.h"

// Axis number formats are "%5.<d>f" or "%5.<d>e"; d runs from 0 to 9.
inline constexpr int kMaxAxisDecimals = 9;
// Texts of titles and notes hold at most this many characters.
inline constexpr std::size_t kChartTextLimit = 1023;
// The readout point when none is set.
inline constexpr double kNoReadout = 9.99999e101;
// The selected point when none is selected.
inline constexpr int kNoSelectedPoint = -100;

// One axis's number format: the printf format and whether labels use the "m x10^e" form.
struct AxisFormat {
    std::string format = "%5.3f";
    bool exponent = false;
    // The number of decimals, the format's fourth character.
    int Digit() const;
    bool operator==(const AxisFormat&) const = default;
};

// The format of a precision: p >= 0 gives "%5.pf", p < 0 gives "%5.|p|e" with the exponent form.
// Precisions beyond 9 decimals are taken as 9.
AxisFormat MakeAxisFormat(int precision);
// The same notation with a new number of decimals, clamped to 0..9.
AxisFormat WithDecimals(const AxisFormat& format, int decimals);

// 10^-d for d = 0..9, exactly as the decimal literal (0.01 for 2).
double TenToMinus(int digit);

// The tick step for a span v > 0: v / 7 rounded up to one significant digit.
double NiceStep(double v);

// The text of an axis label: the value in the format, leading blanks removed. In the exponent
// form a positive value is written as the mantissa with "x10^" and the exponent's digits each
// raised by "^" (markup), zero as "0.0", a negative value in the format itself.
std::string FormatAxisLabelText(const AxisFormat& format, double value);

// A value printed with a number format of this chart (its own "%5.<d>f"/"%5.<d>e").
std::string FormatAxisValue(const AxisFormat& format, double value);

class ChartData {
public:
    ChartData(int xPrecision, int yPrecision, int drawMode);

    // The contract (see ChartContract.h).
    void AddPoint(double x, double y);
    void ClearData();
    // Everything AutoScale does to the chart's state (zero inclusion, axis ends, tick steps).
    void AutoScale();
    bool IsDataEmpty() const { return m_data.empty(); }
    void SetTitles(const std::string& title, const std::string& xTitle, const std::string& yTitle,
                   int xPrecision, int yPrecision);
    void SetTitle(const std::string& text);
    void SetXTitle(const std::string& text);
    void SetYTitle(const std::string& text);
    // A note of 1024 characters or more is ignored.
    void SetNote(const std::string& text);
    void SetXLimits(double lower, double upper);
    void SetMaxRange(int flag) { m_maxRange = flag; }
    int GetMaxRange() const { return m_maxRange; }
    int ToggleMaxRange();
    // Steps finer than the axis's last decimal become 10^-d.
    void SetXTickStep(double step);
    void SetYTickStep(double step);
    void SetAxisEnd(ChartEnd end, double value);
    // Sets the end and its automatic flag together (the "Properties" dialog).
    void SetAxisEnd(ChartEnd end, double value, bool automatic);
    void SelectPoint(int n);
    void SetReadoutPoint(double x, double y);
    void SetLineStart(int n);
    double GetHarmonicMeanY() const;

    // State.
    const std::vector<double>& Data() const { return m_data; }
    int PairCount() const { return static_cast<int>(m_data.size() / 2); }
    const ChartBounds& DataBounds() const { return m_bounds; }
    const ChartBounds& AxisRange() const { return m_axis; }
    ChartBounds& MutableAxisRange() { return m_axis; }
    bool IsAutoEnd(ChartEnd end) const { return m_auto[static_cast<int>(end)] != 0; }
    // The shown x range: the axis range clipped to the x limits.
    double XStart() const { return m_xStart; }
    double XEnd() const { return m_xEnd; }
    void UpdateClippedRange();
    double XLower() const { return m_xLower; }
    double XUpper() const { return m_xUpper; }
    double XStep() const { return m_xStep; }
    double YStep() const { return m_yStep; }
    const AxisFormat& XFormat() const { return m_xFormat; }
    const AxisFormat& YFormat() const { return m_yFormat; }
    void SetXFormat(const AxisFormat& f) { m_xFormat = f; }
    void SetYFormat(const AxisFormat& f) { m_yFormat = f; }
    bool IsShown() const { return m_shown; }
    int PointCounter() const { return m_pointCounter; }
    // Restarts the count of added points (a new data set).
    void ResetPointCounter() { m_pointCounter = 0; }
    int DrawMode() const { return m_drawMode; }
    void SetDrawMode(int mode) { m_drawMode = mode; }

    const std::string& Title() const { return m_title; }
    const std::string& XTitle() const { return m_xTitle; }
    const std::string& YTitle() const { return m_yTitle; }
    const std::string& Note() const { return m_note; }
    int NoteShown() const { return m_noteShown; }
    void SetNoteShown(int flag) { m_noteShown = flag; }
    int NoteEnabled() const { return m_noteEnabled; }
    void SetNoteEnabled(int flag) { m_noteEnabled = flag; }
    int NumericRangeLabels() const { return m_numericRangeLabels; }
    void SetNumericRangeLabels(int flag) { m_numericRangeLabels = flag; }
    // True when the note is shown below the x-axis title.
    bool ShowsNote() const { return !m_note.empty() && m_noteShown != 0 && m_noteEnabled != 0; }

    int SelectedPoint() const { return m_selectedPoint; }
    int LineStart() const { return m_lineStart; }
    double ReadoutX() const { return m_readoutX; }
    double ReadoutY() const { return m_readoutY; }

private:
    void ResetBounds();

    std::vector<double> m_data;
    ChartBounds m_bounds;
    ChartBounds m_axis;
    int m_auto[4] = {1, 1, 1, 1};
    double m_xLower = -1e20;
    double m_xUpper = 1e20;
    double m_xStart = 0.0;
    double m_xEnd = 0.0;
    double m_xStep = 1.0;
    double m_yStep = 1.0;
    AxisFormat m_xFormat;
    AxisFormat m_yFormat;
    int m_maxRange = 0;
    bool m_shown = false;
    int m_pointCounter = 0;
    int m_drawMode = 0;
    std::string m_title;
    std::string m_xTitle;
    std::string m_yTitle;
    std::string m_note;
    int m_noteShown = 0;
    int m_noteEnabled = 1;
    int m_numericRangeLabels = 1;
    int m_selectedPoint = kNoSelectedPoint;
    int m_lineStart = 2;
    double m_readoutX = kNoReadout;
    double m_readoutY = kNoReadout;
};
