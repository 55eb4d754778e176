// Unsaved changes survive a window that never closed: the recovery copy is written after
// a pause, offered at the next start, taken back or thrown away, and removed by a save or a
// clean close.
#include "dialogtest.h"
#include "guitest.h"

#include <QComboBox>
#include <QFileInfo>

#include <QDateTime>
#include <QDir>
#include <QProcess>

#include <cstdio>
#include <cstring>
#include <string>

using namespace spritlog;
using test::Window;

class RecoveryTest : public test::GuiTest {
    Q_OBJECT

    QString logbook() const { return path(QStringLiteral("fahrten.slg")); }
    static QString stateFolder() {
        return QString::fromLocal8Bit(qgetenv("XDG_STATE_HOME")) + QStringLiteral("/spritlog");
    }
    static QStringList copies() {
        return QDir(stateFolder()).entryList({QStringLiteral("*.recovery")}, QDir::Files);
    }
    // A window on the logbook of two records, shown and with the keyboard.
    std::unique_ptr<Window> openWindow() {
        auto window = std::make_unique<Window>();
        (*window)->FormCreate({logbook()});
        test::SetAskToSave(**window, false);
        if (!window->showActive())
            return nullptr;
        return window;
    }
    // Types `text` into (column, row) and confirms it with Enter, as the user does.
    static void type(Window& window, int column, int row, const QString& text) {
        GridView* grid = test::Grid(*window);
        grid->setCursorCell({column, row});
        QTest::keyClick(grid, text.at(0).toLatin1());
        QLineEdit* editor = test::OpenEditor(grid);
        QVERIFY(editor);
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!test::OpenEditor(grid));
    }
    // The recovery question's line for the logbook `name` in the test's folder.
    QString offer(const QString& name, const QDateTime& at) const {
        return name + QStringLiteral(" | ") + QFileInfo(path(name)).absolutePath() +
               QStringLiteral(" | ") + at.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
    }
    // A window on `name` that types into it and goes without closing, as a crash leaves it;
    // its copy stays behind.
    void crashWhileEditing(const QString& name, const QString& kmStand) {
        test::WriteFile(path(name), test::NativeFile(test::SampleRecords(2)));
        Window crashed;
        crashed->FormCreate({path(name)});
        test::SetAskToSave(*crashed, false);
        QVERIFY(crashed.showActive());
        type(crashed, ColKmStand, 2, kmStand);
        crashed->recovery().flush();
    }

