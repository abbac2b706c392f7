// The working lists of the longitudinal reinforcement sheet: built from a direction's layers
// and pattern records, and written back on OK so that what the lists do not change stays as it
// was.

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "dialogs/ReinforcementEntries.h"
#include "dialogs/ReinforcementPages.h"
#include "foundation/NameText.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "model/ReinfPatterns.h"
#include "model/StructureRecords.h"
#include "model/TStructure.h"
#include "model/catalogues/TRebarList.h"

namespace reinf_entries {

// A typed or stored count of bars or layers; never more than a pattern holds.
int Bars(double value) { return std::min(ClampToInt(std::fabs(value)), kMaxBarsPerPattern); }

double CatalogueDiameter(int barIndex, double area) {
    if (barIndex >= 0 && barIndex < g_RebarList.Count())
        return g_RebarList.GetDiameter(barIndex);
    return 2.0 * std::sqrt(std::fabs(area) / kModelPi);
}

std::string CatalogueName(int barIndex) {
    return barIndex >= 0 && barIndex < g_RebarList.Count() ? g_RebarList.GetName(barIndex) : std::string();
}

int ShownBarIndex(int barIndex, double area, double diameter) {
    if (barIndex < 0 || barIndex >= g_RebarList.Count())
        return -1;
    // What reading and writing leave of a catalogue bar's size is far within this.
    constexpr double kSameSize = 1e-6;
    const auto same = [](double a, double b) { return std::fabs(a - b) <= kSameSize * std::fabs(b); };
    const bool catalogueSize =
        same(area, g_RebarList.GetArea(barIndex)) && same(diameter, g_RebarList.GetDiameter(barIndex));
    return catalogueSize ? barIndex : -1;
}

// The bar of an entry (area, catalogue index, diameter and title) put on a layer.
void TakeBar(LongLayerRec& layer, const TypeListRec& entry) {
    layer.Ai = entry.values[1];
    layer.barIndex = entry.codes[2];
    layer.db = CatalogueDiameter(entry.codes[2], entry.values[1]);
    layer.bartitle = CatalogueName(entry.codes[2]);
}

// A blank layer with the bar data of an entry.
LongLayerRec BarLayer(const TypeListRec& entry) {
    LongLayerRec layer;
    InitLongLayerRec(layer);
    TakeBar(layer, entry);
    layer.type = entry.codes[1];
    layer.name = entry.name;
    return layer;
}

TTypeList::AllValues Values(std::initializer_list<double> v) {
    TTypeList::AllValues out{};
    std::copy(v.begin(), v.end(), out.begin());
    return out;
}

void AddEntry(TTypeList& list, const TTypeList::AllValues& values, const TTypeList::Codes& codes,
              const std::string& name) {
    if (!list.AddFull(values, codes, name))
        return;
    list.Entry(list.GetCount() - 1).unset = {kTypeUnsetMark, kTypeUnsetMark, kTypeUnsetMark, kTypeUnsetMark,
                                             kTypeUnsetMark, kTypeUnsetMark, 0, 0, 0, 0};
}


// ---- Pattern records and the layers they show -------------------------------------------------

TTypeList::AllValues CircularValues(const ReinfPatternRec& p, double bottom) {
    const LongLayerRec& proto = p.layer;
    return Values({double(proto.nround), proto.Ai, 0.0, p.centre - bottom, 2.0 * p.radius});
}

TTypeList::AllValues DistributedValues(const ReinfPatternRec& p, double bottom) {
    const LongLayerRec& proto = p.layer;
    return Values({double(proto.num), proto.Ai, 0.0, proto.num >= 1 ? double(proto.nround / proto.num) : 0.0,
                   p.zLargest - bottom, p.zLeast - bottom});
}

int OrientationCode(const ReinfPatternRec& p) {
    return p.kind == kCircularPatternKind && p.layer.aligned == 0 ? 1 : 0;
}

} // namespace reinf_entries

using namespace reinf_entries;

