#pragma once
// Material records as a document gives them back: the record its element starts from, each
// attribute set from the text the document writes for it, in the document's unit system, and
// its stress-strain curve as the rows written read back. The numbers of the curve rows are
// rounded as their text reads back without writing it (a fire curve holds thousands of them).
// A record made this way is the one a new session reads from the document: every value derived
// from it in the session is the one derived there.

#include "model/materials/MaterialTypes.h"

ConcreteTypeRec ConcreteAsDocumentKeepsIt(const ConcreteTypeRec& concrete, const int* unitSystem);
SteelTypeRec SteelAsDocumentKeepsIt(const SteelTypeRec& steel, const int* unitSystem);
