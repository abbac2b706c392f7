// What the user entered comes back from a save and a reopen: resistance factors whatever
// their sum, fire exposures a few seconds off the default, and regions that stand apart from
// or overlap the region above them.

#include <cmath>

#include "DocumentTestSupport.h"
#include "analysis/AnalysisBaseFakes.h"
#include "analysis/PointSections.h"
#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"

#include "foundation/StrFormat.h"
#include "model/shapes/SectionShape.h"

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

// A membrane element whose increments the user emptied is saved with an empty loading element
// and comes back without an increment, saving again to the same text; a document with no loading
// element at all keeps the shear increment of a new element.
TEST_F(DocumentKeeps, AMembraneElementWithoutIncrementsComesBackWithout)
{
    TShell shell;
    const LoadVector none{};
    shell.SetIncrementLoads(none.data(), kLoadCount);
    TStructure& reopened = SaveAndReopen(shell);
    const std::string first = text;
    const std::string empty = "<sectloading_shell\t\t/>";
    EXPECT_NE(first.find(empty), std::string::npos) << first;
    LoadVector increments{};
    reopened.GetIncrementLoads(increments.data(), kLoadCount);
    EXPECT_EQ(increments, none);
    SaveAndReopen(reopened);
    EXPECT_EQ(text, first);

    std::string older = first;
    older.erase(older.find(empty), empty.size());
    doc = XmlDocument{};
    ASSERT_TRUE(Read(older, doc).Ok());
    doc.structures.at(0)->GetIncrementLoads(increments.data(), kLoadCount);
    EXPECT_EQ(increments[0], 0.0);
    EXPECT_EQ(increments[1], 0.0);
    EXPECT_DOUBLE_EQ(increments[2], 1e6);  // N/m
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

// A section of the given regions (top, bottom, widths) of 35 MPa concrete, with 1500 mm^2 of
// bars 50 mm above the bottom, under a moment increment of -1 kN m.
std::unique_ptr<TBeam> SectionOf(std::initializer_list<ConcreteRegionRec> regions)
{
    auto beam = PointSections::Empty();
    for (const ConcreteRegionRec& r : regions)
        beam->AddRegion(r, 0);
    beam->UpdateExtents();
    beam->SetShapeType(kUserShapeCode);
    LongLayerRec bars;
    InitLongLayerRec(bars);
    bars.z = 0.05;
    bars.num = 3;
    bars.Ai = 500e-6;
    bars.A = 1500e-6;
    bars.db = 0.025;
    bars.name = "Bars";
    beam->AddLongLayer(bars, 0);
    beam->Validate();
    PointSections::SetLoads(*beam, 0, 0, 0, 0, -1000.0, 0);
    return beam;
}

std::string ErrorTexts(const TSectionalAnalysis& a)
{
    std::string texts;
    for (int i = 0; i < a.GetErrorCount(); ++i) {
        std::string text;
        std::string title;
        int code = 0;
        a.GetError(i, text, title, code);
        texts += text + "\n";
    }
    return texts;
}

// The same stages with the same results, to the rounding of the section's depths that the
// reopened section is moved by.
void ExpectSameStages(const T1DAnalysis& a, const T1DAnalysis& b)
{
    ASSERT_EQ(b.GetLastStageIndex(), a.GetLastStageIndex());
    for (int i = 0; i <= a.GetLastStageIndex(); ++i) {
        const SectionState* x = a.GetStage(i);
        const SectionState* y = b.GetStage(i);
        ASSERT_EQ(x == nullptr, y == nullptr) << "stage " << i;
        if (x == nullptr)
            continue;
        ASSERT_EQ(x->Results.size(), y->Results.size());
        for (std::size_t k = 0; k < x->Results.size(); ++k)
            EXPECT_NEAR(y->Results[k], x->Results[k], 1e-9 * (std::fabs(x->Results[k]) + 1.0))
                << "stage " << i << " result " << k;
    }
}

TEST_F(DocumentKeeps, RegionsWithAGapAnOverlapOrTouchingComeBackWithTheSameResponse)
{
    struct Row {
        const char* what;
        std::unique_ptr<TBeam> beam;
    };
    Row rows[] = {
        // A flange 100 mm above the top of its web.
        {"gap", SectionOf({{0.6, 0.5, 1.0, 1.0, 0}, {0.4, 0.0, 0.3, 0.3, 0}})},
        // A web reaching 50 mm into the flange.
        {"overlap", SectionOf({{0.6, 0.5, 1.0, 1.0, 0}, {0.55, 0.0, 0.3, 0.3, 0}})},
        // A T-section, a tapered web, and a bottom bulb of the web's width.
        {"touching",
         SectionOf({{0.6, 0.5, 1.0, 1.0, 0}, {0.5, 0.2, 0.3, 0.2, 0}, {0.2, 0.0, 0.2, 0.4, 0}})},
        // The regions of the gap section stored in the other order.
        {"below", SectionOf({{0.4, 0.0, 0.3, 0.3, 0}, {0.6, 0.5, 1.0, 1.0, 0}})},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.what);
        TBeam& beam = *row.beam;
        const TStructure& read = SaveAndReopen(beam);
        ASSERT_EQ(read.GetRegionCount(), beam.GetRegionCount());
        for (int i = 0; i < beam.GetRegionCount(); ++i) {
            SCOPED_TRACE(i);
            const ConcreteRegionRec& a = *beam.GetRegion(i);
            const ConcreteRegionRec& b = *read.GetRegion(i);
            EXPECT_NEAR(b.top, a.top, 1e-12);
            EXPECT_NEAR(b.bottom, a.bottom, 1e-12);
            EXPECT_NEAR(b.topWidth, a.topWidth, 1e-12);
            EXPECT_NEAR(b.bottomWidth, a.bottomWidth, 1e-12);
        }
        EXPECT_NEAR(read.GetHeight(), beam.GetHeight(), 1e-12);
        EXPECT_EQ(Write({doc.structures[0].get()}), text);

        // The same response: the same stages, or the same refusal of a section whose
        // concrete leaves a gap.
        TFullSectionalResponse before(&beam);
        TFullSectionalResponse after(&dynamic_cast<const TBeam&>(read));
        RunToFinish(before, 5000);
        RunToFinish(after, 5000);
        ASSERT_EQ(before.IsRunning(), 0);
        EXPECT_EQ(ErrorTexts(after), ErrorTexts(before));
        ExpectSameStages(before, after);
        if (std::string(row.what) == "gap" || std::string(row.what) == "below")
            EXPECT_NE(ErrorTexts(before).find("No concrete region between elevations 400 and 500 mm."),
                      std::string::npos);
        else
            EXPECT_GT(before.GetLastStageIndex(), 5);
    }
}

} // namespace
