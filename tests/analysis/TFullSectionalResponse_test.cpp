// The full sectional response of the 300 x 600 mm beam and the 400 x 400 mm column, checked
// against the section worked by hand: the cracking moment of the gross section, the yield
// moment of the cracked elastic section and the ultimate moment of the rectangular stress
// block. Moments are negative when the top is in compression, so the beam with bottom bars is
// loaded with a negative moment increment and its load factors are positive.

#include <algorithm>
#include <array>
#include <cmath>

#include <gtest/gtest.h>

#include "analysis/AnalysisBaseFakes.h"
#include "analysis/FullResponseFixture.h"
#include "analysis/PointSections.h"
#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "analysis/TInteractionDiagrams.h"
#include "analysis/layers/LayerDriver.h"
#include "foundation/TypedNumber.h"
#include "support/TestSupport.h"

using namespace full_response;

// Moment only: the response runs to its own finish well inside the stage table; the load
// factors rise to the peak; cracking, yielding and the peak lie near the hand values. The
// finished response is then refined and unloaded.
TEST_F(FullSectionalResponse, MomentOnlyBeamFollowsTheHandMoments)
{
    // The hand moments of the section with d = 0.55 m: the gross section's cracking moment
    // f't b h^2 / 6, the cracked elastic section's yield moment and the stress block's.
    const ConcreteTypeRec& c = *beam->GetConcreteType(0);
    const SteelTypeRec& steel = *beam->GetSteelType(0);
    const double d = 0.55, As = PS::kBarArea, rn = As / (PS::kB * d) * steel.Es / c.Ec;
    const double crackingMoment = c.ft * PS::kB * PS::kH * PS::kH / 6.0;
    const double yieldMoment = As * steel.fy * (d - (std::sqrt(2.0 * rn + rn * rn) - rn) * d / 3.0);
    const double blockDepth = As * steel.fy / (0.85 * std::fabs(c.fc) * PS::kB);
    const double ultimateMoment = As * steel.fy * (d - blockDepth / 2.0);
    TFullSectionalResponse a(beam.get());
    ASSERT_EQ(a.IsRunning(), 1);
    const int steps = RunToFinish(a, kMaxSteps);
    EXPECT_EQ(a.IsRunning(), 0);
    EXPECT_LT(steps, kMaxSteps);
    const std::vector<const SectionState*> stages = ValidStages(a);
    ASSERT_GT(stages.size(), 10u);
    EXPECT_LT(a.GetStageCount(), 200);
    // Without shear a converged stage is taken at its first attempt.
    EXPECT_LT(a.GetStageCounts().attempts, a.GetStageCounts().accepted + 5);

    const SectionState* peak = a.GetPeakState();
    ASSERT_NE(peak, nullptr);
    const auto peakAt = std::find(stages.begin(), stages.end(), peak) - stages.begin();
    for (long i = 1; i <= peakAt; ++i)
        EXPECT_GE(stages[i]->Results[StateResult::LoadFactor],
                  0.9 * stages[i - 1]->Results[StateResult::LoadFactor])
            << "stage " << i;
    for (const SectionState* s : stages)
        EXPECT_NEAR(s->Results[StateResult::AxialForce], 0.0, 0.002 * MomentOf(*peak) + 2000.0);

    const auto cracked = std::find_if(stages.begin(), stages.end(), [&](const SectionState* s) {
        return a.IsCracked(s);
    });
    ASSERT_NE(cracked, stages.end());
    // The hand cracking moment lies between the last uncracked and the first cracked stage,
    // which tension stiffening carries somewhat above it.
    EXPECT_LT(MomentOf(**(cracked - 1)), crackingMoment);
    EXPECT_GT(MomentOf(**cracked), crackingMoment);
    EXPECT_LT(MomentOf(**cracked), 1.7 * crackingMoment);

    int yieldAt = -1;
    for (int i = 0; i < T1DAnalysis::kStageSlots && yieldAt < 0; ++i)
        if (a.StageSlot(i) != nullptr && a.StageSlot(i)->Valid != 0 && a.HasYieldingBar(i))
            yieldAt = i;
    ASSERT_GE(yieldAt, 0);
    EXPECT_NEAR(MomentOf(*a.StageSlot(yieldAt)), yieldMoment, 0.12 * yieldMoment);

    EXPECT_GT(MomentOf(*peak), 0.97 * ultimateMoment);
    EXPECT_LT(MomentOf(*peak), 1.25 * ultimateMoment);
    EXPECT_EQ(a.GetErrorCount(), 0);

    // "More Detail" between stages 2 and 6 solves one new stage in each of the four gaps: the
    // stages there double, each new one lies between its neighbours, and the rest stay.
    const std::size_t before = ValidStages(a).size();
    const double peakMoment = MomentOf(*peak);
    ASSERT_EQ(a.CanContinue(), 1);
    ASSERT_EQ(a.MoreDetail(2, 6), 1);
    EXPECT_EQ(a.IsRefining(), 1);
    RunToFinish(a, kMaxSteps);
    EXPECT_EQ(a.IsRunning(), 0);
    EXPECT_EQ(ValidStages(a).size(), before + 4);
    for (int i = 3; i <= 9; i += 2) {
        const SectionState* s = a.StageSlot(i);
        ASSERT_NE(s, nullptr) << i;
        const double phi = s->Results[StateResult::Curvature];
        const double lo = a.StageSlot(i - 1)->Results[StateResult::Curvature];
        const double hi = a.StageSlot(i + 1)->Results[StateResult::Curvature];
        EXPECT_GT(phi, std::min(lo, hi)) << i;
        EXPECT_LT(phi, std::max(lo, hi)) << i;
    }
    EXPECT_NEAR(MomentOf(*a.GetPeakState()), peakMoment, 1e-6 * peakMoment);

    // Unloading from a stage past yield brings the moment down; reloading from the unloaded
    // stage returns to the envelope at the curvature where the unloading began.
    int from = -1;
    for (int i = 1; i < a.GetPeakStage() && from < 0; ++i)
        if (a.HasYieldingBar(i) && a.HasYieldingBar(i - 1))
            from = i;
    ASSERT_GT(from, 0);
    const double Mfrom = MomentOf(*a.StageSlot(from));
    const double phiFrom = a.StageSlot(from)->Results[StateResult::Curvature];

    EXPECT_EQ(a.UnloadReload(from, 1), from + 1);
    EXPECT_EQ(a.IsRunning(), 1);
    RunToFinish(a, kMaxSteps);
    EXPECT_EQ(a.IsRunning(), 0);
    int last = from;
    for (int i = from + 1; i < T1DAnalysis::kStageSlots; ++i)
        if (a.StageSlot(i) != nullptr && a.StageSlot(i)->Valid != 0)
            last = i;
    ASSERT_GT(last, from);
    EXPECT_LT(MomentOf(*a.StageSlot(last)), 0.3 * Mfrom);
    // Unloading leaves a permanent curvature of the yielded section.
    EXPECT_LT(std::fabs(a.StageSlot(last)->Results[StateResult::Curvature]), std::fabs(phiFrom));

    EXPECT_EQ(a.UnloadReload(last, 0), last + 1);
    RunToFinish(a, kMaxSteps);
    const SectionState* back = nullptr;
    for (int i = last + 1; i < T1DAnalysis::kStageSlots && back == nullptr; ++i) {
        const SectionState* s = a.StageSlot(i);
        if (s != nullptr && s->Valid != 0 &&
            std::fabs(s->Results[StateResult::Curvature]) >= std::fabs(phiFrom))
            back = s;
    }
    ASSERT_NE(back, nullptr);
    EXPECT_NEAR(MomentOf(*back), Mfrom, 0.06 * Mfrom);
    double reloadPeak = 0.0;
    for (int i = last + 1; i < T1DAnalysis::kStageSlots; ++i)
        if (a.StageSlot(i) != nullptr && a.StageSlot(i)->Valid != 0)
            reloadPeak = std::max(reloadPeak, MomentOf(*a.StageSlot(i)));
    EXPECT_NEAR(reloadPeak, peakMoment, 0.05 * peakMoment);
}

