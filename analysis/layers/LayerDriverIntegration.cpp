// Section integration of a solved layer state: the resultants N, M, V of the concrete layers
// and the bars of direction 0, the same sums split into their compressive and tensile parts,
// and the shear the layers carry with the longitudinal tension it causes.
//
// Over a layer of thickness h with nodes T (top, depth zt), Mid (zm) and B (zb), the width
// linear from bt at the top to bb at the bottom and bm = (bt + bb) / 2, Simpson's rule gives
//   N += (sT bt + 4 sM bm + sB bb) h / 6
//   M += (sT zt bt + 4 sM zm bm + sB zb bb) h / 6 + (h^2 / 60) (bb - bt) (sT - 2 sM + sB)
//   V += (vT bt + 4 vM bm + vB bb) h / 6
// with s the longitudinal concrete stress and v the concrete shear stress. The last term of M
// makes the integral of the parabolic stress times the linear width times z exact: the
// integrand's quartic part (2 (sT - 2 sM + sB) / h^2) ((bt - bb) / h) u^4, u measured up from
// mid-depth, integrates to h^5 / 80 where Simpson's rule gives h^5 / 48. A bar of area A at
// depth z inclined at alpha = atan(drape) adds F cos(alpha), F z cos(alpha) and F sin(alpha)
// with F = A f, and takes out the concrete it displaces, s(z) A cos(alpha).

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "analysis/layers/LayerDriver.h"
#include "analysis/layers/LayerStateAccess.h"
#include "analysis/state/SectionState.h"
#include "model/TBeam.h"

namespace {

struct LayerSums {
    double force = 0.0;
    double moment = 0.0;
    double shear = 0.0;
};

// The top, middle and bottom node of a layer; false when it names a node outside the state.
bool LayerNodes(const SectionState& state, const LayerDefRec& layer, const LayerNodeStateRec* (&nodes)[3])
{
    nodes[0] = state.NodeState(static_cast<int>(layer.NodeTop));
    nodes[1] = state.NodeState(static_cast<int>(layer.NodeMid));
    nodes[2] = state.NodeState(static_cast<int>(layer.NodeBottom));
    return nodes[0] != nullptr && nodes[1] != nullptr && nodes[2] != nullptr;
}

// Force, moment about depth 0 and shear of one layer; bm is the width used at mid-depth. A
// layer naming a node outside the state contributes nothing.
LayerSums
IntegrateLayer(const SectionState& state, const LayerDefRec& layer, double bt, double bm, double bb)
{
    LayerSums sums;
    const LayerNodeStateRec* nodes[3];
    if (!LayerNodes(state, layer, nodes))
        return sums;
    const LayerNodeStateRec& T = *nodes[0];
    const LayerNodeStateRec& Mid = *nodes[1];
    const LayerNodeStateRec& B = *nodes[2];
    const double h = layer.Thickness;
    const double sT = T.ConcStressX;
    const double sM = Mid.ConcStressX;
    const double sB = B.ConcStressX;
    sums.force = (sT * bt + 4.0 * sM * bm + sB * bb) * h / 6.0;
    sums.moment =
        (sT * layer.Top * bt + 4.0 * sM * layer.Mid * bm + sB * layer.Bottom * bb) * h / 6.0 +
        h * h / 60.0 * (bb - bt) * (sT - 2.0 * sM + sB);
    sums.shear =
        (T.ConcShearStress * bt + 4.0 * Mid.ConcShearStress * bm + B.ConcShearStress * bb) * h /
        6.0;
    return sums;
}

// Longitudinal concrete stress of the state at depth z (0 outside its layers).
double ConcreteStressAt(const SectionState& state, double z)
{
    if (state.UsableLayerCount() <= 0)
        return 0.0;
    return InterpolateLayerValue(&state, LayerQuantity::ConcStressX, z);
}

// cot(theta), with tan(theta) kept away from 0 as the element solver keeps it.
double Cotangent(double angle)
{
    const double t = std::tan(angle);
    if (std::fabs(t) < 1e-6)
        return t < 0.0 ? -1e6 : 1e6;
    return 1.0 / t;
}

// Below this shear (N) the layers are taken to carry none.
constexpr double kNoShear = 1e-6;

// Depth of the line of action of a force; 0 for a force of exactly 0.
double ActionDepth(double moment, double force)
{
    return force != 0.0 ? moment / force : 0.0;
}

} // namespace

