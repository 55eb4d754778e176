#include "logbook/logbookfile.h"

#include "logbook/errors.h"
#include "logbook/fileio.h"
#include "logbook/logbooktable.h"
#include "support/faultyfileops.h"
#include "support/filebytes.h"
#include "support/logbooks.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace spritlog {
namespace {

using test::AllCells;
using test::Exists;
using test::FaultyFileOps;
using test::kInputColumns;
using test::Lines;
using test::LogbookOf;
using test::OldLogbook;
using test::ReadBytes;
using test::Record;
using test::WriteBytes;

// Compares the input cells with `expected` and checks every derived cell is empty.
void ExpectRecords(const TextTable& grid, const std::vector<Record>& expected) {
    ASSERT_EQ(grid.rowCount(), static_cast<int>(expected.size()) + 1);
    EXPECT_EQ(grid.cell(ColDatum, 0), "Datum");
    EXPECT_EQ(grid.cell(ColNote1, 0), "Fahrer");
    for (std::size_t r = 0; r < expected.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        for (int i = 0; i < 10; ++i) {
            const std::string want = i < static_cast<int>(expected[r].size()) ? expected[r][i] : "";
            EXPECT_EQ(grid.cell(kInputColumns[i], row), want)
                << "column " << kInputColumns[i] << " row " << row;
        }
        for (int column = ColKm; column <= ColTankkosten; ++column)
            EXPECT_EQ(grid.cell(column, row), "") << "column " << column << " row " << row;
    }
}

// The native save, as the document does it for a name that does not end in .csv or .htm.
struct NativeSave {
    bool backup = false;
};
void SaveNative(const std::string& path, const TextTable& grid, NativeSave options = {}) {
    ReplaceFile(path, options.backup, [&grid](LineSink& sink) { WriteNativeFile(sink, grid); });
}

class LogbookFileTest : public test::TemporaryFolderTest {};

// ---------------------------------------------------------------------------------------
// Reading

struct ParseCase {
    const char* name;
    std::string bytes;
    std::vector<Record> records;
};

std::vector<ParseCase> ParseCases() {
    const std::vector<std::string> twoRecordLines = {
        "2",       "01.01.2026", "02.01.2026", "1000",   "1500", "40.5",  "38.25",
        "1.459",   "1.499",      "Super",      "Diesel", "Aral", "Shell", "Berlin",
        "Hamburg", "a",          "b",          "c",      "d",    "e",     "f"};
    const std::vector<Record> twoRecords = {
        {"01.01.2026", "1000", "40.5", "1.459", "Super", "Aral", "Berlin", "a", "c", "e"},
        {"02.01.2026", "1500", "38.25", "1.499", "Diesel", "Shell", "Hamburg", "b", "d", "f"}};

    std::vector<ParseCase> cases = {
        {"crlf", Lines(twoRecordLines), twoRecords},
        {"lf only", Lines(twoRecordLines, "\n"), twoRecords},
        {"count followed by words", "3 words\r\n" + Lines({"a", "b", "c"}), {{"a"}, {"b"}, {"c"}}},
        {"count followed by tab and text", "1\tx y\nd\n", {{"d"}}},
        {"leading empty lines", "\r\n\r\n \t\r\n  1\r\nd\r\nk\r\n", {{"d", "k"}}},
        {"three records ten lines",
         "3\r\n" + Lines({"l1", "l2", "l3", "l4", "l5", "l6", "l7", "l8", "l9", "l10"}),
         {{"l1", "l4", "l7", "l10"}, {"l2", "l5", "l8"}, {"l3", "l6", "l9"}}},
        {"lone cr ends the cell, rest of line skipped",
         "1\r\nab\rcd\r\nnext\r\n",
         {{"ab", "next"}}},
        {"lone cr then lf", "1\r\nab\r\r\nnext\n", {{"ab", "next"}}},
        {"lone cr after the count does not end its line", "1\rjunk\r\nfirst\r\n", {{"first"}}},
        {"ctrl-z in the middle", "2\r\na\r\nb\x1A\r\nc\r\nd\r\n", {{"a"}, {"b"}}},
        {"ctrl-z in a skipped rest", "1\r\na\rx\x1A\nb\r\n", {{"a"}}},
        {"ctrl-z in the count line rest", "2 abc\x1A\r\na\r\n", {{}, {}}},
        {"ctrl-z before the count",
         "\x1A"
         "3\r\na\r\n",
         {}},
        {"ctrl-z right after the count", "2\x1A\r\na\r\n", {{}, {}}},
        {"umlauts and blanks byte for byte",
         "1\r\n  \xFC\xE4\xDF x  \r\n\t1 \r\n",
         {{"  \xFC\xE4\xDF x  ", "\t1 "}}},
        {"last line without line end", "1\r\na\r\nb", {{"a", "b"}}},
        {"count without line end", "2", {{}, {}}},
        {"empty lines are empty cells", "2\r\n\r\nb\r\n\r\nd\r\n", {{"", ""}, {"b", "d"}}},
        {"extra lines ignored",
         "1\r\n" + Lines({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}),
         {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}}},
        {"empty file", "", {}},
        {"blanks and line ends only", "  \r\n\t\n \r\n", {}},
        {"zero records", "0\r\n", {}},
        {"negative count", "-5\r\na\r\n", {}},
        {"plus sign", "+1\r\na\r\n", {{"a"}}},
        {"hexadecimal count", "0x2\r\na\r\nb\r\n", {{"a"}, {"b"}}},
        {"dollar count", "$1\r\na\r\n", {{"a"}}},
        // Only 32 characters make the count; the 33rd starts the skipped rest.
        {"count text cut at 32 characters",
         std::string(31, '0') + "2X\r\na\r\nb\r\n",
         {{"a"}, {"b"}}},
        {"nul bytes kept", std::string("1\r\na\0b\r\n", 8), {{std::string("a\0b", 3)}}},
    };
    return cases;
}

