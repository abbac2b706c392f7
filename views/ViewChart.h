#pragma once
// The part of a chart that the beam views feed: data in display units with separator pairs
// (ChartPointSink), titles and notes, the line start, the harmonic mean of the data, and what
// a chart is handed to draw from. The panel charts and the control charts implement it; tests
// record it.

#include <string>

#include "foundation/ChartPointSink.h"

class TStructure;
class TSectionalAnalysis;
struct SectionState;

class ViewChart : public ChartPointSink {
public:
    virtual void ClearData() = 0;
    virtual void AutoScale() = 0;
    // A named value; the 3-D plot takes three values and then the text as a label.
    virtual void AddText(const char* text, double value) = 0;
    // Titles and number formats; clears the data.
    virtual void SetTitles(const std::string& title, const std::string& xTitle,
                           const std::string& yTitle, int xPrecision, int yPrecision) = 0;
    virtual void SetNote(const std::string& text) = 0;
    virtual void SetTextShown(int flag) = 0;
    // First point of the selectable line; -1: the point after the last one added.
    virtual void SetLineStart(int n) = 0;
    // (x_last - x_first) over the trapezoid integral of 1/y along the data lines.
    virtual double GetHarmonicMeanY() const = 0;

    // What a result diagram draws from (null detaches).
    virtual void AttachStructure(const TStructure* structure) = 0;
    virtual void AttachState(const SectionState* state) = 0;
    virtual void AttachAnalysis(const TSectionalAnalysis* analysis) = 0;

    // Control charts: a point with the tag that comes back when the user picks it, the draw
    // mode (1 lines, 2 diagram path) and the sub-mode (the control id). Plain charts take the
    // point untagged and ignore the modes.
    virtual void AddTaggedPoint(double x, double y, int tag)
    {
        (void)tag;
        AddPoint(x, y);
    }
    virtual void SetDrawMode(int mode) { (void)mode; }
    virtual void SetSubMode(int mode) { (void)mode; }
    // The title in italics (1) or upright (0).
    virtual void SetTitleItalic(int italic) { (void)italic; }
};
