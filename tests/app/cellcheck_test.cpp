// Cells whose text is no valid number or date, typed into p_Grid of the real window: the
// completion of typed dates, the red text with its tooltip, and the count in the status bar
// through edits, undo, deletion and loading.
#include "guitest.h"

#include "app/window/readablecolour.h"

#include <QPalette>
#include <QSignalSpy>

#include <algorithm>

using namespace spritlog;
using test::OpenEditor;
using test::Window;

class CellCheckTest : public test::GuiTest {
    Q_OBJECT

    std::unique_ptr<Window> window_;

    // A shown window on `records` valid records, with the focus in p_Grid.
    [[nodiscard]] bool open(const std::vector<test::Record>& records) {
        window_ = std::make_unique<Window>();
        const QString file = path(QStringLiteral("cells.slg"));
        test::WriteFile(file, test::NativeFile(records));
        (*window_)->FormCreate({file});
        return window_->showActive();
    }

    GridView* grid() const { return test::Grid(**window_); }

    // Types `text` into the cell (column, row) as the user does and leaves the cell with
    // `leave` (Enter or Tab).
    void type(int column, int row, const QString& text, Qt::Key leave = Qt::Key_Return) {
        grid()->setCursorCell({column, row});
        QTest::keyClick(grid(), text.at(0).toLatin1());
        QLineEdit* editor = OpenEditor(grid());
        QVERIFY(editor);
        for (int i = 1; i < text.size(); ++i)
            QTest::keyClick(editor, text.at(i).toLatin1());
        QTest::keyClick(editor, leave);
        QVERIFY(!OpenEditor(grid()));
    }

    QVariant shown(int column, int row, int role) const {
        return grid()->model()->data(grid()->logbookModel()->cellIndex(column, row), role);
    }
    bool isRed(int column, int row) const {
        return shown(column, row, Qt::ForegroundRole).value<QColor>() ==
               LogbookModel::InvalidTextColour();
    }
    QString tooltip(int column, int row) const {
        return shown(column, row, Qt::ToolTipRole).toString();
    }
    // The third panel of the status bar as the user sees it: empty and hidden, or its text.
    QString invalidPanel() const {
        QLabel* panel = test::StatusPanel(**window_, 2);
        if (panel->isHidden()) {
            [&] { QCOMPARE(panel->text(), QString()); }();
            return QString();
        }
        return panel->text();
    }

private slots:
    void cleanup() {
        window_.reset();
        QApplication::setPalette(QPalette());
    }

