#include "dialogs/MaterialLists.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/MaterialsAsKept.h"
#include "model/TBeam.h"
#include "model/TStructure.h"
#include "model/ValueLimits.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"
#include "model/materials/UserCurves.h"

namespace {

constexpr int kConcreteListMaximum = 1000;
constexpr int kNoAuto = kTypeUnsetMark;
// The strongest material a typed strength may give (Pa).
constexpr double kMaxTypedStrength = 1e10;

TTypeList::AllValues Values(std::initializer_list<double> v) {
    TTypeList::AllValues out{};
    std::copy(v.begin(), v.end(), out.begin());
    return out;
}

ConcreteTypeRec DefaultConcrete(const std::string& name) {
    ConcreteTypeRec rec;
    InitConcreteTypeRec(rec);
    rec.name = name;
    CheckConcreteType(rec, true);
    return rec;
}

SteelTypeRec DefaultSteel(int kind, const std::string& name) {
    SteelTypeRec rec;
    InitSteelTypeRec(rec);
    rec.kind = kind;
    rec.name = name;
    if (kind == SteelKind::Prestressing)
        rec.fy = 1.86e9;
    CheckSteelType(rec, true);
    return rec;
}

void Report(const std::string& text) { ShowMessage(text, "Information"); }

} // namespace

TMaterialLists::TMaterialLists() : concrete(kConcreteListMaximum), rebar(1000), prestressing(1000) {}

void AddConcreteEntry(TTypeList& list, const ConcreteTypeRec& type, int source) {
    const TTypeList::AllValues values = Values({std::fabs(type.fc), std::fabs(type.ft), std::fabs(type.ec),
                                                type.aggregate, type.tsFactor});
    const TTypeList::Codes codes = {BaseCurveCodeToPosition(type.baseCurve), SofteningCodeToPosition(type.softening),
                                    TensionStiffeningCodeToPosition(type.tensionStiffening), source};
    if (!list.AddFull(values, codes, type.name))
        return;
    const int i = list.GetCount() - 1;
    TypeListRec& entry = list.Entry(i);
    entry.unset = {kNoAuto, type.ftAuto != 0 ? 1 : 0, type.ecAuto != 0 ? 1 : 0, kNoAuto, kNoAuto, kNoAuto, 0, 0, 0, 0};
    TDepthTable& curve = list.Curve(i);
    curve = TDepthTable();
    if (type.baseCurve == BaseCurveCode::UserDefined && type.userCurve) {
        curve = *type.userCurve;
    } else {
        curve.SetName("Segmental Concrete");
        MakeDefaultConcreteCurve(curve, std::fabs(MaterialDefaults.fc));
    }
}

void AddSteelEntry(TTypeList& list, const SteelTypeRec& type, int source) {
    TTypeList::AllValues values;
    TTypeList::Codes codes = {0, 0, 0, source};
    if (type.kind == SteelKind::Prestressing) {
        values = Values({type.A, type.B, type.C, type.Es, type.fu, type.eu});
    } else {
        values = Values({type.Es, type.fy, type.esh, type.eu, type.fu});
        codes[0] = type.kind == SteelKind::UserCurve ? 1 : 0;
    }
    if (!list.AddFull(values, codes, type.name))
        return;
    const int i = list.GetCount() - 1;
    list.Entry(i).unset = {kNoAuto, kNoAuto, kNoAuto, kNoAuto, kNoAuto, kNoAuto, 0, 0, 0, 0};
    TDepthTable& curve = list.Curve(i);
    curve = TDepthTable();
    if (type.userCurve) {
        curve = *type.userCurve;
    } else {
        curve.SetName("Segmental Reinforcement");
        MakeDefaultSteelCurve(curve, MaterialDefaults.fy);
    }
}

