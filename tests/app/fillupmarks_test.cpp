// Partial and missed fill-ups in the window: the two mark commands of the menu and the
// table's context menu, the look of a marked record, and the setting that switches
// consumption from full tank to full tank off.
#include "dialogtest.h"

#include "logbook/fillups.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QMenu>

using namespace spritlog;
using test::Window;
using test::WindowWithDialogs;

namespace {

// 10000 km full, 10300 km 20 L at 1.50, 10600 km 25 L at 1.60: record by record 6.67 and
// 8.33 L/100 km (10.00 and 13.33 per 100 km); with record 2 partial, 45 L and 70.00 over
// 600 km give both 7.50 and 11.67.
std::vector<test::Record> ThreeFillUps(const std::string& secondNote) {
    std::vector<test::Record> records = test::SampleRecords(3);
    const char* const readings[3][3] = {
        {"10000", "40", "1.50"}, {"10300", "20", "1.50"}, {"10600", "25", "1.60"}};
    for (int i = 0; i < 3; ++i) {
        records[i][test::KmStand] = readings[i][0];
        records[i][test::Liter] = readings[i][1];
        records[i][test::Literpreis] = readings[i][2];
        records[i][test::Note3].clear();
    }
    records[1][test::Note3] = secondNote;
    return records;
}

QStringList Figures(const Window& window, int row) {
    return {window.cell(ColVerbrauch, row), window.cell(ColKostenKm, row)};
}

QVariant LiterLook(const Window& window, int row, int role) {
    LogbookModel* model = window->gridModel();
    return model->data(model->cellIndex(ColLiter, row), role);
}

} // namespace

class FillUpMarksTest : public test::GuiTest {
    Q_OBJECT

    const QStringList perRecord2 = {" 6.67", "10.00"};
    const QStringList perRecord3 = {" 8.33", "13.33"};
    const QStringList interval = {" 7.50", "11.67"};

private slots:
    void noteTexts_data() {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("marked");
        QTest::addColumn<QString>("unmarked");
        QTest::newRow("empty") << ""
                               << "Teilbetankung"
                               << "";
        QTest::newRow("text kept after the mark") << "Urlaub"
                                                  << "Teilbetankung; Urlaub"
                                                  << "Urlaub";
        QTest::newRow("mark first") << "Teilbetankung; Urlaub"
                                    << ""
                                    << "Urlaub";
        QTest::newRow("mark last") << "Urlaub; Teilbetankung"
                                   << ""
                                   << "Urlaub";
        QTest::newRow("mark between") << "A, teilbetankung ;B"
                                      << ""
                                      << "A, B";
        QTest::newRow("importer's pair") << "Teilbetankung, Fehlende Betankung"
                                         << ""
                                         << "Fehlende Betankung";
        QTest::newRow("more text in the part") << "Teilbetankung 20 L"
                                               << ""
                                               << "20 L";
        QTest::newRow("word inside a part stays") << "keine Teilbetankung"
                                                  << ""
                                                  << "keine Teilbetankung";
    }
    void noteTexts() {
        QFETCH(QString, note);
        QFETCH(QString, marked);
        QFETCH(QString, unmarked);
        const std::string text = note.toStdString();
        if (!marked.isEmpty())
            QCOMPARE(QString::fromStdString(WithMark(text, kPartialWord)), marked);
        QCOMPARE(QString::fromStdString(WithoutMark(text, kPartialWord)), unmarked);
    }

