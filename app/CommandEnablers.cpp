#include "app/CommandEnablers.h"

#include <map>

#include "analysis/TSectionalAnalysis.h"
#include "app/CommandIds.h"
#include "app/GlobalTables.h"
#include "member/TMemberDefinition.h"
#include "model/TStructure.h"

namespace {

constexpr int kValueLists = 30;

using Rule = bool (*)(const EnablerContext&);

bool H(const EnablerContext& c) { return c.structure && c.structure->GetHeight() > 0.0; }
bool S(const EnablerContext& c) { return c.structure && c.structure->GetSteelTypeCount() > 0; }
bool A(const EnablerContext& c) { return c.analysis != nullptr; }
bool R(const EnablerContext& c) { return c.analysis && c.analysis->IsRunning(); }
bool P(const EnablerContext& c, int probe) { return c.analysis && c.analysis->Probe_analysis(probe, 0.0) != 0.0; }

bool Always(const EnablerContext&) { return true; }
bool Height(const EnablerContext& c) { return H(c); }
bool SteelAndHeight(const EnablerContext& c) { return S(c) && H(c); }
bool Member(const EnablerContext& c) { return H(c) && c.memberLength > 0.0; }
bool Stop(const EnablerContext& c) { return A(c) && R(c); }
bool MoreDetail(const EnablerContext& c) { return A(c) && !R(c) && c.analysis->CanContinue(); }
bool Unload(const EnablerContext& c) { return A(c) && !R(c) && P(c, 6); }
bool Reload(const EnablerContext& c) { return A(c) && !R(c) && P(c, 7); }
bool Mohr(const EnablerContext& c) { return A(c) && P(c, 9); }
bool MemberResults(const EnablerContext& c) { return A(c) && P(c, 0); }
bool Next(const EnablerContext& c) { return c.current < kMaxStructures - 1 && c.elementAfter; }
bool Previous(const EnablerContext& c) { return c.current > 0 && c.elementBefore; }
// The first value list that exists is rewound on the way.
bool ValueLists(const EnablerContext& c) {
    if (!H(c))
        return false;
    for (int i = 0; i < kValueLists; ++i)
        if (c.structure->RewindValueList(i))
            return true;
    return false;
}

const std::map<int, Rule>& Rules() {
    static const std::map<int, Rule> rules{
        {CmId::QuickDefine, Always},
        {CmId::SectionalLoads, Height},
        {CmId::TransverseReinforcement, SteelAndHeight},
        {CmId::LongitudinalReinforcement, SteelAndHeight},
        {CmId::Tendons, SteelAndHeight},
        {CmId::FireDamagedBeam, Height},
        {CmId::Fire, Height},
        {CmId::TimeDependentEffects, Height},
        {CmId::ThermalShrinkageStrains, Height},
        {CmId::StrainDiscontinuity, Height},
        {CmId::MemberDefinitionPage, Height},
        {CmId::FullMemberProperties, Height},
        {CmId::SectionalResponse, Height},
        {CmId::MNInteraction, Height},
        {CmId::MVInteraction, Height},
        {CmId::NVInteraction, Height},
        {CmId::OneLoad, Height},
        {CmId::OneStrain, Height},
        {CmId::TwoStrain, Height},
        {CmId::MemberResponse, Member},
        {CmId::StopAnalysis, Stop},
        {CmId::MoreDetail, MoreDetail},
        {CmId::UnloadSection, Unload},
        {CmId::ReloadSection, Reload},
        {CmId::MohrsCircles, Mohr},
        {CmId::FullMemberResults, MemberResults},
        {CmId::NextElement, Next},
        {CmId::PreviousElement, Previous},
        {CmId::PageAction404, ValueLists},
    };
    return rules;
}

} // namespace

EnablerContext CurrentEnablerContext() {
    EnablerContext c;
    c.current = g_CurrentStructure;
    c.structure = StructureAt(g_CurrentStructure);
    c.analysis = AnalysisAt(g_CurrentAnalysis);
    c.memberLength = g_MemberDefinition.length;
    // Empty slots in between are stepped over.
    c.elementAfter = FilledSlotAfter(g_CurrentStructure) >= 0;
    c.elementBefore = FilledSlotBefore(g_CurrentStructure) >= 0;
    return c;
}

const std::vector<int>& EnabledCommandIds() {
    static const std::vector<int> ids = [] {
        std::vector<int> out;
        for (const auto& [id, rule] : Rules())
            out.push_back(id);
        return out;
    }();
    return ids;
}

bool IsCommandAvailable(int id, const EnablerContext& c) {
    const auto it = Rules().find(id);
    return it == Rules().end() || it->second(c);
}
