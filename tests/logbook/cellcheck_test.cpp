// The check of the input cells (valid numbers and dates), the completion of typed dates and
// the count of cells with a problem. Expectations worked out from the calendar and the
// number rules by hand.
#include "logbook/cellcheck.h"
#include "logbook/invalidcells.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <string>

namespace spritlog {
namespace {

struct CheckCase {
    int column;
    const char* text;
    CellProblem expected;
};

TEST(CellCheckTest, CheckCell) {
    const CheckCase cases[] = {
        // Dates: dd.mm.yyyy naming a real day.
        {ColDatum, "01.02.2025", CellProblem::None},
        {ColDatum, "29.02.2024", CellProblem::None},     // 2024 is a leap year
        {ColDatum, "29.02.2025", CellProblem::NotADate}, // 2025 is none
        {ColDatum, "29.02.2000", CellProblem::None},     // every 400 years
        {ColDatum, "29.02.1900", CellProblem::NotADate}, // not every 100 years
        {ColDatum, "31.02.2025", CellProblem::NotADate},
        {ColDatum, "30.04.2025", CellProblem::None},
        {ColDatum, "31.04.2025", CellProblem::NotADate},
        {ColDatum, "31.12.2025", CellProblem::None},
        {ColDatum, "00.01.2025", CellProblem::NotADate},
        {ColDatum, "01.00.2025", CellProblem::NotADate},
        {ColDatum, "01.13.2025", CellProblem::NotADate},
        {ColDatum, "01.01.0000", CellProblem::NotADate},
        {ColDatum, "1.2.25", CellProblem::NotADate}, // left as typed
        {ColDatum, "1.2.2025", CellProblem::NotADate},
        {ColDatum, "2025-01-01", CellProblem::NotADate},
        {ColDatum, "01.02.2025 ", CellProblem::NotADate},
        {ColDatum, "01/02/2025", CellProblem::NotADate},
        {ColDatum, "Montag", CellProblem::NotADate},
        {ColDatum, "", CellProblem::None},
        {ColDatum, "   ", CellProblem::None},
        // KM-Stand: a whole number in the signed 32-bit range.
        {ColKmStand, "47100", CellProblem::None},
        {ColKmStand, "47.100", CellProblem::NotANumber},
        {ColKmStand, " 47100", CellProblem::None},
        {ColKmStand, "-5", CellProblem::None},
        {ColKmStand, "$FF", CellProblem::None},
        {ColKmStand, "4o", CellProblem::NotANumber},
        {ColKmStand, "2147483647", CellProblem::None},
        {ColKmStand, "2147483648", CellProblem::NotANumber},
        {ColKmStand, " ", CellProblem::None},
        // Liter and Literpreis: a decimal number with a point.
        {ColLiter, "40.5", CellProblem::None},
        {ColLiter, "4o", CellProblem::NotANumber},
        {ColLiter, ".5", CellProblem::None},
        {ColLiter, "5.", CellProblem::None},
        {ColLiter, "1e3", CellProblem::None},
        {ColLiter, "7,5", CellProblem::NotANumber},
        {ColLiter, ".", CellProblem::NotANumber},
        {ColLiterpreis, "1.599", CellProblem::None},
        {ColLiterpreis, "1.5.9", CellProblem::NotANumber},
        {ColLiterpreis, "", CellProblem::None},
        // Every other column takes any text.
        {ColNumber, "x", CellProblem::None},
        {ColKm, "abc", CellProblem::None},
        {ColVerbrauch, "4o", CellProblem::None},
        {ColBenzin, "4o", CellProblem::None},
        {ColOrt, "Garmisch-Partenkirchen", CellProblem::None},
        {ColNote1, "31.02.2025", CellProblem::None},
    };
    for (const CheckCase& c : cases)
        EXPECT_EQ(CheckCell(c.column, c.text), c.expected) << c.column << " '" << c.text << "'";
}

TEST(CellCheckTest, ProblemTexts) {
    EXPECT_EQ(CellProblemText(CellProblem::None), "");
    EXPECT_EQ(CellProblemText(CellProblem::NotANumber), "Keine g\xFCltige Zahl");
    EXPECT_EQ(CellProblemText(CellProblem::NotADate), "Kein g\xFCltiges Datum (TT.MM.JJJJ)");
    EXPECT_EQ(InvalidCellsText(0), "");
    EXPECT_EQ(InvalidCellsText(1), "1 ung\xFCltige Zelle");
    EXPECT_EQ(InvalidCellsText(2), "2 ung\xFCltige Zellen");
    EXPECT_EQ(InvalidCellsText(1234), "1234 ung\xFCltige Zellen");
}

TEST(CellCheckTest, CompleteDate) {
    const std::pair<const char*, const char*> cases[] = {
        {"1.2.25", "01.02.2025"},
        {"1.2.2025", "01.02.2025"},
        {"01.02.25", "01.02.2025"},
        {"1.12.25", "01.12.2025"},
        {"31.1.2025", "31.01.2025"},
        {"7.11.99", "07.11.2099"},
        {"1.1.00", "01.01.2000"},
        {"29.2.24", "29.02.2024"},
        {"01.02.2025", "01.02.2025"},
        // No real date: kept as typed.
        {"29.2.25", "29.2.25"},
        {"31.2.2025", "31.2.2025"},
        {"31.02.2025", "31.02.2025"},
        {"0.1.25", "0.1.25"},
        {"1.13.25", "1.13.25"},
        // No date of the typed forms: kept as typed.
        {"1.2.025", "1.2.025"},
        {"1.2.20255", "1.2.20255"},
        {"123.1.25", "123.1.25"},
        {"1.123.25", "1.123.25"},
        {"1.2", "1.2"},
        {"1.2.", "1.2."},
        {"1.2.25.", "1.2.25."},
        {".2.25", ".2.25"},
        {" 1.2.25", " 1.2.25"},
        {"1.2.25 ", "1.2.25 "},
        {"a.b.cc", "a.b.cc"},
        {"2025-01-01", "2025-01-01"},
        {"", ""},
    };
    for (const auto& [typed, completed] : cases)
        EXPECT_EQ(CompleteDate(typed), completed) << "'" << typed << "'";
}

TEST(CellCheckTest, CompleteWholeNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"47.100", "47100"},
        {"147.100", "147100"},
        {"1.234.567", "1234567"},
        {"-12.500", "-12500"},
        {"1.000", "1000"},
        {"47100", "47100"},
        // Not a thousands dot: kept as typed, and still no whole number.
        {"47.10", "47.10"},
        {"47.1000", "47.1000"},
        {"4.7100", "4.7100"},
        {"1234.567", "1234.567"},
        {".100", ".100"},
        {"47.", "47."},
        {"47..100", "47..100"},
        {"1.234.56", "1.234.56"},
        {"47.1o0", "47.1o0"},
        {"-.100", "-.100"},
        {" 47.100", " 47.100"},
        {"", ""},
    };
    for (const auto& [typed, completed] : cases)
        EXPECT_EQ(CompleteWholeNumber(typed), completed) << "'" << typed << "'";
}

