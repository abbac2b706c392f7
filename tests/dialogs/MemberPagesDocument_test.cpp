// What the pages of "Full Member Properties" take, a document keeps: the sample beams of the
// fuzzing corpus opened by File > Open, their member edited on the pages as a user does, saved,
// and opened again by a new session of the program without a box, as the member the session
// had, and saved again to the same bytes.

#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/MemberSheet.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "member/TMemberDefinition.h"
#include "tests/dialogs/SectionDialogShell.h"

namespace {

const char* const kNoLiveLoad = "The member has no live load, so there is nothing to push over.";

class MemberPagesDocument : public SectionDialogShellTest {
protected:
    MemberPagesDocument() : m_previous(SetInputDialogs(&dialogs)) {}
    ~MemberPagesDocument() override { SetInputDialogs(m_previous); }

    // A sample of the fuzzing corpus copied into the test's folder under its own name; the path.
    std::string Sample(const std::string& corpusPath)
    {
        std::ifstream in(std::string(QV_SOURCE_DIR) + "/fuzz/corpus/" + corpusPath,
                         std::ios::binary);
        EXPECT_TRUE(in) << corpusPath;
        const std::string name = corpusPath.substr(corpusPath.rfind('/') + 1);
        dir.Write(name, std::string(std::istreambuf_iterator<char>(in), {}));
        return dir.File(name);
    }

    // File > Open of the file in a new session of the program.
    void OpenInANewSession(const std::string& path)
    {
        app.reset();
        ResetMemberDefinition(g_MemberDefinition);
        Start();
        OpenByMenu(path);
    }

    // Options > Preferences: the unit system of that button, OK.
    void ChooseUnits(int button)
    {
        ui.Dialog("Quarvish Preferences", [button](plat::DialogDriver& d) {
            d.Click(button);
            d.Click(plat::DialogResult::Ok);
        });
        EXPECT_TRUE(Frame().Dispatch(CmId::Preferences));
        EXPECT_TRUE(ui.Done());
    }

    // File > Save As under the name: the file's bytes.
    std::string SaveAs(const std::string& name)
    {
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        EXPECT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        EXPECT_EQ(app->GetFileName(), dir.File(name));
        return dir.Read(name);
    }

    // Solve > Member Response on a member without live load: the one box that says so, and no
    // run.
    void ExpectNoLiveLoadOnMemberResponse()
    {
        const std::size_t before = ui.requests.size();
        ui.Message(kNoLiveLoad, MsgAnswer::Ok);
        Frame().Dispatch(CmId::MemberResponse);
        EXPECT_TRUE(ui.Done());
        EXPECT_EQ(BoxesSince(before), 1);
        EXPECT_EQ(Window().GetCurrentAnalysis(), nullptr);
    }

    // The message boxes asked for since the count of requests given; their texts.
    std::vector<std::string> BoxesTextsSince(std::size_t count) const
    {
        std::vector<std::string> texts;
        for (std::size_t i = count; i < ui.requests.size(); ++i)
            if (ui.requests[i].kind == "message")
                texts.push_back(ui.requests[i].text);
        return texts;
    }
    int BoxesSince(std::size_t count) const
    {
        return static_cast<int>(BoxesTextsSince(count).size());
    }

    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};
    TMemberInputDialogs dialogs{GetInputDialogs()};

private:
    TInputDialogs* m_previous;
};

} // namespace

