#include "import/values.h"

#include "logbook/conventions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace spritlog::import {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    }
    return out;
}

std::string Quoted(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::string out = "\"";
    out.append(text.substr(0, kShown));
    if (text.size() > kShown)
        out.append("...");
    out.push_back('"');
    return out;
}

std::string NormaliseName(std::string_view text) {
    std::string out;
    int depth = 0;
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '(' || c == '[') {
            ++depth;
            continue;
        }
        if (c == ')' || c == ']') {
            if (depth > 0)
                --depth;
            continue;
        }
        if (depth > 0)
            continue;
        if (c >= 'A' && c <= 'Z') {
            out.push_back(static_cast<char>(c + 32));
        } else if ((c >= 'a' && c <= 'z') || IsDigit(static_cast<char>(c))) {
            out.push_back(static_cast<char>(c));
        } else if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
            out.push_back(static_cast<char>(c + 32)); // Windows-1252 capitals with accents
        } else if (c >= 0xDF && c != 0xF7) {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

std::string BracketedUnit(std::string_view text) {
    const std::size_t open = text.find('(');
    if (open == std::string_view::npos)
        return {};
    const std::size_t close = text.find(')', open);
    if (close == std::string_view::npos)
        return {};
    return LowerAscii(Trim(text.substr(open + 1, close - open - 1)));
}

bool IsOneOf(std::string_view name, std::string_view names) {
    while (!names.empty()) {
        const std::size_t blank = std::min(names.find(' '), names.size());
        if (names.substr(0, blank) == name)
            return true;
        names.remove_prefix(std::min(blank + 1, names.size()));
    }
    return false;
}

std::optional<double> ReadDecimal(std::string_view text, char point, char grouping) {
    text = Trim(text);
    std::string canonical;
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            canonical.push_back('-');
        ++i;
    }
    std::size_t integerDigits = 0;
    std::size_t groupLength = 0;
    bool grouped = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            canonical.push_back(c);
            ++integerDigits;
            ++groupLength;
        } else if (grouping != 0 && c == grouping) {
            if (integerDigits == 0 || (grouped ? groupLength != 3 : groupLength > 3))
                return std::nullopt;
            grouped = true;
            groupLength = 0;
        } else {
            break;
        }
    }
    if (grouped && groupLength != 3)
        return std::nullopt;
    if (integerDigits == 0)
        canonical.push_back('0');
    std::size_t fractionDigits = 0;
    if (i < n && text[i] == point) {
        canonical.push_back('.');
        for (++i; i < n && IsDigit(text[i]); ++i) {
            canonical.push_back(text[i]);
            ++fractionDigits;
        }
    }
    if (i != n || integerDigits + fractionDigits == 0)
        return std::nullopt;
    double value = 0;
    const char* first = canonical.data();
    const char* last = first + canonical.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last)
        return std::nullopt;
    return value;
}

bool ReadSmallNumber(std::string_view digits, int& value) {
    if (digits.empty() || digits.size() > 4 || !std::all_of(digits.begin(), digits.end(), IsDigit))
        return false;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return true;
}

std::optional<long> ReadInteger(std::string_view text) {
    text = Trim(text);
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string NumberCell(double value) {
    if (value == 0)
        value = 0; // no "-0"
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc())
        return NumberToText(value, 3); // unreachable for finite values
    return std::string(buffer, end);
}

std::string RoundedCell(double value, int decimals) {
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        return NumberCell(value);
    std::string text(buffer, end);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return text;
}

namespace {

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// "H:MM" or "H:MM:SS"; gives the seconds since midnight.
std::optional<int> ReadTimeOfDay(std::string_view text) {
    int parts[3] = {0, 0, 0};
    int count = 0;
    std::size_t start = 0;
    while (count < 3) {
        const std::size_t colon = text.find(':', start);
        const std::string_view part = text.substr(start, colon - start);
        if (count > 0 && part.size() != 2)
            return std::nullopt;
        if (!ReadSmallNumber(part, parts[count]) || part.size() > 2)
            return std::nullopt;
        ++count;
        if (colon == std::string_view::npos)
            break;
        start = colon + 1;
    }
    if (count < 2 || text.find(':', start) != std::string_view::npos)
        return std::nullopt;
    if (parts[0] >= 24 || parts[1] >= 60 || parts[2] >= 60)
        return std::nullopt;
    return parts[0] * 3600 + parts[1] * 60 + parts[2];
}

} // namespace

std::optional<DateValue> ReadDate(std::string_view text) {
    text = Trim(text);
    const std::size_t cut = text.find_first_of(" \tT");
    const std::string_view date = text.substr(0, cut);
    int seconds = 0;
    if (cut != std::string_view::npos) {
        const auto time = ReadTimeOfDay(Trim(text.substr(cut + 1)));
        if (!time)
            return std::nullopt;
        seconds = *time;
    }
    const bool iso = date.find('-') != std::string_view::npos;
    const char separator = iso ? '-' : '.';
    std::string_view parts[3];
    std::size_t start = 0;
    for (int k = 0; k < 3; ++k) {
        const std::size_t end = k < 2 ? date.find(separator, start) : date.size();
        if (end == std::string_view::npos)
            return std::nullopt;
        parts[k] = date.substr(start, end - start);
        start = end + 1;
    }
    const std::string_view yearText = iso ? parts[0] : parts[2];
    const std::string_view monthText = parts[1];
    const std::string_view dayText = iso ? parts[2] : parts[0];
    int year = 0, month = 0, day = 0;
    if (yearText.size() != 4 || monthText.size() > 2 || dayText.size() > 2 ||
        !ReadSmallNumber(yearText, year) || !ReadSmallNumber(monthText, month) ||
        !ReadSmallNumber(dayText, day))
        return std::nullopt;
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    DateValue value;
    value.key = ((static_cast<int64_t>(year) * 16 + month) * 32 + day) * 86400 + seconds;
    value.cell = "00.00.0000";
    std::string& out = value.cell;
    out[0] = static_cast<char>('0' + day / 10);
    out[1] = static_cast<char>('0' + day % 10);
    out[3] = static_cast<char>('0' + month / 10);
    out[4] = static_cast<char>('0' + month % 10);
    for (int k = 9; k >= 6; --k, year /= 10)
        out[static_cast<std::size_t>(k)] = static_cast<char>('0' + year % 10);
    return value;
}

} // namespace spritlog::import
