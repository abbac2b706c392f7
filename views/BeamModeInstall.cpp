#include "views/BeamModeInstall.h"

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
    // The panel charts keep sections, not states, so no stage is marked as shown.
    int HasChart(const SectionState*) override { return 0; }
    void SetTextBoxText(int n, const std::string& text) override { m_view.SetTextBoxText(n, text); }

private:
    TViewm_2k& m_view;
};

} // namespace

BeamLogicFactory InstallBeamMode()
{
    return SetBeamLogicFactory(
        [](TStructure* structure, TSectionalAnalysis* analysis, TViewm_2k& view) {
            auto logic = std::make_unique<TQ2k_Logic>(structure, analysis);
            logic->AdoptHost(std::make_unique<ViewManagerHost>(view));
            logic->FollowSettings(true);
            return std::unique_ptr<TBase_Logic>(std::move(logic));
        });
}
