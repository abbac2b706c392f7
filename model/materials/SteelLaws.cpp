#include "model/materials/SteelLaws.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "foundation/Reporter.h"
#include "model/materials/UserCurves.h"

namespace {

constexpr double kMaxSteelStrain = 100.0;
constexpr double kStrandCrushStrain = -0.006;
// Tolerance by which a stress may lie above the unloading line before it is brought onto it.
constexpr double kUnloadingTolerance = 1.0;
// Stresses of a bar at a crack above this count as rupture.
constexpr double kCrackRuptureStress = 3.11e31;

double SignOf(double x)
{
    return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

// Some resistance factor below 1: stresses are capped at fy before the factor.
bool YieldCapActive(const ResistanceFactors& f)
{
    return std::fabs(f.phi_c) + std::fabs(f.phi_s) + std::fabs(f.phi_p) < 3.0;
}

// Ramberg-Osgood strand law, no factor or cap: Es |e| (A + (1 - A) / D), D = (1 + (B|e|)^C)^(1/C).
struct StrandPoint {
    double stress = 0.0;
    double slope = 0.0;
    bool ruptured = false;
};

StrandPoint StrandLaw(const SteelTypeRec& rec, double e)
{
    StrandPoint p;
    const double ae = std::fabs(e);
    if (ae > rec.eu || e < kStrandCrushStrain) {
        p.ruptured = true;
        return p;
    }
    const double be = rec.B * ae;
    const double base = 1.0 + std::pow(be, rec.C);
    const double D = std::pow(base, 1.0 / rec.C);
    const double raw = rec.Es * ae * (rec.A + (1.0 - rec.A) / D);
    p.stress = SignOf(e) * std::min(rec.fu, raw);
    // The slope of the uncapped curve: the cap at fu is not taken into account, so the
    // strand keeps a small positive stiffness up to rupture.
    if (ae < 1e-6) {
        p.slope = rec.Es;
    } else {
        p.slope = rec.Es * (rec.A + (1.0 - rec.A) / D) -
                  rec.Es * (1.0 - rec.A) * rec.B * ae * std::pow(be, rec.C - 1.0) *
                      std::pow(base, 1.0 / rec.C - 1.0) / (D * D);
    }
    return p;
}

// Embedded-bar law of reinforcing steel (bars smeared in cracked concrete).
struct EmbeddedBar {
    double B = 0.0;
    double a = 1.0;
    double en = 0.0;
};

EmbeddedBar EmbeddedBarOf(const SteelTypeRec& rec)
{
    const double key = std::trunc(rec.fy);
    const HsuDataEntry* entry = &HsuDataTable[0];
    if (static_cast<double>(HsuDataTable[1].fyKey) == key)
        entry = &HsuDataTable[1];
    else if (static_cast<double>(HsuDataTable[2].fyKey) == key)
        entry = &HsuDataTable[2];
    // The callers bound the ratio below by 0.0001; a ratio of zero would divide by zero.
    const double rho = std::max(entry->rho, 0.0001);
    const double fcr = std::max(entry->fcr, 0.0);
    EmbeddedBar bar;
    bar.B = std::pow(fcr / (rec.fy + 0.1), 1.5) / rho;
    bar.a =
        entry->mode == 16.0 ? 1.0 : std::max(0.1, 1.0 - (2.0 - entry->angle / 45.0) / 1000.0 / rho);
    bar.en = std::max(0.0, (rec.fy / rec.Es) * (0.93 - 2.0 * bar.B) * bar.a);
    return bar;
}

// The stress law of the record's kind before unloading, cap and factor.
struct LawPoint {
    double stress = 0.0;
    double slope = 0.0;
    bool ruptured = false;
    bool unloads = true; // the unloading rule applies
};

LawPoint ReinforcingLaw(const SteelTypeRec& rec, double e)
{
    LawPoint p;
    const double ae = std::fabs(e);
    if (g_HsuEmbeddedSteel) {
        const EmbeddedBar bar = EmbeddedBarOf(rec);
        if (ae > rec.er) {
            p.ruptured = true;
        } else if (ae < bar.en) {
            p = {rec.Es * e, rec.Es, false, true};
        } else {
            const double k = (0.02 + 0.25 * bar.B) * rec.Es / (rec.fy + 0.1);
            const double raw = rec.fy * bar.a * ((0.91 - 2.0 * bar.B) + k * ae);
            p.stress = SignOf(e) * std::clamp(raw, -rec.fu, rec.fu);
            // The slope of the bilinear law up to eu, the bound at fu not taken into account.
            if (ae <= rec.eu)
                p.slope = (0.02 + 0.25 * bar.B) * rec.Es * bar.a;
        }
        return p;
    }
    if (ae < rec.fy / rec.Es) {
        p = {rec.Es * e, rec.Es, false, true};
    } else if (ae < rec.esh) {
        p.stress = SignOf(e) * rec.fy;
    } else if (ae < rec.er) {
        const double span = rec.esh - rec.eu;
        const double K = span != 0.0 ? (rec.fy - rec.fu) / (span * span) : 0.0;
        p.stress = SignOf(e) * (rec.fu + K * (ae - rec.eu) * (ae - rec.eu));
        // 2 (fu - fy) ||e| - eu| / (eu - esh)^2: the same for either sign of e, and kept
        // positive past eu so that a bar short of rupture still counts as stiff.
        p.slope = -2.0 * K * std::fabs(ae - rec.eu);
    } else {
        p.ruptured = true;
    }
    return p;
}

LawPoint UserCurveLaw(const SteelTypeRec& rec, double e, double e0)
{
    LawPoint p;
    if (!rec.userCurve) {
        const double line = rec.Es * (e - e0);
        p.stress = std::min(rec.fy, std::max(line, 0.0));
        p.slope = (line > 0.0 && line < rec.fy) ? rec.Es : 0.0;
        p.unloads = false;
        return p;
    }
    const TDepthTable& curve = *rec.userCurve;
    const double ae = std::fabs(e);
    const double v = curve.InterpolateAtDepth(ae);
    if (v == 0.0 && e != 0.0) {
        p.ruptured = true;
        p.slope = curve.SlopeAtDepth(ae);
        return p;
    }
    p.stress = SignOf(e) * v;
    p.slope = curve.SlopeAtDepth(ae);
    return p;
}

LawPoint SteelLaw(const SteelTypeRec& rec, double e, double e0)
{
    switch (rec.kind) {
    case SteelKind::Reinforcing:
        return ReinforcingLaw(rec, e);
    case SteelKind::Prestressing: {
        const StrandPoint s = StrandLaw(rec, e);
        LawPoint p;
        p.stress = s.stress;
        p.slope = s.slope;
        p.ruptured = s.ruptured;
        return p;
    }
    case SteelKind::UserCurve:
        return UserCurveLaw(rec, e, e0);
    default: {
        LawPoint p;
        p.unloads = false;
        return p;
    }
    }
}

enum class Unloading { None, OnLine, Held };

// Keeps a stress within the unloading line Es (e - e0) and the yield stress of the other sign.
Unloading ApplyUnloading(const SteelTypeRec& rec, double e, double e0, double& s)
{
    const double line = rec.Es * (e - e0);
    Unloading state = Unloading::None;
    if (s > 0.0) {
        if (s > line + kUnloadingTolerance) {
            s = line;
            state = Unloading::OnLine;
        }
        if (s < -rec.fy) {
            s = -rec.fy;
            state = Unloading::Held;
        }
    } else {
        if (s < line) {
            s = line;
            state = Unloading::OnLine;
        }
        if (s > rec.fy) {
            s = rec.fy;
            state = Unloading::Held;
        }
    }
    return state;
}

// Steps of SteelStress before the factor; answers kUndefined for a ruptured bar.
double UnfactoredStress(const SteelTypeRec& rec, double e, double e0, const ResistanceFactors& factors)
{
    if (std::fabs(e) > kMaxSteelStrain)
        return 0.0;
    const LawPoint p = SteelLaw(rec, e, e0);
    if (p.ruptured)
        return kUndefined;
    double s = p.stress;
    if (p.unloads)
        ApplyUnloading(rec, e, e0, s);
    // A ruptured bar keeps its marker: the cap applies to stresses only.
    if (YieldCapActive(factors) && std::fabs(s) > rec.fy)
        s = SignOf(s) * rec.fy;
    return s;
}

namespace {

// The larger of a strain and the least one the law derives for it, where a strain within a
// document's rounding (ten digits of each value a ratio is made of) of that least counts as
// reaching it: a strain saved at fy / Es, read back, would otherwise be raised by the rounding
// of fy and Es, and change again at every save.
double AtLeastDerived(double strain, double least)
{
    constexpr double kDocumentRounding = 2e-9;
    return strain >= least - kDocumentRounding * std::fabs(least) ? strain : least;
}

} // namespace

void CheckReinforcing(SteelTypeRec& rec, bool reset)
{
    if (rec.fy == 0.0)
        rec.fy = MaterialDefaults.fy;
    rec.esh = AtLeastDerived(rec.esh, rec.fy / rec.Es);
    rec.eu = AtLeastDerived(rec.eu, rec.esh + 1e-6);
    rec.er = rec.esh + 1.5 * (rec.eu - rec.esh);
    rec.fu = std::max(rec.fu, rec.fy);
    if (rec.name.empty() || rec.name.size() > kSteelNameMaxChars)
        rec.name = "Steel 1";
    if (!reset) {
        const bool differs =
            std::fabs(rec.Es - 2e11) >= 1e7 || std::fabs(rec.esh - 0.007) >= 0.0001 ||
            std::fabs(rec.fu - 1.5 * rec.fy) >= 0.001 * rec.fy || std::fabs(rec.eu - 0.1) >= 1e-7;
        rec.nonDefault = differs ? 1 : 0;
    }
}

void CheckPrestressing(SteelTypeRec& rec, bool reset)
{
    // The strand law is evaluated below; its exponent must be valid first (1/C).
    rec.C = std::max(rec.C, 0.1);
    // The plain law: the resistance factor and the yield cap would shrink fu on every check.
    const StrandPoint atRupture = StrandLaw(rec, rec.eu);
    if (!atRupture.ruptured)
        rec.fu = std::min(rec.fu, atRupture.stress);
    // The strain at peak is at least the yield strain, of the yield this check gives the strand
    // (0.9 f_pu): a yield left from before (a document gives none) would raise it once more at
    // every check, and a type read back from its own document would not be the type saved.
    rec.fy = 0.9 * rec.fu;
    rec.eu = AtLeastDerived(rec.eu, rec.fy / rec.Es);
    rec.er = rec.eu;
    rec.esh = rec.fy / (rec.Es + 1.0);
    if (rec.name.empty() || rec.name.size() > kSteelNameMaxChars)
        rec.name = "PSteel";
    if (!reset) {
        const bool standard = std::fabs(rec.Es - 2e11) < 1e9 && std::fabs(rec.A - 0.025) < 0.0005 &&
                              std::fabs(rec.B - 118.0) < 1.0 && std::fabs(rec.eu - 0.043) < 0.0005;
        rec.nonDefault = standard ? 0 : 1;
    }
}

// The largest strain at which the curve still carries stress.
double LastLoadedStrain(const TDepthTable& curve)
{
    double last = 0.0;
    for (int i = 0; i < curve.GetCount(); ++i)
        if (curve.GetValue(i) != 0.0)
            last = std::max(last, curve.GetDepth(i));
    return last;
}

void CheckUserCurve(SteelTypeRec& rec)
{
    rec.nonDefault = 1;
    if (!rec.userCurve) {
        rec.userCurve.reset(std::make_unique<TDepthTable>("segmental rebar"));
        MakeDefaultSteelCurve(*rec.userCurve, MaterialDefaults.fy);
    }
    TDepthTable& curve = *rec.userCurve;
    CleanUserCurve(curve, true);
    const double rise = curve.InterpolateAtDepth(0.0005) - curve.InterpolateAtDepth(0.0);
    rec.Es = std::max(rise / 0.0005, 1000.0);
    int largest = -1;
    const double fmax = curve.MaxValue(largest);
    rec.fu = std::fabs(fmax);
    // A curve that carries no stress at all (a bar burnt out in a fire) has no strain at its
    // largest stress: its first zero would be the closing pair far beyond any strain (1e12).
    rec.eu = largest >= 0 && fmax > 0.0 ? curve.GetDepth(largest) : 0.0;
    double z = 0.0;
    double v = 0.0;
    rec.fy = curve.IntersectLine(rec.Es, -0.002 * rec.Es, z, v) ? v : rec.fu;
    // A curve that ends before the offset line reaches it (a brittle bar, or a steel that
    // ruptures within 0.2 % of plastic strain) is crossed only on its closing drop to zero,
    // the rupture: that stress is no proof stress, the bar carries fu.
    if (z > LastLoadedStrain(curve))
        rec.fy = rec.fu;
    rec.esh = curve.IntersectLine(0.0, 1.001 * rec.fy, z, v) ? z : rec.fy / rec.Es;
    rec.er = 0.0;
    bool found = false;
    for (int i = 0; i < curve.GetCount(); ++i) {
        if (curve.GetValue(i) > 0.01 * rec.fy && (!found || curve.GetDepth(i) > rec.er)) {
            rec.er = curve.GetDepth(i);
            found = true;
        }
    }
}

} // namespace

int CheckSteelType(SteelTypeRec& rec, bool reset)
{
    if (rec.fy < 1000.0)
        rec.fy = 1000.0;
    if (rec.kind == SteelKind::Prestressing && !reset) {
        if (std::fabs(rec.A) > kUndefined)
            rec.A = 0.025;
        if (std::fabs(rec.B) > kUndefined)
            rec.B = 118.0;
        if (std::fabs(rec.C) > kUndefined)
            rec.C = 10.0;
        if (std::fabs(rec.Es) > kUndefined)
            rec.Es = 2e11;
        if (std::fabs(rec.fy) > 1e11)
            rec.fy = 1.86e9;
        if (std::fabs(rec.fu) > 1e11)
            rec.fu = 1.86e9;
        if (rec.eu > kMaxStrandRuptureStrain)
            rec.eu = 0.043;
        rec.esh = rec.fy / (rec.Es + 1.0);
    }
    if (reset) {
        rec.Es = 2e11;
        if (rec.kind == SteelKind::Reinforcing) {
            rec.fu = 1.5 * rec.fy;
            rec.esh = 0.007;
            rec.eu = 0.1;
            rec.er = 0.1465;
        } else {
            rec.A = 0.025;
            rec.B = 118.0;
            rec.C = 10.0;
            rec.fu = rec.fy;
            rec.eu = rec.er = 0.043;
            rec.esh = rec.fy / (rec.Es + 1.0);
        }
        rec.reserved1 = rec.reserved2 = 0.0;
        rec.nonDefault = 0;
    }
    rec.Es = std::clamp(rec.Es, 1e6, 1e20);
    switch (rec.kind) {
    case SteelKind::Reinforcing:
        CheckReinforcing(rec, reset);
        break;
    case SteelKind::Prestressing:
        CheckPrestressing(rec, reset);
        break;
    case SteelKind::UserCurve:
        CheckUserCurve(rec);
        break;
    default:
        ShowMessage("Warning: Unidentified type of Reinforcement! Save File and reload",
                    "Materials Error");
        break;
    }
    return 1;
}

double SteelStress(const SteelTypeRec& rec, double e, double e0)
{
    return SteelStress(rec, e, e0, g_ResistanceFactors);
}

double SteelStress(const SteelTypeRec& rec, double e, double e0, const ResistanceFactors& factors)
{
    const double s = UnfactoredStress(rec, e, e0, factors);
    // The rupture marker is passed on as it is: scaled by a factor below 1 it would no
    // longer be the marker that callers compare against.
    if (s == kUndefined)
        return kUndefined;
    return s * GetSteelMaterialFactor(rec, factors);
}

double SteelTangentModulus(const SteelTypeRec& rec, double e, double e0, double s)
{
    if (std::fabs(e) > kMaxSteelStrain)
        return 0.0;
    const double factor = GetSteelMaterialFactor(rec);
    const LawPoint law = SteelLaw(rec, e, e0);
    if (s == kUndefined) {
        if (law.ruptured)
            return law.slope * factor;
        s = law.stress;
    }
    double tangent = law.slope;
    if (law.unloads) {
        switch (ApplyUnloading(rec, e, e0, s)) {
        case Unloading::OnLine:
            tangent = rec.Es;
            break;
        case Unloading::Held:
            tangent = 0.0;
            break;
        case Unloading::None:
            break;
        }
    }
    // The yield cap of reduced resistance factors does not change the tangent.
    return tangent * factor;
}

double SteelCrackStrainLimit(
    const SteelTypeRec& rec, double r, double a, double b, std::string_view barName)
{
    const char first = barName.empty() ? '\0' : barName.front();
    const double k = (first == 'S' || first == 's' || first == 'T' || first == 't') ? 0.625 : 1.0;
    const double m = r > 0.0 ? 0.014 * k / r : 2.0;
    return a + b * std::max(1.0, m) + (rec.esh - rec.fy / rec.Es);
}

double SteelStressAtCrack(
    const SteelTypeRec& rec, double r, double a, double b, double e0, std::string_view barName)
{
    const double el = SteelCrackStrainLimit(rec, r, a, b, barName);
    const double s = UnfactoredStress(rec, el, e0, g_ResistanceFactors);
    double answer = 0.0;
    if (el > rec.eu) {
        if (rec.fy / rec.Es > a + b)
            answer = rec.eu > a + b ? rec.fu : s;
        else
            answer = rec.er > el ? s : kUndefined;
    } else if (rec.fy < s && s < kCrackRuptureStress) {
        answer = s;
    } else if (s == kUndefined) {
        answer = rec.fu;
    } else {
        answer = rec.fy;
    }
    if (answer == kUndefined)
        return kUndefined;
    return answer * GetSteelMaterialFactor(rec);
}
