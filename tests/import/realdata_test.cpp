// Real exports that users of the two phone apps published, read from the folder beside the
// clone (never copied into it). Every record is checked against the file itself, parsed
// here the plain way, column by column.
#include "import/csvimport.h"
#include "import/realdata.h"
#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/derivedvalues.h"
#include "logbook/fillups.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace spritlog {
namespace {

using namespace realdata;

// ---- Spritmonitor -----------------------------------------------------------------------

// Where the file's Km-Stand contradicts its own Teil-Km, worked out by hand from the lines
// around: a typed-wrong reading and the reading it becomes, and the records after
// refuellings missing between.
struct OdometerFixes {
    std::map<int, long> typos; // line, reading
    std::set<int> gaps;        // lines
    std::vector<std::string> notices;
};

void CheckSpritmonitor(const std::string& bytes, int expectedRecords, int duplicates,
                       int comparable, const OdometerFixes& fixes) {
    const ImportResult result = ParseImportFile(bytes);
    ASSERT_TRUE(result.ok()) << ImportFailureMessage(result);
    EXPECT_EQ(result.format, ImportFormat::Spritmonitor);

    const std::vector<Row> rows = Rows(Utf8ToCp1252(bytes), ';');
    const std::vector<std::string>& header = rows.at(0).fields;
    const bool wide = header.size() == 20;
    const int date = ColumnOf(header, "Datum"), km = ColumnOf(header, "Km-Stand"),
              litres = ColumnOf(header, "Spritmenge"), cost = ColumnOf(header, "Kosten"),
              type = ColumnOf(header, "Tankart"), fuel = ColumnOf(header, "Kraftstoff"),
              note = ColumnOf(header, "Bemerkung"), consumption = ColumnOf(header, "Verbrauch");
    const std::map<std::string, std::string> grades = {
        {"1", "Diesel"}, {"7", "Super"}, {"8", "SuperPlus"}};
    const std::map<std::string, std::string> marks = {
        {"1", ""}, {"2", "Teilbetankung"}, {"3", "Erstbetankung"}, {"0", "Fehlende Betankung"}};
    std::map<int, Expected> byLine;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const std::vector<std::string>& f = rows[r].fields;
        Expected e;
        e.date = f[static_cast<std::size_t>(date)];
        e.km = std::lround(Number(f[static_cast<std::size_t>(km)], ','));
        e.litres = Number(f[static_cast<std::size_t>(litres)], ',');
        const double total = Number(f[static_cast<std::size_t>(cost)], ',');
        e.price = total > 0 ? total / e.litres : -1;
        e.total = total > 0 ? total : -1;
        e.grade = grades.at(f[static_cast<std::size_t>(fuel)]);
        e.note = Trimmed(f[static_cast<std::size_t>(note)]);
        e.mark = marks.at(f[static_cast<std::size_t>(type)]);
        if (fixes.typos.count(rows[r].line) > 0)
            e.km = fixes.typos.at(rows[r].line);
        if (fixes.gaps.count(rows[r].line) > 0)
            e.mark = "Fehlende Betankung";
        const std::string& own = f[static_cast<std::size_t>(consumption)];
        if (!own.empty() && Number(own, ',') > 0)
            e.consumption = Number(own, ',');
        if (wide) {
            e.station = f[static_cast<std::size_t>(ColumnOf(header, "Tankstelle"))];
            e.place = f[static_cast<std::size_t>(ColumnOf(header, "Ort"))];
            if (e.place.empty())
                e.place = f[static_cast<std::size_t>(ColumnOf(header, "Gro\xDFraum"))];
        }
        byLine[rows[r].line] = e;
    }
    ASSERT_EQ(static_cast<int>(byLine.size()), expectedRecords + duplicates);
    ASSERT_EQ(static_cast<int>(result.records.size()), expectedRecords);
    ASSERT_EQ(static_cast<int>(result.summary.duplicates.size()), duplicates);
    for (const ImportSummary::Duplicate& d : result.summary.duplicates) {
        const Expected& a = byLine.at(d.line);
        const Expected& b = byLine.at(d.first);
        EXPECT_EQ(a.date + std::to_string(a.km), b.date + std::to_string(b.km));
        EXPECT_EQ(a.litres, b.litres);
        EXPECT_EQ(a.price, b.price);
    }
    for (const ImportRecord& record : result.records)
        Check(record, byLine.at(record.line));
    // Oldest first, as the logbook runs.
    for (std::size_t i = 1; i < result.records.size(); ++i)
        EXPECT_LE(DayOf(result.records[i - 1].cells[ColDatum]),
                  DayOf(result.records[i].cells[ColDatum]));
    CheckConsumption(result, byLine, comparable);
    // The import compares where the logbook has a figure: not after the missing refuellings.
    EXPECT_EQ(result.summary.consumptionCompared, comparable - static_cast<int>(fixes.gaps.size()));
    EXPECT_TRUE(result.summary.consumptionDeviations.empty());
    std::vector<std::string> notices;
    for (const std::string& notice : result.summary.notices)
        if (notice.find("Teil-Km") != std::string::npos)
            notices.push_back(notice);
    EXPECT_EQ(notices, fixes.notices);
}