// Loads > Full Member Properties > Detailed Geometry, -1 typed into the top plate size and into
// the left and right bottom plate sizes, OK, File > Save: a plate is no smaller than nothing, so
// each is kept at 0, as a negative length is kept at its least. The saved document opens in a
// new session without a box (it once said "The member has a top plate size of -1 mm: a member
// takes 0 to 1000000 mm. The file cannot be read.") with the member the session had, and its
// next save is the same file; in each unit system the preferences offer.
TEST_F(MemberPagesDocument, APlateSizeBelowNothingIsKeptAtNothingAndTheDocumentOpensAgain)
{
    struct Units {
        int system, button;
    };
    for (const Units chosen :
         {Units{kUnitSI, 5028}, Units{kUnitUS, 5029}, Units{kUnitOldMetric, 5030}}) {
        SCOPED_TRACE(chosen.system);
        OpenInANewSession(Sample("XmlDocument/full_beam_0.xml"));
        ASSERT_EQ(Open().size(), 1u);
        ChooseUnits(chosen.button);
        ASSERT_EQ(g_UnitSystem, chosen.system);
        ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
            d.SwitchPage(1);
            ASSERT_EQ(d.PageTitle(), "  Detailed Geometry  ");
            d.Type(MemberPageId::TopPlate, "-1");
            d.Type(MemberPageId::LeftPlate, "-1");
            d.Type(MemberPageId::RightPlate, "-1");
            d.Click(plat::DialogResult::Ok);
        });
        std::size_t before = ui.requests.size();
        EXPECT_TRUE(Window().EvCommand(CmId::FullMemberProperties, 0, 0));
        EXPECT_TRUE(ui.Done());
        EXPECT_EQ(BoxesTextsSince(before), std::vector<std::string>{});
        const TMemberDefinition typed = g_MemberDefinition;
        EXPECT_EQ(typed.topPlateSize, 0.0);
        EXPECT_EQ(typed.leftPlateSize, 0.0);
        EXPECT_EQ(typed.rightPlateSize, 0.0);

        EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
        EXPECT_EQ(BoxesTextsSince(before), std::vector<std::string>{});
        const std::string saved = dir.Read("full_beam_0.xml");
        EXPECT_NE(saved.find("<Q2010_Analysis"), std::string::npos);

        before = ui.requests.size();
        OpenInANewSession(dir.File("full_beam_0.xml"));
        EXPECT_EQ(BoxesTextsSince(before), std::vector<std::string>{});
        EXPECT_EQ(g_UnitSystem, chosen.system);
        ASSERT_EQ(Open().size(), 1u);
        EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, typed), 1);
        EXPECT_EQ(g_MemberDefinition.topPlateSize, 0.0);
        EXPECT_EQ(SaveAs("again.qvh"), saved);
        EXPECT_TRUE(ui.Done());
    }
}

// Loads > Full Member Properties > Detailed Live Load > Delete Full Listing, OK: the member has no
// live load, and Member Response says so. Save As writes the empty diagram, and a new session
// opens it as the empty diagram it is: no points come back from the values the section's file
// kept for its member (once two points at 200 mm, of 0 and -0.001 kN m, which the next save wrote
// and Member Response pushed over), and the next save is the same file. The older sample beam,
// a binary file, the same.
TEST_F(MemberPagesDocument, ADeletedLiveLoadStaysDeletedAfterSaveAndReopening)
{
    for (const std::string sample : {"ReaderRoundTrip/full_beam.xml", "NativeV08/beam_b_v8.bin"}) {
        SCOPED_TRACE(sample);
        OpenInANewSession(Sample(sample));
        ASSERT_EQ(Open().size(), 1u);
        ASSERT_GT(g_MemberDefinition.pointCount[LiveDiagram], 0);
        ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
            d.SwitchPage(4);
            ASSERT_EQ(d.PageTitle(), " Detailed Live Load ");
            d.Click(MemberPageId::DeleteAll);
            d.Click(plat::DialogResult::Ok);
        });
        std::size_t before = ui.requests.size();
        EXPECT_TRUE(Window().EvCommand(CmId::FullMemberProperties, 0, 0));
        EXPECT_TRUE(ui.Done());
        EXPECT_EQ(BoxesTextsSince(before), std::vector<std::string>{});
        ASSERT_EQ(g_MemberDefinition.pointCount[LiveDiagram], 0);
        const TMemberDefinition deleted = g_MemberDefinition;
        ExpectNoLiveLoadOnMemberResponse();

        const std::string saved = SaveAs("deleted.qvh");
        EXPECT_NE(saved.find("<BMD"), std::string::npos);

        before = ui.requests.size();
        OpenInANewSession(dir.File("deleted.qvh"));
        EXPECT_EQ(BoxesTextsSince(before), std::vector<std::string>{});
        ASSERT_EQ(Open().size(), 1u);
        EXPECT_EQ(g_MemberDefinition.pointCount[LiveDiagram], 0);
        EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, deleted), 1);
        ExpectNoLiveLoadOnMemberResponse();
        EXPECT_EQ(SaveAs("again.qvh"), saved);
        EXPECT_TRUE(ui.Done());
    }
}

