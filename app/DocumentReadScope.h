#pragma once
// The program-wide settings a document's readers may change before they accept or refuse it:
// the unit system and resistance factors (the file's own, when files set them), the member
// definition (each beam read brings its member; member settings are committed as read), the
// quick-define wizard's new-section flag, the outline of the section last recognised, the
// embedded-steel tables and the concrete-model options that validating a section sets. Taken
// before a read; a refused document puts every one of them back, so that the document open
// before stays as it was.

#include <array>
#include <cstdint>

#include "member/TMemberDefinition.h"
#include "model/materials/MaterialTypes.h"
#include "model/shapes/SectionDefinitionRecord.h"

class DocumentReadScope {
public:
    // Takes the settings; with files overriding the program's settings, the read starts from
    // unit resistance factors, which the file may set.
    DocumentReadScope();
    // Puts every setting back as it was when the scope was taken.
    void Restore() const;

private:
    int m_unitSystem;
    ResistanceFactors m_factors;
    TMemberDefinition m_member;
    int m_quickDefineNew;
    SectionDefinition m_section;
    std::array<HsuDataEntry, 3> m_hsu;
    std::int32_t m_hsuEmbeddedSteel;
    int m_concreteModelSet;
    int m_crackingReduction;
};
