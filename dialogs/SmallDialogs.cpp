#include "dialogs/SmallDialogs.h"

#include "dialogs/RefusedField.h"

#include "foundation/Reporter.h"
#include "model/TBeam.h"
#include "model/TStructure.h"
#include "platform/Controls.h"
#include "platform/Ui.h"

using plat::ControlKind;
using plat::DialogItem;
using plat::DialogTemplate;

namespace {

namespace Ld {
inline constexpr int N = 101, M = 5052, V = 5053, dN = 5054, dM = 5055, dV = 5056;
inline constexpr int UnitN = 5059, UnitM = 5058, UnitV = 5057;
inline constexpr std::array<int, 6> Edits{N, M, V, dN, dM, dV};
} // namespace Ld

namespace Gn {
inline constexpr int Name = 5032, Date = 5050, Author = 5870;
inline constexpr int LongAuto = 101, LongEdit = 5042, LongUnit = 5450;
inline constexpr int TransAuto = 103, TransEdit = 5043, TransUnit = 5451;
inline constexpr int AxisAuto = 5871, AxisEdit = 5044, AxisLabel = 5452;
} // namespace Gn

namespace Tm {
inline constexpr int Consider = 5873, Years = 101, Moment = 103, MomentUnit = 230, Axial = 108, AxialUnit = 231;
} // namespace Tm

namespace Pf {
inline constexpr int SI = 5028, US = 5029, KgCm = 5030, Override = 5067;
inline constexpr int Concrete = 5041, Steel = 5044, Prestress = 5045, Csa = 5046, None = 5023;
inline constexpr std::array<int, 3> Factors{Concrete, Steel, Prestress};
} // namespace Pf

DialogItem Ok() { return DialogItem::Make(plat::DialogResult::Ok, ControlKind::DefPushButton, "OK"); }
DialogItem Cancel() { return DialogItem::Make(plat::DialogResult::Cancel, ControlKind::PushButton, "Cancel"); }

// The rows are named after what they set: a beam's N, M and V, a membrane element's N_xx, N_yy
// and N_xy.
DialogTemplate LoadsTemplate(const std::array<std::string, 3>& rows)
{
    DialogTemplate t;
    t.caption = "Define Loading";
    // The column heads stand over the edits, behind an empty label.
    t.Add(DialogItem::Make(-1, ControlKind::Static, "Constant", " "))
        .Add(DialogItem::Beside(-1, ControlKind::Static, "Increment "))
        .Add(DialogItem::Make(Ld::N, ControlKind::Edit, "", rows[0]))
        .Add(DialogItem::Beside(Ld::dN, ControlKind::Edit))
        .Add(DialogItem::Beside(Ld::UnitN, ControlKind::Static, "kN"))
        .Add(DialogItem::Make(Ld::M, ControlKind::Edit, "", rows[1]))
        .Add(DialogItem::Beside(Ld::dM, ControlKind::Edit))
        .Add(DialogItem::Beside(Ld::UnitM, ControlKind::Static, "kNm"))
        .Add(DialogItem::Make(Ld::V, ControlKind::Edit, "", rows[2]))
        .Add(DialogItem::Beside(Ld::dV, ControlKind::Edit))
        .Add(DialogItem::Beside(Ld::UnitV, ControlKind::Static, "kN"))
        .Add(DialogItem::Make(-1,
                              ControlKind::Static,
                              "For a \"One Load\" analysis, only use the left side"))
        .Add(Ok())
        .Add(Cancel());
    return t;
}

DialogTemplate GeneralTemplate()
{
    DialogTemplate t;
    t.caption = "General  Definitions";
    t.Add(DialogItem::Make(-1, ControlKind::GroupBox, "Title and General Comments"))
        .Add(DialogItem::Make(Gn::Name, ControlKind::Edit))
        .Add(DialogItem::Make(Gn::Date, ControlKind::Edit, "", "Date:"))
        .Add(DialogItem::Make(Gn::Author, ControlKind::Edit, "", "Analysis By:"))
        .Add(DialogItem::Make(-1, ControlKind::GroupBox, "Crack Spacing"))
        .Add(DialogItem::Make(Gn::LongAuto, ControlKind::CheckBox, "Automatic Longitudinal Spacing or:"))
        .Add(DialogItem::Beside(Gn::LongEdit, ControlKind::Edit))
        .Add(DialogItem::Beside(Gn::LongUnit, ControlKind::Static, "mm"))
        .Add(DialogItem::Make(Gn::TransAuto, ControlKind::CheckBox, "Automatic Transverse Spacing or:"))
        .Add(DialogItem::Beside(Gn::TransEdit, ControlKind::Edit))
        .Add(DialogItem::Beside(Gn::TransUnit, ControlKind::Static, "mm"))
        .Add(DialogItem::Make(-1, ControlKind::GroupBox, "Moment Axis"))
        .Add(DialogItem::Make(Gn::AxisAuto, ControlKind::CheckBox, "Centroidal Moment axis or:"))
        .Add(DialogItem::Beside(Gn::AxisEdit, ControlKind::Edit))
        .Add(DialogItem::Beside(Gn::AxisLabel, ControlKind::Static, "mm from bottom"))
        .Add(DialogItem::EndGroup())
        .Add(Ok())
        .Add(Cancel());
    return t;
}

DialogTemplate TimeTemplate()
{
    DialogTemplate t;
    t.caption = "Time Dependent Effects";
    t.Add(DialogItem::Make(-1, ControlKind::Static,
                           "This allows automatic consideration of creep, shrinkage and relaxation based on AASHTO"))
        .Add(DialogItem::Make(Tm::Consider, ControlKind::CheckBox, "Consider Time Dependent Effects"))
        .Add(DialogItem::Make(Tm::Years, ControlKind::Edit, "", "Age for analysis"))
        .Add(DialogItem::Beside(-1, ControlKind::Static, "years"))
        .Add(DialogItem::Make(Tm::Moment, ControlKind::Edit, "", "Sustained Moment "))
        .Add(DialogItem::Beside(Tm::MomentUnit, ControlKind::Static, "kNm"))
        .Add(DialogItem::Make(Tm::Axial, ControlKind::Edit, "", "Sustained Axial Load"))
        .Add(DialogItem::Beside(Tm::AxialUnit, ControlKind::Static, "kN"))
        .Add(Ok())
        .Add(Cancel());
    return t;
}

DialogTemplate PrefTemplate()
{
    DialogTemplate t;
    t.Add(DialogItem::Make(5027, ControlKind::GroupBox, "Units"))
        .Add(DialogItem::Make(Pf::SI, ControlKind::RadioButton, "SI Metric", "", plat::CtlStyle::Group))
        .Add(DialogItem::Make(Pf::US, ControlKind::RadioButton, "US Customary"))
        .Add(DialogItem::Make(Pf::KgCm, ControlKind::RadioButton, "kg/cm Metric"))
        .Add(DialogItem::EndGroup())
        .Add(DialogItem::Make(Pf::Override, ControlKind::CheckBox, "File Override"))
        .Add(DialogItem::Make(5040, ControlKind::GroupBox, "Material Factors"))
        .Add(DialogItem::Make(Pf::Concrete, ControlKind::Edit, "", "Concrete"))
        .Add(DialogItem::Make(Pf::Steel, ControlKind::Edit, "", "Steel"))
        .Add(DialogItem::Make(Pf::Prestress, ControlKind::Edit, "", "Prestress"))
        .Add(DialogItem::Make(Pf::Csa, ControlKind::PushButton, "CSA"))
        .Add(DialogItem::Beside(Pf::None, ControlKind::PushButton, "None"))
        .Add(DialogItem::EndGroup());
    return t;
}

} // namespace

