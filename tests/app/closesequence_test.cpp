// Closing the main window: the save question when there are unsaved changes, the automatic
// save, the settings, and what keeps the window open (Abbrechen, an error).
#include "guitest.h"

#include <QAction>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

using namespace spritlog;
using test::Window;

namespace {

// The buttons of "Datei speichern?" by their German texts.
Prompts::Answer ToAnswer(const QString& button) {
    if (button == QLatin1String("Ja"))
        return Prompts::Answer::Yes;
    return button == QLatin1String("Nein") ? Prompts::Answer::No : Prompts::Answer::Cancel;
}

Prompts::Answer YesOrNo(bool yes) {
    return yes ? Prompts::Answer::Yes : Prompts::Answer::No;
}

} // namespace

class CloseSequenceTest : public test::GuiTest {
    Q_OBJECT

private slots:

    // Every combination of the two flags and the answer, with a current file name and
    // without one (then every save opens the save dialog, which the test cancels or
    // answers), for a logbook with a change that was not saved and for one without: how
    // often is asked, how often the dialog opens, whether the file is written and whether
    // the window closes.
    void flagsAndAnswers_data() {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("autoSave");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("dialogAnswer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("closes");

        for (const bool named : {true, false}) {
            const char* kind = named ? "named" : "unnamed, dialog cancelled";
            const int yes = named ? 0 : 1; // dialogs per save without a name
            auto row = [&](const char* what, bool ask, bool autoSave, const char* answer,
                           int questions, int dialogs, bool written, bool closes) {
                QTest::addRow("%s: %s", kind, what)
                    << ask << autoSave << QString::fromUtf8(answer) << true << named << ""
                    << questions << dialogs << written << closes;
            };
            row("no flag", false, false, "", 0, 0, false, true);
            // Ja whose save dialog is cancelled keeps the window open: nothing is lost.
            row("ask, Ja", true, false, "Ja", 1, yes, named, named);
            row("ask, Nein", true, false, "Nein", 1, 0, false, true);
            row("ask, Abbrechen", true, false, "Abbrechen", 1, 0, false, false);
            row("auto", false, true, "", 0, yes, named, true);
            // Saved on Ja, nothing is left for the automatic save; a cancelled dialog keeps
            // the window open with the change.
            row("ask and auto, Ja", true, true, "Ja", 1, yes, named, named);
            row("ask and auto, Nein", true, true, "Nein", 1, yes, named, true);
            row("ask and auto, Abbrechen", true, true, "Abbrechen", 1, 0, false, false);
            // Nothing to save: nothing asked, nothing written.
            QTest::addRow("%s, unchanged: ask and auto", kind)
                << true << true << "" << false << named << "" << 0 << 0 << false << true;
        }
        // The first dialog gives the name; nothing is left for the automatic save.
        QTest::addRow("unnamed, ask and auto, Ja, dialog answered")
            << true << true << "Ja" << true << false << "neu" << 1 << 1 << true << true;
    }
    void flagsAndAnswers() {
        QFETCH(bool, ask);
        QFETCH(bool, autoSave);
        QFETCH(QString, answer);
        QFETCH(bool, changed);
        QFETCH(bool, named);
        QFETCH(QString, dialogAnswer);
        QFETCH(int, questions);
        QFETCH(int, dialogs);
        QFETCH(bool, written);
        QFETCH(bool, closes);

        Window window;
        window->FormCreate({});
        test::SetAskToSave(*window, ask);
        test::SetAutoSave(*window, autoSave);
        const QString target = named ? path("fahrten.slg") : path("neu.slg");
        if (named)
            window->document().setFileName(target.toStdString());
        if (changed)
            window->document().editCell({ColOrt, 1}, "Passau");
        if (!answer.isEmpty())
            window.prompts->yesNoCancelAnswers.push_back(ToAnswer(answer));
        for (int i = 0; i < 2; ++i)
            window.prompts->saveAnswers.push_back(dialogAnswer.isEmpty() ? QString()
                                                                         : path(dialogAnswer));
        window->show();

        QCOMPARE(window->close(), closes);
        QCOMPARE(window->isVisible(), !closes);
        QCOMPARE(window.prompts->questions.size(), questions);
        if (questions)
            QCOMPARE(window.prompts->questions.first(), QStringLiteral("Datei speichern?"));
        QCOMPARE(window.prompts->savePresets.size(), dialogs);
        QCOMPARE(QFileInfo::exists(target), written);
        if (written) {
            test::Record record(test::kInputColumns.size());
            record[test::Ort] = "Passau";
            QCOMPARE(test::ReadFile(target), test::NativeFile({record}));
        }
        QVERIFY(window.prompts->errors.isEmpty());
        QVERIFY(window.prompts->unexpected.isEmpty());
        // The settings are written when the window closes, and only then.
        const auto store = test::Store();
        QCOMPARE(store->contains(QStringLiteral("Width")), closes);
        if (closes)
            QCOMPARE(store->value(QStringLiteral("DefaultFile")).toString(),
                     QString::fromStdString(window->document().fileName()));
        else
            QVERIFY(!store->contains(QStringLiteral("DefaultFile")));
    }

    void aFailedSaveKeepsTheWindowOpen_data() {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("autoSave");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("auto") << false << true << false << true;
        QTest::newRow("ask, Yes") << true << false << true << true;
        QTest::newRow("ask, No, auto") << true << true << false << true;
        QTest::newRow("ask, No") << true << false << false << false;
    }
    void aFailedSaveKeepsTheWindowOpen() {
        QFETCH(bool, ask);
        QFETCH(bool, autoSave);
        QFETCH(bool, answerYes);
        QFETCH(bool, staysOpen);
        Window window;
        window->FormCreate({});
        test::SetAskToSave(*window, ask);
        test::SetAutoSave(*window, autoSave);
        window->document().setFileName(path("fehlt/fahrten.slg").toStdString());
        window->document().editCell({ColOrt, 1}, "Passau");
        if (ask)
            window.prompts->yesNoCancelAnswers.push_back(YesOrNo(answerYes));
        window->show();

        QCOMPARE(window->close(), !staysOpen);
        QCOMPARE(window->isVisible(), staysOpen);
        QCOMPARE(window.prompts->errors.size(), staysOpen ? 1 : 0);
        // Settings are saved only when the window really closes.
        QCOMPARE(test::Store()->contains(QStringLiteral("DefaultFile")), !staysOpen);
        if (!staysOpen)
            return;

        // The program goes on; with a usable name the next close succeeds.
        QDir(folder()).mkdir(QStringLiteral("fehlt"));
        if (ask)
            window.prompts->yesNoCancelAnswers.push_back(YesOrNo(answerYes));
        QVERIFY(window->close());
        QVERIFY(QFileInfo::exists(path("fehlt/fahrten.slg")));
        QCOMPARE(test::Store()->value(QStringLiteral("DefaultFile")).toString(),
                 path("fehlt/fahrten.slg"));
    }

    // The file was written by someone else since it was loaded. The question about it
    // comes only when a save really happens, before the file is written; a No keeps the
    // window open and the file as the other writer left it.
    void aChangeOutsideIsNotOverwrittenUnasked_data() {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("autoSave");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<QString>("closeAnswer");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<bool>("changedQuestion");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<bool>("saved");
        QTest::newRow("auto, Nein")
            << false << true << true << "" << QList<bool>{false} << true << true << false;
        QTest::newRow("auto, Ja") << false << true << true << "" << QList<bool>{true} << true
                                  << false << true;
        QTest::newRow("ask Ja, Nein")
            << true << false << true << "Ja" << QList<bool>{false} << true << true << false;
        QTest::newRow("ask Nein") << true << false << true << "Nein" << QList<bool>{} << false
                                  << false << false;
        QTest::newRow("ask Ja and auto, Ja")
            << true << true << true << "Ja" << QList<bool>{true} << true << false << true;
        QTest::newRow("ask Nein and auto, Nein")
            << true << true << true << "Nein" << QList<bool>{false} << true << true << false;
        // Nothing of this window's to save: the other writer's file stays, unasked.
        QTest::newRow("unedited, ask and auto")
            << true << true << false << "" << QList<bool>{} << false << false << false;
    }
    void aChangeOutsideIsNotOverwrittenUnasked() {
        QFETCH(bool, ask);
        QFETCH(bool, autoSave);
        QFETCH(bool, edited);
        QFETCH(QString, closeAnswer);
        QFETCH(QList<bool>, answers);
        QFETCH(bool, changedQuestion);
        QFETCH(bool, staysOpen);
        QFETCH(bool, saved);
        test::WriteFile(path("fahrten.slg"), test::NativeFile(test::SampleRecords(3)));
        Window window;
        window->FormCreate({path("fahrten.slg")});
        test::SetAskToSave(*window, ask);
        test::SetAutoSave(*window, autoSave);
        if (edited)
            window->document().editCell({ColOrt, 1}, "Passau");
        const QByteArray theirs = test::NativeFile(test::SampleRecords(4));
        test::WriteFile(path("fahrten.slg"), theirs);
        if (!closeAnswer.isEmpty())
            window.prompts->yesNoCancelAnswers.push_back(ToAnswer(closeAnswer));
        for (const bool answer : answers)
            window.prompts->yesNoAnswers.push_back(answer);
        window->show();

        QCOMPARE(window->close(), !staysOpen);
        QCOMPARE(window->isVisible(), staysOpen);
        QStringList questions;
        if (!closeAnswer.isEmpty())
            questions << QStringLiteral("Datei speichern?");
        if (changedQuestion)
            questions << QStringLiteral(
                "Die Datei wurde außerhalb von Spritlog geändert. Trotzdem speichern?");
        QCOMPARE(window.prompts->questions, questions);
        QCOMPARE(test::ReadFile(path("fahrten.slg")) == theirs, !saved);
        QVERIFY(window.prompts->errors.isEmpty());
        QVERIFY(window.prompts->unexpected.isEmpty());
        QCOMPARE(test::Store()->contains(QStringLiteral("DefaultFile")), !staysOpen);
    }

    // A settings folder that cannot be made: nothing is written, nothing said, and the
    // window closes (a store file that cannot be written is reported: settings_test).
    void settingsThatCannotBeWritten() {
        test::WriteFile(path("datei"), "kein Ordner");
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path("datei/config"));
        Window window;
        window->FormCreate({});
        test::SetAskToSave(*window, false);
        window->show();
        const bool closed = window->close();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path("config"));
        QVERIFY(closed);
        QCOMPARE(window.prompts->errors, QStringList());
    }

    void everyWayToCloseRunsTheSequence_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("button") << "b_beenden";
        QTest::newRow("tool bar") << "t_beenden";
        QTest::newRow("menu") << "m_Beenden";
        QTest::newRow("F10") << "F10";
        QTest::newRow("window") << "close";
    }
    void everyWayToCloseRunsTheSequence() {
        QFETCH(QString, how);
        Window window;
        window->FormCreate({});
        test::SetAskToSave(*window, true);
        window->document().editCell({ColOrt, 1}, "Passau");
        window.prompts->yesNoCancelAnswers.push_back(Prompts::Answer::No);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.fmain.get()));
        if (how == QLatin1String("F10"))
            QTest::keyClick(window.fmain.get(), Qt::Key_F10);
        else if (how == QLatin1String("close"))
            window->close();
        else if (auto* button = window->findChild<QAbstractButton*>(how))
            button->click();
        else
            window->findChild<QAction*>(how)->trigger();
        QCOMPARE(window.prompts->questions, QStringList{QStringLiteral("Datei speichern?")});
        QVERIFY(!window->isVisible());
        QVERIFY(test::Store()->contains(QStringLiteral("Width")));
    }
};

SPRITLOG_GUI_TEST_MAIN(CloseSequenceTest)
#include "closesequence_test.moc"
