#pragma once
// Validated sections for the solves: a 300 x 600 mm beam of 35 MPa concrete with bottom bars
// (and, when asked, top bars and stirrups), and a 400 x 400 mm column with bars at both faces.
// Every material takes the program's automatic properties; validation moves depth 0 to the
// gross centroid.

#include <memory>

#include "analysis/AnalysisBaseFakes.h"
#include "model/TBeam.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"

struct PointSections {
    static constexpr double kB = 0.3;
    static constexpr double kH = 0.6;
    static constexpr double kBarArea = 1.5e-3; // 3 x 25 mm bars
    static constexpr double kBarDepth = -0.25; // 50 mm above the bottom

    // The materials without a region: the concrete type of strength fc, and the steel type of
    // yield stress fy unless steelType is false (a plain section).
    static std::unique_ptr<TBeam> Empty(bool steelType = true, double fc = 35e6, double fy = 4e8)
    {
        auto beam = std::make_unique<TBeam>();
        beam->ClearAll();
        ConcreteTypeRec concrete;
        concrete.name = "Concrete 1";
        concrete.fc = -fc;
        CheckConcreteType(concrete, true);
        beam->AddConcreteType(concrete);
        if (!steelType)
            return beam;
        SteelTypeRec steel;
        steel.kind = SteelKind::Reinforcing;
        steel.fy = fy;
        steel.name = "Steel 1";
        CheckSteelType(steel, true);
        beam->AddSteelType(steel);
        return beam;
    }

    static void AddBars(TBeam& beam, double zAboveBottom, double area)
    {
        LongLayerRec bars;
        bars.z = zAboveBottom;
        bars.num = 3;
        bars.Ai = area / 3.0;
        bars.A = area;
        bars.db = 0.025;
        bars.bartitle = "25M";
        bars.name = "Bars";
        beam.AddLongLayer(bars, 0);
    }

    // The beam; bars at 50 mm above the bottom, and 50 mm below the top when topBars.
    static std::unique_ptr<TBeam> Beam(bool topBars = false, bool stirrups = false)
    {
        auto beam = Empty();
        beam->AddRegion(kH, 0.0, kB, kB, 0, 1);
        AddBars(*beam, 0.05, kBarArea);
        if (topBars)
            AddBars(*beam, 0.55, kBarArea);
        if (stirrups) {
            TransLayerRec s;
            s.A = 2e-4, s.Ai = 1e-4, s.db = 0.0113, s.space = 0.2;
            s.distbot = 0.03, s.disttop = 0.57, s.bartitle = "10M", s.name = "Stirrups";
            beam->AddTransLayer(s, 2);
        }
        beam->Validate();
        return beam;
    }

    // The beam under a moment increment of -1 kN m (top in compression).
    static std::unique_ptr<TBeam> MomentBeam()
    {
        auto beam = Beam();
        SetLoads(*beam, 0, 0, 0, 0, -1000.0, 0);
        return beam;
    }

    // 400 x 400 mm column, 1500 mm^2 at 50 mm from each face.
    static std::unique_ptr<TBeam> Column()
    {
        auto beam = Empty();
        beam->AddRegion(0.4, 0.0, 0.4, 0.4, 0, 1);
        AddBars(*beam, 0.05, kBarArea);
        AddBars(*beam, 0.35, kBarArea);
        beam->Validate();
        return beam;
    }

    static constexpr auto SetLoads = TestSection::SetLoads;
};
