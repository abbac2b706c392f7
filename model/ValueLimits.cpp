#include "model/ValueLimits.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

#include "foundation/StrFormat.h"
#include "foundation/TDepthTable.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/FireDefaults.h"
#include "model/TBeam.h"
#include "model/TStructure.h"
#include "model/materials/UserCurves.h"

double YieldPenetrationRatio(int unitSystem)
{
    return UnitFactor(ukLargeStress, unitSystem) * 1.0e6;
}

double LargestYieldPenetration()
{
    double ratio = 0.0;
    for (int system = 0; system < kUnitSystemCount; ++system)
        ratio = std::max(ratio, YieldPenetrationRatio(system));
    return kMaxShownYieldPenetration * ratio;
}

double LargestSectionValue(int kind)
{
    switch (kind) {
    case ukSectionLength:
    case ukLength:
        return 1000.0;
    case ukArea:
        return 1.0;
    case ukStrain:
    case ukPercent:
        return 10.0;
    case ukStress:
    case ukLargeStress:
        return 1e12;
    default:
        return 1e9;
    }
}

namespace {

// A value past its bound by no more than this part of the bound is held. The pages take a typed
// value that matches the bound they show (to 1e-9 of it), and a document keeps a value to ten
// significant digits (5e-10 of it) in the factor of its unit system, which is no power of ten in
// most: a value at the bound comes back a hair past it, and must open all the same.
constexpr double kBoundSlack = 2e-9;

// "a yield strength of 6e+258 MPa: a section takes at most 1000000 MPa"; empty when held. The
// value is the one the record shows (a concrete's strength positive), at least `least` when
// that is given.
std::string UnheldValue(const char* what, double value, int kind, std::optional<double> least)
{
    const double largest = LargestSectionValue(kind);
    const double slack = kBoundSlack * largest;
    const bool below = least && value < *least - kBoundSlack * std::fabs(*least);
    if (std::isfinite(value) && std::fabs(value) <= largest + slack && !below)
        return std::string();
    const std::string unit = UnitLabel(kind);
    const std::string space = unit.empty() ? "" : " ";
    if (!std::isfinite(value))
        return StrPrintf("%s that is no number", what);
    // A value past the bound by less than four digits tell is told in ten, so that it never
    // reads as the bound itself.
    const double bound = ToDisplayUnits(below ? *least : largest, kind);
    const double shown = ToDisplayUnits(value, kind);
    const std::string told =
        StrPrintf("%.4g", std::fabs(shown)) == StrPrintf("%.4g", std::fabs(bound))
            ? StrPrintf("%.10g", shown)
            : StrPrintf("%.4g", shown);
    return StrPrintf("%s of %s%s%s: a section takes at %s %.10g%s%s",
                     what,
                     told.c_str(),
                     space.c_str(),
                     unit.c_str(),
                     below ? "least" : "most",
                     std::fabs(bound),
                     space.c_str(),
                     unit.c_str());
}

// A value held to [low, high] and shown as value x scale + offset in its unit ("years",
// "degrees F"): "an age of 2.7e+197 years: a section takes 0 to 1000 years", or "... takes at
// most 1000000 kNm" for a range symmetric about 0; empty when held.
// A bound converted to another unit and back may stray by a rounding: a millionth is allowed.
struct ShownRange {
    double low = 0.0;
    double high = 0.0;
    std::string unit;
    double scale = 1.0;
    double offset = 0.0;
};

std::string UnheldInRange(const char* what, double value, const ShownRange& range)
{
    const auto slack = [](double bound) { return std::fabs(bound) * 1e-6; };
    if (std::isfinite(value) && value >= range.low - slack(range.low) &&
        value <= range.high + slack(range.high))
        return std::string();
    if (!std::isfinite(value))
        return StrPrintf("%s that is no number", what);
    const std::string unit = range.unit.empty() ? std::string() : " " + range.unit;
    const auto shown = [&range](double v) { return v * range.scale + range.offset; };
    const double low = shown(range.low);
    const double high = shown(range.high);
    const std::string takes =
        range.low == -range.high && range.offset == 0.0
            ? StrPrintf("at most %.10g%s", std::fabs(high), unit.c_str())
            : StrPrintf("%.10g to %.10g%s", std::min(low, high), std::max(low, high), unit.c_str());
    return StrPrintf("%s of %.4g%s: a section takes %s",
                     what,
                     shown(value),
                     unit.c_str(),
                     takes.c_str());
}

// The long-term settings of a beam, as the time-dependent dialog stores them.
std::string UnheldTimeValue(const TBeam& beam)
{
    constexpr double kDaysPerYear = 365.0;
    int flag = 0;
    double days = 0.0;
    double moment = 0.0;
    double axial = 0.0;
    beam.GetTimeData(flag, days, moment, axial);
    std::string told =
        UnheldInRange("an age",
                      days,
                      {0.0, kMaxConcreteAgeYears * kDaysPerYear, "years", 1.0 / kDaysPerYear});
    if (told.empty())
        told = UnheldInRange(
            "a sustained moment",
            moment,
            {-kMaxTypedMoment, kMaxTypedMoment, UnitLabel(ukMoment), UnitFactor(ukMoment)});
    if (told.empty())
        told = UnheldInRange(
            "a sustained axial load",
            axial,
            {-kMaxTypedForce, kMaxTypedForce, UnitLabel(ukForce), UnitFactor(ukForce)});
    return told.empty() ? told : "The long-term analysis has " + told + ".";
}

// The member a beam carries, past what the member pages take: lengths and plates larger than
// the longest member, a moment ratio, axial load or yield-penetration factor larger than the
// pages take. A value that is no number, or a negative length, is left to CompleteMemberValues.
std::string UnheldQuickMemberValue(const TBeam& beam)
{
    TMemberQuickDef q;
    beam.GetStoredValues(q);
    struct QuickValue {
        const char* what;
        double value;
        double largest;
        int kind;
        bool signedValue; // held by its magnitude
    };
    const double spans = static_cast<double>(q.L) + static_cast<double>(q.mido2);
    // The member begins a third of the section's height before its left support, unless the
    // record puts the support at its end (a moment ratio of exactly -1).
    const double lead = q.leftpercent == -1.0f ? 0.0 : beam.GetHeight() / 3.0;
    const QuickValue values[] = {
        {"a shear span", q.L, kMaxMemberLength, ukSectionLength, false},
        {"a constant-moment zone", q.mido2, kMaxMemberLength, ukSectionLength, false},
        {"a shear span and constant-moment zone together",
         spans,
         kMaxMemberLength,
         ukSectionLength,
         false},
        {"a length", q.L != 0.0f ? lead + spans : 0.0, kMaxMemberLength, ukSectionLength, false},
        {"a moment ratio", q.leftpercent, kMaxMomentRatio, ukPercent, true},
        {"a yield penetration constant", q.penetrate, LargestYieldPenetration(), ukNone, false},
        {"a left plate size", q.lplate, kMaxMemberLength, ukSectionLength, false},
        {"a right plate size", q.rplate, kMaxMemberLength, ukSectionLength, false},
        {"a constant axial load", q.constAxialLoad, kMaxTypedForce, ukForce, true},
    };
    for (const QuickValue& v : values) {
        const double held = v.signedValue ? std::fabs(v.value) : v.value;
        // The record keeps single precision: a bound read into it may round past the bound.
        if (!std::isfinite(v.value) || held <= v.largest * (1.0 + 1e-6))
            continue;
        const std::string unit = UnitLabel(v.kind);
        const std::string space = unit.empty() ? "" : " ";
        return StrPrintf(
            "The section's member has %s of %.7g%s%s: a section takes at most %.10g%s%s.",
            v.what,
            ToDisplayUnits(v.value, v.kind),
            space.c_str(),
            unit.c_str(),
            std::fabs(ToDisplayUnits(v.largest, v.kind)),
            space.c_str(),
            unit.c_str());
    }
    return std::string();
}

// The fire settings, as the post-fire parameters dialog stores them: the exposure in minutes,
// the temperature in degrees F in US customary units.
std::string UnheldFireValue(const TStructure& s)
{
    int exposure = 0;
    int type = 0;
    int rebar = 0;
    double time = 0.0;
    double temperature = 0.0;
    s.GetFireData(exposure, type, rebar, time, temperature);
    const bool fahrenheit = g_UnitSystem == kUnitUS;
    std::string told = UnheldInRange("an exposure mask", exposure, {1.0, kMaxFireExposureMask, ""});
    if (told.empty())
        told = UnheldInRange("a fire curve", type, {0.0, kMaxFireCurveType, ""});
    if (told.empty())
        told = UnheldInRange("a reinforcement fire type", rebar, {0.0, kMaxRebarFireType, ""});
    if (told.empty())
        told = UnheldInRange("an exposure time",
                             time,
                             {kMinFireExposure, kMaxFireExposure, "min", 1.0 / 60.0});
    if (told.empty())
        told =
            UnheldInRange("a constant temperature",
                          temperature,
                          fahrenheit ? ShownRange{0.0, kMaxFireTemperature, "degrees F", 1.8, 32.0}
                                     : ShownRange{0.0, kMaxFireTemperature, "degrees C"});
    return told.empty() ? told : "The fire exposure has " + told + ".";
}

struct NamedValue {
    const char* what;
    double value;
    int kind;
    std::optional<double> least = std::nullopt;
};

// The first unheld value of the list told ("a yield strength of ..."), else empty.
std::string FirstUnheldValue(std::initializer_list<NamedValue> values)
{
    for (const NamedValue& v : values) {
        std::string told = UnheldValue(v.what, v.value, v.kind, v.least);
        if (!told.empty())
            return told;
    }
    return std::string();
}

// The record's message for the first unheld value of the list, else empty.
std::string FirstUnheld(const std::string& record, std::initializer_list<NamedValue> values)
{
    const std::string told = FirstUnheldValue(values);
    return told.empty() ? told : record + " has " + told + ".";
}

std::string Named(const char* kind, int i, const std::string& name)
{
    return StrPrintf("%s %d (\"%s\")", kind, i + 1, name.c_str());
}

// The pairs of a depth profile: heights (section length) and strains.
std::string UnheldProfile(const char* profile, const TDepthTable& table)
{
    for (int i = 0; i < table.GetCount(); ++i) {
        const std::string told = FirstUnheld(StrPrintf("Row %d of the %s", i + 1, profile),
                                             {{"a height", table.GetDepth(i), ukSectionLength},
                                              {"a strain", table.GetValue(i), ukStrain}});
        if (!told.empty())
            return told;
    }
    return std::string();
}


std::string UnheldLayerValue(const TStructure& s)
{
    for (int d = 0; d < std::min(s.GetLongDirectionCount(), 2); ++d) {
        for (int i = 0; i < s.GetLongLayerCount(d); ++i) {
            const LongLayerRec& layer = *s.GetLongLayer(i, d);
            const std::string told = FirstUnheld(Named("Longitudinal layer", i, layer.name),
                                                 {{"a height", layer.z, ukSectionLength},
                                                  {"a slope", layer.drape, ukPercent},
                                                  {"a prestrain", layer.dep, ukStrain},
                                                  {"a thermal strain", layer.thermStrain, ukStrain},
                                                  {"a spacing", layer.space, ukSectionLength}});
            if (!told.empty())
                return told;
        }
    }
    for (int d = std::max(3 - s.GetTransDirectionCount(), 0); d <= 2; ++d) {
        for (int i = 0; i < s.GetTransLayerCount(d); ++i) {
            const TransLayerRec& layer = *s.GetTransLayer(i, d);
            const std::string told = FirstUnheld(Named("Transverse layer", i, layer.name),
                                                 {{"a top end", layer.disttop, ukSectionLength},
                                                  {"a bottom end", layer.distbot, ukSectionLength},
                                                  {"a spacing", layer.space, ukSectionLength},
                                                  {"a prestrain", layer.dep, ukStrain},
                                                  {"a thermal strain", layer.thermStrain, ukStrain}});
            if (!told.empty())
                return told;
        }
    }
    return std::string();
}

// The first pair of a stress-strain curve a section does not hold: a stress past the stress
// bound or a strain past the strain bound (with strainsOnly, a strain alone); the pairs that
// close every curve, far out and just outside the given range, are passed over (a pair given at
// the bound is held within its slack, and so is the curve closed past it). A concrete's stresses
// are told as its curve is shown, compression positive (sign -1).
std::string
UnheldCurvePair(const TDepthTable* curve, int stressKind, double sign, bool strainsOnly = false)
{
    if (curve == nullptr)
        return std::string();
    const FarPairIndices far = FarClosingPairs(*curve);
    for (int i = 0; i < curve->GetCount(); ++i) {
        if (i == far.plus || i == far.minus || i == far.nearPlus || i == far.nearMinus)
            continue;
        std::string told;
        if (!strainsOnly)
            told = UnheldValue("a stress-strain point with a stress",
                               sign * curve->GetValue(i),
                               stressKind,
                               std::nullopt);
        if (told.empty())
            told = UnheldValue("a stress-strain point with a strain",
                               sign * curve->GetDepth(i),
                               ukStrain,
                               std::nullopt);
        if (!told.empty())
            return told;
    }
    return std::string();
}

} // namespace

