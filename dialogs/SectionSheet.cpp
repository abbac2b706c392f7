#include "dialogs/SectionSheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "charts/ListRows.h"
#include "charts/OwnerDrawn.h"
#include "dialogs/RefusedField.h"
#include "dialogs/ShapeIcons.h"
#include "dialogs/TContin.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/shapes/SectionOutline.h"
#include "model/shapes/ShapeLibrary.h"

using plat::ControlKind;
using plat::DialogItem;
namespace Id = SectionPageId;

namespace {

constexpr int kPageWidth = 300, kPageHeight = 204;

plat::DialogTemplate Page(const char* caption)
{
    return plat::DialogTemplate::Placed(caption, kPageWidth, kPageHeight);
}

// The format of shape parameters and slab sizes in the active unit system.
const char* ParameterFormat()
{
    return g_UnitSystem == kUnitSI ? "%5.0f" : g_UnitSystem == kUnitOldMetric ? "%5.1f" : "%5.2f";
}

std::string LengthText(double metres) { return StrPrintf(ParameterFormat(), ToDisplayUnits(metres, ukSectionLength)); }

// What the pages follow while the user types: a text that holds no number counts as 0 until
// the page is left, when it is refused (TextRefused).
double TypedLength(const std::string& text)
{
    const double v = TypedNumber(text);
    return std::isnan(v) ? 0.0 : FromDisplayUnits(v, ukSectionLength);
}

// The largest dimension a basic shape is built with (m), as quick define holds its sizes.
constexpr double kMaxShapeDimension = 100.0;

// A dimension field whose text holds no number is refused with the message of its range.
bool TextRefused(plat::Dialog& page, int id, const std::string& name)
{
    if (!std::isnan(TypedNumber(page.GetItemText(id))))
        return false;
    RefuseField(page, id, TypedRangeMessage(name, {0.0, kMaxShapeDimension, ukSectionLength}), "Shape Error");
    return true;
}

plat::DialogTemplate BasicTemplate()
{
    plat::DialogTemplate t = Page("Basic Shapes");
    // The list is wide enough for its 300-pixel title column.
    t.Add(DialogItem::At(Id::ShapeList, ControlKind::ListView, "", 7, 7, 204, 178));
    t.Add(DialogItem::At(-1, ControlKind::GroupBox, "Parameters", 216, 7, 77, 178));
    for (std::size_t k = 0; k < 6; ++k) {
        const int y = 30 + 26 * static_cast<int>(k);
        t.Add(DialogItem::At(Id::ParamNames[k], ControlKind::Static, "", 222, y - 10, 66, 8));
        t.Add(DialogItem::At(Id::ParamEdits[k], ControlKind::Edit, "", 222, y, 40, 12));
        t.Add(DialogItem::At(Id::ParamUnits[k], ControlKind::Static, "", 265, y + 2, 24, 8));
    }
    t.Add(DialogItem::At(Id::Status, ControlKind::StatusBar, "", 0, 190, kPageWidth, 14));
    return t;
}

plat::DialogTemplate UserTemplate()
{
    plat::DialogTemplate t = Page("User Defined");
    t.Add(DialogItem::At(-1, ControlKind::Static, "Elevation", 7, 9, 36, 8))
        .Add(DialogItem::At(Id::Elevation, ControlKind::Edit, "", 45, 7, 44, 12))
        .Add(DialogItem::At(Id::ElevationUnit, ControlKind::Static, "mm", 92, 9, 24, 8))
        .Add(DialogItem::At(-1, ControlKind::Static, "Width", 7, 25, 36, 8))
        .Add(DialogItem::At(Id::Width, ControlKind::Edit, "", 45, 23, 44, 12))
        .Add(DialogItem::At(Id::WidthUnit, ControlKind::Static, "mm", 92, 25, 24, 8))
        .Add(DialogItem::At(Id::Add, ControlKind::PushButton, "Add", 7, 41, 36, 14))
        .Add(DialogItem::At(Id::Modify, ControlKind::PushButton, "Modify", 46, 41, 36, 14))
        .Add(DialogItem::At(Id::Delete, ControlKind::PushButton, "Delete", 85, 41, 36, 14))
        .Add(DialogItem::At(-1, ControlKind::Static, "Elevation        Width", 9, 61, 112, 8))
        .Add(DialogItem::At(Id::Rows, ControlKind::ListBox, "", 7, 71, 116, 118))
        .Add(DialogItem::At(Id::TypeGroup, ControlKind::GroupBox, "Concrete Type Definition", 130, 7, 163, 182))
        .Add(DialogItem::At(-1, ControlKind::Static, "Type an elevation and a width (or UP / DOWN for a rounded part); "
                                                    "click a band to choose its concrete type.",
                            137, 20, 150, 26))
        .Add(DialogItem::At(Id::HalfShown, ControlKind::Static, "Full Beam Shown", 130, 192, 163, 8));
    return t;
}

plat::DialogTemplate StandardTemplate()
{
    plat::DialogTemplate t = Page("Standard Shapes");
    t.Add(DialogItem::At(Id::Tree, ControlKind::TreeView, "", 7, 7, 130, 190))
        .Add(DialogItem::At(Id::SketchGroup, ControlKind::GroupBox, "Section Sketch", 143, 7, 150, 138))
        .Add(DialogItem::At(Id::IncludeSlab, ControlKind::CheckBox, "Include Slab", 143, 152, 80, 10))
        .Add(DialogItem::At(Id::SlabDepthName, ControlKind::Static, "", 143, 169, 46, 8))
        .Add(DialogItem::At(Id::SlabDepth, ControlKind::Edit, "", 192, 167, 50, 12))
        .Add(DialogItem::At(Id::SlabDepthUnit, ControlKind::Static, "", 246, 169, 40, 8))
        .Add(DialogItem::At(Id::SlabWidthName, ControlKind::Static, "", 143, 185, 46, 8))
        .Add(DialogItem::At(Id::SlabWidth, ControlKind::Edit, "", 192, 183, 50, 12))
        .Add(DialogItem::At(Id::SlabWidthUnit, ControlKind::Static, "", 246, 185, 40, 8));
    return t;
}

// A rectangle inside a group box by fractions of its size, truncated to pixels.
plat::Rect Inside(const plat::Rect& g, double left, double top, double width, double height)
{
    const int l = static_cast<int>(g.left + left * g.Width());
    const int t = static_cast<int>(g.top + top * g.Height());
    return {l, t, l + static_cast<int>(width * g.Width()), t + static_cast<int>(height * g.Height())};
}

// The concrete type chooser on a band's type; true with the chosen type on OK.
bool ChooseConcreteType(plat::Window* parent, const TBeam* beam, int& type)
{
    int chosen = type;
    TMyList list(parent, beam, kListConcreteTypes, &chosen, 0, plat::Colors::Black);
    if (list.Execute() != plat::DialogResult::Ok || chosen < 0)
        return false;
    type = chosen;
    return true;
}

} // namespace

