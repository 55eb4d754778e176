// The window at every size a user may give it and under a dark desktop palette: no control
// covers another, and the coloured figures stay readable.
#include "dialogtest.h"

#include "app/window/readablecolour.h"

#include "chartwidget/qtchartwidget.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>

#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPalette>
#include <QStatusBar>
#include <QStyleFactory>

using namespace spritlog;

namespace {

// The visible child widgets of `parent` that overlap a sibling or reach out of `parent`,
// named for the failure message.
// A bare frame drawn around a sibling (the About dialog's bevel round its picture) covers
// nothing.
bool Frames(const QWidget& a, const QWidget& b) {
    const auto frames = [](const QWidget& outer, const QWidget& inner) {
        return qstrcmp(outer.metaObject()->className(), "QFrame") == 0 &&
               outer.geometry().contains(inner.geometry());
    };
    return frames(a, b) || frames(b, a);
}

// `slack` pixels of overlap are let pass: the About dialog's fixed form lays its close
// button over the last line of the panel's frame.
QStringList Collisions(const QWidget& parent, int slack = 0) {
    QList<QWidget*> shown;
    for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && !child->isWindow())
            shown << child;
    QStringList found;
    for (int i = 0; i < shown.size(); ++i) {
        if (!parent.rect().contains(shown[i]->geometry()))
            found << shown[i]->objectName() + QStringLiteral(" outside ") + parent.objectName();
        for (int j = i + 1; j < shown.size(); ++j)
            if (const QRect both = shown[i]->geometry() & shown[j]->geometry();
                both.width() > slack && both.height() > slack && !Frames(*shown[i], *shown[j]))
                found << shown[i]->objectName() + QStringLiteral(" / ") + shown[j]->objectName();
    }
    return found;
}

// A dark palette as dark desktop themes give it.
QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(53, 53, 56));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    return dark;
}

// The colours a brush paints: its gradient's stops, or its one colour.
QList<QColor> Shades(const QBrush& brush) {
    if (!brush.gradient())
        return {brush.color()};
    QList<QColor> shades;
    for (const QGradientStop& stop : brush.gradient()->stops())
        shades << stop.second;
    return shades;
}

double TextContrast(const QWidget& widget) {
    const QPalette& palette = widget.palette();
    return ContrastRatio(palette.color(widget.foregroundRole()),
                         palette.color(widget.backgroundRole()));
}

} // namespace

class WindowSizesTest : public test::GuiTest {
    Q_OBJECT

private slots:
    void cleanup() { QApplication::setPalette(QPalette()); }

