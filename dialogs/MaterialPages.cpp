#include "dialogs/MaterialPages.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>

#include "dialogs/MaterialLists.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/TStructure.h"
#include "model/ValueLimits.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "model/materials/UserCurves.h"

namespace {

// Agreement of an entry with a predefined row: |x - v| < this fraction of v.
constexpr double kPredefinedTolerance = 0.005;
constexpr int kConcreteNameLimit = 20;
constexpr int kSteelNameLimit = 15;

void Info(const char* text) { ShowMessage(text, "Information"); }

// The 1-based row of rows the entry's first N values agree with; 0 when none.
template <std::size_t N, std::size_t M>
int MatchRow(const TypeListRec& entry, const std::array<std::array<double, N>, M>& rows) {
    const auto matches = [&entry](const std::array<double, N>& row) {
        for (std::size_t k = 0; k < N; ++k)
            if (!(std::fabs(entry.values[k] - row[k]) < kPredefinedTolerance * row[k]))
                return false;
        return true;
    };
    for (std::size_t r = 0; r < M; ++r)
        if (matches(rows[r]))
            return static_cast<int>(r) + 1;
    return 0;
}

// The concrete type an entry's values and model positions describe, prepared with the
// default models first.
ConcreteTypeRec TypeFromEntry(const TypeListRec& entry) {
    ConcreteTypeRec rec;
    InitConcreteTypeRec(rec);
    rec.fc = -std::fabs(entry.values[0]);
    CheckConcreteType(rec, true);
    rec.ft = std::fabs(entry.values[1]);
    rec.ec = -std::fabs(entry.values[2]);
    rec.aggregate = std::fabs(entry.values[3]);
    rec.tsFactor = std::fabs(entry.values[4]);
    rec.baseCurve = BaseCurvePositionToCode(entry.codes[0]);
    rec.softening = SofteningPositionToCode(entry.codes[1]);
    rec.tensionStiffening = TensionStiffeningPositionToCode(entry.codes[2]);
    return rec;
}

// The first N fields' decimals and examples of each unit system into a page's tables.
template <std::size_t N>
void CopyFieldTables(const int (&decimals)[3][N], const double (&examples)[3][N], int (&toDecimals)[3][6],
                     double (&toExamples)[3][6]) {
    for (int s = 0; s < 3; ++s)
        for (std::size_t f = 0; f < N; ++f) {
            toDecimals[s][f] = decimals[s][f];
            toExamples[s][f] = examples[s][f];
        }
}

bool SteelTypeInUse(const TStructure& s, int index) { return index >= 0 && s.IsSteelTypeUsed(index) != 0; }

// Told when a user-defined curve about to be stored carries no stress (Define Data left with
// Cancel on an empty curve): the type stays as it was.
constexpr const char* kNoStressCurveRefusal =
    "The user-defined stress-strain curve has no point with a stress, so the type is not changed.";

// A user-defined curve for the entry just stored: Define Data over the page's copy of it. A curve
// left without stress (an empty one cancelled) leaves the type as it was, told; so does Cancel
// of a curve the shown type did not have (its curve type just chosen). Answers whether the
// curve stands.
bool CurveStands(const std::function<bool(TDepthTable&, int)>& editCurve, TDepthTable& curve, int mode,
                 bool shownTypesOwn) {
    const bool taken = editCurve ? editCurve(curve, mode) : true;
    if (!CurveCarriesStress(curve)) {
        Info(kNoStressCurveRefusal);
        return false;
    }
    return taken || shownTypesOwn;
}

// The concrete type an entry describes by its user-defined curve, prepared: f'c and e'c the
// curve's, as the section takes them.
ConcreteTypeRec CurveConcrete(const TypeListRec& entry, const TDepthTable& curve) {
    ConcreteTypeRec rec = TypeFromEntry(entry);
    rec.baseCurve = BaseCurveCode::UserDefined;
    rec.userCurve.reset(std::make_unique<TDepthTable>(curve));
    PrepareConcreteType(rec);
    return rec;
}

} // namespace

const std::array<std::array<double, 5>, 8> kRebarGrades = {{
    {200e9, 275.9e6, 0.02, 0.12, 482.7e6},
    {200e9, 413.8e6, 0.015, 0.08, 620.7e6},
    {200e9, 413.8e6, 0.015, 0.12, 551.7e6},
    {200e9, 300e6, 0.02, 0.11, 450e6},
    {200e9, 400e6, 0.015, 0.08, 600e6},
    {200e9, 400e6, 0.015, 0.13, 550e6},
    {200e9, 800e6, 0.01, 0.04, 1030e6},
    {200e9, 820e6, 0.01, 0.04, 1080e6},
}};

