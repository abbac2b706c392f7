#include "member/fire/ThermalAnalysis.h"

#include <algorithm>
#include <cmath>

#include "foundation/ReportText.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "member/fire/FireLaws.h"
#include "member/fire/TStructureSlots.h"
#include "model/TBeam.h"

std::unique_ptr<TFireAnalysis_2Ds> g_ThermalModel;
FireStrainProfile g_FireStrainProfile{};
double g_FireSectionTop = 0.0;
double g_FireSectionBottom = 0.0;

namespace {

constexpr const char* kErrorCaption = "Thermal Analysis Error";
// Bands of the post-fire beam plus one.
constexpr int kFireBandLimit = 25;
// Steps the progress counts at least.
constexpr int kMinProgressTotal = 10;

int g_strainCursor = 0;

// Steps the started model to its end; the progress counts minutes of exposure, at least 10.
void RunToEnd(TFireAnalysis_2Ds& model, const ThermalProgress& progress)
{
    const auto report = [&](double fraction) {
        if (progress)
            progress(std::min(fraction, 1.0));
    };
    report(0.0);
    const double total = std::max(std::trunc(model.GetEndTime() / 60.0),
                                  static_cast<double>(kMinProgressTotal));
    int count = 0;
    while (model.IsRunning() != 0) {
        model.Step();
        ++count;
        report(count / total);
    }
}

// True when the current model was run for this very beam and made the post-fire beam in its
// source slot.
bool IsRepeatedRun(const TStructure& beam, const TStructureSlots& slots, int& slot)
{
    std::string name;
    g_ThermalModel->GetSource(slot, name);
    return name == beam.GetTitle() && slot >= 0 && slot < slots.GetSlotCount() &&
           slots.GetStructure(slot) == &beam;
}

} // namespace

FireData FireRunSettings(const TStructure& structure)
{
    FireData fire;
    structure.GetFireData(
        fire.exposure, fire.type, fire.rebarperform, fire.time, fire.constanttemp);
    const std::string name = structure.GetName();
    fire.rebarperform = CheckRebarFireType(fire.rebarperform, name.c_str());
    if (fire.time > kMaxFireExposure) {
        AddLoadError(
            StrPrintf("Fire exposure of %.0f s in \"%s\" cut to 10 hours", fire.time, name.c_str()));
        fire.time = kMaxFireExposure;
    }
    return fire;
}

void SetWidthProfileFromBeam(const TBeam& beam, TFireAnalysis_2Ds& model)
{
    constexpr int n = TFireAnalysis_2Ds::kGridSize;
    std::array<int, n> edges{};
    std::array<int, n> bounded{};
    const double dz = beam.GetHeight() / (n - 1);
    for (int i = 0; i < n; ++i) {
        const double w = beam.GetWidthAtSide(beam.GetBottom() + i * dz, 0);
        const double e = w * 0.5 / dz + 0.5;
        bounded[i] = e < n ? 1 : 0;
        edges[i] = bounded[i] != 0 ? std::max(0, static_cast<int>(e)) : n - 1;
    }
    model.SetWidthProfile(edges, bounded);
}

int ThermalAnalysis(TStructure* structure, TStructureSlots& slots, const ThermalProgress& progress)
{
    const int current = slots.GetCurrentStructure();
    if (structure == nullptr || !(structure->GetHeight() > 0.0))
        return current;
    const auto* beam = dynamic_cast<const TBeam*>(structure);
    if (beam == nullptr) {
        ShowMessage("A fire damaged beam can only be made from a beam section.", kErrorCaption);
        return current;
    }
    if (g_ThermalModel) {
        int slot = -1;
        if (IsRepeatedRun(*beam, slots, slot))
            return slot;
        g_ThermalModel.reset();
    }
    g_FireSectionTop = beam->GetTop();
    g_FireSectionBottom = beam->GetBottom();
    g_FireStrainProfile.fill(0.0);
    const FireData fire = FireRunSettings(*beam);

    g_ThermalModel = std::make_unique<TFireAnalysis_2Ds>(
        beam->GetHeight(), fire.exposure, fire.type, fire.constanttemp);
    SetWidthProfileFromBeam(*beam, *g_ThermalModel);
    g_ThermalModel->Start(fire.time);
    const int bandCount = std::min(beam->GetMaxRegions(), kFireBandLimit);
    RunToEnd(*g_ThermalModel, progress);

    const int slot = FindFreeSlot(slots);
    if (slot < 0) {
        ShowMessage("No space left for thermal analysis: too many beams.  Fire ignored.",
                    kErrorCaption);
        return current;
    }
    if (!slots.StoreStructure(
            slot, BuildPostFireBeam(*beam, *g_ThermalModel, bandCount, fire, slots)))
        return current;
    g_ThermalModel->SetSource(slot, beam->GetTitle());
    g_FireStrainProfile = ComputeFireStrainProfile(*beam, *g_ThermalModel);
    return slot;
}

int DeleteThermalModel()
{
    if (!g_ThermalModel)
        return 0;
    g_ThermalModel.reset();
    return 1;
}

int HasThermalModel()
{
    return g_ThermalModel ? 1 : 0;
}

int ThermalModelBelongsTo(int slot, const TStructure* structure)
{
    if (!g_ThermalModel || structure == nullptr)
        return 0;
    int postFire = -1;
    std::string source;
    g_ThermalModel->GetSource(postFire, source);
    return slot == postFire || structure->GetTitle() == source ? 1 : 0;
}

double GetFireSurfaceTemperature()
{
    return g_ThermalModel ? g_ThermalModel->GetMaxFireTemperature() : FireStartTemperature;
}

int ResetThermalPlotIterator(int quantity)
{
    if (!g_ThermalModel)
        return 0;
    if (quantity == kFireStrainQuantity)
        g_strainCursor = 0;
    else
        g_ThermalModel->ResetPlotIterator();
    return 1;
}

int GetNextThermalPlotPoint(int quantity, double& first, double& second)
{
    if (!g_ThermalModel)
        return 0;
    if (quantity != kFireStrainQuantity)
        return g_ThermalModel->GetNextPlotPoint(quantity, first, second);
    const int p = g_strainCursor;
    if (p >= kFireStrainEntries)
        return 0;
    second = g_FireSectionBottom +
             (p + 1) / 2 * (g_FireSectionTop - g_FireSectionBottom) / kFireStrainHeights;
    first = g_FireStrainProfile[p];
    ++g_strainCursor;
    return 1;
}
