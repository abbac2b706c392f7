#pragma once
// "Define Concrete Cross Section": three pages over one outline and type table and the shape
// description g_SectionDefinition. "Basic Shapes" (TDefcon2) takes a library shape and its
// parameters, "Standard Shapes" (TDefcon4) a catalogue shape with an optional slab, "User
// Defined" (TDefcon3) the outline point by point.

#include <array>
#include <memory>
#include <vector>

#include "foundation/TDepthTable.h"
#include "model/shapes/SectionDefinitionRecord.h"
#include "platform/Controls.h"
#include "platform/PropertySheet.h"

#include "dialogs/OutlineEditor.h"
#include "dialogs/SectionSketch.h"

class TBeam;

namespace SectionPageId {
inline constexpr int Basic = 310, User = 311, Standard = 312;
// Basic Shapes.
inline constexpr int ShapeList = 5025, Status = 5026;
inline constexpr std::array<int, 6> ParamEdits{5060, 5061, 5062, 5123, 5064, 101};
inline constexpr std::array<int, 6> ParamNames{230, 239, 238, 237, 236, 231};
inline constexpr std::array<int, 6> ParamUnits{130, 131, 132, 133, 134, 235};
// User Defined.
inline constexpr int Elevation = 5032, Width = 5011, Add = 5068, Modify = 5078, Delete = 5035;
inline constexpr int Rows = 5072, TypeGroup = 5022, ElevationUnit = 130, WidthUnit = 131, HalfShown = 230;
// Standard Shapes.
inline constexpr int Tree = 5700, SketchGroup = 5040, IncludeSlab = 102, SlabDepth = 5123, SlabWidth = 5064;
inline constexpr int SlabDepthName = 230, SlabWidthName = 239, SlabDepthUnit = 130, SlabWidthUnit = 131;
} // namespace SectionPageId

// What the pages share while the sheet runs.
struct SectionSheetData {
    TDepthTable outline{"section outline"};
    TDepthTable types{"outline concrete types"};
    TBeam* beam = nullptr;
};

class TDefcon2 : public plat::PropertyPage {
public:
    explicit TDefcon2(SectionSheetData& data);
    void SetupWindow() override;
    void SetActive() override;
    bool KillActive() override;

private:
    void ItemChanged();
    void ShowShape(int slot);
    void ParameterChanged(int k);
    void ShowDescription(int k);
    // The first parameter of the chosen library shape that is not above zero, or is past the
    // largest dimension a shape is built with (or no number); -1 when none.
    int RefusedDimension() const;
    // No outline yet and every parameter 0: a section still to be drawn, which leaving the page
    // does not build.
    bool NothingToBuild() const;

    SectionSheetData& m_data;
    plat::ListView m_list;
    std::vector<int> m_slots;  // list row -> library slot
    bool m_ready = false;
};

class TDefcon3 : public plat::PropertyPage {
public:
    TDefcon3(SectionSheetData& data, int row);
    void SetupWindow() override;
    void SetActive() override;
    bool KillActive() override;
    void CmAdd();
    void CmModify();
    void AfterEdit();
    void CmDelete();
    TOutlineEditor& Editor() { return m_editor; }
    TSectionSketch& Sketch() { return m_sketch; }
    // A click at a point of the page: the band's concrete type is chosen.
    void SketchClick(plat::Point p);

private:
    void FillList();
    void RowSelected();

    SectionSheetData& m_data;
    plat::ListBox m_list;
    TOutlineEditor m_editor;
    TSectionSketch m_sketch;
};

class TDefcon4 : public plat::PropertyPage {
public:
    explicit TDefcon4(SectionSheetData& data);
    void SetupWindow() override;
    void SetActive() override;
    // An included slab's depth or width that holds no number keeps the page.
    bool KillActive() override;
    void CmIncludeSlab();
    TSectionSketch& Sketch() { return m_sketch; }
    void SketchClick(plat::Point p);

private:
    void FillTree();
    void EntrySelected();
    // Evaluates the catalogue shape into the tables and adds the slab when it is included.
    void Evaluate(int slot);
    void AddSlab();
    void SlabChanged(int k);
    void ShowSlabFields(bool on);

    SectionSheetData& m_data;
    plat::TreeView m_tree;
    TSectionSketch m_sketch;
    bool m_ready = false;
};

// What the sheet shows when it opens: the outline and its types on the grid of the unit
// system, and the shape description.
struct SectionSheetStart {
    TDepthTable outline{"section outline"};
    TDepthTable types{"outline concrete types"};
    SectionDefinition definition;
};
// Fills the tables (and g_SectionDefinition) from the beam, as the sheet opens.
SectionSheetStart StartSectionSheet(TBeam& beam, TDepthTable& outline, TDepthTable& types);
// OK: the beam's regions and shape rebuilt from the tables and g_SectionDefinition, unless they
// are what the sheet showed when it opened (nothing was edited): rebuilding them would move the
// section by the grid the sheet shows it on. Returns 1 when the section was rebuilt.
int FinishSectionSheet(TBeam& beam, TDepthTable& outline, TDepthTable& types, const SectionSheetStart& start);

// Opens the sheet on the beam (row: the User Defined page's row) and, on OK, rebuilds its
// regions from the outline. The result: 1 OK, 2 Cancel.
int RunSectionSheet(plat::Window* parent, TBeam& beam, int row);

// The concrete type of the middle band of a type table, 0 when it is empty.
int MiddleConcreteType(const TDepthTable& types);
