// Floating values that show as a signed zero are shown as the positive zero in the same field,
// while real negatives, the other conversions and the literal text are as printf gives them.

#include "foundation/StrFormat.h"

#include <gtest/gtest.h>

#include <string>

TEST(MinusZeros, ShowAsThePositiveZeroInTheSameField)
{
    EXPECT_EQ(StrPrintfUnsignedZeros("M: %5.0f kNm", -0.2), "M:     0 kNm");
    EXPECT_EQ(StrPrintfUnsignedZeros("%5.2f %s", -0.001, "MPa"), " 0.00 MPa");
    EXPECT_EQ(StrPrintfUnsignedZeros("(%.1f,%.2f)", -0.0, -0.004), "(0.0,0.00)");
    EXPECT_EQ(StrPrintfUnsignedZeros("%-6.1f|", -0.01), "0.0   |");
    EXPECT_EQ(StrPrintfUnsignedZeros("%*.*f", 6, 2, -0.001), "  0.00");
    EXPECT_EQ(StrPrintfUnsignedZeros("%.1e", -0.0), "0.0e+00");
    // Negatives, other conversions and literal text as printf gives them.
    EXPECT_EQ(StrPrintfUnsignedZeros("%5.2f %d %s %c %ld %zu 100%% -0", -0.01, -0, "a-0", 'x', -3L,
                                     static_cast<std::size_t>(7)),
              "-0.01 0 a-0 x -3 7 100% -0");
    EXPECT_EQ(StrPrintfUnsignedZeros("%5.1f", -12.34), StrPrintf("%5.1f", -12.34));
    EXPECT_EQ(StrPrintfUnsignedZeros("%g", -1e-300), "-1e-300");
    EXPECT_EQ(StrPrintfUnsignedZeros("%5.0f", -0.0), StrPrintf("%5.0f", 0.0));
    EXPECT_EQ(StrPrintfUnsignedZeros("%s|", std::string(2000, 'a').c_str()).size(), 2001u);
}
