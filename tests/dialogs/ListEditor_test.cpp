// The list editor: Add with empty and duplicate names, Modify with a new name, Delete and
// what is shown next, "Auto" fields, the full list and the questions on leaving.

#include "dialogs/ListEditor.h"

#include <string>
#include <utility>
#include <vector>

#include "tests/dialogs/DialogFixtures.h"

namespace {

// A page of two fields: a count (plain number) and a width in mm that accepts "AUTO", whose
// automatic value is 250 mm.
class WidthPage : public TGen_Base {
public:
    explicit WidthPage(int initial = -1) : TGen_Base(0, initial) {}
    int autoComputed = 0;

protected:
    void Configure() override {
        m_title = "Widths";
        m_labels = {"Count", "Width", "", "", "", ""};
        m_unitKinds = {ukNone, ukSectionLength, ukNone, ukNone, ukNone, ukNone};
        m_decimals[0][0] = 0;
        m_decimals[0][1] = 1;
        m_examples[0][0] = 4;
        m_examples[0][1] = 35;
        m_autoAccept = {0, 1, 0, 0, 0, 0};
        m_comboLabels = {"Kind", "", ""};
        form.comboItems[0] = {"One", "Two", "Three"};
        m_defaultSel = {1, 0, 0};
    }
    void ComputeAutoValue(int field) override {
        ++autoComputed;
        List().Entry(Current()).values[static_cast<std::size_t>(field)] = 0.25;
    }
};

// A page with room for B only at its present size: replacing B by anything is refused.
class RoomPage : public WidthPage {
protected:
    TypedRefusal CheckEntrySize(const TTypeList::AllValues& /*values*/, int replacing) override {
        if (replacing >= 0 && List().Entry(replacing).name == "B")
            return {0, "There is no room for this entry."};
        return {};
    }
};

class ListEditorTest : public DialogModelTest {
protected:
    void AddEntry(const std::string& name, const std::string& count, const std::string& width = "10") {
        page.form.name = name;
        page.form.fields[0] = count;
        page.form.fields[1] = width;
        page.Add();
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int i = 0; i < page.List().GetCount(); ++i)
            names.push_back(page.List().Entry(i).name);
        return names;
    }
    WidthPage page;
};

TEST_F(ListEditorTest, SetupShowsLabelsExamplesAndAnEmptyList) {
    page.Setup();
    EXPECT_EQ(page.form.examples[0], "(eg:     4)");
    EXPECT_EQ(page.form.examples[1], "(eg:  35.0)");
    EXPECT_EQ(page.form.units[1], "mm");
    EXPECT_TRUE(page.form.fieldShown[1]);
    EXPECT_FALSE(page.form.fieldShown[2]);
    // The first drop-down shares field 5's label static: field 5's unit goes.
    EXPECT_TRUE(page.form.comboShown[0]);
    EXPECT_FALSE(page.form.comboShown[1]);
    EXPECT_FALSE(page.form.unitShown[5]);
    EXPECT_EQ(page.form.labels[5], "Kind");
    EXPECT_EQ(page.form.name, "Untitled");
    EXPECT_EQ(page.form.comboSel[0], 1);
    EXPECT_TRUE(page.form.lines.empty());
}

TEST_F(ListEditorTest, AddStoresValuesInSiWithAutoFlagsAndEmptyNamesBecomeNew) {
    page.Setup();
    AddEntry("", "3", "120");
    ASSERT_EQ(page.List().GetCount(), 1);
    EXPECT_EQ(reporter.Count("No title entered (entry field at top left) \"New\" selected as the title"), 1);
    const TypeListRec& e = page.List().Entry(0);
    EXPECT_EQ(e.name, "New");
    EXPECT_DOUBLE_EQ(e.values[0], 3.0);
    EXPECT_DOUBLE_EQ(e.values[1], 0.12);
    EXPECT_EQ(e.unset[0], TGen_Base::kNoAuto);
    EXPECT_EQ(e.unset[1], 0);
    EXPECT_EQ(e.codes[0], 1);
    EXPECT_EQ(e.codes[3], -1);
    EXPECT_TRUE(page.IsListChanged());
    EXPECT_EQ(page.form.fields[1], "120.0");

    // " auto" and the empty text are automatic: stored with flag 1, shown with the computed value.
    AddEntry("B", "1", " auto");
    EXPECT_EQ(page.List().Entry(1).unset[1], 1);
    EXPECT_EQ(page.form.fields[1], "Auto 250.0");
    AddEntry("C", "1", "");
    EXPECT_EQ(page.List().Entry(2).unset[1], 1);
    EXPECT_DOUBLE_EQ(page.List().Entry(2).values[1], 0.25);
}

