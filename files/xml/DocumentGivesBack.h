#pragma once
// A section holds every value as its document gives it back. A document keeps a value as text
// in the display units of the unit system it is written in, so a value that a page, a command,
// a reader of another format or a unit switch put in a section reopens from its document as
// the nearest value that text spells, which may differ from the one held in its last bits and
// so solve otherwise. Keeping the section as its document gives it back makes the session's
// section and the reopened one the same to the last bit: Save, a new session's File > Open and
// a solve give the stages of the session, and a second save the same bytes.
//
// The one conversion of a number is the document's own: the section is written by the
// document writer, in the unit system given, and read back by the document reader.

class TStructure;

// Replaces every value of a beam section by the one that a document written of it in the unit
// system (0-3) gives back, as a new session reading that document would hold it, in place;
// what no document of a section keeps stays as it was: the member values an older file
// brought (the member settings keep the member), the data lists, the values an older file
// carries for its own format, the section number, references and modified flag. Done again it
// changes nothing. The program-wide settings a read may set (unit system, resistance factors, the
// quick-define flag, the recognised outline, the concrete-model options and the load-error log) are
// left as they were. True when the values were taken; false, the section untouched, for a structure
// of another kind, a frozen one, and one whose document the writer refuses or that the reader would
// not read back without a word.
bool KeepAsDocumentGivesBack(TStructure& structure, int unitSystem);
