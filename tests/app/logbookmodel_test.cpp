// The table model of p_Grid and p_Info over the window's text tables.
#include "guitest.h"

#include "app/window/texttablemodel.h"
#include "platform/celltext.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>

using namespace spritlog;

namespace {

TextTable Logbook(int records) {
    std::vector<test::Record> rows;
    for (int row = 1; row <= records; ++row)
        rows.push_back({"01.01.2024", std::to_string(1000 * row), "K\xF6ln"}); // Köln
    TextTable grid = test::LogbookOf({ColDatum, ColKmStand, ColOrt}, rows);
    WriteColumnHeaders(grid);
    NumberRecords(grid);
    return grid;
}

// Gives the document `table` and returns it.
const TextTable& Hold(LogbookDocument& book, TextTable table) {
    book.setTable(std::move(table));
    return book.table();
}

// The text a header shows at `position` along it (in its viewport).
QString HeaderTextAt(const QHeaderView* header, int position) {
    const int section = header->logicalIndexAt(position);
    return header->model()->headerData(section, header->orientation()).toString();
}

// The text the view shows in logbook column `column` at height `y` of its viewport.
QString TextAt(const QTableView& view, int column, int y) {
    const int x = view.columnViewportPosition(column - 1) + 2;
    return view.indexAt(QPoint(x, y)).data().toString();
}

} // namespace