ConcreteTypeRec ConcreteFromEntry(const TTypeList& list, int i, const ConcreteTypeRec& base) {
    const TypeListRec& entry = list.Entry(i);
    ConcreteTypeRec rec = base;
    rec.fc = -std::fabs(entry.values[0]);
    if (rec.fc == 0.0)
        rec.fc = MaterialDefaults.fc;
    rec.aggregate = std::fabs(entry.values[3]);
    rec.tsFactor = std::fabs(entry.values[4]);
    rec.baseCurve = BaseCurvePositionToCode(entry.codes[0]);
    rec.softening = SofteningPositionToCode(entry.codes[1]);
    rec.tensionStiffening = TensionStiffeningPositionToCode(entry.codes[2]);
    if (rec.baseCurve == BaseCurveCode::UserDefined)
        rec.userCurve.reset(std::make_unique<TDepthTable>(list.Curve(i)));
    else
        rec.userCurve.reset();
    // Automatic values are stored as computed, so that the check sees them as automatic.
    rec.ft = entry.unset[1] == 1 ? AutoTensileStrength(rec) : std::fabs(entry.values[1]);
    rec.ec = entry.unset[2] == 1 ? AutoPeakStrain(rec) : -std::fabs(entry.values[2]);
    rec.ftAuto = entry.unset[1] == 1 ? 1 : 0;
    rec.ecAuto = entry.unset[2] == 1 ? 1 : 0;
    rec.name = entry.name.empty() ? "Concrete 1" : entry.name.substr(0, kConcreteNameMaxChars);
    CheckConcreteType(rec, false);
    PrepareConcreteType(rec);
    return rec;
}

SteelTypeRec SteelFromEntry(const TTypeList& list, int i, const SteelTypeRec& base, int kind) {
    const TypeListRec& entry = list.Entry(i);
    SteelTypeRec rec = base;
    rec.kind = kind;
    if (kind == SteelKind::Prestressing) {
        rec.A = entry.values[0];
        rec.B = entry.values[1];
        rec.C = entry.values[2];
        rec.Es = entry.values[3];
        rec.fu = entry.values[4];
        rec.eu = entry.values[5];
        rec.fy = 0.9 * rec.fu;
        rec.userCurve.reset();
    } else {
        rec.Es = entry.values[0];
        rec.fy = entry.values[1];
        rec.esh = entry.values[2];
        rec.eu = entry.values[3];
        rec.fu = entry.values[4];
        if (kind == SteelKind::UserCurve)
            rec.userCurve.reset(std::make_unique<TDepthTable>(list.Curve(i)));
        else
            rec.userCurve.reset();
    }
    rec.name = entry.name;
    CheckSteelType(rec, false);
    rec.name = entry.name;
    return rec;
}

void FillMaterialLists(const TStructure& s, TMaterialLists& lists) {
    const int concreteCount = s.GetConcreteTypeCount();
    for (int i = 0; i < concreteCount; ++i)
        if (const ConcreteTypeRec* type = s.GetConcreteType(i))
            AddConcreteEntry(lists.concrete, *type, i);
    // No more types than a section holds (and a document keeps).
    lists.rebar.SetMaximum(std::min(s.GetMaxSteelTypes(), kMaxMaterialTypes));
    lists.prestressing.SetMaximum(std::min(s.GetMaxSteelTypes(), kMaxMaterialTypes));
    const int steelCount = s.GetSteelTypeCount();
    // Reinforcing bars first, then user-curve steel, then strand.
    for (int kind : {SteelKind::Reinforcing, SteelKind::UserCurve, SteelKind::Prestressing})
        for (int i = 0; i < steelCount; ++i)
            if (const SteelTypeRec* type = s.GetSteelType(i); type && type->kind == kind)
                AddSteelEntry(kind == SteelKind::Prestressing ? lists.prestressing : lists.rebar, *type, i);
    const auto detailed = [](int count, bool nonDefault) { return count > 1 || (count == 1 && nonDefault); };
    lists.detailed[kConcreteMaterial] =
        detailed(lists.concrete.GetCount(), concreteCount > 0 && s.GetConcreteType(0)->nonDefault != 0);
    const auto steelNonDefault = [&s, steelCount](bool prestressing) {
        for (int i = 0; i < steelCount; ++i) {
            const SteelTypeRec* type = s.GetSteelType(i);
            if ((type->kind == SteelKind::Prestressing) == prestressing)
                return type->nonDefault != 0;
        }
        return false;
    };
    lists.detailed[kRebarMaterial] = detailed(lists.rebar.GetCount(), steelNonDefault(false));
    lists.detailed[kPrestressingMaterial] = detailed(lists.prestressing.GetCount(), steelNonDefault(true));
}

