#include "model/catalogues/TTypeList.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

using Values = TTypeList::ShownValues;
using Codes = TTypeList::Codes;

// A list of entries named by the letters of names and seeded 0, 1, 2, ...: every value and
// code carries the seed, and the curve holds one pair (seed, seed), so that the pairing of
// curve and entry can be checked.
TTypeList Seeded(const std::string& names)
{
    TTypeList list(1000);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int seed = static_cast<int>(i);
        const double v = seed;
        EXPECT_EQ(list.Add({v, v, v, v, v, v}, {seed, seed, seed, seed}, names.substr(i, 1)), 1);
        list.Curve(-1).Add(v, v);
    }
    return list;
}

// Names in order: each curve must still belong to its entry.
std::string Names(const TTypeList& list)
{
    std::string names;
    for (int i = 0; i < list.GetCount(); ++i) {
        EXPECT_EQ(list.Curve(i).InterpolateAtDepth(list.Entry(i).codes[0]), list.Entry(i).codes[0])
            << "curve " << i;
        names += list.Entry(i).name;
    }
    return names;
}

TEST(TTypeListTest, AddMarksUnsetFieldsCutsTheNameAndGrowingKeepsCurvesPaired)
{
    TTypeList list(1000);
    ASSERT_EQ(list.Add({-35e6, 0.019, 3, 4, 5, 6}, {2, 1, 0, -1}, std::string(200, 'n')), 1);
    const TypeListRec& rec = list.Entry(0);
    EXPECT_EQ(rec.values, (TTypeList::AllValues{-35e6, 0.019, 3, 4, 5, 6, 0, 0, 0, 0}));
    EXPECT_EQ(rec.codes, (Codes{2, 1, 0, -1}));
    for (int mark : rec.unset)
        EXPECT_EQ(mark, kTypeUnsetMark);
    EXPECT_EQ(rec.name, std::string(kTypeNameMaxChars, 'n'));

    list = Seeded("abcdefghijkl"); // past the first block of storage
    EXPECT_EQ(list.GetCurrent(), 11);
    EXPECT_EQ(Names(list), "abcdefghijkl");
}

TEST(TTypeListTest, GetCopiesTheCurrentEntryOrAnswersTheErrorEntry)
{
    Values values{};
    Codes codes{};
    std::string name;
    const TTypeList list = Seeded("ab");
    list.Get(-1, values, codes, name);
    EXPECT_EQ(name, "b");
    EXPECT_EQ(values, (Values{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(codes, (Codes{1, 1, 1, 1}));
    list.Get(2, values, codes, name);
    EXPECT_EQ(name, "Error: outside range");
    EXPECT_EQ(values, (Values{-1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(codes, (Codes{-1, -1, -1, -1}));
}

TEST(TTypeListTest, DeleteRemovesEntryWithItsCurveAndCurrentStaysInside)
{
    const struct {
        int current, index;
        const char* names;
        int currentAfter;
    } rows[] = {
        {2, 0, "bc", 1},  // index 0 is the first entry, not the current one
        {1, -1, "ac", 1}, // a negative index names the current entry
        {2, -1, "ab", 1}, // deleting the current last entry moves current to the new last
        {0, 3, "abc", 0}, // outside the list: ignored
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.current << " " << row.index);
        TTypeList list = Seeded("abc");
        list.SetCurrent(row.current);
        list.Delete(row.index);
        EXPECT_EQ(Names(list), row.names);
        EXPECT_EQ(list.GetCurrent(), row.currentAfter);
    }
    TTypeList list = Seeded("a");
    list.Delete(-1);
    list.Delete(-1);
    EXPECT_EQ(list.GetCount(), 0);
    list.SetCurrent(3);
    EXPECT_EQ(list.GetCurrent(), -1); // an empty list has no current entry

    // Setting the current entry keeps it inside the list.
    list = Seeded("ab");
    for (auto [given, expected] : {std::pair{99, 1}, {-7, -1}}) {
        list.SetCurrent(given);
        EXPECT_EQ(list.GetCurrent(), expected) << given;
    }

    // The pages modify an entry by deleting it and adding the edited copy, which starts with
    // an empty curve in the slot freed at the end.
    list = Seeded("abc");
    list.SetCurrent(0);
    list.Delete(-1);
    ASSERT_EQ(list.Add({}, {1, 1, 1, 1}, "d"), 1);
    EXPECT_EQ(list.GetCurrent(), 2);
    EXPECT_EQ(list.Curve(2).GetCount(), 0);
    list.Curve(2).Add(1, 1);
    EXPECT_EQ(Names(list), "bcd");
}

TEST(TTypeListTest, OutOfRangeAccessHandsOutScratchThatIsResetEachTime)
{
    TTypeList list = Seeded("a");
    TypeListRec& scratch = list.Entry(5);
    EXPECT_EQ(scratch.name, "Storage Error: Out of Range");
    scratch.name = "written";
    scratch.values[0] = 99.0;
    EXPECT_EQ(list.Entry(5).name, "Storage Error: Out of Range");
    EXPECT_EQ(list.Entry(5).values[0], 0.0);
    list.Curve(5).Add(1.0, 1.0);
    EXPECT_EQ(list.Curve(5).GetCount(), 0);
    EXPECT_EQ(Names(list), "a");
    EXPECT_EQ(list.Curve(0).GetCount(), 1);
}

TEST(TTypeListTest, SortByNameIgnoresCaseAndKeepsCurvesPaired)
{
    TTypeList list = Seeded("bAc");
    list.SortByName();
    EXPECT_EQ(Names(list), "Abc");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.Entry(i).originalIndex, list.Entry(i).codes[0]);
}

TEST(TTypeListTest, GrowthBeyondTheStorageLimitIsRefusedAndChangesNothing)
{
    RecordingReporter rec;
    TTypeList list = Seeded("a");
    EXPECT_EQ(list.Grow(kTypeListStorageLimit), 0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Out of Memory.  New type not added.");
    EXPECT_EQ(rec.messages[0].caption, "Out of Memory");
    EXPECT_EQ(rec.messages[0].style & MsgStyle::ButtonMask, MsgStyle::OkCancel);
    EXPECT_EQ(list.Grow(-5), 0);
    EXPECT_EQ(Names(list), "a");

    TTypeList full(1000);
    ASSERT_EQ(full.Grow(kTypeListStorageLimit), 1);
    for (int i = 0; i < kTypeListStorageLimit; ++i)
        ASSERT_EQ(full.Add({}, {}, "x"), 1);
    EXPECT_EQ(full.Add({}, {}, "one too many"), 0);
    EXPECT_EQ(rec.messages.size(), 2u);
    EXPECT_EQ(full.GetCount(), kTypeListStorageLimit);
}

} // namespace
