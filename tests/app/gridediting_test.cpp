// Typing into p_Grid of the real window: the character mapping, the derived columns, Enter,
// Tab and Ctrl+Tab, the record commands with their status bar, and a typed logbook saved
// and opened again.
#include "guitest.h"

#include <QAction>
#include <QPushButton>
#include <QTemporaryDir>

using namespace spritlog;
using test::OpenEditor;
using test::Window;

class GridEditingTest : public test::GuiTest {
    Q_OBJECT

    std::unique_ptr<Window> window_;

    // A shown window on a logbook of `records` records, with the focus in p_Grid. False
    // when the window does not become active: the keys the tests type would then reach no
    // widget, and the checks after them would prove nothing.
    [[nodiscard]] bool open(int records) {
        window_ = std::make_unique<Window>();
        const QString file = path(QStringLiteral("grid.slg"));
        test::WriteFile(file, test::NativeFile(test::SampleRecords(records)));
        (*window_)->FormCreate({file});
        return window_->showActive();
    }

    GridView* grid() const { return test::Grid(**window_); }

    // Types `text` at the cursor as the user does: the first key goes to the table, which
    // opens the editor; the others go to the editor.
    void type(const QString& text) { test::TypeIntoGrid(grid(), text); }

    void enter() {
        if (QLineEdit* editor = OpenEditor(grid()))
            QTest::keyClick(editor, Qt::Key_Return);
        else
            QTest::keyClick(grid(), Qt::Key_Return);
    }

private slots:
    void cleanup() { window_.reset(); }

