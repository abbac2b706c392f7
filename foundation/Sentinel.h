#pragma once
// The marker for "not defined" in material records, tables and outline lists, for a
// ruptured bar in place of a steel stress, and for a strength that was not found.
// Stored files carry it as written, so the value itself is part of the file format.

#include <cmath>

inline constexpr double kUndefined = 3.1415626e31;

// Bar stresses at or above this mark a ruptured bar in a solved state.
inline constexpr double kRupturedStress = 1e30;

inline bool IsUndefined(double x) { return std::fabs(x - kUndefined) < 1e25; }
