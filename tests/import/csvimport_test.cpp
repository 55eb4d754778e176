#include "import/csvimport.h"
#include "logbook/codepage.h"
#include "logbook/errors.h"
#include "logbook/linesink.h"
#include "logbook/logbooktable.h"
#include "reports/csvexport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace spritlog {
namespace {

std::string ReadImportFile(const std::string& name) {
    std::ifstream in(std::string(SPRITLOG_TEST_DATA) + "/import/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The input columns of a record, in column order: 1..4, then 9..14.
std::vector<std::string> InputCells(const ImportRecord& record) {
    std::vector<std::string> cells;
    for (int c = ColDatum; c <= ColNote3; ++c) {
        if (c < ColKm || c > ColTankkosten)
            cells.push_back(record.cells[static_cast<std::size_t>(c)]);
    }
    return cells;
}

std::vector<std::string> InputCells(const TextTable& grid, int row) {
    std::vector<std::string> cells;
    for (int c = ColDatum; c <= ColNote3; ++c) {
        if (c < ColKm || c > ColTankkosten)
            cells.emplace_back(grid.cell(c, row));
    }
    return cells;
}

using Cells = std::vector<std::string>;

std::string AllProblems(const ImportResult& result) {
    std::string text;
    for (const ImportProblem& p : result.problems)
        text += ImportProblemText(p) + "\n";
    return text;
}

// A Spritmonitor file with the usual English header and the given data lines.
std::string Spritmonitor(const std::string& lines) {
    return "Date;Odometer;Trip;Quantity;Total price;Currency;Type;Tires;Roads;Driving style;Fuel;"
           "Note;Consumption;BC-Consumption;BC-Quantity;BC-Speed;Company;Country;Area;Location\n" +
           lines;
}

// A Fuelio backup whose log has the given data lines (and no station list).
std::string Fuelio(const std::string& lines) {
    return "\"## Vehicle\"\n\"Name\",\"Make\"\n\"Golf\",\"VW\"\n\"## Log\"\n"
           "\"Data\",\"Odo (km)\",\"Fuel (litres)\",\"Full\",\"Price (optional)\","
           "\"City (optional)\",\"Notes (optional)\",\"Missed\",\"FuelType\",\"VolumePrice\","
           "\"StationID (optional)\"\n" +
           lines;
}

// ---- The three formats from sample files ------------------------------------------------

TEST(CsvImport, SpritmonitorEnglishExport) {
    const ImportResult result = ParseImportFile(ReadImportFile("spritmonitor_en.csv"));
    ASSERT_TRUE(result.ok()) << AllProblems(result);
    EXPECT_EQ(result.format, ImportFormat::Spritmonitor);
    ASSERT_EQ(result.records.size(), 3u);
    // UTF-8 with byte-order mark: "München" arrives as Windows-1252.
    EXPECT_EQ(InputCells(result.records[0]), (Cells{"03.01.2024", "12345", "45.5", "1.749", "Super",
                                                    "Aral", "M\xFCnchen", "Urlaub", "", ""}));
    // No location: the area stands in for it.
    EXPECT_EQ(InputCells(result.records[1]), (Cells{"17.01.2024", "12910", "40", "1.750", "E10",
                                                    "Shell", "Bayern", "", "", "Teilbetankung"}));
    EXPECT_EQ(InputCells(result.records[2]),
              (Cells{"01.02.2024", "13420", "38.12", "1.6902", "HVO100", "", "Augsburg",
                     "Notiz; mit \"Semikolon\"", "", "Fehlende Betankung"}));
    EXPECT_EQ(result.records[0].line, 2);
    EXPECT_EQ(result.records[2].line, 4);
}

TEST(CsvImport, SpritmonitorGermanNamesInAnotherOrderAreSortedByOdometer) {
    const ImportResult result = ParseImportFile(ReadImportFile("spritmonitor_de.csv"));
    ASSERT_TRUE(result.ok()) << AllProblems(result);
    EXPECT_EQ(result.format, ImportFormat::Spritmonitor);
    ASSERT_EQ(result.records.size(), 2u);
    // The file lists the newer refuelling first.
    EXPECT_EQ(InputCells(result.records[0]),
              (Cells{"01.02.2023", "14800", "41.3", "29.8925", "Normal", "Esso", "D\xFCsseldorf",
                     "Bemerkung \"zitiert\"", "", "Teilbetankung"}));
    EXPECT_EQ(InputCells(result.records[1]), (Cells{"05.03.2023", "15300", "42.1", "1.700",
                                                    "Super E5", "Jet", "K\xF6ln", "", "", ""}));
    EXPECT_EQ(result.records[0].line, 3);
    EXPECT_EQ(result.records[1].line, 2);
}

TEST(CsvImport, FuelioBackup) {
    const ImportResult result = ParseImportFile(ReadImportFile("fuelio.csv"));
    ASSERT_TRUE(result.ok()) << AllProblems(result);
    EXPECT_EQ(result.format, ImportFormat::Fuelio);
    ASSERT_EQ(result.records.size(), 3u);
    // Newest first in the file; 20480.6 km rounds to 20481. Without a volume price the
    // price per litre is the total over the litres. The note ran over two lines.
    EXPECT_EQ(InputCells(result.records[0]),
              (Cells{"01.02.2024", "20481", "40.5", "1.740", "Diesel", "", "Stuttgart",
                     "Zeile eins Zeile zwei", "", "Fehlende Betankung"}));
    // FuelType -1: none chosen, so the tank's type of "## Vehicle" names the grade.
    EXPECT_EQ(InputCells(result.records[1]), (Cells{"20.02.2024", "21000", "30", "1.790", "Benzin",
                                                    "Aral Ulm", "Ulm", "", "", "Teilbetankung"}));
    EXPECT_EQ(InputCells(result.records[2]),
              (Cells{"10.03.2024", "21500", "35.2", "1.759", "Benzin", "Shell \"Nord\"",
                     "M\xFCnchen", "Autobahn, A9", "", ""}));
    EXPECT_EQ(result.records[0].line, 8);
    EXPECT_EQ(result.records[2].line, 6);
}

TEST(CsvImport, SpritlogExportIsReadVerbatimWithoutTheDerivedColumns) {
    const ImportResult result = ParseImportFile(ReadImportFile("spritlog.csv"));
    ASSERT_TRUE(result.ok()) << AllProblems(result);
    EXPECT_EQ(result.format, ImportFormat::SpritlogCsv);
    ASSERT_EQ(result.records.size(), 3u);
    EXPECT_EQ(InputCells(result.records[0]), (Cells{"01.03.2024", "10000", "40", "1.50", "Super",
                                                    "Aral", "M\xFCnchen", "Urlaub", "", ""}));
    EXPECT_EQ(InputCells(result.records[1]),
              (Cells{"15.03.2024", "10500", "35", "1.40", "E10", "Shell; Nord", "Augsburg",
                     "Sagte \"voll\"", "", ""}));
    EXPECT_EQ(InputCells(result.records[2]), Cells(10, ""));
    for (const ImportRecord& record : result.records) {
        for (int c = ColKm; c <= ColTankkosten; ++c)
            EXPECT_EQ(record.cells[static_cast<std::size_t>(c)], "");
    }
}

// The export for German spreadsheets: captions first (the notes' own names), decimal commas
// in the number columns; the Spritmonitor-like captions must not make it a Spritmonitor file.
TEST(CsvImport, SpritlogExportWithCaptionsAndDecimalCommas) {
    const std::string text =
        "Datum;KM-Stand;Liter;Literpreis;KM;Verbrauch;Kosten/Km;Tankkosten;Benzin;Tankstelle;"
        "Ort;Anlass;;Reifen;\r\n"
        "01.03.2024;10000;40,5;1,709;;;;69,21;Super;Aral;M\xFCnchen;Urlaub;;;\r\n"
        "15.03.2024;10500;35;1,40;500;7,00;9,80;49,00;E10;\"Shell; Nord\";1,5;2,5;;;\r\n"
        "16.03.2024;12a;4o;1,2,3;;;;;;;;;;;\r\n";
    const ImportResult result = ParseImportFile(text);
    ASSERT_TRUE(result.ok()) << AllProblems(result);
    EXPECT_EQ(result.format, ImportFormat::SpritlogCsv);
    ASSERT_EQ(result.records.size(), 3u);
    EXPECT_EQ(result.records[0].line, 2);
    EXPECT_EQ(InputCells(result.records[0]), (Cells{"01.03.2024", "10000", "40.5", "1.709", "Super",
                                                    "Aral", "M\xFCnchen", "Urlaub", "", ""}));
    // Commas outside the number columns are text.
    EXPECT_EQ(InputCells(result.records[1]), (Cells{"15.03.2024", "10500", "35", "1.40", "E10",
                                                    "Shell; Nord", "1,5", "2,5", "", ""}));
    // What is no number stays as it was written.
    EXPECT_EQ(InputCells(result.records[2]),
              (Cells{"16.03.2024", "12a", "4o", "1,2,3", "", "", "", "", "", ""}));
}

// ---- Round trip through our own export --------------------------------------------------

TEST(CsvImport, ExportThenImportGivesTheSameInputCells) {
    const Cells records[] = {
        {"01.03.2024", "10000", "40", "1.50", "Super", "Aral", "M\xFCnchen", "Urlaub", "", ""},
        {"15.03.2024", "10500", "35.5", "1.459", "E10", "Shell; Nord",
         "\xC4\xD6\xDC\xE4\xF6\xFC\xDF", "\"zitiert\"", "a\"b", "\""},
        {"", "", "", "", "", "", "", "", "", ""},
        {";", ";;", "\"\"", "\";\"", " 7.00 ", "x;", ";x", "\"a", "a\"", "\x80\x81\x8D\xFF"},
        {"31.12.1999", "12a", "-1", "1,5", "Diesel", "\t", "'", "#", "## Log", "Date;Odometer"},
        // Cells that begin like the marks of the other formats.
        {"## Log", "## Log,", "\"## Log\"", "Date", "Odometer", "", "", "", "", ""},
    };
    TextTable original = NewLogbookTable();
    original.setRowCount(static_cast<int>(std::size(records)) + 1);
    for (int r = 1; r <= static_cast<int>(std::size(records)); ++r) {
        const Cells& cells = records[r - 1];
        int i = 0;
        for (int c = ColDatum; c <= ColNote3; ++c) {
            if (c < ColKm || c > ColTankkosten)
                original.setCell(c, r, cells[static_cast<std::size_t>(i++)]);
            else
                original.setCell(c, r, " 9.99"); // derived values are not read back
        }
    }
    StringSink sink;
    WriteCsvFile(sink, original);
    // The file has decimal commas, so the text "1,5" in a number column comes back as the
    // number it reads as.
    TextTable expected = original;
    expected.setCell(ColLiterpreis, 5, "1.5");

    const ImportResult result = ParseImportFile(sink.text);
    ASSERT_TRUE(result.ok()) << AllProblems(result);
    EXPECT_EQ(result.format, ImportFormat::SpritlogCsv);
    TextTable imported = NewLogbookTable();
    AppendImportedRecords(imported, result);
    ASSERT_EQ(RecordCount(imported), RecordCount(original));
    for (int r = 1; r <= RecordCount(original); ++r)
        EXPECT_EQ(InputCells(imported, r), InputCells(expected, r)) << "record " << r;
}

// A logbook beyond litres is exported with each record's unit after the notes; it comes back
// with the same input cells, the grade telling the energy again.
TEST(CsvImport, ExportWithUnitsThenImportGivesTheSameInputCells) {
    const std::vector<Cells> logbooks[] = {
        {{"01.03.2024", "10000", "40", "1.80", "Super", "Aral", "M\xFCnchen", "", "", ""},
         {"05.03.2024", "10150", "10.5", "0.30", "Strom", "Wallbox", "", "Einheit", "", "kWh"},
         {"", "", "", "", "", "", "", "", "", ""},
         {"09.03.2024", "10300", "9", "0.40", "AdBlue", "", "", "", "Teilbetankung", ""}},
        {{"01.03.2024", "10000", "12.5", "1.10", "Erdgas (CNG)",
          "Nord; S\xFC"
          "d",
          "", "", "", ""}},
    };
    for (const std::vector<Cells>& records : logbooks) {
        TextTable original = NewLogbookTable();
        original.setRowCount(static_cast<int>(records.size()) + 1);
        for (int r = 1; r <= static_cast<int>(records.size()); ++r) {
            int i = 0;
            for (int c = ColDatum; c <= ColNote3; ++c)
                if (c < ColKm || c > ColTankkosten)
                    original.setCell(
                        c, r,
                        records[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(i++)]);
        }
        StringSink sink;
        WriteCsvFile(sink, original);
        ASSERT_NE(sink.text.find(";Einheit;\r\n"), std::string::npos) << sink.text;
        const ImportResult result = ParseImportFile(sink.text);
        ASSERT_TRUE(result.ok()) << AllProblems(result);
        EXPECT_EQ(result.format, ImportFormat::SpritlogCsv);
        ASSERT_EQ(result.records.size(), records.size());
        for (std::size_t r = 0; r < records.size(); ++r)
            EXPECT_EQ(InputCells(result.records[r]), records[r]) << "record " << r + 1;
    }
}

TEST(CsvImport, RoundTripOfOneEmptyRecordAndOfSingleCells) {
    // Every single cell text in every input column survives alone as well.
    const char* texts[] = {"a", ";", "\"", "\"\"", "x\"y;z", "M\xFCnchen", " ", "\xE4;\xF6"};
    const int columns[] = {1, 2, 3, 4, 9, 10, 11, 12, 13, 14};
    for (const char* text : texts) {
        for (const int column : columns) {
            TextTable original = NewLogbookTable();
            original.setCell(column, 1, text);
            StringSink sink;
            WriteCsvFile(sink, original);
            const ImportResult result = ParseImportFile(sink.text);
            ASSERT_TRUE(result.ok()) << text << " in " << column << ": " << AllProblems(result);
            ASSERT_EQ(result.records.size(), 1u);
            EXPECT_EQ(result.records[0].cells[static_cast<std::size_t>(column)], text)
                << "column " << column;
        }
    }
}

// ---- Text encodings ---------------------------------------------------------------------

TEST(CsvImport, Utf8AndWindows1252GiveTheSameCells) {
    const std::string lines = "03.01.2024;12345;;45,50;79,58;EUR;1;;;;7;Gr\xFC\xDF"
                              "e \x80;;;;;\xC4ral;D;;M\xFCnchen\n";
    const std::string cp1252 = Spritmonitor(lines);
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"Windows-1252", cp1252},
        {"UTF-8", utf8},
        {"UTF-8 with byte-order mark", "\xEF\xBB\xBF" + utf8},
    };
    for (const auto& c : cases) {
        const ImportResult result = ParseImportFile(c.bytes);
        ASSERT_TRUE(result.ok()) << c.name << ": " << AllProblems(result);
        ASSERT_EQ(result.records.size(), 1u) << c.name;
        EXPECT_EQ(InputCells(result.records[0]),
                  (Cells{"03.01.2024", "12345", "45.5", "1.749", "Super", "\xC4ral", "M\xFCnchen",
                         "Gr\xFC\xDF"
                         "e \x80",
                         "", ""}))
            << c.name;
    }
}

TEST(CsvImport, Utf8CharactersOutsideWindows1252BecomeQuestionMarks) {
    // "Łódź" in UTF-8: Ł and ź have no Windows-1252 byte.
    const ImportResult result =
        ParseImportFile(Fuelio("\"2024-01-01\",\"100\",\"10\",\"1\",\"15\",\"\xC5\x81\xC3\xB3"
                               "d\xC5\xBA\",\"\",\"0\",\"\",\"\",\"\"\n"));
    ASSERT_TRUE(result.ok()) << AllProblems(result);
    EXPECT_EQ(result.records[0].cells[ColOrt], "?\xF3"
                                               "d?");
    EXPECT_EQ(result.summary.replacedCells, 1);
}

TEST(CsvImport, FuelioStationNamesComeFromTheStationList) {
    const std::string file =
        "\"## "
        "FavStations\"\n\"NameBrand\",\"Latitude\",\"Longitude\",\"StationID\",\"Description\","
        "\"CountryCode\"\n\"Nord\",\"48.4\",\"9.9\",\"1\",\"Ulm\",\"DEU\"\n"
        "\"## Log\"\n\"Date\",\"Odo\",\"Fuel\",\"StationID\",\"latitude (optional)\","
        "\"longitude (optional)\"\n"
        "\"2024-01-01\",\"1\",\"1\",\"1\",\"\",\"\"\n"
        "\"2024-01-02\",\"2\",\"1\",\"7\",\"48.4\",\"9.9\"\n"
        "\"2024-01-03\",\"3\",\"1\",\"\",\"0.0\",\"0.0\"\n";
    const ImportResult result = ParseImportFile(file);
    ASSERT_TRUE(result.ok()) << AllProblems(result);
    ASSERT_EQ(result.records.size(), 3u);
    EXPECT_EQ(result.records[0].cells[ColTankstelle], "Nord");
    // The app renumbers its stations; the position still finds the one in the list.
    EXPECT_EQ(result.records[1].cells[ColTankstelle], "Nord");
    EXPECT_EQ(result.records[2].cells[ColTankstelle], "");
}

// ---- Column matching --------------------------------------------------------------------

TEST(CsvImport, SpritmonitorColumnNamesAreMatchedLoosely) {
    struct Case {
        const char* header;
        const char* line;
    };
    // Every case describes the same refuelling.
    const Case cases[] = {
        {"Date;Odometer;Quantity;Total price;Fuel;Company;Location;Note;Type",
         "02.05.2024;5000;20,00;30,00;7;Aral;Ulm;n;2"},
        {"Datum;Kilometerstand;Menge;Gesamtpreis;Kraftstoff;Tankstelle;Ort;Bemerkung;Tankart",
         "02.05.2024;5000;20,00;30,00;7;Aral;Ulm;n;2"},
        {"  DATUM ; KM-Stand ; Menge (l) ; Kosten (\x80) ; Sorte ; Firma ; Standort ; Notiz ; Typ ",
         "02.05.2024;5000;20,00;30,00;7;Aral;Ulm;n;2"},
        {"Type;Note;Location;Company;Fuel;Total price;Quantity;Odometer;Date",
         "2;n;Ulm;Aral;7;30,00;20,00;5000;02.05.2024"},
        {"\"Date\";\"Odometer\";\"Quantity\";\"Total_Price\";\"Fuel\";\"Company\";\"Area\";"
         "\"Note\";\"Type\"",
         "\"02.05.2024\";\"5000\";\"20,00\";\"30,00\";\"7\";\"Aral\";\"Ulm\";\"n\";\"2\""},
        // The service's real German headers, older (13 columns) and newer (20 columns).
        {"Datum;Km-Stand;Teil-Km;Spritmenge;Kosten;W\xE4hrung;Tankart;Reifen;Strecken;Fahrweise;"
         "Kraftstoff;Bemerkung;Verbrauch;BC-Verbrauch;BC-Spritmenge;BC-Geschwindigkeit;Tankstelle;"
         "Land;Gro\xDFraum;Ort",
         "02.05.2024;5000,00;500,00;20,00;30,00;\"EUR\";2;1;14;2;7;\"n\";6,00;0,00;0,00;0,00;"
         "\"Aral\";\"D\";\"\";\"Ulm\""},
        {"Datum;Km-Stand;Teil-Km;Spritmenge;Kosten;W\xE4hrung;Tankart;Reifen;Strecken;Fahrweise;"
         "Kraftstoff;Bemerkung;Verbrauch;BC-Verbrauch;BC-Spritmenge;BC-Geschwindigkeit;Tankstelle;"
         "Land;Gro\xDFraum;Ort",
         "02.05.2024;5000,00;500,00;20,00;30,00;\"EUR\";2;1;14;2;7;\"n\";6,00;0,00;0,00;0,00;"
         "\"Aral\";\"D\";\"Ulm\";\"\""},
        // The service's English header of the same 20 columns.
        {"Date;Odometer;Trip;Quantity;Total price;Currency;Type;Tires;Roads;Driving style;Fuel;"
         "Note;Consumption;BC-Consumption;BC-Quantity;BC-Speed;Company;Country;Area;Location",
         "02.05.2024;5000,00;500,00;20,00;30,00;\"EUR\";2;1;14;2;7;\"n\";6,00;0,00;0,00;0,00;"
         "\"Aral\";\"D\";\"\";\"Ulm\""},
        {"Datum;Km-Stand;Teil-Km;Spritmenge;Kosten;W\xE4hrung;Tankart;Reifen;Strecken;Fahrweise;"
         "Kraftstoff;Bemerkung;Verbrauch;Tankstelle;Ort",
         "02.05.2024;5000,00;500,00;20,00;30,00;\"EUR\";2;1;14;2;7;\"n\";6,00;Aral;Ulm"},
        // Unknown columns are ignored, the first of two matching columns wins.
        {"Datum;Trip;KM-Stand;Kilometerstand;Liter;Kosten;BC-Quantity;Benzin;Tankstelle;Ort;"
         "Kommentar;Betankungsart;Land",
         "02.05.2024;99;5000;7777;20,00;30,00;1,0;7;Aral;Ulm;n;2;D"},
    };
    for (const Case& c : cases) {
        const ImportResult result = ParseImportFile(std::string(c.header) + "\r\n" + c.line);
        ASSERT_TRUE(result.ok()) << c.header << ": " << AllProblems(result);
        EXPECT_EQ(result.format, ImportFormat::Spritmonitor) << c.header;
        ASSERT_EQ(result.records.size(), 1u) << c.header;
        EXPECT_EQ(InputCells(result.records[0]),
                  (Cells{"02.05.2024", "5000", "20", "1.500", "Super", "Aral", "Ulm", "n", "",
                         "Teilbetankung"}))
            << c.header;
    }
}

TEST(CsvImport, FuelioColumnNamesAreMatchedLoosely) {
    const std::string file =
        "## Log\n"
        "Notes,Date,StationID,Odometer,Litres,VolumePrice,City,FuelType,Full,Missed,Extra\n"
        "hallo,2024-06-01,,1000,12.5,1.899,Bonn,110,1,0,x\n";
    const ImportResult result = ParseImportFile(file);
    ASSERT_TRUE(result.ok()) << AllProblems(result);
    EXPECT_EQ(result.format, ImportFormat::Fuelio);
    ASSERT_EQ(result.records.size(), 1u);
    EXPECT_EQ(InputCells(result.records[0]), (Cells{"01.06.2024", "1000", "12.5", "1.899", "Benzin",
                                                    "", "Bonn", "hallo", "", ""}));
}

// How real exports quote: Spritmonitor escapes quotes with a backslash; owners re-quote
// texts with single quotes.
TEST(CsvImport, SpritmonitorQuotingAsRealExportsHaveIt) {
    const struct {
        const char* field;
        const char* note;
    } cases[] = {
        {"\"Regen\nMeldung \\\"DPF-Reinigen\\\"\"", "Regen Meldung \"DPF-Reinigen\""},
        {"\"viel Stau; 10\xB0\"", "viel Stau; 10\xB0"},
        {"\"Pfad C:\\\"", "Pfad C:\\"},
        {"\"sagte \"\"voll\"\"\"", "sagte \"voll\""},
        {"'Urlaub'", "Urlaub"},
        {"''", ""},
        {"it's", "it's"},
    };
    for (const auto& c : cases) {
        const ImportResult result = ParseImportFile(
            Spritmonitor("01.01.2024;1;;1;1;'EUR';1;;;;;" + std::string(c.field) + ";;;;;;;;\n"));
        ASSERT_TRUE(result.ok()) << c.field << AllProblems(result);
        EXPECT_EQ(result.records.at(0).cells[ColNote1], c.note) << c.field;
        EXPECT_EQ(result.records.at(0).cells[ColNote3], "") << c.field;
    }
}

// Fuelio's units, named in the log's header or in "## Vehicle", become km and litres.
TEST(CsvImport, FuelioUnitsAreConverted) {
    struct Case {
        const char* name;
        std::string vehicle; // DistUnit, FuelUnit, FuelUnitTank2, Tank1Type, Tank2Type
        const char* odometerHeader;
        const char* quantityHeader;
        const char* tank;
        Cells expected; // KM-Stand, Liter, Literpreis, Benzin
        Cells conversions;
        const char* notice = ""; // about the unit
    };
    const Case cases[] = {
        {"km, litres",
         "\"0\",\"0\",\"0\",\"100\",\"0\"",
         "Odo (km)",
         "Fuel (litres)",
         "1",
         {"1000", "40", "1.5", "Benzin"},
         {}},
        {"miles, US gallons",
         "\"1\",\"1\",\"0\",\"100\",\"0\"",
         "Odo (mi)",
         "Fuel (us gallons)",
         "1",
         {"1609", "151.416", "0.39626", "Benzin"},
         {"Meilen in km", "US-Gallonen in Liter"}},
        {"imperial gallons",
         "\"0\",\"2\",\"0\",\"200\",\"0\"",
         "Odo (km)",
         "Fuel (imp gallons)",
         "1",
         {"1000", "181.844", "0.32995", "Diesel"},
         {"britische Gallonen in Liter"}},
        {"units from the vehicle only",
         "\"1\",\"1\",\"0\",\"100\",\"0\"",
         "Odo",
         "Fuel",
         "1",
         {"1609", "151.416", "0.39626", "Benzin"},
         {"Meilen in km", "US-Gallonen in Liter"}},
        {"natural gas in kg",
         "\"0\",\"4\",\"0\",\"500\",\"100\"",
         "Odo (km)",
         "kg",
         "1",
         {"1000", "40", "1.5", "Erdgas (kg)"},
         {}},
        {"the petrol tank of a gas car",
         "\"0\",\"4\",\"0\",\"500\",\"100\"",
         "Odo (km)",
         "kg",
         "2",
         {"1000", "40", "1.5", "Benzin"},
         {}},
        {"electricity in kWh, whatever the tank's fuel",
         "\"0\",\"0\",\"0\",\"100\",\"0\"",
         "Odo (km)",
         "Fuel (kWh)",
         "1",
         {"1000", "40", "1.5", "Strom (kWh)"},
         {},
         "1 Betankung in kWh als \x84Strom (kWh)\x93 \xFC"
         "bernommen"},
        {"a plug-in hybrid's charges in the second tank",
         "\"0\",\"0\",\"\",\"100\",\"600\"",
         "Odo (km)",
         "Fuel (litres)",
         "2",
         {"1000", "40", "1.5", "Strom (kWh)"},
         {},
         "1 Betankung in kWh als \x84Strom (kWh)\x93 \xFC"
         "bernommen"},
        {"electricity is never converted from gallons",
         "\"1\",\"1\",\"0\",\"600\",\"0\"",
         "Odo (mi)",
         "Fuel (us gallons)",
         "1",
         {"1609", "40", "1.5", "Strom (kWh)"},
         {"Meilen in km"},
         "1 Betankung in kWh als \x84Strom (kWh)\x93 \xFC"
         "bernommen"},
        {"a second tank of gas without its own unit counts kilograms",
         "\"0\",\"0\",\"\",\"100\",\"500\"",
         "Odo (km)",
         "Fuel (litres)",
         "2",
         {"1000", "40", "1.5", "Erdgas (kg)"},
         {}},
        {"a second tank of petrol without its own unit counts litres, not the first's kg",
         "\"0\",\"4\",\"\",\"500\",\"100\"",
         "Odo (km)",
         "kg",
         "2",
         {"1000", "40", "1.5", "Benzin"},
         {}},
        {"kWh as the column's name",
         "\"1\",\"0\",\"0\",\"100\",\"0\"",
         "Odo (mi)",
         "kWh",
         "1",
         {"1609", "40", "1.5", "Strom (kWh)"},
         {"Meilen in km"},
         "1 Betankung in kWh als \x84Strom (kWh)\x93 \xFC"
         "bernommen"},
    };
    for (const Case& c : cases) {
        const std::string file =
            "\"## Vehicle\"\n\"Name\",\"DistUnit\",\"FuelUnit\",\"FuelUnitTank2\",\"Tank1Type\","
            "\"Tank2Type\"\n\"Auto\"," +
            c.vehicle + "\n\"## Log\"\n\"Data\",\"" + c.odometerHeader + "\",\"" +
            c.quantityHeader +
            "\",\"Full\",\"Price (optional)\",\"TankNumber\",\"FuelType\",\"VolumePrice\"\n"
            "\"2024-01-01\",\"1000\",\"40\",\"1\",\"60\",\"" +
            c.tank + "\",\"-1\",\"1.5\"\n";
        const ImportResult result = ParseImportFile(file);
        ASSERT_TRUE(result.ok()) << c.name << AllProblems(result);
        const auto& cells = result.records.at(0).cells;
        EXPECT_EQ(
            (Cells{cells[ColKmStand], cells[ColLiter], cells[ColLiterpreis], cells[ColBenzin]}),
            c.expected)
            << c.name;
        EXPECT_EQ(result.summary.conversions, c.conversions) << c.name;
        std::string notices;
        for (const std::string& notice : result.summary.notices)
            notices += notice.find("kWh") != std::string::npos ? notice : "";
        EXPECT_EQ(notices, c.notice) << c.name;
    }
}

// A log table cut out of a backup, or written by an older app: its header line alone
// says what it is.
TEST(CsvImport, FuelioLogWithoutItsSectionLine) {
    const ImportResult result = ParseImportFile(
        "Data,Odo (km),Fuel (litres),Full,Price (optional),l/100km (optional),City (optional),"
        "Notes (optional),Missed,TankNumber,FuelType,VolumePrice,StationID (optional),guid,"
        "lastupdated,Weather\n"
        "2024-01-02,1500,40.5,1,70.47,,Ulm,,0,1,110,1.74,0,abc,1704200000,\n"
        "2024-01-01,1000,30,1,52.2,,Ulm,,0,1,110,1.74,0,abd,1704100000,\n"
        "## TripLog\nx,y\n");
    ASSERT_TRUE(result.ok()) << AllProblems(result);
    EXPECT_EQ(result.format, ImportFormat::Fuelio);
    ASSERT_EQ(result.records.size(), 2u);
    EXPECT_EQ(InputCells(result.records[0]),
              (Cells{"01.01.2024", "1000", "30", "1.74", "Benzin", "", "Ulm", "", "", ""}));
}

// Formats are tried in a fixed order; a file that two of them would read goes to the first.
TEST(CsvImport, AFileThatFitsSeveralFormatsGoesToTheFirstInTheOrder) {
    const std::string semicolons(12, ';'); // to 14 fields, each followed by ";"
    struct Case {
        const char* name;
        std::string file;
        ImportFormat format;
    };
    const Case cases[] = {
        {"a Fuelio log section after a Spritmonitor header",
         "Datum;Kilometerstand;Menge\n" + Fuelio("\"2024-01-01\",\"100\",\"10\",\"1\",\"15\","
                                                 "\"\",\"\",\"0\",\"\",\"\",\"\"\n"),
         ImportFormat::Fuelio},
        {"a Spritmonitor header that is a line of our own export as well",
         "Datum;Kilometerstand;Menge" + semicolons + "\r\n01.01.2024;100;10,5" + semicolons +
             "\r\n",
         ImportFormat::Spritmonitor},
        {"our own export whose first line might be a Spritmonitor header",
         "Datum;Ort" + semicolons + ";\r\n01.01.2024;100" + semicolons + ";\r\n",
         ImportFormat::SpritlogCsv},
    };
    for (const Case& c : cases) {
        const ImportResult result = ParseImportFile(c.file);
        EXPECT_TRUE(result.ok()) << c.name << "\n" << AllProblems(result);
        EXPECT_EQ(result.format, c.format) << c.name;
    }
}

TEST(CsvImport, SummaryOfWhatIsImported) {
    const ImportResult result =
        ParseImportFile(Spritmonitor("02.01.2024;200;;40,00;60,00;EUR;1;;;;1;;;;;;Aral;;;\n"
                                     "02.01.2024;200;;40,00;60,00;EUR;1;;;;1;;;;;;Aral;;;\n"
                                     "01.01.2024;100;;30,00;45,00;EUR;3;;;;7;;;;;;;;;\n"));
    ASSERT_TRUE(result.ok()) << AllProblems(result);
    EXPECT_EQ(ImportSummaryLines(result),
              (std::vector<std::string>{
                  "Format: Spritmonitor", "Betankungen: 2", "Zeitraum: 01.01.2024 bis 02.01.2024",
                  "KM-Stand: 100 bis 200", "Umgerechnet: nichts (km und Liter)",
                  "Doppelt aufgef\xFChrt, ausgelassen: Zeile 3 (wie Zeile 2)",
                  "Sorten: Diesel 1-mal, Super 1-mal", "Tankstellen: Aral 1-mal"}));
}

// ---- Conversions ------------------------------------------------------------------------

TEST(CsvImport, SpritmonitorNumbersAndDates) {
    struct Case {
        const char* date;
        const char* odometer;
        const char* quantity;
        const char* total;
        Cells expected; // date, odometer, litres, price per litre
    };
    const Case cases[] = {
        {"03.01.2024", "12345", "45,50", "79,58", {"03.01.2024", "12345", "45.5", "1.749"}},
        {"3.1.2024", "12.345", "45", "90", {"03.01.2024", "12345", "45", "2.000"}},
        {"29.02.2024", "1.234.567", "0,5", "0,84", {"29.02.2024", "1234567", "0.5", "1.680"}},
        {" 31.12.1999 ", " 007 ", " 010,250 ", "", {"31.12.1999", "7", "10.25", ""}},
        {"2024-02-29",
         "12345,4",
         "1.000,5",
         "1.500,75",
         {"29.02.2024", "12345", "1000.5", "1.500"}},
        {"01.01.2024 07:30", "12345,5", ",5", "1", {"01.01.2024", "12346", "0.5", "2.000"}},
        // The price per litre is rounded to 3 decimals.
        {"01.01.2024", "1", "8", "10,0004", {"01.01.2024", "1", "8", "1.250"}},
        {"01.01.2024", "1", "3", "5", {"01.01.2024", "1", "3", "1.667"}},
        // A cost of 0 is one nobody entered: unknown, not free.
        {"01.01.2024", "1", "40", "0", {"01.01.2024", "1", "40", ""}},
        {"01.01.2024", "1", "40", "0,00", {"01.01.2024", "1", "40", ""}},
        // No litres: no price per litre rather than a division by zero.
        {"01.01.2024", "1", "0", "50", {"01.01.2024", "1", "0", ""}},
        {"01.01.2024", "2147483647", "1", "1", {"01.01.2024", "2147483647", "1", "1.000"}},
    };
    for (const Case& c : cases) {
        const std::string line = std::string(c.date) + ";" + c.odometer + ";;" + c.quantity + ";" +
                                 c.total + ";EUR;1;;;;;;;;;;;;;\n";
        const ImportResult result = ParseImportFile(Spritmonitor(line));
        ASSERT_TRUE(result.ok()) << line << AllProblems(result);
        const auto& cells = result.records.at(0).cells;
        EXPECT_EQ(
            (Cells{cells[ColDatum], cells[ColKmStand], cells[ColLiter], cells[ColLiterpreis]}),
            c.expected)
            << line;
    }
}

TEST(CsvImport, FuelioNumbersAndDates) {
    struct Case {
        const char* date;
        const char* odometer;
        const char* litres;
        const char* total;
        const char* volumePrice;
        Cells expected;
    };
    const Case cases[] = {
        {"2024-03-10 18:25",
         "21500.0",
         "35.20",
         "61.95",
         "1.759",
         {"10.03.2024", "21500", "35.2", "1.759"}},
        {"2024-3-1", "100", "10", "15.557", "", {"01.03.2024", "100", "10", "1.556"}},
        {"1.3.2024", "100.49", "10.125", "", "1.60", {"01.03.2024", "100", "10.125", "1.6"}},
        {"01.03.2024 6:05:59", "0", "0.001", "", "", {"01.03.2024", "0", "0.001", ""}},
        {"2024-03-10T18:25", "5", "5", "10", "0", {"10.03.2024", "5", "5", "2.000"}},
        {"2000-02-29", "+5", "5", "", "0", {"29.02.2000", "5", "5", ""}},
        {"2000-02-29", "5", "5", "0.0", "0.0", {"29.02.2000", "5", "5", ""}},
    };
    for (const Case& c : cases) {
        const std::string line = std::string("\"") + c.date + "\",\"" + c.odometer + "\",\"" +
                                 c.litres + "\",\"1\",\"" + c.total + "\",\"\",\"\",\"0\",\"\",\"" +
                                 c.volumePrice + "\",\"\"\n";
        const ImportResult result = ParseImportFile(Fuelio(line));
        ASSERT_TRUE(result.ok()) << line << AllProblems(result);
        const auto& cells = result.records.at(0).cells;
        EXPECT_EQ(
            (Cells{cells[ColDatum], cells[ColKmStand], cells[ColLiter], cells[ColLiterpreis]}),
            c.expected)
            << line;
    }
}

TEST(CsvImport, FuelCodesBecomeGradeNames) {
    struct Case {
        const char* code;
        const char* grade;
    };
    const Case spritmonitor[] = {
        {"1", "Diesel"},
        {"4", "Premium Diesel"},
        {"6", "Normal"},
        {"7", "Super"},
        {"8", "SuperPlus"},
        {"12", "Autogas (LPG)"},
        {"13", "Erdgas (CNG)"},
        {"14", "Bio-Erdgas (CNG)"},
        {"18", "Premium 95"},
        {"19", "Strom"},
        {"20", "E10"},
        {"21", "AdBlue"},
        {"22", "Premium 100+"},
        {"23", "Wasserstoff"},
        {"24", "\xD6kostrom"},
        {"25", "GTL Diesel"},
        {"26", "HVO100"},
        {"07", "Super"},
        {"2", "Sorte 2"},
        {"99", "Sorte 99"},
        {"Super E5", "Super E5"},
        {"", ""},
    };
    for (const Case& c : spritmonitor) {
        const ImportResult result = ParseImportFile(
            Spritmonitor("01.01.2024;1;;1;1;EUR;1;;;;" + std::string(c.code) + ";;;;;;;;;\n"));
        ASSERT_TRUE(result.ok()) << c.code << AllProblems(result);
        EXPECT_EQ(result.records.at(0).cells[ColBenzin], c.grade) << "Spritmonitor " << c.code;
    }
    // Fuelio counts in hundreds: the kind of fuel, then a grade of it.
    const Case fuelio[] = {
        {"100", "Benzin"},
        {"110", "Benzin"},
        {"201", "Diesel"},
        {"217", "AdBlue"},
        {"216", "AdBlue"},
        {"300", "Ethanol"},
        {"305", "Ethanol"},
        {"400", "Autogas"},
        {"501", "Erdgas"},
        {"600", "Strom (kWh)"},
        {"602", "Strom (kWh)"},
        {"700", "Flexfuel"},
        {"-1", ""},
        {"0", ""},
        {"", ""},
        {"7", "Sorte 7"},
        {"901", "Sorte 901"},
        {"Super E5", "Super E5"},
    };
    for (const Case& c : fuelio) {
        const ImportResult result =
            ParseImportFile(Fuelio("\"2024-01-01\",\"1\",\"1\",\"1\",\"1\",\"\",\"\",\"0\",\"" +
                                   std::string(c.code) + "\",\"\",\"\"\n"));
        ASSERT_TRUE(result.ok()) << c.code << AllProblems(result);
        EXPECT_EQ(result.records.at(0).cells[ColBenzin], c.grade) << "Fuelio " << c.code;
    }
}

// ---- Partial and missed refuellings -----------------------------------------------------

TEST(CsvImport, PartialAndMissedRefuellingsAreMarkedInTheThirdNote) {
    const struct {
        const char* type;
        const char* mark;
    } spritmonitor[] = {
        {"1", ""},
        {"", ""},
        {"2", "Teilbetankung"},
        {"0", "Fehlende Betankung"},
        {"3", "Erstbetankung"},
        {"Partial", "Teilbetankung"},
        {"voll", ""},
    };
    for (const auto& c : spritmonitor) {
        const ImportResult result = ParseImportFile(
            Spritmonitor("01.01.2024;1;;1;1;EUR;" + std::string(c.type) + ";;;;;;;;;;;;;\n"));
        ASSERT_TRUE(result.ok()) << c.type << AllProblems(result);
        EXPECT_EQ(result.records.at(0).cells[ColNote3], c.mark) << "Type " << c.type;
    }
    const struct {
        const char* full;
        const char* missed;
        const char* mark;
    } fuelio[] = {
        {"1", "0", ""},
        {"", "", ""},
        {"0", "0", "Teilbetankung"},
        {"1", "1", "Fehlende Betankung"},
        {"0", "1", "Teilbetankung, Fehlende Betankung"},
        {"2", "0", "Teilbetankung"},
        {"true", "false", ""},
    };
    for (const auto& c : fuelio) {
        const ImportResult result =
            ParseImportFile(Fuelio("\"2024-01-01\",\"1\",\"1\",\"" + std::string(c.full) +
                                   "\",\"1\",\"\",\"\",\"" + c.missed + "\",\"\",\"\",\"\"\n"));
        ASSERT_TRUE(result.ok()) << c.full << "/" << c.missed << AllProblems(result);
        EXPECT_EQ(result.records.at(0).cells[ColNote3], c.mark)
            << "Full " << c.full << ", Missed " << c.missed;
        // The user's own notes stay in the first note column.
        EXPECT_EQ(result.records.at(0).cells[ColNote2], "");
    }
}

// ---- Order ------------------------------------------------------------------------------

// Spritmonitor lists by date, newest first; Fuelio by odometer reading. Each comes in
// that order, oldest first, whatever a typo in the other column says.
TEST(CsvImport, RecordsComeInTheOrderOfTheirService) {
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> lines; // date, odometer
        Cells spritmonitor;                                     // odometers in logbook order
        Cells fuelio;
    };
    const Case cases[] = {
        {"in order",
         {{"01.01.2024", "100"}, {"02.01.2024", "200"}},
         {"100", "200"},
         {"100", "200"}},
        {"newest first",
         {{"03.01.2024", "300"}, {"02.01.2024", "200"}, {"01.01.2024", "100"}},
         {"100", "200", "300"},
         {"100", "200", "300"}},
        {"one day, two refuellings",
         {{"02.01.2024", "300"}, {"02.01.2024", "200"}, {"01.01.2024", "100"}},
         {"100", "200", "300"},
         {"100", "200", "300"}},
        {"an odometer typo",
         {{"03.01.2024", "300"}, {"02.01.2024", "20"}, {"01.01.2024", "100"}},
         {"100", "20", "300"},
         {"20", "100", "300"}},
        {"one record", {{"01.01.2024", "5"}}, {"5"}, {"5"}},
    };
    for (const Case& c : cases) {
        std::string monitorLines, fuelioLines;
        for (const auto& [date, odometer] : c.lines) {
            monitorLines += std::string(date) + ";" + odometer + ";;1;1;EUR;1;;;;;;;;;;;;;\n";
            fuelioLines += "\"" + std::string(date) + "\",\"" + odometer +
                           "\",\"1\",\"1\",\"1\",\"\",\"\",\"0\",\"\",\"\",\"\"\n";
        }
        const ImportResult monitor = ParseImportFile(Spritmonitor(monitorLines));
        const ImportResult fuelio = ParseImportFile(Fuelio(fuelioLines));
        ASSERT_TRUE(monitor.ok()) << c.name << AllProblems(monitor);
        ASSERT_TRUE(fuelio.ok()) << c.name << AllProblems(fuelio);
        Cells odometers;
        for (const ImportRecord& record : monitor.records)
            odometers.push_back(record.cells[ColKmStand]);
        EXPECT_EQ(odometers, c.spritmonitor) << c.name;
        odometers.clear();
        for (const ImportRecord& record : fuelio.records)
            odometers.push_back(record.cells[ColKmStand]);
        EXPECT_EQ(odometers, c.fuelio) << c.name;
    }
    // The typo is imported as written, and said.
    const ImportResult typo =
        ParseImportFile(Spritmonitor("03.01.2024;300;;1;1;EUR;1;;;;;;;;;;;;;\n"
                                     "02.01.2024;20;;1;1;EUR;1;;;;;;;;;;;;;\n"
                                     "01.01.2024;100;;1;1;EUR;1;;;;;;;;;;;;;\n"));
    EXPECT_EQ(typo.summary.notices,
              std::vector<std::string>{
                  "Zeile 3: KM-Stand 20 ist kleiner als 100 der Betankung davor (Zeile 4)."});
}

