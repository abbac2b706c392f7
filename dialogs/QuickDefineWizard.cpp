#include "dialogs/QuickDefineWizard.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "dialogs/QuickDefine.h"
#include "dialogs/RefusedField.h"
#include "dialogs/ShapeIcons.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/catalogues/TRebarList.h"
#include "model/shapes/ShapeLibrary.h"
#include "platform/DC.h"
#include "platform/Ui.h"

namespace {

using plat::ControlKind;
using plat::DialogItem;
using plat::DialogTemplate;
namespace Q = QuickId;

// What the record follows while the user types: a text that is not a finite number counts as 0
// until the page is left, when it is refused.
double Number(const std::string& text)
{
    const double v = TypedNumber(text);
    return std::isfinite(v) ? v : 0.0;
}
// Bar and strand counts typed: at most this many, so a slip of the finger cannot make a
// section of thousands of layers.
int Count(const std::string& text) { return std::clamp(ClampToInt(Number(text)), 0, kMaxQuickCount); }
double Factor(int kind) { return UnitFactor(kind, g_UnitSystem); }
std::string Label(int kind) { return UnitLabel(kind, g_UnitSystem); }
bool Si() { return g_UnitSystem == kUnitSI; }
std::string Length(double m) { return StrPrintf(Si() ? "%5.0f" : "%5.2f", m * Factor(ukSectionLength)); }

DialogTemplate Page1Template()
{
    DialogTemplate t;
    t.caption = "Quick Define - Step 1 of 4";
    t.Add(DialogItem::Make(-1, ControlKind::Static,
                           "Give the section a title and the strengths of its concrete and steel."))
        .Add(DialogItem::Make(Q::GeneralGroup, ControlKind::GroupBox, "General Information"))
        .Add(DialogItem::Make(Q::Title, ControlKind::Edit, "", "Title "))
        .Add(DialogItem::Make(Q::Author, ControlKind::Edit, "", "Analysis By:"))
        .Add(DialogItem::EndGroup())
        .Add(DialogItem::Make(Q::MaterialGroup, ControlKind::GroupBox, "Material Properties"))
        .Add(DialogItem::Make(Q::Fc, ControlKind::Edit, "", "Concrete Cylinder Strength"))
        .Add(DialogItem::Beside(Q::FcUnit, ControlKind::Static, "MPa"))
        .Add(DialogItem::Make(Q::FyLong, ControlKind::Edit, "", "Long. Steel Yield Strength"))
        .Add(DialogItem::Beside(Q::FyLongUnit, ControlKind::Static, "MPa"))
        .Add(DialogItem::Make(Q::FyTrans, ControlKind::Edit, "", "Transverse Steel Yield"))
        .Add(DialogItem::Beside(Q::FyTransUnit, ControlKind::Static, "MPa"))
        .Add(DialogItem::Make(Q::Strand, ControlKind::ComboBox, "", "Prestressed Steel Type",
                              plat::CtlStyle::DropDownList))
        .Add(DialogItem::EndGroup());
    t.items[2].textLimit = static_cast<int>(kQuickTitleChars);
    t.items[3].textLimit = static_cast<int>(kQuickAuthorChars);
    return t;
}

DialogTemplate Page2Template()
{
    DialogTemplate t;
    t.caption = "Quick Define - Step 2 of 4";
    t.Add(DialogItem::Make(-1, ControlKind::Static, "Choose a shape, then give its dimensions."))
        .Add(DialogItem::Make(Q::ShapeList, ControlKind::ListView));
    for (int k = 0; k < 6; ++k)
        t.Add(DialogItem::Make(Q::DimNames[k], ControlKind::Static, "Parameter"))
            .Add(DialogItem::Beside(Q::Dims[k], ControlKind::Edit))
            .Add(DialogItem::Beside(Q::DimUnits[k], ControlKind::Static, "mm"));
    t.Add(DialogItem::Make(Q::Status, ControlKind::StatusBar, "No Current Selection"));
    return t;
}

DialogTemplate Page3Template()
{
    DialogTemplate t;
    t.caption = "Quick Define - Step 3 of 4";
    t.Add(DialogItem::Make(-1, ControlKind::Static,
                           "How many longitudinal bars, and which? The counts suggested follow the shape."))
        .Add(DialogItem::Make(Q::TopGroup, ControlKind::GroupBox, "Top Non-Prestressed Reinforcement"))
        .Add(DialogItem::Make(Q::TopCount, ControlKind::Edit, "", "Number of Bars"))
        .Add(DialogItem::Make(Q::TopLabel, ControlKind::Static, "Bar Designation"))
        .Add(DialogItem::Beside(Q::TopBar, ControlKind::Edit))
        .Add(DialogItem::Beside(Q::TopExample, ControlKind::Static, "(e.g. #3 or 25M)"))
        .Add(DialogItem::Beside(Q::TopUnit, ControlKind::Static))
        .Add(DialogItem::Make(Q::TopByArea, ControlKind::CheckBox, "Select bar by area"))
        .Add(DialogItem::EndGroup())
        .Add(DialogItem::Make(Q::BottomGroup, ControlKind::GroupBox, "Bottom Non-Prestressed Reinforcement"))
        .Add(DialogItem::Make(Q::BottomCount, ControlKind::Edit, "", "Number of Bars"))
        .Add(DialogItem::Make(Q::BottomLabel, ControlKind::Static, "Bar Designation"))
        .Add(DialogItem::Beside(Q::BottomBar, ControlKind::Edit))
        .Add(DialogItem::Beside(Q::BottomExample, ControlKind::Static, "(e.g. #3 or 25M)"))
        .Add(DialogItem::Beside(Q::BottomUnit, ControlKind::Static))
        .Add(DialogItem::Make(Q::BottomByArea, ControlKind::CheckBox, "Select bar by area"))
        .Add(DialogItem::EndGroup());
    return t;
}

DialogTemplate Page4Template()
{
    DialogTemplate t;
    t.caption = "Quick Define - Step 4 of 4";
    t.Add(DialogItem::Make(-1, ControlKind::Static, "Stirrups, cover and prestressing strands; then Finish."))
        .Add(DialogItem::Make(Q::StirrupKind, ControlKind::ComboBox, "", "Stirrup Type", plat::CtlStyle::DropDownList))
        .Add(DialogItem::Make(Q::StirrupLabel, ControlKind::Static, "Bar Designation"))
        .Add(DialogItem::Beside(Q::StirrupBar, ControlKind::Edit))
        .Add(DialogItem::Beside(Q::StirrupExample, ControlKind::Static, "(e.g. #3 or 10M)"))
        .Add(DialogItem::Beside(Q::StirrupUnit, ControlKind::Static))
        .Add(DialogItem::Make(Q::StirrupByArea, ControlKind::CheckBox, "Select bar by area"))
        .Add(DialogItem::Make(Q::Spacing, ControlKind::Edit, "", "Stirrup Spacing"))
        .Add(DialogItem::Beside(Q::SpacingUnit, ControlKind::Static, "mm"))
        .Add(DialogItem::Make(Q::Cover, ControlKind::Edit, "", "Clear Cover"))
        .Add(DialogItem::Beside(Q::CoverUnit, ControlKind::Static, "mm"))
        .Add(DialogItem::Make(Q::StrandLabel, ControlKind::Static, "Number of 13 mm strands"))
        .Add(DialogItem::Beside(Q::StrandCount, ControlKind::Edit))
        .Add(DialogItem::Make(Q::Prestrain, ControlKind::Edit, "", "Delta-Epsilon P"))
        .Add(DialogItem::Beside(Q::PrestrainUnit, ControlKind::Static, "mm/m"));
    return t;
}

void SetWizardButtons(plat::PropertyPage& page, unsigned buttons)
{
    if (plat::PropertySheet* sheet = page.GetSheet())
        sheet->SetWizButtons(buttons);
}

} // namespace

