// The member sheet's pages fed typed text as a user would, each change followed by drawing the
// page's pictures and, at the end, the stations of the member placed (as the analysis does).
// The member keeps finite values and a length of at most 1000 m (and a third of its height), and
// the geometry page read again as it shows what it wrote changes nothing.
// The pictures are drawn on the recording device and on pixels (a memory bitmap, offscreen),
// the quick page's from the fields as typed and from those the page keeps (which the check
// must accept): a typed value drawn to scale must not cost more than the bitmap has pixels.
//   q quick fields (span|zone|ratio|axial|penetration|load digit|left digit|right digit);
//   g geometry fields (length|top plate|displacement|penetration|left plate|left location|
//   right plate|right location|anchorage and support digits); z / Z add / modify the selected
//   boundary; x / X add / modify a point (k digit, location|moment|parabolic); a the axial load
//   of a diagram (k digit, text); d delete the selected point; s<digit> select; u units.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "TypedFuzzSupport.h"
#include "TypedMemberFields.h"
#include "dialogs/MemberDiagrams.h"
#include "dialogs/MemberPages.h"
#include "member/MemberStations.h"
#include "member/MemberTestSupport.h"
#include "platform/DC.h"
#include "support/RecordingDC.h"

namespace {

void RequireSound(const TMemberDefinition& d)
{
    RequireFinite(d.length);
    if (d.length > 1001.0)
        std::abort();
    for (double v : {d.displacementLocation, d.topPlateSize, d.leftPlateSize, d.leftPlateLocation, d.rightPlateSize,
                     d.rightPlateLocation, d.yieldPenetrationConstant, d.axialLoad[0], d.axialLoad[1]})
        RequireFinite(v);
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < std::clamp(d.pointCount[static_cast<std::size_t>(k)], 0, kMaxDiagramPoints); ++i) {
            RequireFinite(d.diagrams[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)].x);
            RequireFinite(d.diagrams[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)].moment);
        }
    for (int i = 0; i < std::clamp(d.zoneCount, 0, kMaxMemberZones); ++i)
        RequireFinite(d.zones[static_cast<std::size_t>(i)].startX);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    EnsureFuzzGui();
    ResetFuzzGlobals(0);
    FuzzAnswers();
    membertest::DefaultMember m;
    TMemberDefinition& d = m.d;
    TMomentPointEditor editors[2] = {TMomentPointEditor(d, 0), TMomentPointEditor(d, 1)};
    int zone = 0;
    QuickFields quick, accepted;
    const DiagramBox box{0, 0, 400, 250};
    plat::MemoryDC raster(box.w, box.h);
    for (const TypedAction& a : SplitActions(data, size)) {
        switch (a.op) {
        case 'u': // the sheet opens again in other units: the quick page starts afresh
            g_UnitSystem = Digit(a.text, 0) % 3;
            accepted = QuickFields{};
            break;
        case 'q': {
            const auto f = Fields(a.text, 6);
            quick = TypedQuickFields(quick, f);
            int confirm = 0;
            ApplyQuickFields(m.slots, quick, d, confirm);
            break;
        }
        case 'g': {
            const auto f = Fields(a.text, 9);
            const GeometryFields typed = TypedGeometryFields(ShowGeometryFields(d), f);
            ReadGeometryFields(typed, d);
            // The page shown again and left with OK, nothing edited, changes nothing (the
            // support pair stored is one the rules leave alone).
            if (!CheckGeometryFields(typed)) {
                TMemberDefinition again = d;
                ReadGeometryFields(ShowGeometryFields(d), again);
                if (EqualMemberDefinitions(again, d) != 1)
                    std::abort();
            }
            break;
        }
        case 'z': AddZoneBoundary(d, a.text, zone); break;
        case 'Z': ModifyZoneBoundary(d, a.text, zone); break;
        case 'x':
        case 'X': {
            const auto f = Fields(a.text.empty() ? a.text : a.text.substr(1), 3);
            TMomentPointEditor& e = editors[Digit(a.text, 0) % 2];
            const PointTexts typed{f[0], f[1], f[2] == "1"};
            a.op == 'x' ? e.Add(typed) : e.Modify(typed);
            break;
        }
        case 'a': editors[Digit(a.text, 0) % 2].SetAxialLoad(a.text.empty() ? a.text : a.text.substr(1)); break;
        case 'd': editors[Digit(a.text, 0) % 2].Delete(); break;
        case 's': editors[Digit(a.text, 0) % 2].Select(Digit(a.text, 1), editors[0].SelectedTexts()); break;
        default: continue;
        }
        RequireSound(d);
        const QuickFields shown = QuickPictureFields(quick, accepted);
        if (CheckQuickFields(shown))
            std::abort();
        RecordingDC recording;
        for (plat::DC* dc : {static_cast<plat::DC*>(&recording), static_cast<plat::DC*>(&raster)}) {
            DrawQuickDiagram(*dc, quick, box);
            DrawQuickDiagram(*dc, shown, box);
            DrawMemberSketch(*dc, d, zone, box);
            for (int k = 0; k < 2; ++k) {
                DrawMomentDiagram(*dc, d, k, editors[k].Selected(), box);
                DrawShearDiagram(*dc, d, k, editors[k].Selected(), box);
            }
        }
        (void)QuickDiagramGeometry(quick, 0, 0, 400, 250);
        (void)GetSketchGeometry(d, 0, 0, 400, 250);
    }
    TMemberStations stations(d, m.slots);
    stations.PlaceMemberStations();
    return 0;
}