TEST(RealExports, SpritmonitorGerman13Columns) {
    REQUIRE_REAL_FILE(bytes, "sm-de-13col-gti.csv");
    // Line 65: 885 (line 66) + 379 = 1264, but 3706 (line 64) - 293 = 3413 as written; the
    // trip meter ran 379 km since a refuelling that is not in the file.
    CheckSpritmonitor(
        bytes, 67, 0, 66,
        {{},
         {65},
         {"Zeile 65: KM-Stand 3413 passt nicht zu Teil-Km 379,00, wohl fehlende Betankungen "
          "davor: als \x84"
          "Fehlende Betankung\x93 markiert"}});
}

TEST(RealExports, SpritmonitorGerman20Columns) {
    REQUIRE_REAL_FILE(bytes, "sm-de-20col-civic.csv");
    // Line 8: 226783 + 634,00 = 227417 = 228158 - 740,90 (rounded), not 227470. Line 25:
    // 215677 + 513,00 = 216190 = 216872 - 681,90, not 21690. Line 60: 192091 + 790,60 =
    // 192881.6 and 193606 - 723,60 = 192882.4, so 192882, not 192822.
    CheckSpritmonitor(bytes, 334, 1, 333,
                      {{{8, 227417}, {25, 216190}, {60, 192882}},
                       {},
                       {"Zeile 60: KM-Stand 192822 passt nicht zu Teil-Km 790,60, \xFC"
                        "bernommen: 192882",
                        "Zeile 25: KM-Stand 21690 passt nicht zu Teil-Km 513,00, \xFC"
                        "bernommen: 216190",
                        "Zeile 8: KM-Stand 227470 passt nicht zu Teil-Km 634,00, \xFC"
                        "bernommen: 227417"}});
    // By hand: the note with a backslash-quoted text over two lines, and the first
    // refuelling of the car.
    const ImportResult result = ParseImportFile(bytes);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.records.front().cells[ColNote3], "Erstbetankung");
    EXPECT_EQ(result.records.front().cells[ColKmStand], "20");
    bool found = false;
    for (const ImportRecord& record : result.records)
        found = found || record.cells[ColNote1] == "Regen Meldung \"DPF-Reinigen\"";
    EXPECT_TRUE(found);
}

// ---- Fuelio -----------------------------------------------------------------------------

struct FuelioFile {
    std::map<std::string, std::string> vehicle;
    std::vector<std::string> logHeader;
    std::vector<Row> log;
    std::map<std::string, std::string> stationById;
    std::map<std::string, std::string> stationByPosition;
};

FuelioFile ReadFuelio(const std::string& bytes) {
    FuelioFile file;
    std::string section;
    std::vector<std::string> header;
    for (const Row& row : Rows(Utf8ToCp1252(bytes), ',')) {
        if (!row.fields.empty() && row.fields[0].rfind("##", 0) == 0) {
            section = row.fields[0];
            header.clear();
            continue;
        }
        if (header.empty()) {
            header = row.fields;
            if (section == "## Log")
                file.logHeader = header;
            continue;
        }
        if (section == "## Vehicle") {
            for (std::size_t i = 0; i < header.size(); ++i)
                file.vehicle[header[i]] = row.fields[i];
        } else if (section == "## Log") {
            file.log.push_back(row);
        } else if (section == "## FavStations") {
            file.stationById[row.fields[3]] = row.fields[0];
            file.stationByPosition[row.fields[1] + "," + row.fields[2]] = row.fields[0];
        }
    }
    return file;
}

