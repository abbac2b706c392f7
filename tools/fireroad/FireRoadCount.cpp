// Counts, without a window, how the post-fire beams of sample documents answer Solve >
// Sectional Response: each road opens a document, sets the unit system, the fire settings of
// Loads > Create Fire Damaged Beam (the fire curve, the faces exposed, the exposure and the
// reinforcement; a constant fire keeps the document's temperature), makes the post-fire beam
// and runs the full sectional response on it to its end. The same section with its concrete
// list turned over (the top band first, each region naming its own type) is run beside it.
//
//   qv_fireroadcount <document>... [--roads <first> <last>] [--stages]
//
// Prints one line per road (numbered from 0; --roads runs those from first to last): its
// number and settings, then for the post-fire beam and for the turned-over one whether the
// initial case solved, the stages, the peak load factor and the initial state's strains at
// the top and bottom (mm/m); last the counts. --stages prints every stage of the responses. The
// roads are the product of the documents, the unit systems SI, US and kg/cm, the ISO 834, NPD and
// constant fires, 30, 60, 120 and 240 minutes, steel, GFRP, CFRP and AFRP bars and the bottom face
// or all faces exposed.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/RunToFinish.h"
#include "analysis/T1DAnalysis.h"
#include "files/xml/TXmlDtd.h"
#include "files/xml/XmlDocument.h"
#include "foundation/Units.h"
#include "member/fire/FireLaws.h"
#include "member/fire/ThermalAnalysis.h"
#include "model/TBeam.h"
#include "model/catalogues/TRebarList.h"
#include "tests/member/fire/FireTestSupport.h"

