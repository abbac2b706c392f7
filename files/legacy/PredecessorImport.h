#pragma once
// Import of a predecessor-program data file ("QUARVISH-DATA-FILE") as a beam section: the cell
// sheet is read (PredecessorCells.h), the section is built from its labelled blocks, and the
// concrete regions are re-cut through a width raster, which also finds depths where the old
// file placed more than one concrete type side by side.
//
// Counts in the sheet are held within the sheet's 220 rows, so rows beyond it read as absent
// cells; more than 150 regions (what a beam holds) refuse the file; type numbers that name no
// type (0 among them) use type 1, with a line in the load-error log.

#include <cstdint>
#include <span>
#include <string>

#include "files/legacy/LegacyReadResult.h"

class PredecessorCellTable;
class TBeam;

// Builds the beam from the sheet. mixedTypes becomes 1 when a depth held more than one
// concrete type, else 0.
LegacyReadResult
ImportPredecessorSection(TBeam& beam, const PredecessorCellTable& table, int& mixedTypes);

// Re-cuts the source's regions into the target through a raster of 0.1 mm rows, the section
// turned by theta. flag becomes 1 when two concrete types share a depth (with show set, the
// first such depth is also reported). Answers 0, leaving the target without regions, when the
// section is too large for the raster, and -1, likewise, when the re-cut gives more regions
// than the target holds.
int RebuildRegionsFromRaster(double theta, const TBeam& source, TBeam& target, int& flag, int show);

// Reads and imports the file's bytes; a section with a layer no section holds is refused
// (files/legacy/HeldLayers.h). mixedTypes is set to 1 when the raster found more than one
// concrete type at a depth and left alone otherwise.
LegacyReadResult
ImportPredecessorBytes(TBeam& beam, std::span<const std::uint8_t> bytes, int& mixedTypes);
// Reads and imports the file; 1 when imported, 0 when it cannot be read or was refused.
int ImportOldProgramFile(TBeam& beam, const std::string& path, int& mixedTypes);
