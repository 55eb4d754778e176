// Shared by the window tests: scripted answers to every question the window asks, sample
// logbooks, and a test main that keeps the run from ever waiting on a modal box.
#pragma once

#include "app/window/gridview.h"
#include "app/window/logbookmodel.h"
#include "app/window/mainwindow.h"
#include "app/window/prompts.h"

#include "import/csvimport.h"
#include "logbook/codepage.h"
#include "logbook/logbooktable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace spritlog::test {

// Records what the window asks and tells, and answers from queues. A question without a
// prepared answer is noted in `unexpected` and answered No / Cancel / cancelled.
class ScriptedPrompts : public Prompts {
public:
    std::deque<bool> yesNoAnswers;
    std::deque<Answer> yesNoCancelAnswers;
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<bool> importAnswers; // the import preview: true for "Importieren"

    QStringList questions;
    QStringList notices;
    QStringList errors;
    QStringList openPresets;
    QStringList savePresets;
    QStringList previews; // the summary each import preview showed, lines joined by "\n"
    QList<QUrl> opened;
    QStringList unexpected;

    bool askYesNo(QWidget*, const QString& text) override {
        questions << text;
        if (yesNoAnswers.empty()) {
            unexpected << QStringLiteral("question: ") + text;
            return false;
        }
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    Answer askYesNoCancel(QWidget*, const QString& text) override {
        questions << text;
        if (yesNoCancelAnswers.empty()) {
            unexpected << QStringLiteral("question: ") + text;
            return Answer::Cancel;
        }
        const Answer answer = yesNoCancelAnswers.front();
        yesNoCancelAnswers.pop_front();
        return answer;
    }
    void showNotice(QWidget*, const QString& text) override { notices << text; }
    void showError(QWidget*, const QString& text) override { errors << text; }
    QString getOpenFileName(QWidget*, const QString& preset) override {
        openPresets << preset;
        return next(openAnswers, QStringLiteral("open dialog"));
    }
    QString getSaveFileName(QWidget*, const QString& preset) override {
        savePresets << preset;
        return next(saveAnswers, QStringLiteral("save dialog"));
    }
    bool confirmImport(QWidget*, const ImportResult& result, const QStringList&) override {
        QStringList lines;
        for (const std::string& line : ImportSummaryLines(result))
            lines << QString::fromStdString(Cp1252ToUtf8(line));
        previews << lines.join(QLatin1Char('\n'));
        if (importAnswers.empty()) {
            unexpected << QStringLiteral("import preview");
            return false;
        }
        const bool answer = importAnswers.front();
        importAnswers.pop_front();
        return answer;
    }
    void openUrl(const QUrl& url) override { opened << url; }
    // The preview's page count as it opens, then switched to portrait; never modal.
    QList<int> previewPages;
    void showPrintPreview(QPrintPreviewDialog& dialog) override {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        preview->updatePreview();
        previewPages << preview->pageCount();
        preview->setPortraitOrientation();
        preview->updatePreview();
        previewPages << preview->pageCount();
    }

private:
    QString next(std::deque<QString>& answers, const QString& what) {
        if (answers.empty()) {
            unexpected << what;
            return QString();
        }
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// One record's input cells (UTF-8 here; the file holds Windows-1252).
struct Record {
    std::string datum, kmStand, liter, literpreis, benzin, tankstelle, ort;
    std::string notes[3];
};

inline std::vector<Record> SampleRecords(int count) {
    std::vector<Record> records;
    for (int i = 0; i < count; ++i) {
        Record r;
        r.datum = "0" + std::to_string(1 + i % 9) + ".03.2024";
        r.kmStand = std::to_string(10000 + 500 * i);
        r.liter = std::to_string(40 - i % 10) + ".00";
        r.literpreis = "1.50";
        r.benzin = "Super";
        r.tankstelle = i % 2 ? "West" : "Nord";
        r.ort = "M\xC3\xBCnchen"; // München
        records.push_back(r);
    }
    return records;
}

// The native file of `records`: the count, then the input columns block by block.
inline QByteArray NativeFile(const std::vector<Record>& records) {
    std::string text = std::to_string(records.size()) + "\r\n";
    auto block = [&](auto member) {
        for (const Record& r : records)
            text += Utf8ToCp1252(member(r)) + "\r\n";
    };
    block([](const Record& r) { return r.datum; });
    block([](const Record& r) { return r.kmStand; });
    block([](const Record& r) { return r.liter; });
    block([](const Record& r) { return r.literpreis; });
    block([](const Record& r) { return r.benzin; });
    block([](const Record& r) { return r.tankstelle; });
    block([](const Record& r) { return r.ort; });
    for (int n = 0; n < 3; ++n)
        block([n](const Record& r) { return r.notes[n]; });
    return QByteArray::fromStdString(text);
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// A fixed "now": 6 December 2026, 10:03:22.
inline LocalDateTime FixedNow() {
    LocalDateTime now;
    now.year = 2026;
    now.month = 12;
    now.day = 6;
    now.hour = 10;
    now.minute = 3;
    now.second = 22;
    return now;
}

// A main window wired to scripted prompts and the fixed clock.
struct Window {
    std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();
    std::unique_ptr<TFmain> fmain;

    explicit Window(PrinterSource printer = [] { return std::unique_ptr<QPrinter>(); }) {
        TFmain::Services services;
        services.prompts = prompts;
        services.clock = FixedNow;
        services.printer = std::move(printer);
        fmain = std::make_unique<TFmain>(std::move(services));
    }
    TFmain* operator->() const { return fmain.get(); }

    QString cell(int column, int row) const {
        return QString::fromStdString(Cp1252ToUtf8(fmain->document().table().cell(column, row)));
    }
    QString status(int panel) const { return fmain->statusPanels[panel]->text(); }

    // Shows the window and waits until it is active, with the keyboard on the table: keys and
    // shortcuts reach an active window only. False when it never becomes active.
    [[nodiscard]] bool showActive() const {
        fmain->show();
        fmain->activateWindow();
        if (!QTest::qWaitForWindowActive(fmain.get()))
            return false;
        fmain->p_Grid->setFocus();
        return true;
    }
};

// The settings store of the tests, away from the user's own.
inline std::unique_ptr<QSettings> Store() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Ostrel"), QStringLiteral("Spritlog"));
}

inline void ClearStore() {
    auto store = Store();
    store->clear();
    store->sync();
}

// The open cell editor of the table, if any.
inline QLineEdit* OpenEditor(QTableView* view) {
    for (QLineEdit* editor : view->viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible())
            return editor;
    return nullptr;
}

// Runs a Qt Test class with a private settings folder and a bounded run time; a modal box
// that opens by mistake is closed again and fails the run instead of hanging it.
template <typename TestClass, typename Application = QApplication, typename... Extra>
int RunGuiTest(int argc, char** argv, Extra&&... extra) {
    if (qEnvironmentVariableIsEmpty("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "60000");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv, std::forward<Extra>(extra)...);
    QApplication::setApplicationName(QStringLiteral("Spritlog"));
    QApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QTemporaryDir config;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());

    bool modalSeen = false;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modalSeen = true;
            qWarning("a modal window opened during a test: %s", qPrintable(modal->objectName()));
            modal->close();
        }
    });
    watchdog.start(500);

    TestClass test;
    const int failures = QTest::qExec(&test, argc, argv);
    return failures + (modalSeen ? 1 : 0);
}

} // namespace spritlog::test

#define SPRITLOG_GUI_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char** argv) {                                                              \
        return spritlog::test::RunGuiTest<TestClass>(argc, argv);                                  \
    }