std::string UnheldSectionValue(const char* what, double value, int kind)
{
    return UnheldValue(what, value, kind, std::nullopt);
}

std::string UnheldConcreteValue(const ConcreteTypeRec& c)
{
    // f'c and e'c are kept negative (compression); they are told as the pages and the
    // documents give them. A user-defined curve's strains, and whether it carries a stress at
    // all, are told first (the values derived from such a curve are none anybody gave), then
    // the values it gives, then its stresses.
    if (c.baseCurve == BaseCurveCode::UserDefined && c.userCurve) {
        if (std::string told = UnheldCurvePair(c.userCurve.get(), ukStress, -1.0, true);
            !told.empty())
            return told;
        if (!CurveCarriesStress(*c.userCurve))
            return "a user-defined stress-strain curve without a point of stress: a curve takes at "
                   "least one";
    }
    if (std::string told = FirstUnheldValue({{"a strength f'c", -c.fc, ukStress},
                                             {"a tensile strength f't", c.ft, ukStress},
                                             {"a peak strain e'c", -c.ec, ukStrain},
                                             {"a tension-stiffening factor", c.tsFactor, ukNone},
                                             {"an aggregate size", c.aggregate, ukSectionLength}});
        !told.empty())
        return told;
    return UnheldCurvePair(c.userCurve.get(), ukStress, -1.0);
}