std::vector<std::string> QuickStrandListTexts(int unitSystem)
{
    if (unitSystem == kUnitUS)
        return {"None", "270 ksi Low Relaxation 0.5\" strands", "270 ksi Stress Relieved 0.5\" strands",
                "270 ksi Low Relaxation 0.6\" strands", "270 ksi Stress Relieved 0.6\" strands"};
    return {"None", "1860 MPa Low Relaxation 13 mm strands", "1860 MPa Stress Relieved 13 mm strands",
            "1860 MPa Low Relaxation 15 mm strands", "1860 MPa Stress Relieved 15 mm strands"};
}

std::vector<std::string> QuickStirrupListTexts()
{
    return {"None", "Single Leg", "Open Stirrup", "Closed Stirrup", "Hoop", "T Headed single leg",
            "Interlocking Hoops"};
}

void TQuickDefPage::ShowBar(const BarSelectorView& view, const QuickBarFields& f)
{
    const bool ready = m_ready;
    m_ready = false;
    SetItemText(f.edit, view.text);
    SetItemText(f.label, view.label);
    SetItemText(f.example, view.example);
    SetItemText(f.unit, view.unit);
    CheckItem(f.byArea, view.byArea);
    m_ready = ready;
}

void TQuickDefPage::PullBar(BarSelectorView& view, const QuickBarFields& f)
{
    view.text = GetItemText(f.edit);
    view.byArea = IsItemChecked(f.byArea);
}

