#pragma once
// Loading a beam section from a data file of an older kind: the kind is told by the file's
// first bytes, the reader of that kind fills the cleared beam, and a section that was read is
// validated. Every refusal is said in a message box: a missing file ("Open Error"), a file of
// no known kind or of an unsupported version, a file that its reader refused, with the
// reader's reason, a file that yields no concrete section ("Invalid File"), and a section that
// its document would not be read back as (SectionAsDocument.h).

#include <cstdint>
#include <span>
#include <string>

#include "files/legacy/LegacyReadResult.h"

class TBeam;
class TShell;

// The body of TBeam::Load: 1 when the section was read, 0 otherwise. The missing default
// file "q2k.q2k" beside the program is not reported. The element index is not used.
int LoadBeamFile(TBeam& beam, const std::string& fileName, int elementIndex);

// The same from the file's bytes (the in-memory entry point of tests and fuzzers).
LegacyReadResult LoadBeamBytes(TBeam& beam, std::span<const std::uint8_t> bytes);

// The body of TShell::Load: membrane elements are read from XML documents only (the
// elementIndex-th p3g_shell component, from 1); any other file is refused with a message.
int LoadShellFile(TShell& shell, const std::string& fileName, int elementIndex);

// Installs the readers, and the filler of the built-in example elements, into the section
// model's seams.
void InstallFileReaders();