std::string UnheldSteelValue(const SteelTypeRec& t)
{
    // A curve's strains are told before the values it gives. A steel curve without stress is
    // held: it is the curve of a bar a fire has burnt out.
    if (std::string told = UnheldCurvePair(t.userCurve.get(), ukLargeStress, 1.0, true);
        !told.empty())
        return told;
    // The modulus of a steel by its own curve is the curve's.
    std::optional<double> least;
    if (t.kind != SteelKind::UserCurve)
        least = kLeastSteelModulus;
    if (std::string told = FirstUnheldValue({{"an elastic modulus", t.Es, ukLargeStress, least},
                                             {"a yield strength", t.fy, ukLargeStress},
                                             {"an ultimate strength", t.fu, ukLargeStress},
                                             {"a strain-hardening strain", t.esh, ukStrain},
                                             {"a strain at peak", t.eu, ukStrain},
                                             {"a Ramberg-Osgood A", t.A, ukNone},
                                             {"a Ramberg-Osgood B", t.B, ukNone},
                                             {"a Ramberg-Osgood C", t.C, ukNone}});
        !told.empty())
        return told;
    return UnheldCurvePair(t.userCurve.get(), ukLargeStress, 1.0);
}

std::string UnheldMaterialText(const TStructure& s)
{
    for (int i = 0; i < s.GetConcreteTypeCount(); ++i) {
        const ConcreteTypeRec& c = *s.GetConcreteType(i);
        if (const std::string told = UnheldConcreteValue(c); !told.empty())
            return Named("Concrete type", i, c.name) + " has " + told + ".";
    }
    for (int i = 0; i < s.GetSteelTypeCount(); ++i) {
        const SteelTypeRec& t = *s.GetSteelType(i);
        if (const std::string told = UnheldSteelValue(t); !told.empty())
            return Named("Steel type", i, t.name) + " has " + told + ".";
    }
    return std::string();
}