const std::array<const char*, 8> kRebarGradeNames = {
    "ASTM A615 Grade 40 ksi", "ASTM A615 Grade 60 ksi", "ASTM A706 Grade 60 ksi", "CSA G30.12 300 MPa",
    "CSA G30.12 400 MPa",     "CSA G30.16 400 MPa Weldable", "1030 MPa Dywidag Bars", "1080 MPa Dywidag Bars"};

const std::array<std::array<double, 6>, 2> kStrandTypes = {{
    {0.025, 118.0, 10.0, 200e9, 1860e6, 0.043},
    {0.03, 121.0, 6.0, 200e9, 1860e6, 0.043},
}};

// ---- Concrete -------------------------------------------------------------------------------

TGen_Conc::TGen_Conc(TStructure& structure, TTypeList& list, int pageMode, int initialSelection)
    : TGen_Base(pageMode, initialSelection), m_structure(structure), m_workList(list) {
    m_title = "Concrete Details";
}

void TGen_Conc::Configure() {
    m_listCaption = "Type List";
    m_definitionCaption = "Type Definition";
    m_labels = {"Cylinder Strength", "Tension Strength", "Peak Strain", "Aggregate Size", "Tension Stiff Factor", ""};
    m_unitKinds = {ukStress, ukStress, ukStrain, ukSectionLength, ukNone, ukNone};
    const int decimals[3][5] = {{1, 2, 2, 0, 1}, {0, 0, 2, 2, 1}, {0, 1, 2, 1, 1}};
    const double examples[3][5] = {{35.0, 2.0, 2.0, 20, 1.0}, {5000, 300, 2.0, 0.75, 1.0}, {350, 20, 2.0, 2.0, 1.0}};
    CopyFieldTables(decimals, examples, m_decimals, m_examples);
    m_autoAccept = {0, 1, 1, 0, 0, 0};
    m_comboLabels = {"Base Curve", "Comp. Softening", "Tension Stiffening"};
    form.comboItems[0].assign(kBaseCurveNames.begin(), kBaseCurveNames.end());
    form.comboItems[1].assign(kSofteningNames.begin(), kSofteningNames.end());
    form.comboItems[2].assign(kTensionStiffeningNames.begin(), kTensionStiffeningNames.end());
    m_defaultSel = {2, 2, 2};
    m_nameLimit = kConcreteNameLimit;
    UseList(m_workList);
}

bool TGen_Conc::IsDeletable() {
    if (!List().IsValidIndex(Current()))
        return true;
    const int source = List().Entry(Current()).codes[3];
    if (source < 0)
        return true;
    for (int r = 0; r < m_structure.GetRegionCount(); ++r) {
        const ConcreteRegionRec* region = m_structure.GetRegion(r);
        if (region && region->concreteType == source)
            return false;
    }
    return true;
}

void TGen_Conc::ComputeAutoValue(int field) {
    if (field != 1 && field != 2)
        return;
    TypeListRec& entry = List().Entry(Current());
    const ConcreteTypeRec rec = TypeFromEntry(entry);
    if (field == 1)
        entry.values[1] = AutoTensileStrength(rec);
    else if (rec.baseCurve == BaseCurveCode::UserDefined && CurveCarriesStress(List().Curve(Current())))
        // A type by its own curve takes e'c from the curve, as the section holds it.
        entry.values[2] = std::fabs(CurveConcrete(entry, List().Curve(Current())).ec);
    else
        entry.values[2] = -AutoPeakStrain(rec);
}

