#include "logbook/logbooktable.h"

#include "logbook/codepage.h"
#include "logbook/conventions.h"

#include <charconv>

namespace spritlog {

const ColumnInfo kLogbookColumnInfo[kLogbookColumns] = {
    {"", 25},           {"Datum", 60},  {"KM-Stand", 55},   {"Liter", 45},
    {"Literpreis", 60}, {"KM", 35},     {"Verbrauch", 70},  {"Kosten/Km", 55},
    {"Tankkosten", 70}, {"Benzin", 70}, {"Tankstelle", 70}, {"Ort", 120},
    {"", 70},           {"", 70},       {"", 70},
};

TextTable NewLogbookTable() {
    TextTable grid(kLogbookColumns, 2);
    WriteColumnHeaders(grid);
    return grid;
}

void WriteColumnHeaders(TextTable& grid) {
    for (int column = ColDatum; column <= ColOrt; ++column)
        grid.setCell(column, 0, kLogbookColumnInfo[column].header);
}

int RecordCount(const TextTable& grid) {
    const int rows = grid.rowCount();
    return rows > 0 ? rows - 1 : 0;
}

void ClearRecord(TextTable& grid, int row) {
    for (int column = ColDatum; column <= ColNote3; ++column)
        grid.setCell(column, row, {});
}

bool NumberRecords(TextTable& grid, const std::function<void()>& beforeChange) {
    const int count = RecordCount(grid);
    bool changing = false;
    char number[16];
    for (int row = 1; row <= count; ++row) {
        // Without an allocation per record: this runs after every change of the records.
        char* end = std::to_chars(number, number + sizeof number - 1, row).ptr;
        *end++ = '.';
        const std::string_view text(number, static_cast<std::size_t>(end - number));
        if (grid.cell(ColNumber, row) == text)
            continue;
        if (!changing && beforeChange)
            beforeChange();
        changing = true;
        grid.setCell(ColNumber, row, text);
    }
    return changing;
}

StatusTexts StatusTextsOf(const TextTable& grid, const std::string& currentFileName) {
    const int count = RecordCount(grid);
    StatusTexts texts;
    texts.records = "Status: " + IntegerToText(count) + " Datens\xE4tze";
    texts.file = "Geladene Datei: " + ShortenPath(Utf8ToCp1252(currentFileName), 30);
    return texts;
}

void NewLogbook(TextTable& grid, std::string& currentFileName) {
    currentFileName.clear();
    grid.setRowCount(2);
    ClearRecord(grid, 1);
}

int AppendRecord(TextTable& grid) {
    grid.appendRow();
    const int row = RecordCount(grid);
    // A row that existed before may still hold text; the new record starts empty.
    ClearRecord(grid, row);
    return row;
}

void InsertDate(TextTable& grid, int row, const LocalDateTime& today) {
    if (row < 1 || row > RecordCount(grid))
        return;
    grid.setCell(ColDatum, row, ShortDateText(today));
}

void DeleteRecord(TextTable& grid, int row) {
    const int count = RecordCount(grid);
    if (row < 1 || row > count)
        return;
    for (int below = row + 1; below <= count; ++below)
        grid.copyRow(below, below - 1, ColDatum, ColNote3);
    grid.truncateRows(count);
}

char MapTypedCharacter(char c) {
    switch (c) {
    case '+':
    case ',':
    case '-':
    case '/':
    case '\\':
    case '_':
        return '.';
    default:
        return c;
    }
}

bool ColumnMapsTyping(int column) {
    return column >= ColDatum && column <= ColLiterpreis;
}

bool ColumnAcceptsTyping(int column) {
    // Column 0 is the fixed number column; 5..8 are derived.
    if (column < ColDatum || column > ColNote3)
        return false;
    return column < ColKm || column > ColTankkosten;
}

EnterResult CursorAfterEnter(TextTable& grid, CellPosition from) {
    EnterResult result;
    result.cursor = from;
    const int count = RecordCount(grid);
    if (from.row < 1 || from.row > count)
        return result;

    switch (from.column) {
    case ColDatum:
    case ColKmStand:
    case ColLiter:
    case ColKm:
    case ColVerbrauch:
    case ColKostenKm:
    case ColTankkosten:
    case ColBenzin:
    case ColTankstelle:
        result.cursor.column = from.column + 1;
        break;
    case ColLiterpreis:
        // Over the derived columns straight to the next input.
        result.cursor.column = ColBenzin;
        break;
    case ColOrt:
        if (from.row == count) {
            result.cursor.row = AppendRecord(grid);
            result.appended = true;
        } else {
            result.cursor.row = from.row + 1;
        }
        result.cursor.column = ColDatum;
        break;
    default:
        // The note columns (and anything outside the input area) keep the cursor.
        break;
    }
    return result;
}

} // namespace spritlog
