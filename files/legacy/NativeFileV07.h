#pragma once
// Reader of the old native section file, versions 0.7 and 0.8 (tag "Q4W96"): a 45-byte header,
// a section block, concrete and steel records, byte images of the longitudinal layers, the
// transverse layers and the regions, the loads, and in version 0.8 three strain tables and
// the user stress-strain curves of concrete. Each section carries a revision number that
// selects the defaults of the values older revisions lack.
//
// The file is decoded whole before the beam is touched: a file that ends inside a block, or
// whose counts are negative or above what the beam holds (150 regions, user curves for more
// concrete types than there are, strain tables longer than the file), is refused with the
// reason and the beam is left as it was.

#include <cstdint>
#include <span>
#include <string>

#include "files/legacy/LegacyReadResult.h"

class TBeam;

// Reads the file's bytes (version 7 or 8) into the beam.
LegacyReadResult
ReadNativeV07V08Bytes(TBeam& beam, std::span<const std::uint8_t> bytes, int version);
// Read the file; 1 when read, 0 when it could not be opened or was refused.
int ReadNativeFileV07V08(TBeam& beam, const std::string& path, int version);
int ReadNativeFileV07(TBeam& beam, const std::string& path);
int ReadNativeFileV08(TBeam& beam, const std::string& path);
