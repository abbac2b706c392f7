#pragma once
// The building of a beam's regions from the outline rows of a labelled text file, over the
// section definition that the section pages of the input dialogs share.

#include "model/shapes/SectionDefinitionRecord.h"

class TBeam;
class TDepthTable;

// Gives the beam the shape code and parameters of g_SectionDefinition (the library shape's name,
// or "USER") and replaces its regions by one region for each pair of consecutive outline rows
// (height above the section bottom, width) at least 0.1 mm apart in height, of the concrete
// type that the row-type table gives the lower row. At most the beam's region capacity is
// built; rows beyond it are logged. Then the beam recognises a library shape in its regions.
int BuildSectionShape(TBeam& beam, const TDepthTable& outline, const TDepthTable& rowTypes);
