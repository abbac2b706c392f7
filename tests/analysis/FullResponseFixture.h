// The fixture of the full sectional response tests: the 300 x 600 mm beam and the shear beam of
// the point sections, the stages of a response in slot order, and a response whose stage slots
// the tests fill and step by hand.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/AnalysisBaseFakes.h"
#include "analysis/PointSections.h"
#include "analysis/T1DAnalysis.h"
#include "analysis/layers/LayerDriver.h"
#include "support/TestSupport.h"

namespace full_response {
using PS = PointSections;

inline constexpr int kMaxSteps = 5000;

inline double MomentOf(const SectionState& s)
{
    return std::fabs(s.Results[StateResult::Moment]);
}

// Valid stages in slot order.
inline std::vector<const SectionState*> ValidStages(const T1DAnalysis& a)
{
    std::vector<const SectionState*> out;
    for (int i = 0; i < T1DAnalysis::kStageSlots; ++i) {
        const SectionState* s = a.StageSlot(i);
        if (s != nullptr && s->Valid != 0)
            out.push_back(s);
    }
    return out;
}

// The beam with stirrups under moment and shear at a fixed shear span of 1.5 m.
inline std::unique_ptr<TBeam> ShearBeam()
{
    auto beam = PS::Beam(false, true);
    PS::SetLoads(*beam, 0, 0, 0, 0, -1500.0, 1000.0);
    return beam;
}

struct FullSectionalResponse : ::testing::Test {
    RecordingReporter reporter;
    std::unique_ptr<TBeam> beam = PS::MomentBeam();
};
using ShearStressDistribution = FullSectionalResponse;

// The response with access to its stage slots, for building stage tables by hand.
class OpenResponse : public TFullSectionalResponse {
public:
    using TFullSectionalResponse::TFullSectionalResponse;
    // Fills slots first .. last with valid copies of stage 'from' at the given load factor.
    void FillWithCopies(int from, int first, int last, double loadFactor)
    {
        for (int i = first; i <= last; ++i) {
            if (!Stages[static_cast<std::size_t>(i)])
                ++StageCount;
            CopySectionState(Stages[static_cast<std::size_t>(from)],
                             Stages[static_cast<std::size_t>(i)]);
            Stages[static_cast<std::size_t>(i)]->Valid = 1;
            Stages[static_cast<std::size_t>(i)]->Results[StateResult::LoadFactor] = loadFactor;
        }
    }
    SectionState* Slot(int i) { return Stages[static_cast<std::size_t>(i)].get(); }
    const SectionStateHolder& Holder(int i) const { return Stages[static_cast<std::size_t>(i)]; }
    void SetPeak(int i) { PeakStage = i; }
    void SetMaxLoadFactor(double lf) { MaxLoadFactor = lf; }
    void SetStep(double target, double step, double factor)
    {
        ControlTarget = target, ControlStep = step, StepFactor = factor;
    }
    void SetLoads(std::array<double, 3> constant, std::array<double, 3> increment)
    {
        for (std::size_t c = 0; c < 3; ++c)
            ConstantLoads[c] = constant[c], IncrementLoads[c] = increment[c];
    }
    double Target() const { return ControlTarget; }
    double Controlled(int i) const { return ControlledOf(i); }
    // Steps until the given stage is accepted (or the response stops, or 500 steps pass) and
    // answers its slot.
    SectionState* StepTo(int stage)
    {
        for (int k = 0; k < 500 && CurrentStage <= stage && IsRunning() != 0; ++k)
            Step();
        return Slot(stage);
    }
    // Makes stage at - 1 repeat the controlled deformation of the stage before it, then
    // predicts stage at (starting from stage at - 1) for a target one control step further.
    void PredictAfterStandstill(int at)
    {
        const auto cv = static_cast<std::size_t>(ControlVariable);
        SectionState& p1 = *Stages[static_cast<std::size_t>(at - 1)];
        p1.Results[cv] = Stages[static_cast<std::size_t>(at - 2)]->Results[cv];
        std::copy_n(p1.Results.begin(), 3, Stages[static_cast<std::size_t>(at)]->Results.begin());
        CurrentStage = at;
        ControlTarget = p1.Results[cv] - ControlStep;
        PredictNextStage();
    }
    // Gives stages at - 2 and at - 1 the deformations (e0, phi, gamma) and load factors, then
    // predicts stage at for a curvature target.
    void PredictByHand(int at, std::array<double, 4> p2, std::array<double, 4> p1, double target)
    {
        SectionState& a2 = *Stages[static_cast<std::size_t>(at - 2)];
        SectionState& a1 = *Stages[static_cast<std::size_t>(at - 1)];
        for (std::size_t k = 0; k < 3; ++k)
            a2.Results[k] = p2[k], a1.Results[k] = p1[k];
        a2.Results[StateResult::LoadFactor] = p2[3];
        a1.Results[StateResult::LoadFactor] = p1[3];
        std::copy_n(a1.Results.begin(), 3, Stages[static_cast<std::size_t>(at)]->Results.begin());
        CurrentStage = at;
        ControlTarget = target;
        PredictNextStage();
    }
    // While set, every solve ends on a profile far beyond every material and reports success,
    // as a runaway solve can (such a profile carries no force).
    bool runAway = false;
    int SolveStage(SectionState& state) override
    {
        const int r = TFullSectionalResponse::SolveStage(state);
        if (runAway) {
            state.Results[StateResult::ReferenceStrain] = -1.6e186;
            SolveLayerStates(state, LayerSolveMode::FinalBeam);
        }
        return r;
    }
};

} // namespace full_response
