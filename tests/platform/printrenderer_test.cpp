#include "logbook/errors.h"
#include "logbook/texttable.h"
#include "platform/printrenderer.h"
#include "reports/printlayout.h"
#include "support/logbooks.h"

#include <QColor>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace spritlog {
namespace {

// Fonts need a GUI application; it is made only when the tests run, not when they are listed.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "platform_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QGuiApplication> app_;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// An image of 254 dots per inch: one pixel is one unit of 0.1 mm.
QImage UnitImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    return image;
}

QImage Drawn(const PrintPage& page, int width = 1400, int height = 400) {
    QImage image = UnitImage(width, height);
    QPainter painter(&image);
    SetUpPrintPainter(painter);
    DrawPrintPage(painter, page);
    painter.end();
    return image;
}

bool Dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The bounding box of the dark pixels in rows [top, bottom); empty when there are none.
QRect Ink(const QImage& image, int top, int bottom) {
    QRect box;
    for (int y = top; y < bottom && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Dark(image, x, y))
                box |= QRect(x, y, 1, 1);
    return box;
}

int InkCount(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += Dark(image, x, y);
    return count;
}

// Numbered records dated 01.02.2025 in München, under the default note headers.
TextTable Logbook(int records) {
    TextTable grid = test::LogbookOf(
        {ColDatum, ColOrt}, std::vector<test::Record>(records, {"01.02.2025", "M\xFCnchen"}));
    for (int i = 0; i < 3; ++i)
        grid.setCell(ColNote1 + i, 0, kDefaultNoteHeaders[i]);
    for (int r = 1; r <= records; ++r)
        grid.setCell(ColNumber, r, std::to_string(r) + ".");
    return grid;
}

TEST(PrintRenderer, FontIsMonospacedWithAFortyUnitCell) {
    for (const bool bold : {false, true}) {
        const QFont font = PrintFont(bold);
        EXPECT_EQ(font.family(), "Courier New");
        EXPECT_EQ(font.bold(), bold);
        EXPECT_TRUE(QFontInfo(font).fixedPitch()) << QFontInfo(font).family().toStdString();
        const QFontMetricsF metrics(font);
        EXPECT_LE(metrics.height(), 40.0);
        EXPECT_GT(metrics.height(), 37.0);
    }
}

TEST(PrintRenderer, LinesStandAtTheirPositions) {
    const std::vector<PrintPage> pages = BuildPrintLayout(Logbook(2), "auto.slg");
    ASSERT_EQ(pages.size(), 1u);
    const QImage image = Drawn(pages[0]);
    const double blank = QFontMetricsF(PrintFont(true)).horizontalAdvance(' ');

    // The heading's cell starts at y = 0, line 2 at 86, the records at 215 and 258.
    struct Band {
        const char* name;
        int top;
        bool inked;
    };
    const Band bands[] = {{"heading", 0, true},    {"line 1", 43, false},  {"line 2", 86, true},
                          {"line 3", 129, false},  {"line 4", 172, false}, {"record 1", 215, true},
                          {"record 2", 258, true}, {"line 7", 301, false}};
    for (const Band& band : bands) {
        SCOPED_TRACE(band.name);
        const QRect ink = Ink(image, band.top, band.top + 43);
        EXPECT_EQ(!ink.isEmpty(), band.inked);
        if (ink.isEmpty())
            continue;
        // Text starts 20 mm from the left (the column headings after 20 blanks) and stays
        // inside its 4 mm cell.
        const int left = band.top == 86 ? 200 + qRound(20 * blank) : 200;
        EXPECT_GE(ink.left(), left);
        EXPECT_LE(ink.left(), left + 6);
        EXPECT_GE(ink.top(), band.top);
        EXPECT_LT(ink.bottom(), band.top + 40);
    }
}

