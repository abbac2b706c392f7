#include "model/ElementText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <limits>

#include "foundation/DecimalPoint.h"
#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/Units.h"
#include "foundation/XmlEntities.h"

namespace {

bool IsLeadingBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::size_t SkipLeadingBlanks(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && IsLeadingBlank(text[i]))
        ++i;
    return i;
}

std::size_t SkipDigits(const std::string& text, std::size_t i)
{
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0)
        ++i;
    return i;
}

// Numbers beyond this (up to those past the range of a double) read as this, with their sign:
// the unit factors (the smallest some 1e-8) must not carry a value out of the double range. No
// stored quantity comes near it, and the value's own check refuses it by its record.
constexpr double kLargestDocumentNumber = 1e300;

} // namespace

int DocumentUnits(const int* unitSystem)
{
    if (unitSystem == nullptr || *unitSystem < 0 || *unitSystem >= kUnitSystemCount)
        return kUnitSI;
    return *unitSystem;
}

double ReadDocumentNumber(const std::string& text)
{
    const std::size_t start = SkipLeadingBlanks(text);
    std::size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t intStart = i;
    i = SkipDigits(text, i);
    std::size_t digits = i - intStart;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = i + 1;
        const std::size_t fracEnd = SkipDigits(text, fracStart);
        digits += fracEnd - fracStart;
        i = fracEnd;
    }
    if (digits == 0)
        return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t e = i + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        const std::size_t expEnd = SkipDigits(text, e);
        if (expEnd > e)
            i = expEnd;
    }
    const std::string number = text.substr(start, i - start);
    const double value = DecimalStrtod(number.c_str(), nullptr);
    return std::clamp(value, -kLargestDocumentNumber, kLargestDocumentNumber);
}

double ReadDocumentNumberAsWritten(const std::string& text)
{
    // strtod skips the leading blanks itself.
    return DecimalStrtod(text.c_str(), nullptr);
}

