// The table model of p_Grid and p_Info over the window's text tables.
#include "guitest.h"

#include "app/window/texttablemodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace spritlog;

namespace {

TextTable Logbook(int records) {
    TextTable grid = NewLogbookTable();
    WriteColumnHeaders(grid);
    grid.setRowCount(records + 1);
    for (int row = 1; row <= records; ++row) {
        grid.setCell(ColDatum, row, "01.01.2024");
        grid.setCell(ColKmStand, row, std::to_string(1000 * row));
        grid.setCell(ColOrt, row, "K\xF6ln"); // Köln
    }
    UpdateStatusBar(grid, "");
    return grid;
}

} // namespace

class LogbookModelTest : public QObject {
    Q_OBJECT

private slots:
    void showsRowZeroAsHeaderAndColumnZeroAsRowNumbers() {
        TextTable grid = Logbook(3);
        LogbookModel model(grid);
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
        TextTable grid = Logbook(1);
        LogbookModel model(grid);
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
        TextTable grid = Logbook(2);
        LogbookModel model(grid);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(model.cellIndex(ColBenzin, 2), typed));
        QCOMPARE(QByteArray::fromStdString(std::string(grid.cell(ColBenzin, 2))), stored);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex(), model.cellIndex(ColBenzin, 2));
    }

    void recordCommandsKeepTheViewsInStep() {
        TextTable grid = Logbook(3);
        LogbookModel model(grid);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

        QCOMPARE(model.appendRecord(), 4);
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.first().at(1).toInt(), 3);

        // Enter from "Ort" of the last record appends one more.
        const EnterResult moved = model.enter({ColOrt, 4});
        QVERIFY(moved.appended);
        QCOMPARE(moved.cursor.row, 5);
        QCOMPARE(moved.cursor.column, int(ColDatum));
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(inserted.count(), 2);

        model.deleteRecord(2);
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.first().at(1).toInt(), 1);
        QCOMPARE(model.index(1, ColKmStand - 1).data().toString(), QStringLiteral("3000"));

        // Outside the records nothing happens.
        model.deleteRecord(0);
        model.deleteRecord(9);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(model.rowCount(), 4);
    }

    void deletingEveryRecordLeavesAnEmptyModel() {
        TextTable grid = Logbook(2);
        LogbookModel model(grid);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.deleteRecord(1);
        model.deleteRecord(1);
        QCOMPARE(model.rowCount(), 0);
        model.deleteRecord(1);
        QCOMPARE(grid.rowCount(), 1);
    }

    void resetFollowsTheTableEvenWhenTheChangeFails() {
        TextTable grid = Logbook(3);
        LogbookModel model(grid);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        bool thrown = false;
        try {
            model.resetWith([&] {
                grid.setRowCount(8);
                throw std::runtime_error("stop");
            });
        } catch (const std::runtime_error&) {
            thrown = true;
        }
        QVERIFY(thrown);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(), 7);
    }

    void changedColumnsAreAnnounced() {
        TextTable grid = Logbook(4);
        LogbookModel model(grid);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.changeColumns(ColKm, ColTankkosten, [&] { grid.setCell(ColKm, 4, "500"); });
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().at(0).toModelIndex(), model.cellIndex(ColKm, 1));
        QCOMPARE(changed.first().at(1).toModelIndex(), model.cellIndex(ColTankkosten, 4));
    }

    void readOnlyModelOfTheStationTable() {
        TextTable info(7, 3);
        info.setCell(1, 0, "Tankstelle - Benzin");
        info.setCell(0, 1, "1");
        info.setCell(1, 1, "Nord (Super)");
        TextTableModel model(info);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.columnCount(), 6);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Tankstelle - Benzin"));
        QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
        QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("Nord (Super)"));
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("x")));
    }

    // A hundred thousand records in the view: scrolling to the end and a reset reach the
    // last record. (How fast is for the window benchmark, not for a test.)
    void largeLogbookInTheView() {
        TextTable grid = Logbook(100000);
        LogbookModel model(grid);
        GridView view;
        view.resize(640, 400);
        view.setLogbookModel(&model);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.scrollToBottom();
        QCoreApplication::processEvents();
        model.resetWith([&] { grid.setCell(ColLiter, 99999, "7.5"); });
        QCoreApplication::processEvents();
        QCOMPARE(model.rowCount(), 100000);
        QCOMPARE(model.cellIndex(ColLiter, 99999).data().toString(), QStringLiteral("7.5"));
    }
};

SPRITLOG_GUI_TEST_MAIN(LogbookModelTest)
#include "logbookmodel_test.moc"
