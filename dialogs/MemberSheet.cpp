#include "dialogs/MemberSheet.h"

#include <algorithm>

#include "charts/ListRows.h"
#include "charts/OwnerDrawn.h"
#include "charts/Tdataview.h"
#include "dialogs/MemberDiagrams.h"
#include "dialogs/RefusedField.h"
#include "foundation/Reporter.h"
#include "foundation/Units.h"
#include "member/fire/TStructureSlots.h"
#include "model/TStructure.h"
#include "platform/DC.h"

using plat::ControlKind;
using plat::DialogItem;
namespace Id = MemberPageId;

namespace {

constexpr int kPageWidth = 340, kPageHeight = 232;
constexpr unsigned kDropDown = plat::CtlStyle::DropDownList;

plat::DialogTemplate Page(const char* caption)
{
    return plat::DialogTemplate::Placed(caption, kPageWidth, kPageHeight);
}

// A label, an edit and its unit on one row.
void Row(plat::DialogTemplate& t, const char* label, int edit, int unit, int x, int y, int labelW = 118)
{
    t.Add(DialogItem::At(-1, ControlKind::Static, label, x, y + 2, labelW, 8))
        .Add(DialogItem::At(edit, ControlKind::Edit, "", x + labelW + 2, y, 48, 12))
        .Add(DialogItem::At(unit, ControlKind::Static, "", x + labelW + 54, y + 2, 34, 8));
}

plat::DialogTemplate QuickTemplate()
{
    plat::DialogTemplate t = Page("      Quick Define     ");
    Row(t, "Length subjected to shear", Id::ShearLength, 130, 7, 7);
    Row(t, "Constant moment zone on right", Id::ConstantZone, 131, 7, 22);
    Row(t, "Moment at left as %age of right", Id::MomentRatio, -1, 7, 37);
    t.items.back().text = "Percent";
    Row(t, "Constant axial load", Id::AxialLoad, 132, 7, 52);
    t.Add(DialogItem::At(-1, ControlKind::GroupBox, "Loading type", 7, 68, 210, 51))
        .Add(DialogItem::At(Id::PointLoads, ControlKind::RadioButton, "Constant shear analysis (Point loads)", 13, 81,
                            200, 10, plat::CtlStyle::Group))
        .Add(DialogItem::At(Id::DistributedBeam, ControlKind::RadioButton,
                            "Uniformly distributed loading beam type (Max V at min M)", 13, 93, 200, 10))
        .Add(DialogItem::At(Id::DistributedFooting, ControlKind::RadioButton,
                            "Uniformly distributed loading footing type (Max V at max M)", 13, 105, 200, 10))
        .Add(DialogItem::At(-1, ControlKind::GroupBox, "Left side properties", 7, 121, 210, 51))
        .Add(DialogItem::At(Id::LeftBottom, ControlKind::RadioButton, "Support on bottom", 13, 134, 200, 10,
                            plat::CtlStyle::Group))
        .Add(DialogItem::At(Id::LeftHanging, ControlKind::RadioButton, "Beam hanging from support at top of beam", 13,
                            146, 200, 10))
        .Add(DialogItem::At(Id::LeftFixed, ControlKind::RadioButton, "Fixed Support (Column top)", 13, 158, 200, 10))
        .Add(DialogItem::At(-1, ControlKind::GroupBox, "Right side properties", 7, 174, 210, 51))
        .Add(DialogItem::At(Id::RightTop, ControlKind::RadioButton, "Load on continuous beam, load on top", 13, 187,
                            200, 10, plat::CtlStyle::Group))
        .Add(DialogItem::At(Id::RightBottom, ControlKind::RadioButton, "Load on continuous beam, load on bottom", 13,
                            199, 200, 10))
        .Add(DialogItem::At(Id::RightFixed, ControlKind::RadioButton, "Fixed support (Column base)", 13, 211, 200, 10))
        .Add(DialogItem::At(Id::QuickDiagram, ControlKind::GroupBox, "Moment Diagram", 222, 7, 112, 111))
        .Add(DialogItem::At(-1, ControlKind::Static, "Yield Penetration", 222, 176, 110, 8))
        .Add(DialogItem::At(Id::YieldPenetration, ControlKind::Edit, "", 222, 187, 40, 12))
        .Add(DialogItem::At(-1, ControlKind::Static, "x sigma x db", 266, 189, 60, 8));
    return t;
}

plat::DialogTemplate GeometryTemplate()
{
    plat::DialogTemplate t = Page("  Detailed Geometry  ");
    Row(t, "Overall length of concrete section", Id::Length, 130, 7, 7);
    Row(t, "Top loading plate/column size", Id::TopPlate, 131, 7, 22);
    t.Add(DialogItem::At(Id::TopDirect, ControlKind::CheckBox, "Direct loads (loaded from top of member)", 7, 37, 200,
                         10))
        .Add(DialogItem::At(-1, ControlKind::Static, "Anchorage of left end", 7, 54, 100, 8))
        .Add(DialogItem::At(Id::LeftAnchorage, ControlKind::ComboBox, "", 110, 52, 110, 80, kDropDown))
        .Add(DialogItem::At(-1, ControlKind::Static, "Anchorage of right end", 7, 70, 100, 8))
        .Add(DialogItem::At(Id::RightAnchorage, ControlKind::ComboBox, "", 110, 68, 110, 80, kDropDown));
    Row(t, "Location for Disp Calc", Id::Displacement, 239, 7, 86);
    t.Add(DialogItem::At(-1, ControlKind::Static, "Yield penetration factor", 7, 103, 118, 8))
        .Add(DialogItem::At(Id::YieldPenetration, ControlKind::Edit, "", 127, 101, 48, 12))
        .Add(DialogItem::At(-1, ControlKind::Static, "x Sig x db", 181, 103, 40, 8));
    const auto support = [&t](const char* title, int y, int plate, int plateUnit, int location, int locationUnit,
                              int type, const char* typeLabel, int direct) {
        t.Add(DialogItem::At(-1, ControlKind::GroupBox, title, 7, y, 326, 58));
        const bool left = plate == Id::LeftPlate;
        Row(t, left ? "Left bottom plate/column size" : "Right bottom plate/column size", plate, plateUnit, 13, y + 11);
        Row(t, "Distance to midpoint of support", location, locationUnit, 13, y + 26);
        t.Add(DialogItem::At(-1, ControlKind::Static, typeLabel, 228, y + 11, 100, 8))
            .Add(DialogItem::At(type, ControlKind::ComboBox, "", 228, y + 21, 100, 80, kDropDown))
            .Add(DialogItem::At(direct, ControlKind::CheckBox, "Direct support (supported from below)", 13, y + 42, 200,
                                10));
    };
    support("Left support", 118, Id::LeftPlate, 238, Id::LeftLocation, 237, Id::LeftSupport, "Type of support on left",
            Id::LeftDirect);
    support("Right support", 172, Id::RightPlate, 236, Id::RightLocation, 231, Id::RightSupport,
            "Type of support on right", Id::RightDirect);
    return t;
}

plat::DialogTemplate MaterialsTemplate()
{
    plat::DialogTemplate t = Page("  Detailed Materials  ");
    t.Add(DialogItem::At(-1, ControlKind::Static, "Define locations where cross section changes", 7, 7, 200, 8))
        .Add(DialogItem::At(-1, ControlKind::Static, "Distance from left", 7, 22, 70, 8))
        .Add(DialogItem::At(Id::Boundary, ControlKind::Edit, "", 79, 20, 48, 12))
        .Add(DialogItem::At(213, ControlKind::Static, "", 131, 22, 30, 8))
        .Add(DialogItem::At(Id::AddBoundary, ControlKind::PushButton, "Add Boundary", 7, 38, 62, 14))
        .Add(DialogItem::At(Id::ModifyBoundary, ControlKind::PushButton, "Modify Boundary", 73, 38, 62, 14))
        .Add(DialogItem::At(Id::DeleteBoundary, ControlKind::PushButton, "Delete Boundary", 139, 38, 62, 14))
        .Add(DialogItem::At(Id::ZoneList, ControlKind::ListBox, "", 7, 58, 120, 60))
        .Add(DialogItem::At(Id::MaterialBox, ControlKind::GroupBox, "Beam Material Types", 7, 124, 326, 86))
        .Add(DialogItem::At(-1, ControlKind::Static, "Not to Scale", 7, 214, 80, 8))
        .Add(DialogItem::At(-1, ControlKind::Static, "Click on picture to change material types", 150, 214, 183, 8));
    return t;
}

plat::DialogTemplate LoadingTemplate(const char* title)
{
    plat::DialogTemplate t = Page(title);
    t.Add(DialogItem::At(-1, ControlKind::Static, "Location ", 7, 9, 58, 8))
        .Add(DialogItem::At(Id::Location, ControlKind::Edit, "", 67, 7, 48, 12))
        .Add(DialogItem::At(130, ControlKind::Static, "", 119, 9, 28, 8))
        .Add(DialogItem::At(-1, ControlKind::Static, "Bending Moment", 7, 24, 58, 8))
        .Add(DialogItem::At(Id::Moment, ControlKind::Edit, "", 67, 22, 48, 12))
        .Add(DialogItem::At(230, ControlKind::Static, "", 119, 24, 28, 8))
        .Add(DialogItem::At(Id::Parabolic, ControlKind::CheckBox, "Is parabolic", 7, 38, 80, 10))
        .Add(DialogItem::At(Id::AddPoint, ControlKind::PushButton, "Add", 7, 52, 42, 14))
        .Add(DialogItem::At(Id::ModifyPoint, ControlKind::PushButton, "Modify", 52, 52, 42, 14))
        .Add(DialogItem::At(Id::DeletePoint, ControlKind::PushButton, "Delete", 97, 52, 42, 14))
        // The longer caption takes the room to the list's right edge, so that it shows whole.
        .Add(DialogItem::At(Id::DeleteAll, ControlKind::PushButton, "Delete Full Listing", 7, 70, 62, 14))
        .Add(DialogItem::At(Id::SelfWeight, ControlKind::PushButton, "Generate Self Weight", 72, 70, 75, 14))
        .Add(DialogItem::At(-1, ControlKind::Static, "Location              Moment         Parabolic Flag", 7, 88,
                            140, 8))
        .Add(DialogItem::At(Id::PointList, ControlKind::ListBox, "", 7, 98, 140, 96))
        .Add(DialogItem::At(-1, ControlKind::Static, "Axial Load", 7, 202, 40, 8))
        .Add(DialogItem::At(Id::Axial, ControlKind::Edit, "", 49, 200, 48, 12))
        .Add(DialogItem::At(131, ControlKind::Static, "", 49, 215, 100, 8))
        .Add(DialogItem::At(Id::MomentBox, ControlKind::GroupBox, "Bending Moment Diagram", 152, 7, 182, 105))
        .Add(DialogItem::At(Id::ShearBox, ControlKind::GroupBox, "Shear Force Diagram", 152, 116, 182, 105));
    return t;
}

plat::LogFont ListFont()
{
    plat::LogFont f;
    f.face = "Courier New";
    f.height = -12;
    return f;
}

void SetRadio(plat::Dialog& page, std::initializer_list<int> ids, int chosen)
{
    int i = 0;
    for (int id : ids)
        page.CheckItem(id, i++ == chosen ? 1 : 0);
}

int Radio(const plat::Dialog& page, int first, int second)
{
    return page.IsItemChecked(first) ? 0 : page.IsItemChecked(second) ? 1 : 2;
}

} // namespace

