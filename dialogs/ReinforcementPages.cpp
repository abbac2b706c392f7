#include "dialogs/ReinforcementPages.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_set>

#include "dialogs/ReinforcementEntries.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/LayerLimits.h"
#include "model/ReinfPatterns.h"
#include "model/StructureRecords.h"
#include "model/TStructure.h"
#include "model/catalogues/TRebarList.h"

namespace {

// 2 pi as the patterns have always been laid out with.
constexpr double kTwoPi = 6.283185307178;
constexpr double kAngleTolerance = 0.01;
constexpr int kLayerNameLimit = 15;
// Layers the longitudinal lists may hold in all.
constexpr int kMaxLayersInAll = 32767;
// Below this many layers of room a pattern list may not grow.
constexpr int kPatternRoom = 1000;
constexpr int kNoCode = -1;

// Names of the structure's steel types, in order.
std::vector<std::string> SteelNames(const TStructure& s) {
    std::vector<std::string> names;
    for (int i = 0; i < s.GetSteelTypeCount(); ++i)
        names.push_back(s.GetSteelType(i)->name);
    return names;
}

} // namespace

using namespace reinf_entries;

// ---- Pattern layers --------------------------------------------------------------------------

std::vector<PatternLayer> CircularPatternLayers(TypeListRec& entry) {
    if (Bars(entry.values[0]) == 0)
        entry.values[0] = 3;
    return CircularLayout(entry);
}

std::vector<PatternLayer> CircularLayout(const TypeListRec& entry) {
    const int n = Bars(entry.values[0]) == 0 ? 3 : Bars(entry.values[0]);
    const double r = std::fabs(entry.values[4]) / 2.0;
    const bool aligned = entry.codes[0] == 0;
    std::vector<PatternLayer> layers;
    for (int k = 0;; ++k) {
        const double a = kTwoPi / n * (aligned ? k : k + 0.5);
        if (a - kModelPi > kAngleTolerance)
            break;
        const bool single = a == 0.0 || std::fabs(a - kModelPi) < kAngleTolerance;
        layers.push_back({entry.values[3] + r * std::cos(a), single ? 1 : 2});
    }
    return layers;
}

std::vector<PatternLayer> DistributedPatternLayers(TypeListRec& entry) {
    if (Bars(entry.values[0]) == 0)
        entry.values[0] = 1;
    const int bars = Bars(entry.values[0]);
    const int n = std::max(Bars(entry.values[3]), 1);
    const double z1 = std::min(entry.values[4], entry.values[5]);
    const double z2 = std::max(entry.values[4], entry.values[5]);
    std::vector<PatternLayer> layers;
    for (int k = 0; k < n; ++k)
        layers.push_back({n == 1 ? (z1 + z2) / 2.0 : z1 + k * (z2 - z1) / (n - 1), bars});
    return layers;
}

// ---- Transverse list -------------------------------------------------------------------------------

const std::array<const char*, 6> kStirrupNames = {"Single Leg", "Open Stirrup", "Closed Stirrup",
                                                  "Hoop",       "T Headed single leg", "Horizontal Tie"};
const std::array<int, 6> kStirrupTypeOfPosition = {1, 2, 3, 4, 5, 7};

int StirrupPositionOfType(int type) {
    for (std::size_t k = 0; k < kStirrupTypeOfPosition.size(); ++k)
        if (kStirrupTypeOfPosition[k] == type)
            return static_cast<int>(k);
    return kNoCode;
}

std::unique_ptr<TTypeList> BuildTransList(const TStructure& s, int direction) {
    // No more stirrup layers than a section holds (and a document keeps).
    auto list = std::make_unique<TTypeList>(std::min(s.GetMaxTransLayers(), kMaxLayersOfDirection));
    const double bottom = s.GetBottom();
    for (int i = 0; i < s.GetTransLayerCount(direction); ++i) {
        const TransLayerRec& layer = *s.GetTransLayer(i, direction);
        AddEntry(*list,
                 Values({layer.space, layer.Ai, 0.0, layer.disttop - bottom, layer.distbot - bottom, 0.0, layer.dep}),
                 {StirrupPositionOfType(layer.pattern), layer.type, ShownBarIndex(layer), i}, layer.name);
    }
    return list;
}

