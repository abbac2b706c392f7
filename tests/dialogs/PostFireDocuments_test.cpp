// A post-fire beam is one a document keeps: File > Open of a beam with a member and fire data,
// Loads > Create Fire Damaged Beam, File > Save or Save As, and a new session of the program
// opens the same sections again and saves them to the same bytes. A section holding a value no
// document keeps is not saved over its file.

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/CommandIds.h"
#include "dialogs/MemberInputDialogs.h"
#include "dialogs/TFire.h"
#include "foundation/StrFormat.h"
#include "member/TMemberDefinition.h"
#include "member/fire/FireLaws.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/TBeam.h"
#include "model/ValueLimits.h"
#include "tests/app/RealDocumentShell.h"

namespace {

// Within a relative share of the larger magnitude, or an absolute amount for values near 0.
void ExpectClose(double was, double is, double share, double absolute, const char* what) {
    const double larger = std::max(std::fabs(was), std::fabs(is));
    EXPECT_NEAR(is, was, std::max(absolute, share * larger)) << what;
}

// The same section, within what the document's number formats keep.
void ExpectSameSection(const TStructure& was, const TStructure& is) {
    EXPECT_EQ(is.GetName(), was.GetName());
    // The summary's base type and transformed section follow these.
    EXPECT_EQ(is.GetMainConcreteType(), was.GetMainConcreteType());
    EXPECT_EQ(is.GetMainSteelType(), was.GetMainSteelType());
    ASSERT_EQ(is.GetRegionCount(), was.GetRegionCount());
    for (int r = 0; r < was.GetRegionCount(); ++r) {
        SCOPED_TRACE(StrPrintf("region %d", r));
        const ConcreteRegionRec &a = *was.GetRegion(r), &b = *is.GetRegion(r);
        ExpectClose(a.top - was.GetBottom(), b.top - is.GetBottom(), 0.0, 1e-4, "top");
        ExpectClose(a.bottom - was.GetBottom(), b.bottom - is.GetBottom(), 0.0, 1e-4, "bottom");
        ExpectClose(a.topWidth, b.topWidth, 0.0, 1e-4, "top width");
        EXPECT_EQ(b.concreteType, a.concreteType);
    }
    ASSERT_EQ(is.GetConcreteTypeCount(), was.GetConcreteTypeCount());
    for (int k = 0; k < was.GetConcreteTypeCount(); ++k) {
        SCOPED_TRACE(StrPrintf("concrete type %d", k));
        const ConcreteTypeRec &a = *was.GetConcreteType(k), &b = *is.GetConcreteType(k);
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.baseCurve, a.baseCurve);
        ExpectClose(a.fc, b.fc, 1e-3, 1e3, "f'c");
        ExpectClose(a.ft, b.ft, 1e-3, 1e3, "f't");
    }
    ASSERT_EQ(is.GetSteelTypeCount(), was.GetSteelTypeCount());
    for (int k = 0; k < was.GetSteelTypeCount(); ++k) {
        SCOPED_TRACE(StrPrintf("steel type %d", k));
        const SteelTypeRec &a = *was.GetSteelType(k), &b = *is.GetSteelType(k);
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.kind, a.kind);
        ExpectClose(a.fy, b.fy, 2e-3, 1e4, "fy");
        ExpectClose(a.fu, b.fu, 2e-3, 1e4, "fu");
        ExpectClose(a.Es, b.Es, 2e-3, 1e6, "Es");
        ExpectClose(a.esh, b.esh, 2e-3, 1e-4, "esh");
        ExpectClose(a.eu, b.eu, 2e-3, 1e-4, "eu");
    }
    ASSERT_EQ(is.GetLongLayerCount(0), was.GetLongLayerCount(0));
    for (int i = 0; i < was.GetLongLayerCount(0); ++i)
        EXPECT_EQ(is.GetLongLayer(i, 0)->type, was.GetLongLayer(i, 0)->type) << i;
    ASSERT_EQ(is.GetTransLayerCount(2), was.GetTransLayerCount(2));
    for (int i = 0; i < was.GetTransLayerCount(2); ++i)
        EXPECT_EQ(is.GetTransLayer(i, 2)->type, was.GetTransLayer(i, 2)->type) << i;
}

class PostFireDocuments : public RealDocumentShellTest {
protected:
    PostFireDocuments() : m_previous(SetInputDialogs(&dialogs)) {}
    ~PostFireDocuments() override {
        SetInputDialogs(m_previous);
        DeleteThermalModel();
    }

