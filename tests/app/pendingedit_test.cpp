// Text still in the cell editor when a command runs: every way of starting a command takes
// it into the cell first and closes the editor, so files, figures and printouts use it.
#include "dialogtest.h"

#include "analysis/statistics.h"
#include "document/logbookdocument.h"
#include "reports/printlayout.h"

#include <QAction>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

using namespace spritlog;
using test::OpenEditor;
using test::Window;

namespace {

QStringList Texts(const StatisticsLabels& labels) {
    QStringList texts;
    for (const std::string& text : labels.texts)
        texts << QString::fromStdString(Cp1252ToUtf8(text));
    return texts;
}

QStringList Texts(const std::array<QLabel*, 12>& labels) {
    QStringList texts;
    for (QLabel* label : labels)
        texts << label->text();
    return texts;
}

// The derived cells of every record.
QStringList DerivedCells(const TextTable& grid) {
    QStringList cells;
    for (int row = 1; row <= RecordCount(grid); ++row)
        for (int column = ColKm; column <= ColTankkosten; ++column)
            cells << QString::fromStdString(std::string(grid.cell(column, row)));
    return cells;
}

} // namespace

class PendingEditTest : public test::GuiTest {
    Q_OBJECT

    std::unique_ptr<Window> window_;
    TFStatistik* statistik_ = nullptr;
    std::string printedRow_; // record 2 as the printout got it

    QString logbook() const { return path(QStringLiteral("fahrten.slg")); }
    GridView* grid() const { return test::Grid(**window_); }

    // A shown, active window on three records with the statistics window and a printer
    // that notes what it is given to print. False when the window does not become active:
    // the keys would then reach no widget.
    [[nodiscard]] bool open() {
        test::WriteFile(logbook(), test::NativeFile(test::SampleRecords(3)));
        window_ = std::make_unique<Window>([this] {
            printedRow_ = PrintRowText((*window_)->document().table(), 2);
            auto printer = std::make_unique<QPrinter>();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(path(QStringLiteral("druck.pdf")));
            return printer;
        });
        TFmain& fmain = *window_->fmain;
        fmain.FormCreate({logbook()});
        statistik_ = new TFStatistik(&fmain);
        fmain.setDialogs(nullptr, nullptr, nullptr, statistik_);
        return window_->showActive();
    }

    // Types `text` at the cursor without Enter: the first key opens the editor.
    void type(const QString& text) {
        QTest::keyClick(grid(), text.at(0).toLatin1());
        QLineEdit* editor = OpenEditor(grid());
        QVERIFY(editor);
        QTest::keyClicks(editor, text.mid(1));
        QVERIFY(grid()->isEditing());
    }

private slots:
    void cleanup() { window_.reset(); }

    // `check`: what must show the typed value afterwards. "file": the saved logbook;
    // "unsaved": the file stays as it was; "derived": the derived cells; "statistics": the
    // statistics window; "print": the printed record; "cell": the cell alone.
    void typedTextReachesTheCommand_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("check");

