#include "logbook/filefigures.h"

#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace spritlog {
namespace {

class FileFiguresTest : public test::TemporaryFolderTest {};

// The size is what the file system says; the character figure counts the characters
// without line ends plus one per line.
TEST_F(FileFiguresTest, CountsCharactersAndLines) {
    const std::string ten = "0123456789";
    const struct {
        const char* name;
        std::string bytes;
        int64_t characters;
    } cases[] = {
        {"3 lines, CR LF", ten + "\r\n" + ten + "\r\n" + ten + "\r\n", 33},
        {"3 lines, LF", ten + "\n" + ten + "\n" + ten + "\n", 33},
        {"3 lines, CR", ten + "\r" + ten + "\r" + ten + "\r", 33},
        {"last line without end", ten + "\r\n" + ten + "\r\n" + ten, 33},
        {"empty file", "", 0},
        {"saved empty logbook", "0\r\n", 2},
        {"empty lines", "\r\n\n\r", 3},
        {"CR CR LF", "a\r\r\nb", 5},
        {"Windows-1252 and Ctrl-Z",
         "M\xFC\x1A"
         "chen\r\n",
         8},
        {"kilobytes", std::string(2047, 'x') + "\r\n", 2048},
        // A CR LF split between two pieces of the read is one line end.
        {"CR LF across pieces", std::string(65535, 'x') + "\r\nx", 65538},
        {"CR ending a piece", std::string(65535, 'x') + "\rx", 65538},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = PathOf("f.slg");
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out << c.bytes;
        }
        const FileFigures figures = CountFileFigures(path);
        EXPECT_EQ(figures.size, static_cast<int64_t>(c.bytes.size()));
        EXPECT_EQ(figures.characters, c.characters);
    }
}

} // namespace
} // namespace spritlog