int MiddleConcreteType(const TDepthTable& types)
{
    return types.IsEmpty() ? 0 : static_cast<int>(types.GetValue(types.GetCount() / 2));
}

// ---- Basic Shapes -------------------------------------------------------------------------

TDefcon2::TDefcon2(SectionSheetData& data)
    : plat::PropertyPage("Basic Shapes", BasicTemplate()), m_data(data), m_list(*this, Id::ShapeList)
{
    AddNotifyTable({{Id::ShapeList, plat::Notify::ItemChanged, [this] { ItemChanged(); }}});
    for (int k = 0; k < 6; ++k) {
        const int id = Id::ParamEdits[static_cast<std::size_t>(k)];
        AddNotifyTable({{id, plat::Notify::Change, [this, k] { ParameterChanged(k); }},
                        {id, plat::Notify::SetFocus, [this, k] { ShowDescription(k); }}});
    }
}

void TDefcon2::SetupWindow()
{
    plat::PropertyPage::SetupWindow();
    for (std::size_t k = 0; k < 6; ++k)
        SetItemText(Id::ParamEdits[k], LengthText(g_SectionDefinition.Parameters[k]));
    plat::ImageList images(32, 32);
    m_list.AddColumn("Title", 300);
    m_slots.clear();
    std::vector<int> icons;
    for (int i = 0; i < kShapeTableSize; ++i) {
        const TShape* shape = ShapeTable[static_cast<std::size_t>(i)].get();
        if (!shape)
            continue;
        m_slots.push_back(i);
        icons.push_back(AddShapeIcon(images, *shape));
    }
    m_list.SetImageList(images);
    for (std::size_t r = 0; r < m_slots.size(); ++r)
        m_list.AddItem(ShapeTable[static_cast<std::size_t>(m_slots[r])]->title, icons[r]);
    m_ready = true;
    // Until a library shape is chosen no parameter applies.
    for (const int id : Id::ParamEdits)
        EnableItem(id, false);
    if (g_SectionDefinition.ShapeCode >= 0 && g_SectionDefinition.ShapeCode < kShapeTableSize)
        ShowShape(g_SectionDefinition.ShapeCode);
}