// Spritmonitor's own distance ("Teil-Km") against a Km-Stand that contradicts it: when the
// reading before plus the distance agrees with the reading after less its distance, the
// Km-Stand is a typo and is replaced; when the Km-Stand agrees with the reading after but
// runs beyond the trip meter, refuellings are missing before it. Within 1 % of the
// distance (at least 2 km) a reading agrees.
TEST(CsvImport, SpritmonitorKmStandAgainstItsOwnTeilKm) {
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> lines; // odometer, Teil-Km; oldest first
        Cells odometers;
        Cells marks;
        std::vector<std::string> notices;
    };
    const Case cases[] = {
        {"agreeing",
         {{"1000", ""}, {"1500", "500"}, {"2000", "500"}},
         {"1000", "1500", "2000"},
         {"", "", ""},
         {}},
        {"a typo",
         {{"1000", ""}, {"150", "500"}, {"2000", "500"}},
         {"1000", "1500", "2000"},
         {"", "", ""},
         {"Zeile 3: KM-Stand 150 passt nicht zu Teil-Km 500, \xFC"
          "bernommen: 1500"}},
        {"a typo, tenths from the trip meter",
         {{"1000", ""}, {"1560", "500,4"}, {"2000", "499,6"}},
         {"1000", "1500", "2000"},
         {"", "", ""},
         {"Zeile 3: KM-Stand 1560 passt nicht zu Teil-Km 500,4, \xFC"
          "bernommen: 1500"}},
        {"refuellings missing",
         {{"1000", ""}, {"3000", "500"}, {"3500", "500"}},
         {"1000", "3000", "3500"},
         {"", "Fehlende Betankung", ""},
         {"Zeile 3: KM-Stand 3000 passt nicht zu Teil-Km 500, wohl fehlende Betankungen davor: "
          "als \x84"
          "Fehlende Betankung\x93 markiert"}},
        {"within 1 % of the distance",
         {{"1000", ""}, {"1504", "500"}, {"2000", "496"}},
         {"1000", "1504", "2000"},
         {"", "", ""},
         {}},
        {"the newest record has nothing after it",
         {{"1000", ""}, {"1500", "500"}, {"150", "500"}},
         {"1000", "1500", "150"},
         {"", "", ""},
         {"Zeile 2: KM-Stand 150 ist kleiner als 1500 der Betankung davor (Zeile 3)."}},
        {"the neighbours disagree as well",
         {{"1000", ""}, {"150", "500"}, {"2600", "500"}},
         {"1000", "150", "2600"},
         {"", "", ""},
         {"Zeile 3: KM-Stand 150 ist kleiner als 1000 der Betankung davor (Zeile 4)."}},
    };
    for (const Case& c : cases) {
        // Newest first, a day apart, as the service lists them.
        std::string lines;
        for (std::size_t i = c.lines.size(); i-- > 0;)
            lines += "0" + std::to_string(i + 1) + ".01.2024;" + c.lines[i].first + ";" +
                     c.lines[i].second + ";40;60;EUR;1;;;;;;;;;;;;;\n";
        const ImportResult result = ParseImportFile(Spritmonitor(lines));
        ASSERT_TRUE(result.ok()) << c.name << AllProblems(result);
        Cells odometers, marks;
        for (const ImportRecord& record : result.records) {
            odometers.push_back(record.cells[ColKmStand]);
            marks.push_back(record.cells[ColNote3]);
        }
        EXPECT_EQ(odometers, c.odometers) << c.name;
        EXPECT_EQ(marks, c.marks) << c.name;
        EXPECT_EQ(result.summary.notices, c.notices) << c.name;
    }
}

