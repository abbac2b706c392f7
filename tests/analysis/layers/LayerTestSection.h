#pragma once
// A rectangular beam section whose material values are given outright, so that tests can
// work out stresses by hand: concrete f'c -35 MPa, f't 2 MPa, Ec 30 GPa, e'c -0.002;
// reinforcing steel Es 200 GPa, fy 400 MPa, fu 600 MPa, esh 0.007, eu 0.1, er 0.1465.

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/layers/LayerEvaluation.h"
#include "analysis/state/AnalysisMessages.h"
#include "analysis/state/SectionState.h"
#include "model/StructureRecords.h"
#include "model/TBeam.h"
#include "model/materials/MaterialTypes.h"
#include "support/TestSupport.h"

namespace layertest {

inline constexpr double kWidth = 0.3, kTop = 0.25, kBottom = -0.25;
inline constexpr double kEc = 30e9, kFt = 2e6, kEs = 2e11, kFy = 4e8;

// The tension-stiffening factor and coefficient and the aggregate size are the record's
// defaults (1, 500, 19 mm), as is the steel's kind (reinforcing).
inline ConcreteTypeRec Concrete()
{
    ConcreteTypeRec type;
    type.fc = -35e6, type.ec = -0.002, type.Ec = kEc, type.ft = kFt, type.ecr = kFt / kEc;
    type.n = 2.86, type.k = 1.23;
    type.baseCurve = 2, type.softening = 18, type.tensionStiffening = 2;
    type.name = "Concrete 1";
    return type;
}

inline SteelTypeRec Steel()
{
    SteelTypeRec steel;
    steel.Es = kEs, steel.fy = kFy, steel.fu = 6e8, steel.esh = 0.007, steel.eu = 0.1;
    steel.er = 0.1465, steel.name = "Steel 1";
    return steel;
}

// Turns a beam into the rectangle kTop ... kBottom, kWidth wide, with concrete type 0 and
// steel type 0 as above and no reinforcement.
inline void MakeRectangle(TBeam& s)
{
    s.ClearAll();
    s.DeleteRegions();
    s.AddConcreteType(Concrete());
    s.AddSteelType(Steel());
    s.AddRegion(kTop, kBottom, kWidth, kWidth, 0, 1);
}

inline LongLayerRec Bars(double z, int count, double barArea, double diameter)
{
    LongLayerRec layer;
    layer.z = z, layer.num = count, layer.Ai = barArea, layer.A = count * barArea;
    layer.db = diameter, layer.bartitle = "25M", layer.name = "Bars";
    return layer;
}

inline TransLayerRec Stirrups(double area, double spacing, double bottom, double top)
{
    TransLayerRec layer;
    layer.A = area, layer.space = spacing, layer.distbot = bottom, layer.disttop = top;
    layer.legs = 2, layer.bartitle = "10M", layer.name = "Stirrups";
    return layer;
}

// Bars: 3 x 500 mm^2, 25 mm, at z = -0.2 m. Under e = -0.004 z they strain 0.0008 (160 MPa);
// their crack strain limit 2 x 0.0008 + (0.007 - 0.002) lies on the plateau, so their stress
// at a crack is fy.
constexpr double kBarArea = 1.5e-3, kBarZ = -0.2, kSlope = -0.004, kBarStress = 160e6;

// The rectangle above with the analysis messages installed and the resistance factors 1.
struct LayerTest : ::testing::Test {
    RecordingReporter reporter;
    AnalysisMessages messages;
    ScopedAnalysisMessages installMessages{messages};
    ValueGuard<ResistanceFactors> factors{g_ResistanceFactors, ResistanceFactors{}};
    TBeam beam;
    FailedFlagLists flags;

    LayerTest() { MakeRectangle(beam); }
};

// Two layers, 0.25 ... 0 and 0 ... -0.25, nodes 0 to 4 from the top down, all of
// concrete type 0 and at rest; bar stresses as given.
inline SectionState
TwoLayerState(const TBeam& beam, double e0, double slope, const std::vector<double>& barStresses)
{
    SectionState s;
    s.Valid = 1;
    s.Results[StateResult::ReferenceStrain] = e0;
    s.Results[StateResult::Curvature] = slope;
    const std::size_t n = std::max<std::size_t>(1, barStresses.size());
    s.LongBarValues[BarArray::List0Stress] = barStresses;
    s.LongBarValues[BarArray::List0Stress].resize(n, 0.0);
    s.LongBarValues[BarArray::List0Second].assign(n, 0.0);
    s.LongBarValues[BarArray::List1Stress].assign(1, 0.0);
    s.LongBarValues[BarArray::List1Second].assign(1, 0.0);
    s.LongBarExtra[0].assign(n, 0.0), s.LongBarExtra[1].assign(n, 0.0);
    s.DirectionValues[0].assign(n, 0.0);
    s.TransLayerFlags.assign(static_cast<std::size_t>(beam.GetTransLayerCount(2)), 0);
    s.LayerDefs = {LayerDefRec{0, 1, 2, 0, 0, kTop, kTop / 2, 0.0, kTop},
                   LayerDefRec{2, 3, 4, 0, 0, 0.0, kBottom / 2, kBottom, -kBottom}};
    s.LayerCount = 2;
    s.NodeStates.assign(5, LayerNodeStateRec{});
    const double depths[5] = {kTop, kTop / 2, 0.0, kBottom / 2, kBottom};
    for (int i = 0; i < 5; ++i)
        s.NodeStates[static_cast<std::size_t>(i)].Depth = depths[i];
    return s;
}

// Cracks the nodes of the lower layer (ids 2 to 4): principal tensile strain 0.001,
// crack width 0.4 mm, crack spacing 0.2 m, and the given f1.
inline void CrackLowerLayer(SectionState& s, double f1)
{
    for (int id = 2; id <= 4; ++id) {
        LayerNodeStateRec& node = s.NodeStates[static_cast<std::size_t>(id)];
        node.Strain1 = 0.001, node.ConcStress1 = f1, node.CrackWidth = 0.0004;
        node.CrackSpacingX = 0.2, node.CrackAngle = 1.5707963267945;
    }
}

} // namespace layertest
