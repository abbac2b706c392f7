#include "dialogs/DefinitionFields.h"

#include <algorithm>
#include <cmath>

#include "foundation/NameText.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"
#include "model/ShellLoadScale.h"
#include "model/TBeam.h"
#include "model/TStructure.h"
#include "model/ValueLimits.h"
#include "model/materials/MaterialTypes.h"

namespace {

constexpr double kCentroidal = 3.1415626e31;  // a moment axis above 1e30
constexpr double kAutomaticSpacing = -1.0;
constexpr double kDaysPerYear = 365.0;
constexpr double kFactorTolerance = 0.01;
constexpr double kLoadTolerance = 0.0001;  // a change that marks the structure modified
constexpr double kMinFactor = 0.01, kMaxFactor = 10.0;
// What the beam keeps of a typed crack spacing and moment axis (m).
constexpr double kMaxCrackSpacing = 500.0;
constexpr double kMaxMomentAxis = 1000.0;

const TypedRange kForceRange{-kMaxTypedForce, kMaxTypedForce, ukForce};
const TypedRange kMomentRange{-kMaxTypedMoment, kMaxTypedMoment, ukMoment};

// Reads field i of a dialog into value; false (and the refusal filled) when refused.
bool Take(TypedRefusal& refusal, int field, const std::string& text, const char* name, const TypedRange& range,
          double& value)
{
    if (refusal)
        return false;
    std::string message = ReadTypedValue(text, name, range, value);
    if (message.empty())
        return true;
    refusal = {field, std::move(message)};
    return false;
}

// The refusal, if any, of a dialog's typed fields, read by the dialog's own reader and
// nothing stored.
template <class Fields, std::size_t N>
TypedRefusal RefusalOf(bool (*read)(const Fields&, double (&)[N], TypedRefusal&), const Fields& typed)
{
    double values[N] = {};
    TypedRefusal refusal;
    read(typed, values, refusal);
    return refusal;
}

// The stored value times the factor of the unit it is shown in.
std::string ShownTimes(double stored, double factor, const char* format, int decimals)
{
    return StrPrintf(format, UnsignedZero(stored * factor, decimals));
}

std::string Shown(double stored, int kind, const char* format, int decimals)
{
    return ShownTimes(stored, UnitFactor(kind), format, decimals);
}

} // namespace

// ---- Loads ----------------------------------------------------------------------------------

namespace {

// How the three rows are shown and typed: shown = stored x factor, in the unit named. A beam's
// N, M and V are a force, a moment and a force. A membrane element's N_xx, N_yy and N_xy set the
// stresses the analysis applies, kShellLoadStressScale times the stored values in Pa, so they are
// shown and typed in the stress unit the element's results are reported in: -0.5 typed is applied
// as -0.5 MPa (psi, kg/cm^2). In SI units the factor is 0.001, the factor of a force per length.
struct LoadUnit {
    double factor;
    std::string label;
};

std::array<LoadUnit, 3> LoadUnits(bool membrane)
{
    if (membrane) {
        const LoadUnit stress{UnitFactor(ukStress) * kShellLoadStressScale, UnitLabel(ukStress)};
        return {stress, stress, stress};
    }
    return {LoadUnit{UnitFactor(ukForce), UnitLabel(ukForce)},
            LoadUnit{UnitFactor(ukMoment), UnitLabel(ukMoment)},
            LoadUnit{UnitFactor(ukForce), UnitLabel(ukForce)}};
}

} // namespace

std::array<std::string, 3> LoadRowNames(const TStructure* s)
{
    if (s != nullptr && s->GetKind() == kKindShell)
        return {"N_xx", "N_yy", "N_xy"};
    return {"Axial Load", "Moment", "Shear"};
}

LoadFields ShowLoads(const TStructure& s)
{
    double constant[3] = {}, increment[3] = {};
    s.GetConstantLoads(constant, 3);
    s.GetIncrementLoads(increment, 3);
    const std::array<LoadUnit, 3> units = LoadUnits(s.GetKind() == kKindShell);
    LoadFields f;
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        f.values[k] = ShownTimes(constant[i], units[k].factor, "%6.2f", 2);
        f.values[k + 3] = ShownTimes(increment[i], units[k].factor, "%6.2f", 2);
        f.units[k] = units[k].label;
    }
    return f;
}