// ---- Pictures -------------------------------------------------------------------------------

void TMemberPicture::Place(plat::Dialog& page, int groupId, Painter painter)
{
    m_painter = std::move(painter);
    const plat::Rect g = page.GetItemRect(groupId);
    // The inside of the group box below its caption; the drawing keeps the box's coordinates.
    const int top = g.top + static_cast<int>(0.1 * g.Height());
    const plat::Rect inside{g.left + 2, top, g.right - 2, g.bottom - 3};
    m_box = DiagramBox{g.left - inside.left, g.top - inside.top, g.Width(), g.Height()};
    if (!IsCreated())
        Create(&page);
    MoveWindow(inside);
    Invalidate();
}

void TMemberPicture::Paint(plat::DC& dc, bool, const plat::Rect&)
{
    const plat::Rect r = GetClientRect();
    dc.FillRect(r, plat::GetSysColor(plat::SysColor::Face3D));
    if (m_painter)
        m_painter(dc, m_box);
}

void TMemberPicture::EvLButtonDown(unsigned, plat::Point p)
{
    if (m_click)
        m_click({p.x - m_box.x, p.y - m_box.y});
}

// ---- Quick page -----------------------------------------------------------------------------

TPushitQuick::TPushitQuick(TMemberDefinition& d, const TStructureSlots& slots)
    : plat::PropertyPage("      Quick Define     ", QuickTemplate()), m_d(d), m_slots(slots)
{
    AddResponseTable({{Id::LeftBottom, [this] { EvQuickChange(); }, {}},
                      {Id::PointLoads, [this] { EvQuickChange(); }, {}},
                      {Id::DistributedBeam, [this] { EvQuickChange(); }, {}},
                      {Id::DistributedFooting, [this] { EvQuickChange(); }, {}},
                      {Id::LeftHanging, [this] { EvQuickChange(); }, {}},
                      {Id::LeftFixed, [this] { EvQuickChange(); }, {}},
                      {Id::RightTop, [this] { EvRightCaseClick(); }, {}},
                      {Id::RightBottom, [this] { EvRightCaseClick(); }, {}},
                      {Id::RightFixed, [this] { EvRightCaseClick(); }, {}}});
    for (int id : {Id::ShearLength, Id::ConstantZone, Id::MomentRatio, Id::YieldPenetration, Id::AxialLoad})
        AddNotifyTable({{id, plat::Notify::Change, [this] { EvQuickChange(); }}});
}

