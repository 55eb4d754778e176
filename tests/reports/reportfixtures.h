#pragma once

#include "logbook/derivedvalues.h"
#include "logbook/texttable.h"

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace spritlog::testing {

// A logbook table with the header row as the window writes it and `records` empty records.
inline TextTable LogbookTable(int records, const char* note1 = "Anmerkung1",
                              const char* note2 = "Anmerkung2", const char* note3 = "Anmerkung3") {
    static const char* const headers[15] = {
        "",           "Datum",  "KM-Stand",   "Liter", "Literpreis", "KM", "Verbrauch", "Kosten/Km",
        "Tankkosten", "Benzin", "Tankstelle", "Ort",   "",           "",   ""};
    TextTable grid(15, records + 1);
    for (int c = 0; c < 15; ++c)
        grid.setCell(c, 0, headers[c]);
    grid.setCell(12, 0, note1);
    grid.setCell(13, 0, note2);
    grid.setCell(14, 0, note3);
    for (int r = 1; r <= records; ++r)
        grid.setCell(0, r, std::to_string(r) + ".");
    return grid;
}

// Writes the cells of columns 1..14 of `row`, in column order.
inline void SetRecord(TextTable& grid, int row, std::initializer_list<const char*> cells) {
    int column = 1;
    for (const char* text : cells)
        grid.setCell(column++, row, text);
}

// Four refuellings with the derived values filled in: the first three of them make the
// figures of the report, the fourth closes the distance.
inline TextTable FourRefuellings() {
    TextTable grid = LogbookTable(4, "Anlass", "Reifen", "");
    SetRecord(grid, 1,
              {"01.03.2024", "10000", "40", "1.50", "", "", "", "60.00", "Super", "Aral",
               "M\xFCnchen", "Urlaub", "", ""});
    SetRecord(grid, 2,
              {"15.03.2024", "10500", "35", "1.40", "500", " 7.00", " 9.80", "49.00", "E10",
               "Shell", "Augsburg", "", "", ""});
    SetRecord(grid, 3,
              {"02.04.2024", "11000", "30", "1.60", "500", " 6.00", " 9.60", "48.00", "Super",
               "Aral", "M\xFCnchen", "", "Winterreifen", ""});
    SetRecord(grid, 4,
              {"20.04.2024", "11600", "45", "1.55", "600", "", "", "", "Super", "JET", "Rosenheim",
               "", "", ""});
    return grid;
}

// A plug-in hybrid typed as a driver types it: petrol as "Super", charges as "Strom", and
// an empty record at the end; the derived columns as the program calculates them. By hand,
// each energy from its own full record: petrol 15 l over 10000 -> 10600 km, 2.50 L/100KM,
// 25.50 EUR over 600 km 4.25 Ct; electricity 9.5 kWh over 150 km 6.33 kWh/100KM, 3.80 EUR
// 2.53 Ct, then 10 kWh over 10300 -> 10800 km 2.00, 3.00 EUR 0.60 Ct. KM and Tankkosten are
// each record's own.
inline TextTable PlugInHybrid() {
    TextTable grid = LogbookTable(6);
    SetRecord(grid, 1,
              {"01.03.2024", "10000", "40", "1.80", "", "", "", "", "Super", "Aral", "M\xFCnchen",
               "", "", ""});
    SetRecord(grid, 2,
              {"05.03.2024", "10150", "10", "0.30", "", "", "", "", "Strom", "Wallbox",
               "M\xFCnchen", "", "", ""});
    SetRecord(grid, 3,
              {"09.03.2024", "10300", "9.5", "0.40", "", "", "", "", "Strom", "EnBW", "Augsburg",
               "", "", ""});
    SetRecord(grid, 4,
              {"15.03.2024", "10600", "15", "1.70", "", "", "", "", "Super", "Shell", "Augsburg",
               "", "", ""});
    SetRecord(grid, 5,
              {"20.03.2024", "10800", "10", "0.30", "", "", "", "", "Strom", "Wallbox",
               "M\xFCnchen", "", "", ""});
    (void)CalculateRecords(grid, ConsumptionRule::FullTank);
    return grid;
}

// A plug-in hybrid: 3 fills of Super and 4 charges typed "Strom", derived values as the
// calculation leaves them (its figures are worked out by hand in the statistics' tests).
inline TextTable PlugInHybridOfSeven() {
    TextTable grid = LogbookTable(7);
    const char* rows[7][4] = {{"10000", "40", "1.80", "Super"}, {"10200", "10", "0.30", "Strom"},
                              {"10400", "12", "0.30", "Strom"}, {"10800", "20", "1.70", "Super"},
                              {"11000", "12", "0.40", "Strom"}, {"11100", "5", "0.60", "Strom"},
                              {"11200", "30", "1.80", "Super"}};
    const int columns[4] = {2, 3, 4, 9}; // KM-Stand, Liter, Literpreis, Benzin
    for (int r = 0; r < 7; ++r) {
        grid.setCell(1, r + 1, "0" + std::to_string(r + 1) + ".03.2026");
        for (int c = 0; c < 4; ++c)
            grid.setCell(columns[c], r + 1, rows[r][c]);
    }
    (void)CalculateRecords(grid, ConsumptionRule::FullTank);
    return grid;
}

inline std::string ReadTestFile(const std::string& name) {
    std::ifstream in(std::string(SPRITLOG_TEST_DATA) + "/reports/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The lines of a sink's text, without their CR LF.
inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

} // namespace spritlog::testing
