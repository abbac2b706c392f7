#include "files/report/SectionReport.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/codes/CodeStrength.h"
#include "analysis/codes/CodeStrengthReport.h"
#include "foundation/Diagnostics.h"
#include "foundation/StrFormat.h"
#include "foundation/TTextBuffer.h"
#include "foundation/Units.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "model/materials/MaterialTypes.h"

namespace {

// Each piece of the report is formatted in a scratch text of this room, as the code
// strength summaries are.
constexpr std::size_t kScratchChars = 1023;

// A format with "~" completed for the active unit system; digits for SI, US, kg/cm.
std::string Fmt(const char* format, int si, int us, int metric)
{
    return setup_units(format, si, us, metric, g_UnitSystem);
}

double Shown(double value, int kind)
{
    return ToDisplayUnits(value, kind, g_UnitSystem);
}

const char* Label(int kind)
{
    return UnitLabel(kind, g_UnitSystem);
}

// Steel types that a longitudinal layer of x or a transverse layer of z refers to, in type
// order.
std::vector<int> UsedSteelTypes(const TStructure& s)
{
    std::vector<bool> used(static_cast<std::size_t>(s.GetSteelTypeCount()), false);
    const auto mark = [&used](int t) {
        if (t >= 0 && static_cast<std::size_t>(t) < used.size())
            used[static_cast<std::size_t>(t)] = true;
    };
    for (int i = 0; i < s.GetLongLayerCount(0); ++i)
        mark(s.GetLongLayer(i, 0)->type);
    for (int i = 0; i < s.GetTransLayerCount(2); ++i)
        mark(s.GetTransLayer(i, 2)->type);
    std::vector<int> types;
    for (std::size_t t = 0; t < used.size(); ++t) {
        if (used[t])
            types.push_back(static_cast<int>(t));
    }
    return types;
}

std::string SteelLine(const SteelTypeRec& steel, bool named)
{
    const char* label = Label(ukLargeStress);
    switch (steel.kind) {
    case SteelKind::Prestressing:
        return named ? StrPrintf("f_p_u (%s)= %5.0f %s\r\n",
                                 steel.name.c_str(),
                                 Shown(steel.fu, ukLargeStress),
                                 label)
                     : StrPrintf("f_p_u = %5.0f %s\r\n", Shown(steel.fu, ukLargeStress), label);
    case SteelKind::UserCurve:
        return StrPrintf("f_y_0_._2_%% = %5.0f %s\r\n", Shown(steel.fy, ukLargeStress), label);
    default:
        return named ? StrPrintf("f_y (%s)= %5.0f %s\r\n",
                                 steel.name.c_str(),
                                 Shown(steel.fy, ukLargeStress),
                                 label)
                     : StrPrintf("f_y = %5.0f %s\r\n", Shown(steel.fy, ukLargeStress), label);
    }
}

void AppendConcreteLines(const TStructure& s, std::string& text)
{
    const int n = s.CountUsedConcreteTypes();
    const char* label = Label(ukStress);
    if (n == 1) {
        const ConcreteTypeRec* c = s.GetConcreteType(s.FirstUsedConcreteType());
        if (c != nullptr)
            text += StrPrintf(Fmt("f_c' = %5.~f %s\r\n", 1, 0, 0).c_str(),
                              -Shown(c->fc, ukStress),
                              label);
    } else if (n == 2) {
        const int base = s.GetMainConcreteType();
        int other = -1;
        for (int t = 0; t < s.GetConcreteTypeCount(); ++t) {
            if (t != base && s.IsConcreteTypeUsed(t) != 0)
                other = t;
        }
        const ConcreteTypeRec* b = s.GetConcreteType(base);
        const ConcreteTypeRec* o = other >= 0 ? s.GetConcreteType(other) : nullptr;
        if (b != nullptr && o != nullptr)
            text += StrPrintf(
                Fmt("f_c' (%s) = %5.~f %s(Base type)\r\nf_c' (%s) = %5.~f %s\r\n", 1, 0, 0).c_str(),
                b->name.c_str(),
                -Shown(b->fc, ukStress),
                label,
                o->name.c_str(),
                -Shown(o->fc, ukStress),
                label);
    }
}

std::string CodeStrengthText(const TBeam& beam, int variant)
{
    std::string text;
    WriteCodeStrengthReport(&beam, text, variant);
    return BoundedCopy(text, kScratchChars);
}

void AppendBarListing(const TBeam& beam, TTextBuffer& text)
{
    const int layers = beam.GetLongLayerCount(0);
    if (layers == 0) {
        text.Append("Unreinforced\r\n");
        return;
    }
    std::vector<long long> counts(static_cast<std::size_t>(g_RebarList.Count()), 0);
    long long byArea = 0;
    for (int i = 0; i < layers; ++i) {
        const LongLayerRec& layer = *beam.GetLongLayer(i, 0);
        if (layer.bartitle.empty() || layer.barIndex < 0 ||
            layer.barIndex >= g_RebarList.Count())
            byArea += layer.num;
        else
            counts[static_cast<std::size_t>(layer.barIndex)] += layer.num;
    }
    text.Append("Bar listing\r\n-----------------\r\n");
    for (std::size_t e = 0; e < counts.size(); ++e) {
        if (counts[e] > 0)
            text.Append(StrPrintf(" %lld - %s\r\n",
                                  counts[e],
                                  g_RebarList.GetName(static_cast<int>(e)).c_str()));
    }
    if (byArea != 0)
        text.Append(StrPrintf(" %lld bars defined by area\r\n", byArea));
}

} // namespace

