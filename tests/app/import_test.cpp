// "Importieren aus CSV...": the menu item, the import dialog, a clean import, bad sources
// that leave the table alone, and the CSV export read back into a new logbook.
#include "guitest.h"

#include "app/window/columnmappingdialog.h"
#include "app/window/importpreviewdialog.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

using namespace spritlog;
using test::Window;

namespace {

// A Spritmonitor export (German headers, UTF-8 with byte-order mark) with one partial
// fill-up, going on from the sample logbook's 10000 and 10500 km.
const QByteArray kSpritmonitor =
    "\xEF\xBB\xBF"
    "Datum;Kilometerstand;Strecke;Menge;Gesamtpreis;W\xC3\xA4hrung;Betankungsart;Kraftstoff;"
    "Bemerkung;Tankstelle;Land;Region;Ort\r\n"
    "14.02.2026;11.020;520;36,40;63,34;EUR;1;7;Winterreifen;Aral;D;Bayern;M\xC3\xBCnchen\r\n"
    "28.02.2026;11.480;460;20,00;35,80;EUR;2;20;\"Nur halb; "
    "voll\";Shell;D;Baden-W\xC3\xBCrttemberg;\r\n"
    "09.03.2026;11.990;510;38,25;65,41;EUR;1;1;;;D;;N\xC3\xBCrnberg\r\n";

// A Fuelio backup, newest first, with a missed fill-up and a favourite station.
const QByteArray kFuelio =
    "\"## Log\"\n"
    "\"Data\",\"Odo (km)\",\"Fuel (litres)\",\"Full\",\"Price (optional)\","
    "\"City (optional)\",\"Notes (optional)\",\"Missed\",\"FuelType\","
    "\"VolumePrice\",\"StationID (optional)\"\n"
    "\"2026-03-20 17:45\",\"12500\",\"33.10\",\"1\",\"57.59\",\"Regensburg\","
    "\"\",\"0\",\"110\",\"1.740\",\"2\"\n"
    "\"2026-03-09\",\"11990\",\"38.25\",\"1\",\"65.41\",\"N\xC3\xBCrnberg\","
    "\"Autobahn\",\"1\",\"201\",\"1.710\",\"0\"\n"
    "\"## FavStations\"\n"
    "\"NameBrand\",\"Latitude\",\"Longitude\",\"StationID\",\"Description\",\"CountryCode\"\n"
    "\"Jet \"\"S\xC3\xBC"
    "d\"\"\",\"49.0\",\"12.1\",\"2\",\"Regensburg\",\"DEU\"\n";

// A wallbox's charging sessions, one without an odometer reading.
const QByteArray kEvcc = "\xEF\xBB\xBF"
                         "Startzeit,Endzeit,Ladepunkt,Kennung,Fahrzeug,Kilometerstand (km),"
                         "Energie (kWh),Kosten,Preis/kWh\n"
                         "2026-03-01 18:00:00,2026-03-01 21:00:00,Wallbox,,ID.3,11020,22.000,"
                         "6.60,0.300\n"
                         "2026-03-03 19:00:00,2026-03-03 20:00:00,Wallbox,,ID.3,,8.000,2.80,"
                         "0.350\n"
                         "2026-03-06 18:30:00,2026-03-06 22:00:00,Wallbox,,ID.3,11400,25.500,"
                         "7.65,0.300\n";

// Three bad lines between good ones.
const QByteArray kBadSpritmonitor = "Datum;Kilometerstand;Menge;Gesamtpreis;Betankungsart\r\n"
                                    "14.02.2026;11020;36,40;63,34;1\r\n"
                                    "30.02.2026;11480;20,00;35,80;1\r\n"
                                    "09.03.2026;11.99o;38,25;65,41;1\r\n"
                                    "20.03.2026;12500;33,10;57,59;5\r\n";

// The input columns of a record as the logbook shows them (UTF-8).
using Row = QStringList; // Datum, KM-Stand, Liter, Literpreis, Benzin, Tankstelle, Ort, notes

Row InputCells(const Window& window, int row) {
    Row cells;
    for (int column : {ColDatum, ColKmStand, ColLiter, ColLiterpreis, ColBenzin, ColTankstelle,
                       ColOrt, ColNote1, ColNote2, ColNote3})
        cells << window.cell(column, row);
    return cells;
}

// Every cell of the logbook table, header row included.
QStringList AllCells(const Window& window) {
    QStringList cells;
    const TextTable& grid = window->document().table();
    for (int row = 0; row < grid.rowCount(); ++row)
        for (int column = 0; column < grid.columnCount(); ++column)
            cells << window.cell(column, row);
    return cells;
}

} // namespace

