#include "model/TTypeList.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

constexpr double kExact = 0.0;

using Values = TTypeList::ShownValues;
using Codes = TTypeList::Codes;

// Adds an entry whose values and codes all carry the given seed, and marks its curve with
// one pair (seed, seed) so that the pairing of curve and entry can be checked.
void AddSeeded(TTypeList& list, const std::string& name, int seed)
{
    const double v = seed;
    ASSERT_EQ(list.Add({v, v, v, v, v, v}, {seed, seed, seed, seed}, name), 1);
    list.Curve(-1).Add(v, v);
}

std::vector<std::string> Names(const TTypeList& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i)
        names.push_back(list.Entry(i).name);
    return names;
}

TEST(TTypeListTest, NewListIsEmptyWithoutStorage)
{
    const TTypeList list(1000);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCapacity(), 0);
    EXPECT_EQ(list.GetMaximum(), 1000);
    EXPECT_EQ(list.GetCurrent(), 0);
    EXPECT_EQ(list.GetErrorText(), "Storage Error: Out of Range");
}

TEST(TTypeListTest, AddStoresEntryMarksUnsetAndMakesItCurrent)
{
    TTypeList list(1000);
    ASSERT_EQ(list.Add({-35e6, 0.019, 3, 4, 5, 6}, {2, 1, 0, -1}, "C35"), 1);
    const TypeListRec& rec = list.Entry(0);
    EXPECT_EQ(rec.values, (TTypeList::AllValues{-35e6, 0.019, 3, 4, 5, 6, 0, 0, 0, 0}));
    EXPECT_EQ(rec.codes, (Codes{2, 1, 0, -1}));
    for (int mark : rec.unset)
        EXPECT_EQ(mark, kTypeUnsetMark);
    EXPECT_EQ(rec.name, "C35");
    EXPECT_EQ(list.GetCurrent(), 0);
    EXPECT_EQ(list.Curve(0).GetCount(), 0);

    ASSERT_EQ(list.AddFull({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0, 0, 0, 0}, "400R"), 1);
    EXPECT_EQ(list.Entry(1).values[9], 10.0);
    EXPECT_EQ(list.GetCurrent(), 1);
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(TTypeListTest, StorageGrowsInStepsOfTen)
{
    TTypeList list(1000);
    for (int i = 0; i < 11; ++i) {
        AddSeeded(list, "T" + std::to_string(i), i);
        EXPECT_EQ(list.GetCapacity(), i < 10 ? 10 : 20);
    }
    // Growing keeps every entry with its own curve.
    for (int i = 0; i < 11; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list.Entry(i).codes[0], i);
        ASSERT_EQ(list.Curve(i).GetCount(), 1);
        EXPECT_EQ(list.Curve(i).InterpolateAtDepth(i), i);
    }
}

TEST(TTypeListTest, NamesKeepAtMostFortyNineCharacters)
{
    TTypeList list(1000);
    ASSERT_EQ(list.Add({}, {}, std::string(200, 'n')), 1);
    EXPECT_EQ(list.Entry(0).name, std::string(kTypeNameMaxChars, 'n'));
}

