// Draws the member crack-pattern view of a simply supported beam near its peak load (magnified
// 25 times) and the summary page of a section with bar layers, a circular pattern, a tendon
// and stirrups with their callouts, for looking at.
//
//   qv_crackshot <output folder>
//
// Writes member.png, member-flat.png and callouts.png into the folder.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "analysis/RunToFinish.h"
#include "app/GlobalTables.h"
#include "app/summary/CrossSection.h"
#include "app/summary/InfoManager.h"
#include "app/summary/SummarySections.h"
#include "foundation/WorkerPool.h"
#include "member/MemberTestSupport.h"
#include "member/TFullMemberResponse.h"
#include "model/ReinfPatterns.h"
#include "platform/Application.h"
#include "platform/DC.h"
#include "views/TWideCrack2.h"

namespace {

bool Member(const std::string& folder)
{
    membertest::TestSlots slots;
    slots.Put(0, membertest::RectBeam("Beam", 0.2, 0.3, 2, 0.012, true));
    TMemberDefinition d;
    const double L = 1.8;
    d.length = L;
    d.leftPlateSize = d.rightPlateSize = 0.05;
    d.leftPlateLocation = 0.0;
    d.rightPlateLocation = L;
    d.leftSupport = SupportType::Roller;
    d.rightSupport = SupportType::Roller;
    d.diagrams[LiveDiagram][0] = {0.0, 0.0, 0};
    d.diagrams[LiveDiagram][1] = {L / 2, -1000.0, 0};
    d.diagrams[LiveDiagram][2] = {L, 0.0, 0};
    d.pointCount[LiveDiagram] = 3;
    TFullMemberResponse member(d, slots);
    RunToFinish(member, 200000);
    member.BuildResultCurves();
    const int stage = std::getenv("QV_STAGE") ? std::atoi(std::getenv("QV_STAGE")) : 28;
    member.SelectLoadStage(kCurvePointStageBase + stage);
    bool ok = true;
    for (const int id : {4001, 4000}) {
        TWideCrack2 view(nullptr, "Member Crack Diagram", 0, 0, 1400, 420, id);
        view.AttachAnalysis(&member);
        plat::Image image(1400, 420);
        {
            plat::DC dc(image);
            view.Paint(dc, true, {0, 0, 1400, 420});
        }
        ok = image.SavePng(folder + (id == 4001 ? "/member.png" : "/member-flat.png")) && ok;
    }
    return ok;
}

bool Callouts(const std::string& folder)
{
    auto beam = SummarySections::Empty();
    beam->AddRegion(0.8, 0.0, 0.5, 0.5, 0, 1);
    for (double z : {0.05, 0.10, 0.15})
        beam->AddLongLayer(SummarySections::Bars(z, 4, 0.025), 0);
    beam->AddLongLayer(SummarySections::Bars(0.75, 3, 0.015), 0);
    LongLayerRec strand = SummarySections::Bars(0.2, 2, 0.0127);
    strand.bartitle = "13 mm strand";
    strand.Ai = 98.7e-6;
    strand.A = 2 * strand.Ai;
    strand.dep = 0.006;
    beam->AddLongLayer(strand, 0);
    ReinfPatternRec ring;
    ring.kind = kCircularPatternKind;
    ring.inUse = 1;
    ring.centre = 0.45;
    ring.radius = 0.15;
    ring.layer = SummarySections::Bars(0.0, 1, 0.02);
    ring.layer.bartitle.clear();
    ring.layer.nround = 8;
    ring.layer.pattern = kCircularPattern;
    beam->StorePattern(ring, 0);
    ExpandPatterns(0, *beam);
    beam->AddTransLayer(SummarySections::Stirrup(0.03, 0.77, 0.0113, 3), 2);
    beam->SetName("Callouts 500 x 800");
    beam->Validate();
    g_Structures[0] = std::move(beam);
    g_CurrentStructure = 0;
    CreateInfoManager(nullptr);
    plat::Image page(1280, 1024);
    {
        plat::DC dc(page);
        PaintCrossSection(dc, g_Structures[0].get(), 0, 0, 1280, 1024, 0);
    }
    const bool ok = page.SavePng(folder + "/callouts.png");
    ReleaseInfoManager();
    g_Structures[0].reset();
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: qv_crackshot <output folder>\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    plat::EnsureGuiRuntime();
    const std::string folder = argv[1];
    bool ok = Member(folder);
    ok = Callouts(folder) && ok;
    return ok ? 0 : 1;
}
