// The element catalogue on a working table: the tree and its current mark, unique titles,
// copies of a beam and of a membrane element, the in-use refusal, a full table refusing New
// and Copy, and New through the wizard.

#include <sstream>

#include <gtest/gtest.h>

#include "dialogs/Catalog.h"
#include "dialogs/QuickDefine.h"
#include "dialogs/QuickDefineWizard.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/QuickDefineFlag.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "model/catalogues/TRebarList.h"
#include "model/shapes/ShapeLibrary.h"
#include "platform/Application.h"
#include "platform/Services.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"

namespace {

namespace C = CatalogId;

std::unique_ptr<TStructure> Beam(const std::string& name, const std::string& author = "QA")
{
    auto beam = std::make_unique<TBeam>();
    beam->SetName(name);
    beam->SetDoneBy(author);
    return beam;
}

struct Catalog : ::testing::Test {
    static void SetUpTestSuite() { plat::EnsureGuiRuntime(); }

    // The texts of the tree's items in the order they were added, with their parents' texts.
    std::vector<std::string> Items(const TCatalog& dialog) const
    {
        std::vector<std::string> out;
        const plat::TreeView& tree = dialog.Tree();
        for (int i = 1; i <= tree.GetCount(); ++i) {
            const int parent = tree.GetParentItem(i);
            out.push_back((parent > 0 ? tree.GetItemText(parent) + " / " : std::string()) + tree.GetItemText(i));
        }
        return out;
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> out;
        for (const auto& s : table)
            if (s)
                out.push_back(s->GetName());
        return out;
    }

