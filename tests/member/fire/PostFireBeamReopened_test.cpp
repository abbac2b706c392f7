// The post-fire beam a session builds is the section its document opens as: saved (in the unit
// system of the session) and opened again as a new session opens it, every value of the beam is
// the same to the last bit, and the two beams solve alike, stage by stage.

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FireTestSupport.h"
#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "analysis/state/SectionState.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "files/xml/XmlWriter.h"
#include "foundation/ReportText.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "fuzz/SectionValues.h"
#include "member/fire/FireLaws.h"
#include "model/ModelSettings.h"
#include "model/QuickDefineFlag.h"
#include "model/catalogues/TRebarList.h"
#include "support/TestSupport.h"

namespace {

using firetest::TestSlots;

class PostFireBeamReopened : public ::testing::Test {
protected:
    // The program's bar catalogue; a document opened sets the session's unit system, as the
    // program does from its start.
    PostFireBeamReopened()
    {
        std::istringstream listing(DefaultRebarListing());
        g_RebarList.Clear();
        g_RebarList.ReadListing(listing);
    }
    ~PostFireBeamReopened() override
    {
        g_RebarList = m_catalogue;
        SetQuickDefineNew(m_quickDefineNew);
    }

    // File > Open of a sample of the fuzzing corpus, as the program opens it: the document's unit
    // system becomes the session's. Its beam goes to slot 0.
    TBeam* OpenSample(const std::string& name)
    {
        TXmlDtd dtd(kBuiltInDtd, g_UnitSystem);
        XmlDocument document;
        const std::string path = std::string(QV_SOURCE_DIR) + "/fuzz/corpus/XmlDocument/" + name;
        const XmlResult r = ReadXmlDocumentFile(path, dtd, document, nullptr);
        EXPECT_TRUE(r.Ok()) << name << " " << r.message;
        EXPECT_FALSE(document.structures.empty()) << name;
        if (document.structures.empty())
            return nullptr;
        auto* beam = dynamic_cast<TBeam*>(document.structures.front().get());
        if (beam == nullptr)
            return nullptr;
        document.structures.front().release();
        return slots.Put(0, std::unique_ptr<TBeam>(beam));
    }

    // Loads > Create Fire Damaged Beam with the fire given: the post-fire beam.
    TBeam* PostFireBeam(TBeam& source, const FireData& fire)
    {
        source.SetFireData(fire.exposure,
                           fire.type,
                           fire.rebarperform,
                           fire.time,
                           fire.constanttemp);
        DeleteThermalModel();
        const int slot = ThermalAnalysis(&source, slots);
        return slot > 0 ? slots.Beam(slot) : nullptr;
    }

    // The beam saved alone into memory and opened again into a document of a new session.
    static std::unique_ptr<TBeam> Reopened(TBeam& beam)
    {
        TXmlDtd dtd(kBuiltInDtd, g_UnitSystem);
        StringSink sink;
        EXPECT_TRUE(WriteXmlDocument(dtd, {&beam}, nullptr, sink).Ok());
        TXmlDtd readDtd(kBuiltInDtd, g_UnitSystem);
        XmlDocument document;
        EXPECT_TRUE(ReadXmlDocument(sink.Text(), readDtd, document, nullptr).Ok());
        if (document.structures.size() != 1u)
            return nullptr;
        auto* read = dynamic_cast<TBeam*>(document.structures.front().get());
        if (read != nullptr)
            document.structures.front().release();
        return std::unique_ptr<TBeam>(read);
    }

