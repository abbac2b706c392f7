#include "foundation/StrFormat.h"

#include "foundation/DecimalPoint.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

std::string StrVPrintf(const char* fmt, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int needed = DecimalVsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (needed <= 0)
        return std::string();
    std::string out(static_cast<std::size_t>(needed) + 1, '\0');
    DecimalVsnprintf(out.data(), out.size(), fmt, args);
    out.resize(static_cast<std::size_t>(needed));
    return out;
}

std::string StrPrintf(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string out = StrVPrintf(fmt, args);
    va_end(args);
    return out;
}

std::string BoundedCopy(const std::string& text, std::size_t maxChars)
{
    return text.size() <= maxChars ? text : text.substr(0, maxChars);
}

double UnsignedZero(double v, int decimals)
{
    return std::fabs(v) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : v;
}

namespace {

// Whether a formatted number is a zero with a minus sign ("-0", "-0.00", "-0.0e+00").
bool IsMinusZero(const std::string& number)
{
    const std::size_t sign = number.find('-');
    if (sign == std::string::npos)
        return false;
    for (std::size_t i = sign + 1; i < number.size(); ++i) {
        const char c = number[i];
        if (c == 'e' || c == 'E')
            break;
        if (c >= '1' && c <= '9')
            return false;
    }
    return true;
}

} // namespace

std::string StrVPrintfUnsignedZeros(const char* fmt, va_list args)
{
    // Each conversion is formatted on its own, so that a floating value that shows as a signed
    // zero can be shown again as the positive zero, in the same field.
    std::string out;
    va_list ap;
    va_copy(ap, args);
    const char* p = fmt;
    while (*p) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            out += '%';
            ++p;
            continue;
        }
        std::string spec(start, 1);
        int stars[2] = {0, 0};
        int starCount = 0;
        while (*p && std::strchr("-+ #0", *p))
            spec += *p++;
        for (int part = 0; part < 2; ++part) {
            if (part == 1) {
                if (*p != '.')
                    break;
                spec += *p++;
            }
            if (*p == '*') {
                stars[starCount++] = va_arg(ap, int);
                spec += *p++;
            } else {
                while (*p >= '0' && *p <= '9')
                    spec += *p++;
            }
        }
        std::string length;
        while (*p && std::strchr("hlLqjzt", *p))
            length += *p++;
        if (!*p)
            break;
        const char conversion = *p++;
        spec += length;
        spec += conversion;
        const auto print = [&](auto value) {
            const auto into = [&](char* buffer, std::size_t size) {
                if (starCount == 2)
                    return DecimalSnprintf(buffer, size, spec.c_str(), stars[0], stars[1], value);
                if (starCount == 1)
                    return DecimalSnprintf(buffer, size, spec.c_str(), stars[0], value);
                return DecimalSnprintf(buffer, size, spec.c_str(), value);
            };
            const int needed = into(nullptr, 0);
            if (needed <= 0)
                return std::string();
            std::string text(static_cast<std::size_t>(needed) + 1, '\0');
            into(text.data(), text.size());
            text.resize(static_cast<std::size_t>(needed));
            return text;
        };
        switch (conversion) {
        case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
            if (length == "L") {
                const long double v = va_arg(ap, long double);
                std::string text = print(v);
                out += IsMinusZero(text) ? print(static_cast<long double>(0.0)) : text;
            } else {
                const double v = va_arg(ap, double);
                std::string text = print(v);
                out += IsMinusZero(text) ? print(0.0) : text;
            }
            break;
        case 's':
            out += print(va_arg(ap, const char*));
            break;
        case 'p':
            out += print(va_arg(ap, void*));
            break;
        case 'c':
            out += print(va_arg(ap, int));
            break;
        default: // integers
            if (length == "l")
                out += print(va_arg(ap, long));
            else if (length == "ll" || length == "q" || length == "j")
                out += print(va_arg(ap, long long));
            else if (length == "z" || length == "t")
                out += print(va_arg(ap, std::size_t));
            else
                out += print(va_arg(ap, int));
            break;
        }
    }
    va_end(ap);
    return out;
}

std::string StrPrintfUnsignedZeros(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string out = StrVPrintfUnsignedZeros(fmt, args);
    va_end(args);
    return out;
}
