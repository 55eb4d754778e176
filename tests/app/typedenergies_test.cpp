// Logbooks of an electric car and of a diesel with AdBlue, typed key by key into the real
// window as a driver types them: the consumption cells and the statistics page in the words
// of the car's energy, worked out by hand.
#include "guitest.h"

#include <QTabWidget>

using namespace spritlog;
using test::Window;

class TypedEnergiesTest : public test::GuiTest {
    Q_OBJECT

    std::unique_ptr<Window> window_;

    GridView* grid() const { return test::Grid(**window_); }

    void type(const QString& text) {
        if (QLineEdit* editor = test::TypeIntoGrid(grid(), text))
            QTest::keyClick(editor, Qt::Key_Return);
    }

    // The caption left of a value label: the unnamed label on its line.
    static QString CaptionOf(const QLabel* value) {
        for (QLabel* candidate : value->parentWidget()->findChildren<QLabel*>())
            if (candidate->objectName().isEmpty() && candidate->y() == value->y())
                return candidate->text();
        return {};
    }

private slots:
    void cleanup() { window_.reset(); }

    void typedLogbook_data() {
        QTest::addColumn<QList<QStringList>>("records");
        QTest::addColumn<QStringList>("consumption");
        QTest::addColumn<QStringList>("figures");
        QTest::addColumn<QStringList>("captions"); // of labels 2, 6 and 11
        QTest::addColumn<QString>("intervals");

        // Four charges: 45 kWh over 250 km 18.00, 40 over 250 16.00, 51 over 300 17.00.
        // 14.00 + 15.75 + 16.00 + 15.30 = 61.05 EUR, a quarter 15.26; 176 kWh, a quarter
        // 44.00; 800 km over three distances 266.67; 17.00 x 0.35 EUR/kWh = 5.95 Ct.
        QTest::newRow("electric car")
            << QList<QStringList>{{"01.03.2026", "30000", "40", "0,35", "Strom", "Wallbox",
                                   "Essen"},
                                  {"08.03.2026", "30250", "45", "0,35", "Strom", "Wallbox",
                                   "Essen"},
                                  {"15.03.2026", "30500", "40", "0,40", "Strom", "Wallbox",
                                   "Essen"},
                                  {"22.03.2026", "30800", "51", "0,30", "Strom", "Wallbox",
                                   "Essen"}}
            << QStringList{"", "18.00", "16.00", "17.00"}
            << QStringList{"800 KM",          "176.00 kWh",      "61.05 EUR", "17.00 kWh/100KM",
                           "15.26 EUR",       "44.00 kWh",       "266.67 KM", " 5.95 Ct",
                           "16.00 kWh/100KM", "18.00 kWh/100KM", "51.00 kWh", "300.00 KM"}
            << QStringList{"Geladene kWh:", "Ladung:", "Max Ladung:"}
            << "Verbrauch aus 3 vollst\u00e4ndigen Ladeintervallen";

        // AdBlue costs 9.00 EUR and breaks no chain: 48 l over 800 km 6.00, then 42 l over
        // 600 km 7.00. 140 l of diesel, a third 46.67; 80 + 9 + 72 + 67.20 = 228.20 EUR, a
        // quarter 57.05; 1400 km over three distances 466.67; 6.50 x 1.5667 = 10.18 Ct.
        QTest::newRow("diesel with AdBlue")
            << QList<QStringList>{{"01.03.2026", "50000", "50", "1,60", "Diesel", "Aral", "Essen"},
                                  {"10.03.2026", "50400", "10", "0,90", "AdBlue", "Aral", "Essen"},
                                  {"20.03.2026", "50800", "48", "1,50", "Diesel", "Aral", "Essen"},
                                  {"30.03.2026", "51400", "42", "1,60", "Diesel", "Aral", "Essen"}}
            << QStringList{"", "", " 6.00", " 7.00"}
            << QStringList{"1.400 KM",    "140.00 Liter", "228.20 EUR",  " 6.50 L/100KM",
                           "57.05 EUR",   "46.67 Liter",  "466.67 KM",   "10.18 Ct",
                           " 6.00 Liter", " 7.00 Liter",  "50.00 Liter", "600.00 KM"}
            << QStringList{"Getankte Liter:", "Tankf\u00fcllung:", "Max Tankf\u00fcllung:"}
            << "Verbrauch aus 2 vollst\u00e4ndigen Tankintervallen";
    }
    void typedLogbook() {
        QFETCH(QList<QStringList>, records);
        QFETCH(QStringList, consumption);
        QFETCH(QStringList, figures);
        QFETCH(QStringList, captions);
        QFETCH(QString, intervals);
        window_ = std::make_unique<Window>();
        (*window_)->FormCreate({});
        QVERIFY(window_->showActive());
        Window& window = *window_;
        grid()->setCursorCell({ColDatum, 1});
        for (const QStringList& record : records)
            for (const QString& text : record)
                type(text);
        QCOMPARE(window.cell(ColBenzin, records.size()), records.back()[4]);
        for (int r = 1; r <= records.size(); ++r)
            QCOMPARE(window.cell(ColVerbrauch, r), consumption[r - 1]);

        test::Pages(*window)->setCurrentIndex(2);
        const std::array<QLabel*, 12> labels = test::StatisticsLabels(*window);
        QStringList shown;
        for (QLabel* label : labels)
            shown << label->text();
        QCOMPARE(shown, figures);
        QCOMPARE((QStringList{CaptionOf(labels[1]), CaptionOf(labels[5]), CaptionOf(labels[10])}),
                 captions);
        QCOMPARE(window->findChild<QLabel*>(QStringLiteral("p_intervals"))->text(), intervals);
        QCOMPARE(window.prompts->errors, QStringList());
    }
};

SPRITLOG_GUI_TEST_MAIN(TypedEnergiesTest)
#include "typedenergies_test.moc"
