// What the user entered comes back from a save and a reopen: resistance factors whatever
// their sum, fire exposures a few seconds off the default, and regions that stand apart from
// or overlap the region above them.

#include <cmath>

#include "DocumentTestSupport.h"

#include "foundation/StrFormat.h"

namespace {

class DocumentKeeps : public DocumentTest {
protected:
    // Writes the structure, puts the program-wide factors back to their defaults (as a new
    // session has them) and reads the text into doc.
    TStructure& SaveAndReopen(TStructure& s)
    {
        text = Write({&s});
        g_ResistanceFactors = ResistanceFactors{};
        doc = XmlDocument{};
        const XmlResult r = Read(text, doc);
        EXPECT_TRUE(r.Ok()) << r.message;
        return *doc.structures.at(0);
    }
    std::string text;
    XmlDocument doc;
};

TEST_F(DocumentKeeps, EveryResistanceFactorCombinationComesBack)
{
    // The preferences take each factor from 0.01 to 10; sums of 3 and above are as much the
    // user's as the usual reductions.
    const ResistanceFactors rows[] = {{1.2, 1.0, 1.0},
                                      {1.2, 0.8, 1.0},
                                      {0.8, 1.2, 1.0},
                                      {1.0, 1.0, 1.5},
                                      {0.01, 10.0, 10.0},
                                      {10.0, 10.0, 10.0},
                                      {1.0, 1.005, 1.0},
                                      {0.65, 0.85, 0.9}};
    for (const ResistanceFactors& f : rows) {
        SCOPED_TRACE(StrPrintf("%g %g %g", f.phi_c, f.phi_s, f.phi_p));
        TBeam beam;
        beam.Validate();
        TShell shell;
        for (TStructure* s : std::initializer_list<TStructure*>{&beam, &shell}) {
            g_ResistanceFactors = f;
            SaveAndReopen(*s);
            EXPECT_NE(text.find("<analysisoptions"), std::string::npos);
            EXPECT_EQ(g_ResistanceFactors.phi_c, f.phi_c);
            EXPECT_EQ(g_ResistanceFactors.phi_s, f.phi_s);
            EXPECT_EQ(g_ResistanceFactors.phi_p, f.phi_p);
        }
    }
    // The defaults alone write no options.
    TBeam beam;
    beam.Validate();
    g_ResistanceFactors = ResistanceFactors{};
    SaveAndReopen(beam);
    EXPECT_EQ(text.find("<analysisoptions"), std::string::npos);
}

TEST_F(DocumentKeeps, FireExposuresOffTheDefaultComeBack)
{
    struct Row {
        int exposure;
        int type;
        int rebarperform;
        double time;
        double temperature;
    };
    // The default is 7, 0, 0, 1800 s, 1000 degrees: every row changes one setting.
    const Row rows[] = {{7, 0, 0, 29 * 60.0, 1000.0},
                        {7, 0, 0, 30.5 * 60.0, 1000.0},
                        {7, 0, 0, 31 * 60.0, 1000.0},
                        {7, 0, 0, 32 * 60.0, 1000.0},
                        {7, 0, 0, 1800.5, 1000.0},
                        {3, 0, 0, 1800.0, 1000.0},
                        {7, 2, 0, 1800.0, 1000.0},
                        {7, 0, 1, 1800.0, 1000.0},
                        {7, 0, 0, 1800.0, 1000.5},
                        {7, 0, 0, 1800.0, 999.0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(StrPrintf("%d %d %d %g %g",
                               row.exposure,
                               row.type,
                               row.rebarperform,
                               row.time,
                               row.temperature));
        TBeam beam;
        beam.Validate();
        beam.SetFireData(row.exposure, row.type, row.rebarperform, row.time, row.temperature);
        const TStructure& read = SaveAndReopen(beam);
        int exposure = 0;
        int type = 0;
        int rebarperform = 0;
        double time = 0.0;
        double temperature = 0.0;
        read.GetFireData(exposure, type, rebarperform, time, temperature);
        EXPECT_EQ(exposure, row.exposure);
        EXPECT_EQ(type, row.type);
        EXPECT_EQ(rebarperform, row.rebarperform);
        EXPECT_DOUBLE_EQ(time, row.time);
        EXPECT_DOUBLE_EQ(temperature, row.temperature);
    }
    // Settings that read back as the defaults are not written.
    TBeam beam;
    beam.Validate();
    beam.SetFireData(7, 0, 0, 1800.0, 1000.0);
    SaveAndReopen(beam);
    EXPECT_EQ(text.find("<firedata"), std::string::npos);
}

} // namespace
