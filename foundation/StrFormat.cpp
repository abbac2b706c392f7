#include "foundation/StrFormat.h"

#include <cmath>
#include <cstdio>
#include <vector>

std::string StrVPrintf(const char* fmt, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (needed <= 0)
        return std::string();
    std::string out(static_cast<std::size_t>(needed) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), fmt, args);
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