// A moment increment at the largest moment a page takes, 1e9 N m, is far past what a section
// carries: its whole response lies at load factors below 0.001. It traces the same moments
// and curvatures as under the unit increment, at load factors a millionth as large, and ends
// as that one does; results read at a load factor come from the stages there, not from the
// unloaded section.
TEST_F(FullSectionalResponse, AnIncrementFarPastTheCapacityTracesTheResponseAtSmallLoadFactors)
{
    const ConcreteTypeRec& c = *beam->GetConcreteType(0);
    const SteelTypeRec& steel = *beam->GetSteelType(0);
    const double d = 0.55;
    const double blockDepth = PS::kBarArea * steel.fy / (0.85 * std::fabs(c.fc) * PS::kB);
    const double ultimateMoment = PS::kBarArea * steel.fy * (d - blockDepth / 2.0);

    TFullSectionalResponse unit(beam.get());
    const int unitSteps = RunToFinish(unit, kMaxSteps);
    ASSERT_EQ(unit.IsRunning(), 0);
    auto huge = PS::Beam();
    PS::SetLoads(*huge, 0, 0, 0, 0, -kMaxTypedMoment, 0);
    TFullSectionalResponse far(huge.get());
    const int steps = RunToFinish(far, kMaxSteps);
    EXPECT_EQ(far.IsRunning(), 0) << "still running after " << steps << " steps";
    EXPECT_LE(steps, 2 * unitSteps);

    const double scale = 1000.0 / kMaxTypedMoment;
    const double peak = far.GetMaxLoadFactor();
    EXPECT_GT(peak * kMaxTypedMoment, 0.97 * ultimateMoment);
    EXPECT_LT(peak * kMaxTypedMoment, 1.25 * ultimateMoment);
    EXPECT_NEAR(peak, unit.GetMaxLoadFactor() * scale, 1e-3 * peak);

    // Half way to the peak the beam has cracked: its curvature is the unit response's there.
    StageResults r, u;
    ASSERT_EQ(far.ResultAtValue(peak / 2.0, r, 0), 1);
    ASSERT_EQ(unit.ResultAtValue(unit.GetMaxLoadFactor() / 2.0, u, 0), 1);
    EXPECT_GT(std::fabs(u.curvature),
              10.0 * std::fabs(unit.StageSlot(0)->Results[StateResult::Curvature]));
    EXPECT_NEAR(r.curvature, u.curvature, 0.01 * std::fabs(u.curvature));

    // Plain concrete carries next to nothing once cracked: those stages are no zero-load stages
    // under either increment, and the response ends after the same stages.
    auto plain = [](double dM) {
        auto section = PS::Empty();
        section->AddRegion(PS::kH, 0.0, PS::kB, PS::kB, 0, 1);
        section->Validate();
        PS::SetLoads(*section, 0, 0, 0, 0, dM, 0);
        return section;
    };
    const auto plainUnit = plain(-1000.0), plainFar = plain(-kMaxTypedMoment);
    TFullSectionalResponse cracked(plainUnit.get()), crackedFar(plainFar.get());
    const int crackedSteps = RunToFinish(cracked, kMaxSteps);
    EXPECT_EQ(RunToFinish(crackedFar, kMaxSteps), crackedSteps);
    EXPECT_EQ(crackedFar.IsRunning(), 0);
    EXPECT_EQ(crackedFar.GetStageCount(), cracked.GetStageCount());
    EXPECT_NEAR(crackedFar.GetMaxLoadFactor(),
                cracked.GetMaxLoadFactor() * scale,
                1e-3 * crackedFar.GetMaxLoadFactor());
}


