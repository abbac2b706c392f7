#include "analysis/TSectionalAnalysis.h"

#include <algorithm>
#include <climits>

#include "foundation/DateTime.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TStructure.h"

namespace {

constexpr const char* kTensionOffQuestion =
    "Concrete type \"%s\" has tension stiffening turned off.  The analysis automatically "
    "accounts for crack check and calculates longitudinal stresses at a crack.  Fatigue "
    "analyses can use this information, however.  Do you wish to leave tension off?";
constexpr const char* kStirrupsNeededText =
    "When performing analyses with shear and no tensile strength or no tension stiffening, "
    "members must have stirrups that reach to the extreme top and bottom fibre of the beam.";

// Copies the first count values of from (as far as it holds them) into a zeroed array.
template <typename T> std::vector<T> BoundedCopyOf(const std::vector<T>& from, std::size_t count)
{
    std::vector<T> to(count, T{});
    std::copy_n(from.begin(), std::min(count, from.size()), to.begin());
    return to;
}

std::unique_ptr<TDepthTable> CopyTable(const std::unique_ptr<TDepthTable>& table)
{
    return table ? std::make_unique<TDepthTable>(*table) : nullptr;
}

// A table of the two pairs (top, 0) and (bottom, 0).
std::unique_ptr<TDepthTable> TwoPointTable(double top, double bottom)
{
    auto table = std::make_unique<TDepthTable>();
    table->Add(top, 0.0);
    table->Add(bottom, 0.0);
    return table;
}

// Per-bar array length of a longitudinal list: its layer count, at least 1.
std::size_t BarArrayLength(const TStructure& structure, int list)
{
    return static_cast<std::size_t>(std::max(1, structure.GetLongLayerCount(list)));
}

} // namespace

TSectionalAnalysis::TSectionalAnalysis()
{
    const std::int32_t now = TimerCentiseconds();
    Timers.fill(now);
}

TSectionalAnalysis::~TSectionalAnalysis() = default;

// ---- Virtual operations with base bodies ------------------------------------------------------

double TSectionalAnalysis::Probe_analysis(int probeId, double /*depth*/) const
{
    switch (probeId) {
    case 0:
    case 1:
    case 6:
    case 7:
    case 9:
        return 0.0;
    case 15:
        return 1.0;
    default:
        ReportOnce("Error in Probe_analysis!", "Probe_analysis", MsgStyle::IconExclamation);
        return 0.0;
    }
}

int TSectionalAnalysis::BeginCurve(int /*curveId*/)
{
    return 0;
}

int TSectionalAnalysis::GetCurvePoint(int /*curveId*/, double& x, double& y)
{
    x = 0.0;
    y = 0.0;
    return 0;
}

int TSectionalAnalysis::GetDiagramState(int /*index*/, const SectionState*& state, int& flag) const
{
    state = nullptr;
    flag = 1;
    return 0;
}

int TSectionalAnalysis::FindDiagramPoint(int /*countOnly*/,
                                         int& count,
                                         int& found,
                                         std::vector<double>& /*x*/,
                                         std::vector<double>& /*y*/,
                                         std::vector<int>& /*index*/,
                                         std::vector<double>& /*value*/,
                                         int /*quantity*/)
{
    count = 0;
    found = 0;
    return 0;
}

int TSectionalAnalysis::SetResultParameter(int /*id*/, double /*a*/, double /*b*/, int /*flag*/)
{
    return 0;
}

int TSectionalAnalysis::UnloadReload(int /*stage*/, int /*mode*/)
{
    return 0;
}

int TSectionalAnalysis::MoreDetail(int /*count*/, int /*stage*/)
{
    return 0;
}

// ---- Preparing and finishing --------------------------------------------------------------

