// The start-up sequence: settings, the command line with its missing-file rule, the stored
// file; and the settings written at the end.
#include "guitest.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFileInfo>
#include <QGroupBox>
#include <QPoint>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace spritlog;
using test::Window;

class StartupTest : public test::GuiTest {
    Q_OBJECT

    void store(const QString& key, const QVariant& value) {
        auto settings = test::Store();
        settings->setValue(key, value);
        settings->sync();
    }

private slots:

    void nothingStoredNothingGiven() {
        Window window;
        window->FormCreate({});
        QCOMPARE(window->RecordCount(), 1);
        QCOMPARE(window->document().fileName(), std::string());
        QCOMPARE(window.status(0), QStringLiteral("Status: 1 Datensätze"));
        QCOMPARE(window.status(1), QStringLiteral("Geladene Datei: "));
        QCOMPARE(window.cell(ColNumber, 1), QStringLiteral("1."));
        QCOMPARE(window.cell(ColDatum, 0), QStringLiteral("Datum"));
        QCOMPARE(window.cell(ColOrt, 0), QStringLiteral("Ort"));
        QVERIFY(window.prompts->notices.isEmpty());
        QVERIFY(window.prompts->errors.isEmpty());
        // Defaults of an empty store.
        QCOMPARE(test::AsksToSave(*window), true);
        QCOMPARE(test::SavesAutomatically(*window), false);
        QCOMPARE(window->document().saveOptions().backup, true);
        QCOMPARE(window.cell(ColNote1, 0), QStringLiteral("Anmerkung1"));
        QCOMPARE(window.cell(ColNote3, 0), QStringLiteral("Anmerkung3"));
        QCOMPARE(test::BasisItems(*window)->checkedId(), 0);
        QCOMPARE(test::ZoomItems(*window)->checkedId(), 1);
    }

