#pragma once
// The small definition dialogs: "Define Loading" (Tloads), "General  Definitions"
// (TGeneral), "Time Dependent Effects" (TTime2) and the "General" preferences page (TPref).
// Each shows the fields of dialogs/DefinitionFields.h and applies them on OK.

#include <array>
#include <functional>
#include <memory>

#include "platform/Controls.h"
#include "platform/Dialog.h"
#include "platform/PropertySheet.h"

#include "dialogs/DefinitionFields.h"

class TBeam;
class TStructure;

namespace DialogId {
inline constexpr int Loads = 5;
inline constexpr int General = 120;
inline constexpr int TimeEffects = 314;
inline constexpr int Preferences = 320;
} // namespace DialogId

class Tloads : public plat::Dialog {
public:
    // The structure may be null ("No Beam Defined!").
    Tloads(plat::Window* parent, TStructure* structure, int resourceId = DialogId::Loads);
    void SetupWindow() override;
    // A refused load keeps the dialog open with its field selected.
    bool CanClose() override;
    void CloseWindow(int result) override;
    // 1 when OK changed a load.
    int Changed() const { return m_changed; }

private:
    TStructure* m_structure;
    int m_changed = 0;
};

class TGeneral : public plat::Dialog {
public:
    // firstField: 0 name, 1 author, 2 date, 3 longitudinal spacing, 4 transverse spacing,
    // 5 moment axis.
    TGeneral(plat::Window* parent, TStructure* structure, int firstField = 0);
    void SetupWindow() override;
    bool CanClose() override;
    void CloseWindow(int result) override;
    int Changed() const { return m_changed; }

private:
    GeneralFields ReadFields() const;
    void SpacingTyped(int editId, int checkId);
    void CheckClicked(int checkId, int editId, const char* onText);
    TStructure* m_structure;
    // The fields in the order of the focus index.
    std::array<std::unique_ptr<plat::Edit>, 6> m_fields;
    int m_firstField;
    bool m_ready = false;
    int m_changed = 0;
};

class TTime2 : public plat::Dialog {
public:
    TTime2(plat::Window* parent, TBeam* beam, int resourceId = DialogId::TimeEffects);
    void SetupWindow() override;
    bool CanClose() override;
    void CloseWindow(int result) override;
    int Changed() const { return m_changed; }

private:
    TimeFields ReadFields() const;
    TBeam* m_beam;
    int m_changed = 0;
};

// The "General" page of the preferences sheet. Leaving it (Apply, or OK) stores the settings
// and tells onLeave whether that leave took a material factor.
class TPref : public plat::PropertyPage {
public:
    explicit TPref(std::function<void(bool factorTaken)> onLeave = {});
    void SetupWindow() override;
    bool KillActive() override;
    // Whether leaving the page took a material factor.
    bool FactorTaken() const { return m_factorTaken; }
    bool Applied() const { return m_applied; }

private:
    PreferenceFields ReadFields() const;
    void FillFactors(const std::array<std::string, 3>& texts);
    std::function<void(bool)> m_onLeave;
    bool m_unitPressed = false;
    bool m_factorTaken = false;
    bool m_applied = false;
};

// The sheet "<program> Preferences" with its one page. True when a leave of the page took a
// factor; applied tells whether the page was left at all (Apply or OK), however the sheet
// ended: what Apply stored stays after Cancel. onLeave runs at each leave (see TPref).
bool RunPreferences(plat::Window* parent, bool& applied, std::function<void(bool factorTaken)> onLeave = {});
