#include "dialogs/TFire.h"

#include "dialogs/FireFields.h"
#include "foundation/Reporter.h"
#include "platform/Ui.h"

using plat::ControlKind;
using plat::DialogItem;

namespace {

plat::DialogTemplate FireTemplate()
{
    plat::DialogTemplate t;
    t.caption = "Post-fire analysis parameters";
    t.Add(DialogItem::Make(-1, ControlKind::GroupBox, "Type of Fire Loading"))
        .Add(DialogItem::Make(FireId::Iso, ControlKind::RadioButton, "ISO 834 Standard Fire", "", plat::CtlStyle::Group))
        .Add(DialogItem::Make(FireId::Petroleum, ControlKind::RadioButton,
                              "Norwegian Petroleum Directorate (NPD) Petroleum Fire"))
        .Add(DialogItem::Make(FireId::Constant, ControlKind::RadioButton, "Constant Temperature of"))
        .Add(DialogItem::Beside(FireId::Temperature, ControlKind::Edit))
        .Add(DialogItem::Beside(FireId::TemperatureUnit, ControlKind::Static, "degrees C"))
        .Add(DialogItem::Make(-1, ControlKind::GroupBox, "Fire Exposure Conditions"))
        .Add(DialogItem::Make(FireId::Bottom, ControlKind::CheckBox, "Bottom Exposed"))
        .Add(DialogItem::Make(FireId::Sides, ControlKind::CheckBox, "Sides Exposed"))
        .Add(DialogItem::Make(FireId::Top, ControlKind::CheckBox, "Top Exposed"))
        .Add(DialogItem::Make(-1, ControlKind::GroupBox, "Time of Exposure"))
        .Add(DialogItem::Make(FireId::Minutes, ControlKind::Edit, "", "Length of exposure"))
        .Add(DialogItem::Beside(-1, ControlKind::Static, "minutes"))
        .Add(DialogItem::Make(-1, ControlKind::GroupBox, "Fire Performance of Reinforcement"))
        .Add(DialogItem::Make(FireId::Rebar, ControlKind::ComboBox, "", "", plat::CtlStyle::DropDownList))
        .Add(DialogItem::EndGroup())
        .Add(DialogItem::Make(-1, ControlKind::Static,
                              "The new beam that will result from this will represent post-fire conditions, so no "
                              "thermal straining.  User must validate that analysis is accurate and results are "
                              "appropriate."))
        .Add(DialogItem::Make(plat::DialogResult::Ok, ControlKind::DefPushButton, "Create Fire Damaged Beam"))
        .Add(DialogItem::Make(plat::DialogResult::Cancel, ControlKind::PushButton, "Cancel"));
    return t;
}

} // namespace

TFire::TFire(plat::Window* parent, TStructure* beam) : plat::Dialog(parent, FireTemplate()), m_beam(beam) {}

TFire::~TFire() = default;

void TFire::SetupWindow()
{
    plat::Dialog::SetupWindow();
    if (!m_beam) {
        plat::MessageBox("no Beam defined", "Post-fire analysis parameters", MsgStyle::Ok | MsgStyle::IconExclamation);
        return;
    }
    const FireFields f = ShowFireFields(*m_beam);
    CheckItem(FireId::Bottom, f.bottom);
    CheckItem(FireId::Sides, f.sides);
    CheckItem(FireId::Top, f.top);
    CheckItem(FireId::Iso, f.curve == 0);
    CheckItem(FireId::Petroleum, f.curve == 1);
    CheckItem(FireId::Constant, f.curve == 2);
    SetItemText(FireId::Minutes, f.minutes);
    SetItemText(FireId::TemperatureUnit, f.temperatureUnit);
    SetItemText(FireId::Temperature, f.temperature);
    m_rebar = std::make_unique<plat::ComboBox>(*this, FireId::Rebar);
    for (const char* entry : kRebarFireTypes)
        m_rebar->AddString(entry);
    m_rebar->SetSelIndex(f.rebarType);
}

void TFire::CloseWindow(int result)
{
    plat::Dialog::CloseWindow(result);
    if (result != plat::DialogResult::Ok || !m_beam)
        return;
    FireFields typed;
    typed.bottom = IsItemChecked(FireId::Bottom) != 0;
    typed.sides = IsItemChecked(FireId::Sides) != 0;
    typed.top = IsItemChecked(FireId::Top) != 0;
    typed.curve = IsItemChecked(FireId::Iso) ? 0 : IsItemChecked(FireId::Petroleum) ? 1 : 2;
    typed.minutes = GetItemText(FireId::Minutes);
    typed.temperature = GetItemText(FireId::Temperature);
    typed.rebarType = m_rebar ? m_rebar->GetSelIndex() : 0;
    m_changed = ApplyFireFields(*m_beam, typed) != 0;
}