bool TQuickDefPage::Refused(int id, const std::string& message)
{
    if (message.empty())
        return false;
    RefuseField(*this, id, message, "Define Beam Section");
    return true;
}

bool TQuickDefPage::RefusedValue(int id, int field, bool magnitude)
{
    double value = 0.0;
    const std::string text = GetItemText(id);
    const char* name = QuickFieldName(field);
    const TypedRange& range = QuickFieldRange(field);
    return Refused(id, magnitude ? ReadTypedMagnitude(text, name, range, value)
                                 : ReadTypedValue(text, name, range, value));
}

bool TQuickDefPage::RefusedCount(int id)
{
    int count = 0;
    return Refused(id, ReadTypedCount(GetItemText(id), QuickFieldName(QuickField::Counts), 0, kMaxQuickCount, count));
}

// ---- Page 1 -----------------------------------------------------------------------------------

TQuickDef::TQuickDef() : TQuickDefPage("Quick Define - Step 1 of 4", Page1Template()), m_strands(*this, Q::Strand)
{
    TQuickDefData& q = g_QuickDefData;
    AddNotifyTable({
        {Q::Title, plat::Notify::Change,
         [this, &q] {
             if (m_ready)
                 q.title = GetItemText(Q::Title).substr(0, kQuickTitleChars);
         }},
        {Q::Author, plat::Notify::Change,
         [this, &q] {
             if (m_ready)
                 q.analysedBy = GetItemText(Q::Author).substr(0, kQuickAuthorChars);
         }},
        {Q::Fc, plat::Notify::Change,
         [this, &q] {
             if (m_ready)
                 q.fc = -std::fabs(Number(GetItemText(Q::Fc))) / Factor(ukStress);
         }},
        {Q::FyLong, plat::Notify::Change,
         [this, &q] {
             if (m_ready)
                 q.fyLong = Number(GetItemText(Q::FyLong)) / Factor(ukLargeStress);
         }},
        {Q::FyTrans, plat::Notify::Change,
         [this, &q] {
             if (m_ready)
                 q.fyTrans = Number(GetItemText(Q::FyTrans)) / Factor(ukLargeStress);
         }},
        {Q::Strand, plat::Notify::SelChange,
         [this, &q] {
             if (m_ready)
                 q.strandKind = std::max(0, m_strands.GetSelIndex());
         }},
    });
}

void TQuickDef::SetupWindow()
{
    TQuickDefPage::SetupWindow();
    m_ready = false;
    const TQuickDefData& q = g_QuickDefData;
    SetItemText(Q::Title, q.title);
    SetItemText(Q::Author, q.analysedBy);
    SetItemText(Q::Fc, StrPrintf(Si() ? "%5.1f" : "%5.0f", std::fabs(q.fc) * Factor(ukStress)));
    const char* fy = Si() ? "%5.0f" : "%5.1f";
    SetItemText(Q::FyLong, StrPrintf(fy, q.fyLong * Factor(ukLargeStress)));
    SetItemText(Q::FyTrans, StrPrintf(fy, q.fyTrans * Factor(ukLargeStress)));
    SetItemText(Q::FcUnit, Label(ukStress));
    SetItemText(Q::FyLongUnit, Label(ukLargeStress));
    SetItemText(Q::FyTransUnit, Label(ukLargeStress));
    m_strands.ClearList();
    for (const std::string& text : QuickStrandListTexts(g_UnitSystem))
        m_strands.AddString(text);
    m_strands.SetSelIndex(std::clamp(q.strandKind, 0, 4));
    m_ready = true;
}

void TQuickDef::SetActive() { SetWizardButtons(*this, plat::SheetButton::Next); }

bool TQuickDef::KillActive()
{
    return !RefusedValue(Q::Fc, QuickField::Fc, true) && !RefusedValue(Q::FyLong, QuickField::FyLong, true) &&
           !RefusedValue(Q::FyTrans, QuickField::FyTrans, true);
}

// ---- Page 2 -----------------------------------------------------------------------------------

