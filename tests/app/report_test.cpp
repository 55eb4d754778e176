// The readable report from the window (preview, PDF) and the chart pictures.
#include "guitest.h"

#include "chartwidget/chartpicture.h"

#include <QAction>
#include <QChart>
#include <QClipboard>
#include <QFileInfo>
#include <QMenu>
#include <QTabWidget>
#include <QXmlStreamReader>

using namespace spritlog;
using test::Window;

class ReportTest : public test::GuiTest {
    Q_OBJECT

    void open(Window& window, int records, const QString& name = QStringLiteral("buch.slg")) {
        test::WriteFile(path(name), test::NativeFile(test::SampleRecords(records)));
        window->FormCreate({path(name)});
    }

private slots:

    void menuItemsFollowPrinting() {
        Window window;
        window->FormCreate({});
        QStringList names;
        for (QAction* action : window->findChild<QMenu*>(QStringLiteral("m_Datei"))->actions())
            names << action->objectName();
        const int print = names.indexOf(QStringLiteral("m_Drucken"));
        QVERIFY(print >= 0);
        QCOMPARE(names.mid(print, 3),
                 (QStringList{QStringLiteral("m_Drucken"), QStringLiteral("m_Druckvorschau"),
                              QStringLiteral("m_AlsPdfSpeichern")}));
    }

    // 100 records: 33 a page in landscape (186 mm high), 51 in portrait (273 mm), then the
    // statistics page and the chart page.
    void previewFollowsTheOrientation() {
        Window window;
        open(window, 100);
        trigger(window, "m_Druckvorschau");
        QCOMPARE(window.prompts->previewPages, (QList<int>{4 + 2, 2 + 2}));
        QVERIFY(window.prompts->errors.isEmpty());
    }

    void pdfGetsItsEnding() {
        Window window;
        open(window, 5);
        window.prompts->saveAnswers.push_back(path("bericht"));
        trigger(window, "m_AlsPdfSpeichern");
        QCOMPARE(window.prompts->savePresets, QStringList{path("buch.pdf")});
        QVERIFY(test::ReadFile(path("bericht.pdf")).startsWith("%PDF-"));
        QCOMPARE(window.prompts->notices,
                 QStringList{QStringLiteral("Datei gespeichert als: ") + path("bericht.pdf")});
    }

    // Litres beyond the range of numbers in their sum: the error box, no dialog, no file.
    void figuresThatCannotBeComputedGiveNoReport() {
        Window window;
        std::vector<test::Record> records = test::SampleRecords(4);
        records[1][test::Liter] = "1e308";
        records[2][test::Liter] = "1e308";
        test::WriteFile(path("fehler.slg"), test::NativeFile(records));
        window->FormCreate({path("fehler.slg")});
        window.prompts->errors.clear();
        trigger(window, "m_AlsPdfSpeichern");
        trigger(window, "m_Druckvorschau");
        QCOMPARE(window.prompts->errors.size(), 2);
        QVERIFY(window.prompts->savePresets.isEmpty());
        QVERIFY(window.prompts->previewPages.isEmpty());
        QVERIFY(!QFileInfo::exists(path("fehler.pdf")));
    }

    void chartPicturesFromTheContextMenu() {
        Window window;
        open(window, 12);
        window->resize(800, 600);
        test::Pages(*window)->setCurrentWidget(test::ChartPage(*window));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.fmain.get()));
        QCOMPARE(test::Chart(*window)->contextMenuPolicy(), Qt::ActionsContextMenu);

        window.prompts->saveAnswers.push_back(path("bild.SVG"));
        trigger(window, "m_GrafikSpeichern");
        QXmlStreamReader svg(test::ReadFile(path("bild.SVG")));
        QStringList texts;
        while (!svg.atEnd())
            if (svg.readNext() == QXmlStreamReader::Characters)
                texts << svg.text().toString().trimmed();
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
        QVERIFY(texts.contains(QStringLiteral("KM-Stand")));

        // Any other ending is a PNG with its ending added; at least 1200 pixels wide.
        window.prompts->saveAnswers.push_back(path("bild"));
        trigger(window, "m_GrafikSpeichern");
        const QImage png(path("bild.png"));
        QVERIFY(png.width() >= 1200);

        trigger(window, "m_GrafikKopieren");
        QCOMPARE(QApplication::clipboard()->image().size(), png.size());
        QVERIFY(window.prompts->errors.isEmpty());
    }

    // The picture has the size asked for, and the values' blue lies inside the plot.
    void pictureShowsTheSeriesInThePlot() {
        Window window;
        open(window, 12);
        ChartPicture picture(window->document().chartSource(), 3, 1, QSize(900, 500));
        const QImage image = picture.image();
        QCOMPARE(image.size(), QSize(900, 500));
        const QRect plot = picture.chart().chart()->plotArea().toRect();
        QVERIFY(plot.width() > 500 && plot.height() > 250);
        int blue = 0;
        for (int y = plot.top(); y <= plot.bottom(); ++y)
            for (int x = plot.left(); x <= plot.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                blue += std::abs(c.red() - 31) < 24 && std::abs(c.green() - 111) < 24 &&
                        std::abs(c.blue() - 180) < 24;
            }
        QVERIFY2(blue > 500, qPrintable(QString::number(blue)));
    }
};

SPRITLOG_GUI_TEST_MAIN(ReportTest)
#include "report_test.moc"
