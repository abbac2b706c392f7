#include "views/membrane/MembraneModeInstall.h"

#include "app/ShellServices.h"
#include "app/views/DiagramMakers.h"
#include "app/views/TViewm.h"
#include "membrane/TP2kQ2kHelper.h"
#include "views/membrane/TNodeData.h"
#include "views/membrane/TP2k_Logic.h"
#include "model/TShell.h"
#include "views/TQ2k_Logic.h"

namespace {

// The membrane view of one beam layer: the membrane mode over the layer's element and states.
class MembraneLayerView final : public LayerViewLogic {
public:
    MembraneLayerView(const TShell* shell, TP2kQ2kHelper* states)
        // The mode object only reads the element.
        : m_logic(const_cast<TShell*>(shell), states)
    {
        m_logic.FollowSettings(true);
    }
    int FillChart(ViewChart* chart, int graphId, int extra, int flag) override
    {
        return m_logic.FillChart(chart, graphId, extra, flag);
    }
    std::string GetGraphTitle(int graphId, int extra) override
    {
        return m_logic.GetGraphTitle(graphId, extra);
    }
    void GetChartDescription(int graphId, ChartDescription& d, int chartKind) override
    {
        m_logic.GetChartDescription(graphId, d, chartKind);
    }

private:
    TP2k_Logic m_logic;
};

} // namespace

void InstallMembraneMode()
{
    // The node-data pane of the graphs 2104-2106, in display mode id - 2104.
    SetDiagramMaker(16, [](plat::Window* parent, const std::string& title, int x, int y, int w,
                           int h, int graphId) -> std::unique_ptr<Tchart> {
        return std::make_unique<TNodeData>(parent, title, x, y, w, h, graphId - 2104);
    });
    SetMembraneLogicFactory(
        [](TStructure* structure, TSectionalAnalysis* analysis, TViewm_2k& view) {
            auto logic = std::make_unique<TP2k_Logic>(structure, analysis);
            logic->FollowSettings(true);
            logic->SetStatusHook([&view] {
                if (TShellServices* services = view.GetServices())
                    services->ShowAnalysisStatus(nullptr);
            });
            return std::unique_ptr<TBase_Logic>(std::move(logic));
        });
    SetLayerViewFactory([](const TShell* shell, TP2kQ2kHelper* states) {
        return std::unique_ptr<LayerViewLogic>(std::make_unique<MembraneLayerView>(shell, states));
    });
}
