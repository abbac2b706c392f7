#include "foundation/ExpressionStack.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

constexpr double kTol = 1e-12;

TEST(TEquationStackTest, ApplyArithmeticWithTheGuardedDivision)
{
    const struct {
        double b;
        char op;
        double expected;
    } rows[] = {{2, '-', 3}, {2, '*', 10}, {-0.0004, '/', -5000}, {0, '/', 0}, {2, '\0', 2}};
    TEquationStack s;
    for (const auto& row : rows) {
        EXPECT_TRUE(s.Apply(5, row.b, row.op));
        EXPECT_NEAR(s.GetValue(0), row.expected, kTol) << row.op << row.b;
    }
}

// The shape formulas' tests evaluate formulas through the stack; here "6*2+", which ends with
// an operator: reported, and the reduction goes on.
TEST(TEquationStackTest, ATrailingOperatorIsReportedAndReduced)
{
    RecordingReporter rec;
    TEquationStack s;
    ASSERT_TRUE(s.Push(6, '*', 0));
    ASSERT_TRUE(s.Push(2, '+', 0));
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
    EXPECT_FALSE(s.SetOperator('+'));
    EXPECT_FALSE(s.Apply(1, 2, '+'));
    ASSERT_TRUE(s.Push(5, 0, 0));
    EXPECT_FALSE(s.Reduce()); // one entry has nothing to combine with
    EXPECT_EQ(s.GetValue(0), 5.0);
    for (int i : {-1, TEquationStack::kMaxEntries}) {
        EXPECT_EQ(s.GetOperator(i), '\0') << i;
        EXPECT_EQ(s.GetDepth(i), -1) << i;
        EXPECT_EQ(s.GetValue(i), 0.0) << i;
    }
}

} // namespace
