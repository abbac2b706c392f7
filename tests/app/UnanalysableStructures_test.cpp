// Sections and membrane elements that cannot be analysed, by the user's roads. A section whose
// outline labels a row with a concrete the section does not define is not read, as such a
// membrane element is not: one box says what was not read, and the document open before stays,
// or the document's other sections open and its file, which still holds the section, is then
// saved through Save As. A structure that was read but cannot be analysed (a membrane element
// without an outline, the new section of the start) says why in one box on every solve, and
// nothing runs.

#include <memory>
#include <string>
#include <vector>

#include "analysis/TQuarvish2000Analysis.h"
#include "app/CommandIds.h"
#include "model/TShell.h"
#include "support/TwoConcreteTBeam.h"
#include "tests/app/RealDocumentShell.h"

namespace {

std::string Document(const std::string& elements) {
    return "<?xml version=\"1.0\"?>\r\n<document>\r\n" + elements + "\r\n</document>\r\n";
}

// The T-beam of two concretes (flange over web, 23.62 in deep) named so, its outline row
// labelled `label` relabelled `wrong` when one is given.
std::string TBeamElement(const std::string& name, const std::string& label = {}, const std::string& wrong = {}) {
    std::string element = TwoConcreteTBeamElement();
    element.replace(element.find("name=\"T-beam\""), 13, "name=\"" + name + "\"");
    if (!label.empty()) {
        const std::size_t at = element.find("\"" + label + "\"", element.find("<sectionSOLID>"));
        element.replace(at, label.size() + 2, "\"" + wrong + "\"");
    }
    return element;
}

class UnanalysableStructure : public RealDocumentShellTest {};

} // namespace

// The flange's label or the web's, mistyped: the section is not read, whichever row it is, and
// the T-beam open before stays as it was, with its file; the damaged file is left as it is.
TEST_F(UnanalysableStructure, ASectionWhoseOutlineLabelsARowWithAConcreteItLacksIsNotRead) {
    OpenDocument("sound.qvh", Document(TBeamElement("T-beam")));
    ASSERT_EQ(Boxes(), 0);
    const std::string sound = dir.File("sound.qvh");
    ASSERT_EQ(app->GetFileName(), sound);
    struct Case {
        const char* label;
        const char* wrong;
        int region;
    };
    for (const Case& c : {Case{"Flange", "Flang", 1}, Case{"Web", "Webb", 2}}) {
        SCOPED_TRACE(c.wrong);
        ui.requests.clear();
        const std::string name = std::string(c.wrong) + ".qvh";
        const std::string text = Document(TBeamElement("Damaged", c.label, c.wrong));
        const std::string box = "Section \"Damaged\": concrete region " + std::to_string(c.region) +
                                " of its outline names concrete type \"" + c.wrong +
                                "\", which the section does not define, so it cannot be analysed. It was not read.";
        OpenDocument(name, text, box);
        EXPECT_TRUE(ui.Done());
        EXPECT_EQ(Boxes(), 1);
        EXPECT_NE(ui.requests.back().text.find(dir.File(name)), std::string::npos) << ui.requests.back().text;
        EXPECT_EQ(app->GetFileName(), sound);
        EXPECT_EQ(Open(), std::vector<std::string>{"T-beam"});
        const TStructure* s = Window().GetCurrentStructure();
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->GetRegionCount(), 2);
        EXPECT_NEAR(s->GetHeight(), 23.62 * 0.0254, 1e-6);
        EXPECT_EQ(dir.Read(name), text);
    }
}

// Beside a sound section the damaged one is left out with its one box; the sound one opens
// whole, and File > Save asks for a file, offering none, so that the user's file keeps both.
TEST_F(UnanalysableStructure, BesideASoundSectionTheDamagedOneIsLeftOutAndSaveAsksForAFile) {
    const std::string text = Document(TBeamElement("Sound") + "\r\n" + TBeamElement("Damaged", "Web", "Webb"));
    OpenDocument("two.qvh", text, "Section \"Damaged\": concrete region 2 of its outline names concrete type \"Webb\"");
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(Boxes(), 1);
    EXPECT_EQ(app->GetFileName(), dir.File("two.qvh"));
    EXPECT_EQ(Open(), std::vector<std::string>{"Sound"});
    EXPECT_EQ(Window().GetCurrentStructure()->GetRegionCount(), 2);

    ui.File(plat::FileDialogKind::Save, std::nullopt);
    EXPECT_TRUE(Frame().Dispatch(CmId::FileSave));
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(ui.lastProposedFile, "");
    EXPECT_EQ(dir.Read("two.qvh"), text);
    EXPECT_EQ(Boxes(), 1);
}

// A membrane element saved without an outline or a concrete type (as an earlier version saved
// an element whose outline it had not read): it opens with one box, and every solve says why
// in one box, without asking for strains first.
TEST_F(UnanalysableStructure, AMembraneElementWithoutAnOutlineSaysWhyOnEverySolve) {
    std::vector<std::unique_ptr<TStructure>> v;
    v.push_back(std::make_unique<TShell>(1));
    v.back()->SetName("PV19");
    v.push_back(std::make_unique<TShell>());
    v.back()->SetName("Empty");
    WriteStructures("empty.qvh", std::move(v));
    std::string text = dir.Read("empty.qvh");
    const std::size_t from = text.find("<sectionSOLID", text.find("\"Empty\""));
    const std::size_t to = text.find("</sectionSOLID>", from) + 15;
    ASSERT_LT(from, to);
    text.replace(from, to - from, "<sectionSOLID />");

    const std::string why = "Membrane element \"Empty\": No concrete region at depth -35.0 mm.  Its concrete does not "
                            "span the whole thickness, so it cannot be analysed.";
    OpenDocument("empty.qvh", text, why);
    EXPECT_TRUE(ui.Done());
    ASSERT_EQ(Open(), (std::vector<std::string>{"PV19", "Empty"}));
    Frame().Dispatch(CmId::NextElement);
    ASSERT_EQ(Window().GetCurrentStructure()->GetName(), "Empty");
    for (const int command : {CmId::SectionalResponse, CmId::MNInteraction, CmId::MVInteraction, CmId::NVInteraction,
                              CmId::OneLoad, CmId::OneStrain, CmId::TwoStrain})
        ExpectOneBoxOnSolve(command, why);
}

// The new section of the start (no outline) says its own reason on One Load and on the strain
// solves, as on the other roads, without asking for strains first.
TEST_F(UnanalysableStructure, TheStartUpSectionSaysWhyOnOneLoadAndTheStrainSolves) {
    ASSERT_EQ(Window().GetCurrentStructure()->GetRegionCount(), 0);
    for (const int command : {CmId::OneLoad, CmId::OneStrain, CmId::TwoStrain})
        ExpectOneBoxOnSolve(command, kNoSectionText);
}