namespace {

// A type the pages changed is stored as its document, written in the active unit system, gives
// it back with the values a new session derives from those: written and read again, it is the
// same type, so that the section the session holds is the one a new session opens from the saved
// file. A value derived from rounded ones (a strand's fu capped by its law at rupture) can round
// once more; a few passes settle it. A type left as it was stays as it is.
constexpr int kSettlingPasses = 6;

SteelTypeRec SteelReadBack(const SteelTypeRec& rec) {
    SteelTypeRec kept = SteelAsDocumentKeepsIt(rec, &g_UnitSystem);
    CheckSteelType(kept, false);
    return kept;
}

ConcreteTypeRec ConcreteReadBack(const ConcreteTypeRec& rec) {
    ConcreteTypeRec kept = ConcreteAsDocumentKeepsIt(rec, &g_UnitSystem);
    PrepareConcreteType(kept);
    CheckConcreteType(kept, false);
    return kept;
}

template <class Rec, class ReadBack> Rec AsStored(Rec rec, const Rec* old, ReadBack readBack) {
    if (old != nullptr && rec == *old)
        return rec;
    Rec kept = readBack(rec);
    for (int pass = 0; pass < kSettlingPasses; ++pass) {
        Rec again = readBack(kept);
        if (again == kept)
            break;
        kept = std::move(again);
    }
    return kept;
}

} // namespace

