#include "views/MaterialCurves.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "charts/ChartExport.h"
#include "foundation/Reporter.h"
#include "foundation/Sentinel.h"
#include "foundation/StrFormat.h"
#include "foundation/Units.h"
#include "model/TStructure.h"
#include "model/materials/ConcreteLaws.h"
#include "model/materials/SteelLaws.h"

namespace {

// No curve loop runs longer than this, whatever the type's strains.
constexpr int kMaxCurvePoints = 1000;
// A sum of factors this far from 3 means the user works with factored materials.
constexpr double kFactoredTolerance = 0.05;
const ResistanceFactors kUnfactored{1.0, 1.0, 1.0};

struct Units {
    int system;
    double F(int kind) const { return UnitFactor(kind, system); }
    const char* L(int kind) const { return UnitLabel(kind, system); }
};

// Adds points and keeps, per polyline, the type that drew it.
class CurveBuilder {
public:
    explicit CurveBuilder(MaterialCurves& out) : m_out(out) {}
    void Begin(int type)
    {
        m_type = type;
        if (!m_out.data.empty()) {
            m_out.data.insert(m_out.data.end(), {kUndefined, kUndefined});
            m_out.polylineType.push_back(type);
        }
    }
    void Add(double x, double y)
    {
        if (m_out.data.empty())
            m_out.polylineType.push_back(m_type);
        m_out.data.insert(m_out.data.end(), {x, y});
    }

private:
    MaterialCurves& m_out;
    int m_type = 0;
};

// The points of a user curve from the third to the third-last, as magnitudes.
void AddUserCurve(CurveBuilder& b, const TDepthTable& curve, double fx, double fy)
{
    for (int i = 2; i <= curve.GetCount() - 3; ++i)
        b.Add(std::fabs(curve.GetDepth(i)) * fx, std::fabs(curve.GetValue(i)) * fy);
}

void AddConcreteCurve(CurveBuilder& b, const ConcreteTypeRec& type, const Units& u)
{
    if (type.baseCurve == BaseCurveCode::UserDefined) {
        if (type.userCurve)
            AddUserCurve(b, *type.userCurve, u.F(ukStrain), u.F(ukStress));
        return;
    }
    if (!(type.ec < 0.0))
        return;
    const double limit = 1.5 * std::fabs(type.ec);
    const double step = std::fabs(type.ec) / 24.0;
    double e = 0.0;
    for (int n = 0; e < limit && n < kMaxCurvePoints; ++n, e += step) {
        double fp = 0.0;
        const double s = ConcreteStress(type, {-e, 0.0, 0.0}, 1, fp, 1.0, 500.0, kUnfactored);
        b.Add(e * u.F(ukStrain), -s * u.F(ukStress));
    }
}

void AddRebarCurve(CurveBuilder& b, const SteelTypeRec& type, bool factored, const Units& u)
{
    const double F3 = u.F(ukStrain), F11 = u.F(ukLargeStress);
    const double ey = type.Es != 0.0 ? type.fy / type.Es : 0.0;
    b.Add(0.0, 0.0);
    b.Add(ey * F3, type.fy * F11);
    if (type.esh > ey)
        b.Add(type.esh * F3, type.fy * F11);
    if (factored) {
        b.Add(type.eu * F3, type.fy * F11);
        return;
    }
    // Without a hardening range (e_u not beyond e_sh) the curve ends on the plateau.
    const double step = (type.eu - type.esh) / 10.0;
    if (!(step > 0.0))
        return;
    double e = std::max(ey, type.esh);
    for (int n = 0; e < type.er && n < kMaxCurvePoints; ++n, e += step) {
        const double s = SteelStress(type, e, 0.0, kUnfactored);
        if (std::fabs(s) > kRupturedStress)
            break;
        b.Add(e * F3, s * F11);
    }
}

void AddStrandCurve(CurveBuilder& b, const SteelTypeRec& type, const Units& u)
{
    const double step = type.er / 24.0;
    double e = 0.0;
    for (int n = 0; e < type.er && n < kMaxCurvePoints; ++n, e += step) {
        const double s = SteelStress(type, e, 0.0, kUnfactored);
        if (std::fabs(s) > kRupturedStress)
            break;
        b.Add(e * u.F(ukStrain), s * u.F(ukLargeStress));
    }
}

// The concrete type written on the axes: the only used one, or the strongest of several,
// with the flag set when it also has the largest peak strain (first of equals each time).
void ChooseLabelledConcrete(const MaterialTypeCopies& t, MaterialCurves& c)
{
    const std::vector<int> used = t.UsedTypes();
    c.labelledConcrete = 0;
    c.peakStrainFlag = 0;
    if (used.size() == 1) {
        c.labelledConcrete = t.mainConcrete >= 0 ? t.mainConcrete : used[0];
        c.peakStrainFlag = 1;
        return;
    }
    if (used.empty())
        return;
    int strongest = used[0], widest = used[0];
    for (const int i : used) {
        const ConcreteTypeRec& r = t.concrete[static_cast<std::size_t>(i)];
        if (std::fabs(r.fc) > std::fabs(t.concrete[static_cast<std::size_t>(strongest)].fc))
            strongest = i;
        if (std::fabs(r.ec) > std::fabs(t.concrete[static_cast<std::size_t>(widest)].ec))
            widest = i;
    }
    c.labelledConcrete = strongest;
    c.peakStrainFlag = strongest == widest ? 1 : 0;
}

int CheckedIndex(int i, int count, const char* what)
{
    if (i >= 0 && i < count)
        return i;
    if (count > 0)
        ShowMessage(StrPrintf("%s type %d is not one of the %d types of the section.", what, i, count),
                    "Index Guard", MsgStyle::IconExclamation);
    return -1;
}

} // namespace

