#pragma once
// The strain dialog: mode 0 "Shrinkage and Thermal Strains" (dialog 306) with the strain of
// each reinforcement layer, mode 1 "Strain Discontinuity" (dialog 307); both show the
// profile's points in a list and a chart. A thin window over TStrainProfile.

#include <memory>

#include "platform/Controls.h"
#include "platform/Dialog.h"

#include "dialogs/StrainProfile.h"

class TBeam;
class Ticonchart;

namespace ShrinkId {
inline constexpr int Elevation = 5061, Strain = 5062, Add = 5035, Modify = 5037, Delete = 5038;
inline constexpr int Rows = 5072, LengthUnit = 130, StrainUnit = 131, Graph = 5074;
inline constexpr int Reinforcement = 5034, ReinforcementStrain = 5073, ReinforcementUnit = 230, Set = 5023;
} // namespace ShrinkId

class TShrink : public plat::Dialog {
public:
    // The beam may be null ("No Beam Defined!"); mode 0 or 1.
    TShrink(plat::Window* parent, TBeam* beam, int mode, int resourceId);
    ~TShrink() override;

    void SetupWindow() override;
    void CloseWindow(int result) override;
    bool Changed() const { return m_profile && m_profile->Changed(); }
    TStrainProfile* Profile() { return m_profile.get(); }
    Ticonchart* Chart() { return m_chart.get(); }

private:
    void Refresh();
    void AfterEdit();
    void ShowRow();
    void DrawChart();
    void ShowReinforcement();

    TBeam* m_beam;
    int m_mode;
    plat::ListBox m_list;
    std::unique_ptr<plat::ComboBox> m_combo;
    std::unique_ptr<TStrainProfile> m_profile;
    std::unique_ptr<Ticonchart> m_chart;
};