int WriteBackTransList(TStructure& s, const TTypeList& list, int direction) {
    if (s.CheckFrozen())
        return 0;
    // Each entry is put back over the layer it was read from (code 3), so that what the list
    // does not show (the angle, the legs counted, the initial strain) and the stored values
    // the entry did not change stay as they were.
    std::vector<TransLayerRec> old;
    for (int i = 0; i < s.GetTransLayerCount(direction); ++i)
        old.push_back(*s.GetTransLayer(i, direction));
    const double bottom = s.GetBottom();
    s.DeleteTransLayers(direction);
    for (int i = 0; i < list.GetCount(); ++i) {
        const TypeListRec& e = list.Entry(i);
        const int from = e.codes[3];
        const TransLayerRec* source =
            from >= 0 && from < static_cast<int>(old.size()) ? &old[static_cast<std::size_t>(from)] : nullptr;
        TransLayerRec layer;
        InitTransLayerRec(layer);
        if (source)
            layer = *source;
        // The stirrup type of an entry whose position names none is the one its layer had.
        const int position = e.codes[0];
        if (!source || position != StirrupPositionOfType(source->pattern)) {
            int type = 3;
            if (position >= 0 && position < static_cast<int>(kStirrupTypeOfPosition.size()))
                type = kStirrupTypeOfPosition[static_cast<std::size_t>(position)];
            else if (source)
                type = source->pattern;
            if (type == 6)
                type = 7;
            layer.pattern = type;
            layer.legs = type == 1 || type == 5 ? 1 : 2;
            layer.A = layer.legs * layer.Ai;
        }
        // A bar the entry still shows as it was read keeps its title, area and diameter.
        if (!source || e.values[1] != source->Ai || e.codes[2] != ShownBarIndex(*source)) {
            layer.Ai = e.values[1];
            layer.A = layer.legs * layer.Ai;
            layer.barIndex = e.codes[2];
            layer.bartitle = CatalogueName(e.codes[2]);
            layer.db = CatalogueDiameter(e.codes[2], e.values[1]);
        }
        if (!source || e.values[0] != source->space)
            layer.space = std::fabs(e.values[0]);
        const double top = bottom + std::max(e.values[3], e.values[4]);
        const double low = bottom + std::min(e.values[3], e.values[4]);
        if (!source || top != bottom + std::max(source->disttop - bottom, source->distbot - bottom) ||
            low != bottom + std::min(source->disttop - bottom, source->distbot - bottom)) {
            layer.disttop = top;
            layer.distbot = low;
        }
        layer.dep = e.values[6];
        layer.type = e.codes[1];
        layer.name = e.name;
        s.AddTransLayer(layer, direction);
    }
    return 1;
}

// ---- Longitudinal pages ---------------------------------------------------------------------------

TReinfPage::TReinfPage(TTypeList& list, TStructure& structure, int direction, int initialSelection)
    : TGen_Base(direction, initialSelection), m_workList(list), m_structure(structure) {}

void TReinfPage::SetFields(const std::array<const char*, 6>& labels, const std::array<int, 6>& kinds,
                           const int (&decimals)[3][6], const double (&examples)[3][6]) {
    for (std::size_t f = 0; f < 6; ++f) {
        m_labels[f] = labels[f];
        m_unitKinds[f] = kinds[f];
    }
    for (int s = 0; s < 3; ++s)
        for (int f = 0; f < 6; ++f) {
            m_decimals[s][f] = decimals[s][f];
            m_examples[s][f] = examples[s][f];
        }
}

void TReinfPage::UseBarsAndList(int barMode) {
    m_wantBarSelector = true;
    m_barMode = barMode;
    m_nameLimit = kLayerNameLimit;
    UseList(m_workList);
}

TLongPage::TLongPage(TLongLists& lists, TTypeList& list, TStructure& structure, int direction, int initialSelection)
    : TReinfPage(list, structure, direction, initialSelection), m_lists(lists) {}

void TLongPage::ConfigureBars(const char* steelLabel, int barMode) {
    m_comboLabels[1] = steelLabel;
    form.comboItems[1] = SteelNames(m_structure);
    m_defaultSel = {0, 0, 0};
    UseBarsAndList(barMode);
}

void TLongPage::Warn(const char* text) { ShowMessage(text, "Warning", MsgStyle::Ok | MsgStyle::IconExclamation); }

int TLongPage::CircularLayerCount(bool takeDefault) {
    int n = 0;
    if (m_lists.circular)
        for (int i = 0; i < m_lists.circular->GetCount(); ++i) {
            TypeListRec& entry = m_lists.circular->Entry(i);
            n += static_cast<int>((takeDefault ? CircularPatternLayers(entry) : CircularLayout(entry)).size());
        }
    return n;
}