namespace {

constexpr const char* kCatalogueLabels[4] = {"Type", "Haunch", "Slab H", "Slab W"};
constexpr const char* kCatalogueHints[4] = {"Press any key for listing of valid types",
                                            "Depth of haunch between slab and girder", "Depth of slab on girder",
                                            "Effective width of slab on girder"};

// Catalogue entries of a category, in table order.
std::vector<int> CategoryEntries(int firstEntry)
{
    std::vector<int> entries;
    if (firstEntry < 0 || firstEntry >= kShapeTableSize || !StandardTable[static_cast<std::size_t>(firstEntry)])
        return entries;
    const std::string category = StandardTable[static_cast<std::size_t>(firstEntry)]->category;
    for (int i = firstEntry; i < kShapeTableSize; ++i) {
        const TStandard* s = StandardTable[static_cast<std::size_t>(i)].get();
        if (!s)
            continue;
        if (s->category != category)
            break;
        entries.push_back(i);
    }
    return entries;
}

} // namespace

TQuickDef3::TQuickDef3()
    : TQuickDefPage("Quick Define - Step 2 of 4", Page2Template()), m_list(*this, Q::ShapeList), m_icons(32, 32)
{
    AddNotifyTable({{Q::ShapeList, plat::Notify::ItemChanged, [this] { ShapeSelected(); }}});
    for (int k = 0; k < 6; ++k)
        AddNotifyTable({{Q::Dims[k], plat::Notify::SetFocus, [this, k] { DimFocused(k); }},
                        {Q::Dims[k], plat::Notify::Change, [this, k] { DimTyped(k); }}});
}

void TQuickDef3::SetupWindow()
{
    TQuickDefPage::SetupWindow();
    m_ready = false;
    m_rows.clear();
    m_icons = plat::ImageList(32, 32);
    m_list.DeleteAllItems();
    m_list.AddColumn("Title", 300);
    std::vector<int> icons;
    for (int i = 0; i < kShapeTableSize; ++i) {
        const TShape* shape = ShapeTable[static_cast<std::size_t>(i)].get();
        if (!shape)
            continue;
        m_rows.push_back({i, -1, -1});
        icons.push_back(AddShapeIcon(m_icons, *shape));
    }
    // A catalogue category shows the outline of its first shape drawn small.
    std::vector<std::string> categories;
    std::string previous;
    int category = -1;
    for (int i = 0; i < kShapeTableSize; ++i) {
        TStandard* s = StandardTable[static_cast<std::size_t>(i)].get();
        if (!s)
            continue;
        if (category < 0 || s->category != previous) {
            ++category;
            previous = s->category;
            m_rows.push_back({-1, category, i});
            categories.push_back(s->category);
            const plat::Image outline = ShapeOutlineIcon(*s, m_icons.Width());
            icons.push_back(outline.IsNull() ? -1 : m_icons.Add(outline));
        }
    }
    if (m_icons.Count() > 0)
        m_list.SetImageList(m_icons);
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const int shape = m_rows[r].shape;
        m_list.AddItem(shape >= 0 ? ShapeTable[static_cast<std::size_t>(shape)]->title
                                  : categories[static_cast<std::size_t>(m_rows[r].category)],
                       icons[r]);
    }
    const TQuickDefData& q = g_QuickDefData;
    int row = -1;
    for (std::size_t r = 0; r < m_rows.size() && row < 0; ++r) {
        if (q.shapeCode == kStandardTypeCode && m_rows[r].shape < 0) {
            const std::vector<int> entries = CategoryEntries(m_rows[r].firstEntry);
            if (std::find(entries.begin(), entries.end(), q.standardIndex) != entries.end())
                row = static_cast<int>(r);
        } else if (m_rows[r].shape == q.shapeCode) {
            row = static_cast<int>(r);
        }
    }
    for (int k = 0; k < 6; ++k) {
        SetItemText(Q::Dims[k], Length(q.dim[static_cast<std::size_t>(k)]));
        SetItemText(Q::DimUnits[k], Label(ukSectionLength));
    }
    if (row >= 0) {
        m_list.SetSelIndex(row);
        m_list.EnsureVisible(row);
        if (q.shapeCode == kStandardTypeCode)
            ShowCatalogueShape();
        else
            ShowLibraryShape(q.shapeCode);
    }
    m_ready = true;
}

void TQuickDef3::SetActive() { SetWizardButtons(*this, plat::SheetButton::Back | plat::SheetButton::Next); }

bool TQuickDef3::KillActive()
{
    const bool catalogue = g_QuickDefData.shapeCode == kStandardTypeCode;
    for (int k = catalogue ? 1 : 0; k < 6; ++k)
        if (IsItemVisible(Q::Dims[k]) && RefusedValue(Q::Dims[k], QuickField::Dim0 + k, false))
            return false;
    DimTyped(1);
    return true;
}