class ImportTest : public test::GuiTest {
    Q_OBJECT

    // Chooses `file` in the import dialog and answers the preview, if one comes, with
    // "Importieren" (or "Abbrechen").
    void import(Window& window, const QString& file, bool confirm = true) {
        window.prompts->openAnswers.push_back(file);
        window.prompts->importAnswers.push_back(confirm);
        trigger(window, "m_Import_CSV");
    }

private slots:

    void menuItemFollowsTheExports() {
        Window window;
        auto* submenu = window->findChild<QMenu*>(QStringLiteral("m_ExportImport"));
        QVERIFY(submenu);
        const QList<QAction*> items = submenu->actions();
        QCOMPARE(items.size(), 5);
        QCOMPARE(items[0]->objectName(), QStringLiteral("m_Export_CSV"));
        QCOMPARE(items[1]->objectName(), QStringLiteral("m_Export_HTML"));
        QCOMPARE(items[2]->objectName(), QStringLiteral("m_Export_XLSX"));
        QCOMPARE(items[3]->objectName(), QStringLiteral("m_Export_Spritmonitor"));
        QCOMPARE(items[3]->text(), QStringLiteral("Exportieren für &Spritmonitor"));
        QCOMPARE(items[4]->objectName(), QStringLiteral("m_Import_CSV"));
        QCOMPARE(items[4]->text(), QStringLiteral("&Importieren aus CSV..."));
        QVERIFY(!items[4]->icon().isNull());
        QVERIFY(items[4]->isEnabled());
    }