namespace {

// A pattern layer's height may stand off the record's circle or line by what a document's
// rounding of heights leaves (a hundredth of an inch); more than that is a layer of its own.
constexpr double kHeightTolerance = 2e-4;

bool NearlyEqual(double a, double b) { return std::fabs(a - b) <= 1e-9 * (std::fabs(a) + std::fabs(b)); }

bool ByHeight(const LongLayerRec& a, const LongLayerRec& b) { return a.z < b.z; }

// Whether a rebuilt layer is the layer as it stands, but for what the pattern pages do not show.
bool SameBarsAndPlace(const LongLayerRec& given, const LongLayerRec& layer) {
    return given.num == layer.num && NearlyEqual(given.Ai, layer.Ai) && NearlyEqual(given.db, layer.db) &&
           given.type == layer.type && given.barIndex == layer.barIndex &&
           std::fabs(given.z - layer.z) <= kHeightTolerance;
}

// Indices of the layers of a direction that name a pattern (code and slot), in layer order.
std::vector<int> PatternMembers(const std::vector<LongLayerRec>& layers, int code, int slot) {
    std::vector<int> members;
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (layers[i].pattern == code && layers[i].index == slot)
            members.push_back(static_cast<int>(i));
    return members;
}

// The members' indices ordered by height, as the record gives its layers back when sorted.
void SortByHeight(std::vector<int>& members, const std::vector<LongLayerRec>& layers) {
    std::stable_sort(members.begin(), members.end(), [&layers](int a, int b) {
        return ByHeight(layers[static_cast<std::size_t>(a)], layers[static_cast<std::size_t>(b)]);
    });
}

std::vector<LongLayerRec> Layers(const TStructure& s, int direction) {
    std::vector<LongLayerRec> layers;
    for (int i = 0; i < s.GetLongLayerCount(direction); ++i)
        layers.push_back(*s.GetLongLayer(i, direction));
    return layers;
}

} // namespace

std::vector<bool> reinf_entries::LayersShownByPattern(const TStructure& s, int direction) {
    const std::vector<LongLayerRec> layers = Layers(s, direction);
    std::vector<bool> shown(layers.size(), false);
    std::vector<bool> judged(layers.size(), false);
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (judged[i])
            continue;
        const LongLayerRec& layer = layers[i];
        const ReinfPatternRec* record = PatternRecordOf(s, layer, direction);
        if (!record) {
            judged[i] = true;
            continue;
        }
        std::vector<int> members = PatternMembers(layers, layer.pattern, layer.index);
        for (int m : members)
            judged[static_cast<std::size_t>(m)] = true;
        // One layer more than the members is enough to tell a record that gives more.
        std::vector<LongLayerRec> given =
            PatternRecordLayers(*record, layer.index, static_cast<int>(members.size()) + 1);
        if (given.size() != members.size())
            continue;
        std::stable_sort(given.begin(), given.end(), ByHeight);
        SortByHeight(members, layers);
        bool same = true;
        for (std::size_t k = 0; k < given.size() && same; ++k)
            same = SameBarsAndPlace(given[k], layers[static_cast<std::size_t>(members[k])]);
        if (same)
            for (int m : members)
                shown[static_cast<std::size_t>(m)] = true;
    }
    return shown;
}

TLongLists BuildLongLists(const TStructure& s, int direction) {
    TLongLists lists;
    const double bottom = s.GetBottom();
    const int slots = PatternSlotCount(s, direction);
    lists.individual = std::make_unique<TTypeList>(s.GetMaxLongLayers());
    lists.circular = std::make_unique<TTypeList>(slots / 2);
    lists.distributed = std::make_unique<TTypeList>(slots);
    if (direction == 0)
        lists.tendons = std::make_unique<TTypeList>(s.GetMaxLongLayers());
    const std::vector<bool> shown = LayersShownByPattern(s, direction);
    // The pattern slots of the direction whose entries show layers.
    std::vector<bool> listed(static_cast<std::size_t>(slots), false);
    for (int i = 0; i < s.GetLongLayerCount(direction); ++i) {
        const LongLayerRec& layer = *s.GetLongLayer(i, direction);
        // A layer that its pattern's entry shows is not listed on its own; any other (a plain
        // layer, or one of a pattern whose record would give it back otherwise or not at all)
        // is shown as a layer of its own, so that OK keeps it as it is.
        if (shown[static_cast<std::size_t>(i)]) {
            const bool ownArray = layer.pattern == kDistributedPattern || direction == 0;
            if (ownArray && layer.index >= 0 && layer.index < slots)
                listed[static_cast<std::size_t>(layer.index)] = true;
            continue;
        }
        if (layer.dep == 0.0 || direction != 0)
            AddEntry(*lists.individual,
                     Values({double(layer.num), layer.Ai, 0.0, layer.z - bottom, layer.dep, 0.0, layer.thermStrain}),
                     {0, layer.type, ShownBarIndex(layer), i}, layer.name);
        else
            AddEntry(*lists.tendons,
                     Values({double(layer.num), layer.Ai, 0.0, layer.dep, layer.z - bottom, layer.drape}),
                     {0, layer.type, ShownBarIndex(layer), i}, layer.name);
    }
    for (int q = 0; q < slots; ++q) {
        const ReinfPatternRec& p = *s.GetPattern(q, direction);
        if (p.inUse == 0 || !listed[static_cast<std::size_t>(q)])
            continue;
        const LongLayerRec& proto = p.layer;
        if (p.kind == kCircularPatternKind)
            AddEntry(*lists.circular, CircularValues(p, bottom),
                     {OrientationCode(p), proto.type, ShownBarIndex(proto), q}, proto.name);
        else if (p.kind == kDistributedPatternKind)
            AddEntry(*lists.distributed, DistributedValues(p, bottom), {0, proto.type, ShownBarIndex(proto), q},
                     proto.name);
    }
    return lists;
}

