// Undo and redo in the window, the question before "Neu" and "Öffnen" throw away unsaved
// changes, and "Zuletzt geöffnet".
#include "guitest.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>

using namespace spritlog;
using test::OpenEditor;
using test::Window;

namespace {

const QString kQuestion = QStringLiteral("Die Änderungen am Tankbuch speichern?");

QStringList AllCells(Window& window) {
    QStringList cells;
    const TextTable& table = window->document().table();
    for (int row = 0; row < table.rowCount(); ++row)
        for (int column = 0; column < table.columnCount(); ++column)
            cells << window.cell(column, row);
    return cells;
}

QAction* Action(Window& window, const QString& name) {
    return window->findChild<QAction*>(name);
}

// The visible entries of "Zuletzt geöffnet": text and tooltip.
QStringList RecentEntries(Window& window) {
    QStringList entries;
    for (QAction* entry : window->findChild<QMenu*>(QStringLiteral("m_Zuletzt"))->actions())
        if (entry->isVisible())
            entries << entry->text() + QStringLiteral(" | ") + entry->toolTip();
    return entries;
}

} // namespace

class SafetyNetsTest : public test::GuiTest {
    Q_OBJECT

    std::unique_ptr<Window> window_;

    // A shown, active window on a.slg with three records and the focus in p_Grid; the
    // shortcuts reach an active window only.
    [[nodiscard]] bool open() {
        test::WriteFile(path(QStringLiteral("a.slg")), test::NativeFile(test::SampleRecords(3)));
        window_ = std::make_unique<Window>();
        (*window_)->FormCreate({path(QStringLiteral("a.slg"))});
        return window_->showActive();
    }

    GridView* grid() const { return test::Grid(**window_); }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QTest::keyClick(window_->fmain.get(), Qt::Key(key), modifiers);
    }
    void expectCursor(int column, int row) {
        QVERIFY(grid()->cursorCell());
        QCOMPARE(grid()->cursorCell()->column, column);
        QCOMPARE(grid()->cursorCell()->row, row);
    }