TEST(ParseLogbookTest, Cases) {
    for (const ParseCase& c : ParseCases()) {
        SCOPED_TRACE(c.name);
        TextTable grid = OldLogbook(7);
        ParseLogbook(c.bytes, grid);
        ExpectRecords(grid, c.records);
        EXPECT_EQ(grid.cell(ColNumber, 0), "");
    }
}

TEST_F(LogbookFileTest, ReadingInSmallPiecesGivesTheSameTable) {
    // Every way of cutting the file into reads must give the same cells.
    for (const ParseCase& c : ParseCases()) {
        SCOPED_TRACE(c.name);
        const std::string path = PathOf("pieces.slg");
        WriteBytes(path, c.bytes);
        for (const std::size_t piece : {1u, 2u, 3u, 5u, 64u}) {
            SCOPED_TRACE(piece);
            FaultyFileOps ops;
            ops.maxReadChunk = piece;
            FileOpsOverride use(ops);
            TextTable grid = OldLogbook(7);
            ASSERT_TRUE(ReadLogbookFile(path, grid));
            ExpectRecords(grid, c.records);
            EXPECT_EQ(ops.openFiles, 0);
        }
    }
}

TEST(ParseLogbookTest, BadCountLeavesTheTableUntouched) {
    // A first line that is no record count means another program's file; a count beyond the
    // limit says so.
    const std::string notALogbook =
        "Die Datei ist kein Spritlog-Tankbuch. Daten anderer Programme \xFC"
        "bernimmt Datei > Export/Import > Importieren aus CSV...";
    const std::string tooMany = "Die Datei enth\xE4lt mehr als 1.000.000 Datens\xE4tze.";
    const struct {
        const char* name;
        std::string bytes;
        const std::string& message;
    } cases[] = {
        {"word", "abc\r\na\r\n", notALogbook},
        {"csv header", "Datum;KM-Stand;Liter\r\n01.02.2025;1000;40\r\n", notALogbook},
        {"largest integer in hex", "0x7FFFFFFF\r\n", tooMany},
        {"largest integer", "2147483647\r\n", tooMany},
        {"just above the limit", "1000001\r\n", tooMany},
        {"outside 32 bits", "99999999999\r\n", notALogbook},
        {"below 32 bits", "-2147483649\r\n", notALogbook},
        {"trailing letter", "3x\r\n", notALogbook},
        {"decimal point", "1.5\r\n", notALogbook},
        {"sign alone", "-\r\n", notALogbook},
        {"thirty-three digits", std::string(33, '1') + "\r\n", notALogbook},
        {"non-breaking space", "3\xA0\r\n", notALogbook},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TextTable grid = OldLogbook(3);
        const std::vector<std::string> before = AllCells(grid);
        try {
            ParseLogbook(c.bytes, grid);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_EQ(error.what(), c.message);
        }
        EXPECT_EQ(grid.rowCount(), 4);
        EXPECT_EQ(AllCells(grid), before);
    }
}

