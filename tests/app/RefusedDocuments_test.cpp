// Documents the program's own reader refuses, opened by File > Open and the recent-files list
// over a sound document: one box each, and the document open before stays with everything
// that goes with it (structures, file name, caption, recent list, member, unit system,
// resistance factors and the quick-define wizard's flag), as for a refused older file.

#include <memory>
#include <string>
#include <vector>

#include "foundation/Units.h"
#include "member/TMemberDefinition.h"
#include "model/QuickDefineFlag.h"
#include "model/materials/MaterialTypes.h"
#include "support/TestSupport.h"
#include "tests/app/OwnBarsDocument.h"
#include "tests/app/RealDocumentShell.h"

namespace {

class RefusedDocumentTest : public RealDocumentShellTest {
protected:
    // Two sections, each with a layer of two 500 mm^2 bars and a tendon of one 1000 mm^2 bar,
    // written to name in the units given.
    std::string WriteTwoSections(const std::string& name, const std::string& first, const std::string& second,
                                 int unitSystem) {
        std::vector<std::unique_ptr<TStructure>> structures;
        structures.push_back(MakeOwnBarsBeam(first));
        structures.push_back(MakeOwnBarsBeam(second));
        const ValueGuard<int> written(g_UnitSystem, unitSystem);
        return WriteStructures(name, std::move(structures));
    }

    // File > Open of the file, its one box answered OK; the boxes raised.
    std::vector<UiRequest> Open(const std::string& file, const std::string& fragment) {
        ui.File(plat::FileDialogKind::Open, file);
        if (!fragment.empty())
            ui.Message(fragment, MsgAnswer::Ok);
        const std::size_t before = ui.requests.size();
        EXPECT_TRUE(Frame().Dispatch(CmId::FileOpen));
        EXPECT_TRUE(ui.Done());
        std::vector<UiRequest> boxes;
        for (std::size_t i = before; i < ui.requests.size(); ++i)
            if (ui.requests[i].kind == "message")
                boxes.push_back(ui.requests[i]);
        return boxes;
    }

    ValueGuard<TMemberDefinition> memberGuard{g_MemberDefinition, TMemberDefinition{}};
    ValueGuard<int> unitGuard{g_UnitSystem, kUnitSI};
    ValueGuard<int> overrideGuard{g_FileOverride, 1};
    ValueGuard<ResistanceFactors> factorGuard{g_ResistanceFactors, ResistanceFactors{}};
};

// The text with attribute of the second section's layer (0 the bars, 1 the tendon) made value.
std::string WithSecondLayerValue(const std::string& text, int layer, const std::string& attribute,
                                 const std::string& value) {
    return WithLayerValue(text, text.find("<q3g_beam", text.find("</q3g_beam>")), layer, attribute, value);
}

} // namespace

// The refused documents are in SI, with a sound first section whose member is read, and with
// resistance factors reset by the read, before their second section is refused.
TEST_F(RefusedDocumentTest, ARefusedDocumentLeavesTheSoundDocumentOpenWithItsSettings) {
    const std::string other = WriteTwoSections("other.qvh", "Other", "Refused", kUnitSI);
    const std::string text = dir.Read("other.qvh");
    // The sound document: US units, its own resistance factors and a member of 4 m.
    g_ResistanceFactors = ResistanceFactors{0.65, 0.85, 0.9};
    g_MemberDefinition.length = 4.0;
    g_MemberDefinition.rightPlateLocation = 4.0;
    const std::string sound = WriteTwoSections("sound.qvh", "Girder", "Column", kUnitUS);
    g_ResistanceFactors = ResistanceFactors{};
    g_MemberDefinition = TMemberDefinition{};
    // other.qvh opened once, so that the recent-files list offers it.
    ASSERT_TRUE(Open(other, "").empty());
    ASSERT_TRUE(Open(sound, "").empty());
    ASSERT_EQ(app->GetFileName(), sound);
    ASSERT_EQ(g_UnitSystem, kUnitUS);
    ASSERT_EQ(g_ResistanceFactors, (ResistanceFactors{0.65, 0.85, 0.9}));
    ASSERT_DOUBLE_EQ(g_MemberDefinition.length, 4.0);
    ASSERT_EQ(GetQuickDefineNew(), 0);
    const std::string caption = Frame().GetCaption();
    const std::vector<std::string> recent = app->GetRecentFiles().Entries();
    ASSERT_EQ(recent.size(), 2u);
    ASSERT_EQ(recent[1], other);

    const auto expectSoundOpen = [&] {
        EXPECT_EQ(app->GetFileName(), sound);
        EXPECT_EQ(Frame().GetCaption(), caption);
        EXPECT_EQ(app->GetRecentFiles().Entries(), recent);
        ASSERT_NE(StructureAt(0), nullptr);
        ASSERT_NE(StructureAt(1), nullptr);
        EXPECT_EQ(StructureAt(2), nullptr);
        EXPECT_EQ(StructureAt(0)->GetName(), "Girder");
        EXPECT_EQ(StructureAt(1)->GetName(), "Column");
        EXPECT_EQ(StructureAt(0)->GetLongLayerCount(0), 2);
        EXPECT_EQ(StructureAt(1)->GetLongLayerCount(0), 2);
        EXPECT_EQ(g_UnitSystem, kUnitUS);
        EXPECT_EQ(g_ResistanceFactors, (ResistanceFactors{0.65, 0.85, 0.9}));
        EXPECT_DOUBLE_EQ(g_MemberDefinition.length, 4.0);
        EXPECT_EQ(GetQuickDefineNew(), 0);
    };
    struct Case {
        const char* name;
        std::string text;
        const char* box;
    };
    const Case cases[] = {
        {"ai.qvh", WithSecondLayerValue(text, 0, "Ai", "2e6"), "Longitudinal layer 1 (\"bars\") has Ai=\"2e6\""},
        {"a.qvh", WithSecondLayerValue(text, 1, "A", "1e12"), "Longitudinal layer 2 (\"tendon\") has A=\"1e12\""},
        {"num.qvh", WithSecondLayerValue(text, 0, "num", "10001"), "Longitudinal layer 1 (\"bars\") has num=\"10001\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write(c.name, c.text);
        const std::vector<UiRequest> boxes = Open(dir.File(c.name), c.box);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find(c.box), std::string::npos) << boxes[0].text;
        expectSoundOpen();
    }

    // The recent-files list's road: other.qvh, damaged since.
    SCOPED_TRACE("recent");
    dir.Write("other.qvh", cases[0].text);
    ui.Message(cases[0].box, MsgAnswer::Ok);
    app->CmRecentFile(1);
    EXPECT_TRUE(ui.Done());
    expectSoundOpen();
}
