#pragma once
// TGen_Base: the editor behind every named-list page of the material and reinforcement
// dialogs (concrete and steel types, bar layers, patterns, tendons, stirrups).
//
// It edits a working list (TTypeList) and never the section. It keeps what the page's
// controls show in a form (ListForm): the sorted list of names, the name field, six numeric
// fields with their labels, units and examples, three drop-down lists and the bar selector.
// The page window copies the controls into the form before each operation and the form back
// into the controls after it; everything else happens here, without the window layer. The
// user is told and asked things through the reporting interface.
//
// Field i of the form holds value i of an entry in display units (stored SI value times the
// field's unit factor). A field that accepts "AUTO" marks its value as automatic when it is
// empty or starts with "auto" (any case); the automatic value is recomputed whenever the
// entry is shown. Codes 0-2 of an entry are the selections of the three drop-downs (code 2 the
// bar's catalogue index on a page with a bar selector), code 3 a code the page keeps with the
// entry (its source index in the section).

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/BarSelector.h"
#include "foundation/TDepthTable.h"
#include "foundation/TypedNumber.h"
#include "model/catalogues/TTypeList.h"

// What the page's controls show.
struct ListForm {
    std::string pageTitle;
    std::string listCaption;
    std::string definitionCaption;
    std::array<std::string, 6> labels;    // field labels; static 204 takes the longer of the
                                          // field-5 and first drop-down labels
    std::array<std::string, 6> units;
    std::array<std::string, 6> examples;
    std::array<std::string, 6> fields;
    std::array<bool, 6> fieldShown{};
    std::array<bool, 6> unitShown{};      // unit and example statics
    std::array<std::string, 3> comboLabels;
    std::array<std::vector<std::string>, 3> comboItems;
    std::array<int, 3> comboSel{-1, -1, -1};
    std::array<bool, 3> comboShown{};
    std::string name;
    std::vector<std::string> lines;  // the list box, sorted without regard to case
    int lineSel = -1;
    bool explodeShown = false;
    bool barShown = false;  // the check box of the bar selector
    BarSelectorView bar;
    // The field (0-5) whose typed value Add or Modify refused, for the page to select; -1: none.
    int refusedField = -1;
};

class TGen_Base {
public:
    // Units systems the decimal and example tables hold: SI, US customary, kg/cm.
    static constexpr int kTableSystems = 3;
    static constexpr int kFields = 6;
    // An AUTO flag of a field that does not accept "AUTO".
    static constexpr int kNoAuto = kTypeUnsetMark;

    TGen_Base(int pageMode, int initialSelection);
    virtual ~TGen_Base();
    TGen_Base(const TGen_Base&) = delete;
    TGen_Base& operator=(const TGen_Base&) = delete;

    // ---- What the page window calls ----------------------------------------------------
    // Set-up: the page's configuration, then the first entry shown.
    void Setup();
    void SetActive();
    // Asks about unsaved edits; marks the structures changed when the list changed. False when
    // the edits were to be kept and a typed value was refused: the page stays.
    bool KillActive();
    void Add();
    void Modify();
    void Delete();
    // The list box's selected line changed (form.lineSel holds it).
    void ListSelectionChanged();
    // A numeric field, the name or drop-down 0 or 2 changed.
    void FieldChanged();
    // Drop-down 1 changed its selection.
    void ComboOneChanged() { PredefinedTypeChosen(); }
    // Field 0 lost the focus.
    void FieldZeroLeft() { UpdateAutoFields(); }
    // The bar field lost the focus.
    void BarFieldLeft();
    // The bar selector's check box was clicked (form.bar.byArea holds its new state).
    void BarCheckClicked();
    void Explode() { ExplodePattern(); }

    ListForm form;

    // ---- Services the page window provides (all optional) --------------------------------
    std::function<void()> markStructuresChanged;
    // Edits a curve in the value-list dialog in the mode given (0 concrete, 2 steel); true when
    // the dialog was left with OK (the curve as it then stands), false for Cancel (unchanged).
    std::function<bool(TDepthTable& curve, int mode)> editCurve;
    // Switches the sheet to its first page.
    std::function<void()> showFirstPage;

