#pragma once
// Date stamps for section definitions and reports, and the clocks that time the analyses.
// Both the wall clock and the local calendar time come from replaceable sources, so tests can
// set the time.

#include <cstdint>
#include <functional>
#include <string>

// A local calendar time: month 1-12, day 1-31, hour 0-23, minute 0-59.
struct LocalDateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    bool operator==(const LocalDateTime&) const = default;
};

// "%d/%d/%d" of year, month, day.
std::string FormatDateStamp(const LocalDateTime& t);
// "%d/%d/%d - %d:%02d am" or "... pm" on a 12-hour clock: hours 0-11 are am, 12-23 pm, and
// hours 0 and 12 are shown as 12.
std::string FormatDateTimeStamp(const LocalDateTime& t);

// Today's local date / date and time, from the local time source.
std::string DateStamp();
std::string DateTimeStamp();

// The system clock as seconds x 1000 + milliseconds, cut to 32 bits: it wraps every 2^32 ms
// (about 49.7 days), so only differences over short spans mean anything.
std::int32_t TimerMilliseconds();
// TimerMilliseconds() / 10, truncated toward zero: hundredths of a second, for timing runs.
std::int32_t TimerCentiseconds();

// Sources: milliseconds since the epoch, and the local calendar time. Null restores the system
// source. Each setter returns the source it replaced.
using TimerSource = std::function<std::uint64_t()>;
using LocalTimeSource = std::function<LocalDateTime()>;
TimerSource SetTimerSource(TimerSource source);
LocalTimeSource SetLocalTimeSource(LocalTimeSource source);

// Installs a source for the lifetime of the guard.
class ScopedTimerSource {
public:
    explicit ScopedTimerSource(TimerSource source) : m_previous(SetTimerSource(std::move(source)))
    {
    }
    ~ScopedTimerSource() { SetTimerSource(std::move(m_previous)); }
    ScopedTimerSource(const ScopedTimerSource&) = delete;
    ScopedTimerSource& operator=(const ScopedTimerSource&) = delete;

private:
    TimerSource m_previous;
};

class ScopedLocalTimeSource {
public:
    explicit ScopedLocalTimeSource(LocalTimeSource source)
        : m_previous(SetLocalTimeSource(std::move(source)))
    {
    }
    ~ScopedLocalTimeSource() { SetLocalTimeSource(std::move(m_previous)); }
    ScopedLocalTimeSource(const ScopedLocalTimeSource&) = delete;
    ScopedLocalTimeSource& operator=(const ScopedLocalTimeSource&) = delete;

private:
    LocalTimeSource m_previous;
};
