// The page "Jahre": reached by keyboard, the year and month tables as worked out by hand,
// and a page that follows the document while shown and catches up when shown again.
#include "guitest.h"

#include "app/window/yearpage.h"

#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>

using namespace spritlog;
using test::Window;

class YearPageTest : public test::GuiTest {
    Q_OBJECT

    // 2024 with two records, 2025 without any, 2026 (the fixed clock's year, 06.12.2026).
    std::unique_ptr<Window> open() {
        auto window = std::make_unique<Window>();
        const QString file = path(QStringLiteral("jahre.slg"));
        test::WriteFile(file, test::NativeFile({
                                  {"10.11.2024", "10000", "40", "1.50", "Super"},
                                  {"15.12.2024", "10600", "42", "1.60", "Super"},
                                  {"05.01.2026", "11200", "30", "2.00", "Super"},
                              }));
        (*window)->FormCreate({file});
        return window;
    }

    static YearPage* Page(const TFmain& fmain) { return fmain.findChild<YearPage*>(); }

    static QStringList Row(const QTableView* view, int row) {
        QStringList texts;
        for (int c = 0; c < view->model()->columnCount(); ++c)
            texts << view->model()->index(row, c).data().toString();
        return texts;
    }

private slots:
    void shortcutShowsTheYears() {
        auto window = open();
        QVERIFY(window->showActive());
        QTest::keyClick(window->fmain.get(), Qt::Key_J, Qt::ControlModifier);
        YearPage* page = Page(**window);
        QVERIFY(page);
        QCOMPARE(test::Pages(**window)->currentWidget(), page);
        QVERIFY(page->yearTable()->hasFocus());
        const QTableView* years = page->yearTable();
        QCOMPARE(years->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Jahr"));
        QCOMPARE(years->model()->headerData(5, Qt::Horizontal).toString(),
                 QStringLiteral("EUR je 100 KM"));
        // By hand: 2026 so far 600 km, 30 l, 60.00 EUR, 30 x 100 / 600 = 5.00, 10.00 EUR je
        // 100 km; 06.12. is day 340 of 365: 600 x 365 / 340 = 644.1, 60 x 365 / 340 = 64.41.
        // 2024: 600 km, 40 + 42 = 82 l, 60.00 + 67.20 EUR, 7.00, 127.20 / 600 x 100.
        QCOMPARE(years->model()->rowCount(), 4);
        QCOMPARE(Row(years, 0),
                 (QStringList{"2026 (laufend)", "600", "30.00", "60.00", "5.00", "10.00"}));
        QCOMPARE(Row(years, 1), (QStringList{"Hochrechnung 2026", "644", "", "64.41", "", ""}));
        QCOMPARE(Row(years, 2), (QStringList{"2025", "", "", "", "", ""}));
        QCOMPARE(Row(years, 3), (QStringList{"2024", "600", "82.00", "127.20", "7.00", "21.20"}));
        // The current year's months below.
        const auto* months = page->findChild<QTableView*>(QStringLiteral("p_monate"));
        QCOMPARE(months->model()->rowCount(), 12);
        QCOMPARE(Row(months, 0), (QStringList{"01", "600", "30.00", "60.00", "5.00", "10.00"}));
        QCOMPARE(Row(months, 1), (QStringList{"02", "", "", "", "", ""}));
        // Another year chosen with the keyboard: its months.
        QTest::keyClick(page->yearTable(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(page->selectedYear(), std::optional<int>(2024));
        QCOMPARE(Row(months, 11), (QStringList{"12", "600", "42.00", "67.20", "7.00", "11.20"}));
        QCOMPARE(Row(months, 10), (QStringList{"11", "", "40.00", "60.00", "", ""}));
        QCOMPARE(window->prompts->errors, QStringList());
    }

    void followsTheDocument() {
        auto window = open();
        QVERIFY(window->showActive());
        YearPage* page = Page(**window);
        test::Pages(**window)->setCurrentWidget(page);
        const QTableView* years = page->yearTable();
        // Shown: an edit and the calculation after it are drawn once, when their
        // announcements are over. 36 l at 2.00: 72.00 EUR, 36 x 100 / 600 = 6.00, 12.00 EUR
        // je 100 km.
        const int before = page->drawings();
        (*window)->document().editCell({ColLiter, 3}, "36");
        (*window)->CalculateValues();
        QTRY_COMPARE(Row(years, 0),
                     (QStringList{"2026 (laufend)", "600", "36.00", "72.00", "6.00", "12.00"}));
        QCOMPARE(page->drawings(), before + 1);

        // Hidden: nothing is computed, the page only knows it is out of date.
        test::Pages(**window)->setCurrentIndex(0);
        const int hidden = page->drawings();
        (*window)->document().editCell({ColDatum, 3}, "05.01.2025");
        QCoreApplication::processEvents();
        QVERIFY(page->isStale());
        QCOMPARE(page->drawings(), hidden);
        // Shown again: the record now counts in 2025, and 2026 is gone.
        test::Pages(**window)->setCurrentWidget(page);
        QVERIFY(!page->isStale());
        QCOMPARE(page->drawings(), hidden + 1);
        QCOMPARE(years->model()->rowCount(), 2);
        QCOMPARE(Row(years, 0), (QStringList{"2025", "600", "36.00", "72.00", "6.00", "12.00"}));
        // Shown once more without a change: nothing to compute.
        test::Pages(**window)->setCurrentIndex(0);
        test::Pages(**window)->setCurrentWidget(page);
        QCOMPARE(page->drawings(), hidden + 1);
        // Undone while shown: back as it was.
        (*window)->document().undo();
        QTRY_COMPARE(years->model()->rowCount(), 4);
        QCOMPARE(window->prompts->errors, QStringList());
    }

    // A new year ends the running one: shown again on 01.01.2027, 2026 is over, without
    // its mark and its projection, though the logbook did not change.
    void newYearEndsTheRunningYear() {
        LogbookDocument document;
        document.setTable(test::LogbookOf({{"05.01.2026", "1000", "30", "2.00", "Super"}}));
        document.calculate();
        LocalDateTime now{2026, 12, 31, 23, 59, 0};
        YearPage page(document, [&now] { return now; });
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(Row(page.yearTable(), 0).first(), QStringLiteral("2026 (laufend)"));
        QCOMPARE(page.yearTable()->model()->rowCount(), 2);
        page.hide();
        now = {2027, 1, 1, 0, 0, 1};
        page.show();
        QCOMPARE(Row(page.yearTable(), 0).first(), QStringLiteral("2026"));
        QCOMPARE(page.yearTable()->model()->rowCount(), 1);
    }
};

SPRITLOG_GUI_TEST_MAIN(YearPageTest)
#include "yearpage_test.moc"