void TDefcon2::ItemChanged()
{
    const int row = m_list.GetSelIndex();
    if (!m_ready || row < 0 || row >= static_cast<int>(m_slots.size()))
        return;
    g_SectionDefinition.ShapeCode = static_cast<std::int16_t>(m_slots[static_cast<std::size_t>(row)]);
    ShowShape(g_SectionDefinition.ShapeCode);
}

void TDefcon2::ShowShape(int slot)
{
    const TShape* shape = slot >= 0 && slot < kShapeTableSize ? ShapeTable[static_cast<std::size_t>(slot)].get() : nullptr;
    if (!shape)
        return;
    SetItemText(Id::Status, shape->title);
    // The shape's own fields show the values they will be built with; the others are blank
    // and keep their values for a shape that uses them.
    const bool wasReady = m_ready;
    m_ready = false;
    for (std::size_t k = 0; k < 6; ++k) {
        const bool used = static_cast<int>(k) < shape->paramCount;
        SetItemText(Id::ParamNames[k], used ? shape->paramNames[k] : "");
        SetItemText(Id::ParamUnits[k], used ? UnitLabel(ukSectionLength) : "");
        SetItemText(Id::ParamEdits[k], used ? LengthText(g_SectionDefinition.Parameters[k]) : "");
        EnableItem(Id::ParamEdits[k], used);
    }
    m_ready = wasReady;
}

bool TDefcon2::NothingToBuild() const
{
    if (!m_data.outline.IsEmpty())
        return false;
    return std::all_of(g_SectionDefinition.Parameters.begin(), g_SectionDefinition.Parameters.end(),
                       [](double p) { return p == 0.0; });
}

int TDefcon2::RefusedDimension() const
{
    const int code = g_SectionDefinition.ShapeCode;
    const TShape* shape = code >= 0 && code < kShapeTableSize ? ShapeTable[static_cast<std::size_t>(code)].get() : nullptr;
    if (!shape)
        return -1;
    for (int k = 0; k < shape->paramCount && k < 6; ++k) {
        const double p = g_SectionDefinition.Parameters[static_cast<std::size_t>(k)];
        if (!(p > 0.0 && p <= kMaxShapeDimension))
            return k;
    }
    return -1;
}

void TDefcon2::ParameterChanged(int k)
{
    if (!m_ready)
        return;
    const auto i = static_cast<std::size_t>(k);
    g_SectionDefinition.Parameters[i] = TypedLength(GetItemText(Id::ParamEdits[i]));
}

void TDefcon2::ShowDescription(int k)
{
    const int code = g_SectionDefinition.ShapeCode;
    if (code < 0 || code >= kShapeTableSize || !ShapeTable[static_cast<std::size_t>(code)])
        return;
    SetItemText(Id::Status, ShapeTable[static_cast<std::size_t>(code)]->paramDescriptions[static_cast<std::size_t>(k)]);
}

