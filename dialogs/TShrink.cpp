#include "dialogs/TShrink.h"

#include "charts/Tchart.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "platform/Ui.h"

using plat::ControlKind;
using plat::DialogItem;
namespace Id = ShrinkId;

namespace {

plat::DialogTemplate ShrinkTemplate(int mode)
{
    plat::DialogTemplate t;
    t.caption = mode == 0 ? "Shrinkage and Thermal Strains (time dependent effects not included)"
                          : "Strain Discontinuity (time dependent effects not included)";
    t.width = 340;
    t.height = 232;
    t.Add(DialogItem::At(-1, ControlKind::Static, "Elevation", 7, 9, 40, 8))
        .Add(DialogItem::At(Id::Elevation, ControlKind::Edit, "", 50, 7, 44, 12))
        .Add(DialogItem::At(Id::LengthUnit, ControlKind::Static, "", 97, 9, 30, 8))
        .Add(DialogItem::At(-1, ControlKind::Static, "Strain", 7, 25, 40, 8))
        .Add(DialogItem::At(Id::Strain, ControlKind::Edit, "", 50, 23, 44, 12))
        .Add(DialogItem::At(Id::StrainUnit, ControlKind::Static, "", 97, 25, 30, 8))
        .Add(DialogItem::At(Id::Add, ControlKind::PushButton, "Add", 7, 41, 38, 14))
        .Add(DialogItem::At(Id::Modify, ControlKind::PushButton, "Modify", 48, 41, 38, 14))
        .Add(DialogItem::At(Id::Delete, ControlKind::PushButton, "Delete", 89, 41, 38, 14))
        .Add(DialogItem::At(-1, ControlKind::Static, "Elevation        Strain", 9, 61, 118, 8))
        .Add(DialogItem::At(Id::Rows, ControlKind::ListBox, "", 7, 71, 120, mode == 0 ? 96 : 150));
    if (mode == 0) {
        t.Add(DialogItem::At(-1, ControlKind::GroupBox, "Reinforcement Strains", 7, 170, 120, 54))
            .Add(DialogItem::At(Id::Reinforcement, ControlKind::ComboBox, "", 12, 182, 110, 90, plat::CtlStyle::DropDownList))
            .Add(DialogItem::At(Id::ReinforcementStrain, ControlKind::Edit, "", 12, 202, 40, 12))
            .Add(DialogItem::At(Id::ReinforcementUnit, ControlKind::Static, "", 55, 204, 26, 8))
            .Add(DialogItem::At(Id::Set, ControlKind::PushButton, "Set", 84, 201, 38, 14));
    }
    t.Add(DialogItem::At(Id::Graph, ControlKind::GroupBox, "Graph", 133, 7, 200, 196))
        .Add(DialogItem::At(plat::DialogResult::Ok, ControlKind::DefPushButton, "OK", 220, 210, 50, 14))
        .Add(DialogItem::At(plat::DialogResult::Cancel, ControlKind::PushButton, "Cancel", 278, 210, 50, 14));
    return t;
}

} // namespace

TShrink::TShrink(plat::Window* parent, TBeam* beam, int mode, int)
    : plat::Dialog(parent, ShrinkTemplate(mode)), m_beam(beam), m_mode(mode), m_list(*this, Id::Rows)
{
    if (mode == 0)
        m_combo = std::make_unique<plat::ComboBox>(*this, Id::Reinforcement);
    AddResponseTable({
        {Id::Add, [this] {
             if (m_profile) {
                 m_profile->Add(GetItemText(Id::Elevation), GetItemText(Id::Strain));
                 AfterEdit();
             }
         }, {}},
        {Id::Modify, [this] {
             if (m_profile) {
                 m_profile->Modify(GetItemText(Id::Elevation), GetItemText(Id::Strain));
                 AfterEdit();
             }
         }, {}},
        {Id::Delete, [this] {
             if (m_profile) {
                 m_profile->Delete();
                 Refresh();
             }
         }, {}},
        {Id::Set, [this] {
             if (m_profile && m_combo) {
                 m_profile->Set(m_combo->GetSelIndex(), GetItemText(Id::ReinforcementStrain));
                 if (m_profile->RefusedField() >= 0) {
                     SelectItemText(Id::ReinforcementStrain);
                     return;
                 }
                 DrawChart();
                 ShowReinforcement();
             }
         }, {}},
    });
    AddNotifyTable({
        {Id::Rows, plat::Notify::SelChange, [this] {
             if (m_profile) {
                 m_profile->SelectRow(m_list.GetSelIndex());
                 ShowRow();
             }
         }},
        {Id::Reinforcement, plat::Notify::SelChange, [this] { ShowReinforcement(); }},
    });
}