// ---- Loads ----------------------------------------------------------------------------------

Tloads::Tloads(plat::Window* parent, TStructure* structure, int)
    : plat::Dialog(parent, LoadsTemplate(LoadRowNames(structure))), m_structure(structure)
{
}

void Tloads::SetupWindow()
{
    plat::Dialog::SetupWindow();
    if (!m_structure) {
        plat::MessageBox("No Beam Defined!", "Define Loading", MsgStyle::Ok | MsgStyle::IconExclamation);
        return;
    }
    const LoadFields f = ShowLoads(*m_structure);
    for (std::size_t i = 0; i < 6; ++i)
        SetItemText(Ld::Edits[i], f.values[i]);
    SetItemText(Ld::UnitN, f.units[0]);
    SetItemText(Ld::UnitM, f.units[1]);
    SetItemText(Ld::UnitV, f.units[2]);
}

namespace {
std::array<std::string, 6> TypedLoads(const plat::Dialog& d)
{
    std::array<std::string, 6> typed;
    for (std::size_t i = 0; i < 6; ++i)
        typed[i] = d.GetItemText(Ld::Edits[i]);
    return typed;
}
} // namespace

bool Tloads::CanClose()
{
    if (!m_structure)
        return true;
    const TypedRefusal refused = CheckLoads(*m_structure, TypedLoads(*this));
    return !refused || RefuseField(*this, Ld::Edits[static_cast<std::size_t>(refused.field)], refused.message,
                                   "Define Loading");
}

