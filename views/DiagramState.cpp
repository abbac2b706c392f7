#include "views/DiagramState.h"

#include <algorithm>

#include "analysis/state/SectionState.h"
#include "foundation/Sentinel.h"
#include "model/TStructure.h"

std::unique_ptr<SectionState> CopyStateRecord(const SectionState& s)
{
    auto copy = std::make_unique<SectionState>();
    copy->Valid = s.Valid;
    copy->LayerCount = s.LayerCount;
    copy->Results = s.Results;
    copy->Summary = s.Summary;
    copy->Top = s.Top;
    copy->Bottom = s.Bottom;
    copy->AvgShearStrain = s.AvgShearStrain;
    copy->FullSizeArrays = 0;
    copy->BelowMaximum = s.BelowMaximum;
    copy->Refinable = s.Refinable;
    copy->Extra = s.Extra;
    copy->Limits = s.Limits;
    copy->ShearBlock = s.ShearBlock;
    copy->NvRatio = s.NvRatio;
    return copy;
}

std::unique_ptr<SectionState> CopyDrawnState(const SectionState& s, const TStructure* structure)
{
    auto copy = CopyStateRecord(s);
    const int bars = structure ? std::max(1, structure->GetLongLayerCount(1) + structure->GetLongLayerCount(0))
                               : 1;
    // Each array as long as the state's own (list 1 of a beam holds one value), never longer
    // than the structure's bars; an empty one holds "no value".
    for (std::size_t k = 0; k < s.LongBarValues.size(); ++k) {
        const std::vector<double>& from = s.LongBarValues[k];
        const std::size_t n = std::min(from.size(), static_cast<std::size_t>(bars));
        copy->LongBarValues[k].assign(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(n));
        if (n == 0)
            copy->LongBarValues[k].push_back(kUndefined);
    }
    const int layers = s.UsableLayerCount();
    const std::size_t nodes = std::min(s.NodeStates.size(), static_cast<std::size_t>(2 * layers + 1));
    copy->NodeStates.assign(s.NodeStates.begin(), s.NodeStates.begin() + static_cast<std::ptrdiff_t>(nodes));
    copy->LayerDefs.assign(s.LayerDefs.begin(), s.LayerDefs.begin() + layers);
    if (!s.TransLayerFlags.empty()) {
        const int n = structure ? structure->GetTransLayerCount(2) : static_cast<int>(s.TransLayerFlags.size());
        copy->TransLayerFlags.assign(static_cast<std::size_t>(std::max(n, 0)), 0);
        std::copy_n(s.TransLayerFlags.begin(), std::min(s.TransLayerFlags.size(), copy->TransLayerFlags.size()),
                    copy->TransLayerFlags.begin());
    }
    return copy;
}
