// The post-fire materials and names, without a fire run: a section at 20 degrees keeps its
// materials.

#include "member/fire/PostFireBeam.h"

#include <gtest/gtest.h>

#include "FireTestSupport.h"
#include "member/fire/TFireAnalysis.h"
#include "model/materials/MaterialTypes.h"
#include "model/materials/SteelLaws.h"
#include "model/materials/UserCurves.h"
#include "support/TestSupport.h"

namespace {

using firetest::FireBeam;
using firetest::TestSlots;

TEST(PostFireBeam, SectionAtTwentyDegreesKeepsItsMaterialsWhateverTheFactors)
{
    RecordingReporter reporter;
    // No face exposed: the started model holds the whole section at 20 degrees.
    const FireData fire{0, kISO834Fire, 0, 600.0, 1000.0};
    const auto beam = FireBeam(0.3, 0.6, fire, 3, true);
    TFireAnalysis_2Ds model(beam->GetHeight(), 0, kISO834Fire, 1000.0);
    model.Start(600.0);
    // Factored laws must not leak into the material curves, which the analysis factors.
    ValueGuard<ResistanceFactors> factors(g_ResistanceFactors, {0.65, 0.85, 0.9});

    const SteelTypeRec& bars = *beam->GetSteelType(0);
    const SteelTypeRec layer = MakeFireLayerSteel(*beam, model, 0, 0);
    int index = -1;
    EXPECT_NEAR(layer.userCurve->MaxValue(index), bars.fu, 1e-6 * bars.fu);
    EXPECT_NEAR(layer.fy, bars.fy, 0.01 * bars.fy);
    const SteelTypeRec stirrup = MakeFireStirrupSteel(*beam, model, 0, 0);
    EXPECT_DOUBLE_EQ(stirrup.fy, bars.fy);
    EXPECT_DOUBLE_EQ(stirrup.Es, bars.Es);
    EXPECT_EQ(stirrup.name, "Stirrup: 1");

    // The band curve samples the source curve every 0.2 mm/m: its peak within 1 %.
    const ConcreteTypeRec& source = *beam->GetConcreteType(0);
    const ConcreteTypeRec band = MakeFireLayerConcrete(*beam, model, 4, 0.0);
    EXPECT_EQ(band.name, "Lay: 5");
    EXPECT_NEAR(band.fc, source.fc, 0.01 * std::fabs(source.fc));
    EXPECT_NEAR(band.ft, source.ft, 1e-9 * source.ft);

    for (double strain : ComputeFireStrainProfile(*beam, model))
        EXPECT_EQ(strain, 0.0);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(PostFireBeam, StirrupOfAUserCurveSteelKeepsItsStrength)
{
    RecordingReporter reporter;
    const FireData fire{0, kISO834Fire, 0, 600.0, 1000.0};
    auto beam = FireBeam(0.3, 0.6, fire, 0, true);
    // A 500 MPa elastic-plastic user curve (the default curve would be 400 MPa).
    SteelTypeRec user;
    InitSteelTypeRec(user);
    user.kind = SteelKind::UserCurve;
    user.userCurve.reset(std::make_unique<TDepthTable>("user"));
    MakeDefaultSteelCurve(*user.userCurve, 5e8);
    CheckSteelType(user, false);
    beam->AddSteelType(user);
    beam->GetTransLayer(0, 2)->type = beam->GetSteelTypeCount() - 1;
    TFireAnalysis_2Ds model(beam->GetHeight(), 0, kISO834Fire, 1000.0);
    model.Start(600.0);

    const SteelTypeRec stirrup = MakeFireStirrupSteel(*beam, model, 0, 0);
    EXPECT_EQ(stirrup.kind, SteelKind::UserCurve);
    EXPECT_NEAR(stirrup.fy, 5e8, 1e6);
    EXPECT_NEAR(SteelStress(stirrup, 0.01, 0.0), 5e8, 1e6);
}

TEST(PostFireBeam, NamesAreKeptApartAndFitTheNameField)
{
    TestSlots slots(4);
    for (const char* taken : {"Z Beam - After Fire", "Z Beam - After Fire Next"}) {
        auto beam = std::make_unique<TBeam>();
        beam->SetName(taken);
        slots.Put(taken[19] == '\0' ? 0 : 1, std::move(beam));
    }
    EXPECT_EQ(PostFireBeamName("Beam", slots), "Z Beam - After Fire Next Next");
    EXPECT_EQ(PostFireBeamName("Column", slots), "Z Column - After Fire");

    // A long name is shortened so that the suffix stays whole within 99 characters.
    const std::string longName(99, 'x');
    const std::string name = PostFireBeamName(longName, slots);
    EXPECT_EQ(name.size(), kBeamNameChars);
    EXPECT_EQ(name.substr(name.size() - 13), " - After Fire");
}

} // namespace
