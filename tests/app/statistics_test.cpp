// The statistics on the page "Statistik" and in the window "Statistik...": the figures of
// the worked example, which the two share, the layout both share, and the too-few and
// error cases.
#include "dialogtest.h"

#include "analysis/statistics.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>

using namespace spritlog;
using test::WindowWithDialogs;

namespace {

// Three refuellings: 10000, 10500, 11000 km; 40, 35, 30 litres at 1.50, 1.40, 1.60.
std::vector<test::Record> WorkedExample() {
    std::vector<test::Record> records = test::SampleRecords(3);
    const char* km[3] = {"10000", "10500", "11000"};
    const char* litres[3] = {"40", "35", "30"};
    const char* prices[3] = {"1.50", "1.40", "1.60"};
    for (int i = 0; i < 3; ++i) {
        records[i][test::KmStand] = km[i];
        records[i][test::Liter] = litres[i];
        records[i][test::Literpreis] = prices[i];
    }
    return records;
}

// A plug-in hybrid: 3 fills of Super and 4 charges typed "Strom" (its figures are worked out
// by hand in the statistics' tests of the analysis).
std::vector<test::Record> PlugInHybrid() {
    std::vector<test::Record> records = test::SampleRecords(7);
    const char* rows[7][4] = {{"10000", "40", "1.80", "Super"}, {"10200", "10", "0.30", "Strom"},
                              {"10400", "12", "0.30", "Strom"}, {"10800", "20", "1.70", "Super"},
                              {"11000", "12", "0.40", "Strom"}, {"11100", "5", "0.60", "Strom"},
                              {"11200", "30", "1.80", "Super"}};
    for (int i = 0; i < 7; ++i) {
        records[i][test::KmStand] = rows[i][0];
        records[i][test::Liter] = rows[i][1];
        records[i][test::Literpreis] = rows[i][2];
        records[i][test::Benzin] = rows[i][3];
    }
    return records;
}

// The box of the energies' lines in `view` and the texts of its lines, "caption value".
QStringList EnergyLineTexts(QWidget* view) {
    QStringList lines;
    auto* box = view->findChild<QGroupBox*>(QStringLiteral("g_energien"));
    if (!box || box->isHidden())
        return lines;
    for (int i = 1;; ++i) {
        auto* value = box->findChild<QLabel*>(QStringLiteral("p_energyLine%1").arg(i));
        if (!value)
            break;
        QString caption;
        for (QLabel* candidate : box->findChildren<QLabel*>())
            if (candidate->objectName().isEmpty() && candidate->y() == value->y())
                caption = candidate->text();
        lines << caption + " " + value->text();
    }
    return lines;
}

QStringList Texts(const std::array<QLabel*, 12>& labels) {
    QStringList texts;
    for (QLabel* label : labels)
        texts << label->text();
    return texts;
}

std::array<QLabel*, 12> PageLabels(TFmain& fmain) {
    return test::StatisticsLabels(fmain);
}

} // namespace

class StatisticsTest : public test::GuiTest {
    Q_OBJECT

    std::unique_ptr<WindowWithDialogs> open(const std::vector<test::Record>& records) {
        test::WriteFile(path("a.slg"), test::NativeFile(records));
        return std::make_unique<WindowWithDialogs>(QStringList{path("a.slg")});
    }

    // The window's labels as Extras > "&Statistik" leaves them; empty when it did not open.
    QStringList windowTexts(WindowWithDialogs& window) {
        test::ModalRecorder modal;
        QStringList texts;
        modal.work = [&](QDialog*) {
            texts = Texts(window.statistik->labels);
            window.statistik->Beenden1->click();
        };
        window->findChild<QAction*>(QStringLiteral("m_Statistik"))->trigger();
        return texts;
    }

private slots:

