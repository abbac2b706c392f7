#pragma once
// Number and text conventions shared by the element callbacks of the structures: how the
// values of data documents are read and written, and the messages for names the callbacks do
// not know.
//
// Values in a document are in the display units of the document's unit system: written as
// stored SI value x factor, read as number / factor. The unit system arrives as a pointer to
// the document's index; a null pointer or an index outside 0-3 counts as SI.

#include <cstdint>
#include <limits>
#include <string>

#include "foundation/TDepthTable.h"

class TTextBuffer;

// The placeholder that an attribute text holds before a callback fills it.
inline constexpr const char* kNoDefinitionText = "No definition yet!";
// The placeholder of the beam's and the shell's own elements.
inline constexpr const char* kNoDefinitionOwnText = "NO definition yet";
// The attribute text that tells the writer to leave the attribute out.
inline constexpr const char* kIgnoreText = "IGNORE";
// The default text handed to SetAttribute for an attribute without a quoted default.
inline constexpr const char* kNotFoundText = "NOT FOUND";

// The document's unit system (0-3).
int DocumentUnits(const int* unitSystem);

// The longest decimal prefix after leading blanks: sign, digits, point, digits, exponent.
// Text without one reads as 0; a number is held within +-1e300, so that no unit factor carries
// it out of the double range (a check of the value then refuses it by its record).
double ReadDocumentNumber(const std::string& text);
// The number the text spells after leading blanks as it is written, without the bounds of
// ReadDocumentNumber: NaN for "nan", an infinity for "inf" or a number past the range of a
// double, 1e300 for "1e300"; 0 for text without a number. For the values that a reader
// judges itself, so that a value that is no number is refused rather than read as 0.
double ReadDocumentNumberAsWritten(const std::string& text);
// Sign and digits after leading blanks, held within the 32-bit range; else 0.
int32_t ReadDocumentInteger(const std::string& text);
// The low 16 bits of the integer, as the code fields keep them.
int16_t ReadDocumentCode(const std::string& text);

// An integer field of a document: sign and digits after leading blanks, as ReadDocumentInteger
// reads them (text without digits reads as 0), but never wrapped nor saturated. A number
// outside [lowest, highest] is not stored: the load-error log names the element, the
// attribute and the text, and `value` keeps what it held. True when stored.
bool ReadDocumentInteger(const std::string& text,
                         long long lowest,
                         long long highest,
                         long long& value,
                         const std::string& element,
                         const std::string& attribute);

// The same for a field of integer type T, within T's range.
template <typename T>
bool ReadDocumentInteger(const std::string& text,
                         T& field,
                         const std::string& element,
                         const std::string& attribute)
{
    long long value = field;
    if (!ReadDocumentInteger(text,
                             std::numeric_limits<T>::min(),
                             std::numeric_limits<T>::max(),
                             value,
                             element,
                             attribute))
        return false;
    field = static_cast<T>(value);
    return true;
}

// Stored -> document and document -> stored for unit kind `kind` in the document's system.
double ToDocument(double value, int kind, const int* unitSystem);
double FromDocument(const std::string& text, int kind, const int* unitSystem);

// printf of one number of a document. A value that the format cannot show to ten significant
// digits (a unit factor that is no power of ten, a value finer than the format's decimals) is
// written with ten significant digits instead ("%.10g"). So no value moves by more than 5e-10
// of itself through a save and a read, in any unit system, and saving what was read writes
// the same text, also where other values are derived from it.
std::string FormatValue(const char* format, double value);
// While one is alive, every number FormatValue, FormatSingleValue and FormatExactValue write is
// written with all the digits a double needs (the shortest text that reads back as exactly the
// value), not in its format: a document written so shows every value a structure holds to the
// last bit, so that two structures are compared value by value by comparing their texts. What
// the writer decides by the text a value is written as (whether a bar travels with its own size,
// whether settings differ from their defaults) it decides under one made with exact false, as
// the document itself is written, so that the text written exactly holds the same elements.
class ExactDocumentNumbers {
public:
    explicit ExactDocumentNumbers(bool exact = true);
    ~ExactDocumentNumbers();
    ExactDocumentNumbers(const ExactDocumentNumbers&) = delete;
    ExactDocumentNumbers& operator=(const ExactDocumentNumbers&) = delete;

private:
    bool m_previous;
};
// The same for values that passed through single precision (the member definition's quick
// record): the format's text is kept when it lies within this (relative) of the value.
inline constexpr double kSinglePrecisionFormat = 5e-7;
std::string FormatSingleValue(const char* format, double value);
// printf of one number, unless the text would not read back as exactly the value: then with
// all the digits a double needs.
std::string FormatExactValue(const char* format, double value);

// The formats of a material curve's rows in a document body: strain, then stress (magnitudes).
inline constexpr const char* kCurveStrainFormat = "%5.3f";
inline constexpr const char* kCurveStressFormat = "%5.2f";
// A value of unit kind `kind` as a document keeps it: the double that FormatValue's text of its
// magnitude, in any format, reads back as, its sign kept (FormatValue keeps the format's text
// only where it reads back as the ten digits do). Computed without the text. A curve made of
// such values is the curve the document gives back, and so is everything derived from it.
double AsDocumentKeepsIt(double value, int kind, const int* unitSystem);

// The element of the stirrups' own thermal strains (rows of layer name and strain), written only
// when a stirrup carries one.
inline constexpr const char* kStirrupStrainElement = "transthermz";

// What starts each row of numbers in an element body: a line end and five TABs.
inline constexpr const char* kBodyRowStart = "\r\n\t\t\t\t\t";

// "Unknown Attribute for %s : %s." / "Error in XML file".
void ReportUnknownAttribute(const std::string& element, const std::string& attribute);

// Sets the document's unit system from the first letter, upper-cased, of a units value (M SI,
// U US customary, O kg/cm, R roman) and, with g_FileOverride set, g_UnitSystem too. Another
// letter shows "Units Error" and takes the document as SI. Returns 1.
int ReadDocumentUnits(const std::string& value, int* unit);

// The next word of an element body: blanks are skipped, then the word is read. A cursor that
// a word cannot pass (a '>' inside a body) moves on by one character, so loops over a body
// always end. False at the end of the text.
bool ReadBodyWord(TTextBuffer& body, std::string& word);
// The next quoted text of a body (blanks skipped first), unescaped. False at the end.
bool ReadBodyQuoted(TTextBuffer& body, std::string& text);
// The same text as it stands in the body, its entities not yet decoded.
bool ReadBodyQuotedRaw(TTextBuffer& body, std::string& text);

// Depth profiles in element bodies: rows of (height above the bottom in the section length
// unit, strain in the strain unit). Reading stores heights as they stand; a missing last
// strain reads as 0.
TDepthTable ReadProfileRows(TTextBuffer& body, const std::string& name, const int* unit);
void AppendProfileRows(TTextBuffer& body,
                       const TDepthTable& table,
                       double bottom,
                       const char* heightFormat,
                       const char* strainFormat,
                       const int* unit);
