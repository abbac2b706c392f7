#include "analysis/layers/LayerInterpolation.h"

#include <cmath>
#include <cstddef>

#include "analysis/LayerNodeState.h"
#include "analysis/SectionState.h"
#include "foundation/Reporter.h"

namespace {

constexpr double kEndSnap = 1e-4;
constexpr const char* kCaption = "InterpolateLayerValue";

enum class Lookup { Found, NoLayers, Outside, NoLayer, BadNode };

// The layer holding y and the parabola's value there.
Lookup Evaluate(const SectionState& state, int code, double y, double& value)
{
    value = 0.0;
    const int n = state.UsableLayerCount();
    if (n <= 0)
        return Lookup::NoLayers;
    const LayerDefRec& first = *state.LayerDef(0);
    const LayerDefRec& last = *state.LayerDef(n - 1);
    const double top = first.Top;
    const double bottom = last.Bottom;
    if (std::fabs(y - bottom) < kEndSnap)
        y = bottom;
    if (std::fabs(y - top) < kEndSnap)
        y = top;
    if (y < bottom || y > top)
        return Lookup::Outside;
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = *state.LayerDef(i);
        if (!(layer.Bottom <= y && y <= layer.Top))
            continue;
        const LayerNodeStateRec* t = state.NodeState(static_cast<int>(layer.NodeTop));
        const LayerNodeStateRec* m = state.NodeState(static_cast<int>(layer.NodeMid));
        const LayerNodeStateRec* b = state.NodeState(static_cast<int>(layer.NodeBottom));
        if (t == nullptr || m == nullptr || b == nullptr)
            return Lookup::BadNode;
        const double vt = LayerNodeQuantity(*t, code);
        const double vm = LayerNodeQuantity(*m, code);
        const double vb = LayerNodeQuantity(*b, code);
        const double h = layer.Thickness;
        if (!(h > 0.0)) {
            value = vm;
            return Lookup::Found;
        }
        const double d = layer.Mid - y;
        value = 2.0 * (vt - 2.0 * vm + vb) / (h * h) * d * d + (vb - vt) / h * d + vm;
        return Lookup::Found;
    }
    return Lookup::NoLayer;
}

} // namespace

double InterpolateLayerValue(const SectionState* state, int code, double y)
{
    if (state == nullptr) {
        ShowMessage("OOPS, error in interpolation in file... 1", kCaption, MsgStyle::IconStop);
        return -1.0;
    }
    if (!IsLayerQuantityCode(code)) {
        ShowMessage("Unknown layer quantity in interpolation", kCaption, MsgStyle::IconStop);
        return 0.0;
    }
    double value = 0.0;
    switch (Evaluate(*state, code, y, value)) {
    case Lookup::Found:
    case Lookup::Outside:
        return value;
    case Lookup::NoLayers:
        ShowMessage("No layers in interpolation", kCaption, MsgStyle::IconStop);
        return 0.0;
    case Lookup::NoLayer:
    case Lookup::BadNode:
        ShowMessage("No layer holds the depth in interpolation", kCaption, MsgStyle::IconStop);
        return 0.0;
    }
    return 0.0;
}

double LayerValueAtDepth(const SectionState& state, int code, double y)
{
    double value = 0.0;
    return Evaluate(state, code, y, value) == Lookup::Found ? value : 0.0;
}