// The same refuelling listed twice is left out and named; two different ones at one
// odometer reading would give a distance of 0, so the file is refused.
TEST(CsvImport, RefuellingsAtOneOdometerReading) {
    const ImportResult twice =
        ParseImportFile(Spritmonitor("02.01.2024;200;;40,00;60,00;EUR;1;;;;;a;;;;;;;;\n"
                                     "02.01.2024;200;;40,00;60,00;EUR;1;;;;;b;;;;;;;;\n"
                                     "01.01.2024;100;;30,00;45,00;EUR;1;;;;;;;;;;;;;\n"));
    ASSERT_TRUE(twice.ok()) << AllProblems(twice);
    ASSERT_EQ(twice.records.size(), 2u);
    EXPECT_EQ(twice.records[1].line, 2);
    ASSERT_EQ(twice.summary.duplicates.size(), 1u);
    EXPECT_EQ(twice.summary.duplicates[0].line, 3);
    EXPECT_EQ(twice.summary.duplicates[0].first, 2);

    const ImportResult different =
        ParseImportFile(Spritmonitor("02.01.2024;200;;40,00;60,00;EUR;1;;;;;;;;;;;;;\n"
                                     "03.01.2024;200;;20,00;30,00;EUR;1;;;;;;;;;;;;;\n"));
    EXPECT_TRUE(different.records.empty());
    ASSERT_EQ(different.problemCount, 1);
    EXPECT_EQ(ImportProblemText(different.problems[0]),
              "Zeile 3: eine andere Betankung beim selben KM-Stand 200 wie in Zeile 2; die Strecke "
              "dazwischen w\xE4re 0");
}