int32_t ReadDocumentInteger(const std::string& text)
{
    std::size_t i = SkipLeadingBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t end = SkipDigits(text, i);
    if (end == i)
        return 0;
    long long value = 0;
    for (std::size_t k = i; k < end; ++k) {
        value = value * 10 + (text[k] - '0');
        if (value > std::numeric_limits<int32_t>::max())
            break;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

bool ReadDocumentInteger(const std::string& text,
                         long long lowest,
                         long long highest,
                         long long& value,
                         const std::string& element,
                         const std::string& attribute)
{
    std::size_t i = SkipLeadingBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t end = SkipDigits(text, i);
    // A magnitude that one more digit could carry past 64 bits lies outside every field's
    // range, whatever digits follow.
    constexpr long long kCeiling = (std::numeric_limits<long long>::max() - 9) / 10;
    long long magnitude = 0;
    bool tooLarge = false;
    for (std::size_t k = i; k < end && !tooLarge; ++k) {
        tooLarge = magnitude > kCeiling;
        if (!tooLarge)
            magnitude = magnitude * 10 + (text[k] - '0');
    }
    const long long read = negative ? -magnitude : magnitude;
    if (!tooLarge && read >= lowest && read <= highest) {
        value = read;
        return true;
    }
    AddLoadError(StrPrintf("%s %s=\"%s\" lies outside %lld to %lld; %lld is kept",
                           element.c_str(),
                           attribute.c_str(),
                           QuoteForMessage(text).c_str(),
                           lowest,
                           highest,
                           value));
    return false;
}

int16_t ReadDocumentCode(const std::string& text)
{
    return static_cast<int16_t>(static_cast<uint16_t>(
        static_cast<uint32_t>(ReadDocumentInteger(text)) & 0xFFFFu));
}

double ToDocument(double value, int kind, const int* unitSystem)
{
    return value * UnitFactor(kind, DocumentUnits(unitSystem));
}

double FromDocument(const std::string& text, int kind, const int* unitSystem)
{
    return ReadDocumentNumber(text) / UnitFactor(kind, DocumentUnits(unitSystem));
}

namespace {

// The width and the digits after the point of a format " %W.Pf" or "%W.Pf" (the blank and W
// optional); false for any other format.
bool FixedFormat(const char* format, bool& blank, int& width, int& precision)
{
    const char* c = format;
    blank = *c == ' ';
    if (blank)
        ++c;
    if (*c++ != '%')
        return false;
    width = 0;
    for (; *c >= '0' && *c <= '9' && width < 100; ++c)
        width = width * 10 + (*c - '0');
    if (*c++ != '.')
        return false;
    precision = 0;
    const char* digits = c;
    for (; *c >= '0' && *c <= '9' && precision < 100; ++c)
        precision = precision * 10 + (*c - '0');
    return c != digits && c[0] == 'f' && c[1] == '\0';
}

std::string PrintfValue(const char* format, double value)
{
    // The fixed formats the documents use are written by the exact conversion printf makes,
    // without its locale switch and argument parsing: a save writes thousands of them.
    bool blank = false;
    int width = 0;
    int precision = 0;
    if (std::isfinite(value) && FixedFormat(format, blank, width, precision) && precision <= 17) {
        char digits[64];
        const auto [end, ec] = std::to_chars(std::begin(digits),
                                             std::end(digits),
                                             value,
                                             std::chars_format::fixed,
                                             precision);
        if (ec == std::errc()) {
            const auto length = static_cast<std::size_t>(end - digits);
            const std::size_t pad = static_cast<std::size_t>(width) > length
                                        ? static_cast<std::size_t>(width) - length
                                        : 0;
            std::string text;
            text.reserve((blank ? 1 : 0) + pad + length);
            if (blank)
                text += ' ';
            text.append(pad, ' ');
            text.append(digits, length);
            return text;
        }
    }
    char buffer[64];
    const int n = DecimalSnprintf(buffer, sizeof buffer, format, value);
    if (n >= 0 && static_cast<std::size_t>(n) < sizeof buffer)
        return buffer;
    // Only absurd magnitudes need more room than the buffer.
    return StrPrintf("%g", value);
}

// A value is written with the digits it needs: ten significant ones at most ("%.10g").
std::string TenDigits(double value)
{
    char buffer[32];
    const auto [end, ec] = std::to_chars(std::begin(buffer), std::end(buffer), value, std::chars_format::general, 10);
    return ec == std::errc() ? std::string(buffer, end) : StrPrintf("%.10g", value);
}

thread_local bool t_exactNumbers = false;

// The shortest text that reads back as exactly the value, led by a blank where the format is.
std::string ExactText(const char* format, double value)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(std::begin(buffer), std::end(buffer), value);
    const std::string digits =
        ec == std::errc() ? std::string(buffer, end) : StrPrintf("%.17g", value);
    return (format[0] == ' ' ? " " : "") + digits;
}

// The number a text written by printf spells (blanks before it skipped); NaN for none.
double ParsePrinted(const std::string& text)
{
    const std::size_t start = SkipLeadingBlanks(text);
    double value = std::numeric_limits<double>::quiet_NaN();
    std::from_chars(text.data() + start, text.data() + text.size(), value);
    return value;
}

// The format's text of the value rounded to ten digits when it lies within the tolerance
// (relative) of it; else the ten digits. The decision is taken on the rounded value, which a
// read of either text gives back (to the last bit of a double after the unit factor), so
// saving the value read back takes the same decision and writes the same text.
std::string FormatWithin(const char* format, double value, double tolerance)
{
    // A zero is written without a sign: read back, "-0.000" would be the other zero once a
    // unit's factor of negative sign turns it (a moment), and be written "0.000" the next time.
    if (value == 0.0)
        value = 0.0;
    if (t_exactNumbers && std::isfinite(value))
        return ExactText(format, value);
    if (!std::isfinite(value))
        return PrintfValue(format, value);
    const std::string digits = TenDigits(value);
    const double rounded = ParsePrinted(digits);
    const std::string text = PrintfValue(format, rounded);
    if (std::fabs(ParsePrinted(text) - rounded) <= tolerance * std::fabs(rounded))
        return text;
    return (format[0] == ' ' ? " " : "") + digits;
}

} // namespace

std::string FormatValue(const char* format, double value)
{
    return FormatWithin(format, value, 0.0);
}

std::string FormatSingleValue(const char* format, double value)
{
    return FormatWithin(format, value, kSinglePrecisionFormat);
}

namespace {

constexpr std::array<double, 23> kPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The double a read of TenDigits' text of the magnitude gives, computed without the text: the
// magnitude times the power of ten that brings it to ten integer digits is known exactly (the
// product and its rounding error), rounded to the nearest integer (ties to even, as the
// conversion rounds an exact tie), and divided by the power again. The power and the integer
// (below 2^53) are exact doubles, so the one division rounds as a read of the decimal text does.
// NaN where the power would not be exact (a magnitude below 1e-13 or from 1e10 up).
double TenDigitsValue(double magnitude)
{
    if (!(magnitude >= 1e-13 && magnitude < 1e10))
        return std::numeric_limits<double>::quiet_NaN();
    // The decimal exponent from the binary one (a normal number here): floor(log10) is this
    // or one more, which the step below puts right.
    const auto binary =
        static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7FFu) - 1023;
    int k = std::min(9 - static_cast<int>(std::floor(binary * 0.30102999566398120)), 22);
    const auto scaled = [magnitude](int power) {
        return magnitude * kPowersOfTen[static_cast<std::size_t>(power)];
    };
    if (k < 0 || k > 22)
        return std::numeric_limits<double>::quiet_NaN();
    double p = scaled(k);
    // Where the product only rounds onto a power of ten, either choice gives the same decimal
    // number.
    if (p >= 1e10 && k > 0)
        p = scaled(--k);
    else if (p < 1e9 && k < 22)
        p = scaled(++k);
    if (!(p >= 1e9 - 1.0 && p <= 1e10))
        return std::numeric_limits<double>::quiet_NaN();
    const double power = kPowersOfTen[static_cast<std::size_t>(k)];
    const double error = std::fma(magnitude, power, -p);
    double digits = std::nearbyint(p);
    const double fraction = p - digits;
    if (fraction == 0.5 && error > 0.0)
        digits += 1.0;
    else if (fraction == -0.5 && error < 0.0)
        digits -= 1.0;
    return digits / power;
}

} // namespace

