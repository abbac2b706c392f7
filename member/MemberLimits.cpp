#include "member/MemberLimits.h"

#include <algorithm>
#include <cmath>

#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/ElementText.h"

const TypedRange kMemberPositionRange{0.0, kMaxMemberLength, ukSectionLength, {}, true};
const TypedRange kMemberMomentRange{-kMaxTypedMoment, kMaxTypedMoment, ukMoment};
const TypedRange kMemberForceRange{-kMaxTypedForce, kMaxTypedForce, ukForce};

namespace {

// Documents write their numbers to about seven significant digits.
constexpr double kDocumentRounding = 1e-6;

} // namespace

std::string UnheldMemberValue(const std::string& record,
                              const char* what,
                              double value,
                              const TypedRange& range,
                              const int* unitSystem)
{
    const auto widened = [](double bound) { return bound + std::fabs(bound) * kDocumentRounding; };
    if (std::isfinite(value) && value >= -widened(-range.low) && value <= widened(range.high))
        return std::string();
    if (!std::isfinite(value))
        return StrPrintf("%s has %s that is no number.", record.c_str(), what);
    const int system = DocumentUnits(unitSystem);
    const std::string label = range.unit.empty() ? UnitLabel(range.kind, system) : range.unit;
    const std::string unit = label.empty() ? std::string() : " " + label;
    const double low = ToDocument(range.low, range.kind, unitSystem);
    const double high = ToDocument(range.high, range.kind, unitSystem);
    const std::string takes =
        range.low == -range.high
            ? StrPrintf("at most %.10g%s", std::fabs(high), unit.c_str())
            : StrPrintf("%.10g to %.10g%s", std::min(low, high), std::max(low, high), unit.c_str());
    return StrPrintf("%s has %s of %.4g%s: a member takes %s.",
                     record.c_str(),
                     what,
                     ToDocument(value, range.kind, unitSystem),
                     unit.c_str(),
                     takes.c_str());
}
