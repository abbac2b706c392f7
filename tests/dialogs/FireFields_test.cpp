// The post-fire parameters as the dialog shows and stores them: the defaults, the corrected
// entries with their messages, and the temperature in degrees F in US customary units.

#include <gtest/gtest.h>

#include "dialogs/FireFields.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "support/TestSupport.h"

namespace {

struct FireFieldsTest : ::testing::Test {
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    RecordingReporter reporter;
    TBeam beam;

    FireData Stored() const
    {
        FireData f;
        beam.GetFireData(f.exposure, f.type, f.rebarperform, f.time, f.constanttemp);
        return f;
    }
};

TEST_F(FireFieldsTest, DefaultsShowAllFacesIsoAndHalfAnHour)
{
    const FireFields f = ShowFireFields(beam);
    EXPECT_TRUE(f.bottom && f.sides && f.top);
    EXPECT_EQ(f.curve, 0);
    EXPECT_EQ(f.minutes, "   30");
    EXPECT_EQ(f.temperature, " 1000");
    EXPECT_EQ(f.temperatureUnit, "degrees C");
    EXPECT_EQ(f.rebarType, 0);
    // Stored unchanged: nothing to mark.
    EXPECT_EQ(ApplyFireFields(beam, f), 0);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(FireFieldsTest, EntriesOutOfRangeAreCorrectedWithAMessage)
{
    FireFields f = ShowFireFields(beam);
    f.bottom = f.sides = f.top = false;
    f.minutes = "4";
    f.curve = 2;
    f.rebarType = 2;
    EXPECT_EQ(ApplyFireFields(beam, f), 1);
    EXPECT_TRUE(reporter.Saw("No sides of beam selected for fire exposure. Reset to bottom only"));
    EXPECT_TRUE(reporter.Saw("Minimum fire exposure is 5 min."));
    FireData s = Stored();
    EXPECT_EQ(s.exposure, 1);
    EXPECT_EQ(s.time, 300.0);
    EXPECT_EQ(s.type, 2);
    EXPECT_EQ(s.rebarperform, 2);

    reporter.Clear();
    f = ShowFireFields(beam);
    f.minutes = "600.5";
    ApplyFireFields(beam, f);
    EXPECT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].caption, "Error in Timing");
    EXPECT_EQ(Stored().time, 36000.0);

    reporter.Clear();
    f.minutes = "600";
    f.sides = true;
    ApplyFireFields(beam, f);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(Stored().time, 36000.0);
    EXPECT_EQ(Stored().exposure, 3);

    // A word is no time: refused, and nothing stored.
    f.minutes = "soon";
    EXPECT_EQ(CheckFireFields(f).field, 0);
    ApplyFireFields(beam, f);
    EXPECT_EQ(Stored().time, 36000.0);
}

TEST_F(FireFieldsTest, UsUnitsShowAndReadFahrenheit)
{
    ValueGuard<int> us{g_UnitSystem, kUnitUS};
    FireFields f = ShowFireFields(beam);
    EXPECT_EQ(f.temperatureUnit, "degrees F");
    EXPECT_EQ(f.temperature, " 1832"); // 1.8 x 1000 + 32
    f.temperature = "212";
    ApplyFireFields(beam, f);
    EXPECT_NEAR(Stored().constanttemp, 100.0, 1e-9);
}

} // namespace