// ---- Copies ---------------------------------------------------------------------------------

MaterialTypeCopies MaterialTypeCopies::Of(const TStructure& s, int kind)
{
    MaterialTypeCopies t;
    t.kind = kind;
    if (kind == MaterialChart::Concrete) {
        const int n = std::max(0, s.GetConcreteTypeCount());
        for (int i = 0; i < n; ++i) {
            const ConcreteTypeRec* r = s.GetConcreteType(i);
            t.concrete.push_back(r ? *r : ConcreteTypeRec{});
            t.concreteUsed.push_back(r && s.IsConcreteTypeUsed(i) ? 1 : 0);
        }
        t.mainConcrete = CheckedIndex(s.GetMainConcreteType(), n, "Concrete");
        return t;
    }
    const int n = std::max(0, s.GetSteelTypeCount());
    for (int i = 0; i < n; ++i) {
        const SteelTypeRec* r = s.GetSteelType(i);
        t.steel.push_back(r ? *r : SteelTypeRec{});
        t.steelUsed.push_back(r && s.IsSteelTypeUsed(i) ? 1 : 0);
    }
    t.mainSteel = CheckedIndex(s.GetMainSteelType(), n, "Steel");
    return t;
}

bool MaterialTypeCopies::Shows(const SteelTypeRec& type) const
{
    if (kind == MaterialChart::Rebar)
        return type.kind == SteelKind::Reinforcing || type.kind == SteelKind::UserCurve;
    return kind == MaterialChart::PSteel && type.kind == SteelKind::Prestressing;
}

std::vector<int> MaterialTypeCopies::UsedTypes() const
{
    std::vector<int> out;
    if (kind == MaterialChart::Concrete) {
        for (std::size_t i = 0; i < concrete.size(); ++i)
            if (concreteUsed[i])
                out.push_back(static_cast<int>(i));
        return out;
    }
    for (std::size_t i = 0; i < steel.size(); ++i)
        if (steelUsed[i] && Shows(steel[i]))
            out.push_back(static_cast<int>(i));
    return out;
}

int MaterialCurves::Count(int kind) const
{
    if (kind == MaterialChart::Concrete)
        return concreteCurves;
    return kind == MaterialChart::Rebar ? rebarCurves : prestressCurves;
}

// ---- Curves ---------------------------------------------------------------------------------

