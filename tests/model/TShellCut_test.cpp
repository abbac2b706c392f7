// The membrane element cut from a beam section at a height.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "model/StructureFixtures.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "support/TestSupport.h"

namespace {

constexpr double kTight = 1e-12;
constexpr double kRatioTol = 1e-9;

// A T-beam in its own coordinates: a 1.0 m wide flange from 0.2 to 0.3 of 25 MPa concrete
// over a 0.3 m web from -0.3 to 0.2 of 40 MPa concrete, with stirrups of steel types 0, 1, 2
// (fy 400, 500, 300 MPa):
//   closed stirrups (2 legs) of 2 x 100 mm2 at 200 mm over -0.25 .. 0.25, type 0
//   single legs of 100 mm2 at 300 mm over -0.1 .. 0.1, type 1
//   closed flange stirrups of 2 x 50 mm2 at 100 mm over 0.22 .. 0.28, type 2
//   a pattern without web legs over -0.2 .. 0.2, type 2
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
    for (double fy : {400e6, 500e6, 300e6})
        beam.AddSteelType(fixtures::Steel(fy, 1.5 * fy, "S" + std::to_string(fy)));
    const auto add = [&beam](double bot, double top, double A, double s, int pattern, int type) {
        TransLayerRec layer = fixtures::Stirrup(bot, top, 0.01, s, A, pattern);
        layer.type = type;
        beam.AddTransLayer(layer, 2);
    };
    add(-0.25, 0.25, 200e-6, 0.2, 2, 0);
    add(-0.1, 0.1, 100e-6, 0.3, 1, 1);
    add(0.22, 0.28, 100e-6, 0.1, 2, 2);
    add(-0.2, 0.2, 100e-6, 0.2, 0, 2);
    beam.SetName("T-beam");
}

// The y layers of an element as (z, ratio, fy of their steel), lowest first.
std::vector<std::array<double, 3>> YLayers(const TShell& shell)
{
    std::vector<std::array<double, 3>> rows;
    for (int i = 0; i < shell.GetLongLayerCount(1); ++i) {
        const LongLayerRec* layer = shell.GetLongLayer(i, 1);
        rows.push_back({layer->z, layer->ratio, shell.GetSteelType(layer->type)->fy});
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

TEST(ShellCut, WebSliceTakesWebConcreteWidthAndStirrupLegs)
{
    RecordingReporter rec;
    TBeam beam;
    MakeTBeam(beam);
    TShell shell(beam, 0.0);
    EXPECT_TRUE(rec.messages.empty()); // nothing to repair in a slice of a sound beam
    EXPECT_EQ(shell.GetUniversity(), "Automatically Generated");

    // Thickness = web width, on its mid-plane, of the web's concrete; one steel type per
    // stirrup layer crossing z (the one without web legs included).
    const double b = 0.3;
    EXPECT_DOUBLE_EQ(shell.GetBottom(), -b / 2);
    ASSERT_EQ(shell.GetConcreteTypeCount(), 1);
    EXPECT_DOUBLE_EQ(shell.GetConcreteType(0)->fc, -40e6);
    EXPECT_EQ(shell.GetSteelTypeCount(), 3);

    // Closed stirrups: legs at b/3 and 2b/3 from the lower face; the single leg at b/2.
    // Ratio of a leg = its share of Av / (b s).
    const double legClosed = 100e-6 / (b * 0.2);
    const double legSingle = 100e-6 / (b * 0.3);
    const std::vector<std::array<double, 3>> expected = {
        {-b / 2 + b / 3, legClosed, 400e6},
        {0.0, legSingle, 500e6},
        {-b / 2 + 2 * b / 3, legClosed, 400e6},
    };
    const auto legs = YLayers(shell);
    ASSERT_EQ(legs.size(), expected.size());
    for (std::size_t i = 0; i < legs.size(); ++i) {
        EXPECT_NEAR(legs[i][0], expected[i][0], kTight) << i;
        EXPECT_NEAR(legs[i][1], expected[i][1], kRatioTol) << i;
        EXPECT_EQ(legs[i][2], expected[i][2]) << i;
    }
    // Validated: automatic crack spacings resolved, a unit shear-flow increment (1 kN/m).
    EXPECT_GT(shell.GetCrackSpacing(1), 0.0);
    LoadVector loads{};
    shell.GetIncrementLoads(loads.data(), kLoadCount);
    EXPECT_EQ(loads[2], 1000.0);
}

TEST(ShellCut, SliceDependsOnTheHeight)
{
    const struct {
        double z;
        double thickness;
        const char* concrete;
        std::size_t legs;
        double legRatio; // every leg of these cuts has the same ratio
    } rows[] = {
        // Flange: the web stirrups (reaching 0.25) and the flange stirrups cross it.
        {0.25, 1.0, "Flange", 4, 100e-6 / (1.0 * 0.2)},
        // Below the beam: held at its bottom, where no stirrup reaches.
        {-5.0, 0.3, "Web", 0, 0.0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.z);
        RecordingReporter rec;
        TBeam beam;
        MakeTBeam(beam);
        TShell shell(beam, row.z);
        EXPECT_DOUBLE_EQ(shell.GetHeight(), row.thickness);
        ASSERT_EQ(shell.GetConcreteTypeCount(), 1);
        EXPECT_EQ(shell.GetConcreteType(0)->name, row.concrete);
        const auto legs = YLayers(shell);
        ASSERT_EQ(legs.size(), row.legs);
        for (const auto& leg : legs)
            EXPECT_NEAR(leg[1], row.legRatio, kRatioTol);
    }

    // A beam without regions still gives an element with concrete to refer to.
    RecordingReporter rec;
    TBeam bare;
    bare.DeleteConcreteTypes();
    bare.DeleteRegions();
    TShell shell(bare, 0.0);
    EXPECT_EQ(shell.GetConcreteTypeCount(), 1);
    EXPECT_EQ(shell.GetRegionCount(), 1);
}

} // namespace