void TPushitQuick::SetupWindow()
{
    plat::PropertyPage::SetupWindow();
    bool detailed = false;
    const QuickFields f = ShowQuickFields(m_slots, m_d, detailed);
    SetItemText(130, f.lengthUnit);
    SetItemText(131, f.lengthUnit);
    SetItemText(132, f.forceUnit);
    SetItemText(Id::ShearLength, f.shearLength);
    SetItemText(Id::ConstantZone, f.constantZone);
    SetItemText(Id::MomentRatio, f.momentRatio);
    SetItemText(Id::AxialLoad, f.axialLoad);
    SetItemText(Id::YieldPenetration, f.yieldPenetration);
    SetRadio(*this, {Id::PointLoads, Id::DistributedBeam, Id::DistributedFooting}, f.loadingType);
    SetRadio(*this, {Id::LeftBottom, Id::LeftHanging, Id::LeftFixed}, f.leftCase);
    SetRadio(*this, {Id::RightTop, Id::RightBottom, Id::RightFixed}, f.rightCase);
    EnableItem(Id::YieldPenetration, detailed || QuickYieldPenetrationEnabled(f.rightCase));
    m_confirmErase = detailed ? 1 : 0;
    // The picture follows the fields the check accepts; a refused one leaves it as it was.
    m_shown = QuickPictureFields(Typed(), m_accepted);
    m_picture.Place(*this, Id::QuickDiagram, [this](plat::DC& dc, const DiagramBox& box) {
        DrawQuickDiagram(dc, m_shown, box);
    });
    m_setupDone = 1;
}

