#pragma once
// A section read from an older file is held to the rules its document will be read back by,
// so that what opens is what a saved document reopens as: the concrete model codes a document
// takes and the steel kinds a section has, then, once the section is made ready, the layers,
// the values and the concrete its outline names, as the document reader checks them.

#include <string>

class TBeam;
class TStructure;
struct SteelTypeRec;

// Gives every concrete type whose model code lies outside its range the code a document gives
// it, with one line in the load-error log per code replaced:
//   Concrete type 1 ("C30") has base curve code 7, which does not exist; code 2 is used
void HoldConcreteModelCodes(TStructure& s);

// Makes a steel record of a kind other than bar (1), prestressing steel (2) or bar with its own
// curve (32767) the bar a section takes it as, before the record is checked by its kind, so that
// it is checked as the bar that is shown and saved; one line in the load-error log tells it:
//   Steel type 2 ("S5") is of kind 5, which does not exist; it is read as a bar (kind 1)
// type is the record's 0-based index among the section's steel types.
void HoldSteelKind(SteelTypeRec& s, int type);

// Gives a beam the shape a document written from it reopens with, before the beam is made
// ready. A document carries no shape code and no count of void regions: its outline makes
// every section a user outline, in which validation recognises a rectangle, T, I or circle
// (TBeam::RecogniseShape); the name and parameters of a library shape travel with it, a
// catalogue section's do not. So every outline recognised as one of those becomes that shape,
// with its library name and its parameters from the outline (a rectangle, T or I of that name
// keeps the sizes its outline was built from on the outline's grid). A library shape whose
// outline is none of them becomes a user outline that keeps its name, as its document reopens
// it; a catalogue section or a user outline whose outline is none of them stays as it is (its
// document reopens it as a user outline, and what is saved of it is the same).
void HoldShape(TBeam& beam);

// Why a section made ready (validated) from an older file cannot be opened, in the words the
// document reader uses for the same fault: a layer or a value no section holds
// (model/LayerLimits.h, model/ValueLimits.h; "... The file cannot be read."), or an outline
// naming a concrete type the section does not define (model/ModelHelpers.h). Empty when a
// document written from the section is read back as the same section.
std::string UnheldReadySectionText(const TStructure& s);
