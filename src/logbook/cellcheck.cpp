#include "logbook/cellcheck.h"

#include "logbook/conventions.h"
#include "logbook/logbooktable.h"

#include <cstdint>

namespace spritlog {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of the digits in `text`; -1 when `text` is empty or holds anything else.
int DigitsValue(std::string_view text) {
    if (text.empty())
        return -1;
    int value = 0;
    for (const char c : text) {
        if (!IsDigit(c))
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool IsRealDate(int day, int month, int year) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1)
        return false;
    const int last = month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
    return day <= last;
}

std::string TwoDigits(int value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

} // namespace

bool ColumnIsChecked(int column) {
    return column >= ColDatum && column <= ColLiterpreis;
}

CellProblem CheckCell(int column, std::string_view text) {
    // The common valid text is told first; only a text that fails is looked at for blanks.
    CellProblem problem = CellProblem::None;
    if (column == ColDatum) {
        if (!IsValidDate(text))
            problem = CellProblem::NotADate;
    } else if (column == ColKmStand) {
        int32_t reading = 0;
        if (!TryTextToInteger(text, reading))
            problem = CellProblem::NotANumber;
    } else if (column == ColLiter || column == ColLiterpreis) {
        if (!IsNumberText(text))
            problem = CellProblem::NotANumber;
    }
    return problem != CellProblem::None && !IsBlank(text) ? problem : CellProblem::None;
}

std::string CellProblemText(CellProblem problem) {
    switch (problem) {
    case CellProblem::NotANumber:
        return "Keine g\xFCltige Zahl";
    case CellProblem::NotADate:
        return "Kein g\xFCltiges Datum (TT.MM.JJJJ)";
    case CellProblem::None:
        break;
    }
    return std::string();
}

std::string InvalidCellsText(int count) {
    if (count <= 0)
        return std::string();
    return IntegerToText(count) + (count == 1 ? " ung\xFCltige Zelle" : " ung\xFCltige Zellen");
}

bool IsValidDate(std::string_view text) {
    if (text.size() != 10 || text[2] != '.' || text[5] != '.')
        return false;
    const int day = DigitsValue(text.substr(0, 2));
    const int month = DigitsValue(text.substr(3, 2));
    const int year = DigitsValue(text.substr(6, 4));
    return day >= 0 && month >= 0 && year >= 0 && IsRealDate(day, month, year);
}

std::string CompleteDate(std::string_view text) {
    const std::size_t first = text.find('.');
    const std::size_t second = first == std::string_view::npos ? first : text.find('.', first + 1);
    if (second == std::string_view::npos)
        return std::string(text);
    const std::string_view dayText = text.substr(0, first);
    const std::string_view monthText = text.substr(first + 1, second - first - 1);
    const std::string_view yearText = text.substr(second + 1);
    const int day = dayText.size() <= 2 ? DigitsValue(dayText) : -1;
    const int month = monthText.size() <= 2 ? DigitsValue(monthText) : -1;
    int year = yearText.size() == 2 || yearText.size() == 4 ? DigitsValue(yearText) : -1;
    if (year >= 0 && yearText.size() == 2)
        year += 2000;
    if (day < 0 || month < 0 || year < 0 || !IsRealDate(day, month, year))
        return std::string(text);
    return TwoDigits(day) + "." + TwoDigits(month) + "." +
           std::string(yearText.size() == 2 ? "20" : "") + std::string(yearText);
}

std::string CompleteWholeNumber(std::string_view text) {
    const std::size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::size_t firstDot = text.find('.', sign);
    const std::size_t lead = firstDot == std::string_view::npos ? 0 : firstDot - sign;
    if (lead < 1 || lead > 3 || (text.size() - firstDot) % 4 != 0)
        return std::string(text);
    std::string whole(text.substr(0, firstDot));
    for (std::size_t at = sign; at < text.size(); ++at) {
        const char c = text[at];
        const bool dotPlace = at >= firstDot && (at - firstDot) % 4 == 0;
        if (dotPlace ? c != '.' : (c < '0' || c > '9'))
            return std::string(text);
        if (!dotPlace && at >= firstDot)
            whole += c;
    }
    return whole;
}

} // namespace spritlog
