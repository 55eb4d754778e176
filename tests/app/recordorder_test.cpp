// "Bearbeiten > Nach Datum sortieren" and the question after a reading lower than the one
// before: a receipt typed in late.
#include "guitest.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>

using namespace spritlog;
using test::OpenEditor;
using test::Window;

namespace {

// The sample's first records with the third typed in late: 02.03.2024 at 10500 km after
// 03.03.2024 at 11000 km.
std::vector<test::Record> LateReceipt() {
    std::vector<test::Record> records = test::SampleRecords(3);
    std::swap(records[1], records[2]);
    return records;
}

QStringList Dates(const Window& window) {
    QStringList dates;
    for (int row = 1; row <= window->RecordCount(); ++row)
        dates << window.cell(ColDatum, row);
    return dates;
}

} // namespace

class RecordOrderTest : public test::GuiTest {
    Q_OBJECT

private slots:
    void sortsByDateAsOneStep() {
        test::WriteFile(path("a.slg"), test::NativeFile(LateReceipt()));
        Window window;
        window->FormCreate({path("a.slg")});
        QVERIFY(window.showActive());
        QCOMPARE(window.cell(ColKm, 3), QStringLiteral("-500"));
        test::Grid(*window)->setCursorCell({ColLiter, 3});

        QCOMPARE(test::Action(*window, "m_NachDatumSortieren")->text(),
                 QStringLiteral("Nach Datum &sortieren"));
        QTest::keyClick(test::Grid(*window), Qt::Key_F6);
        QCOMPARE(Dates(window), (QStringList{"01.03.2024", "02.03.2024", "03.03.2024"}));
        QCOMPARE(window.cell(ColKmStand, 2), QStringLiteral("10500"));
        QCOMPARE(window.cell(ColKm, 2), QStringLiteral("500"));
        QCOMPARE(window.cell(ColKm, 3), QStringLiteral("500"));
        // The cursor went along with its record.
        QCOMPARE(test::Grid(*window)->cursorCell()->row, 2);
        QCOMPARE(test::Grid(*window)->cursorCell()->column, int(ColLiter));
        QCOMPARE(window->document().history().count(), 1u);

        trigger(window, "m_Rueckgaengig");
        QCOMPARE(Dates(window), (QStringList{"01.03.2024", "03.03.2024", "02.03.2024"}));
        QCOMPARE(window.cell(ColKm, 3), QStringLiteral("-500"));
        QVERIFY(!window->document().isModified());
        QVERIFY(window.prompts->unexpected.isEmpty());
    }

    // A typed reading lower than the one before asks; Nein leaves the order, Ja sorts.
    void lowerReadingAsks_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("dates");
        QTest::newRow("Nein") << false
                              << QStringList{"01.03.2024", "02.03.2024", "03.03.2024",
                                             "28.02.2024"};
        QTest::newRow("Ja") << true
                            << QStringList{"28.02.2024", "01.03.2024", "02.03.2024", "03.03.2024"};
    }
    void lowerReadingAsks() {
        QFETCH(bool, answer);
        QFETCH(QStringList, dates);
        test::WriteFile(path("a.slg"), test::NativeFile(test::SampleRecords(3)));
        Window window;
        window->FormCreate({path("a.slg")});
        const int row = window->document().appendRecord();
        window->document().editCell({ColDatum, row}, "28.02.2024");
        test::Grid(*window)->setCursorCell({ColKmStand, row});
        window.prompts->yesNoAnswers.push_back(answer);
        // A reading that fits asks nothing.
        window->document().editCell({ColKmStand, row}, "12000");
        QTest::qWait(20);
        QVERIFY(window.prompts->questions.isEmpty());

        window->document().editCell({ColKmStand, row}, "9500");
        QTRY_COMPARE(window.prompts->questions,
                     QStringList{"KM-Stand kleiner als im Datensatz davor: sortieren?"});
        QCOMPARE(Dates(window), dates);
        QCOMPARE(test::Grid(*window)->cursorCell()->row, answer ? 1 : 4);
        QVERIFY(window.prompts->unexpected.isEmpty());
    }

    // The real question: Enter takes the default button, Nein.
    void questionDefaultsToNein() {
        QtPrompts prompts;
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
            QTest::keyClick(box, Qt::Key_Return);
        });
        QVERIFY(!prompts.askYesNoDefaultNo(nullptr, QStringLiteral("sortieren?")));
    }
};

SPRITLOG_GUI_TEST_MAIN(RecordOrderTest)
#include "recordorder_test.moc"
