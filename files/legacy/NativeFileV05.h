#pragma once
// Reader of the old native section file, version 0.5 (tag "Q4W96"): a 45-byte header, a
// section block, a geometry block, then concrete, region, reinforcing-steel,
// prestressing-steel, bar-layer, transverse-layer and tendon-layer records and a loads block,
// little-endian without padding, values in SI units.
//
// The whole file is checked before the beam is touched: a file that ends inside a block, or
// whose counts are negative or above what a beam holds (150 regions), is refused with the
// reason and the beam is left as it was.

#include <cstdint>
#include <span>
#include <string>

#include "files/legacy/LegacyReadResult.h"

class TBeam;

// Reads the file's bytes into the beam.
LegacyReadResult ReadNativeV05Bytes(TBeam& beam, std::span<const std::uint8_t> bytes);
// Reads the file; 1 when read, 0 when it could not be opened or was refused.
int ReadNativeFileV05(TBeam& beam, const std::string& path);
