#include "app/SolveCommands.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "analysis/TSectionalAnalysis.h"
#include "foundation/StrFormat.h"
#include "foundation/TypedNumber.h"
#include "foundation/Units.h"

namespace {
// Member analyses answer this kind.
constexpr int kMemberAnalysisKind = 5;
} // namespace

int ChooseLoadDeformationGraph(const TSectionalAnalysis* a) {
    if (!a)
        return 1012;
    if (!a->GetPeakState())
        return 1011;
    switch (a->GetAnalysisKind()) {
    case AnalysisKind::MNDiagram:
        return 1006;
    case AnalysisKind::MVDiagram:
        return 1007;
    case AnalysisKind::NVDiagram:
        return 1008;
    case kMemberAnalysisKind:
        return 1001;
    default:
        break;
    }
    std::array<double, 3> d{};
    a->GetIncrementLoads(d.data(), 3);
    const double n = std::fabs(d[0]) / 7.5, m = std::fabs(d[1]), v = std::fabs(d[2]);
    if (v > m && v > n)
        return 1004;
    if (m > v && m > n)
        return 1001;
    if (n > v && n > m)
        return 1000;
    return 1012;
}

std::string FormatStrainPrompt(const StrainPoints& p, bool two, double bottom, int system) {
    const std::string format = setup_units(two ? "%5.2f, %5.~f, %5.2f, %5.~f" : "%5.2f, %5.~f", 0, 1, 1, system);
    const double es = UnitFactor(ukStrain, system), ls = UnitFactor(ukSectionLength, system);
    if (two)
        return StrPrintf(format.c_str(), p.strain1 * es, (p.depth1 - bottom) * ls, p.strain2 * es,
                         (p.depth2 - bottom) * ls);
    return StrPrintf(format.c_str(), p.strain1 * es, (p.depth1 - bottom) * ls);
}

std::string ParseStrainAnswer(const std::string& text, StrainPoints& points, double bottom, int system) {
    std::string blanked = text;
    for (char& c : blanked)
        if (c == ',')
            c = ' ';
    const double es = UnitFactor(ukStrain, system), ls = UnitFactor(ukSectionLength, system);
    StrainPoints p = points;
    double* strains[] = {&p.strain1, &p.strain2};
    double* depths[] = {&p.depth1, &p.depth2};
    std::istringstream in(blanked);
    std::string token;
    for (int k = 0; k < 4 && in >> token; ++k) {
        const double v = TypedNumber(token);
        if (!std::isfinite(v))
            return StrPrintf("%s must be a number: \"%s\" is not.", k % 2 == 0 ? "Strain" : "Dist. from bottom",
                             token.c_str());
        if (k % 2 == 0)
            *strains[k / 2] = v / es;
        else
            *depths[k / 2] = v / ls + bottom;
    }
    points = p;
    return {};
}
