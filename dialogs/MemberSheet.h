#pragma once
// "Full Member Properties": five pages over one working copy of the member definition. The
// quick page builds a standard member from a few values; the geometry, materials and two
// loading pages edit every field. Thin windows over MemberPages and MemberDiagrams.

#include <functional>
#include <memory>

#include "platform/Controls.h"
#include "platform/PropertySheet.h"

#include "dialogs/MemberPages.h"

class TStructureSlots;

namespace MemberPageId {
inline constexpr int Quick = 406, Geometry = 32602, Materials = 32601, Loading = 409;
// Quick page.
inline constexpr int ShearLength = 5060, ConstantZone = 5061, MomentRatio = 5062, AxialLoad = 5064;
inline constexpr int YieldPenetration = 5123, QuickDiagram = 1021;
inline constexpr int PointLoads = 1003, DistributedBeam = 1004, DistributedFooting = 1022;
inline constexpr int LeftBottom = 1002, LeftHanging = 1023, LeftFixed = 1024;
inline constexpr int RightTop = 1025, RightBottom = 1026, RightFixed = 1027;
// Geometry page.
inline constexpr int Length = 5060, TopPlate = 5061, Displacement = 5062, LeftPlate = 5064, LeftLocation = 5065;
inline constexpr int RightPlate = 5066, RightLocation = 102, TopDirect = 1001, LeftDirect = 1005, RightDirect = 1006;
inline constexpr int LeftAnchorage = 1008, RightAnchorage = 1009, LeftSupport = 1011, RightSupport = 1012;
// Materials page.
inline constexpr int Boundary = 5060, AddBoundary = 5037, ModifyBoundary = 5036, DeleteBoundary = 5035;
inline constexpr int ZoneList = 1013, MaterialBox = 5079;
// Loading pages.
inline constexpr int Location = 5060, Moment = 5061, Parabolic = 1001, AddPoint = 5035, ModifyPoint = 5037;
inline constexpr int DeletePoint = 5038, DeleteAll = 5023, SelfWeight = 5068, PointList = 1013, Axial = 5062;
inline constexpr int MomentBox = 5079, ShearBox = 5080;
} // namespace MemberPageId

// A picture over the inside of a group box of a page: paints with the group box's rectangle
// as its box (in its own coordinates) and reports clicks in the group box's coordinates.
class TMemberPicture : public plat::Window {
public:
    using Painter = std::function<void(plat::DC&, const DiagramBox&)>;
    void Place(plat::Dialog& page, int groupId, Painter painter);
    void SetClick(std::function<void(plat::Point)> click) { m_click = std::move(click); }
    const DiagramBox& Box() const { return m_box; }
    void Paint(plat::DC& dc, bool erase, const plat::Rect& rect) override;
    void EvLButtonDown(unsigned keyFlags, plat::Point p) override;

private:
    DiagramBox m_box; // the group box in this window's coordinates
    Painter m_painter;
    std::function<void(plat::Point)> m_click;
};

class TPushitQuick : public plat::PropertyPage {
public:
    TPushitQuick(TMemberDefinition& d, const TStructureSlots& slots);
    void SetupWindow() override;
    // A refused field keeps the page, selected.
    bool KillActive() override;
    QuickFields Typed() const;
    TMemberPicture& Picture() { return m_picture; }

private:
    void EvQuickChange();
    void EvRightCaseClick();
    TMemberDefinition& m_d;
    const TStructureSlots& m_slots;
    TMemberPicture m_picture;
    QuickFields m_accepted; // the fields as the check last accepted them
    QuickFields m_shown;    // what the picture is drawn from
    int m_setupDone = 0;
    int m_confirmErase = 0;
};

class TPushitGeometry : public plat::PropertyPage {
public:
    explicit TPushitGeometry(TMemberDefinition& d);
    void SetupWindow() override;
    void SetActive() override;
    bool KillActive() override;
    GeometryFields Typed() const;

private:
    void Show();
    void EvSupportChange();
    void Read();
    TMemberDefinition& m_d;
    plat::ComboBox m_leftAnchorage, m_rightAnchorage, m_leftSupport, m_rightSupport;
    TMemberDefinition m_written; // the definition as this page last wrote it
    int m_setupDone = 0;
};

class TPushitMaterials : public plat::PropertyPage {
public:
    TPushitMaterials(TMemberDefinition& d, const TStructureSlots& slots);
    void SetupWindow() override;
    void SetActive() override;
    TMemberPicture& Picture() { return m_picture; }
    int SelectedZone() const { return m_selected; }
    // A click on the sketch (group box coordinates): the zone's section is chosen.
    void SketchClick(plat::Point p);

private:
    void FillZoneList();
    void EvZoneSelect();
    TMemberDefinition& m_d;
    const TStructureSlots& m_slots;
    plat::ListBox m_list;
    TMemberPicture m_picture;
    int m_selected = 0;
};

class TPushitLoading : public plat::PropertyPage {
public:
    // k 0 live, 1 dead.
    TPushitLoading(TMemberDefinition& d, const TStructureSlots& slots, int k, const char* title);
    void SetupWindow() override;
    void SetActive() override;
    bool KillActive() override;
    TMomentPointEditor& Editor() { return m_editor; }
    void EvLButtonDblClk(unsigned keyFlags, plat::Point p) override;

private:
    PointTexts Typed() const;
    // A refused location or moment: told, its field selected; true.
    bool PointRefused();
    void FillMomentList();
    void ShowSelected();
    void Redraw();
    TMemberDefinition& m_d;
    const TStructureSlots& m_slots;
    int m_k;
    TMomentPointEditor m_editor;
    plat::ListBox m_list;
    TMemberPicture m_momentPicture, m_shearPicture;
    bool m_filling = false;
    bool m_showingAxial = false; // the page itself writes the axial-load field
    bool m_setupDone = false;
};

// Runs the sheet on a copy of d and writes it back on OK; 1 when the document changed.
// result receives the button that closed the sheet.
int EditMemberProperties(plat::Window* parent, TMemberDefinition& d, const TStructureSlots& slots, int* result = nullptr);
