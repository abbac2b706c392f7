#pragma once
// Test doubles for the analysis base: a bare analysis over a structure it does not own, a
// beam-section analysis with trivial stepping, and a small section to analyse.

#include <memory>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "analysis/TQuarvish2000Analysis.h"
#include "analysis/TSectionalAnalysis.h"
#include "model/TBeam.h"
#include "model/TStructure.h"

// The message of a write refused by a frozen structure.
inline constexpr const char* kFrozenText = "Attempt to write to frozen beam!";

// A 600 mm deep section (top 0.3 m, bottom -0.3 m), 300 mm wide, of one concrete type "C35"
// with e'c = -0.0025, three longitudinal layers (0.25, 0, -0.25) of direction 0 and two
// stirrup layers of direction 2 whose steel ruptures at 0.05.
struct TestSection {
    static constexpr double kTop = 0.3;
    static constexpr double kBottom = -0.3;

    static std::unique_ptr<TStructure> Make(bool tensionOff = false)
    {
        auto s = std::make_unique<TStructure>();
        Fill(*s, tensionOff);
        return s;
    }

    static std::unique_ptr<TBeam> MakeBeam(bool tensionOff = false)
    {
        auto beam = std::make_unique<TBeam>();
        beam->ClearAll();
        Fill(*beam, tensionOff);
        return beam;
    }

    static void Fill(TStructure& s, bool tensionOff)
    {
        ConcreteTypeRec concrete; // tension-stiffening factor 1 by default
        concrete.name = "C35", concrete.fc = -35e6, concrete.ec = -0.0025;
        concrete.Ec = 3e10, concrete.ft = 2e6, concrete.tensionStiffening = tensionOff ? 0 : 7;
        s.AddConcreteType(concrete);
        SteelTypeRec steel; // reinforcing by default
        steel.name = "Bars", steel.Es = 2e11, steel.fy = 4e8, steel.er = 0.05;
        s.AddSteelType(steel);
        s.AddRegion(kTop, kBottom, 0.3, 0.3, 0, 1);
        for (double z : {0.25, 0.0, -0.25}) {
            LongLayerRec layer;
            layer.z = z, layer.num = 2, layer.Ai = 5e-4, layer.A = 1e-3, layer.db = 0.025;
            layer.name = "L";
            s.AddLongLayer(layer, 0);
        }
        TransLayerRec stirrup;
        stirrup.A = 2e-4, stirrup.Ai = 1e-4, stirrup.db = 0.011, stirrup.space = 0.2;
        stirrup.disttop = 0.26, stirrup.distbot = -0.26, stirrup.name = "S";
        s.AddTransLayer(stirrup, 2);
        s.AddTransLayer(stirrup, 2);
    }

    static void
    SetLoads(TStructure& s, double n0, double m0, double v0, double dn, double dm, double dv)
    {
        const double constant[3] = {n0, m0, v0}, increment[3] = {dn, dm, dv};
        s.SetConstantLoads(constant, 3);
        s.SetIncrementLoads(increment, 3);
    }
};

// The stage interface of the analyses, answered trivially; the current state is whatever the
// test puts in Current.
template <typename Base> class TrivialStages : public Base {
public:
    using Base::Base;
    SectionStateHolder Current;

    const SectionState* GetCurrentState() const override { return Current.get(); }
    const SectionState* GetLatestState() const override { return Current.get(); }
    const SectionState* GetPeakState() const override { return Current.get(); }
    const SectionState* GetStage(int) const override { return Current.get(); }
    int GetNextStageIndex(int index) const override { return index; }
    int GetPreviousStageIndex(int index) const override { return index; }
    int GetLastStageIndex() const override { return 0; }
    int SelectLoadStage(int) override { return 0; }
    int GetTwoStrainPoints(double& e1, double& y1, double& e2, double& y2) const override
    {
        e1 = y1 = e2 = y2 = 0.0;
        return 0;
    }
    int SelectLatestState() override { return 1; }
    int Step() override { return 0; }
    int ChooseControlVariable(int) override { return 0; }
};

// A bare analysis over a structure the test keeps (as the member and membrane families work
// on structures they are given).
class FakeAnalysis : public TrivialStages<TSectionalAnalysis> {
public:
    explicit FakeAnalysis(TStructure* structure, int shear = 0)
        : m_structure(structure), m_shear(shear)
    {
    }

    const TStructure* GetStructure() const override { return m_structure; }
    int HasShear() const override { return m_shear; }
    int GetStateResults(const SectionState*, std::array<double, 6>&, int) const override
    {
        return 0;
    }
    void AdjustLoads() override { ++adjustCalls; }
    int GetMaxLayerCount() const override { return 120; }
    int GetMaxNodeCount() const override { return 360; }

    int UsesCurvatureIteration() const { return UseCurvatureIteration; }
    void SetRunning(int running) { Running = running; }
    int adjustCalls = 0;

protected:
    TStructure* GetWritableStructure() override { return m_structure; }

private:
    TStructure* m_structure;
    int m_shear;
};

// A beam-section analysis with trivial stepping.
class FakeBeamAnalysis : public TrivialStages<TQuarvish2000Analysis> {
public:
    FakeBeamAnalysis(const TBeam* beam, int validate)
        : TrivialStages<TQuarvish2000Analysis>(beam, validate)
    {
    }
    void SetShearFlag(int flag) { ShearFlag = flag; }
    LayerMesh& MutableMesh() { return Mesh; }
};

// Solves the layer states of a beam-section analysis at the profile (e0, phi, gamma) in the
// given mode, creating the state on first use.
template <typename Analysis>
SectionState& SolveAtProfile(
    Analysis& analysis, SectionStateHolder& holder, double e0, double phi, double gamma, int mode)
{
    if (!holder)
        analysis.CreateSectionState(holder, nullptr);
    holder->Results[StateResult::ReferenceStrain] = e0;
    holder->Results[StateResult::Curvature] = phi;
    holder->Results[StateResult::ShearStrain] = gamma;
    analysis.SolveLayerStates(*holder, mode);
    return *holder;
}

// The text and code of the one error an analysis stored.
using StoredError = std::pair<std::string, int>;
inline StoredError OnlyError(const TSectionalAnalysis& analysis)
{
    EXPECT_EQ(analysis.GetErrorCount(), 1);
    std::string text, title;
    int code = -1;
    analysis.GetError(0, text, title, code);
    return {text, code};
}
