// The settings dialog: its controls, filling from the main window, the rule that the two
// exit options exclude each other, and what "Annehmen", Abort, "Rückgängig",
// "Dateigröße" and "Über..." do.
#include "dialogtest.h"

#include "app/window/shelllinks.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTranslator>

using namespace spritlog;
using test::WindowWithDialogs;

namespace {

QString Header(TFmain& fmain, int column) {
    return test::Grid(fmain)->model()->headerData(column - 1, Qt::Horizontal).toString();
}

} // namespace

class SetupDialogTest : public test::GuiTest {
    Q_OBJECT

    QTranslator german_;

private slots:
    // The program's start loads Qt's German texts for the standard buttons.
    void initTestCase() { QVERIFY(test::InstallGermanQtTexts(german_)); }

    void controls() {
        WindowWithDialogs window;
        TFSetup& setup = *window.setup;
        QCOMPARE(setup.objectName(), QStringLiteral("FSetup"));
        QCOMPARE(setup.windowTitle(), QStringLiteral("Einstellungen..."));
        QVERIFY(setup.windowFlags() & Qt::Tool);
        QCOMPARE(setup.size(), QSize(432, 418));

        const QList<std::pair<QAbstractButton*, QString>> buttons = {
            {test::Named<QCheckBox>(setup, QStringLiteral("CheckBox4")),
             "Datei speichern Abfrage beim Beenden"},
            {test::Named<QCheckBox>(setup, QStringLiteral("CheckBox5")),
             "Automatisches Speichern beim Beenden"},
            {test::Named<QCheckBox>(setup, QStringLiteral("CheckBox6")),
             "Sicherungskopie beim Speichern"},
            {test::Named<QCheckBox>(setup, QStringLiteral("CheckBox7")),
             "Verbrauch von Volltank zu Volltank rechnen"},
            {test::Named<QPushButton>(setup, QStringLiteral("b_undo")), "Rückgängig"},
            {test::Named<QPushButton>(setup, QStringLiteral("b_dateigroesse")), "Dateigröße"},
            {test::Named<QPushButton>(setup, QStringLiteral("b_ueber")), "Über..."},
            {test::Named<QPushButton>(setup, QStringLiteral("b_annehmen")), "Annehmen"},
            {test::Named<QPushButton>(setup, QStringLiteral("b_abbrechen")), "Abbrechen"}};
        for (const auto& [button, text] : buttons)
            QCOMPARE(button->text(), text);
        const QStringList names = {"CheckBox4",  "CheckBox5",    "CheckBox6",      "CheckBox7",
                                   "b_undo",     "f_anmerkung1", "f_anmerkung2",   "f_anmerkung3",
                                   "Edit1",      "Edit2",        "b_dateigroesse", "b_ueber",
                                   "b_annehmen", "b_abbrechen"};
        for (const QString& name : names)
            QVERIFY2(setup.findChild<QWidget*>(name), qPrintable(name));

        // Three groups in this order, captions bold.
        QStringList groups;
        for (QGroupBox* box : setup.findChildren<QGroupBox*>()) {
            groups << box->title();
            QVERIFY(box->font().bold());
        }
        QCOMPARE(groups, (QStringList{"Einstellungen", "Beschriftung", "Informationen"}));
        QVERIFY(test::Named<QGroupBox>(setup, QStringLiteral("g_einstellungen"))
                    ->isAncestorOf(test::Named<QPushButton>(setup, QStringLiteral("b_undo"))));
        QVERIFY(test::Named<QGroupBox>(setup, QStringLiteral("g_informationen"))
                    ->isAncestorOf(test::Named<QPushButton>(setup, QStringLiteral("b_ueber"))));
        QVERIFY(!test::Named<QCheckBox>(setup, QStringLiteral("CheckBox4"))->font().bold());
        for (QLineEdit* note : {test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung1")),
                                test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung2")),
                                test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung3"))}) {
            QVERIFY(note->font().bold());
            QVERIFY(note->font().italic());
            QVERIFY(!note->isReadOnly());
        }
        QVERIFY(test::Named<QLineEdit>(setup, QStringLiteral("Edit1"))->isReadOnly());
        QVERIFY(test::Named<QLineEdit>(setup, QStringLiteral("Edit2"))->isReadOnly());
        QStringList captions;
        for (QLabel* label : setup.findChildren<QLabel*>())
            captions << label->text();
        QCOMPARE(captions, (QStringList{"Anmerkung 1", "Anmerkung 2", "Anmerkung 3",
                                        "Geladene Datei:", "Pfad des Programmes:"}));

        // "Annehmen" is the default; the other is the platform's cancel button.
        QVERIFY(test::Named<QPushButton>(setup, QStringLiteral("b_annehmen"))->isDefault());
        auto* box = setup.findChild<QDialogButtonBox*>();
        QCOMPARE(
            box->standardButton(test::Named<QPushButton>(setup, QStringLiteral("b_abbrechen"))),
            QDialogButtonBox::Cancel);
        QVERIFY(test::Named<QPushButton>(setup, QStringLiteral("b_annehmen"))->font().bold());
    }

    // Screen readers announce every field by its caption.
    void fieldsAreNamedByTheirCaptions_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        QTest::newRow("Anmerkung 1") << "f_anmerkung1"
                                     << "Anmerkung 1";
        QTest::newRow("Anmerkung 2") << "f_anmerkung2"
                                     << "Anmerkung 2";
        QTest::newRow("Anmerkung 3") << "f_anmerkung3"
                                     << "Anmerkung 3";
        QTest::newRow("Geladene Datei") << "Edit1"
                                        << "Geladene Datei";
        QTest::newRow("Pfad des Programmes") << "Edit2"
                                             << "Pfad des Programmes";
    }
    void fieldsAreNamedByTheirCaptions() {
        QFETCH(QString, field);
        QFETCH(QString, name);
        WindowWithDialogs window;
        auto* edit = window.setup->findChild<QLineEdit*>(field);
        QVERIFY(edit);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(edit);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), name);
    }

    void controlsFitTheWindow() {
        WindowWithDialogs window;
        TFSetup& setup = *window.setup;
        setup.show();
        QVERIFY(QTest::qWaitForWindowExposed(&setup));
        const QRect client = setup.rect();
        for (QWidget* widget : setup.findChildren<QWidget*>()) {
            if (!widget->isVisible())
                continue;
            const QRect placed(widget->mapTo(&setup, QPoint(0, 0)), widget->size());
            QVERIFY2(client.contains(placed), qPrintable(widget->objectName()));
            // No control is squeezed below what it needs to show its text.
            if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLabel*>(widget))
                QVERIFY2(widget->width() >= widget->minimumSizeHint().width(),
                         qPrintable(widget->objectName()));
        }
        QVERIFY(test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung1"))->width() > 250);
        setup.hide();
    }

    // The three flags in, the three check boxes out; two set exit flags leave only the
    // automatic save checked, whatever the boxes showed before.
    void fillingAppliesTheExitRule_data() {
        QTest::addColumn<bool>("before4");
        QTest::addColumn<bool>("before5");
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("backup");
        QTest::addColumn<bool>("box4");
        QTest::addColumn<bool>("box5");
        QTest::newRow("defaults") << false << false << true << false << true << true << false;
        QTest::newRow("all off") << true << false << false << false << false << false << false;
        QTest::newRow("save only") << true << false << false << true << true << false << true;
        QTest::newRow("both, from empty boxes")
            << false << false << true << true << false << false << true;
        QTest::newRow("both, from box 4") << true << false << true << true << true << false << true;
        QTest::newRow("both, from box 5")
            << false << true << true << true << false << false << true;
    }
    void fillingAppliesTheExitRule() {
        QFETCH(bool, before4);
        QFETCH(bool, before5);
        QFETCH(bool, ask);
        QFETCH(bool, save);
        QFETCH(bool, backup);
        QFETCH(bool, box4);
        QFETCH(bool, box5);
        WindowWithDialogs window;
        TFSetup& setup = *window.setup;
        test::Named<QCheckBox>(setup, QStringLiteral("CheckBox5"))->setChecked(before5);
        test::Named<QCheckBox>(setup, QStringLiteral("CheckBox4"))->setChecked(before4);
        test::SetAskToSave(*window, ask);
        test::SetAutoSave(*window, save);
        window->document().saveOptions().backup = backup;
        setup.FillSetupDialog(window->setupValues());
        QCOMPARE(test::Named<QCheckBox>(setup, QStringLiteral("CheckBox4"))->isChecked(), box4);
        QCOMPARE(test::Named<QCheckBox>(setup, QStringLiteral("CheckBox5"))->isChecked(), box5);
        QCOMPARE(test::Named<QCheckBox>(setup, QStringLiteral("CheckBox6"))->isChecked(), backup);
        // Filling changes no flag.
        QCOMPARE(test::AsksToSave(*window), ask);
        QCOMPARE(test::SavesAutomatically(*window), save);
    }

    // The user's clicks: checking one exit option unchecks the other; both may be off.
    void exitOptionsExcludeEachOther_data() {
        QTest::addColumn<bool>("start4");
        QTest::addColumn<bool>("start5");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<bool>("box4");
        QTest::addColumn<bool>("box5");
        QTest::newRow("check 4 while 5") << false << true << "CheckBox4" << true << false;
        QTest::newRow("check 5 while 4") << true << false << "CheckBox5" << false << true;
        QTest::newRow("uncheck 4") << true << false << "CheckBox4" << false << false;
        QTest::newRow("uncheck 5") << false << true << "CheckBox5" << false << false;
        QTest::newRow("check 4 alone") << false << false << "CheckBox4" << true << false;
        QTest::newRow("check 5 alone") << false << false << "CheckBox5" << false << true;
        QTest::newRow("backup leaves them") << true << false << "CheckBox6" << true << false;
    }
    void exitOptionsExcludeEachOther() {
        QFETCH(bool, start4);
        QFETCH(bool, start5);
        QFETCH(QString, clicked);
        QFETCH(bool, box4);
        QFETCH(bool, box5);
        WindowWithDialogs window;
        TFSetup& setup = *window.setup;
        test::SetAskToSave(*window, start4);
        test::SetAutoSave(*window, start5);
        setup.FillSetupDialog(window->setupValues());
        setup.show();
        QTest::mouseClick(setup.findChild<QCheckBox*>(clicked), Qt::LeftButton);
        QCOMPARE(test::Named<QCheckBox>(setup, QStringLiteral("CheckBox4"))->isChecked(), box4);
        QCOMPARE(test::Named<QCheckBox>(setup, QStringLiteral("CheckBox5"))->isChecked(), box5);
        setup.hide();
    }

    void fillsTheNotesAndPaths() {
        const QString file = path("ein/recht/langer/ordnername/fahrten.slg");
        test::WriteFile(path("kurz.slg"), test::NativeFile(test::SampleRecords(3)));
        WindowWithDialogs window({path("kurz.slg")});
        TFSetup& setup = *window.setup;
        window->document().setFileName(file.toStdString());
        window->document().setHeading(ColNote1, "Fahrer");
        window->document().setHeading(ColNote2, "");
        window->document().setHeading(ColNote3, "Reifen \xE4");
        setup.FillSetupDialog(window->setupValues());
        QCOMPARE(test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung1"))->text(),
                 QStringLiteral("Fahrer"));
        QCOMPARE(test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung2"))->text(), QString());
        QCOMPARE(test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung3"))->text(),
                 QStringLiteral("Reifen ä"));
        // The last 35 characters from a separator on.
        const QString tail = file.right(35);
        QCOMPARE(test::Named<QLineEdit>(setup, QStringLiteral("Edit1"))->text(),
                 QStringLiteral("...") + tail.mid(tail.indexOf(QLatin1Char('/'))));
        QVERIFY(test::Named<QLineEdit>(setup, QStringLiteral("Edit1"))
                    ->text()
                    .endsWith(QStringLiteral("/ordnername/fahrten.slg")));
        QVERIFY(test::Named<QLineEdit>(setup, QStringLiteral("Edit1"))->text().size() <= 38);
        const QString program = QCoreApplication::applicationFilePath();
        const QString programTail = program.right(35);
        QCOMPARE(test::Named<QLineEdit>(setup, QStringLiteral("Edit2"))->text(),
                 program.size() <= 35 ? program
                                      : QStringLiteral("...") +
                                            programTail.mid(programTail.indexOf(QLatin1Char('/'))));

        // A short name shows whole; no name shows nothing.
        window->document().setFileName("/a/b.slg");
        setup.FillSetupDialog(window->setupValues());
        QCOMPARE(test::Named<QLineEdit>(setup, QStringLiteral("Edit1"))->text(),
                 QStringLiteral("/a/b.slg"));
        window->document().setFileName({});
        setup.FillSetupDialog(window->setupValues());
        QCOMPARE(test::Named<QLineEdit>(setup, QStringLiteral("Edit1"))->text(), QString());
    }

    // "Annehmen" applies flags and captions (an empty one included) to the window and its
    // table header, and writes nothing to the store.
    void annehmenApplies() {
        WindowWithDialogs window;
        TFSetup& setup = *window.setup;
        test::ModalRecorder modal;
        int result = -1;
        modal.work = [&](QDialog* dialog) {
            test::Named<QCheckBox>(setup, QStringLiteral("CheckBox4"))->setChecked(false);
            test::Named<QCheckBox>(setup, QStringLiteral("CheckBox5"))->setChecked(true);
            test::Named<QCheckBox>(setup, QStringLiteral("CheckBox6"))->setChecked(false);
            test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung1"))
                ->setText(QStringLiteral("Fahrer"));
            test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung2"))->clear();
            test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung3"))
                ->setText(QStringLiteral("Öl"));
            test::Named<QPushButton>(setup, QStringLiteral("b_annehmen"))->click();
            result = dialog->result();
        };
        window->m_EinstellungenClick();
        QCOMPARE(modal.shown, QStringList{QStringLiteral("FSetup")});
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(test::AsksToSave(*window), false);
        QCOMPARE(test::SavesAutomatically(*window), true);
        QCOMPARE(window->document().saveOptions().backup, false);
        QCOMPARE(window.cell(ColNote1, 0), QStringLiteral("Fahrer"));
        QCOMPARE(window.cell(ColNote2, 0), QString());
        QCOMPARE(window.cell(ColNote3, 0), QStringLiteral("Öl"));
        QCOMPARE(window->document().table().cell(ColNote3, 0), std::string("\xD6l"));
        QCOMPARE(Header(*window.fmain, ColNote1), QStringLiteral("Fahrer"));
        QCOMPARE(Header(*window.fmain, ColNote2), QString());
        QCOMPARE(test::Store()->allKeys(), QStringList());
    }

    // Abort, the Escape key and the window's close button apply nothing; the next opening
    // shows the window's settings again.
    void abortAppliesNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("button") << "button";
        QTest::newRow("Escape") << "Escape";
        QTest::newRow("close") << "close";
    }
    void abortAppliesNothing() {
        QFETCH(QString, how);
        WindowWithDialogs window;
        TFSetup& setup = *window.setup;
        test::ModalRecorder modal;
        modal.work = [&](QDialog* dialog) {
            test::Named<QCheckBox>(setup, QStringLiteral("CheckBox4"))->setChecked(false);
            test::Named<QCheckBox>(setup, QStringLiteral("CheckBox6"))->setChecked(false);
            test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung1"))
                ->setText(QStringLiteral("verworfen"));
            if (how == QLatin1String("button")) {
                test::Named<QPushButton>(setup, QStringLiteral("b_abbrechen"))->click();
            } else if (how == QLatin1String("Escape")) {
                dialog->show();
                QTest::keyClick(dialog, Qt::Key_Escape);
            } else {
                dialog->show();
                dialog->close();
            }
        };
        window->m_EinstellungenClick();
        QCOMPARE(setup.result(), int(QDialog::Rejected));
        QVERIFY(!setup.isVisible());
        QCOMPARE(test::AsksToSave(*window), true);
        QCOMPARE(window->document().saveOptions().backup, true);
        QCOMPARE(window.cell(ColNote1, 0), QStringLiteral("Anmerkung1"));

        // Meanwhile the window's flags change; the next opening shows them.
        window->document().saveOptions().backup = false;
        window->document().setHeading(ColNote2, "neu");
        bool box4 = false, box6 = true;
        QString note1, note2;
        modal.work = [&](QDialog*) {
            box4 = test::Named<QCheckBox>(setup, QStringLiteral("CheckBox4"))->isChecked();
            box6 = test::Named<QCheckBox>(setup, QStringLiteral("CheckBox6"))->isChecked();
            note1 = test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung1"))->text();
            note2 = test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung2"))->text();
            test::Named<QPushButton>(setup, QStringLiteral("b_abbrechen"))->click();
        };
        window->findChild<QAction*>(QStringLiteral("m_Einstellungen"))->trigger();
        QCOMPARE(modal.shown.size(), 2);
        QVERIFY(box4);
        QVERIFY(!box6);
        QCOMPARE(note1, QStringLiteral("Anmerkung1"));
        QCOMPARE(note2, QStringLiteral("neu"));
        QCOMPARE(window.prompts->errors, QStringList());
    }

    // "Rückgängig" discards the changes made in the dialog and shows again the settings it
    // was filled with; the dialog stays open.
    void rueckgaengigRefills() {
        WindowWithDialogs window;
        TFSetup& setup = *window.setup;
        window->document().setHeading(ColNote3, "inzwischen");
        setup.FillSetupDialog(window->setupValues());
        setup.show();
        test::Named<QCheckBox>(setup, QStringLiteral("CheckBox5"))->setChecked(true);
        test::Named<QCheckBox>(setup, QStringLiteral("CheckBox6"))->setChecked(false);
        test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung2"))
            ->setText(QStringLiteral("geändert"));
        test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung3"))
            ->setText(QStringLiteral("auch geändert"));
        test::Named<QPushButton>(setup, QStringLiteral("b_undo"))->click();
        QVERIFY(setup.isVisible());
        QVERIFY(test::Named<QCheckBox>(setup, QStringLiteral("CheckBox4"))->isChecked());
        QVERIFY(!test::Named<QCheckBox>(setup, QStringLiteral("CheckBox5"))->isChecked());
        QVERIFY(test::Named<QCheckBox>(setup, QStringLiteral("CheckBox6"))->isChecked());
        QCOMPARE(test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung2"))->text(),
                 QStringLiteral("Anmerkung2"));
        QCOMPARE(test::Named<QLineEdit>(setup, QStringLiteral("f_anmerkung3"))->text(),
                 QStringLiteral("inzwischen"));
        QCOMPARE(test::SavesAutomatically(*window), false);
        setup.hide();
    }

    // "Über..." puts the author's own addresses on the About buttons' tooltips for good;
    // the buttons still write to and open the maker's addresses.
    void ueberShowsThePersonalAddresses() {
        WindowWithDialogs window;
        test::ModalRecorder modal;
        QString mailTip, webTip;
        modal.work = [&](QDialog* dialog) {
            if (dialog == window.setup) {
                test::Named<QPushButton>(*window.setup, QStringLiteral("b_ueber"))->click();
                test::Named<QPushButton>(*window.setup, QStringLiteral("b_abbrechen"))->click();
            } else {
                mailTip =
                    test::Named<QToolButton>(*window.about, QStringLiteral("Mail1"))->toolTip();
                webTip = test::Named<QToolButton>(*window.about, QStringLiteral("Web1"))->toolTip();
                test::Named<QPushButton>(*window.about, QStringLiteral("b_schliessen"))->click();
            }
        };
        QCOMPARE(test::Named<QToolButton>(*window.about, QStringLiteral("Mail1"))->toolTip(),
                 QStringLiteral("autor@spritlog.example.org"));
        QCOMPARE(test::Named<QToolButton>(*window.about, QStringLiteral("Web1"))->toolTip(),
                 QStringLiteral("https://spritlog.example.org"));
        window->m_EinstellungenClick();
        QCOMPARE(modal.shown, (QStringList{"FSetup", "FAbout"}));
        QCOMPARE(mailTip, QStringLiteral("team@spritlog.example.org"));
        QCOMPARE(webTip, QStringLiteral("https://spritlog.example.org/team"));
        QCOMPARE(test::Named<QLabel>(*window.about, QStringLiteral("Name"))->text(),
                 QStringLiteral("Spritlog"));
        QCOMPARE(test::Named<QLabel>(*window.about, QStringLiteral("Version"))->text(),
                 QStringLiteral("Version 3.3"));

        // Later, from the "&Hilfe" menu: the tooltips stay, the actions do not follow them.
        modal.work = [&](QDialog*) {
            test::Named<QToolButton>(*window.about, QStringLiteral("Mail1"))->click();
            test::Named<QToolButton>(*window.about, QStringLiteral("Web1"))->click();
        };
        window->findChild<QAction*>(QStringLiteral("m_Ueber"))->trigger();
        QCOMPARE(modal.shown.last(), QStringLiteral("FAbout"));
        QCOMPARE(test::Named<QToolButton>(*window.about, QStringLiteral("Mail1"))->toolTip(),
                 QStringLiteral("team@spritlog.example.org"));
        QCOMPARE(window.prompts->opened,
                 (QList<QUrl>{QUrl(QStringLiteral("MailTo:autor@spritlog.example.org")),
                              QUrl(QStringLiteral("https://spritlog.example.org"))}));
    }

    // "Dateigröße" shows the file-size dialog for the current file; a file that cannot be
    // read ends in the error box and no dialog.
    void dateigroesse_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("file there") << true << QStringList{"FSetup", "FSize"} << QStringList();
        QTest::newRow("file gone")
            << false << QStringList{"FSetup"} << QStringList{"„a.slg“: Datei nicht gefunden."};
    }
    void dateigroesse() {
        QFETCH(bool, exists);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, errors);
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(3)));
        WindowWithDialogs window({path("a.slg")});
        if (!exists)
            QVERIFY(QFile::remove(path("a.slg")));
        test::ModalRecorder modal;
        modal.work = [&](QDialog* dialog) {
            if (dialog == window.setup) {
                test::Named<QPushButton>(*window.setup, QStringLiteral("b_dateigroesse"))->click();
                test::Named<QPushButton>(*window.setup, QStringLiteral("b_abbrechen"))->click();
            } else {
                test::Named<QPushButton>(*window.size, QStringLiteral("BitBtn1"))->click();
            }
        };
        window->m_EinstellungenClick();
        QCOMPARE(modal.shown, shown);
        QCOMPARE(window.prompts->errors, errors);
        QCOMPARE(test::Named<QLineEdit>(*window.size, QStringLiteral("Edit2"))->text(),
                 QStringLiteral("3 Datensätze"));
    }
};

SPRITLOG_GUI_TEST_MAIN(SetupDialogTest)
#include "setupdialog_test.moc"
