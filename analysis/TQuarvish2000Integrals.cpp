// Section integrals over the layer mesh of a state: the concrete share of the tangent
// stiffness, the force rates of the shear-strain mode, node values between the nodes of a
// layer, and the solver that turns a force residual into a correction of the profile.
//
// Each layer is integrated by Simpson's rule over its top, middle and bottom node with the
// section widths there (the width varying linearly through the layer); a layer whose width
// tapers adds the correction (h^2/60)(b_b - b_t)(f_t - 2 f_m + f_b) to the moment row, which
// makes the rule exact for the product of a linear width and a quadratic integrand.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "analysis/TQuarvish2000Analysis.h"
#include "foundation/SmallSolvers.h"
#include "model/TBeam.h"

namespace {

// Simpson's rule and the taper correction over one layer, for node values ft, fm, fb.
struct LayerRule {
    double h = 0.0;
    double bt = 0.0;
    double bm = 0.0;
    double bb = 0.0;

    // The layer's thickness and its widths at top, middle (the mean of the two faces) and bottom.
    static LayerRule Of(const TBeam& beam, const LayerDefRec& layer)
    {
        LayerRule rule;
        rule.h = layer.Thickness;
        rule.bt = beam.GetWidthAtSide(layer.Top, 1);
        rule.bb = beam.GetWidthAtSide(layer.Bottom, 0);
        rule.bm = (rule.bt + rule.bb) / 2.0;
        return rule;
    }

    double Integral(double ft, double fm, double fb) const
    {
        return h / 6.0 * (ft * bt + 4.0 * fm * bm + fb * bb);
    }
    double Taper(double ft, double fm, double fb) const
    {
        return h * h / 60.0 * (bb - bt) * (ft - 2.0 * fm + fb);
    }
};

// A singular system of the correction solver.
constexpr int kSingular = 1;

} // namespace

double TQuarvish2000Analysis::InterpolateNodeWork(const SectionState& state, double y, int k) const
{
    const TStructure* structure = GetStructure();
    if (structure == nullptr || y < structure->GetBottom() || y > structure->GetTop())
        return 0.0;
    const std::vector<double>& work = GetNodeWork(k);
    auto at = [&work](std::uint32_t id) { return id < work.size() ? work[id] : 0.0; };
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        if (!(layer.Bottom <= y && y <= layer.Top))
            continue;
        const double h = layer.Thickness;
        const double vt = at(layer.NodeTop);
        const double vm = at(layer.NodeMid);
        const double vb = at(layer.NodeBottom);
        if (!(h > 0.0))
            return vm;
        // The parabola through the three nodes, t running from -h/2 at the top to h/2.
        const double t = layer.Mid - y;
        return 2.0 * (vt - 2.0 * vm + vb) / (h * h) * t * t + (vb - vt) / h * t + vm;
    }
    return 0.0;
}

void TQuarvish2000Analysis::AddConcreteStiffness(const SectionState& state,
                                                 std::array<double, 9>& K) const
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr)
        return;
    const std::vector<double>& d0 = NodeWork[0];
    const std::vector<double>& d1 = NodeWork[1];
    const std::vector<double>& d2 = NodeWork[2];
    const std::vector<double>& d3 = NodeWork[3];
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        const std::uint32_t id[3] = {layer.NodeTop, layer.NodeMid, layer.NodeBottom};
        if (id[0] >= d0.size() || id[1] >= d0.size() || id[2] >= d0.size() ||
            id[0] >= state.NodeStates.size() || id[1] >= state.NodeStates.size() ||
            id[2] >= state.NodeStates.size())
            continue;
        const LayerRule rule = LayerRule::Of(*beam, layer);
        const double y[3] = {layer.Top, layer.Mid, layer.Bottom};
        double s[3];
        for (int k = 0; k < 3; ++k)
            s[k] = state.NodeStates[id[k]].ShearStrainShape;
        // The integrand at the three nodes.
        auto I = [&](auto f) { return rule.Integral(f(0), f(1), f(2)); };
        auto C = [&](auto f) { return rule.Taper(f(0), f(1), f(2)); };
        auto D0 = [&](int k) { return d0[id[k]]; };
        auto D0y = [&](int k) { return d0[id[k]] * y[k]; };
        auto D0yy = [&](int k) { return d0[id[k]] * y[k] * y[k]; };
        auto D2s = [&](int k) { return d2[id[k]] * s[k]; };
        auto D2ys = [&](int k) { return d2[id[k]] * y[k] * s[k]; };
        auto D1 = [&](int k) { return d1[id[k]]; };
        auto D1y = [&](int k) { return d1[id[k]] * y[k]; };
        auto D3s = [&](int k) { return d3[id[k]] * s[k]; };
        K[0] += I(D0);
        K[1] += I(D0y);
        K[2] += I(D2s);
        K[3] += I(D0y) + C(D0);
        K[4] += I(D0yy) + C(D0y);
        K[5] += I(D2ys) + C(D2s);
        K[6] += I(D1);
        K[7] += I(D1y);
        K[8] += I(D3s);
    }
}

