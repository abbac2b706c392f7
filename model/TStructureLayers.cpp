// TStructure: regions, reinforcement layers and their setters, pattern slots, experimental
// data, loads and fire settings.

#include <algorithm>
#include <limits>
#include <new>
#include <type_traits>

#include "foundation/NameText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TStructure.h"

namespace {

constexpr const char* kLoadError = "Load Error";

int16_t ToInt16(int value)
{
    return static_cast<int16_t>(std::clamp(value,
                                           static_cast<int>(std::numeric_limits<int16_t>::min()),
                                           static_cast<int>(std::numeric_limits<int16_t>::max())));
}

// Keeps the texts of a record from files or dialogs inside their fields.
void BoundTexts(LongLayerRec& layer)
{
    layer.bartitle = NameText(layer.bartitle, kBarTitleChars);
    layer.name = NameText(layer.name, kLayerNameChars);
}

void BoundTexts(TransLayerRec& layer)
{
    layer.bartitle = NameText(layer.bartitle, kBarTitleChars);
    layer.name = NameText(layer.name, kLayerNameChars);
}

bool RenameLegacyTitle(std::string& title)
{
    if (title == "D6") {
        title = "oD6";
        return true;
    }
    if (title == "D10") {
        title = "oD10";
        return true;
    }
    return false;
}

} // namespace

// ---- Regions ------------------------------------------------------------------------------

int TStructure::AddRegion(double top,
                          double bottom,
                          double topWidth,
                          double bottomWidth,
                          int concreteType,
                          int updateExtents)
{
    return AddRegion(ConcreteRegionRec{top, bottom, topWidth, bottomWidth, ToInt16(concreteType)},
                     updateExtents);
}

int TStructure::AddRegion(const ConcreteRegionRec& region, int updateExtents)
{
    if (CheckFrozen())
        return 0;
    if (static_cast<int>(m_regions.size()) >= GetMaxRegions()) {
        ShowMessage("Can't add section", kProgramCaption, MsgStyle::Ok | MsgStyle::IconExclamation);
        return 0;
    }
    m_regions.push_back(region);
    if (updateExtents != 0)
        UpdateExtents();
    SetModified(1);
    return 1;
}

int TStructure::InsertRegion(const ConcreteRegionRec& region, int index, int updateExtents)
{
    if (CheckFrozen())
        return 0;
    const int count = static_cast<int>(m_regions.size());
    if (index < 0 || index > count || count >= GetMaxRegions() - 1)
        return 0;
    m_regions.insert(m_regions.begin() + index, region);
    if (updateExtents != 0)
        UpdateExtents();
    SetModified(1);
    return 1;
}

int TStructure::DeleteRegions()
{
    if (CheckFrozen())
        return 0;
    m_regions.clear();
    SetModified(1);
    return 1;
}

int TStructure::SetRegionConcreteType(int i, int t)
{
    if (CheckFrozen())
        return 0;
    ConcreteRegionRec* region = GetRegion(i);
    if (region == nullptr)
        return 0;
    region->concreteType = ToInt16(t);
    SetModified(1);
    return 1;
}

ConcreteRegionRec* TStructure::GetRegion(int i)
{
    return ItemAt(m_regions, i, "GetRegion");
}

const ConcreteRegionRec* TStructure::GetRegion(int i) const
{
    return ItemAt(m_regions, i, "GetRegion");
}

// ---- Layers -------------------------------------------------------------------------------

int TStructure::GrowLongLayers(int direction)
{
    if (CheckFrozen())
        return 0;
    if (!ServesLongDirection(direction)) {
        ReportBadDirection("GrowLongLayers", direction);
        return 0;
    }
    auto& layers = LongLayers(direction);
    try {
        if (static_cast<int>(layers.size()) >= GetMaxLongLayers())
            throw std::bad_alloc();
        LongLayerRec blank;
        InitLongLayerRec(blank);
        layers.push_back(std::move(blank));
    } catch (const std::bad_alloc&) {
        ShowMessage("Out of memory for new reinforcing types", kLoadError);
        return 0;
    }
    SetModified(1);
    return 1;
}

int TStructure::GrowTransLayers(int direction)
{
    if (CheckFrozen())
        return 0;
    if (!ServesTransDirection(direction)) {
        ReportBadDirection("GrowTransLayers", direction);
        return 0;
    }
    auto& layers = TransLayers(direction);
    try {
        if (static_cast<int>(layers.size()) >= GetMaxTransLayers())
            throw std::bad_alloc();
        TransLayerRec blank;
        InitTransLayerRec(blank);
        layers.push_back(std::move(blank));
    } catch (const std::bad_alloc&) {
        ShowMessage("Out of memory for new transverse reinforcing types", kLoadError);
        return 0;
    }
    SetModified(1);
    return 1;
}