TEST(CsvImport, SpritlogExportKeepsTheLogbookOrder) {
    const ImportResult result =
        ParseImportFile("01.01.2024;300;;;;;;;;;;a;;;\r\n01.01.2024;100;;;;;;;;;;b;;;\r\n");
    ASSERT_TRUE(result.ok()) << AllProblems(result);
    ASSERT_EQ(result.records.size(), 2u);
    EXPECT_EQ(result.records[0].cells[ColNote1], "a");
    EXPECT_EQ(result.records[1].cells[ColNote1], "b");
}

// ---- Bad input --------------------------------------------------------------------------

TEST(CsvImport, BadInputImportsNothingAndNamesLineAndReason) {
    const std::string fourteen = ";;;;;;;;;;;;;;\r\n";
    struct Case {
        const char* name;
        std::string file;
        std::vector<std::string> problems; // all of them, as shown
    };
    const Case cases[] = {
        {"empty file", "", {"Die Datei enth\xE4lt keine Datens\xE4tze."}},
        {"only blank lines", "\r\n  \n\n", {"Die Datei enth\xE4lt keine Datens\xE4tze."}},
        {"unknown format",
         "Hallo Welt\nwie geht's\n",
         {"Das Dateiformat wurde nicht erkannt (erwartet: Spritlog-CSV, Spritmonitor, Fuelio, "
          "Fuelly, Drivvo, Road Trip, aCar, LubeLogger, GasBuddy oder evcc)."}},
        {"binary bytes",
         std::string("\x00\x01\xFF\xFE", 4),
         {"Das Dateiformat wurde nicht erkannt (erwartet: Spritlog-CSV, Spritmonitor, Fuelio, "
          "Fuelly, Drivvo, Road Trip, aCar, LubeLogger, GasBuddy oder evcc)."}},
        {"Spritlog: a field short",
         fourteen + "a;b;c;d;e;f;g;h;i;j;k;l;m;\r\n" + fourteen,
         {"Zeile 2: 13 Felder statt 14"}},
        {"Spritlog: a field too many",
         fourteen + fourteen + ";" + fourteen,
         {"Zeile 3: 15 Felder statt 14"}},
        {"Spritlog: last separator missing",
         fourteen + ";;;;;;;;;;;;;x\r\n",
         {"Zeile 2: nach dem 14. Feld fehlt \";\""}},
        {"Spritlog: open quote",
         fourteen + ";;;;;;;;;\"Nord;;;;;\r\n",
         {"Zeile 2: das Anf\xFChrungszeichen in Feld 10 wird nicht geschlossen"}},
        {"Spritlog: text after a closing quote",
         fourteen + ";;;;;;;;;\"No\"rd;;;;;\r\n",
         {"Zeile 2: nach dem schlie\xDF"
          "enden Anf\xFChrungszeichen in Feld 10 fehlt \";\""}},
        {"Spritlog with units: a line without its unit",
         "Datum;KM-Stand;Liter;Literpreis;KM;Verbrauch;Kosten/Km;Tankkosten;Benzin;Tankstelle;"
         "Ort;;;;Einheit;\r\n;;;;;;;;Strom;;;;;;kWh;\r\n" +
             fourteen,
         {"Zeile 3: 14 Felder statt 15"}},
        {"Spritlog with units: last separator missing",
         "Datum;KM-Stand;Liter;Literpreis;KM;Verbrauch;Kosten/Km;Tankkosten;Benzin;Tankstelle;"
         "Ort;;;;Einheit;\r\n;;;;;;;;Strom;;;;;;kWh\r\n",
         {"Zeile 2: nach dem 15. Feld fehlt \";\""}},
        {"Spritmonitor: odometer not a number",
         Spritmonitor("01.01.2024;100;;1;1;EUR;1;;;;;;;;;;;;;\n"
                      "02.01.2024;200;;1;1;EUR;1;;;;;;;;;;;;;\n"
                      "03.01.2024;300;;1;1;EUR;1;;;;;;;;;;;;;\n"
                      "04.01.2024;400;;1;1;EUR;1;;;;;;;;;;;;;\n"
                      "05.01.2024;500;;1;1;EUR;1;;;;;;;;;;;;;\n"
                      "06.01.2024;12a;;1;1;EUR;1;;;;;;;;;;;;;\n"),
         {"Zeile 7: KM-Stand \"12a\" ist keine ganze Zahl"}},
        {"Spritmonitor: several faults on one line",
         Spritmonitor("31.02.2024;-5;;x;-1;EUR;1;;;;;;;;;;;;;\n"),
         {"Zeile 2: Datum \"31.02.2024\" ist kein g\xFCltiges Datum",
          "Zeile 2: KM-Stand \"-5\" ist negativ", "Zeile 2: Liter \"x\" ist keine Zahl",
          "Zeile 2: Gesamtpreis \"-1\" ist negativ"}},
        {"Spritmonitor: missing values",
         Spritmonitor(";;;;;EUR;1;;;;;;;;;;;;;\n"),
         {"Zeile 2: Datum fehlt", "Zeile 2: KM-Stand fehlt", "Zeile 2: Liter fehlt"}},
        {"Spritmonitor: decimal point instead of comma",
         Spritmonitor("01.01.2024;100;;45.5;1;EUR;1;;;;;;;;;;;;;\n"),
         {"Zeile 2: Liter \"45.5\" ist keine Zahl"}},
        {"Spritmonitor: odometer beyond the integer range",
         Spritmonitor("01.01.2024;2147483648;;1;1;EUR;1;;;;;;;;;;;;;\n"),
         {"Zeile 2: KM-Stand \"2147483648\" ist zu gro\xDF"}},
        {"Spritmonitor: numbers with exponent or words",
         Spritmonitor("01.01.2024;1e3;;inf;1,2,3;EUR;1;;;;;;;;;;;;;\n"),
         {"Zeile 2: KM-Stand \"1e3\" ist keine ganze Zahl", "Zeile 2: Liter \"inf\" ist keine Zahl",
          "Zeile 2: Gesamtpreis \"1,2,3\" ist keine Zahl"}},
        {"Spritmonitor: price per litre beyond the number range",
         Spritmonitor("01.01.2024;1;;0,001;" + std::string(308, '9') + ";EUR;1;;;;;;;;;;;;;\n"),
         {"Zeile 2: Literpreis aus Gesamtpreis \"" + std::string(40, '9') +
          "...\" und Liter \"0,001\" ist nicht darstellbar"}},
        {"Spritmonitor: unknown type",
         Spritmonitor("01.01.2024;100;;1;1;EUR;5;;;;;;;;;;;;;\n"),
         {"Zeile 2: Tankart \"5\" ist unbekannt (erwartet 1 voll, 2 teilweise, 3 erste oder 0 "
          "ung\xFCltig)"}},
        {"Spritmonitor: fields shifted by a separator in a note",
         Spritmonitor("01.01.2024;100;;1;1;EUR;1;;;;;a;b;;;;;;;;Ulm\n"),
         {"Zeile 2: 21 Felder statt 20"}},
        {"Spritmonitor: line cut short",
         Spritmonitor("01.01.2024;100;;1;1\n"),
         {"Zeile 2: 5 Felder statt 20"}},
        {"Spritmonitor: missing columns",
         "Datum;Notiz\r\n01.01.2024;x\r\n",
         {"Zeile 1: keine Spalte f\xFCr den KM-Stand (z. B. \"Odometer\" oder \"Kilometerstand\")",
          "Zeile 1: keine Spalte f\xFCr die Liter (z. B. \"Quantity\" oder \"Menge\")"}},
        {"Spritmonitor: header only",
         Spritmonitor(""),
         {"Die Datei enth\xE4lt keine Datens\xE4tze."}},
        {"Spritmonitor: quote not closed",
         Spritmonitor("01.01.2024;100;;1;1;EUR;1;;;;;\"offen;;;;;;;;\n"),
         {"Zeile 2: das Anf\xFChrungszeichen wird nicht geschlossen"}},
        {"Fuelio: a bad line among good ones",
         Fuelio("\"2024-01-01\",\"100\",\"1\",\"1\",\"1\",\"\",\"\",\"0\",\"\",\"\",\"\"\n"
                "\"2024-13-01\",\"200\",\"1\",\"1\",\"1\",\"\",\"\",\"0\",\"\",\"\",\"\"\n"
                "\"2024-01-03\",\"300\",\"1\",\"1\",\"1\",\"\",\"\",\"0\",\"\",\"\",\"\"\n"),
         {"Zeile 7: Datum \"2024-13-01\" ist kein g\xFCltiges Datum"}},
        {"Fuelio: flags",
         Fuelio("\"2024-01-01\",\"100\",\"1\",\"ja\",\"1\",\"\",\"\",\"0\",\"\",\"\",\"\"\n"
                "\"2024-01-01\",\"100\",\"1\",\"1\",\"1\",\"\",\"\",\"2\",\"\",\"\",\"\"\n"),
         {"Zeile 6: Full \"ja\" ist unbekannt (erwartet 0, 1 oder 2)",
          "Zeile 7: Missed \"2\" ist weder 0 noch 1"}},
        {"Fuelio: text after a closing quote",
         Fuelio("\"2024-01-01\",\"100\"x,\"1\",\"1\",\"1\",\"\",\"\",\"0\",\"\",\"\",\"\"\n"),
         {"Zeile 6: nach dem schlie\xDF"
          "enden Anf\xFChrungszeichen fehlt das Trennzeichen"}},
        {"Fuelio: quote left open in another section",
         "\"## Vehicle\"\n\"Name\"\n\"Golf\n\"## Log\"\n\"Data\",\"Odo\",\"Fuel\"\n"
         "\"2024-01-01\",\"1\",\"1\"\n",
         {"Zeile 3: nach dem schlie\xDF"
          "enden Anf\xFChrungszeichen fehlt das Trennzeichen"}},
        {"Fuelio: quote left open at the end",
         Fuelio("\"2024-01-01\",\"100\",\"1\",\"1\",\"1\",\"\",\"\",\"0\",\"\",\"\",\"\"\n"
                "\"2024-01-02\",\"200\",\"1\",\"1\",\"1\",\"\",\"\",\"0\",\"\",\"\",\"\n"),
         {"Zeile 7: das Anf\xFChrungszeichen wird nicht geschlossen"}},
        {"Fuelio: log without columns",
         "## Log\n\"Data\",\"Fuel\"\n\"2024-01-01\",\"5\"\n",
         {"Zeile 2: keine Spalte f\xFCr den KM-Stand (z. B. \"Odometer\" oder "
          "\"Kilometerstand\")"}},
        {"Fuelio: log without header",
         "\"## Log\"\n\"## FavStations\"\n",
         {"Der Abschnitt \"## Log\" hat keine Kopfzeile."}},
        {"Fuelio: empty log", Fuelio(""), {"Die Datei enth\xE4lt keine Datens\xE4tze."}},
    };
    for (const Case& c : cases) {
        const ImportResult result = ParseImportFile(c.file);
        EXPECT_FALSE(result.ok()) << c.name;
        EXPECT_TRUE(result.records.empty()) << c.name;
        EXPECT_EQ(result.problemCount, static_cast<int>(c.problems.size())) << c.name;
        std::vector<std::string> shown;
        for (const ImportProblem& problem : result.problems)
            shown.push_back(ImportProblemText(problem));
        EXPECT_EQ(shown, c.problems) << c.name;
    }
}

