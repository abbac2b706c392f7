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

// The member a new section of height h gets: a shear span of 3h followed by a constant-moment
// zone of h, plates of 150 mm and the yield-penetration factor 0.022, point loads.
TMemberQuickDef NewSectionMemberValues(double height);

// Makes the record describe a whole member, one whose supports and loads lie within its
// length: every value that would not (a shear span that is not a positive length, a constant-
// moment zone, plate or penetration that is negative, any value that is no finite number)
// takes the value of a new section's member of that height. True when a value was replaced.
bool CompleteMemberValues(TMemberQuickDef& q, double height);
