#pragma once
// The fire-exposure defaults of a new structure. They belong to the fire analysis, which
// supplies them to the section model.

// Gives exposure 7 (bottom, sides and top exposed), type 0 (the ISO 834 curve), rebarperform 0
// (mild reinforcement), time 1800 s and constanttemp 1000 degrees. Returns 1.
int GetDefaultFireData(
    int& exposure, int& type, int& rebarperform, double& time, double& constanttemp);

// 1 when the settings are near the defaults: the three codes equal to them, the time within
// 60 s of 1800 s and the temperature within 1 degree of 1000. Documents keep every setting
// that their texts can tell from the default, nearer ones too.
int IsDefaultFireData(int exposure, int type, int rebarperform, double time, double constanttemp);

// The settings the post-fire parameters dialog stores: an exposure of 5 minutes to 10 hours
// (s), a constant fire temperature of 0 to 2000 degrees C, an exposure mask of at least one
// face (1 to 7), a fire curve 0 to 2 and a reinforcement fire type 0 to 3.
inline constexpr double kMinFireExposure = 300.0;
inline constexpr double kMaxFireExposure = 36000.0;
inline constexpr double kMaxFireTemperature = 2000.0;
inline constexpr int kMaxFireExposureMask = 7;
inline constexpr int kMaxFireCurveType = 2;
inline constexpr int kMaxRebarFireType = 3;
