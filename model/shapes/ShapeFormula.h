#pragma once
// Evaluation of the compiled outline formulas of the shape library on the value stack.
//
// A compiled formula is a byte string: '0'-'9' and '.' spell numbers (mm), '+', '-', '*', '/',
// '(' and ')' are the operators, 30 + i stands for parameter i, a line feed ends the row, and a
// row holding only '$' or '%' is a DOWN or UP marker. Products and quotients bind before sums
// and differences, equal operators group from the left, and a sign may open a formula or a
// parenthesis ("-b", "(-b+h)").

#include <array>
#include <cstddef>
#include <string>

#include "foundation/ExpressionStack.h"

inline constexpr int kMaxShapeParams = 6;

// Parameter values of an evaluation (m for a shape, mm for its formulas).
using ShapeParams = std::array<double, kMaxShapeParams>;

// Bytes of a compiled formula besides '0'-'9', '.', '+', '-', '*', '/', '(' and ')'.
namespace ShapeCode {
inline constexpr char kFirstParam = 30; // 30 + i stands for parameter i
inline constexpr char kDown = '$';      // a DOWN marker row
inline constexpr char kUp = '%';        // an UP marker row
inline constexpr char kRowEnd = '\n';
inline constexpr char kUnknown = 0; // a variable no parameter answers to
} // namespace ShapeCode

// Marker rows evaluate to +-3.1415626e31. A height of this magnitude or more (mm) with every
// parameter at 0 is out of range and refused when the library is read.
inline constexpr double kShapeMarkerThreshold = 1e25;

// Entries the value stack holds.
inline constexpr int kFormulaStackEntries = TEquationStack::kMaxEntries;

enum class FormulaStatus {
    Ok,
    TooDeep,   // more values pending than the stack holds
    Malformed, // operator or parenthesis out of place, unknown variable, missing row end
};

// Which marker a row is: told by its code, never by its value.
enum class ShapeMarker { None, Down, Up };

struct FormulaResult {
    double value = 0.0;
    FormulaStatus status = FormulaStatus::Malformed;
    ShapeMarker marker = ShapeMarker::None;
};

// Evaluates the row of code that starts at cursor with the parameter values (mm) and leaves
// cursor after the row's line feed (or at the end of the code). A DOWN marker row gives
// +3.1415626e31 and the marker Down, an UP marker row -3.1415626e31 and Up.
FormulaResult
EvaluateShapeFormula(const std::string& code, std::size_t& cursor, const ShapeParams& paramsMm);
