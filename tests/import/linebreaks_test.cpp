// Regression: a line break inside an imported field was copied into the cell, and the next
// save and load cut the cell there and shifted every later one.
#include "import/csvimport.h"
#include "logbook/linesink.h"
#include "logbook/logbookfile.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <string>

namespace spritlog {
namespace {

TEST(CsvImportLineBreaks, BreaksAndEndOfFileBytesInAFieldBecomeBlanks) {
    struct Case {
        const char* name;
        std::string file;
        std::string note;
    };
    const Case cases[] = {
        {"lone CR in a Spritlog CSV field",
         "01.03.2026;10000;40.00;1.50; 60.00; 7.00; 9.80; "
         "60.00;Super;Aral;Berlin;Anna\rNotiz;;;\r\n",
         "Anna Notiz"},
        {"0x1A in a Spritlog CSV field",
         "01.03.2026;10000;40.00;1.50;;;;;Super;Aral;Berlin;A\x1A"
         "B;;;\r\n",
         "A B"},
        {"quoted line break in a Spritlog CSV field",
         "01.03.2026;10000;40.00;1.50;;;;;Super;Aral;Berlin;\"Anna\r\nNotiz\";;;\r\n",
         "Anna Notiz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportResult result = ParseImportFile(c.file);
        if (!result.ok())
            continue; // refusing the line is sound too; only a cut cell is not
        ASSERT_EQ(result.records.size(), 1u);
        EXPECT_EQ(result.records[0].cells[ColNote1], c.note);

        // What a user gets back after saving and loading the imported logbook.
        TextTable grid = NewLogbookTable();
        AppendImportedRecords(grid, result);
        StringSink saved;
        WriteNativeFile(saved, grid);
        TextTable reloaded = NewLogbookTable();
        ParseLogbook(saved.text, reloaded);
        ASSERT_EQ(RecordCount(reloaded), 1);
        for (int col = ColDatum; col < kLogbookColumns; ++col) {
            if (col >= ColKm && col <= ColTankkosten)
                continue;
            EXPECT_EQ(reloaded.cell(col, 1), grid.cell(col, 1)) << "column " << col;
        }
    }
}

} // namespace
} // namespace spritlog
