#pragma once
// A beam section with every kind of document element, for the round-trip tests. Its values
// are chosen to be exact in the document's SI formats.

#include <memory>

#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/UserCurves.h"

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

    ConcreteTypeRec flange;
    InitConcreteTypeRec(flange);
    flange.name = "Flange \"C40\"";
    flange.fc = -40e6;
    flange.ft = 2.5e6;
    flange.ftAuto = 0;
    flange.tsFactor = 0.8;
    flange.aggregate = 0.02;
    flange.softening = 9;
    flange.tensionStiffening = 3;
    b.AddConcreteType(flange);

    ConcreteTypeRec web;
    InitConcreteTypeRec(web);
    web.name = "Web";
    web.fc = -30e6;
    web.ec = -0.0025;
    web.ecAuto = 0;
    web.baseCurve = BaseCurveCode::UserDefined;
    web.userCurve.reset(std::make_unique<TDepthTable>("Segmental Concrete"));
    web.userCurve->Add(0.0, 0.0);
    web.userCurve->Add(-0.001, -20e6);
    web.userCurve->Add(-0.002, -30e6);
    web.userCurve->Add(-0.0035, -25e6);
    FinishUserCurve(*web.userCurve);
    b.AddConcreteType(web);

    SteelTypeRec bar;
    InitSteelTypeRec(bar);
    bar.name = "Bar";
    bar.fy = 450e6;
    bar.fu = 600e6;
    bar.esh = 0.008;
    bar.eu = 0.1;
    b.AddSteelType(bar);

    SteelTypeRec curve;
    InitSteelTypeRec(curve);
    curve.kind = SteelKind::UserCurve;
    curve.name = "Curve";
    curve.fy = 500e6;
    curve.userCurve.reset(std::make_unique<TDepthTable>("Segmental Reinforcement"));
    curve.userCurve->Add(0.0, 0.0);
    curve.userCurve->Add(0.0025, 500e6);
    curve.userCurve->Add(0.05, 550e6);
    FinishUserCurve(*curve.userCurve);
    b.AddSteelType(curve);

    SteelTypeRec strand;
    InitSteelTypeRec(strand);
    strand.kind = SteelKind::Prestressing;
    strand.name = "Strand";
    strand.fu = 1860e6;
    strand.fy = 1674e6;
    strand.Es = 195e9;
    strand.A = 0.025;
    strand.B = 118.0;
    strand.C = 10.0;
    strand.eu = 0.043;
    b.AddSteelType(strand);

    b.AddRegion(0.6, 0.5, 1.0, 1.0, 0, 0);
    b.AddRegion(0.5, 0.0, 0.3, 0.3, 1, 1);
    b.SetShapeType(32766);

    const int catalogue = 10;
    LongLayerRec bottom;
    InitLongLayerRec(bottom);
    bottom.z = 0.05;
    bottom.num = 4;
    bottom.bartitle = g_RebarList.GetName(catalogue);
    bottom.barIndex = catalogue;
    bottom.Ai = g_RebarList.GetArea(catalogue);
    bottom.db = g_RebarList.GetDiameter(catalogue);
    bottom.A = 0.0012;
    bottom.type = 0;
    bottom.name = "bot";
    bottom.thermStrain = 0.0005;
    b.AddLongLayer(bottom, 0);

    LongLayerRec top;
    InitLongLayerRec(top);
    top.z = 0.55;
    top.num = 2;
    top.Ai = 0.0005;
    top.db = 0.025;
    top.A = 0.001;
    top.type = 1;
    top.space = 0.3;
    top.name = "top";
    b.AddLongLayer(top, 0);

    LongLayerRec tendon;
    InitLongLayerRec(tendon);
    tendon.z = 0.1;
    tendon.num = 1;
    tendon.Ai = 0.0007;
    tendon.db = 0.03;
    tendon.A = 0.0007;
    tendon.type = 2;
    tendon.dep = 0.006;
    tendon.drape = 0.02;
    tendon.name = "tendon";
    b.AddLongLayer(tendon, 0);

    TransLayerRec stirrup;
    InitTransLayerRec(stirrup);
    stirrup.A = 0.0002;
    stirrup.bartitle = g_RebarList.GetName(catalogue);
    stirrup.barIndex = catalogue;
    stirrup.Ai = g_RebarList.GetArea(catalogue);
    stirrup.db = g_RebarList.GetDiameter(catalogue);
    stirrup.space = 0.15;
    stirrup.disttop = 0.57;
    stirrup.distbot = 0.03;
    stirrup.pattern = 2;
    stirrup.type = 0;
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