int TLongPage::DistributedLayerCount() {
    int n = 0;
    if (m_lists.distributed)
        for (int i = 0; i < m_lists.distributed->GetCount(); ++i)
            n += std::max(Bars(m_lists.distributed->Entry(i).values[3]), 1);
    return n;
}

namespace {

// Where an exploded layer comes from: the structure's layer whose data it takes (-1: none, a
// blank layer), and whether it is that very layer of the pattern (then also its height).
struct ExplodedSource {
    int layer = -1;
    bool same = false;
};

// The layers of the structure that the exploded entry's layers stand for. An entry read from a
// pattern of the structure explodes into layers with that pattern's own data (what the pages
// do not show: spacing, bar position, imposed strains, prestrain), taken from its first layer;
// while the entry still shows the pattern as it was read, each exploded layer is the pattern's
// layer of its bars nearest its height, with that layer's own data and height. An entry added
// in the sheet comes from no layer.
std::vector<ExplodedSource> ExplodedSources(const TStructure& s, int direction, const TypeListRec& entry,
                                            int patternCode, const std::vector<PatternLayer>& layers) {
    std::vector<ExplodedSource> out(layers.size());
    const bool circular = patternCode == kCircularPattern;
    const int patternDirection = circular ? 0 : direction;
    const int q = entry.codes[3];
    if (q < 0 || q >= PatternSlotCount(s, patternDirection))
        return out;
    const ReinfPatternRec& p = *s.GetPattern(q, patternDirection);
    if (p.inUse == 0 || p.kind != (circular ? kCircularPatternKind : kDistributedPatternKind))
        return out;
    std::vector<int> own;
    const std::vector<bool> shown = LayersShownByPattern(s, direction);
    for (int i = 0; i < s.GetLongLayerCount(direction); ++i) {
        const LongLayerRec& layer = *s.GetLongLayer(i, direction);
        if (layer.pattern == patternCode && layer.index == q && shown[static_cast<std::size_t>(i)])
            own.push_back(i);
    }
    if (own.empty())
        return out;
    const double bottom = s.GetBottom();
    const TTypeList::AllValues read = circular ? CircularValues(p, bottom) : DistributedValues(p, bottom);
    const bool asRead = entry.values[0] == read[0] && entry.values[3] == read[3] && entry.values[4] == read[4] &&
                        entry.values[5] == read[5] && entry.codes[0] == OrientationCode(p);
    std::vector<bool> used(own.size(), false);
    for (std::size_t k = 0; k < layers.size(); ++k) {
        out[k].layer = own.front();
        if (!asRead)
            continue;
        std::size_t best = own.size();
        double bestGap = 0.0;
        for (std::size_t j = 0; j < own.size(); ++j) {
            const LongLayerRec& layer = *s.GetLongLayer(own[j], direction);
            const double gap = std::fabs(layer.z - bottom - layers[k].height);
            if (!used[j] && layer.num == layers[k].bars && (best == own.size() || gap < bestGap)) {
                best = j;
                bestGap = gap;
            }
        }
        if (best < own.size()) {
            used[best] = true;
            out[k] = {own[best], true};
        }
    }
    return out;
}

} // namespace

// An exploded layer: code 3 names the structure's layer it takes its data from (-1, as for one
// added, when it comes from none); its prestrain and imposed strain are that layer's, and so is
// its height when it is that layer of the pattern.
void TLongPage::AddExplodedLayer(const TypeListRec& pattern, const std::string& name, double height, int bars,
                                 int sourceLayer, bool sameLayer) {
    if (!m_lists.individual)
        return;
    double prestrain = 0.0, imposed = 0.0;
    if (const LongLayerRec* source = sourceLayer >= 0 ? m_structure.GetLongLayer(sourceLayer, GetPageMode()) : nullptr) {
        prestrain = source->dep;
        imposed = source->thermStrain;
        if (sameLayer)
            height = source->z - m_structure.GetBottom();
    }
    AddEntry(*m_lists.individual, Values({double(bars), pattern.values[1], 0.0, height, prestrain, 0.0, imposed}),
             {0, pattern.codes[1], pattern.codes[2], sourceLayer}, name);
}