namespace {

// The six loads in stored units; false with the refusal when one is refused. A membrane
// element's range is the stored one, kMaxTypedForce either way, given in the unit shown.
bool ReadLoads(const std::array<std::string, 6>& typed,
               bool membrane,
               double (&values)[6],
               TypedRefusal& refusal)
{
    static const char* const kBeamNames[6] = {"Constant Axial Load",
                                              "Constant Moment",
                                              "Constant Shear",
                                              "Increment of Axial Load",
                                              "Increment of Moment",
                                              "Increment of Shear"};
    static const char* const kMembraneNames[6] = {"Constant N_xx",
                                                  "Constant N_yy",
                                                  "Constant N_xy",
                                                  "Increment of N_xx",
                                                  "Increment of N_yy",
                                                  "Increment of N_xy"};
    if (!membrane) {
        for (int i = 0; i < 6; ++i)
            if (!Take(refusal,
                      i,
                      typed[static_cast<std::size_t>(i)],
                      kBeamNames[i],
                      i % 3 == 1 ? kMomentRange : kForceRange,
                      values[i]))
                return false;
        return true;
    }
    const LoadUnit unit = LoadUnits(true)[0];
    const TypedRange shownRange{-kMaxTypedForce * unit.factor,
                                kMaxTypedForce * unit.factor,
                                ukNone,
                                unit.label};
    for (int i = 0; i < 6; ++i) {
        double shown = 0.0;
        if (!Take(refusal,
                  i,
                  typed[static_cast<std::size_t>(i)],
                  kMembraneNames[i],
                  shownRange,
                  shown))
            return false;
        values[i] = shown / unit.factor;
    }
    return true;
}

bool ReadBeamLoads(const std::array<std::string, 6>& typed,
                   double (&values)[6],
                   TypedRefusal& refusal)
{
    return ReadLoads(typed, false, values, refusal);
}

bool ReadMembraneLoads(const std::array<std::string, 6>& typed,
                       double (&values)[6],
                       TypedRefusal& refusal)
{
    return ReadLoads(typed, true, values, refusal);
}

} // namespace

TypedRefusal CheckLoads(const std::array<std::string, 6>& typed)
{
    return RefusalOf(ReadBeamLoads, typed);
}

TypedRefusal CheckLoads(const TStructure& s, const std::array<std::string, 6>& typed)
{
    return RefusalOf(s.GetKind() == kKindShell ? ReadMembraneLoads : ReadBeamLoads, typed);
}

int ApplyLoads(TStructure& s, const std::array<std::string, 6>& typed)
{
    double values[6] = {};
    TypedRefusal refusal;
    if (!ReadLoads(typed, s.GetKind() == kKindShell, values, refusal))
        return 0;
    double oldConstant[3] = {}, oldIncrement[3] = {};
    s.GetConstantLoads(oldConstant, 3);
    s.GetIncrementLoads(oldIncrement, 3);
    // A field left as shown keeps the stored value (the field shows it rounded); a typed zero
    // is stored as +0, also through a negative unit factor.
    const LoadFields shown = ShowLoads(s);
    const auto value = [&](std::size_t k, double stored) { return typed[k] == shown.values[k] ? stored : values[k] + 0.0; };
    double constant[3], increment[3];
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        constant[i] = value(k, oldConstant[i]);
        increment[i] = value(k + 3, oldIncrement[i]);
    }
    s.SetConstantLoads(constant, 3);
    s.SetIncrementLoads(increment, 3);
    double now[6] = {};
    s.GetConstantLoads(now, 3);
    s.GetIncrementLoads(now + 3, 3);
    const double* old[2] = {oldConstant, oldIncrement};
    for (int i = 0; i < 6; ++i)
        if (std::fabs(now[i] - old[i / 3][i % 3]) > kLoadTolerance)
            return 1;
    return 0;
}

// ---- General definitions --------------------------------------------------------------------

GeneralFields ShowGeneral(const TStructure& s)
{
    GeneralFields f;
    f.name = s.GetName();
    f.date = s.GetDate();
    f.author = s.GetDoneBy();
    f.lengthUnit = UnitLabel(ukSectionLength);
    f.axisLabel = StrPrintf("%s from bottom", UnitLabel(ukSectionLength));
    const auto spacing = [&](int direction, bool& automatic, std::string& text) {
        // Validation puts the worked-out spacing in place of the automatic mark; it is
        // still automatic.
        const double v = s.GetCrackSpacing(direction);
        automatic = v < 0.0 || s.IsCrackSpacingAuto(direction) != 0;
        text = automatic ? "Automatic" : StrPrintf("%6.1f", ToDisplayUnits(v, ukSectionLength));
    };
    spacing(0, f.longitudinalAuto, f.longitudinal);
    spacing(2, f.transverseAuto, f.transverse);
    const auto* beam = dynamic_cast<const TBeam*>(&s);
    f.hasAxis = beam != nullptr;
    const double axis = beam ? beam->GetMomentAxis() : kCentroidal;
    f.centroidal = axis > 1e30;
    f.axis = f.centroidal ? "Centroid" : StrPrintf("%6.1f", ToDisplayUnits(axis, ukSectionLength));
    return f;
}

bool IsAutomaticText(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::string word = text.substr(i, 4);
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return word == "AUTO";
}

