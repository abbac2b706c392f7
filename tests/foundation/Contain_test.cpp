#include "foundation/Contain.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

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
    d.At(1) = 7.0; // the free slot beyond the last element is in range
    EXPECT_EQ(d.At(1), 7.0);
    EXPECT_TRUE(rec.messages.empty());
    for (const int i : {-1, 2}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::as_const(d).At(i), kUndefined);
        EXPECT_EQ(n.At(i), -1);
        EXPECT_EQ(f.At(i), 3.1415625e31f);
        EXPECT_EQ(*p.At(i), '\0');
    }
    const char* texts[] = {"Out of range in TdoubleArray",
                           "Out of range in TIntegerArray",
                           "Out of range in TfloatArray",
                           "Out of range in tpackdata"};
    ASSERT_EQ(rec.messages.size(), 8u);
    for (int m = 0; m < 4; ++m) {
        EXPECT_EQ(rec.messages[m].text, texts[m]);
        EXPECT_EQ(rec.messages[m].caption, "contain");
    }
    // Writing through the default reaches neither an element nor a later read.
    d.At(5) = 42.0;
    *p.At(9) = 'z';
    EXPECT_EQ(d.At(5), kUndefined);
    EXPECT_EQ(*p.At(9), '\0');
    EXPECT_EQ(d.GetCount(), 1);
}

TEST(ContainTest, IterationYieldsElementsThenParksAndWarnsWithoutStart)
{
    RecordingReporter rec;
    TdoubleArray a;
    for (const double x : {0.5, -2.0, 8.0})
        a.Add(x);
    a.StartIteration();
    std::vector<double> seen;
    while (a.HasNext())
        seen.push_back(a.Next());
    EXPECT_EQ(seen, (std::vector<double>{0.5, -2.0, 8.0}));
    EXPECT_EQ(a.Next(), -1.0);
    EXPECT_EQ(a.Next(), -1.0);
    EXPECT_TRUE(rec.messages.empty());

    // Next without StartIteration reports once and begins at the first element.
    TIntegerArray n;
    TfloatArray f;
    n.Add(4);
    f.Add(4.0f);
    EXPECT_EQ(n.Next(), 4);
    EXPECT_EQ(f.Next(), 4.0f);
    EXPECT_EQ(n.Next(), -1);
    ASSERT_EQ(rec.messages.size(), 2u);
    EXPECT_EQ(rec.messages[0].text, "TIntegerArray: No Initialization!");
    EXPECT_EQ(rec.messages[1].text, "TfloatArray: No Initialization!");
}

TEST(ContainTest, GrowthAndCopiesKeepEveryElementAndSurviveSelfAssignment)
{
    TdoubleArray a(-7); // a bad size starts with the default block
    for (int i = 0; i < 12; ++i)
        a.Add(i);
    TdoubleArray b(a);
    b.At(0) = 9.0;
    EXPECT_EQ(a.At(0), 0.0);
    TdoubleArray& alias = b;
    b = alias;
    ASSERT_EQ(b.GetCount(), 12);
    for (int i = 1; i < 12; ++i)
        EXPECT_EQ(b.At(i), i);
    EXPECT_EQ(b.At(0), 9.0);
}

} // namespace
