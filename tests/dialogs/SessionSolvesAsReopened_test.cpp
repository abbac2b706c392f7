// What a reader, a unit switch or a page puts in a section is held as the section's document
// gives it back: the session solves Sectional Response to the stages and the peak a new session
// solves once it opens the document File > Save As wrote, every value of the two sections is the
// same to the last bit, and saving the reopened document writes the first save's bytes again.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "dialogs/SectionSheet.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "fuzz/SectionValues.h"
#include "member/TMemberDefinition.h"
#include "model/ElementText.h"
#include "model/TBeam.h"
#include "model/TMemberQuickDef.h"
#include "tests/dialogs/SectionDialogShell.h"

namespace {

constexpr int kUsCustomary = 5029, kKgCm = 5030; // "Quarvish Preferences"

// The stages solved and the largest moment of them (N m).
struct Solved {
    int stages = 0;
    double peak = 0.0;
};

Solved Summary(const SectionalAnswer& a)
{
    Solved s{a.lastStage + 1, 0.0};
    for (std::size_t i = StateResult::Moment; i < a.values.size(); i += StateResult::Count)
        s.peak = std::max(s.peak, std::fabs(a.values[i]));
    return s;
}

class SessionSolvesAsReopened : public SectionDialogShellTest {
protected:
    // A sample of the fuzzing corpus, opened by File > Open.
    void OpenSample(const std::string& path, const std::string& name)
    {
        std::ifstream in(std::string(QV_SOURCE_DIR) + "/fuzz/corpus/" + path, std::ios::binary);
        ASSERT_TRUE(in);
        dir.Write(name, std::string(std::istreambuf_iterator<char>(in), {}));
        OpenByMenu(dir.File(name));
    }
    // Options > Preferences, the unit system's radio pressed, OK.
    void SwitchUnits(int radio)
    {
        ui.Dialog("Quarvish Preferences", [radio](plat::DialogDriver& d) {
            d.Click(radio);
            d.Click(plat::DialogResult::Ok);
        });
        Frame().Dispatch(CmId::Preferences);
        ASSERT_TRUE(ui.Done());
    }
    // Define > Concrete Section, Basic Shapes, "Circular Section", the diameter typed, OK.
    void DrawCircle(const std::string& diameter)
    {
        ui.Dialog("Define Concrete Cross Section", [diameter](plat::DialogDriver& d) {
            d.SwitchPage(0);
            d.ClickItem(SectionPageId::ShapeList, 1);
            d.Type(SectionPageId::ParamEdits[0], diameter);
            d.Click(plat::DialogResult::Ok);
        });
        EXPECT_TRUE(Window().EvCommand(CmId::ConcreteSection, 0, 0));
        EXPECT_TRUE(ui.Done());
    }
    const TBeam& Beam() { return dynamic_cast<const TBeam&>(*Window().GetCurrentStructure()); }
    // Every value of the section but the member values an older file stores with it, which a
    // document keeps in its member settings, not with the section.
    std::vector<sectionvalues::NamedValue> SectionValues()
    {
        std::vector<sectionvalues::NamedValue> values = sectionvalues::OfSection(Beam());
        std::erase_if(values, [](const sectionvalues::NamedValue& v) {
            return v.name.starts_with("stored ");
        });
        return values;
    }