TEST_F(ListEditorTest, NamesAreCutAndTheListBoxSortsWithoutCase) {
    page.Setup();
    AddEntry("b", "1");
    AddEntry("Averyveryverylongname", "1");
    AddEntry("C", "1");
    EXPECT_EQ(page.List().Entry(1).name, "Averyveryveryl");  // 14 characters
    EXPECT_EQ(page.form.lines, (std::vector<std::string>{"Averyveryveryl", "b", "C"}));
    EXPECT_EQ(page.form.lineSel, 2);
}

TEST_F(ListEditorTest, DuplicateNameAnsweredNoAddsWithSuffixAndYesReplaces) {
    page.Setup();
    AddEntry("A", "1");
    AddEntry("B", "2");
    reporter.Answer(MsgAnswer::No);
    AddEntry("A", "5");
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "A1"}));
    EXPECT_EQ(reporter.Count("Add a type with a duplicate name"), 1);

    // Yes: the definition replaces A, which moves to the end of the list.
    reporter.Answer(MsgAnswer::Yes);
    AddEntry("A", "7");
    EXPECT_EQ(Names(), (std::vector<std::string>{"B", "A1", "A"}));
    EXPECT_DOUBLE_EQ(page.List().Entry(2).values[0], 7.0);
    EXPECT_EQ(reporter.Count("Modify a type with a new name"), 0);
}

// A suffixed name is itself looked for in the whole list, so an entry added under a taken
// name never shares its name with another, whatever the order of the list.
TEST_F(ListEditorTest, DuplicateNameAnsweredNoNeverGivesTwoEntriesOneName) {
    page.Setup();
    AddEntry("A1", "1");
    AddEntry("A", "2");
    reporter.Answer(MsgAnswer::No);
    reporter.Answer(MsgAnswer::No);
    AddEntry("A", "5");
    EXPECT_EQ(Names(), (std::vector<std::string>{"A1", "A", "A11"}));
    EXPECT_EQ(reporter.Count("Add a type with a duplicate name"), 2);
}

// Modify renaming A onto B, answered Yes twice (overwrite, then modify the existing B): when
// B's new definition is refused, the list is as it was, A included.
TEST_F(ListEditorTest, ARefusalInsideModifyLosesNoEntry) {
    RoomPage room;
    room.Setup();
    for (const auto& [name, count] : {std::pair{"A", "1"}, std::pair{"B", "2"}}) {
        room.form.name = name;
        room.form.fields[0] = count;
        room.form.fields[1] = "10";
        room.Add();
    }
    room.form.lineSel = 0;
    room.ListSelectionChanged();
    ASSERT_EQ(room.List().Entry(room.List().GetCurrent()).name, "A");
    room.form.name = "B";
    room.form.fields[0] = "9";
    reporter.Answer(MsgAnswer::Yes);
    reporter.Answer(MsgAnswer::Yes);
    room.Modify();
    EXPECT_EQ(reporter.Count("There is no room for this entry."), 1);
    ASSERT_EQ(room.List().GetCount(), 2);
    std::vector<std::string> names;
    for (int i = 0; i < room.List().GetCount(); ++i)
        names.push_back(room.List().Entry(i).name);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B"}));
    EXPECT_DOUBLE_EQ(room.List().Entry(0).values[0], 1.0);
    EXPECT_DOUBLE_EQ(room.List().Entry(1).values[0], 2.0);
}

