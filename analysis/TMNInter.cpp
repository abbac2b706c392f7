// The moment-axial interaction diagram: four anchor states solved from face strains, then
// RayCount radial load paths from the centre between the moment anchors, stepped together.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/StepTogether.h"
#include "analysis/TInteractionDiagrams.h"
#include "analysis/TPointAnalysis.h"
#include "foundation/Units.h"
#include "model/TBeam.h"

namespace {

// Yield stresses above this count as this (a linear steel without yield).
constexpr double kMaxYieldStress = 1e9;
// Shortest direction vector of a ray, in display units.
constexpr double kMinRayLength = 0.001;

// Strains of the section's materials that shape the anchors.
struct AnchorStrains {
    double ecr = 1.0;   // smallest cracking strain of the used concrete types
    double ft = 0.0;    // tensile strength of the type that gave ecr
    double e0 = -1.0;   // largest (least negative) strain at peak stress
    double fc = 0.0;    // f'c of the type that gave e0
    double eyTop = 0.0; // largest yield strain of the bars above mid-depth
    double eyBottom = 0.0;
};

AnchorStrains AnchorStrainsOf(const TBeam& beam)
{
    AnchorStrains a;
    bool anyPeak = false;
    for (int t = 0; t < beam.GetConcreteTypeCount(); ++t) {
        const ConcreteTypeRec* c = beam.GetConcreteType(t);
        if (c == nullptr || beam.IsConcreteTypeUsed(t) == 0)
            continue;
        if (c->ecr < 1.0 && c->ecr < a.ecr) {
            a.ecr = c->ecr;
            a.ft = std::max(c->ft, 0.0);
        }
        if (!anyPeak || c->ec > a.e0) {
            a.e0 = c->ec;
            a.fc = c->fc;
            anyPeak = true;
        }
    }
    if (a.ecr >= 1.0)
        a.ecr = 0.0;
    const double mid = (beam.GetTop() + beam.GetBottom()) / 2.0;
    bool top = false, bottom = false;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        const LongLayerRec* bar = beam.GetLongLayer(i, 0);
        const SteelTypeRec* steel = bar != nullptr ? beam.GetSteelType(bar->type) : nullptr;
        if (steel == nullptr || steel->Es <= 0.0)
            continue;
        const double ey = std::min(steel->fy, kMaxYieldStress) / steel->Es;
        double& side = bar->z > mid ? a.eyTop : a.eyBottom;
        bool& seen = bar->z > mid ? top : bottom;
        side = seen ? std::max(side, ey) : ey;
        seen = true;
    }
    if (!top)
        a.eyTop = a.ecr;
    if (!bottom)
        a.eyBottom = a.ecr;
    return a;
}

} // namespace

TMNInter::TMNInter(const TBeam* structure) : T2DAnalysis(structure)
{
    CurveKinds = {0, 6, 5, 0};
    if (GetBeam() == nullptr || IsSetupRefused()) {
        ReportNoSection();
        Running = 0;
        return;
    }
    SolveAnchors();
    StartRay(0);
    ShownState = SubAnalyses[0] ? SubAnalyses[0]->GetCurrentState() : nullptr;
}

const std::array<double, 2>& TMNInter::GetAnchor(int which) const
{
    return Anchors[static_cast<std::size_t>(std::clamp(which, 0, 3))];
}

void TMNInter::SolveAnchors()
{
    const TBeam& beam = *GetBeam();
    const double top = beam.GetTop(), bottom = beam.GetBottom();
    const double eiTop = beam.GetInitialStrainAt(top, 0);
    const double eiBottom = beam.GetInitialStrainAt(bottom, 0);
    const AnchorStrains a = AnchorStrainsOf(beam);
    const double area = beam.GetGrossArea();

    // (M, N) of the plane section through the two face strains.
    auto solve = [&](double eTop, double eBottom) {
        const T2StrainAnalysis state(&beam, eiTop + eTop, top, eiBottom + eBottom, bottom);
        std::array<double, 6> v{};
        state.GetStateResults(state.GetPeakState(), v, 2);
        return std::array<double, 2>{v[4], v[3]};
    };

    std::array<double, 2> tension = solve(a.eyTop, a.eyBottom);
    tension[1] = std::max(tension[1], a.ft * area);
    std::array<double, 2> compression = solve(a.e0, a.e0);
    compression[1] = std::min(compression[1], a.fc * area);
    double prestress = 0.0;
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        const LongLayerRec* bar = beam.GetLongLayer(i, 0);
        const SteelTypeRec* steel = bar != nullptr ? beam.GetSteelType(bar->type) : nullptr;
        if (steel != nullptr)
            prestress += bar->dep * bar->A * steel->Es;
    }
    compression[1] += 0.5 * prestress;

    // Moment anchors: compression on face A, the other face in tension or just cracked.
    auto momentAnchor = [&](bool topInCompression) {
        const double ey = topInCompression ? a.eyBottom : a.eyTop;
        const std::array<std::array<double, 2>, 4> trials = {{{1.5 * a.e0, ey},
                                                              {1.5 * a.e0, a.ecr},
                                                              {a.e0, a.ecr},
                                                              {a.e0, ey}}};
        std::array<double, 2> best{0.0, 0.0};
        for (const std::array<double, 2>& t : trials) {
            const std::array<double, 2> r =
                topInCompression ? solve(t[0], t[1]) : solve(t[1], t[0]);
            if (std::fabs(r[0]) > std::fabs(best[0]))
                best = r;
        }
        return best;
    };
    std::array<double, 2> negative = momentAnchor(true);
    std::array<double, 2> positive = momentAnchor(false);
    negative[0] = -std::fabs(negative[0]);
    positive[0] = std::fabs(positive[0]);
    Anchors = {tension, compression, negative, positive};
}