void TGen_Conc::UpdateAutoFields() {
    ConcreteTypeRec rec;
    InitConcreteTypeRec(rec);
    rec.fc = -std::fabs(FieldValue(0)) / UnitFactorOf(0);
    CheckConcreteType(rec, true);
    const std::string& ft = form.fields[1];
    if (ft.empty() || TypedNumber(ft) < 0.0 || IsAutoText(ft)) {
        const std::string format = StrPrintf("Auto %%5.%df", DecimalsOf(1));
        form.fields[1] = StrPrintf(format.c_str(), std::fabs(rec.ft) * UnitFactorOf(1));
    }
    if (form.fields[2].empty()) {
        form.comboSel[0] = BaseCurveCodeToPosition(rec.baseCurve);
        form.comboSel[1] = SofteningCodeToPosition(rec.softening);
        form.comboSel[2] = TensionStiffeningCodeToPosition(rec.tensionStiffening);
        ShowFieldValue(2, std::fabs(rec.ec));
    }
    if (form.fields[3].empty())
        ShowFieldValue(3, rec.aggregate);
    if (form.fields[4].empty())
        ShowFieldValue(4, rec.tsFactor);
}

int TGen_Conc::ValidateEntry() {
    TypeListRec& entry = List().Entry(Current());
    int b = BaseCurvePositionToCode(entry.codes[0]);
    int s = SofteningPositionToCode(entry.codes[1]);
    int t = TensionStiffeningPositionToCode(entry.codes[2]);
    const char* parabolicOnly = nullptr;
    switch (s) {
    case SofteningCode::VantrioHawmere1982:
        parabolicOnly = "The 1982 compression softening model is only defined for the parabolic base curve.  Program "
                        "will continue with that base curve.";
        break;
    case SofteningCode::Mehlhorn:
        parabolicOnly = "The Mehlhorn et al compression softening model is only defined for the parabolic base curve.  "
                        "Program will continue with that base curve.";
        break;
    case SofteningCode::Maekawa:
        parabolicOnly = "The Maekwawa et al compression softening model is only defined for the parabolic base curve.  "
                        "Program will continue with that base curve.  Note that the shear transfer provisions of the "
                        "model are not implemented here.";
        break;
    case SofteningCode::KaufmannMarti1998:
        parabolicOnly = "The Kaufmann/Marti compression softening model is only defined for the parabolic base curve.  "
                        "Program will continue with that base curve.";
        break;
    case SofteningCode::Noguchi:
        parabolicOnly = "The Noguchi et al compression softening model is only defined for the parabolic base curve.  "
                        "Program will continue with that base curve.";
        break;
    default: break;
    }
    if (parabolicOnly) {
        if (b != BaseCurveCode::Parabolic) {
            Info(parabolicOnly);
            b = BaseCurveCode::Parabolic;
        }
    } else if (s == SofteningCode::BelarbiHsu || s == SofteningCode::ZhangHsuEta || s == SofteningCode::Hsu1993 ||
               s == SofteningCode::ZhuHsuLee2001 || s == SofteningCode::ZhangHsuNoEta) {
        Info("The Houston models are based on embedded steel relationships which have not been implemented in this "
             "program.");
        if (s == SofteningCode::BelarbiHsu && b != BaseCurveCode::Parabolic) {
            Info("The Belarbi/Hsu compression softening model is only defined for the parabolic base curve.  Program "
                 "will continue with that base curve.");
            b = BaseCurveCode::Parabolic;
        } else if (s == SofteningCode::ZhangHsuEta || s == SofteningCode::ZhangHsuNoEta) {
            if (b != BaseCurveCode::Parabolic) {
                Info("The Zhang-Hsu compression softening model is only defined for the parabolic base curve.  "
                     "Program will continue with that base curve.");
                b = BaseCurveCode::Parabolic;
            }
            Info("The Zhang-Hsu compression softening model can't be easily related to beams and columns. It has not "
                 "been implemented in Quarvish-2000.  Program will continue with Belarbi-Hsu 1995.");
            s = SofteningCode::BelarbiHsu;
        } else if (s == SofteningCode::Hsu1993 && b != BaseCurveCode::Parabolic) {
            Info("The Hsu 1993 compression softening model is only defined for the parabolic base curve.  Program "
                 "will continue with that base curve.");
            b = BaseCurveCode::Parabolic;
        }
    } else if (s == SofteningCode::Hawmere1978 && b != BaseCurveCode::Linear) {
        Info("The Compression Field theory was defined with linear stress strain response. Program will continue with "
             "Linear response.");
        b = BaseCurveCode::Linear;
    }
    if (t == TensionStiffeningCode::None) {
        const int answer = ShowMessage("Quarvish-2000 automatically does a crack check.  As such, unlike Quarvish-90, "
                                       "there is no need to turn off tension stiffening.  Are you sure you want to "
                                       "turn it off?",
                                       "Information", MsgStyle::YesNo);
        if (answer != MsgAnswer::Yes)
            t = TensionStiffeningCode::Kelst1999;
    }
    entry.codes[0] = BaseCurveCodeToPosition(b);
    entry.codes[1] = SofteningCodeToPosition(s);
    entry.codes[2] = TensionStiffeningCodeToPosition(t);
    if (b != BaseCurveCode::UserDefined)
        return 1;
    if (!CurveStands(editCurve, EnsureCurveCopy(), 0,
                     ShownCodeZero() == BaseCurveCodeToPosition(BaseCurveCode::UserDefined)))
        return 0;
    // The page shows f'c and e'c as the section takes them from the curve.
    const ConcreteTypeRec rec = CurveConcrete(entry, EnsureCurveCopy());
    entry.values[0] = std::fabs(rec.fc);
    entry.values[2] = std::fabs(rec.ec);
    return 1;
}