std::string UnheldValueText(const TStructure& s)
{
    if (s.GetConcreteTypeCount() > kMaxMaterialTypes)
        return StrPrintf("The section has %d concrete types: a section holds at most %d.",
                         s.GetConcreteTypeCount(),
                         kMaxMaterialTypes);
    if (s.GetSteelTypeCount() > kMaxMaterialTypes)
        return StrPrintf("The section has %d steel types: a section holds at most %d.",
                         s.GetSteelTypeCount(),
                         kMaxMaterialTypes);
    std::string told = UnheldMaterialText(s);
    for (int i = 0; told.empty() && i < s.GetRegionCount(); ++i) {
        const ConcreteRegionRec& r = *s.GetRegion(i);
        told = FirstUnheld(StrPrintf("Concrete region %d", i + 1),
                           {{"a top", r.top, ukSectionLength},
                            {"a bottom", r.bottom, ukSectionLength},
                            {"a top width", r.topWidth, ukSectionLength},
                            {"a bottom width", r.bottomWidth, ukSectionLength}});
    }
    if (told.empty())
        told = UnheldLayerValue(s);
    if (told.empty() && s.GetKind() == kKindBeam) {
        // A beam's loads: N, M and V of the constant and the increment loads.
        double constants[3] = {};
        double increments[3] = {};
        s.GetConstantLoads(constants, 3);
        s.GetIncrementLoads(increments, 3);
        told = FirstUnheld("The section's loads",
                           {{"a constant axial load", constants[0], ukForce},
                            {"a constant moment", constants[1], ukMoment},
                            {"a constant shear", constants[2], ukForce},
                            {"an increment of axial load", increments[0], ukForce},
                            {"an increment of moment", increments[1], ukMoment},
                            {"an increment of shear", increments[2], ukForce}});
        if (told.empty())
            told = UnheldProfile("strain discontinuity",
                                 static_cast<const TBeam&>(s).GetStrainDiscontinuityTable());
        if (told.empty())
            told = UnheldTimeValue(static_cast<const TBeam&>(s));
        if (told.empty())
            told = UnheldQuickMemberValue(static_cast<const TBeam&>(s));
    }
    if (told.empty())
        told = UnheldProfile("shrinkage and thermal strains", s.GetPositionVariable(kShrinkTherm));
    if (told.empty())
        told = UnheldFireValue(s);
    return told;
}

