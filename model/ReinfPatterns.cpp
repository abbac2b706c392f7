#include "model/ReinfPatterns.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TStructure.h"
#include "model/catalogues/TRebarList.h"

namespace {

// Angles within this of pi (and the angle 0) carry a single bar.
constexpr double kAngleTolerance = 0.01;

int32_t ClampToInt32(long long value)
{
    return static_cast<int32_t>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void ReportTooMany(const char* kind)
{
    ShowMessage(StrPrintf("Too many %s rebar patterns. Will continue with limited list", kind),
                "Information",
                MsgStyle::Ok | MsgStyle::IconExclamation);
}

// Pattern slots of a direction; 0 when the direction has no pattern array.

// A layer that cannot belong to a pattern becomes a plain layer; its index is kept.
void MakePlain(TStructure& s, int i, int direction)
{
    const LongLayerRec* layer = s.GetLongLayer(i, direction);
    s.SetLongLayerPattern(i, layer->index, kPlainLayer, 0, 1, direction);
}

void StartPattern(ReinfPatternRec& slot, const LongLayerRec& layer, int kind)
{
    slot = ReinfPatternRec{};
    slot.kind = kind;
    slot.inUse = 1;
    slot.layer = layer;
    slot.zLeast = slot.zLargest = layer.z;
    slot.missing = ClampToInt32(static_cast<long long>(layer.nround) - layer.num);
}

void TakeIn(ReinfPatternRec& slot, const LongLayerRec& layer)
{
    if (layer.name.size() < slot.layer.name.size())
        slot.layer.name = layer.name;
    slot.missing = ClampToInt32(static_cast<long long>(slot.missing) - layer.num);
    slot.zLeast = std::min(slot.zLeast, layer.z);
    slot.zLargest = std::max(slot.zLargest, layer.z);
}

// Works out the circle through the highest and lowest bars of a complete pattern of n >= 2
// bars: with t = pi / n and c = cos t the span zLargest - zLeast is R (1 + c) for odd n,
// 2 R for even aligned n and 2 R c for even n not aligned.
void SetCircle(ReinfPatternRec& slot, int n)
{
    const double c = std::cos(kModelPi / n);
    const double span = slot.zLargest - slot.zLeast;
    const bool aligned = slot.layer.aligned != 0;
    if (n % 2 != 0) {
        slot.radius = span / (c + 1.0);
        slot.centre = aligned ? slot.zLeast + slot.radius * c : slot.zLeast + slot.radius;
        return;
    }
    slot.centre = (slot.zLargest + slot.zLeast) / 2.0;
    if (aligned)
        slot.radius = span / 2.0;
    else
        slot.radius = n == 2 ? 0.1 : span / (2.0 * c);
}

std::string CatalogueName(int barIndex)
{
    // The catalogue answers an index outside it with the empty name.
    return barIndex < 0 ? std::string() : g_RebarList.GetName(barIndex);
}

// A layer generated from a pattern: the bar data of the pattern's layer, its own place,
// count and name.
LongLayerRec PatternLayer(const ReinfPatternRec& slot, int slotIndex, int pattern, int k)
{
    const LongLayerRec& proto = slot.layer;
    LongLayerRec layer;
    InitLongLayerRec(layer);
    layer.Ai = proto.Ai;
    layer.db = proto.db;
    layer.type = proto.type;
    layer.barIndex = proto.barIndex;
    layer.bartitle = CatalogueName(proto.barIndex);
    layer.space = proto.space;
    layer.nround = proto.nround;
    layer.aligned = proto.aligned;
    // The prestrain of the pattern's bars is kept, so that a re-expanded pattern of
    // tendons stays prestressed.
    layer.dep = proto.dep;
    layer.pattern = pattern;
    layer.index = slotIndex;
    layer.name = k == 0 ? proto.name : StrPrintf("%s%d", proto.name.c_str(), k);
    return layer;
}

} // namespace

int PatternSlotCount(const TStructure& s, int direction)
{
    if (direction < 0 || direction >= std::min(s.GetPatternDirectionCount(), 2))
        return 0;
    return std::max(s.GetPatternCapacity(), 0);
}

int RepairPatternSlots(TStructure& s)
{
    const int capacity = s.GetPatternCapacity();
    if (capacity <= 0 || s.GetPatternDirectionCount() <= 0)
        return 0;
    int repaired = 0;
    const int directions = std::min(s.GetLongDirectionCount(), 2);
    for (int d = 0; d < directions; ++d) {
        for (int i = 0; i < s.GetLongLayerCount(d); ++i) {
            const LongLayerRec& layer = *s.GetLongLayer(i, d);
            const bool circular = layer.pattern == kCircularPattern;
            if ((!circular && layer.pattern != kDistributedPattern) || layer.index < capacity)
                continue;
            ShowMessage(StrPrintf("%s \"%s\": %s longitudinal layer \"%s\" names %s pattern slot "
                                  "%d, past the %d pattern slots (0 to %d) of %s. The layer is kept "
                                  "as a plain layer of %d bar%s.",
                                  s.GetKind() == kKindShell ? "Membrane element" : "Section",
                                  s.GetName().c_str(),
                                  d == 0 ? "X Direction" : "Y Direction",
                                  layer.name.c_str(),
                                  circular ? "circular" : "distributed",
                                  layer.index,
                                  capacity,
                                  capacity - 1,
                                  s.GetKind() == kKindShell ? "an element" : "a section",
                                  layer.num,
                                  layer.num == 1 ? "" : "s"),
                        "Longitudinal Problem",
                        MsgStyle::Ok | MsgStyle::IconExclamation);
            MakePlain(s, i, d);
            ++repaired;
        }
    }
    return repaired;
}

int BuildCircularPatterns(TStructure& s)
{
    const int capacity = PatternSlotCount(s, 0);
    if (capacity == 0)
        return 0;
    const int layerCount = s.GetLongLayerCount(0);
    int stoppedAt = layerCount; // the layer at which the collection stopped
    for (int i = 0; i < layerCount; ++i) {
        const LongLayerRec layer = *s.GetLongLayer(i, 0);
        if (layer.pattern != kCircularPattern)
            continue;
        int q = layer.index;
        if (q < 0) {
            MakePlain(s, i, 0);
            continue;
        }
        if (q >= capacity) {
            ReportTooMany("circular");
            stoppedAt = i;
            break;
        }
        ReinfPatternRec* slot = s.GetPattern(q, 0);
        if (slot->inUse != 0 && slot->kind == kDistributedPatternKind) {
            // The slot is taken by a distributed pattern: move this circle to a free one.
            int free = capacity;
            for (int k = 0; k < capacity; ++k) {
                if (s.GetPattern(k, 0)->inUse == 0) {
                    free = k;
                    break;
                }
            }
            if (free >= capacity) {
                ReportTooMany("circular");
                stoppedAt = i;
                break;
            }
            for (int j = 0; j < layerCount; ++j) {
                const LongLayerRec* other = s.GetLongLayer(j, 0);
                if (other->pattern == kCircularPattern && other->index == q)
                    s.SetLongLayerPattern(j,
                                          free,
                                          kCircularPattern,
                                          TStructure::kKeepPatternField,
                                          TStructure::kKeepPatternField,
                                          0);
            }
            q = free;
            slot = s.GetPattern(q, 0);
        }
        if (slot->inUse == 0)
            StartPattern(*slot, *s.GetLongLayer(i, 0), kCircularPatternKind);
        else
            TakeIn(*slot, *s.GetLongLayer(i, 0));
    }

    for (int q = 0; q < capacity; ++q) {
        ReinfPatternRec& slot = *s.GetPattern(q, 0);
        if (slot.inUse == 0 || slot.kind != kCircularPatternKind)
            continue;
        // A pattern whose collection was cut short takes in the rest of its own layers, so
        // that it is judged on all its bars, as if the collection had not stopped.
        if (slot.missing != 0) {
            for (int j = stoppedAt + 1; j < s.GetLongLayerCount(0); ++j) {
                const LongLayerRec* layer = s.GetLongLayer(j, 0);
                if (layer->pattern == kCircularPattern && layer->index == q)
                    TakeIn(slot, *layer);
            }
        }
        const int n = slot.layer.nround;
        if (slot.missing == 0 && n >= 2) {
            SetCircle(slot, n);
            continue;
        }
        // Incomplete (or fewer than two bars): its layers become plain layers.
        for (int j = 0; j < s.GetLongLayerCount(0); ++j) {
            const LongLayerRec* layer = s.GetLongLayer(j, 0);
            if (layer->pattern == kCircularPattern && layer->index == q)
                s.SetLongLayerPattern(j, q, kPlainLayer, 0, 1, 0);
        }
        slot = ReinfPatternRec{};
    }
    return 1;
}

int BuildDistributedPatterns(TStructure& s, int direction)
{
    const int capacity = PatternSlotCount(s, direction);
    if (capacity == 0)
        return 0;
    for (int q = 0; q < capacity; ++q)
        *s.GetPattern(q, direction) = ReinfPatternRec{};
    const int layerCount = s.GetLongLayerCount(direction);
    for (int i = 0; i < layerCount; ++i) {
        const LongLayerRec& layer = *s.GetLongLayer(i, direction);
        if (layer.pattern != kDistributedPattern)
            continue;
        const int q = layer.index;
        if (q < 0) {
            MakePlain(s, i, direction);
            continue;
        }
        if (q >= capacity) {
            ReportTooMany("distributed");
            return 0;
        }
        ReinfPatternRec& slot = *s.GetPattern(q, direction);
        if (slot.inUse == 0)
            StartPattern(slot, layer, kDistributedPatternKind);
        else
            TakeIn(slot, layer);
    }
    for (int q = 0; q < capacity; ++q) {
        ReinfPatternRec& slot = *s.GetPattern(q, direction);
        if (slot.inUse != 0 && slot.kind == kDistributedPatternKind && slot.missing != 0)
            slot = ReinfPatternRec{};
    }
    s.SortLongLayers();
    return 1;
}

std::vector<LongLayerRec> PatternRecordLayers(const ReinfPatternRec& slot, int slotIndex, int most)
{
    std::vector<LongLayerRec> layers;
    if (slot.inUse == 0 || most < 1)
        return layers;
    if (slot.kind == kCircularPatternKind) {
        const int n = slot.layer.nround;
        if (n < 1)
            return layers;
        const double step = 2.0 * kModelPi / n;
        for (int k = 0; static_cast<int>(layers.size()) < most; ++k) {
            const double a = slot.layer.aligned != 0 ? step * k : step * (k + 0.5);
            if (a > kModelPi + kAngleTolerance)
                break;
            LongLayerRec layer = PatternLayer(slot, slotIndex, kCircularPattern, k);
            layer.z = slot.centre + slot.radius * std::cos(a);
            const bool single = a == 0.0 || std::fabs(a - kModelPi) < kAngleTolerance;
            layer.num = single ? 1 : 2;
            layer.A = layer.num * layer.Ai;
            layers.push_back(layer);
        }
    } else if (slot.kind == kDistributedPatternKind) {
        const int num = slot.layer.num;
        const int m = std::min(num > 0 ? slot.layer.nround / num : slot.layer.nround, most);
        for (int k = 0; k < m; ++k) {
            LongLayerRec layer = PatternLayer(slot, slotIndex, kDistributedPattern, k);
            layer.z = m == 1 ? (slot.zLargest + slot.zLeast) / 2.0
                             : slot.zLeast + (slot.zLargest - slot.zLeast) * k / (m - 1);
            layer.num = num;
            layer.A = num * slot.layer.Ai;
            layers.push_back(layer);
        }
    }
    return layers;
}

int ExpandPatterns(int direction, TStructure& s)
{
    const auto room = [&s, direction] {
        return s.GetMaxLongLayers() - s.GetLongLayerCount(direction);
    };
    const auto add = [&](int patternDirection, int kind) {
        for (int q = 0; q < PatternSlotCount(s, patternDirection); ++q) {
            const ReinfPatternRec slot = *s.GetPattern(q, patternDirection);
            if (slot.kind != kind)
                continue;
            for (const LongLayerRec& layer : PatternRecordLayers(slot, q, room()))
                if (!s.AddLongLayer(layer, direction))
                    return false;
        }
        return true;
    };
    if (!add(0, kCircularPatternKind) || !add(direction, kDistributedPatternKind))
        return 0;
    return 1;
}

int ResetDefaultLongLayers(int direction, TStructure& s)
{
    if (s.CheckFrozen())
        return 0;
    if (direction < 0 || direction > 1)
        return 0;
    std::vector<LongLayerRec> plain;
    for (int i = 0; i < s.GetLongLayerCount(direction); ++i) {
        const LongLayerRec& layer = *s.GetLongLayer(i, direction);
        if (layer.pattern != kCircularPattern && layer.pattern != kDistributedPattern)
            plain.push_back(layer);
    }
    s.DeleteLongLayers(direction);
    for (const auto& layer : plain)
        s.AddLongLayer(layer, direction);
    return ExpandPatterns(direction, s);
}

const ReinfPatternRec*
PatternRecordOf(const TStructure& s, const LongLayerRec& layer, int direction)
{
    const bool circular = layer.pattern == kCircularPattern;
    const int kind = circular                               ? kCircularPatternKind
                     : layer.pattern == kDistributedPattern ? kDistributedPatternKind
                                                            : 0;
    // Circles are kept with direction x; a distributed pattern with its own direction.
    const int patternDirection = circular ? 0 : direction;
    if (kind == 0 || layer.index < 0 || layer.index >= PatternSlotCount(s, patternDirection))
        return nullptr;
    const ReinfPatternRec* record = s.GetPattern(layer.index, patternDirection);
    return record != nullptr && record->inUse != 0 && record->kind == kind ? record : nullptr;
}
