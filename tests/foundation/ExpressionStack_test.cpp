#include "foundation/ExpressionStack.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

constexpr double kTol = 1e-12;

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
    // Steps as the outline evaluator issues them. "3+4*2" = 11:
    TEquationStack a;
    for (const auto& [value, op] : {std::pair{3.0, '+'}, {0.0, '\0'}, {4.0, '*'}, {2.0, '\0'}})
        ASSERT_TRUE(a.Push(value, op, 0));
    while (a.GetCount() > 1)
        ASSERT_TRUE(a.Reduce());
    EXPECT_NEAR(a.GetValue(0), 11.0, kTol);

    // "12-(2+4)" = 6: the parenthesis opens depth 1 and its entries reduce first.
    TEquationStack b;
    ASSERT_TRUE(b.Push(12, '-', 0));
    ASSERT_TRUE(b.Push(0, '\0', 0));
    for (const auto& [value, op] : {std::pair{0.0, '\0'}, {2.0, '+'}, {0.0, '\0'}, {4.0, '\0'}})
        ASSERT_TRUE(b.Push(value, op, 1));
    while (b.GetDepth(0) >= 1)
        ASSERT_TRUE(b.Reduce());
    EXPECT_NEAR(b.GetValue(0), 6.0, kTol);
    while (b.GetCount() > 1)
        ASSERT_TRUE(b.Reduce());
    EXPECT_NEAR(b.GetValue(0), 6.0, kTol);
    EXPECT_EQ(b.GetOperator(0), '\0');
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
        ASSERT_TRUE(s.Push(i, 0, i)); // e.g. nine nested parentheses
    EXPECT_FALSE(s.Push(99.0, '+', 99));
    EXPECT_EQ(s.GetCount(), TEquationStack::kMaxEntries);
    EXPECT_EQ(s.GetValue(0), 9.0);

    for (int i = 9; i >= 0; --i)
        EXPECT_EQ(s.Pop(), static_cast<double>(i));
    EXPECT_EQ(s.Pop(), std::nullopt);
    EXPECT_FALSE(s.Reduce());
    EXPECT_FALSE(s.SetOperator('+'));
    EXPECT_FALSE(s.Apply(1, 2, '+'));
    ASSERT_TRUE(s.Push(5, 0, 0));
    EXPECT_FALSE(s.Reduce()); // one entry has nothing to combine with
    EXPECT_EQ(s.GetValue(0), 5.0);
    for (int i : {-1, 1, TEquationStack::kMaxEntries}) {
        EXPECT_EQ(s.GetOperator(i), '\0') << i;
        EXPECT_EQ(s.GetDepth(i), -1) << i;
        EXPECT_EQ(s.GetValue(i), 0.0) << i;
    }
}

} // namespace
