#include "logbook/logbooktable.h"
#include "support/logbooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spritlog {
namespace {

using test::MarkedLogbook;

std::string Marker(int column, int row) {
    return "c" + std::to_string(column) + "r" + std::to_string(row);
}

// The captions a new logbook starts with; column 0 and the note columns take theirs from
// elsewhere (record numbers, the settings).
TEST(LogbookColumnsTest, NewTableHasHeaderRowAndOneEmptyRecord) {
    const char* const headers[kLogbookColumns] = {
        "",           "Datum",  "KM-Stand",   "Liter", "Literpreis", "KM", "Verbrauch", "Kosten/Km",
        "Tankkosten", "Benzin", "Tankstelle", "Ort",   "",           "",   ""};
    const TextTable grid = NewLogbookTable();
    EXPECT_EQ(grid.columnCount(), 15);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(RecordCount(grid), 1);
    for (int column = 0; column < kLogbookColumns; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(grid.cell(column, 0), headers[column]);
        EXPECT_EQ(grid.cell(column, 1), "");
    }
}

TEST(LogbookColumnsTest, WriteColumnHeadersKeepsNoteHeaders) {
    TextTable grid(kLogbookColumns, 1);
    grid.setCell(ColNote1, 0, "Fahrer");
    grid.setCell(ColNumber, 0, "keep");
    WriteColumnHeaders(grid);
    EXPECT_EQ(grid.cell(ColDatum, 0), "Datum");
    EXPECT_EQ(grid.cell(ColOrt, 0), "Ort");
    EXPECT_EQ(grid.cell(ColNote1, 0), "Fahrer");
    EXPECT_EQ(grid.cell(ColNumber, 0), "keep");
}

TEST(LogbookTableTest, RecordCountIsRowsBelowHeader) {
    const struct {
        int rows;
        int records;
    } cases[] = {{0, 0}, {1, 0}, {2, 1}, {13, 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows);
        EXPECT_EQ(RecordCount(TextTable(kLogbookColumns, c.rows)), c.records);
    }
}

TEST(LogbookTableTest, ClearRecordEmptiesColumnsOneToFourteenOnly) {
    TextTable grid = MarkedLogbook(3);
    ClearRecord(grid, 2);
    EXPECT_EQ(grid.cell(ColNumber, 2), "2.");
    for (int column = 1; column < kLogbookColumns; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(grid.cell(column, 2), "");
        EXPECT_EQ(grid.cell(column, 1), Marker(column, 1));
        EXPECT_EQ(grid.cell(column, 3), Marker(column, 3));
    }
}

TEST(StatusBarTest, RecordTextStaysPluralForEveryCount) {
    const struct {
        int records;
        const char* text;
    } cases[] = {
        {0, "Status: 0 Datens\xE4tze"},
        {1, "Status: 1 Datens\xE4tze"},
        {12, "Status: 12 Datens\xE4tze"},
        {1000, "Status: 1000 Datens\xE4tze"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.records);
        TextTable grid = MarkedLogbook(c.records);
        EXPECT_EQ(StatusTextsOf(grid, "").records, c.text);
    }
}

TEST(StatusBarTest, RenumbersColumnZero) {
    TextTable grid = MarkedLogbook(4);
    for (int row = 1; row <= 4; ++row)
        grid.setCell(ColNumber, row, "x");
    NumberRecords(grid);
    EXPECT_EQ(grid.cell(ColNumber, 0), "");
    EXPECT_EQ(grid.cell(ColNumber, 1), "1.");
    EXPECT_EQ(grid.cell(ColNumber, 2), "2.");
    EXPECT_EQ(grid.cell(ColNumber, 4), "4.");
    EXPECT_EQ(grid.cell(ColDatum, 4), Marker(ColDatum, 4));
}

TEST(StatusBarTest, FileTextShowsShortenedWindows1252Path) {
    const struct {
        const char* name;
        std::string fileName; // UTF-8
        std::string text;     // Windows-1252
    } cases[] = {
        {"empty", "", "Geladene Datei: "},
        {"short", "/home/kurt/auto.slg", "Geladene Datei: /home/kurt/auto.slg"},
        {"exactly thirty", "/abcdefghijklmnopqrstuvwxy.slg",
         "Geladene Datei: /abcdefghijklmnopqrstuvwxy.slg"},
        {"long", "/home/kurt/Daten/Fahrzeuge/Kombi/Logbuch 2004.slg",
         "Geladene Datei: .../Kombi/Logbuch 2004.slg"},
        {"umlaut", "/home/j\xC3\xBCrgen/b.slg", "Geladene Datei: /home/j\xFCrgen/b.slg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TextTable grid = NewLogbookTable();
        EXPECT_EQ(StatusTextsOf(grid, c.fileName).file, c.text);
    }
}

TEST(NewLogbookTest, LeavesOneEmptyRecordAndNoFileName) {
    TextTable grid = MarkedLogbook(5);
    grid.setCell(ColNote1, 0, "Fahrer");
    grid.setCell(ColNote3, 0, "Reifen");
    std::string fileName = "/tmp/auto.slg";

    NewLogbook(grid, fileName);

    EXPECT_EQ(fileName, "");
    EXPECT_EQ(grid.rowCount(), 2);
    for (int column = 1; column < kLogbookColumns; ++column)
        EXPECT_EQ(grid.cell(column, 1), "") << column;
    EXPECT_EQ(grid.cell(ColNote1, 0), "Fahrer");
    EXPECT_EQ(grid.cell(ColNote3, 0), "Reifen");
    EXPECT_EQ(grid.cell(ColDatum, 0), "Datum");

    const StatusTexts status = StatusTextsOf(grid, fileName);
    EXPECT_EQ(status.records, "Status: 1 Datens\xE4tze");
    EXPECT_EQ(status.file, "Geladene Datei: ");
}

TEST(NewLogbookTest, FromEmptyLogbookAddsTheRecord) {
    TextTable grid = MarkedLogbook(0);
    std::string fileName;
    NewLogbook(grid, fileName);
    EXPECT_EQ(RecordCount(grid), 1);
}

TEST(AppendRecordTest, AppendsEmptyRecordAtTheEnd) {
    TextTable grid = MarkedLogbook(3);
    const int row = AppendRecord(grid);
    EXPECT_EQ(row, 4);
    EXPECT_EQ(RecordCount(grid), 4);
    for (int column = 1; column < kLogbookColumns; ++column)
        EXPECT_EQ(grid.cell(column, 4), "") << column;
    EXPECT_EQ(grid.cell(ColOrt, 3), Marker(ColOrt, 3));
    EXPECT_EQ(StatusTextsOf(grid, "").records, "Status: 4 Datens\xE4tze");
    EXPECT_TRUE(NumberRecords(grid));
    EXPECT_EQ(grid.cell(ColNumber, 4), "4.");
    EXPECT_FALSE(NumberRecords(grid)); // nothing left to write
}

TEST(AppendRecordTest, AfterDeletionIsNotACopyOfTheDeletedRow) {
    TextTable grid = MarkedLogbook(3);
    DeleteRecord(grid, 1);
    const int row = AppendRecord(grid);
    EXPECT_EQ(row, 3);
    for (int column = 1; column < kLogbookColumns; ++column)
        EXPECT_EQ(grid.cell(column, 3), "") << column;
}

TEST(AppendRecordTest, IntoEmptyLogbook) {
    TextTable grid = MarkedLogbook(0);
    EXPECT_EQ(AppendRecord(grid), 1);
    EXPECT_EQ(grid.rowCount(), 2);
}

TEST(DeleteRecordTest, MiddleRecordMovesFollowingOnesUpWithDerivedCells) {
    TextTable grid = MarkedLogbook(5);
    DeleteRecord(grid, 2);
    ASSERT_EQ(RecordCount(grid), 4);
    for (int column = 1; column < kLogbookColumns; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(grid.cell(column, 1), Marker(column, 1));
        EXPECT_EQ(grid.cell(column, 2), Marker(column, 3));
        EXPECT_EQ(grid.cell(column, 3), Marker(column, 4));
        EXPECT_EQ(grid.cell(column, 4), Marker(column, 5));
    }
    NumberRecords(grid);
    EXPECT_EQ(grid.cell(ColNumber, 2), "2.");
    EXPECT_EQ(grid.cell(ColNumber, 4), "4.");
}

TEST(DeleteRecordTest, RowsOutsideTheRecordsChangeNothing) {
    const struct {
        const char* name;
        int records;
        int row;
        int recordsAfter;
    } cases[] = {
        {"first", 3, 1, 2},         {"last", 3, 3, 2},       {"only record", 1, 1, 0},
        {"empty logbook", 0, 1, 0}, {"header row", 3, 0, 3}, {"below last", 3, 4, 3},
        {"negative", 3, -1, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TextTable grid = MarkedLogbook(c.records);
        DeleteRecord(grid, c.row);
        EXPECT_EQ(RecordCount(grid), c.recordsAfter);
        EXPECT_EQ(grid.cell(ColDatum, 0), "Datum");
        if (c.recordsAfter == c.records) {
            for (int row = 1; row <= c.records; ++row)
                EXPECT_EQ(grid.cell(ColOrt, row), Marker(ColOrt, row));
        }
    }
}

TEST(DeleteRecordTest, OnlyRecordThenAgain) {
    TextTable grid = MarkedLogbook(1);
    DeleteRecord(grid, 1);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(StatusTextsOf(grid, "").records, "Status: 0 Datens\xE4tze");
    DeleteRecord(grid, 1);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.cell(ColDatum, 0), "Datum");
}

TEST(KeyboardTest, MapTypedCharacterForEveryByte) {
    const std::string mapped = "+,-/\\_";
    for (int code = 0; code < 256; ++code) {
        const char c = static_cast<char>(code);
        const char expected = mapped.find(c) != std::string::npos ? '.' : c;
        EXPECT_EQ(MapTypedCharacter(c), expected) << code;
    }
}

TEST(KeyboardTest, TypingSevenCommaFiveGivesPointNumber) {
    std::string cell;
    for (const char c : std::string("7,5"))
        cell += MapTypedCharacter(c);
    EXPECT_EQ(cell, "7.5");
    std::string date;
    for (const char c : std::string("06/12-2026"))
        date += MapTypedCharacter(c);
    EXPECT_EQ(date, "06.12.2026");
}

TEST(KeyboardTest, ColumnAcceptsTyping) {
    const bool expected[kLogbookColumns] = {false, true, true, true, true, false, false, false,
                                            false, true, true, true, true, true,  true};
    for (int column = 0; column < kLogbookColumns; ++column)
        EXPECT_EQ(ColumnAcceptsTyping(column), expected[column]) << column;
    EXPECT_FALSE(ColumnAcceptsTyping(-1));
    EXPECT_FALSE(ColumnAcceptsTyping(15));
}

TEST(KeyboardTest, ColumnMapsTyping) {
    // Datum, KM-Stand, Liter and Literpreis only.
    const bool expected[kLogbookColumns] = {false, true,  true,  true,  true,  false, false, false,
                                            false, false, false, false, false, false, false};
    for (int column = 0; column < kLogbookColumns; ++column)
        EXPECT_EQ(ColumnMapsTyping(column), expected[column]) << column;
    EXPECT_FALSE(ColumnMapsTyping(-1));
    EXPECT_FALSE(ColumnMapsTyping(15));
}

TEST(KeyboardTest, CursorAfterEnterInMiddleRow) {
    // Column the cursor comes from -> column it goes to, in row 2 of 3.
    const int next[kLogbookColumns] = {0, 2, 3, 4, 9, 6, 7, 8, 9, 10, 11, 1, 12, 13, 14};
    for (int column = 0; column < kLogbookColumns; ++column) {
        SCOPED_TRACE(column);
        TextTable grid = MarkedLogbook(3);
        const EnterResult result = CursorAfterEnter(grid, {column, 2});
        EXPECT_EQ(result.cursor.column, next[column]);
        EXPECT_EQ(result.cursor.row, column == ColOrt ? 3 : 2);
        EXPECT_FALSE(result.appended);
        EXPECT_EQ(RecordCount(grid), 3);
    }
}

TEST(KeyboardTest, CursorAfterEnterInLastRow) {
    const struct {
        const char* name;
        int column;
        CellPosition to;
        bool appended;
    } cases[] = {
        {"Literpreis to Benzin", ColLiterpreis, {ColBenzin, 3}, false},
        {"Datum to KM-Stand", ColDatum, {ColKmStand, 3}, false},
        {"derived to next", ColTankkosten, {ColBenzin, 3}, false},
        {"Ort appends", ColOrt, {ColDatum, 4}, true},
        {"note stays", ColNote2, {ColNote2, 3}, false},
        {"last note stays", ColNote3, {ColNote3, 3}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TextTable grid = MarkedLogbook(3);
        const EnterResult result = CursorAfterEnter(grid, {c.column, 3});
        EXPECT_EQ(result.cursor.column, c.to.column);
        EXPECT_EQ(result.cursor.row, c.to.row);
        EXPECT_EQ(result.appended, c.appended);
        EXPECT_EQ(RecordCount(grid), c.appended ? 4 : 3);
        if (c.appended) {
            for (int column = 1; column < kLogbookColumns; ++column)
                EXPECT_EQ(grid.cell(column, 4), "") << column;
        }
    }
}

TEST(KeyboardTest, CursorOutsideTheRecordsStays) {
    TextTable grid = MarkedLogbook(0);
    const EnterResult result = CursorAfterEnter(grid, {ColOrt, 1});
    EXPECT_EQ(result.cursor.column, ColOrt);
    EXPECT_EQ(result.cursor.row, 1);
    EXPECT_FALSE(result.appended);
    EXPECT_EQ(RecordCount(grid), 0);
}

TEST(InsertDateTest, WritesGermanShortDateIntoDatumOfTheRow) {
    const LocalDateTime today{2026, 12, 6, 10, 3, 22};
    TextTable grid = MarkedLogbook(4);
    InsertDate(grid, 3, today);
    EXPECT_EQ(grid.cell(ColDatum, 3), "06.12.2026");
    EXPECT_EQ(grid.cell(ColTankstelle, 3), Marker(ColTankstelle, 3));
    EXPECT_EQ(grid.cell(ColDatum, 2), Marker(ColDatum, 2));
    EXPECT_EQ(grid.cell(ColDatum, 4), Marker(ColDatum, 4));

    InsertDate(grid, 1, LocalDateTime{2004, 1, 31, 0, 0, 0});
    EXPECT_EQ(grid.cell(ColDatum, 1), "31.01.2004");
}

TEST(InsertDateTest, OutsideTheRecordsChangesNothing) {
    const LocalDateTime today{2026, 12, 6, 0, 0, 0};
    TextTable grid = MarkedLogbook(2);
    InsertDate(grid, 0, today);
    InsertDate(grid, 3, today);
    EXPECT_EQ(grid.cell(ColDatum, 0), "Datum");
    EXPECT_EQ(grid.cell(ColDatum, 1), Marker(ColDatum, 1));
    EXPECT_EQ(grid.cell(ColDatum, 2), Marker(ColDatum, 2));
    EXPECT_EQ(grid.rowCount(), 3);
}

} // namespace
} // namespace spritlog
