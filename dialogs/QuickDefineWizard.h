#pragma once
// The quick-define wizard "Define Beam Section": four pages that edit the quick-define record
// (dialogs/QuickDefine.h) as the user types. Values are typed and shown in the active unit
// system and stored in SI. Each page has a ready flag: its change handlers do nothing until
// its set-up has filled the controls.

#include <memory>
#include <vector>

#include "dialogs/BarSelector.h"
#include "platform/PropertySheet.h"

class TStructure;

namespace QuickId {
// Page 1.
inline constexpr int Title = 5060, Author = 5061, Fc = 5064, FyLong = 5031, FyTrans = 5065, Strand = 5070;
inline constexpr int FcUnit = 5059, FyLongUnit = 5058, FyTransUnit = 5057;
inline constexpr int MaterialGroup = 5033, GeneralGroup = 5063;
// Page 2.
inline constexpr int ShapeList = 5025, Status = 5026;
inline constexpr int Dims[6] = {5060, 5061, 5062, 5123, 5064, 101};
inline constexpr int DimNames[6] = {130, 131, 132, 133, 134, 230};
inline constexpr int DimUnits[6] = {231, 232, 233, 234, 235, 236};
// Page 3.
inline constexpr int TopGroup = 5039, TopCount = 5060, TopBar = 5061, TopByArea = 107;
inline constexpr int TopLabel = 130, TopExample = 131, TopUnit = 132;
inline constexpr int BottomGroup = 5040, BottomCount = 5062, BottomBar = 5123, BottomByArea = 5014;
inline constexpr int BottomLabel = 230, BottomExample = 239, BottomUnit = 238;
// Page 4.
inline constexpr int StirrupKind = 5004, StirrupBar = 5061, StirrupByArea = 5067;
inline constexpr int StirrupLabel = 130, StirrupExample = 131, StirrupUnit = 132;
inline constexpr int Spacing = 5062, Cover = 5065, SpacingUnit = 230, CoverUnit = 238;
inline constexpr int StrandCount = 5041, StrandLabel = 237, Prestrain = 5044, PrestrainUnit = 239;
} // namespace QuickId

// A bar selector over two edits, a check box and three statics of a page.
struct QuickBarFields {
    int edit, byArea, label, example, unit;
};

class TQuickDefPage : public plat::PropertyPage {
public:
    TQuickDefPage(std::string title, plat::DialogTemplate tmpl) : plat::PropertyPage(std::move(title), std::move(tmpl)) {}
    bool IsReady() const { return m_ready; }

protected:
    // Shows a selector's view in its controls, and reads the field back into the view.
    void ShowBar(const BarSelectorView& view, const QuickBarFields& f);
    void PullBar(BarSelectorView& view, const QuickBarFields& f);
    // A typed answer the page refuses (a message given): told, its field selected; true.
    bool Refused(int id, const std::string& message);
    // The field's text read against an answer's range (a value, or by magnitude); true when refused.
    bool RefusedValue(int id, int field, bool magnitude);
    bool RefusedCount(int id);
    bool m_ready = false;
};

// Page 1: title, author, strengths and the strand kind.
class TQuickDef : public TQuickDefPage {
public:
    TQuickDef();
    void SetupWindow() override;
    void SetActive() override;
    bool KillActive() override;

private:
    plat::ComboBox m_strands;
};

// Page 2: the shape, from the library or a catalogue category, and its dimensions.
class TQuickDef3 : public TQuickDefPage {
public:
    TQuickDef3();
    void SetupWindow() override;
    void SetActive() override;
    bool KillActive() override;

    // What a row of the shape list stands for: a library index, or a catalogue category.
    struct Row {
        int shape = -1;    // ShapeTable index, -1 for a category
        int category = -1; // category number, counted in catalogue order
        int firstEntry = -1;
    };
    const std::vector<Row>& Rows() const { return m_rows; }

private:
    void ShapeSelected();
    void ShowLibraryShape(int code);
    void ShowCatalogueShape();
    void DimFocused(int k);
    void DimTyped(int k);
    void ChooseCatalogueType();
    std::vector<Row> m_rows;
    plat::ListView m_list;
    plat::ImageList m_icons;
};

// Page 3: top and bottom bar counts and designations, with suggestions that follow the layout.
class TQuickDef4 : public TQuickDefPage {
public:
    TQuickDef4();
    void SetupWindow() override;
    void SetActive() override;
    bool KillActive() override;
    int GetMode() const { return m_mode; }

private:
    void Suggest();
    void TopCountTyped();
    void BottomCountTyped();
    void TopBarTyped();
    void ByArea(bool top);
    void BarLeft(bool top);
    void Store();
    int m_mode = 0;
    BarSelectorView m_topView, m_bottomView;
    std::unique_ptr<TBarSelector> m_top, m_bottom;
};

// Page 4: stirrups, spacing, cover, strands and prestrain.
class TQuickDef5 : public TQuickDefPage {
public:
    TQuickDef5();
    void SetupWindow() override;
    void SetActive() override;
    bool KillActive() override;
    bool WizFinish() override;

private:
    void Store();
    plat::ComboBox m_kinds;
    BarSelectorView m_view;
    std::unique_ptr<TBarSelector> m_stirrup;
};

// Runs the wizard over the structure: the record is reset from it first, and Finish builds the
// section. Returns 1 (OK) after Finish, 2 after Cancel.
int RunQuickDefineWizard(plat::Window* parent, TStructure& structure);

// The texts of the wizard's lists in the active unit system.
std::vector<std::string> QuickStrandListTexts(int unitSystem);
std::vector<std::string> QuickStirrupListTexts();
