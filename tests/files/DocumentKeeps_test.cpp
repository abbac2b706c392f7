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

} // namespace