void TLongPage::FinishExplode() {
    List().Delete(Current());
    ShowEntry(true, true);
    SetEdited(0);
    SetListChanged();
    MarkChanged();
    if (showFirstPage)
        showFirstPage();
}

void TLongPage::ExplodeLayers(std::vector<PatternLayer> (*layersOf)(TypeListRec&), int patternCode) {
    if (List().GetCount() == 0 || !List().IsValidIndex(Current()))
        return;
    if (ShowMessage("This command will create many individual bar layers, do you want to continue? ", "Confirmation",
                    MsgStyle::YesNo) != MsgAnswer::Yes)
        return;
    TypeListRec& entry = List().Entry(Current());
    const std::vector<PatternLayer> layers = layersOf(entry);
    const std::vector<ExplodedSource> sources = ExplodedSources(m_structure, GetPageMode(), entry, patternCode, layers);
    // The names in the individual list, kept in a set: a pattern may explode into thousands.
    std::unordered_set<std::string> taken;
    if (m_lists.individual)
        for (int i = 0; i < m_lists.individual->GetCount(); ++i)
            taken.insert(m_lists.individual->Entry(i).name);
    int numbered = 0;
    for (std::size_t k = 0; k < layers.size(); ++k) {
        // The pattern's name, numbered after the first layer, as long as a layer's name is kept
        // (the section cuts longer ones, which would then share a name); a taken name shorter
        // than ten characters gets "a" appended, a longer one becomes "New". Where that finds
        // no free name ("New" grown to ten characters is taken too), "New" is numbered.
        std::string name = k == 0 ? entry.name : StrPrintf("%s%d", entry.name.c_str(), static_cast<int>(k));
        name = name.substr(0, kLayerNameChars);
        for (int guard = 0; guard < 100 && taken.count(name) > 0; ++guard)
            name = name.size() < 10 ? name + "a" : std::string("New");
        while (taken.count(name) > 0)
            name = StrPrintf("New%d", ++numbered);
        const int before = IndividualCount();
        AddExplodedLayer(entry, name, layers[k].height, layers[k].bars, sources[k].layer, sources[k].same);
        if (IndividualCount() > before)
            taken.insert(m_lists.individual->Entry(before).name);  // as stored, a long name cut
    }
    FinishExplode();
}

int TLongPage::IndividualCount() const { return m_lists.individual ? m_lists.individual->GetCount() : 0; }

int TLongPage::TendonCount() const { return m_lists.tendons ? m_lists.tendons->GetCount() : 0; }

TypedRange TLongPage::FieldRange(int field) const {
    if (m_countField[static_cast<std::size_t>(field)])
        return {0.0, double(kMaxBarsPerPattern), ukNone};
    return TReinfPage::FieldRange(field);
}

TypedRefusal TLongPage::CheckPatternRoom(int layers, int layerLimit, int replacing, int replacedLayers, int field) {
    // No more layers than a section holds (and a document keeps), whatever the structure allots.
    layerLimit = std::min(layerLimit, kMaxLayersOfDirection);
    // Counted as the lists stand: a refusal changes no entry.
    const int used = IndividualCount() + CircularLayerCount(false) + DistributedLayerCount() + TendonCount();
    const int room = layerLimit - used + (replacing >= 0 ? replacedLayers : 0);
    if (layers <= room)
        return {};
    return {field, StrPrintf("This pattern needs %d bar layers; the section has room for %d more.", layers,
                             std::max(room, 0))};
}

void TLongPage::SetPatternCapacity(int layerLimit, int otherPatternLayers, const TTypeList* otherPatterns) {
    const int otherEntries = otherPatterns ? otherPatterns->GetCount() : 0;
    const int room = layerLimit - IndividualCount() - otherPatternLayers - TendonCount();
    int capacity = room < kPatternRoom ? List().GetCount() : room;
    capacity = std::min(capacity, m_structure.GetPatternCapacity() - otherEntries);
    List().SetMaximum(capacity);
}

namespace {
const int kBarDecimals[3][6] = {{0, 0, 0, 0, 0, 0}, {0, 0, 3, 1, 0, 0}, {0, 0, 2, 0, 0, 0}};
} // namespace