    // The sample T-beam of the fuzzing corpus (GFRP in a fire of a constant 800 degrees on its
    // bottom for an hour; bars, a strand and stirrups of 450 MPa bars) opened by File > Open,
    // given a member of one zone over 3 m and saved by Save As as "member.qvh".
    void SaveSampleWithMember() {
        const std::string sample = std::string(QV_SOURCE_DIR) + "/fuzz/corpus/XmlDocument/full_beam_1.xml";
        std::ifstream in(sample, std::ios::binary);
        ASSERT_TRUE(in);
        OpenDocument("full_beam_1.xml", std::string(std::istreambuf_iterator<char>(in), {}));
        ASSERT_EQ(Open().size(), 1u);
        DefineOneZoneMember(g_MemberDefinition);
        ui.File(plat::FileDialogKind::Save, dir.File("member.qvh"));
        ASSERT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
    }

    // File > Open of the file in a new session of the program.
    void OpenInANewSession(const std::string& path) {
        app.reset();
        DeleteThermalModel();
        ResetMemberDefinition(g_MemberDefinition);
        Start();
        OpenByMenu(path);
    }

    // Loads > Create Fire Damaged Beam, OK: the post-fire beam, current. With a reinforcement
    // type, it and the constant temperature (degrees C, typed as the dialog shows it: in
    // degrees F in US units) are chosen in the dialog first; else the document's settings stand.
    const TStructure* CreateFireDamagedBeam(int rebarType = -1, double celsius = 0.0) {
        ui.Dialog("Post-fire analysis parameters", [&](plat::DialogDriver& d) {
            if (rebarType >= 0) {
                d.Select(FireId::Rebar, rebarType);
                d.Type(FireId::Temperature,
                       StrPrintf("%g", g_UnitSystem == kUnitUS ? 1.8 * celsius + 32.0 : celsius));
            }
            d.Click(plat::DialogResult::Ok);
        });
        EXPECT_TRUE(Frame().Dispatch(CmId::FireDamagedBeam));
        EXPECT_TRUE(ui.Done());
        return Window().GetCurrentStructure();
    }

    // Boxes other than the file dialogs asked for since the count given.
    int BoxesSince(std::size_t count) const {
        int boxes = 0;
        for (std::size_t i = count; i < ui.requests.size(); ++i)
            boxes += ui.requests[i].kind == "message" ? 1 : 0;
        return boxes;
    }

    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    ValueGuard<TMemberDefinition> member{g_MemberDefinition, TMemberDefinition{}};
    TMemberInputDialogs dialogs{GetInputDialogs()};

private:
    TInputDialogs* m_previous;
};

// The document's own fire: GFRP at 800 degrees has lost all stiffness and strength, so the
// stirrup keeps a thousandth of its 450 MPa and of its modulus, and its strains stretch until
// the rupture strain reaches 0.999 of the 10000 mm/m a section holds: its 8, 100 and
// 8 + 1.5 x 92 = 146 mm/m by 9990 / 146. File > Save over the document opened, then a new session opens
// it with both sections and the member, and Save As writes the same bytes.
TEST_F(PostFireDocuments, AGfrpBeamBurntOutAtTheBottomIsSavedOverItsDocumentAndOpensAgain) {
    SaveSampleWithMember();
    const TMemberDefinition withMember = g_MemberDefinition;
    OpenInANewSession(dir.File("member.qvh"));
    ASSERT_EQ(Open().size(), 1u);
    const SteelTypeRec cold = *Window().GetCurrentStructure()->GetSteelType(0);
    ASSERT_EQ(cold.name, "Bar");
    ASSERT_NEAR(cold.esh, 0.008, 1e-12);
    ASSERT_NEAR(cold.eu, 0.1, 1e-12);

    const TStructure* post = CreateFireDamagedBeam();
    ASSERT_NE(post, nullptr);
    ASSERT_EQ(Open().size(), 2u);
    EXPECT_EQ(post->GetName(), "Z T-beam & <web> - After Fire");
    ASSERT_EQ(post->GetSteelTypeCount(), 4);
    const SteelTypeRec& stirrup = *post->GetSteelType(3);
    EXPECT_EQ(stirrup.name, "Stirrup: 1");
    EXPECT_NEAR(stirrup.fy, 0.001 * cold.fy, 1e-9 * cold.fy);
    EXPECT_NEAR(stirrup.Es, 0.001 * cold.Es, 1e-9 * cold.Es);
    // The strains as the document keeps them: to ten digits.
    const double stretch = 9.99 / 0.146;
    EXPECT_NEAR(stirrup.er, 9.99, 1e-9 * 9.99);
    EXPECT_NEAR(stirrup.eu, 0.1 * stretch, 1e-9 * 0.1 * stretch);
    EXPECT_NEAR(stirrup.esh, 0.008 * stretch, 1e-9 * 0.008 * stretch);
    EXPECT_EQ(UnheldValueText(*post), "");
    const TBeam made = dynamic_cast<const TBeam&>(*post);
    const TBeam source = dynamic_cast<const TBeam&>(*g_Structures[0]);

    const std::size_t before = ui.requests.size();
    ASSERT_TRUE(Frame().Dispatch(CmId::FileSave));
    EXPECT_EQ(BoxesSince(before), 0);
    const std::string saved = dir.Read("member.qvh");
    EXPECT_NE(saved.find("eu\t\t=\"6842.465753\""), std::string::npos) << "the stirrup's strain at peak, in ms";

    OpenInANewSession(dir.File("member.qvh"));
    EXPECT_EQ(BoxesSince(0), 0) << ui.requests.back().text;
    ASSERT_EQ(Open().size(), 2u);
    ExpectSameSection(source, *g_Structures[0]);
    ExpectSameSection(made, *g_Structures[1]);
    EXPECT_EQ(EqualMemberDefinitions(g_MemberDefinition, withMember), 1);

    ui.File(plat::FileDialogKind::Save, dir.File("again.qvh"));
    ASSERT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
    EXPECT_EQ(dir.Read("again.qvh"), saved);
}

