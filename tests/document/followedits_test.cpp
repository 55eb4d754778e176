#include "document/logbookdocument.h"

#include "import/csvimport.h"
#include "logbook/derivedvalues.h"
#include "logbook/logbooktable.h"
#include "support/logbooks.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace spritlog {
namespace {

std::vector<std::string> Cells(const TextTable& table) {
    std::vector<std::string> cells;
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table.columnCount(); ++c)
            cells.emplace_back(table.cell(c, r));
    return cells;
}

// Eight records: partial fill-ups in 2 and 7, natural gas in 6; calculated.
void Fill(LogbookDocument& book) {
    TextTable table = test::LogbookOf({
        {"01.03.2026", "10000", "40.00", "1.50", "Super", "Nord", "K\xF6ln", "", "", ""},
        {"08.03.2026", "10500", "35.50", "1.60", "Super", "West", "Bonn", "Teilbetankung", "", ""},
        {"15.03.2026", "11100", "41.20", "1.55", "Super", "Nord", "K\xF6ln", "", "", ""},
        {"22.03.2026", "11600", "38.00", "1.58", "Super", "Ost", "Ulm", "", "", ""},
        {"29.03.2026", "12000", "30.00", "1.62", "Super", "Nord", "K\xF6ln", "", "", ""},
        {"02.04.2026", "12300", "12.00", "1.10", "Erdgas (kg)", "Nord", "K\xF6ln", "", "", ""},
        {"09.04.2026", "12700", "20.00", "1.70", "Super", "West", "Bonn", "", "", "Teilbetankung"},
        {"16.04.2026", "13100", "35.00", "1.65", "Super", "Nord", "K\xF6ln", "", "", ""},
    });
    WriteColumnHeaders(table);
    book.setTable(std::move(table));
    book.calculate();
}

struct EditCase {
    const char* name;
    std::function<void(LogbookDocument&)> change;
};

// Typed cells: readings, litres, prices, marks and grades inside and around intervals.
std::vector<EditCase> TypedCases() {
    return {
        {"reading of a partial fill-up",
         [](LogbookDocument& b) {
             b.editCell({ColKmStand, 2}, "10600");
         }},
        {"invalid reading inside an interval",
         [](LogbookDocument& b) {
             b.editCell({ColKmStand, 2}, "1o");
         }},
        {"invalid reading of a full tank",
         [](LogbookDocument& b) {
             b.editCell({ColKmStand, 4}, "1l600");
         }},
        {"partial mark added",
         [](LogbookDocument& b) {
             b.editCell({ColNote1, 4}, "Teilbetankung");
         }},
        {"missed mark added",
         [](LogbookDocument& b) {
             b.editCell({ColNote2, 3}, "Fehlende Betankung");
         }},
        {"litres of a closing full tank emptied",
         [](LogbookDocument& b) {
             b.editCell({ColLiter, 3}, "");
         }},
        {"grade changed",
         [](LogbookDocument& b) {
             b.editCell({ColBenzin, 4}, "Erdgas (kg)");
         }},
        {"AdBlue between full tanks, then readings and litres typed",
         [](LogbookDocument& b) {
             b.editCell({ColBenzin, 4}, "AdBlue");
             b.editCell({ColKmStand, 5}, "12050");
             b.editCell({ColLiter, 3}, "39");
             b.editCell({ColKmStand, 4}, "11650");
         }},
        {"a charge typed as Strom, then a reading after it",
         [](LogbookDocument& b) {
             b.editCell({ColBenzin, 5}, "Strom");
             b.editCell({ColKmStand, 6}, "12350");
             b.editCell({ColLiter, 5}, "18");
         }},
        {"per record with two energies",
         [](LogbookDocument& b) {
             b.setFullTankIntervals(false);
             b.editCell({ColKmStand, 3}, "11200");
             b.editCell({ColLiter, 6}, "13");
             b.editCell({ColBenzin, 6}, "Super");
             b.editCell({ColKmStand, 7}, "12750");
         }},
        {"next to another unit",
         [](LogbookDocument& b) {
             b.editCell({ColLiter, 7}, "22");
         }},
        {"record emptied",
         [](LogbookDocument& b) {
             b.asOneStep({ColDatum, 4}, [&] {
                 for (int column = ColDatum; column <= ColNote3; ++column)
                     b.editCell({column, 4}, "");
             });
         }},
        {"equal readings",
         [](LogbookDocument& b) {
             b.editCell({ColKmStand, 4}, "11100");
         }},
        {"undo of a typed reading",
         [](LogbookDocument& b) {
             b.editCell({ColKmStand, 4}, "11900");
             b.editCell({ColLiter, 5}, "3o");
             b.undo();
         }},
        {"typed reading",
         [](LogbookDocument& b) {
             b.editCell({ColKmStand, 3}, "11300");
         }},
        {"typed litres",
         [](LogbookDocument& b) {
             b.editCell({ColLiter, 4}, "44.5");
         }},
        {"invalid litres",
         [](LogbookDocument& b) {
             b.editCell({ColLiter, 4}, "4o");
         }},
        {"emptied price",
         [](LogbookDocument& b) {
             b.editCell({ColLiterpreis, 1}, "");
         }},
        {"mark removed",
         [](LogbookDocument& b) {
             b.editCell({ColNote1, 2}, "");
         }},
    };
}

