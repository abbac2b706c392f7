// Solving one state of the section: at given loads (the curvature iteration, repeated while
// the shear-stress distribution changes), or on the load path by adjusting one parameter of
// the plane-section profile (the shear-convergence loop, with its bisection fallback).
//
// Sign convention: strains and stresses positive in tension; e'c is negative.

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "analysis/TQuarvish2000Analysis.h"
#include "analysis/layers/LayerDriver.h"
#include "foundation/Diagnostics.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "model/TBeam.h"

namespace {

// Curvature iterations of one solve at given loads, and the one after which it relaxes.
constexpr int kMaxShearPasses = 24;
constexpr int kRelaxShearAfter = 12;
// The shear-stress distribution has settled when its shape changes by less than this.
constexpr double kShearShapeTolerance = 0.01;
// Passes of the shear-convergence loop, and the one after which it relaxes and takes its
// slope from the tangent stiffness.
constexpr int kMaxLoopPasses = 20;
constexpr int kStiffnessSlopeAfter = 15;
// Pass records of the debug report.
constexpr int kMaxLoopRecords = 20;
// Profiles beyond this (strain, 1/m) have run away.
constexpr double kRunaway = 1.0;
// Bracket moves and bisection steps of the fallback.
constexpr int kMaxBracketMoves = 12;
constexpr int kMaxBisections = 30;
constexpr int kMinBisectCounter = -6;

constexpr int kTraceStep = 24;

// The imposed strains applied in steps: the first fraction, the smallest a failed step may be
// halved to, and the most curvature iterations the road takes.
constexpr double kFirstStrainFraction = 0.25;
constexpr double kLeastStrainFraction = 1.0 / 64.0;
constexpr int kMaxStrainSteps = 24;
// The loads, the bars' prestrains and the imposed strains applied in steps: the first (and
// largest) fraction, the smallest a failed step may be halved to (a step that succeeds is
// doubled again), and the most curvature iterations the road takes.
constexpr double kFirstLoadFraction = 0.25;
constexpr double kLeastLoadFraction = 1.0 / 64.0;
constexpr int kMaxLoadSteps = 48;

// Every strain a section imposes on itself, held so that a fraction of them can be imposed on
// the section and the whole given back exactly as it was.
class ImposedStrains {
public:
    explicit ImposedStrains(TBeam& beam)
    {
        for (TDepthTable* t : {&beam.GetPositionVariable(kShrinkTherm),
                               &beam.GetPositionVariable(kCreepX),
                               &beam.GetStrainDiscontinuityTable()})
            for (int i = 0; i < t->GetCount(); ++i)
                m_rows.push_back({t, i, t->GetValue(i)});
        for (int i = 0; i < beam.GetLongLayerCount(0); ++i)
            if (LongLayerRec* layer = beam.GetLongLayer(i, 0)) {
                m_values.push_back({&layer->thermStrain, layer->thermStrain});
                m_values.push_back({&layer->timeStrain, layer->timeStrain});
            }
        for (int i = 0; i < beam.GetTransLayerCount(2); ++i)
            if (TransLayerRec* layer = beam.GetTransLayer(i, 2))
                m_values.push_back({&layer->thermStrain, layer->thermStrain});
    }
    ImposedStrains(const ImposedStrains&) = delete;
    ImposedStrains& operator=(const ImposedStrains&) = delete;
    ~ImposedStrains() { Impose(1.0); }