int WriteMaterialReport(const TStructure& structure, std::string& text)
{
    text = structure.GetName() + "\r\n";
    AppendConcreteLines(structure, text);
    const std::vector<int> used = UsedSteelTypes(structure);
    if (used.size() == 1) {
        text += SteelLine(*structure.GetSteelType(used[0]), false);
    } else if (used.size() == 2 || used.size() == 3) {
        text += SteelLine(*structure.GetSteelType(used[0]), true);
        text += SteelLine(*structure.GetSteelType(used[1]), true);
    }
    text = BoundedCopy(text, kMaterialReportChars);
    return 1;
}

int WriteSectionInformationReport(const TBeam& beam, TTextBuffer& text)
{
    text.Assign(StrPrintf("Quarvish-2000 Section Information\r\n=============================\r\n"
                          "\r\nSection Name: %s\r\nSection Type: %s\r\n\r\n",
                          beam.GetName().c_str(),
                          beam.GetShapeName().c_str()));
    double d = 0.0;
    double dTop = 0.0;
    double as = 0.0;
    double asTop = 0.0;
    beam.GetSteelCentroid(d, dTop, as, asTop, 0);
    const char* area = Label(ukArea);
    const char* areaBlock =
        g_UnitSystem == kUnitSI
            ? "Longitudinal Reinforcement\r\n-------------------------------------\r\n"
              "As' (Area above mid-depth): %5.1f %s\r\nAs (Area below mid-depth):  %5.1f %s\r\n"
              "Total Area of Steel:        %5.1f %s\r\n\r\n"
            : "Longitudinal Reinforcement\r\n--------------------------------------------\r\n"
              "As' (Area above mid-depth): %5.3f  %s\r\nAs (Area below mid-depth):  %5.3f  %s\r\n"
              "Total Area of Steel:        %5.3f  %s\r\n\r\n";
    text.Append(StrPrintf(areaBlock,
                          Shown(asTop, ukArea),
                          area,
                          Shown(as, ukArea),
                          area,
                          Shown(as + asTop, ukArea),
                          area));
    text.Append("Lever Arm\r\n-----------------\r\n");
    const char* length = Label(ukSectionLength);
    if (std::fabs(d) > 0.0)
        text.Append(StrPrintf(
            Fmt("Distance from top of section to centroid\r\nof bottom reinforcement (d): %5.~f %s\r\n",
                1,
                2,
                1)
                .c_str(),
            Shown(d, ukSectionLength),
            length));
    if (std::fabs(dTop) > 0.0)
        text.Append(StrPrintf(
            Fmt("Distance from bottom of section to centroid\r\n of top reinforcement (d'): %5.~f "
                "%s\r\n",
                1,
                2,
                1)
                .c_str(),
            Shown(dTop, ukSectionLength),
            length));
    text.Append("\r\n");
    AppendBarListing(beam, text);
    text.Append("\r\n");
    if (beam.GetGrossArea() > 0.0)
        text.Append(StrPrintf("Gross Percentage of steel: %5.3f %%\r\n",
                              (as + asTop) / beam.GetGrossArea() * 100.0));
    text.Append("\r\nMaximum Transverse Reinforcement\r\n------------------------------------\r\n");
    if (beam.GetTransLayerCount(2) == 0) {
        text.Append("Unreinforced in Transverse Direction\r\n");
    } else {
        double rho = 0.0;
        double rhoFy = 0.0;
        const int noAngle = beam.GetMaxTransverseRatio(rho, rhoFy);
        if (rho > 0.0 && rhoFy > 0.0) {
            text.Append(StrPrintf("Maximum Transverse Rho: %5.3f %s\r\n",
                                  Shown(rho, ukPercent),
                                  Label(ukPercent)));
            text.Append(StrPrintf(Fmt("Maximum Rho x fy : %5.~f %s\r\n", 2, 0, 1).c_str(),
                                  Shown(rhoFy, ukStress),
                                  Label(ukStress)));
            if (noAngle != 0)
                text.Append("No allowance made for angle of transverse reinforcement");
        }
    }
    text.Append("\r\nAASHTO-2000 Shear Strength\r\n----------------------------\r\n\r\n");
    text.Append(CodeStrengthText(beam, kAashto2000));
    text.Append("\r\nCSA-2014 Shear Strength\r\n-----------------------\r\n\r\n");
    text.Append(CodeStrengthText(beam, kCsa2014));
    text.Append("\r\n");
    return 1;
}

