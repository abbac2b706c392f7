#pragma once
// TMaterDiagram: the stress-strain curves of the materials of a section or element, one chart
// per family: concrete (kind 7), reinforcing and user-curve steel (kind 8), prestressing steel
// (kind 9). It is handed the structure, keeps private copies of its types and builds its own
// curves (MaterialCurves.h); it marks the characteristic values on its axes, labels the
// curves, and offers "Initial Stiffness", "Stress Calculator" and a text dump of the types.
// A double click on a curve asks the page to open the material sheet at that type.

#include <string>

#include "charts/Tchart.h"
#include "views/MaterialCurves.h"
#include "views/MaterialPicture.h"

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