// The next stage starts from the last one moved along the last step in proportion to the
// controlled deformation. A last step that left the controlled deformation where it was
// gives the others nothing to follow: they stay (once they were sent some 1e190 away).
TEST_F(FullSectionalResponse, PredictionAfterAStandstillStaysAtTheLastStage)
{
    OpenResponse a(beam.get());
    a.StepTo(4);
    ASSERT_EQ(a.GetControlVariable(), 1);
    a.PredictAfterStandstill(4);
    const SectionState& last = *a.StageSlot(3);
    const SectionState& next = *a.StageSlot(4);
    EXPECT_EQ(next.Results[StateResult::ReferenceStrain],
              last.Results[StateResult::ReferenceStrain]);
    EXPECT_DOUBLE_EQ(next.Results[StateResult::Curvature],
                     last.Results[StateResult::Curvature] - a.GetControlStep());
}

// The next stage moves each deformation along the last step by the load-factor change that the
// controlled one's slope expects, divided by its own slope: every slope, the curvature's too,
// with its own sign, so that each deformation goes on in the direction it last moved. From
// (e0 0, phi 0, lf 0) to (e0 1e-4, phi -2e-3, lf 10) the slopes are 10 / 1e-4 = 1e5 and
// 10 / -2e-3 = -5000; a curvature target 1e-3 beyond the last stage expects
// -5000 x -1e-3 = +5, which moves e0 by 5 / 1e5 = +5e-5 (e0 rose by 1e-4 over a curvature step
// of 2e-3). The shear deformation did not move and stays. (Taking the curvature's slope with
// the opposite sign sends e0 back by as much, and left two stations of the benchmark member
// finishing short of their peak.)
TEST_F(FullSectionalResponse, PredictionFollowsEveryDeformationAlongTheLastStep)
{
    OpenResponse a(beam.get());
    a.StepTo(4);
    ASSERT_EQ(a.GetControlVariable(), 1);
    a.PredictByHand(4, {0.0, 0.0, 2e-4, 0.0}, {1e-4, -2e-3, 2e-4, 10.0}, -3e-3);
    const SectionState& next = *a.StageSlot(4);
    EXPECT_NEAR(next.Results[StateResult::ReferenceStrain], 1.5e-4, 1e-15);
    EXPECT_EQ(next.Results[StateResult::Curvature], -3e-3);
    EXPECT_EQ(next.Results[2], 2e-4);
}