// A cantilever (Detailed Geometry: "Fixed end" on the left, so no support on the right) is saved
// with its right support "Undefined" and its plate where the page left it: a new session opens the
// same cantilever, not one with a line of symmetry on the right made from the section's own
// values, and saves it to the same file.
TEST_F(MemberPagesDocument, ACantileverOpensAgainAsTheSessionHadIt)
{
    OpenInANewSession(Sample("XmlDocument/full_beam_0.xml"));
    ASSERT_EQ(Open().size(), 1u);
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
        d.SwitchPage(1);
        d.Select(MemberPageId::LeftSupport, SupportType::FixedEnd - 1);
        d.Click(plat::DialogResult::Ok);
    });
    std::size_t before = ui.requests.size();
    EXPECT_TRUE(Window().EvCommand(CmId::FullMemberProperties, 0, 0));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(BoxesTextsSince(before), std::vector<std::string>{});
    const TMemberDefinition edited = g_MemberDefinition;
    EXPECT_EQ(edited.leftSupport, SupportType::FixedEnd);
    EXPECT_EQ(edited.rightSupport, SupportType::Undefined);
    const std::string saved = SaveAs("cantilever.qvh");

    before = ui.requests.size();
    OpenInANewSession(dir.File("cantilever.qvh"));
    EXPECT_EQ(BoxesTextsSince(before), std::vector<std::string>{});
    ASSERT_EQ(Open().size(), 1u);
    EXPECT_EQ(g_MemberDefinition.rightSupport, SupportType::Undefined);
    EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, edited), 1);
    EXPECT_EQ(SaveAs("again.qvh"), saved);
    EXPECT_TRUE(ui.Done());
}

// Quick Define, a shear span and a constant-moment zone of 1000 m together: the member begins a
// third of the section's height (200 mm) before its left support, so it would be 1000.2 m long,
// which no document holds (it once opened with "The member has a length of 1000200 mm: a member
// takes 0 to 1000000 mm. The file cannot be read."). OK names the room left; with 200 mm less the
// member is taken, saved, opened again without a box and saved to the same file.
TEST_F(MemberPagesDocument, AQuickMemberLongerThanADocumentHoldsIsRefusedOnThePage)
{
    OpenInANewSession(Sample("XmlDocument/full_beam_0.xml"));
    ASSERT_EQ(Open().size(), 1u);
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
        ASSERT_EQ(d.CurrentPage(), 0);
        d.Type(MemberPageId::ShearLength, "999000");
        d.Type(MemberPageId::ConstantZone, "1000");
        d.Click(plat::DialogResult::Ok);
        ASSERT_FALSE(d.Ended());
        EXPECT_EQ(d.FocusedId(), MemberPageId::ConstantZone);
        d.Type(MemberPageId::ConstantZone, "800");
        d.Click(plat::DialogResult::Ok);
    });
    ui.Message("Shear Span and Constant Moment Zone together must not exceed 999800 mm: the member "
               "begins 200 mm before its left support and is at most 1000000 mm long.",
               MsgAnswer::Ok);
    EXPECT_TRUE(Window().EvCommand(CmId::FullMemberProperties, 0, 0));
    EXPECT_TRUE(ui.Done());
    const TMemberDefinition typed = g_MemberDefinition;
    EXPECT_NEAR(typed.length, 1000.0, 1e-6);
    const std::string saved = SaveAs("long.qvh");

    const std::size_t before = ui.requests.size();
    OpenInANewSession(dir.File("long.qvh"));
    EXPECT_EQ(BoxesTextsSince(before), std::vector<std::string>{});
    EXPECT_NEAR(g_MemberDefinition.length, 1000.0, 1e-6);
    EXPECT_EQ(SaveAs("again.qvh"), saved);
    EXPECT_TRUE(ui.Done());
}

// Detailed Dead Load > Generate Self Weight on a cantilever of 1000 m (the sample's 0.25 m^2 of
// concrete, 6 kN/m): its moment at the support, about 3e6 kN m, lies past what a document holds,
// so the diagram is left as it was with a message naming the moment, rather than taken into a
// document that the next session refuses. The cantilever itself is saved and opens again.
TEST_F(MemberPagesDocument, ASelfWeightMomentNoDocumentHoldsIsRefused)
{
    OpenInANewSession(Sample("XmlDocument/full_beam_0.xml"));
    ASSERT_EQ(Open().size(), 1u);
    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
        d.SwitchPage(1);
        d.Type(MemberPageId::Length, "1000000");
        d.Select(MemberPageId::LeftSupport, SupportType::FixedEnd - 1);
        d.SwitchPage(3);
        ASSERT_EQ(d.PageTitle(), " Detailed Dead Load ");
        d.Click(MemberPageId::SelfWeight);
        d.Click(plat::DialogResult::Ok);
    });
    ui.Message("of the self-weight diagram has a moment of", MsgAnswer::Ok);
    std::size_t before = ui.requests.size();
    EXPECT_TRUE(Window().EvCommand(CmId::FullMemberProperties, 0, 0));
    EXPECT_TRUE(ui.Done());
    const std::vector<std::string> boxes = BoxesTextsSince(before);
    EXPECT_EQ(boxes.size(), 1u);
    for (const std::string& box : boxes)
        EXPECT_NE(
            box.find("kNm: a member takes at most 1000000 kNm.  The diagram was left as it was."),
            std::string::npos)
            << box;
    EXPECT_EQ(g_MemberDefinition.pointCount[DeadDiagram], 0);
    EXPECT_EQ(g_MemberDefinition.length, 1000.0);
    const TMemberDefinition edited = g_MemberDefinition;
    const std::string saved = SaveAs("cantilever.qvh");

    before = ui.requests.size();
    OpenInANewSession(dir.File("cantilever.qvh"));
    EXPECT_EQ(BoxesTextsSince(before), std::vector<std::string>{});
    EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, edited), 1);
    EXPECT_EQ(SaveAs("again.qvh"), saved);
    EXPECT_TRUE(ui.Done());
}

