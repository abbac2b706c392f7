#pragma once
// Temperature laws of the materials in fire: factors on the value at 20 degrees C by which
// the strength, stiffness and peak strain of concrete and of reinforcement are reduced (or,
// for the peak strain, raised) at a temperature T in degrees C.

// How the reinforcement behaves in fire (the reinforcement fire type of a structure's fire
// settings).
enum RebarFireType : int {
    kMildSteel = 0, // mild or prestressed steel
    kGFRP = 1,      // glass-fibre-reinforced polymer
    kCFRP = 2,      // carbon-fibre-reinforced polymer
    kAFRP = 3,      // aramid-fibre-reinforced polymer
};
inline constexpr int kRebarFireTypeCount = 4;

// Starting temperature of every section and of the spare grid row and column (degrees C).
inline constexpr double FireStartTemperature = 20.0;

// ((T - 20)^2 0.04 + 6 (T - 20) + 2500) / 2500, at most 20 (1 at 20 degrees).
double ConcretePeakStrainFactor(double T);
// 1 below 100; 1.067 - 0.00067 T up to 400; max(0.05, 1.44 - 0.0016 T) below 900; 0.05 beyond.
double ConcreteStrengthFactor(double T);
// 1 below 100; 1.2 - 0.0021 T below 450; 0.05 from 450 (the law's third branch,
// max(0.05, 0.424 - 0.00385 T), never rises above its floor there).
double ConcreteStiffnessFactor(double T);

// Steel and fibre-reinforced bars: the elastic modulus and the strength factors. A type outside
// 0..3 counts as mild steel (see CheckRebarFireType). Both reach 0: steel at 1200 degrees, GFRP
// and CFRP at 400, AFRP at 500 (stiffness) and 474.5 (strength); none is ever negative. CFRP
// keeps 95 % of its strength at 20 degrees.
double SteelStiffnessFactor(double T, int type);
double SteelStrengthFactor(double T, int type);

// The reinforcement fire type a run uses: the type itself when it lies in 0..3; otherwise
// mild steel, with a line naming the value and the structure in the load-error log.
int CheckRebarFireType(int type, const char* structureName);