// A solve that reports success on a runaway profile is a failed attempt: no stage is taken
// from it (its plastic offsets would have been reset with a message), the step is cut and the
// response ends by the step-factor floor.
TEST_F(FullSectionalResponse, RunawaySolveIsAFailedAttempt)
{
    beam = ShearBeam();
    OpenResponse a(beam.get());
    a.StepTo(2);
    ASSERT_EQ(a.GetCurrentStage(), 3);
    a.runAway = true;
    RunToFinish(a, 100);
    EXPECT_EQ(a.IsRunning(), 0);
    EXPECT_EQ(a.GetLastStageIndex(), 3);
    EXPECT_LT(a.GetStepFactor(), 0.005);
    EXPECT_EQ(reporter.Count("Plastic offset strain"), 0);
}

// A column under constant axial compression: every stage keeps N at N0, and the moment
// capacity lies near the hand value of the rectangular stress block with both bar layers at
// yield, 338 kN m at 1000 kN.
TEST_F(FullSectionalResponse, ColumnWithAxialCompressionKeepsItsAxialLoad)
{
    auto column = PS::Column();
    const double N0 = -1.0e6;
    PS::SetLoads(*column, N0, 0, 0, 0, -1000.0, 0);
    TFullSectionalResponse a(column.get());
    ASSERT_EQ(a.IsRunning(), 1);
    RunToFinish(a, kMaxSteps);
    EXPECT_EQ(a.IsRunning(), 0);
    const std::vector<const SectionState*> stages = ValidStages(a);
    ASSERT_GT(stages.size(), 5u);
    for (const SectionState* s : stages)
        EXPECT_NEAR(s->Results[StateResult::AxialForce], N0, 0.01 * std::fabs(N0));
    const double fc = std::fabs(column->GetConcreteType(0)->fc);
    const double a1 = -N0 / (0.85 * fc * 0.4);
    const double Mn = -N0 * (0.2 - a1 / 2.0) + 2.0 * PS::kBarArea * 4e8 * 0.15;
    ASSERT_NE(a.GetPeakState(), nullptr);
    EXPECT_GT(MomentOf(*a.GetPeakState()), 0.85 * Mn);
    EXPECT_LT(MomentOf(*a.GetPeakState()), 1.2 * Mn);
}