void TGen_Lon::Configure() {
    m_title = "Individual Layers";
    m_listCaption = "Layer List";
    m_definitionCaption = "Layer Definition";
    const double examples[3][6] = {{4, 0, 500, 75, 0, 0}, {4, 0, 1.0, 3.0, 0, 0}, {4, 0, 5.0, 7.5, 0, 0}};
    SetFields({"Number of Bars", "Selection Type", "Bar Designation", "Dist. from Bottom", "", ""},
              {ukNone, ukNone, ukArea, ukSectionLength, ukNone, ukNone}, kBarDecimals, examples);
    m_countField[0] = true;
    ConfigureBars("Rebar Type", TBarSelector::LongitudinalBars);
}

int TGen_Lon::ValidateEntry() {
    const double z = List().Entry(Current()).values[3];
    if (z > m_structure.GetHeight() || z < 0.0)
        Warn("Selected Depth is Outside Cross Section!");
    return 1;
}

void TGen_Lon::UpdateCapacity() {
    List().SetMaximum(std::min(m_structure.GetMaxLongLayers(), kMaxLayersOfDirection) - CircularLayerCount(true) -
                      DistributedLayerCount() - TendonCount());
}

void TGen_Circ::Configure() {
    m_title = "Circular Patterns";
    m_listCaption = "Pattern List";
    m_definitionCaption = "Pattern Definition";
    const int decimals[3][6] = {{0, 0, 0, 0, 0, 0}, {0, 0, 3, 1, 0, 0}, {0, 0, 2, 1, 1, 0}};
    const double examples[3][6] = {{4, 0, 500, 500, 300, 0}, {4, 0, 1.0, 18, 12, 0}, {4, 0, 5.0, 50, 30, 0}};
    SetFields({"Number of Bars", "Selection Type", "Bar Designation", "Height of Centre", "Diameter on Centres", ""},
              {ukNone, ukNone, ukArea, ukSectionLength, ukSectionLength, ukNone}, decimals, examples);
    m_comboLabels[0] = "Orientation";
    form.comboItems[0] = {"Aligned", "Offset"};
    m_countField[0] = true;
    m_showExplode = true;
    ConfigureBars("Rebar Type", TBarSelector::LongitudinalBars);
}

int TGen_Circ::ValidateEntry() {
    const TypeListRec& e = List().Entry(Current());
    const double h = m_structure.GetHeight();
    const double top = e.values[3] + e.values[4] / 2.0;
    const double bottom = e.values[3] - e.values[4] / 2.0;
    if (top > h && bottom < 0.0)
        Warn("Depths are Outside Cross Section!");
    else if (top > h)
        Warn("Top Depth is Outside Cross Section!");
    else if (bottom < 0.0)
        Warn("Bottom Depth is Outside Cross Section!");
    return 1;
}

TypedRefusal TGen_Circ::CheckEntrySize(const TTypeList::AllValues& values, int replacing) {
    const int replaced =
        List().IsValidIndex(replacing) ? static_cast<int>(CircularLayout(List().Entry(replacing)).size()) : 0;
    TypeListRec typed;
    typed.values = values;
    typed.codes[0] = form.comboSel[0];
    const int layers = static_cast<int>(CircularLayout(typed).size());
    return CheckPatternRoom(layers, m_structure.GetMaxLongLayers(), replacing, replaced, 0);
}

void TGen_Circ::ExplodePattern() { ExplodeLayers(CircularPatternLayers, kCircularPattern); }

void TGen_Circ::UpdateCapacity() {
    SetPatternCapacity(m_structure.GetMaxLongLayers(), DistributedLayerCount(), m_lists.distributed.get());
}

void TGen_Distribute::Configure() {
    m_title = "Distributed Patterns";
    m_listCaption = "Pattern List";
    m_definitionCaption = "Pattern Definition";
    const int decimals[3][6] = {{0, 0, 0, 0, 0, 0}, {0, 0, 3, 0, 1, 1}, {0, 0, 2, 0, 1, 1}};
    const double examples[3][6] = {{2, 0, 500, 4, 300, 50}, {2, 0, 1.0, 4, 12, 2.0}, {2, 0, 5.0, 4, 30, 5.0}};
    SetFields({"Bars per Layer", "Selection Type", "Bar Designation", "Number of Layers", "Dist. to top",
               "Dist. to bottom"},
              {ukNone, ukNone, ukArea, ukNone, ukSectionLength, ukSectionLength}, decimals, examples);
    m_countField[0] = m_countField[3] = true;
    m_showExplode = true;
    ConfigureBars("Rebar Type", TBarSelector::LongitudinalBars);
}

