// Structure numbering around an edit of the structure table, sorting by title, the
// placeholder mode object's constant answers and the default report text.

#include <gtest/gtest.h>

#include "app/SectionNumbering.h"
#include "app/TQuarvishWindow.h"
#include "app/views/TSarnex_Logic.h"
#include "foundation/ReportText.h"
#include "member/TMemberDefinition.h"
#include "model/TBeam.h"
#include "model/TShell.h"
#include "support/ScriptedUi.h"
#include "support/TestSupport.h"

namespace {

std::unique_ptr<TStructure> Beam(const std::string& name)
{
    auto beam = std::make_unique<TBeam>();
    beam->SetName(name);
    beam->SetDoneBy("QA");
    return beam;
}

struct Numbering : ::testing::Test {
    void SetUp() override
    {
        table[0] = Beam("Alpha");
        table[1] = Beam("Delta");
        table[2] = Beam("Charlie");
        table[4] = Beam("Bravo");
        member.zoneCount = 3;
        member.zones[0] = {0.0, 1};  // Delta
        member.zones[1] = {2.0, 4};  // Bravo
        member.zones[2] = {4.0, 2};  // Charlie
    }
    const std::string& NameAt(int slot) const { return *table[static_cast<std::size_t>(slot)]->GetTitleField(2); }
    std::string ZoneName(int z) const
    {
        const int slot = member.zones[static_cast<std::size_t>(z)].structureIndex;
        return table[static_cast<std::size_t>(slot)]->GetName();
    }

    StructureTable table;
    TMemberDefinition member;
    RecordingReporter reporter;
};

// The zones follow their sections through a sort; the in-use marks fall on the three sections
// the member uses.
TEST_F(Numbering, ZonesFollowTheirSectionsThroughASort)
{
    RenumberSections(table, member);
    EXPECT_EQ(table[0]->IsReferenced(), 0);
    EXPECT_EQ(table[1]->IsReferenced(), 1);
    EXPECT_EQ(table[2]->IsReferenced(), 1);
    EXPECT_EQ(table[4]->IsReferenced(), 1);
    EXPECT_EQ(table[4]->GetSectionId(), 4);

    int current = 1; // Delta
    EXPECT_FALSE(SortSections(table, current));
    // Empty slots first, then Alpha, Bravo, Charlie, Delta.
    EXPECT_EQ(table[0], nullptr);
    EXPECT_EQ(table[1]->GetName(), "Alpha");
    EXPECT_EQ(table[2]->GetName(), "Bravo");
    EXPECT_EQ(table[4]->GetName(), "Delta");
    EXPECT_EQ(current, 4);

    RelinkSectionIds(table, member);
    EXPECT_EQ(ZoneName(0), "Delta");
    EXPECT_EQ(ZoneName(1), "Bravo");
    EXPECT_EQ(ZoneName(2), "Charlie");
    EXPECT_TRUE(reporter.messages.empty());
}

// A zone whose section left the table is cleared, with one guard message, and the member
// analysis then reports the missing section instead of taking the slot's new occupant.
TEST_F(Numbering, ZoneOfADeletedSectionIsCleared)
{
    RenumberSections(table, member);
    table[4].reset(); // Bravo deleted
    table[4] = std::move(table[2]); // Charlie moves into its slot
    RelinkSectionIds(table, member);
    EXPECT_EQ(member.zones[1].structureIndex, kNoZoneSection);
    EXPECT_EQ(ZoneName(2), "Charlie");
    EXPECT_EQ(ZoneName(0), "Delta");
    EXPECT_EQ(reporter.Count("no longer in the table"), 1);
    // Relinked again (after another edit), the cleared zone is not matched to a new element
    // that has no number yet.
    RenumberSections(table, member);
    table[6] = Beam("New");
    table[6]->SetSectionId(kNoZoneSection);
    RelinkSectionIds(table, member);
    EXPECT_EQ(member.zones[1].structureIndex, kNoZoneSection);
    EXPECT_EQ(reporter.Count("no longer in the table"), 1);

    StructureTable saved;
    saved.swap(g_Structures);
    g_Structures.swap(table);
    member.length = 6.0;
    reporter.Clear();
    EXPECT_EQ(GetStructureAtPosition(ProgramStructureSlots(), member, 3.0), nullptr);
    EXPECT_EQ(reporter.Count("No section is defined"), 1);
    g_Structures.swap(table);
    saved.swap(g_Structures);
}

TEST_F(Numbering, EqualTitlesAreMadeUniqueAndTheCurrentStaysOnTheFirst)
{
    table[5] = Beam("Alpha");
    table[6] = Beam("Alpha");
    int current = 6;
    EXPECT_TRUE(SortSections(table, current));
    std::vector<std::string> names;
    for (const auto& s : table)
        if (s)
            names.push_back(s->GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "AlphaX", "AlphaXX", "Bravo", "Charlie", "Delta"}));
    EXPECT_EQ(table[static_cast<std::size_t>(current)]->GetName(), "Alpha");
}

TEST(Placeholder, AnswersAreConstants)
{
    TBeam beam;
    TSarnex_Logic logic(&beam, nullptr);
    EXPECT_EQ(logic.GetModeType(), 4);
    EXPECT_EQ(logic.GetModeCode(), 0);
    for (int id : {0, 1003, 2000, 4100, 4700})
        EXPECT_EQ(logic.GetGraphTitle(id, 0), "no such graph type!!!");
    EXPECT_EQ(logic.FilterGraphId(4, 1000, 3), -1);
    EXPECT_EQ(logic.GetScaleValue(), 0.0);
    EXPECT_EQ(logic.Probe(1, 2, 3), 1.0);
    EXPECT_EQ(logic.SetData(1, 2, 3, 4, 5), 1);
    EXPECT_EQ(logic.UpdateInfoManager(&beam, 0), 1);
    EXPECT_EQ(logic.GetChoiceCount(5), 0);
    EXPECT_EQ(logic.GetDefaultControlId(), 0);
    double x = 7.0, y = 8.0;
    logic.GetControlPoint(x, y, 1);
    EXPECT_EQ(x, 7.0);
    EXPECT_EQ(y, 8.0);
    int count = 5;
    logic.GetPanelButtonInfo(1, count);
    EXPECT_EQ(count, 5);
    std::string legend = "kept";
    int position = 3;
    logic.GetLegendText(legend, position);
    EXPECT_EQ(legend, "kept");
    PanelMenuTable table{};
    table[4][7] = 1;
    logic.InitPanelMenu(table);
    EXPECT_EQ(table[4][7], 1);
}

// The default report text replaces what the report held.
TEST(Placeholder, DefaultReportTextReplacesTheReport)
{
    g_ReportText = std::make_unique<std::string>("an old report");
    SetDefaultReportText();
    ASSERT_NE(g_ReportText, nullptr);
    EXPECT_EQ(*g_ReportText, "No data to report");
    EXPECT_GE(g_ReportText->capacity(), kDefaultReportTextRoom);
    ClearReportText();
}

} // namespace