        auto row = [](const char* name, const char* how, int column, const char* typed,
                      const char* cell, const char* check) {
            QTest::newRow(name) << QString::fromUtf8(how) << column << QString::fromUtf8(typed)
                                << QString::fromUtf8(cell) << QString::fromUtf8(check);
        };
        row("Ctrl+S", "Ctrl+S", ColOrt, "Passau", "Passau", "file");
        row("Ctrl+S, comma mapped", "Ctrl+S", ColLiter, "1,5", "1.5", "file");
        row("tool bar Speichern", "t_speichern", ColLiter, "50", "50", "file");
        row("menu Speichern", "m_Speichern", ColOrt, "Passau", "Passau", "file");
        row("F5", "F5", ColLiter, "50", "50", "derived");
        row("Ctrl+P", "Ctrl+P", ColOrt, "Passau", "Passau", "print");
        row("tool bar Drucken", "t_drucken", ColOrt, "Passau", "Passau", "print");
        row("Statistik", "m_Statistik", ColLiter, "50", "50", "statistics");
        row("page Grafik", "Grafik", ColLiter, "50", "50", "derived");
        row("button Neuen Datensatz", "b_neu", ColOrt, "Passau", "Passau", "cell");
        row("close, Autospeichern", "close auto", ColLiter, "50", "50", "file");
        row("close, Datei speichern? Ja", "close Ja", ColOrt, "Passau", "Passau", "file");
        row("close, Datei speichern? Nein", "close Nein", ColOrt, "Passau", "Passau", "unsaved");
    }
    void typedTextReachesTheCommand() {
        QFETCH(QString, how);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, cell);
        QFETCH(QString, check);

        QVERIFY(open());
        Window& window = *window_;
        const QByteArray before = test::ReadFile(logbook());
        // The same logbook with the value already in the file, calculated.
        std::vector<test::Record> records = test::SampleRecords(3);
        (column == ColOrt ? records[1][test::Ort] : records[1][test::Liter]) = cell.toStdString();
        const QString edited = path(QStringLiteral("erwartet.slg"));
        test::WriteFile(edited, test::NativeFile(records));
        LogbookDocument expected;
        expected.load(edited.toStdString());

        grid()->setCursorCell({column, 2});
        type(typed);

        test::ModalRecorder modal;
        QStringList shownFigures;
        modal.work = [&](QDialog*) { shownFigures = Texts(statistik_->labels); };
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        if (how == QLatin1String("Ctrl+S"))
            QTest::keyClick(focus, Qt::Key_S, Qt::ControlModifier);
        else if (how == QLatin1String("Ctrl+P"))
            QTest::keyClick(focus, Qt::Key_P, Qt::ControlModifier);
        else if (how == QLatin1String("F5"))
            QTest::keyClick(focus, Qt::Key_F5);
        else if (how == QLatin1String("Grafik")) {
            QTabBar* pages = test::Pages(*window)->tabBar();
            QTest::mouseClick(pages, Qt::LeftButton, Qt::NoModifier, pages->tabRect(1).center());
            QCOMPARE(test::Pages(*window)->currentWidget(), test::ChartPage(*window));
        } else if (how.startsWith(QLatin1String("close"))) {
            test::SetAutoSave(*window, how == QLatin1String("close auto"));
            test::SetAskToSave(*window, !test::SavesAutomatically(*window));
            if (test::AsksToSave(*window))
                window.prompts->yesNoCancelAnswers.push_back(
                    how == QLatin1String("close Ja") ? Prompts::Answer::Yes : Prompts::Answer::No);
            QVERIFY(window->close());
        } else if (auto* action = window->findChild<QAction*>(how))
            action->trigger();
        else if (auto* button = window->findChild<QAbstractButton*>(how))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            QFAIL("no such command");

        QCOMPARE(window.cell(column, 2), cell);
        QVERIFY(!OpenEditor(grid()));
        QVERIFY(!grid()->isEditing());
        QCOMPARE(window.prompts->errors, QStringList());
        QCOMPARE(window.prompts->unexpected, QStringList());
        if (check == QLatin1String("file"))
            QCOMPARE(test::ReadFile(logbook()), test::NativeFile(records));
        else if (check == QLatin1String("unsaved"))
            QCOMPARE(test::ReadFile(logbook()), before);
        else if (check == QLatin1String("derived"))
            QCOMPARE(DerivedCells(window->document().table()), DerivedCells(expected.table()));
        else if (check == QLatin1String("statistics"))
            QCOMPARE(shownFigures, Texts(ComputeStatistics(expected.table())));
        else if (check == QLatin1String("print"))
            QCOMPARE(QByteArray::fromStdString(printedRow_),
                     QByteArray::fromStdString(PrintRowText(expected.table(), 2)));
    }

    // With no editor open, or the cursor in a derived column, a command runs as before.
    void commandsWithoutAnEditor_data() {
        QTest::addColumn<int>("column");
        QTest::newRow("input column") << int(ColOrt);
        QTest::newRow("derived column") << int(ColVerbrauch);
    }
    void commandsWithoutAnEditor() {
        QFETCH(int, column);
        QVERIFY(open());
        Window& window = *window_;
        const QByteArray before = test::ReadFile(logbook());
        grid()->setCursorCell({column, 2});
        QTest::keyClicks(grid(), QStringLiteral("Passau"));
        if (QLineEdit* editor = OpenEditor(grid()))
            QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!OpenEditor(grid()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(window.prompts->errors, QStringList());
        QCOMPARE(test::ReadFile(logbook()), before);
        QCOMPARE(grid()->cursorCell()->column, column);
        QCOMPARE(grid()->cursorCell()->row, 2);
    }
};

SPRITLOG_GUI_TEST_MAIN(PendingEditTest)
#include "pendingedit_test.moc"