TEST(CsvImport, LongFieldsAreCutShortInMessages) {
    const std::string odometer(100, '9');
    const ImportResult result =
        ParseImportFile(Spritmonitor("01.01.2024;" + odometer + "x;;1;1;EUR;1;;;;;;;;;;;;;\n"));
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].reason,
              "KM-Stand \"" + std::string(40, '9') + "...\" ist keine ganze Zahl");
}

TEST(CsvImport, ManyBadLinesAreCountedAndTheFirstOnesKept) {
    std::string lines;
    for (int i = 0; i < 30; ++i)
        lines += "01.01.2024;x;;1;1;EUR;1;;;;;;;;;;;;;\n";
    const ImportResult result = ParseImportFile(Spritmonitor(lines));
    EXPECT_EQ(result.problemCount, 30);
    ASSERT_EQ(result.problems.size(), static_cast<std::size_t>(kMaxImportProblems));
    EXPECT_EQ(result.problems.front().line, 2);
    EXPECT_EQ(result.problems.back().line, 21);
    EXPECT_EQ(ImportFailureMessage(result, 3), "Es wurde nichts importiert.\n"
                                               "Zeile 2: KM-Stand \"x\" ist keine ganze Zahl\n"
                                               "Zeile 3: KM-Stand \"x\" ist keine ganze Zahl\n"
                                               "Zeile 4: KM-Stand \"x\" ist keine ganze Zahl\n"
                                               "(und 27 weitere Probleme)");
}