// A logbook of `records` valid records.
TextTable ValidLogbook(int records) {
    TextTable grid = NewLogbookTable();
    grid.setRowCount(1);
    for (int i = 0; i < records; ++i) {
        const int row = AppendRecord(grid);
        grid.setCell(ColDatum, row, "01.03.2024");
        grid.setCell(ColKmStand, row, "10000");
        grid.setCell(ColLiter, row, "40.00");
        grid.setCell(ColLiterpreis, row, "1.50");
    }
    return grid;
}

TEST(InvalidCellsTest, FollowsTheChanges) {
    TextTable grid = ValidLogbook(4);
    grid.setCell(ColLiter, 2, "4o");
    grid.setCell(ColDatum, 3, "31.02.2025");
    grid.setCell(ColKmStand, 3, "47.100");
    grid.setCell(ColOrt, 3, "4o"); // never counted
    InvalidCells invalid;
    invalid.rescan(grid);
    EXPECT_EQ(invalid.count(), 3);

    // A cell corrected, another made invalid.
    grid.setCell(ColLiter, 2, "40");
    grid.setCell(ColLiterpreis, 4, "1,5");
    invalid.cellsChanged(grid, 2, 4, ColLiter, ColLiterpreis);
    EXPECT_EQ(invalid.count(), 3);
    // A change outside the checked columns is not looked at.
    grid.setCell(ColLiter, 1, "x");
    invalid.cellsChanged(grid, 1, 1, ColKm, ColNote3);
    EXPECT_EQ(invalid.count(), 3);
    invalid.cellsChanged(grid, 1, 1, ColLiter, ColLiter);
    EXPECT_EQ(invalid.count(), 4);

    // A record appended with a bad date, then record 3 (two problems) deleted.
    const int row = AppendRecord(grid);
    grid.setCell(ColDatum, row, "1.2.25");
    invalid.rowsInserted(grid, row, row);
    EXPECT_EQ(invalid.count(), 5);
    DeleteRecord(grid, 3);
    invalid.rowsRemoved(grid, 3, 3);
    EXPECT_EQ(invalid.count(), 3);
    // The rows moved up: record 3 is now the old record 4 ("1,5").
    grid.setCell(ColLiterpreis, 3, "1.5");
    invalid.cellsChanged(grid, 3, 3, ColLiterpreis, ColLiterpreis);
    EXPECT_EQ(invalid.count(), 2);
}

TEST(InvalidCellsTest, AnnouncementThatDoesNotFitChecksEverything) {
    TextTable grid = ValidLogbook(2);
    InvalidCells invalid;
    invalid.rescan(grid);
    EXPECT_EQ(invalid.count(), 0);
    // Two records added and one announced.
    AppendRecord(grid);
    const int row = AppendRecord(grid);
    grid.setCell(ColLiter, row, "4o");
    grid.setCell(ColLiter, row - 1, "4o");
    invalid.rowsInserted(grid, row, row);
    EXPECT_EQ(invalid.count(), 2);
    // Rows gone without their removal announced, then a change of a cell.
    grid.setRowCount(2);
    grid.setCell(ColDatum, 1, "x");
    invalid.cellsChanged(grid, 1, 1, ColDatum, ColDatum);
    EXPECT_EQ(invalid.count(), 1);
}

} // namespace
} // namespace spritlog