    // From 420 x 300 up, the controls of the bottom panel, its radio groups and the
    // window's parts around them lie side by side, each whole inside its parent.
    void noControlCoversAnother() {
        test::WriteFile(path(QStringLiteral("a.slg")), test::NativeFile(test::SampleRecords(5)));
        test::Window window;
        window->FormCreate({path(QStringLiteral("a.slg"))});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.fmain.get()));
        test::Pages(*window)->setCurrentIndex(1);
        auto* panel = test::Named<QWidget>(*window, QStringLiteral("p_button"));
        const QList<QWidget*> parents{window.fmain.get(), window->centralWidget(), panel,
                                      test::ZoomBox(*window),
                                      test::Named<QGroupBox>(*window, QStringLiteral("p_ansicht"))};
        int wrapped = 0;
        for (int width = 420; width <= 900; width += 40) {
            for (int height = 300; height <= 700; height += 50) {
                window->resize(width, height);
                QApplication::sendPostedEvents();
                QApplication::processEvents();
                QCOMPARE(window->size(), QSize(width, height));
                for (QWidget* parent : parents) {
                    const QStringList found = Collisions(*parent);
                    QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("%1 x %2: %3")
                                                             .arg(width)
                                                             .arg(height)
                                                             .arg(found.join(", "))));
                }
                if (test::ZoomBox(*window)->y() > test::Button(*window, "b_beenden")->y())
                    ++wrapped;
            }
        }
        QVERIFY(wrapped > 0); // the narrow sizes put the groups on a row of their own
    }

    // The statistics page and window at every size from 420 x 300 to 1920 x 1080, with
    // figures as long as years of driving give: no box collapses, no label cuts its text; what
    // does not fit scrolls.
    void statisticsReadableAtEverySize() {
        std::vector<test::Record> records = test::SampleRecords(40);
        for (test::Record& record : records)
            record[test::Liter] = "1900.00"; // 76000.00 Liter in all
        test::WriteFile(path(QStringLiteral("a.slg")), test::NativeFile(records));
        test::WindowWithDialogs window({path(QStringLiteral("a.slg"))});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.fmain.get()));
        test::Pages(*window)->setCurrentIndex(2);
        const auto cut = [](const QWidget& root) {
            QStringList found;
            for (const QLabel* label : root.findChildren<QLabel*>()) {
                if (!label->isVisibleTo(&root) || label->text().isEmpty())
                    continue;
                const int needed = label->fontMetrics().horizontalAdvance(label->text());
                if (label->contentsRect().width() < needed)
                    found << label->objectName() + QStringLiteral(" \"") + label->text() + '"';
            }
            for (const QGroupBox* box : root.findChildren<QGroupBox*>())
                if (box->isVisibleTo(&root) && box->height() < box->minimumSizeHint().height())
                    found << box->objectName() + QStringLiteral(" collapsed");
            return found;
        };
        const QSize sizes[] = {{420, 300}, {500, 380},  {644, 465},
                               {800, 600}, {1024, 768}, {1920, 1080}};
        for (const QSize& size : sizes) {
            window->resize(size);
            QApplication::sendPostedEvents();
            QApplication::processEvents();
            const QStringList found = cut(*test::StatisticsPage(*window));
            QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("%1 x %2: %3")
                                                     .arg(size.width())
                                                     .arg(size.height())
                                                     .arg(found.join(", "))));
        }
        QCOMPARE(test::StatisticsLabels(*window)[1]->text().trimmed(),
                 QStringLiteral("76000.00 Liter"));

        test::ModalRecorder modal;
        QStringList inWindow;
        modal.work = [&](QDialog* dialog) {
            dialog->show();
            QApplication::processEvents();
            inWindow = cut(*dialog);
            dialog->hide();
        };
        window->m_StatistikClick();
        QCOMPARE(modal.shown, QStringList{QStringLiteral("FStatistik")});
        QVERIFY2(inWindow.isEmpty(), qPrintable(inWindow.join(", ")));
    }

    // Each dialog at the size it opens with: no control covers another, in any group.
    void dialogsLayOutWithoutOverlap_data() {
        QTest::addColumn<QString>("dialog");
        for (const char* name : {"FSetup", "FSize", "FAbout", "FStatistik"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void dialogsLayOutWithoutOverlap() {
        QFETCH(QString, dialog);
        test::WindowWithDialogs window;
        QWidget* shown = nullptr;
        for (QWidget* candidate :
             {static_cast<QWidget*>(window.setup), static_cast<QWidget*>(window.size),
              static_cast<QWidget*>(window.about), static_cast<QWidget*>(window.statistik)})
            if (candidate->objectName() == dialog)
                shown = candidate;
        QVERIFY(shown);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        QList<QWidget*> parents{shown};
        parents << shown->findChildren<QWidget*>();
        for (QWidget* parent : parents) {
            if (!parent->isVisible() || parent->inherits("QAbstractScrollArea"))
                continue;
            const QStringList found = Collisions(*parent, 1);
            QVERIFY2(found.isEmpty(), qPrintable(found.join(", ")));
        }
        shown->hide();
    }

    // Under a dark palette, set before the window is made or while it is open, the navy
    // figures of the statistics page, the statistics dialog and the file-size dialog turn
    // light enough to read.
    void figuresReadableOnDark_data() {
        QTest::addColumn<bool>("darkFirst");
        QTest::newRow("dark at the start") << true;
        QTest::newRow("switched to dark") << false;
    }
    void figuresReadableOnDark() {
        QFETCH(bool, darkFirst);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        if (darkFirst)
            QApplication::setPalette(DarkPalette());
        test::WindowWithDialogs window;
        TFStatistik statistik(window.fmain.get());
        QList<QWidget*> figures;
        for (int k = 1; k <= 12; ++k) {
            const QString name = QStringLiteral("L%1").arg(k);
            figures << test::Named<QLabel>(*window.fmain, name)
                    << test::Named<QLabel>(statistik, name);
        }
        for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"})
            figures << test::Named<QLineEdit>(*window.size, QLatin1String(name));
        // Readable on the light palette too, in the navy they have always had.
        if (!darkFirst)
            for (QWidget* figure : figures) {
                QCOMPARE(figure->palette().color(figure->foregroundRole()), QColor(0, 0, 128));
                QVERIFY(TextContrast(*figure) >= kReadableContrast);
            }
        QApplication::setPalette(DarkPalette());
        QApplication::processEvents(); // the widgets hear of the new palette through posted events
        for (QWidget* figure : figures) {
            QCOMPARE(figure->palette().color(figure->backgroundRole()),
                     DarkPalette().color(figure->backgroundRole()));
            QVERIFY2(TextContrast(*figure) >= kReadableContrast, qPrintable(figure->objectName()));
            QVERIFY2(figure->palette().color(figure->foregroundRole()).blue() >
                         figure->palette().color(figure->foregroundRole()).red(),
                     qPrintable(figure->objectName())); // still the blue of the figures
        }
    }

    // The chart keeps a light paper of its own under a dark palette: its texts and lines
    // stand out from it as they do on a light desktop.
    void chartReadableOnDark_data() {
        QTest::addColumn<bool>("chart3D");
        QTest::newRow("plain") << false;
        QTest::newRow("wall") << true;
    }
    void chartReadableOnDark() {
        QFETCH(bool, chart3D);
        QApplication::setPalette(DarkPalette());
        QtChartWidget chart;
        ChartLook look;
        look.chart3D = chart3D;
        chart.setLook(look);
        QApplication::processEvents();
        const QList<QColor> texts{
            chart.chart()->titleBrush().color(), chart.chart()->legend()->labelColor(),
            chart.valueAxis()->labelsBrush().color(), chart.pointAxis()->labelsBrush().color()};
        for (const QColor& text : texts)
            for (const QColor& paper : Shades(chart.chart()->backgroundBrush()))
                QVERIFY2(ContrastRatio(text, paper) >= kReadableContrast,
                         qPrintable(text.name() + QStringLiteral(" on ") + paper.name()));
        // Lines need less than text: 3 to 1 against every shade of the plot area.
        for (int serie : {0, 1})
            for (const QColor& shade : Shades(chart.chart()->plotAreaBackgroundBrush()))
                QVERIFY2(ContrastRatio(chart.series(serie)->color(), shade) >= 3,
                         qPrintable(shade.name()));
    }
};

SPRITLOG_GUI_TEST_MAIN(WindowSizesTest)
#include "windowsizes_test.moc"