TEST(TTypeListTest, GetCopiesEntryOrAnswersErrorEntry)
{
    TTypeList list(1000);
    AddSeeded(list, "first", 1);
    AddSeeded(list, "second", 2);

    struct Row {
        const char* what;
        int index;
        std::string name;
    };
    const Row rows[] = {
        {"first by index", 0, "first"},
        {"negative names current", -1, "second"},
        {"index count", 2, "Error: outside range"},
        {"far past end", 1000000, "Error: outside range"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Values values{};
        Codes codes{};
        std::string name;
        list.Get(row.index, values, codes, name);
        EXPECT_EQ(name, row.name);
        const bool error = row.name == "Error: outside range";
        const double v = error ? -1.0 : (row.index == 0 ? 1.0 : 2.0);
        EXPECT_EQ(values, (Values{v, v, v, v, v, v}));
        const int c = static_cast<int>(v);
        EXPECT_EQ(codes, (Codes{c, c, c, c}));
    }
}

TEST(TTypeListTest, GetOnEmptyListAnswersErrorEntry)
{
    const TTypeList list(1000);
    Values values{};
    Codes codes{};
    std::string name;
    list.Get(-1, values, codes, name);
    EXPECT_EQ(name, "Error: outside range");
    EXPECT_EQ(values[0], -1.0);
}

TEST(TTypeListTest, DeleteIndexZeroRemovesFirstEntryNotCurrent)
{
    TTypeList list(1000);
    AddSeeded(list, "a", 0);
    AddSeeded(list, "b", 1);
    AddSeeded(list, "c", 2);
    list.SetCurrent(2);

    list.Delete(0);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"b", "c"}));
    // Curves moved down with their entries.
    EXPECT_EQ(list.Curve(0).InterpolateAtDepth(1.0), 1.0);
    EXPECT_EQ(list.Curve(1).InterpolateAtDepth(2.0), 2.0);
    // Current lay beyond the last entry and follows it down.
    EXPECT_EQ(list.GetCurrent(), 1);
}

TEST(TTypeListTest, DeleteNegativeIndexRemovesCurrentEntry)
{
    TTypeList list(1000);
    AddSeeded(list, "a", 0);
    AddSeeded(list, "b", 1);
    AddSeeded(list, "c", 2);
    list.SetCurrent(1);

    list.Delete(-1);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(list.GetCurrent(), 1);
}

TEST(TTypeListTest, DeleteOutsideListIsIgnored)
{
    TTypeList list(1000);
    AddSeeded(list, "a", 0);
    AddSeeded(list, "b", 1);
    for (int index : {2, 3, 1000000}) {
        SCOPED_TRACE(index);
        list.Delete(index);
        EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b"}));
    }
    TTypeList empty(1000);
    empty.Delete(-1);
    empty.Delete(0);
    EXPECT_EQ(empty.GetCount(), 0);
}

TEST(TTypeListTest, DeletingCurrentLastEntryMovesCurrentToNewLast)
{
    TTypeList list(1000);
    AddSeeded(list, "a", 0);
    AddSeeded(list, "b", 1);
    AddSeeded(list, "c", 2);
    ASSERT_EQ(list.GetCurrent(), 2);
    list.Delete(-1);
    EXPECT_EQ(list.GetCurrent(), 1);
    EXPECT_EQ(list.Entry(-1).name, "b");
    list.Delete(-1);
    list.Delete(-1);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetCurrent(), -1);
}

TEST(TTypeListTest, EntryAddedAfterDeleteStartsWithEmptyCurve)
{
    TTypeList list(1000);
    AddSeeded(list, "a", 0);
    AddSeeded(list, "b", 1);
    list.Delete(1);
    ASSERT_EQ(list.Add({}, {}, "new"), 1);
    EXPECT_EQ(list.Curve(1).GetCount(), 0);
}

TEST(TTypeListTest, ModifyInPlaceChangesOnlyTheCurrentEntry)
{
    TTypeList list(1000);
    AddSeeded(list, "a", 0);
    AddSeeded(list, "b", 1);
    list.SetCurrent(0);
    list.Entry(-1).codes[1] = 7;
    list.Entry(-1).values[0] = -40e6;
    EXPECT_EQ(list.Entry(0).codes[1], 7);
    EXPECT_EQ(list.Entry(0).values[0], -40e6);
    EXPECT_EQ(list.Entry(1).codes[1], 1);
}

TEST(TTypeListTest, ModifyAsDeleteThenAddMovesEntryToEndKeepingCode)
{
    // The list pages modify an entry by deleting it and adding the edited copy.
    TTypeList list(1000);
    AddSeeded(list, "a", 0);
    AddSeeded(list, "b", 1);
    AddSeeded(list, "c", 2);
    list.SetCurrent(0);
    const int keptCode = list.Entry(-1).codes[3];
    list.Delete(-1);
    ASSERT_EQ(list.Add({-50e6, 0, 0, 0, 0, 0}, {1, 1, 1, keptCode}, "a2"), 1);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"b", "c", "a2"}));
    EXPECT_EQ(list.GetCurrent(), 2);
    EXPECT_EQ(list.Entry(-1).codes[3], 0);
}