// The app's consumption column (the sixth of the log) in litres (or kg) per 100 km: its
// header names the unit, "mpg" US or imperial gallons by the vehicle's ConsumptionUnit
// (1 US, 2 imperial).
std::function<double(double)> AppConsumption(const FuelioFile& file) {
    const std::string& name = file.logHeader.at(5);
    constexpr double kmPerMile = 1.609344, usGallon = 3.785411784, imperialGallon = 4.54609;
    if (name == "l/100km (optional)")
        return [](double figure) { return figure; };
    if (name == "km/l (optional)")
        return [](double figure) { return 100 / figure; };
    EXPECT_EQ(name, "mpg (optional)");
    const double gallon = file.vehicle.at("ConsumptionUnit") == "2" ? imperialGallon : usGallon;
    return [gallon](double figure) { return 100 * gallon / (figure * kmPerMile); };
}

void CheckFuelio(const std::string& bytes, int expectedRecords, double kmPerUnit,
                 double litresPerUnit, int comparable) {
    const ImportResult result = ParseImportFile(bytes);
    ASSERT_TRUE(result.ok()) << ImportFailureMessage(result);
    EXPECT_EQ(result.format, ImportFormat::Fuelio);
    const FuelioFile file = ReadFuelio(bytes);
    const std::vector<std::string>& h = file.logHeader;
    const int date = 0, odo = 1, qty = 2, full = ColumnOf(h, "Full"),
              price = ColumnOf(h, "Price (optional)"), city = ColumnOf(h, "City (optional)"),
              notes = ColumnOf(h, "Notes (optional)"), missed = ColumnOf(h, "Missed"),
              tank = ColumnOf(h, "TankNumber"), fuel = ColumnOf(h, "FuelType"),
              volumePrice = ColumnOf(h, "VolumePrice"),
              station = ColumnOf(h, "StationID (optional)");
    const bool positions = h.size() > 7 && h[6] == "latitude (optional)";
    const int excluded = OptionalColumn(h, "ExcludeDistance");
    const std::function<double(double)> per100 = AppConsumption(file);
    const bool kg = h[2] == "kg";
    auto kind = [](const std::string& code) -> std::string {
        long value = 0;
        std::from_chars(code.data(), code.data() + code.size(), value);
        switch (value / 100) {
        case 1:
            return "Benzin";
        case 5:
            return "Erdgas";
        default:
            return "";
        }
    };
    std::map<int, Expected> byLine;
    for (const Row& row : file.log) {
        const auto& f = row.fields;
        auto at = [&f](int i) { return f[static_cast<std::size_t>(i)]; };
        const bool second = at(tank) == "2";
        // The second tank of the gas car holds petrol in litres (FuelUnitTank2 0).
        const double factor = second ? 1 : litresPerUnit;
        Expected e;
        e.date = IsoToGerman(at(date));
        e.km = std::lround(Number(at(odo), '.') * kmPerUnit);
        e.litres = Number(at(qty), '.') * factor;
        const double unitPrice = Number(at(volumePrice), '.');
        const double total = Number(at(price), '.');
        e.price = unitPrice > 0 ? unitPrice / factor : total > 0 ? total / e.litres : -1;
        std::string grade = kind(at(fuel));
        if (grade.empty())
            grade = kind(file.vehicle.at(second ? "Tank2Type" : "Tank1Type"));
        e.grade = grade + (kg && !second ? " (kg)" : "");
        const auto byId = file.stationById.find(at(station));
        if (byId != file.stationById.end()) {
            e.station = byId->second;
        } else if (positions) {
            const auto near = file.stationByPosition.find(at(6) + "," + at(7));
            if (near != file.stationByPosition.end() && at(6) != "0.0")
                e.station = near->second;
        }
        e.place = Trimmed(at(city));
        e.note = Trimmed(at(notes));
        const std::string partial = at(full) == "1" ? "" : "Teilbetankung";
        const std::string miss = at(missed) == "1" ? "Fehlende Betankung" : "";
        e.mark = partial + (!partial.empty() && !miss.empty() ? ", " : "") + miss;
        // The app's figure per tank stands on the distance less "ExcludeDistance" (driven on
        // the other tank), which the logbook does not hold; the second tank's figure on the
        // distance driven on it alone. Only the first tank with nothing excluded is ours to
        // compare.
        const bool wholeDistance = excluded < 0 || Number(at(excluded), '.') == 0;
        if (!second && wholeDistance && Number(at(5), '.') > 0)
            e.consumption = per100(Number(at(5), '.'));
        byLine[row.line] = e;
    }
    ASSERT_EQ(static_cast<int>(byLine.size()), expectedRecords);
    ASSERT_EQ(static_cast<int>(result.records.size()), expectedRecords);
    EXPECT_TRUE(result.summary.duplicates.empty());
    for (const ImportRecord& record : result.records)
        Check(record, byLine.at(record.line));
    // In odometer order, as the app computes.
    for (std::size_t i = 1; i < result.records.size(); ++i)
        EXPECT_LT(std::stol(result.records[i - 1].cells[ColKmStand]),
                  std::stol(result.records[i].cells[ColKmStand]));
    CheckConsumption(result, byLine, comparable);
    // The import's own comparison agrees.
    EXPECT_EQ(result.summary.consumptionCompared, comparable);
    EXPECT_TRUE(result.summary.consumptionDeviations.empty());
}