void WriteTimeDependentReport(const TBeam& beam, std::string& text, const TimeDependentStrains& v)
{
    const double shrinkage = v.shrinkage;
    const double creep = v.creepCoefficient;
    const double phi1 = v.curvature1;
    const double ex1 = v.strain1;
    const double phi2 = v.curvature2;
    const double ex2 = v.strain2;
    const double vs = v.volumeSurface;
    const double kc = v.kc;
    const double kf = v.kf;
    const double ks = v.ks;
    const char* length = Label(ukSectionLength);
    text = "Time Dependent Effects Results\r\n-------------------------\r\n";
    text += StrPrintf("Shrinkage Strain: %5.3f %s\r\n", Shown(shrinkage, ukStrain), Label(ukStrain));
    text += StrPrintf("v/s %5.3f %s    ks = %5.3f\r\n", Shown(vs, ukSectionLength), length, ks);
    text += StrPrintf("Creep factor: %5.3f\r\n", creep);
    text += StrPrintf("v/s %5.3f %s    kf = %5.3f   kc = %5.3f\r\n",
                      Shown(vs, ukSectionLength),
                      length,
                      kf,
                      kc);
    if (GetDebugLevel() == 0)
        return;
    int flag = 0;
    double ageDays = 0.0;
    double moment = 0.0;
    double axial = 0.0;
    beam.GetTimeData(flag, ageDays, moment, axial);
    // The log of the age in hours; an age below an hour counts as one hour.
    const double logHours = std::log10(std::max(24.0 * ageDays, 1.0));
    for (int i = 0; i < beam.GetLongLayerCount(0); ++i) {
        const LongLayerRec& layer = *beam.GetLongLayer(i, 0);
        const SteelTypeRec* steel = beam.GetSteelType(layer.type);
        const double yieldStrain =
            steel != nullptr && steel->Es > 0.0 && steel->fy > 0.0 ? steel->fy / steel->Es : 0.0;
        const double factor =
            yieldStrain > 0.0
                ? std::min(1.0, 1.0 - logHours / 40.0 * (layer.dep / yieldStrain - 0.55))
                : 1.0;
        // The change of strain at the layer from the initial to the second solution.
        const double relax = (layer.z * phi2 + ex2) - (layer.z * phi1 + ex1);
        text += StrPrintf("Relax factor bar type %s: %5.3f: relax strain %5.3f %s\r\n",
                          layer.name.c_str(),
                          factor,
                          Shown(relax, ukStrain),
                          Label(ukStrain));
    }
    text += StrPrintf("\r\nInitial strain solution: phi=%5.3f %s ex=%5.3f %s\r\n",
                      Shown(phi1, ukCurvature),
                      Label(ukCurvature),
                      Shown(ex1, ukStrain),
                      Label(ukStrain));
    text += StrPrintf("\r\nSecond strain solution: phi=%5.3f %s ex=%5.3f %s\r\n",
                      Shown(phi2, ukCurvature),
                      Label(ukCurvature),
                      Shown(ex2, ukStrain),
                      Label(ukStrain));
}
