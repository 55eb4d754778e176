// Closing the main window: the save question, the automatic save, the settings, and an
// error that keeps the window open.
#include "guitest.h"

#include <QAction>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

using namespace spritlog;
using test::Window;

class CloseSequenceTest : public test::GuiTest {
    Q_OBJECT

private slots:

    // Every combination of the two flags and the answer, with a current file name and
    // without one (then every save opens the save dialog, which the test cancels or
    // answers): how often is asked, how often the dialog opens, whether the file is written.
    void flagsAndAnswers_data() {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("autoSave");
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("dialogAnswer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<bool>("written");

        for (const bool named : {true, false}) {
            const char* kind = named ? "named" : "unnamed, dialog cancelled";
            const int yes = named ? 0 : 1; // dialogs per save without a name
            QTest::addRow("%s: no flag", kind)
                << false << false << false << named << "" << 0 << 0 << false;
            QTest::addRow("%s: ask, Yes", kind)
                << true << false << true << named << "" << 1 << yes << named;
            QTest::addRow("%s: ask, No", kind)
                << true << false << false << named << "" << 1 << 0 << false;
            QTest::addRow("%s: auto", kind)
                << false << true << false << named << "" << 0 << yes << named;
            QTest::addRow("%s: ask and auto, Yes", kind)
                << true << true << true << named << "" << 1 << 2 * yes << named;
            QTest::addRow("%s: ask and auto, No", kind)
                << true << true << false << named << "" << 1 << yes << named;
        }
        // The first dialog gives the name; the automatic save then uses it.
        QTest::addRow("unnamed, ask and auto, Yes, dialog answered")
            << true << true << true << false << "neu" << 1 << 1 << true;
    }
    void flagsAndAnswers() {
        QFETCH(bool, ask);
        QFETCH(bool, autoSave);
        QFETCH(bool, answerYes);
        QFETCH(bool, named);
        QFETCH(QString, dialogAnswer);
        QFETCH(int, questions);
        QFETCH(int, dialogs);
        QFETCH(bool, written);

        Window window;
        window->FormCreate({});
        test::SetAskToSave(*window, ask);
        test::SetAutoSave(*window, autoSave);
        const QString target = named ? path("fahrten.slg") : path("neu.slg");
        if (named)
            window->document().setFileName(target.toStdString());
        if (ask)
            window.prompts->yesNoAnswers.push_back(answerYes);
        for (int i = 0; i < 2; ++i)
            window.prompts->saveAnswers.push_back(dialogAnswer.isEmpty() ? QString()
                                                                         : path(dialogAnswer));
        window->show();

        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        QCOMPARE(window.prompts->questions.size(), questions);
        if (questions)
            QCOMPARE(window.prompts->questions.first(), QStringLiteral("Datei speichern?"));
        QCOMPARE(window.prompts->savePresets.size(), dialogs);
        QCOMPARE(QFileInfo::exists(target), written);
        if (written)
            QCOMPARE(test::ReadFile(target), QByteArray("1\r\n" + QByteArray("\r\n").repeated(10)));
        QVERIFY(window.prompts->errors.isEmpty());
        // The settings are written in every case.
        QCOMPARE(test::Store()->value(QStringLiteral("DefaultFile")).toString(),
                 QString::fromStdString(window->document().fileName()));
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
        if (ask)
            window.prompts->yesNoAnswers.push_back(answerYes);
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
            window.prompts->yesNoAnswers.push_back(answerYes);
        QVERIFY(window->close());
        QVERIFY(QFileInfo::exists(path("fehlt/fahrten.slg")));
        QCOMPARE(test::Store()->value(QStringLiteral("DefaultFile")).toString(),
                 path("fehlt/fahrten.slg"));
    }

    // The file was written by someone else since it was loaded. The question about it
    // comes only when a save really happens; a No keeps the window open and the file as the
    // other writer left it.
    void aChangeOutsideIsNotOverwrittenUnasked_data() {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("autoSave");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<bool>("changedQuestion");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<bool>("saved");
        QTest::newRow("auto, Nein") << false << true << QList<bool>{false} << true << true << false;
        QTest::newRow("auto, Ja") << false << true << QList<bool>{true} << true << false << true;
        QTest::newRow("ask Ja, Nein")
            << true << false << QList<bool>{true, false} << true << true << false;
        QTest::newRow("ask Nein") << true << false << QList<bool>{false} << false << false << false;
        QTest::newRow("ask Ja and auto, Ja")
            << true << true << QList<bool>{true, true} << true << false << true;
        QTest::newRow("ask Nein and auto, Nein")
            << true << true << QList<bool>{false, false} << true << true << false;
    }
    void aChangeOutsideIsNotOverwrittenUnasked() {
        QFETCH(bool, ask);
        QFETCH(bool, autoSave);
        QFETCH(QList<bool>, answers);
        QFETCH(bool, changedQuestion);
        QFETCH(bool, staysOpen);
        QFETCH(bool, saved);
        test::WriteFile(path("fahrten.slg"), test::NativeFile(test::SampleRecords(3)));
        Window window;
        window->FormCreate({path("fahrten.slg")});
        test::SetAskToSave(*window, ask);
        test::SetAutoSave(*window, autoSave);
        const QByteArray theirs = test::NativeFile(test::SampleRecords(4));
        test::WriteFile(path("fahrten.slg"), theirs);
        for (const bool answer : answers)
            window.prompts->yesNoAnswers.push_back(answer);
        window->show();

        QCOMPARE(window->close(), !staysOpen);
        QCOMPARE(window->isVisible(), staysOpen);
        QStringList questions;
        if (ask)
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
        window.prompts->yesNoAnswers.push_back(false);
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
