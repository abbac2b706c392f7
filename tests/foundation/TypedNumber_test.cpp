// Reading typed numbers against a field's range, and the clamped conversion to int.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "support/TestSupport.h"

namespace {

TEST(ClampToInt, TruncatesAndHoldsToTheIntRange)
{
    EXPECT_EQ(ClampToInt(2.9), 2);
    EXPECT_EQ(ClampToInt(-2.9), -2);
    EXPECT_EQ(ClampToInt(std::nan("")), 0);
    EXPECT_EQ(ClampToInt(1e300), INT_MAX);
    EXPECT_EQ(ClampToInt(-1e300), INT_MIN);
    EXPECT_EQ(ClampToInt(std::numeric_limits<double>::infinity()), INT_MAX);
    EXPECT_EQ(ClampToInt(2147483647.0), INT_MAX);
    EXPECT_EQ(ClampToInt(-2147483648.0), INT_MIN);
    EXPECT_EQ(ClampToInt(2147483646.5), 2147483646);
}

TEST(TypedNumber, ReadsATextThatHoldsOneNumberAndNothingElse)
{
    EXPECT_EQ(TypedNumber("  12.5  "), 12.5);
    EXPECT_EQ(TypedNumber("\t-3e2\r\n"), -300.0);
    EXPECT_EQ(TypedNumber("+.5"), 0.5);
    // An empty or blank field reads as 0, as the dialogs have always read it.
    EXPECT_EQ(TypedNumber(""), 0.0);
    EXPECT_EQ(TypedNumber("   "), 0.0);
    // No number, a number followed by other text, a decimal comma, a hexadecimal number: NaN,
    // which every checked reading refuses.
    for (const char* text : {"abc", "0,5", "5mm", "  12.5 mm", "1 2", "-", ".", "e5", "0x10", "1e", "Detailed"})
        EXPECT_TRUE(std::isnan(TypedNumber(text))) << text;
    // Only what a terminator ends is typed text.
    EXPECT_EQ(TypedNumber(std::string("7\0abc", 5)), 7.0);
    EXPECT_TRUE(std::isnan(TypedNumber("nan")));
    EXPECT_TRUE(std::isinf(TypedNumber("-inf")));
    EXPECT_TRUE(std::isinf(TypedNumber("1e999")));
}

TEST(ReadTypedValue, RefusesWhatIsNotFiniteOrOutsideTheRangeAndNamesBoth)
{
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    const TypedRange load{-1e9, 1e9, ukForce};  // shown in kN
    struct Case {
        const char* text;
        bool taken;
        double stored;
    };
    const Case cases[] = {{"-150", true, -150e3}, {"", true, 0.0},       {"1000000", true, 1e9},
                          {"nan", false, 0.0},    {"inf", false, 0.0},   {"-inf", false, 0.0},
                          {"1e300", false, 0.0},  {"1000001", false, 0.0}, {"abc", false, 0.0},
                          {"0,5", false, 0.0},    {"5kN", false, 0.0}};
    for (const Case& c : cases) {
        double value = 7.0;
        const std::string message = ReadTypedValue(c.text, "Axial Load", load, value);
        EXPECT_EQ(message.empty(), c.taken) << c.text;
        EXPECT_EQ(value, c.taken ? c.stored : 7.0) << c.text;
        if (!c.taken) {
            EXPECT_EQ(message, "Axial Load must be a number from -1000000 to 1000000 kN.");
        }
    }
    // A range the model holds to: every finite value is taken, the message says what is kept.
    double v = 0.0;
    EXPECT_EQ(ReadTypedValue("2000000", "Moment Axis", {-1000.0, 1000.0, ukSectionLength, {}, true}, v), "");
    EXPECT_EQ(v, 2000.0);
    EXPECT_EQ(ReadTypedValue("nan", "Moment Axis", {-1000.0, 1000.0, ukSectionLength, {}, true}, v),
              "Moment Axis must be a number (values are kept within -1000000 to 1000000 mm).");
    // Moments shown with the opposite sign: the range is shown low to high all the same.
    EXPECT_EQ(TypedRangeMessage("Moment", {-1e9, 1e9, ukMoment}), "Moment must be a number from -1000000 to 1000000 kNm.");
    EXPECT_EQ(TypedRangeMessage("Age", {0.0, 1000.0, ukNone, "years"}), "Age must be a number from 0 to 1000 years.");
}

TEST(ReadTypedValue, MagnitudesAndCounts)
{
    ValueGuard<int> units{g_UnitSystem, kUnitSI};
    double area = 0.0;
    EXPECT_EQ(ReadTypedMagnitude("-500", "Bar Area", {0.0, 1.0, ukArea}, area), "");
    EXPECT_DOUBLE_EQ(area, 500e-6);
    EXPECT_EQ(ReadTypedMagnitude("-2000000", "Bar Area", {0.0, 1.0, ukArea}, area),
              "Bar Area must be a number from 0 to 1000000 mm^2.");
    int n = 5;
    EXPECT_EQ(ReadTypedCount("12", "Number of Bars", 0, 999, n), "");
    EXPECT_EQ(n, 12);
    for (const char* text : {"nan", "inf", "-inf", "1e300", "1000", "2.5", "-1", "abc", "3 bars", "1,5"})
        EXPECT_EQ(ReadTypedCount(text, "Number of Bars", 0, 999, n), "Number of Bars must be a whole number from 0 to 999.")
            << text;
    EXPECT_EQ(n, 12);
}

} // namespace
