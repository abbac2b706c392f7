#pragma once
// printf-style formatting into a std::string (the compiler here has no <format>).

#include <cstdarg>
#include <string>

std::string StrPrintf(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string StrVPrintf(const char* fmt, va_list args);

// Copies at most maxChars characters of text: the bound of a fixed-width text field
// of stored files (a 100-character field keeps 99 characters and its terminator).
std::string BoundedCopy(const std::string& text, std::size_t maxChars);

// v for a fixed-point format with the given number of decimals, +0.0 when it rounds to zero,
// so that a tiny negative value is not shown as "-0.0".
double UnsignedZero(double v, int decimals);

// As StrPrintf, but a floating value that shows as a signed zero ("-0", "-0.00") is shown as
// the positive zero in the same field, so that a value rounding to zero never reads "-0".
std::string StrPrintfUnsignedZeros(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string StrVPrintfUnsignedZeros(const char* fmt, va_list args);