MaterialCurves BuildMaterialCurves(const MaterialTypeCopies& t, const ResistanceFactors& inForce, int unitSystem)
{
    MaterialCurves c;
    CurveBuilder b(c);
    const Units u{unitSystem};
    const bool factored =
        std::fabs(inForce.phi_c + inForce.phi_s + inForce.phi_p - 3.0) > kFactoredTolerance;
    for (const int i : t.UsedTypes()) {
        b.Begin(i);
        if (t.kind == MaterialChart::Concrete) {
            ++c.concreteCurves;
            AddConcreteCurve(b, t.concrete[static_cast<std::size_t>(i)], u);
            continue;
        }
        const SteelTypeRec& s = t.steel[static_cast<std::size_t>(i)];
        if (s.kind == SteelKind::Prestressing) {
            ++c.prestressCurves;
            AddStrandCurve(b, s, u);
        } else if (s.kind == SteelKind::UserCurve) {
            ++c.rebarCurves;
            if (s.userCurve)
                AddUserCurve(b, *s.userCurve, u.F(ukStrain), u.F(ukLargeStress));
            else
                ShowMessage("Error in segmental rebar", "Materials Error");
        } else {
            ++c.rebarCurves;
            AddRebarCurve(b, s, factored, u);
        }
    }
    if (t.kind == MaterialChart::Concrete)
        ChooseLabelledConcrete(t, c);
    return c;
}

// ---- Type values ----------------------------------------------------------------------------

TypeValueText TypeValue(const MaterialTypeCopies& t, int type, int mode, double strain,
                        const ResistanceFactors& inForce, int unitSystem)
{
    const Units u{unitSystem};
    const char* factored = inForce.phi_c < 1.0 ? "Factored" : "";
    TypeValueText out;
    if (t.kind == MaterialChart::Concrete) {
        const ConcreteTypeRec& r = t.concrete.at(static_cast<std::size_t>(type));
        if (mode == 0) {
            out.text = StrPrintf("Initial %s Tangent Stiffness: %5.0f %s", factored, r.Ec * u.F(ukLargeStress),
                                 u.L(ukLargeStress));
            out.caption = "Concrete Stiffness";
            return out;
        }
        double fp = 0.0;
        const double s = ConcreteStress(r, {-strain, 0.0, 0.0}, 1, fp, 1.0, 500.0, inForce);
        out.text = StrPrintf("Concrete strain %5.2f %s, Stress = %5.2f %s", std::fabs(strain) * u.F(ukStrain),
                             u.L(ukStrain), std::fabs(s) * u.F(ukStress), u.L(ukStress));
        out.caption = "Stress Calculator";
        return out;
    }
    const SteelTypeRec& r = t.steel.at(static_cast<std::size_t>(type));
    if (mode == 0) {
        out.text = StrPrintf("Initial %s Tangent Stiffness: %5.0f %s", factored, r.Es * u.F(ukLargeStress),
                             u.L(ukLargeStress));
        out.caption =
            t.kind == MaterialChart::Rebar ? "Reinforcment Stiffness" : "Prestressed Reinforcment Stiffness";
        return out;
    }
    const double s = SteelStress(r, strain, 0.0, inForce);
    out.caption = "Stress Calculator";
    if (std::fabs(s) > kRupturedStress) {
        out.text = StrPrintf("Reinforcement strain %5.2f %s, Rupture ", strain * u.F(ukStrain), u.L(ukStrain));
        return out;
    }
    const char* format = unitSystem == kUnitUS ? "Reinforcement strain %5.2f %s, Stress = %5.2f %s"
                                               : "Reinforcement strain %5.2f %s, Stress = %5.0f %s";
    out.text = StrPrintf(format, strain * u.F(ukStrain), u.L(ukStrain), s * u.F(ukLargeStress),
                         u.L(ukLargeStress));
    return out;
}