int TSectionalAnalysis::Prepare()
{
    TStructure* structure = GetWritableStructure();
    if (structure == nullptr)
        return 0;
    if (!(structure->GetHeight() > 0.0))
        return 0;
    structure->GetIncrementLoads(IncrementLoads.data(), kLoadCount);
    structure->GetConstantLoads(ConstantLoads.data(), kLoadCount);
    AdjustLoads();
    // A structure frozen beforehand is not to be validated or asked about (its loads are
    // copied all the same).
    if (structure->IsFrozen())
        return 0;
    structure->Validate();
    CheckTensionStiffening(*structure);
    structure->SetFrozen(1);
    return 1;
}

void TSectionalAnalysis::CheckTensionStiffening(TStructure& structure)
{
    if (structure.GetCheckTensionStiffening() == 0)
        return;
    for (int i = 0; i < structure.GetConcreteTypeCount(); ++i) {
        const ConcreteTypeRec* type = structure.GetConcreteType(i);
        if (type == nullptr)
            continue;
        if (type->tensionStiffening != 0 && type->tsFactor != 0.0 && type->ft != 0.0)
            continue;
        const int answer = ShowMessage(StrPrintf(kTensionOffQuestion, type->name.c_str()),
                                       "Are You Sure?",
                                       MsgStyle::YesNo | MsgStyle::IconExclamation);
        if (answer == MsgAnswer::No) {
            structure.ApplyTensionStiffeningCode(1);
        } else {
            UseCurvatureIteration = 1;
            if (HasShear())
                AddError(kStirrupsNeededText, g_MainWindowTitle, 0);
        }
    }
    structure.SetCheckTensionStiffening(0);
}

int TSectionalAnalysis::Finish()
{
    if (TStructure* structure = GetWritableStructure())
        structure->SetFrozen(0);
    Running = 0;
    return 1;
}

// ---- Timers and loads ---------------------------------------------------------------------

int TSectionalAnalysis::TimerSlot(int channel)
{
    switch (channel) {
    case 2:
        return 0;
    case 3:
        return 1;
    case 1:
        return 2;
    default:
        return -1;
    }
}

int TSectionalAnalysis::IntervalElapsed(int channel)
{
    const int slot = TimerSlot(channel);
    if (slot < 0)
        return 0;
    const std::int32_t now = TimerCentiseconds();
    std::int32_t& last = Timers[static_cast<std::size_t>(slot)];
    // Readings stay within +-2^31 / 10, so the difference cannot overflow.
    const std::int32_t elapsed = now - last;
    const int interval = channel == 2 ? kLongInterval : kShortInterval;
    if (elapsed > interval || elapsed < kClockWrap) {
        last = now;
        return 1;
    }
    return 0;
}

int TSectionalAnalysis::GetElapsedMilliseconds() const
{
    // The centisecond clock spans 2^32 ms / 10; a reading below the start time means it
    // wrapped once since then.
    constexpr std::int64_t kClockSpan = 429496730;
    std::int64_t elapsed = std::int64_t{TimerCentiseconds()} - Timers[3];
    if (elapsed < 0)
        elapsed += kClockSpan;
    return static_cast<int>(std::min<std::int64_t>(elapsed * 10, INT_MAX));
}

int TSectionalAnalysis::GetIncrementLoads(double* values, int n) const
{
    const int count = std::clamp(n, 0, kLoadCount);
    std::copy_n(IncrementLoads.begin(), count, values);
    return 1;
}

int TSectionalAnalysis::GetConstantLoads(double* values, int n) const
{
    const int count = std::clamp(n, 0, kLoadCount);
    std::copy_n(ConstantLoads.begin(), count, values);
    return 1;
}

const std::vector<int>& TSectionalAnalysis::GetFailedBarFlags(int which) const
{
    static const std::vector<int> none;
    if (which < 0 || which >= static_cast<int>(FailedBarFlags.size()))
        return none;
    return FailedBarFlags[static_cast<std::size_t>(which)];
}

void TSectionalAnalysis::ReportOnce(const std::string& text,
                                    const std::string& caption,
                                    unsigned style) const
{
    m_messages.Report(text, caption, style);
}