    // The records come after the ones there are (or take the place of the one empty record
    // of a new logbook); the derived values and the status bar follow; nothing is saved.
    void importAppendsTheRecords_data() {
        QTest::addColumn<int>("existing");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QList<Row>>("imported");
        QTest::addColumn<QString>("km"); // the first imported record's distance
        QTest::addColumn<QString>("notice");

        const QList<Row> spritmonitor = {
            {"14.02.2026", "11020", "36.4", "1.740", "Super", "Aral", "München", "Winterreifen", "",
             ""},
            {"28.02.2026", "11480", "20", "1.790", "E10", "Shell", "Baden-Württemberg",
             "Nur halb; voll", "", "Teilbetankung"},
            {"09.03.2026", "11990", "38.25", "1.710", "Diesel", "", "Nürnberg", "", "", ""},
        };
        const QList<Row> fuelio = {
            {"09.03.2026", "11990", "38.25", "1.71", "Diesel", "", "Nürnberg", "Autobahn", "",
             "Fehlende Betankung"},
            {"20.03.2026", "12500", "33.1", "1.74", "Benzin", "Jet \"Süd\"", "Regensburg", "", "",
             ""},
        };
        QTest::newRow("Spritmonitor after two records")
            << 2 << kSpritmonitor << spritmonitor << "520"
            << "3 Datensätze importiert (Spritmonitor).";
        QTest::newRow("Spritmonitor into a new logbook")
            << 0 << kSpritmonitor << spritmonitor << ""
            << "3 Datensätze importiert (Spritmonitor).";
        QTest::newRow("Fuelio after two records") << 2 << kFuelio << fuelio << "1490"
                                                  << "2 Datensätze importiert (Fuelio).";
        // By hand: the session without a reading goes into the next, 25.5 + 8 = 33.5 kWh for
        // 7.65 + 2.80 = 10.45, so 0.312 a kWh (33.5 x 0.312 = 10.452).
        const QList<Row> evcc = {
            {"01.03.2026", "11020", "22", "0.3", "Strom", "Wallbox", "", "", "", ""},
            {"06.03.2026", "11400", "33.5", "0.312", "Strom", "Wallbox", "", "", "",
             "dazu 1 Ladevorgang ohne KM-Stand"},
        };
        QTest::newRow("evcc after two records") << 2 << kEvcc << evcc << "520"
                                                << "2 Datensätze importiert (evcc).";
    }
    void importAppendsTheRecords() {
        QFETCH(int, existing);
        QFETCH(QByteArray, source);
        QFETCH(QList<Row>, imported);
        QFETCH(QString, km);
        QFETCH(QString, notice);

        Window window;
        const QByteArray logbook = test::NativeFile(test::SampleRecords(2));
        if (existing > 0) {
            test::WriteFile(path("a.slg"), logbook);
            window->FormCreate({path("a.slg")});
        } else {
            window->FormCreate({});
        }
        QList<Row> before;
        for (int row = 1; row <= existing; ++row)
            before << InputCells(window, row);
        const QStringList headers = AllCells(window).mid(0, kLogbookColumns);
        test::WriteFile(path("quelle.csv"), source);
        import(window, path("quelle.csv"));

        QCOMPARE(window.prompts->openPresets,
                 QStringList{existing > 0 ? path("a.slg") : QString()});
        QCOMPARE(window.prompts->errors, QStringList());
        QCOMPARE(window.prompts->previews.size(), 1);
        QCOMPARE(window.prompts->notices, QStringList{notice});
        const int total = existing + imported.size();
        QCOMPARE(window->RecordCount(), total);
        QCOMPARE(window->gridModel()->rowCount(), total);
        // The records that were there keep their input, the header row stays.
        QCOMPARE(AllCells(window).mid(0, kLogbookColumns), headers);
        for (int row = 1; row <= existing; ++row)
            QCOMPARE(InputCells(window, row), before[row - 1]);
        // The last of them now has a successor, so its distance is known.
        if (existing > 0)
            QCOMPARE(window.cell(ColKm, existing), QStringLiteral("500"));
        for (int i = 0; i < imported.size(); ++i)
            QCOMPARE(InputCells(window, existing + 1 + i), imported[i]);
        QCOMPARE(window.cell(ColKm, existing + 1), km);
        QVERIFY(!window.cell(ColTankkosten, existing + 1).isEmpty());
        QCOMPARE(window.status(0), QStringLiteral("Status: %1 Datensätze").arg(total));
        // Only the table changed.
        QCOMPARE(window->document().fileName(),
                 existing > 0 ? path("a.slg").toStdString() : std::string());
        if (existing > 0)
            QCOMPARE(test::ReadFile(path("a.slg")), logbook);
        QCOMPARE(QDir(folder()).entryList(QDir::Files).size(), existing > 0 ? 2 : 1);
        QVERIFY(window.prompts->unexpected.isEmpty());
    }

