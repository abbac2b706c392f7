#include "dialogs/ListEditor.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "foundation/NameText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/ValueLimits.h"

namespace {

constexpr int kOwnedListMaximum = 1000;
constexpr std::size_t kNameFieldChars = 99;

bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

int TableSystem() { return g_UnitSystem >= 0 && g_UnitSystem <= 2 ? g_UnitSystem : 0; }

} // namespace

TGen_Base::TGen_Base(int pageMode, int initialSelection)
    : m_owned(std::make_unique<TTypeList>(kOwnedListMaximum)), m_list(m_owned.get()), m_pageMode(pageMode),
      m_initialSelection(initialSelection) {}

TGen_Base::~TGen_Base() = default;

void TGen_Base::UseList(TTypeList& list) {
    m_list = &list;
    m_owned.reset();
}

bool TGen_Base::IsAutoText(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::string word;
    for (; i < text.size() && word.size() < 4; ++i)
        word += static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    return word.empty() || word == "AUTO";
}

double TGen_Base::UnitFactorOf(int field) const { return UnitFactor(m_unitKinds[static_cast<std::size_t>(field)]); }

int TGen_Base::DecimalsOf(int field) const { return m_decimals[TableSystem()][field]; }

std::string TGen_Base::FieldFormat(int field) const {
    const int d = DecimalsOf(field);
    return d < 0 ? StrPrintf("%%5.%de", -d) : StrPrintf("%%5.%df", d);
}

double TGen_Base::FieldValue(int field) const {
    // Only an "AUTO" text or one the checked reading refuses holds no number here: both read as 0.
    const double v = TypedNumber(form.fields[static_cast<std::size_t>(field)]);
    return std::isnan(v) ? 0.0 : v;
}

TypedRange TGen_Base::FieldRange(int field) const {
    // Physical bounds far beyond any section, held so that no typed value overflows what is
    // computed from it.
    const int kind = m_unitKinds[static_cast<std::size_t>(field)];
    const double largest = LargestSectionValue(kind);
    return {-largest, largest, kind};
}

bool TGen_Base::TypedFieldsRefused(int replacing) {
    TTypeList::AllValues values{};
    TypedRefusal refusal;
    for (int i = 0; i < kFields && !refusal; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (m_labels[k].empty() || (m_bar && (i == 1 || i == 2)) || (m_autoAccept[k] && IsAutoText(form.fields[k])))
            continue;
        const TypedRange range = FieldRange(i);
        std::string message = ReadTypedValue(form.fields[k], m_labels[k], range, values[k]);
        if (!message.empty())
            refusal = {i, std::move(message)};
    }
    if (!refusal && m_bar) {
        std::string message = CheckTypedBarArea(form.bar);
        if (!message.empty())
            refusal = {2, std::move(message)};
    }
    if (!refusal)
        refusal = CheckEntrySize(values, replacing);
    if (!refusal)
        return false;
    form.refusedField = refusal.field;
    ShowMessage(refusal.message, m_title.empty() ? std::string("Input Error") : m_title,
                MsgStyle::Ok | MsgStyle::IconExclamation);
    return true;
}

void TGen_Base::ShowFieldValue(int field, double value) {
    std::string text = StrPrintf(FieldFormat(field).c_str(), value * UnitFactorOf(field));
    // A value that shows as zero shows without a sign: a centre at 0, read back as the mean of
    // its bars' heights, can be -1e-17 and would show "-0" where the user typed 0.
    const std::size_t minus = text.find('-');
    if (minus != std::string::npos && text.find_first_of("123456789", minus) == std::string::npos &&
        text.find_first_of("eE", minus) == std::string::npos)
        text[minus] = ' ';
    form.fields[static_cast<std::size_t>(field)] = text;
}

int TGen_Base::FindEntryByName(const std::string& text) const {
    int found = -1;
    for (int i = 0; i < m_list->GetCount(); ++i)
        if (m_list->Entry(i).name == text)
            found = i;
    return found;
}

int TGen_Base::LineOf(const std::string& text) const {
    for (std::size_t i = 0; i < form.lines.size(); ++i)
        if (form.lines[i] == text)
            return static_cast<int>(i);
    return -1;
}

TDepthTable& TGen_Base::EnsureCurveCopy() {
    if (!m_curve)
        m_curve.emplace();
    return *m_curve;
}

