#include "files/xml/SectionReadSettings.h"

#include "foundation/Units.h"
#include "model/ModelSettings.h"
#include "model/QuickDefineFlag.h"

SectionReadSettings::SectionReadSettings()
    : m_unitSystem(g_UnitSystem), m_factors(g_ResistanceFactors),
      m_quickDefineNew(GetQuickDefineNew()), m_section(g_SectionDefinition), m_hsu(HsuDataTable),
      m_hsuEmbeddedSteel(g_HsuEmbeddedSteel), m_concreteModelSet(g_ConcreteModelSet),
      m_crackingReduction(g_CrackingReductionOption)
{
}

void SectionReadSettings::Restore() const
{
    g_UnitSystem = m_unitSystem;
    g_ResistanceFactors = m_factors;
    SetQuickDefineNew(m_quickDefineNew);
    g_SectionDefinition = m_section;
    HsuDataTable = m_hsu;
    g_HsuEmbeddedSteel = m_hsuEmbeddedSteel;
    g_ConcreteModelSet = m_concreteModelSet;
    g_CrackingReductionOption = m_crackingReduction;
}