private slots:
    void init() {
        GuiTest::init();
        test::WriteFile(logbook(), test::NativeFile(test::SampleRecords(2)));
    }

    // The window that typed is destroyed without closing, as a crash leaves it; the next
    // window on the logbook asks once.
    void leftBehindChangesAreOffered_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("waitForPause");
        QTest::newRow("Wiederherstellen, after the pause")
            << static_cast<int>(RecoveryChoice::Restore) << true;
        QTest::newRow("Wiederherstellen, flushed")
            << static_cast<int>(RecoveryChoice::Restore) << false;
        QTest::newRow("Löschen") << static_cast<int>(RecoveryChoice::Delete) << false;
        QTest::newRow("Für später behalten") << static_cast<int>(RecoveryChoice::Keep) << false;
    }
    void leftBehindChangesAreOffered() {
        QFETCH(int, choice);
        QFETCH(bool, waitForPause);
        const bool answer = choice == static_cast<int>(RecoveryChoice::Restore);
        const QByteArray fileBefore = test::ReadFile(logbook());
        const QDateTime before = QDateTime::currentDateTime();
        {
            auto crashed = openWindow();
            QVERIFY(crashed);
            type(*crashed, ColKmStand, 2, QStringLiteral("12345"));
            QVERIFY((*crashed)->document().isModified());
            if (waitForPause) {
                QVERIFY(copies().isEmpty()); // not before the pause
                QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 1, 6000);
            } else {
                (*crashed)->recovery().flush();
            }
            QCOMPARE(copies().size(), 1);
            // Another window on the logbook leaves the copy of a window still open alone.
            Window other;
            other->FormCreate({logbook()});
            QCOMPARE(other.prompts->questions, QStringList());
        }
        const QDateTime after = QDateTime::currentDateTime();
        QCOMPARE(test::ReadFile(logbook()), fileBefore); // the copy never replaces the file

        Window next;
        next.prompts->recoveryAnswers.push_back({static_cast<RecoveryChoice>(choice)});
        next->FormCreate({logbook()});
        QCOMPARE(next.prompts->questions.size(), 1);
        QCOMPARE(next.prompts->recoveryOffers.size(), 1);
        QCOMPARE(next.prompts->recoveryOffers.first().size(), 1);
        const QString asked = next.prompts->recoveryOffers.first().first();
        const QString name = QStringLiteral("fahrten.slg");
        QVERIFY2(asked == offer(name, before) || asked == offer(name, after), qPrintable(asked));
        QCOMPARE(next->document().fileName(), logbook().toStdString());
        QCOMPARE(next.cell(ColKmStand, 2),
                 answer ? QStringLiteral("12345") : QStringLiteral("10500"));
        QCOMPARE(next->document().isModified(), answer);
        QCOMPARE(next->isWindowModified(), answer); // the title marks unsaved changes
        QCOMPARE(test::ReadFile(logbook()), fileBefore);
        QCOMPARE(next.prompts->unexpected, QStringList());

        if (answer) {
            // The restored changes have a copy of their own; saving writes the real file and
            // removes it.
            QCOMPARE(copies().size(), 1);
            trigger(next, "m_Speichern");
            QVERIFY(test::ReadFile(logbook()).contains("12345"));
            QVERIFY(!next->document().isModified());
        }
        next->recovery().flush();
        if (choice == static_cast<int>(RecoveryChoice::Keep)) {
            // Kept for later: the copy stays and the next start asks again.
            QCOMPARE(copies().size(), 1);
            next->recovery().closeCleanly();
            next.fmain.reset();
            Window again;
            again.prompts->recoveryAnswers.push_back({RecoveryChoice::Delete});
            again->FormCreate({logbook()});
            QCOMPARE(again.prompts->recoveryOffers.size(), 1);
            QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 0, 2000);
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 0, 2000);
        next.fmain.reset();
        Window again;
        again->FormCreate({logbook()});
        QCOMPARE(again.prompts->questions, QStringList());
    }

    // The start asks about every logbook's changes, whatever file it opens, in one question;
    // a copy goes only when the user says so.
    void everyLogbookIsOfferedAtTheStart() {
        crashWhileEditing(QStringLiteral("e.slg"), QStringLiteral("22222"));
        crashWhileEditing(QStringLiteral("f.slg"), QStringLiteral("33333"));
        QCOMPARE(copies().size(), 2);
        {
            Window kept;
            kept.prompts->recoveryAnswers.push_back({RecoveryChoice::Keep, RecoveryChoice::Keep});
            kept->FormCreate({logbook()});
            QCOMPARE(kept.prompts->recoveryOffers.size(), 1);
            QStringList names;
            for (const QString& line : kept.prompts->recoveryOffers.first())
                names << line.section(QStringLiteral(" | "), 0, 0);
            names.sort();
            QCOMPARE(names, (QStringList{QStringLiteral("e.slg"), QStringLiteral("f.slg")}));
            QCOMPARE(kept->document().fileName(), logbook().toStdString());
            QVERIFY(!kept->document().isModified());
            QCOMPARE(copies().size(), 2);
            kept->recovery().closeCleanly();
        }
        {
            // Restoring one opens that logbook with its changes; the other is deleted.
            Window next;
            next.prompts->recoveryAnswers.push_back(
                {RecoveryChoice::Restore, RecoveryChoice::Delete});
            next->FormCreate({logbook()});
            QCOMPARE(next.prompts->recoveryOffers.size(), 1);
            const QString first =
                next.prompts->recoveryOffers.first().first().section(QStringLiteral(" | "), 0, 0);
            QCOMPARE(next->document().fileName(), path(first).toStdString());
            QCOMPARE(next.cell(ColKmStand, 2), first == QStringLiteral("e.slg")
                                                   ? QStringLiteral("22222")
                                                   : QStringLiteral("33333"));
            QVERIFY(next->document().isModified());
            QCOMPARE(test::ReadFile(path(first)), test::NativeFile(test::SampleRecords(2)));
            next->recovery().flush();
            QCOMPARE(copies().size(), 1); // the restored logbook's own copy
            QCOMPARE(next.prompts->unexpected, QStringList());
        }
    }

    // The real question: every copy kept unless the user picks otherwise, and only one
    // logbook restored.
    void recoveryDialogKeepsByDefaultAndRestoresOne() {
        QtPrompts prompts;
        test::ModalRecorder modal;
        modal.work = [](QDialog* dialog) {
            auto* first = dialog->findChild<QComboBox*>(QStringLiteral("p_recoveryChoice_1"));
            auto* second = dialog->findChild<QComboBox*>(QStringLiteral("p_recoveryChoice_2"));
            QVERIFY(first && second);
            QCOMPARE(first->currentText(), QStringLiteral("Für später behalten"));
            QCOMPARE(second->currentText(), QStringLiteral("Für später behalten"));
            first->setCurrentIndex(0);  // Wiederherstellen
            second->setCurrentIndex(0); // also: the first goes back to later
            dialog->accept();
        };
        const QList<RecoveryOffer> offers{{QStringLiteral("a.slg"), QStringLiteral("/x"), {}},
                                          {QStringLiteral("b.slg"), QStringLiteral("/y"), {}},
                                          {QString(), QString(), {}}};
        QCOMPARE(prompts.chooseRecovery(nullptr, offers),
                 (QList<RecoveryChoice>{RecoveryChoice::Keep, RecoveryChoice::Restore,
                                        RecoveryChoice::Keep}));
        modal.work = nullptr; // cancelled: everything kept
        QCOMPARE(prompts.chooseRecovery(nullptr, offers),
                 QList<RecoveryChoice>(3, RecoveryChoice::Keep));
    }

    // The window of another process, killed with SIGKILL after the copy was written, or
    // while it keeps writing copies: the next window offers the changes, and the logbook
    // file is as it was.
    void killedProcessLeavesItsChanges_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("after the pause") << QStringLiteral("pause");
        QTest::newRow("while writing") << QStringLiteral("writing");
    }
    void killedProcessLeavesItsChanges() {
        QFETCH(QString, mode);
        const QByteArray fileBefore = test::ReadFile(logbook());
        QProcess crashing;
        crashing.setProcessChannelMode(QProcess::SeparateChannels);
        crashing.start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--crashing-window"), logbook(), mode});
        QVERIFY(crashing.waitForStarted());
        QByteArray said;
        while (!said.contains("ready") && crashing.waitForReadyRead(30000))
            said += crashing.readAllStandardOutput();
        QVERIFY2(said.contains("ready"), crashing.readAllStandardError().constData());
        if (mode == QStringLiteral("writing"))
            QTest::qWait(300);
        crashing.kill(); // SIGKILL
        QVERIFY(crashing.waitForFinished());
        QCOMPARE(crashing.exitStatus(), QProcess::CrashExit);
        QCOMPARE(test::ReadFile(logbook()), fileBefore);

        Window next;
        next.prompts->recoveryAnswers.push_back({RecoveryChoice::Restore});
        next->FormCreate({logbook()});
        QCOMPARE(next.prompts->questions.size(), 1);
        QCOMPARE(next.prompts->notices, QStringList()); // no copy was damaged
        QCOMPARE(next.cell(ColKmStand, 2), QStringLiteral("12345"));
        if (mode == QStringLiteral("writing"))
            QVERIFY(next.cell(ColNote1, 1).startsWith(QLatin1Char('n')));
        QVERIFY(next->document().isModified());
        QCOMPARE(test::ReadFile(logbook()), fileBefore);
    }

    // Whatever leaves nothing unsaved removes the copy; a crash after it loses nothing and
    // the next start asks nothing.
    void copyGoesWithTheUnsavedChanges_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("kmStandAfter");
        QTest::newRow("clean close") << QStringLiteral("m_Beenden") << QStringLiteral("10500");
        QTest::newRow("Neu, Nein") << QStringLiteral("m_Neu") << QStringLiteral("10500");
        QTest::newRow("Speichern") << QStringLiteral("m_Speichern") << QStringLiteral("12345");
        QTest::newRow("undone") << QStringLiteral("m_Rueckgaengig") << QStringLiteral("10500");
    }
    void copyGoesWithTheUnsavedChanges() {
        QFETCH(QString, action);
        QFETCH(QString, kmStandAfter);
        {
            auto window = openWindow();
            QVERIFY(window);
            type(*window, ColKmStand, 2, QStringLiteral("12345"));
            (*window)->recovery().flush();
            QCOMPARE(copies().size(), 1);
            window->prompts->yesNoCancelAnswers.push_back(Prompts::Answer::No);
            trigger(*window, action.toLatin1().constData()); // "Datei speichern?" is off
            QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 0, 2000);
            if (action == QStringLiteral("m_Beenden"))
                QVERIFY(!(*window)->isVisible()); // closed with the changes discarded
            else
                QVERIFY(!(*window)->document().isModified());
        }
        Window next;
        next->FormCreate({logbook()});
        QCOMPARE(next.prompts->questions, QStringList());
        QCOMPARE(next.cell(ColKmStand, 2), kmStandAfter);
    }

    // Deleting a record is risky: the copy with the record comes at once, not after the pause.
    void copyBeforeDeletingARecord() {
        auto window = openWindow();
        QVERIFY(window);
        type(*window, ColKmStand, 2, QStringLiteral("12345"));
        test::Grid(**window)->setCursorCell({ColDatum, 1});
        trigger(*window, "m_DelZeile");
        QCOMPARE((*window)->RecordCount(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(copies().size(), 1, 1500);
        const QString copy = stateFolder() + QLatin1Char('/') + copies().first();
        QTRY_VERIFY_WITH_TIMEOUT(test::ReadFile(copy).contains("10000"), 1500);
        QVERIFY(test::ReadFile(copy).contains("12345"));
    }

    void unreadableCopyIsSetAsideAndNamed() {
        QDir().mkpath(stateFolder());
        // A process id no system hands out: the window that wrote it is gone.
        const QString name = QStringLiteral("0123456789abcdef_999999999_1.recovery");
        test::WriteFile(stateFolder() + QLatin1Char('/') + name, "kaputt");
        Window window;
        window->FormCreate({logbook()});
        QCOMPARE(window.prompts->questions, QStringList());
        const QString aside = stateFolder() + QLatin1Char('/') + name + QStringLiteral(".defekt");
        QCOMPARE(window.prompts->notices,
                 QStringList{QStringLiteral("Eine Wiederherstellungskopie ließ sich nicht lesen. "
                                            "Sie ist aufbewahrt unter „%1“.")
                                 .arg(aside)});
        QCOMPARE(test::ReadFile(aside), QByteArray("kaputt"));
        QVERIFY(copies().isEmpty());
    }
};

// The window of another process that the test kills with SIGKILL: it opens the logbook,
// changes it and says "ready" once the change is in a recovery copy ("pause": a typed
// value after the pause; "writing": it then goes on changing and writing without end).
int RunCrashingWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Spritlog"));
    QApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QTemporaryDir config;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    Window window;
    window->FormCreate({QString::fromLocal8Bit(argv[2])});
    test::SetAskToSave(*window, false);
    if (!window.showActive())
        return 2;
    GridView* grid = test::Grid(*window);
    grid->setCursorCell({ColKmStand, 2});
    QTest::keyClick(grid, '1');
    QLineEdit* editor = test::OpenEditor(grid);
    if (!editor)
        return 3;
    QTest::keyClicks(editor, QStringLiteral("2345"));
    QTest::keyClick(editor, Qt::Key_Return);
    const QDir state(QString::fromLocal8Bit(qgetenv("XDG_STATE_HOME")) +
                     QStringLiteral("/spritlog"));
    for (int waited = 0; state.entryList({QStringLiteral("*.recovery")}).isEmpty(); waited += 50) {
        if (waited > 20000)
            return 4;
        QTest::qWait(50);
    }
    std::printf("ready\n");
    std::fflush(stdout);
    if (std::strcmp(argv[3], "writing") != 0)
        return QApplication::exec();
    for (int round = 0;; ++round) {
        window->document().editCell({ColNote1, 1}, "n" + std::to_string(round));
        window->recovery().writeNow();
        QApplication::processEvents();
    }
}

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--crashing-window") == 0)
        return RunCrashingWindow(argc, argv);
    return spritlog::test::RunGuiTest<RecoveryTest>(argc, argv);
}
#include "recovery_test.moc"