    // The same file a second time adds nothing; an export that overlaps the logbook adds
    // only what is new, each record where its date puts it, in one step.
    void knownRefuellingsAreLeftOut() {
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(2)));
        Window window;
        window->FormCreate({path("a.slg")});
        test::WriteFile(path("quelle.csv"), kSpritmonitor);
        import(window, path("quelle.csv"));
        QCOMPARE(window->RecordCount(), 5);
        const QStringList after = AllCells(window);

        window.prompts->openAnswers.push_back(path("quelle.csv"));
        trigger(window, "m_Import_CSV");
        QCOMPARE(window.prompts->previews.size(), 1);
        QCOMPARE(window.prompts->notices.last(),
                 QStringLiteral("Jede Betankung der Datei steht schon im Tankbuch; nichts "
                                "importiert."));
        QCOMPARE(AllCells(window), after);

        // The first refuelling again (a day later, rounded otherwise) and one before it.
        test::WriteFile(path("mehr.csv"), "Datum;Kilometerstand;Menge;Gesamtpreis\r\n"
                                          "15.02.2026;11021;36,4;63,34\r\n"
                                          "10.02.2026;10800;20;35,00\r\n");
        import(window, path("mehr.csv"));
        QVERIFY(window.prompts->previews.last().contains(
            QStringLiteral("Schon im Tankbuch, ausgelassen: 1 (Zeile 2 wie Datensatz 3)")));
        QCOMPARE(window.prompts->notices.last(),
                 QStringLiteral("1 Datensatz importiert (Spritmonitor)."));
        QCOMPARE(window->RecordCount(), 6);
        QCOMPARE(window.cell(ColDatum, 3), QStringLiteral("10.02.2026"));
        QCOMPARE(window.cell(ColKm, 3), QStringLiteral("300"));
        QCOMPARE(window.cell(ColDatum, 4), QStringLiteral("14.02.2026"));
        trigger(window, "m_Rueckgaengig");
        QCOMPARE(AllCells(window), after);
        QVERIFY(window.prompts->unexpected.isEmpty());
    }

    // A record placed by its date whose reading is higher than the next one's: the user is
    // asked whether to sort, and Nein keeps the records where they went.
    void importOutOfOrderAsksToSort() {
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(3)));
        Window window;
        window->FormCreate({path("a.slg")});
        test::WriteFile(path("quelle.csv"), "Datum;Kilometerstand;Menge;Gesamtpreis\r\n"
                                            "02.03.2024;12000;20;35,00\r\n");
        window.prompts->yesNoAnswers.push_back(false);
        import(window, path("quelle.csv"));
        QCOMPARE(window.prompts->questions,
                 QStringList{"KM-Stand kleiner als im Datensatz davor: sortieren?"});
        QCOMPARE(window.cell(ColKmStand, 3), QStringLiteral("12000"));
        QCOMPARE(window.cell(ColKmStand, 4), QStringLiteral("11000"));
        QCOMPARE(window->document().history().count(), 1u);
        QVERIFY(window.prompts->unexpected.isEmpty());
    }

    // "Exportieren für Spritmonitor" beside the logbook, and back into a new logbook.
    void spritmonitorExportReadsBack() {
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(4)));
        Window window;
        window->FormCreate({path("a.slg")});
        const QList<Row> before = {InputCells(window, 1), InputCells(window, 4)};
        trigger(window, "m_Export_Spritmonitor");
        QCOMPARE(window.prompts->notices, QStringList{QStringLiteral("Datei gespeichert als: ") +
                                                      path("a-spritmonitor.csv")});
        QVERIFY(test::ReadFile(path("a-spritmonitor.csv"))
                    .startsWith("Datum;Km-Stand;Teil-Km;Spritmenge;Kosten;W\xC3\xA4hrung;"));
        QCOMPARE(window->document().fileName(), path("a.slg").toStdString());
        QVERIFY(!window->document().isModified());
        // Asked before replacing the file of the last export; Nein writes nothing.
        window.prompts->yesNoAnswers.push_back(false);
        test::WriteFile(path("a-spritmonitor.csv"), "anders");
        trigger(window, "m_Export_Spritmonitor");
        QCOMPARE(window.prompts->questions.last(),
                 QStringLiteral("Die Datei „a-spritmonitor.csv“ gibt es schon. Ersetzen?"));
        QCOMPARE(test::ReadFile(path("a-spritmonitor.csv")), QByteArray("anders"));
        window.prompts->yesNoAnswers.push_back(true);
        trigger(window, "m_Export_Spritmonitor");

        trigger(window, "m_Neu");
        import(window, path("a-spritmonitor.csv"));
        QCOMPARE(window->RecordCount(), 4);
        // Numbers come back as the import writes them: "40.00" as 40.
        Row first = before[0], last = before[1];
        first[2] = QStringLiteral("40");
        first[3] = QStringLiteral("1.500");
        last[2] = QStringLiteral("37");
        last[3] = QStringLiteral("1.500");
        QCOMPARE(InputCells(window, 1), first);
        QCOMPARE(InputCells(window, 4), last);
        QVERIFY(window.prompts->unexpected.isEmpty());
    }

    // Whatever is wrong with the source, nothing is imported and the message says why.
    void badSourceImportsNothing_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad lines") << "quelle.csv" << kBadSpritmonitor
                                   << "Es wurde nichts importiert.\n"
                                      "Zeile 3: Datum \"30.02.2026\" ist kein gültiges Datum\n"
                                      "Zeile 4: KM-Stand \"11.99o\" ist keine ganze Zahl\n"
                                      "Zeile 5: Tankart \"5\" ist unbekannt (erwartet 1 voll, "
                                      "2 teilweise, 3 erste oder 0 ungültig)";
        QTest::newRow("a logbook, not a CSV file")
            << "tankbuch.csv" << test::NativeFile(test::SampleRecords(3))
            << "Es wurde nichts importiert.\nDas Dateiformat wurde nicht erkannt (erwartet: "
               "Spritlog-CSV, Spritmonitor, Fuelio, Fuelly, Drivvo, Road Trip, aCar, LubeLogger, "
               "GasBuddy oder evcc).";
        QTest::newRow("header only")
            << "leer.csv" << QByteArray("Date;Odometer;Quantity;Total price\r\n")
            << "Es wurde nichts importiert.\nDie Datei enthält keine Datensätze.";
        QTest::newRow("missing file")
            << "nix.csv" << QByteArray() << "„nix.csv“: Datei nicht gefunden.";
        QTest::newRow("a folder") << "ordner" << QByteArray() << "„ordner“: Zugriff verweigert.";
    }
    void badSourceImportsNothing() {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);

        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(3)));
        Window window;
        window->FormCreate({path("a.slg")});
        const QStringList before = AllCells(window);
        const QString status = window.status(0);
        if (file == QLatin1String("ordner"))
            QVERIFY(QDir(folder()).mkdir(file));
        else if (!contents.isEmpty())
            test::WriteFile(path(file), contents);

        import(window, path(file));
        QCOMPARE(window.prompts->previews, QStringList());
        QCOMPARE(window.prompts->errors, QStringList{message});
        QCOMPARE(window.prompts->notices, QStringList());
        QCOMPARE(AllCells(window), before);
        QCOMPARE(window->gridModel()->rowCount(), 3);
        QCOMPARE(window.status(0), status);
        QVERIFY(window.prompts->unexpected.isEmpty());
    }

    // "Abbrechen" in the preview: the logbook stays as it was, nothing is reported.
    void cancelledPreviewChangesNothing() {
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(2)));
        Window window;
        window->FormCreate({path("a.slg")});
        const QStringList before = AllCells(window);
        const QString status = window.status(0);
        test::WriteFile(path("quelle.csv"), kSpritmonitor);
        import(window, path("quelle.csv"), false);
        QCOMPARE(window.prompts->previews.size(), 1);
        QVERIFY(window.prompts->previews[0].startsWith(
            QStringLiteral("Format: Spritmonitor\nBetankungen: 3\nZeitraum: 14.02.2026 bis "
                           "09.03.2026\nKM-Stand: 11020 bis 11990\n")));
        QCOMPARE(AllCells(window), before);
        QCOMPARE(window.status(0), status);
        QVERIFY(window.prompts->notices.isEmpty());
        QVERIFY(window.prompts->errors.isEmpty());
        QVERIFY(window.prompts->unexpected.isEmpty());
    }

    // The real preview: the summary and the first records as the table will show them,
    // "Importieren" accepts, "Abbrechen" rejects.
    void previewDialogShowsTheRecords() {
        const ImportResult result = ParseImportFile(kSpritmonitor.toStdString());
        QVERIFY(result.ok());
        QStringList headers;
        for (int column = 0; column < kLogbookColumns; ++column)
            headers << QStringLiteral("S%1").arg(column);
        ImportPreviewDialog dialog(nullptr, result, headers);
        QVERIFY(dialog.summary->text().contains(QStringLiteral("Sorten: Diesel 1-mal")));
        QCOMPARE(dialog.records->rowCount(), 3);
        QCOMPARE(dialog.records->horizontalHeaderItem(0)->text(), QStringLiteral("S1"));
        QCOMPARE(dialog.records->item(0, 6)->text(), QStringLiteral("München"));
        QCOMPARE(dialog.records->item(1, 9)->text(), QStringLiteral("Teilbetankung"));
        QCOMPARE(dialog.importButton->text(), QStringLiteral("Importieren"));
        QCOMPARE(dialog.cancelButton->text(), QStringLiteral("Abbrechen"));
        QTimer::singleShot(0, dialog.cancelButton, &QPushButton::click);
        QCOMPARE(dialog.exec(), static_cast<int>(QDialog::Rejected));
        QTimer::singleShot(0, dialog.importButton, &QPushButton::click);
        QCOMPARE(dialog.exec(), static_cast<int>(QDialog::Accepted));
    }

    // A file that leaves its units and vehicle open: the preview offers the choices and
    // reads the file again with each, at once; "Importieren" takes what was chosen.
    void previewDialogOffersTheChoicesTheFileLeavesOpen() {
        const std::string aCar =
            "\"Fill-Up Records\"\n\"Vehicle\",\"Date\",\"Odometer Reading\",\"Volume\","
            "\"Total Cost\"\n\"Golf\",\"2024-01-05\",\"1000\",\"10\",\"20\"\n\"Bus\","
            "\"2024-01-06\",\"2000\",\"20\",\"40\"\n";
        const auto reparse = [&aCar](const ImportOptions& options) {
            return ParseImportFile(aCar, options);
        };
        const ImportResult result = reparse({});
        QVERIFY(result.ok());
        ImportPreviewDialog dialog(nullptr, result, {}, reparse);
        QVERIFY(dialog.vehicle != nullptr && dialog.distance != nullptr &&
                dialog.volume != nullptr);
        QCOMPARE(dialog.vehicle->currentText(), QStringLiteral("Golf"));
        QCOMPARE(dialog.records->item(0, 1)->text(), QStringLiteral("1000"));
        dialog.vehicle->setCurrentIndex(1);
        QCOMPARE(dialog.records->item(0, 1)->text(), QStringLiteral("2000"));
        // 2000 mi = 3218.688 km; 20 US gal = 75.708 l.
        dialog.distance->setCurrentIndex(1);
        dialog.volume->setCurrentIndex(1);
        QCOMPARE(dialog.records->item(0, 1)->text(), QStringLiteral("3219"));
        QCOMPARE(dialog.records->item(0, 2)->text(), QStringLiteral("75.708"));
        QVERIFY(dialog.summary->text().contains(QStringLiteral("Meilen in km")));
        QTimer::singleShot(0, dialog.importButton, &QPushButton::click);
        QCOMPARE(dialog.exec(), static_cast<int>(QDialog::Accepted));
        QCOMPARE(dialog.result().records.at(0).cells[ColKmStand], std::string("3219"));
    }

    // A file of no known format: the mapping step guesses the separator, shows the lines,
    // and reads the file by the roles chosen, at once.
    void mappingDialogReadsAnyCsvByTheChosenRoles() {
        const std::string file = "Tag;Tacho;Liter;Bezahlt\n05.01.2024;12000;45,20;78,60\n";
        const auto reparse = [&file](const std::string& mapping) {
            ImportOptions options;
            options.mapping = mapping;
            return ParseImportFile(file, options);
        };
        ColumnMappingDialog dialog(nullptr, file, QString(), reparse);
        QCOMPARE(dialog.separator->currentIndex(), 0); // ";"
        QCOMPARE(dialog.columns->columnCount(), 4);
        QCOMPARE(dialog.columns->item(2, 3)->text(), QStringLiteral("78,60"));
        QVERIFY(!dialog.nextButton->isEnabled());
        const int roles[] = {1, 2, 3, 5}; // Datum, KM-Stand, Menge, Gesamtpreis
        for (int c = 0; c < 4; ++c)
            qobject_cast<QComboBox*>(dialog.columns->cellWidget(0, c))->setCurrentIndex(roles[c]);
        QVERIFY(dialog.nextButton->isEnabled());
        QVERIFY(dialog.summary->text().contains(QStringLiteral("Betankungen: 1")));
        QCOMPARE(dialog.mapping(),
                 QStringLiteral("trenner=; dezimal=, datum=TMJ kopf=ja strecke=km menge=l "
                                "1=Datum 2=KM-Stand 3=Menge 4=Gesamtpreis"));
        // The same choice read back from the remembered text.
        ColumnMappingDialog again(nullptr, file, dialog.mapping(), reparse);
        QCOMPARE(again.mapping(), dialog.mapping());
        QVERIFY(again.nextButton->isEnabled());
    }

    void cancelledDialogChangesNothing() {
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(3)));
        Window window;
        window->FormCreate({path("a.slg")});
        const QStringList before = AllCells(window);
        import(window, QString());
        QCOMPARE(window.prompts->openPresets, QStringList{path("a.slg")});
        QCOMPARE(AllCells(window), before);
        QVERIFY(window.prompts->errors.isEmpty());
        QVERIFY(window.prompts->notices.isEmpty());
    }

    // A logbook whose own cells make the calculation fail: the import still happens, is
    // counted in the status bar and reported, and the calculation's error follows.
    void calculationErrorKeepsTheImportedRecords() {
        std::vector<test::Record> records = test::SampleRecords(2);
        records[1][test::Liter] = "1e308"; // too much for a consumption: "Wert zu groß"
        test::WriteFile(path("a.slg"), test::NativeFile(records));
        Window window;
        window->FormCreate({path("a.slg")});
        QCOMPARE(window.prompts->errors.size(), 1);
        window.prompts->errors.clear();

        test::WriteFile(path("quelle.csv"), kSpritmonitor);
        import(window, path("quelle.csv"));
        QCOMPARE(window.prompts->errors,
                 QStringList{QStringLiteral("Datensatz 2, Verbrauch: Wert zu groß.")});
        QCOMPARE(window.prompts->notices,
                 QStringList{QStringLiteral("3 Datensätze importiert (Spritmonitor).")});
        QCOMPARE(window->RecordCount(), 5);
        QCOMPARE(window.cell(ColKmStand, 3), QStringLiteral("11020"));
        QCOMPARE(window.cell(ColKmStand, 5), QStringLiteral("11990"));
        QCOMPARE(window.status(0), QStringLiteral("Status: 5 Datensätze"));
    }

    // Export to CSV, "Neu", import: the same input cells, byte for byte, umlauts, ";" and
    // quotes included; saving gives the original file again.
    void exportedCsvReadsBackIntoANewLogbook() {
        std::vector<test::Record> records = test::SampleRecords(4);
        records[0][test::Tankstelle] = "Shell; Nord";
        records[0][test::Note1] = "Sagte \"voll\"";
        records[1][test::Ort] = "K\xC3\xB6ln";                           // Köln
        records[1][test::Note2] = "\xC3\x96l; \"Wechsel\" \xE2\x82\xAC"; // Öl; "Wechsel" €
        records[2][test::Benzin] = "Super \"Plus\"";
        records[2][test::Note3] = " Stra\xC3\x9F"
                                  "e "; // " Straße "
        records[3][test::Ort].clear();
        records[3][test::Note1] = ";";
        const QByteArray logbook = test::NativeFile(records);
        test::WriteFile(path("a.slg"), logbook);

        Window window;
        window->FormCreate({path("a.slg")});
        const QStringList original = AllCells(window);
        trigger(window, "m_Export_CSV");
        QVERIFY(QFileInfo::exists(path("a.csv")));

        trigger(window, "m_Neu");
        QCOMPARE(window->RecordCount(), 1);
        import(window, path("a.csv"));
        QCOMPARE(window.prompts->errors, QStringList());
        QCOMPARE(window.prompts->notices.last(),
                 QStringLiteral("4 Datensätze importiert (Spritlog-CSV)."));
        QCOMPARE(AllCells(window), original);
        QCOMPARE(InputCells(window, 2)[8], QStringLiteral("Öl; \"Wechsel\" €"));

        window->files().SaveLogbookFile(path("b.slg").toStdString());
        QCOMPARE(test::ReadFile(path("b.slg")), logbook);
    }

    // The real dialog: CSV files first, in the logbook's folder, without its name; without
    // a logbook wherever the dialog starts.
    void importDialogOffersCsvFiles() {
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(1)));
        const QStringList filters = {QStringLiteral("CSV-Dateien (*.csv)"),
                                     QStringLiteral("Alle Dateien (*)")};
        QCOMPARE(ImportDialogFilters(), filters);
        QFileDialog dialog;
        QVERIFY(dialog.directory().absolutePath() != QDir(folder()).absolutePath());
        SetUpImportDialog(dialog, path("a.slg"));
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(dialog.nameFilters(), filters);
        QCOMPARE(dialog.selectedNameFilter(), filters.first());
        QCOMPARE(dialog.directory().absolutePath(), QDir(folder()).absolutePath());
        for (const QString& selected : dialog.selectedFiles())
            QVERIFY2(!selected.endsWith(QStringLiteral("a.slg")), qPrintable(selected));

        // Without a logbook, or with one in a folder that is gone, the dialog stays where
        // it starts.
        for (const QString& preset : {QString(), path("weg/a.slg")}) {
            QFileDialog other;
            const QString otherStart = other.directory().absolutePath();
            SetUpImportDialog(other, preset);
            QCOMPARE(other.directory().absolutePath(), otherStart);
            QCOMPARE(other.nameFilters(), filters);
        }
    }
};

SPRITLOG_GUI_TEST_MAIN(ImportTest)
#include "import_test.moc"