    void typedTextsAreCheckedAndCounted_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("tip"); // empty: a valid cell
        const QString date = QStringLiteral("Kein gültiges Datum (TT.MM.JJJJ)");
        QTest::newRow("Ort keeps hyphens") << int(ColOrt) << "Garmisch-Partenkirchen"
                                           << "Garmisch-Partenkirchen"
                                           << "";
        QTest::newRow("Benzin takes any text") << int(ColBenzin) << "4o"
                                               << "4o"
                                               << "";
        QTest::newRow("KM-Stand with a thousands point") << int(ColKmStand) << "47-100"
                                                         << "47100"
                                                         << "";
        QTest::newRow("KM-Stand with thousands points") << int(ColKmStand) << "1.234.567"
                                                        << "1234567"
                                                        << "";
        QTest::newRow("KM-Stand, no thousands point")
            << int(ColKmStand) << "47.10"
            << "47.10" << QStringLiteral("Datensatz 2, KM-Stand: '47.10' ist keine ganze Zahl.");
        QTest::newRow("KM-Stand") << int(ColKmStand) << "47100"
                                  << "47100"
                                  << "";
        QTest::newRow("Liter with a letter o")
            << int(ColLiter) << "4o"
            << "4o" << QStringLiteral("Datensatz 2, Liter: '4o' ist keine Zahl.");
        QTest::newRow("Liter with a comma") << int(ColLiter) << "40,5"
                                            << "40.5"
                                            << "";
        QTest::newRow("Literpreis")
            << int(ColLiterpreis) << "1.5.9"
            << "1.5.9" << QStringLiteral("Datensatz 2, Literpreis: '1.5.9' ist keine Zahl.");
        QTest::newRow("short date completed") << int(ColDatum) << "1.2.25"
                                              << "01.02.2025"
                                              << "";
        QTest::newRow("dashes, four-digit year") << int(ColDatum) << "7-11-2025"
                                                 << "07.11.2025"
                                                 << "";
        QTest::newRow("leap day") << int(ColDatum) << "29.2.24"
                                  << "29.02.2024"
                                  << "";
        QTest::newRow("no leap day kept") << int(ColDatum) << "29.2.25"
                                          << "29.2.25" << date;
        QTest::newRow("31 February kept") << int(ColDatum) << "31.02.2025"
                                          << "31.02.2025" << date;
        QTest::newRow("ISO date") << int(ColDatum) << "2025-01-01"
                                  << "2025.01.01" << date;
    }
    void gradeTellsTheUnitAtOnce_data() {
        QTest::addColumn<QString>("litres"); // typed into Liter first; empty: kept
        QTest::addColumn<QString>("grade");
        QTest::addColumn<QString>("quantityTip");
        QTest::addColumn<QString>("priceTip");
        QTest::addColumn<QString>("consumptionTip");
        const QString adBlue =
            QStringLiteral("AdBlue: zählt nur bei den Kosten, in keinem Verbrauch");
        QTest::newRow("Strom") << ""
                               << "Strom" << QStringLiteral("Menge in kWh")
                               << QStringLiteral("Preis in EUR/kWh")
                               << QStringLiteral("Verbrauch in kWh/100KM");
        QTest::newRow("strom with more words")
            << ""
            << "strom, Wallbox" << QStringLiteral("Menge in kWh")
            << QStringLiteral("Preis in EUR/kWh") << QStringLiteral("Verbrauch in kWh/100KM");
        QTest::newRow("Erdgas (CNG)")
            << ""
            << "Erdgas (CNG)" << QStringLiteral("Menge in kg") << QStringLiteral("Preis in EUR/kg")
            << QStringLiteral("Verbrauch in kg/100KM");
        QTest::newRow("AdBlue") << ""
                                << "AdBlue" << adBlue << "" << adBlue;
        QTest::newRow("Diesel, the table's own unit") << ""
                                                      << "Diesel"
                                                      << ""
                                                      << ""
                                                      << "";
        QTest::newRow("a problem first, then the unit")
            << "4o"
            << "Strom" << QStringLiteral("Datensatz 2, Liter: '4o' ist keine Zahl.\nMenge in kWh")
            << QStringLiteral("Preis in EUR/kWh") << QStringLiteral("Verbrauch in kWh/100KM");
    }
    // The grade typed into record 2 of a logbook of petrol: the quantity, price and
    // consumption cells tell the record's unit as soon as the grade is taken, and the view
    // hears of them.
    void gradeTellsTheUnitAtOnce() {
        QFETCH(QString, litres);
        QFETCH(QString, grade);
        QFETCH(QString, quantityTip);
        QFETCH(QString, priceTip);
        QFETCH(QString, consumptionTip);
        QVERIFY(open(test::SampleRecords(3)));
        if (!litres.isEmpty())
            type(ColLiter, 2, litres);
        QCOMPARE(tooltip(ColVerbrauch, 2), QString());
        QSignalSpy changed(grid()->model(), &QAbstractItemModel::dataChanged);
        type(ColBenzin, 2, grade);
        QCOMPARE(window_->cell(ColBenzin, 2), grade);
        QCOMPARE(tooltip(ColLiter, 2), quantityTip);
        QCOMPARE(tooltip(ColLiterpreis, 2), priceTip);
        QCOMPARE(tooltip(ColVerbrauch, 2), consumptionTip);
        // Records 1 and 3 keep their own.
        QCOMPARE(tooltip(ColLiter, 1), QString());
        QCOMPARE(tooltip(ColLiter, 3), QString());
        const QModelIndex liter = grid()->logbookModel()->cellIndex(ColLiter, 2);
        const bool told =
            std::any_of(changed.begin(), changed.end(), [&](const QList<QVariant>& args) {
                const auto from = args.at(0).toModelIndex(), to = args.at(1).toModelIndex();
                return from.row() <= liter.row() && liter.row() <= to.row() &&
                       from.column() <= liter.column() && liter.column() <= to.column();
            });
        QVERIFY(told);
    }

    // Each text typed into record 2 and taken with Enter: the cell as stored, red with the
    // tooltip when it is no valid number or date, and the status bar's count.
    void typedTextsAreCheckedAndCounted() {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, cell);
        QFETCH(QString, tip);
        QVERIFY(open(test::SampleRecords(3)));
        Window& window = *window_;
        QCOMPARE(invalidPanel(), QString());
        type(column, 2, typed);
        QCOMPARE(window.cell(column, 2), cell);
        QCOMPARE(tooltip(column, 2), tip);
        QCOMPARE(isRed(column, 2), !tip.isEmpty());
        // A number the calculation cannot read is named in the status bar too.
        const QString named = tip.startsWith(QStringLiteral("Datensatz"))
                                  ? QStringLiteral("1 ungültige Zelle: ") + tip
                                  : QStringLiteral("1 ungültige Zelle");
        QCOMPARE(invalidPanel(), tip.isEmpty() ? QString() : named);
        QVERIFY(window.prompts->errors.isEmpty());
    }

    // The date is completed when the cell is left, in the same step of the history as the
    // edit: one undo brings back the date from before.
    void dateCompletedOnLeavingTheCell() {
        QVERIFY(open(test::SampleRecords(3)));
        Window& window = *window_;
        const QString before = window.cell(ColDatum, 2);
        grid()->setCursorCell({ColDatum, 2});
        QTest::keyClicks(grid(), QStringLiteral("1"));
        QLineEdit* editor = OpenEditor(grid());
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral(".2.25"));
        QCOMPARE(editor->text(), QStringLiteral("1.2.25"));
        QCOMPARE(window.cell(ColDatum, 2), before);
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(window.cell(ColDatum, 2), QStringLiteral("01.02.2025"));
        QCOMPARE(grid()->cursorCell()->column, int(ColKmStand));
        test::Action(*window, "m_Rueckgaengig")->trigger();
        QCOMPARE(window.cell(ColDatum, 2), before);
        QVERIFY(!window->document().canUndo());
    }

    // The count follows every change: edits, undo and redo, deleting a record, "Neu" and
    // loading a logbook.
    void countFollowsEveryChange() {
        std::vector<test::Record> records = test::SampleRecords(4);
        records[0][test::Literpreis] = "1,50";
        QVERIFY(open(records));
        Window& window = *window_;
        const QString price = QStringLiteral("Datensatz 1, Literpreis: '1,50' ist keine Zahl.");
        // Loaded: one box names the cell.
        QCOMPARE(window.prompts->errors, QStringList{price});
        QCOMPARE(invalidPanel(), QStringLiteral("1 ungültige Zelle: ") + price);
        QVERIFY(isRed(ColLiterpreis, 1));
        type(ColLiter, 3, QStringLiteral("4o"));
        QCOMPARE(invalidPanel(), QStringLiteral("2 ungültige Zellen: ") + price);
        type(ColDatum, 3, QStringLiteral("31.02.2025"));
        QCOMPARE(invalidPanel(), QStringLiteral("3 ungültige Zellen: ") + price);
        test::Action(*window, "m_Rueckgaengig")->trigger();
        QCOMPARE(invalidPanel(), QStringLiteral("2 ungültige Zellen: ") + price);
        test::Action(*window, "m_Wiederholen")->trigger();
        QCOMPARE(invalidPanel(), QStringLiteral("3 ungültige Zellen: ") + price);
        // Typing names no cell in a box.
        QCOMPARE(window.prompts->errors.size(), 1);
        // Record 3 with its two goes; record 4 moves up and stays valid.
        grid()->setCursorCell({ColOrt, 3});
        test::Action(*window, "m_DelZeile")->trigger();
        QCOMPARE(window->RecordCount(), 3);
        QCOMPARE(invalidPanel(), QStringLiteral("1 ungültige Zelle: ") + price);
        QVERIFY(!isRed(ColLiter, 3));
        // Corrected by typing.
        type(ColLiterpreis, 1, QStringLiteral("1,50"));
        QCOMPARE(window.cell(ColLiterpreis, 1), QStringLiteral("1.50"));
        QCOMPARE(invalidPanel(), QString());
        QVERIFY(!isRed(ColLiterpreis, 1));
        type(ColLiterpreis, 2, QStringLiteral("x"));
        QCOMPARE(invalidPanel(),
                 QStringLiteral("1 ungültige Zelle: Datensatz 2, Literpreis: 'x' ist keine Zahl."));
        window.prompts->yesNoCancelAnswers.push_back(Prompts::Answer::No);
        test::Action(*window, "m_Neu")->trigger();
        QCOMPARE(window->RecordCount(), 1);
        QCOMPARE(invalidPanel(), QString());
        // Loading the file again: the cell as it is there.
        window.prompts->openAnswers.push_back(path(QStringLiteral("cells.slg")));
        test::Action(*window, "m_Laden")->trigger();
        QCOMPARE(window->RecordCount(), 4);
        QCOMPARE(invalidPanel(), QStringLiteral("1 ungültige Zelle: ") + price);
        QVERIFY(window.prompts->unexpected.isEmpty());
        QCOMPARE(window.prompts->errors, (QStringList{price, price}));
    }

    // The red stays readable when the desktop gives a dark palette.
    void redReadableOnDarkPalette() {
        QPalette dark;
        dark.setColor(QPalette::Base, QColor(30, 30, 32));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        for (const QPalette& palette : {QPalette(), dark}) {
            QApplication::setPalette(palette);
            const QColor red = LogbookModel::InvalidTextColour();
            QVERIFY(ContrastRatio(red, palette.color(QPalette::Base)) >= kReadableContrast);
            QVERIFY(red.red() > 2 * red.green() && red.red() > 2 * red.blue());
        }
    }
};

SPRITLOG_GUI_TEST_MAIN(CellCheckTest)
#include "cellcheck_test.moc"
