#pragma once

#include <functional>
#include <string>

namespace spritlog {

struct LocalDateTime {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The source of "now"; tests put a fixed time in.
using Clock = std::function<LocalDateTime()>;

LocalDateTime SystemLocalTime();

// German short date: "06.12.2026".
std::string ShortDateText(const LocalDateTime& time);
// "06.12.2026 10:03:22"; at midnight the date alone.
std::string DateTimeText(const LocalDateTime& time);

} // namespace spritlog