void TDefcon2::SetActive()
{
    const int code = g_SectionDefinition.ShapeCode;
    if (code == kUserShapeCode) {
        SetItemText(Id::Status, "User Defined Section");
    } else if (code == kStandardTypeCode) {
        SetItemText(Id::Status, "Standard Section");
    } else {
        for (std::size_t r = 0; r < m_slots.size(); ++r)
            if (m_slots[r] == code) {
                m_list.EnsureVisible(static_cast<int>(r));
                m_list.SetSelIndex(static_cast<int>(r));
            }
    }
}

bool TDefcon2::KillActive()
{
    const int code = g_SectionDefinition.ShapeCode;
    if (const TShape* shape = code >= 0 && code < kShapeTableSize ? ShapeTable[static_cast<std::size_t>(code)].get() : nullptr) {
        for (std::size_t i = 0; i < static_cast<std::size_t>(std::clamp(shape->paramCount, 0, 6)); ++i) {
            const std::string& name = shape->paramDescriptions[i].empty() ? shape->paramNames[i] : shape->paramDescriptions[i];
            if (TextRefused(*this, Id::ParamEdits[i], name))
                return false;
        }
    }
    if (const int k = RefusedDimension(); k >= 0 && !NothingToBuild()) {
        // An outline with a dimension of zero (or less), or past any member built, is no section:
        // the page stays.
        const TShape& shape = *ShapeTable[static_cast<std::size_t>(code)];
        const auto i = static_cast<std::size_t>(k);
        const std::string& described = shape.paramDescriptions[i].empty() ? shape.paramNames[i] : shape.paramDescriptions[i];
        const double p = g_SectionDefinition.Parameters[i];
        const std::string bound = p > 0.0 ? StrPrintf("of at most %g %s", ToDisplayUnits(kMaxShapeDimension, ukSectionLength),
                                                      UnitLabel(ukSectionLength))
                                          : std::string("greater than zero");
        ShowMessage(StrPrintf("The %s needs every dimension %s: \"%s\" (%s) is %g %s.", shape.title.c_str(),
                              bound.c_str(), described.c_str(), shape.paramNames[i].c_str(),
                              ToDisplayUnits(p, ukSectionLength), UnitLabel(ukSectionLength)),
                    "Shape Error", MsgStyle::Ok | MsgStyle::IconExclamation);
        SetItemFocus(Id::ParamEdits[i]);
        return false;
    }
    if (code >= 0 && code < kShapeTableSize && ShapeTable[static_cast<std::size_t>(code)]) {
        ShapeParams params;
        std::copy(g_SectionDefinition.Parameters.begin(), g_SectionDefinition.Parameters.end(), params.begin());
        if (EvaluateShapeOutline(*ShapeTable[static_cast<std::size_t>(code)], m_data.outline, m_data.types, params,
                                 MiddleConcreteType(m_data.types)) == 0)
            g_SectionDefinition.ShapeCode = kUserShapeCode;
    }
    NormaliseOutline(m_data.outline, m_data.types);
    return true;
}

// ---- User Defined ---------------------------------------------------------------------------

TDefcon3::TDefcon3(SectionSheetData& data, int row)
    : plat::PropertyPage("User Defined", UserTemplate()), m_data(data), m_list(*this, Id::Rows),
      m_editor(data.outline, data.types, data.beam ? data.beam->GetMaxRegions() : 150, [this](int r, double w) {
          int answer = 1;
          TContin contin(this, &answer, r, w, m_data.outline, m_data.types);
          contin.Execute();
          return answer;
      })
{
    m_editor.SelectRow(row);
    AddResponseTable({{Id::Add, [this] { CmAdd(); }, {}},
                      {Id::Modify, [this] { CmModify(); }, {}},
                      {Id::Delete, [this] { CmDelete(); }, {}}});
    AddNotifyTable({{Id::Rows, plat::Notify::SelChange, [this] {
                         m_editor.SelectRow(m_list.GetSelIndex());
                         RowSelected();
                     }}});
}

