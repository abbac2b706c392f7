#include "foundation/ExpressionStack.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

constexpr double kTol = 1e-12;

// Stack steps as the outline evaluator issues them: numbers are pushed at the current
// parenthesis depth, an operator is set on the top ('+' and '-' then push a 0), and closing
// a depth reduces its entries.
void Push(TEquationStack& s, double value, int depth = 0)
{
    ASSERT_TRUE(s.Push(value, 0, depth));
}
void ReduceWhile(TEquationStack& s, int depth)
{
    while (s.GetCount() > 1 && s.GetDepth(0) >= depth)
        ASSERT_TRUE(s.Reduce());
}

TEST(TEquationStackTest, ApplyArithmeticWithTheGuardedDivision)
{
    struct Row {
        double a, b;
        char op;
        double expected;
    };
    const Row rows[] = {{5, 2, '+', 7},
                        {5, 2, '-', 3},
                        {5, 2, '*', 10},
                        {5, 2, '/', 2.5},
                        {5, 0.0004, '/', 5000},
                        {5, -0.0004, '/', -5000},
                        {5, 0, '/', 0},
                        {5, 2, '\0', 2}};
    TEquationStack s;
    for (const Row& row : rows) {
        EXPECT_TRUE(s.Apply(row.a, row.b, row.op));
        EXPECT_NEAR(s.GetValue(0), row.expected, kTol) << row.a << row.op << row.b;
    }
}

TEST(TEquationStackTest, ReducesHandEvaluatedFormulas)
{
    TEquationStack s; // starts with (0.0, no operator, depth 0)
    EXPECT_EQ(s.GetCount(), 1);
    ASSERT_TRUE(s.Push(3, '+', 0));
    Push(s, 4);
    ASSERT_TRUE(s.Reduce());
    EXPECT_EQ(s.GetValue(0), 7.0);
    EXPECT_EQ(s.GetOperator(0), '\0');

    // "3+4*2" = 11.
    TEquationStack a;
    Push(a, 3);
    a.SetOperator('+');
    Push(a, 0);
    Push(a, 4);
    a.SetOperator('*');
    Push(a, 2);
    ReduceWhile(a, 0);
    EXPECT_NEAR(a.GetValue(0), 11.0, kTol);

    // "12-(2+4)" = 6: the parenthesis opens depth 1 and its entries reduce first.
    TEquationStack b;
    Push(b, 12);
    b.SetOperator('-');
    Push(b, 0);
    Push(b, 0, 1);
    Push(b, 2, 1);
    b.SetOperator('+');
    Push(b, 0, 1);
    Push(b, 4, 1);
    ReduceWhile(b, 1);
    EXPECT_EQ(b.GetDepth(0), 0);
    EXPECT_NEAR(b.GetValue(0), 6.0, kTol);
    ReduceWhile(b, 0);
    EXPECT_EQ(b.GetCount(), 1);
    EXPECT_NEAR(b.GetValue(0), 6.0, kTol);
}

TEST(TEquationStackTest, PendingOperatorOnTheTopIsReportedAndTheReductionGoesOn)
{
    RecordingReporter rec;
    TEquationStack s;
    ASSERT_TRUE(s.Push(6, '*', 0));
    ASSERT_TRUE(s.Push(2, '+', 0)); // "6*2+" ends with an operator
    ASSERT_TRUE(s.Reduce());
    EXPECT_EQ(s.GetValue(0), 12.0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "Error in the new equation");
    EXPECT_EQ(rec.messages[0].caption, "Equation Error");
}

TEST(TEquationStackTest, OverflowAndUnderflowAreRefusedWithoutDamage)
{
    TEquationStack s;
    for (int i = 1; i < TEquationStack::kMaxEntries; ++i)
        Push(s, i, i); // e.g. nine nested parentheses
    EXPECT_FALSE(s.Push(99.0, '+', 99));
    EXPECT_EQ(s.GetCount(), TEquationStack::kMaxEntries);
    EXPECT_EQ(s.GetValue(0), 9.0);
    EXPECT_EQ(s.GetDepth(TEquationStack::kMaxEntries - 1), 0);

    for (int i = 9; i >= 0; --i)
        EXPECT_EQ(s.Pop(), static_cast<double>(i));
    EXPECT_EQ(s.Pop(), std::nullopt);
    EXPECT_FALSE(s.Reduce());
    EXPECT_FALSE(s.SetOperator('+'));
    EXPECT_FALSE(s.Apply(1, 2, '+'));
    Push(s, 5);
    EXPECT_FALSE(s.Reduce()); // one entry has nothing to combine with
    EXPECT_EQ(s.GetValue(0), 5.0);
    for (int i : {-1, 1, TEquationStack::kMaxEntries}) {
        EXPECT_EQ(s.GetOperator(i), '\0') << i;
        EXPECT_EQ(s.GetDepth(i), -1) << i;
        EXPECT_EQ(s.GetValue(i), 0.0) << i;
    }
}

} // namespace