// The same road for the other reinforcement: steel (its bars, strand and stirrups) at 600 and
// at 1190 degrees, where its stiffness falls to 0.00225; GFRP at 350 degrees, still a quarter
// as stiff; CFRP just short of 400. Each post-fire beam holds only values a document keeps, is
// saved by Save As, opens in a new session as made, and saves to the same bytes.
TEST_F(PostFireDocuments, PostFireBeamsOfSteelAndFibreBarsAtSeveralTemperaturesOpenAgain) {
    SaveSampleWithMember();
    const struct {
        int rebarType;
        double celsius;
    } fires[] = {{kMildSteel, 600.0}, {kMildSteel, 1190.0}, {kGFRP, 350.0}, {kCFRP, 399.0}};
    for (const auto& fire : fires) {
        SCOPED_TRACE(StrPrintf("fire type %d at %g degrees", fire.rebarType, fire.celsius));
        OpenInANewSession(dir.File("member.qvh"));
        const TStructure* post = CreateFireDamagedBeam(fire.rebarType, fire.celsius);
        ASSERT_NE(post, nullptr);
        ASSERT_EQ(Open().size(), 2u);
        int exposure = 0, type = 0, rebar = 0;
        double time = 0.0, temperature = 0.0;
        post->GetFireData(exposure, type, rebar, time, temperature);
        EXPECT_EQ(rebar, fire.rebarType);
        EXPECT_NEAR(temperature, fire.celsius, 1e-9);
        EXPECT_EQ(UnheldValueText(*post), "");
        const TBeam made = dynamic_cast<const TBeam&>(*post);
        const std::string name = StrPrintf("after-%d-%g.qvh", fire.rebarType, fire.celsius);
        ui.File(plat::FileDialogKind::Save, dir.File(name));
        ASSERT_TRUE(Frame().Dispatch(CmId::FileSaveAs));
        const std::string saved = dir.Read(name);

        const std::size_t before = ui.requests.size();
        OpenInANewSession(dir.File(name));
        EXPECT_EQ(BoxesSince(before), 0);
        ASSERT_EQ(Open().size(), 2u);
        ExpectSameSection(made, *g_Structures[1]);
        ASSERT_TRUE(Frame().Dispatch(CmId::FileSave));
        EXPECT_EQ(dir.Read(name), saved);
    }
}

// A section holding a value that no document keeps (a strain at peak of 100, as a post-fire
// stirrup once had) is not written: File > Save names the value, says so, and the file keeps
// the document it held, which still opens.
TEST_F(PostFireDocuments, ASectionWithAValueNoDocumentKeepsIsNotSavedOverItsFile) {
    SaveSampleWithMember();
    const std::string kept = dir.Read("member.qvh");
    g_Structures[0]->GetSteelType(0)->eu = 100.0;
    g_Structures[0]->SetModified(1);
    // The document's US units show strains in millistrain.
    ui.Message("Steel type 1 (\"Bar\") has a strain at peak of 1e+05 ms: a section takes at most 10000 ms. "
               "The file is not saved.",
               MsgAnswer::Ok);
    ui.Message("Could not save file", MsgAnswer::Ok);
    Frame().Dispatch(CmId::FileSave);
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(dir.Read("member.qvh"), kept);
    const std::size_t before = ui.requests.size();
    OpenInANewSession(dir.File("member.qvh"));
    EXPECT_EQ(BoxesSince(before), 0);
    EXPECT_NEAR(Window().GetCurrentStructure()->GetSteelType(0)->eu, 0.1, 1e-12);
}

}  // namespace
