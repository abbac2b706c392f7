#include "views/BeamModeInstall.h"

#include "app/ShellServices.h"
#include "app/summary/CrossSection.h"
#include "charts/T3DPlot.h"
#include "charts/TContour.h"
#include "model/TStructure.h"
#include "app/views/DiagramMakers.h"
#include "views/TBeamDiagram.h"
#include "views/TForceDiagram.h"
#include "views/TQ2k_Logic.h"

namespace {

// The view manager as the beam mode sees it.
class ViewManagerHost final : public BeamViewHost {
public:
    explicit ViewManagerHost(TViewm_2k& view) : m_view(view) {}
    int GetControlChartValue(int which, double& x, double& y, int tagBase) override
    {
        return m_view.GetControlChartValue(which, x, y, tagBase);
    }
    int HasChart(const SectionState* state) override { return m_view.HasChart(state) ? 1 : 0; }
    void SetTextBoxText(int n, const std::string& text) override { m_view.SetTextBoxText(n, text); }
    void ShowAnalysisStatus() override
    {
        if (TShellServices* services = m_view.GetServices())
            services->ShowAnalysisStatus(nullptr);
    }

private:
    TViewm_2k& m_view;
};

} // namespace

void InstallResultDiagrams()
{
    SetDiagramMaker(6, [](plat::Window* parent, const std::string& title, int x, int y, int w, int h, int) {
        return std::unique_ptr<Tchart>(std::make_unique<TBeamDiagram>(parent, title, x, y, w, h, 1));
    });
    SetDiagramMaker(12, [](plat::Window* parent, const std::string& title, int x, int y, int w, int h, int) {
        return std::unique_ptr<Tchart>(std::make_unique<TRichBeam>(parent, title, x, y, w, h));
    });
    SetDiagramMaker(13, [](plat::Window* parent, const std::string& title, int x, int y, int w, int h, int) {
        return std::unique_ptr<Tchart>(std::make_unique<TForceDiagram>(parent, title, x, y, w, h));
    });
    SetDiagramMaker(kContourColourKind, [](plat::Window* parent, const std::string& title, int x, int y, int w,
                                           int h, int) {
        return std::unique_ptr<Tchart>(std::make_unique<TContourColour>(parent, title, x, y, w, h));
    });
    SetDiagramMaker(kContour3DKind, [](plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                                       int) {
        return std::unique_ptr<Tchart>(std::make_unique<TContour3D>(parent, title, x, y, w, h));
    });
    SetDiagramMaker(k3DPlotKind, [](plat::Window* parent, const std::string& title, int x, int y, int w, int h,
                                    int) {
        return std::unique_ptr<Tchart>(std::make_unique<T3DPlot>(parent, title, x, y, w, h));
    });
    // The colour contour draws the section over its field: bottom at yRef, centred at x.
    SetContourOutlineDrawer([](plat::DC& dc, const TStructure& s, double x, double yRef, double scale) {
        DrawSectionOutline(dc, s, x, yRef + (s.GetTop() - s.GetHeight()) * scale, scale, 0, 0, nullptr);
    });
    SetDiagramMaker(14, [](plat::Window* parent, const std::string& title, int x, int y, int w, int h, int) {
        return std::unique_ptr<Tchart>(std::make_unique<TNPlusM>(parent, title, x, y, w, h));
    });
}

BeamLogicFactory InstallBeamMode()
{
    InstallResultDiagrams();
    return SetBeamLogicFactory(
        [](TStructure* structure, TSectionalAnalysis* analysis, TViewm_2k& view) {
            auto logic = std::make_unique<TQ2k_Logic>(structure, analysis);
            logic->AdoptHost(std::make_unique<ViewManagerHost>(view));
            logic->FollowSettings(true);
            return std::unique_ptr<TBase_Logic>(std::move(logic));
        });
}