bool HeldMomentAxisRange(const TBeam& beam, double& low, double& high)
{
    const int n = beam.GetRegionCount();
    if (n == 0)
        return false;
    const double reference = beam.GetRegion(n - 1)->bottom;
    double lowest = 0.0;
    double highest = 0.0;
    bool any = false;
    const auto add = [&](double z) {
        if (!std::isfinite(z))
            return;
        lowest = any ? std::min(lowest, z - reference) : z - reference;
        highest = any ? std::max(highest, z - reference) : z - reference;
        any = true;
    };
    for (int i = 0; i < n; ++i) {
        add(beam.GetRegion(i)->top);
        add(beam.GetRegion(i)->bottom);
    }
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i)
        add(beam.GetLongLayer(i, 0)->z);
    for (int i = 0; i < beam.GetTransLayerCount(2); ++i) {
        add(beam.GetTransLayer(i, 2)->disttop);
        add(beam.GetTransLayer(i, 2)->distbot);
    }
    for (const TDepthTable* table :
         {&beam.GetPositionVariable(kShrinkTherm), &beam.GetStrainDiscontinuityTable()})
        for (int i = 0; i < table->GetCount(); ++i)
            add(table->GetDepth(i));
    const double largest = LargestSectionValue(ukSectionLength);
    low = std::max(highest - largest, -largest);
    high = std::min(lowest + largest, largest);
    return true;
}