QuickFields TPushitQuick::Typed() const
{
    QuickFields f;
    f.shearLength = GetItemText(Id::ShearLength);
    f.constantZone = GetItemText(Id::ConstantZone);
    f.momentRatio = GetItemText(Id::MomentRatio);
    f.axialLoad = GetItemText(Id::AxialLoad);
    f.yieldPenetration = GetItemText(Id::YieldPenetration);
    f.loadingType = Radio(*this, Id::PointLoads, Id::DistributedBeam);
    f.leftCase = Radio(*this, Id::LeftBottom, Id::LeftHanging);
    f.rightCase = Radio(*this, Id::RightTop, Id::RightBottom);
    return f;
}

bool TPushitQuick::KillActive()
{
    static constexpr int kFields[5] = {Id::ShearLength, Id::ConstantZone, Id::MomentRatio, Id::AxialLoad,
                                       Id::YieldPenetration};
    const TypedRefusal refused = CheckQuickFields(m_slots, Typed());
    return !refused || RefuseField(*this, kFields[refused.field], refused.message, "Full Member Properties");
}

void TPushitQuick::EvQuickChange()
{
    if (!m_setupDone)
        return;
    ApplyQuickFields(m_slots, Typed(), m_d, m_confirmErase);
    m_shown = QuickPictureFields(Typed(), m_accepted);
    m_picture.Invalidate();
}

