// What the tests of real exports share: the files read from the folder beside the clone,
// a plain reading of their CSV, what a record must hold, and the app's own consumption
// held against ours.
#pragma once

#include "import/csvimport.h"
#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/derivedvalues.h"
#include "logbook/fillups.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace spritlog::realdata {

inline std::string RealFile(const std::string& name) {
    std::ifstream in(std::string(SPRITLOG_REALDATA) + "/import/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#define REQUIRE_REAL_FILE(bytes, name)                                                             \
    const std::string bytes = RealFile(name);                                                      \
    if (bytes.empty())                                                                             \
    GTEST_SKIP() << "real exports not found in " SPRITLOG_REALDATA "/import (" name ")"

struct Row {
    int line = 0;
    std::vector<std::string> fields;
};

// Quoted fields, doubled quotes, \" inside quotes, line breaks inside quotes as blanks.
inline std::vector<Row> Rows(const std::string& text, char separator) {
    std::vector<Row> rows;
    Row row;
    std::string field;
    bool quoted = false;
    int line = 1;
    row.line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '\\' && i + 1 < text.size() && text[i + 1] == '"' && i + 2 < text.size() &&
                text[i + 2] != separator && text[i + 2] != '\n' && text[i + 2] != '\r') {
                field += '"';
                ++i;
            } else if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else if (c == '\n') {
                field += ' ';
                ++line;
            } else if (c != '\r') {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == separator) {
            row.fields.push_back(field);
            field.clear();
        } else if (c == '\n') {
            row.fields.push_back(field);
            rows.push_back(row);
            row = Row();
            field.clear();
            row.line = ++line;
        } else if (c != '\r') {
            field += c;
        }
    }
    if (!field.empty() || !row.fields.empty()) {
        row.fields.push_back(field);
        rows.push_back(row);
    }
    return rows;
}

inline double Number(std::string text, char point) {
    std::string plain;
    for (char c : text) {
        if (c == point)
            plain += '.';
        else if (c != '.' && c != ',')
            plain += c;
    }
    double value = 0;
    std::from_chars(plain.data(), plain.data() + plain.size(), value);
    return value;
}

inline double Cell(const std::string& text) {
    return text.empty() ? -1 : Number(text, '.');
}

// -1 when the header has no such column.
inline int OptionalColumn(const std::vector<std::string>& header, const std::string& name) {
    for (std::size_t i = 0; i < header.size(); ++i)
        if (header[i] == name)
            return static_cast<int>(i);
    return -1;
}

inline int ColumnOf(const std::vector<std::string>& header, const std::string& name) {
    for (std::size_t i = 0; i < header.size(); ++i)
        if (header[i] == name)
            return static_cast<int>(i);
    ADD_FAILURE() << "no column " << name;
    return 0;
}

// What a record must hold, worked out from the source line.
struct Expected {
    std::string date; // dd.MM.yyyy
    long km = 0;
    double litres = 0;
    double price = -1; // -1: empty
    std::string grade, station, place, note, mark;
    double consumption = -1; // the app's own figure, -1: none
    double total = -1;       // what the refuelling cost, -1: not given
};

inline void Check(const ImportRecord& record, const Expected& e) {
    const auto& c = record.cells;
    SCOPED_TRACE("line " + std::to_string(record.line));
    EXPECT_EQ(c[ColDatum], e.date);
    EXPECT_EQ(c[ColKmStand], std::to_string(e.km));
    EXPECT_NEAR(Cell(c[ColLiter]), e.litres, 0.0005);
    if (e.price < 0)
        EXPECT_EQ(c[ColLiterpreis], "");
    else
        EXPECT_NEAR(Cell(c[ColLiterpreis]), e.price, 0.0006);
    EXPECT_EQ(c[ColBenzin], e.grade);
    EXPECT_EQ(c[ColTankstelle], e.station);
    EXPECT_EQ(c[ColOrt], e.place);
    EXPECT_EQ(c[ColNote1], e.note);
    EXPECT_EQ(c[ColNote3], e.mark);
    // Litres times litre price give the cost the source states, to the cent, as the
    // logbook rounds its Tankkosten.
    if (e.total >= 0) {
        EXPECT_EQ(NumberToText(TextToNumber(c[ColLiter]) * TextToNumber(c[ColLiterpreis]), 2),
                  NumberToText(e.total, 2));
    }
}

// Blanks around a field are not part of its text.
inline std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

inline std::string IsoToGerman(const std::string& iso) {
    return iso.substr(8, 2) + "." + iso.substr(5, 2) + "." + iso.substr(0, 4);
}

inline long DayOf(const std::string& german) {
    return std::stol(german.substr(6, 4)) * 10000 + std::stol(german.substr(3, 2)) * 100 +
           std::stol(german.substr(0, 2));
}

// The app's own consumption per record is the yardstick of ours: within 1 %, as the app
// rounds odometers and quantities.
inline void CheckConsumption(const ImportResult& result, const std::map<int, Expected>& byLine,
                             int comparable) {
    TextTable grid = NewLogbookTable();
    grid.setRowCount(1);
    AppendImportedRecords(grid, result);
    ComputeDerivedValues(grid);
    ApplyFullTankIntervals(grid);
    int compared = 0;
    std::vector<std::string> off;
    for (std::size_t i = 0; i < result.records.size(); ++i) {
        const Expected& e = byLine.at(result.records[i].line);
        // The distance to the oldest record lies before the file (a cut-out file still
        // carries the app's figure for it).
        if (e.consumption < 0 || i == 0)
            continue;
        ++compared;
        const std::string cell(grid.cell(ColVerbrauch, static_cast<int>(i) + 1));
        // After refuellings that were never recorded the app still divides the litres by
        // its own Teil-Km; our rule has no figure for a record marked "Fehlende Betankung"
        // (the odometer distance spans the missing tanks). An empty figure there does not
        // contradict the app; anywhere else it does.
        if (cell.empty() && e.mark.find("Fehlende Betankung") != std::string::npos)
            continue;
        const double ours = TextToNumber(cell);
        if (std::fabs(ours - e.consumption) > 0.01 * e.consumption)
            off.push_back("line " + std::to_string(result.records[i].line) + ": " +
                          std::to_string(ours) + " for " + std::to_string(e.consumption));
    }
    EXPECT_EQ(compared, comparable);
    EXPECT_EQ(off, std::vector<std::string>());
}

} // namespace spritlog::realdata
