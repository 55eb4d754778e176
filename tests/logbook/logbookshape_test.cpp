// Whether a native file's lines fit its record count: the counts worked out by hand from
// the format (a count line, then ten cell lines per record).
#include "logbook/logbookshape.h"

#include "logbook/logbookfile.h"
#include "logbook/logbooktable.h"

#include "support/filebytes.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spritlog {
namespace {

using test::Lines;

// `count` as the first line, then `cells` lines "c".
std::string File(const std::string& count, int cells, const std::string& end = "\r\n") {
    return Lines(std::vector<std::string>(1, count), end) +
           Lines(std::vector<std::string>(static_cast<std::size_t>(cells), "c"), end);
}

TEST(LogbookShapeTest, LinesAgainstTheCount) {
    const struct {
        const char* name;
        std::string bytes;
        bool fits;
        long long lines;
        long long expected;
    } cases[] = {
        {"two records, 20 cell lines", File("2", 20), true, 20, 20},
        {"LF line ends", File("2", 20, "\n"), true, 20, 20},
        {"last line without its line end", File("2", 19) + "c", true, 20, 20},
        {"one empty line too many at the end", File("2", 20) + "\r\n", true, 21, 20},
        {"a lone CR as the last line", File("2", 20) + "\r", true, 21, 20},
        {"one line missing", File("62", 619), false, 619, 620},
        {"one line too many", File("2", 21), false, 21, 20},
        {"two empty lines too many", File("2", 20) + "\r\n\r\n", false, 22, 20},
        {"one line too many, not empty", File("2", 20) + "x", false, 21, 20},
        {"half the file", File("3", 10), false, 10, 30},
        {"empty logbook", "0\r\n", true, 0, 0},
        {"empty logbook without line end", "0", true, 0, 0},
        {"empty logbook with a cell", File("0", 1), false, 1, 0},
        {"negative count is no records", "-4\r\n", true, 0, 0},
        {"empty file", "", true, 0, 0},
        {"blanks only", " \r\n\r\n", true, 0, 0},
        {"empty lines before the count do not count", "\r\n\r\n" + File("1", 10), true, 10, 10},
        {"text after the count", File("1 Datensatz", 10), true, 10, 10},
        {"Ctrl-Z ends the file", File("1", 10) + "\x1A" + "more\r\nlines\r\n", true, 10, 10},
        {"Ctrl-Z cuts a record short", File("1", 5) + "\x1A" + File("", 5), false, 5, 10},
        {"no count at all: left to the reader", File("Datum;KM", 3), true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Fed in one piece and byte by byte: the result does not depend on the pieces.
        for (const bool bytewise : {false, true}) {
            LogbookShape shape;
            if (bytewise) {
                for (const char byte : c.bytes)
                    shape.feed(std::string_view(&byte, 1));
            } else {
                shape.feed(c.bytes);
            }
            shape.finish();
            EXPECT_EQ(shape.fits(), c.fits);
            EXPECT_EQ(shape.lines(), c.lines);
            EXPECT_EQ(shape.expectedLines(), c.expected);
        }
    }
}

TEST(LogbookShapeTest, MessageNamesTheNumbers) {
    LogbookShape shape;
    shape.feed(File("62", 619));
    shape.finish();
    EXPECT_EQ(DamagedLogbookMessage(shape), "Die Datei ist besch\xE4"
                                            "digt: 619 statt 620 Zeilen f\xFCr 62 Datens\xE4tze.");
}

class ReadWithShapeTest : public test::TemporaryFolderTest {};

// Reading with the shape goes on to the end of the file: a line too many after the last
// record shows.
TEST_F(ReadWithShapeTest, CountsEveryLineWhileReading) {
    test::WriteBytes(PathOf("lang.slg"), File("1", 11));
    TextTable grid;
    LogbookShape shape;
    ASSERT_TRUE(ReadLogbookFile(PathOf("lang.slg"), grid, nullptr, &shape));
    EXPECT_FALSE(shape.fits());
    EXPECT_EQ(shape.lines(), 11);
    EXPECT_EQ(grid.cell(ColNote3, 1), "c");
}

} // namespace
} // namespace spritlog