TEST(TTypeListTest, SetCurrentKeepsIndexInsideList)
{
    TTypeList list(1000);
    list.SetCurrent(3);
    EXPECT_EQ(list.GetCurrent(), -1);
    AddSeeded(list, "a", 0);
    AddSeeded(list, "b", 1);
    const std::pair<int, int> rows[] = {{0, 0}, {1, 1}, {2, 1}, {99, 1}, {-1, -1}, {-7, -1}};
    for (auto [given, expected] : rows) {
        SCOPED_TRACE(given);
        list.SetCurrent(given);
        EXPECT_EQ(list.GetCurrent(), expected);
    }
}

TEST(TTypeListTest, OutOfRangeAccessHandsOutScratchThatIsResetEachTime)
{
    TTypeList list(1000);
    AddSeeded(list, "a", 0);
    TypeListRec& scratch = list.Entry(5);
    EXPECT_EQ(scratch.name, "Storage Error: Out of Range");
    scratch.name = "written";
    scratch.values[0] = 99.0;
    EXPECT_EQ(list.Entry(5).name, "Storage Error: Out of Range");
    EXPECT_EQ(list.Entry(5).values[0], kExact);
    EXPECT_EQ(list.Entry(0).name, "a");

    list.Curve(5).Add(1.0, 1.0);
    EXPECT_EQ(list.Curve(5).GetCount(), 0);
    EXPECT_EQ(list.Curve(0).GetCount(), 1);
}

TEST(TTypeListTest, SortByNameIgnoresCaseAndKeepsCurvesPaired)
{
    TTypeList list(1000);
    AddSeeded(list, "b", 0);
    AddSeeded(list, "A", 1);
    AddSeeded(list, "c", 2);
    list.SortByName();
    EXPECT_EQ(Names(list), (std::vector<std::string>{"A", "b", "c"}));
    const int seeds[] = {1, 0, 2};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list.Entry(i).originalIndex, seeds[i]);
        EXPECT_EQ(list.Entry(i).codes[0], seeds[i]);
        ASSERT_EQ(list.Curve(i).GetCount(), 1);
        EXPECT_EQ(list.Curve(i).InterpolateAtDepth(seeds[i]), seeds[i]);
    }
}

TEST(TTypeListTest, GrowthRefusedBeyondStorageLimitLeavesListUnchanged)
{
    RecordingReporter rec;
    TTypeList list(1000);
    AddSeeded(list, "a", 0);
    EXPECT_EQ(list.Grow(kTypeListStorageLimit), 0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Out of Memory.  New type not added.");
    EXPECT_EQ(rec.messages[0].caption, "Out of Memory");
    EXPECT_EQ(rec.messages[0].style & MsgStyle::ButtonMask, MsgStyle::OkCancel);
    EXPECT_EQ(list.GetCapacity(), 10);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a"}));
    EXPECT_EQ(list.Curve(0).GetCount(), 1);

    EXPECT_EQ(list.Grow(0), 0);
    EXPECT_EQ(list.Grow(-5), 0);
    EXPECT_EQ(list.GetCapacity(), 10);
}

TEST(TTypeListTest, AddAtStorageLimitFailsWithoutAdding)
{
    RecordingReporter rec;
    TTypeList list(1000);
    ASSERT_EQ(list.Grow(kTypeListStorageLimit), 1);
    for (int i = 0; i < kTypeListStorageLimit; ++i)
        ASSERT_EQ(list.Add({}, {}, "x"), 1);
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_EQ(list.Add({}, {}, "one too many"), 0);
    EXPECT_TRUE(rec.Saw("Out of Memory.  New type not added."));
    EXPECT_EQ(list.GetCount(), kTypeListStorageLimit);
    EXPECT_EQ(list.GetCurrent(), kTypeListStorageLimit - 1);
}

} // namespace
