#pragma once
// The layers and values of a section read from an older file are held to what the pages take
// (model/LayerLimits.h, model/ValueLimits.h), as a document's are: a file with a layer or a
// value no section holds is refused, its message naming the record and the value.

#include <cstddef>

#include "files/legacy/LegacyReadResult.h"

class TStructure;

// The refusal of a section with a layer or a value no section holds ("Longitudinal layer 3
// ("top") has 2147483647 bars: a layer holds at most 10000 bars. The file cannot be read."),
// stopped at the offset; else a read at the offset.
LegacyReadResult CheckHeldLayers(const TStructure& s, std::size_t offset);
