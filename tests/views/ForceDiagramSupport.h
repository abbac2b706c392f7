#pragma once
// Shared by the tests of the force diagram and the N+M diagram: a state of given resultants,
// a chart shown a state, and a label of a picture found by its text.

#include <memory>
#include <string>

#include "analysis/state/SectionState.h"
#include "views/TForceDiagram.h"

// A valid state whose resultants are C at the depth zC, T at zT and the shear V (SI, depths
// from the moment axis).
inline std::unique_ptr<SectionState> ResultantsState(double C, double zC, double T, double zT, double V)
{
    auto s = std::make_unique<SectionState>();
    s->Valid = 1;
    s->Results[StateResult::CompressiveForce] = C;
    s->Results[StateResult::CompressiveDepth] = zC;
    s->Results[StateResult::TensileForce] = T;
    s->Results[StateResult::TensileDepth] = zT;
    s->Results[StateResult::Shear] = V;
    return s;
}

// The chart (a force diagram or an N+M diagram) shown the state s of structure and scaled to it.
template <class Chart>
void ShowState(Chart& chart, TStructure* structure, const SectionState* s)
{
    chart.AttachStructure(structure);
    chart.AttachState(s);
    chart.AutoScale();
}

// The first label of the picture whose text begins with prefix; null when there is none.
inline const picture::Label* FindLabel(const DiagramPicture& p, const std::string& prefix)
{
    for (const picture::Item& i : p.items)
        if (const auto* l = std::get_if<picture::Label>(&i); l && l->text.rfind(prefix, 0) == 0)
            return l;
    return nullptr;
}