    RecordingReporter reporter;
    firetest::FireStateGuard guard;
    TestSlots slots;

private:
    // What opening a document sets for the session, put back after the test.
    ValueGuard<int> m_units{g_UnitSystem, g_UnitSystem};
    ValueGuard<int> m_override{g_FileOverride, 1};
    ValueGuard<ResistanceFactors> m_factors{g_ResistanceFactors, g_ResistanceFactors};
    ValueGuard<int> m_modelSet{g_ConcreteModelSet, g_ConcreteModelSet};
    ValueGuard<int> m_crackingReduction{g_CrackingReductionOption, g_CrackingReductionOption};
    int m_quickDefineNew = GetQuickDefineNew();
    TRebarList m_catalogue = g_RebarList;
};

// Both samples (the T-beam of full_beam_0 in SI units and its twin of full_beam_1 in US
// customary units: bars of a catalogue size, a strand and a bar of a curve steel), the session
// in SI, US customary or kg/cm units (Options > Preferences after the open), fires of each curve
// on several faces, for several durations and every kind of bar: the post-fire beam and its
// reopened document hold the same values, to the last bit: outline, bands, every concrete and
// steel type with its curve, the layers' depths, areas and sizes, the settings the beam takes
// from its source, the fire and what validation works out from them.
TEST_F(PostFireBeamReopened, EveryValueIsTheOneItsDocumentGivesBack)
{
    struct Case {
        const char* sample;
        int units;
        FireData fire;
    };
    const std::vector<Case> cases = {
        {"full_beam_0.xml", kUnitSI, {7, kISO834Fire, kMildSteel, 1800.0, 1000.0}},
        {"full_beam_0.xml", kUnitUS, {7, kISO834Fire, kMildSteel, 1800.0, 1000.0}},
        {"full_beam_0.xml", kUnitOldMetric, {1, kNPDFire, kCFRP, 3600.0, 1000.0}},
        {"full_beam_0.xml", kUnitUS, {3, kConstantFire, kGFRP, 2700.0, 650.0}},
        {"full_beam_1.xml", kUnitUS, {5, kISO834Fire, kAFRP, 5400.0, 1000.0}},
        {"full_beam_1.xml", kUnitSI, {7, kISO834Fire, kMildSteel, 1800.0, 1000.0}},
        {"full_beam_1.xml", kUnitOldMetric, {7, kNPDFire, kMildSteel, 900.0, 1000.0}},
        {"full_beam_1.xml", kUnitSI, {2, kConstantFire, kCFRP, 1200.0, 480.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(StrPrintf("%s in units %d, exposure %d, curve %d, bars %d, %g s",
                               c.sample,
                               c.units,
                               c.fire.exposure,
                               c.fire.type,
                               c.fire.rebarperform,
                               c.fire.time));
        slots = TestSlots();
        TBeam* source = OpenSample(c.sample);
        ASSERT_NE(source, nullptr);
        g_UnitSystem = c.units;
        TBeam* post = PostFireBeam(*source, c.fire);
        ASSERT_NE(post, nullptr);
        ASSERT_EQ(post->GetRegionCount(), 24);
        const std::unique_ptr<TBeam> reopened = Reopened(*post);
        ASSERT_NE(reopened, nullptr);
        EXPECT_EQ(sectionvalues::FirstDifference(sectionvalues::OfSection(*post),
                                                 sectionvalues::OfSection(*reopened),
                                                 0.0,
                                                 0.0),
                  "");
    }
    EXPECT_TRUE(reporter.messages.empty());
}

// The sample T-beam opened in SI units, the session turned to US customary units, Create Fire
// Damaged Beam in the ISO fire on all faces for 30 minutes: the post-fire beam and its reopened
// document, loaded alike, run the same stages of their full sectional response to the same
// end, every result of every stage the same to the last bit.
TEST_F(PostFireBeamReopened, TheReopenedBeamSolvesStageByStageAsTheSessionsBeam)
{
    TBeam* source = OpenSample("full_beam_0.xml");
    ASSERT_NE(source, nullptr);
    g_UnitSystem = kUnitUS;
    TBeam* post = PostFireBeam(*source, {7, kISO834Fire, kMildSteel, 1800.0, 1000.0});
    ASSERT_NE(post, nullptr);
    const std::unique_ptr<TBeam> reopened = Reopened(*post);
    ASSERT_NE(reopened, nullptr);

    TFullSectionalResponse made(post);
    TFullSectionalResponse read(reopened.get());
    RunToFinish(made, 10000);
    RunToFinish(read, 10000);
    ASSERT_EQ(made.IsRunning(), 0);
    ASSERT_EQ(read.IsRunning(), 0);
    ASSERT_GT(made.GetLastStageIndex(), 5);
    ASSERT_EQ(read.GetLastStageIndex(), made.GetLastStageIndex());
    for (int i = 0; i <= made.GetLastStageIndex(); ++i) {
        const SectionState* a = made.GetStage(i);
        const SectionState* b = read.GetStage(i);
        ASSERT_EQ(a == nullptr, b == nullptr) << "stage " << i;
        if (a == nullptr)
            continue;
        ASSERT_EQ(a->Results.size(), b->Results.size()) << "stage " << i;
        for (std::size_t k = 0; k < a->Results.size(); ++k)
            ASSERT_TRUE(a->Results[k] == b->Results[k])
                << "stage " << i << " result " << k << ": " << StrPrintf("%.17g", a->Results[k])
                << " / " << StrPrintf("%.17g", b->Results[k]);
    }
}

// The post-fire beam is taken back from its document without opening one: the session keeps
// its quick-define flag (a beam started afresh sets it, a beam read clears it), its resistance
// factors and unit system, and shows no message nor load-error log.
TEST_F(PostFireBeamReopened, TheSessionGoesOnAsItWas)
{
    const ResistanceFactors csa{0.65, 0.85, 0.90};
    g_ResistanceFactors = csa;
    for (const int flag : {0, 1}) {
        SCOPED_TRACE(flag);
        slots = TestSlots();
        g_UnitSystem = kUnitUS;
        TBeam* source = slots.Put(
            0,
            firetest::FireBeam(0.3, 0.5, {7, kISO834Fire, kMildSteel, 1800.0, 1000.0}, 3, true));
        SetQuickDefineNew(flag);
        ClearReportText();
        ASSERT_NE(PostFireBeam(*source, {7, kISO834Fire, kMildSteel, 1800.0, 1000.0}), nullptr);
        EXPECT_EQ(GetQuickDefineNew(), flag);
        EXPECT_EQ(g_UnitSystem, kUnitUS);
        EXPECT_TRUE(g_ResistanceFactors == csa);
        EXPECT_FALSE(HasReportText());
    }
    EXPECT_TRUE(reporter.messages.empty());
}

} // namespace
