#include "foundation/TypedNumber.h"

#include <algorithm>
#include <climits>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "foundation/DecimalPoint.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"

namespace {

// Bounds shown in a unit system other than the one they were set in come out rounded: a
// typed value that matches the shown bound is taken.
constexpr double kBoundTolerance = 1e-9;

std::string Bound(double v)
{
    if (v == std::trunc(v) && std::fabs(v) < 1e15)
        return StrPrintf("%.0f", UnsignedZero(v, 0));
    return StrPrintf("%.6g", v);
}

bool Within(double v, double low, double high)
{
    const double slack = kBoundTolerance * std::max(std::fabs(low), std::fabs(high));
    return v >= low - slack && v <= high + slack;
}

} // namespace

int ClampToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}

double TypedNumber(const std::string& text)
{
    // Only what a terminator ends is read; text past an embedded one is not typed text.
    const char* begin = text.c_str();
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    const char* first = begin;
    while (blank(*first))
        ++first;
    if (*first == '\0')
        return 0.0;
    char* end = nullptr;
    const double v = DecimalStrtod(first, &end);
    // A hexadecimal number is not what a dialog shows or an engineer types.
    const bool hex = std::find_if(first, static_cast<const char*>(end), [](char c) { return c == 'x' || c == 'X'; }) != end;
    if (end == first || hex)
        return std::numeric_limits<double>::quiet_NaN();
    while (blank(*end))
        ++end;
    return *end == '\0' ? v : std::numeric_limits<double>::quiet_NaN();
}

std::string TypedRangeMessage(const std::string& field, const TypedRange& range)
{
    const double low = ToDisplayUnits(range.low, range.kind), high = ToDisplayUnits(range.high, range.kind);
    const std::string unit = range.kind != ukNone ? UnitLabel(range.kind) : range.unit;
    const char* format = range.heldByModel ? "%s must be a number (values are kept within %s to %s%s%s)."
                                           : "%s must be a number from %s to %s%s%s.";
    return StrPrintf(format, field.c_str(), Bound(std::min(low, high)).c_str(), Bound(std::max(low, high)).c_str(),
                     unit.empty() ? "" : " ", unit.c_str());
}

std::string ReadTypedValue(const std::string& text, const std::string& field, const TypedRange& range,
                           double& value)
{
    const double shown = TypedNumber(text);
    const double stored = FromDisplayUnits(shown, range.kind);
    if (!std::isfinite(stored) || (!range.heldByModel && !Within(stored, range.low, range.high)))
        return TypedRangeMessage(field, range);
    value = stored;
    return {};
}

std::string ReadTypedMagnitude(const std::string& text, const std::string& field, const TypedRange& range,
                               double& value)
{
    TypedRange either = range;
    either.low = -range.high;
    double typed = 0.0;
    const std::string message = ReadTypedValue(text, field, either, typed);
    if (!message.empty() || !Within(std::fabs(typed), range.low, range.high))
        return TypedRangeMessage(field, range);
    value = std::fabs(typed);
    return {};
}

std::string ReadTypedCount(const std::string& text, const std::string& field, int low, int high, int& value)
{
    const double v = TypedNumber(text);
    if (!std::isfinite(v) || v != std::trunc(v) || v < low || v > high)
        return StrPrintf("%s must be a whole number from %d to %d.", field.c_str(), low, high);
    value = static_cast<int>(v);
    return {};
}