int WriteBackMaterials(TStructure& s, TMaterialLists& lists) {
    if (s.CheckFrozen())
        return 0;

    // ---- Steel: where each old type goes --------------------------------------------------
    const int oldSteel = s.GetSteelTypeCount();
    const int rebarCount = std::max(lists.rebar.GetCount(), 1);
    std::vector<int> steelTo(static_cast<std::size_t>(std::max(oldSteel, 0)), -1);
    for (int i = 0; i < lists.rebar.GetCount(); ++i) {
        const int source = lists.rebar.Entry(i).codes[3];
        if (source >= 0 && source < oldSteel)
            steelTo[static_cast<std::size_t>(source)] = i;
    }
    for (int i = 0; i < lists.prestressing.GetCount(); ++i) {
        const int source = lists.prestressing.Entry(i).codes[3];
        if (source >= 0 && source < oldSteel)
            steelTo[static_cast<std::size_t>(source)] = rebarCount + i;
    }
    const auto newSteelType = [&](int old) {
        if (old >= 0 && old < oldSteel && steelTo[static_cast<std::size_t>(old)] >= 0)
            return steelTo[static_cast<std::size_t>(old)];
        // A removed type: the first type of its kind.
        const SteelTypeRec* type = old >= 0 && old < oldSteel ? s.GetSteelType(old) : nullptr;
        return type && type->kind == SteelKind::Prestressing ? rebarCount : 0;
    };
    for (int d = 0; d < s.GetLongDirectionCount(); ++d)
        for (int i = 0; i < s.GetLongLayerCount(d); ++i)
            s.SetLongLayerSteelType(i, newSteelType(s.GetLongLayer(i, d)->type), d);
    for (int d = 3 - s.GetTransDirectionCount(); d <= 2; ++d)
        for (int i = 0; i < s.GetTransLayerCount(d); ++i)
            s.SetTransLayerSteelType(i, newSteelType(s.GetTransLayer(i, d)->type), d);
    for (int d = 0; d < std::min(s.GetPatternDirectionCount(), 2); ++d)
        for (int q = 0; q < s.GetPatternCapacity(); ++q)
            if (ReinfPatternRec* pattern = s.GetPattern(q, d); pattern && pattern->inUse)
                pattern->layer.type = newSteelType(pattern->layer.type);

    std::vector<SteelTypeRec> steel;
    for (int i = 0; i < lists.rebar.GetCount(); ++i) {
        const int source = lists.rebar.Entry(i).codes[3];
        const SteelTypeRec* old = source >= 0 && source < oldSteel ? s.GetSteelType(source) : nullptr;
        const int kind = lists.rebar.Entry(i).codes[0] == 1 ? SteelKind::UserCurve : SteelKind::Reinforcing;
        steel.push_back(
            AsStored(SteelFromEntry(lists.rebar, i, old ? *old : DefaultSteel(kind, "Steel 1"), kind), old, SteelReadBack));
    }
    if (lists.rebar.GetCount() == 0)
        steel.push_back(DefaultSteel(SteelKind::Reinforcing, "Steel 1"));
    for (int i = 0; i < lists.prestressing.GetCount(); ++i) {
        const int source = lists.prestressing.Entry(i).codes[3];
        const SteelTypeRec* old = source >= 0 && source < oldSteel ? s.GetSteelType(source) : nullptr;
        steel.push_back(AsStored(SteelFromEntry(lists.prestressing, i,
                                                old ? *old : DefaultSteel(SteelKind::Prestressing, "PSteel 1"),
                                                SteelKind::Prestressing),
                                 old, SteelReadBack));
    }
    // A beam section keeps a prestressing type at hand for its tendons; a membrane element
    // has no tendons and keeps the steel types it has.
    if (lists.prestressing.GetCount() == 0 && s.GetKind() != kKindShell)
        steel.push_back(DefaultSteel(SteelKind::Prestressing, "PSteel 1"));

    // ---- Concrete: each region keeps its type ---------------------------------------------
    if (lists.concrete.GetCount() == 0)
        AddConcreteEntry(lists.concrete, DefaultConcrete("Concrete 1"), -1);
    const int oldConcrete = s.GetConcreteTypeCount();
    std::vector<ConcreteTypeRec> concrete;
    std::vector<int> concreteTo(static_cast<std::size_t>(std::max(oldConcrete, 0)), -1);
    for (int i = 0; i < lists.concrete.GetCount(); ++i) {
        const int source = lists.concrete.Entry(i).codes[3];
        const bool known = source >= 0 && source < oldConcrete;
        if (known)
            concreteTo[static_cast<std::size_t>(source)] = i;
        const ConcreteTypeRec* was = known ? s.GetConcreteType(source) : nullptr;
        concrete.push_back(
            AsStored(ConcreteFromEntry(lists.concrete, i, was ? *was : DefaultConcrete("Concrete 1")), was, ConcreteReadBack));
    }
    int orphans = 0;
    for (int r = 0; r < s.GetRegionCount(); ++r) {
        int old = s.GetRegion(r)->concreteType;
        // A type outside the list is reported by the accessor and read as type 0.
        if (!s.GetConcreteType(old))
            old = 0;
        int now = old < oldConcrete ? concreteTo[static_cast<std::size_t>(old)] : -1;
        if (now < 0) {
            now = 0;
            ++orphans;
        }
        s.SetRegionConcreteType(r, now);
    }
    if (orphans > 0 && concrete.size() > 1)
        Report(StrPrintf("The concrete type of %d region(s) was deleted.  These regions now use \"%s\".", orphans,
                         concrete.front().name.c_str()));

    s.DeleteConcreteTypes();
    for (const ConcreteTypeRec& type : concrete)
        s.AddConcreteType(type);
    s.DeleteSteelTypes();
    for (const SteelTypeRec& type : steel)
        s.AddSteelType(type);
    // The main types are indices into the lists just renumbered: they name again the types the
    // section's regions and bars make the main ones, as when its document is opened, and the
    // transformed section follows a new main concrete.
    if (auto* beam = dynamic_cast<TBeam*>(&s)) {
        const int mainConcrete = beam->GetMainConcreteType();
        beam->FindMainTypes();
        if (beam->GetMainConcreteType() != mainConcrete)
            beam->ComputeSectionProperties();
    }
    s.SetModified(1);
    return 1;
}

// ---- Basic properties page ---------------------------------------------------------------

TMaterials::TMaterials(TMaterialLists& lists, int focusMaterial) : m_lists(lists), m_focus(focusMaterial) {}