void TQuickDef3::ShapeSelected()
{
    if (!m_ready)
        return;
    const int row = m_list.GetSelIndex();
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return;
    const Row& r = m_rows[static_cast<std::size_t>(row)];
    TQuickDefData& q = g_QuickDefData;
    if (r.shape >= 0) {
        q.shapeCode = r.shape;
        ShowLibraryShape(r.shape);
        return;
    }
    q.shapeCode = kStandardTypeCode;
    const std::vector<int> entries = CategoryEntries(r.firstEntry);
    const std::string typed = CleanDesignation(GetItemText(Q::Dims[0]));
    q.standardIndex = r.firstEntry;
    for (int e : entries)
        if (CleanDesignation(StandardTable[static_cast<std::size_t>(e)]->name) == typed)
            q.standardIndex = e;
    ShowCatalogueShape();
}

void TQuickDef3::ShowLibraryShape(int code)
{
    const TShape* shape = code >= 0 && code < kShapeTableSize ? ShapeTable[static_cast<std::size_t>(code)].get()
                                                               : nullptr;
    if (!shape)
        return;
    const bool ready = m_ready;
    m_ready = false;
    SetItemText(Q::Status, shape->title);
    const TQuickDefData& q = g_QuickDefData;
    SetItemText(Q::Dims[0], Length(q.dim[0]));
    SetItemText(Q::Dims[1], Length(q.dim[1]));
    for (int k = 0; k < 6; ++k) {
        const bool shown = k < shape->paramCount;
        SetItemText(Q::DimNames[k], shown ? shape->paramNames[static_cast<std::size_t>(k)] : std::string());
        ShowItem(Q::Dims[k], shown);
        ShowItem(Q::DimNames[k], shown);
        ShowItem(Q::DimUnits[k], shown);
    }
    m_ready = ready;
}

void TQuickDef3::ShowCatalogueShape()
{
    const TQuickDefData& q = g_QuickDefData;
    const TStandard* entry = q.standardIndex >= 0 && q.standardIndex < kShapeTableSize
                                 ? StandardTable[static_cast<std::size_t>(q.standardIndex)].get()
                                 : nullptr;
    const bool ready = m_ready;
    m_ready = false;
    SetItemText(Q::Status, StrPrintf("Standard Type: %s", entry ? entry->name.c_str() : ""));
    for (int k = 0; k < 6; ++k) {
        const bool shown = k < 4;
        SetItemText(Q::DimNames[k], shown ? kCatalogueLabels[k] : "");
        ShowItem(Q::Dims[k], shown);
        ShowItem(Q::DimNames[k], shown);
        ShowItem(Q::DimUnits[k], shown && k > 0);
        if (k > 0 && shown)
            SetItemText(Q::Dims[k], Length(q.dim[static_cast<std::size_t>(k)]));
    }
    SetItemText(Q::Dims[0], entry ? entry->name : std::string());
    m_ready = ready;
}

void TQuickDef3::DimFocused(int k)
{
    if (!m_ready)
        return;
    const TQuickDefData& q = g_QuickDefData;
    if (q.shapeCode == kStandardTypeCode) {
        if (k < 4)
            SetItemText(Q::Status, kCatalogueHints[k]);
        return;
    }
    const TShape* shape = q.shapeCode >= 0 && q.shapeCode < kShapeTableSize
                              ? ShapeTable[static_cast<std::size_t>(q.shapeCode)].get()
                              : nullptr;
    if (shape && k < shape->paramCount)
        SetItemText(Q::Status, shape->paramDescriptions[static_cast<std::size_t>(k)]);
}

void TQuickDef3::DimTyped(int k)
{
    if (!m_ready)
        return;
    TQuickDefData& q = g_QuickDefData;
    if (q.shapeCode == kStandardTypeCode && k == 0) {
        ChooseCatalogueType();
        return;
    }
    q.dim[static_cast<std::size_t>(k)] = std::max(0.0, Number(GetItemText(Q::Dims[k])) / Factor(ukSectionLength));
}

void TQuickDef3::ChooseCatalogueType()
{
    const int row = m_list.GetSelIndex();
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || m_rows[static_cast<std::size_t>(row)].shape >= 0)
        return;
    const int first = m_rows[static_cast<std::size_t>(row)].firstEntry;
    const std::vector<int> entries = CategoryEntries(first);
    std::vector<std::string> names;
    for (int e : entries)
        names.push_back(StandardTable[static_cast<std::size_t>(e)]->name);
    TQuickDefData& q = g_QuickDefData;
    int chosen = static_cast<int>(std::find(entries.begin(), entries.end(), q.standardIndex) - entries.begin());
    if (chosen >= static_cast<int>(entries.size()))
        chosen = 0;
    if (plat::ListDialog("Standard Types", names, chosen) && chosen >= 0 &&
        chosen < static_cast<int>(entries.size())) {
        q.standardIndex = entries[static_cast<std::size_t>(chosen)];
        q.shapeCode = kStandardTypeCode;
    }
    ShowCatalogueShape();
}

