#pragma once
// Reader of the labelled text input format: a keyword text describing one or more beam
// sections, each opened by an "INPUT-LABEL" line. Numbers are in the display units of the
// file's unit system (UNITS key) and stored in SI units.
//
// The text is read as the program always read it: in reads of at most 127 characters (the
// rest of a longer line is read as the next line), words separated by blanks only, the line end
// belonging to the last word. Every text lands in its field cut to the field's width; keys of
// a block whose record could not be appended are ignored; shape codes are accepted only for
// filled slots of the shape library.

#include <string>
#include <string_view>

#include "files/legacy/LegacyReadResult.h"

class TBeam;

// Removes trailing LF, CR and TAB characters, turns TABs into blanks, removes leading blanks
// and, with upper non-zero, upper-cases the text.
void TrimInputLine(std::string& text, int upper);

// Asks the user which section of a file to load: title, prompt and the label offered, which
// the answer replaces. False when the user cancelled.
using SectionLabelPrompt = bool (*)(const std::string& title,
                                    const std::string& prompt,
                                    std::string& label);
// Installs the prompt (null: the label offered is taken); returns the one replaced.
SectionLabelPrompt SetSectionLabelPrompt(SectionLabelPrompt prompt);

// Reads the text of a file into the beam; refused when it holds no section.
LegacyReadResult ReadLabelledText(TBeam& beam, std::string_view text);
// Reads the file; 1 when read, 0 when it cannot be read or holds no section.
int ReadLabelledTextFile(TBeam& beam, const std::string& path);