int TGen_Distribute::ValidateEntry() {
    const TypeListRec& e = List().Entry(Current());
    const double h = m_structure.GetHeight();
    if (e.values[4] > h || e.values[4] < 0.0)
        Warn("Top Depth is Outside Cross Section!");
    if (e.values[5] > h || e.values[5] < 0.0)
        Warn("Bottom Depth is Outside Cross Section!");
    return 1;
}

TypedRefusal TGen_Distribute::CheckEntrySize(const TTypeList::AllValues& values, int replacing) {
    const int layers = std::max(Bars(values[3]), 1);
    const int bars = Bars(values[0]) == 0 ? 1 : Bars(values[0]);
    if (static_cast<long long>(bars) * layers > kMaxBarsPerPattern)
        return {3, StrPrintf("Bars per Layer x Number of Layers must not exceed %d.", kMaxBarsPerPattern)};
    const int replaced = List().IsValidIndex(replacing) ? std::max(Bars(List().Entry(replacing).values[3]), 1) : 0;
    return CheckPatternRoom(layers, kMaxLayersInAll, replacing, replaced, 3);
}

void TGen_Distribute::ExplodePattern() { ExplodeLayers(DistributedPatternLayers, kDistributedPattern); }

void TGen_Distribute::UpdateCapacity() {
    SetPatternCapacity(kMaxLayersInAll, CircularLayerCount(true), m_lists.circular.get());
}

void TGen_Ten::Configure() {
    m_title = "Define Tendon Layers";
    m_listCaption = "Layer List";
    m_definitionCaption = "Layer Definition";
    const int decimals[3][6] = {{0, 0, 0, 2, 0, 2}, {0, 0, 3, 2, 1, 2}, {0, 0, 2, 2, 1, 2}};
    const double examples[3][6] = {{4, 0, 99, 6.5, 75, 10}, {4, 0, 0.2, 6.5, 3.0, 10}, {4, 0, 1.0, 6.5, 7.5, 10}};
    SetFields({"Number of Strands", "Selection Type", "Strand Designation", "Prestrain", "Dist. from Bottom",
               "Slope of Tendon"},
              {ukNone, ukNone, ukArea, ukStrain, ukSectionLength, ukPercent}, decimals, examples);
    m_countField[0] = true;
    ConfigureBars("Tendon Type", TBarSelector::Strands);
}

int TGen_Ten::ValidateEntry() {
    const double z = List().Entry(Current()).values[4];
    if (z > m_structure.GetHeight() || z < 0.0)
        Warn("Selected Depth is Outside Cross Section!");
    return 1;
}

void TGen_Ten::UpdateCapacity() {
    List().SetMaximum(kMaxLayersOfDirection - IndividualCount() - CircularLayerCount(true) - DistributedLayerCount());
}

// ---- Transverse page -----------------------------------------------------------------------------

TGen_Tra::TGen_Tra(TTypeList& list, TStructure& structure, int initialSelection, int direction)
    : TReinfPage(list, structure, direction, initialSelection) {}

void TGen_Tra::Configure() {
    m_title = "Define Stirrups";
    m_listCaption = "Stirrup List";
    m_definitionCaption = "Stirrup Definition";
    const int decimals[3][6] = {{0, 0, 0, 0, 0, 0}, {2, 0, 3, 1, 1, 0}, {1, 0, 2, 1, 1, 0}};
    const double examples[3][6] = {{200, 0, 200, 550, 50, 0}, {8.0, 0, 0.2, 16, 2.0, 0}, {20, 0, 2.0, 55, 5.0, 0}};
    SetFields({"Stirrup Spacing", "Selection Type", "Steel Area", "Dist. to Top", "Dist. to Bottom", ""},
              {ukSectionLength, ukNone, ukArea, ukSectionLength, ukSectionLength, ukNone}, decimals, examples);
    m_comboLabels = {"Bar Type", "Rebar Type", ""};
    form.comboItems[0].assign(kStirrupNames.begin(), kStirrupNames.end());
    form.comboItems[1] = SteelNames(m_structure);
    int steel = 0;
    for (int i = 0; i < static_cast<int>(form.comboItems[1].size()); ++i) {
        const std::string& name = form.comboItems[1][static_cast<std::size_t>(i)];
        if (name == "Trans" || name == "stirrups" || name == "trans")
            steel = i;
    }
    m_defaultSel = {2, steel, 0};
    UseBarsAndList(TBarSelector::TransverseBars);
}
