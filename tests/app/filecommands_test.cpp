// Open, save, save as, the CSV and HTML exports and printing, with the dialogs answered by
// the test.
#include "guitest.h"

#include <QAction>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolButton>

using namespace spritlog;
using test::Window;

class FileCommandsTest : public test::GuiTest {
    Q_OBJECT

    // Shortcuts reach an active window only.
    static void showActive(Window& window) {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.fmain.get()));
    }

private slots:
    // The dialogs offer what the program really reads and writes: no "*.exa", which
    // nothing writes; the exports' .csv, .htm and .xlsx; "Alle Dateien" always.
    void dialogFilters_data() {
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<QStringList>("expected");
        const QString all = QStringLiteral("Alle Dateien (*)");
        QTest::newRow("Öffnen") << OpenDialogFilters()
                                << QStringList{QStringLiteral("Spritlog (*.slg)"), all};
        QTest::newRow("Speichern unter")
            << SaveDialogFilters()
            << QStringList{QStringLiteral("Spritlog (*.slg)"), all,
                           QStringLiteral("CSV-Dateien (*.csv)"),
                           QStringLiteral("HTML-Dateien (*.htm *.html)"),
                           QStringLiteral("Excel-Arbeitsmappen (*.xlsx)")};
        QTest::newRow("Importieren")
            << ImportDialogFilters() << QStringList{QStringLiteral("CSV-Dateien (*.csv)"), all};
    }
    void dialogFilters() {
        QFETCH(QStringList, filters);
        QFETCH(QStringList, expected);
        QCOMPARE(filters, expected);
    }

    void openLoadsTheChosenFile() {
        Window window;
        window->FormCreate({});
        const QByteArray file = test::NativeFile(test::SampleRecords(4));
        test::WriteFile(path("a.slg"), file);
        window.prompts->openAnswers.push_back(path("a.slg"));
        window->findChild<QToolButton*>(QStringLiteral("t_oeffnen"))->click();
        QCOMPARE(window.prompts->openPresets, QStringList{QString()});
        QCOMPARE(window->RecordCount(), 4);
        QCOMPARE(window->document().fileName(), path("a.slg").toStdString());
        QCOMPARE(window.cell(ColOrt, 2), QStringLiteral("München"));
        QCOMPARE(window.cell(ColKm, 2), QStringLiteral("500"));
        QCOMPARE(window.status(0), QStringLiteral("Status: 4 Datensätze"));
        QVERIFY(window.status(1).startsWith(QStringLiteral("Geladene Datei: ")));
        QVERIFY(window.status(1).endsWith(QStringLiteral("a.slg")));

        // The next open starts at the current file; cancelling changes nothing.
        window.prompts->openAnswers.push_back(QString());
        trigger(window, "m_Laden");
        QCOMPARE(window.prompts->openPresets.last(), path("a.slg"));
        QCOMPARE(window->RecordCount(), 4);
        QCOMPARE(window->document().fileName(), path("a.slg").toStdString());
        QVERIFY(window.prompts->unexpected.isEmpty());
    }

    // A file with a line too few is told with its numbers; declined, nothing changes;
    // accepted, a copy without a name opens, and saving it asks for a new name.
    void damagedFileIsToldAndOpensOnlyAsACopy() {
        QByteArray damaged = test::NativeFile(test::SampleRecords(3));
        damaged.chop(2); // the last line, record 3's empty third note, is gone
        test::WriteFile(path("kaputt.slg"), damaged);
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(2)));
        const QString question =
            QStringLiteral("Die Datei ist beschädigt: 29 statt 30 Zeilen für 3 Datensätze.\n\n"
                           "Eine Kopie öffnen, so gut sie sich lesen lässt? Die Datei bleibt "
                           "unverändert; die Kopie wird unter einem neuen Namen gespeichert.");
        Window window;
        window->FormCreate({path("a.slg")});
        window.prompts->yesNoAnswers.push_back(false);
        window.prompts->openAnswers.push_back(path("kaputt.slg"));
        trigger(window, "m_Laden");
        QCOMPARE(window.prompts->questions, QStringList{question});
        QCOMPARE(window->document().fileName(), path("a.slg").toStdString());
        QCOMPARE(window->RecordCount(), 2);
        QCOMPARE(window->windowTitle(), QStringLiteral("Spritlog[*]"));

        window.prompts->yesNoAnswers.push_back(true);
        window.prompts->openAnswers.push_back(path("kaputt.slg"));
        trigger(window, "m_Laden");
        QCOMPARE(window->RecordCount(), 3);
        QCOMPARE(window->document().fileName(), std::string());
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("Spritlog - „kaputt.slg“ (beschädigt, Kopie)[*]"));
        QCOMPARE(window.status(1),
                 QStringLiteral("Geladene Datei: „kaputt.slg“ (beschädigt, Kopie)"));
        window.prompts->saveAnswers.push_back(path("repariert.slg"));
        trigger(window, "m_Speichern");
        QCOMPARE(window.prompts->savePresets, QStringList{QString()});
        QCOMPARE(test::ReadFile(path("kaputt.slg")), damaged);
        QCOMPARE(window->document().fileName(), path("repariert.slg").toStdString());
        QCOMPARE(window->windowTitle(), QStringLiteral("Spritlog[*]"));
        QVERIFY(window.prompts->unexpected.isEmpty());
    }

    void openingAMissingFileKeepsTheTable() {
        Window window;
        window->FormCreate({});
        window.prompts->openAnswers.push_back(path("a.slg"));
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(3)));
        trigger(window, "m_Laden");
        window.prompts->openAnswers.push_back(path("neu.slg"));
        trigger(window, "m_Laden");
        QCOMPARE(window.prompts->notices, QStringList{QStringLiteral("Datei nicht gefunden!")});
        QVERIFY(window.prompts->errors.isEmpty());
        QCOMPARE(window->RecordCount(), 3);
        QCOMPARE(window->document().fileName(), path("neu.slg").toStdString());
    }

    void saveWritesTheCurrentFile() {
        Window window;
        const QByteArray file = test::NativeFile(test::SampleRecords(3));
        test::WriteFile(path("a.slg"), file);
        window->FormCreate({path("a.slg")});
        window->document().editCell({ColBenzin, 2}, "Diesel \xC4"); // Ä
        showActive(window);
        QTest::keyClick(window.fmain.get(), Qt::Key_S, Qt::ControlModifier);
        std::vector<test::Record> records = test::SampleRecords(3);
        records[1][test::Benzin] = "Diesel \xC3\x84";
        QCOMPARE(test::ReadFile(path("a.slg")), test::NativeFile(records));
        QVERIFY(window.prompts->savePresets.isEmpty());
    }

    void saveWithoutANameAsksForOne() {
        Window window;
        window->FormCreate({});
        window.prompts->saveAnswers.push_back(QString());
        trigger(window, "m_Speichern");
        QCOMPARE(window.prompts->savePresets, QStringList{QString()});
        QCOMPARE(window->document().fileName(), std::string());
        QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList());

        window.prompts->saveAnswers.push_back(path("b.slg"));
        trigger(window, "m_Speichern");
        QCOMPARE(window->document().fileName(), path("b.slg").toStdString());
        QCOMPARE(test::ReadFile(path("b.slg")),
                 QByteArray("1\r\n" + QByteArray("\r\n").repeated(10)));
        QVERIFY(window.status(1).endsWith(QStringLiteral("b.slg")));
    }

    // Save as: whatever the extension, the name becomes current and selects the writer;
    // a name typed without an extension gets ".slg".
    void saveAsRoundTrip_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("native");
        QTest::newRow("slg") << "c.slg"
                             << "c.slg" << true;
        QTest::newRow("no extension") << "c"
                                      << "c.slg" << true;
        QTest::newRow("trailing point") << "c."
                                        << "c.slg" << true;
        QTest::newRow("upper case") << "C.SLG"
                                    << "C.SLG" << true;
        QTest::newRow("exchange format") << "c.exa"
                                         << "c.exa" << true;
        QTest::newRow("html report") << "c.htm"
                                     << "c.htm" << false;
        QTest::newRow("umlaut in the name") << "Kühn"
                                            << "Kühn.slg" << true;
    }
    void saveAsRoundTrip() {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(bool, native);
        const std::vector<test::Record> records = test::SampleRecords(5);
        test::WriteFile(path("a.slg"), test::NativeFile(records));
        Window window;
        window->FormCreate({path("a.slg")});
        window.prompts->saveAnswers.push_back(path(typed));
        trigger(window, "m_Speichernunter");
        QCOMPARE(window.prompts->savePresets, QStringList{path("a.slg")});
        QCOMPARE(window->document().fileName(), path(written).toStdString());
        const QByteArray bytes = test::ReadFile(path(written));
        if (native) {
            QCOMPARE(bytes, test::NativeFile(records));
            // And back again.
            Window second;
            second->FormCreate({path(written)});
            QCOMPARE(second->RecordCount(), 5);
            for (int column = 1; column < kLogbookColumns; ++column)
                for (int row = 1; row <= 5; ++row)
                    QCOMPARE(second.cell(column, row), window.cell(column, row));
        } else {
            QVERIFY(bytes.startsWith("<html>"));
        }
        QCOMPARE(test::ReadFile(path("a.slg")), test::NativeFile(records));
    }

    // Someone else wrote the file since it was loaded: "&Speichern" asks before it
    // overwrites; a file that is gone or unchanged is saved without a question.
    void saveAfterAChangeOutside_data() {
        QTest::addColumn<QString>("outside");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("saved");
        QTest::newRow("rewritten, Ja") << "rewrite" << true << true << true;
        QTest::newRow("rewritten, Nein") << "rewrite" << false << true << false;
        QTest::newRow("removed") << "remove" << false << false << true;
        QTest::newRow("untouched") << "" << false << false << true;
    }
    void saveAfterAChangeOutside() {
        QFETCH(QString, outside);
        QFETCH(bool, answerYes);
        QFETCH(bool, asked);
        QFETCH(bool, saved);
        Window window;
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(3)));
        window->FormCreate({path("a.slg")});
        window->document().editCell({ColOrt, 1}, "Hamburg");
        const QByteArray theirs = test::NativeFile(test::SampleRecords(5));
        if (outside == QLatin1String("rewrite"))
            test::WriteFile(path("a.slg"), theirs);
        else if (outside == QLatin1String("remove"))
            QVERIFY(QFile::remove(path("a.slg")));
        if (asked)
            window.prompts->yesNoAnswers.push_back(answerYes);

        trigger(window, "m_Speichern");
        QCOMPARE(window.prompts->questions,
                 asked
                     ? QStringList{QStringLiteral(
                           "Die Datei wurde außerhalb von Spritlog geändert. Trotzdem speichern?")}
                     : QStringList());
        std::vector<test::Record> ours = test::SampleRecords(3);
        ours[0][test::Ort] = "Hamburg";
        QCOMPARE(test::ReadFile(path("a.slg")), saved ? test::NativeFile(ours) : theirs);
        QVERIFY(window.prompts->errors.isEmpty());
        QVERIFY(window.prompts->unexpected.isEmpty());

        // What was saved is the file's new state: the next save asks nothing.
        if (saved) {
            trigger(window, "m_Speichern");
            QCOMPARE(window.prompts->questions.size(), asked ? 1 : 0);
        }
    }

    void saveAsCancelledChangesNothing() {
        Window window;
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(3)));
        window->FormCreate({path("a.slg")});
        window.prompts->saveAnswers.push_back(QString());
        trigger(window, "m_Speichernunter");
        QCOMPARE(window->document().fileName(), path("a.slg").toStdString());
        QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList{QStringLiteral("a.slg")});
    }

    // A save as that fails changes nothing: the window keeps its file, the next Ctrl+S
    // writes that file, the stored default file stays, and the changes stay unsaved.
    void saveAsFailureChangesNothing() {
        Window window;
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(3)));
        window->FormCreate({path("a.slg")});
        window->document().editCell({ColBenzin, 2}, "Diesel");
        window.prompts->saveAnswers.push_back(path("fehlt/b.slg"));
        trigger(window, "m_Speichernunter");
        QCOMPARE(window.prompts->errors,
                 QStringList{QStringLiteral("„b.slg“: Ungültiger Dateiname. Die Datei „b.slg“ "
                                            "wurde nicht angelegt.")});
        QCOMPARE(window->document().fileName(), path("a.slg").toStdString());
        QVERIFY(window->document().isModified());
        QVERIFY(window->isWindowModified());
        QVERIFY(window.status(1).endsWith(QStringLiteral("a.slg")));
        window->SaveSettings();
        QCOMPARE(test::Store()->value(QStringLiteral("DefaultFile")).toString(), path("a.slg"));

        showActive(window);
        QTest::keyClick(window.fmain.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(test::ReadFile(path("a.slg")).contains("Diesel"));
        QVERIFY(!window->document().isModified());
        QCOMPARE(window.prompts->savePresets.size(), 1); // Ctrl+S asked for no name
        // Nothing of b.slg anywhere; the backup (on by default) holds a.slg as it was.
        QCOMPARE(QDir(folder()).entryList(QDir::Files),
                 (QStringList{QStringLiteral("a.bak"), QStringLiteral("a.slg")}));
        QCOMPARE(test::ReadFile(path("a.bak")), test::NativeFile(test::SampleRecords(3)));
    }

    void saveErrorReachesTheErrorBox() {
        Window window;
        window->FormCreate({});
        window->document().setFileName(path("missing/dir/x.slg").toStdString());
        trigger(window, "m_Speichern");
        QCOMPARE(window.prompts->errors.size(), 1);
        QVERIFY(window.prompts->notices.isEmpty());
    }

    void exports_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("dialogAnswer");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("newCurrent");
        QTest::addColumn<QString>("error");
        QTest::newRow("csv") << "m_Export_CSV" << 4 << "auto.slg"
                             << ""
                             << "auto.csv"
                             << "auto.slg"
                             << "";
        QTest::newRow("html") << "m_Export_HTML" << 4 << "auto.slg"
                              << ""
                              << "auto.htm"
                              << "auto.slg"
                              << "";
        QTest::newRow("xlsx") << "m_Export_XLSX" << 4 << "auto.slg"
                              << ""
                              << "auto.xlsx"
                              << "auto.slg"
                              << "";
        QTest::newRow("csv, name from the dialog") << "m_Export_CSV" << 4 << ""
                                                   << "neu.slg"
                                                   << "neu.csv"
                                                   << "neu.slg"
                                                   << "";
        QTest::newRow("html, name typed without extension") << "m_Export_HTML" << 4 << ""
                                                            << "neu"
                                                            << "neu.htm"
                                                            << "neu.slg"
                                                            << "";
        QTest::newRow("html, name ending in an umlaut") << "m_Export_HTML" << 4 << "Bücher.slö"
                                                        << ""
                                                        << "Bücher.htm"
                                                        << "Bücher.slö"
                                                        << "";
        QTest::newRow("csv, dialog cancelled") << "m_Export_CSV" << 4 << ""
                                               << ""
                                               << ""
                                               << ""
                                               << "";
        QTest::newRow("html, dialog cancelled") << "m_Export_HTML" << 4 << ""
                                                << ""
                                                << ""
                                                << ""
                                                << "";
        QTest::newRow("xlsx, name typed without extension") << "m_Export_XLSX" << 4 << ""
                                                            << "neu"
                                                            << "neu.xlsx"
                                                            << "neu.slg"
                                                            << "";
        // A single record: the averages take only the cells that hold a value, so the
        // report and the workbook's station sheet are written without an error.
        QTest::newRow("html of one record") << "m_Export_HTML" << 1 << "auto.slg"
                                            << ""
                                            << "auto.htm"
                                            << "auto.slg"
                                            << "";
        QTest::newRow("xlsx of one record") << "m_Export_XLSX" << 1 << "auto.slg"
                                            << ""
                                            << "auto.xlsx"
                                            << "auto.slg"
                                            << "";
    }
    void exports() {
        QFETCH(QString, command);
        QFETCH(int, records);
        QFETCH(QString, current);
        QFETCH(QString, dialogAnswer);
        QFETCH(QString, target);
        QFETCH(QString, newCurrent);
        QFETCH(QString, error);
        QTemporaryDir source;
        const QString sourcePath = source.filePath(QStringLiteral("quelle.slg"));
        test::WriteFile(sourcePath, test::NativeFile(test::SampleRecords(records)));
        Window window;
        window->FormCreate({sourcePath});
        window->document().setFileName(current.isEmpty() ? std::string()
                                                         : path(current).toStdString());
        if (current.isEmpty())
            window.prompts->saveAnswers.push_back(dialogAnswer.isEmpty() ? QString()
                                                                         : path(dialogAnswer));
        trigger(window, command.toLatin1().constData());

        QCOMPARE(window.prompts->errors.join(QLatin1Char('|')), error);
        // A target that is not there yet is written without a question.
        QCOMPARE(window.prompts->questions, QStringList());
        QVERIFY(window.prompts->unexpected.isEmpty());
        QCOMPARE(window->document().fileName(),
                 newCurrent.isEmpty() ? std::string() : path(newCurrent).toStdString());
        if (target.isEmpty()) {
            // Nothing written, nothing said, nothing handed to the desktop.
            QVERIFY(window.prompts->notices.isEmpty());
            QVERIFY(window.prompts->opened.isEmpty());
            QCOMPARE(QDir(folder()).entryList(QDir::Files), QStringList());
            return;
        }
        QCOMPARE(window.prompts->notices,
                 QStringList{QStringLiteral("Datei gespeichert als: ") + path(target)});
        const QByteArray bytes = test::ReadFile(path(target));
        const bool html = command == QLatin1String("m_Export_HTML");
        if (html)
            QVERIFY(bytes.startsWith("<html>"));
        else if (command == QLatin1String("m_Export_XLSX"))
            QVERIFY(
                bytes.startsWith("PK\x03\x04")); // a zip container; its cells are checked elsewhere
        else
            // The captions first, then the numbers with decimal commas.
            QVERIFY2(bytes.startsWith("Datum;KM-Stand;Liter;Literpreis;KM;Verbrauch;Kosten/Km;"
                                      "Tankkosten;Benzin;Tankstelle;Ort;Anmerkung1;Anmerkung2;"
                                      "Anmerkung3;\r\n"
                                      "01.03.2024;10000;40,00;1,50;;;;60,00;Super;Nord;"
                                      "M\xFCnchen;;;;\r\n"),
                     bytes.left(200).constData());
        // Only the report goes to the desktop, after the notice.
        QCOMPARE(window.prompts->opened,
                 html ? QList<QUrl>{QUrl::fromLocalFile(path(target))} : QList<QUrl>());
        QVERIFY(window.status(1).startsWith(QStringLiteral("Geladene Datei: ")));
    }

    // Next to the logbook lies a file of the export's name, such as another program's
    // export: it is replaced only on Ja; Nein writes nothing and says nothing more.
    void exportOverAnExistingFile_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QByteArray>("written"); // how the replacing file starts
        QTest::newRow("csv, Nein") << "m_Export_CSV"
                                   << "golf.csv" << false << QByteArray();
        QTest::newRow("html, Nein") << "m_Export_HTML"
                                    << "golf.htm" << false << QByteArray();
        QTest::newRow("xlsx, Nein") << "m_Export_XLSX"
                                    << "golf.xlsx" << false << QByteArray();
        QTest::newRow("csv, Ja") << "m_Export_CSV"
                                 << "golf.csv" << true
                                 << QByteArray("Datum;KM-Stand;Liter;Literpreis;");
        QTest::newRow("html, Ja") << "m_Export_HTML"
                                  << "golf.htm" << true << QByteArray("<html>");
    }
    void exportOverAnExistingFile() {
        QFETCH(QString, command);
        QFETCH(QString, target);
        QFETCH(bool, replace);
        QFETCH(QByteArray, written);
        test::WriteFile(path("golf.slg"), test::NativeFile(test::SampleRecords(4)));
        const QByteArray theirs("Datum;Kilometerstand;Liter\r\n07.12.2026;4595;41,2\r\n");
        test::WriteFile(path(target), theirs);
        Window window;
        window->FormCreate({path("golf.slg")});
        window.prompts->yesNoAnswers.push_back(replace);
        trigger(window, command.toLatin1().constData());

        QCOMPARE(window.prompts->questions,
                 QStringList{QStringLiteral("Die Datei „") + target +
                             QStringLiteral("“ gibt es schon. Ersetzen?")});
        QCOMPARE(window.prompts->errors, QStringList());
        QCOMPARE(window.prompts->unexpected, QStringList());
        const QByteArray bytes = test::ReadFile(path(target));
        if (!replace) {
            QCOMPARE(bytes, theirs);
            QCOMPARE(window.prompts->notices, QStringList());
            QCOMPARE(window.prompts->opened, QList<QUrl>());
            return;
        }
        QVERIFY2(bytes.startsWith(written), bytes.left(40).constData());
        QCOMPARE(window.prompts->notices,
                 QStringList{QStringLiteral("Datei gespeichert als: ") + path(target)});
    }

    void htmlFromTheToolBar() {
        Window window;
        test::WriteFile(path("t.slg"), test::NativeFile(test::SampleRecords(4)));
        window->FormCreate({path("t.slg")});
        window->findChild<QToolButton*>(QStringLiteral("t_html"))->click();
        QCOMPARE(window.prompts->errors, QStringList());
        QVERIFY(QFileInfo::exists(path("t.htm")));
        QCOMPARE(window.prompts->opened, QList<QUrl>{QUrl::fromLocalFile(path("t.htm"))});
    }

    void printOnTheDefaultPrinter() {
        const QString pdf = path("druck.pdf");
        Window window([pdf] {
            auto printer = std::make_unique<QPrinter>();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return printer;
        });
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(60)));
        window->FormCreate({path("a.slg")});
        showActive(window);
        QTest::keyClick(window.fmain.get(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(window.prompts->errors.isEmpty());
        QCOMPARE(window.prompts->notices, QStringList{QStringLiteral("Datei wird gedruckt...")});
        const QByteArray bytes = test::ReadFile(pdf);
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), qsizetype(2));
    }

    void printWithoutAPrinterShowsTheError() {
        Window window; // its printer source has no printer
        window->FormCreate({});
        window->findChild<QToolButton*>(QStringLiteral("t_drucken"))->click();
        QCOMPARE(window.prompts->errors, QStringList{QStringLiteral("Kein Drucker verfügbar.")});
        QVERIFY(window.prompts->notices.isEmpty());
    }
};

SPRITLOG_GUI_TEST_MAIN(FileCommandsTest)
#include "filecommands_test.moc"