void Tloads::CloseWindow(int result)
{
    plat::Dialog::CloseWindow(result);
    if (GetResult() != plat::DialogResult::Ok || !m_structure)
        return;
    m_changed = ApplyLoads(*m_structure, TypedLoads(*this));
}

// ---- General definitions --------------------------------------------------------------------

TGeneral::TGeneral(plat::Window* parent, TStructure* structure, int firstField)
    : plat::Dialog(parent, GeneralTemplate()), m_structure(structure), m_firstField(firstField)
{
    static constexpr int kFields[6] = {Gn::Name, Gn::Author, Gn::Date, Gn::LongEdit, Gn::TransEdit, Gn::AxisEdit};
    for (std::size_t i = 0; i < 6; ++i)
        m_fields[i] = std::make_unique<plat::Edit>(*this, kFields[i]);
    AddResponseTable({
        {Gn::LongAuto, [this] { CheckClicked(Gn::LongAuto, Gn::LongEdit, "Automatic"); }, {}},
        {Gn::TransAuto, [this] { CheckClicked(Gn::TransAuto, Gn::TransEdit, "Automatic"); }, {}},
        {Gn::AxisAuto, [this] { CheckClicked(Gn::AxisAuto, Gn::AxisEdit, "Centroid"); }, {}},
    });
    AddNotifyTable({
        {Gn::LongEdit, plat::Notify::Change, [this] { SpacingTyped(Gn::LongEdit, Gn::LongAuto); }},
        {Gn::TransEdit, plat::Notify::Change, [this] { SpacingTyped(Gn::TransEdit, Gn::TransAuto); }},
        {Gn::AxisEdit, plat::Notify::Change,
         [this] {
             if (m_ready)
                 CheckItem(Gn::AxisAuto, GetItemText(Gn::AxisEdit) == "Centroid");
         }},
    });
}

void TGeneral::SetupWindow()
{
    plat::Dialog::SetupWindow();
    if (!m_structure)
        return;
    const GeneralFields f = ShowGeneral(*m_structure);
    SetItemText(Gn::Name, f.name);
    SetItemText(Gn::Date, f.date);
    SetItemText(Gn::Author, f.author);
    SetItemText(Gn::LongUnit, f.lengthUnit);
    SetItemText(Gn::TransUnit, f.lengthUnit);
    SetItemText(Gn::AxisLabel, f.axisLabel);
    CheckItem(Gn::LongAuto, f.longitudinalAuto);
    SetItemText(Gn::LongEdit, f.longitudinal);
    CheckItem(Gn::TransAuto, f.transverseAuto);
    SetItemText(Gn::TransEdit, f.transverse);
    CheckItem(Gn::AxisAuto, f.centroidal);
    SetItemText(Gn::AxisEdit, f.axis);
    EnableItem(Gn::AxisAuto, f.hasAxis);
    EnableItem(Gn::AxisEdit, f.hasAxis);
    m_ready = true;
    plat::Edit& focus = *m_fields[static_cast<std::size_t>(m_firstField >= 0 && m_firstField < 6 ? m_firstField : 0)];
    focus.SetFocus();
    focus.SetSelection(0, -1);
}

void TGeneral::SpacingTyped(int editId, int checkId)
{
    if (m_ready)
        CheckItem(checkId, IsAutomaticText(GetItemText(editId)));
}

void TGeneral::CheckClicked(int checkId, int editId, const char* onText)
{
    SetItemText(editId, IsItemChecked(checkId) ? onText : "0.0");
}

bool TGeneral::CanClose()
{
    if (!m_structure)
        return true;
    static constexpr int kEdits[6] = {Gn::Name, Gn::Author, Gn::Date, Gn::LongEdit, Gn::TransEdit, Gn::AxisEdit};
    const TypedRefusal refused = CheckGeneral(ReadFields(), *m_structure);
    return !refused || RefuseField(*this, kEdits[refused.field], refused.message, "General  Definitions");
}

void TGeneral::CloseWindow(int result)
{
    plat::Dialog::CloseWindow(result);
    if (GetResult() != plat::DialogResult::Ok || !m_structure)
        return;
    m_changed = ApplyGeneral(*m_structure, ReadFields());
}

GeneralFields TGeneral::ReadFields() const
{
    GeneralFields typed;
    typed.name = GetItemText(Gn::Name);
    typed.date = GetItemText(Gn::Date);
    typed.author = GetItemText(Gn::Author);
    typed.longitudinalAuto = IsItemChecked(Gn::LongAuto) != 0;
    typed.longitudinal = GetItemText(Gn::LongEdit);
    typed.transverseAuto = IsItemChecked(Gn::TransAuto) != 0;
    typed.transverse = GetItemText(Gn::TransEdit);
    typed.centroidal = IsItemChecked(Gn::AxisAuto) != 0;
    typed.axis = GetItemText(Gn::AxisEdit);
    typed.hasAxis = IsItemEnabled(Gn::AxisEdit);
    if (!typed.hasAxis)
        typed.centroidal = true;
    return typed;
}