// The same member from an older labelled text file: a shear span and constant-moment zone of
// 1000 m together over a section 600 mm high make a member of 1000.2 m, which no document holds.
// The file is refused with a box naming the member's length, and the document open before stays;
// one of 200 mm less opens, and saved, opens again without a box.
TEST_F(MemberPagesDocument, AnOlderFilesMemberLongerThanADocumentHoldsIsRefused)
{
    const std::string head =
        "// Quarvish input Ver_0.8\nINPUT-LABEL long\nTITLE Long girder\nUNITS Metric\n"
        "SECTION SOLID\n600 300\n0 300\nENDSECTION\nMEMBINFO\nL 999000\n";
    dir.Write("long.q2t", head + "MIDO2 1000\nENDMEMB\n");
    const std::string open = app->GetFileName();
    const std::size_t before = ui.requests.size();
    ui.File(plat::FileDialogKind::Open, dir.File("long.q2t"));
    ui.Message(
        "The section's member has a length of 1000200 mm: a section takes at most 1000000 mm.",
        MsgAnswer::Ok);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(BoxesSince(before), 1);
    EXPECT_EQ(app->GetFileName(), open);

    dir.Write("shorter.q2t", head + "MIDO2 800\nENDMEMB\n");
    OpenByMenu(dir.File("shorter.q2t"));
    EXPECT_NEAR(g_MemberDefinition.length, 1000.0, 1e-6);
    const std::string saved = SaveAs("shorter.qvh");
    const std::size_t reopened = ui.requests.size();
    OpenInANewSession(dir.File("shorter.qvh"));
    EXPECT_EQ(BoxesTextsSince(reopened), std::vector<std::string>{});
    EXPECT_NEAR(g_MemberDefinition.length, 1000.0, 1e-6);
    EXPECT_EQ(SaveAs("again.qvh"), saved);
    EXPECT_TRUE(ui.Done());
}

// A member whose dead load grows with the load factor (its document's dead diagram says
// isconstant="0", with a dead axial load of 10 kN and no moments), Loads > Full Member
// Properties > Detailed Dead Load, an axial load of 0, OK: the member has no dead load and its
// flag is still 0. Save As, and a new session opens the member the session had, flag and all
// (it once came back at 1, the flag the section gave), and saves it to the same file.
TEST_F(MemberPagesDocument, AMemberWithoutDeadLoadKeepsItsDeadLoadFlag)
{
    OpenInANewSession(Sample("ReaderRoundTrip/full_beam.xml"));
    ASSERT_EQ(Open().size(), 1u);
    ASSERT_EQ(g_MemberDefinition.pointCount[DeadDiagram], 0);
    ASSERT_EQ(g_MemberDefinition.deadLoadConstant, 1);
    std::string text = SaveAs("growing.qvh");
    const std::size_t live = text.find("</BMD>");
    ASSERT_NE(live, std::string::npos);
    text.insert(live + 6, "\r\n<BMD type=\"dead\" isconstant=\"0\" AxialLoad=\"10.0\"> </BMD>");
    dir.Write("growing.qvh", text);
    OpenInANewSession(dir.File("growing.qvh"));
    ASSERT_EQ(Open().size(), 1u);
    ASSERT_EQ(g_MemberDefinition.deadLoadConstant, 0);
    ASSERT_EQ(g_MemberDefinition.axialLoad[DeadDiagram], 10e3);

    ui.Dialog("Full Member Properties", [](plat::DialogDriver& d) {
        d.SwitchPage(3);
        ASSERT_EQ(d.PageTitle(), " Detailed Dead Load ");
        d.Click(MemberPageId::DeleteAll);
        d.Type(MemberPageId::Axial, "0");
        d.Click(plat::DialogResult::Ok);
    });
    std::size_t before = ui.requests.size();
    EXPECT_TRUE(Window().EvCommand(CmId::FullMemberProperties, 0, 0));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(BoxesTextsSince(before), std::vector<std::string>{});
    ASSERT_EQ(g_MemberDefinition.pointCount[DeadDiagram], 0);
    ASSERT_EQ(g_MemberDefinition.axialLoad[DeadDiagram], 0.0);
    EXPECT_EQ(g_MemberDefinition.deadLoadConstant, 0);
    const TMemberDefinition session = g_MemberDefinition;

    const std::string saved = SaveAs("without.qvh");
    before = ui.requests.size();
    OpenInANewSession(dir.File("without.qvh"));
    EXPECT_EQ(BoxesTextsSince(before), std::vector<std::string>{});
    ASSERT_EQ(Open().size(), 1u);
    EXPECT_EQ(g_MemberDefinition.deadLoadConstant, 0);
    EXPECT_EQ(g_MemberDefinition.pointCount[DeadDiagram], 0);
    EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, session), 1);
    EXPECT_EQ(SaveAs("again.qvh"), saved);
    EXPECT_TRUE(ui.Done());
}