// Pruning after the peak and thinning keep the peak stage and its load factor.
TEST_F(FullSectionalResponse, ThinningKeepsThePeak)
{
    TFullSectionalResponse a(beam.get());
    RunToFinish(a, kMaxSteps);
    const double peak = a.GetMaxLoadFactor();
    const std::size_t before = ValidStages(a).size();

    TFullSectionalResponse thinned(beam.get());
    RunToFinish(thinned, kMaxSteps);
    thinned.ThinStages(10.0 * peak);
    EXPECT_LT(ValidStages(thinned).size(), before);
    EXPECT_DOUBLE_EQ(thinned.GetMaxLoadFactor(), peak);
    ASSERT_NE(thinned.GetPeakState(), nullptr);

    a.PrunePostPeakStages(0);
    EXPECT_LE(ValidStages(a).size(), 16u);
    EXPECT_DOUBLE_EQ(a.GetMaxLoadFactor(), peak);
    EXPECT_EQ(a.GetPeakStage(), a.GetLastStageIndex() - 1);
    for (int i = 1; i < a.GetLastStageIndex(); ++i)
        EXPECT_GE(a.LoadFactorOf(i), a.LoadFactorOf(i - 1)) << i;
}

// Stored stages read safely: a negative index is no stage; a load factor that two stages
// share is looked up in the first of them; "More Detail" refuses a nearly full table and
// leaves its stages where they are.
TEST_F(FullSectionalResponse, StageTableEdgesAreSafe)
{
    OpenResponse a(beam.get());
    RunToFinish(a, 3);
    a.Finish();
    EXPECT_EQ(a.GetStage(-1), nullptr);
    EXPECT_EQ(a.GetStage(-7), nullptr);
    EXPECT_EQ(a.GetStage(0), a.StageSlot(0));

    // Searching from the peak, 5.0 is looked up as 5.00000005.
    const double shared = 5.0 * 1.00000001;
    a.FillWithCopies(1, 2, 3, shared);
    a.Slot(1)->Results[StateResult::LoadFactor] = shared;
    a.SetPeak(1);
    StageResults r;
    ASSERT_EQ(a.ResultAtValue(5.0, r, 1), 1);
    EXPECT_DOUBLE_EQ(r.curvature, a.StageSlot(1)->Results[StateResult::Curvature]);
    EXPECT_TRUE(std::isfinite(r.axialStrain));

    a.FillWithCopies(1, 2, 327, 5.0);
    const SectionState* at300 = a.StageSlot(300);
    EXPECT_EQ(a.MoreDetail(0, 300), 0);
    EXPECT_EQ(a.StageSlot(300), at300);
    EXPECT_EQ(ValidStages(a).size(), 328u);
    EXPECT_EQ(a.IsRunning(), 0);
}


// Only constant loads: nothing to trace, so the first step stores a copy of the initial state
// with an undefined load factor and finishes. Loads beyond the section's strength: the
// initial state cannot be solved, the error is stored and the analysis does not run.
TEST_F(FullSectionalResponse, ConstantLoadsOnlyAndUnsolvableInitialCase)
{
    beam = PS::Beam();
    PS::SetLoads(*beam, 0, -50e3, 0, 0, 0, 0);
    TFullSectionalResponse a(beam.get());
    ASSERT_EQ(a.IsRunning(), 1);
    a.Step();
    EXPECT_EQ(a.IsRunning(), 0);
    ASSERT_NE(a.StageSlot(1), nullptr);
    EXPECT_EQ(a.StageSlot(1)->Results[StateResult::LoadFactor], kUndefined);
    EXPECT_NEAR(a.StageSlot(1)->Results[StateResult::Moment], -50e3, 500.0);

    auto crushed = PS::Beam();
    PS::SetLoads(*crushed, -2e7, 0, 0, 0, -1000.0, 0);
    TFullSectionalResponse b(crushed.get());
    EXPECT_EQ(b.IsRunning(), 0);
    EXPECT_EQ(OnlyError(b), StoredError(kInitialCaseFailedText, 48));
    EXPECT_EQ(b.GetPeakState(), nullptr);
}

