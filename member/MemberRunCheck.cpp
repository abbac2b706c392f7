#include "member/MemberRunCheck.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analysis/TQuarvish2000Analysis.h"
#include "foundation/Reporter.h"
#include "foundation/StrFormat.h"
#include "member/TMemberDefinition.h"
#include "member/fire/TStructureSlots.h"
#include "model/TStructure.h"

namespace {

// A live moment below this (N m) is none.
constexpr double kNoMoment = 1e-6;

} // namespace

bool HasNoLiveLoad(const TMemberDefinition& d)
{
    if (d.axialLoad[LiveDiagram] != 0.0)
        return false;
    const int n = std::clamp(d.pointCount[LiveDiagram], 0, kMaxDiagramPoints);
    if (n < 2)
        return true;
    for (int i = 0; i < n; ++i)
        if (std::fabs(d.diagrams[LiveDiagram][static_cast<std::size_t>(i)].moment) > kNoMoment)
            return false;
    return true;
}

namespace {

// Why the section of a zone cannot be analysed, naming it; empty when it can.
std::string WhyNotAnalysable(const TStructure& s)
{
    if (s.GetRegionCount() < 1 || !(s.GetHeight() > 0.0))
        return StrPrintf("Section \"%s\": %s", s.GetName().c_str(), kNoSectionText);
    return s.DescribeMissingConcrete();
}

// The first zone's section that cannot be analysed is named in one message: the run would
// solve none of its stations.
bool ZoneSectionsAnalysable(const TStructureSlots& slots, const TMemberDefinition& d)
{
    const int zones = std::clamp(d.zoneCount, 0, kMaxMemberZones);
    for (int z = 0; z < zones; ++z) {
        const TStructure* s = slots.GetStructure(d.zones[static_cast<std::size_t>(z)].structureIndex);
        const std::string why = s != nullptr ? WhyNotAnalysable(*s) : std::string();
        if (!why.empty()) {
            ShowMessage(why, kMemberRunCaption, MsgStyle::IconExclamation);
            return false;
        }
    }
    return true;
}

// The checks of PrepareMemberRun before its sections are: the live load, the kind of every
// zone's structure and the question of the section to run on.
bool MemberRunChosen(const TStructureSlots& slots, TMemberDefinition& d)
{
    if (HasNoLiveLoad(d)) {
        ShowMessage("The member has no live load, so there is nothing to push over.\n\n"
                    "Enter the live-load diagram (\"Detailed Live Load\" on the member's Loading page) "
                    "before solving.",
                    kMemberRunCaption, MsgStyle::IconExclamation);
        return false;
    }
    const int zones = std::clamp(d.zoneCount, 0, kMaxMemberZones);
    for (int z = 0; z < zones; ++z) {
        const TStructure* s = slots.GetStructure(d.zones[static_cast<std::size_t>(z)].structureIndex);
        if (s != nullptr && s->GetKind() != kKindBeam) {
            ShowMessage("A member zone names a section that is not a beam section.", "Error in Member Definition",
                        MsgStyle::IconExclamation);
            return false;
        }
    }
    if (zones < 1)
        return true;
    const int used = d.zones[0].structureIndex;
    for (int z = 1; z < zones; ++z)
        if (d.zones[static_cast<std::size_t>(z)].structureIndex != used)
            return true; // a member of several sections is run as its zones say
    const int current = slots.GetCurrentStructure();
    const TStructure* own = slots.GetStructure(used);
    const TStructure* shown = slots.GetStructure(current);
    if (current == used || own == nullptr || shown == nullptr || shown->GetKind() != own->GetKind())
        return true;
    const std::string text =
        StrPrintf("The member is made of the section \"%s\", not of the current section \"%s\".\n\n"
                  "Run the member on \"%s\"?\n\n"
                  "Yes: the member uses \"%s\" from now on.  No: it runs on \"%s\".",
                  own->GetName().c_str(), shown->GetName().c_str(), shown->GetName().c_str(),
                  shown->GetName().c_str(), own->GetName().c_str());
    const int answer = ShowMessage(text, kMemberRunCaption, MsgStyle::YesNoCancel | MsgStyle::IconQuestion);
    if (answer == MsgAnswer::Cancel)
        return false;
    if (answer == MsgAnswer::Yes)
        for (int z = 0; z < zones; ++z)
            d.zones[static_cast<std::size_t>(z)].structureIndex = current;
    return true;
}

} // namespace

bool PrepareMemberRun(const TStructureSlots& slots, TMemberDefinition& d)
{
    return MemberRunChosen(slots, d) && ZoneSectionsAnalysable(slots, d);
}