void TGen_Base::Setup() {
    Configure();
    const int sys = TableSystem();
    form.pageTitle = m_title;
    form.listCaption = m_listCaption;
    form.definitionCaption = m_definitionCaption;
    for (int i = 0; i < kFields; ++i) {
        const auto k = static_cast<std::size_t>(i);
        form.fieldShown[k] = !m_labels[k].empty();
        form.unitShown[k] = !m_labels[k].empty();
        form.labels[k] = m_labels[k];
        form.units[k] = UnitLabel(m_unitKinds[k]);
        if (m_labels[k].empty()) {
            form.examples[k].clear();
        } else {
            const int d = m_decimals[sys][i];
            const std::string format = d < 0 ? StrPrintf("(eg: %%5.%de)", -d) : StrPrintf("(eg: %%5.%df)", d);
            form.examples[k] = StrPrintf(format.c_str(), m_examples[sys][i]);
        }
    }
    for (std::size_t k = 0; k < 3; ++k) {
        form.comboShown[k] = !m_comboLabels[k].empty();
        form.comboLabels[k] = m_comboLabels[k];
    }
    if (form.comboShown[0]) {
        // Field 5's unit and example give way to the first drop-down, which shares its label.
        form.unitShown[5] = false;
        if (m_comboLabels[0].size() > form.labels[5].size())
            form.labels[5] = m_comboLabels[0];
    }
    // Field 5 has no example static.
    form.examples[5].clear();
    form.explodeShown = m_showExplode;
    form.barShown = m_wantBarSelector;
    if (m_wantBarSelector) {
        m_bar = std::make_unique<TBarSelector>(form.bar, m_barMode);
        form.fieldShown[1] = false;
        form.unitShown[1] = false;
    }
    const int count = m_list->GetCount();
    if (m_initialSelection >= 0)
        m_list->SetCurrent(count == 0 ? -1 : m_initialSelection);
    else
        m_list->SetCurrent(count == 0 ? -1 : 0);
    ShowEntry(true, true);
    m_edited = 0;
    m_listChanged = 0;
}

void TGen_Base::ShowEntry(bool refillList, bool setName) {
    if (refillList) {
        form.lines.clear();
        for (int i = 0; i < m_list->GetCount(); ++i) {
            const std::string& name = m_list->Entry(i).name;
            form.lines.insert(std::upper_bound(form.lines.begin(), form.lines.end(), name, LessNoCase), name);
        }
    }
    if (setName)
        form.name = "Untitled";
    const int count = m_list->GetCount();
    if (count == 0) {
        for (auto& f : form.fields)
            f.clear();
        form.bar.text.clear();
        form.comboSel = m_defaultSel;
        m_further = {};
        m_curve.reset();
        m_shownCodeZero = -1;
        form.lineSel = -1;
        m_list->SetCurrent(-1);
        return;
    }
    int current = m_list->GetCurrent();
    if (current < 0)
        current = 0;
    if (current >= count)
        current = count - 1;
    m_list->SetCurrent(current);
    for (int i = 0; i < kFields; ++i) {
        if (m_bar && (i == 1 || i == 2))
            continue;
        const auto k = static_cast<std::size_t>(i);
        const bool automatic = m_autoAccept[k] != 0 && m_list->Entry(current).unset[k] != 0;
        if (automatic)
            ComputeAutoValue(i);
        ShowFieldValue(i, m_list->Entry(current).values[k]);
        if (automatic)
            form.fields[k] = "Auto " + form.fields[k];
    }
    const TypeListRec& entry = m_list->Entry(current);
    for (std::size_t k = 0; k < 4; ++k)
        m_further[k] = entry.values[6 + k];
    m_curve = m_list->Curve(current);
    m_shownCodeZero = entry.codes[0];
    if (m_bar)
        m_bar->Init(entry.codes[2], entry.values[1], 0);
    for (std::size_t k = 0; k < 3; ++k) {
        if (k == 2 && m_bar)
            continue;
        const int code = entry.codes[k];
        form.comboSel[k] = code >= 0 && code < static_cast<int>(form.comboItems[k].size()) ? code : -1;
    }
    if (setName)
        form.name = entry.name;
    form.lineSel = LineOf(entry.name);
    // A shown entry that matches a predefined type shows that type.
    const int predefined = FindPredefinedType();
    if (predefined >= 0 && form.comboShown[1]) {
        form.comboSel[1] = predefined;
        m_list->Entry(current).codes[1] = predefined;
    }
}

