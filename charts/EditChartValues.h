#pragma once
// The values of the "Edit Chart" dialog, apart from its window: what its fields show for a
// chart and how the typed texts go back into the chart's state.

#include <string>

#include "charts/ChartData.h"

// The tick step of a typed tick distance: its number, or "none" (3.1415626e31) for 0, a
// negative number, "None" or an empty field. The dialog refuses any other text first (see
// CheckEditChartFields); here it too gives "none".
double TickStepFromText(const std::string& text);
// What a tick distance field shows: "None" for no tick marks, else the step in the format.
std::string TickStepText(const AxisFormat& format, double step);
// The typed number of decimals, held to 0..9 (text the dialog refuses gives 0).
int DecimalsFromText(const std::string& text);
// The typed line width in pixels, held to +-1000000 (text the dialog refuses gives 0).
int LineWidthFromText(const std::string& text);
// "Auto" is checked when the field shows exactly the formatted data bound.
bool AutoMatches(const std::string& fieldText, const AxisFormat& format, double bound);
// Point size of a font height on a device of logPixelsY pixels per inch (rounded).
int FontPointSize(int height, int logPixelsY);
// "Arial, 12 points".
std::string FontDescription(const std::string& face, int points);

// The dialog's fields as texts, and the chart's values it writes back.
struct EditChartFields {
    std::string title, xTitle, yTitle;
    std::string xMin, xMax, yMin, yMax; // 4018, 4019, 4026, 4020
    bool autoXMin = false, autoXMax = false, autoYMin = false, autoYMax = false;
    std::string xTick, yTick;            // 4021, 4025
    std::string xDecimals, yDecimals;    // 4022, 4023
    std::string thickness;               // 4005
};

// The fields as the dialog fills them from a chart (the "Auto" boxes follow the texts).
EditChartFields ReadEditChartFields(const ChartData& data, int lineWidth);
// The largest magnitude an axis end may have: beyond it the numbers of the labels no longer
// fit any chart and the scaling loses its digits.
inline constexpr double kMaxAxisEnd = 1e12;
// Why the axis ends of the fields cannot be drawn, or empty when they can: an end that is not
// a number of at most kMaxAxisEnd, or a minimum above its maximum. An "Auto" end stands for
// the data bound.
std::string CheckAxisEnds(const EditChartFields& fields, const ChartBounds& dataBounds);
// Why the typed fields cannot be taken, or empty when they can: the axis ends (above), then a
// tick distance that is neither a number nor "None", then decimals and a thickness that are
// no whole number. An empty field reads as 0, as it always has.
std::string CheckEditChartFields(const EditChartFields& fields, const ChartBounds& dataBounds);
// Writes OK'd fields back into the chart's state, in the dialog's order: titles, axis ends
// (an "Auto" end takes the data bound itself), formats from the decimals, tick steps.
// Answers the line width typed.
int ApplyEditChartFields(const EditChartFields& fields, ChartData& data);