TypeValueTargets TypeValueTargetsOf(const MaterialTypeCopies& t, const MaterialCurves& c)
{
    using Shape = TypeValueTargets::Shape;
    TypeValueTargets out;
    const std::vector<int> used = t.UsedTypes();
    const int curves = c.Count(t.kind);
    if (curves == 1 && !used.empty()) {
        // The one type drawn, which for concrete is also the main type.
        out.shape = Shape::Single;
        out.types = {used[0]};
    } else if (t.kind == MaterialChart::Concrete ? t.concrete.size() >= 2 : curves >= 2) {
        out.shape = Shape::Report;
        out.types = used;
    }
    return out;
}

std::string TypeValueReport(const MaterialTypeCopies& t, const std::vector<int>& list, int mode, double strain,
                            const ResistanceFactors& inForce, int unitSystem)
{
    std::string text = mode == 0 ? "Initial tangent Stiffness:\r\n" : "Stress Calculator:\r\n";
    text += "==================\r\n\r\nValues for each type listed below\r\n\r\n";
    const int base = t.kind == MaterialChart::Concrete ? t.mainConcrete : t.mainSteel;
    for (const int i : list) {
        const std::string& name = t.kind == MaterialChart::Concrete ? t.concrete.at(static_cast<std::size_t>(i)).name
                                                                    : t.steel.at(static_cast<std::size_t>(i)).name;
        text += "Type \"" + name + "\":\r\n " + TypeValue(t, i, mode, strain, inForce, unitSystem).text + " " +
                (i == base ? "(Base type)" : "") + "\r\n";
    }
    return text;
}

// ---- Dump -----------------------------------------------------------------------------------