void TDefcon3::SetupWindow()
{
    plat::PropertyPage::SetupWindow();
    plat::LogFont font;
    font.face = "Courier New";
    font.height = 12;
    m_list.SetFont(font);
    SetItemText(Id::ElevationUnit, UnitLabel(ukSectionLength));
    SetItemText(Id::WidthUnit, UnitLabel(ukSectionLength));
    SetItemText(Id::Elevation, "");
    SetItemText(Id::Width, "");
    m_sketch.Place(*this, Inside(GetItemRect(Id::TypeGroup), 0.04, 0.25, 0.92, 0.7));
    m_sketch.SetOutline(&m_data.outline, &m_data.types);
    m_sketch.SetClick([this](plat::Point p) { SketchClick(p); });
    FillList();
}

void TDefcon3::SetActive()
{
    NormaliseOutline(m_data.outline, m_data.types);
    FillList();
}

bool TDefcon3::KillActive()
{
    NormaliseOutline(m_data.outline, m_data.types);
    return true;
}

void TDefcon3::FillList()
{
    m_list.ClearList();
    for (const std::string& row : m_editor.Rows())
        m_list.AddString(row);
    m_editor.SelectRow(m_editor.GetSelectedRow());
    m_list.SetSelIndex(m_editor.GetSelectedRow());
    RowSelected();
}

void TDefcon3::RowSelected()
{
    std::string elevation, width;
    m_editor.RowFields(m_editor.GetSelectedRow(), elevation, width);
    if (!elevation.empty()) {
        SetItemText(Id::Elevation, elevation);
        SetItemText(Id::Width, width);
    }
    m_sketch.SetMarked(m_editor.GetSelectedRow());
    m_sketch.UpdateWindow();
    SetItemText(Id::HalfShown, m_sketch.IsHalf() ? "Half of Beam Shown" : "Full Beam Shown");
}

void TDefcon3::CmAdd()
{
    m_editor.Add(GetItemText(Id::Elevation), GetItemText(Id::Width));
    AfterEdit();
}

void TDefcon3::CmModify()
{
    m_editor.Modify(GetItemText(Id::Elevation), GetItemText(Id::Width));
    AfterEdit();
}

void TDefcon3::AfterEdit()
{
    // A refused value keeps the typed fields, with the refused one selected for retyping.
    if (m_editor.RefusedField() >= 0)
        SelectItemText(m_editor.RefusedField() == TOutlineEditor::kElevationField ? Id::Elevation : Id::Width);
    else
        FillList();
}

void TDefcon3::CmDelete()
{
    m_editor.Delete();
    FillList();
}

void TDefcon3::SketchClick(plat::Point p)
{
    const int band = m_sketch.BandAt(p);
    if (band < 0)
        return;
    int type = static_cast<int>(GetTableValue(m_data.types, band));
    if (ChooseConcreteType(this, m_data.beam, type)) {
        m_editor.SetBandType(band, type);
        m_sketch.Invalidate();
    }
}

// ---- Standard Shapes ------------------------------------------------------------------------

TDefcon4::TDefcon4(SectionSheetData& data)
    : plat::PropertyPage("Standard Shapes", StandardTemplate()), m_data(data), m_tree(*this, Id::Tree)
{
    AddResponseTable({{Id::IncludeSlab, [this] { CmIncludeSlab(); }, {}}});
    AddNotifyTable({{Id::Tree, plat::Notify::TreeSelChanged, [this] { EntrySelected(); }},
                    {Id::SlabDepth, plat::Notify::Change, [this] { SlabChanged(2); }},
                    {Id::SlabWidth, plat::Notify::Change, [this] { SlabChanged(3); }}});
}

