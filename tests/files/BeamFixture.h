#pragma once
// A beam section with every kind of document element, for the round-trip tests. Its values
// are chosen to be exact in the document's SI formats.

#include <initializer_list>
#include <memory>
#include <tuple>
#include <utility>

#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/UserCurves.h"
#include "tests/model/StructureFixtures.h"

// A user curve of the given (strain, stress) pairs, finished.
inline std::unique_ptr<TDepthTable>
FinishedCurve(const char* name, std::initializer_list<std::pair<double, double>> pairs)
{
    auto table = std::make_unique<TDepthTable>(name);
    for (const auto& [strain, stress] : pairs)
        table->Add(strain, stress);
    FinishUserCurve(*table);
    return table;
}

inline std::unique_ptr<TBeam> MakeFullBeam()
{
    auto beam = std::make_unique<TBeam>();
    TBeam& b = *beam;
    b.DeleteConcreteTypes();
    b.DeleteSteelTypes();
    b.SetName("T-beam & <web>");
    b.SetDoneBy("A. Engineer");
    b.SetCrackSpacing(0.05, 0);
    b.SetCrackSpacing(0.2, 2);

    // Two concretes (the web with a user curve), plain bars, bars by a user curve, strands.
    ConcreteTypeRec flange;
    InitConcreteTypeRec(flange);
    flange.name = "Flange \"C40\"";
    std::tie(flange.fc, flange.ft, flange.tsFactor, flange.aggregate) =
        std::make_tuple(-40e6, 2.5e6, 0.8, 0.02);
    flange.ftAuto = 0;
    flange.softening = 9;
    flange.tensionStiffening = 3;
    b.AddConcreteType(flange);

    ConcreteTypeRec web;
    InitConcreteTypeRec(web);
    web.name = "Web";
    std::tie(web.fc, web.ec) = std::make_tuple(-30e6, -0.0025);
    web.ecAuto = 0;
    web.baseCurve = BaseCurveCode::UserDefined;
    web.userCurve.reset(
        FinishedCurve("Segmental Concrete",
                      {{0.0, 0.0}, {-0.001, -20e6}, {-0.002, -30e6}, {-0.0035, -25e6}}));
    b.AddConcreteType(web);

    SteelTypeRec bar = fixtures::Steel(450e6, 600e6, "Bar");
    std::tie(bar.esh, bar.eu) = std::make_tuple(0.008, 0.1);
    b.AddSteelType(bar);

    SteelTypeRec curve;
    InitSteelTypeRec(curve);
    curve.kind = SteelKind::UserCurve;
    curve.name = "Curve";
    curve.fy = 500e6;
    curve.userCurve.reset(
        FinishedCurve("Segmental Reinforcement", {{0.0, 0.0}, {0.0025, 500e6}, {0.05, 550e6}}));
    b.AddSteelType(curve);

    SteelTypeRec strand;
    InitSteelTypeRec(strand);
    strand.kind = SteelKind::Prestressing;
    strand.name = "Strand";
    std::tie(strand.fu, strand.fy, strand.Es, strand.A, strand.B, strand.C, strand.eu) =
        std::make_tuple(1860e6, 1674e6, 195e9, 0.025, 118.0, 10.0, 0.043);
    b.AddSteelType(strand);

    b.AddRegion(0.6, 0.5, 1.0, 1.0, 0, 0);
    b.AddRegion(0.5, 0.0, 0.3, 0.3, 1, 1);
    b.SetShapeType(32766);

    // Bars of catalogue entry 10 at the bottom, bars by area at the top, and a tendon.
    const int catalogue = 10;
    const auto layer =
        [](double z, int num, double Ai, double db, double A, int type, const char* name) {
            LongLayerRec r;
            InitLongLayerRec(r);
            std::tie(r.z, r.num, r.Ai, r.db, r.A, r.type, r.name) =
                std::make_tuple(z, num, Ai, db, A, type, name);
            return r;
        };
    LongLayerRec bottom = layer(0.05,
                                4,
                                g_RebarList.GetArea(catalogue),
                                g_RebarList.GetDiameter(catalogue),
                                0.0012,
                                0,
                                "bot");
    bottom.bartitle = g_RebarList.GetName(catalogue);
    bottom.barIndex = catalogue;
    bottom.thermStrain = 0.0005;
    b.AddLongLayer(bottom, 0);
    LongLayerRec top = layer(0.55, 2, 0.0005, 0.025, 0.001, 1, "top");
    top.space = 0.3;
    b.AddLongLayer(top, 0);
    LongLayerRec tendon = layer(0.1, 1, 0.0007, 0.03, 0.0007, 2, "tendon");
    tendon.dep = 0.006;
    tendon.drape = 0.02;
    b.AddLongLayer(tendon, 0);

    TransLayerRec stirrup =
        fixtures::Stirrup(0.03, 0.57, g_RebarList.GetDiameter(catalogue), 0.15, 0.0002);
    stirrup.bartitle = g_RebarList.GetName(catalogue);
    stirrup.barIndex = catalogue;
    stirrup.Ai = g_RebarList.GetArea(catalogue);
    stirrup.name = "stirrups";
    b.AddTransLayer(stirrup, 2);

    TDepthTable shrink("shrink");
    shrink.Add(0.6, -0.0003);
    shrink.Add(0.3, -0.0002);
    shrink.Add(0.0, -0.0001);
    b.SetShrinkThermCurve(shrink);
    TDepthTable step("step");
    step.Add(0.5, 0.0004);
    step.Add(0.2, 0.0);
    b.SetStrainDiscontinuity(step);

    const double constant[kLoadCount] = {-100e3, 50e3, 0.0};
    const double increment[kLoadCount] = {0.0, -1e3, 2e3};
    b.SetConstantLoads(constant, kLoadCount);
    b.SetIncrementLoads(increment, kLoadCount);
    b.SetTimeData(1, 28.0, -20e3, -50e3);
    b.SetFireData(1, 2, 1, 3600.0, 800.0);
    b.Validate();
    return beam;
}
