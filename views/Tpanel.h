#pragma once
// Tpanel: one membrane element seen face-on as a square panel five thicknesses wide, with its
// x and y bars as grey lines as thick as the bars, the cracks of the state at their angle and
// spacing, the crack width at the centre, and on the centre row and column the zones where
// the bars yield, coloured by the bar's state. It keeps its own copy of the element and reads
// the state as six chart-data pairs (display units are not used: SI values):
//   1 (cracked marker, crack spacing s)    above 1e30 when cracked; s in m
//   2 (crack angle theta, crack width w)   radians; m
//   3 (x yields at cracks, y ...)          above 1e30 when yielding at the cracks
//   4 (x yielded fraction, y ...)          of the crack spacing along the bar
//   5 (x yields everywhere, y ...)         above 1e30 when the average stress yields
//   6 (x bar state code, y ...)            1 / -1 at yield in tension / compression, 2 / -2
//                                          beyond it, 10 no steel, 0 otherwise
// fed by AddPoint, then AttachStructure(element), then AutoScale.

#include <memory>
#include <string>
#include <vector>

#include "charts/Tchart.h"
#include "views/DiagramPlan.h"

class TShell;

// The bars of one direction as the panel draws them.
struct PanelBars {
    bool present = false; // the direction has layers
    double diameter = 0.0;
    double spacing = 0.0;
};

struct PanelFrame {
    int W = 0;
    int H = 0;
    int top = 0;
    double thickness = 0.0;
    PanelBars x;
    PanelBars y;
    bool barsShown = true;
    bool blackAndWhite = false;
    int lineWidth = 1;
    int unitSystem = 0;
    std::string title;
    plat::LogFont titleFont;
    plat::LogFont textFont;
};

// The pen colour of a bar state code.
plat::Color PanelBarColour(int code);

// The picture of a six-pair record; margin receives m = 5 % of the width.
DiagramPlan PlanPanel(const PanelFrame& frame, const std::vector<double>& record, int* margin = nullptr);

class Tpanel : public Tchart {
public:
    Tpanel(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int xPrecision,
           int yPrecision, int drawMode);
    ~Tpanel() override;

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    // "Edit Title".
    void CmPopup3002() override;
    // "Select Font".
    void CmPopup3003() override;
    // "Toggle Bars".
    void CmPopup3004() override;
    // Replaces the element copy; anything but a membrane element leaves none.
    void AttachStructure(TStructure* structure) override;

    bool BarsShown() const { return m_barsShown; }
    const TShell* Element() const { return m_element.get(); }
    // The frame of the chart as it stands; false without an element.
    bool Frame(PanelFrame& frame);

private:
    void Redraw();

    bool m_barsShown = true;
    std::unique_ptr<TShell> m_element;
};