void TPushitQuick::EvRightCaseClick()
{
    if (!m_setupDone)
        return;
    ApplyQuickFields(m_slots, Typed(), m_d, m_confirmErase);
    EnableItem(Id::YieldPenetration, IsItemChecked(Id::RightFixed) != 0);
    m_shown = QuickPictureFields(Typed(), m_accepted);
    m_picture.Invalidate();
}

// ---- Geometry page --------------------------------------------------------------------------

TPushitGeometry::TPushitGeometry(TMemberDefinition& d)
    : plat::PropertyPage("  Detailed Geometry  ", GeometryTemplate()), m_d(d), m_leftAnchorage(*this, Id::LeftAnchorage),
      m_rightAnchorage(*this, Id::RightAnchorage), m_leftSupport(*this, Id::LeftSupport),
      m_rightSupport(*this, Id::RightSupport)
{
    for (int id : {Id::Length, Id::TopPlate, Id::Displacement, Id::YieldPenetration, Id::LeftPlate, Id::LeftLocation,
                   Id::RightLocation, Id::RightPlate})
        AddNotifyTable({{id, plat::Notify::Change, [this] { Read(); }}});
    AddResponseTable({{Id::TopDirect, [this] { Read(); }, {}},
                      {Id::LeftDirect, [this] { Read(); }, {}},
                      {Id::RightDirect, [this] { Read(); }, {}}});
    for (int id : {Id::LeftAnchorage, Id::RightAnchorage, Id::LeftSupport, Id::RightSupport})
        AddNotifyTable({{id, plat::Notify::SelChange, [this] { EvSupportChange(); }}});
}

void TPushitGeometry::SetupWindow()
{
    plat::PropertyPage::SetupWindow();
    for (plat::ComboBox* c : {&m_leftAnchorage, &m_rightAnchorage})
        for (const char* s : {"Perfect anchorage", "Straight bar anchorage", "Perfect & yield penetration"})
            c->AddString(s);
    for (plat::ComboBox* c : {&m_leftSupport, &m_rightSupport})
        for (const char* s : {"Fixed end", "Roller support", "Vert. roller, no rotate", "Pin support"})
            c->AddString(s);
    Show();
}

// The quick page may have rebuilt the definition since this page last wrote it; otherwise the
// combo boxes keep showing the user's choices.
void TPushitGeometry::SetActive()
{
    if (EqualMemberDefinitions(m_d, m_written) == 0 || m_d.yieldPenetrationConstant != m_written.yieldPenetrationConstant)
        Show();
}

bool TPushitGeometry::KillActive()
{
    static constexpr int kFields[8] = {Id::Length,   Id::TopPlate,     Id::Displacement, Id::YieldPenetration,
                                       Id::LeftPlate, Id::LeftLocation, Id::RightPlate,   Id::RightLocation};
    const TypedRefusal refused = CheckGeometryFields(Typed());
    return !refused || RefuseField(*this, kFields[refused.field], refused.message, "Full Member Properties");
}

void TPushitGeometry::Show()
{
    m_setupDone = 0;
    const GeometryFields f = ShowGeometryFields(m_d);
    for (int id : {130, 131, 239, 238, 237, 236, 231})
        SetItemText(id, f.lengthUnit);
    m_leftAnchorage.SetSelIndex(f.leftAnchorage);
    m_rightAnchorage.SetSelIndex(f.rightAnchorage);
    m_leftSupport.SetSelIndex(f.leftSupport);
    m_rightSupport.SetSelIndex(f.rightSupport);
    SetItemText(Id::Length, f.length);
    SetItemText(Id::TopPlate, f.topPlate);
    SetItemText(Id::LeftPlate, f.leftPlate);
    SetItemText(Id::LeftLocation, f.leftLocation);
    SetItemText(Id::RightPlate, f.rightPlate);
    SetItemText(Id::RightLocation, f.rightLocation);
    SetItemText(Id::Displacement, f.displacement);
    SetItemText(Id::YieldPenetration, f.yieldPenetration);
    CheckItem(Id::TopDirect, f.topDirect);
    CheckItem(Id::LeftDirect, f.leftDirect);
    CheckItem(Id::RightDirect, f.rightDirect);
    m_setupDone = 1;
    EvSupportChange();
}

