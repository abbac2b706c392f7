#pragma once
// TMaterDiagram: the stress-strain curves of the materials of a section or element, one chart
// per family: concrete (kind 7), reinforcing and user-curve steel (kind 8), prestressing steel
// (kind 9). It is handed the structure, keeps private copies of its types and builds its own
// curves (MaterialCurves.h); it marks the characteristic values on its axes, labels the
// curves, and offers "Initial Stiffness", "Stress Calculator" and a text dump of the types.
// A double click on a curve asks the page to open the material sheet at that type.

#include <string>

#include "charts/ChartContract.h"
#include "charts/Tchart.h"
#include "views/DiagramPlan.h"
#include "views/LabelClearance.h"
#include "views/MaterialCurves.h"

// The chart's own scaling: margins of 5 % of the width, the axis range across the rest.
struct MaterialScale {
    int m = 0;
    double xScale = 0.0;
    double xOrigin = 0.0;
    double yScale = 0.0;
    double yOrigin = 0.0;
    // The pixel of a value in display units.
    plat::Point At(double x, double y) const;
};
MaterialScale ScaleMaterialChart(int W, int H, int top, const ChartBounds& axis);

struct MaterialFrame {
    int W = 0;
    int H = 0;
    int top = 0;
    ChartBounds axis;
    int unitSystem = 0;
    // The factors the user works with (the curve labels sit on factored stresses).
    ResistanceFactors inForce;
    std::string title;
    plat::LogFont titleFont;
    plat::LogFont textFont;
};

// The smallest text a chart's labels are written in, as a character height (a negative font
// height) and as a cell height (a positive one): small enough for the labels of a damaged
// section's charts on a summary page, large enough that letters and subscripts still read.
inline constexpr int kLeastLabelCharHeight = 10, kLeastLabelCellHeight = 12;

// The picture of the curves, empty while there is nothing to draw. The labels keep clear of the
// curves, of the marks on the axes and of each other, written smaller where the chart's text
// leaves them no clear place, and in the smallest text on backgrounds of their own where none
// is clear even so.
// A label that names a level (the top of the y axis, a concrete's strength) stands at that
// level's height where its letters find a clear place there, else it gets a leader to the
// level. letters, when given, tells where a label's letters stand within its extent; without
// it the letters fill it.
// work, when given, gets what keeping them clear cost.
DiagramPlan PlanMaterialChart(const MaterialFrame& frame, const MaterialTypeCopies& types,
                              const MaterialCurves& curves, const PlanMeasure& measure,
                              LabelWork* work = nullptr, const PlanLetters& letters = {});

// The position the material sheet opens at for a click at p: the concrete type index (kind 7),
// or the count of the family's types before the steel type (kinds 8, 9); -1 without curves.
int MaterialClickPosition(const MaterialFrame& frame, const MaterialTypeCopies& types,
                          const MaterialCurves& curves, plat::Point p);

class TMaterDiagram : public Ticonchart {
public:
    TMaterDiagram(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                  int materialKind, int xPrecision, int yPrecision, int drawMode);

    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    // The fonts follow the width at every placement (a tenth and a twelfth of it), so a chart
    // made before its page had its size, or whose page changed shape, is laid out at its real
    // size.
    void Reposition(int x, int y, int w, int h, int redraw) override;
    // "View Data" and "Copy Chart Data ": the dump of the types and curves.
    void ExportData(int show) override;
    // "Initial Stiffness".
    void CmPopup3001() override { ShowTypeValues(0); }
    void CmPopup3002() override {}
    // "Stress Calculator".
    void CmPopup3004() override { ShowTypeValues(1); }
    // Copies the types and builds the curves; a null structure leaves everything as it was.
    void AttachStructure(TStructure* structure) override;
    void EvLButtonDblClk(unsigned flags, plat::Point p) override;

    int MaterialKind() const { return m_kind; }
    const MaterialTypeCopies& Types() const { return m_types; }
    const MaterialCurves& Curves() const { return m_curves; }
    MaterialFrame Frame();
    std::string DumpText() const;
    // mode 0 "Initial Stiffness", 1 "Stress Calculator".
    void ShowTypeValues(int mode);

private:
    MaterialTypeCopies m_types;
    MaterialCurves m_curves;
};