std::string TGen_Base::NameFromField(bool& wasEmpty) {
    std::string name = NameText(form.name, kNameFieldChars);
    wasEmpty = name.empty();
    if (wasEmpty) {
        ShowMessage("No title entered (entry field at top left) \"New\" selected as the title", "New Title");
        name = "New";
    }
    const std::size_t limit = static_cast<std::size_t>(std::max(m_nameLimit - 1, 0));
    if (name.size() > limit)
        name.resize(limit);
    return name;
}

void TGen_Base::Add() {
    if (!m_modifyInProgress)
        m_entryRefused = false;
    if (!m_modifyInProgress && TypedFieldsRefused(-1))
        return;
    bool wasEmpty = false;
    std::string name = NameFromField(wasEmpty);
    int remembered = -1;
    for (int i = 0; i < m_list->GetCount(); ++i) {
        if (m_list->Entry(i).name != name)
            continue;
        const int answer = ShowMessage("You have asked to Add a type with a duplicate name.  Do you wish to "
                                       "modify the existing definition?",
                                       "Information", MsgStyle::YesNo);
        if (answer == MsgAnswer::Yes) {
            remembered = i;
            break;
        }
        // The suffixed name is looked for again from the top: an earlier entry may hold it.
        name += "1";
        i = -1;
    }
    if (remembered >= 0) {
        // Modify the entry of that name: its line becomes the selected one, so that Modify
        // sees no change of name.
        m_list->SetCurrent(remembered);
        form.lineSel = LineOf(name);
        form.name = name;
        Modify();
        return;
    }
    if (m_list->GetCount() >= m_list->GetMaximum()) {
        ShowMessage("Maximum number has been reached.  No more can be saved.", "Information");
    } else {
        TTypeList::AllValues values{};
        std::array<int, 6> autoFlags{};
        for (int i = 0; i < kFields; ++i) {
            const auto k = static_cast<std::size_t>(i);
            autoFlags[k] = m_autoAccept[k] ? (IsAutoText(form.fields[k]) ? 1 : 0) : kNoAuto;
            if (m_labels[k].empty() || (m_bar && (i == 1 || i == 2)))
                continue;
            values[k] = FieldValue(i) / UnitFactorOf(i);
        }
        TTypeList::Codes codes = {form.comboSel[0], form.comboSel[1], form.comboSel[2], m_keptCode};
        if (m_bar) {
            int index = -1;
            double area = 0.0;
            m_bar->Read(index, area);
            values[1] = area;
            codes[2] = index;
        }
        for (std::size_t k = 0; k < 4; ++k)
            values[6 + k] = m_further[k];
        if (m_list->AddFull(values, codes, name)) {
            const int added = m_list->GetCount() - 1;
            if (!ValidateEntry()) {
                // Refused as it stands (a curve the page does not take): nothing is stored.
                m_list->Delete(added);
                m_entryRefused = true;
            } else {
                if (m_curve)
                    m_list->Curve(added) = *m_curve;
                TypeListRec& entry = m_list->Entry(added);
                for (std::size_t k = 0; k < 6; ++k)
                    entry.unset[k] = autoFlags[k];
                for (std::size_t k = 6; k < 10; ++k)
                    entry.unset[k] = 0;
            }
        }
        m_list->SetCurrent(m_list->GetCount() - 1);
    }
    m_keptCode = -1;
    ShowEntry(true, true);
    if (!m_entryRefused)
        m_listChanged = 1;
    m_edited = 0;
}