TEST(ParseLogbookTest, ShrinkingLogbookKeepsNothingOfTheLargerOne) {
    TextTable grid = OldLogbook(0);
    ParseLogbook("3\r\n" + Lines(std::vector<std::string>(30, "first")), grid);
    ParseLogbook("1\r\nsecond\r\n", grid);
    ExpectRecords(grid, {{"second"}});
}

TEST(ParseLogbookTest, TableWithoutColumnsGetsTheLogbookShape) {
    TextTable grid;
    ParseLogbook("1\r\na\r\n", grid);
    EXPECT_EQ(grid.columnCount(), kLogbookColumns);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.cell(ColDatum, 1), "a");
}

TEST(ParseLogbookTest, LongCellLine) {
    const std::string longText(3 * 1024 * 1024 + 17, 'x');
    TextTable grid = OldLogbook(0);
    ParseLogbook("1\r\n" + longText + "\r\nend\r\n", grid);
    EXPECT_EQ(grid.cell(ColDatum, 1), longText);
    EXPECT_EQ(grid.cell(ColKmStand, 1), "end");
}

TEST_F(LogbookFileTest, ReadStopsAfterTheLastWantedLine) {
    // A small logbook followed by megabytes of text: only the start of the file is read.
    const std::string path = PathOf("trailer.slg");
    WriteBytes(path, "1\r\n" + Lines(std::vector<std::string>(10, "v")) +
                         std::string(8 * 1024 * 1024, 'z'));
    FaultyFileOps ops;
    FileOpsOverride use(ops);
    TextTable grid = OldLogbook(2);
    ASSERT_TRUE(ReadLogbookFile(path, grid));
    ExpectRecords(grid, {Record(10, "v")});
    EXPECT_LE(ops.bytesRead, 128u * 1024u);
}

TEST_F(LogbookFileTest, MissingFileOrDirectoryReadsNothing) {
    ::mkdir(PathOf("folder").c_str(), 0777);
    WriteBytes(PathOf("plain"), "1\r\n");
    for (const char* name : {"missing.slg", "folder", "plain/inside.slg"}) {
        SCOPED_TRACE(name);
        TextTable grid = OldLogbook(2);
        const std::vector<std::string> before = AllCells(grid);
        EXPECT_FALSE(ReadLogbookFile(PathOf(name), grid));
        EXPECT_EQ(AllCells(grid), before);
    }
}

