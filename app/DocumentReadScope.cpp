#include "app/DocumentReadScope.h"

#include "foundation/Units.h"

DocumentReadScope::DocumentReadScope() : m_member(g_MemberDefinition)
{
    if (g_FileOverride)
        g_ResistanceFactors = ResistanceFactors{1.0, 1.0, 1.0};
}

void DocumentReadScope::Restore() const {
    m_settings.Restore();
    g_MemberDefinition = m_member;
}