void TLayerDriver::IntegrateSectionForces(
    SectionState& state, double& N, double& M, double& V, double& tendonShear) const
{
    double Nc = 0.0;
    double Mc = 0.0;
    double Vc = 0.0;
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        const double bt = m_beam.GetWidthAtSide(layer.Top, 1);
        const double bb = m_beam.GetWidthAtSide(layer.Bottom, 0);
        const LayerSums sums = IntegrateLayer(state, layer, bt, (bt + bb) / 2.0, bb);
        Nc += sums.force;
        Mc += sums.moment;
        Vc += sums.shear;
    }

    double Ns = 0.0;
    double Ms = 0.0;
    double Vt = 0.0;
    const std::vector<double>& stress = state.LongBarValues[BarArray::List0Stress];
    for (std::size_t j = 0; j < m_bars.size(); ++j) {
        const BarGeometry& bar = m_bars[j];
        const double f = j < stress.size() ? stress[j] : kUndefined;
        if (f < kRupturedStress) {
            const double F = bar.A * f;
            Ns += F * bar.cosine;
            Ms += F * bar.z * bar.cosine;
            Vt += F * bar.sine;
        }
        // Failed or not, the bar's hole holds no concrete.
        const double sc = ConcreteStressAt(state, bar.z);
        Nc -= sc * bar.A * bar.cosine;
        Mc -= sc * bar.A * bar.z * bar.cosine;
    }

    N = Ns + Nc;
    M = Ms + Mc;
    V = Vt + Vc;
    tendonShear = Vt;
    state.Results[StateResult::ConcreteForce] = Nc;
    state.Results[StateResult::ConcreteDepth] = ActionDepth(Mc, Nc);
    state.Results[StateResult::SteelForce] = Ns;
    state.Results[StateResult::SteelDepth] = ActionDepth(Ms, Ns);
}

void TLayerDriver::ComputeSignedResultants(SectionState& state) const
{
    LayerSums compression;
    LayerSums tension;
    auto add = [&](double force, double moment, double shear) {
        LayerSums& sums = force >= 0.0 ? tension : compression;
        sums.force += force;
        sums.moment += moment;
        sums.shear += shear;
    };

    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        const double bt = m_beam.GetWidthAtSide(layer.Top, 1);
        const double bm = m_beam.GetWidthAtSide(layer.Mid, 0);
        const double bb = m_beam.GetWidthAtSide(layer.Bottom, 0);
        const LayerSums sums = IntegrateLayer(state, layer, bt, bm, bb);
        add(sums.force, sums.moment, sums.shear);
    }

    const std::vector<double>& stress = state.LongBarValues[BarArray::List0Stress];
    for (std::size_t j = 0; j < m_bars.size(); ++j) {
        const BarGeometry& bar = m_bars[j];
        const double f = j < stress.size() ? stress[j] : kUndefined;
        if (f < kRupturedStress) {
            const double F = bar.A * f;
            add(F * bar.cosine, F * bar.z * bar.cosine, F * bar.sine);
        }
        const double displaced = ConcreteStressAt(state, bar.z) * bar.A;
        LayerSums& sums = displaced >= 0.0 ? tension : compression;
        sums.force -= displaced;
        sums.moment -= displaced * bar.z;
    }

    state.Results[StateResult::CompressiveForce] = compression.force;
    state.Results[StateResult::CompressiveDepth] =
        ActionDepth(compression.moment, compression.force);
    state.Results[StateResult::TensileForce] = tension.force;
    state.Results[StateResult::TensileDepth] = ActionDepth(tension.moment, tension.force);
    state.Results[StateResult::CompressiveShear] = compression.shear;
    state.Results[StateResult::TensileShear] = tension.shear;
}