private slots:
    void cleanup() { window_.reset(); }

    void undoAfterTypingACell() {
        QVERIFY(open());
        Window& window = *window_;
        QVERIFY(!Action(window, "m_Rueckgaengig")->isEnabled());
        QVERIFY(!Action(window, "m_Wiederholen")->isEnabled());
        const QString before = window.cell(ColLiter, 2);
        grid()->setCursorCell({ColLiter, 2});
        QTest::keyClick(grid(), '7');
        QLineEdit* editor = OpenEditor(grid());
        QVERIFY(editor);
        QTest::keyClick(editor, ',');
        QTest::keyClick(editor, '5');
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(window.cell(ColLiter, 2), QStringLiteral("7.5"));
        QVERIFY(Action(window, "m_Rueckgaengig")->isEnabled());

        grid()->setCursorCell({ColOrt, 3});
        key(Qt::Key_Z);
        QCOMPARE(window.cell(ColLiter, 2), before);
        expectCursor(ColLiter, 2);
        QVERIFY(!Action(window, "m_Rueckgaengig")->isEnabled());
        QVERIFY(Action(window, "m_Wiederholen")->isEnabled());
        key(Qt::Key_Y);
        QCOMPARE(window.cell(ColLiter, 2), QStringLiteral("7.5"));
        key(Qt::Key_Z);
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(window.cell(ColLiter, 2), QStringLiteral("7.5"));
        QCOMPARE(window.prompts->errors, QStringList());
    }

    void undoAfterDeletingARecord() {
        QVERIFY(open());
        Window& window = *window_;
        const QStringList before = AllCells(window);
        grid()->setCursorCell({ColOrt, 2});
        Action(window, "m_DelZeile")->trigger();
        QCOMPARE(window->RecordCount(), 2);
        key(Qt::Key_Z);
        QCOMPARE(AllCells(window), before);
        QCOMPARE(window.status(0), QStringLiteral("Status: 3 Datensätze"));
        expectCursor(ColOrt, 2);
        QVERIFY(!window->document().isModified());
    }

    void undoAfterAnImport() {
        QVERIFY(open());
        Window& window = *window_;
        const QStringList before = AllCells(window);
        window.prompts->openAnswers.push_back(QStringLiteral(SPRITLOG_TEST_DATA) +
                                              QStringLiteral("/import/spritlog.csv"));
        window.prompts->importAnswers.push_back(true);
        window.prompts->yesNoAnswers.push_back(false);
        Action(window, "m_Import_CSV")->trigger();
        // The file's first refuelling is record 1 already and is left out; 15.03.2024 goes
        // after 03.03.2024, its empty record with it. The calculation runs through without a
        // box and measures record 4 from record 3 (10500 - 11000); sorting is offered.
        QCOMPARE(window.prompts->errors, QStringList());
        QCOMPARE(window.prompts->questions,
                 QStringList{"KM-Stand kleiner als im Datensatz davor: sortieren?"});
        QCOMPARE(window.cell(ColKm, 4), QStringLiteral("-500"));
        const int imported = window->RecordCount();
        QVERIFY(imported > 3);
        const QStringList after = AllCells(window);

        // The records and their calculated values go in one step.
        key(Qt::Key_Z);
        QCOMPARE(AllCells(window), before);
        QCOMPARE(window.status(0), QStringLiteral("Status: 3 Datensätze"));
        QVERIFY(!Action(window, "m_Rueckgaengig")->isEnabled());
        key(Qt::Key_Y);
        QCOMPARE(AllCells(window), after);
        QCOMPARE(window->RecordCount(), imported);
    }

    // "Neu" with unsaved changes: Ja saves and goes on, Nein goes on, Abbrechen (or a
    // cancelled save dialog) leaves everything as it was.
    void newWithUnsavedChanges_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("named");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("Ja") << int(Prompts::Answer::Yes) << true << true << true;
        QTest::newRow("Nein") << int(Prompts::Answer::No) << true << false << true;
        QTest::newRow("Abbrechen") << int(Prompts::Answer::Cancel) << true << false << false;
        QTest::newRow("Ja, Speichern unter abgebrochen")
            << int(Prompts::Answer::Yes) << false << false << false;
    }
    void newWithUnsavedChanges() {
        QFETCH(int, answer);
        QFETCH(bool, named);
        QFETCH(bool, saved);
        QFETCH(bool, cleared);
        QVERIFY(open());
        Window& window = *window_;
        if (!named)
            window->document().setFileName(std::string());
        const QByteArray file = test::ReadFile(path(QStringLiteral("a.slg")));
        QVERIFY(window->gridModel()->setData(window->gridModel()->cellIndex(ColOrt, 2),
                                             QStringLiteral("Hof")));
        window.prompts->yesNoCancelAnswers.push_back(Prompts::Answer(answer));
        if (!named)
            window.prompts->saveAnswers.push_back(QString());
        Action(window, "m_Neu")->trigger();

        QCOMPARE(window.prompts->questions, QStringList{kQuestion});
        QCOMPARE(window.prompts->unexpected, QStringList());
        QCOMPARE(test::ReadFile(path(QStringLiteral("a.slg"))) != file, saved);
        QCOMPARE(window->RecordCount(), cleared ? 1 : 3);
        QCOMPARE(window.cell(ColOrt, 1), cleared ? QString() : QStringLiteral("München"));
        if (!cleared)
            QCOMPARE(window.cell(ColOrt, 2), QStringLiteral("Hof"));
        QCOMPARE(window->document().isModified(), !cleared);
        if (cleared) {
            // Nothing left to lose: no question.
            Action(window, "m_Neu")->trigger();
            QCOMPARE(window.prompts->questions.size(), 1);
        }
    }

    // "Öffnen" asks before its dialog; undone back to the saved state, nothing is asked.
    void openAsksFirst() {
        QVERIFY(open());
        Window& window = *window_;
        test::WriteFile(path(QStringLiteral("b.slg")), test::NativeFile(test::SampleRecords(5)));
        window->document().editCell({ColOrt, 1}, "Hof");
        window.prompts->yesNoCancelAnswers.push_back(Prompts::Answer::Cancel);
        Action(window, "m_Laden")->trigger();
        QCOMPARE(window.prompts->openPresets, QStringList());

        window->m_RueckgaengigClick();
        window.prompts->openAnswers.push_back(path(QStringLiteral("b.slg")));
        Action(window, "m_Laden")->trigger();
        QCOMPARE(window.prompts->questions, QStringList{kQuestion});
        QCOMPARE(window->RecordCount(), 5);
        QVERIFY(!Action(window, "m_Rueckgaengig")->isEnabled());
        QCOMPARE(window.prompts->unexpected, QStringList());
    }

    void recentList() {
        QVERIFY(open()); // a.slg from the command line
        Window& window = *window_;
        test::WriteFile(path(QStringLiteral("b&c.slg")), test::NativeFile(test::SampleRecords(4)));
        window.prompts->openAnswers.push_back(path(QStringLiteral("b&c.slg")));
        Action(window, "m_Laden")->trigger();
        window.prompts->saveAnswers.push_back(path(QStringLiteral("d")));
        Action(window, "m_Speichernunter")->trigger();
        // Exports are no logbooks.
        Action(window, "m_Export_CSV")->trigger();
        const QStringList expected = {
            QStringLiteral("d.slg | ") + path(QStringLiteral("d.slg")),
            QStringLiteral("b&&c.slg | ") + path(QStringLiteral("b&c.slg")),
            QStringLiteral("a.slg | ") + path(QStringLiteral("a.slg")),
        };
        QCOMPARE(RecentEntries(window), expected);

        // The store keeps it for the next window, beside the twelve values.
        Window next;
        next->FormCreate({});
        QCOMPARE(RecentEntries(next), expected);

        Action(window, "m_Zuletzt_2")->trigger();
        QCOMPARE(window->RecordCount(), 4);
        QCOMPARE(window->document().fileName(), path(QStringLiteral("b&c.slg")).toStdString());
        QCOMPARE(RecentEntries(window).first(), expected[1]);

        // A logbook that is gone drops out of the list; the table stays.
        QVERIFY(QFile::remove(path(QStringLiteral("a.slg"))));
        Action(window, "m_Zuletzt_3")->trigger();
        QCOMPARE(window.prompts->notices.last(), QStringLiteral("Datei nicht gefunden!"));
        QCOMPARE(RecentEntries(window), (QStringList{expected[1], expected[0]}));
        QCOMPARE(window->RecordCount(), 4);
        QCOMPARE(window.prompts->unexpected, QStringList());
        QCOMPARE(window.prompts->errors, QStringList());
    }

    void recentListKeepsEight() {
        Window window;
        window->FormCreate({});
        for (int i = 1; i <= 9; ++i) {
            const QString name = QStringLiteral("%1.slg").arg(i);
            test::WriteFile(path(name), test::NativeFile(test::SampleRecords(1)));
            window.prompts->openAnswers.push_back(path(name));
            Action(window, "m_Laden")->trigger();
        }
        window.prompts->openAnswers.push_back(path(QStringLiteral("5.slg")));
        Action(window, "m_Laden")->trigger();
        QStringList names;
        for (const QString& entry : RecentEntries(window))
            names << entry.section(QLatin1Char(' '), 0, 0);
        QCOMPARE(names, (QStringList{"5.slg", "9.slg", "8.slg", "7.slg", "6.slg", "4.slg", "3.slg",
                                     "2.slg"}));
    }
};

SPRITLOG_GUI_TEST_MAIN(SafetyNetsTest)
#include "safetynets_test.moc"