namespace {

// Full Member Properties left with OK on a member the program wrote, in each unit system the
// preferences offer: the pages show lengths and the yield-penetration factor rounded, and what
// they show is no edit.
class MemberSheetOkUnedited : public MemberPagesDocument {
protected:
    struct Units {
        int system, button;
    };
    static constexpr Units kSystems[] = {{kUnitSI, 5028}, {kUnitUS, 5029}, {kUnitOldMetric, 5030}};

    // The sample beam (its file has no member, so the program makes one around the section)
    // saved once in the unit system, and opened by a new session; the saved document.
    std::string OpenedOnceSaved(const Units& chosen,
                                const char* sample = "XmlDocument/full_beam_1.xml")
    {
        OpenInANewSession(Sample(sample));
        ChooseUnits(chosen.button);
        const std::string once = SaveAs("once.qvh");
        OpenInANewSession(dir.File("once.qvh"));
        EXPECT_EQ(g_UnitSystem, chosen.system);
        EXPECT_EQ(Open().size(), 1u);
        return once;
    }

    // Loads > Full Member Properties, the pages' work, OK (a question the work asks answered
    // Yes); the boxes it asked for.
    std::vector<std::string> EditMember(std::function<void(plat::DialogDriver&)> work,
                                        const char* question = nullptr)
    {
        ui.Dialog("Full Member Properties", [work](plat::DialogDriver& d) {
            work(d);
            d.Click(plat::DialogResult::Ok);
        });
        if (question)
            ui.Message(question, MsgAnswer::Yes);
        const std::size_t before = ui.requests.size();
        EXPECT_TRUE(Window().EvCommand(CmId::FullMemberProperties, 0, 0));
        EXPECT_TRUE(ui.Done());
        return BoxesTextsSince(before);
    }

    // The values the member solves with that the geometry page shows rounded, exactly.
    static std::vector<double> Geometry(const TMemberDefinition& d)
    {
        return {d.length,
                d.topPlateSize,
                d.displacementLocation,
                d.yieldPenetrationConstant,
                d.leftPlateSize,
                d.leftPlateLocation,
                d.rightPlateSize,
                d.rightPlateLocation};
    }
};

} // namespace

// Detailed Geometry shows the yield-penetration field greyed (both ends perfectly anchored); OK
// at once, Save As: the same bytes as the document opened, and the member
// the session solves with holds the same values, where the pages showed 0.152 (per ksi) for a
// factor of 0.022 and 5.91 in for a plate of 150 mm.
TEST_F(MemberSheetOkUnedited, OkWithNothingEditedLeavesTheDocumentAsItWas)
{
    for (const Units& chosen : kSystems) {
        SCOPED_TRACE(chosen.system);
        const std::string once = OpenedOnceSaved(chosen);
        // The document leaves out the factor while it is the default, 0.022.
        ASSERT_EQ(once.find("yieldpenetrateconst"), std::string::npos);
        ASSERT_EQ(g_MemberDefinition.yieldPenetrationConstant, 0.022);
        const TMemberDefinition opened = g_MemberDefinition;
        EXPECT_EQ(EditMember([](plat::DialogDriver& d) {
                      d.SwitchPage(1);
                      EXPECT_EQ(d.PageTitle(), "  Detailed Geometry  ");
                      EXPECT_FALSE(d.Enabled(MemberPageId::YieldPenetration));
                  }),
                  std::vector<std::string>{});
        EXPECT_EQ(Geometry(g_MemberDefinition), Geometry(opened));
        EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, opened), 1);
        const std::string after = SaveAs("after.qvh");
        EXPECT_EQ(after, once);
        EXPECT_EQ(after.find("yieldpenetrateconst"), std::string::npos);
    }
}

