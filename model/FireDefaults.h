#pragma once
// The fire-exposure defaults of a new structure. They belong to the fire analysis, which
// supplies them to the section model.

// Gives exposure 7 (bottom, sides and top exposed), type 0 (the ISO 834 curve), rebarperform 0
// (mild reinforcement), time 1800 s and constanttemp 1000 degrees. Returns 1.
int GetDefaultFireData(
    int& exposure, int& type, int& rebarperform, double& time, double& constanttemp);