// ---- States -------------------------------------------------------------------------------

int TSectionalAnalysis::CreateSectionState(SectionStateHolder& holder, SectionState* source)
{
    if (holder)
        return 0;
    const TStructure* structure = GetStructure();
    if (structure == nullptr) {
        ReportOnce("No beam object in analysise!", g_MainWindowTitle, MsgStyle::Ok);
        return 0;
    }
    auto state = std::make_unique<SectionState>();
    const auto maxLayers = static_cast<std::size_t>(std::max(GetMaxLayerCount(), 1));
    const auto maxNodes = static_cast<std::size_t>(std::max(GetMaxNodeCount(), 3));

    // Layer arrays: a full-size pair passes from the source to the new state, which goes on
    // solving in it; the source keeps exact copies of what it uses.
    if (source != nullptr && source->FullSizeArrays != 0 && GetMaxLayerCount() >= 2) {
        state->LayerDefs = std::move(source->LayerDefs);
        state->NodeStates = std::move(source->NodeStates);
        const std::size_t layers =
            std::min(static_cast<std::size_t>(std::max(source->LayerCount, 0)),
                     state->LayerDefs.size());
        const std::size_t nodes = std::min(2 * layers + 1, state->NodeStates.size());
        source->LayerDefs.assign(state->LayerDefs.begin(),
                                 state->LayerDefs.begin() + static_cast<std::ptrdiff_t>(layers));
        source->NodeStates.assign(state->NodeStates.begin(),
                                  state->NodeStates.begin() + static_cast<std::ptrdiff_t>(nodes));
        source->FullSizeArrays = 0;
        // A pair sized by another analysis grows to this one's capacity.
        if (state->LayerDefs.size() < maxLayers)
            state->LayerDefs.resize(maxLayers);
        if (state->NodeStates.size() < maxNodes)
            state->NodeStates.resize(maxNodes);
    } else {
        state->LayerDefs.assign(maxLayers, LayerDefRec{});
        state->NodeStates.assign(maxNodes, LayerNodeStateRec{});
    }
    state->LayerCount = 1;
    state->FullSizeArrays = 1;

    state->Top = source != nullptr ? source->Top : structure->GetTop();
    state->Bottom = source != nullptr ? source->Bottom : structure->GetBottom();

    const std::size_t list0 = BarArrayLength(*structure, 0);
    const std::size_t list1 = BarArrayLength(*structure, 1);
    state->LongBarValues[BarArray::List0Stress].assign(list0, 0.0);
    state->LongBarValues[BarArray::List0Second].assign(list0, 0.0);
    state->LongBarValues[BarArray::List1Stress].assign(list1, 0.0);
    state->LongBarValues[BarArray::List1Second].assign(list1, 0.0);
    state->LongBarExtra[0].assign(list0, 0.0);
    state->LongBarExtra[1].assign(list0, 0.0);

    const int directions = std::min(structure->GetLongDirectionCount(), 3);
    for (int d = 0; d < directions; ++d) {
        const auto count = static_cast<std::size_t>(std::max(structure->GetLongLayerCount(d), 0));
        auto& values = state->DirectionValues[static_cast<std::size_t>(d)];
        values = source != nullptr
                     ? BoundedCopyOf(source->DirectionValues[static_cast<std::size_t>(d)], count)
                     : std::vector<double>(count, 0.0);
    }

    if (structure->GetTransDirectionCount() > 0) {
        state->TransProfile = source != nullptr && source->TransProfile
                                  ? CopyTable(source->TransProfile)
                                  : TwoPointTable(structure->GetTop(), structure->GetBottom());
    }

    const int transLayers = structure->GetTransLayerCount(2);
    if (transLayers > 0) {
        const auto count = static_cast<std::size_t>(transLayers);
        state->TransLayerFlags = source != nullptr ? BoundedCopyOf(source->TransLayerFlags, count)
                                                   : std::vector<int>(count, 0);
    }

    state->DepthTableA = source != nullptr && source->DepthTableA ? CopyTable(source->DepthTableA)
                                                                  : std::make_unique<TDepthTable>();
    state->DepthTableB = source != nullptr && source->DepthTableB ? CopyTable(source->DepthTableB)
                                                                  : std::make_unique<TDepthTable>();

    if (source != nullptr) {
        state->Results = source->Results;
        state->ShearBlock = source->ShearBlock;
        state->NvRatio = source->NvRatio;
    }
    holder = std::move(state);
    return 1;
}

