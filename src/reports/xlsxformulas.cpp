#include "reports/xlsxformulas.h"

#include "logbook/conventions.h"

#include <array>
#include <charconv>
#include <string_view>

namespace spritlog {

namespace {

// Verbrauch's column in the Tankbuch sheet.
constexpr const char* kVerbrauchLetter = "F";

void AppendReference(std::string& text, std::string_view before, std::string_view row,
                     std::string_view after) {
    text.append(before).append("Tankbuch!A").append(row).append(after);
}

} // namespace

std::string ConsumptionRange(int points) {
    return std::string("Tankbuch!$") + kVerbrauchLetter + "$3:$" + kVerbrauchLetter + "$" +
           IntegerToText(points + 2);
}

std::string EnergyConsumptionFormula(int row, const char* unit) {
    const std::string number = IntegerToText(row);
    const std::string verbrauch = std::string("Tankbuch!$") + kVerbrauchLetter + "$" + number;
    return std::string("=IF(AND(Tankbuch!$") + kUnitLetter + "$" + number + "=\"" + unit +
           "\",ISNUMBER(" + verbrauch + "))," + verbrauch + ",NA())";
}

std::string EnergyAverageFormula(int points, const char* unit) {
    const std::string last = IntegerToText(points + 2);
    return "=AVERAGEIFS(" + ConsumptionRange(points) + ",Tankbuch!$" + kUnitLetter + "$3:$" +
           kUnitLetter + "$" + last + ",\"" + unit + "\")";
}

const char* DateLabelFormula::operator()(int row) {
    std::array<char, 16> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), row).ptr;
    const std::string_view number(digits.data(), static_cast<std::size_t>(end - digits.data()));
    text_.clear();
    AppendReference(text_, "=IF(ISNUMBER(", number, ")");
    AppendReference(text_, ",TEXT(DAY(", number, "),\"00\")");
    AppendReference(text_, "&\".\"&TEXT(MONTH(", number, "),\"00\")");
    AppendReference(text_, "&\".\"&YEAR(", number, ")");
    AppendReference(text_, ",T(", number, "))");
    return text_.c_str();
}

} // namespace spritlog