TEST(PrintRenderer, HeadingsAreBoldAndRecordsRegular) {
    PrintPage bold;
    bold.lines.push_back({200, 43, true, "Spritlog - auto.slg - Seite 1"});
    PrintPage regular;
    regular.lines.push_back({200, 43, false, "Spritlog - auto.slg - Seite 1"});
    // Bold strokes are wider: clearly more ink for the same text.
    EXPECT_GT(InkCount(Drawn(bold)), InkCount(Drawn(regular)) * 6 / 5);
}

TEST(PrintRenderer, TextIsReadAsWindows1252) {
    // 0x80 is the euro sign in Windows-1252 and a control character in Latin-1.
    PrintPage page;
    page.lines.push_back({200, 43, false, "\x80 M\xFCnchen"});
    QImage expected = UnitImage(1400, 400);
    {
        QPainter painter(&expected);
        SetUpPrintPainter(painter);
        painter.setFont(PrintFont(false));
        painter.drawText(QRectF(200, 43, 1.0e6, 80), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromUtf8("\xE2\x82\xAC M\xC3\xBCnchen"));
    }
    const QImage drawn = Drawn(page);
    EXPECT_GT(InkCount(drawn), 0);
    EXPECT_TRUE(drawn == expected);
}

TEST(PrintRenderer, OpaqueBackgroundCoversWhatLiesBelow) {
    QImage image = UnitImage(1400, 200);
    {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::black);
        SetUpPrintPainter(painter);
        PrintPage page;
        page.lines.push_back({200, 43, false, "  "});
        DrawPrintPage(painter, page);
    }
    // Two blanks: the white background alone, where the cell stands.
    EXPECT_FALSE(Dark(image, 210, 60));
    EXPECT_TRUE(Dark(image, 190, 60));
    EXPECT_TRUE(Dark(image, 210, 30));
}

std::vector<PrintPage> ThreePages() {
    const std::vector<PrintPage> pages = BuildPrintLayout(Logbook(120), "/daten/auto.slg");
    EXPECT_EQ(pages.size(), 3u);
    return pages;
}

TEST(PrintRenderer, PdfHasOneA4PageForEveryLayoutPage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("ausdruck.pdf");
    WritePrintPdf(ThreePages(), path);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    const QString text = QString::fromLatin1(pdf);
    EXPECT_EQ(text.count(QRegularExpression("/Type\\s*/Page\\b(?!s)")), 3);
    // A4 in points, on every page.
    EXPECT_EQ(text.count(QRegularExpression(
                  "/MediaBox\\s*\\[\\s*0\\s+0\\s+595(\\.0*)?\\s+842(\\.0*)?\\s*\\]")),
              3);
    // The monospaced font is embedded in both weights.
    const QString family = QFontInfo(PrintFont(false)).family().remove(' ');
    EXPECT_GT(text.count(QRegularExpression("/BaseFont\\s*/(\\w+\\+)?" + family + "\\b(?!-)")), 0)
        << family.toStdString();
    EXPECT_GT(text.count(QRegularExpression("/BaseFont\\s*/(\\w+\\+)?" + family + "-Bold\\b")), 0)
        << family.toStdString();
}

TEST(PrintRenderer, UnwritablePdfIsAnErrorAndLeavesNoFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("fehlt/ausdruck.pdf");
    try {
        WritePrintPdf(ThreePages(), path);
        FAIL() << "no error";
    } catch (const Error& error) {
        // The German file error with the file's name (Windows-1252 quotes).
        EXPECT_EQ(std::string(error.what())
                      .rfind("\x84"
                             "ausdruck.pdf\x93: ",
                             0),
                  0u)
            << error.what();
    }
    EXPECT_FALSE(QFile::exists(path));
}

TEST(PrintRenderer, ExistingPdfIsReplacedWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("ausdruck.pdf");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(1000000, 'x'));
    }
    WritePrintPdf(BuildPrintLayout(Logbook(1), ""), path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_FALSE(pdf.contains("xxxxxxxxxx"));
}

} // namespace
} // namespace spritlog