// A section without concrete (the new section before its outline is defined: no regions,
// height 0), or with regions of no height, is not solved, and the response says why for the
// command to show: once, however often it is started. So is a section whose regions leave a
// depth without concrete. A section the mesh cannot hold keeps its own reason. The interaction
// diagrams say the same.
TEST_F(FullSectionalResponse, SectionWithoutConcreteStoresTheReason)
{
    TBeam fresh;
    ASSERT_EQ(fresh.GetRegionCount(), 0);
    PS::SetLoads(fresh, 0, 0, 0, 0, -1000.0, 0);
    TFullSectionalResponse a(&fresh);
    EXPECT_EQ(a.IsRunning(), 0);
    EXPECT_EQ(a.GetPeakState(), nullptr);
    EXPECT_EQ(OnlyError(a), StoredError(kNoSectionText, 48));
    a.Start();
    EXPECT_EQ(a.GetErrorCount(), 1);

    auto flat = PS::Empty();
    flat->AddRegion(0.2, 0.2, 0.3, 0.3, 0, 1);
    PS::SetLoads(*flat, 0, 0, 0, 0, -1000.0, 0);
    TFullSectionalResponse b(flat.get());
    EXPECT_EQ(b.IsRunning(), 0);
    EXPECT_EQ(OnlyError(b), StoredError(kNoSectionText, 48));

    TMNInter mn(&fresh);
    EXPECT_EQ(mn.IsRunning(), 0);
    EXPECT_EQ(OnlyError(mn), StoredError(kNoSectionText, 48));
    TMVInter mv(&fresh);
    EXPECT_EQ(OnlyError(mv), StoredError(kNoSectionText, 48));

    // Regions that leave a band without concrete: not solved either, and the one reason
    // names the section and the depth, however many depths the set-up would have sampled.
    auto split = PS::Empty();
    split->SetName("Split");
    split->AddRegion(0.6, 0.35, 0.3, 0.3, 0, 1);
    split->AddRegion(0.25, 0.0, 0.3, 0.3, 0, 1);
    PS::AddBars(*split, 0.05, PS::kBarArea);
    split->Validate();
    PS::SetLoads(*split, 0, 0, 0, 0, -1000.0, 0);
    TFullSectionalResponse d(split.get());
    EXPECT_EQ(d.IsRunning(), 0);
    EXPECT_EQ(d.GetPeakState(), nullptr);
    ASSERT_EQ(d.GetErrorCount(), 1);
    EXPECT_EQ(OnlyError(d).first, split->DescribeMissingConcrete());
    EXPECT_NE(OnlyError(d).first.find("Section \"Split\": No concrete region between elevations 250 and 350 mm."),
              std::string::npos);
    d.Start();
    EXPECT_EQ(d.GetErrorCount(), 1);
    TMNInter splitMN(split.get());
    EXPECT_EQ(splitMN.IsRunning(), 0);
    EXPECT_EQ(OnlyError(splitMN), OnlyError(d));

    // A solvable section stores nothing.
    TFullSectionalResponse c(beam.get());
    EXPECT_EQ(c.GetErrorCount(), 0);
    EXPECT_EQ(c.IsRunning(), 1);
    EXPECT_EQ(reporter.messages.size(), 0u);
}

// The control variable follows the largest of |dN|, |3 dM / H| and |dV|; the alternative
// after M is V with shear and N without.
TEST_F(FullSectionalResponse, ControlVariableFollowsTheDominantIncrement)
{
    beam = PS::Empty();
    beam->AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
    PointSections::AddBars(*beam, 0.05, PS::kBarArea);
    beam->Validate();
    PS::SetLoads(*beam, 0, 0, 0, 5e3, 1e3, 0); // 3 dM / H = 6 kN > dN = 5 kN
    TFullSectionalResponse a(beam.get());
    EXPECT_EQ(a.ChooseControlVariable(0), TQuarvish2000Analysis::kMoment);
    EXPECT_EQ(a.ChooseControlVariable(1), TQuarvish2000Analysis::kAxial);
    PS::SetLoads(*beam, 0, 0, 0, 5e3, 1e3, 10.0);
    TFullSectionalResponse b(beam.get());
    EXPECT_EQ(b.ChooseControlVariable(0), TQuarvish2000Analysis::kMoment);
    EXPECT_EQ(b.ChooseControlVariable(1), TQuarvish2000Analysis::kShear);
    PS::SetLoads(*beam, 0, 0, 0, 7e3, 1e3, 0);
    TFullSectionalResponse c(beam.get());
    EXPECT_EQ(c.ChooseControlVariable(0), TQuarvish2000Analysis::kAxial);
}

