#include "analysis/state/SectionState.h"

#include <algorithm>
#include <utility>

#include "foundation/WorkerPool.h"

namespace {

PanelChartHook& CurrentPanelChartHook()
{
    static PanelChartHook hook;
    return hook;
}

// Element i of the first count items, null outside them (const and non-const alike).
template <typename Items> auto ItemOrNull(Items& items, int i, int count) -> decltype(&items[0])
{
    if (i < 0 || i >= count)
        return nullptr;
    return &items[static_cast<std::size_t>(i)];
}

} // namespace

LayerNodeStateRec* SectionState::NodeState(int id)
{
    return ItemOrNull(NodeStates, id, static_cast<int>(NodeStates.size()));
}

const LayerNodeStateRec* SectionState::NodeState(int id) const
{
    return ItemOrNull(NodeStates, id, static_cast<int>(NodeStates.size()));
}

int SectionState::UsableLayerCount() const
{
    const int held = static_cast<int>(LayerDefs.size());
    return std::clamp(LayerCount, 0, held);
}

LayerDefRec* SectionState::LayerDef(int i)
{
    return ItemOrNull(LayerDefs, i, UsableLayerCount());
}

const LayerDefRec* SectionState::LayerDef(int i) const
{
    return ItemOrNull(LayerDefs, i, UsableLayerCount());
}

double SectionState::BarValue(int array, int i) const
{
    if (array < 0 || array >= static_cast<int>(LongBarValues.size()))
        return kUndefined;
    const std::vector<double>& values = LongBarValues[static_cast<std::size_t>(array)];
    if (i < 0 || static_cast<std::size_t>(i) >= values.size())
        return kUndefined;
    return values[static_cast<std::size_t>(i)];
}

double SectionState::Result(int i) const
{
    if (i < 0 || i >= StateResult::Count)
        return 0.0;
    return Results[static_cast<std::size_t>(i)];
}

int FreeSectionState(SectionStateHolder& holder)
{
    if (!holder)
        return 0;
    RedrawPanelChart(holder.get());
    holder.reset();
    return 1;
}

int MoveSectionState(SectionStateHolder& source, SectionStateHolder& destination)
{
    if (&source == &destination)
        return 1;
    FreeSectionState(destination);
    destination = std::move(source);
    source.reset();
    return 1;
}

PanelChartHook SetRedrawPanelChartHook(PanelChartHook hook)
{
    PanelChartHook previous = std::move(CurrentPanelChartHook());
    CurrentPanelChartHook() = std::move(hook);
    return previous;
}

int RedrawPanelChart(const SectionState* state)
{
    const PanelChartHook& hook = CurrentPanelChartHook();
    // The hook redraws a window: from a parallel task, the main thread calls it.
    if (hook)
        RunOnMainThread([&] { hook(state); });
    return 1;
}