// ---- Long-term settings ---------------------------------------------------------------------

TTime2::TTime2(plat::Window* parent, TBeam* beam, int) : plat::Dialog(parent, TimeTemplate()), m_beam(beam) {}

void TTime2::SetupWindow()
{
    plat::Dialog::SetupWindow();
    const TimeFields f = ShowTime(m_beam);
    SetItemText(Tm::MomentUnit, f.momentUnit);
    SetItemText(Tm::AxialUnit, f.forceUnit);
    if (!m_beam) {
        plat::MessageBox("no Beam defined", "Time Dependent Effects", MsgStyle::Ok | MsgStyle::IconExclamation);
        return;
    }
    CheckItem(Tm::Consider, f.consider);
    SetItemText(Tm::Years, f.years);
    SetItemText(Tm::Moment, f.moment);
    SetItemText(Tm::Axial, f.axial);
}

TimeFields TTime2::ReadFields() const
{
    TimeFields typed;
    typed.consider = IsItemChecked(Tm::Consider) != 0;
    typed.years = GetItemText(Tm::Years);
    typed.moment = GetItemText(Tm::Moment);
    typed.axial = GetItemText(Tm::Axial);
    return typed;
}

bool TTime2::CanClose()
{
    if (!m_beam)
        return true;
    static constexpr int kEdits[3] = {Tm::Years, Tm::Moment, Tm::Axial};
    const TypedRefusal refused = CheckTime(ReadFields());
    return !refused || RefuseField(*this, kEdits[refused.field], refused.message, "Time Dependent Effects");
}

void TTime2::CloseWindow(int result)
{
    plat::Dialog::CloseWindow(result);
    if (GetResult() != plat::DialogResult::Ok || !m_beam)
        return;
    m_changed = ApplyTime(*m_beam, ReadFields());
}

// ---- Preferences ----------------------------------------------------------------------------

TPref::TPref(std::function<void(bool factorTaken)> onLeave)
    : plat::PropertyPage("General", PrefTemplate()), m_onLeave(std::move(onLeave))
{
    AddResponseTable({
        {Pf::SI, [this] { m_unitPressed = true; }, {}},
        {Pf::US, [this] { m_unitPressed = true; }, {}},
        {Pf::KgCm, [this] { m_unitPressed = true; }, {}},
        {Pf::Csa, [this] { FillFactors(CsaFactorTexts()); }, {}},
        {Pf::None, [this] { FillFactors(NoFactorTexts()); }, {}},
    });
}

void TPref::SetupWindow()
{
    plat::PropertyPage::SetupWindow();
    const PreferenceFields f = ShowPreferences();
    CheckItem(Pf::SI, f.unitRadio == 0);
    CheckItem(Pf::US, f.unitRadio == 1);
    CheckItem(Pf::KgCm, f.unitRadio == 2);
    CheckItem(Pf::Override, f.fileOverride);
    FillFactors(f.factors);
}

void TPref::FillFactors(const std::array<std::string, 3>& texts)
{
    for (std::size_t i = 0; i < 3; ++i)
        SetItemText(Pf::Factors[i], texts[i]);
}

bool TPref::KillActive()
{
    const PreferenceFields typed = ReadFields();
    if (const TypedRefusal refused = CheckPreferences(typed))
        return RefuseField(*this, Pf::Factors[static_cast<std::size_t>(refused.field)], refused.message, "General");
    const bool taken = ApplyPreferences(typed);
    m_factorTaken = taken || m_factorTaken;
    m_applied = true;
    if (m_onLeave)
        m_onLeave(taken);
    return true;
}

PreferenceFields TPref::ReadFields() const
{
    PreferenceFields typed;
    typed.unitRadio = IsItemChecked(Pf::SI) ? 0 : IsItemChecked(Pf::US) ? 1 : 2;
    typed.unitPressed = m_unitPressed;
    typed.fileOverride = IsItemChecked(Pf::Override) != 0;
    for (std::size_t i = 0; i < 3; ++i)
        typed.factors[i] = GetItemText(Pf::Factors[i]);
    return typed;
}

bool RunPreferences(plat::Window* parent, bool& applied, std::function<void(bool factorTaken)> onLeave)
{
    TPref page(std::move(onLeave));
    plat::PropertySheet sheet(parent, std::string(kProgramCaption) + " Preferences");
    sheet.AddPage(page);
    (void)sheet.Execute();
    applied = page.Applied();
    return page.FactorTaken();
}
