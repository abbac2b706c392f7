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