void TDefcon4::SetupWindow()
{
    plat::PropertyPage::SetupWindow();
    FillTree();
    m_sketch.Place(*this, Inside(GetItemRect(Id::SketchGroup), 0.06, 0.15, 0.9, 0.82));
    m_sketch.SetOutline(&m_data.outline, &m_data.types);
    m_sketch.SetClick([this](plat::Point p) { SketchClick(p); });
    SetItemText(Id::SlabDepth, LengthText(g_SectionDefinition.Parameters[2]));
    SetItemText(Id::SlabWidth, LengthText(g_SectionDefinition.Parameters[3]));
    const SectionDefinition& def = g_SectionDefinition;
    const TStandard* shape = def.ShapeCode == kStandardTypeCode && def.StandardIndex >= 0 &&
                                     def.StandardIndex < kShapeTableSize
                                 ? StandardTable[static_cast<std::size_t>(def.StandardIndex)].get()
                                 : nullptr;
    const bool slab = shape && m_data.outline.GetCount() != shape->pointCount;
    CheckItem(Id::IncludeSlab, slab);
    ShowSlabFields(slab);
    m_ready = true;
}

void TDefcon4::SetActive() { m_sketch.Invalidate(); }

bool TDefcon4::KillActive()
{
    return !IsItemChecked(Id::IncludeSlab) ||
           (!TextRefused(*this, Id::SlabDepth, "Slab Depth") && !TextRefused(*this, Id::SlabWidth, "Slab Width"));
}

void TDefcon4::FillTree()
{
    m_tree.DeleteAllItems();
    int category = plat::TreeView::Root;
    const std::string* previous = nullptr;
    const SectionDefinition& def = g_SectionDefinition;
    for (int i = 0; i < kShapeTableSize; ++i) {
        const TStandard* s = StandardTable[static_cast<std::size_t>(i)].get();
        if (!s)
            continue;
        if (!previous || *previous != s->category)
            category = m_tree.AddItem(plat::TreeView::Root, s->category);
        previous = &s->category;
        const bool current = def.ShapeCode == kStandardTypeCode && def.StandardIndex == i;
        m_tree.AddItem(category, current ? StrPrintf("%s - Current", s->name.c_str()) : s->name);
        if (current)
            m_tree.Expand(category);
    }
}

void TDefcon4::EntrySelected()
{
    const int item = m_tree.GetSelection();
    if (!m_ready || item == plat::TreeView::Root)
        return;
    const std::string text = m_tree.GetItemText(item);
    for (int i = 0; i < kShapeTableSize; ++i) {
        const TStandard* s = StandardTable[static_cast<std::size_t>(i)].get();
        if (s && (text == s->name || text == StrPrintf("%s - Current", s->name.c_str())))
            Evaluate(i);
    }
    m_sketch.Invalidate();
}

void TDefcon4::Evaluate(int slot)
{
    TStandard& shape = *StandardTable[static_cast<std::size_t>(slot)];
    ShapeParams params;
    std::copy(g_SectionDefinition.Parameters.begin(), g_SectionDefinition.Parameters.end(), params.begin());
    const int ok = EvaluateShapeOutline(shape, m_data.outline, m_data.types, params, MiddleConcreteType(m_data.types));
    NormaliseOutline(m_data.outline, m_data.types);
    g_SectionDefinition.StandardIndex = static_cast<std::int16_t>(slot);
    g_SectionDefinition.ShapeCode = static_cast<std::int16_t>(ok ? kStandardTypeCode : kUserShapeCode);
    if (IsItemChecked(Id::IncludeSlab))
        AddSlab();
}

void TDefcon4::AddSlab()
{
    const double depth = g_SectionDefinition.Parameters[2], width = g_SectionDefinition.Parameters[3];
    if (!(depth > 0.0 && width > 0.0) || m_data.outline.IsEmpty())
        return;
    const double t = m_data.outline.GetDepth(0);
    for (const double z : {t + kWidthStepGap, t + depth}) {
        m_data.outline.Add(z, width);
        m_data.types.Add(z, 0.0);
    }
    m_data.outline.Sort(1);
    m_data.types.Sort(1);
}