    // Marked from the menu, the figures follow at F5; Ctrl+Z takes back first the
    // calculation, then the mark.
    void partialFromTheMenu() {
        test::WriteFile(path("a.slg"), test::NativeFile(ThreeFillUps("Urlaub")));
        Window window;
        window->FormCreate({path("a.slg")});
        QVERIFY(window.showActive());
        QCOMPARE(Figures(window, 2), perRecord2);
        test::Grid(*window)->setCursorCell({ColOrt, 2});
        QAction* mark = test::Action(*window, "m_Teilbetankung");
        QVERIFY(mark->isCheckable());
        QVERIFY(!mark->isChecked());
        trigger(window, "m_Teilbetankung");
        QCOMPARE(window.cell(ColNote3, 2), QStringLiteral("Teilbetankung; Urlaub"));
        QVERIFY(mark->isChecked());
        QVERIFY(LiterLook(window, 2, Qt::FontRole).value<QFont>().italic());
        QCOMPARE(LiterLook(window, 2, Qt::ToolTipRole).toString(),
                 QStringLiteral("Teilbetankung: Verbrauch von Volltank zu Volltank"));
        QVERIFY(!LiterLook(window, 3, Qt::FontRole).isValid());
        // The figures follow the mark at once; F5 finds nothing left to do.
        QCOMPARE(Figures(window, 2), interval);
        QCOMPARE(Figures(window, 3), interval);
        QTest::keyClick(window.fmain.get(), Qt::Key_F5);
        QCOMPARE(Figures(window, 2), interval);
        QCOMPARE(Figures(window, 3), interval);
        QCOMPARE(window.cell(ColTankkosten, 2), QStringLiteral("30.00"));
        QCOMPARE(window.cell(ColKm, 3), QStringLiteral("300"));

        // F5 is no step: one undo takes the mark and its figures back.
        QTest::keyClick(window.fmain.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window.cell(ColNote3, 2), QStringLiteral("Urlaub"));
        QCOMPARE(Figures(window, 3), perRecord3);
        QVERIFY(!LiterLook(window, 2, Qt::FontRole).isValid());

        // Off again in one step, wherever the notes carry the mark.
        window->document().editCell({ColNote1, 2}, "teilbetankung");
        test::Grid(*window)->setCursorCell({ColDatum, 2});
        trigger(window, "m_Teilbetankung");
        QCOMPARE(window.cell(ColNote1, 2), QString());
        QVERIFY(!mark->isChecked());
        QTest::keyClick(window.fmain.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window.cell(ColNote1, 2), QStringLiteral("teilbetankung"));
        QCOMPARE(window.prompts->errors, QStringList());
    }