    bool Any() const
    {
        const auto rowImposes = [](const Row& r) { return r.whole != 0.0; };
        const auto valueImposes = [](const Value& v) { return v.whole != 0.0; };
        return std::any_of(m_rows.begin(), m_rows.end(), rowImposes) ||
               std::any_of(m_values.begin(), m_values.end(), valueImposes);
    }
    // The fraction of every strain; 1 gives back the values held.
    void Impose(double fraction)
    {
        for (const Row& r : m_rows)
            r.table->SetValue(r.index, fraction < 1.0 ? r.whole * fraction : r.whole);
        for (const Value& v : m_values)
            *v.at = fraction < 1.0 ? v.whole * fraction : v.whole;
    }

private:
    struct Row {
        TDepthTable* table;
        int index;
        double whole;
    };
    struct Value {
        double* at;
        double whole;
    };
    std::vector<Row> m_rows;
    std::vector<Value> m_values;
};

int TraceY(double residual)
{
    return static_cast<int>(500.0 - 50.0 * std::log10(std::fabs(residual) + 1.0));
}

double Sign(double x)
{
    return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

} // namespace

// ---- Solve at given loads -----------------------------------------------------------------

int TQuarvish2000Analysis::SolveAtLoads(SectionState& state, double lambda)
{
    state.Valid = 0;
    if (GetBeam() == nullptr || SetupRefused)
        return 0;
    Relaxation = 1.0;
    state.Results[StateResult::LoadFactor] = lambda;
    EstimateInitialStrains(state, ConstantLoads[kAxial]);
    int r = 0;
    double err = 0.0;
    for (int i = 0; i < kMaxShearPasses; ++i) {
        // The passes here keep the damped update.
        ForgetShapeUpdates();
        r = Solve_Beam(state, 1, kNoControl);
        if (i == 0 && r == 0) {
            // A second start from the estimate, with half steps.
            EstimateInitialStrains(state, ConstantLoads[kAxial]);
            Relaxation = 0.5;
            r = Solve_Beam(state, 1, kNoControl);
        }
        if (i == 0 && r == 0) {
            // Where the estimate leaves the concrete cracked throughout (restrained shrinkage
            // against a strain discontinuity), the tangent holds little but the bars and a
            // full step overshoots into crushing: start once more with steps cut to half the
            // peak strain.
            EstimateInitialStrains(state, ConstantLoads[kAxial]);
            Relaxation = 1.0;
            LimitProfileSteps = true;
            r = Solve_Beam(state, 1, kNoControl);
        }
        if (i == 0 && r == 0)
            r = SolveThroughImposedStrainSteps(state);
        if (i == 0 && r == 0)
            r = SolveThroughLoadSteps(state);
        const int ok = ComputeShearStressDistribution(state);
        int failureMode = 0;
        if (ok != 0)
            err = ShearDistributionErrorAfterUpdate(state, failureMode);
        if (r != 1 || err < kShearShapeTolerance * ShearToleranceFactor || ok == 0)
            break;
        if (i > kRelaxShearAfter)
            Relaxation = 0.5;
    }
    LimitProfileSteps = false;
    SetNodeShearShape(state);
    state.AvgShearStrain = kUndefined; // the profile has changed since any earlier value
    GetAverageShearStrain(&state, 1);
    state.Valid = r != 0 ? 1 : 0;
    return r;
}

int TQuarvish2000Analysis::SolveInFractions(SectionState& state,
                                            const FractionSteps& steps,
                                            const std::function<void(double)>& impose,
                                            const std::function<bool(double)>& start)
{
    std::array<double, StateResult::Count>& R = state.Results;
    int r = 0;
    // Each step of the stepped roads is cut to a strain that no concrete of the section
    // passes half its peak in, so the cut is the same whichever concrete the list names first
    // (a hot band named first has a peak strain several times a sound band's).
    const bool cutWas = CutToLeastPeakStrain;
    CutToLeastPeakStrain = true;
    // The profile of the last fraction solved.
    std::array<double, 3> solved{};
    double done = 0.0;
    double step = steps.first;
    for (int n = 0; n < steps.maxSolves && done < 1.0 && step >= steps.least; ++n) {
        const double fraction = std::min(1.0, done + step);
        impose(fraction);
        if (done == 0.0) {
            if (!start(fraction))
                break;
        } else {
            std::copy(solved.begin(), solved.end(), R.begin() + StateResult::ReferenceStrain);
        }
        Relaxation = 1.0;
        r = Solve_Beam(state, 1, kNoControl);
        if (r != 0) {
            done = fraction;
            std::copy(R.begin() + StateResult::ReferenceStrain,
                      R.begin() + StateResult::ReferenceStrain + 3,
                      solved.begin());
            if (steps.grow)
                step = std::min(2.0 * step, steps.first);
        } else {
            step *= 0.5;
        }
    }
    CutToLeastPeakStrain = cutWas;
    return done < 1.0 ? 0 : r;
}

int TQuarvish2000Analysis::SolveThroughImposedStrainSteps(SectionState& state)
{
    TBeam* beam = GetWritableBeam();
    if (beam == nullptr || !m_layerDriver)
        return 0;
    int r = 0;
    {
        ImposedStrains imposed(*beam);
        if (!imposed.Any())
            return 0;
        r = SolveInFractions(
            state,
            {kFirstStrainFraction, kLeastStrainFraction, kMaxStrainSteps, false},
            [&](double fraction) {
                imposed.Impose(fraction);
                m_layerDriver->Bind(); // the layer level keeps what it read of the strains
            },
            [&](double) {
                EstimateInitialStrains(state, ConstantLoads[kAxial]);
                return true;
            });
    }
    m_layerDriver->Bind();
    return r;
}

int TQuarvish2000Analysis::SolveThroughLoadSteps(SectionState& state)
{
    TBeam* beam = GetWritableBeam();
    if (beam == nullptr || !m_layerDriver)
        return 0;
    const double lambda = state.Results[StateResult::LoadFactor];
    const std::array<double, kLoadCount> constant = ConstantLoads;
    const std::array<double, kLoadCount> increment = IncrementLoads;
    std::vector<std::pair<double*, double>> prestrains;
    for (int i = 0; i < beam->GetLongLayerCount(0); ++i)
        if (LongLayerRec* layer = beam->GetLongLayer(i, 0); layer != nullptr && layer->dep != 0.0)
            prestrains.emplace_back(&layer->dep, layer->dep);
    const double N = constant[kAxial] + lambda * increment[kAxial];
    const double M = constant[kMoment] + lambda * increment[kMoment];
    const double V = constant[kShear] + lambda * increment[kShear];
    // Without loads or prestrains there is nothing to step but the imposed strains, which the
    // road before has stepped in.
    if (N == 0.0 && M == 0.0 && V == 0.0 && prestrains.empty())
        return 0;
    ImposedStrains imposed(*beam);
    // The loads, prestrains and imposed strains as a fraction of the whole; 1 gives back the
    // values held.
    const auto load = [&](double fraction) {
        imposed.Impose(fraction);
        for (std::size_t c = 0; c < kLoadCount; ++c) {
            ConstantLoads[c] = fraction < 1.0 ? constant[c] * fraction : constant[c];
            IncrementLoads[c] = fraction < 1.0 ? increment[c] * fraction : increment[c];
        }
        for (const auto& [at, whole] : prestrains)
            *at = fraction < 1.0 ? whole * fraction : whole;
        m_layerDriver->Bind(); // the layer level keeps what it read of the bars
    };
    const int r =
        SolveInFractions(state,
                         {kFirstLoadFraction, kLeastLoadFraction, kMaxLoadSteps, true},
                         load,
                         [&](double fraction) {
                             return EstimateStrainsOnSection(state, N * fraction, M * fraction);
                         });
    load(1.0);
    return r;
}

// ---- Shear-convergence loop ---------------------------------------------------------------

int TQuarvish2000Analysis::ShearConvergenceLoop(
    SectionState& state, int resetSlope, int skipFailureTest, int shearControls, int control)
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr || SetupRefused)
        return 0;
    std::array<double, StateResult::Count>& R = state.Results;
    const int adjusted = control == kMoment ? StateResult::ReferenceStrain : StateResult::Curvature;
    double& x = R[static_cast<std::size_t>(adjusted)];
    auto residual = [&] { return LoadPathResidual(state, control, 1, shearControls); };
    auto tolerance = [&] {
        const double t = (std::fabs(R[StateResult::AxialForce]) +
                          std::fabs(R[StateResult::Moment]) + std::fabs(R[StateResult::Shear])) *
                             0.001 +
                         1.0;
        return control == kAxial ? t / 10.0 : t;
    };
    const double peakStrain = ScalePeakStrain();

    // 1.-4. The residual, and the slope measured afresh when asked.
    const double p = control == kAxial ? 1e-6 : 1e-5;
    // Without shear a converged loop answers -2, as the curvature iteration does, so that
    // the stepping does not wait for a shear-stress distribution that never comes.
    int result = -2;
    double rp = 0.0;
    if (resetSlope == 1 || ConvergenceSlope == kUndefined) {
        ConvergenceSlope = kUndefined;
        x += p;
        SolveLayerStates(state, LayerSolveMode::Trial);
        x -= p;
        rp = residual();
    }
    SolveLayerStates(state, LayerSolveMode::Trial);
    double r = residual();
    double t = tolerance();
    if (ConvergenceSlope == kUndefined && rp - r != 0.0)
        ConvergenceSlope = (r - rp) / p;

    // 5. Secant steps on the remembered slope.
    struct Record {
        double force, x, residual, tolerance;
    };
    std::array<Record, kMaxLoopRecords> records{};
    int recorded = 0;
    const int debug = GetDebugLevel();
    double rho = 1.0;
    int n = 0;
    if (std::fabs(r) >= t) {
        bool done = false;
        while (!done) {
            double delta = r / (ConvergenceSlope + 1.0);
            if (std::fabs(delta) > std::fabs(peakStrain))
                delta = -0.5 * peakStrain * Sign(delta);
            x += rho * delta;
            SolveLayerStates(state, LayerSolveMode::Trial);
            if (skipFailureTest == 0 && ClassifyFailureMode(state) != FailureMode::None)
                return 0;
            const double rNext = residual();
            const double tNext = tolerance();
            if (debug == 3 && recorded < kMaxLoopRecords)
                records[static_cast<std::size_t>(recorded++)] =
                    {R[StateResult::AxialForce + std::clamp(control, 0, 2)], x, rNext, tNext};
            if (n > 1)
                DrawDebugLine(kTraceStep * n + kTraceStep,
                              TraceY(r),
                              kTraceStep * n + 2 * kTraceStep,
                              TraceY(rNext));
            ++n;
            if (delta != 0.0)
                ConvergenceSlope = (r - rNext) / delta;
            if (std::fabs(R[StateResult::ReferenceStrain]) > kRunaway ||
                std::fabs(R[StateResult::Curvature]) > kRunaway)
                n = kMaxLoopPasses;
            done = n >= kMaxLoopPasses || std::fabs(rNext) < tNext;
            if (n > kStiffnessSlopeAfter) {
                rho = 0.5;
                state.Extra = ComputeSectionStiffness(state);
                if (control == kAxial)
                    ConvergenceSlope = -state.Extra[4];
                else if (control == kMoment)
                    ConvergenceSlope = -state.Extra[0];
            }
            r = rNext;
            t = tNext;
        }
    }

    // 6. A loop that ran out: under moment control the bisection takes over from e0 = 0.
    if (n >= kMaxLoopPasses) {
        ConvergenceSlope = kUndefined;
        result = 0;
        if (control == kMoment) {
            R[StateResult::ReferenceStrain] = 0.0;
            result = BisectReferenceStrain(state, shearControls);
        }
    }
    FinishLayerStates(state);

    // 8. The passes taken, at debug level 3.
    if (debug == 3) {
        std::string text = StrPrintf("results of No shea rconvergence : %d controls\r\n", control);
        for (int i = 0; i < recorded; ++i) {
            const Record& rec = records[static_cast<std::size_t>(i)];
            text += StrPrintf("%f\t%f\t%f\t%f\r\n", rec.force, rec.x, rec.residual, rec.tolerance);
        }
        const int running = Running;
        Running = 0;
        ShowDataText(text);
        Running = running;
    }

    // 9. The load factor of the finishing pass.
    LoadPathResidual(state, control, 1, shearControls);
    if (HasShear() != 0)
        return result != 0 ? 1 : 0;
    return result;
}