double AsDocumentKeepsIt(double value, int kind, const int* unitSystem)
{
    const double magnitude = std::fabs(ToDocument(value, kind, unitSystem));
    if (magnitude == 0.0)
        return 0.0;
    double kept = TenDigitsValue(magnitude) / UnitFactor(kind, DocumentUnits(unitSystem));
    if (std::isnan(kept))
        kept = FromDocument(FormatValue("%g", magnitude), kind, unitSystem);
    return value < 0.0 ? -kept : kept;
}

ExactDocumentNumbers::ExactDocumentNumbers(bool exact) : m_previous(t_exactNumbers)
{
    t_exactNumbers = exact;
}

ExactDocumentNumbers::~ExactDocumentNumbers()
{
    t_exactNumbers = m_previous;
}

std::string FormatExactValue(const char* format, double value)
{
    if (t_exactNumbers && std::isfinite(value))
        return ExactText(format, value);
    const std::string text = PrintfValue(format, value);
    if (ReadDocumentNumber(text) == value)
        return text;
    return PrintfValue(format[0] == ' ' ? " %.17g" : "%.17g", value);
}

void ReportUnknownAttribute(const std::string& element, const std::string& attribute)
{
    ShowMessage(StrPrintf("Unknown Attribute for %s : %s.",
                          QuoteForMessage(element).c_str(),
                          QuoteForMessage(attribute).c_str()),
                "Error in XML file");
}

bool ReadBodyWord(TTextBuffer& body, std::string& word)
{
    word.clear();
    body.SkipBlanks();
    if (!body.NotAtEnd())
        return false;
    const char* before = body.GetCursor();
    body.ReadWord(word);
    if (body.GetCursor() == before)
        body.Advance(1);
    return true;
}

bool ReadBodyQuotedRaw(TTextBuffer& body, std::string& text)
{
    text.clear();
    body.SkipBlanks();
    if (!body.NotAtEnd())
        return false;
    const char* before = body.GetCursor();
    body.ReadQuoted(text);
    if (body.GetCursor() == before)
        body.Advance(1);
    return true;
}

bool ReadBodyQuoted(TTextBuffer& body, std::string& text)
{
    std::string raw;
    const bool found = ReadBodyQuotedRaw(body, raw);
    text = XmlUnescape(raw);
    return found;
}

TDepthTable ReadProfileRows(TTextBuffer& body, const std::string& name, const int* unit)
{
    TDepthTable table(name);
    body.Rewind();
    std::string depth;
    std::string strain;
    while (ReadBodyWord(body, depth)) {
        ReadBodyWord(body, strain);
        table.Add(FromDocument(depth, ukSectionLength, unit), FromDocument(strain, ukStrain, unit));
    }
    return table;
}

void AppendProfileRows(TTextBuffer& body,
                       const TDepthTable& table,
                       double bottom,
                       const char* heightFormat,
                       const char* strainFormat,
                       const int* unit)
{
    for (int i = 0; i < table.GetCount(); ++i) {
        body.Append(kBodyRowStart);
        body.Append(FormatValue(heightFormat, ToDocument(table.GetDepth(i) - bottom, ukSectionLength, unit)));
        body.Append(" ");
        body.Append(FormatValue(strainFormat, ToDocument(table.GetValue(i), ukStrain, unit)));
    }
}