TEST(CsvImport, MessagesForTheUser) {
    ImportResult one;
    one.problemCount = 2;
    one.problems = {{0, "Grund A"}, {4, "Grund B"}};
    EXPECT_EQ(ImportFailureMessage(one, 1), "Es wurde nichts importiert.\nGrund A\n"
                                            "(und 1 weiteres Problem)");
    EXPECT_EQ(ImportFailureMessage(one), "Es wurde nichts importiert.\nGrund A\nZeile 4: Grund B");

    const ImportResult fuelio = ParseImportFile(ReadImportFile("fuelio.csv"));
    EXPECT_EQ(ImportSuccessMessage(fuelio), "3 Datens\xE4tze importiert (Fuelio).");
    const ImportResult single = ParseImportFile(";;;;;;;;;;;;;;\r\n");
    EXPECT_EQ(ImportSuccessMessage(single), "1 Datensatz importiert (Spritlog-CSV).");
}

// ---- Appending to the logbook -----------------------------------------------------------

ImportResult TwoRecords() {
    return ParseImportFile("01.01.2024;100;;;;;;;;;;a;;;\r\n02.01.2024;200;;;;;;;;;;b;;;\r\n");
}

TEST(CsvImport, RecordsAreAppendedAfterTheExistingOnes) {
    TextTable grid = NewLogbookTable();
    grid.setCell(ColKmStand, 1, "50");
    grid.setCell(ColVerbrauch, 1, " 7.00");
    grid.setCell(12, 0, "Anlass");
    AppendImportedRecords(grid, TwoRecords());
    ASSERT_EQ(RecordCount(grid), 3);
    EXPECT_EQ(grid.cell(ColKmStand, 1), "50");
    EXPECT_EQ(grid.cell(ColVerbrauch, 1), " 7.00");
    EXPECT_EQ(grid.cell(12, 0), "Anlass");
    EXPECT_EQ(grid.cell(ColKmStand, 2), "100");
    EXPECT_EQ(grid.cell(ColNote1, 3), "b");
}