namespace {

constexpr std::array<const char*, 5> kBaseCurveLines = {
    "Concrete Base Curve: Linear\r\n", "Concrete Base Curve: Parabolic\r\n",
    "Concrete Base Curve: Popovics/Thorenfeldt/Hawmere\r\n", "Concrete Base Curve: Elasto-Plastic\r\n",
    "Concrete Base Curve: Segmental\r\n"};

constexpr std::array<const char*, 19> kSofteningLines = {
    "Concrete Compression Softening: None\r\n",
    "Concrete Compression Softening: Vantrio-Hawmere 1982\r\n",
    "Concrete Compression Softening: Vantrio-Hawmere 1986\r\n",
    "Concrete Compression Softening: Vantrio-Hawmere 1992-A\r\n",
    "Concrete Compression Softening: Unsupported Method\r\n",
    "Concrete Compression Softening: Vantrio-Hawmere 1992-B\r\n",
    "Concrete Compression Softening: Mehlhorn et al\r\n",
    "Concrete Compression Softening: Maekawa et al\r\n",
    "Concrete Compression Softening: Noguchi et al\r\n",
    "Concrete Compression Softening: Belarbi-Hsu Proportional\r\n",
    "Concrete Compression Softening: CAN CSA A23.3 M84\r\n",
    "Concrete Compression Softening: Compression Field Theory 1978\r\n",
    "Concrete Compression Softening: Kaufmann-Marti 1998\r\n",
    "Concrete Compression Softening: Porasz-Hawmere 1988\r\n",
    "Concrete Compression Softening: Zhang-Hsu 1997 for FA-STM\r\n",
    "Concrete Compression Softening: Hsu 1993\r\n",
    "Concrete Compression Softening: Zhu/Hsu/Lee 2001\r\n",
    "Concrete Compression Softening: Zhang-Hsu 1998 for RA-STM\r\n",
    "Concrete Compression Softening: Hawmere-Kelst 2011\r\n"};

constexpr std::array<const char*, 8> kTensionStiffeningLines = {
    "Concrete Tension Stiffening: None\r\n",
    "Concrete Tension Stiffening: Vantrio-Hawmere 1982\r\n",
    "Concrete Tension Stiffening: Hawmere-Mitchell 1987\r\n",
    "Concrete Tension Stiffening: Izumo et al\r\n",
    "Concrete Tension Stiffening: Tamai et al 1987\r\n",
    "Concrete Tension Stiffening: Stuart Oliver \r\n",
    "Concrete Tension Stiffening: Elasto-Plastic\r\n",
    "Concrete Tension Stiffening: Kelst-1999\r\n"};

// The line of a model code; a code outside its table adds nothing.
template <std::size_t N> const char* CodeLine(const std::array<const char*, N>& table, int code)
{
    return code >= 0 && code < static_cast<int>(N) ? table[static_cast<std::size_t>(code)] : "";
}

// Format by unit system: SI, US customary, the others.
const char* BySystem(int system, const char* si, const char* us, const char* other)
{
    return system == kUnitSI ? si : (system == kUnitUS ? us : other);
}

void ConcreteLines(std::string& text, const ConcreteTypeRec& r, const Units& u)
{
    const int sys = u.system;
    text += "\r\nConcrete Type: " + r.name + "\r\n\r\n";
    text += StrPrintf(sys == kUnitSI ? "Cylinder Strength: %5.1f %s\r\n" : "Cylinder Strength: %5.0f %s\r\n",
                      std::fabs(r.fc) * u.F(ukStress), u.L(ukStress));
    const char* tensile = r.ftAuto ? BySystem(sys, "Tensile Strength (auto): %5.2f %s\r\n",
                                              "Tensile Strength (auto): %5.0f %s\r\n",
                                              "Tensile Strength (auto): %5.1f %s\r\n")
                                   : BySystem(sys, "Tensile Strength: %5.2f %s\r\n", "Tensile Strength: %5.0f %s\r\n",
                                              "Tensile Strength: %5.1f %s\r\n");
    text += StrPrintf(tensile, r.ft * u.F(ukStress), u.L(ukStress));
    text += StrPrintf("Cracking Strain: %5.3f %s\r\n", r.ecr * u.F(ukStrain), u.L(ukStrain));
    text += StrPrintf(r.ecAuto ? "Strain at peak stress (auto): %5.2f %s\r\n" : "Strain at peak stress: %5.2f %s\r\n",
                      std::fabs(r.ec) * u.F(ukStrain), u.L(ukStrain));
    text += StrPrintf("Initial tangent Stiffness: %5.1f %s\r\n", r.Ec * u.F(ukLargeStress), u.L(ukLargeStress));
    text += StrPrintf("Tension stiffening factor: %5.2f \r\n", r.tsFactor);
    const bool si = sys == kUnitSI;
    text += StrPrintf(si ? "Maximum aggregate size: %5.0f %s\r\n" : "Maximum aggregate size: %5.2f %s\r\n",
                      r.aggregate * u.F(ukSectionLength), u.L(ukSectionLength));
    text += StrPrintf(si ? "Effective maximum aggregate size: %5.0f %s\r\n"
                         : "Effective maximum aggregate size: %5.2f %s\r\n",
                      EffectiveAggregateSize(r.fc, r.aggregate) * u.F(ukSectionLength), u.L(ukSectionLength));
    text += CodeLine(kBaseCurveLines, r.baseCurve);
    text += CodeLine(kSofteningLines, r.softening);
    text += CodeLine(kTensionStiffeningLines, r.tensionStiffening);
    if (r.tensionStiffening == TensionStiffeningCode::StuartOliver)
        text += "Stuart Oliver Tension Stiffening Parameters\r\nNo Longer Supported";
    text += "\r\n";
    const int soft = r.softening;
    if (r.tensionStiffening == TensionStiffeningCode::Tamai1987 &&
        (soft == 9 || soft == 15 || soft == 16 || soft == 17))
        text += "Note that the Houston models are based on embedded steel relationships which have not been "
                "implemented.\r\n\r\n";
}

void RebarLines(std::string& text, const SteelTypeRec& r, const Units& u)
{
    const int sys = u.system;
    text += "\r\nReinforcement Type: " + r.name + "\r\n\r\n";
    text += StrPrintf(BySystem(sys, "Yield Stress: %5.0f %s\r\n", "Yield Stress: %5.1f %s\r\n",
                               "Yield Stress: %5.2f %s\r\n"),
                      r.fy * u.F(ukLargeStress), u.L(ukLargeStress));
    text += StrPrintf("Initial Elastic Modulus: %5.0f %s\r\n", r.Es * u.F(ukLargeStress), u.L(ukLargeStress));
    text += StrPrintf("Strain at strain hardening: %5.1f %s\r\n", r.esh * u.F(ukStrain), u.L(ukStrain));
    text += StrPrintf("Strain at maximum stress: %5.1f %s\r\n", r.eu * u.F(ukStrain), u.L(ukStrain));
    text += StrPrintf("Maximum strain with significant stress: %5.1f %s\r\n", r.er * u.F(ukStrain), u.L(ukStrain));
    text += StrPrintf(BySystem(sys, "Ultimate Stress: %5.0f %s\r\n\r\n", "Ultimate Stress: %5.1f %s\r\n\r\n",
                               "Ultimate Stress: %5.2f %s\r\n\r\n"),
                      r.fu * u.F(ukLargeStress), u.L(ukLargeStress));
}

void StrandLines(std::string& text, const SteelTypeRec& r, const Units& u)
{
    text += "\r\nReinforcement Type: " + r.name + "\r\n\r\n";
    if (u.system == kUnitOldMetric)
        text += StrPrintf("Ultimate Strength: %5.2f %s\r\n", r.fu * u.F(ukLargeStress), "t/cm^2");
    else
        text += StrPrintf("Ultimate Strength: %5.0f %s\r\n", r.fu * u.F(ukLargeStress), u.L(ukLargeStress));
    text += StrPrintf("Initial Elastic Modulus: %5.0f %s\r\n", r.Es * u.F(ukLargeStress), u.L(ukLargeStress));
    text += StrPrintf("Strain at maximum stress: %5.1f %s\r\n", r.eu * u.F(ukStrain), u.L(ukStrain));
    text += StrPrintf("Ramberg-Osgood Parameter A: %5.3f %s\r\n", r.A * u.F(ukNone), u.L(ukNone));
    text += StrPrintf("Ramberg-Osgood Parameter B: %5.1f %s\r\n", r.B * u.F(ukNone), u.L(ukNone));
    text += StrPrintf("Ramberg-Osgood Parameter C: %5.1f %s\r\n\r\n", r.C * u.F(ukNone), u.L(ukNone));
}

} // namespace

