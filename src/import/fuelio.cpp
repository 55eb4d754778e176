#include "import/fuelio.h"

#include "import/csvreader.h"
#include "import/fueliobackup.h"
#include "import/values.h"
#include "logbook/conventions.h"
#include "logbook/energies.h"

namespace spritlog::import {

namespace {

// A line "## Log" anywhere in the file, quoted or not, possibly with separators after it.
bool HasLogSection(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty() && line.front() == '"')
            line.remove_prefix(1);
        line = Trim(line);
        if (line.substr(0, 2) != "##")
            continue;
        line = Trim(line.substr(2));
        if (LowerAscii(line.substr(0, 3)) != "log")
            continue;
        // Only a closing quote and separators may follow; a ";" or anything else means a
        // cell of some other file that happens to start like this.
        line.remove_prefix(3);
        if (!line.empty() && line.front() == '"')
            line.remove_prefix(1);
        if (line.find_first_not_of(", \t\r") == std::string_view::npos)
            return true;
    }
    return false;
}

} // namespace

std::string FuelioGrade(std::string_view code) {
    const auto value = ReadInteger(code);
    if (!value)
        return std::string(Trim(code));
    if (*value <= 0)
        return {}; // none chosen
    // The app's list of fuels counts in hundreds: the kind of fuel (the tank types of
    // "## Vehicle" are 100, 500, ...), and in the units digits a grade of it. Two of diesel's
    // grades, 216 "DEF" and 217, are AdBlue; electricity, gas and AdBlue are named so that the
    // logbook reads their energy from the grade.
    if (*value == 216 || *value == 217)
        return kAdBlueName;
    switch (*value / 100) {
    case 1:
        return "Benzin";
    case 2:
        return "Diesel";
    case 3:
        return "Ethanol";
    case 4:
        return "Autogas";
    case 5:
        return "Erdgas";
    case 6:
        return "Strom";
    case 7:
        return "Flexfuel";
    default:
        return "Sorte " + IntegerToText(static_cast<int64_t>(*value));
    }
}

bool LooksLikeFuelio(std::string_view text) {
    if (HasLogSection(text))
        return true;
    for (const CsvRow& row : ReadCsvRows(text, ExportDialect(','), 1)) {
        if (!RowIsBlank(row))
            return IsFuelioLogHeader(row);
    }
    return false;
}

void ParseFuelio(ImportResult& result, std::string_view text) {
    ReadFuelioBackup(result, ReadCsvRows(text, ExportDialect(',')));
}

} // namespace spritlog::import
