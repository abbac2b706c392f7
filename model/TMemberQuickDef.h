#pragma once
// The compact member definition that every beam section carries for the full-member
// analysis (the "eleminfo" element of a beam). The section model only stores and copies it;
// the member analysis converts it to and from its full definition. Lengths in m, the axial
// load in N; the narrow types are those of the stored files.

#include <cstdint>

struct TMemberQuickDef {
    float L = 0.0f;           // length subjected to shear
    float leftpercent = 0.0f; // moment at the left end of the shear span / moment at its right
    uint32_t reserved = 0;
    float penetrate = 0.0f; // yield-penetration factor
    uint8_t type = 0;       // 0 point loads, 1 distributed (beam), 2 distributed (footing)
    uint8_t left = 0;       // left end case
    uint8_t right = 0;      // right end case
    float mido2 = 0.0f;     // length of the constant-moment zone right of the shear span
    uint8_t marker = 0;
    float lplate = 0.0f; // left plate size
    float rplate = 0.0f; // right (and top) plate size
    float constAxialLoad = 0.0f;

    bool operator==(const TMemberQuickDef&) const = default;
};