namespace {

// The layer an entry was read from (code 3): a layer shown as it stands, or the layer of a
// pattern that an exploded entry stands for.
const LongLayerRec* SourceLayer(const std::vector<LongLayerRec>& old, const TypeListRec& e) {
    const int i = e.codes[3];
    if (i < 0 || i >= static_cast<int>(old.size()))
        return nullptr;
    return &old[static_cast<std::size_t>(i)];
}

// A layer written back from a list entry is a plain layer, whatever its source was.
void MakePlainLayer(LongLayerRec& layer) {
    layer.pattern = kPlainLayer;
    layer.nround = 0;
    layer.aligned = 0;
    layer.index = 0;
}

// The bar data of an entry put on a layer. Starting from the layer the entry was read from,
// only what the entry changed is taken over, so that what the list does not show (a membrane
// layer's spacing, a bar's position across the section) and the exact stored values stay: a
// bar the entry still shows as it was read keeps its title, area and diameter.
LongLayerRec EditedLayer(const TypeListRec& e, const LongLayerRec* source) {
    if (!source)
        return BarLayer(e);
    LongLayerRec layer = *source;
    if (e.values[1] != source->Ai || e.codes[2] != ShownBarIndex(*source))
        TakeBar(layer, e);
    layer.type = e.codes[1];
    layer.name = e.name;
    return layer;
}

// value, unless it equals what the entry was read as, then the stored value as it was.
double Edited(double value, double shown, double stored) { return value == shown ? stored : value; }

// Bars and total area of an edited layer: the total follows only an edit of either.
void SetBars(LongLayerRec& layer, const LongLayerRec* source, double bars) {
    if (source && bars == double(source->num) && layer.Ai == source->Ai)
        return;
    layer.num = Bars(bars);
    layer.A = layer.num * layer.Ai;
}

// The pattern an entry was read from (code 3), when that slot still holds one of its kind.
const ReinfPatternRec* SourcePattern(const std::vector<ReinfPatternRec>& old, const TypeListRec& e, int kind) {
    const int q = e.codes[3];
    if (q < 0 || q >= static_cast<int>(old.size()))
        return nullptr;
    const ReinfPatternRec& p = old[static_cast<std::size_t>(q)];
    return p.inUse != 0 && p.kind == kind ? &p : nullptr;
}

} // namespace