class LogbookModelTest : public QObject {
    Q_OBJECT

private slots:
    void showsRowZeroAsHeaderAndColumnZeroAsRowNumbers() {
        LogbookDocument book;
        Hold(book, Logbook(3));
        LogbookModel model(book);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 14);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Datum"));
        QCOMPARE(model.headerData(13, Qt::Horizontal).toString(), QString());
        QCOMPARE(model.headerData(2, Qt::Vertical).toString(), QStringLiteral("3."));
        QCOMPARE(model.index(1, ColKmStand - 1).data().toString(), QStringLiteral("2000"));
        QCOMPARE(model.index(0, ColOrt - 1).data().toString(), QStringLiteral("Köln"));
        QCOMPARE(model.index(3, 0).data(), QVariant());
    }

    void derivedColumnsAreNotEditable_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("editable");
        for (int column = 1; column < kLogbookColumns; ++column)
            QTest::addRow("column %d", column) << column << (column < 5 || column > 8);
    }
    void derivedColumnsAreNotEditable() {
        QFETCH(int, column);
        QFETCH(bool, editable);
        LogbookDocument book;
        const TextTable& grid = Hold(book, Logbook(1));
        LogbookModel model(book);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QModelIndex index = model.cellIndex(column, 1);
        QCOMPARE(bool(model.flags(index) & Qt::ItemIsEditable), editable);
        QCOMPARE(model.setData(index, QStringLiteral("9")), editable);
        QCOMPARE(grid.cell(column, 1) == "9", editable);
    }

    void editedTextIsStoredAsWindows1252_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("ascii") << QStringLiteral("Super") << QByteArray("Super");
        QTest::newRow("umlaut") << QStringLiteral("Straße Ü")
                                << QByteArray("Stra\xDF"
                                              "e \xDC");
        QTest::newRow("euro sign") << QStringLiteral("5 €") << QByteArray("5 \x80");
        QTest::newRow("not in the code page") << QStringLiteral("Łódź")
                                              << QByteArray("?\xF3"
                                                            "d?");
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void editedTextIsStoredAsWindows1252() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        LogbookDocument book;
        const TextTable& grid = Hold(book, Logbook(2));
        LogbookModel model(book);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(model.cellIndex(ColBenzin, 2), typed));
        QCOMPARE(QByteArray::fromStdString(std::string(grid.cell(ColBenzin, 2))), stored);
        // The cell, the cells whose unit the grade tells, then the derived cells the
        // document calculated after it.
        QCOMPARE(changed.count(), 3);
        QCOMPARE(changed.first().at(0).toModelIndex(), model.cellIndex(ColBenzin, 2));
        QCOMPARE(changed.at(1).at(0).toModelIndex(), model.cellIndex(ColLiter, 2));
        QCOMPARE(changed.at(1).at(1).toModelIndex(), model.cellIndex(ColVerbrauch, 2));
        QCOMPARE(changed.last().at(0).toModelIndex().column(), model.cellIndex(ColKm, 1).column());
    }

    void recordCommandsKeepTheViewsInStep() {
        LogbookDocument book;
        Hold(book, Logbook(3));
        LogbookModel model(book);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

        QCOMPARE(book.appendRecord(), 4);
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.first().at(1).toInt(), 3);

        // Enter from "Ort" of the last record appends one more.
        const EnterResult moved = book.enter({ColOrt, 4});
        QVERIFY(moved.appended);
        QCOMPARE(moved.cursor.row, 5);
        QCOMPARE(moved.cursor.column, int(ColDatum));
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(inserted.count(), 2);

        book.deleteRecord({ColDatum, 2});
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.first().at(1).toInt(), 1);
        QCOMPARE(model.index(1, ColKmStand - 1).data().toString(), QStringLiteral("3000"));

        // Outside the records nothing happens.
        book.deleteRecord({ColDatum, 0});
        book.deleteRecord({ColDatum, 9});
        QCOMPARE(removed.count(), 1);
        QCOMPARE(model.rowCount(), 4);
    }

    void deletingEveryRecordLeavesAnEmptyModel() {
        LogbookDocument book;
        const TextTable& grid = Hold(book, Logbook(2));
        LogbookModel model(book);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        book.deleteRecord({ColDatum, 1});
        book.deleteRecord({ColDatum, 1});
        QCOMPARE(model.rowCount(), 0);
        book.deleteRecord({ColDatum, 1});
        QCOMPARE(grid.rowCount(), 1);
    }

    // Undo and redo tell the model the region they changed: records come and go at the end,
    // the cells above change; no reset.
    void undoAndRedoTellTheirRegion() {
        LogbookDocument book;
        Hold(book, Logbook(3));
        LogbookModel model(book);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        book.deleteRecord({ColDatum, 2});
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        book.undo();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.first().at(1).toInt(), 2); // the third record, at the end
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(1, ColKmStand - 1).data().toString(), QStringLiteral("2000"));
        book.redo();
        QCOMPARE(removed.count(), 1);
        QCOMPARE(model.rowCount(), 2);
        book.editCell({ColOrt, 1}, "Hof");
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        book.undo();
        QCOMPARE(changed.first().at(0).toModelIndex(), model.cellIndex(ColOrt, 1));
        QCOMPARE(changed.first().at(1).toModelIndex(), model.cellIndex(ColOrt, 1));
        QCOMPARE(reset.count(), 0);
    }

    void changedColumnsAreAnnounced() {
        LogbookDocument book;
        Hold(book, Logbook(4));
        LogbookModel model(book);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        book.calculate();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex(), model.cellIndex(ColKm, 1));
        QCOMPARE(changed.first().at(1).toModelIndex(), model.cellIndex(ColTankkosten, 4));
    }

    // Column 0 of the station table has a heading of its own, so it is a column like the
    // others and there are no row headers.
    void readOnlyModelOfTheStationTable() {
        TextTable info(7, 3);
        info.setCell(0, 0, "Nr");
        info.setCell(1, 0, "Tankstelle - Benzin");
        info.setCell(0, 1, "1");
        info.setCell(1, 1, "Nord (Super)");
        TextTableModel model(info, TextTableModel::ColumnZero::Cells);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.columnCount(), 7);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Nr"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("Tankstelle - Benzin"));
        QCOMPARE(model.headerData(7, Qt::Horizontal), QVariant());
        QCOMPARE(model.headerData(0, Qt::Vertical), QVariant());
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("1"));
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("Nord (Super)"));
        QCOMPARE(model.cellIndex(1, 1), model.index(0, 1));
        QCOMPARE(TextTableModel::TableColumn(model.index(0, 1)), 1);
        QCOMPARE(TextTableModel::TableColumn(model.index(0, 0)), 0);
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("x")));
    }

    // A hundred thousand records in the view, as the user sees them: row 0 as the column
    // headers, column 0 as the record numbers, the cells under them, the last record after
    // scrolling and after a reset, and a text typed into a cell. (How fast is for the
    // window benchmark, not for a test.)
    void largeLogbookInTheView() {
        LogbookDocument book;
        const TextTable& grid = Hold(book, Logbook(100000));
        LogbookModel model(book);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        GridView view;
        view.resize(640, 400);
        view.setLogbookModel(&model);
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        const QHeaderView* top = view.horizontalHeader();
        const QHeaderView* left = view.verticalHeader();
        QVERIFY(top->isVisible());
        QVERIFY(left->isVisible());

        // Every logbook column in its place, under the caption from row 0.
        QCOMPARE(top->count(), kLogbookColumns - 1);
        for (int column = 1; column < kLogbookColumns; ++column) {
            const int section = column - 1;
            QVERIFY(!top->isSectionHidden(section));
            QCOMPARE(top->visualIndex(section), section);
            QCOMPARE(HeaderTextAt(top, top->sectionPosition(section) + 1),
                     CellToQString(grid.cell(column, 0)));
        }
        QCOMPARE(HeaderTextAt(top, 1), QStringLiteral("Datum"));
        // The first row is the first record, numbered from column 0; row 0 is no record.
        QCOMPARE(HeaderTextAt(left, 1), QStringLiteral("1."));
        QCOMPARE(TextAt(view, ColDatum, 1), QStringLiteral("01.01.2024"));
        QCOMPARE(TextAt(view, ColKmStand, 1), QStringLiteral("1000"));
        QCOMPARE(TextAt(view, ColOrt, 1), QStringLiteral("Köln"));
        // The longest record number fits its header.
        QVERIFY(left->width() >= left->fontMetrics().horizontalAdvance(QStringLiteral("100000.")));

        view.scrollToBottom();
        QCoreApplication::processEvents();
        const int bottom = view.viewport()->height() - 1;
        QCOMPARE(HeaderTextAt(left, bottom), QStringLiteral("100000."));
        QCOMPARE(TextAt(view, ColKmStand, bottom), QStringLiteral("100000000"));

        book.editCell({ColLiter, 99999}, "7.5");
        QCoreApplication::processEvents();
        QCOMPARE(model.rowCount(), 100000);
        view.scrollToBottom();
        QCoreApplication::processEvents();
        QCOMPARE(HeaderTextAt(left, bottom), QStringLiteral("100000."));
        const QModelIndex changed = model.cellIndex(ColLiter, 99999);
        QVERIFY(view.viewport()->rect().contains(view.visualRect(changed)));
        QCOMPARE(TextAt(view, ColLiter, view.visualRect(changed).center().y()),
                 QStringLiteral("7.5"));

        // Typed into the last record's "Liter": the comma becomes the decimal point, and
        // the cell shows what the table now holds.
        const QModelIndex liter = model.cellIndex(ColLiter, 100000);
        view.setCurrentIndex(liter);
        view.edit(liter);
        QLineEdit* editor = test::OpenEditor(&view);
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("8,25"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(!test::OpenEditor(&view));
        QVERIFY(view.viewport()->rect().contains(view.visualRect(liter)));
        QCOMPARE(CellToQString(grid.cell(ColLiter, 100000)), QStringLiteral("8.25"));
        QCOMPARE(TextAt(view, ColLiter, view.visualRect(liter).center().y()),
                 QStringLiteral("8.25"));
    }
};

SPRITLOG_GUI_TEST_MAIN(LogbookModelTest)
#include "logbookmodel_test.moc"
