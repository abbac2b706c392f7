#pragma once
// Numbers typed into the fields of the dialogs, read one way: the text must hold one decimal
// number and nothing else but blanks around it (an empty or blank field reads as 0, as the
// dialogs have always read it), finite and within the range the field accepts. A text that
// fails (no number, a number followed by other text as in "0,5" or "5mm", or one out of range)
// gives the message that names the field and its range, and nothing is taken. Documents are
// read elsewhere and are not held to these ranges.
//
// And the one conversion of a computed double (a pixel position, a count) to int.

#include <string>

// v truncated toward zero, held to the range of int: NaN gives 0, values past either end
// give that end.
int ClampToInt(double v);

// The number a typed text holds: 0 for an empty or blank text, NaN for a text that holds no
// number or more than one (every reader below refuses it); may be infinite.
double TypedNumber(const std::string& text);

// The range a field accepts, in stored (SI) units, shown in the unit kind of foundation/Units.h;
// a plain number (kind 0) may name its unit ("years", "degrees C").
struct TypedRange {
    double low = 0.0;
    double high = 0.0;
    int kind = 0;
    std::string unit = {};
    // Any finite value is taken and the setter holds it to the range (the message says so).
    bool heldByModel = false;
};

// "<field> must be a number from <low> to <high> <unit>." in the active unit system.
std::string TypedRangeMessage(const std::string& field, const TypedRange& range);

// Reads a text typed in the active unit system. Accepted: value gets it in stored units and
// the result is empty. Refused: the result is the message and value is left as it was.
std::string ReadTypedValue(const std::string& text, const std::string& field, const TypedRange& range,
                           double& value);

// The same for a field whose sign is dropped: the magnitude must lie within the range (whose
// low end is not negative); value gets the magnitude.
std::string ReadTypedMagnitude(const std::string& text, const std::string& field, const TypedRange& range,
                               double& value);

// Reads a count: a whole number from low to high ("<field> must be a whole number from ...").
std::string ReadTypedCount(const std::string& text, const std::string& field, int low, int high, int& value);

// The first typed value a dialog refuses: the field (as the dialog numbers its fields) and the
// message; field -1 when every value was taken.
struct TypedRefusal {
    int field = -1;
    std::string message = {};
    explicit operator bool() const { return field >= 0; }
};

// Sustained and sectional loads a section may be given (N, N m): far beyond any member built.
inline constexpr double kMaxTypedForce = 1e9;
inline constexpr double kMaxTypedMoment = 1e9;
