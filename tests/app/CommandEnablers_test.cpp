// Every command enabler, as one table of situations and the commands each allows.

#include "app/CommandEnablers.h"

#include <gtest/gtest.h>

#include <set>

#include "app/CommandIds.h"
#include "model/TBeam.h"
#include "tests/analysis/AnalysisBaseFakes.h"

namespace {

// A beam of a given height and number of steel types.
class SizedBeam : public TBeam {
public:
    SizedBeam(double height, int steelTypes) : m_height(height), m_steel(steelTypes) {}
    double GetHeight() const override { return m_height; }
    int GetSteelTypeCount() const override { return m_steel; }

private:
    double m_height;
    int m_steel;
};

// An analysis whose probes, run state and continuation are set by the test.
class ProbedAnalysis : public FakeAnalysis {
public:
    ProbedAnalysis(TStructure* s, bool running, std::set<int> probes, bool canContinue)
        : FakeAnalysis(s), m_probes(std::move(probes)), m_continue(canContinue) {
        SetRunning(running ? 1 : 0);
    }
    double Probe_analysis(int probeId, double) const override { return m_probes.count(probeId) ? 1.0 : 0.0; }
    int CanContinue() const override { return m_continue ? 1 : 0; }

private:
    std::set<int> m_probes;
    bool m_continue;
};

using namespace CmId;

// The commands of the table that each situation enables; every other one stays disabled.
struct Situation {
    const char* name;
    double height;
    int steel;
    int analysis;  // 0 none, 1 running, 2 stopped with the probes below
    std::set<int> probes;
    bool canContinue;
    double memberLength;
    int current;
    bool elementAfter, elementBefore;
    bool valueList;
    std::set<int> enabled;
};

const std::set<int> kHeightOnly = {QuickDefine, SectionalLoads, FireDamagedBeam, Fire, TimeDependentEffects,
                                   ThermalShrinkageStrains, StrainDiscontinuity, MemberDefinitionPage,
                                   FullMemberProperties, SectionalResponse, MNInteraction, MVInteraction,
                                   NVInteraction, OneLoad, OneStrain, TwoStrain};

std::set<int> With(std::set<int> base, std::initializer_list<int> more) {
    base.insert(more);
    return base;
}

TEST(CommandEnablers, EachCommandFollowsTheCurrentStructureAndAnalysis) {
    const std::vector<Situation> table = {
        {"no height, no analysis, alone", 0.0, 2, 0, {}, false, 0.0, 0, false, false, false, {QuickDefine}},
        {"no height between two elements", 0.0, 0, 0, {}, false, 5.0, 4, true, true, true,
         {QuickDefine, NextElement, PreviousElement}},
        {"concrete without steel", 0.5, 0, 0, {}, false, 0.0, 0, false, false, false, kHeightOnly},
        {"steel: reinforcement and tendons", 0.5, 1, 0, {}, false, 0.0, 0, false, false, false,
         With(kHeightOnly, {TransverseReinforcement, LongitudinalReinforcement, Tendons})},
        {"a member length enables the member response", 0.5, 0, 0, {}, false, 3.0, 0, false, false, false,
         With(kHeightOnly, {MemberResponse})},
        {"running: only stop among the analysis commands", 0.5, 0, 1, {6, 7, 9, 0}, true, 0.0, 0, false, false,
         false, With(kHeightOnly, {StopAnalysis, MohrsCircles, FullMemberResults})},
        {"stopped response with every probe", 0.5, 0, 2, {0, 6, 7, 9}, true, 0.0, 0, false, false, false,
         With(kHeightOnly, {MoreDetail, UnloadSection, ReloadSection, MohrsCircles, FullMemberResults})},
        {"interaction diagram: no unload or reload", 0.5, 0, 2, {}, false, 0.0, 0, false, false, false, kHeightOnly},
        {"value lists with a height", 0.5, 0, 0, {}, false, 0.0, 0, false, false, true,
         With(kHeightOnly, {PageAction404})},
        {"last slot: no next element", 0.5, 0, 0, {}, false, 0.0, 299, true, true, false,
         With(kHeightOnly, {PreviousElement})},
        {"first slot: no previous element", 0.5, 0, 0, {}, false, 0.0, 0, true, true, false,
         With(kHeightOnly, {NextElement})},
    };
    for (const Situation& s : table) {
        SizedBeam beam(s.height, s.steel);
        if (s.valueList) {
            const double values[] = {1.0, 2.0};
            beam.SetValueList(7, values, 2);
        }
        ProbedAnalysis analysis(&beam, s.analysis == 1, s.probes, s.canContinue);
        EnablerContext c;
        c.structure = &beam;
        c.analysis = s.analysis ? &analysis : nullptr;
        c.memberLength = s.memberLength;
        c.current = s.current;
        c.elementAfter = s.elementAfter;
        c.elementBefore = s.elementBefore;
        for (const int id : EnabledCommandIds())
            EXPECT_EQ(IsCommandAvailable(id, c), s.enabled.count(id) == 1) << s.name << ": command " << id;
    }
    // Commands without an enabler of their own are always available.
    EnablerContext none;
    for (const int id : {EditGeneral, MaterialProperties, ConcreteSection, LoadDeformationPlot, PageAction403,
                         ClampingStress})
        EXPECT_TRUE(IsCommandAvailable(id, none)) << id;
    EXPECT_EQ(EnabledCommandIds().size(), 29u);
}

} // namespace