// Energy absorbed between the stages of a loading response is positive and adds up over the
// stages to more than the work of the moment on the curvature increments less 10 %.
TEST_F(FullSectionalResponse, EnergyBetweenStagesMatchesTheMomentWork)
{
    OpenResponse a(beam.get());
    a.StepTo(12);
    double energy = 0.0;
    double work = 0.0;
    for (int i = 1; i <= 12; ++i) {
        const SectionState* p = a.StageSlot(i - 1);
        const SectionState* c = a.StageSlot(i);
        ASSERT_NE(c, nullptr);
        const double e = a.ComputeEnergyIncrement(p, c, 2);
        EXPECT_GT(e, 0.0) << i;
        energy += e;
        work += 0.5 * (p->Results[StateResult::Moment] + c->Results[StateResult::Moment]) *
                (c->Results[StateResult::Curvature] - p->Results[StateResult::Curvature]);
    }
    EXPECT_NEAR(energy, work, 0.1 * work);
    EXPECT_NEAR(a.ComputeEnergyIncrement(a.StageSlot(3), a.StageSlot(3), 2), 0.0, 1e-9);
    EXPECT_EQ(a.ComputeEnergyIncrement(nullptr, a.StageSlot(3), 2), 0.0);
}

namespace {

class ShapeAnalysis : public OpenResponse {
public:
    using OpenResponse::OpenResponse;
    using TQuarvish2000Analysis::ShearShapeChanged;
    TDepthTable& Shape() { return ShearStrainDistribution; }
};

} // namespace

// The layer level reads the new shear-strain shape once it is told of the change: a state
// solved after the change equals one solved by an analysis that never saw the old shape.
TEST_F(FullSectionalResponse, LayerSolutionFollowsANewShearShape)
{
    beam = ShearBeam();
    ShapeAnalysis a(beam.get());
    ShapeAnalysis b(beam.get());
    auto solve = [](ShapeAnalysis& x) {
        SectionStateHolder holder;
        return SolveAtProfile(x, holder, 0.0, -2e-3, 1e-3, LayerSolveMode::Trial).Results;
    };
    solve(a); // the old shape is read and kept
    for (ShapeAnalysis* x : {&a, &b}) {
        x->Shape().Clear();
        x->Shape().Add(beam->GetTop(), 0.0);
        x->Shape().Add(0.0, 2.0);
        x->Shape().Add(beam->GetBottom(), 0.0);
        x->Shape().SetSorted(true);
        x->ShearShapeChanged();
    }
    EXPECT_EQ(solve(a), solve(b));
}

// The end of a response: a state with a failure mode (here a crack slipping at its shear
// limit) ends it once its load has fallen below 80 % of the largest so far, and any state ends
// it once a node's compressive strain passes 4 e'c.
TEST_F(FullSectionalResponse, ResponseEndsAfterAFailureBelowItsPeakOrPastTheStrainLimit)
{
    OpenResponse a(beam.get());
    a.StepTo(3);
    SectionState& s = *a.Slot(2);
    const double lf = s.Results[StateResult::LoadFactor];
    ASSERT_GT(lf, 0.0);
    ASSERT_EQ(a.ComputeShearStressDistribution(s), 1); // the failure mode comes with the error
    LayerNodeStateRec& top = *s.NodeState(static_cast<int>(s.LayerDefs[0].NodeTop));
    const LayerNodeStateRec kept = top;
    top.StirrupRatio = 0.0, top.CrackShearLimit = 1e5, top.CrackShearStress = 1e5;
    ASSERT_EQ(a.ClassifyFailureMode(s), FailureMode::CrackSlip);
    for (auto [share, finished] : {std::pair{0.79, true}, {0.81, false}}) {
        a.SetMaxLoadFactor(lf / share);
        EXPECT_EQ(a.IsResponseFinished(&s, &s), finished) << share;
    }

    top = kept;
    a.SetMaxLoadFactor(lf);
    const double ec = std::fabs(beam->GetConcreteType(0)->ec);
    LayerNodeStateRec& mid = *s.NodeState(static_cast<int>(s.LayerDefs[1].NodeMid));
    for (auto [multiple, finished] : {std::pair{4.1, true}, {3.9, false}}) {
        mid.Strain2 = mid.FreeStrain2 - multiple * ec;
        EXPECT_EQ(a.IsResponseFinished(&s, &s), finished) << multiple;
    }
}