    // The section solved in the session (where `solve`), saved by File > Save As, opened by a
    // new session and solved there: the same values to the last bit, the same stages and peak,
    // and the same bytes saved again.
    void ExpectReopenedAlike(bool solve = true)
    {
        const std::vector<sectionvalues::NamedValue> held = SectionValues();
        const double length = g_MemberDefinition.length;
        const Solved session = solve ? Summary(Solve()) : Solved{};
        ui.File(plat::FileDialogKind::Save, dir.File("saved.qvh"));
        ASSERT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        const std::string first = dir.Read("saved.qvh");
        app.reset();
        ResetMemberDefinition(g_MemberDefinition);
        Start();
        OpenByMenu(dir.File("saved.qvh"));
        EXPECT_TRUE(ui.Done());
        EXPECT_EQ(sectionvalues::FirstDifference(held, SectionValues(), 0.0, 0.0), "");
        // A member keeps its values to the single precision of its quick record.
        EXPECT_NEAR(g_MemberDefinition.length, length, kSinglePrecisionFormat * length);
        if (solve) {
            const Solved reopened = Summary(Solve());
            EXPECT_GT(session.stages, 1);
            EXPECT_EQ(reopened.stages, session.stages);
            EXPECT_EQ(reopened.peak, session.peak)
                << StrPrintf("session %.17g N m, reopened %.17g N m", session.peak, reopened.peak);
        }
        ui.File(plat::FileDialogKind::Save, dir.File("again.qvh"));
        ASSERT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        EXPECT_EQ(dir.Read("again.qvh"), first);
    }
};

} // namespace

// The older binary sample, switched to US customary units or to kg/cm: its values become what a
// document in those units gives back, so the saved document reopens as the section solved.
TEST_F(SessionSolvesAsReopened, AnOlderFileSwitchedToOtherUnits)
{
    for (const int radio : {kUsCustomary, kKgCm}) {
        SCOPED_TRACE(radio == kUsCustomary ? "US customary" : "kg/cm");
        OpenSample("NativeV08/beam_b_v8.bin", "beam_b.q2k");
        SwitchUnits(radio);
        ExpectReopenedAlike();
        app.reset();
        Start();
    }
}

// A Basic Shapes circle typed to more digits than a document keeps, on the stirrup sample.
TEST_F(SessionSolvesAsReopened, ACircleTypedFinerThanTheDocumentKeeps)
{
    OpenSample("XmlRoundTrip/stirrup_strain.xml", "stirrups.qvh");
    DrawCircle("600.123456789");
    ExpectReopenedAlike();
}

// The older sample's two-concrete section made a 600 mm circle with its moment axis 1 mm below
// its bottom.
TEST_F(SessionSolvesAsReopened, ACircleBesideATypedAxis)
{
    OpenSample("NativeV08/beam_b_v8.bin", "beam_b.q2k");
    ASSERT_EQ(Beam().GetName(), "Beam B");
    ASSERT_EQ(Beam().GetConcreteTypeCount(), 2);
    DrawCircle("600");
    TypeAxis("-1");
    ExpectReopenedAlike();
}

// The document's text edited in View Data: a strength typed to more digits than a document
// keeps is held as the document gives it back.
TEST_F(SessionSolvesAsReopened, AnEditedDocumentText)
{
    OpenSample("XmlRoundTrip/stirrup_strain.xml", "stirrups.qvh");
    ui.DataView([](std::string& text) {
        const std::size_t at = text.find("ft\t\t=\"");
        EXPECT_NE(at, std::string::npos);
        if (at != std::string::npos)
            text.replace(text.find('"', at), 1, "\"2.49999999999999");
        return true;
    });
    Frame().Dispatch(CmId::ViewXml);
    ASSERT_TRUE(ui.Done());
    EXPECT_EQ(Beam().GetConcreteType(0)->ft, 2.5e6);
    ExpectReopenedAlike(false);
}

// The member values an older file stores with its section stay the section's through a unit
// switch and a page, whose documents hold no member values.
TEST_F(SessionSolvesAsReopened, AnOlderFilesMemberValuesStayWithItsSection)
{
    OpenSample("NativeV08/beam_b_v8.bin", "beam_b.q2k");
    TMemberQuickDef stored;
    Beam().GetStoredValues(stored);
    ASSERT_GT(stored.L, 0.0f);
    SwitchUnits(kUsCustomary);
    TypeAxis("-1");
    TMemberQuickDef kept;
    Beam().GetStoredValues(kept);
    EXPECT_TRUE(kept == stored);
}