TEST(RealExports, FuelioBiFuelNaturalGas) {
    REQUIRE_REAL_FILE(bytes, "fuelio-2024-cng-bifuel.csv");
    // The first tank's figures (km/kg) where nothing is excluded: 205 records.
    CheckFuelio(bytes, 397, 1, 1, 205);
    const ImportResult result = ParseImportFile(bytes);
    ASSERT_TRUE(result.ok());
    // By hand, the newest refuelling: 14.777 kg of gas at 1.279 a kilogram at station
    // 398401, "IS" in the station list.
    const ImportRecord& last = result.records.back();
    EXPECT_EQ(last.cells[ColDatum], "16.10.2025");
    EXPECT_EQ(last.cells[ColKmStand], "313901");
    EXPECT_EQ(last.cells[ColLiter], "14.777");
    EXPECT_EQ(last.cells[ColLiterpreis], "1.279");
    EXPECT_EQ(last.cells[ColBenzin], "Erdgas (kg)");
    EXPECT_EQ(last.cells[ColTankstelle], "IS");
    bool kilograms = false;
    for (const std::string& line : ImportSummaryLines(result))
        kilograms = kilograms || line.find("Kilogramm") != std::string::npos;
    EXPECT_TRUE(kilograms);
}

TEST(RealExports, FuelioMilesAndUsGallons) {
    REQUIRE_REAL_FILE(bytes, "fuelio-appsample-mi-usgal.csv");
    // The mpg column is empty throughout.
    CheckFuelio(bytes, 56, 1.609344, 3.785411784, 0);
    const ImportResult result = ParseImportFile(bytes);
    ASSERT_TRUE(result.ok());
    // By hand: 102714 mi, 12.26 US gal for 25.00, so 165302 km and 46.409 l.
    const ImportRecord& oldest = result.records.front();
    EXPECT_EQ(oldest.cells[ColKmStand], "152184"); // 94563 mi
    bool found = false;
    for (const ImportRecord& record : result.records) {
        if (record.cells[ColKmStand] == "165302") {
            found = true;
            EXPECT_EQ(record.cells[ColLiter], "46.409");
        }
    }
    EXPECT_TRUE(found);
}

TEST(RealExports, FuelioUkMilesAndLitres) {
    REQUIRE_REAL_FILE(bytes, "fuelio-uk-miles-litres.csv");
    // The one record's 21.8 mpg stands on a distance before the file.
    CheckFuelio(bytes, 1, 1.609344, 1, 0);
    const ImportResult result = ParseImportFile(bytes);
    ASSERT_TRUE(result.ok());
    // By hand: 212477 mi; FuelType -1 leaves the petrol tank of "## Vehicle"; the station
    // number is not in the list, its position is: Morrisons.
    EXPECT_EQ(result.records[0].cells[ColKmStand], "341949");
    EXPECT_EQ(result.records[0].cells[ColBenzin], "Benzin");
    EXPECT_EQ(result.records[0].cells[ColTankstelle], "Morrisons");
}

} // namespace
} // namespace spritlog