TShrink::~TShrink() = default;

void TShrink::SetupWindow()
{
    plat::Dialog::SetupWindow();
    if (!m_beam) {
        plat::MessageBox("No Beam Defined!", "Information", MsgStyle::Ok | MsgStyle::IconExclamation);
        return;
    }
    plat::LogFont font;
    font.face = "Courier New";
    font.height = 12;
    m_list.SetFont(font);
    m_profile = std::make_unique<TStrainProfile>(*m_beam, m_mode);

    const plat::Rect g = GetItemRect(Id::Graph);
    m_chart = std::make_unique<Ticonchart>(this, "", g.left + 15, g.top + 20, g.Width() - 30, g.Height() - 30, 3, 2);
    m_chart->SetBackgroundColour(plat::GetSysColor(plat::SysColor::Face3D));
    m_chart->SetTitles("", StrPrintf(m_mode == 0 ? "Shrinkage/thermal strain (%s)" : "Strain Discontinuity (%s)",
                                     UnitLabel(ukStrain)),
                       StrPrintf("Distance from bottom (%s)", UnitLabel(ukSectionLength)), 3, 2);
    m_chart->EnableToggleText(0);
    m_chart->CreateInParent();
    if (m_chart->IsCreated())
        m_chart->Show(true);

    SetItemText(Id::LengthUnit, UnitLabel(ukSectionLength));
    SetItemText(Id::StrainUnit, UnitLabel(ukStrain));
    SetItemText(Id::Elevation, "");
    SetItemText(Id::Strain, "");
    if (m_combo) {
        SetItemText(Id::ReinforcementUnit, UnitLabel(ukStrain));
        for (const std::string& item : m_profile->ReinforcementItems())
            m_combo->AddString(item);
        m_combo->SetSelIndex(0);
        ShowReinforcement();
    }
    Refresh();
}

void TShrink::Refresh()
{
    m_list.ClearList();
    for (const std::string& row : m_profile->Rows())
        m_list.AddString(row);
    m_list.SetSelIndex(m_profile->GetSelectedRow());
    DrawChart();
    ShowRow();
}

void TShrink::AfterEdit()
{
    // A refused value keeps the typed fields, with the refused one selected for retyping.
    if (m_profile->RefusedField() >= 0)
        SelectItemText(m_profile->RefusedField() == TStrainProfile::kElevationField ? Id::Elevation : Id::Strain);
    else
        Refresh();
}

void TShrink::ShowRow()
{
    std::string elevation, strain;
    const int row = m_profile->GetSelectedRow();
    m_profile->RowFields(row, elevation, strain);
    SetItemText(Id::Elevation, elevation);
    SetItemText(Id::Strain, strain);
    if (m_chart) {
        m_chart->SelectPoint(m_profile->ReadoutIndex(row));
        m_chart->Invalidate();
    }
}

void TShrink::DrawChart()
{
    if (!m_chart)
        return;
    m_chart->ClearData();
    m_profile->FillChart(*m_chart, [this] { m_chart->SetLineStart(-1); });
    m_chart->AutoScale();
    m_chart->Invalidate();
}

void TShrink::ShowReinforcement()
{
    if (m_profile && m_combo)
        SetItemText(Id::ReinforcementStrain, m_profile->ReinforcementStrain(m_combo->GetSelIndex()));
}

void TShrink::CloseWindow(int result)
{
    plat::Dialog::CloseWindow(result);
    if (result != plat::DialogResult::Ok || !m_profile)
        return;
    m_profile->Write();
}
