#pragma once
// The program-wide settings that reading a section may change before it is accepted or
// refused: the unit system and resistance factors (the file's own, when files set them), the
// quick-define wizard's new-section flag, the outline of the section last recognised, the
// embedded-steel tables and the concrete-model options that validating a section sets. Taken
// when made; Restore puts every one of them back as it was.

#include <array>
#include <cstdint>

#include "model/materials/MaterialTypes.h"
#include "model/shapes/SectionDefinitionRecord.h"

class SectionReadSettings {
public:
    SectionReadSettings();
    void Restore() const;

private:
    int m_unitSystem;
    ResistanceFactors m_factors;
    int m_quickDefineNew;
    SectionDefinition m_section;
    std::array<HsuDataEntry, 3> m_hsu;
    std::int32_t m_hsuEmbeddedSteel;
    int m_concreteModelSet;
    int m_crackingReduction;
};