namespace {

// A bound of the moment axis as the field shows it (tenths of the display unit), rounded
// into the range where it is no nearer to a tenth than the conversion's rounding.
std::string AxisBound(double stored, bool low)
{
    double tenths = ToDisplayUnits(stored, ukSectionLength) * 10.0;
    const double nearest = std::round(tenths);
    if (std::fabs(tenths - nearest) <= 1e-6)
        tenths = nearest;
    else
        tenths = low ? std::ceil(tenths) : std::floor(tenths);
    const double shown = UnsignedZero(tenths / 10.0, 1);
    return shown == std::trunc(shown) ? StrPrintf("%.0f", shown) : StrPrintf("%.1f", shown);
}

// A moment axis is refused where the datum would move a depth of the section farther from it
// than a document keeps (the beam holds the axis itself within +-kMaxMomentAxis first).
std::string UnheldAxisMessage(const TBeam& beam, double axis)
{
    double low = 0.0, high = 0.0;
    if (!HeldMomentAxisRange(beam, low, high))
        return {};
    const double held = std::clamp(axis, -kMaxMomentAxis, kMaxMomentAxis);
    const double slack = 1e-9 * kMaxMomentAxis;
    if (held >= low - slack && held <= high + slack)
        return {};
    const char* unit = UnitLabel(ukSectionLength);
    return StrPrintf("Moment Axis must be a number from %s to %s %s for this section: a section "
                     "keeps every depth "
                     "within %s %s of its moment axis.",
                     AxisBound(low, true).c_str(),
                     AxisBound(high, false).c_str(),
                     unit,
                     AxisBound(LargestSectionValue(ukSectionLength), false).c_str(),
                     unit);
}

// The two spacings and the axis in stored units (automatic and centroidal as stored). With the
// structure, an axis typed for a beam is refused where its section would lie farther from it
// than a document keeps.
bool ReadGeneralLengths(const GeneralFields& typed,
                        double (&values)[3],
                        TypedRefusal& refusal,
                        const TStructure* s = nullptr)
{
    const TypedRange spacing{0.0, kMaxCrackSpacing, ukSectionLength, {}, true};
    const TypedRange axis{-kMaxMomentAxis, kMaxMomentAxis, ukSectionLength, {}, true};
    values[0] = values[1] = kAutomaticSpacing;
    values[2] = kCentroidal;
    if (!typed.longitudinalAuto)
        Take(refusal, 3, typed.longitudinal, "Longitudinal Crack Spacing", spacing, values[0]);
    if (!typed.transverseAuto)
        Take(refusal, 4, typed.transverse, "Transverse Crack Spacing", spacing, values[1]);
    if (!typed.centroidal)
        Take(refusal, 5, typed.axis, "Moment Axis", axis, values[2]);
    const auto* beam = dynamic_cast<const TBeam*>(s);
    if (!refusal && beam != nullptr && !typed.centroidal) {
        // A field left as shown keeps the stored axis (ApplyGeneral), which the section holds.
        const GeneralFields shown = ShowGeneral(*beam);
        if (shown.centroidal || typed.axis != shown.axis) {
            std::string message = UnheldAxisMessage(*beam, values[2]);
            if (!message.empty())
                refusal = {5, std::move(message)};
        }
    }
    return !refusal;
}

} // namespace

TypedRefusal CheckGeneral(const GeneralFields& typed)
{
    double values[3] = {};
    TypedRefusal refusal;
    ReadGeneralLengths(typed, values, refusal);
    return refusal;
}

TypedRefusal CheckGeneral(const GeneralFields& typed, const TStructure& s)
{
    double values[3] = {};
    TypedRefusal refusal;
    ReadGeneralLengths(typed, values, refusal, &s);
    return refusal;
}

int ApplyGeneral(TStructure& s, const GeneralFields& typed)
{
    double lengths[3] = {};
    TypedRefusal refusal;
    if (!ReadGeneralLengths(typed, lengths, refusal, &s))
        return 0;
    int changed = 0;
    // Titles keep no control character (pasted text can bring one; a document could not carry it).
    changed |= s.SetName(NameText(typed.name)) != 0;
    changed |= s.SetDoneBy(NameText(typed.author)) != 0;
    changed |= s.SetDate(NameText(typed.date)) != 0;
    // A value shown and left as it was keeps its stored value (the field shows it rounded).
    const GeneralFields shown = ShowGeneral(s);
    const auto spacing = [&](bool automatic, const std::string& text, int direction, bool shownAuto,
                             const std::string& shownText, double value) {
        if (automatic == shownAuto && (automatic || text == shownText))
            return;
        changed |= s.SetCrackSpacing(value, direction) != 0;
    };
    spacing(typed.longitudinalAuto, typed.longitudinal, 0, shown.longitudinalAuto, shown.longitudinal, lengths[0]);
    spacing(typed.transverseAuto, typed.transverse, 2, shown.transverseAuto, shown.transverse, lengths[1]);
    if (auto* beam = dynamic_cast<TBeam*>(&s)) {
        if (typed.centroidal != shown.centroidal || (!typed.centroidal && typed.axis != shown.axis))
            changed |= beam->SetMomentAxis(lengths[2]) != 0;
    }
    return changed;
}