// What the user types is taken: the left plate typed on Detailed Geometry is saved as typed,
// while the right plate beside it, shown rounded and not edited, keeps the document's value.
TEST_F(MemberSheetOkUnedited, AnEditedPlateIsWrittenBackAndItsNeighbourKept)
{
    for (const Units& chosen : kSystems) {
        SCOPED_TRACE(chosen.system);
        OpenedOnceSaved(chosen);
        const TMemberDefinition opened = g_MemberDefinition;
        constexpr double kTyped = 12.0; // display units: 12 mm, 12 in, 12 cm
        EditMember([kTyped](plat::DialogDriver& d) {
            d.SwitchPage(1);
            d.Type(MemberPageId::LeftPlate, StrPrintf("%.1f", kTyped));
        });
        EXPECT_DOUBLE_EQ(g_MemberDefinition.leftPlateSize, kTyped / UnitFactor(ukSectionLength));
        EXPECT_EQ(g_MemberDefinition.rightPlateSize, opened.rightPlateSize);
        EXPECT_EQ(g_MemberDefinition.leftPlateLocation, opened.leftPlateLocation);
        EXPECT_EQ(g_MemberDefinition.yieldPenetrationConstant, opened.yieldPenetrationConstant);
        const TMemberDefinition edited = g_MemberDefinition;
        const std::string saved = SaveAs("edited.qvh");
        OpenInANewSession(dir.File("edited.qvh"));
        EXPECT_DOUBLE_EQ(g_MemberDefinition.leftPlateSize, edited.leftPlateSize);
        EXPECT_EQ(g_MemberDefinition.rightPlateSize, opened.rightPlateSize);
        EXPECT_EQ(SaveAs("again.qvh"), saved);
    }
}

// A member the quick page built in the unit system (a shear span of 1800 mm and a constant-moment
// zone of 500 mm typed as the page shows them to four decimals), in each unit system: Full
// Member Properties again, Quick Define, only the axial load typed, OK. The definition is rebuilt
// from the page, and the shear span, the constant-moment zone, the moment ratio and the
// yield-penetration factor, shown rounded and not edited, are the member's own; the axial load is
// the one typed.
TEST_F(MemberSheetOkUnedited, AQuickMemberKeepsWhatWasNotTyped)
{
    for (const Units& chosen : kSystems) {
        SCOPED_TRACE(chosen.system);
        OpenedOnceSaved(chosen);
        const double f = UnitFactor(ukSectionLength);
        EditMember([this, f](plat::DialogDriver& d) {
            d.SwitchPage(0);
            // The member the sample's section was given in US units is a quick one in those.
            if (d.Text(MemberPageId::ShearLength) == "Detailed")
                ui.Message("Changing this will erase the detailed full member properties",
                           MsgAnswer::Yes);
            d.Type(MemberPageId::ShearLength, StrPrintf("%.4f", 1.8 * f));
            d.Type(MemberPageId::ConstantZone, StrPrintf("%.4f", 0.5 * f));
            d.Type(MemberPageId::MomentRatio, "0");
            d.Type(MemberPageId::AxialLoad, "0");
        });
        const TMemberQuickDef opened = GetQuickDefinitionFromMember(g_MemberDefinition);
        ASSERT_NEAR(opened.L, 1.8, 1e-4);
        constexpr double kTypedLoad = 7.0; // display units: 7 kN, 7 kips, 7 tonnes
        EXPECT_EQ(EditMember([kTypedLoad](plat::DialogDriver& d) {
                      ASSERT_EQ(d.CurrentPage(), 0);
                      d.Type(MemberPageId::AxialLoad, StrPrintf("%.0f", kTypedLoad));
                  }),
                  std::vector<std::string>{});
        const TMemberQuickDef edited = GetQuickDefinitionFromMember(g_MemberDefinition);
        EXPECT_EQ(edited.L, opened.L);
        EXPECT_EQ(edited.mido2, opened.mido2);
        EXPECT_EQ(edited.leftpercent, opened.leftpercent);
        EXPECT_EQ(edited.penetrate, opened.penetrate);
        EXPECT_EQ(edited.constAxialLoad, static_cast<float>(kTypedLoad / UnitFactor(ukForce)));
    }
}

