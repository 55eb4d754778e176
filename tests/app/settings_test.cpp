// The settings that survive between runs: the defaults of an empty store, the reading rules
// for numbers and flags, the way back after a restart, and a store that cannot be opened
// or written.
#include "dialogtest.h"

#include "platform/settings.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>

#include <sys/stat.h>

using namespace spritlog;
using test::Window;

namespace {

void Put(const QString& key, const QString& value) {
    auto store = test::Store();
    store->setValue(key, value);
    store->sync();
}

// What the window holds of the twelve settings and the consumption flag, as the store
// would write them.
QMap<QString, QString> Held(TFmain& fmain) {
    auto cell = [&](int column) {
        return QString::fromStdString(Cp1252ToUtf8(fmain.document().table().cell(column, 0)));
    };
    auto flag = [](bool value) { return value ? QStringLiteral("1") : QStringLiteral("0"); };
    return {{"DefaultFile", QString::fromStdString(fmain.document().fileName())},
            {"Anmerkung1", cell(ColNote1)},
            {"Anmerkung2", cell(ColNote2)},
            {"Anmerkung3", cell(ColNote3)},
            {"Dateispeichern", flag(test::AsksToSave(fmain))},
            {"Autospeichern", flag(test::SavesAutomatically(fmain))},
            {"Backupspeichern", flag(fmain.document().saveOptions().backup)},
            {"Ansicht", QString::number(test::BasisItems(fmain)->checkedId())},
            {"Zoom", QString::number(test::ZoomItems(fmain)->checkedId())},
            {"Width", QString::number(fmain.width())},
            {"Height", QString::number(fmain.height())},
            // Beside the twelve.
            {FullTankIntervals::kName, flag(fmain.fullTankIntervals())}};
}

// Makes `folder` refuse new files. Root ignores the mode bits, so the immutable attribute
// is tried as well; false when neither works here.
bool MakeUnwritable(const QString& folder) {
    ::chmod(QFile::encodeName(folder).constData(), 0555);
    auto writable = [&] {
        QFile probe(folder + QStringLiteral("/probe"));
        const bool opened = probe.open(QIODevice::WriteOnly);
        if (opened)
            probe.remove();
        return opened;
    };
    if (!writable())
        return true;
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder});
    return !writable();
}

void MakeWritable(const QString& folder) {
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
    ::chmod(QFile::encodeName(folder).constData(), 0755);
}

} // namespace

class SettingsTest : public test::GuiTest {
    Q_OBJECT

    QString configPath_;

    // Points the store somewhere else until the next init.
    void moveStore(const QString& where) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, where);
    }

