#pragma once
// The widest values a section is built from: physical bounds far beyond any real section, held
// so that nothing computed from a value overflows. The material and reinforcement list pages
// take typed values within them, and the import of predecessor sheets refuses a cell past them.

// The largest magnitude of a value of unit kind `kind` (foundation/Units.h), in SI units:
// lengths 1000 m, areas 1 m^2, strains 10, stresses and moduli 1e12 Pa, any other value 1e9.
double LargestSectionValue(int kind);
