// Real exports of Fuelly, Drivvo and Road Trip, read from the folder beside the clone (never
// copied into it). Each record is held against the file read here the plain way, column by
// column, with the unit factors 1 mi = 1.609344 km and 1 US gal = 3.785411784 l.
#include "import/realdata.h"

#include <gtest/gtest.h>

namespace spritlog {
namespace {

using namespace realdata;

constexpr double kMile = 1.609344, kUsGallon = 3.785411784;

const std::string& At(const Row& row, int column) {
    return row.fields.at(static_cast<std::size_t>(column));
}

// The rows of a section: from the header after the line `title` to the first empty line.
std::vector<Row> Section(const std::vector<Row>& rows, const std::string& title,
                         std::vector<std::string>& header) {
    std::vector<Row> section;
    bool in = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!in && rows[i].fields.at(0) == title) {
            header = rows.at(++i).fields;
            in = true;
            continue;
        }
        if (in && rows[i].fields.size() == 1 && rows[i].fields[0].empty())
            break;
        if (in)
            section.push_back(rows[i]);
    }
    return section;
}

void CheckAll(const ImportResult& result, const std::map<int, Expected>& byLine, int comparable) {
    ASSERT_EQ(result.records.size(), byLine.size());
    EXPECT_TRUE(result.summary.duplicates.empty());
    for (const ImportRecord& record : result.records)
        Check(record, byLine.at(record.line));
    for (std::size_t i = 1; i < result.records.size(); ++i)
        EXPECT_LE(DayOf(result.records[i - 1].cells[ColDatum]),
                  DayOf(result.records[i].cells[ColDatum]));
    CheckConsumption(result, byLine, comparable);
    // What the import itself says about the source's consumption agrees.
    EXPECT_EQ(result.summary.consumptionCompared, comparable);
    EXPECT_EQ(result.summary.consumptionDeviations, std::vector<std::string>());
}

TEST(RealExports, FuellyMetricAccount) {
    REQUIRE_REAL_FILE(bytes, "fuelly-2021-km-litres-eur-partial.csv");
    const ImportResult result = ParseImportFile(bytes);
    ASSERT_TRUE(result.ok()) << ImportFailureMessage(result);
    EXPECT_EQ(result.format, ImportFormat::Fuelly);
    std::vector<Row> rows = Rows(Utf8ToCp1252(bytes), ',');
    std::vector<std::string> header;
    for (const std::string& name : rows.at(0).fields)
        header.push_back(Trimmed(name));
    const int odometer = ColumnOf(header, "odometer"), litres = ColumnOf(header, "litres"),
              price = ColumnOf(header, "price"), date = ColumnOf(header, "fuelup_date"),
              notes = ColumnOf(header, "notes"), partial = ColumnOf(header, "partial_fuelup"),
              missed = ColumnOf(header, "missed_fuelup"), kml = ColumnOf(header, "km/l"),
              brand = ColumnOf(header, "brand");
    std::map<int, Expected> byLine;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const Row& row = rows[r];
        Expected e;
        e.date = IsoToGerman(At(row, date));
        e.km = std::lround(Number(At(row, odometer), '.'));
        e.litres = Number(At(row, litres), '.');
        e.price = Number(At(row, price), '.');
        e.station = At(row, brand);
        e.note = At(row, notes);
        e.mark = At(row, partial) == "1" ? "Teilbetankung" : "";
        if (At(row, missed) == "1")
            e.mark += e.mark.empty() ? "Fehlende Betankung" : ", Fehlende Betankung";
        if (Number(At(row, kml), '.') > 0)
            e.consumption = 100 / Number(At(row, kml), '.');
        byLine[row.line] = e;
    }
    // 31 refuellings; the first ("Bought car") and the partial one have no figure.
    ASSERT_EQ(byLine.size(), 31u);
    CheckAll(result, byLine, 29);
    // By hand, line 11 (oldest first, line 32 the first record): the partial fill-up, 24.299 l
    // at 1.669 at 164412 km.
    const ImportRecord& partFilled = result.records.at(32 - 11);
    EXPECT_EQ(partFilled.line, 11);
    EXPECT_EQ(partFilled.cells[ColKmStand], "164412");
    EXPECT_EQ(partFilled.cells[ColNote3], "Teilbetankung");
}