void TDefcon4::ShowSlabFields(bool on)
{
    EnableItem(Id::SlabDepth, on);
    EnableItem(Id::SlabWidth, on);
    SetItemText(Id::SlabDepthName, on ? "Slab Depth" : "");
    SetItemText(Id::SlabWidthName, on ? "Slab Width" : "");
    SetItemText(Id::SlabDepthUnit, on ? UnitLabel(ukSectionLength) : "");
    SetItemText(Id::SlabWidthUnit, on ? UnitLabel(ukSectionLength) : "");
}

void TDefcon4::CmIncludeSlab()
{
    const SectionDefinition& def = g_SectionDefinition;
    if (def.ShapeCode != kStandardTypeCode) {
        CheckItem(Id::IncludeSlab, false);
        return;
    }
    const bool on = IsItemChecked(Id::IncludeSlab) != 0;
    ShowSlabFields(on);
    if (def.StandardIndex >= 0 && def.StandardIndex < kShapeTableSize && StandardTable[static_cast<std::size_t>(def.StandardIndex)])
        Evaluate(def.StandardIndex);
    m_sketch.Invalidate();
}

void TDefcon4::SlabChanged(int k)
{
    if (!m_ready)
        return;
    const int id = k == 2 ? Id::SlabDepth : Id::SlabWidth;
    g_SectionDefinition.Parameters[static_cast<std::size_t>(k)] = TypedLength(GetItemText(id));
    const int slot = g_SectionDefinition.StandardIndex;
    if (IsItemChecked(Id::IncludeSlab) && slot >= 0 && slot < kShapeTableSize && StandardTable[static_cast<std::size_t>(slot)])
        Evaluate(slot);
    m_sketch.Invalidate();
}

void TDefcon4::SketchClick(plat::Point p)
{
    const int band = m_sketch.BandAt(p);
    if (band < 0)
        return;
    int type = static_cast<int>(GetTableValue(m_data.types, band));
    if (ChooseConcreteType(this, m_data.beam, type)) {
        m_data.types.SetValue(band, type);
        m_sketch.Invalidate();
    }
}

// ---- The sheet ------------------------------------------------------------------------------

namespace {

bool SamePoints(const TDepthTable& a, const TDepthTable& b)
{
    if (a.GetCount() != b.GetCount())
        return false;
    for (int i = 0; i < a.GetCount(); ++i)
        if (a.GetDepth(i) != b.GetDepth(i) || a.GetValue(i) != b.GetValue(i))
            return false;
    return true;
}

} // namespace

SectionSheetStart StartSectionSheet(TBeam& beam, TDepthTable& outline, TDepthTable& types)
{
    ExtractOutlineCurves(beam, outline, types);
    SectionSheetStart start;
    start.outline = outline;
    start.types = types;
    NormaliseOutline(start.outline, start.types);
    start.definition = g_SectionDefinition;
    return start;
}

int FinishSectionSheet(TBeam& beam, TDepthTable& outline, TDepthTable& types, const SectionSheetStart& start)
{
    TDepthTable shown = outline, shownTypes = types;
    NormaliseOutline(shown, shownTypes);
    if (SamePoints(shown, start.outline) && SamePoints(shownTypes, start.types) &&
        g_SectionDefinition == start.definition)
        return 0;
    BuildSectionShape(beam, outline, types);
    return 1;
}

int RunSectionSheet(plat::Window* parent, TBeam& beam, int row)
{
    SectionSheetData data;
    data.beam = &beam;
    const SectionSheetStart opened = StartSectionSheet(beam, data.outline, data.types);
    const int code = g_SectionDefinition.ShapeCode;
    TDefcon2 basic(data);
    TDefcon4 standard(data);
    TDefcon3 user(data, row);
    const int start = code == kUserShapeCode ? 2 : code == kStandardTypeCode ? 1 : 0;
    plat::PropertySheet sheet(parent, "Define Concrete Cross Section", start);
    sheet.AddPage(basic);
    sheet.AddPage(standard);
    sheet.AddPage(user);
    const int result = sheet.Execute();
    if (result == plat::DialogResult::Ok)
        FinishSectionSheet(beam, data.outline, data.types, opened);
    return result;
}