// ---- Steel ----------------------------------------------------------------------------------------

TSteelPage::TSteelPage(TStructure& structure, TTypeList& list, TTypeList& other, int kind, int pageMode,
                       int initialSelection)
    : TGen_Base(pageMode, initialSelection), m_structure(structure), m_workList(list), m_other(other),
      m_kind(kind) {}

bool TSteelPage::TypedByCurve() const { return m_kind == SteelKind::Reinforcing && form.comboSel[0] == 1; }

int TSteelPage::ModulusField() const { return m_kind == SteelKind::Prestressing ? 3 : 0; }

TypedRange TSteelPage::FieldRange(int field) const {
    TypedRange range = TGen_Base::FieldRange(field);
    // A steel by its own curve takes its modulus from the curve.
    if (field == ModulusField() && !TypedByCurve())
        range.low = kLeastSteelModulus;
    return range;
}

TypedRefusal TSteelPage::CheckEntrySize(const TTypeList::AllValues& values, int /*replacing*/) {
    if (TypedByCurve())
        return {};
    // The type as the sheet stores it, and as a document of it is checked again when opened.
    TTypeList one(1);
    if (!one.AddFull(values, {0, 0, 0, -1}, "typed"))
        return {};
    SteelTypeRec base;
    InitSteelTypeRec(base);
    SteelTypeRec type = SteelFromEntry(one, 0, base, m_kind);
    std::string told = UnheldSteelValue(type);
    if (told.empty()) {
        CheckSteelType(type, false);
        told = UnheldSteelValue(type);
    }
    if (told.empty())
        return {};
    // The strains a type derives grow from its yield strain fy / Es, unless a bar's typed
    // strain-hardening strain is larger: the field to retype is the one they come from.
    int field = ModulusField();
    if (m_kind == SteelKind::Reinforcing && values[2] > type.fy / type.Es)
        field = 2;
    return {field, "These values give the type " + told + "."};
}

bool TSteelPage::IsDeletable() {
    return !List().IsValidIndex(Current()) || !SteelTypeInUse(m_structure, List().Entry(Current()).codes[3]);
}

void TSteelPage::UpdateCapacity() {
    // Bars and strands together, no more than a section holds (and a document keeps).
    List().SetMaximum(std::min(m_structure.GetMaxSteelTypes(), kMaxMaterialTypes) - m_other.GetCount());
}

// ---- Reinforcing steel ------------------------------------------------------------------------

TGen_Steel::TGen_Steel(TStructure& structure, TTypeList& list, TTypeList& prestressingList, int pageMode,
                       int initialSelection)
    : TSteelPage(structure, list, prestressingList, SteelKind::Reinforcing, pageMode, initialSelection) {
    m_title = "Rebar Details";
}

void TGen_Steel::Configure() {
    m_listCaption = "Type List";
    m_definitionCaption = "Type Definition";
    m_labels = {"Elastic Modulus", "Yield Strength", "e-Strain Hardening", "Strain at Peak", "Ultimate Strength", ""};
    m_unitKinds = {ukLargeStress, ukLargeStress, ukStrain, ukStrain, ukLargeStress, ukNone};
    const int decimals[3][5] = {{0, 0, 1, 0, 0}, {0, 1, 1, 0, 1}, {0, 1, 1, 0, 1}};
    const double examples[3][5] = {
        {200000, 400, 20, 100, 600}, {29000, 60, 20, 100, 90}, {2000, 4, 20, 100, 6}};
    CopyFieldTables(decimals, examples, m_decimals, m_examples);
    m_comboLabels = {"Curve Type", "Predefined Type", ""};
    form.comboItems[0] = {"Defined by above variables", "User-Defined Stress-Strain"};
    form.comboItems[1] = {"Custom type"};
    for (const char* name : kRebarGradeNames)
        form.comboItems[1].push_back(name);
    m_defaultSel = {0, 0, 0};
    m_nameLimit = kSteelNameLimit;
    UseList(m_workList);
}