namespace {

struct Outcome {
    bool solved = false;
    int stages = 0;
    double peak = 0.0;
    // The initial state's strains at the top and bottom (mm/m).
    double top = 0.0;
    double bottom = 0.0;
};

// Prints every stage of the responses: load factor, curvature, top and bottom strains.
bool g_stages = false;

Outcome Respond(const TBeam& beam)
{
    TFullSectionalResponse response(&beam, 1);
    Outcome out;
    out.solved = response.GetStage(0) != nullptr && response.GetStage(0)->Valid != 0;
    if (!out.solved)
        return out;
    const SectionState& initial = *response.GetStage(0);
    const double e0 = initial.Results[StateResult::ReferenceStrain];
    const double phi = initial.Results[StateResult::Curvature];
    out.top = 1000.0 * (e0 + phi * beam.GetTop());
    out.bottom = 1000.0 * (e0 + phi * beam.GetBottom());
    RunToFinish(response, 20000);
    out.stages = response.GetLastStageIndex() + 1;
    if (const SectionState* peak = response.GetPeakState())
        out.peak = peak->Results[StateResult::LoadFactor];
    for (int i = 0; g_stages && i <= response.GetLastStageIndex(); ++i)
        if (const SectionState* s = response.GetStage(i)) {
            const double strain = s->Results[StateResult::ReferenceStrain];
            const double curvature = s->Results[StateResult::Curvature];
            std::printf("  stage %d lf %.6g phi %.6g top %.4g bottom %.4g gamma %.4g\n",
                        i,
                        s->Results[StateResult::LoadFactor],
                        curvature,
                        1000.0 * (strain + curvature * beam.GetTop()),
                        1000.0 * (strain + curvature * beam.GetBottom()),
                        1000.0 * s->Results[StateResult::ShearStrain]);
        }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> documents;
    int first = 0, last = 1 << 30;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--roads") == 0 && i + 2 < argc) {
            first = std::atoi(argv[++i]);
            last = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--stages") == 0) {
            g_stages = true;

        } else
            documents.emplace_back(argv[i]);
    }
    if (documents.empty()) {
        std::fprintf(stderr,
                     "qv_fireroadcount <document>... [--roads <first> <last>] [--stages]\n");
        return 2;
    }
    // The bar catalogue the documents name their bars from.
    std::istringstream listing(DefaultRebarListing());
    g_RebarList.Clear();
    g_RebarList.ReadListing(listing);
    const int unitSystems[] = {kUnitSI, kUnitUS, kUnitOldMetric};
    const char* unitNames[] = {"SI", "US", "kgcm"};
    const int fires[] = {kISO834Fire, kNPDFire, kConstantFire};
    const char* fireNames[] = {"ISO834", "NPD", "constant"};
    const double minutes[] = {30.0, 60.0, 120.0, 240.0};
    const int bars[] = {kMildSteel, kGFRP, kCFRP, kAFRP};
    const char* barNames[] = {"steel", "GFRP", "CFRP", "AFRP"};
    const int exposures[] = {kExposeBottom, kExposeBottom | kExposeSides | kExposeTop};
    const char* exposureNames[] = {"bottom", "all"};

    int road = 0, roads = 0, failed = 0, turnedSolves = 0, bothFail = 0, agree = 0, bothSolve = 0;
    for (const std::string& path : documents) {
        for (int u = 0; u < 3; ++u)
            for (int f = 0; f < 3; ++f)
                for (double m : minutes)
                    for (int b = 0; b < 4; ++b)
                        for (int e = 0; e < 2; ++e, ++road) {
                            if (road < first || road > last)
                                continue;
                            g_UnitSystem = unitSystems[u];
                            TXmlDtd dtd(kBuiltInDtd, unitSystems[u]);
                            XmlDocument document;
                            if (!ReadXmlDocumentFile(path, dtd, document).Ok() ||
                                document.structures.empty() || !document.structures[0]) {
                                std::fprintf(stderr, "cannot read %s\n", path.c_str());
                                return 1;
                            }
                            g_UnitSystem = unitSystems[u];
                            firetest::TestSlots slots(8);
                            slots.slots[0] = std::move(document.structures[0]);
                            TStructure& source = *slots.slots[0];
                            FireData kept;
                            source.GetFireData(kept.exposure,
                                               kept.type,
                                               kept.rebarperform,
                                               kept.time,
                                               kept.constanttemp);
                            source.SetFireData(exposures[e],
                                               fires[f],
                                               bars[b],
                                               60.0 * m,
                                               kept.constanttemp);
                            DeleteThermalModel();
                            const int slot = ThermalAnalysis(&source, slots);
                            const auto* post = dynamic_cast<const TBeam*>(slots.GetStructure(slot));
                            if (slot == 0 || post == nullptr) {
                                std::fprintf(stderr, "no post-fire beam on road %d\n", road);
                                return 1;
                            }
                            const Outcome made = Respond(*post);
                            const std::unique_ptr<TBeam> turned =
                                firetest::WithConcreteListTurnedOver(*post);
                            const Outcome other = Respond(*turned);
                            ++roads;
                            failed += made.solved ? 0 : 1;
                            turnedSolves += !made.solved && other.solved ? 1 : 0;
                            bothFail += !made.solved && !other.solved ? 1 : 0;
                            const bool both = made.solved && other.solved;
                            const bool close = both && std::fabs(made.peak - other.peak) <=
                                                           0.03 * std::max(std::fabs(made.peak),
                                                                           std::fabs(other.peak));
                            bothSolve += both ? 1 : 0;
                            agree += close ? 1 : 0;
                            std::printf(
                                "%d %s %s %s %g %s %s | main %d made %d %d %.6g | turned %d %d "
                                "%.6g%s | initial top %.4g bottom %.4g, turned %.4g %.4g\n",
                                road,
                                path.substr(path.find_last_of('/') + 1).c_str(),
                                unitNames[u],
                                fireNames[f],
                                m,
                                barNames[b],
                                exposureNames[e],
                                post->GetMainConcreteType(),
                                made.solved ? 1 : 0,
                                made.stages,
                                made.peak,
                                other.solved ? 1 : 0,
                                other.stages,
                                other.peak,
                                both && !close ? " PEAKS DIFFER" : "",
                                made.top,
                                made.bottom,
                                other.top,
                                other.bottom);
                            std::fflush(stdout);
                        }
    }
    DeleteThermalModel();
    std::printf("roads %d: initial case failed %d (of which the turned-over list solves %d, "
                "neither %d); both solve %d, peaks within 3 %% %d\n",
                roads,
                failed,
                turnedSolves,
                bothFail,
                bothSolve,
                agree);
    return 0;
}
