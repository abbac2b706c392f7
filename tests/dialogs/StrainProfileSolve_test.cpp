// Strain profiles typed in the strain dialogs a few millimetres inside a face, as near as the
// dialog lets a user type them: what the section then imposes keeps between the rows typed,
// is what the dialog draws, and Solve > Sectional Response runs to the section's strength
// without a box.

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandIds.h"
#include "dialogs/StrainProfile.h"
#include "dialogs/TShrink.h"
#include "foundation/ChartPointSink.h"
#include "model/TBeam.h"
#include "tests/dialogs/SectionDialogShell.h"
#include "tests/model/StructureFixtures.h"

namespace {

// A 300 x 600 mm section of two concretes, 35 MPa (the default) below 500 mm and 50 MPa above,
// with 3 bars of 500 mm^2 50 mm over its bottom and 2 of 200 mm^2 at 550 mm, of the default
// 400 MPa steel, under the default moment increment.
std::unique_ptr<TBeam> TwoConcreteSection() {
    auto beam = std::make_unique<TBeam>();
    beam->NewDefault();
    double strength = 50e6;
    beam->AddConcreteTypeFromStrength(strength, "Concrete 2");
    beam->AddRegion(0.6, 0.5, 0.3, 0.3, 1, 1);
    beam->AddRegion(0.5, 0.0, 0.3, 0.3, 0, 1);
    beam->DeleteLongLayers(0);
    beam->AddLongLayer(fixtures::Bars("Bottom", 0.05, 3, 500e-6), 0);
    beam->AddLongLayer(fixtures::Bars("Top", 0.55, 2, 200e-6), 0);
    beam->SetName("Two concretes");
    beam->Validate();
    return beam;
}

// The profile's points as the dialog draws them (strain in mm/m, height over the bottom in mm).
struct ProfilePoints final : ChartPointSink {
    void AddPoint(double x, double y) override { points.emplace_back(x, y); }
    std::vector<std::pair<double, double>> points;
};

class StrainProfileSolveTest : public SectionDialogShellTest {
protected:
    void OpenTwoConcreteSection() {
        OpenMade("two-concretes.qvh", TwoConcreteSection());
    }
    TBeam& Beam() { return static_cast<TBeam&>(*Window().GetCurrentStructure()); }
};

} // namespace

// Shrinkage typed as -0.300 mm/m at 597 mm (a 600 mm section's spacing of 3 mm from the 0 that
// closes the profile at the face), -0.200 at 300 mm and -0.100 at the bottom: every millimetre
// of the section imposes a strain between -0.3 and 0 mm/m, the line between the rows typed
// where the parabola through them would dip to -7.6 mm/m, as the dialog draws it; the section
// solves without a box to a peak moment between the bars' yield (As fy (d - a/2) with the
// 50 MPa block, 316 kN m) and their strength (As 1.5 fy (d - a/2), 463 kN m).
TEST_F(StrainProfileSolveTest, ShrinkageTypedNearTheTopKeepsBetweenItsRowsAndSolvesWithoutABox) {
    OpenTwoConcreteSection();
    std::vector<std::string> listed;
    ui.Dialog("Shrinkage and Thermal Strains", [&listed](plat::DialogDriver& d) {
        for (const auto& [elevation, strain] : {std::pair{"597", "-0.300"}, std::pair{"300", "-0.200"}}) {
            d.Type(ShrinkId::Elevation, elevation);
            d.Type(ShrinkId::Strain, strain);
            d.Click(ShrinkId::Add);
        }
        d.Select(ShrinkId::Rows, 3);
        d.Type(ShrinkId::Elevation, "0");
        d.Type(ShrinkId::Strain, "-0.100");
        d.Click(ShrinkId::Modify);
        listed = d.Items(ShrinkId::Rows);
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::ThermalShrinkageStrains, 0, 0));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(listed, (std::vector<std::string>{"   600       0.000", "   597      -0.300", "   300      -0.200",
                                                "     0      -0.100"}));

    TBeam& beam = Beam();
    beam.Validate();
    const double bottom = beam.GetBottom();
    for (int mm = 0; mm <= 600; ++mm) {
        const double strain = beam.GetInitialStrainAt(bottom + mm / 1000.0, 0);
        EXPECT_GE(strain, -0.3e-3) << mm << " mm";
        EXPECT_LE(strain, 0.0) << mm << " mm";
    }
    EXPECT_NEAR(beam.GetInitialStrainAt(bottom + 0.449, 0), -0.2e-3 - 0.1e-3 * 149.0 / 297.0, 1e-12);
    ProfilePoints drawn;
    TStrainProfile(beam, 0).FillChart(drawn, [&drawn] { drawn.points.clear(); });
    ASSERT_EQ(drawn.points.size(), 101u);
    for (const auto& [strain, height] : drawn.points)
        EXPECT_NEAR(strain, beam.GetInitialStrainAt(bottom + height / 1000.0, 0) * 1000.0, 1e-9) << height << " mm";

    const int before = Boxes();
    const SectionalAnswer a = Solve();
    EXPECT_EQ(Boxes(), before);
    EXPECT_EQ(a.errors, 0);
    double peak = 0.0;
    for (std::size_t i = StateResult::Moment; i < a.values.size(); i += StateResult::Count)
        peak = std::max(peak, std::fabs(a.values[i]));
    EXPECT_GT(peak, 316e3);
    EXPECT_LT(peak, 463e3);
}

// The strain discontinuity typed as 0.3 mm/m at 500 mm (nothing at the top and the bottom)
// reaches the section as the lines between its rows: 0.18 mm/m at 300 mm, not the 0.54 of the
// parabola through them, and every millimetre between 0 and 0.3 mm/m.
TEST_F(StrainProfileSolveTest, AStrainDiscontinuityKeepsBetweenItsRows) {
    OpenTwoConcreteSection();
    ui.Dialog("Strain Discontinuity", [](plat::DialogDriver& d) {
        d.Type(ShrinkId::Elevation, "500");
        d.Type(ShrinkId::Strain, "0.300");
        d.Click(ShrinkId::Add);
        d.Click(plat::DialogResult::Ok);
    });
    EXPECT_TRUE(Window().EvCommand(CmId::StrainDiscontinuity, 0, 0));
    EXPECT_TRUE(ui.Done());
    TBeam& beam = Beam();
    beam.Validate();
    const double bottom = beam.GetBottom();
    EXPECT_NEAR(beam.GetStrainDiscontinuity(bottom + 0.3, 0), 0.18e-3, 1e-15);
    for (int mm = 0; mm <= 600; ++mm) {
        const double strain = beam.GetStrainDiscontinuity(bottom + mm / 1000.0, 0);
        EXPECT_GE(strain, 0.0) << mm << " mm";
        EXPECT_LE(strain, 0.3e-3) << mm << " mm";
    }
}
