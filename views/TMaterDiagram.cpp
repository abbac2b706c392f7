#include "views/TMaterDiagram.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "charts/ChartExport.h"
#include "charts/TMixinChartOwner.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/TStructure.h"
#include "model/materials/SteelLaws.h"
#include "platform/DC.h"
#include "platform/Ui.h"

namespace {
// The strain the stress calculator takes, either way (1000 mm/m).
constexpr double kMaxCalculatorStrain = 1.0;
} // namespace

TMaterDiagram::TMaterDiagram(plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                             int materialKind, int xPrecision, int yPrecision, int drawMode)
    : Ticonchart(parent, title, x, y, w, h, xPrecision, yPrecision)
{
    m_kind = materialKind;
    m_types.kind = materialKind;
    m_data.SetDrawMode(drawMode);
    SetFontHeights(w / 10, w / 12);
    TruncatePopup(0);
    AppendPopupItem(0, CM_COPYCHARTPICTURE, "Copy Chart Picture");
    AppendPopupItem(0, CM_COPYCHARTDATA, "Copy Chart Data ");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, CM_VIEWDATA, "View Data");
    AppendPopupItem(kPopupSeparator, 0, "");
    AppendPopupItem(0, CM_PROPERTIES, "Initial Stiffness");
    AppendPopupItem(0, CM_AUTOMAXRANGE, "Stress Calculator");
}

void TMaterDiagram::Reposition(int x, int y, int w, int h, int redraw)
{
    Ticonchart::Reposition(x, y, w, h, redraw);
    if (w > 0 && h > 0) {
        SetFontHeights(w / 10, w / 12);
        Layout();
    }
}

void TMaterDiagram::AttachStructure(TStructure* structure)
{
    if (!structure)
        return;
    m_types = MaterialTypeCopies::Of(*structure, m_kind);
    m_curves = BuildMaterialCurves(m_types, g_ResistanceFactors, g_UnitSystem);
    m_data.ClearData();
    for (std::size_t i = 0; i + 1 < m_curves.data.size(); i += 2)
        m_data.AddPoint(m_curves.data[i], m_curves.data[i + 1]);
    AutoScale();
}

MaterialFrame TMaterDiagram::Frame()
{
    RefreshFontHeights();
    MaterialFrame f;
    f.W = Width();
    f.H = Height();
    f.top = m_margins.top;
    f.axis = m_data.AxisRange();
    f.unitSystem = g_UnitSystem;
    f.inForce = g_ResistanceFactors;
    f.title = TitleShown();
    f.titleFont = TitleFont();
    f.textFont = TextFont();
    return f;
}

void TMaterDiagram::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    if (!m_data.IsShown() || m_data.IsDataEmpty())
        return;
    dc.SetBkMode(plat::BkMode::Transparent);
    MaterialFrame frame = Frame();
    frame.deviceScale = DeviceScaleOf(dc);
    PlanMaterialChart(frame, m_types, m_curves, MeasureOn(dc), nullptr, LettersOn(dc))
        .Replay(dc, m_blackAndWhite != 0);
}

void TMaterDiagram::EvLButtonDblClk(unsigned flags, plat::Point p)
{
    plat::Window::EvLButtonDblClk(flags, p);
    const int position = MaterialClickPosition(Frame(), m_types, m_curves, p);
    if (position >= 0 && Owner())
        Owner()->OnPageClick(0, 0, 0, m_kind, position);
}

std::string TMaterDiagram::DumpText() const
{
    return MaterialDump(m_types, m_curves.data, m_data.XFormat().format, m_data.YFormat().format, g_UnitSystem);
}

void TMaterDiagram::ExportData(int show) { ExportChartText(DumpText(), show, this); }

void TMaterDiagram::ShowTypeValues(int mode)
{
    const TypeValueTargets targets = TypeValueTargetsOf(m_types, m_curves);
    double strain = 0.0;
    if (mode == 1) {
        // A strain that is no number is refused and asked for again.
        std::string text = "1.0";
        if (!plat::InputUntilTaken("Stress Calculator", StrPrintf("Enter strain (%s)", UnitLabel(ukStrain, g_UnitSystem)),
                                   text, [&strain](const std::string& t) {
                                       return ReadTypedValue(t, "Strain", {-kMaxCalculatorStrain, kMaxCalculatorStrain, ukStrain},
                                                             strain);
                                   }))
            return;
    }
    const ResistanceFactors factors = g_ResistanceFactors;
    switch (targets.shape) {
    case TypeValueTargets::Shape::None:
        return;
    case TypeValueTargets::Shape::Single: {
        const TypeValueText v = TypeValue(m_types, targets.types[0], mode, strain, factors, g_UnitSystem);
        plat::MessageBox(v.text, v.caption, MsgStyle::Ok);
        return;
    }
    case TypeValueTargets::Shape::Report:
        ExportChartText(TypeValueReport(m_types, targets.types, mode, strain, factors, g_UnitSystem), 1, this);
        return;
    }
}