TEST(CsvImport, TheEmptyRecordOfANewLogbookIsReplaced) {
    struct Case {
        const char* name;
        int records;
        int column; // a cell written into record 1, 0 for none
        const char* text;
        int expectedRecords;
    };
    const Case cases[] = {
        {"one empty record", 1, 0, "", 2},
        {"derived values only", 1, ColTankkosten, " 0.00", 2},
        {"one record with a note", 1, ColNote3, "x", 3},
        {"one record with a blank", 1, ColDatum, " ", 3},
        {"two empty records", 2, 0, "", 4},
        {"no record at all", 0, 0, "", 2},
    };
    for (const Case& c : cases) {
        TextTable grid = NewLogbookTable();
        grid.setRowCount(c.records + 1);
        if (c.column > 0)
            grid.setCell(c.column, 1, c.text);
        AppendImportedRecords(grid, TwoRecords());
        ASSERT_EQ(RecordCount(grid), c.expectedRecords) << c.name;
        const int first = c.expectedRecords - 1;
        EXPECT_EQ(grid.cell(ColNote1, first), "a") << c.name;
        EXPECT_EQ(grid.cell(ColNote1, first + 1), "b") << c.name;
        // A replaced record keeps none of its derived values.
        EXPECT_EQ(grid.cell(ColTankkosten, first), "") << c.name;
    }
}