    void typedCharactersAreMapped_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        QTest::newRow("decimal comma in Liter") << int(ColLiter) << "7,5"
                                                << "7.5";
        QTest::newRow("date with slashes") << int(ColDatum) << "06/12/2026"
                                           << "06.12.2026";
        QTest::newRow("date with hyphens") << int(ColDatum) << "06-12-2026"
                                           << "06.12.2026";
        QTest::newRow("first character mapped") << int(ColLiterpreis) << ",99"
                                                << ".99";
        QTest::newRow("all six in KM-Stand") << int(ColKmStand) << "1+2,3-4/5\\6_7"
                                             << "1.2.3.4.5.6.7";
        // The text columns take every character as typed.
        QTest::newRow("all six in a text column") << int(ColBenzin) << "a+b,c-d/e\\f_g"
                                                  << "a+b,c-d/e\\f_g";
        QTest::newRow("hyphen in Benzin") << int(ColBenzin) << "E-10"
                                          << "E-10";
        QTest::newRow("hyphen in Ort") << int(ColOrt) << "Garmisch-Partenkirchen"
                                       << "Garmisch-Partenkirchen";
        QTest::newRow("Tankstelle") << int(ColTankstelle) << "A_1/2"
                                    << "A_1/2";
        QTest::newRow("other characters pass") << int(ColOrt) << "Nord 1;2"
                                               << "Nord 1;2";
        QTest::newRow("note column") << int(ColNote3) << "x-y"
                                     << "x-y";
        QTest::newRow("first note column") << int(ColNote1) << "+49"
                                           << "+49";
    }
    void typedCharactersAreMapped() {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, cell);
        QVERIFY(open(3));
        Window& window = *window_;
        grid()->setCursorCell({column, 2});
        type(typed);
        enter();
        QCOMPARE(window.cell(column, 2), cell);
    }

    void typingIntoDerivedColumnsChangesNothing_data() {
        QTest::addColumn<int>("column");
        for (int column = ColKm; column <= ColTankkosten; ++column)
            QTest::addRow("column %d", column) << column;
    }
    void typingIntoDerivedColumnsChangesNothing() {
        QFETCH(int, column);
        QVERIFY(open(3));
        Window& window = *window_;
        const QString before = window.cell(column, 2);
        grid()->setCursorCell({column, 2});
        QTest::keyClicks(grid(), QStringLiteral("12,5 Nord"));
        QVERIFY(!OpenEditor(grid()));
        QCOMPARE(window.cell(column, 2), before);
        // The keys did not move the cursor either (no keyboard search).
        QCOMPARE(grid()->cursorCell()->column, column);
        QCOMPARE(grid()->cursorCell()->row, 2);
        // F2 is "&Neuer Datensatz" here, not the editor's key.
        QTest::keyClick(grid(), Qt::Key_F2);
        QVERIFY(!OpenEditor(grid()));
        QCOMPARE(window->RecordCount(), 4);
        QCOMPARE(window.cell(column, 2), before);
    }

    void enterMovesTheCursor_data() {
        QTest::addColumn<int>("fromColumn");
        QTest::addColumn<int>("fromRow");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<int>("toColumn");
        QTest::addColumn<int>("toRow");
        QTest::addColumn<int>("records");
        QTest::newRow("Datum to KM-Stand") << 1 << 1 << false << 2 << 1 << 3;
        QTest::newRow("Liter to Literpreis") << 3 << 2 << true << 4 << 2 << 3;
        QTest::newRow("Literpreis to Benzin") << 4 << 3 << false << 9 << 3 << 3;
        QTest::newRow("Literpreis to Benzin while editing") << 4 << 3 << true << 9 << 3 << 3;
        QTest::newRow("KM to Verbrauch") << 5 << 2 << false << 6 << 2 << 3;
        QTest::newRow("Tankkosten to Benzin") << 8 << 2 << false << 9 << 2 << 3;
        QTest::newRow("Tankstelle to Ort") << 10 << 1 << true << 11 << 1 << 3;
        QTest::newRow("Ort to the next record") << 11 << 1 << false << 1 << 2 << 3;
        QTest::newRow("Ort of the last record appends") << 11 << 3 << false << 1 << 4 << 4;
        QTest::newRow("Ort of the last record, editing") << 11 << 3 << true << 1 << 4 << 4;
        QTest::newRow("note column stays") << 12 << 2 << false << 12 << 2 << 3;
        QTest::newRow("note column stays, editing") << 14 << 2 << true << 14 << 2 << 3;
    }
    void enterMovesTheCursor() {
        QFETCH(int, fromColumn);
        QFETCH(int, fromRow);
        QFETCH(bool, editing);
        QFETCH(int, toColumn);
        QFETCH(int, toRow);
        QFETCH(int, records);
        QVERIFY(open(3));
        Window& window = *window_;
        grid()->setCursorCell({fromColumn, fromRow});
        if (editing) {
            type(QStringLiteral("1"));
            QVERIFY(OpenEditor(grid()));
        }
        enter();
        QVERIFY(!OpenEditor(grid()));
        QCOMPARE(grid()->cursorCell()->column, toColumn);
        QCOMPARE(grid()->cursorCell()->row, toRow);
        QCOMPARE(window->RecordCount(), records);
        QCOMPARE(window.status(0), QStringLiteral("Status: %1 Datensätze").arg(records));
        if (editing)
            QCOMPARE(window.cell(fromColumn, fromRow), QStringLiteral("1"));
        if (records == 4) {
            QCOMPARE(window.cell(ColNumber, 4), QStringLiteral("4."));
            for (int column = 1; column < kLogbookColumns; ++column)
                QCOMPARE(window.cell(column, 4), QString());
        }
    }

    void tabMovesToTheNextCell() {
        QVERIFY(open(3));
        Window& window = *window_;
        grid()->setCursorCell({ColDatum, 1});
        QTest::keyClick(grid(), Qt::Key_Tab);
        QCOMPARE(grid()->cursorCell()->column, int(ColKmStand));
        type(QStringLiteral("99"));
        QTest::keyClick(OpenEditor(grid()), Qt::Key_Tab);
        QCOMPARE(window.cell(ColKmStand, 1), QStringLiteral("99"));
        QCOMPARE(grid()->cursorCell()->column, int(ColLiter));
    }

    // Tab and Shift+Tab pass over KM, Verbrauch, Kosten/Km and Tankkosten, from the cursor
    // and from an open editor, and wrap from row to row; the arrows still reach them.
    void tabSkipsTheDerivedColumns_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<int>("toColumn");
        QTest::addColumn<int>("toRow");
        QTest::newRow("Tab from Literpreis")
            << int(ColLiterpreis) << 1 << int(Qt::Key_Tab) << false << int(ColBenzin) << 1;
        QTest::newRow("Tab from Literpreis in the editor")
            << int(ColLiterpreis) << 1 << int(Qt::Key_Tab) << true << int(ColBenzin) << 1;
        QTest::newRow("Shift+Tab from Benzin")
            << int(ColBenzin) << 2 << int(Qt::Key_Backtab) << false << int(ColLiterpreis) << 2;
        QTest::newRow("Shift+Tab from Benzin in the editor")
            << int(ColBenzin) << 2 << int(Qt::Key_Backtab) << true << int(ColLiterpreis) << 2;
        QTest::newRow("Tab from the last note")
            << int(ColNote3) << 1 << int(Qt::Key_Tab) << false << int(ColDatum) << 2;
        QTest::newRow("Shift+Tab from Datum")
            << int(ColDatum) << 2 << int(Qt::Key_Backtab) << false << int(ColNote3) << 1;
        QTest::newRow("Right arrow from Literpreis")
            << int(ColLiterpreis) << 1 << int(Qt::Key_Right) << false << int(ColKm) << 1;
        QTest::newRow("Left arrow from Benzin")
            << int(ColBenzin) << 1 << int(Qt::Key_Left) << false << int(ColTankkosten) << 1;
    }
    void tabSkipsTheDerivedColumns() {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(bool, editing);
        QFETCH(int, toColumn);
        QFETCH(int, toRow);
        QVERIFY(open(3));
        grid()->setCursorCell({column, row});
        const auto modifiers = key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier;
        if (editing) {
            type(QStringLiteral("7"));
            QTest::keyClick(OpenEditor(grid()), Qt::Key(key), modifiers);
            QCOMPARE(window_->cell(column, row), QStringLiteral("7"));
        } else {
            QTest::keyClick(grid(), Qt::Key(key), modifiers);
        }
        QCOMPARE(grid()->cursorCell()->column, toColumn);
        QCOMPARE(grid()->cursorCell()->row, toRow);
    }

    // Ctrl+Tab and Ctrl+Shift+Tab take the keyboard out of the table to the next or previous
    // control, from the cursor or from an open editor, whose text goes into the cell first;
    // Tab alone stays in the table.
    void ctrlTabLeavesTheTable_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("focus");
        const int ctrl = Qt::ControlModifier;
        const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        const QString pages = QStringLiteral("qt_tabwidget_tabbar");
        QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier) << false << "p_Grid";
        QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << ctrl << false << "b_neu";
        QTest::newRow("Ctrl+Tab in the editor") << int(Qt::Key_Tab) << ctrl << true << "b_neu";
        QTest::newRow("Ctrl+Shift+Tab") << int(Qt::Key_Backtab) << ctrlShift << false << pages;
        QTest::newRow("Ctrl+Shift+Tab as Tab") << int(Qt::Key_Tab) << ctrlShift << false << pages;
        QTest::newRow("Ctrl+Shift+Tab in the editor")
            << int(Qt::Key_Backtab) << ctrlShift << true << pages;
    }
    void ctrlTabLeavesTheTable() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, editing);
        QFETCH(QString, focus);
        QVERIFY(open(3));
        Window& window = *window_;
        grid()->setCursorCell({ColKmStand, 1});
        QWidget* target = grid();
        if (editing) {
            type(QStringLiteral("99"));
            target = OpenEditor(grid());
            QVERIFY(target);
        }
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(!OpenEditor(grid()));
        QCOMPARE(window.cell(ColKmStand, 1),
                 editing ? QStringLiteral("99") : QStringLiteral("10000"));
    }

    void characterOutsideTheCodePageBecomesQuestionMark() {
        QVERIFY(open(3));
        Window& window = *window_;
        grid()->setCursorCell({ColOrt, 1});
        // Typed keys with their texts, the first one opening the editor.
        QTest::sendKeyEvent(QTest::Click, grid(), Qt::Key_Z, QStringLiteral("ź"), Qt::NoModifier);
        QLineEdit* editor = OpenEditor(grid());
        QVERIFY(editor);
        const QString rest = QStringLiteral("ōln €");
        for (const QChar c : rest)
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_A, QString(c), Qt::NoModifier);
        enter();
        QCOMPARE(QByteArray::fromStdString(std::string(window->document().table().cell(ColOrt, 1))),
                 QByteArray("??ln \x80"));
    }

    void newRecordFromButtonMenuAndKey_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("button") << "b_neu";
        QTest::newRow("menu") << "m_NeuerDatensatz";
        QTest::newRow("F2") << "F2";
    }
    void newRecordFromButtonMenuAndKey() {
        QFETCH(QString, how);
        QVERIFY(open(4));
        Window& window = *window_;
        window->m_DelZeileClick(); // the cursor's record goes, the next one is new and empty
        grid()->setCursorCell({ColOrt, 1});
        if (how == QLatin1String("F2"))
            QTest::keyClick(grid(), Qt::Key_F2);
        else if (auto* button = window->findChild<QPushButton*>(how))
            button->click();
        else
            window->findChild<QAction*>(how)->trigger();
        QCOMPARE(window->RecordCount(), 4);
        QCOMPARE(window.status(0), QStringLiteral("Status: 4 Datensätze"));
        QCOMPARE(grid()->cursorCell()->row, 4);
        QCOMPARE(grid()->cursorCell()->column, int(ColDatum));
        for (int column = 1; column < kLogbookColumns; ++column)
            QCOMPARE(window.cell(column, 4), QString());
    }

    void deleteRowRenumbers() {
        QVERIFY(open(5));
        Window& window = *window_;
        const QString third = window.cell(ColKmStand, 3);
        const QString thirdDerived = window.cell(ColKm, 3);
        grid()->setCursorCell({ColTankstelle, 2});
        window->findChild<QAction*>(QStringLiteral("m_DelZeile"))->trigger();
        QCOMPARE(window->RecordCount(), 4);
        QCOMPARE(window.cell(ColKmStand, 2), third);
        // The record that moved up measures from record 1 at once: 11000 - 10000, not 500.
        QCOMPARE(thirdDerived, QStringLiteral("500"));
        QCOMPARE(window.cell(ColKm, 2), QStringLiteral("1000"));
        for (int row = 1; row <= 4; ++row)
            QCOMPARE(window.cell(ColNumber, row), QStringLiteral("%1.").arg(row));
        QCOMPARE(window.status(0), QStringLiteral("Status: 4 Datensätze"));
        QCOMPARE(grid()->model()->headerData(3, Qt::Vertical).toString(), QStringLiteral("4."));
    }

    void deletingTheLastRecordLeavesNone() {
        QVERIFY(open(1));
        Window& window = *window_;
        grid()->setCursorCell({ColDatum, 1});
        window->m_DelZeileClick();
        QCOMPARE(window->RecordCount(), 0);
        QCOMPARE(window.status(0), QStringLiteral("Status: 0 Datensätze"));
        window->m_DelZeileClick();
        QCOMPARE(window->RecordCount(), 0);
        QVERIFY(window.prompts->errors.isEmpty());
    }

    // The cursor stays on the deleted record's row, which now holds the next record, so
    // that deleting again removes the neighbour; after the last record it goes up one.
    void deleteKeepsTheCursorRow_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("deletions");
        QTest::addColumn<QStringList>("remaining"); // KM-Stand of the records left
        QTest::addColumn<int>("cursorRow");         // 0: no cursor, no records
        QTest::newRow("middle record")
            << 5 << 3 << 1 << QStringList{"10000", "10500", "11500", "12000"} << 3;
        QTest::newRow("last record")
            << 5 << 5 << 1 << QStringList{"10000", "10500", "11000", "11500"} << 4;
        QTest::newRow("twice in a row")
            << 5 << 2 << 2 << QStringList{"10000", "11500", "12000"} << 2;
        QTest::newRow("twice from the last")
            << 5 << 5 << 2 << QStringList{"10000", "10500", "11000"} << 3;
        QTest::newRow("the only record") << 1 << 1 << 1 << QStringList() << 0;
    }
    void deleteKeepsTheCursorRow() {
        QFETCH(int, records);
        QFETCH(int, row);
        QFETCH(int, deletions);
        QFETCH(QStringList, remaining);
        QFETCH(int, cursorRow);
        QVERIFY(open(records));
        Window& window = *window_;
        grid()->setCursorCell({ColTankstelle, row});
        for (int i = 0; i < deletions; ++i)
            window->findChild<QAction*>(QStringLiteral("m_DelZeile"))->trigger();
        QStringList left;
        for (int r = 1; r <= window->RecordCount(); ++r)
            left << window.cell(ColKmStand, r);
        QCOMPARE(left, remaining);
        if (cursorRow == 0) {
            QVERIFY(!grid()->cursorCell());
            return;
        }
        QVERIFY(grid()->cursorCell());
        QCOMPARE(grid()->cursorCell()->row, cursorRow);
        QCOMPARE(grid()->cursorCell()->column, int(ColTankstelle));
        // The selection follows the cursor.
        QCOMPARE(grid()->selectionModel()->selectedIndexes(),
                 QModelIndexList{grid()->currentIndex()});
    }

    void insertDateGoesIntoColumnOneOfTheCursorRow() {
        QVERIFY(open(4));
        Window& window = *window_;
        grid()->setCursorCell({ColTankstelle, 3});
        test::Button(*window, "b_datum")->click();
        QCOMPARE(window.cell(ColDatum, 3), QStringLiteral("06.12.2026"));
        QCOMPARE(window.cell(ColDatum, 2),
                 QString::fromStdString(test::SampleRecords(4)[1][test::Datum]));
        // The menu item of the same name is bound to nothing.
        grid()->setCursorCell({ColTankstelle, 1});
        window->findChild<QAction*>(QStringLiteral("m_Datum"))->trigger();
        QCOMPARE(window.cell(ColDatum, 1),
                 QString::fromStdString(test::SampleRecords(4)[0][test::Datum]));
    }

    // The ordinary typing flow: three refuellings typed from Datum to Ort with Enter, whose
    // Enter in Ort of the last record appends an empty record each time. That empty record
    // takes no part: F5, saving and the next start show no box, and the figures are those
    // of the three records (105 litres; 40 x 1.50 + 35 x 1.40 + 30 x 1.60 = 157.00 EUR;
    // Verbrauch 7.00 and 6.00, their mean 6.50).
    void typedLogbookWithItsEmptyLastRecordStartsAgain() {
        window_ = std::make_unique<Window>();
        (*window_)->FormCreate({});
        QVERIFY(window_->showActive());
        Window& window = *window_;
        QCOMPARE(window->RecordCount(), 1);
        const QStringList typed[3] = {
            {"05.01.2024", "10000", "40", "1.50", "Super", "Nord", "Essen"},
            {"20.02.2024", "10500", "35", "1.40", "Super", "West", "Essen"},
            {"10.03.2024", "11000", "30", "1.60", "Super", "Nord", "Essen"}};
        grid()->setCursorCell({ColDatum, 1});
        for (const QStringList& record : typed)
            for (const QString& text : record) {
                type(text);
                enter();
            }
        QCOMPARE(window->RecordCount(), 4);
        QCOMPARE(grid()->cursorCell()->row, 4);
        QCOMPARE(window.cell(ColOrt, 3), QStringLiteral("Essen"));

        QTest::keyClick(grid(), Qt::Key_F5);
        QCOMPARE(window.prompts->errors, QStringList());
        QCOMPARE(window.cell(ColVerbrauch, 3), QStringLiteral(" 6.00")); // the newest too
        QCOMPARE(window.cell(ColTankkosten, 3), QStringLiteral("48.00"));
        QCOMPARE(window.cell(ColTankkosten, 4), QString());

        window.prompts->saveAnswers.push_back(path(QStringLiteral("getippt.slg")));
        QTest::keyClick(grid(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(window.prompts->savePresets.size(), 1);
        QVERIFY(test::ReadFile(path(QStringLiteral("getippt.slg"))).startsWith("4\r\n"));
        QVERIFY(!window->document().isModified());
        // The file is saved already: closing asks nothing.
        QVERIFY(window->close());
        QCOMPARE(window.prompts->questions, QStringList());
        QCOMPARE(window.prompts->errors, QStringList());
        QCOMPARE(window.prompts->unexpected, QStringList());
        window_.reset();

        Window again;
        again->FormCreate({path(QStringLiteral("getippt.slg"))});
        again->show();
        QCOMPARE(again.prompts->errors, QStringList());
        QCOMPARE(again.prompts->notices, QStringList());
        QCOMPARE(again.prompts->questions, QStringList());
        QCOMPARE(again.status(0), QStringLiteral("Status: 4 Datensätze"));
        QVERIFY(again.status(1).endsWith(QStringLiteral("getippt.slg")));
        test::Pages(*again)->setCurrentIndex(2);
        QVERIFY(test::StatisticsNotice(*again)->isHidden());
        const std::array<QLabel*, 12> figures = test::StatisticsLabels(*again);
        QCOMPARE(figures[1]->text(), QStringLiteral("105.00 Liter"));
        QCOMPARE(figures[2]->text(), QStringLiteral("157.00 EUR"));
        QCOMPARE(figures[3]->text(), QStringLiteral(" 6.50 L/100KM"));
        QCOMPARE(again.prompts->errors, QStringList());
        // None of the old English messages anywhere in the window.
        for (const QLabel* label : again->findChildren<QLabel*>())
            for (const char* english : {"valid", "Invalid", "division", "numeric"})
                QVERIFY2(!label->text().contains(QLatin1String(english)),
                         qPrintable(label->text()));
    }

    void newLogbookLeavesOneEmptyRecord() {
        QVERIFY(open(5));
        Window& window = *window_;
        window->document().setHeading(ColNote1, "Fahrer");
        window->findChild<QAction*>(QStringLiteral("m_Neu"))->trigger();
        QCOMPARE(window->RecordCount(), 1);
        QCOMPARE(window->document().fileName(), std::string());
        QCOMPARE(window.status(0), QStringLiteral("Status: 1 Datensätze"));
        QCOMPARE(window.status(1), QStringLiteral("Geladene Datei: "));
        QCOMPARE(window.cell(ColNote1, 0), QStringLiteral("Fahrer"));
        for (int column = 1; column < kLogbookColumns; ++column)
            QCOMPARE(window.cell(column, 1), QString());
    }
};

SPRITLOG_GUI_TEST_MAIN(GridEditingTest)
#include "gridediting_test.moc"