// ---- Page 3 -----------------------------------------------------------------------------------

namespace {

constexpr QuickBarFields kTopFields{Q::TopBar, Q::TopByArea, Q::TopLabel, Q::TopExample, Q::TopUnit};
constexpr QuickBarFields kBottomFields{Q::BottomBar, Q::BottomByArea, Q::BottomLabel, Q::BottomExample,
                                       Q::BottomUnit};

const char* const kGroupTitles[4][2] = {
    {"Top Non-Prestressed Reinforcement", "Bottom Non-Prestressed Reinforcement"},
    {"Outer Non-Prestressed Reinforcement Ring", "Inner Non-Prestressed Reinforcement Ring"},
    {"Top Non-Prestressed Reinforcement Ring", "Bottom Non-Prestressed Reinforcement Ring"},
    {"Total Slab Reinforcement", "Bottom Non-Prestressed Reinforcement"},
};

} // namespace

TQuickDef4::TQuickDef4() : TQuickDefPage("Quick Define - Step 3 of 4", Page3Template())
{
    AddNotifyTable({
        {Q::TopCount, plat::Notify::Change, [this] { TopCountTyped(); }},
        {Q::BottomCount, plat::Notify::Change, [this] { BottomCountTyped(); }},
        {Q::TopBar, plat::Notify::Change, [this] { TopBarTyped(); }},
        {Q::BottomBar, plat::Notify::Change,
         [this] {
             if (m_ready)
                 g_QuickDefData.countsUntouched = 0;
         }},
        {Q::TopBar, plat::Notify::KillFocus, [this] { BarLeft(true); }},
        {Q::BottomBar, plat::Notify::KillFocus, [this] { BarLeft(false); }},
    });
    AddResponseTable({
        {Q::TopByArea, [this] { ByArea(true); }, {}},
        {Q::BottomByArea, [this] { ByArea(false); }, {}},
    });
}

void TQuickDef4::SetupWindow()
{
    TQuickDefPage::SetupWindow();
    Suggest();
}

void TQuickDef4::SetActive()
{
    SetWizardButtons(*this, plat::SheetButton::Back | plat::SheetButton::Next);
    if (g_QuickDefData.countsUntouched == 1)
        Suggest();
}

void TQuickDef4::Suggest()
{
    m_ready = false;
    TQuickDefData& q = g_QuickDefData;
    m_mode = QuickDefineLayout(q);
    switch (m_mode) {
    case QuickLayout::OneRing:
        q.topCount = 16;
        q.topBar = q.bottomBar;
        q.topArea = q.bottomArea;
        q.bottomCount = 0;
        break;
    case QuickLayout::TwoRings:
        q.topCount = 16;
        q.topBar = q.bottomBar;
        q.topArea = q.bottomArea;
        q.bottomCount = 16;
        break;
    case QuickLayout::Girder:
        q.topCount = 20;
        q.topBar = QuickBarIndex(g_UnitSystem == kUnitUS ? "#4" : "10M");
        if (q.bottomBar < 0 && g_RebarList.Count() > 0)
            q.bottomBar = 0;
        break;
    default:
        break;
    }
    SetItemText(Q::TopCount, StrPrintf("%2d", q.topCount));
    SetItemText(Q::BottomCount, StrPrintf("%2d", q.bottomCount));
    if (q.shapeCode != kUserShapeCode) {
        SetItemText(Q::TopGroup, kGroupTitles[m_mode][0]);
        SetItemText(Q::BottomGroup, kGroupTitles[m_mode][1]);
    }
    m_top = std::make_unique<TBarSelector>(m_topView, TBarSelector::LongitudinalBars);
    m_bottom = std::make_unique<TBarSelector>(m_bottomView, TBarSelector::LongitudinalBars);
    m_top->Init(q.topBar, q.topArea, q.topCount == 0);
    if (q.bottomCount == 0)
        m_bottom->Init(q.topBar, q.topArea, 1);
    else
        m_bottom->Init(q.bottomBar, q.bottomArea, 0);
    ShowBar(m_topView, kTopFields);
    ShowBar(m_bottomView, kBottomFields);
    m_ready = true;
}