int TStructure::AddLongLayer(const LongLayerRec& record, int direction)
{
    if (!GrowLongLayers(direction))
        return 0;
    LongLayerRec& layer = LongLayers(direction).back();
    layer = record;
    BoundTexts(layer);
    return 1;
}

int TStructure::AddTransLayer(const TransLayerRec& record, int direction)
{
    if (!GrowTransLayers(direction))
        return 0;
    TransLayerRec& layer = TransLayers(direction).back();
    layer = record;
    BoundTexts(layer);
    return 1;
}

int TStructure::DeleteLongLayers(int direction)
{
    if (CheckFrozen())
        return 0;
    if (direction < 0 || direction > 1) {
        ReportBadDirection("DeleteLongLayers", direction);
        return 0;
    }
    LongLayers(direction).clear();
    SetModified(1);
    return 1;
}

int TStructure::DeleteTransLayers(int direction)
{
    if (CheckFrozen())
        return 0;
    if (direction < 0 || direction > 2) {
        ReportBadDirection("DeleteTransLayers", direction);
        return 0;
    }
    TransLayers(direction).clear();
    SetModified(1);
    return 1;
}

template <typename ByDirection>
auto TStructure::LayerAt(ByDirection& layers, int i, int direction, const char* operation)
    -> decltype(&layers[0][0])
{
    if (direction < 0 || direction >= static_cast<int>(layers.size())) {
        ReportBadDirection(operation, direction);
        return nullptr;
    }
    return ItemAt(layers[static_cast<std::size_t>(direction)], i, operation);
}

LongLayerRec* TStructure::GetLongLayer(int i, int direction)
{
    return LayerAt(m_longLayers, i, direction, "GetLongLayer");
}

const LongLayerRec* TStructure::GetLongLayer(int i, int direction) const
{
    return LayerAt(m_longLayers, i, direction, "GetLongLayer");
}

TransLayerRec* TStructure::GetTransLayer(int i, int direction)
{
    return LayerAt(m_transLayers, i, direction, "GetTransLayer");
}

const TransLayerRec* TStructure::GetTransLayer(int i, int direction) const
{
    return LayerAt(m_transLayers, i, direction, "GetTransLayer");
}

// ---- Per-layer setters --------------------------------------------------------------------

template <typename Layer, typename Edit> int TStructure::EditLayer(int i, int direction, Edit edit)
{
    if (CheckFrozen())
        return 0;
    Layer* layer = nullptr;
    if constexpr (std::is_same_v<Layer, LongLayerRec>)
        layer = GetLongLayer(i, direction);
    else
        layer = GetTransLayer(i, direction);
    if (layer == nullptr)
        return 0;
    edit(*layer);
    return 1;
}

int TStructure::SetLongLayerDepth(int i, double z, int direction)
{
    return EditLayer<LongLayerRec>(i, direction, [&](LongLayerRec& layer) { layer.z = z; });
}

int TStructure::SetLongLayerTitle(int i, const std::string& text, int direction)
{
    return EditLayer<LongLayerRec>(i, direction, [&](LongLayerRec& layer) {
        layer.bartitle = NameText(text, kBarTitleChars);
    });
}

int TStructure::SetLongLayerSteelType(int i, int t, int direction)
{
    return EditLayer<LongLayerRec>(i, direction, [&](LongLayerRec& layer) {
        layer.type = t;
        SetModified(1);
    });
}

int TStructure::SetLongLayerThermStrain(int i, double value, int direction)
{
    return EditLayer<LongLayerRec>(i, direction, [&](LongLayerRec& layer) {
        if (AssignChanged(layer.thermStrain, value, kModifiedTolerance))
            SetModified(1);
    });
}

int TStructure::SetLongLayerState(int i, double value, int direction)
{
    return EditLayer<LongLayerRec>(i, direction, [&](LongLayerRec& layer) {
        layer.bondTerm = value;
    });
}

int TStructure::SetLongLayerTimeStrain(int i, double value, int direction)
{
    LongLayerRec* layer = GetLongLayer(i, direction);
    if (layer == nullptr)
        return 0;
    layer->timeStrain = value;
    return 1;
}

int TStructure::SetLongLayerPattern(
    int i, int index, int pattern, int nround, int aligned, int direction)
{
    return EditLayer<LongLayerRec>(i, direction, [&](LongLayerRec& layer) {
        layer.index = index;
        if (pattern != kKeepPatternField)
            layer.pattern = pattern;
        if (nround != kKeepPatternField)
            layer.nround = nround;
        if (aligned != kKeepPatternField)
            layer.aligned = aligned;
    });
}