private slots:
    // The test main's private settings folder: <folder>/Ostrel/Spritlog.conf.
    void initTestCase() {
        configPath_ = QFileInfo(QFileInfo(test::Store()->fileName()).absolutePath()).absolutePath();
    }

    void init() {
        moveStore(configPath_);
        GuiTest::init();
    }

    void cleanup() { moveStore(configPath_); }

    void firstRunGivesTheDefaults() {
        Window window;
        window->FormCreate({});
        QCOMPARE(test::AsksToSave(*window), true);
        QCOMPARE(test::SavesAutomatically(*window), false);
        QCOMPARE(window->document().saveOptions().backup, true);
        QCOMPARE(window->document().fileName(), std::string());
        QCOMPARE(window.cell(ColNote1, 0), QStringLiteral("Anmerkung1"));
        QCOMPARE(window.cell(ColNote2, 0), QStringLiteral("Anmerkung2"));
        QCOMPARE(window.cell(ColNote3, 0), QStringLiteral("Anmerkung3"));
        // The table's header shows them too.
        QCOMPARE(test::Grid(*window)->model()->headerData(ColNote2 - 1, Qt::Horizontal).toString(),
                 QStringLiteral("Anmerkung2"));
        QCOMPARE(window->size(), QSize(500, 450));
        QCOMPARE(test::BasisItems(*window)->checkedButton()->text(), QStringLiteral("E&intrag"));
        QCOMPARE(test::ZoomItems(*window)->checkedButton()->text(), QStringLiteral("Be&reich"));
        QCOMPARE(test::Pages(*window)->currentIndex(), 0);
        // Reading writes nothing.
        QCOMPARE(test::Store()->allKeys(), QStringList());
        QCOMPARE(window.prompts->errors, QStringList());
    }

    // Each value read on its own: what is stored, what the window then holds.
    void readingRules_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("held");
        QTest::newRow("flag 1") << "Autospeichern"
                                << "1"
                                << "1";
        QTest::newRow("flag 2 is true") << "Dateispeichern"
                                        << "2"
                                        << "1";
        QTest::newRow("flag -1 is true") << "Backupspeichern"
                                         << "-1"
                                         << "1";
        QTest::newRow("flag 0") << "Dateispeichern"
                                << "0"
                                << "0";
        QTest::newRow("flag empty: default true") << "Dateispeichern"
                                                  << ""
                                                  << "1";
        QTest::newRow("flag empty: default false") << "Autospeichern"
                                                   << ""
                                                   << "0";
        QTest::newRow("flag word: default") << "Backupspeichern"
                                            << "nein"
                                            << "1";
        QTest::newRow("flag true is no number") << "Autospeichern"
                                                << "true"
                                                << "0";
        QTest::newRow("width") << "Width"
                               << "900"
                               << "900";
        QTest::newRow("width with blanks") << "Width"
                                           << "  800"
                                           << "800";
        QTest::newRow("width hexadecimal") << "Width"
                                           << "$2BC"
                                           << "700";
        QTest::newRow("width word") << "Width"
                                    << "breit"
                                    << "500";
        QTest::newRow("width decimal point") << "Width"
                                             << "800.5"
                                             << "500";
        QTest::newRow("width empty") << "Width"
                                     << ""
                                     << "500";
        QTest::newRow("width too large") << "Width"
                                         << "99999999999"
                                         << "500";
        QTest::newRow("height") << "Height"
                                << "600"
                                << "600";
        QTest::newRow("height word") << "Height"
                                     << "hoch"
                                     << "450";
        QTest::newRow("chart basis") << "Ansicht"
                                     << "1"
                                     << "1";
        QTest::newRow("chart basis word") << "Ansicht"
                                          << "Monat"
                                          << "0";
        QTest::newRow("zoom") << "Zoom"
                              << "0"
                              << "0";
        QTest::newRow("zoom empty") << "Zoom"
                                    << ""
                                    << "1";
        QTest::newRow("zoom out of range keeps the design") << "Zoom"
                                                            << "7"
                                                            << "1";
        QTest::newRow("note") << "Anmerkung2"
                              << "Fahrer"
                              << "Fahrer";
        QTest::newRow("note empty stays empty") << "Anmerkung1"
                                                << ""
                                                << "";
        QTest::newRow("note with umlaut") << "Anmerkung3"
                                          << "Reifen ä"
                                          << "Reifen ä";
        QTest::newRow("full tank off") << FullTankIntervals::kName << "0"
                                       << "0";
        QTest::newRow("full tank word: default on") << FullTankIntervals::kName << "nein"
                                                    << "1";
        QTest::newRow("file") << "DefaultFile"
                              << "/nirgends/fahrten.slg"
                              << "/nirgends/fahrten.slg";
    }
    void readingRules() {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, held);
        Put(key, stored);
        Window window;
        window->FormCreate({});
        QCOMPARE(Held(*window.fmain).value(key), held);
        // Everything else keeps its default.
        test::ClearStore();
        Window defaults;
        defaults->FormCreate({});
        QMap<QString, QString> expected = Held(*defaults.fmain);
        expected[key] = held;
        QCOMPARE(Held(*window.fmain), expected);
    }

    // What the settings dialog and normal use change comes back after a restart.
    void valuesSurviveARestart_data() {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("backup");
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("basis");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("fullTank");
        QTest::newRow("all off, empty note")
            << false << false << false << "" << 1 << 0 << QSize(720, 530) << false;
        QTest::newRow("save on close")
            << false << true << true << "Fahrer" << 0 << 1 << QSize(820, 610) << true;
        QTest::newRow("ask on close")
            << true << false << false << "Öl & Wasser" << 1 << 1 << QSize(900, 700) << false;
    }
    void valuesSurviveARestart() {
        QFETCH(bool, ask);
        QFETCH(bool, save);
        QFETCH(bool, backup);
        QFETCH(QString, note);
        QFETCH(int, basis);
        QFETCH(int, zoom);
        QFETCH(QSize, size);
        QFETCH(bool, fullTank);
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(3)));
        QMap<QString, QString> before;
        {
            test::WindowWithDialogs window({path("a.slg")});
            test::ModalRecorder modal;
            modal.work = [&](QDialog*) {
                test::Named<QCheckBox>(*window.setup, QStringLiteral("CheckBox4"))->setChecked(ask);
                test::Named<QCheckBox>(*window.setup, QStringLiteral("CheckBox5"))
                    ->setChecked(save);
                test::Named<QCheckBox>(*window.setup, QStringLiteral("CheckBox6"))
                    ->setChecked(backup);
                test::Named<QLineEdit>(*window.setup, QStringLiteral("f_anmerkung2"))
                    ->setText(note);
                test::Named<QCheckBox>(*window.setup, QStringLiteral("CheckBox7"))
                    ->setChecked(fullTank);
                test::Named<QPushButton>(*window.setup, QStringLiteral("b_annehmen"))->click();
            };
            window->m_EinstellungenClick();
            QCOMPARE(modal.shown, QStringList{QStringLiteral("FSetup")});
            // Accepting writes nothing to the store; the logbook opened at the start is
            // on the list of the last ones.
            QCOMPARE(test::Store()->allKeys(), QStringList{RecentFiles::kName});
            test::BasisItems(*window)->button(basis)->setChecked(true);
            test::ZoomItems(*window)->button(zoom)->setChecked(true);
            window->resize(size);
            window->show();
            before = Held(*window.fmain);
            // The logbook is as it was loaded: closing asks nothing.
            QVERIFY(window->close());
            QCOMPARE(window.prompts->questions, QStringList());
            QCOMPARE(window.prompts->errors, QStringList());
        }
        // The twelve, the recent list and the consumption flag, each under its own name.
        QCOMPARE(test::Store()->allKeys().size(), 12 + 2);
        QCOMPARE(test::Store()->value(FullTankIntervals::kName).toString(),
                 fullTank ? QStringLiteral("1") : QStringLiteral("0"));
        Window next;
        next->FormCreate({});
        QCOMPARE(Held(*next.fmain), before);
        QCOMPARE(next.cell(ColNote2, 0), note);
        QCOMPARE(next->size(), size);
        QCOMPARE(next->RecordCount(), 3);
    }

    // A store whose folder cannot be made, or whose file cannot be read: nothing is read
    // (the flags stay false, the note headers empty, the window keeps its design size),
    // nothing is written and nothing said.
    void storeThatCannotBeOpened_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("folder below a file") << "file";
        QTest::newRow("store file is a folder") << "folder";
    }
    void storeThatCannotBeOpened() {
        QFETCH(QString, how);
        QString where;
        if (how == QLatin1String("file")) {
            test::WriteFile(path("datei"), "kein Ordner");
            where = path("datei/config");
        } else {
            where = path("config");
            QVERIFY(QDir().mkpath(where + QStringLiteral("/Ostrel/Spritlog.conf")));
        }
        moveStore(where);
        Window window;
        window->FormCreate({});
        QCOMPARE(test::AsksToSave(*window), false);
        QCOMPARE(test::SavesAutomatically(*window), false);
        QCOMPARE(window->document().saveOptions().backup, false);
        QCOMPARE(window.cell(ColNote1, 0), QString());
        QCOMPARE(window.cell(ColNote3, 0), QString());
        QCOMPARE(window->size(), QSize(644, 465));
        QCOMPARE(test::BasisItems(*window)->checkedId(), 0);
        QCOMPARE(test::ZoomItems(*window)->checkedId(), 1);
        window->show();
        QVERIFY(window->close());
        QCOMPARE(window.prompts->errors, QStringList());
        QVERIFY(!QFileInfo(where + QStringLiteral("/Ostrel/Spritlog.conf")).isFile());
    }

    // The folder is there but the store file cannot be made or rewritten: the error box
    // says so and the window closes all the same.
    void storeFileThatCannotBeWritten_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("message");
        QTest::newRow("file cannot be made") << "dangling link"
                                             << "Failed to create key Spritlog.";
        QTest::newRow("file cannot be rewritten") << "read-only folder"
                                                  << "Failed to set data for 'DefaultFile'";
    }
    void storeFileThatCannotBeWritten() {
        QFETCH(QString, how);
        QFETCH(QString, message);
        const QString where = path("config");
        const QString folder = where + QStringLiteral("/Ostrel");
        QVERIFY(QDir().mkpath(folder));
        if (how == QLatin1String("dangling link")) {
            QVERIFY(QFile::link(path("fehlt/spritlog.conf"),
                                folder + QStringLiteral("/Spritlog.conf")));
        } else {
            test::WriteFile(folder + QStringLiteral("/Spritlog.conf"), "[General]\nWidth=900\n");
            if (!MakeUnwritable(folder))
                QSKIP("no way to make a folder read-only here");
        }
        moveStore(where);
        Window window;
        window->FormCreate({});
        test::SetAskToSave(*window, false);
        window->show();
        const bool closed = window->close();
        MakeWritable(folder);
        QVERIFY(closed);
        QCOMPARE(window.prompts->errors, QStringList{message});
    }
};

SPRITLOG_GUI_TEST_MAIN(SettingsTest)
#include "settings_test.moc"