namespace {

// Whether a pattern entry still shows its record as the lists were built from it.
bool EntryAsRead(const TypeListRec& e, const ReinfPatternRec& p, double bottom) {
    const TTypeList::AllValues read =
        p.kind == kCircularPatternKind ? CircularValues(p, bottom) : DistributedValues(p, bottom);
    for (int k : {0, 1, 3, 4, 5})
        if (e.values[static_cast<std::size_t>(k)] != read[static_cast<std::size_t>(k)])
            return false;
    return e.codes[0] == OrientationCode(p) && e.codes[1] == p.layer.type && e.codes[2] == ShownBarIndex(p.layer) &&
           e.name == p.layer.name;
}

// What the pattern pages do not show of a layer, taken over by a layer rebuilt in its place.
void KeepUnshown(LongLayerRec& layer, const LongLayerRec& from) {
    layer.drape = from.drape;
    layer.dep = from.dep;
    layer.sortLower = from.sortLower;
    layer.thermStrain = from.thermStrain;
    layer.timeStrain = from.timeStrain;
    layer.oldSpace = from.oldSpace;
    layer.space = from.space;
    layer.barX = from.barX;
}

// A pattern entry written back: the slot its record went to and the pattern it was read from.
struct StoredPattern {
    int slot = -1;
    const TypeListRec* entry = nullptr;
    const ReinfPatternRec* source = nullptr;
    int sourceSlot = -1;
};

// Stores a record, in the slot it was read from while that is free, else in the first free
// slot; the slot taken, -1 when none is free.
int StoreRecord(TStructure& s, const ReinfPatternRec& p, int direction, int ownSlot) {
    const int slots = PatternSlotCount(s, direction);
    if (ownSlot >= 0 && ownSlot < slots && s.GetPattern(ownSlot, direction)->inUse == 0) {
        ReinfPatternRec& slot = *s.GetPattern(ownSlot, direction);
        slot = p;
        slot.layer.bartitle = NameText(slot.layer.bartitle, kBarTitleChars);
        slot.layer.name = NameText(slot.layer.name, kLayerNameChars);
        return ownSlot;
    }
    for (int q = 0; q < slots; ++q)
        if (s.GetPattern(q, direction)->inUse == 0) {
            s.StorePattern(p, direction);
            return q;
        }
    return -1;
}

// The layers rebuilt from a pattern record take the place of those its entry was read from:
// an entry as read gives back its layers as they stood (the record showed them as they are);
// an edited one keeps, layer by layer, what the pages do not show (its name too while the
// pattern keeps its name), or, when it now has another number of layers, what its record's
// layer had.
void KeepPatternLayers(TStructure& s, const std::vector<LongLayerRec>& oldLayers, const std::vector<bool>& shown,
                       const StoredPattern& stored, int direction, double bottom) {
    const int code = stored.source->kind == kCircularPatternKind ? kCircularPattern : kDistributedPattern;
    std::vector<int> was = PatternMembers(oldLayers, code, stored.sourceSlot);
    std::erase_if(was, [&shown](int i) { return !shown[static_cast<std::size_t>(i)]; });
    const std::vector<LongLayerRec> now = Layers(s, direction);
    std::vector<int> rebuilt = PatternMembers(now, code, stored.slot);
    SortByHeight(was, oldLayers);
    SortByHeight(rebuilt, now);
    const bool asRead = EntryAsRead(*stored.entry, *stored.source, bottom);
    const bool sameName = stored.entry->name == stored.source->layer.name;
    const ReinfPatternRec& record = *s.GetPattern(stored.slot, direction);
    for (std::size_t k = 0; k < rebuilt.size(); ++k) {
        LongLayerRec& layer = *s.GetLongLayer(rebuilt[k], direction);
        if (was.size() != rebuilt.size()) {
            KeepUnshown(layer, record.layer);
            continue;
        }
        const LongLayerRec& old = oldLayers[static_cast<std::size_t>(was[k])];
        if (asRead) {
            layer = old;
            layer.index = stored.slot;
            continue;
        }
        KeepUnshown(layer, old);
        if (sameName)
            layer.name = old.name;
    }
}

} // namespace