namespace {

const char* const kQuickTitle = "      Quick Define     ";

// Whether the document writes the attribute with that text (blanks may stand before the "=").
bool Writes(const std::string& document, const std::string& attribute, const std::string& text)
{
    for (std::size_t at = document.find(attribute); at != std::string::npos;
         at = document.find(attribute, at + 1)) {
        const std::size_t equals = document.find_first_not_of(" \t", at + attribute.size());
        if (equals != std::string::npos && document[equals] == '=' &&
            document.compare(equals + 1, text.size() + 2, '"' + text + '"') == 0)
            return true;
    }
    return false;
}

// What Full Member Properties opens on, and the quick page's shear span and constant-moment zone.
struct QuickOpening {
    std::string page, shear, zone;
    bool operator==(const QuickOpening&) const = default;
};
std::ostream& operator<<(std::ostream& out, const QuickOpening& o)
{
    return out << '"' << o.page << "\" \"" << o.shear << "\" \"" << o.zone << '"';
}

class QuickMemberSheet : public MemberSheetOkUnedited {
protected:
    // Loads > Full Member Properties, the work (on the quick page), OK: where it opened.
    QuickOpening EditAndTell(std::function<void(plat::DialogDriver&)> work = {})
    {
        QuickOpening seen;
        EditMember([&seen, work](plat::DialogDriver& d) {
            seen.page = d.PageTitle();
            d.SwitchPage(0);
            seen.shear = d.Text(MemberPageId::ShearLength);
            seen.zone = d.Text(MemberPageId::ConstantZone);
            if (work)
                work(d);
        });
        return seen;
    }

    // The sample beam opened in a new session in the units; Quick Define: the shear span and the
    // constant-moment zone typed, a moment ratio and an axial load of 0 (the member the section
    // was given replaced: Yes), OK.
    void TypeQuickMember(const Units& chosen, const std::string& shear, const std::string& zone)
    {
        OpenInANewSession(Sample("XmlDocument/full_beam_1.xml"));
        ChooseUnits(chosen.button);
        EditAndTell([this, shear, zone](plat::DialogDriver& d) {
            if (d.Text(MemberPageId::ShearLength) == "Detailed")
                ui.Message("Changing this will erase the detailed full member properties",
                           MsgAnswer::Yes);
            d.Type(MemberPageId::ShearLength, shear);
            d.Type(MemberPageId::ConstantZone, zone);
            d.Type(MemberPageId::MomentRatio, "0");
            d.Type(MemberPageId::AxialLoad, "0");
        });
    }
};

} // namespace

// A member built on the quick page, shown there again with its values (in kg/cm 180.00 and 60.00
// cm, as Quick Define gives a 600 mm beam), Save As, a new session: Full Member Properties opens
// on the quick page again with those values, not on Detailed Geometry with "Detailed" in the
// quick fields, and its OK with nothing edited changes nothing; in each unit system the
// preferences offer, in SI for shear spans of 9300 mm and 12345 mm.
TEST_F(QuickMemberSheet, AQuickMemberOpensAgainOnTheQuickPageWithItsValues)
{
    struct Typed {
        Units units;
        const char *shear, *zone, *shownShear, *shownZone;
    } rows[] = {
        {kSystems[2], "180", "60", "180.00", "60.00"},
        {kSystems[0], "9300", "600", "9300.0", "600.0"},
        {kSystems[0], "12345", "600", "12345.0", "600.0"},
        {kSystems[1], "70.87", "23.62", "70.87", "23.62"},
    };
    for (const Typed& t : rows) {
        SCOPED_TRACE(StrPrintf("units %d, %s", t.units.system, t.shear));
        TypeQuickMember(t.units, t.shear, t.zone);
        const QuickOpening session = EditAndTell();
        EXPECT_EQ(session, (QuickOpening{kQuickTitle, t.shownShear, t.shownZone}));
        const std::string saved = SaveAs("quick.qvh");
        OpenInANewSession(dir.File("quick.qvh"));
        EXPECT_EQ(EditAndTell(), session);
        // That OK, nothing edited, changed nothing.
        EXPECT_EQ(SaveAs("again.qvh"), saved);
    }
}

// Quick Define: an axial load of 7.4 kN typed, OK; then only the shear span typed, OK: the page
// showed the load as "7", and the member, and the document saved, keep 7.4 kN.
TEST_F(QuickMemberSheet, AnAxialLoadNotTypedAgainIsSavedAsItWasTyped)
{
    TypeQuickMember(kSystems[0], "1800", "600");
    EditAndTell([](plat::DialogDriver& d) { d.Type(MemberPageId::AxialLoad, "7.4"); });
    ASSERT_EQ(g_MemberDefinition.axialLoad[DeadDiagram], 7400.0);
    EditAndTell([](plat::DialogDriver& d) {
        EXPECT_EQ(d.Text(MemberPageId::AxialLoad), "   7");
        d.Type(MemberPageId::ShearLength, "2000");
    });
    EXPECT_EQ(g_MemberDefinition.axialLoad[DeadDiagram], 7400.0);
    EXPECT_NEAR(GetQuickDefinitionFromMember(g_MemberDefinition).L, 2.0, 1e-6);
    EXPECT_TRUE(Writes(SaveAs("load.qvh"), "AxialLoad", "7.4"));
}

