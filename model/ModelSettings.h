#pragma once
// Program-wide options of the concrete models, written by TStructure::SetConcreteModelSet
// and read by the layer solver.

// The concrete model-set code last applied (15 at start).
extern int g_ConcreteModelSet;
// While not 0 the layer solver reduces the concrete's cracking stress under transverse
// compression (1 at start; model set 16 turns it off).
extern int g_CrackingReductionOption;
