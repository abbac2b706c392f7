#pragma once
// TMohr: Mohr's circle of strains or stresses for one membrane state, fed through the chart
// data contract with five pairs in display units, in this order:
//   (P1, 0)  larger principal value        (P2, 0)  lesser principal value
//   (Sx, T)  x-face normal value, shear    (Sy, T)  y-face normal value, shear
//   (C, R)   centre and radius
// then AutoScale. Both axes share the lesser of the two scales, so the circle stays round;
// the point of the x face is plotted at (Sx, -T), that of the y face at (Sy, T).

#include <string>

#include "charts/Tchart.h"
#include "views/DiagramPlan.h"

// What the picture depends on besides the five pairs.
struct MohrFrame {
    int W = 0;
    int H = 0;
    int top = 0; // below the title
    // Axis range and x limits of the chart.
    double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0;
    double xLower = -1e20, xUpper = 1e20;
    int lineWidth = 1;
    bool blackAndWhite = false;
    std::string title;
    plat::LogFont titleFont;
    plat::LogFont textFont;
};

struct MohrPicture {
    DiagramPlan plan;
    // Decimals of the axis numbers and of the centre and radius text.
    int decimals = 2;
    // The common scale (pixels per display unit) and the origin pixel.
    float scale = 0.0f;
    float xOrigin = 0.0f;
    float yOrigin = 0.0f;
    int bottomMargin = 0;
};

// The picture of a record of five pairs (ten values, see above).
MohrPicture PlanMohr(const MohrFrame& frame, const std::vector<double>& record,
                     const PlanMeasure& measure);

class TMohr : public Tchart {
public:
    TMohr(plat::Window* parent, const std::string& title, int x, int y, int w, int h, int xPrecision,
          int yPrecision, int drawMode);

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    // The chart's range, then automatic y ends made symmetric about the axis: the feeders'
    // shear values reach +R only, and the circle reaches -R as well.
    void AutoScale() override;
    // Redraw.
    void CmPopup3000() override;
    void CmPopup3001() override {}
    // "Edit Title".
    void CmPopup3002() override;
    // "Select Font".
    void CmPopup3003() override;
    // "Auto/Max Range": the flag only, no redraw.
    void CmPopup3004() override { ToggleMaxRange(); }

    // The frame of the chart as it stands (fonts at their stored heights).
    MohrFrame Frame();

private:
    void Redraw();
};