void TGen_Base::Modify() {
    if (TypedFieldsRefused(m_list->IsValidIndex(m_list->GetCurrent()) ? m_list->GetCurrent() : -1))
        return;
    const std::string selected =
        form.lineSel >= 0 && form.lineSel < static_cast<int>(form.lines.size()) ? form.lines[static_cast<std::size_t>(form.lineSel)]
                                                                               : std::string();
    bool wasEmpty = false;
    const std::string name = NameFromField(wasEmpty);
    form.name = name;
    if (!form.lines.empty() && name != selected) {
        const int answer = ShowMessage("You have asked to Modify a type with a new name.  Do you wish to "
                                       "overwrite the existing type?",
                                       "Information", MsgStyle::YesNo);
        if (answer != MsgAnswer::Yes) {
            Add();
            return;
        }
    }
    m_keptCode = m_list->IsValidIndex(m_list->GetCurrent()) ? m_list->Entry(m_list->GetCurrent()).codes[3] : -1;
    // The typed values were checked above: Add stores them without asking again. Add may still
    // turn to another entry of the typed name and be refused there; the list is then put back
    // as it was, so the entry deleted here is not lost.
    const TTypeList kept = *m_list;
    const int keptChanged = m_listChanged;
    form.refusedField = -1;
    m_entryRefused = false;
    m_modifyInProgress = 1;
    Delete();
    Add();
    m_modifyInProgress = 0;
    if (form.refusedField >= 0 || m_entryRefused) {
        *m_list = kept;
        ShowEntry(true, true);
    }
    // An entry its page refused leaves the list as it was.
    if (m_entryRefused)
        m_listChanged = keptChanged;
    m_entryRefused = false;
}

void TGen_Base::Delete() {
    if (!m_modifyInProgress && !IsDeletable()) {
        ShowMessage("This type is currently being used in the section.  It may not be deleted.", "Information");
        return;
    }
    const int lineCount = static_cast<int>(form.lines.size());
    int next = form.lineSel < lineCount - 1 ? form.lineSel + 1 : form.lineSel - 1;
    next = std::max(next, 0);
    const std::string nextText = next < lineCount ? form.lines[static_cast<std::size_t>(next)] : std::string();
    m_list->Delete(m_list->GetCurrent());
    const int found = FindEntryByName(nextText);
    if (m_list->GetCount() == 0)
        m_list->SetCurrent(-1);
    else
        m_list->SetCurrent(found >= 0 ? found : std::min(next, m_list->GetCount() - 1));
    if (!m_modifyInProgress)
        ShowEntry(true, true);
    m_edited = 0;
    m_listChanged = 1;
}

void TGen_Base::ListSelectionChanged() {
    if (form.lineSel < 0 || form.lineSel >= static_cast<int>(form.lines.size()))
        return;
    const std::string clicked = form.lines[static_cast<std::size_t>(form.lineSel)];
    int found = FindEntryByName(clicked);
    if (found != m_list->GetCurrent() && m_edited) {
        const int answer = ShowMessage("Changes were not saved.  Keep Changes?", "Unsaved Changes", MsgStyle::YesNo);
        if (answer == MsgAnswer::Yes) {
            // Modify the entry that was shown, as its own line.
            if (m_list->IsValidIndex(m_list->GetCurrent()))
                form.lineSel = LineOf(m_list->Entry(m_list->GetCurrent()).name);
            Modify();
            // A refused value stays shown on its own entry's line for retyping.
            if (form.refusedField >= 0)
                return;
            found = FindEntryByName(clicked);
        }
    }
    m_list->SetCurrent(m_list->GetCount() == 0 ? -1 : found);
    ShowEntry(false, true);
    m_edited = 0;
}

void TGen_Base::FieldChanged() {
    m_edited = 1;
    const int predefined = FindPredefinedType();
    if (predefined >= 0 && form.comboShown[1]) {
        form.comboSel[1] = predefined;
        if (m_list->IsValidIndex(m_list->GetCurrent()))
            m_list->Entry(m_list->GetCurrent()).codes[1] = predefined;
    }
}

void TGen_Base::BarFieldLeft() {
    if (m_bar)
        m_bar->Check();
}

void TGen_Base::BarCheckClicked() {
    if (m_bar) {
        m_bar->ToggleByArea(0);
        m_edited = 1;
    }
}

void TGen_Base::SetActive() {
    ShowEntry(true, true);
    UpdateCapacity();
    m_edited = 0;
}

bool TGen_Base::KillActive() {
    if (m_edited) {
        const int answer = ShowMessage("Changes were not saved.  Keep Changes?", "Unsaved Changes", MsgStyle::YesNo);
        if (answer == MsgAnswer::Yes) {
            Modify();
            // A refused value keeps the page, its field marked for retyping.
            if (form.refusedField >= 0)
                return false;
        }
        m_edited = 0;
    }
    if (m_listChanged)
        MarkChanged();
    return true;
}