void TMNInter::RayCentre(double& Nc, double& Mc) const
{
    Nc = (Anchors[NegativeMoment][1] + Anchors[PositiveMoment][1]) / 2.0;
    Mc = (Anchors[NegativeMoment][0] + Anchors[PositiveMoment][0]) / 4.0;
}

void TMNInter::RayDirection(int i, double& dN, double& dM) const
{
    const int n = RayCount;
    double Nc = 0.0, Mc = 0.0;
    RayCentre(Nc, Mc);
    const double Nt = Anchors[TensionEnd][1], Ncomp = Anchors[CompressionEnd][1];
    const double Nneg = Anchors[NegativeMoment][1], Mneg = Anchors[NegativeMoment][0];
    const double Npos = Anchors[PositiveMoment][1], Mpos = Anchors[PositiveMoment][0];
    const double t = 2.0 * std::numbers::pi * i / n;
    const double u = std::numbers::pi - t;
    // Quarter bounds in whole rays: 4 i <= n is i <= n/4 without rounding.
    double N = 0.0, M = 0.0;
    if (i >= 0 && 4 * i <= n) {
        N = std::fabs(Nt - Nneg) * std::sin(t) + Nneg - Nc;
        M = Mneg * std::cos(t);
    } else if (i > 0 && 2 * i <= n) {
        N = std::fabs(Nt - Npos) * std::sin(u) + Npos - Nc;
        M = Mpos * std::cos(u);
    } else if (i > 0 && 4 * i <= 3 * n) {
        N = std::fabs(Npos - Ncomp) * std::sin(u) + Npos - Nc;
        M = Mpos * std::cos(u);
    } else if (i > 0 && i <= n) {
        N = std::fabs(Nneg - Ncomp) * std::sin(t) + Nneg - Nc;
        M = Mneg * std::cos(t);
    } else {
        double own[3] = {};
        GetBeam()->GetIncrementLoads(own, 3);
        N = own[kAxial];
        M = own[kMoment];
    }
    const double fm = UnitFactor(ukMoment), fn = UnitFactor(ukForce);
    const double L = std::max(std::sqrt(M * fm * M * fm + N * fn * N * fn), kMinRayLength);
    dN = N / L;
    dM = M / L;
}

void TMNInter::StartRay(int i)
{
    double Nc = 0.0, Mc = 0.0, dN = 0.0, dM = 0.0;
    RayCentre(Nc, Mc);
    RayDirection(i, dN, dM);
    double own[3] = {};
    GetBeam()->GetConstantLoads(own, 3);
    const double constant[3] = {Nc, Mc, own[kShear]};
    const double increment[3] = {dN, dM, 0.0};
    SetPathLoads(constant, increment);
    SubAnalyses[static_cast<std::size_t>(CurrentPoint)] = NewResponse();
    SubCount = std::max(SubCount, CurrentPoint + 1);
    Running = 1;
}

void TMNInter::FinishRay(int i)
{
    T1DAnalysis& ray = *SubAnalyses[static_cast<std::size_t>(i)];
    StorePoint(i, RayCount + 1);
    ray.PrunePostPeakStages(0);
    ShownState = ray.GetPeakState() != nullptr ? ray.GetPeakState() : ray.StageSlot(0);
    ++RayIndex;
}

// The rays are independent: the first step starts them all, and every step steps the running
// rays together on the worker threads (analysis/StepTogether.h). A ray's point is stored when
// it finishes (in ray order within a step); the outline closes when the last one has.
int TMNInter::Step()
{
    if (Running == 0 || !SubAnalyses[0]) {
        Running = 0;
        return 1;
    }
    const int rays = std::min(RayCount, kMaxSubAnalyses);
    if (SubCount < rays) {
        for (int i = SubCount; i < rays; ++i) {
            CurrentPoint = i;
            StartRay(i);
        }
        // A ray whose initial state could not be solved is finished already: it gives stage 0.
        for (int i = 0; i < rays; ++i)
            if (SubAnalyses[static_cast<std::size_t>(i)]->IsRunning() == 0)
                FinishRay(i);
    }
    for (int i : StepTogether(SubPointers()))
        if (SubAnalyses[static_cast<std::size_t>(i)]->IsRunning() == 0)
            FinishRay(i);
    if (RayIndex >= rays) {
        StorePoint(RayCount + 1, RayCount + 1);
        Finish();
    }
    return 1;
}

int TMNInter::GetDiagramState(int index, const SectionState*& state, int& flag) const
{
    state = nullptr;
    flag = 0;
    if (SubCount == 0)
        return 0;
    auto lastShown = [](const T1DAnalysis* sub) {
        return sub != nullptr ? sub->GetStage(sub->GetLastStageIndex() - 1) : nullptr;
    };
    if (index >= 0 && index < SubCount) {
        state = lastShown(GetSubAnalysis(index));
        flag = IsFinished(index) ? 1 : 0;
        return 1;
    }
    if (index == RayCount) {
        state = lastShown(GetSubAnalysis(0));
        flag = 1;
        return 1;
    }
    return 0;
}
