#pragma once
// What the post-fire parameters dialog shows and how its entries are stored, without its
// window. The beam keeps the exposure mask (1 bottom, 2 sides, 4 top), the fire curve
// (0 ISO 834, 1 petroleum, 2 constant temperature), the reinforcement's fire behaviour, the
// exposure time in s and the constant temperature in degrees C. The temperature is shown in
// degrees F (1.8 T + 32) in US customary units.

#include <array>
#include <string>

#include "foundation/TypedNumber.h"

class TStructure;

inline constexpr std::array<const char*, 4> kRebarFireTypes = {
    "Mild/Prestressed Steel", "GFRP: Glass Fiber Reinforced Polymer", "CFRP: Carbon Fiber Reinforced Polymer",
    "AFRP: Aramid Fiber Reinforced Polymer"};

struct FireFields {
    bool bottom = false, sides = false, top = false;
    int curve = 0; // -1: no curve radio checked
    std::string minutes, temperature, temperatureUnit;
    int rebarType = 0;
};

FireFields ShowFireFields(const TStructure& s);
// The first refused entry: field 0 the exposure time (not a finite number: a finite one outside
// 5 min .. 10 h is corrected on storing), 1 the temperature (0 to 2000 degrees C).
TypedRefusal CheckFireFields(const FireFields& typed);
// Corrects a missing face and an exposure outside 5 min .. 10 h with a message each and
// stores the settings; stores nothing when CheckFireFields refuses. Returns 1 when they changed.
int ApplyFireFields(TStructure& s, const FireFields& typed);
