#pragma once
// "Post-fire analysis parameters": the fire exposure of the current beam before a post-fire
// beam is created. OK ("Create Fire Damaged Beam") stores the settings; the caller then runs
// the thermal analysis. A thin window over FireFields.

#include <memory>

#include "dialogs/FireFields.h"

#include "platform/Controls.h"
#include "platform/Dialog.h"

class TStructure;

namespace FireId {
inline constexpr int Iso = 1002, Petroleum = 1003, Constant = 1004;
inline constexpr int Bottom = 1005, Sides = 1006, Top = 1007, Rebar = 1008;
inline constexpr int Minutes = 5060, Temperature = 5061, TemperatureUnit = 130;
// The note above the buttons.
inline constexpr int Note = 131;
} // namespace FireId

class TFire : public plat::Dialog {
public:
    // The beam may be null ("no Beam defined").
    TFire(plat::Window* parent, TStructure* beam);
    ~TFire() override;

    void SetupWindow() override;
    // An exposure time or temperature that is refused keeps the dialog open.
    bool CanClose() override;
    void CloseWindow(int result) override;
    bool Changed() const { return m_changed; }

private:
    FireFields ReadFields() const;
    TStructure* m_beam;
    std::unique_ptr<plat::ComboBox> m_rebar;
    bool m_changed = false;
};