std::string MaterialDump(const MaterialTypeCopies& t, const std::vector<double>& data, const std::string& xFormat,
                         const std::string& yFormat, int unitSystem)
{
    const Units u{unitSystem};
    std::string text;
    switch (t.kind) {
    case MaterialChart::Concrete:
        text = "  Concrete Material Type Information\r\n  ===========================\r\n";
        break;
    case MaterialChart::Rebar:
        text = "  Reinforcement Material Type Information\r\n  ===============================\r\n";
        break;
    default:
        text = "  Prestressed Reinforcement Material Information\r\n  =====================================\r\n";
        break;
    }
    for (const int i : t.UsedTypes()) {
        if (t.kind == MaterialChart::Concrete)
            ConcreteLines(text, t.concrete[static_cast<std::size_t>(i)], u);
        else if (t.kind == MaterialChart::Rebar)
            RebarLines(text, t.steel[static_cast<std::size_t>(i)], u);
        else
            StrandLines(text, t.steel[static_cast<std::size_t>(i)], u);
    }
    text += "Stress Strain curves of each type in order below\r\n\r\n";
    text += StrPrintf(" Strain (%s) Stress (%s)\r\n\r\n", u.L(ukStrain),
                      u.L(t.kind == MaterialChart::Concrete ? ukStress : ukLargeStress));
    const std::string line =
        StrPrintf("   %s   \t   %s\r\n", ChartExportFormat(xFormat).c_str(), ChartExportFormat(yFormat).c_str());
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const double x = data[i], y = data[i + 1];
        if (x > 1e30 && y > 1e30)
            text += "\r\nNext type\r\n\r\n";
        else if (x > 1e30)
            text += StrPrintf("Line type : %1.0f\r\n", y);
        else
            text += StrPrintf(line.c_str(), x, y);
    }
    return text;
}