GeometryFields TPushitGeometry::Typed() const
{
    GeometryFields f;
    f.length = GetItemText(Id::Length);
    f.topPlate = GetItemText(Id::TopPlate);
    f.displacement = GetItemText(Id::Displacement);
    f.yieldPenetration = GetItemText(Id::YieldPenetration);
    f.leftPlate = GetItemText(Id::LeftPlate);
    f.leftLocation = GetItemText(Id::LeftLocation);
    f.rightPlate = GetItemText(Id::RightPlate);
    f.rightLocation = GetItemText(Id::RightLocation);
    f.leftAnchorage = m_leftAnchorage.GetSelIndex();
    f.rightAnchorage = m_rightAnchorage.GetSelIndex();
    f.leftSupport = m_leftSupport.GetSelIndex();
    f.rightSupport = m_rightSupport.GetSelIndex();
    f.topDirect = IsItemChecked(Id::TopDirect) != 0;
    f.leftDirect = IsItemChecked(Id::LeftDirect) != 0;
    f.rightDirect = IsItemChecked(Id::RightDirect) != 0;
    return f;
}

void TPushitGeometry::EvSupportChange()
{
    if (!m_setupDone)
        return;
    const GeometryEnables e = GeometryEnablesFor(Typed());
    EnableItem(Id::YieldPenetration, e.yieldPenetration);
    for (int id : {Id::RightPlate, Id::RightLocation, Id::RightSupport, Id::RightDirect})
        EnableItem(id, e.rightSupport);
    for (int id : {Id::LeftPlate, Id::LeftLocation, Id::LeftSupport, Id::LeftDirect})
        EnableItem(id, e.leftSupport);
    Read();
}

void TPushitGeometry::Read()
{
    if (!m_setupDone)
        return;
    ReadGeometryFields(Typed(), m_d);
    m_written = m_d;
}

// ---- Materials page -------------------------------------------------------------------------

TPushitMaterials::TPushitMaterials(TMemberDefinition& d, const TStructureSlots& slots)
    : plat::PropertyPage("  Detailed Materials  ", MaterialsTemplate()), m_d(d), m_slots(slots),
      m_list(*this, Id::ZoneList)
{
    const auto refused = [this] {
        const std::string message = CheckTypedPosition(GetItemText(Id::Boundary), "Boundary");
        return !message.empty() && !RefuseField(*this, Id::Boundary, message, "Full Member Properties");
    };
    AddResponseTable({{Id::AddBoundary, [this, refused] {
                           if (refused())
                               return;
                           AddZoneBoundary(m_d, GetItemText(Id::Boundary), m_selected);
                           FillZoneList();
                       }, {}},
                      {Id::DeleteBoundary, [this] {
                           DeleteZoneBoundary(m_d, m_selected);
                           FillZoneList();
                       }, {}},
                      {Id::ModifyBoundary, [this, refused] {
                           if (refused())
                               return;
                           ModifyZoneBoundary(m_d, GetItemText(Id::Boundary), m_selected);
                           FillZoneList();
                       }, {}}});
    AddNotifyTable({{Id::ZoneList, plat::Notify::SelChange, [this] { EvZoneSelect(); }}});
}

void TPushitMaterials::SetupWindow()
{
    plat::PropertyPage::SetupWindow();
    SetItemText(213, UnitLabel(ukSectionLength));
    m_list.SetFont(ListFont());
    m_picture.Place(*this, Id::MaterialBox, [this](plat::DC& dc, const DiagramBox& box) {
        DrawMemberSketch(dc, m_d, m_selected, box);
    });
    m_picture.SetClick([this](plat::Point p) { SketchClick(p); });
    FillZoneList();
}

