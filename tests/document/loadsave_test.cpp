// Loading and saving through the document: the load's order (table, status bar, derived
// values), the writer chosen by the name's ending, and a writer's failure.
#include "document/logbookdocument.h"

#include "logbook/errors.h"
#include "logbook/logbookfile.h"
#include "logbook/logbooktable.h"
#include "reports/csvexport.h"
#include "reports/htmlreport.h"
#include "support/documentsave.h"
#include "support/filebytes.h"
#include "support/logbooks.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace spritlog {
namespace {

using test::AllCells;
using test::Lines;
using test::LogbookOf;
using test::OldLogbook;
using test::ReadBytes;
using test::SaveThroughDocument;
using test::WriteBytes;

class DocumentFileTest : public test::TemporaryFolderTest {};

// Two records whose derived values can be computed.
const std::string kTwoRecordFile =
    Lines({"2",    "01.03.2026", "15.03.2026", "10000", "10500", "40.00", "35.00",
           "1.50", "1.60",       "Super",      "Super", "Aral",  "Esso",  "Berlin",
           "Bonn", "",           "",           "",      "",      "",      ""});

struct HookLog {
    std::vector<std::string> notices;
    int statusBarCalls = 0;
    int rowsAtStatusBar = -1;
};

// Loads `path`, noting the notices and, when the file was read, the rows it gave.
void LoadLogged(LogbookDocument& book, const std::string& path, HookLog& log) {
    LoadHooks hooks;
    hooks.notice = [&log](std::string_view text) { log.notices.emplace_back(text); };
    if (book.load(path, hooks)) {
        ++log.statusBarCalls;
        log.rowsAtStatusBar = book.table().rowCount();
    }
}

TEST_F(DocumentFileTest, LoadFillsTableThenStatusBarThenDerivedValues) {
    const std::string path = PathOf("auto.slg");
    WriteBytes(path, kTwoRecordFile);
    LogbookDocument book;
    book.setTable(OldLogbook(5));
    const TextTable& grid = book.table();
    HookLog log;
    LoadLogged(book, path, log);
    const ChartSource& prepareGrid = book.chartSource();

    EXPECT_TRUE(log.notices.empty());
    EXPECT_EQ(log.statusBarCalls, 1);
    EXPECT_EQ(log.rowsAtStatusBar, 3);
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cell(ColDatum, 2), "15.03.2026");
    EXPECT_EQ(grid.cell(ColOrt, 2), "Bonn");
    EXPECT_EQ(grid.cell(ColKm, 2), "500");
    EXPECT_EQ(grid.cell(ColTankkosten, 1), "60.00");
    // The chart source was rebuilt from the new records.
    EXPECT_EQ(prepareGrid.columnCount(), kLogbookColumns);
    EXPECT_EQ(prepareGrid.cell(ColDatum, 0), "Datum");
    EXPECT_EQ(book.fileName(), path);
}

TEST_F(DocumentFileTest, SecondLoadLeavesNothingOfTheFirst) {
    const std::string first = PathOf("first.slg");
    const std::string second = PathOf("second.slg");
    std::vector<std::string> lines = {"4"};
    for (int block = 0; block < 10; ++block)
        for (int row = 0; row < 4; ++row)
            lines.push_back(block == 1 ? std::to_string(777000 + 100 * row) : "FIRST");
    WriteBytes(first, Lines(lines));
    WriteBytes(second, kTwoRecordFile);

    LogbookDocument book;
    book.setTable(NewLogbookTable());
    const TextTable& grid = book.table();
    HookLog log;
    LoadLogged(book, first, log);
    ASSERT_EQ(grid.rowCount(), 5);
    LoadLogged(book, second, log);

    ASSERT_EQ(grid.rowCount(), 3);
    for (const std::string& cell : AllCells(grid)) {
        EXPECT_EQ(cell.find("FIRST"), std::string::npos);
        EXPECT_EQ(cell.find("777"), std::string::npos) << cell;
    }
    // The newest record has its consumption and costs: 35 l over 500 km, 35 x 1.60 EUR.
    EXPECT_EQ(grid.cell(ColVerbrauch, 2), " 7.00");
    EXPECT_EQ(grid.cell(ColTankkosten, 2), "56.00");
}

