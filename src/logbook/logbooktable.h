#pragma once

#include "logbook/clock.h"
#include "logbook/texttable.h"

#include <functional>
#include <string>
#include <string_view>

namespace spritlog {

// The columns of the logbook table p_Grid.
enum Column : int {
    ColNumber = 0,
    ColDatum = 1,
    ColKmStand = 2,
    ColLiter = 3,
    ColLiterpreis = 4,
    ColKm = 5,
    ColVerbrauch = 6,
    ColKostenKm = 7,
    ColTankkosten = 8,
    ColBenzin = 9,
    ColTankstelle = 10,
    ColOrt = 11,
    ColNote1 = 12,
    ColNote2 = 13,
    ColNote3 = 14,
};
inline constexpr int kLogbookColumns = 15;

struct ColumnInfo {
    const char* header; // Windows-1252; empty for column 0 and the note columns
    int width;          // pixels
};
// Fixed header texts and widths of columns 0..14.
extern const ColumnInfo kLogbookColumnInfo[kLogbookColumns];
// Default note headers, the settings' own names.
inline constexpr const char* kDefaultNoteHeaders[3] = {"Anmerkung1", "Anmerkung2", "Anmerkung3"};

// The table as the window first shows it: the header row (fixed headers written, note
// headers empty) and one empty record.
TextTable NewLogbookTable();
// Writes the fixed headers of columns 1..11 into row 0.
void WriteColumnHeaders(TextTable& grid);

int RecordCount(const TextTable& grid);
// Empties columns 1..14 of `row`.
void ClearRecord(TextTable& grid, int row);

struct StatusTexts {
    std::string records; // "Status: 12 Datensätze" (Windows-1252)
    std::string file;    // "Geladene Datei: " + ShortenPath(file, 30) (Windows-1252)
};
// Both status-bar texts of `grid` and `currentFileName` (UTF-8).
StatusTexts StatusTextsOf(const TextTable& grid, const std::string& currentFileName);
// Writes each record's number ("1.", "2.", ...) into column 0 where it differs. `beforeChange`,
// when given, runs once before the first number that differs is written. Gives whether any
// was written.
bool NumberRecords(TextTable& grid, const std::function<void()>& beforeChange = {});

// "&Neu": clears the file name and leaves header and one empty record. The caller then
// runs UpdateStatusBar.
void NewLogbook(TextTable& grid, std::string& currentFileName);
// "&Neuer Datensatz": appends an empty record and gives its row. The caller then runs
// UpdateStatusBar and puts the cursor on (ColDatum, row).
int AppendRecord(TextTable& grid);
// "Da&tum einfügen": today's short date into column 1 of `row`; nothing outside the records.
void InsertDate(TextTable& grid, int row, const LocalDateTime& today);
// "Markierte Zeile Löschen": removes the record in `row`, moving the ones below up.
// Does nothing without records or outside the records. The caller runs UpdateStatusBar.
void DeleteRecord(TextTable& grid, int row);

// Keyboard rules of the table.
// "+ , - / \ _" become "."; every other character passes.
char MapTypedCharacter(char c);
// Whether MapTypedCharacter applies to what is typed into `column`: Datum, KM-Stand, Liter
// and Literpreis. The text columns take every character as typed.
bool ColumnMapsTyping(int column);
// False for the derived columns 5..8, which typing cannot change, and for the fixed number
// column 0.
bool ColumnAcceptsTyping(int column);

struct CellPosition {
    int column = 1;
    int row = 1;
};
// Where Enter moves the cursor from `from`. From "Ort" of the last row a record is
// appended first (appended = true; the caller runs UpdateStatusBar). A cursor outside the
// records stays where it is.
struct EnterResult {
    CellPosition cursor;
    bool appended = false;
};
EnterResult CursorAfterEnter(TextTable& grid, CellPosition from);

} // namespace spritlog
