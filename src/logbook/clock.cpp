#include "logbook/clock.h"

#include <ctime>

namespace spritlog {

namespace {

void AppendNumber(std::string& out, int value, int width) {
    std::string digits;
    const bool negative = value < 0;
    unsigned magnitude =
        negative ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (digits.size() < static_cast<std::size_t>(width))
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    if (negative)
        out += '-';
    out += digits;
}

} // namespace

LocalDateTime SystemLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    LocalDateTime result;
    result.year = parts.tm_year + 1900;
    result.month = parts.tm_mon + 1;
    result.day = parts.tm_mday;
    result.hour = parts.tm_hour;
    result.minute = parts.tm_min;
    result.second = parts.tm_sec;
    return result;
}

std::string ShortDateText(const LocalDateTime& time) {
    std::string text;
    AppendNumber(text, time.day, 2);
    text += '.';
    AppendNumber(text, time.month, 2);
    text += '.';
    AppendNumber(text, time.year, 4);
    return text;
}

std::string DateTimeText(const LocalDateTime& time) {
    std::string text = ShortDateText(time);
    if (time.hour == 0 && time.minute == 0 && time.second == 0)
        return text;
    text += ' ';
    AppendNumber(text, time.hour, 2);
    text += ':';
    AppendNumber(text, time.minute, 2);
    text += ':';
    AppendNumber(text, time.second, 2);
    return text;
}

} // namespace spritlog