    // Label by label, page and window show one set of figures. Every record counts, the
    // newest too: Tankkosten 60.00, 49.00, 48.00; KM -, 500, 500; Verbrauch -, 7.00, 6.00
    // (35 and 30 litres per 500 km); Kosten/Km -, 9.80, 9.60 Ct. Averages over the cells
    // that hold a value: L4 (7 + 6) / 2 = 6.50; L5 157 / 3 = 52.33; L6 105 / 3 = 35.00;
    // L7 1000 / 2 = 500.00; L8 6.50 x (1.50 + 1.40 + 1.60) / 3 = 6.50 x 1.50 = 9.75.
    void workedExample_data() {
        QTest::addColumn<int>("label");
        QTest::addColumn<QString>("figure");
        const struct {
            int label;
            const char* figure;
        } rows[] = {
            {1, "1.000 KM"},    {2, "105.00 Liter"}, {3, "157.00 EUR"},   {4, " 6.50 L/100KM"},
            {5, "52.33 EUR"},   {6, "35.00 Liter"},  {7, "500.00 KM"},    {8, " 9.75 Ct"},
            {9, " 6.00 Liter"}, {10, " 7.00 Liter"}, {11, "40.00 Liter"}, {12, "500.00 KM"},
        };
        for (const auto& row : rows)
            QTest::addRow("L%d", row.label) << row.label << QString::fromLatin1(row.figure);
    }
    void workedExample() {
        QFETCH(int, label);
        QFETCH(QString, figure);
        auto opened = open(WorkedExample());
        TFmain& fmain = *opened->fmain;
        test::Pages(fmain)->setCurrentIndex(2);
        QVERIFY(test::StatisticsNotice(fmain)->isHidden());
        QCOMPARE(test::StatisticsLabels(fmain)[label - 1]->text(), figure);
        QCOMPARE(test::StatisticsLabels(fmain)[label - 1]->objectName(),
                 QStringLiteral("L%1").arg(label));
        const QStringList texts = windowTexts(*opened);
        QCOMPARE(texts.size(), 12);
        QCOMPARE(texts[label - 1], figure);
        QCOMPARE(opened->statistik->labels[label - 1]->objectName(),
                 QStringLiteral("L%1").arg(label));
        QCOMPARE(opened->prompts->errors, QStringList());
    }

    // Until a computation has written them, the labels show their own names.
    void labelsShowTheirNamesFirst() {
        WindowWithDialogs window;
        QStringList names;
        for (int k = 1; k <= 12; ++k)
            names << QStringLiteral("L%1").arg(k);
        QCOMPARE(Texts(PageLabels(*window.fmain)), names);
        QCOMPARE(Texts(window.statistik->labels), names);
    }

    // The derived cells follow the edit at once: the page and the window show one set of
    // figures.
    void pageAndWindowShowTheSameFigures() {
        auto opened = open(WorkedExample());
        TFmain& fmain = *opened->fmain;
        fmain.document().editCell({ColLiter, 2}, "45"); // Tankkosten of record 2 now 63.00
        test::Pages(fmain)->setCurrentIndex(2);
        // Litres 40 + 45 + 30; Tankkosten 60 + 63 + 48.
        QCOMPARE(test::StatisticsLabels(fmain)[1]->text(), QStringLiteral("115.00 Liter"));
        QCOMPARE(test::StatisticsLabels(fmain)[2]->text(), QStringLiteral("171.00 EUR"));
        const QStringList texts = windowTexts(*opened);
        QCOMPARE(texts.value(2), QStringLiteral("171.00 EUR"));
        QCOMPARE(test::StatisticsLabels(fmain)[2]->text(), QStringLiteral("171.00 EUR"));
    }