void TPushitMaterials::SetActive() { FillZoneList(); }

void TPushitMaterials::FillZoneList()
{
    m_list.ClearList();
    for (const std::string& row : ZoneRows(m_d))
        m_list.AddString(row);
    m_selected = ClampSelection(m_selected, std::clamp(m_d.zoneCount, 0, kMaxMemberZones));
    m_list.SetSelIndex(m_selected);
    EvZoneSelect();
}

void TPushitMaterials::EvZoneSelect()
{
    const int row = m_list.GetSelIndex();
    if (row >= 0)
        m_selected = row;
    if (m_selected >= 0 && m_selected < m_d.zoneCount)
        SetItemText(Id::Boundary, FormatZoneStart(m_d.zones[static_cast<std::size_t>(m_selected)].startX));
    m_picture.Invalidate();
}

void TPushitMaterials::SketchClick(plat::Point p)
{
    const DiagramBox box{0, 0, GetItemRect(Id::MaterialBox).Width(), GetItemRect(Id::MaterialBox).Height()};
    const SketchGeometry g = GetSketchGeometry(m_d, box.x, box.y, box.w, box.h);
    if (!(g.y0 < p.y && p.y < g.y0 + g.h) || !(std::fabs(g.s) > 0.0))
        return;
    const double xm = (p.x - g.x0) / g.s;
    if (!(xm >= 0.0 && xm < m_d.length))
        return;
    const int zone = ZoneAtPosition(m_d, xm);
    if (zone < 0)
        return;
    // The sections of the table by slot, up to the last one in use.
    std::vector<std::string> rows;
    int last = -1;
    for (int i = 0; i < m_slots.GetSlotCount(); ++i)
        if (m_slots.GetStructure(i))
            last = i;
    for (int i = 0; i <= last; ++i) {
        const TStructure* s = m_slots.GetStructure(i);
        rows.push_back(s ? s->GetName() : std::string());
    }
    int chosen = m_d.zones[static_cast<std::size_t>(zone)].structureIndex;
    TMyList list(this, kListBeamSections, &chosen, rows);
    // A blank row is an empty slot: it stands for no section.
    if (list.Execute() == plat::DialogResult::Ok && m_slots.GetStructure(chosen) != nullptr)
        m_d.zones[static_cast<std::size_t>(zone)].structureIndex = chosen;
    m_picture.Invalidate();
}

// ---- Loading pages --------------------------------------------------------------------------

TPushitLoading::TPushitLoading(TMemberDefinition& d, const TStructureSlots& slots, int k, const char* title)
    : plat::PropertyPage(title, LoadingTemplate(title)), m_d(d), m_slots(slots), m_k(k), m_editor(d, k),
      m_list(*this, Id::PointList)
{
    AddResponseTable({{Id::AddPoint, [this] {
                           if (PointRefused())
                               return;
                           m_editor.Add(Typed());
                           FillMomentList();
                       }, {}},
                      {Id::ModifyPoint, [this] {
                           if (PointRefused())
                               return;
                           m_editor.Modify(Typed());
                           FillMomentList();
                       }, {}},
                      {Id::DeletePoint, [this] {
                           m_editor.Delete();
                           m_editor.SetPrompting(false);
                           FillMomentList();
                           m_editor.SetPrompting(true);
                       }, {}},
                      {Id::DeleteAll, [this] {
                           m_editor.DeleteAll();
                           FillMomentList();
                       }, {}},
                      {Id::SelfWeight, [this] {
                           m_editor.SetPrompting(false);
                           m_editor.GenerateSelfWeight(m_slots);
                           FillMomentList();
                           m_editor.SetPrompting(true);
                       }, {}}});
    AddNotifyTable({{Id::PointList, plat::Notify::SelChange,
                     [this] {
                         if (m_filling)
                             return;
                         m_editor.Select(m_list.GetSelIndex(), Typed());
                         FillMomentList();
                     }},
                    {Id::Axial, plat::Notify::Change, [this] {
                         if (m_setupDone && !m_showingAxial)
                             m_editor.SetAxialLoad(GetItemText(Id::Axial));
                     }}});
}