    StructureTable table;
    int current = 0;
    int changed = 0;
    RecordingReporter reporter;
    ScriptedUi ui;
};

// One author: the names hang under the root; the equal titles become unique; the current
// element is marked and its statics filled.
TEST_F(Catalog, TreeMarksTheCurrentAndTitlesBecomeUnique)
{
    table[0] = Beam("Pier");
    table[1] = Beam("Girder");
    table[2] = Beam("Girder");
    current = 0;
    TCatalog dialog(nullptr, &current, table, [this] { ++changed; });
    ui.Dialog("Catalog of Elements", [&](plat::DialogDriver& d) {
        EXPECT_EQ(Items(dialog), (std::vector<std::string>{"Girder", "GirderX", "Pier - Current"}));
        EXPECT_EQ(d.Text(C::Name), "Pier");
        EXPECT_EQ(d.Text(C::Author), "QA");
        d.SelectTreeItem(C::Tree, "GirderX");
        EXPECT_EQ(d.Text(C::Name), "GirderX");
        d.Click(1);
    });
    EXPECT_EQ(dialog.Execute(), 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Girder", "GirderX", "Pier"}));
    EXPECT_EQ(table[static_cast<std::size_t>(current)]->GetName(), "GirderX");
    EXPECT_EQ(changed, 1);
}

TEST_F(Catalog, HelpOpensTheCataloguesTopicAndTheDialogStays)
{
    std::vector<std::string> opened;
    plat::Help::SetOpener([&](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    TempDir dir;
    dir.Write("Quarvish.html", "<html></html>");
    plat::Help::SetPagePath(dir.File("Quarvish.html"));
    table[0] = Beam("Pier");
    TCatalog dialog(nullptr, &current, table, {});
    ui.Dialog("Catalog of Elements", [&](plat::DialogDriver& d) {
        EXPECT_TRUE(d.Enabled(plat::DialogResult::Help));
        d.Click(plat::DialogResult::Help);
        EXPECT_FALSE(d.Ended());
        d.Click(2);
    });
    EXPECT_EQ(dialog.Execute(), 2);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_NE(opened[0].find("Quarvish.html#command-5877"), std::string::npos) << opened[0];
    plat::Help::SetOpener({});
    plat::Help::SetPagePath("");
}

TEST_F(Catalog, AuthorsThatDifferGetNodes)
{
    table[0] = Beam("A1", "Ann");
    table[1] = Beam("B1", "Bob");
    table[2] = Beam("A2", "Ann");
    TCatalog dialog(nullptr, &current, table, {});
    dialog.CreateDialog();
    EXPECT_EQ(Items(dialog), (std::vector<std::string>{"Ann", "Ann / A1 - Current", "Ann / A2", "Bob", "Bob / B1"}));
    dialog.Destroy();
}

// Copies of a beam and of a membrane element keep their own kinds.
TEST_F(Catalog, CopiesKeepTheirKind)
{
    table[0] = Beam("Beam");
    table[1] = std::make_unique<TShell>(1);
    table[1]->SetName("Panel");
    current = 1;
    TCatalog dialog(nullptr, &current, table, [this] { ++changed; });
    dialog.CreateDialog();
    dialog.CmCopy();
    dialog.Destroy();
    ASSERT_EQ(Names().size(), 3u);
    const TStructure* copy = nullptr;
    for (const auto& s : table)
        if (s && s->GetName() == "Panel - [Copy]")
            copy = s.get();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetKind(), kKindShell);
    EXPECT_EQ(dialog.GetCurrentTitle().find("Panel - [Copy]") != std::string::npos, true);
    EXPECT_EQ(dialog.GetElementCount(), 3);

    int beamSlot = -1;
    for (int i = 0; i < kMaxStructures; ++i)
        if (table[static_cast<std::size_t>(i)] && table[static_cast<std::size_t>(i)]->GetName() == "Beam")
            beamSlot = i;
    ASSERT_GE(beamSlot, 0);
    current = beamSlot;
    TCatalog again(nullptr, &current, table, {});
    again.CreateDialog();
    EXPECT_EQ(again.GetCurrentTitle().find("Beam") != std::string::npos, true);
    again.CmCopy();
    again.Destroy();
    bool beamCopy = false;
    for (const auto& s : table)
        beamCopy = beamCopy || (s && s->GetName() == "Beam - [Copy]" && s->GetKind() == kKindBeam);
    EXPECT_TRUE(beamCopy);
}

// A section the member uses stays; another goes and the rest close up.
TEST_F(Catalog, DeleteRefusesASectionInUse)
{
    table[0] = Beam("A");
    table[1] = Beam("B");
    table[2] = Beam("C");
    table[1]->SetReferenced(1);
    current = 1;
    TCatalog dialog(nullptr, &current, table, [this] { ++changed; });
    dialog.CreateDialog();
    ui.Message("Cannot delete this section as it is in use in Full Member Response", MsgAnswer::Ok);
    dialog.CmDelete();
    EXPECT_EQ(ui.requests.at(0).caption, "Delete Error");
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(changed, 0);

    current = 0;
    TCatalog other(nullptr, &current, table, [this] { ++changed; });
    other.CreateDialog();
    other.CmDelete();
    EXPECT_EQ(Names(), (std::vector<std::string>{"B", "C"}));
    EXPECT_NE(table[0], nullptr);
    EXPECT_NE(table[1], nullptr);
    EXPECT_EQ(table[2], nullptr);
    EXPECT_EQ(other.GetElementCount(), 2);
    EXPECT_NE(other.GetCurrentTitle().find("B"), std::string::npos);
    other.Destroy();
    dialog.Destroy();
}

// Deleting the current element again and again, from the middle one: the element of the next
// slot becomes current (C after B), else the one before it (A after C), and the slots close
// up behind, until one is left; "Delete" then does nothing, so the catalogue never runs out
// of elements.
TEST_F(Catalog, DeletingStopsAtTheLastElement)
{
    table[0] = Beam("A");
    table[1] = Beam("B");
    table[2] = Beam("C");
    current = 1;
    TCatalog dialog(nullptr, &current, table, [this] { ++changed; });
    dialog.CreateDialog();
    ASSERT_EQ(dialog.GetElementCount(), 3);
    ASSERT_NE(dialog.GetCurrentTitle().find("B"), std::string::npos);
    const struct {
        std::vector<std::string> names;
        const char* current;
    } after[] = {{{"A", "C"}, "C"}, {{"A"}, "A"}, {{"A"}, "A"}};
    for (const auto& step : after) {
        SCOPED_TRACE(step.current);
        dialog.CmDelete();
        EXPECT_EQ(Names(), step.names);
        EXPECT_EQ(dialog.GetElementCount(), static_cast<int>(step.names.size()));
        EXPECT_NE(dialog.GetCurrentTitle().find(step.current), std::string::npos);
        EXPECT_NE(table[0], nullptr);
        EXPECT_EQ(table[step.names.size()], nullptr);
    }
    EXPECT_EQ(changed, 2);
    EXPECT_TRUE(ui.requests.empty()); // no message on the way
    EXPECT_EQ(Items(dialog).size(), 1u);
    dialog.Destroy();
}

// With all 300 slots taken, New and Copy refuse with a message and write nothing.
TEST_F(Catalog, FullTableRefusesNewAndCopy)
{
    for (int i = 0; i < kMaxStructures; ++i)
        table[static_cast<std::size_t>(i)] = Beam(StrPrintf("S%03d", i));
    for (int i = 0; i < kMaxStructures; ++i)
        static_cast<TBeam&>(*table[static_cast<std::size_t>(i)]).AddRegion(0.3, -0.3, 0.3, 0.3, 0, 1);
    TCatalog dialog(nullptr, &current, table, [this] { ++changed; });
    dialog.CreateDialog();
    ui.Message("as many as it can", MsgAnswer::Ok).Message("as many as it can", MsgAnswer::Ok);
    dialog.CmCopy();
    dialog.CmNew();
    EXPECT_TRUE(ui.Done());
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(Names().size(), 300u);
    EXPECT_EQ(table[299]->GetName(), "S299");
    dialog.Destroy();
}

// New runs the wizard: Cancel leaves the table, Finish adds a built section as current.
TEST_F(Catalog, NewRunsTheWizard)
{
    TRebarList savedList = g_RebarList;
    g_RebarList.Clear();
    std::istringstream listing(DefaultRebarListing());
    g_RebarList.ReadListing(listing);
    ReadShapeLibraryText(0, DefaultShapeFileText());
    table[0] = Beam("Existing");
    static_cast<TBeam&>(*table[0]).AddRegion(0.3, -0.3, 0.3, 0.3, 0, 1);
    TCatalog dialog(nullptr, &current, table, [this] { ++changed; });
    dialog.CreateDialog();
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) { d.Click(2); });
    dialog.CmNew();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Existing"}));
    ui.Dialog("Define Beam Section", [](plat::DialogDriver& d) {
        d.Type(QuickId::Title, "Fresh");
        d.Next();
        d.Next();
        d.Next();
        d.Finish();
    });
    dialog.CmNew();
    EXPECT_TRUE(ui.Done());
    // Sorted by title, whose author field comes first: the new section has no author yet.
    EXPECT_EQ(Names(), (std::vector<std::string>{"Fresh", "Existing"}));
    EXPECT_EQ(table[static_cast<std::size_t>(current)]->GetName(), "Fresh");
    EXPECT_GT(table[static_cast<std::size_t>(current)]->GetLongLayerCount(0), 0);
    EXPECT_EQ(changed, 1);
    dialog.Destroy();
    ShapeTable = {};
    g_RebarList = savedList;
    g_QuickDefData = TQuickDefData{};
}

} // namespace