int TQuarvish2000Analysis::BisectReferenceStrain(SectionState& state, int shearControls)
{
    const TBeam* beam = GetBeam();
    if (beam == nullptr || SetupRefused)
        return 0;
    std::array<double, StateResult::Count>& R = state.Results;
    const double ec = ScalePeakStrain();
    double& e0 = R[StateResult::ReferenceStrain];
    auto residual = [&] {
        const double r = LoadPathResidual(state, kMoment, 2, shearControls);
        return r;
    };
    // Converged when the residual is small against the required N (or, while that is small,
    // against M during the bracket search and N during the bisection).
    auto converged = [&](double r, bool bisecting) {
        const double required = R[StateResult::AppliedAxial];
        const double X = required > 1.0
                             ? required
                             : (bisecting ? R[StateResult::AxialForce] : R[StateResult::Moment]);
        return std::fabs(r) < std::fabs(0.001 * X + 1.0);
    };

    // 1.-3. Bracket: move both ends towards compression until N is no longer short.
    double hi = ec - beam->GetInitialStrainAt(0.0, 3);
    double lo = 0.0;
    double mid = 0.0;
    int counter = -1;
    e0 = hi;
    SolveLayerStates(state, LayerSolveMode::Trial);
    double r = residual();
    bool done = converged(r, false);
    while (!done && r < 0.0) {
        hi += ec;
        lo += ec;
        e0 = hi;
        SolveLayerStates(state, LayerSolveMode::Trial);
        r = residual();
        done = converged(r, false);
        --counter;
        if (counter < -kMaxBracketMoves)
            return 0;
    }

    // 4. Bisection between lo and hi.
    while (!done) {
        e0 = mid;
        SolveLayerStates(state, LayerSolveMode::Trial);
        const double rm = residual();
        const double q = r != 0.0 ? rm / r : -1.0;
        if (counter < 0) {
            if (q < 0.0) {
                counter = 1;
                mid = (lo + hi) / 2.0;
            } else {
                --counter;
                hi = lo;
                lo = lo - ec;
                mid = lo;
            }
        } else {
            if (q < 0.0)
                lo = e0;
            else
                hi = e0;
            ++counter;
            mid = (lo + hi) / 2.0;
        }
        done = converged(rm, true) || counter < -kMaxBracketMoves || counter > kMaxBisections;
    }
    return counter >= kMinBisectCounter && counter <= kMaxBisections ? 1 : 0;
}