void TQuickDef4::TopCountTyped()
{
    if (!m_ready)
        return;
    TQuickDefData& q = g_QuickDefData;
    q.countsUntouched = 0;
    q.topCount = Count(GetItemText(Q::TopCount));
    m_ready = false;
    if (q.topCount == 0)
        SetItemText(Q::TopBar, "");
    if (m_mode == QuickLayout::TwoRings) {
        SetItemText(Q::BottomCount, GetItemText(Q::TopCount));
        q.bottomCount = q.topCount;
    }
    m_ready = true;
}

void TQuickDef4::BottomCountTyped()
{
    if (!m_ready)
        return;
    g_QuickDefData.countsUntouched = 0;
    g_QuickDefData.bottomCount = Count(GetItemText(Q::BottomCount));
}

void TQuickDef4::TopBarTyped()
{
    if (!m_ready || m_mode != QuickLayout::TwoRings)
        return;
    m_ready = false;
    SetItemText(Q::BottomBar, GetItemText(Q::TopBar));
    m_ready = true;
}

void TQuickDef4::ByArea(bool top)
{
    if (!m_ready)
        return;
    g_QuickDefData.countsUntouched = 0;
    BarSelectorView& view = top ? m_topView : m_bottomView;
    const QuickBarFields& f = top ? kTopFields : kBottomFields;
    PullBar(view, f);
    (top ? m_top : m_bottom)->ToggleByArea(0);
    ShowBar(view, f);
}

void TQuickDef4::BarLeft(bool top)
{
    if (!m_ready)
        return;
    const int count = top ? g_QuickDefData.topCount : g_QuickDefData.bottomCount;
    if (count < 1)
        return;
    BarSelectorView& view = top ? m_topView : m_bottomView;
    const QuickBarFields& f = top ? kTopFields : kBottomFields;
    PullBar(view, f);
    (top ? m_top : m_bottom)->Check();
    ShowBar(view, f);
}

void TQuickDef4::Store()
{
    TQuickDefData& q = g_QuickDefData;
    if (q.topCount > 0 && m_top) {
        PullBar(m_topView, kTopFields);
        m_top->Read(q.topBar, q.topArea);
    }
    if (q.bottomCount >= 1 && m_bottom) {
        PullBar(m_bottomView, kBottomFields);
        m_bottom->Read(q.bottomBar, q.bottomArea);
    }
}

bool TQuickDef4::KillActive()
{
    if (RefusedCount(Q::TopCount) || RefusedCount(Q::BottomCount))
        return false;
    const TQuickDefData& q = g_QuickDefData;
    if (q.topCount > 0 && m_top) {
        PullBar(m_topView, kTopFields);
        if (Refused(Q::TopBar, CheckTypedBarArea(m_topView)))
            return false;
    }
    if (q.bottomCount > 0 && m_bottom) {
        PullBar(m_bottomView, kBottomFields);
        if (Refused(Q::BottomBar, CheckTypedBarArea(m_bottomView)))
            return false;
    }
    Store();
    return true;
}

// ---- Page 4 -----------------------------------------------------------------------------------

namespace {
constexpr QuickBarFields kStirrupFields{Q::StirrupBar, Q::StirrupByArea, Q::StirrupLabel, Q::StirrupExample,
                                        Q::StirrupUnit};
} // namespace

TQuickDef5::TQuickDef5() : TQuickDefPage("Quick Define - Step 4 of 4", Page4Template()), m_kinds(*this, Q::StirrupKind)
{
    TQuickDefData& q = g_QuickDefData;
    AddNotifyTable({
        {Q::StirrupKind, plat::Notify::SelChange,
         [this, &q] {
             if (m_ready)
                 q.stirrupKind = std::max(0, m_kinds.GetSelIndex());
         }},
        {Q::Spacing, plat::Notify::Change,
         [this, &q] {
             if (m_ready)
                 q.stirrupSpacing = std::fabs(Number(GetItemText(Q::Spacing))) / Factor(ukSectionLength);
         }},
        {Q::Cover, plat::Notify::Change,
         [this, &q] {
             if (m_ready)
                 q.cover = std::fabs(Number(GetItemText(Q::Cover))) / Factor(ukSectionLength);
         }},
        {Q::StrandCount, plat::Notify::Change,
         [this, &q] {
             if (m_ready)
                 q.strandCount = Count(GetItemText(Q::StrandCount));
         }},
        {Q::Prestrain, plat::Notify::Change,
         [this, &q] {
             if (m_ready)
                 q.strandPrestrain = Number(GetItemText(Q::Prestrain)) / Factor(ukStrain);
         }},
        {Q::StirrupBar, plat::Notify::KillFocus,
         [this] {
             if (!m_ready || !m_stirrup)
                 return;
             PullBar(m_view, kStirrupFields);
             m_stirrup->Check();
             ShowBar(m_view, kStirrupFields);
         }},
    });
    AddResponseTable({{Q::StirrupByArea,
                       [this] {
                           if (!m_ready || !m_stirrup)
                               return;
                           PullBar(m_view, kStirrupFields);
                           m_stirrup->ToggleByArea(0);
                           ShowBar(m_view, kStirrupFields);
                       },
                       {}}});
}