void TLayerDriver::ComputeShearBlock(SectionState& state) const
{
    // The web: between the lines of action of the compressive and the tensile resultant, when
    // the state has both (the whole depth otherwise).
    const double C = state.Results[StateResult::CompressiveForce];
    const double T = state.Results[StateResult::TensileForce];
    const double zC = state.Results[StateResult::CompressiveDepth];
    const double zT = state.Results[StateResult::TensileDepth];
    const bool chords = C != 0.0 && T != 0.0 && zC != zT;
    const double webTop = chords ? std::max(zC, zT) : 0.0;
    const double webBottom = chords ? std::min(zC, zT) : 0.0;

    double carried = 0.0;    // sum of v b dz
    double webShear = 0.0;   // the same over the web
    double webTension = 0.0; // sum of v b dz cot(theta) over the web
    double tension = 0.0;    // the same over the whole depth
    double area = 0.0;       // concrete area of the layers that carry shear
    double top = 0.0;
    double bottom = 0.0;
    bool any = false;
    const int n = state.UsableLayerCount();
    for (int i = 0; i < n; ++i) {
        const LayerDefRec& layer = state.LayerDefs[static_cast<std::size_t>(i)];
        const LayerNodeStateRec* nodes[3];
        if (!LayerNodes(state, layer, nodes))
            continue;
        if (nodes[0]->ConcShearStress == 0.0 && nodes[1]->ConcShearStress == 0.0 &&
            nodes[2]->ConcShearStress == 0.0)
            continue;
        // The widths and Simpson's rule of IntegrateSectionForces, so that the block carries
        // the concrete's share of V.
        const double bt = m_beam.GetWidthAtSide(layer.Top, 1);
        const double bb = m_beam.GetWidthAtSide(layer.Bottom, 0);
        const double bm = (bt + bb) / 2.0;
        const double h = layer.Thickness;
        const double weights[3] = {bt * h / 6.0, 4.0 * bm * h / 6.0, bb * h / 6.0};
        const double depths[3] = {layer.Top, layer.Mid, layer.Bottom};
        for (int j = 0; j < 3; ++j) {
            const double vbdz = nodes[j]->ConcShearStress * weights[j];
            const double nv = vbdz * Cotangent(nodes[j]->CrackAngle);
            carried += vbdz;
            tension += nv;
            if (chords && depths[j] < webTop && depths[j] > webBottom) {
                webShear += vbdz;
                webTension += nv;
            }
        }
        area += bm * h;
        top = any ? std::max(top, layer.Top) : layer.Top;
        bottom = any ? std::min(bottom, layer.Bottom) : layer.Bottom;
        any = true;
    }
    state.ShearBlock = {};
    state.NvRatio = 0.0;
    if (!any || !(std::fabs(carried) > kNoShear) || !(area > 0.0) || !(top > bottom))
        return;
    const double depth = top - bottom;
    state.ShearBlock = {carried / area, area / depth, depth, 1.0};
    // Per unit of shear whichever way it acts: a reversed shear mirrors the crack angles, so
    // v cot(theta) keeps its sign. Over the whole depth the sum would take in the flexural
    // compression, whose principal direction lies almost along the member.
    state.NvRatio = std::fabs(webShear) > kNoShear ? webTension / std::fabs(webShear)
                                                   : tension / std::fabs(carried);
}

void TLayerDriver::ZeroSignedResultants(SectionState& state)
{
    state.ShearBlock = {};
    state.NvRatio = 0.0;
    for (int entry : {StateResult::CompressiveForce,
                      StateResult::CompressiveDepth,
                      StateResult::TensileForce,
                      StateResult::TensileDepth,
                      StateResult::CompressiveShear,
                      StateResult::TensileShear})
        state.Results[static_cast<std::size_t>(entry)] = 0.0;
}