TEST_F(DocumentFileTest, LoadOfMissingFileGivesNoticeAndStillCalculates) {
    LogbookDocument book;
    TextTable parsed = NewLogbookTable();
    ParseLogbook(kTwoRecordFile, parsed);
    book.setTable(std::move(parsed));
    const TextTable& grid = book.table();
    const std::string before = std::string(grid.cell(ColDatum, 1));
    const ChartSource& prepareGrid = book.chartSource();
    HookLog log;
    LoadLogged(book, PathOf("nowhere.slg"), log);

    ASSERT_EQ(log.notices.size(), 1u);
    EXPECT_EQ(log.notices[0], "Datei nicht gefunden!");
    EXPECT_EQ(log.statusBarCalls, 0);
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cell(ColDatum, 1), before);
    EXPECT_EQ(grid.cell(ColKm, 2), "500");
    EXPECT_GT(prepareGrid.rowCount(), 0);
}

TEST_F(DocumentFileTest, LoadFailureSkipsStatusBarAndDerivedValues) {
    const std::string path = PathOf("bad.slg");
    WriteBytes(path, "1000001\r\n");
    LogbookDocument book;
    book.setTable(OldLogbook(2));
    const TextTable& grid = book.table();
    const ChartSource& prepareGrid = book.chartSource();
    HookLog log;
    try {
        LoadLogged(book, path, log);
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Die Datei enth\xE4lt mehr als 1.000.000 Datens\xE4tze.");
    }
    EXPECT_EQ(log.statusBarCalls, 0);
    EXPECT_TRUE(log.notices.empty());
    EXPECT_EQ(prepareGrid.cell(ColDatum, 0), ""); // not rebuilt
    EXPECT_EQ(grid.cell(ColKm, 1), "old");
}

TEST_F(DocumentFileTest, LoadWithoutHooks) {
    const std::string path = PathOf("auto.slg");
    WriteBytes(path, kTwoRecordFile);
    LogbookDocument book;
    book.setTable(NewLogbookTable());
    const TextTable& grid = book.table();
    book.load(path, LoadHooks{});
    EXPECT_EQ(grid.rowCount(), 3);
    book.load(PathOf("missing.slg"), LoadHooks{});
    EXPECT_EQ(grid.rowCount(), 3);
}

TEST(WriterForTest, EndingChoosesTheWriterIgnoringCase) {
    const struct {
        const char* path;
        WriterKind kind;
    } cases[] = {
        {"auto.csv", WriterKind::Csv},        {"/x/AUTO.CSV", WriterKind::Csv},
        {"a.Csv", WriterKind::Csv},           {"bericht.htm", WriterKind::Html},
        {"bericht.html", WriterKind::Html},   {"BERICHT.HTML", WriterKind::Html},
        {"b.HtM", WriterKind::Html},          {"auto.slg", WriterKind::Native},
        {"AUTO.SLG", WriterKind::Native},     {"auto.exa", WriterKind::Native},
        {"auto", WriterKind::Native},         {"", WriterKind::Native},
        {"autocsv", WriterKind::Native},      {"a.csv.slg", WriterKind::Native},
        {"dir.csv/auto", WriterKind::Native}, {"a.htmlx", WriterKind::Native},
        {"a.xhtm", WriterKind::Native},       {"a.bak", WriterKind::Native},
        {"auto.xlsx", WriterKind::Xlsx},      {"/x/AUTO.XLSX", WriterKind::Xlsx},
        {"a.XlSx", WriterKind::Xlsx},         {"a.xls", WriterKind::Native},
        {"a.xlsx.slg", WriterKind::Native},   {"a.xlsxx", WriterKind::Native},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WriterFor(c.path), c.kind) << c.path;
}

