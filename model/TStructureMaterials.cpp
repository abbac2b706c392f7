// TStructure: the concrete and steel types, the model sets and the material-use queries.

#include <algorithm>
#include <cmath>
#include <map>
#include <new>
#include <set>

#include "foundation/NameText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/ModelSettings.h"
#include "model/TStructure.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"

namespace {

constexpr const char* kLoadError = "Load Error";

// Most records of one kind a structure can count (16-bit counters of the stored files).
constexpr int kMaxRecords = 32767;

// f't of 0.3321819 sqrt(f'c) MPa, f'c taken positive in MPa; in Pa.
double RootTensileStrength(double fc)
{
    return 0.3321819 * std::sqrt(std::fabs(fc) / 1e6) * 1e6;
}

bool IsReinforcing(int kind)
{
    return kind == SteelKind::Reinforcing || kind == SteelKind::UserCurve;
}

} // namespace

// ---- Adding and deleting types ------------------------------------------------------------

int TStructure::GrowConcreteTypes()
{
    if (CheckFrozen())
        return 0;
    try {
        if (static_cast<int>(m_concreteTypes.size()) >= kMaxRecords)
            throw std::bad_alloc();
        ConcreteTypeRec blank;
        InitConcreteTypeRec(blank);
        m_concreteTypes.push_back(std::move(blank));
    } catch (const std::bad_alloc&) {
        ShowMessage("Out of memory for new concrete types", kLoadError);
        return 0;
    }
    SetModified(1);
    return 1;
}

int TStructure::GrowSteelTypes()
{
    if (CheckFrozen())
        return 0;
    try {
        if (static_cast<int>(m_steelTypes.size()) >= kMaxRecords)
            throw std::bad_alloc();
        SteelTypeRec blank;
        InitSteelTypeRec(blank);
        m_steelTypes.push_back(std::move(blank));
    } catch (const std::bad_alloc&) {
        ShowMessage("Out of memory for new rebar types", kLoadError);
        return 0;
    }
    SetModified(1);
    return 1;
}

int TStructure::AddConcreteType(const ConcreteTypeRec& record)
{
    if (!GrowConcreteTypes())
        return 0;
    // The record's copy brings its own copy of the user curve.
    m_concreteTypes.back() = record;
    return 1;
}

int TStructure::AddConcreteTypeFromStrength(double& strength, const std::string& name)
{
    ConcreteTypeRec record;
    InitConcreteTypeRec(record);
    record.fc = -std::fabs(strength);
    record.name = NameText(name, kConcreteNameMaxChars);
    CheckConcreteType(record, 1);
    strength = std::fabs(record.fc);
    return AddConcreteType(record);
}

int TStructure::AddSteelType(const SteelTypeRec& record)
{
    if (!GrowSteelTypes())
        return 0;
    m_steelTypes.back() = record;
    return 1;
}

int TStructure::DeleteConcreteTypes()
{
    if (CheckFrozen())
        return 0;
    m_concreteTypes.clear();
    SetModified(1);
    return 1;
}

int TStructure::DeleteSteelTypes()
{
    if (CheckFrozen())
        return 0;
    m_steelTypes.clear();
    SetModified(1);
    return 1;
}

// ---- Setting type values ------------------------------------------------------------------

int TStructure::SetConcreteModelCodes(int i, int baseCurve, int tensionStiffening, int softening)
{
    if (CheckFrozen())
        return 0;
    ConcreteTypeRec* type = GetConcreteType(i);
    if (type == nullptr)
        return 0;
    AssignChanged(type->baseCurve, static_cast<int16_t>(baseCurve), 1.0);
    AssignChanged(type->tensionStiffening, static_cast<int16_t>(tensionStiffening), 1.0);
    AssignChanged(type->softening, static_cast<int16_t>(softening), 1.0);
    return 1;
}

int TStructure::SetSteelStrengths(int i, double fy, double fu)
{
    if (CheckFrozen())
        return 0;
    SteelTypeRec* type = GetSteelType(i);
    if (type == nullptr)
        return 0;
    type->fy = fy;
    type->fu = fu;
    SetModified(1);
    return 1;
}

int TStructure::ApplyTensionStiffeningCode(int flag)
{
    if (CheckFrozen())
        return 0;
    if (flag == 0)
        return 1;
    bool changed = false;
    for (auto& type : m_concreteTypes) {
        changed |= AssignChanged(type.tensionStiffening, static_cast<int16_t>(7), 1.0);
        if (type.tsFactor == 0.0) {
            type.tsFactor = 1.0;
            changed = true;
        }
    }
    if (changed)
        SetModified(1);
    return 1;
}

