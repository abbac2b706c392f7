#pragma once
// The building of a beam's regions from the outline rows of a labelled text file, through the
// section builder that the section pages of the input dialogs use.

#include "model/shapes/SectionDefinitionRecord.h"

class TBeam;
class TDepthTable;

// Builds the beam from outline rows (height above the section bottom, width) in file order, each
// with its concrete type in rowTypes: one band for each pair of consecutive rows at least 0.1 mm
// apart in height, of the lower row's type. At most the beam's region capacity is built; rows
// beyond it are logged. The bands go to BuildSectionShape with the shape of g_SectionDefinition,
// which rounds them, narrows a "HOLLOW" library shape around its void and lets the beam
// recognise a library shape.
int BuildSectionFromRows(TBeam& beam, const TDepthTable& rows, const TDepthTable& rowTypes);