    // Strg+T and Strg+Umschalt+T mark the cursor's record and take the mark off again; the
    // row header shows the marks, with their meaning as tool tip and for screen readers, and
    // the note keeps what it held.
    void keysMarkTheRecordAndItsHeader() {
        test::WriteFile(path("a.slg"), test::NativeFile(ThreeFillUps("Urlaub")));
        Window window;
        window->FormCreate({path("a.slg")});
        QVERIFY(window.showActive());
        GridView* grid = test::Grid(*window);
        LogbookModel* model = window->gridModel();
        const auto header = [model](int row, int role) {
            return model->headerData(row - 1, Qt::Vertical, role).toString();
        };
        const auto notes = [&window] {
            return window.cell(ColNote1, 2) + window.cell(ColNote2, 2) + window.cell(ColNote3, 2);
        };
        grid->setCursorCell({ColLiter, 2});
        QCOMPARE(header(2, Qt::DisplayRole), QStringLiteral("2."));
        QCOMPARE(header(2, Qt::ToolTipRole), QString());

        QTest::keyClick(grid, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(window.cell(ColNote3, 2), QStringLiteral("Teilbetankung; Urlaub"));
        QCOMPARE(header(2, Qt::DisplayRole), QStringLiteral("T 2."));
        QCOMPARE(header(2, Qt::ToolTipRole), QStringLiteral("Teilbetankung"));
        QCOMPARE(header(2, Qt::AccessibleTextRole), QStringLiteral("Datensatz 2., Teilbetankung"));

        QTest::keyClick(grid, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(header(2, Qt::DisplayRole), QStringLiteral("TF 2."));
        QCOMPARE(header(2, Qt::ToolTipRole),
                 QStringLiteral("Teilbetankung\nFehlende Betankung davor"));
        QVERIFY(notes().contains(QStringLiteral("Urlaub")));

        QTest::keyClick(grid, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(header(2, Qt::DisplayRole), QStringLiteral("F 2."));
        QVERIFY(notes().contains(QStringLiteral("Urlaub")));
        QVERIFY(!notes().contains(QStringLiteral("Teilbetankung")));
        QCOMPARE(header(3, Qt::DisplayRole), QStringLiteral("3."));
        QCOMPARE(window.prompts->errors, QStringList());
    }

    // The table's context menu, opened from the keyboard, takes its access letters.
    void missedFromTheContextMenu() {
        test::WriteFile(path("a.slg"), test::NativeFile(ThreeFillUps("")));
        Window window;
        window->FormCreate({path("a.slg")});
        QVERIFY(window.showActive());
        GridView* grid = test::Grid(*window);
        grid->setCursorCell({ColLiter, 3});
        const QRect cell = grid->visualRect(grid->currentIndex());
        QContextMenuEvent open(QContextMenuEvent::Keyboard, cell.center(),
                               grid->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid->viewport(), &open);
        auto* menu = test::Named<QMenu>(*window, QStringLiteral("p_GridMenu"));
        QTRY_VERIFY(menu->isVisible());
        QTest::keyClick(menu, Qt::Key_F);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(window.cell(ColNote3, 3), QStringLiteral("Fehlende Betankung"));
        QCOMPARE(LiterLook(window, 3, Qt::ToolTipRole).toString(),
                 QStringLiteral("Fehlende Betankung davor: kein Verbrauch"));
        QTest::keyClick(window.fmain.get(), Qt::Key_F5);
        QCOMPARE(Figures(window, 2), perRecord2);
        QCOMPARE(Figures(window, 3), (QStringList{"", ""}));
        QCOMPARE(window.cell(ColTankkosten, 3), QStringLiteral("40.00"));
    }

    // A problem of the cell itself is what its tooltip tells first.
    void invalidCellKeepsItsTooltip() {
        std::vector<test::Record> records = ThreeFillUps("Teilbetankung");
        records[1][test::Liter] = "2x";
        test::WriteFile(path("a.slg"), test::NativeFile(records));
        Window window;
        window->FormCreate({path("a.slg")});
        window.prompts->errors.clear();
        QVERIFY(LiterLook(window, 2, Qt::ForegroundRole).isValid());
        QVERIFY(!LiterLook(window, 2, Qt::ToolTipRole)
                     .toString()
                     .startsWith(QStringLiteral("Teilbetankung")));
        QVERIFY(LiterLook(window, 2, Qt::FontRole).value<QFont>().italic());
    }

    // Off in the settings dialog: every record by itself at once, the marks no longer shown;
    // the statistics page counts the intervals.
    void settingOffGivesEachRecordItsOwnFigures() {
        test::WriteFile(path("a.slg"), test::NativeFile(ThreeFillUps("Teilbetankung")));
        WindowWithDialogs window({path("a.slg")});
        QCOMPARE(Figures(window, 2), interval);
        test::ModalRecorder modal;
        modal.work = [&](QDialog*) {
            auto* box = test::Named<QCheckBox>(*window.setup, QStringLiteral("CheckBox7"));
            QVERIFY(box->isChecked());
            box->setChecked(false);
            test::Named<QPushButton>(*window.setup, QStringLiteral("b_annehmen"))->click();
        };
        window->m_EinstellungenClick();
        QCOMPARE(Figures(window, 2), perRecord2);
        QCOMPARE(Figures(window, 3), perRecord3);
        QVERIFY(!LiterLook(window, 2, Qt::FontRole).isValid());
        QCOMPARE(window.cell(ColNote3, 2), QStringLiteral("Teilbetankung"));
        QCOMPARE(window.prompts->errors, QStringList());
    }

    void statisticsPageCountsTheIntervals() {
        std::vector<test::Record> records = ThreeFillUps("Teilbetankung");
        records.push_back(records[2]);
        records[3][test::KmStand] = "10900";
        test::WriteFile(path("a.slg"), test::NativeFile(records));
        Window window;
        window->FormCreate({path("a.slg")});
        test::Pages(*window)->setCurrentIndex(2);
        // 10000 to 10600 km and 10600 to 10900 km.
        QCOMPARE(test::Named<QLabel>(*window, QStringLiteral("p_intervals"))->text(),
                 QStringLiteral("Verbrauch aus 2 vollständigen Tankintervallen"));
    }
};

SPRITLOG_GUI_TEST_MAIN(FillUpMarksTest)
#include "fillupmarks_test.moc"