void TStructure::ApplyModelSetRow(int i, int code)
{
    ConcreteTypeRec& type = m_concreteTypes[static_cast<std::size_t>(i)];
    // "1 unless 4": a user-defined base curve (4) stays.
    const int baseUnlessUser =
        type.baseCurve == BaseCurveCode::UserDefined ? BaseCurveCode::UserDefined : 1;
    switch (code) {
    case 1:
        SetConcreteModelCodes(i, type.baseCurve, 1, 1);
        break;
    case 2:
        SetConcreteModelCodes(i, type.baseCurve, 1, 2);
        break;
    case 5:
        SetConcreteModelCodes(i, baseUnlessUser, 4, 15);
        break;
    case 6:
    case 7:
    case 8:
        SetConcreteModelCodes(i, baseUnlessUser, 4, 9);
        break;
    case 9:
    case 10:
    case 11:
    case 12:
        SetConcreteModelCodes(i, baseUnlessUser, 4, 14);
        break;
    case 13:
        SetConcreteModelCodes(i, baseUnlessUser, 4, 17);
        break;
    case 14:
        SetConcreteModelCodes(i, baseUnlessUser, 4, 16);
        break;
    case 15:
        if (type.baseCurve != BaseCurveCode::UserDefined)
            type.baseCurve = BaseCurveCode::Popovics;
        type.softening = 18;
        type.tensionStiffening = 7;
        // A tensile strength left at the root rule of model set 16 goes back to automatic.
        if (std::fabs(type.ft - RootTensileStrength(type.fc)) <= 0.001)
            type.ft = AutoTensileStrength(type);
        break;
    case 16:
        type.baseCurve = 1;
        type.softening = 10;
        type.tensionStiffening = 2;
        type.ft = RootTensileStrength(type.fc);
        type.ftAuto = 0;
        g_CrackingReductionOption = 0;
        break;
    case 17:
        SetConcreteModelCodes(i, type.baseCurve, 2, 0);
        break;
    default:
        break;
    }
}

int TStructure::SetConcreteModelSet(int code)
{
    if (CheckFrozen())
        return 0;
    m_modelSet = code;
    g_ConcreteModelSet = code;
    g_CrackingReductionOption = 1;
    for (int i = 0; i < static_cast<int>(m_concreteTypes.size()); ++i) {
        ApplyModelSetRow(i, code);
        CheckConcreteType(m_concreteTypes[static_cast<std::size_t>(i)], 0);
    }
    return 1;
}

// ---- Access -------------------------------------------------------------------------------

ConcreteTypeRec* TStructure::GetConcreteType(int i)
{
    return ItemAt(m_concreteTypes, i, "GetConcreteType");
}

const ConcreteTypeRec* TStructure::GetConcreteType(int i) const
{
    return ItemAt(m_concreteTypes, i, "GetConcreteType");
}

SteelTypeRec* TStructure::GetSteelType(int i)
{
    return ItemAt(m_steelTypes, i, "GetSteelType");
}

const SteelTypeRec* TStructure::GetSteelType(int i) const
{
    return ItemAt(m_steelTypes, i, "GetSteelType");
}

const SteelTypeRec* TStructure::GetTransverseSteelType(int i, int direction) const
{
    const TransLayerRec* layer = GetTransLayer(i, direction);
    return layer != nullptr ? GetSteelType(layer->type) : nullptr;
}

const ConcreteTypeRec* TStructure::GetCurrentConcreteType() const
{
    return GetConcreteType(GetMainConcreteType());
}

const ConcreteTypeRec* TStructure::FindMainConcreteType() const
{
    const int main = std::max(GetMainConcreteType(), 0);
    return main < GetConcreteTypeCount() ? GetConcreteType(main) : nullptr;
}

namespace {

// A region holds the depths between its faces widened by this much.
constexpr double kRegionDepthTolerance = 0.0001;

bool RegionHolds(const ConcreteRegionRec& r, double depth)
{
    return r.bottom - kRegionDepthTolerance <= depth && depth <= r.top + kRegionDepthTolerance;
}

} // namespace

const ConcreteTypeRec* TStructure::GetConcreteTypeAt(double depth) const
{
    // A region whose type is not defined is reported by GetConcreteType (FindConcreteTypeAt is
    // quiet about it).
    if (HasRegionAt(depth)) {
        for (const auto& r : m_regions) {
            if (RegionHolds(r, depth))
                return GetConcreteType(r.concreteType);
        }
    }
    ShowMessage(StrPrintf("No concrete region at depth %g", depth),
                kProgramCaption,
                MsgStyle::Ok | MsgStyle::IconExclamation);
    return nullptr;
}

const ConcreteTypeRec* TStructure::FindConcreteTypeAt(double depth) const
{
    // A region naming a type the structure does not define (an outline read without its
    // concrete) has no concrete to give, without a message: validation and drawing ask here.
    for (const auto& r : m_regions) {
        if (RegionHolds(r, depth)) {
            const bool defined = r.concreteType >= 0 && r.concreteType < GetConcreteTypeCount();
            return defined ? GetConcreteType(r.concreteType) : nullptr;
        }
    }
    return nullptr;
}

