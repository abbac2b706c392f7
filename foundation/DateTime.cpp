#include "foundation/DateTime.h"

#include <chrono>
#include <ctime>

#include "foundation/StrFormat.h"

namespace {

std::uint64_t SystemMilliseconds()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

LocalDateTime SystemLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    if (localtime_r(&now, &parts) == nullptr)
        return LocalDateTime{};
    return LocalDateTime{parts.tm_year + 1900,
                         parts.tm_mon + 1,
                         parts.tm_mday,
                         parts.tm_hour,
                         parts.tm_min};
}

TimerSource& CurrentTimerSource()
{
    static TimerSource source = SystemMilliseconds;
    return source;
}

LocalTimeSource& CurrentLocalTimeSource()
{
    static LocalTimeSource source = SystemLocalTime;
    return source;
}

} // namespace

std::string FormatDateStamp(const LocalDateTime& t)
{
    return StrPrintf("%d/%d/%d", t.year, t.month, t.day);
}

std::string FormatDateTimeStamp(const LocalDateTime& t)
{
    const bool pm = t.hour >= 12;
    int hour = t.hour % 12;
    if (hour == 0)
        hour = 12;
    return StrPrintf("%d/%d/%d - %d:%02d %s",
                     t.year,
                     t.month,
                     t.day,
                     hour,
                     t.minute,
                     pm ? "pm" : "am");
}

std::string DateStamp()
{
    return FormatDateStamp(CurrentLocalTimeSource()());
}

std::string DateTimeStamp()
{
    return FormatDateTimeStamp(CurrentLocalTimeSource()());
}

std::int32_t TimerMilliseconds()
{
    // Unsigned arithmetic wraps by definition; the conversion to int32 is modulo 2^32 (C++20).
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(CurrentTimerSource()()));
}

std::int32_t TimerCentiseconds()
{
    return TimerMilliseconds() / 10;
}

TimerSource SetTimerSource(TimerSource source)
{
    TimerSource previous = std::move(CurrentTimerSource());
    CurrentTimerSource() = source ? std::move(source) : TimerSource(SystemMilliseconds);
    return previous;
}

LocalTimeSource SetLocalTimeSource(LocalTimeSource source)
{
    LocalTimeSource previous = std::move(CurrentLocalTimeSource());
    CurrentLocalTimeSource() = source ? std::move(source) : LocalTimeSource(SystemLocalTime);
    return previous;
}