TEST_F(DocumentFileTest, SaveDispatchesByEnding) {
    const TextTable grid =
        LogbookOf({{"01.03.2026", "10000", "40.00", "1.50", "Super", "A;B", "Berlin"},
                   {"15.03.2026", "10500", "35.00", "1.60", "Super", "Esso", "Bonn"}});
    SaveOptions options;
    options.report.clock = [] { return LocalDateTime{2026, 12, 6, 10, 3, 22}; };
    options.report.authorName = "Autor";
    options.report.reportWebAddress = "https://example.org";

    StringSink csv;
    WriteCsvFile(csv, grid);
    StringSink native;
    WriteNativeFile(native, grid);

    const struct {
        const char* name;
        WriterKind kind;
    } cases[] = {{"x.csv", WriterKind::Csv},    {"x.CSV", WriterKind::Csv},
                 {"x.htm", WriterKind::Html},   {"x.HTML", WriterKind::Html},
                 {"x.slg", WriterKind::Native}, {"x.SLG", WriterKind::Native},
                 {"x.exa", WriterKind::Native}, {"ohne", WriterKind::Native}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = PathOf(c.name);
        WriteBytes(path, "previous contents\r\n");
        SaveThroughDocument(path, grid, options);
        std::string expected = native.text;
        if (c.kind == WriterKind::Csv) {
            expected = csv.text;
        } else if (c.kind == WriterKind::Html) {
            StringSink html;
            WriteHtmlReport(html, grid, path, options.report);
            expected = html.text;
        }
        EXPECT_EQ(ReadBytes(path), expected);
    }
}

TEST_F(DocumentFileTest, FailingReportLeavesTheTargetUntouched) {
    // A sum beyond the range of numbers stops the report's figures, and the workbook's
    // statistics alike.
    const TextTable grid = LogbookOf({{"01.03.2026", "0", "1e308", "1.50"},
                                      {"02.03.2026", "100", "1e308", "1.50"},
                                      {"03.03.2026", "200", "40.00", "1.50"},
                                      {"04.03.2026", "300", "40.00", "1.50"}});
    SaveOptions options;
    options.report.clock = [] { return LocalDateTime{2026, 12, 6, 10, 3, 22}; };
    std::string htmlMessage;
    for (const char* name : {"bericht.htm", "bericht.xlsx"}) {
        SCOPED_TRACE(name);
        const std::string path = PathOf(name);
        WriteBytes(path, "old report");
        try {
            SaveThroughDocument(path, grid, options);
            ADD_FAILURE() << "saved";
        } catch (const Error& error) {
            if (htmlMessage.empty())
                htmlMessage = error.what();
            EXPECT_EQ(error.what(), htmlMessage);
        }
        EXPECT_EQ(ReadBytes(path), "old report");
        std::remove(path.c_str());
        EXPECT_EQ(Entries(), std::set<std::string>{});
    }
}

TEST_F(DocumentFileTest, WorkbookTakesTheReplaceOfEveryWriter) {
    // Saved under the document's own name: the backup rule, and the stamp of what it wrote.
    const std::string path = PathOf("auto.xlsx");
    WriteBytes(path, "old workbook");
    LogbookDocument book;
    book.setTable(LogbookOf(
        {{"01.03.2026", "10000", "40.00", "1.50"}, {"15.03.2026", "10500", "35.00", "1.60"}}));
    book.saveOptions().backup = true;
    book.setFileName(path);
    book.saveTo(path);
    // "bak" for the last three characters, as for every file.
    EXPECT_EQ(ReadBytes(PathOf("auto.xbak")), "old workbook");
    EXPECT_EQ(ReadBytes(path).substr(0, 4), std::string("PK\x03\x04", 4));
    EXPECT_FALSE(book.fileChangedOnDisk());
    WriteBytes(path, "someone else's");
    EXPECT_TRUE(book.fileChangedOnDisk());
    EXPECT_EQ(Entries(), (std::set<std::string>{"auto.xlsx", "auto.xbak"}));
}

TEST_F(DocumentFileTest, CsvExportBesideTheLogbookLeavesItsBackupAlone) {
    // The export shares the backup name "auto.bak" with the logbook.
    const std::string backup = PathOf("auto.bak");
    WriteBytes(PathOf("auto.slg"), "old logbook\r\n");
    WriteBytes(backup, "first version\r\n");
    SaveOptions withBackup;
    withBackup.backup = true;
    SaveThroughDocument(PathOf("auto.csv"), LogbookOf({{"v4"}}), withBackup);
    EXPECT_EQ(ReadBytes(backup), "first version\r\n");
    EXPECT_EQ(Entries(), (std::set<std::string>{"auto.slg", "auto.bak", "auto.csv"}));
}

} // namespace
} // namespace spritlog
