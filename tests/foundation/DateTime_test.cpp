#include "foundation/DateTime.h"

#include <gtest/gtest.h>

namespace {

TEST(DateTimeTest, StampsUseATwelveHourClockWithoutPadding)
{
    const std::pair<int, const char*> rows[] = {{0, "2024/3/9 - 12:05 am"},
                                                {12, "2024/3/9 - 12:05 pm"},
                                                {23, "2024/3/9 - 11:05 pm"}};
    for (const auto& [hour, stamp] : rows) {
        SCOPED_TRACE(stamp);
        const LocalDateTime t{2024, 3, 9, hour, 5};
        ScopedLocalTimeSource clock([t] { return t; });
        EXPECT_EQ(DateTimeStamp(), stamp);
        EXPECT_EQ(DateStamp(), "2024/3/9");
    }
}

TEST(DateTimeTest, TimersWrapAt32BitsAndDifferencesAcrossTheWrapStaySmall)
{
    const struct {
        std::uint64_t ms;
        std::int32_t milli;
        std::int32_t centi;
    } rows[] = {
        {2147483648ull, -2147483647 - 1, -214748364}, // 2^31 wraps to the most negative
        {2147483653ull, -2147483643, -214748364},     // truncated toward zero
        {4294967296ull + 7, 7, 0},                    // 2^32 + 7
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ms);
        ScopedTimerSource timer([&row] { return row.ms; });
        EXPECT_EQ(TimerMilliseconds(), row.milli);
        EXPECT_EQ(TimerCentiseconds(), row.centi);
    }
    std::uint64_t now = 4294967296ull - 30; // 30 ms before the wrap
    ScopedTimerSource timer([&now] { return now; });
    const std::int32_t before = TimerMilliseconds();
    now += 50;
    EXPECT_EQ(static_cast<std::uint32_t>(TimerMilliseconds()) - static_cast<std::uint32_t>(before),
              50u);
}

} // namespace
