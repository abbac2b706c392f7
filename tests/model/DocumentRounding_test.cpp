// A value rounded as its document keeps it, without writing its text: the same double that
// File > Save's text read back gives, in every unit system and for every kind of value a
// material curve holds, down to the last bit.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/ElementText.h"

namespace {

// What the writer writes and the reader reads back: the value's text in the format, its sign
// kept, as the curve rows hold magnitudes.
double WrittenAndRead(double value, const char* format, int kind, int units)
{
    const double kept =
        FromDocument(FormatValue(format, std::fabs(ToDocument(value, kind, &units))), kind, &units);
    return value < 0.0 ? -kept : kept;
}

void ExpectAsWrittenAndRead(double value, int kind, int units)
{
    const double rounded = AsDocumentKeepsIt(value, kind, &units);
    for (const char* format : {kCurveStrainFormat, kCurveStressFormat, "%3.1f", "%4.0f"}) {
        const double read = WrittenAndRead(value, format, kind, units);
        ASSERT_EQ(StrPrintf("%.17g", rounded), StrPrintf("%.17g", read))
            << StrPrintf("%.17g", value) << " of kind " << kind << " in units " << units
            << " written " << format;
    }
}

TEST(DocumentRounding, ValuesOfEveryMagnitudeRoundAsTheirTextReadBack)
{
    std::mt19937_64 random(20261210);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-16, 12);
    for (int units = 0; units < kUnitSystemCount; ++units) {
        for (int kind : {ukStrain, ukStress, ukLargeStress, ukSectionLength, ukNone}) {
            for (int i = 0; i < 4000; ++i) {
                const double v = mantissa(random) * std::pow(10.0, exponent(random));
                ExpectAsWrittenAndRead(i % 2 == 0 ? v : -v, kind, units);
            }
        }
    }
}

// Values a curve holds often: steps of a strain grid, round stresses, exact ties of the tenth
// digit (1234567890.5 and 0.5 x 2^-k), values next to the powers of ten, and 0.
TEST(DocumentRounding, GridStepsTiesAndPowersOfTenRoundAsTheirTextReadBack)
{
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1234567890.5,
                                  1234567891.5,
                                  9999999999.5,
                                  999999999.95,
                                  0.5,
                                  2.5e-3,
                                  1e-13,
                                  9.99999999995e-14,
                                  1e10,
                                  9999999999.4};
    for (int j = 0; j < 3000; ++j)
        values.push_back(1e-4 * j);
    for (int j = 0; j < 200; ++j)
        values.push_back(-2e-4 * j);
    for (int p = -15; p <= 12; ++p) {
        const double power = std::pow(10.0, p);
        values.push_back(power);
        values.push_back(std::nextafter(power, 0.0));
        values.push_back(std::nextafter(power, 1e300));
        values.push_back(std::ldexp(0.5, p));
        values.push_back(std::ldexp(1.0, p) * 3.0);
    }
    for (int units = 0; units < kUnitSystemCount; ++units)
        for (int kind : {ukStrain, ukStress, ukLargeStress, ukSectionLength, ukNone})
            for (double v : values)
                ExpectAsWrittenAndRead(v, kind, units);
}

// The text a format of the documents gives a value, as printf writes it: the value's ten digits
// where printf's text does not read back within the tolerance (relative) of them.
std::string AsPrintfWrites(const char* format, double value, double tolerance)
{
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.10g", value);
    const double rounded = std::strtod(digits, nullptr);
    char text[512];
    std::snprintf(text, sizeof text, format, rounded);
    if (std::fabs(std::strtod(text, nullptr) - rounded) <= tolerance * std::fabs(rounded))
        return text;
    return (format[0] == ' ' ? " " : "") + std::string(digits);
}

// Every fixed format a document writes, padded to its width and rounded as printf rounds:
// exact ties of the last digit kept go to the even digit (1048576.25 to "1048576.2" at one
// decimal, within the single-precision tolerance), whole values and binary fractions of every
// size, both signs.
TEST(DocumentRounding, FixedFormatsWriteWhatPrintfWrites)
{
    const char* formats[] = {"%3.1f",
                             "%3.2f",
                             "%4.2f",
                             "%3.3f",
                             "%5.1f",
                             "%4.0f",
                             "%1.1f",
                             "%1.0f",
                             "%2.2f",
                             "%2.1f",
                             "%5.3f",
                             "%5.2f",
                             " %5.7f",
                             " %5.0f",
                             "%12.4f",
                             "%.6f"};
    std::vector<double> values = {0.0,
                                  1.0,
                                  0.5,
                                  2.5,
                                  0.125,
                                  0.375,
                                  1048576.25,
                                  1048576.75,
                                  33554432.5,
                                  999.95,
                                  99.995,
                                  1e9,
                                  123456789.125,
                                  7.0e-7,
                                  -0.0625,
                                  -1048576.25,
                                  4.35,
                                  0.1,
                                  1e15};
    std::mt19937_64 random(20261211);
    std::uniform_int_distribution<long long> whole(-2000000000LL, 2000000000LL);
    std::uniform_int_distribution<int> shift(0, 30);
    for (int i = 0; i < 3000; ++i)
        values.push_back(std::ldexp(static_cast<double>(whole(random)), -shift(random)));
    for (const char* format : formats) {
        for (double v : values) {
            ASSERT_EQ(FormatSingleValue(format, v), AsPrintfWrites(format, v, 5e-7))
                << format << " of " << StrPrintf("%.17g", v);
            ASSERT_EQ(FormatValue(format, v), AsPrintfWrites(format, v, 0.0))
                << format << " of " << StrPrintf("%.17g", v);
        }
    }
}

} // namespace