int TStructure::ScaleTransLayerArea(int i, double factor, int direction)
{
    return EditLayer<TransLayerRec>(i, direction, [&](TransLayerRec& layer) { layer.A *= factor; });
}

int TStructure::SetTransLayerTitle(int i, const std::string& text, int direction)
{
    return EditLayer<TransLayerRec>(i, direction, [&](TransLayerRec& layer) {
        layer.bartitle = NameText(text, kBarTitleChars);
    });
}

int TStructure::SetTransLayerSteelType(int i, int t, int direction)
{
    return EditLayer<TransLayerRec>(i, direction, [&](TransLayerRec& layer) {
        layer.type = t;
        SetModified(1);
    });
}

int TStructure::SetTransLayerValue(int i, double value, int direction)
{
    return EditLayer<TransLayerRec>(i, direction, [&](TransLayerRec& layer) {
        layer.thermStrain = value;
        SetModified(1);
    });
}

int TStructure::SortLongLayers()
{
    if (CheckFrozen())
        return 0;
    for (auto& layers : m_longLayers) {
        std::stable_sort(layers.begin(), layers.end(), [](const auto& a, const auto& b) {
            return CompareLongLayers(a, b) < 0;
        });
    }
    return 1;
}

int TStructure::RenameLegacyBarTitles(int direction)
{
    if (CheckFrozen())
        return 0;
    if (direction < 0 || direction > 1) {
        ReportBadDirection("RenameLegacyBarTitles", direction);
        return 0;
    }
    bool changed = false;
    for (auto& layer : LongLayers(direction))
        changed |= RenameLegacyTitle(layer.bartitle);
    return changed ? 1 : 0;
}

int TStructure::RenameLegacyTransBarTitles(int direction)
{
    if (CheckFrozen())
        return 0;
    if (direction < 0 || direction > 2) {
        ReportBadDirection("RenameLegacyTransBarTitles", direction);
        return 0;
    }
    bool changed = false;
    for (auto& layer : TransLayers(direction))
        changed |= RenameLegacyTitle(layer.bartitle);
    return changed ? 1 : 0;
}

// ---- Pattern slots ------------------------------------------------------------------------

template <typename Slots>
auto TStructure::SlotsOf(Slots& patterns, int direction) -> decltype(&patterns[0])
{
    if (direction < 0 || direction > 1)
        return nullptr;
    auto& slots = patterns[static_cast<std::size_t>(direction)];
    return slots.empty() ? nullptr : &slots;
}

std::vector<ReinfPatternRec>* TStructure::PatternArray(int direction)
{
    return SlotsOf(m_patterns, direction);
}

const std::vector<ReinfPatternRec>* TStructure::PatternArray(int direction) const
{
    return SlotsOf(m_patterns, direction);
}

int TStructure::StorePattern(const ReinfPatternRec& record, int direction)
{
    if (CheckFrozen())
        return 0;
    auto* patterns = PatternArray(direction);
    if (patterns == nullptr) {
        ReportBadDirection("StorePattern", direction);
        return 0;
    }
    for (auto& slot : *patterns) {
        if (slot.inUse == 0) {
            slot = record;
            BoundTexts(slot.layer);
            break;
        }
    }
    return 1;
}

int TStructure::ClearPatterns(int direction)
{
    if (CheckFrozen())
        return 0;
    auto* patterns = PatternArray(direction);
    if (patterns == nullptr) {
        ReportBadDirection("ClearPatterns", direction);
        return 0;
    }
    for (auto& slot : *patterns)
        slot.inUse = 0;
    return 1;
}

template <typename Slots>
auto TStructure::PatternAt(Slots& patterns, int i, int direction) -> decltype(&patterns[0][0])
{
    auto* slots = SlotsOf(patterns, direction);
    if (slots == nullptr) {
        ReportBadDirection("GetPattern", direction);
        return nullptr;
    }
    return ItemAt(*slots, i, "GetPattern");
}

ReinfPatternRec* TStructure::GetPattern(int i, int direction)
{
    return PatternAt(m_patterns, i, direction);
}

const ReinfPatternRec* TStructure::GetPattern(int i, int direction) const
{
    return PatternAt(m_patterns, i, direction);
}

// ---- Experimental data --------------------------------------------------------------------