// Detailed Geometry: "Fixed end" chosen for the left support (no support on the right), OK; then
// "Pin support" for it, OK: the member has a pin and a roller, and the next OK with nothing edited
// leaves it so (once the page stored two pins, which that OK turned into a pin and a roller).
TEST_F(MemberSheetOkUnedited, AFixedEndThenAPinGivesAPinAndARollerThatOkKeeps)
{
    OpenedOnceSaved(kSystems[0]);
    const auto chooseLeft = [](int index) {
        return [index](plat::DialogDriver& d) {
            d.SwitchPage(1);
            d.Select(MemberPageId::LeftSupport, index);
        };
    };
    EditMember(chooseLeft(SupportType::FixedEnd - 1));
    ASSERT_EQ(g_MemberDefinition.leftSupport, SupportType::FixedEnd);
    ASSERT_EQ(g_MemberDefinition.rightSupport, SupportType::Undefined);
    EditMember(chooseLeft(SupportType::Pin - 1));
    EXPECT_EQ(g_MemberDefinition.leftSupport, SupportType::Pin);
    EXPECT_EQ(g_MemberDefinition.rightSupport, SupportType::Roller);
    const TMemberDefinition chosen = g_MemberDefinition;
    EXPECT_EQ(EditMember(
                  [](plat::DialogDriver& d) { EXPECT_EQ(d.PageTitle(), "  Detailed Geometry  "); }),
              std::vector<std::string>{});
    EXPECT_EQ(g_MemberDefinition.leftSupport, SupportType::Pin);
    EXPECT_EQ(g_MemberDefinition.rightSupport, SupportType::Roller);
    EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, chosen), 1);
}

// Detailed Geometry: a top plate of 200 mm typed, OK; then OK with nothing edited: the top plate
// is still 200 mm, not the 150 mm of the left plate beside it.
TEST_F(MemberSheetOkUnedited, AnUntouchedTopPlateKeepsItsOwnSize)
{
    OpenedOnceSaved(kSystems[0]);
    ASSERT_EQ(g_MemberDefinition.leftPlateSize, 0.15);
    EditMember([](plat::DialogDriver& d) {
        d.SwitchPage(1);
        d.Type(MemberPageId::TopPlate, "200");
    });
    ASSERT_EQ(g_MemberDefinition.topPlateSize, 0.2);
    EXPECT_EQ(EditMember([](plat::DialogDriver& d) {
                  EXPECT_EQ(d.PageTitle(), "  Detailed Geometry  ");
                  EXPECT_EQ(d.Text(MemberPageId::TopPlate), "200.0");
              }),
              std::vector<std::string>{});
    EXPECT_EQ(g_MemberDefinition.topPlateSize, 0.2);
    EXPECT_EQ(g_MemberDefinition.leftPlateSize, 0.15);
}

// Detailed Geometry: a pin on the left and a roller on the right at 2500.04 mm of a 6000 mm
// member, OK; then only the left plate typed, OK: the right support, shown as 2500.0, stays at
// 2500.04 mm, and the document saves it so.
TEST_F(MemberSheetOkUnedited, ARightSupportNotTypedAgainKeepsItsHundredths)
{
    OpenedOnceSaved(kSystems[0]);
    EditMember([](plat::DialogDriver& d) {
        d.SwitchPage(1);
        d.Type(MemberPageId::Length, "6000");
        d.Select(MemberPageId::LeftSupport, SupportType::Pin - 1);
        d.Select(MemberPageId::RightSupport, SupportType::Roller - 1);
        d.Type(MemberPageId::RightLocation, "2500.04");
    });
    ASSERT_EQ(g_MemberDefinition.rightSupport, SupportType::Roller);
    ASSERT_DOUBLE_EQ(g_MemberDefinition.rightPlateLocation, 2.50004);
    const double typed = g_MemberDefinition.rightPlateLocation;
    EditMember([](plat::DialogDriver& d) {
        d.SwitchPage(1);
        EXPECT_EQ(d.Text(MemberPageId::RightLocation), "2500.0");
        d.Type(MemberPageId::LeftPlate, "100");
    });
    EXPECT_EQ(g_MemberDefinition.leftPlateSize, 0.1);
    EXPECT_EQ(g_MemberDefinition.rightPlateLocation, typed);
    EXPECT_TRUE(Writes(SaveAs("support.qvh"), "platelocate", "2500.04"));
}
