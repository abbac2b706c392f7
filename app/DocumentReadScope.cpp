#include "app/DocumentReadScope.h"

#include "foundation/Units.h"
#include "model/ModelSettings.h"
#include "model/QuickDefineFlag.h"

DocumentReadScope::DocumentReadScope()
    : m_unitSystem(g_UnitSystem),
      m_factors(g_ResistanceFactors),
      m_member(g_MemberDefinition),
      m_quickDefineNew(GetQuickDefineNew()),
      m_section(g_SectionDefinition),
      m_hsu(HsuDataTable),
      m_hsuEmbeddedSteel(g_HsuEmbeddedSteel),
      m_concreteModelSet(g_ConcreteModelSet),
      m_crackingReduction(g_CrackingReductionOption) {
    if (g_FileOverride)
        g_ResistanceFactors = ResistanceFactors{1.0, 1.0, 1.0};
}

void DocumentReadScope::Restore() const {
    g_UnitSystem = m_unitSystem;
    g_ResistanceFactors = m_factors;
    g_MemberDefinition = m_member;
    SetQuickDefineNew(m_quickDefineNew);
    g_SectionDefinition = m_section;
    HsuDataTable = m_hsu;
    g_HsuEmbeddedSteel = m_hsuEmbeddedSteel;
    g_ConcreteModelSet = m_concreteModelSet;
    g_CrackingReductionOption = m_crackingReduction;
}