// Steps of several cells or records, undo and redo, an import and the other rule.
std::vector<EditCase> StepCases() {
    return {
        {"paste",
         [](LogbookDocument& b) {
             b.asOneStep({ColKmStand, 2}, [&] {
                 b.editCell({ColKmStand, 2}, "10400");
                 b.editCell({ColLiter, 2}, "20");
                 b.editCell({ColKmStand, 5}, "12200");
             });
         }},
        {"delete",
         [](LogbookDocument& b) {
             b.deleteRecord({ColDatum, 3});
         }},
        {"delete first",
         [](LogbookDocument& b) {
             b.deleteRecord({ColDatum, 1});
         }},
        {"append", [](LogbookDocument& b) { b.appendRecord(); }},
        {"undo",
         [](LogbookDocument& b) {
             b.editCell({ColKmStand, 3}, "11300");
             b.deleteRecord({ColDatum, 2});
             b.undo();
         }},
        {"undo all",
         [](LogbookDocument& b) {
             b.editCell({ColKmStand, 3}, "11300");
             b.deleteRecord({ColDatum, 2});
             b.undo();
             b.undo();
         }},
        {"redo",
         [](LogbookDocument& b) {
             b.deleteRecord({ColDatum, 2});
             b.editCell({ColLiter, 2}, "50");
             b.undo();
             b.undo();
             b.redo();
         }},
        {"import",
         [](LogbookDocument& b) {
             b.appendImported(
                 ParseImportFile("05.04.2026;12500;35;1.60;;;;;Super;Aral;Ulm;;;;\r\n"));
         }},
        {"rule",
         [](LogbookDocument& b) {
             b.setFullTankIntervals(false);
             b.editCell({ColOrt, 1}, "Hof");
         }},
    };
}

// Every kind of change leaves the derived cells and the record numbers as a whole new
// calculation of the same inputs gives them, without F5.
TEST(FollowEdits, EveryChangeLeavesTheFiguresOfAFullCalculation) {
    std::vector<EditCase> cases = TypedCases();
    const std::vector<EditCase> steps = StepCases();
    cases.insert(cases.end(), steps.begin(), steps.end());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LogbookDocument book;
        Fill(book);
        c.change(book);
        TextTable expected = book.table();
        const std::vector<CellIssue> issues = CalculateRecords(expected, book.consumptionRule());
        NumberRecords(expected);
        EXPECT_EQ(Cells(book.table()), Cells(expected));
        EXPECT_EQ(book.cellIssues(), issues);
    }
}

// The invalid cell is named while typing; the record before and after keep their figures.
TEST(FollowEdits, AnInvalidCellIsNamedAtOnce) {
    LogbookDocument book;
    Fill(book);
    book.editCell({ColLiter, 4}, "4o");
    ASSERT_EQ(book.cellIssues().size(), 1u);
    EXPECT_EQ(book.cellIssues()[0].message, "Datensatz 4, Liter: '4o' ist keine Zahl.");
    EXPECT_EQ(book.table().cell(ColVerbrauch, 4), "");
    EXPECT_EQ(book.table().cell(ColTankkosten, 4), "");
    // From full tank to full tank the record without litres is passed over: 30 l over the
    // 900 km from record 3, 3.33; 30 x 1.62 = 48.60.
    EXPECT_EQ(book.table().cell(ColVerbrauch, 5), " 3.33");
    EXPECT_EQ(book.table().cell(ColKm, 5), "400");
    EXPECT_EQ(book.table().cell(ColTankkosten, 5), "48.60");
    book.undo();
    EXPECT_TRUE(book.cellIssues().empty());
    // "Neu" forgets them too.
    book.editCell({ColLiterpreis, 2}, "x");
    EXPECT_EQ(book.cellIssues().size(), 1u);
    book.enter({ColLiterpreis, 2}); // moves the cursor only
    book.clear();
    EXPECT_TRUE(book.cellIssues().empty());
}

} // namespace
} // namespace spritlog
