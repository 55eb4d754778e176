// A native file whose lines do not fit its record count is not loaded shifted: the load
// says so with the numbers and changes nothing; the copy read as well as it goes has no
// name, so that saving cannot write over the damaged file.
#include "document/logbookdocument.h"

#include "logbook/errors.h"
#include "logbook/logbookshape.h"
#include "logbook/logbooktable.h"
#include "support/filebytes.h"
#include "support/logbooks.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

#include <string>

namespace spritlog {
namespace {

using test::Lines;
using test::WriteBytes;

class DamagedFileTest : public test::TemporaryFolderTest {};

// Two records with one "KM-Stand" line missing: every later cell moves up by one.
const std::string kOneLineMissing =
    Lines({"2",    "01.03.2026", "15.03.2026", "10000", "40.00", "35.00",  "1.50",
           "1.60", "Super",      "Super",      "Aral",  "Esso",  "Berlin", "Bonn",
           "",     "",           "",           "",      "",      ""});

TEST_F(DamagedFileTest, LoadTellsTheNumbersAndChangesNothing) {
    const std::string good = PathOf("gut.slg");
    WriteBytes(good, Lines({"1", "01.03.2026", "10000", "40.00", "1.50", "Super", "Aral", "Berlin",
                            "", "", ""}));
    const std::string damaged = PathOf("kaputt.slg");
    WriteBytes(damaged, kOneLineMissing);
    LogbookDocument book;
    book.load(good);
    const TextTable before = book.table();
    try {
        book.load(damaged);
        ADD_FAILURE() << "no error";
    } catch (const DamagedLogbook& error) {
        EXPECT_STREQ(error.what(), "Die Datei ist besch\xE4"
                                   "digt: 19 statt 20 Zeilen f\xFCr 2 Datens\xE4tze.");
    }
    EXPECT_EQ(book.fileName(), good);
    EXPECT_TRUE(book.damagedSource().empty());
    EXPECT_EQ(test::AllCells(book.table()), test::AllCells(before));
}

TEST_F(DamagedFileTest, CopyIsReadAsWellAsItGoesAndHasNoName) {
    const std::string damaged = PathOf("kaputt.slg");
    WriteBytes(damaged, kOneLineMissing);
    LogbookDocument book;
    book.setFileName(PathOf("vorher.slg"));
    try {
        book.loadDamagedCopy(damaged);
    } catch (const Error&) {
        // The shifted cells need not calculate; the copy is open all the same.
    }
    EXPECT_EQ(book.fileName(), "");
    EXPECT_FALSE(book.hasFileName());
    EXPECT_EQ(book.damagedSource(), damaged);
    // Read as the lenient reader reads it: record 2's reading is record 1's litres.
    ASSERT_EQ(book.recordCount(), 2);
    EXPECT_EQ(book.table().cell(ColKmStand, 1), "10000");
    EXPECT_EQ(book.table().cell(ColKmStand, 2), "40.00");
    EXPECT_EQ(book.table().cell(ColNote3, 2), "");
    // A new name, or "Neu", ends the copy.
    book.setFileName(PathOf("neu.slg"));
    EXPECT_TRUE(book.damagedSource().empty());
}

} // namespace
} // namespace spritlog
