#include "foundation/Contain.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

TEST(ContainTest, ConstructorGivesAtLeastFiveSlots)
{
    const struct {
        int requested;
        int capacity;
    } rows[] = {{0, 5}, {3, 5}, {5, 5}, {12, 12}, {-7, 5}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.requested);
        TdoubleArray a(row.requested);
        EXPECT_EQ(a.GetCapacity(), row.capacity);
        EXPECT_EQ(a.GetCount(), 0);
        EXPECT_TRUE(a.IsEmpty());
        EXPECT_EQ(a.GetCursor(), -1);
        EXPECT_EQ(TIntegerArray(row.requested).GetCapacity(), row.capacity);
        EXPECT_EQ(TfloatArray(row.requested).GetCapacity(), row.capacity);
        EXPECT_EQ(tpackdata(row.requested).GetCapacity(), row.capacity);
    }
}

TEST(ContainTest, GrowsByDoublingWhileFewerThanTwoSlotsAreFree)
{
    TdoubleArray a(5);
    for (int i = 0; i < 4; ++i)
        a.Add(i);
    EXPECT_EQ(a.GetCapacity(), 5); // fourth element leaves 2 slots, then 1 free
    a.Add(4.0);
    EXPECT_EQ(a.GetCapacity(), 10);
    for (int i = 5; i < 9; ++i)
        a.Add(i);
    EXPECT_EQ(a.GetCapacity(), 10);
    a.Add(9.0);
    EXPECT_EQ(a.GetCapacity(), 20);
    ASSERT_EQ(a.GetCount(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(a.At(i), i);
}

TEST(ContainTest, ClearKeepsBlockAndAppendingReusesIt)
{
    TIntegerArray a(5);
    for (int i = 0; i < 7; ++i)
        a.Add(i);
    const int capacity = a.GetCapacity();
    a.StartIteration();
    a.Clear();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetCursor(), 0);
    for (int i = 0; i < 7; ++i)
        a.Add(10 + i);
    EXPECT_EQ(a.GetCapacity(), capacity);
    EXPECT_EQ(a.At(6), 16);
}

TEST(ContainTest, AccessAdmitsTheFreeSlotAfterTheLastElement)
{
    RecordingReporter rec;
    TdoubleArray a;
    a.Add(1.5);
    a.Add(2.5);
    a.At(2) = 7.0; // the free slot beyond the last element
    EXPECT_EQ(a.At(2), 7.0);
    EXPECT_EQ(a.GetCount(), 2);
    EXPECT_TRUE(rec.messages.empty());
}

TEST(ContainTest, OutOfRangeReportsAndAnswersTheDefaultOfEachClass)
{
    RecordingReporter rec;
    TdoubleArray d;
    TIntegerArray n;
    TfloatArray f;
    tpackdata p;
    d.Add(1.0);
    n.Add(1);
    f.Add(1.0f);
    p.Add('x');
    for (const int i : {-1, 2, 100}) {
        SCOPED_TRACE(i);
        rec.Clear();
        EXPECT_EQ(d.At(i), kUndefined);
        EXPECT_EQ(std::as_const(d).At(i), kUndefined);
        EXPECT_EQ(n.At(i), -1);
        EXPECT_EQ(f.At(i), 3.1415625e31f);
        EXPECT_EQ(*p.At(i), '\0');
        ASSERT_EQ(rec.messages.size(), 5u);
        EXPECT_EQ(rec.messages[0].text, "Out of range in TdoubleArray");
        EXPECT_EQ(rec.messages[1].text, "Out of range in TdoubleArray");
        EXPECT_EQ(rec.messages[2].text, "Out of range in TIntegerArray");
        EXPECT_EQ(rec.messages[3].text, "Out of range in TfloatArray");
        EXPECT_EQ(rec.messages[4].text, "Out of range in tpackdata");
        for (const auto& m : rec.messages)
            EXPECT_EQ(m.caption, "contain");
    }
    EXPECT_EQ(d.GetCount(), 1);
    EXPECT_EQ(d.At(0), 1.0);
}

TEST(ContainTest, WritingThroughTheDefaultChangesNoLaterRead)
{
    RecordingReporter rec;
    TdoubleArray a;
    a.Add(3.0);
    a.At(5) = 42.0;
    EXPECT_EQ(a.At(5), kUndefined);
    EXPECT_EQ(a.At(-1), kUndefined);
    EXPECT_EQ(a.At(0), 3.0);
    EXPECT_EQ(a.At(1), 0.0);

    tpackdata p;
    p.Add('a');
    *p.At(9) = 'z';
    EXPECT_EQ(*p.At(9), '\0');
    EXPECT_EQ(*p.At(0), 'a');
    EXPECT_EQ(rec.Count("Out of range"), 5);
}

TEST(ContainTest, IterationYieldsElementsThenParksAtMinusOne)
{
    RecordingReporter rec;
    TdoubleArray a;
    for (const double x : {0.5, -2.0, 8.0})
        a.Add(x);
    std::vector<double> seen;
    a.StartIteration();
    while (a.HasNext())
        seen.push_back(a.Next());
    EXPECT_EQ(seen, (std::vector<double>{0.5, -2.0, 8.0}));
    EXPECT_EQ(a.Next(), -1.0);
    EXPECT_EQ(a.GetCursor(), kParkedCursor);
    EXPECT_FALSE(a.HasNext());
    EXPECT_EQ(a.Next(), -1.0);
    EXPECT_TRUE(rec.messages.empty());

    a.StartIteration(); // from any state back to the start
    EXPECT_EQ(a.Next(), 0.5);
}

TEST(ContainTest, NextWithoutStartReportsAndBeginsAtTheFirstElement)
{
    RecordingReporter rec;
    TdoubleArray d;
    TIntegerArray n;
    TfloatArray f;
    d.Add(4.0);
    n.Add(4);
    f.Add(4.0f);
    EXPECT_EQ(d.Next(), 4.0);
    EXPECT_EQ(n.Next(), 4);
    EXPECT_EQ(f.Next(), 4.0f);
    ASSERT_EQ(rec.messages.size(), 3u);
    EXPECT_EQ(rec.messages[0].text, "TdoubleArray: No Initialization!");
    EXPECT_EQ(rec.messages[1].text, "TIntegerArray: No Initialization!");
    EXPECT_EQ(rec.messages[2].text, "TfloatArray: No Initialization!");
    EXPECT_EQ(n.Next(), -1);
    EXPECT_EQ(f.Next(), -1.0f);
    EXPECT_EQ(rec.messages.size(), 3u);
}

TEST(ContainTest, CopyIsDeepWithOwnCursor)
{
    TdoubleArray a(12);
    a.Add(1.0);
    a.Add(2.0);
    a.StartIteration();
    TdoubleArray b(a);
    EXPECT_EQ(b.GetCapacity(), 12);
    EXPECT_EQ(b.GetCount(), 2);
    EXPECT_EQ(b.GetCursor(), -1);
    b.At(0) = 9.0;
    EXPECT_EQ(a.At(0), 1.0);
    TdoubleArray c;
    c = b;
    EXPECT_EQ(c.At(0), 9.0);
    EXPECT_EQ(c.GetCapacity(), 12);
}

} // namespace