int WriteBackLongLists(TStructure& s, TLongLists& lists, int direction) {
    if (s.CheckFrozen())
        return 0;
    const double bottom = s.GetBottom();
    const std::vector<LongLayerRec> oldLayers = Layers(s, direction);
    // Layers their pattern's entry showed: an entry read from one is an exploded layer of that
    // pattern, whatever the pattern layer's prestrain.
    const std::vector<bool> shown = LayersShownByPattern(s, direction);
    const auto fromPattern = [&shown](const TypeListRec& e) {
        return e.codes[3] >= 0 && e.codes[3] < static_cast<int>(shown.size()) &&
               shown[static_cast<std::size_t>(e.codes[3])];
    };
    std::vector<ReinfPatternRec> oldPatterns;
    for (int q = 0; q < PatternSlotCount(s, direction); ++q)
        oldPatterns.push_back(*s.GetPattern(q, direction));

    s.DeleteLongLayers(direction);
    if (lists.individual)
        for (int i = 0; i < lists.individual->GetCount(); ++i) {
            const TypeListRec& e = lists.individual->Entry(i);
            const LongLayerRec* source = SourceLayer(oldLayers, e);
            if (source && source->dep != 0.0 && direction == 0 && !fromPattern(e))
                source = nullptr; // read as a tendon
            LongLayerRec layer = EditedLayer(e, source);
            MakePlainLayer(layer);
            layer.z = source ? Edited(bottom + e.values[3], bottom + (source->z - bottom), source->z)
                             : bottom + e.values[3];
            SetBars(layer, source, e.values[0]);
            layer.dep = e.values[4];
            layer.thermStrain = e.values[6];
            s.AddLongLayer(layer, direction);
        }
    s.ClearPatterns(direction);
    // The records, distributed then circular, each with what it was read from.
    std::vector<std::pair<ReinfPatternRec, StoredPattern>> records;
    if (lists.distributed)
        for (int i = 0; i < lists.distributed->GetCount(); ++i) {
            const TypeListRec& e = lists.distributed->Entry(i);
            const ReinfPatternRec* source = SourcePattern(oldPatterns, e, kDistributedPatternKind);
            ReinfPatternRec p = source ? *source : ReinfPatternRec{};
            p.kind = kDistributedPatternKind;
            p.inUse = 1;
            p.layer = EditedLayer(e, source ? &source->layer : nullptr);
            p.layer.num = Bars(e.values[0]);
            p.layer.nround = Bars(e.values[0] * e.values[3]);
            p.layer.aligned = e.codes[0] == 0 ? 1 : 0;
            const double top = bottom + std::max(e.values[4], e.values[5]);
            const double low = bottom + std::min(e.values[4], e.values[5]);
            p.zLargest = source ? Edited(top, bottom + (source->zLargest - bottom), source->zLargest) : top;
            p.zLeast = source ? Edited(low, bottom + (source->zLeast - bottom), source->zLeast) : low;
            records.push_back({p, {-1, &e, source, source ? e.codes[3] : -1}});
        }
    if (lists.circular)
        for (int i = 0; i < lists.circular->GetCount(); ++i) {
            const TypeListRec& e = lists.circular->Entry(i);
            const ReinfPatternRec* source = SourcePattern(oldPatterns, e, kCircularPatternKind);
            ReinfPatternRec p = source ? *source : ReinfPatternRec{};
            p.kind = kCircularPatternKind;
            p.inUse = 1;
            p.layer = EditedLayer(e, source ? &source->layer : nullptr);
            p.layer.nround = std::max(Bars(e.values[0]), 1);
            p.layer.aligned = e.codes[0] == 0 ? 1 : 0;
            const double radius = std::fabs(e.values[4]) / 2.0, centre = bottom + e.values[3];
            p.radius = source ? Edited(radius, std::fabs(2.0 * source->radius) / 2.0, source->radius) : radius;
            p.centre = source ? Edited(centre, bottom + (source->centre - bottom), source->centre) : centre;
            records.push_back({p, {-1, &e, source, source ? e.codes[3] : -1}});
        }
    // A record read from a slot goes back to it, so that its layers keep their pattern index;
    // a new one takes the first slot left free.
    for (auto& [p, where] : records)
        if (where.source)
            where.slot = StoreRecord(s, p, direction, where.sourceSlot);
    for (auto& [p, where] : records)
        if (!where.source)
            where.slot = StoreRecord(s, p, direction, -1);
    if (lists.tendons)
        for (int i = 0; i < lists.tendons->GetCount(); ++i) {
            const TypeListRec& e = lists.tendons->Entry(i);
            const LongLayerRec* source = SourceLayer(oldLayers, e);
            if (source && (source->dep == 0.0 || direction != 0 || fromPattern(e)))
                source = nullptr; // read as a bar layer
            LongLayerRec layer = EditedLayer(e, source);
            MakePlainLayer(layer);
            SetBars(layer, source, e.values[0]);
            layer.dep = e.values[3];
            layer.z = source ? Edited(bottom + e.values[4], bottom + (source->z - bottom), source->z)
                             : bottom + e.values[4];
            layer.drape = e.values[5];
            s.AddLongLayer(layer, 0);
        }
    ResetDefaultLongLayers(direction, s);
    for (const auto& [p, where] : records)
        if (where.slot >= 0 && where.source)
            KeepPatternLayers(s, oldLayers, shown, where, direction, bottom);
    s.SortLongLayers();
    return 1;
}

int LongitudinalStartPage(const TStructure& s, int direction) {
    int counts[3] = {0, 0, 0};
    // A pattern's layers count for its page where its entry shows them, else as layers of their own.
    const std::vector<bool> shown = LayersShownByPattern(s, direction);
    for (int i = 0; i < s.GetLongLayerCount(direction); ++i) {
        const LongLayerRec& layer = *s.GetLongLayer(i, direction);
        const bool byPattern = shown[static_cast<std::size_t>(i)];
        if (byPattern && layer.pattern == kCircularPattern)
            ++counts[1];
        else if (byPattern && layer.pattern == kDistributedPattern)
            ++counts[2];
        else if (layer.dep == 0.0)
            ++counts[0];
    }
    // The kind with the most layers; when the most is shared by two kinds (or all three),
    // the individual page.
    const int most = std::max({counts[0], counts[1], counts[2]});
    int page = 0, holders = 0;
    for (int k = 0; k < 3; ++k)
        if (counts[k] == most) {
            page = k;
            ++holders;
        }
    return holders == 1 ? page : 0;
}