TEST_F(ListEditorTest, ModifyWithANewNameAnsweredNoAddsASecondEntry) {
    page.Setup();
    AddEntry("A", "1");
    page.form.name = "Z";
    page.form.fields[0] = "9";
    reporter.Answer(MsgAnswer::No);
    page.Modify();
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "Z"}));
    EXPECT_DOUBLE_EQ(page.List().Entry(0).values[0], 1.0);

    // Yes renames: the entry keeps its fourth code and moves to the end.
    page.List().Entry(0).codes[3] = 42;
    page.form.lineSel = 0;
    page.ListSelectionChanged();
    page.form.name = "Y";
    reporter.Answer(MsgAnswer::Yes);
    page.Modify();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Z", "Y"}));
    EXPECT_EQ(page.List().Entry(1).codes[3], 42);
}

TEST_F(ListEditorTest, DeleteShowsTheNextLineOrTheOneBeforeTheLast) {
    page.Setup();
    AddEntry("A", "1");
    AddEntry("B", "2");
    AddEntry("C", "3");
    page.form.lineSel = 1;
    page.ListSelectionChanged();
    page.Delete();
    EXPECT_EQ(page.form.name, "C");
    page.Delete();  // the last line: the one before it is shown
    EXPECT_EQ(page.form.name, "A");
    page.Delete();
    EXPECT_EQ(page.List().GetCount(), 0);
    EXPECT_EQ(page.form.name, "Untitled");
    EXPECT_EQ(page.form.fields[0], "");
    EXPECT_EQ(page.form.comboSel[0], 1);
}

TEST_F(ListEditorTest, FullListRefusesAdd) {
    page.Setup();
    page.List().SetMaximum(2);
    AddEntry("A", "1");
    AddEntry("B", "1");
    AddEntry("C", "1");
    EXPECT_EQ(page.List().GetCount(), 2);
    EXPECT_EQ(reporter.Count("Maximum number has been reached.  No more can be saved."), 1);
}

TEST_F(ListEditorTest, LeavingWithEditsAsksOnceAndNoDiscards) {
    int marked = 0;
    page.markStructuresChanged = [&marked] { ++marked; };
    page.Setup();
    AddEntry("A", "1");
    page.form.fields[0] = "8";
    page.FieldChanged();
    reporter.Answer(MsgAnswer::No);
    page.KillActive();
    page.KillActive();
    EXPECT_EQ(reporter.Count("Changes were not saved.  Keep Changes?"), 1);
    EXPECT_DOUBLE_EQ(page.List().Entry(0).values[0], 1.0);
    EXPECT_EQ(marked, 2);

    // Picking another entry with edits asks too; Yes stores them first.
    AddEntry("B", "2");
    page.form.fields[0] = "6";
    page.FieldChanged();
    page.form.lineSel = 0;
    reporter.Answer(MsgAnswer::Yes);
    page.ListSelectionChanged();
    EXPECT_EQ(page.form.name, "A");
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_DOUBLE_EQ(page.List().Entry(1).values[0], 6.0);
}

TEST_F(ListEditorTest, UnchangedListIsNotMarkedAndInitialSelectionIsShown) {
    int marked = 0;
    WidthPage second(1);
    second.markStructuresChanged = [&marked] { ++marked; };
    (void)second.List().Add({1, 0.1, 0, 0, 0, 0}, {0, 0, 0, 0}, "P");
    (void)second.List().Add({2, 0.2, 0, 0, 0, 0}, {2, 0, 0, 0}, "Q");
    second.Setup();
    EXPECT_EQ(second.form.name, "Q");
    EXPECT_EQ(second.form.comboSel[0], 2);
    second.SetActive();
    second.KillActive();
    EXPECT_EQ(marked, 0);
    EXPECT_TRUE(reporter.messages.empty());
}

} // namespace
