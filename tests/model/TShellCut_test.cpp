// The membrane element cut from a beam section at a height.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/TBeam.h"
#include "model/TShell.h"
#include "support/TestSupport.h"

namespace {

constexpr double kTight = 1e-12;
constexpr double kRatioTol = 1e-9;

struct StirrupSpec {
    double distbot;
    double disttop;
    double A; // all legs
    double s;
    int pattern;
    int steelType;
};

void AddSteel(TStructure& s, double fy, const std::string& name)
{
    SteelTypeRec steel;
    InitSteelTypeRec(steel);
    steel.fy = fy;
    steel.fu = 1.5 * fy;
    steel.name = name;
    s.AddSteelType(steel);
}

// A T-beam in its own coordinates: a 1.0 m wide flange from 0.2 to 0.3 of 25 MPa concrete
// over a 0.3 m web from -0.3 to 0.2 of 40 MPa concrete, with these stirrups:
//   0: closed stirrups (2 legs) of 2 x 100 mm2 at 200 mm over -0.25 .. 0.25, fy 400 MPa
//   1: single legs of 100 mm2 at 300 mm over -0.1 .. 0.1, fy 500 MPa
//   2: closed flange stirrups of 2 x 50 mm2 at 100 mm over 0.22 .. 0.28, fy 300 MPa
//   3: a pattern without web legs over -0.2 .. 0.2
void MakeTBeam(TBeam& beam)
{
    beam.DeleteConcreteTypes();
    beam.DeleteSteelTypes();
    beam.DeleteRegions();
    double web = 40e6, flange = 25e6;
    beam.AddConcreteTypeFromStrength(web, "Web");
    beam.AddConcreteTypeFromStrength(flange, "Flange");
    beam.AddRegion(0.3, 0.2, 1.0, 1.0, 1, 1);
    beam.AddRegion(0.2, -0.3, 0.3, 0.3, 0, 1);
    AddSteel(beam, 400e6, "Stirrups");
    AddSteel(beam, 500e6, "Ties");
    AddSteel(beam, 300e6, "Hoops");
    const StirrupSpec stirrups[] = {
        {-0.25, 0.25, 200e-6, 0.2, 2, 0},
        {-0.1, 0.1, 100e-6, 0.3, 1, 1},
        {0.22, 0.28, 100e-6, 0.1, 2, 2},
        {-0.2, 0.2, 100e-6, 0.2, 0, 2},
    };
    for (const auto& spec : stirrups) {
        TransLayerRec layer;
        InitTransLayerRec(layer);
        layer.distbot = spec.distbot;
        layer.disttop = spec.disttop;
        layer.A = spec.A;
        layer.db = 0.01;
        layer.space = spec.s;
        layer.pattern = spec.pattern;
        layer.type = spec.steelType;
        layer.name = "St";
        beam.AddTransLayer(layer, 2);
    }
    beam.SetName("T-beam");
    beam.SetDoneBy("Bob");
    beam.SetDate("2020/1/2");
}

// The y layers of an element as (z, ratio, fy of their steel), lowest first.
struct LegRow {
    double z;
    double ratio;
    double fy;
};
std::vector<LegRow> YLayers(const TShell& shell)
{
    std::vector<LegRow> rows;
    for (int i = 0; i < shell.GetLongLayerCount(1); ++i) {
        const LongLayerRec* layer = shell.GetLongLayer(i, 1);
        rows.push_back({layer->z, layer->ratio, shell.GetSteelType(layer->type)->fy});
    }
    std::sort(rows.begin(), rows.end(), [](const LegRow& a, const LegRow& b) { return a.z < b.z; });
    return rows;
}

TEST(ShellCut, WebSliceTakesWebConcreteWidthAndStirrupLegs)
{
    RecordingReporter rec;
    TBeam beam;
    MakeTBeam(beam);
    TShell shell(beam, 0.0);
    EXPECT_TRUE(rec.messages.empty()); // nothing to repair in a slice of a sound beam

    EXPECT_EQ(shell.GetKind(), kKindShell);
    EXPECT_EQ(shell.GetName(), "T-beam");
    EXPECT_EQ(shell.GetDoneBy(), "Bob");
    EXPECT_EQ(shell.GetDate(), "2020/1/2");
    EXPECT_EQ(shell.GetUniversity(), "Automatically Generated");

    // Thickness = web width, on its mid-plane.
    const double b = 0.3;
    EXPECT_DOUBLE_EQ(shell.GetHeight(), b);
    EXPECT_DOUBLE_EQ(shell.GetBottom(), -b / 2);
    ASSERT_EQ(shell.GetConcreteTypeCount(), 1);
    EXPECT_EQ(shell.GetConcreteType(0)->name, "Web");
    EXPECT_DOUBLE_EQ(shell.GetConcreteType(0)->fc, -40e6);
    EXPECT_EQ(shell.GetRegion(0)->concreteType, 0);

    // One steel type per stirrup layer crossing z (the one without web legs included).
    EXPECT_EQ(shell.GetSteelTypeCount(), 3);
    EXPECT_EQ(shell.GetLongLayerCount(0), 0);

    // Closed stirrups: legs at b/3 and 2b/3 from the lower face; the single leg at b/2.
    // Ratio of a leg = its share of Av / (b s).
    const double legClosed = 100e-6 / (b * 0.2);
    const double legSingle = 100e-6 / (b * 0.3);
    const std::vector<LegRow> expected = {
        {-b / 2 + b / 3, legClosed, 400e6},
        {0.0, legSingle, 500e6},
        {-b / 2 + 2 * b / 3, legClosed, 400e6},
    };
    const std::vector<LegRow> legs = YLayers(shell);
    ASSERT_EQ(legs.size(), expected.size());
    for (std::size_t i = 0; i < legs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(legs[i].z, expected[i].z, kTight);
        EXPECT_NEAR(legs[i].ratio, expected[i].ratio, kRatioTol);
        EXPECT_EQ(legs[i].fy, expected[i].fy);
    }

    // The panel's y reinforcement is the beam's stirrup reinforcement Av / (b s).
    double rho = 0, rhoFy = 0;
    shell.GetSteelTotals(rho, rhoFy, 0, 1);
    const double rhoV = 200e-6 / (b * 0.2) + 100e-6 / (b * 0.3);
    EXPECT_NEAR(rho, rhoV, kRatioTol);
    EXPECT_NEAR(rhoFy, 200e-6 / (b * 0.2) * 400e6 + 100e-6 / (b * 0.3) * 500e6, 1e-3);

    // Validated: automatic crack spacings resolved, a unit shear-flow increment.
    for (int d = 0; d < 2; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(shell.IsCrackSpacingAuto(d), 1);
        EXPECT_GT(shell.GetCrackSpacing(d), 0.0);
    }
    LoadVector loads{};
    shell.GetIncrementLoads(loads.data(), kLoadCount);
    EXPECT_EQ(loads[2], 1000.0);
}

TEST(ShellCut, SliceDependsOnTheHeight)
{
    const struct {
        const char* where;
        double z;
        double thickness;
        const char* concrete;
        int legs;
        double legRatio; // every leg of these cuts has the same ratio
    } rows[] = {
        // Flange: the web stirrups (reaching 0.25) and the flange stirrups cross it.
        {"flange", 0.25, 1.0, "Flange", 4, 100e-6 / (1.0 * 0.2)},
        // Above the beam: held at its top, where no stirrup reaches.
        {"above the top", 5.0, 1.0, "Flange", 0, 0.0},
        // Below the beam: held at its bottom.
        {"below the bottom", -5.0, 0.3, "Web", 0, 0.0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.where);
        RecordingReporter rec;
        TBeam beam;
        MakeTBeam(beam);
        TShell shell(beam, row.z);
        EXPECT_DOUBLE_EQ(shell.GetHeight(), row.thickness);
        ASSERT_EQ(shell.GetConcreteTypeCount(), 1);
        EXPECT_EQ(shell.GetConcreteType(0)->name, row.concrete);
        const std::vector<LegRow> legs = YLayers(shell);
        ASSERT_EQ(static_cast<int>(legs.size()), row.legs);
        for (const auto& leg : legs)
            EXPECT_NEAR(leg.ratio, row.legRatio, kRatioTol);
    }
}

TEST(ShellCut, BeamWithoutRegionsStillGivesAnElementWithConcrete)
{
    RecordingReporter rec;
    TBeam beam;
    beam.DeleteConcreteTypes();
    beam.DeleteRegions();
    TShell shell(beam, 0.0);
    // The region of the element always has a concrete type to refer to.
    EXPECT_EQ(shell.GetConcreteTypeCount(), 1);
    EXPECT_EQ(shell.GetRegionCount(), 1);
    EXPECT_EQ(shell.GetLongLayerCount(1), 0);
}

} // namespace