TEST(CsvImport, AResultWithProblemsLeavesTheTableAsItWas) {
    TextTable grid = NewLogbookTable();
    grid.setCell(ColKmStand, 1, "50");
    ImportResult bad = TwoRecords();
    bad.problemCount = 1;
    bad.problems.push_back({1, "kaputt"});
    AppendImportedRecords(grid, bad);
    EXPECT_EQ(RecordCount(grid), 1);
    EXPECT_EQ(grid.cell(ColKmStand, 1), "50");
}

TEST(CsvImport, TheLogbookDoesNotGrowBeyondWhatCanBeLoadedAgain) {
    TextTable grid = NewLogbookTable();
    grid.setRowCount(5); // 4 records
    grid.setCell(ColKmStand, 1, "1");
    ImportResult result = TwoRecords();
    try {
        AppendImportedRecords(grid, result, 5);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Mit dem Import h\xE4tte das Tankbuch mehr als 5 Datens\xE4tze.");
    }
    EXPECT_EQ(RecordCount(grid), 4);
    result.records.pop_back();
    AppendImportedRecords(grid, result, 5);
    EXPECT_EQ(RecordCount(grid), 5);
    EXPECT_EQ(grid.cell(ColNote1, 5), "a");
}

TEST(CsvImport, AFileWithMoreRecordsThanALogbookMayHoldIsRefused) {
    std::string file = std::string(14, ';') + "\r\n";
    const std::string more = "x\n";
    for (int i = 0; i < kMaxImportRecords; ++i)
        file += more;
    const ImportResult result = ParseImportFile(file);
    EXPECT_EQ(result.format, ImportFormat::SpritlogCsv);
    EXPECT_TRUE(result.records.empty());
    ASSERT_EQ(result.problemCount, 1);
    EXPECT_EQ(ImportProblemText(result.problems[0]),
              "Die Datei enth\xE4lt mehr als 1.000.000 Datens\xE4tze.");
}

// ---- Arbitrary bytes --------------------------------------------------------------------

// Mutates the sample files at random (fixed seed) and checks that parsing stays whole:
// no crash, and either records or problems, never both.
TEST(CsvImport, MutatedFilesNeverBreakTheParser) {
    const std::string samples[] = {
        ReadImportFile("spritmonitor_en.csv"), ReadImportFile("spritmonitor_de.csv"),
        ReadImportFile("fuelio.csv"), ReadImportFile("spritlog.csv"), ReadImportFile("evcc.csv")};
    uint32_t state = 12345;
    auto next = [&state]() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    const char interesting[] = {'"', ';', ',', '\n',   '\r',   '#',    '.', '-',
                                ':', ' ', '0', '\xC3', '\xEF', '\x80', '\0'};
    for (int round = 0; round < 4000; ++round) {
        std::string file = samples[static_cast<std::size_t>(round) % std::size(samples)];
        const int edits = 1 + static_cast<int>(next() % 6);
        for (int e = 0; e < edits && !file.empty(); ++e) {
            const std::size_t at = next() % file.size();
            const char c = next() % 3 == 0 ? static_cast<char>(next() & 0xFF)
                                           : interesting[next() % sizeof interesting];
            switch (next() % 3) {
            case 0:
                file[at] = c;
                break;
            case 1:
                file.insert(at, 1, c);
                break;
            default:
                file.erase(at, 1 + next() % 8);
                break;
            }
        }
        const ImportResult result = ParseImportFile(file);
        EXPECT_NE(result.ok(), result.records.empty() && result.problemCount > 0) << round;
        EXPECT_LE(result.problems.size(), static_cast<std::size_t>(kMaxImportProblems));
        if (result.ok()) {
            EXPECT_NE(result.format, ImportFormat::Unknown);
            for (const ImportRecord& record : result.records)
                EXPECT_TRUE(record.cells[ColNumber].empty()) << round;
        }
    }
}

// Inputs built to be hard for a parser (all quotes, all separators, one endless quoted
// field) are refused without a crash; the fuzz target's time limit guards against
// quadratic behaviour, and the benchmarks measure speed.
TEST(CsvImport, PathologicalInputsAreRefused) {
    const std::string inputs[] = {
        std::string(2000000, '"'),
        std::string(2000000, ';'),
        "## Log\n" + std::string(2000000, ','),
        std::string(1000000, '\n'),
        Spritmonitor(std::string(1000000, '"')),
        "\"## Log\"\n\"" + std::string(2000000, 'a'),
        std::string(500000, ';') + "\n" + std::string(500000, '\n'),
    };
    for (const std::string& input : inputs) {
        const ImportResult result = ParseImportFile(input);
        EXPECT_FALSE(result.ok()) << input.substr(0, 20);
        EXPECT_TRUE(result.records.empty()) << input.substr(0, 20);
    }
}

} // namespace
} // namespace spritlog
