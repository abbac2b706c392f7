#pragma once
// Sections for the summary page's tests, benchmark and screenshots, with their hand-checked
// geometry.

#include <memory>
#include <string>

#include "analysis/PointSections.h"

struct SummarySections {
    // 35 MPa concrete ("Web") and 400 MPa steel; a second type of 60 MPa ("Flange") when asked.
    static std::unique_ptr<TBeam> Empty(int concreteTypes = 1)
    {
        auto beam = PointSections::Empty();
        beam->GetConcreteType(0)->name = "Web";
        if (concreteTypes > 1) {
            ConcreteTypeRec flange;
            flange.name = "Flange";
            flange.fc = -60e6;
            CheckConcreteType(flange, true);
            beam->AddConcreteType(flange);
        }
        return beam;
    }

    static LongLayerRec Bars(double z, int n, double db)
    {
        LongLayerRec bars;
        bars.z = z;
        bars.num = n;
        bars.db = db;
        bars.Ai = 3.14159 * db * db / 4;
        bars.A = n * bars.Ai;
        bars.bartitle = "25M";
        bars.name = "Bars";
        return bars;
    }

    static TransLayerRec Stirrup(double bottom, double top, double db, int pattern)
    {
        TransLayerRec s;
        s.Ai = 3.14159 * db * db / 4;
        s.A = 2 * s.Ai;
        s.legs = 2;
        s.db = db;
        s.space = 0.2;
        s.distbot = bottom;
        s.disttop = top;
        s.pattern = pattern;
        s.bartitle = "10M";
        s.name = "Stirrups";
        return s;
    }

    // 300 x 600 mm of four strand layers, each of its own strand and slope and so with a callout
    // of three rows (strands, prestrain, slope; two for the layer without slope), and T-headed
    // stirrups (two rows).
    static std::unique_ptr<TBeam> FourTendons()
    {
        auto beam = Empty();
        beam->AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
        for (int i = 0; i < 4; ++i) {
            LongLayerRec strands = Bars(0.05 + 0.15 * i, 2, 0.0127);
            strands.bartitle.clear();
            strands.barIndex = -1;
            strands.Ai = (90 + 10 * i) * 1e-6;
            strands.A = 2 * strands.Ai;
            strands.dep = 0.006;
            strands.drape = 0.01 * i;
            beam->AddLongLayer(strands, 0);
        }
        beam->AddTransLayer(Stirrup(0.03, 0.57, 0.0113, 5), 2);
        beam->SetName("Four tendons");
        beam->Validate();
        return beam;
    }

    // 300 x 600 mm; validation puts depth 0 at mid-height (top 0.3).
    static std::unique_ptr<TBeam> Rectangle(const std::string& name = "Rect")
    {
        auto beam = Empty();
        beam->AddRegion(0.6, 0.0, 0.3, 0.3, 0, 1);
        beam->AddLongLayer(Bars(0.05, 3, 0.025), 0);
        beam->SetName(name);
        beam->Validate();
        return beam;
    }

    // A T: flange 1000 x 100 mm of concrete type 1 over a web 300 x 500 mm of type 0, bottom
    // and top bars, closed stirrups. Gross centroid 370 mm above the bottom, so the top lies at
    // depth 0.23.
    static std::unique_ptr<TBeam> TBeamSection(const std::string& name = "T-beam")
    {
        auto beam = Empty(2);
        beam->AddRegion(0.6, 0.5, 1.0, 1.0, 1, 1);
        beam->AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
        beam->AddLongLayer(Bars(0.05, 4, 0.025), 0);
        beam->AddLongLayer(Bars(0.55, 6, 0.015), 0);
        beam->AddTransLayer(Stirrup(0.03, 0.57, 0.0113, 3), 2);
        beam->SetName(name);
        beam->SetShapeType(kBeamTShape);
        beam->Validate();
        return beam;
    }

    // A deep 1000 mm rectangle with 100 bar layers of two bars each and five stirrup layers of
    // every kind the page draws: the heavy page of the benchmark.
    static std::unique_ptr<TBeam> ManyLayers()
    {
        auto beam = Empty();
        beam->AddRegion(1.0, 0.0, 0.6, 0.6, 0, 1);
        for (int i = 0; i < 100; ++i)
            beam->AddLongLayer(Bars(0.05 + 0.009 * i, 2, 0.016), 0);
        const int patterns[5] = {3, 2, 3, 5, 7};
        for (int k = 0; k < 5; ++k)
            beam->AddTransLayer(Stirrup(0.03 + 0.01 * k, 0.97 - 0.01 * k, 0.01, patterns[k]), 2);
        beam->SetName("Many layers");
        beam->Validate();
        return beam;
    }
};