// With loads held constant, a response also ends once a force that is loaded, or held in the
// same sense, has fallen below a hundredth of the largest of the earlier stages. A held axial
// force counts only above a mean stress of 10 kPa on the gross section.
TEST_F(FullSectionalResponse, ResponseEndsOnceAForceItLoadsOrHoldsIsLost)
{
    OpenResponse a(beam.get());
    a.StepTo(3);
    const int n = a.GetCurrentStage();
    ASSERT_GE(n, 3);
    constexpr double kLargest = 2e5; // N and N m in every earlier stage
    for (int i = 0; i < n; ++i) {
        ASSERT_NE(a.Slot(i), nullptr);
        a.Slot(i)->Results[StateResult::AxialForce] = kLargest;
        a.Slot(i)->Results[StateResult::Moment] = -kLargest;
    }
    SectionState& s = *a.Slot(n - 1);
    a.SetMaxLoadFactor(s.Results[StateResult::LoadFactor]);
    const double held = 10000.0 * beam->GetGrossArea();
    struct Row {
        const char* name;
        std::array<double, 3> constant, increment;
        double axialShare, momentShare;
        bool finished;
    };
    const Row rows[] = {
        {"loaded moment at 0.9 %", {0, -1, 0}, {0, -1000, 0}, 1.0, 0.009, true},
        {"loaded moment at 1.1 %", {0, -1, 0}, {0, -1000, 0}, 1.0, 0.011, false},
        {"held axial force at 0.9 %", {1.2 * held, 0, 0}, {0, -1000, 0}, 0.009, 1.0, true},
        {"axial force below 10 kPa", {0.8 * held, 0, 0}, {0, -1000, 0}, 0.009, 1.0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        a.SetLoads(row.constant, row.increment);
        s.Results[StateResult::AxialForce] = row.axialShare * kLargest;
        s.Results[StateResult::Moment] = -row.momentShare * kLargest;
        EXPECT_EQ(a.IsResponseFinished(&s, &s), row.finished);
    }
}

// After a failed attempt the target goes back from the last stage n-1 (q its controlled
// curvature, d its last increment): a step larger than d is cut to half of d; a full step no
// larger is followed by one and a half steps beyond the last stage; after that, three quarters
// of a step back towards it.
TEST_F(FullSectionalResponse, TargetAfterAFailedAttempt)
{
    OpenResponse a(beam.get());
    a.StepTo(4);
    const int n = a.GetCurrentStage();
    const double p = a.Controlled(n - 1), d = p - a.Controlled(n - 2);
    ASSERT_NE(d, 0.0);
    struct Row {
        const char* name;
        double step, factor, target, expected, factorAfter;
    };
    const Row rows[] = {
        {"larger than d", -2.0 * d, 1.0, p + 2.0 * d, p + 0.5 * d, 0.5},
        {"full step", -0.5 * d, 1.0, p + 0.5 * d, p + 0.75 * d, 1.5},
        {"after one and a half", -0.5 * d, 1.5, p + 0.75 * d, p + 0.375 * d, 0.75},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        a.SetStep(row.target, row.step, row.factor);
        a.AdjustTarget(1);
        EXPECT_NEAR(a.Target(), row.expected, 1e-12 * std::fabs(d));
        EXPECT_EQ(a.GetStepFactor(), row.factorAfter);
    }
}
