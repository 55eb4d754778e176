// Any other CSV file, read by the user's column mapping (spritlog-cli import --spalten,
// the import preview's mapping step). Expected cells by hand (1 mi = 1.609344 km,
// 1 US gal = 3.785411784 l).
#include "import/columnmapping.h"
#include "import/csvimport.h"
#include "logbook/logbooktable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spritlog {
namespace {

using Cells = std::vector<std::string>;

TEST(ColumnMapping, AnyCsvIsReadByItsMapping) {
    const struct {
        const char* name;
        std::string file;
        std::string mapping;
        Cells first; // Datum, KM-Stand, Liter, Literpreis, Tankstelle, Anmerkung 1, Anmerkung 3
        Cells conversions;
    } cases[] = {
        // 45.2 l for 78.60: 1.739 gives 78.60.
        {"German spreadsheet",
         "Tag;Tacho;Liter;Bezahlt;Notiz;Tanke\n05.01.2024;12.000;45,20;78,60;Urlaub;Aral\n",
         "trenner=; dezimal=, datum=TMJ 1=Datum 2=KM-Stand 3=Menge 4=Gesamtpreis "
         "5=Anmerkung 6=Tankstelle",
         {"05.01.2024", "12000", "45.2", "1.739", "Aral", "Urlaub", ""},
         {}},
        // 1000 mi = 1609 km; 10 gal = 37.854 l at 3.00: 30.00 paid, so 0.7925.
        {"US file without header",
         "1/5/2024,1000,10,3.00,no\n",
         "trenner=, dezimal=. datum=MTJ kopf=nein strecke=meilen menge=usgal 1=Datum "
         "2=KM-Stand 3=Menge 4=Literpreis 5=Voll",
         {"05.01.2024", "1609", "37.854", "0.7925", "", "", "Teilbetankung"},
         {"Meilen in km", "US-Gallonen in Liter", "Preise je Gallone in Preise je Liter"}},
        {"tabs, year first",
         "Datum\tkm\tl\n2024/01/05\t500\t30.5\n",
         "trenner=tab dezimal=. datum=JMT 1=Datum 2=KM-Stand 3=Menge",
         {"05.01.2024", "500", "30.5", "", "", "", ""},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ImportOptions options;
        options.mapping = c.mapping;
        const ImportResult result = ParseImportFile(c.file, options);
        ASSERT_TRUE(result.ok()) << ImportFailureMessage(result);
        EXPECT_EQ(result.format, ImportFormat::Mapped);
        ASSERT_EQ(result.records.size(), 1u);
        const auto& cells = result.records[0].cells;
        EXPECT_EQ((Cells{cells[ColDatum], cells[ColKmStand], cells[ColLiter], cells[ColLiterpreis],
                         cells[ColTankstelle], cells[ColNote1], cells[ColNote3]}),
                  c.first);
        EXPECT_EQ(result.summary.conversions, c.conversions);
    }
}

TEST(ColumnMapping, ABadMappingIsNamedAndNothingIsRead) {
    const struct {
        const char* mapping;
        const char* problem;
    } cases[] = {
        {"1=Datum 3=Menge", "Spaltenzuordnung: keine Spalte f\xFCr KM-Stand"},
        {"trenner=x 1=Datum 2=KM-Stand 3=Menge",
         "Spaltenzuordnung: trenner= erwartet ; , | oder tab"},
        {"1=Datum 2=KM-Stand 3=Menge 4=Tankwart",
         "Spaltenzuordnung: unbekannte Rolle \"Tankwart\" (Datum, KM-Stand, Menge, Literpreis, "
         "Gesamtpreis, Sorte, Tankstelle, Ort, Anmerkung, Voll, Teilweise)"},
        {"hallo 1=Datum", "Spaltenzuordnung: \"hallo\" ist keine Angabe der Form name=wert"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mapping);
        ImportOptions options;
        options.mapping = c.mapping;
        const ImportResult result = ParseImportFile("a;b;c\n1;2;3\n", options);
        EXPECT_TRUE(result.records.empty());
        ASSERT_FALSE(result.problems.empty());
        EXPECT_EQ(ImportProblemText(result.problems.front()), c.problem);
    }
}

TEST(ColumnMapping, TheTextOfAMappingReadsBackAsTheSame) {
    const std::string text = "trenner=tab dezimal=. datum=MTJ kopf=nein strecke=meilen "
                             "menge=impgal 1=Datum 3=KM-Stand 4=Menge 6=Gesamtpreis 7=Teilweise";
    std::string error;
    const auto mapping = import::ReadMapping(text, error);
    ASSERT_TRUE(mapping.has_value()) << error;
    EXPECT_EQ(import::MappingText(*mapping), text);
}

} // namespace
} // namespace spritlog