int TStructure::SetValueList(int i, const double* values, int n)
{
    if (CheckFrozen())
        return 0;
    if (i < 0 || i >= kValueListCount)
        return 0;
    auto& list = m_valueLists[static_cast<std::size_t>(i)];
    if (!list)
        list = std::make_unique<TdoubleArray>(5);
    else
        list->Clear();
    if (values != nullptr) {
        for (int k = 0; k < n; ++k)
            list->Add(values[k]);
    }
    return 1;
}

int TStructure::SetValueListFrom(int i, const TdoubleArray& list)
{
    if (i < 0 || i >= kValueListCount)
        return 0;
    m_valueLists[static_cast<std::size_t>(i)] = std::make_unique<TdoubleArray>(list);
    return 1;
}

int TStructure::CopyValueListsFrom(const TStructure& other)
{
    if (CheckFrozen())
        return 0;
    if (&other == this)
        return 1;
    for (int i = 0; i < kValueListCount; ++i) {
        const auto& theirs = other.m_valueLists[static_cast<std::size_t>(i)];
        if (theirs)
            m_valueLists[static_cast<std::size_t>(i)] = std::make_unique<TdoubleArray>(*theirs);
    }
    return 1;
}

int TStructure::ClearValueLists()
{
    if (CheckFrozen())
        return 0;
    for (auto& list : m_valueLists)
        list.reset();
    SetModified(1);
    return 1;
}

const TdoubleArray* TStructure::GetValueList(int i) const
{
    if (i < 0 || i >= kValueListCount)
        return nullptr;
    return m_valueLists[static_cast<std::size_t>(i)].get();
}

int TStructure::RewindValueList(int i)
{
    if (i < 0 || i >= kValueListCount || !m_valueLists[static_cast<std::size_t>(i)])
        return 0;
    m_valueLists[static_cast<std::size_t>(i)]->StartIteration();
    return 1;
}

int TStructure::HasMoreValues(int i) const
{
    const TdoubleArray* list = GetValueList(i);
    return list != nullptr && list->HasNext() ? 1 : 0;
}

double TStructure::NextValue(int i)
{
    if (i < 0 || i >= kValueListCount || !m_valueLists[static_cast<std::size_t>(i)])
        return 0.0;
    return m_valueLists[static_cast<std::size_t>(i)]->Next();
}

// ---- Loads and fire data ------------------------------------------------------------------

namespace {

int CopyLoads(const LoadVector& from, double* values, int n)
{
    if (values == nullptr)
        return 0;
    const int count = std::clamp(n, 0, kLoadCount);
    for (int k = 0; k < count; ++k)
        values[k] = from[static_cast<std::size_t>(k)];
    return 1;
}

bool StoreLoads(LoadVector& to, const double* values, int n)
{
    if (values == nullptr)
        return false;
    bool changed = false;
    const int count = std::clamp(n, 0, kLoadCount);
    for (int k = 0; k < count; ++k)
        changed |= TStructure::AssignChanged(to[static_cast<std::size_t>(k)],
                                             values[k],
                                             kModifiedTolerance);
    return changed;
}

} // namespace

int TStructure::GetIncrementLoads(double* values, int n) const
{
    return CopyLoads(m_incrementLoads, values, n);
}

int TStructure::GetConstantLoads(double* values, int n) const
{
    return CopyLoads(m_constantLoads, values, n);
}

int TStructure::SetIncrementLoads(const double* values, int n)
{
    if (CheckFrozen())
        return 0;
    if (StoreLoads(m_incrementLoads, values, n))
        SetModified(1);
    return 1;
}

int TStructure::SetConstantLoads(const double* values, int n)
{
    if (CheckFrozen())
        return 0;
    if (StoreLoads(m_constantLoads, values, n))
        SetModified(1);
    return 1;
}

int TStructure::GetFireData(
    int& exposure, int& type, int& rebarperform, double& time, double& constanttemp) const
{
    exposure = m_fireData.exposure;
    type = m_fireData.type;
    rebarperform = m_fireData.rebarperform;
    time = m_fireData.time;
    constanttemp = m_fireData.constanttemp;
    return 1;
}

int TStructure::SetFireData(
    int exposure, int type, int rebarperform, double time, double constanttemp)
{
    if (CheckFrozen())
        return 0;
    bool changed = AssignChanged(m_fireData.exposure, exposure, 1.0);
    changed |= AssignChanged(m_fireData.type, type, 1.0);
    changed |= AssignChanged(m_fireData.rebarperform, rebarperform, 1.0);
    changed |= AssignChanged(m_fireData.time, time, kModifiedTolerance);
    changed |= AssignChanged(m_fireData.constanttemp, constanttemp, kModifiedTolerance);
    return changed ? 1 : 0;
}
