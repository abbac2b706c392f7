#include "foundation/DecimalPoint.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

// The "C" setting, made once (the C library hands out its own built-in object for it).
locale_t CSetting()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

// The "C" setting on this thread while the guard lives.
class InCSetting {
public:
    InCSetting() : m_previous(uselocale(CSetting())) {}
    ~InCSetting() { uselocale(m_previous); }
    InCSetting(const InCSetting&) = delete;
    InCSetting& operator=(const InCSetting&) = delete;

private:
    locale_t m_previous;
};

} // namespace

double DecimalStrtod(const char* text, char** end)
{
    return strtod_l(text, end, CSetting());
}

int DecimalVsnprintf(char* buffer, std::size_t size, const char* fmt, va_list args)
{
    const InCSetting c;
    return std::vsnprintf(buffer, size, fmt, args);
}

int DecimalSnprintf(char* buffer, std::size_t size, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const int n = DecimalVsnprintf(buffer, size, fmt, args);
    va_end(args);
    return n;
}
