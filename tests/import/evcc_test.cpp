// Charging sessions of a wallbox controller: a file written by hand as the program exports
// it (German or English captions, columns in any order), and the records worked out by
// hand from the sessions.
#include "import/csvimport.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace spritlog {
namespace {

using Cells = std::vector<std::string>;

Cells InputCells(const ImportRecord& record) {
    Cells cells;
    for (int c = ColDatum; c <= ColNote3; ++c)
        if (c < ColKm || c > ColTankkosten)
            cells.push_back(record.cells[static_cast<std::size_t>(c)]);
    return cells;
}

std::string AllProblems(const ImportResult& result) {
    std::string text;
    for (const ImportProblem& p : result.problems)
        text += ImportProblemText(p) + "\n";
    return text;
}

// The columns of a session by a short key; each caption set names them its way.
const char* const kKeys[] = {"start", "end", "point", "id",  "car",  "odo",   "m0",
                             "m1",    "kwh", "dur",   "sun", "cost", "price", "co2"};
using Session = std::map<std::string, std::string>;

// Oldest first except S4 before S3; line 2 is S1.
const std::vector<Session> kSessions = {
    // S1: a session by itself with its price per kWh.
    {{"start", "2025-03-01 18:05:12"},
     {"end", "2025-03-01 22:40:03"},
     {"point", "Garage"},
     {"car", "e-Golf"},
     {"odo", "12100"},
     {"m0", "1000.000"},
     {"m1", "1018.500"},
     {"kwh", "18.500"},
     {"dur", "4h34m51s"},
     {"sun", "0.0"},
     {"cost", "5.55"},
     {"price", "0.300"},
     {"co2", "380.5"}},
    // S2: plugged in, nothing charged.
    {{"start", "2025-03-04 07:10:00"},
     {"end", "2025-03-04 07:12:30"},
     {"point", "Garage"},
     {"car", "e-Golf"},
     {"odo", "12180"},
     {"m0", "1018.500"},
     {"m1", "1018.500"},
     {"kwh", "0.000"},
     {"dur", "0s"},
     {"cost", "0.00"}},
    // S4: a reading, after S3 without one.
    {{"start", "2025-03-08 17:30:00"},
     {"end", "2025-03-08 20:00:00"},
     {"point", "Garage"},
     {"car", "e-Golf"},
     {"odo", "12310"},
     {"m0", "1029.500"},
     {"m1", "1043.500"},
     {"kwh", "14.000"},
     {"dur", "2h30m0s"},
     {"sun", "0.0"},
     {"cost", "4.20"},
     {"price", "0.300"}},
    // S3: the car gave no reading.
    {{"start", "2025-03-05 19:00:00"},
     {"end", "2025-03-05 21:00:00"},
     {"point", "Garage"},
     {"car", "e-Golf"},
     {"m0", "1018.500"},
     {"m1", "1029.500"},
     {"kwh", "11.000"},
     {"dur", "2h0m0s"},
     {"sun", "50.0"},
     {"cost", "2.20"},
     {"price", "0.200"}},
    // S5: the car has not moved since S4.
    {{"start", "2025-03-09 10:00:00"},
     {"end", "2025-03-09 11:00:00"},
     {"point", "Carport"},
     {"id", "04A1B2"},
     {"car", "e-Golf"},
     {"odo", "12310"},
     {"kwh", "5.000"},
     {"dur", "1h0m0s"},
     {"sun", "100.0"},
     {"cost", "1.50"},
     {"price", "0.300"}},
    // S6: no vehicle named, a cost and no price per kWh.
    {{"start", "2025-03-15 16:00:00"},
     {"end", "2025-03-15 19:30:00"},
     {"point", "Garage"},
     {"odo", "12655"},
     {"m0", "1043.500"},
     {"m1", "1063.750"},
     {"kwh", "20.250"},
     {"dur", "3h30m0s"},
     {"cost", "7.29"}},
    // S7: no reading, and none after it.
    {{"start", "2025-03-20 18:00:00"},
     {"end", "2025-03-20 19:00:00"},
     {"point", "Garage"},
     {"car", "e-Golf"},
     {"m0", "1063.750"},
     {"m1", "1071.250"},
     {"kwh", "7.500"},
     {"dur", "1h0m0s"}},
};

struct Captions {
    const char* name;
    std::vector<std::pair<std::string, std::string>> columns; // key, caption, in file order
    // German files of newer versions: ";" and a decimal comma.
    char separator = ',';
};

std::string Render(const Captions& captions, const std::vector<Session>& sessions) {
    const std::string separator(1, captions.separator);
    std::string text = "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < captions.columns.size(); ++i)
        text += (i == 0 ? "" : separator) + captions.columns[i].second;
    text += "\n";
    for (const Session& session : sessions) {
        for (std::size_t i = 0; i < captions.columns.size(); ++i) {
            const auto value = session.find(captions.columns[i].first);
            std::string cell = value == session.end() ? "" : value->second;
            if (captions.separator == ';')
                std::replace(cell.begin(), cell.end(), '.', ',');
            text += (i == 0 ? "" : separator) + cell;
        }
        text += "\n";
    }
    return text;
}

std::vector<std::pair<std::string, std::string>> InOrder(const std::vector<std::string>& captions) {
    std::vector<std::pair<std::string, std::string>> columns;
    for (std::size_t i = 0; i < captions.size(); ++i)
        columns.emplace_back(kKeys[i], captions[i]);
    return columns;
}

const Captions kGerman = {
    "German",
    InOrder({"Startzeit", "Endzeit", "Ladepunkt", "Kennung", "Fahrzeug", "Kilometerstand (km)",
             "Anfangsz\xC3\xA4hlerstand (kWh)", "Endz\xC3\xA4hlerstand (kWh)", "Energie (kWh)",
             "Ladedauer", "Sonne (%)", "Kosten", "Preis/kWh", "CO\xE2\x82\x82/kWh"})};

TEST(Evcc, SessionsBecomeChargesInBothLanguages) {
    Captions shuffled = {"German, another order and a column more", {}};
    for (const auto& column : kGerman.columns)
        shuffled.columns.insert(shuffled.columns.begin(), column);
    shuffled.columns.insert(shuffled.columns.begin() + 3, {"range", "Geladene Reichweite (km)"});
    Captions semicolons = kGerman;
    semicolons.name = "German with \";\" and decimal commas";
    semicolons.separator = ';';
    const Captions variants[] = {
        kGerman,
        shuffled,
        semicolons,
        {"English",
         InOrder({"Created", "Finished", "Charging point", "Identifier", "Vehicle", "Mileage (km)",
                  "Meter start (kWh)", "Meter stop (kWh)", "Energy (kWh)", "Duration", "Solar (%)",
                  "Cost", "Price/kWh", "CO\xE2\x82\x82/kWh"})},
        {"English without a translation",
         InOrder({"Created", "Finished", "Loadpoint", "Identifier", "Vehicle", "Odometer (km)",
                  "Meter Start (kWh)", "Meter Stop (kWh)", "Charged Energy (kWh)",
                  "Charge Duration", "Solar (%)", "Price", "Price/kWh", "CO2/kWh (gCO2eq)"})},
    };
    // By hand. S1 alone: 18.5 kWh at its 0.300 a kWh. S3 (no reading) goes into S4, and S5 at
    // S4's reading too: 14 + 11 + 5 = 30 kWh for 4.20 + 2.20 + 1.50 = 7.90, so 0.2633 a kWh
    // (0.263 x 30 = 7.89, 0.2633 x 30 = 7.899). S6: 7.29 / 20.25 = 0.360. S2 charged nothing,
    // S7 has no reading after it.
    const std::vector<Cells> expected = {
        {"01.03.2025", "12100", "18.5", "0.3", "Strom", "Garage", "", "", "", ""},
        {"08.03.2025", "12310", "30", "0.2633", "Strom", "Garage", "", "", "",
         "dazu 1 Ladevorgang ohne KM-Stand, dazu 1 Ladevorgang beim selben KM-Stand"},
        {"15.03.2025", "12655", "20.25", "0.360", "Strom", "Garage", "", "", "", ""},
    };
    const std::vector<int> lines = {2, 4, 7};
    const Cells notices = {"1 Ladevorgang mit 0 kWh ausgelassen.",
                           "1 Ladevorgang ohne KM-Stand dem n\xE4"
                           "chsten Ladevorgang mit KM-Stand zugerechnet.",
                           "1 Ladevorgang nach dem letzten KM-Stand nicht \xFC"
                           "bernommen: Zeile 8."};
    for (const Captions& captions : variants) {
        SCOPED_TRACE(captions.name);
        const ImportResult result = ParseImportFile(Render(captions, kSessions));
        ASSERT_TRUE(result.ok()) << AllProblems(result);
        EXPECT_EQ(result.format, ImportFormat::Evcc);
        ASSERT_EQ(result.records.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(InputCells(result.records[i]), expected[i]);
            EXPECT_EQ(result.records[i].line, lines[i]);
        }
        EXPECT_EQ(result.summary.notices, notices);
        EXPECT_EQ(ImportSummaryLines(result).at(1), "Betankungen: 3 (3 kWh)");
        EXPECT_EQ(ImportSummaryLines(result).at(4), "Umgerechnet: nichts (km und kWh)");
    }
}

TEST(Evcc, BadInputImportsNothingAndNamesTheLine) {
    struct Case {
        const char* name;
        const char* key; // the column of S1 that is changed
        const char* value;
        const char* problem;
    };
    const Case cases[] = {
        {"energy not a number", "kwh", "18.5x", "Zeile 2: Energie \"18.5x\" ist keine Zahl"},
        {"no energy", "kwh", "", "Zeile 2: Energie fehlt"},
        {"negative energy", "kwh", "-3.0", "Zeile 2: Energie \"-3.0\" ist negativ"},
        {"a start that is no date", "start", "gestern",
         "Zeile 2: Startzeit \"gestern\" ist kein g\xFCltiges Datum"},
        {"a reading that is no number", "odo", "12.1OO",
         "Zeile 2: Kilometerstand \"12.1OO\" ist keine Zahl"},
        {"a cost that is no number", "cost", "5.55 EUR",
         "Zeile 2: Kosten \"5.55 EUR\" ist keine Zahl"},
        {"a reading used by a later charge", "odo", "12655",
         "Zeile 7: eine andere Betankung beim selben KM-Stand 12655 wie in Zeile 2; die Strecke "
         "dazwischen w\xE4re 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Session> sessions = kSessions;
        sessions[0][c.key] = c.value;
        const ImportResult result = ParseImportFile(Render(kGerman, sessions));
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.records.empty());
        EXPECT_EQ(AllProblems(result), std::string(c.problem) + "\n");
    }
    // A row cut short, and a header without the odometer.
    std::string cut = Render(kGerman, kSessions);
    cut.insert(cut.find("\n", cut.find("\n") + 1), "\n2025-03-02 10:00:00,2025-03-02 11:00:00");
    const ImportResult shortRow = ParseImportFile(cut);
    EXPECT_EQ(AllProblems(shortRow), "Zeile 3: 2 Felder statt 14\n");
    Captions noReading = kGerman;
    noReading.columns.erase(noReading.columns.begin() + 5);
    EXPECT_EQ(AllProblems(ParseImportFile(Render(noReading, kSessions))),
              "Zeile 1: keine Spalte f\xFCr den KM-Stand (\"Kilometerstand (km)\" oder "
              "\"Odometer (km)\")\n");
}

TEST(Evcc, OnlyTheChosenVehiclesSessions) {
    std::vector<Session> sessions = {
        {{"start", "2025-04-01 18:00:00"},
         {"point", "Garage"},
         {"car", "e-Golf"},
         {"odo", "13000"},
         {"kwh", "10.000"},
         {"price", "0.300"}},
        {{"start", "2025-04-02 18:00:00"},
         {"point", "Garage"},
         {"car", "Zoe"},
         {"odo", "40000"},
         {"kwh", "20.000"},
         {"price", "0.300"}},
        {{"start", "2025-04-03 18:00:00"},
         {"point", "Garage"},
         {"odo", "13100"},
         {"kwh", "30.000"},
         {"price", "0.300"}},
        {{"start", "2025-04-04 18:00:00"},
         {"point", "Garage"},
         {"car", "e-Golf"},
         {"odo", "13200"},
         {"kwh", "12.000"},
         {"price", "0.300"}},
    };
    const std::string file = Render(kGerman, sessions);
    // The first vehicle named, unless the user chose another; a session of no vehicle is
    // none of two.
    const ImportResult golf = ParseImportFile(file);
    ASSERT_TRUE(golf.ok()) << AllProblems(golf);
    ASSERT_EQ(golf.records.size(), 2u);
    EXPECT_EQ(golf.records[0].cells[ColKmStand], "13000");
    EXPECT_EQ(golf.records[1].cells[ColKmStand], "13200");
    EXPECT_EQ(golf.questions.vehicles, (Cells{"e-Golf", "Zoe"}));
    ImportOptions options;
    options.vehicle = "Zoe";
    const ImportResult zoe = ParseImportFile(file, options);
    ASSERT_EQ(zoe.records.size(), 1u);
    EXPECT_EQ(zoe.records[0].cells[ColKmStand], "40000");
}

} // namespace
} // namespace spritlog
