// The undo history of the document: every kind of change to the table, undone and redone,
// gives the table back byte for byte, and the modified flag follows the saved state.
#include "document/logbookdocument.h"

#include "import/csvimport.h"
#include "logbook/fileio.h"
#include "logbook/logbooktable.h"
#include "support/logbooks.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace spritlog {
namespace {

// Four records, calculated: the document keeps the derived cells current after every change,
// so undo and redo give them back as a calculation would.
void FillLogbook(LogbookDocument& book) {
    TextTable table = test::LogbookOf({
        {"01.03.2026", "10000", "40.00", "1.50", "Super", "Nord", "Köln", "a", "", ""},
        {"08.03.2026", "10500", "35.50", "1.60", "Super", "West", "Bonn", "", "b", ""},
        {"15.03.2026", "11100", "41.20", "1.55", "Diesel", "Nord", "Köln", "", "", "c"},
        {"22.03.2026", "11600", "38.00", "1.58", "Super", "Süd", "Ulm", "", "", ""},
    });
    WriteColumnHeaders(table);
    for (int row = 1; row <= 4; ++row)
        for (int column = ColKm; column <= ColTankkosten; ++column)
            table.setCell(column, row, "1");
    NumberRecords(table);
    book.setTable(std::move(table));
    book.calculate();
}

struct Shot {
    int columns = 0;
    std::vector<std::string> cells;
    bool operator==(const Shot& other) const {
        return columns == other.columns && cells == other.cells;
    }
};

Shot Take(const LogbookDocument& book) {
    return {book.table().columnCount(), test::AllCells(book.table())};
}

LocalDateTime SomeDay() {
    LocalDateTime day;
    day.year = 2026;
    day.month = 12;
    day.day = 6;
    return day;
}

ImportResult SpritlogImport() {
    return ParseImportFile(ReadWholeFile(SPRITLOG_TEST_DATA "/import/spritlog.csv"));
}

struct Change {
    const char* name;
    std::function<void(LogbookDocument&)> start; // from the four records unless set
    std::function<void(LogbookDocument&)> apply;
    CellPosition cursor; // where undo puts the cursor
};

class HistoryChangeTest : public ::testing::TestWithParam<Change> {};

TEST_P(HistoryChangeTest, UndoAndRedoGiveTheTableBackByteForByte) {
    const Change& change = GetParam();
    LogbookDocument book;
    (change.start ? change.start : FillLogbook)(book);
    const Shot before = Take(book);
    ASSERT_FALSE(book.isModified());

    change.apply(book);
    const Shot after = Take(book);
    ASSERT_FALSE(after == before);
    ASSERT_TRUE(book.canUndo());
    EXPECT_EQ(book.history().count(), 1u);
    EXPECT_TRUE(book.isModified());

    const CellPosition cursor = book.undo();
    EXPECT_EQ(cursor.column, change.cursor.column);
    EXPECT_EQ(cursor.row, change.cursor.row);
    EXPECT_TRUE(Take(book) == before);
    EXPECT_FALSE(book.isModified());
    ASSERT_TRUE(book.canRedo());
    EXPECT_FALSE(book.canUndo());

    book.redo();
    EXPECT_TRUE(Take(book) == after);
    EXPECT_TRUE(book.isModified());
    book.undo();
    EXPECT_TRUE(Take(book) == before);
}

const Change kChanges[] = {
    {"TypedCell",
     nullptr,
     [](LogbookDocument& b) {
         b.editCell({ColLiter, 2}, "7.5");
     },
     {ColLiter, 2}},
    {"EmptiedCell",
     nullptr,
     [](LogbookDocument& b) {
         b.editCell({ColOrt, 3}, "");
     },
     {ColOrt, 3}},
    {"LongText",
     nullptr,
     [](LogbookDocument& b) {
         b.editCell({ColNote2, 4}, std::string(300, 'x'));
     },
     {ColNote2, 4}},
    {"NewRecord", nullptr, [](LogbookDocument& b) { b.appendRecord(); }, {ColDatum, 5}},
    {"InsertDate", nullptr, [](LogbookDocument& b) { b.insertDate(3, SomeDay()); }, {ColDatum, 3}},
    {"DeleteFirst",
     nullptr,
     [](LogbookDocument& b) {
         b.deleteRecord({ColOrt, 1});
     },
     {ColOrt, 1}},
    {"DeleteMiddle",
     nullptr,
     [](LogbookDocument& b) {
         b.deleteRecord({ColLiter, 2});
     },
     {ColLiter, 2}},
    {"DeleteLast",
     nullptr,
     [](LogbookDocument& b) {
         b.deleteRecord({ColDatum, 4});
     },
     {ColDatum, 4}},
    {"DeleteOnly",
     [](LogbookDocument& b) {
         FillLogbook(b);
         TextTable only = b.table();
         only.setRowCount(2);
         b.setTable(std::move(only));
     },
     [](LogbookDocument& b) {
         b.deleteRecord({ColKmStand, 1});
     },
     {ColKmStand, 1}},
    {"EnterInOrtOfTheLast",
     nullptr,
     [](LogbookDocument& b) {
         b.enter({ColOrt, 4});
     },
     {ColOrt, 4}},
    // The records of 2024 go before those of 2026.
    {"Import",
     nullptr,
     [](LogbookDocument& b) { b.appendImported(SpritlogImport()); },
     {ColDatum, 1}},
    {"ImportIntoANewLogbook",
     [](LogbookDocument& b) { b.clear(); },
     [](LogbookDocument& b) { b.appendImported(SpritlogImport()); },
     {ColDatum, 1}},
    // The records and what the calculation makes of them go in as one step, also when the
    // calculation fails (a value beyond the range of numbers).
    {"ImportWithItsCalculation",
     nullptr,
     [](LogbookDocument& b) {
         EXPECT_EQ(b.importRecords(ParseImportFile("29.03.2026;12100;40;1.50;;;;;Super;Aral;Ulm;;;;"
                                                   "\r\n")),
                   nullptr);
     },
     {ColDatum, 5}},
    {"ImportWhoseCalculationFails",
     nullptr,
     [](LogbookDocument& b) {
         EXPECT_NE(
             b.importRecords(ParseImportFile("29.03.2026;12100;1e308;1.50;;;;;Super;Aral;Ulm;;;;"
                                             "\r\n")),
             nullptr);
     },
     {ColDatum, 5}},
    // A reading: the step holds the input, the derived cells follow from it.
    {"ReadingAndItsFigures",
     nullptr,
     [](LogbookDocument& b) {
         b.editCell({ColKmStand, 2}, "10600");
     },
     {ColKmStand, 2}},
    {"OneStep",
     nullptr,
     [](LogbookDocument& b) {
         b.asOneStep({ColTankstelle, 2}, [&] {
             b.deleteRecord({ColDatum, 1});
             b.editCell({ColTankstelle, 2}, "Aral");
             b.calculate();
             b.appendRecord();
         });
     },
     {ColTankstelle, 2}},
};

INSTANTIATE_TEST_SUITE_P(EveryKind, HistoryChangeTest, ::testing::ValuesIn(kChanges),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(History, ChangesThatChangeNothingAreNoSteps) {
    LogbookDocument book;
    FillLogbook(book);
    book.editCell({ColLiter, 2}, "35.50");
    book.deleteRecord({ColDatum, 5}); // no such record
    book.enter({ColLiter, 2});        // moves the cursor only
    book.calculate();
    book.calculate(); // the derived cells were current: no step
    EXPECT_EQ(book.history().count(), 0u);
}

TEST(History, StepsUndoneInTurn) {
    LogbookDocument book;
    FillLogbook(book);
    const Shot start = Take(book);
    book.editCell({ColLiter, 2}, "7.5");
    const Shot typed = Take(book);
    book.deleteRecord({ColDatum, 1});
    book.appendRecord();
    book.undo();
    book.undo();
    EXPECT_TRUE(Take(book) == typed);
    // A new change forgets what was undone.
    book.editCell({ColOrt, 1}, "Hof");
    EXPECT_FALSE(book.canRedo());
    book.undo();
    book.undo();
    EXPECT_TRUE(Take(book) == start);
    EXPECT_FALSE(book.canUndo());
}

class ModifiedTest : public test::TemporaryFolderTest {};

TEST_F(ModifiedTest, FollowsTheSavedState) {
    LogbookDocument book;
    FillLogbook(book);
    book.setFileName(PathOf("a.slg"));
    book.editCell({ColLiter, 2}, "7.5");
    book.saveTo(PathOf("a.slg"));
    EXPECT_FALSE(book.isModified());
    EXPECT_TRUE(book.canUndo()); // saving keeps the history

    book.undo();
    EXPECT_TRUE(book.isModified());
    book.redo();
    EXPECT_FALSE(book.isModified());

    // An export under another name saves nothing of the logbook.
    book.editCell({ColLiter, 3}, "9");
    book.saveTo(PathOf("a.csv"));
    EXPECT_TRUE(book.isModified());
    book.undo();
    EXPECT_FALSE(book.isModified());

    // Undone past the saved state and changed otherwise, it cannot come back.
    book.undo();
    book.editCell({ColOrt, 1}, "Hof");
    book.undo();
    EXPECT_TRUE(book.isModified());
}

TEST_F(ModifiedTest, NewAndLoadingForgetTheHistory) {
    LogbookDocument book;
    FillLogbook(book);
    book.editCell({ColLiter, 2}, "7.5");
    book.clear();
    EXPECT_FALSE(book.isModified());
    EXPECT_FALSE(book.canUndo());

    FillLogbook(book);
    book.setFileName(PathOf("a.slg"));
    book.saveTo(PathOf("a.slg"));
    book.editCell({ColLiter, 2}, "7.5");
    // A file that is not there leaves the table and its history.
    book.load(PathOf("weg.slg"));
    EXPECT_TRUE(book.isModified());
    EXPECT_TRUE(book.canUndo());

    book.load(PathOf("a.slg"));
    EXPECT_FALSE(book.isModified());
    EXPECT_FALSE(book.canUndo());
    EXPECT_FALSE(book.canRedo());
}

} // namespace
} // namespace spritlog