bool TStructure::HasRegionAt(double depth) const
{
    return std::any_of(m_regions.begin(), m_regions.end(), [depth](const ConcreteRegionRec& r) {
        return RegionHolds(r, depth);
    });
}

bool TStructure::FindDepthWithoutConcrete(double& depth) const
{
    const double bottom = GetBottom();
    const double top = GetTop();
    if (!(top > bottom))
        return false;
    // What the regions leave without concrete starts at the bottom, at the top, or just past
    // a face of a region (beyond its tolerance): the lowest of these that no region holds.
    constexpr double kPast = 1e-7;
    std::vector<double> candidates{bottom, top};
    for (const auto& r : m_regions) {
        candidates.push_back(r.top + kRegionDepthTolerance + kPast);
        candidates.push_back(r.bottom - kRegionDepthTolerance - kPast);
    }
    std::sort(candidates.begin(), candidates.end());
    for (const double y : candidates) {
        if (y < bottom || y > top || HasRegionAt(y))
            continue;
        depth = y;
        return true;
    }
    return false;
}

namespace {

// An elevation above a section's bottom as the section's outline table shows it: whole
// millimetres without decimals, any other length with one (old metric: in cm with one or two),
// US customary with two.
std::string ElevationText(double elevation)
{
    constexpr double kSameElevation = 4.4e-5; // m, as the outline table compares points
    const bool wholeMm = std::fabs(elevation - std::round(elevation * 1000.0) / 1000.0) < kSameElevation;
    int decimals = wholeMm ? 0 : 1;
    if (g_UnitSystem == kUnitUS)
        decimals = 2;
    else if (g_UnitSystem == kUnitOldMetric)
        decimals = wholeMm ? 1 : 2;
    return StrPrintf("%.*f", decimals, ToDisplayUnits(elevation, ukSectionLength));
}

} // namespace

std::string TStructure::DescribeMissingConcrete() const
{
    // A region of a section naming a type the section does not have holds no known concrete.
    const double bottom = GetBottom();
    for (const auto& r : m_regions) {
        if (IsMembrane() || (r.concreteType >= 0 && r.concreteType < GetConcreteTypeCount()))
            continue;
        return StrPrintf("Section \"%s\": The concrete region between elevations %s and %s %s names a concrete "
                         "type that the section does not have, so it cannot be analysed.",
                         GetName().c_str(),
                         ElevationText(r.bottom - bottom).c_str(),
                         ElevationText(r.top - bottom).c_str(),
                         UnitLabel(ukSectionLength));
    }
    // A membrane element keeps its thickness without an outline: the whole of it is a depth
    // without concrete.
    double depth = 0.0;
    if (!FindDepthWithoutConcrete(depth))
        return {};
    if (IsMembrane())
        return StrPrintf("Membrane element \"%s\": No concrete region at depth %.1f %s.  Its concrete does not "
                         "span the whole thickness, so it cannot be analysed.",
                         GetName().c_str(),
                         ToDisplayUnits(depth, ukSectionLength),
                         UnitLabel(ukSectionLength));
    // A section's regions stand about its centroid; its outline table gives elevations above
    // its bottom. The place without concrete runs from the face below it (or the bottom) to the
    // face above it (or the top).
    double below = bottom;
    double above = GetTop();
    for (const auto& r : m_regions) {
        if (r.top < depth)
            below = std::max(below, r.top);
        if (r.bottom > depth)
            above = std::min(above, r.bottom);
    }
    return StrPrintf("Section \"%s\": No concrete region between elevations %s and %s %s.  Its concrete does "
                     "not span the whole height, so it cannot be analysed.",
                     GetName().c_str(),
                     ElevationText(below - bottom).c_str(),
                     ElevationText(above - bottom).c_str(),
                     UnitLabel(ukSectionLength));
}

double TStructure::GetConcreteStrainRatio(int concreteType, double tensileStrength) const
{
    const ConcreteTypeRec* type = GetConcreteType(concreteType);
    if (type == nullptr)
        return 0.0;
    // A type that was never prepared has no modulus yet; its cracking strain stands alone.
    if (!(type->Ec > 0.0))
        return type->ecr;
    return std::max(tensileStrength / type->Ec, type->ecr);
}

// ---- Use of the types ---------------------------------------------------------------------

int TStructure::IsConcreteTypeUsed(int t) const
{
    for (const auto& r : m_regions) {
        if (r.concreteType == t)
            return 1;
    }
    return 0;
}