void TQuickDef5::SetupWindow()
{
    TQuickDefPage::SetupWindow();
    m_ready = false;
    TQuickDefData& q = g_QuickDefData;
    if (q.shapeCode != kStandardTypeCode && q.shapeCode != kUserShapeCode) {
        const int layout = QuickDefineLayout(q);
        if (layout == QuickLayout::OneRing)
            q.stirrupKind = QuickStirrup::Hoop;
        else if (layout == QuickLayout::TwoRings)
            q.stirrupKind = QuickStirrup::Interlocking;
    }
    m_kinds.ClearList();
    for (const std::string& text : QuickStirrupListTexts())
        m_kinds.AddString(text);
    m_kinds.SetSelIndex(std::clamp(q.stirrupKind, 0, 6));
    m_stirrup = std::make_unique<TBarSelector>(m_view, TBarSelector::TransverseBars);
    m_stirrup->Init(q.stirrupBar, q.stirrupArea, 0);
    ShowBar(m_view, kStirrupFields);
    SetItemText(Q::Spacing, Length(q.stirrupSpacing));
    SetItemText(Q::Cover, Length(q.cover));
    SetItemText(Q::SpacingUnit, Label(ukSectionLength));
    SetItemText(Q::CoverUnit, Label(ukSectionLength));
    SetItemText(Q::StrandLabel, g_UnitSystem == kUnitUS ? "Number of 1/2\" strands" : "Number of 13 mm strands");
    SetItemText(Q::StrandCount, StrPrintf("%d", q.strandCount));
    SetItemText(Q::Prestrain, StrPrintf("%5.3f", q.strandPrestrain * Factor(ukStrain)));
    SetItemText(Q::PrestrainUnit, Label(ukStrain));
    m_ready = true;
}

void TQuickDef5::SetActive() { SetWizardButtons(*this, plat::SheetButton::Back | plat::SheetButton::Finish); }

void TQuickDef5::Store()
{
    if (!m_stirrup)
        return;
    PullBar(m_view, kStirrupFields);
    m_stirrup->Read(g_QuickDefData.stirrupBar, g_QuickDefData.stirrupArea);
}

bool TQuickDef5::KillActive()
{
    if (RefusedValue(Q::Spacing, QuickField::Spacing, true) || RefusedValue(Q::Cover, QuickField::Cover, true) ||
        RefusedCount(Q::StrandCount) || RefusedValue(Q::Prestrain, QuickField::Prestrain, false))
        return false;
    if (m_stirrup) {
        PullBar(m_view, kStirrupFields);
        if (Refused(Q::StirrupBar, CheckTypedBarArea(m_view)))
            return false;
    }
    Store();
    return true;
}

bool TQuickDef5::WizFinish()
{
    if (!KillActive())
        return false;
    // Finish builds the section or keeps the wizard open: a dimension the chosen shape does
    // not show is brought into range, and anything else the build would refuse is named.
    BringHiddenDimsIntoRange(g_QuickDefData);
    if (const TypedRefusal refused = CheckQuickDefine(g_QuickDefData)) {
        plat::MessageBox(refused.message, "Define Beam Section", MsgStyle::Ok | MsgStyle::IconExclamation);
        return false;
    }
    return true;
}

// ---- The wizard -------------------------------------------------------------------------------

int RunQuickDefineWizard(plat::Window* parent, TStructure& structure)
{
    plat::PropertySheet sheet(parent, "Define Beam Section", 0, true);
    TQuickDef page1;
    TQuickDef3 page2;
    TQuickDef4 page3;
    TQuickDef5 page4;
    sheet.AddPage(page1);
    sheet.AddPage(page2);
    sheet.AddPage(page3);
    sheet.AddPage(page4);
    ResetQuickDefine(structure);
    if (sheet.Execute() != plat::DialogResult::Ok)
        return plat::DialogResult::Cancel;
    // Success only for a section built.
    return BuildQuickDefineSection(structure) != 0 ? plat::DialogResult::Ok : plat::DialogResult::Cancel;
}
