#pragma once
// Numbers in text with the decimal point whatever the language setting of the process: the
// program's documents, catalogues, reports, clipboard text and windows read and write "0.5" on
// every machine and in every session. These are the C library's conversions with the "C"
// setting's numeric rules on the calling thread, the same syntax and formats in every other way.

#include <cstdarg>
#include <cstddef>

// strtod of the "C" setting: leading blanks, sign, digits, decimal point, exponent (and the
// library's words and hexadecimal form); *end, when given, past the number read.
double DecimalStrtod(const char* text, char** end);

// snprintf and vsnprintf with the decimal point.
int DecimalSnprintf(char* buffer, std::size_t size, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
int DecimalVsnprintf(char* buffer, std::size_t size, const char* fmt, va_list args);