void TPushitLoading::SetupWindow()
{
    plat::PropertyPage::SetupWindow();
    SetItemText(131, m_editor.AxialLoadUnit());
    SetItemText(130, UnitLabel(ukSectionLength));
    SetItemText(230, UnitLabel(ukMoment));
    m_list.SetFont(ListFont());
    EnableItem(Id::SelfWeight, m_k == DeadDiagram);
    m_momentPicture.Place(*this, Id::MomentBox, [this](plat::DC& dc, const DiagramBox& box) {
        DrawMomentDiagram(dc, m_d, m_k, m_editor.Selected(), box);
    });
    m_shearPicture.Place(*this, Id::ShearBox, [this](plat::DC& dc, const DiagramBox& box) {
        DrawShearDiagram(dc, m_d, m_k, m_editor.Selected(), box);
    });
    SetItemText(Id::Axial, m_editor.AxialLoadText());
    m_setupDone = true;
    FillMomentList();
    m_editor.SetPrompting(true);
}

// The quick page may have rebuilt the definition since this page was last shown.
void TPushitLoading::SetActive()
{
    m_editor.SetPrompting(false);
    // The field shows the load rounded; showing it is no edit, so the stored load stays.
    m_showingAxial = true;
    SetItemText(Id::Axial, m_editor.AxialLoadText());
    m_showingAxial = false;
    FillMomentList();
    m_editor.SetPrompting(true);
}

bool TPushitLoading::KillActive()
{
    const std::string message = CheckTypedAxialLoad(GetItemText(Id::Axial));
    return message.empty() || RefuseField(*this, Id::Axial, message, "Full Member Properties");
}

bool TPushitLoading::PointRefused()
{
    const TypedRefusal refused = CheckPointTexts(Typed());
    return refused &&
           !RefuseField(*this, refused.field == 0 ? Id::Location : Id::Moment, refused.message, "Full Member Properties");
}

PointTexts TPushitLoading::Typed() const
{
    return {GetItemText(Id::Location), GetItemText(Id::Moment), IsItemChecked(Id::Parabolic) != 0};
}

void TPushitLoading::FillMomentList()
{
    m_filling = true;
    m_list.ClearList();
    for (const std::string& row : m_editor.Rows())
        m_list.AddString(row);
    if (m_editor.Count() > 0)
        m_list.SetSelIndex(ClampSelection(m_editor.Selected(), m_editor.Count()));
    m_filling = false;
    ShowSelected();
}

void TPushitLoading::ShowSelected()
{
    const PointTexts t = m_editor.SelectedTexts();
    SetItemText(Id::Location, t.x);
    SetItemText(Id::Moment, t.moment);
    CheckItem(Id::Parabolic, t.parabolic ? 1 : 0);
    Redraw();
}

void TPushitLoading::Redraw()
{
    m_momentPicture.Invalidate();
    m_shearPicture.Invalidate();
}

void TPushitLoading::EvLButtonDblClk(unsigned, plat::Point)
{
    const DataViewParentScope over(this);
    ShowDataText(m_editor.Report());
}

// ---- The sheet ------------------------------------------------------------------------------

int EditMemberProperties(plat::Window* parent, TMemberDefinition& d, const TStructureSlots& slots, int* result)
{
    TMemberDefinition copy = d;
    const int start = MemberSheetStartPage(slots, copy);
    TPushitQuick quick(copy, slots);
    TPushitGeometry geometry(copy);
    TPushitMaterials materials(copy, slots);
    TPushitLoading dead(copy, slots, DeadDiagram, " Detailed Dead Load ");
    TPushitLoading live(copy, slots, LiveDiagram, " Detailed Live Load ");
    plat::PropertySheet sheet(parent, "Full Member Properties", start);
    sheet.AddPage(quick);
    sheet.AddPage(geometry);
    sheet.AddPage(materials);
    sheet.AddPage(dead);
    sheet.AddPage(live);
    const int ended = sheet.Execute();
    if (result)
        *result = ended;
    if (ended != plat::DialogResult::Ok)
        return 0;
    return WriteBackMemberSheet(copy, d);
}