int TStructure::IsSteelTypeUsed(int t) const
{
    for (const auto& layers : m_longLayers) {
        for (const auto& layer : layers) {
            if (layer.type == t)
                return 1;
        }
    }
    for (const auto& layers : m_transLayers) {
        for (const auto& layer : layers) {
            if (layer.type == t)
                return 1;
        }
    }
    return 0;
}

int TStructure::FirstUsedConcreteType() const
{
    const int n = static_cast<int>(m_concreteTypes.size());
    for (int t = 0; t < n; ++t) {
        if (IsConcreteTypeUsed(t))
            return t;
    }
    return n == 1 ? 0 : -1;
}

int TStructure::FirstUsedSteelType() const
{
    for (int t = 0; t < static_cast<int>(m_steelTypes.size()); ++t) {
        if (IsSteelTypeUsed(t))
            return t;
    }
    return -1;
}

int TStructure::FirstUsedPrestressingType() const
{
    for (int t = 0; t < static_cast<int>(m_steelTypes.size()); ++t) {
        if (m_steelTypes[static_cast<std::size_t>(t)].kind == SteelKind::Prestressing &&
            IsSteelTypeUsed(t))
            return t;
    }
    return -1;
}

int TStructure::CountUsedConcreteTypes() const
{
    int count = 0;
    for (int t = 0; t < static_cast<int>(m_concreteTypes.size()); ++t)
        count += IsConcreteTypeUsed(t);
    return count;
}

int TStructure::CountSteelKinds(int& reinforcing, int& prestressing) const
{
    reinforcing = 0;
    prestressing = 0;
    const auto count = [&](int t) {
        if (t < 0 || t >= static_cast<int>(m_steelTypes.size()))
            return;
        const int kind = m_steelTypes[static_cast<std::size_t>(t)].kind;
        if (IsReinforcing(kind))
            ++reinforcing;
        else if (kind == SteelKind::Prestressing)
            ++prestressing;
    };
    for (const auto& layers : m_longLayers) {
        for (const auto& layer : layers)
            count(layer.type);
    }
    for (const auto& layers : m_transLayers) {
        for (const auto& layer : layers)
            count(layer.type);
    }
    if (reinforcing == 0 && prestressing == 0)
        return 1;
    if (reinforcing == 0 || prestressing == 0)
        return 2;
    return 3;
}

int TStructure::FixMaterialNames()
{
    // A name keeps no control character (a document could not carry it).
    for (auto& type : m_concreteTypes)
        type.name = NameText(type.name, kConcreteNameMaxChars);
    for (auto& type : m_steelTypes)
        type.name = NameText(type.name, kSteelNameMaxChars);
    int counter = 0;
    for (auto& type : m_concreteTypes) {
        if (type.name.empty())
            type.name = StrPrintf("Conc%1d", counter++);
    }
    // A later type that repeats an earlier name gets "1" appended; when that is taken too, or
    // the name field is full, the name cut to fit is followed by the first free number from 2.
    // Regions name their concrete type in a document, so every name must stay its own.
    std::map<std::string, int> uses;
    for (const ConcreteTypeRec& type : m_concreteTypes)
        ++uses[type.name];
    std::set<std::string> seen;
    std::map<std::string, std::size_t> nextNumber;
    for (ConcreteTypeRec& type : m_concreteTypes) {
        if (seen.insert(type.name).second)
            continue;
        const std::string base = type.name;
        std::size_t& n = nextNumber.try_emplace(base, 1).first->second;
        for (;; ++n) {
            const std::string suffix = std::to_string(n);
            const std::string candidate = BoundedCopy(base, kConcreteNameMaxChars - suffix.size()) + suffix;
            if (uses[candidate] == 0) {
                --uses[base];
                ++uses[candidate];
                seen.insert(candidate);
                type.name = candidate;
                break;
            }
        }
    }
    for (auto& type : m_steelTypes) {
        if (type.kind != SteelKind::Reinforcing && type.kind != SteelKind::Prestressing &&
            type.kind != SteelKind::UserCurve)
            type.kind = SteelKind::Reinforcing;
    }
    for (std::size_t i = 0; i < m_steelTypes.size(); ++i) {
        if (m_steelTypes[i].name.empty())
            m_steelTypes[i].name = StrPrintf("Steel%1d", static_cast<int>(i));
    }
    for (std::size_t i = 0; i < m_steelTypes.size(); ++i) {
        for (std::size_t j = i + 1; j < m_steelTypes.size(); ++j) {
            SteelTypeRec& later = m_steelTypes[j];
            if (later.name != m_steelTypes[i].name)
                continue;
            const char letter = later.kind == SteelKind::Reinforcing ? 'M'
                                : later.kind == SteelKind::UserCurve ? 'S'
                                                                     : 'P';
            if (later.name.size() < kSteelNameMaxChars)
                later.name += letter;
            else
                later.name = StrPrintf("%c%d", letter, static_cast<int>(j));
        }
    }
    return 1;
}