int TQuarvish2000Analysis::ShearModeForceRates(const SectionState& state,
                                               std::array<double, 3>& out) const
{
    out = {0.0, 0.0, 0.0};
    const TBeam* beam = GetBeam();
    if (beam == nullptr)
        return 1;
    const double netShear =
        state.Results[StateResult::Shear] - state.Results[StateResult::DrapedShear];
    auto g = [&](double y) { return NonlinearDistribution.InterpolateAtDepth(y) * netShear; };
    const std::vector<double>& d0 = NodeWork[0];
    const std::vector<double>& d1 = NodeWork[1];
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        const std::uint32_t id[3] = {layer.NodeTop, layer.NodeMid, layer.NodeBottom};
        if (id[0] >= d0.size() || id[1] >= d0.size() || id[2] >= d0.size())
            continue;
        const LayerRule rule = LayerRule::Of(*beam, layer);
        const double y[3] = {layer.Top, layer.Mid, layer.Bottom};
        double gk[3];
        for (int k = 0; k < 3; ++k)
            gk[k] = d0[id[k]] != 0.0 ? g(y[k]) : 0.0;
        auto term = [&](const std::vector<double>& d, int k, double extra) {
            return d[id[k]] * gk[k] * extra;
        };
        out[0] += rule.Integral(term(d0, 0, 1.0), term(d0, 1, 1.0), term(d0, 2, 1.0));
        out[1] += rule.Integral(term(d0, 0, y[0]), term(d0, 1, y[1]), term(d0, 2, y[2])) +
                  rule.Taper(term(d0, 0, 1.0), term(d0, 1, 1.0), term(d0, 2, 1.0));
        out[2] += rule.Integral(term(d1, 0, 1.0), term(d1, 1, 1.0), term(d1, 2, 1.0));
    }
    const double top = beam->GetTop();
    const double bottom = beam->GetBottom();
    const int bars = beam->GetLongLayerCount(0);
    for (int i = 0; i < bars && static_cast<std::size_t>(i) < BarStiffness.size(); ++i) {
        const LongLayerRec* layer = beam->GetLongLayer(i, 0);
        if (layer == nullptr || !(layer->z > bottom && layer->z < top))
            continue;
        const double kb = BarStiffness[static_cast<std::size_t>(i)];
        out[0] += kb * layer->A * g(layer->z);
        out[1] += kb * layer->A * layer->z * g(layer->z);
    }
    return 1;
}

int TQuarvish2000Analysis::SolveProfileCorrection(std::array<double, 9> K,
                                                  std::array<double, 3>& x,
                                                  const std::array<double, 3>& r,
                                                  int mode,
                                                  int j) const
{
    const TStructure* structure = GetStructure();
    const double H = structure != nullptr ? structure->GetHeight() : 0.0;
    const double w = H > 0.0 ? 1.0 / (H * H) : 1.0;
    // Only a held variable of the three is one the matrix can hold fixed.
    const bool holds = mode == 0 && j >= 0 && j < 3;
    const double ref =
        holds ? std::fabs(K[static_cast<std::size_t>(j * 4)]) : std::max({K[0], K[5], K[8]});
    const double thr = ref / 10000.0;
    bool active[3] = {std::fabs(K[0]) > thr, std::fabs(K[4] * w) > thr, std::fabs(K[8]) > thr};
    for (int v = 0; v < 3; ++v) {
        if (v != j && std::fabs(K[static_cast<std::size_t>(v * 4)]) < 1.0)
            active[v] = false;
    }
    x = {0.0, 0.0, 0.0};
    if (holds)
        K[static_cast<std::size_t>(j * 4)] *= 1e9;

    auto solveAll = [&] {
        Matrix3 m{};
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b)
                m[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] =
                    K[static_cast<std::size_t>(a * 3 + b)];
        Vector3 rhs{r[0], r[1], r[2]};
        Vector3 solution{0.0, 0.0, 0.0};
        const int result = SolveLinear3(m, solution, rhs, 3);
        x = {solution[0], solution[1], solution[2]};
        return result;
    };

    const int count = int(active[0]) + int(active[1]) + int(active[2]);
    if (count == 3)
        return solveAll();
    if (count == 2) {
        const int a = active[0] ? 0 : 1;
        const int b = active[2] ? 2 : 1;
        auto k = [&K](int row, int col) { return K[static_cast<std::size_t>(row * 3 + col)]; };
        double xa = 0.0;
        double xb = 0.0;
        const int solved = Solve2x2(xa,
                                    xb,
                                    r[static_cast<std::size_t>(a)],
                                    r[static_cast<std::size_t>(b)],
                                    k(a, a),
                                    k(a, b),
                                    k(b, a),
                                    k(b, b));
        x[static_cast<std::size_t>(a)] = xa;
        x[static_cast<std::size_t>(b)] = xb;
        return solved != 0 ? 0 : kSingular;
    }
    if (!holds)
        return solveAll();
    x[static_cast<std::size_t>(j)] =
        r[static_cast<std::size_t>(j)] / K[static_cast<std::size_t>(j * 4)];
    return kSingular;
}
