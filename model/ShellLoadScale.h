#pragma once
// The analysis applies a membrane element's constant in-plane loads Nxx, Nyy, Nxy as stresses
// this many times the stored values (Pa per stored unit).
inline constexpr double kShellLoadStressScale = 1000.0;