void TMaterials::ShowValues() {
    const bool wasReady = ready;
    ready = false;
    if (m_lists.concrete.GetCount() == 0)
        AddConcreteEntry(m_lists.concrete, DefaultConcrete("Concrete 1"), -1);
    for (int m = 0; m < 3; ++m) {
        TTypeList& list = m_lists.Of(m);
        const auto k = static_cast<std::size_t>(m);
        if (list.GetCount() != 1 || m_lists.detailed[k]) {
            fields[k] = "Detailed";
            continue;
        }
        const TypeListRec& entry = list.Entry(0);
        if (m == kConcreteMaterial)
            fields[k] = StrPrintf("%5.1f", std::fabs(entry.values[0]) * UnitFactor(ukStress));
        else
            fields[k] = StrPrintf(g_UnitSystem == kUnitOldMetric ? "%5.2f" : "%5.0f",
                                  entry.values[m == kRebarMaterial ? 1 : 4] * UnitFactor(ukLargeStress));
    }
    ready = wasReady;
}

void TMaterials::FieldEdited(int material) {
    if (!ready || material < 0 || material > 2)
        return;
    const auto k = static_cast<std::size_t>(material);
    TTypeList& list = m_lists.Of(material);
    // Read as it is typed: a text that is no finite strength (or one past 10 000 MPa) changes
    // nothing until it is one.
    const double typed = TypedNumber(fields[k]);
    if (!std::isfinite(typed) ||
        std::fabs(typed / UnitFactor(material == kConcreteMaterial ? ukStress : ukLargeStress)) > kMaxTypedStrength)
        return;
    if (list.GetCount() > 1 || m_lists.detailed[k]) {
        const int answer = ShowMessage(
            "Changing this value will overwrite the detailed parameters.  Do you wish to continue?", "Information",
            MsgStyle::YesNo | MsgStyle::IconExclamation);
        if (answer != MsgAnswer::Yes) {
            fields[k] = "Detailed";
            return;
        }
        m_lists.detailed[k] = false;
    }
    if (material == kConcreteMaterial) {
        ConcreteTypeRec rec;
        InitConcreteTypeRec(rec);
        rec.name = list.GetCount() == 1 && !list.Entry(0).name.empty() ? list.Entry(0).name : "Concrete 1";
        rec.fc = -std::fabs(typed) / UnitFactor(ukStress);
        CheckConcreteType(rec, true);
        while (list.GetCount() > 0)
            list.Delete(0);
        AddConcreteEntry(list, rec, -1);
    } else {
        const int kind = material == kRebarMaterial ? SteelKind::Reinforcing : SteelKind::Prestressing;
        SteelTypeRec rec;
        InitSteelTypeRec(rec);
        rec.kind = kind;
        rec.name = list.GetCount() == 1 && !list.Entry(0).name.empty() ? list.Entry(0).name
                                                                        : (kind == SteelKind::Reinforcing ? "Steel 1" : "PSteel 1");
        rec.fy = typed / UnitFactor(ukLargeStress);
        CheckSteelType(rec, true);
        while (list.GetCount() > 0)
            list.Delete(0);
        AddSteelEntry(list, rec, -1);
    }
    modified = true;
}

TypedRefusal TMaterials::CheckFields() const {
    for (int m = 0; m < 3; ++m) {
        const auto k = static_cast<std::size_t>(m);
        if (fields[k] == "Detailed")
            continue;
        double strength = 0.0;
        const TypedRange range{0.0, kMaxTypedStrength, m == kConcreteMaterial ? ukStress : ukLargeStress};
        std::string message = ReadTypedMagnitude(fields[k], kFieldNames[k], range, strength);
        if (!message.empty())
            return {m, std::move(message)};
    }
    return {};
}

int TMaterials::TakeFocusRequest() {
    const int m = m_focus;
    m_focus = -1;
    return m >= 0 && m <= 2 ? kFieldIds[m] : -1;
}

void TMaterials::Leave() {
    if (modified && markStructuresChanged)
        markStructuresChanged();
}
