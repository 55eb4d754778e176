#include "document/fileformats.h"
#include "document/writers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace spritlog {
namespace {

// Every kind the dialogs offer for saving is what the writer chosen by its endings writes.
TEST(FileFormats, SavedKindsAreTheWriters) {
    int saved = 0;
    for (const FileFormat& format : FileFormats()) {
        SCOPED_TRACE(format.caption);
        ASSERT_FALSE(format.endings.empty());
        if (!format.saves)
            continue;
        ++saved;
        const Writer& writer = WriterForName("tankbuch" + std::string(format.endings.front()));
        EXPECT_EQ(writer.caption, format.caption);
        for (std::string_view ending : format.endings)
            EXPECT_EQ(&WriterForName("a" + std::string(ending)), &writer);
    }
    // Every writer a name chooses; the Spritmonitor export is chosen by its command alone.
    const std::vector<const Writer*> writers = AllWriters();
    EXPECT_EQ(saved, std::count_if(writers.begin(), writers.end(),
                                   [](const Writer* writer) { return !writer->endings.empty(); }));
}

TEST(FileFormats, Rows) {
    struct Row {
        const char* caption;
        std::vector<std::string_view> endings;
        bool opens, saves, imports;
    };
    const Row rows[] = {
        {"Spritlog", {".slg"}, true, true, false},
        {"CSV-Dateien", {".csv"}, false, true, true},
        {"HTML-Dateien", {".htm", ".html"}, false, true, false},
        {"Excel-Arbeitsmappen", {".xlsx"}, false, true, false},
    };
    const std::vector<FileFormat> formats = FileFormats();
    ASSERT_EQ(formats.size(), std::size(rows));
    for (std::size_t i = 0; i < formats.size(); ++i) {
        SCOPED_TRACE(rows[i].caption);
        EXPECT_EQ(formats[i].caption, rows[i].caption);
        EXPECT_EQ(formats[i].endings, rows[i].endings);
        EXPECT_EQ(formats[i].opens, rows[i].opens);
        EXPECT_EQ(formats[i].saves, rows[i].saves);
        EXPECT_EQ(formats[i].imports, rows[i].imports);
    }
}

} // namespace
} // namespace spritlog