    // Which file is loaded, what becomes the current name, what is said.
    void commandLineAndStoredFile_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("notice");
        QTest::newRow("stored file") << "gespeichert.slg"
                                     << ""
                                     << "gespeichert.slg" << 4 << "";
        QTest::newRow("argument wins") << "gespeichert.slg"
                                       << "argument.slg"
                                       << "argument.slg" << 6 << "";
        QTest::newRow("argument without a stored file") << ""
                                                        << "argument.slg"
                                                        << "argument.slg" << 6 << "";
        // A missing argument loads nothing, says nothing, and becomes the current name, so
        // the stored logbook is never saved over with the empty table.
        QTest::newRow("missing argument") << "gespeichert.slg"
                                          << "fehlt.slg"
                                          << "fehlt.slg" << 1 << "";
        QTest::newRow("missing stored file") << "weg.slg"
                                             << ""
                                             << "weg.slg" << 1 << "Datei nicht gefunden!";
    }
    void commandLineAndStoredFile() {
        QFETCH(QString, stored);
        QFETCH(QString, argument);
        QFETCH(QString, current);
        QFETCH(int, records);
        QFETCH(QString, notice);
        test::WriteFile(path("gespeichert.slg"), test::NativeFile(test::SampleRecords(4)));
        test::WriteFile(path("argument.slg"), test::NativeFile(test::SampleRecords(6)));
        if (!stored.isEmpty())
            store(QStringLiteral("DefaultFile"), path(stored));
        Window window;
        window->FormCreate(argument.isEmpty() ? QStringList() : QStringList{path(argument)});
        QCOMPARE(window->document().fileName(), path(current).toStdString());
        QCOMPARE(window->RecordCount(), records);
        QCOMPARE(window.status(0), QStringLiteral("Status: %1 Datensätze").arg(records));
        QVERIFY(window.status(1).endsWith(current));
        QCOMPARE(window.prompts->notices, notice.isEmpty() ? QStringList() : QStringList{notice});
        QVERIFY(window.prompts->errors.isEmpty());

        // At the end the current name is stored; the stored logbook is left alone.
        test::SetAskToSave(*window, false);
        test::SetAutoSave(*window, true);
        QVERIFY(window->close());
        QCOMPARE(test::Store()->value(QStringLiteral("DefaultFile")).toString(), path(current));
        QCOMPARE(test::ReadFile(path("gespeichert.slg")), test::NativeFile(test::SampleRecords(4)));
    }

    void relativeArgumentIsMadeAbsolute() {
        test::WriteFile(path("rel.slg"), test::NativeFile(test::SampleRecords(3)));
        const QString before = QDir::currentPath();
        QDir::setCurrent(folder());
        Window window;
        window->FormCreate({QStringLiteral("rel.slg"), QStringLiteral("ignored.slg")});
        QDir::setCurrent(before);
        QCOMPARE(window->document().fileName(), path("rel.slg").toStdString());
        QCOMPARE(window->RecordCount(), 3);
    }

    void opensOnDatenWhateverWasStored() {
        store(QStringLiteral("TabIndex"), QStringLiteral("2"));
        store(QStringLiteral("Ansicht"), QStringLiteral("1"));
        store(QStringLiteral("Zoom"), QStringLiteral("0"));
        Window window;
        window->FormCreate({});
        QCOMPARE(test::Pages(*window)->currentIndex(), 0);
        QVERIFY(!test::BasisBox(*window)->isEnabled());
        QVERIFY(!test::ZoomBox(*window)->isEnabled());
        QCOMPARE(test::BasisItems(*window)->checkedId(), 1);
        QCOMPARE(test::ZoomItems(*window)->checkedId(), 0);
        // Both notices are up until the pages are first entered.
        QVERIFY(!test::ChartNotice(*window)->isHidden());
        QVERIFY(!test::StatisticsNotice(*window)->isHidden());
        QCOMPARE(window.prompts->errors, QStringList());
    }

    void storedTexts_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("expected");
        const QVariant none;
        QTest::newRow("flag 2") << "Dateispeichern" << QVariant("2") << "ask"
                                << "1";
        QTest::newRow("flag 0") << "Dateispeichern" << QVariant("0") << "ask"
                                << "0";
        QTest::newRow("flag empty gives default") << "Dateispeichern" << QVariant("") << "ask"
                                                  << "1";
        QTest::newRow("flag malformed gives default")
            << "Backupspeichern" << QVariant("ja") << "backup"
            << "1";
        QTest::newRow("flag hex") << "Autospeichern" << QVariant("$10") << "auto"
                                  << "1";
        QTest::newRow("flag with blanks") << "Autospeichern" << QVariant(" 1") << "auto"
                                          << "1";
        QTest::newRow("auto default") << "Autospeichern" << none << "auto"
                                      << "0";
        QTest::newRow("note") << "Anmerkung2" << QVariant("Fahrer") << "note2"
                              << "Fahrer";
        QTest::newRow("note with umlaut") << "Anmerkung2" << QVariant("Käse") << "note2"
                                          << "Käse";
        QTest::newRow("empty note stays empty") << "Anmerkung2" << QVariant("") << "note2"
                                                << "";
        QTest::newRow("note missing") << "Anmerkung2" << none << "note2"
                                      << "Anmerkung2";
        QTest::newRow("note with commas")
            << "Anmerkung2" << QVariant(QStringList{"a", "b"}) << "note2"
            << "a, b";
        QTest::newRow("Ansicht out of range") << "Ansicht" << QVariant("5") << "ansicht"
                                              << "0";
        QTest::newRow("Ansicht 1") << "Ansicht" << QVariant("1") << "ansicht"
                                   << "1";
        QTest::newRow("Zoom malformed") << "Zoom" << QVariant("1.0") << "zoom"
                                        << "1";
        QTest::newRow("Zoom 0") << "Zoom" << QVariant("0") << "zoom"
                                << "0";
    }
    void storedTexts() {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QString, property);
        QFETCH(QString, expected);
        if (stored.isValid())
            store(key, stored);
        Window window;
        window->FormCreate({});
        QString actual;
        if (property == QLatin1String("ask"))
            actual = QString::number(test::AsksToSave(*window));
        else if (property == QLatin1String("auto"))
            actual = QString::number(test::SavesAutomatically(*window));
        else if (property == QLatin1String("backup"))
            actual = QString::number(window->document().saveOptions().backup);
        else if (property == QLatin1String("note2"))
            actual = window.cell(ColNote2, 0);
        else if (property == QLatin1String("ansicht"))
            actual = QString::number(test::BasisItems(*window)->checkedId());
        else if (property == QLatin1String("zoom"))
            actual = QString::number(test::ZoomItems(*window)->checkedId());
        QCOMPARE(actual, expected);
        QCOMPARE(window.prompts->errors, QStringList());
    }

    void windowSize() {
        store(QStringLiteral("Width"), QStringLiteral("900"));
        store(QStringLiteral("Height"), QStringLiteral("700"));
        Window window;
        window->FormCreate({});
        QCOMPARE(window->size(), QSize(900, 700));

        test::ClearStore();
        store(QStringLiteral("Width"), QStringLiteral("breit"));
        Window defaults;
        defaults->FormCreate({});
        QCOMPARE(defaults->size(), QSize(500, 450));
    }

    // A value that is not text stops reading there: what came before is applied, the
    // rest of the start-up is skipped and the error box says which value.
    void valueOfTheWrongType() {
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(4)));
        store(QStringLiteral("DefaultFile"), path("a.slg"));
        store(QStringLiteral("Anmerkung1"), QStringLiteral("Fahrer"));
        store(QStringLiteral("TabIndex"), QPoint(1, 2));
        store(QStringLiteral("Zoom"), QStringLiteral("0"));
        Window window;
        window->FormCreate({});
        QCOMPARE(window.prompts->errors,
                 QStringList{QStringLiteral("Invalid data type for 'TabIndex'")});
        QCOMPARE(window->document().fileName(), path("a.slg").toStdString());
        QCOMPARE(window.cell(ColNote1, 0), QStringLiteral("Fahrer"));
        QCOMPARE(test::ZoomItems(*window)->checkedId(), 1);
        QCOMPARE(window->RecordCount(), 1);
        // The status bar follows the document, also when the start-up stops early.
        QCOMPARE(window.status(0), QStringLiteral("Status: 1 Datensätze"));
    }

    void settingsWrittenAtTheEnd() {
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(4)));
        Window window;
        window->FormCreate({path("a.slg")});
        test::SetAskToSave(*window, false);
        window->document().saveOptions().backup = false;
        window->document().setHeading(ColNote3, "Reifen \xE4");
        test::Pages(*window)->setCurrentIndex(2);
        test::BasisItems(*window)->button(1)->setChecked(true);
        test::ZoomItems(*window)->button(0)->setChecked(true);
        window->resize(800, 600);
        window->show();
        QVERIFY(window->close());

        auto settings = test::Store();
        const QList<std::pair<QString, QString>> expected = {
            {"DefaultFile", path("a.slg")},
            {"Anmerkung1", "Anmerkung1"},
            {"Anmerkung2", "Anmerkung2"},
            {"Anmerkung3", "Reifen ä"},
            {"Dateispeichern", "0"},
            {"Autospeichern", "0"},
            {"Backupspeichern", "0"},
            {"TabIndex", "2"},
            {"Ansicht", "1"},
            {"Zoom", "0"},
            {"Width", QString::number(window->width())},
            {"Height", QString::number(window->height())}};
        // Beside them, the list of the last logbooks, which the start put a.slg on, and the
        // consumption flag, on as it began.
        QCOMPARE(settings->allKeys().size(), expected.size() + 2);
        QCOMPARE(settings->value(RecentFiles::kName).toString(), path("a.slg"));
        QCOMPARE(settings->value(FullTankIntervals::kName).toString(), QStringLiteral("1"));
        for (const auto& [key, value] : expected) {
            QCOMPARE(settings->value(key).typeId(), int(QMetaType::QString));
            QCOMPARE(settings->value(key).toString(), value);
        }

        // The next start reads them back.
        Window next;
        next->FormCreate({});
        QCOMPARE(next->document().fileName(), path("a.slg").toStdString());
        QCOMPARE(next->RecordCount(), 4);
        QCOMPARE(next.cell(ColNote3, 0), QStringLiteral("Reifen ä"));
        QCOMPARE(test::AsksToSave(*next), false);
        QCOMPARE(test::Pages(*next)->currentIndex(), 0);
        QCOMPARE(test::BasisItems(*next)->checkedId(), 1);
    }
};

SPRITLOG_GUI_TEST_MAIN(StartupTest)
#include "startup_test.moc"