// ---- Long-term settings ---------------------------------------------------------------------

TimeFields ShowTime(const TBeam* beam)
{
    TimeFields f;
    f.momentUnit = UnitLabel(ukMoment);
    f.forceUnit = UnitLabel(ukForce);
    if (!beam)
        return f;
    int flag = 0;
    double days = 0.0, moment = 0.0, axial = 0.0;
    beam->GetTimeData(flag, days, moment, axial);
    f.consider = flag != 0;
    f.years = StrPrintf("%5.1f", days / kDaysPerYear);
    f.moment = Shown(moment, ukMoment, "%5.1f", 1);
    f.axial = Shown(axial, ukForce, "%5.1f", 1);
    return f;
}

namespace {

bool ReadTime(const TimeFields& typed, double (&values)[3], TypedRefusal& refusal)
{
    Take(refusal,
         0,
         typed.years,
         "Age for analysis",
         TypedRange{0.0, kMaxConcreteAgeYears, ukNone, "years"},
         values[0]);
    Take(refusal, 1, typed.moment, "Sustained Moment", kMomentRange, values[1]);
    Take(refusal, 2, typed.axial, "Sustained Axial Load", kForceRange, values[2]);
    return !refusal;
}

} // namespace

TypedRefusal CheckTime(const TimeFields& typed)
{
    return RefusalOf(ReadTime, typed);
}

int ApplyTime(TBeam& beam, const TimeFields& typed)
{
    double values[3] = {};
    TypedRefusal refusal;
    if (!ReadTime(typed, values, refusal))
        return 0;
    // A value shown and left as it was keeps its stored value (the field shows it rounded).
    int flag = 0;
    double stored[3] = {};
    beam.GetTimeData(flag, stored[0], stored[1], stored[2]);
    const TimeFields shown = ShowTime(&beam);
    const double days = typed.years == shown.years ? stored[0] : values[0] * kDaysPerYear;
    const double moment = typed.moment == shown.moment ? stored[1] : values[1];
    const double axial = typed.axial == shown.axial ? stored[2] : values[2];
    return beam.SetTimeData(typed.consider ? 1 : 0, days, moment, axial);
}

// ---- Preferences ----------------------------------------------------------------------------

PreferenceFields ShowPreferences()
{
    PreferenceFields f;
    f.unitRadio = g_UnitSystem == kUnitSI ? 0 : g_UnitSystem == kUnitUS ? 1 : 2;
    f.fileOverride = g_FileOverride != 0;
    const ResistanceFactors& r = g_ResistanceFactors;
    f.factors = {StrPrintf("%4.2f", r.phi_c), StrPrintf("%4.2f", r.phi_s), StrPrintf("%4.2f", r.phi_p)};
    return f;
}

std::array<std::string, 3> CsaFactorTexts() { return {"0.65", "0.85", "0.90"}; }
std::array<std::string, 3> NoFactorTexts() { return {"1.00", "1.00", "1.00"}; }

TypedRefusal CheckPreferences(const PreferenceFields& typed)
{
    static const char* const kNames[3] = {"Concrete Factor", "Steel Factor", "Prestress Factor"};
    const TypedRange factor{kMinFactor, kMaxFactor, ukNone, {}, true};
    TypedRefusal refusal;
    double v = 0.0;
    for (int i = 0; i < 3; ++i)
        Take(refusal, i, typed.factors[static_cast<std::size_t>(i)], kNames[i], factor, v);
    return refusal;
}

bool ApplyPreferences(const PreferenceFields& typed)
{
    if (CheckPreferences(typed))
        return false;
    // A program in the fourth unit system shows the kg/cm radio ticked; only a pressed
    // radio changes the system.
    if (typed.unitPressed)
        g_UnitSystem = typed.unitRadio == 0 ? kUnitSI : typed.unitRadio == 1 ? kUnitUS : kUnitOldMetric;
    g_FileOverride = typed.fileOverride ? 1 : 0;
    double* stored[3] = {&g_ResistanceFactors.phi_c, &g_ResistanceFactors.phi_s, &g_ResistanceFactors.phi_p};
    bool taken = false;
    for (std::size_t i = 0; i < 3; ++i) {
        const double v = TypedNumber(typed.factors[i]);
        if (std::fabs(v - *stored[i]) > kFactorTolerance) {
            *stored[i] = std::clamp(v, kMinFactor, kMaxFactor);
            taken = true;
        }
    }
    return taken;
}