int TSectionalAnalysis::CopySectionState(const SectionStateHolder& source,
                                         SectionStateHolder& destination)
{
    if (&source == &destination)
        return 1;
    FreeSectionState(destination);
    if (!source)
        return 0;
    const SectionState& from = *source;
    const TStructure* structure = GetStructure();
    auto copy = std::make_unique<SectionState>();

    copy->Valid = from.Valid;
    copy->LayerCount = from.LayerCount;
    copy->AvgShearStrain = from.AvgShearStrain;
    copy->Results = from.Results;
    copy->Top = from.Top;
    copy->Bottom = from.Bottom;
    copy->Refinable = from.Refinable;
    copy->BelowMaximum = from.BelowMaximum;
    copy->Profile = CopyTable(from.Profile);
    copy->PointLists = from.PointLists;
    copy->Summary = from.Summary;

    // Per-bar arrays are sized by the structure as it is now.
    for (std::size_t k = 0; k < copy->LongBarValues.size(); ++k) {
        const int list = k < 2 ? 0 : 1;
        const std::size_t length =
            structure != nullptr ? BarArrayLength(*structure, list) : from.LongBarValues[k].size();
        copy->LongBarValues[k] = BoundedCopyOf(from.LongBarValues[k], length);
    }
    for (std::size_t k = 0; k < copy->LongBarExtra.size(); ++k) {
        const std::size_t length =
            structure != nullptr ? BarArrayLength(*structure, 0) : from.LongBarExtra[k].size();
        copy->LongBarExtra[k] = BoundedCopyOf(from.LongBarExtra[k], length);
    }

    // Full-size layer arrays holding the source's n layers and 2n + 1 nodes.
    const auto maxLayers = static_cast<std::size_t>(std::max(GetMaxLayerCount(), 1));
    const auto maxNodes = static_cast<std::size_t>(std::max(GetMaxNodeCount(), 3));
    const std::size_t layers =
        std::min(static_cast<std::size_t>(std::max(from.LayerCount, 0)), from.LayerDefs.size());
    const std::size_t nodes = std::min(2 * layers + 1, from.NodeStates.size());
    copy->LayerDefs.assign(std::max(maxLayers, layers), LayerDefRec{});
    std::copy_n(from.LayerDefs.begin(), layers, copy->LayerDefs.begin());
    copy->NodeStates.assign(std::max(maxNodes, nodes), LayerNodeStateRec{});
    std::copy_n(from.NodeStates.begin(), nodes, copy->NodeStates.begin());
    copy->FullSizeArrays = 1;

    copy->DirectionValues = from.DirectionValues;
    if (structure == nullptr || structure->GetTransDirectionCount() > 0) {
        copy->TransProfile = from.TransProfile || structure == nullptr
                                 ? CopyTable(from.TransProfile)
                                 : TwoPointTable(structure->GetTop(), structure->GetBottom());
    }
    copy->TransLayerFlags = from.TransLayerFlags;
    copy->DepthTableA =
        from.DepthTableA ? CopyTable(from.DepthTableA) : std::make_unique<TDepthTable>();
    copy->DepthTableB =
        from.DepthTableB ? CopyTable(from.DepthTableB) : std::make_unique<TDepthTable>();
    copy->Limits = from.Limits;
    copy->Extra = from.Extra;
    copy->ShearBlock = from.ShearBlock;
    copy->NvRatio = from.NvRatio;

    destination = std::move(copy);
    return 1;
}
