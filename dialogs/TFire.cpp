#include "dialogs/TFire.h"

#include "dialogs/FireFields.h"
#include "dialogs/RefusedField.h"
#include "foundation/Reporter.h"
#include "platform/Ui.h"

using plat::ControlKind;
using plat::DialogItem;

namespace {

plat::DialogTemplate FireTemplate()
{
    plat::DialogTemplate t;
    t.caption = "Post-fire analysis parameters";
    t.width = 270;
    t.height = 216;
    t.Add(DialogItem::At(-1, ControlKind::GroupBox, "Type of Fire Loading", 7, 7, 256, 52))
        .Add(DialogItem::At(FireId::Iso, ControlKind::RadioButton, "ISO 834 Standard Fire", 14, 19, 200, 10,
                            plat::CtlStyle::Group))
        .Add(DialogItem::At(FireId::Petroleum, ControlKind::RadioButton,
                            "Norwegian Petroleum Directorate (NPD) Petroleum Fire", 14, 31, 240, 10))
        .Add(DialogItem::At(FireId::Constant, ControlKind::RadioButton, "Constant Temperature of", 14, 43, 94, 10))
        .Add(DialogItem::At(FireId::Temperature, ControlKind::Edit, "", 110, 42, 40, 12))
        .Add(DialogItem::At(FireId::TemperatureUnit, ControlKind::Static, "degrees C", 154, 44, 60, 8))
        .Add(DialogItem::At(-1, ControlKind::GroupBox, "Fire Exposure Conditions", 7, 64, 125, 50))
        .Add(DialogItem::At(FireId::Bottom, ControlKind::CheckBox, "Bottom Exposed", 14, 76, 110, 10))
        .Add(DialogItem::At(FireId::Sides, ControlKind::CheckBox, "Sides Exposed", 14, 88, 110, 10))
        .Add(DialogItem::At(FireId::Top, ControlKind::CheckBox, "Top Exposed", 14, 100, 110, 10))
        .Add(DialogItem::At(-1, ControlKind::GroupBox, "Time of Exposure", 138, 64, 125, 50))
        .Add(DialogItem::At(-1, ControlKind::Static, "Length of exposure", 145, 77, 110, 8))
        .Add(DialogItem::At(FireId::Minutes, ControlKind::Edit, "", 145, 89, 40, 12))
        .Add(DialogItem::At(-1, ControlKind::Static, "minutes", 189, 91, 50, 8))
        .Add(DialogItem::At(-1, ControlKind::GroupBox, "Fire Performance of Reinforcement", 7, 119, 256, 32))
        .Add(DialogItem::At(FireId::Rebar, ControlKind::ComboBox, "", 14, 132, 242, 80, plat::CtlStyle::DropDownList))
        // Room for four lines of the note, so that its last words are not cut off.
        .Add(DialogItem::At(FireId::Note, ControlKind::Static,
                            "The new beam that will result from this will represent post-fire conditions, so no "
                            "thermal straining.  User must validate that analysis is accurate and results are "
                            "appropriate.",
                            7, 156, 256, 34))
        .Add(DialogItem::At(plat::DialogResult::Ok, ControlKind::DefPushButton, "Create Fire Damaged Beam", 97, 196,
                            100, 14))
        .Add(DialogItem::At(plat::DialogResult::Cancel, ControlKind::PushButton, "Cancel", 203, 196, 60, 14));
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

bool TFire::CanClose()
{
    if (!m_beam)
        return true;
    const TypedRefusal refused = CheckFireFields(ReadFields());
    return !refused || RefuseField(*this, refused.field == 0 ? FireId::Minutes : FireId::Temperature,
                                   refused.message, "Post-fire analysis parameters");
}

void TFire::CloseWindow(int result)
{
    plat::Dialog::CloseWindow(result);
    if (GetResult() != plat::DialogResult::Ok || !m_beam)
        return;
    m_changed = ApplyFireFields(*m_beam, ReadFields()) != 0;
}

FireFields TFire::ReadFields() const
{
    FireFields typed;
    typed.bottom = IsItemChecked(FireId::Bottom) != 0;
    typed.sides = IsItemChecked(FireId::Sides) != 0;
    typed.top = IsItemChecked(FireId::Top) != 0;
    typed.curve = IsItemChecked(FireId::Iso) ? 0 : IsItemChecked(FireId::Petroleum) ? 1 : 2;
    typed.minutes = GetItemText(FireId::Minutes);
    typed.temperature = GetItemText(FireId::Temperature);
    typed.rebarType = m_rebar ? m_rebar->GetSelIndex() : 0;
    return typed;
}
