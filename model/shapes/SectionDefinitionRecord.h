#pragma once
// The shape that the section pages describe and the labelled text reader fills: a
// shape-library index, the catalogue code (kStandardTypeCode, with StandardIndex the catalogue
// slot) or the user-outline code, and the six shape parameters in m (for a catalogue shape,
// parameters 3 and 4 are the depth and width of an added slab). It outlives a dialog or a
// read: a labelled text file that names no shape leaves the code that was there.

#include <array>
#include <cstdint>

struct SectionDefinition {
    std::int16_t ShapeCode = 0;
    std::int16_t StandardIndex = -1;
    std::array<double, 6> Parameters{};

    bool operator==(const SectionDefinition&) const = default;
};
extern SectionDefinition g_SectionDefinition;
