// The phone and web apps' exports beyond Spritmonitor and Fuelio: each recognised by its
// content, its units converted and said, its vehicles offered, its bad lines refused. The
// expected cells are worked out by hand from the small files (1 mi = 1.609344 km,
// 1 US gal = 3.785411784 l).
#include "import/appvalues.h"
#include "import/csvimport.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace spritlog {
namespace {

using Cells = std::vector<std::string>;

std::string DataFile(const std::string& name) {
    std::ifstream in(std::string(SPRITLOG_TEST_DATA) + "/import/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Datum, KM-Stand, Liter, Literpreis, Benzin, Tankstelle, Ort, Anmerkung 1, Anmerkung 3.
Cells Shown(const ImportRecord& record) {
    const auto& c = record.cells;
    return {c[ColDatum],      c[ColKmStand], c[ColLiter], c[ColLiterpreis], c[ColBenzin],
            c[ColTankstelle], c[ColOrt],     c[ColNote1], c[ColNote3]};
}

// A US Fuelly account as a spreadsheet saved it: CR alone ends each line, blanks after the
// commas, two-digit years, 12-hour times, a second car.
const std::string kFuellyUs =
    "car_name, model, mpg, odometer, miles, gallons, price, city_percentage, fuelup_date, "
    "date_added, tags, notes, missed_fuelup, partial_fuelup, latitude, longitude, brand\r"
    "Truck,F-150,0,1500,300,12.500,3.200,50,2/2/24 12:10 PM,2/2/24 12:11 PM,,,1,0,,,Shell\r"
    "Civic,Civic,35.2,40000,352,10.000,3.000,50,1/20/24 9:00 AM,1/20/24 9:00 AM,,,0,0,,,Exxon\r"
    "Truck,F-150,20.0,1200,200,10.000,3.100,50,1/19/24 7:02 AM,1/19/24 7:02 AM,,,0,0,,,Costco\r"
    "Truck,F-150,0,1000,0,10.000,3.000,50,1/5/24 5:30 PM,1/5/24 5:31 PM,,\"erste\",0,0,,,Shell\r";

const std::string kDrivvoPortuguese =
    "##Abastecimento\n"
    "\"Od\xC3\xB4metro (km)\",\"Data\",\"Combust\xC3\xADvel\",\"Pre\xC3\xA7o / L\",\"Valor "
    "total\",\"Volume\",\"Tanque cheio?\",\"Segundo combust\xC3\xADvel\",\"Pre\xC3\xA7o / "
    "L\",\"Valor total\",\"Volume\",\"Tanque cheio?\" 2,\"Efici\xC3\xAAncia\",\"Posto de "
    "combust\xC3\xADvel\",\"Observa\xC3\xA7\xC3\xA3o\"\n"
    "\"1500\",\"2024-01-20 08:00:00\",\"Etanol\",\"3.999\",\"40\",\"10\",\"N\xC3\xA3o\","
    "\"Gasolina\",\"5.999\",\"30\",\"5\",\"Sim\",\"10 km/L\",\"Posto A\",\"\"\n"
    "\"1000\",\"2024-01-05 08:00:00\",\"Gasolina\",\"5.999\",\"60\",\"10.002\",\"Sim\",\"\","
    "\"0\",\"0\",\"0\",\"N\xC3\xA3o\",\"0 km/L\",\"Posto B\",\"nota\"\n"
    "\n##Despesa\n\"Od\xC3\xB4metro (km)\",\"Data\",\"Valor "
    "total\"\n\"1100\",\"2024-01-06\",\"9\"\n";

const std::string kRoadTripSemicolon =
    "ROAD TRIP CSV \";,\"\r\n"
    "Version;Language\r\n1500;de\r\n\r\n\r\n"
    "FUEL RECORDS\r\n"
    "Odometer (km);Trip Distance;Date;Fill Amount;Fill "
    "Units;Price per Unit;Total Price;Partial Fill;L/100km;"
    "Note;Octane;Location;Reset\r\n"
    "10000;;\"2024-1-5 8:00\";40,5;L;1,799;72,86;;;;E10;Aral;\r\n"
    "10600;600;\"2024-1-20\";36;L;1,759;63,32;;6;;E10;Jet;\r\n";

struct FormatCase {
    const char* name;
    std::string file;
    ImportOptions options;
    ImportFormat format;
    std::size_t records;
    Cells first; // the oldest record
    Cells conversions;
};

TEST(AppFormats, EachFormatIsRecognisedAndReadWithItsUnits) {
    ImportOptions pickup;
    pickup.vehicle = "Pickup";
    ImportOptions usUnits;
    usUnits.distance = DistanceUnit::Miles;
    usUnits.volume = VolumeUnit::UsGallons;
    const Cells allUs = {"Meilen in km", "US-Gallonen in Liter",
                         "Preise je Gallone in Preise je Liter"};
    const FormatCase cases[] = {
        // 1000 mi = 1609 km, 10 gal = 37.854 l, 30.00 paid: 0.793 gives 30.02, 0.7925 30.00.
        {"Fuelly, US account",
         kFuellyUs,
         {},
         ImportFormat::Fuelly,
         3,
         {"05.01.2024", "1609", "37.854", "0.7925", "", "Shell", "", "erste", ""},
         allUs},
        // 45.2 l for 78.60: 1.739 gives 78.60.
        {"aCar, first vehicle",
         DataFile("acar.csv"),
         {},
         ImportFormat::ACar,
         3,
         {"05.01.2024", "12000", "45.2", "1.739", "Super", "Aral", "", "Urlaub", ""},
         {}},
        // 80000 mi = 128748 km; 20 gal = 75.708 l for 63.98: 0.845 gives 63.97, 0.8451 63.98.
        {"aCar, the vehicle chosen",
         DataFile("acar.csv"),
         pickup,
         ImportFormat::ACar,
         1,
         {"06.01.2024", "128748", "75.708", "0.8451", "Regular", "Shell", "", "", ""},
         allUs},
        {"LubeLogger, units as asked: km and litres",
         DataFile("lubelogger.csv"),
         {},
         ImportFormat::LubeLogger,
         3,
         {"05.01.2024", "12000", "45.2", "1.739", "", "", "", "", ""},
         {}},
        // 12000 mi = 19312 km; 45.2 gal = 171.101 l for 78.60: 0.4594 gives 78.60.
        {"LubeLogger, units as asked: miles and US gallons",
         DataFile("lubelogger.csv"),
         usUnits,
         ImportFormat::LubeLogger,
         3,
         {"05.01.2024", "19312", "171.101", "0.4594", "", "", "", "", ""},
         {"Meilen in km", "US-Gallonen in Liter"}}, // a total, no price per gallon
        // 50000 mi = 80467 km; 20 gal for 63.98 as above.
        {"GasBuddy",
         DataFile("gasbuddy.csv"),
         {},
         ImportFormat::GasBuddy,
         3,
         {"05.01.2024", "80467", "75.708", "0.8451", "Regular", "Costco", "Austin", "", ""},
         allUs},
        // 10.002 l for 60.00: 5.999 gives 60.00. The newer one holds two fuels: 15 l, 70.00.
        {"Drivvo, Portuguese",
         kDrivvoPortuguese,
         {},
         ImportFormat::Drivvo,
         2,
         {"05.01.2024", "1000", "10.002", "5.999", "Gasolina", "Posto B", "", "nota", ""},
         {}},
        // 40.5 l for 72.86: 1.799 gives 72.86.
        {"Road Trip, semicolons and decimal commas",
         kRoadTripSemicolon,
         {},
         ImportFormat::RoadTrip,
         2,
         {"05.01.2024", "10000", "40.5", "1.799", "E10", "Aral", "", "", ""},
         {}},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportResult result = ParseImportFile(c.file, c.options);
        ASSERT_TRUE(result.ok()) << ImportFailureMessage(result);
        EXPECT_EQ(result.format, c.format);
        ASSERT_EQ(result.records.size(), c.records);
        EXPECT_EQ(Shown(result.records.front()), c.first);
        EXPECT_EQ(result.summary.conversions, c.conversions);
    }
}

TEST(AppFormats, MarksVehiclesAndQuestions) {
    // Fuelly: the truck (first named) only, oldest first; the missed fill-up marked.
    const ImportResult fuelly = ParseImportFile(kFuellyUs);
    ASSERT_TRUE(fuelly.ok()) << ImportFailureMessage(fuelly);
    EXPECT_EQ(fuelly.questions.vehicles, (Cells{"Truck", "Civic"}));
    EXPECT_EQ(fuelly.questions.vehicle, "Truck");
    EXPECT_TRUE(fuelly.questions.volume); // US or imperial gallons: the file does not say
    ASSERT_EQ(fuelly.records.size(), 3u);
    EXPECT_EQ(fuelly.records[2].cells[ColNote3], "Fehlende Betankung");
    EXPECT_EQ(fuelly.records[2].cells[ColKmStand], "2414"); // 1500 mi

    // Drivvo: "Não" is a partial fill-up; two fuels in one stop are one record.
    const ImportResult drivvo = ParseImportFile(kDrivvoPortuguese);
    ASSERT_TRUE(drivvo.ok()) << ImportFailureMessage(drivvo);
    EXPECT_EQ(Shown(drivvo.records[1]),
              (Cells{"20.01.2024", "1500", "15", "4.667", "Etanol + Gasolina", "Posto A", "", "",
                     "Teilbetankung"}));
    EXPECT_EQ(drivvo.summary.skippedSections, (Cells{"##Despesa (1 Zeile)"}));

    // LubeLogger names no units: both are asked, and a choice closes neither question.
    const ImportResult lube = ParseImportFile(DataFile("lubelogger.csv"));
    EXPECT_TRUE(lube.questions.distance);
    EXPECT_TRUE(lube.questions.volume);
    EXPECT_EQ(lube.records.at(1).cells[ColNote3], "Teilbetankung");
    // Its economy in l/100 km agrees with ours: 61.5 l over 1200 km, from full to full.
    EXPECT_EQ(lube.summary.consumptionCompared, 1);
    EXPECT_TRUE(lube.summary.consumptionDeviations.empty());
}

TEST(AppFormats, FuellyOdometerFromTheDistanceWhereTheFileHasNone) {
    // The newest truck refuelling has only its 300 miles: 1200 + 300 = 1500 mi = 2414 km.
    std::string file = kFuellyUs;
    file.replace(file.find("1500,300"), 4, "");
    const ImportResult result = ParseImportFile(file);
    ASSERT_TRUE(result.ok()) << ImportFailureMessage(result);
    ASSERT_EQ(result.records.size(), 3u);
    EXPECT_EQ(result.records[2].cells[ColKmStand], "2414");
    EXPECT_NE(std::find(result.summary.notices.begin(), result.summary.notices.end(),
                        "KM-Stand aus der gefahrenen Strecke errechnet (die Datei hat keinen): 1 "
                        "Betankung."),
              result.summary.notices.end());
}

TEST(AppFormats, ASourceConsumptionThatDisagreesIsNamed) {
    // Fuelly says 30 mpg for 200 mi on 10 gal (20 mpg): 11.76 against our 7.84 l/100 km.
    std::string file = kFuellyUs;
    file.replace(file.find("20.0,1200"), 4, "30.0");
    const ImportResult result = ParseImportFile(file);
    ASSERT_TRUE(result.ok()) << ImportFailureMessage(result);
    EXPECT_EQ(result.summary.consumptionDeviations, (Cells{"Zeile 4: 11,76 statt 7,84 l/100 km"}));
}

TEST(AppFormats, BadInputImportsNothingAndNamesTheLine) {
    const std::string fuellyHeader =
        "car_name,model,mpg,odometer,miles,gallons,price,city_percentage,fuelup_date,"
        "date_added,tags,notes,missed_fuelup,partial_fuelup,latitude,longitude,brand\n";
    const struct {
        const char* name;
        std::string file;
        std::string problem;
    } cases[] = {
        {"truncated in a quoted field", fuellyHeader + "Truck,F-150,0,1000,0,10,3,50,1/5/24,\"x",
         "Zeile 2: das Anf\xFChrungszeichen wird nicht geschlossen"},
        {"truncated row", fuellyHeader + "Truck,F-150,0,1000,0,10", "Zeile 2: 6 Felder statt 17"},
        {"header only", fuellyHeader, "Die Datei enth\xE4lt keine Datens\xE4tze."},
        {"a day that does not exist",
         fuellyHeader + "Truck,F-150,0,1000,0,10,3,50,2/30/24,,,,0,0,,,\n",
         "Zeile 2: Datum \"2/30/24\" ist kein g\xFCltiges Datum"},
        {"a flag that is neither yes nor no",
         DataFile("lubelogger.csv").replace(DataFile("lubelogger.csv").find("True"), 4, "Vllt"),
         "Zeile 2: IsFillToFull \"Vllt\" ist weder ja noch nein"},
        {"Road Trip without its fuel section", "ROAD TRIP CSV \",.\"\nVersion,Language\n1500,en\n",
         "Der Abschnitt \"FUEL RECORDS\" fehlt."},
        {"a workbook", std::string("PK\x03\x04\x14\x00\x06\x00", 8) + "[Content_Types].xml",
         "Das Dateiformat wurde nicht erkannt (erwartet: Spritlog-CSV, Spritmonitor, Fuelio, "
         "Fuelly, Drivvo, Road Trip, aCar, LubeLogger, GasBuddy oder evcc)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportResult result = ParseImportFile(c.file);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.records.empty());
        ASSERT_FALSE(result.problems.empty());
        EXPECT_EQ(ImportProblemText(result.problems.front()), c.problem);
    }
}

TEST(AppFormats, DatesAsTheAppsWriteThem) {
    const struct {
        const char* text;
        bool monthFirst;
        const char* day; // empty: refused
        int seconds;
    } cases[] = {
        {"1/5/24 5:30 PM", true, "05.01.2024", 17 * 3600 + 30 * 60},
        {"12/31/1999 12:00 AM", true, "31.12.1999", 0},
        {"12/31/99 12:15 pm", true, "31.12.1999", 12 * 3600 + 15 * 60},
        {"31/12/2023", false, "31.12.2023", 0},
        {"2023-2-3 18:39", true, "03.02.2023", 18 * 3600 + 39 * 60},
        {"2024-01-05T17:30:00Z", true, "05.01.2024", 17 * 3600 + 30 * 60},
        {"2024-01-05 17:30:00.000", true, "05.01.2024", 17 * 3600 + 30 * 60},
        {"5.1.2024 8:05", true, "05.01.2024", 8 * 3600 + 5 * 60},
        {"13/13/2024", true, "", 0},
        {"1/5/24 13:00 PM", true, "", 0},
        {"2/29/23", true, "", 0},
        {"1/5", true, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto date = import::ReadAppDate(c.text, c.monthFirst);
        if (std::string(c.day).empty()) {
            EXPECT_FALSE(date.has_value());
            continue;
        }
        ASSERT_TRUE(date.has_value());
        EXPECT_EQ(date->cell, c.day);
        EXPECT_EQ(date->key % 86400, c.seconds);
    }
    EXPECT_TRUE(import::SlashDatesDayFirst({"1/5/2024", "13/5/2024"}));
    EXPECT_FALSE(import::SlashDatesDayFirst({"1/5/2024", "12/13/2024"}));
}

} // namespace
} // namespace spritlog