    // An odometer reading that is missing or no whole number at either end: no box while
    // typing; the distance driven would be one over part of the records and is no figure,
    // on the page and in the window alike; the litres 40 + 35 + 30 still count.
    void badOdometer_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("last empty") << "10000"
                                    << "";
        QTest::newRow("first with a point") << "10000.5"
                                            << "11000";
        QTest::newRow("both bad") << "abc"
                                  << "xyz";
    }
    void badOdometer() {
        QFETCH(QString, first);
        QFETCH(QString, last);
        auto opened = open(WorkedExample());
        TFmain& fmain = *opened->fmain;
        test::Pages(fmain)->setCurrentIndex(2);
        QCOMPARE(test::StatisticsLabels(fmain)[0]->text(), QStringLiteral("1.000 KM"));
        test::Pages(fmain)->setCurrentIndex(0);
        fmain.document().editCell({ColKmStand, 1}, first.toStdString());
        fmain.document().editCell({ColKmStand, 3}, last.toStdString());
        test::Pages(fmain)->setCurrentIndex(2);
        QCOMPARE(opened->prompts->errors, QStringList());
        QCOMPARE(test::StatisticsLabels(fmain)[0]->text(), QString());
        QCOMPARE(test::StatisticsLabels(fmain)[1]->text(), QStringLiteral("105.00 Liter"));

        const QStringList texts = windowTexts(*opened);
        QCOMPARE(texts.value(0), QString());
        QCOMPARE(texts.value(1), QStringLiteral("105.00 Liter"));
        QCOMPARE(opened->prompts->errors, QStringList());
    }

    // Page and window lay out the same boxes: captions in screen order, values at one left
    // edge, one row below the other without overlapping, in the value font, navy.
    void sharedLayout_data() {
        QTest::addColumn<bool>("page");
        QTest::newRow("page") << true;
        QTest::newRow("window") << false;
    }
    void sharedLayout() {
        QFETCH(bool, page);
        auto opened = open(WorkedExample());
        TFmain& fmain = *opened->fmain;
        QWidget* view = nullptr;
        std::array<QLabel*, 12> labels{};
        QStringList boxNames;
        if (page) {
            fmain.resize(800, 600);
            fmain.show();
            test::Pages(fmain)->setCurrentIndex(2);
            view = test::StatisticsPage(fmain);
            labels = PageLabels(fmain);
            boxNames = QStringList{"g_aufrechnung", "g_durchschnitt", "g_rekorde"};
        } else {
            opened->statistik->show();
            view = opened->statistik;
            labels = opened->statistik->labels;
            boxNames = QStringList{"GroupBox1", "g_durchschnitt", "g_rekorde"};
        }
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));

        QList<QGroupBox*> boxes;
        for (const QString& name : boxNames)
            boxes << view->findChild<QGroupBox*>(name);
        QStringList titles;
        for (QGroupBox* box : boxes) {
            QVERIFY(box);
            titles << box->title();
            QVERIFY(box->font().italic());
            QCOMPARE(box->font().pixelSize(), 13);
            QCOMPARE(box->width(), boxes.first()->width());
            QCOMPARE(box->x(), boxes.first()->x());
        }
        QCOMPARE(titles, (QStringList{"Aufrechnung", "Durchschnitt", "Rekorde"}));
        for (int g = 1; g < 3; ++g)
            QVERIFY(boxes[g]->y() > boxes[g - 1]->y());

        // Screen order, group by group, and the captions beside the values.
        int row = 0;
        int valueLeft = -1;
        for (int g = 0; g < 3; ++g) {
            int previousBottom = -1; // below the value row before, in the box
            for (int r = 0; r < kStatisticsGroups[g].rowCount; ++r, ++row) {
                const StatisticsRow& expected = kStatisticsRows[row];
                QLabel* value = labels[expected.label - 1];
                QCOMPARE(value->parentWidget(), static_cast<QWidget*>(boxes[g]));
                const int left = value->mapTo(view, QPoint(0, 0)).x();
                if (valueLeft < 0)
                    valueLeft = left;
                QCOMPARE(left, valueLeft);
                // One below the other, never overlapping.
                QVERIFY2(value->y() > previousBottom, qPrintable(value->objectName()));
                previousBottom = value->geometry().bottom();
                QCOMPARE(value->font().family(), QStringLiteral("Courier New"));
                QVERIFY(value->font().bold());
                QCOMPARE(value->font().pixelSize(), 13);
                QCOMPARE(value->palette().color(QPalette::WindowText), QColor(0, 0, 128));
                // The caption at the same height, left of the value.
                QLabel* caption = nullptr;
                for (QLabel* candidate : boxes[g]->findChildren<QLabel*>())
                    if (candidate->objectName().isEmpty() && candidate->y() == value->y())
                        caption = candidate;
                QVERIFY(caption);
                QCOMPARE(caption->text(), QString::fromLatin1(expected.caption));
                QVERIFY(caption->font().bold());
                QVERIFY(caption->geometry().right() < value->x());
                // Both texts stand on one baseline.
                QVERIFY(caption->alignment() & Qt::AlignTop);
                QVERIFY(value->alignment() & Qt::AlignTop);
                auto baseline = [](QLabel* label) {
                    return label->y() + label->contentsMargins().top() +
                           label->fontMetrics().ascent();
                };
                QCOMPARE(baseline(caption), baseline(value));
            }
        }

        if (!page) {
            TFStatistik& statistik = *opened->statistik;
            QCOMPARE(statistik.size(), QSize(241, 339));
            QCOMPARE(statistik.windowTitle(), QStringLiteral("Statistik..."));
            QVERIFY(statistik.windowFlags() & Qt::Tool);
            // Full width but for a narrow edge.
            for (QGroupBox* box : boxes) {
                QVERIFY(box->x() <= 3);
                QVERIFY(box->geometry().right() >= statistik.width() - 4);
            }
            QCOMPARE(statistik.Beenden1->text(), QStringLiteral("&Schliessen"));
            QCOMPARE(statistik.Beenden1->width(), statistik.width());
            QCOMPARE(statistik.Beenden1->geometry().bottom(), statistik.height() - 1);
            QVERIFY(boxes[2]->geometry().bottom() < statistik.Beenden1->y());
            // The worked example's longest text fits beside its caption.
            statistik.showFigures(ComputeStatistics(fmain.document().table()));
            for (QLabel* value : labels)
                QVERIFY2(value->x() + value->fontMetrics().horizontalAdvance(value->text()) <=
                             value->parentWidget()->width(),
                         qPrintable(value->text()));
            statistik.hide();
        } else {
            QLabel* heading = nullptr;
            for (QLabel* candidate : test::StatisticsPage(fmain)->findChildren<QLabel*>(
                     QString(), Qt::FindDirectChildrenOnly))
                if (candidate->text() == QStringLiteral("Statistik"))
                    heading = candidate;
            QVERIFY(heading);
            QCOMPARE(heading->font().pixelSize(), 27);
            QVERIFY(heading->font().bold() && heading->font().italic() &&
                    heading->font().underline());
            QVERIFY(heading->y() < boxes.first()->y());
            fmain.hide();
        }
    }

    // A plug-in hybrid on the page and in the window: the main energy's captions, and the
    // lines of the energies below the three boxes, each whole inside its box and the view,
    // its value at the left edge of the others.
    void severalEnergies_data() {
        QTest::addColumn<bool>("page");
        QTest::newRow("page") << true;
        QTest::newRow("window") << false;
    }
    void severalEnergies() {
        QFETCH(bool, page);
        auto opened = open(PlugInHybrid());
        TFmain& fmain = *opened->fmain;
        const QStringList expected = {
            "Kraftstoff: 90.00 Liter, 5.00 L/100KM, 160.00 EUR",
            "Strom: 39.00 kWh, 4.33 kWh/100KM, 14.40 EUR",
            "Verbrauch kombiniert: 5.00 L + 4.33 kWh /100KM",
        };
        const auto check = [&](QWidget* view, const std::array<QLabel*, 12>& labels) {
            QCOMPARE(labels[1]->text(), QStringLiteral("39.00 kWh"));
            QCOMPARE(EnergyLineTexts(view), expected);
            const QStringList captions = {"Geladene kWh:", "Ladung:", "Max Ladung:"};
            const int numbers[3] = {2, 6, 11};
            for (int i = 0; i < 3; ++i) {
                QLabel* value = labels[numbers[i] - 1];
                QString caption;
                for (QLabel* candidate : value->parentWidget()->findChildren<QLabel*>())
                    if (candidate->objectName().isEmpty() && candidate->y() == value->y())
                        caption = candidate->text();
                QCOMPARE(caption, captions[i]);
            }
            const int left = labels[0]->mapTo(view, QPoint(0, 0)).x();
            auto* box = view->findChild<QGroupBox*>(QStringLiteral("g_energien"));
            for (QLabel* value : box->findChildren<QLabel*>()) {
                const QRect shown(value->mapTo(view, QPoint(0, 0)), value->size());
                const int textRight = shown.left() + value->contentsMargins().left() +
                                      value->fontMetrics().horizontalAdvance(value->text());
                QVERIFY2(textRight <= box->mapTo(view, QPoint(box->width(), 0)).x(),
                         qPrintable(value->text()));
                QVERIFY2(view->rect().contains(shown), qPrintable(value->text()));
                if (!value->objectName().isEmpty())
                    QCOMPARE(shown.left(), left);
            }
        };
        if (page) {
            fmain.resize(900, 800);
            fmain.show();
            test::Pages(fmain)->setCurrentIndex(2);
            QVERIFY(QTest::qWaitForWindowExposed(&fmain));
            check(test::StatisticsPage(fmain), test::StatisticsLabels(fmain));
            return;
        }
        test::ModalRecorder modal;
        modal.work = [&](QDialog* dialog) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            TFStatistik& statistik = *opened->statistik;
            check(&statistik, statistik.labels);
            // Nothing hides behind the button or needs the scroll bar.
            auto* box = statistik.findChild<QGroupBox*>(QStringLiteral("g_energien"));
            QVERIFY(box->mapTo(&statistik, QPoint(0, box->height())).y() <=
                    statistik.Beenden1->y());
            dialog->accept();
        };
        fmain.m_StatistikClick();
        QCOMPARE(modal.shown, QStringList{QStringLiteral("FStatistik")});
        QCOMPARE(opened->prompts->errors, QStringList());
    }

    // A logbook of one energy has no lines: the box stays hidden.
    void oneEnergyHasNoLines() {
        auto opened = open(WorkedExample());
        TFmain& fmain = *opened->fmain;
        test::Pages(fmain)->setCurrentIndex(2);
        QCOMPARE(EnergyLineTexts(test::StatisticsPage(fmain)), QStringList());
        QVERIFY(test::StatisticsPage(fmain)
                    ->findChild<QGroupBox*>(QStringLiteral("g_energien"))
                    ->isHidden());
        // The window keeps its size, also after the figures of several energies.
        TFStatistik& statistik = *opened->statistik;
        statistik.showFigures(ComputeStatistics(fmain.document().table()));
        QCOMPARE(statistik.size(), QSize(241, 339));
        auto hybrid = open(PlugInHybrid());
        statistik.showFigures(ComputeStatistics(hybrid->fmain->document().table()));
        QVERIFY(statistik.height() > 339);
        statistik.showFigures(ComputeStatistics(fmain.document().table()));
        QCOMPARE(statistik.size(), QSize(241, 339));
    }

    void beendenCloses() {
        auto opened = open(WorkedExample());
        test::ModalRecorder modal;
        int result = -1;
        modal.work = [&](QDialog* dialog) {
            dialog->show();
            QTest::mouseClick(opened->statistik->Beenden1, Qt::LeftButton);
            result = dialog->result();
        };
        opened->fmain->m_StatistikClick();
        QCOMPARE(modal.shown, QStringList{QStringLiteral("FStatistik")});
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(!opened->statistik->isVisible());
    }
};

SPRITLOG_GUI_TEST_MAIN(StatisticsTest)
#include "statistics_test.moc"
