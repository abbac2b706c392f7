#pragma once
// The thermal analysis of a beam exposed to fire: runs the fire model of the beam's fire
// settings to the end of the exposure, stores the post-fire beam in the first free slot of
// the structure table and keeps the finished model for the temperature charts.

#include <functional>
#include <memory>

#include "member/fire/PostFireBeam.h"
#include "member/fire/TFireAnalysis.h"

class TBeam;
class TStructure;
class TStructureSlots;

// Receives the fraction of the run done (0 .. 1): 0 before the first step, then after each.
using ThermalProgress = std::function<void(double fraction)>;

// Longest exposure the fire settings allow (s); a longer stored time is cut to it.
inline constexpr double kMaxFireExposure = 36000.0;
// The series of the thermal strain profile in the chart iterator.
inline constexpr int kFireStrainQuantity = 30;

// The current fire model, null when there is none.
extern std::unique_ptr<TFireAnalysis_2Ds> g_ThermalModel;
// The thermal strain profile of the last analysed section and its top and bottom (m).
extern FireStrainProfile g_FireStrainProfile;
extern double g_FireSectionTop;
extern double g_FireSectionBottom;

// Runs the thermal analysis of the beam and answers the slot of its post-fire beam. A null
// structure or one without height answers the current structure index and changes nothing,
// as does a repeated run on a beam whose post-fire beam the current model made (answering its
// slot). Without a free slot: "No space left for thermal analysis: too many beams.  Fire
// ignored." and the current index (the model stays for the charts).
int ThermalAnalysis(TStructure* structure,
                    TStructureSlots& slots,
                    const ThermalProgress& progress = ThermalProgress());

// The fire settings a run uses: the structure's, with an unknown reinforcement fire type taken
// as steel and an exposure beyond ten hours cut to ten hours, each with a line in the
// load-error log.
FireData FireRunSettings(const TStructure& structure);

// Gives the model the beam's half-widths in grid intervals, rounded, row by row; a row wider
// than the grid (a half-width above 100.5 intervals) is cut at its last column.
void SetWidthProfileFromBeam(const TBeam& beam, TFireAnalysis_2Ds& model);

// 1 when a model was deleted, else 0.
int DeleteThermalModel();
int HasThermalModel();
// 1 when the current model is the fire of the structure in the slot: its post-fire beam, or
// the beam the run was made for (by its title); 0 otherwise or without a model. The fire
// pictures of a run are shown only for its own beams.
int ThermalModelBelongsTo(int slot, const TStructure* structure);
// The largest fire temperature of the current model's curve, 20 without a model.
double GetFireSurfaceTemperature();

// Chart series: quantity 30 the thermal strain profile as 50 (strain, height) pairs through the
// heights 0, 1/25 .. 1 of the section; every other quantity the fire model's plot iterator.
// Both answer 0 without a model.
int ResetThermalPlotIterator(int quantity);
int GetNextThermalPlotPoint(int quantity, double& first, double& second);
