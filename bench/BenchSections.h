#pragma once
// The benchmark section: a 300 x 600 mm beam with bars and stirrups, and a beam-section
// analysis over it whose stage interface answers trivially.

#include <memory>

#include "analysis/TQuarvish2000Analysis.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"

// A rectangular section of 35 MPa concrete with one steel type of fy 400 MPa, no bars.
inline std::unique_ptr<TBeam> BenchSection(double width, double height)
{
    auto beam = std::make_unique<TBeam>();
    beam->ClearAll();
    ConcreteTypeRec concrete;
    concrete.name = "Concrete 1";
    CheckConcreteType(concrete, true);
    beam->AddConcreteType(concrete);
    SteelTypeRec steel;
    steel.kind = SteelKind::Reinforcing;
    steel.fy = 4e8;
    steel.name = "Steel 1";
    CheckSteelType(steel, true);
    beam->AddSteelType(steel);
    beam->AddRegion(height, 0.0, width, width, 0, 1);
    return beam;
}

// A layer of 25 mm bars at z above the bottom.
inline void AddBenchBars(TBeam& beam, double z, int count)
{
    LongLayerRec bars;
    bars.z = z;
    bars.num = count;
    bars.Ai = 5e-4;
    bars.A = 5e-4 * count;
    bars.db = 0.025;
    bars.bartitle = "25M";
    bars.name = "Bars";
    beam.AddLongLayer(bars, 0);
}

// 10 mm two-leg stirrups at 200 mm over the 600 mm depth.
inline void AddBenchStirrups(TBeam& beam)
{
    TransLayerRec stirrups;
    stirrups.A = 2e-4;
    stirrups.Ai = 1e-4;
    stirrups.db = 0.0113;
    stirrups.space = 0.2;
    stirrups.distbot = 0.03;
    stirrups.disttop = 0.57;
    stirrups.bartitle = "10M";
    stirrups.name = "Stirrups";
    beam.AddTransLayer(stirrups, 2);
}

// 300 x 600 mm, three 25 mm bars top and bottom (50 mm cover to their centres), stirrups.
inline std::unique_ptr<TBeam> BenchBeam()
{
    auto beam = BenchSection(0.3, 0.6);
    AddBenchBars(*beam, 0.55, 3);
    AddBenchBars(*beam, 0.05, 3);
    AddBenchStirrups(*beam);
    return beam;
}

// The full-response beam: 300 x 600 mm, three 25 mm bottom bars, stirrups.
inline std::unique_ptr<TBeam> BenchResponseBeam()
{
    auto beam = BenchSection(0.3, 0.6);
    AddBenchBars(*beam, 0.05, 3);
    AddBenchStirrups(*beam);
    return beam;
}

// 400 x 400 mm, eight 25 mm bars: three at each face (50 mm cover to their centres), two at
// mid-depth.
inline std::unique_ptr<TBeam> BenchColumn()
{
    auto column = BenchSection(0.4, 0.4);
    AddBenchBars(*column, 0.05, 3);
    AddBenchBars(*column, 0.2, 2);
    AddBenchBars(*column, 0.35, 3);
    return column;
}

class BenchAnalysis final : public TQuarvish2000Analysis {
public:
    using TQuarvish2000Analysis::TQuarvish2000Analysis;
    const SectionState* GetCurrentState() const override { return nullptr; }
    const SectionState* GetLatestState() const override { return nullptr; }
    const SectionState* GetPeakState() const override { return nullptr; }
    const SectionState* GetStage(int) const override { return nullptr; }
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
