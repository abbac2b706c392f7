#include "views/BeamViewRules.h"

#include <cmath>

#include "foundation/TDepthTable.h"

const char* StrainAwareLabel(const DisplayContext& display, int kind)
{
    if (kind == 3 && display.unitSystem == 1)
        return "x 10^-^3";
    return display.Label(kind);
}

double FireTemperatureForDisplay(double celsius, const DisplayContext& display)
{
    return display.unitSystem == 1 ? 1.8 * celsius + 32.0 : celsius;
}

std::string StiffnessNote(int graphId, double a, double b)
{
    double ratio = 0.0;
    if (a != 0.0 && b != 0.0)
        ratio = (1.0 / (1.0 / b - 1.0 / a)) / a;
    const bool flexural = graphId == 4012;
    if (!std::isfinite(ratio))
        return flexural ? "Average Flexural Stiffness" : "Average Shear Stiffness";
    return flexural ? Printf("Average Flexural Stiffness = %3.0f %% of uncracked value", ratio * 100.0)
                    : Printf("Average Shear Stiffness = %3.0f%% of uncracked value", ratio * 100.0);
}

bool ShowFactoredValuesLine(const DisplayContext& display)
{
    return display.FactorSumOffset() > 0.001;
}

const char* FactoredValueSuffix(const DisplayContext& display)
{
    return display.FactorSumOffset() >= 0.001 ? "f" : "";
}

double PairPosition(const TDepthTable* list, int i)
{
    if (!list || i < 0 || i >= list->GetCount())
        return 1e31;
    return list->GetDepth(i);
}