TEST_F(LogbookFileTest, FailuresWhileReading) {
    const std::string path = PathOf("log.slg");
    WriteBytes(path, "2\r\n" + Lines({"a", "b", "c", "d", "e", "f"}));
    const struct {
        const char* name;
        int openError;
        std::size_t readLimit;
        int readError;
        int closeError;
        const char* message;
        int rowsAfter; // the failure keeps what was done so far
    } cases[] = {
        {"file vanished after the check", ENOENT, SIZE_MAX, 0, 0,
         "\x84log.slg\x93: Datei nicht gefunden", 6},
        {"access denied", EACCES, SIZE_MAX, 0, 0, "\x84log.slg\x93: Zugriff verweigert", 6},
        {"too many files", EMFILE, SIZE_MAX, 0, 0, "\x84log.slg\x93: Zu viele offene Dateien", 6},
        {"read fails at once", 0, 0, EIO, 0, "\x84log.slg\x93: Ein-/Ausgabefehler 5", 6},
        {"read fails halfway", 0, 8, EIO, 0, "\x84log.slg\x93: Ein-/Ausgabefehler 5", 3},
        {"read fails without an error number", 0, 8, 0, 0, "\x84log.slg\x93: Ein-/Ausgabefehler 5",
         3},
        {"close fails", 0, SIZE_MAX, 0, EIO, "\x84log.slg\x93: Ein-/Ausgabefehler 5", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FaultyFileOps ops;
        ops.openError = c.openError;
        ops.readLimit = c.readLimit;
        ops.readError = c.readError;
        ops.closeError = c.closeError;
        ops.maxReadChunk = 4;
        FileOpsOverride use(ops);
        TextTable grid = OldLogbook(5);
        try {
            ReadLogbookFile(path, grid);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_EQ(ops.openFiles, 0);
        EXPECT_EQ(grid.rowCount(), c.rowsAfter);
    }
}

TEST_F(LogbookFileTest, ReadFailingHalfwayKeepsTheCellsReadSoFar) {
    const std::string path = PathOf("log.slg");
    WriteBytes(path, "2\r\n" + Lines({"a", "b", "c", "d"}));
    FaultyFileOps ops;
    ops.readLimit = 9; // "2\r\na\r\nb\r\n"
    FileOpsOverride use(ops);
    TextTable grid = OldLogbook(5);
    EXPECT_THROW(ReadLogbookFile(path, grid), Error);
    ASSERT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.cell(ColDatum, 1), "a");
    EXPECT_EQ(grid.cell(ColDatum, 2), "b");
    EXPECT_EQ(grid.cell(ColKmStand, 1), "");
    EXPECT_EQ(grid.cell(ColOrt, 2), "");
}

// ---------------------------------------------------------------------------------------
// Writing

TEST(WriteNativeFileTest, EmptyLogbookIsTheSingleLineZero) {
    StringSink sink;
    WriteNativeFile(sink, LogbookOf({}));
    EXPECT_EQ(sink.text, "0\r\n");
}

TEST(WriteNativeFileTest, ColumnByColumnWithoutNumbersOrDerivedValues) {
    TextTable grid = LogbookOf({{"d1", "k1", "l1", "p1", "b1", "t1", "o1", "x1", "y1", "z1"},
                                {"d2", "k2", "l2", "p2", "b2", "t2", "o2", "x2", "y2", "z2"}});
    for (int row = 1; row <= 2; ++row) {
        grid.setCell(ColNumber, row, "N");
        for (int column = ColKm; column <= ColTankkosten; ++column)
            grid.setCell(column, row, "DERIVED");
    }
    StringSink sink;
    WriteNativeFile(sink, grid);
    EXPECT_EQ(sink.text, Lines({"2",  "d1", "d2", "k1", "k2", "l1", "l2", "p1", "p2", "b1", "b2",
                                "t1", "t2", "o1", "o2", "x1", "x2", "y1", "y2", "z1", "z2"}));
}

TEST_F(LogbookFileTest, SaveWritesNativeFileAndNoLeftovers) {
    const std::string path = PathOf("auto.slg");
    SaveNative(path,
               LogbookOf({{" 1.1.", "", "7.5 ", "",
                           "\xDC"
                           "ber"}}),
               NativeSave{});
    EXPECT_EQ(ReadBytes(path), Lines({"1", " 1.1.", "", "7.5 ", "",
                                      "\xDC"
                                      "ber",
                                      "", "", "", "", ""}));
    EXPECT_EQ(Entries(), std::set<std::string>{"auto.slg"});
}

TEST_F(LogbookFileTest, ZeroRecordsSaveAndLoad) {
    const std::string path = PathOf("leer.slg");
    SaveNative(path, LogbookOf({}), NativeSave{});
    EXPECT_EQ(ReadBytes(path), "0\r\n");
    TextTable grid = OldLogbook(3);
    ASSERT_TRUE(ReadLogbookFile(path, grid));
    EXPECT_EQ(grid.rowCount(), 1);
}

TEST_F(LogbookFileTest, RoundTripIsByteExact) {
    // Every byte a single-line cell can hold, blanks at both ends, umlauts.
    std::string allBytes;
    for (int code = 0; code < 256; ++code)
        if (code != '\r' && code != '\n' && code != 0x1A)
            allBytes += static_cast<char>(code);
    const std::vector<Record> records = {
        {"06.12.2026", "123456", " 7.50", "1.459 ", "Super Plus", "  Aral  ", "M\xFCnchen",
         "\xE4\xF6\xFC\xC4\xD6\xDC\xDF", "", "\x80 Euro"},
        {allBytes, "", "", "", "", "", "", "", "", allBytes},
        {"", "", "", "", "", "", "", "", "", ""},
    };
    const std::string first = PathOf("a.slg");
    const std::string second = PathOf("b.slg");
    SaveNative(first, LogbookOf(records), NativeSave{});

    TextTable grid = OldLogbook(1);
    grid.setCell(ColNote1, 0, "Fahrer");
    ASSERT_TRUE(ReadLogbookFile(first, grid));
    ExpectRecords(grid, records);
    SaveNative(second, grid, NativeSave{});
    EXPECT_EQ(ReadBytes(second), ReadBytes(first));
}

TEST_F(LogbookFileTest, SampleFileSurvivesLoadAndSave) {
    const std::string sample = std::string(SPRITLOG_TEST_DATA) + "/logbook/sample.slg";
    const std::string original = ReadBytes(sample);
    ASSERT_FALSE(original.empty());
    TextTable grid = NewLogbookTable();
    ASSERT_TRUE(ReadLogbookFile(sample, grid));
    EXPECT_EQ(RecordCount(grid), 6);
    const std::string copy = PathOf("copy.slg");
    SaveNative(copy, grid, NativeSave{});
    EXPECT_EQ(ReadBytes(copy), original);
}

TEST_F(LogbookFileTest, LargeLogbookRoundTrip) {
    std::vector<Record> records;
    for (int i = 0; i < 20000; ++i)
        records.push_back({"01.01.2026", std::to_string(1000 + i), "40.00", "1.50", "Super", "Aral",
                           "Berlin", "", std::string(i % 50, 'n'), ""});
    const TextTable grid = LogbookOf(records);
    const std::string path = PathOf("gross.slg");
    SaveNative(path, grid, NativeSave{});
    StringSink expected;
    WriteNativeFile(expected, grid);
    EXPECT_EQ(ReadBytes(path), expected.text);
    TextTable loaded = OldLogbook(2);
    ASSERT_TRUE(ReadLogbookFile(path, loaded));
    EXPECT_EQ(AllCells(loaded).size(), AllCells(grid).size());
    EXPECT_EQ(loaded.cell(ColKmStand, 20000), "20999");
    EXPECT_EQ(loaded.cell(ColNote2, 49), std::string(48, 'n'));
}

TEST_F(LogbookFileTest, BackupKeepsTheFirstVersion) {
    const std::string path = PathOf("auto.slg");
    const std::string backup = PathOf("auto.bak");
    NativeSave withBackup;
    withBackup.backup = true;

    // No file yet: nothing to back up.
    SaveNative(path, LogbookOf({{"v1"}}), withBackup);
    EXPECT_FALSE(Exists(backup));
    const std::string version1 = ReadBytes(path);

    SaveNative(path, LogbookOf({{"v2"}}), withBackup);
    EXPECT_EQ(ReadBytes(backup), version1);
    SaveNative(path, LogbookOf({{"v3"}}), withBackup);
    EXPECT_EQ(ReadBytes(backup), version1);
    EXPECT_EQ(ReadBytes(path), Lines({"1", "v3", "", "", "", "", "", "", "", "", ""}));

    EXPECT_EQ(Entries(), (std::set<std::string>{"auto.slg", "auto.bak"}));
}

TEST_F(LogbookFileTest, BackupOnlyWhenSwitchedOn) {
    const std::string path = PathOf("auto.slg");
    WriteBytes(path, "0\r\n");
    SaveNative(path, LogbookOf({{"v"}}), NativeSave{});
    EXPECT_FALSE(Exists(PathOf("auto.bak")));
}

TEST_F(LogbookFileTest, BackupNeverLeavesTheDirectory) {
    // "x" has no extension: its last three characters include the separator.
    ::mkdir(PathOf("sub").c_str(), 0777);
    const std::string path = PathOf("sub/x");
    WriteBytes(path, "0\r\n");
    NativeSave withBackup;
    withBackup.backup = true;
    SaveNative(path, LogbookOf({{"v"}}), withBackup);
    EXPECT_EQ(Entries(), std::set<std::string>{"sub"});
    EXPECT_EQ(ReadBytes(path), Lines({"1", "v", "", "", "", "", "", "", "", "", ""}));
}

TEST_F(LogbookFileTest, FailedBackupStopsTheSaveWithTheFileAsItWas) {
    // A backup that was asked for and cannot be made: better no save than one without it.
    const std::string path = PathOf("auto.slg");
    WriteBytes(path, "0\r\n");
    FaultyFileOps ops;
    ops.backupError = EACCES;
    FileOpsOverride use(ops);
    NativeSave withBackup;
    withBackup.backup = true;
    EXPECT_THROW(SaveNative(path, LogbookOf({{"v"}}), withBackup), Error);
    EXPECT_FALSE(Exists(PathOf("auto.bak")));
    EXPECT_EQ(ReadBytes(path), "0\r\n");
    EXPECT_EQ(Entries(), std::set<std::string>{"auto.slg"});
}

TEST_F(LogbookFileTest, WritesInPiecesComplete) {
    const std::string path = PathOf("auto.slg");
    FaultyFileOps ops;
    ops.maxWriteChunk = 3;
    FileOpsOverride use(ops);
    const TextTable grid = LogbookOf({{"01.03.2026", "10000", "40.00"}});
    SaveNative(path, grid, NativeSave{});
    StringSink expected;
    WriteNativeFile(expected, grid);
    EXPECT_EQ(ReadBytes(path), expected.text);
    EXPECT_EQ(ops.openFiles, 0);
}

TEST_F(LogbookFileTest, FailedSaveLeavesTheTargetUntouched) {
    const struct {
        const char* name;
        const char* file;
        int createError;
        std::size_t writeLimit;
        int writeError;
        int syncError;
        int closeError;
        int renameError;
        const char* message;
    } cases[] = {
        {"disk full halfway", "auto.slg", 0, 10, ENOSPC, 0, 0, 0,
         "\x84"
         "auto.slg\x93: Datentr\xE4ger voll. Die Datei \x84"
         "auto.slg\x93 ist unver\xE4ndert."},
        {"quota at once", "auto.slg", 0, 0, EDQUOT, 0, 0, 0,
         "\x84"
         "auto.slg\x93: Datentr\xE4ger voll. Die Datei \x84"
         "auto.slg\x93 ist unver\xE4ndert."},
        {"write error", "auto.slg", 0, 5, EIO, 0, 0, 0,
         "\x84"
         "auto.slg\x93: Ein-/Ausgabefehler 5. Die Datei \x84"
         "auto.slg\x93 ist unver\xE4ndert."},
        {"cannot create", "auto.slg", EACCES, SIZE_MAX, 0, 0, 0, 0,
         "\x84"
         "auto.slg\x93: Zugriff verweigert. Die Datei \x84"
         "auto.slg\x93 ist unver\xE4ndert."},
        {"sync fails", "auto.slg", 0, SIZE_MAX, 0, EIO, 0, 0,
         "\x84"
         "auto.slg\x93: Ein-/Ausgabefehler 5. Die Datei \x84"
         "auto.slg\x93 ist unver\xE4ndert."},
        {"close fails", "auto.slg", 0, SIZE_MAX, 0, 0, ENOSPC, 0,
         "\x84"
         "auto.slg\x93: Datentr\xE4ger voll. Die Datei \x84"
         "auto.slg\x93 ist unver\xE4ndert."},
        {"rename fails", "auto.slg", 0, SIZE_MAX, 0, 0, 0, EACCES,
         "\x84"
         "auto.slg\x93: Zugriff verweigert. Die Datei \x84"
         "auto.slg\x93 ist unver\xE4ndert."},
        {"csv disk full", "auto.csv", 0, 7, ENOSPC, 0, 0, 0,
         "\x84"
         "auto.csv\x93: Datentr\xE4ger voll. Die Datei \x84"
         "auto.csv\x93 ist unver\xE4ndert."},
    };
    const std::string previous = "previous contents\r\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = PathOf(c.file);
        WriteBytes(path, previous);
        FaultyFileOps ops;
        ops.createError = c.createError;
        ops.writeLimit = c.writeLimit;
        ops.writeError = c.writeError;
        ops.syncError = c.syncError;
        ops.closeError = c.closeError;
        ops.renameError = c.renameError;
        FileOpsOverride use(ops);
        try {
            SaveNative(path, LogbookOf({{"01.03.2026", "10000", "40.00"}, {"x"}}), NativeSave{});
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_EQ(ReadBytes(path), previous);
        EXPECT_EQ(Entries(), std::set<std::string>{c.file});
        EXPECT_EQ(ops.openFiles, 0);
        ::unlink(path.c_str());
    }
}

TEST_F(LogbookFileTest, FailedSaveWithBackupKeepsTheFileAndMakesNoBackup) {
    // The backup comes after the new file is complete: a write that fails leaves the file
    // where it was and no backup.
    const std::string path = PathOf("auto.slg");
    WriteBytes(path, "previous\r\n");
    FaultyFileOps ops;
    ops.writeLimit = 4;
    FileOpsOverride use(ops);
    NativeSave withBackup;
    withBackup.backup = true;
    EXPECT_THROW(SaveNative(path, LogbookOf({{"new"}}), withBackup), Error);
    EXPECT_EQ(ReadBytes(path), "previous\r\n");
    EXPECT_EQ(Entries(), std::set<std::string>{"auto.slg"});
}

TEST_F(LogbookFileTest, SaveIntoMissingDirectoryOrOverDirectory) {
    try {
        SaveNative(PathOf("nodir/auto.slg"), LogbookOf({}), NativeSave{});
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "\x84"
                                   "auto.slg\x93: Ung\xFCltiger Dateiname. Die Datei \x84"
                                   "auto.slg\x93 wurde nicht angelegt.");
    }
    ::mkdir(PathOf("folder.slg").c_str(), 0777);
    try {
        SaveNative(PathOf("folder.slg"), LogbookOf({}), NativeSave{});
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "\x84"
                                   "folder.slg\x93: Zugriff verweigert. Die Datei \x84"
                                   "folder.slg\x93 ist unver\xE4ndert.");
    }
    EXPECT_EQ(Entries(), std::set<std::string>{"folder.slg"});
}

TEST_F(LogbookFileTest, NewFileFollowsUmaskReplacedFileKeepsItsMode) {
    const mode_t oldMask = ::umask(027);
    const std::string fresh = PathOf("neu.slg");
    SaveNative(fresh, LogbookOf({}), NativeSave{});
    struct stat info;
    ASSERT_EQ(::stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    const std::string kept = PathOf("alt.slg");
    WriteBytes(kept, "0\r\n");
    ::chmod(kept.c_str(), 0604);
    SaveNative(kept, LogbookOf({{"v"}}), NativeSave{});
    ASSERT_EQ(::stat(kept.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0604u);
    ::umask(oldMask);
}

} // namespace
} // namespace spritlog
