#include "logbook/clock.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

using namespace spritlog;

namespace {

struct DateCase {
    LocalDateTime time;
    const char* date;
    const char* dateTime;
};

TEST(Clock, WritesGermanDateAndTimeTexts) {
    const DateCase cases[] = {
        {{2026, 12, 6, 10, 3, 22}, "06.12.2026", "06.12.2026 10:03:22"},
        {{2004, 1, 1, 0, 0, 0}, "01.01.2004", "01.01.2004"},
        {{2004, 1, 1, 0, 0, 1}, "01.01.2004", "01.01.2004 00:00:01"},
        {{2004, 1, 1, 0, 1, 0}, "01.01.2004", "01.01.2004 00:01:00"},
        {{2004, 1, 1, 12, 0, 0}, "01.01.2004", "01.01.2004 12:00:00"},
        {{1999, 12, 31, 23, 59, 59}, "31.12.1999", "31.12.1999 23:59:59"},
        {{812, 3, 9, 7, 5, 4}, "09.03.0812", "09.03.0812 07:05:04"},
        {{12345, 10, 10, 1, 2, 3}, "10.10.12345", "10.10.12345 01:02:03"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShortDateText(c.time), c.date);
        EXPECT_EQ(DateTimeText(c.time), c.dateTime);
    }
}

TEST(Clock, SystemTimeIsTheLocalCalendarTime) {
    const std::time_t before = std::time(nullptr);
    const LocalDateTime now = SystemLocalTime();
    const std::time_t after = std::time(nullptr);
    std::tm parts{};
    parts.tm_year = now.year - 1900;
    parts.tm_mon = now.month - 1;
    parts.tm_mday = now.day;
    parts.tm_hour = now.hour;
    parts.tm_min = now.minute;
    parts.tm_sec = now.second;
    parts.tm_isdst = -1;
    const std::time_t back = std::mktime(&parts);
    // A daylight-saving switch makes one local hour ambiguous.
    EXPECT_TRUE((back >= before && back <= after) ||
                (back + 3600 >= before && back + 3600 <= after) ||
                (back - 3600 >= before && back - 3600 <= after))
        << ShortDateText(now) << " " << DateTimeText(now);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
}

} // namespace