TEST(RealExports, DrivvoSectionsEnglish) {
    REQUIRE_REAL_FILE(bytes, "drivvo-2019-brl-en-sections.csv");
    const ImportResult result = ParseImportFile(bytes);
    ASSERT_TRUE(result.ok()) << ImportFailureMessage(result);
    EXPECT_EQ(result.format, ImportFormat::Drivvo);
    std::vector<std::string> header;
    const std::vector<Row> rows = Section(Rows(Utf8ToCp1252(bytes), ','), "##Refuelling", header);
    // The first of the repeated captions is the first fuel's.
    const int odometer = ColumnOf(header, "Odometer (km)"), date = ColumnOf(header, "Date"),
              fuel = ColumnOf(header, "Fuel"), total = ColumnOf(header, "Total cost"),
              volume = ColumnOf(header, "Volume"),
              full = ColumnOf(header, "Filled tank completely"),
              efficiency = ColumnOf(header, "Fuel efficiency"),
              station = ColumnOf(header, "Gas station"), notes = ColumnOf(header, "Notes");
    std::map<int, Expected> byLine;
    for (const Row& row : rows) {
        Expected e;
        e.date = IsoToGerman(At(row, date));
        e.km = std::lround(Number(At(row, odometer), '.'));
        e.litres = Number(At(row, volume), '.');
        e.total = Number(At(row, total), '.');
        e.price = e.total / e.litres;
        e.grade = At(row, fuel);
        e.station = At(row, station);
        e.note = At(row, notes);
        e.mark = At(row, full) == "Yes" ? "" : "Teilbetankung";
        const double kmPerLitre =
            Number(At(row, efficiency).substr(0, At(row, efficiency).find(' ')), '.');
        if (kmPerLitre > 0)
            e.consumption = 100 / kmPerLitre;
        byLine[row.line] = e;
    }
    // 25 refuellings; the oldest has "0 km/L".
    ASSERT_EQ(byLine.size(), 25u);
    CheckAll(result, byLine, 24);
    // The expenses and services are named, not taken.
    std::string skipped;
    for (const std::string& section : result.summary.skippedSections)
        skipped += section + ";";
    EXPECT_EQ(skipped, "##Expense (1 Zeile);##Service (4 Zeilen);");
    // By hand, the newest: 9.5 l for 58.89, 6.199 a litre, at 11234 km.
    const ImportRecord& newest = result.records.back();
    EXPECT_EQ(newest.cells[ColKmStand], "11234");
    EXPECT_EQ(newest.cells[ColLiter], "9.5");
    EXPECT_EQ(newest.cells[ColLiterpreis], "6.199");
}

// "2023-2-3 18:39" as "03.02.2023".
std::string RoadTripDay(const std::string& text) {
    const std::string date = text.substr(0, text.find(' '));
    const std::size_t a = date.find('-'), b = date.find('-', a + 1);
    auto two = [](const std::string& part) { return part.size() == 1 ? "0" + part : part; };
    return two(date.substr(b + 1)) + "." + two(date.substr(a + 1, b - a - 1)) + "." +
           date.substr(0, a);
}

TEST(RealExports, RoadTripMilesAndUsGallons) {
    REQUIRE_REAL_FILE(bytes, "roadtrip-2023-mi-usgal-sections.csv");
    const ImportResult result = ParseImportFile(bytes);
    ASSERT_TRUE(result.ok()) << ImportFailureMessage(result);
    EXPECT_EQ(result.format, ImportFormat::RoadTrip);
    // The non-breaking hyphen of "H-E-B" is read as a hyphen.
    std::string text = bytes;
    for (std::size_t at; (at = text.find("\xE2\x80\x91")) != std::string::npos;)
        text.replace(at, 3, "-");
    std::vector<std::string> header;
    const std::vector<Row> rows =
        Section(Rows(Utf8ToCp1252(text, '?'), ','), "FUEL RECORDS", header);
    const int odometer = ColumnOf(header, "Odometer (mi)"), date = ColumnOf(header, "Date"),
              amount = ColumnOf(header, "Fill Amount"), units = ColumnOf(header, "Fill Units"),
              total = ColumnOf(header, "Total Price"), partial = ColumnOf(header, "Partial Fill"),
              mpg = ColumnOf(header, "MPG"), note = ColumnOf(header, "Note"),
              octane = ColumnOf(header, "Octane"), location = ColumnOf(header, "Location"),
              reset = ColumnOf(header, "Reset");
    std::map<int, Expected> byLine;
    for (const Row& row : rows) {
        ASSERT_EQ(At(row, units), "Gal");
        Expected e;
        e.date = RoadTripDay(At(row, date));
        e.km = std::lround(Number(At(row, odometer), '.') * kMile);
        e.litres = Number(At(row, amount), '.') * kUsGallon;
        e.total = Number(At(row, total), '.');
        e.price = e.total / e.litres;
        e.grade = At(row, octane);
        e.station = At(row, location);
        e.note = At(row, note);
        e.mark = At(row, partial) == "Partial" ? "Teilbetankung" : "";
        if (At(row, reset) == "Reset")
            e.mark = "Fehlende Betankung";
        if (Number(At(row, mpg), '.') > 0)
            e.consumption = 100 * kUsGallon / (Number(At(row, mpg), '.') * kMile);
        byLine[row.line] = e;
    }
    // 107 refuellings; every one but the first has its MPG.
    ASSERT_EQ(byLine.size(), 107u);
    CheckAll(result, byLine, 106);
    // By hand, the first: 337 mi = 542.35 km; 17.743 gal = 67.165 l; 67.41 paid, so
    // 1.0036 a litre (1.004 would give 67.43).
    const ImportRecord& first = result.records.front();
    EXPECT_EQ(first.cells[ColKmStand], "542");
    EXPECT_EQ(first.cells[ColLiter], "67.165");
    EXPECT_EQ(first.cells[ColLiterpreis], "1.0036");
    const std::vector<std::string>& conversions = result.summary.conversions;
    EXPECT_EQ(conversions, (std::vector<std::string>{"Meilen in km", "US-Gallonen in Liter",
                                                     "Preise je Gallone in Preise je Liter"}));
}

} // namespace
} // namespace spritlog