int TGen_Steel::ValidateEntry() {
    TypeListRec& entry = List().Entry(Current());
    if (entry.codes[0] != 1)
        return 1;
    if (!CurveStands(editCurve, EnsureCurveCopy(), 2, ShownCodeZero() == 1))
        return 0;
    // The page shows the values the section takes from the curve.
    SteelTypeRec rec;
    InitSteelTypeRec(rec);
    rec.kind = SteelKind::UserCurve;
    rec.userCurve.reset(std::make_unique<TDepthTable>(EnsureCurveCopy()));
    CheckSteelType(rec, false);
    entry.values[0] = rec.Es;
    entry.values[1] = rec.fy;
    entry.values[2] = rec.esh;
    entry.values[3] = rec.eu;
    entry.values[4] = rec.fu;
    return 1;
}

int TGen_Steel::FindPredefinedType() {
    if (!List().IsValidIndex(Current()))
        return 0;
    return MatchRow(List().Entry(Current()), kRebarGrades);
}

void TGen_Steel::PredefinedTypeChosen() {
    const int position = form.comboSel[1];
    if (position >= 1 && position <= static_cast<int>(kRebarGrades.size())) {
        for (int f = 0; f < 5; ++f)
            ShowFieldValue(f, kRebarGrades[static_cast<std::size_t>(position - 1)][static_cast<std::size_t>(f)]);
        form.comboSel[0] = 0;
    }
    SetEdited(1);
}

// ---- Prestressing steel -------------------------------------------------------------------------

TGen_PSteel::TGen_PSteel(TStructure& structure, TTypeList& list, TTypeList& rebarList, int pageMode,
                         int initialSelection)
    : TSteelPage(structure, list, rebarList, SteelKind::Prestressing, pageMode, initialSelection) {
    m_title = "Prestressing Steel Details";
}

void TGen_PSteel::Configure() {
    m_listCaption = "Type List";
    m_definitionCaption = "Type Definition";
    m_labels = {"Ramberg-Osgood A", "Ramberg-Osgood B", "Ramberg-Osgood C",
                "Elastic Modulus",  "Ultimate Strength", "Strain at Peak"};
    m_unitKinds = {ukNone, ukNone, ukNone, ukLargeStress, ukLargeStress, ukStrain};
    const int decimals[3][6] = {{3, 1, 1, 0, 0, 0}, {3, 1, 1, 0, 0, 0}, {3, 1, 1, 0, 0, 0}};
    const double examples[3][6] = {{0.025, 118.0, 10.0, 200000, 1860, 40},
                                   {0.025, 118.0, 10.0, 29000, 270, 40},
                                   {0.025, 118.0, 10.0, 2000, 3.7, 40}};
    CopyFieldTables(decimals, examples, m_decimals, m_examples);
    m_comboLabels = {"", "Predefined Type", ""};
    form.comboItems[1] = {"Custom type"};
    if (g_UnitSystem == kUnitUS) {
        form.comboItems[1].push_back("270 ksi Low Relaxation");
        form.comboItems[1].push_back("270 ksi Stress Relieved");
    } else {
        form.comboItems[1].push_back("1860 MPa Low Relaxation");
        form.comboItems[1].push_back("1860 MPa Stress Relieved");
    }
    m_defaultSel = {0, 0, 0};
    m_nameLimit = kSteelNameLimit;
    UseList(m_workList);
}

int TGen_PSteel::FindPredefinedType() {
    if (!List().IsValidIndex(Current()))
        return 0;
    return MatchRow(List().Entry(Current()), kStrandTypes);
}

void TGen_PSteel::PredefinedTypeChosen() {
    const int position = form.comboSel[1];
    if (position >= 1 && position <= static_cast<int>(kStrandTypes.size()))
        for (int f = 0; f < 6; ++f)
            ShowFieldValue(f, kStrandTypes[static_cast<std::size_t>(position - 1)][static_cast<std::size_t>(f)]);
    SetEdited(1);
}
