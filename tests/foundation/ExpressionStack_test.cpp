#include "foundation/ExpressionStack.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

constexpr double kTol = 1e-12;

void Reduce(TEquationStack& s)
{
    ASSERT_TRUE(s.Reduce());
}

void Push(TEquationStack& s, double value, char op, int depth)
{
    ASSERT_TRUE(s.Push(value, op, depth));
}

TEST(TEquationStackTest, StartsWithOneZeroEntry)
{
    const TEquationStack s;
    EXPECT_EQ(s.GetCount(), 1);
    EXPECT_EQ(s.GetValue(0), 0.0);
    EXPECT_EQ(s.GetOperator(0), '\0');
    EXPECT_EQ(s.GetDepth(0), 0);
}

TEST(TEquationStackTest, PushInsertsANewTopAndPopMovesTheOthersUp)
{
    TEquationStack s;
    Push(s, 1.0, '*', 2);
    Push(s, 2.0, '-', 3);
    EXPECT_EQ(s.GetCount(), 3);
    EXPECT_EQ(s.GetOperator(1), '*');
    EXPECT_EQ(s.GetDepth(1), 2);
    EXPECT_TRUE(s.SetOperator('/'));
    EXPECT_EQ(s.GetOperator(0), '/');
    EXPECT_EQ(s.Pop(), 2.0);
    EXPECT_EQ(s.GetValue(0), 1.0);
    EXPECT_EQ(s.GetOperator(0), '*');
    EXPECT_EQ(s.GetDepth(0), 2);
}

TEST(TEquationStackTest, ApplyArithmeticWithTheGuardedDivision)
{
    struct Row {
        double a, b;
        char op;
        double expected;
    };
    const Row rows[] = {
        {5, 2, '+', 7},
        {5, 2, '-', 3},
        {5, 2, '*', 10},
        {5, 2, '/', 2.5},
        {5, 0.0004, '/', 5000},
        {5, -0.0004, '/', -5000},
        {5, 0, '/', 0},
        {5, 0.001, '/', 5000},
        {5, 2, '\0', 2},
        {5, 2, '^', 2},
    };
    TEquationStack s;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.a << ' ' << row.op << ' ' << row.b);
        EXPECT_TRUE(s.Apply(row.a, row.b, row.op));
        EXPECT_NEAR(s.GetValue(0), row.expected, kTol);
    }
}

TEST(TEquationStackTest, ReduceCombinesTheTopIntoTheEntryBelow)
{
    TEquationStack s;
    Push(s, 3.0, '+', 0);
    Push(s, 4.0, 0, 0);
    Reduce(s);
    EXPECT_EQ(s.GetCount(), 2);
    EXPECT_EQ(s.GetValue(0), 7.0);
    EXPECT_EQ(s.GetOperator(0), '\0');
}

TEST(TEquationStackTest, EvaluatesFormulasAsTheOutlineEvaluatorDrivesIt)
{
    // "3+4*2": numbers are pushed, '+' and '-' set the operator and push a 0, '*' and '/'
    // set the operator; the end of the row reduces everything: 11.
    {
        TEquationStack s;
        Push(s, 3, 0, 0);
        EXPECT_TRUE(s.SetOperator('+'));
        Push(s, 0, 0, 0);
        Push(s, 4, 0, 0);
        EXPECT_TRUE(s.SetOperator('*'));
        Push(s, 2, 0, 0);
        while (s.GetCount() > 1)
            Reduce(s);
        EXPECT_NEAR(s.GetValue(0), 11.0, kTol);
    }
    // "12-(2+4)": the parenthesis opens depth 1; ')' reduces the entries of depth 1: 6.
    {
        TEquationStack s;
        Push(s, 12, 0, 0);
        EXPECT_TRUE(s.SetOperator('-'));
        Push(s, 0, 0, 0);
        Push(s, 0, 0, 1);
        Push(s, 2, 0, 1);
        EXPECT_TRUE(s.SetOperator('+'));
        Push(s, 0, 0, 1);
        Push(s, 4, 0, 1);
        EXPECT_EQ(s.GetCount(), 7);
        while (s.GetDepth(0) == 1)
            Reduce(s);
        EXPECT_NEAR(s.GetValue(0), 6.0, kTol);
        while (s.GetCount() > 1)
            Reduce(s);
        EXPECT_NEAR(s.GetValue(0), 6.0, kTol);
    }
}

TEST(TEquationStackTest, PendingOperatorOnTheTopIsReportedAndTheReductionGoesOn)
{
    RecordingReporter rec;
    TEquationStack s;
    Push(s, 6, '*', 0);
    Push(s, 2, '+', 0); // "6*2+" ends with an operator
    Reduce(s);
    EXPECT_EQ(s.GetValue(0), 12.0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Error in the new equation");
    EXPECT_EQ(rec.messages[0].caption, "Equation Error");
}

TEST(TEquationStackTest, OverflowAndUnderflowAreRefusedWithoutDamage)
{
    TEquationStack s;
    for (int i = 1; i < TEquationStack::kMaxEntries; ++i)
        Push(s, i, '+', i);
    EXPECT_EQ(s.GetCount(), TEquationStack::kMaxEntries);
    EXPECT_FALSE(s.Push(99.0, '+', 99)); // an eleventh entry, e.g. ten nested parentheses
    EXPECT_EQ(s.GetCount(), TEquationStack::kMaxEntries);
    EXPECT_EQ(s.GetValue(0), 9.0);
    EXPECT_EQ(s.GetDepth(TEquationStack::kMaxEntries - 1), 0);

    for (int i = 9; i >= 0; --i)
        EXPECT_EQ(s.Pop(), static_cast<double>(i));
    EXPECT_EQ(s.Pop(), std::nullopt);
    EXPECT_EQ(s.GetCount(), 0);
    EXPECT_FALSE(s.Reduce());
    EXPECT_FALSE(s.SetOperator('+'));
    EXPECT_FALSE(s.Apply(1, 2, '+'));

    Push(s, 5, 0, 0);
    EXPECT_FALSE(s.Reduce()); // one entry has nothing to combine with
    EXPECT_EQ(s.GetValue(0), 5.0);
    for (int i : {-1, 1, TEquationStack::kMaxEntries, 1000}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(s.GetOperator(i), '\0');
        EXPECT_EQ(s.GetDepth(i), -1);
        EXPECT_EQ(s.GetValue(i), 0.0);
    }
}

} // namespace