    TTypeList& List() { return *m_list; }
    const TTypeList& List() const { return *m_list; }
    int Current() const { return m_list->GetCurrent(); }
    bool IsEdited() const { return m_edited != 0; }
    bool IsListChanged() const { return m_listChanged != 0; }
    TBarSelector* BarSelector() { return m_bar.get(); }
    const TDepthTable* CurveCopy() const { return m_curve ? &*m_curve : nullptr; }
    int GetNameLimit() const { return m_nameLimit; }
    int GetPageMode() const { return m_pageMode; }
    // Shows the current entry (refilling the list box and setting the name as asked).
    void ShowEntry(bool refillList, bool setName);
    // The number format of a field in the active unit system ("%5.2f", "%5.3e").
    std::string FieldFormat(int field) const;
    // Whether a text says "AUTO": capitals, leading blanks and tabs skipped, cut after four
    // characters; the empty text counts too.
    static bool IsAutoText(const std::string& text);

protected:
    // ---- Hooks ----------------------------------------------------------------------------
    // The page's texts, formats, flags and drop-downs (runs first in Setup).
    virtual void Configure() {}
    virtual bool IsDeletable() { return true; }
    // The entry Add just stored (the current one), checked and completed; 0 refuses it: Add
    // stores nothing, and a Modify leaves the list as it was.
    virtual int ValidateEntry() { return 1; }
    virtual void ExplodePattern() {}
    virtual void UpdateAutoFields() {}
    virtual void ComputeAutoValue(int /*field*/) {}
    virtual int FindPredefinedType() { return -1; }
    virtual void UpdateCapacity() {}
    virtual void PredefinedTypeChosen() { m_edited = 1; }
    // The range a typed value of a field may take, in stored units (the field's unit kind
    // unless a page says otherwise); by default a range by the field's unit kind.
    virtual TypedRange FieldRange(int field) const;
    // Limits that hold between the values of an entry about to be stored (a pattern's size);
    // replacing is the entry a Modify replaces (-1 for Add).
    virtual TypedRefusal CheckEntrySize(const TTypeList::AllValues& /*values*/, int /*replacing*/) {
        return {};
    }

    // The page works on another list (not owned); the owned one goes.
    void UseList(TTypeList& list);
    void MarkChanged() {
        if (markStructuresChanged)
            markStructuresChanged();
    }
    // Field i of the form read as a number for what the page fills in itself (an "AUTO" text,
    // or one the checked reading refuses before anything is stored, reads as 0).
    double FieldValue(int field) const;
    // Checks every shown field as Add would store it; a refusal is told, its field marked in
    // the form, and true returned (nothing may be stored then).
    bool TypedFieldsRefused(int replacing);
    // Puts a value (SI) into field i in the field's format.
    void ShowFieldValue(int field, double value);
    double UnitFactorOf(int field) const;
    int DecimalsOf(int field) const;
    // The last entry whose name equals the text; -1 when none.
    int FindEntryByName(const std::string& text) const;
    // The list box line of a name; -1 when none.
    int LineOf(const std::string& text) const;
    void SetEdited(int flag) { m_edited = flag; }
    void SetListChanged() { m_listChanged = 1; }
    TDepthTable& EnsureCurveCopy();
    // Code 0 of the entry last shown (whose curve the copy holds); -1 when none was.
    int ShownCodeZero() const { return m_shownCodeZero; }

    // Configuration, filled by Configure.
    std::string m_title, m_listCaption, m_definitionCaption;
    std::array<std::string, 6> m_labels;
    std::array<std::string, 3> m_comboLabels;
    std::array<int, 6> m_unitKinds{};
    int m_decimals[kTableSystems][kFields] = {};
    double m_examples[kTableSystems][kFields] = {};
    std::array<int, 3> m_defaultSel{};
    std::array<int, 6> m_autoAccept{};
    int m_nameLimit = 15;
    bool m_wantBarSelector = false;
    int m_barMode = TBarSelector::LongitudinalBars;
    bool m_showExplode = false;

    std::array<double, 4> m_further{};  // values 6-9 of the shown entry

private:
    std::string NameFromField(bool& wasEmpty);

    std::unique_ptr<TTypeList> m_owned;
    TTypeList* m_list;
    int m_pageMode;
    int m_initialSelection;
    int m_modifyInProgress = 0;
    int m_listChanged = 0;
    int m_edited = 0;
    int m_keptCode = -1;
    int m_shownCodeZero = -1;
    bool m_entryRefused = false;
    std::unique_ptr<TBarSelector> m_bar;
    std::optional<TDepthTable> m_curve;
};
