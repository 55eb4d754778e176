// Shared by the window tests: scripted answers to every question the window asks, sample
// logbooks, and a test main that keeps the run from ever waiting on a modal box.
#pragma once

#include "app/window/gridview.h"
#include "app/window/logbookmodel.h"
#include "app/window/mainwindow.h"
#include "app/window/prompts.h"

#include "chartwidget/chartwidget.h"
#include "import/csvimport.h"
#include "logbook/codepage.h"
#include "logbook/logbooktable.h"
#include "support/logbooks.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>
#include <QUrl>

#include <array>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace spritlog::test {

// Qt's own German texts for the standard buttons, installed as the program's start does.
inline bool InstallGermanQtTexts(QTranslator& translator) {
    if (!translator.load(QStringLiteral("qtbase_de"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QApplication::installTranslator(&translator);
    return true;
}

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
    // What the desktop would do with a link: open it, or have nothing for it.
    bool desktopOpens = true;
    bool openUrl(const QUrl& url) override {
        opened << url;
        return desktopOpens;
    }
    QStringList addresses; // the notices with an address to copy: text, then address
    void showAddress(QWidget*, const QString& text, const QString& address) override {
        addresses << text << address;
    }
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

    // The recovery question: each time the offers it listed ("name | folder | dd.MM.yyyy
    // hh:mm"), noted also in `questions`; answered from the queue, else every copy kept.
    std::deque<QList<RecoveryChoice>> recoveryAnswers;
    QList<QStringList> recoveryOffers;
    QList<RecoveryChoice> chooseRecovery(QWidget*, const QList<RecoveryOffer>& offers) override {
        QStringList listed;
        for (const RecoveryOffer& offer : offers)
            listed << offer.name + QStringLiteral(" | ") + offer.folder + QStringLiteral(" | ") +
                          offer.writtenAt.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
        recoveryOffers << listed;
        questions << QStringLiteral("recovery: ") + listed.join(QStringLiteral("; "));
        if (recoveryAnswers.empty()) {
            unexpected << QStringLiteral("recovery question");
            return QList<RecoveryChoice>(offers.size(), RecoveryChoice::Keep);
        }
        const QList<RecoveryChoice> answer = recoveryAnswers.front();
        recoveryAnswers.pop_front();
        return answer;
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

// Records here hold UTF-8 texts in the input columns in file order (test::Record of
// support/logbooks.h); the file holds Windows-1252.
inline std::vector<Record> SampleRecords(int count) {
    std::vector<Record> records;
    for (int i = 0; i < count; ++i) {
        Record r(kInputColumns.size());
        r[Datum] = "0" + std::to_string(1 + i % 9) + ".03.2024";
        r[KmStand] = std::to_string(10000 + 500 * i);
        r[Liter] = std::to_string(40 - i % 10) + ".00";
        r[Literpreis] = "1.50";
        r[Benzin] = "Super";
        r[Tankstelle] = i % 2 ? "West" : "Nord";
        r[Ort] = "M\xC3\xBCnchen"; // München
        records.push_back(r);
    }
    return records;
}

// The native file of `records`: the count, then the input columns block by block.
inline QByteArray NativeFile(const std::vector<Record>& records) {
    std::string text = std::to_string(records.size()) + "\r\n";
    for (std::size_t field = 0; field < kInputColumns.size(); ++field)
        for (const Record& r : records)
            text += Utf8ToCp1252(field < r.size() ? r[field] : std::string()) + "\r\n";
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

// The window's parts, found by the object names the program gives them. A part that is
// missing ends the run with its name.
template <typename T> T* Named(const QObject& root, const QString& name) {
    T* found = root.findChild<T*>(name);
    if (!found)
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return found;
}

inline GridView* Grid(const TFmain& w) {
    return Named<GridView>(w, QStringLiteral("p_Grid"));
}
inline QTabWidget* Pages(const TFmain& w) {
    return Named<QTabWidget>(w, QStringLiteral("p_control"));
}
inline QWidget* ChartPage(const TFmain& w) {
    return Named<QWidget>(w, QStringLiteral("tab_grafik"));
}
inline ChartWidget* Chart(const TFmain& w) {
    return Named<ChartWidget>(w, QStringLiteral("p_chart"));
}
inline QTableView* Info(const TFmain& w) {
    return Named<QTableView>(w, QStringLiteral("p_Info"));
}
inline QTabBar* ViewTabs(const TFmain& w) {
    return Named<QTabBar>(w, QStringLiteral("Tab"));
}
inline QLabel* ChartNotice(const TFmain& w) {
    return Named<QLabel>(w, QStringLiteral("p_nografik"));
}
inline QFrame* StatisticsPage(const TFmain& w) {
    return Named<QFrame>(w, QStringLiteral("p_Statistik"));
}
inline QLabel* StatisticsNotice(const TFmain& w) {
    return Named<QLabel>(w, QStringLiteral("p_nostats"));
}
// L1..L12 of the statistics page (the statistics window has labels of the same names).
inline std::array<QLabel*, 12> StatisticsLabels(const TFmain& w) {
    std::array<QLabel*, 12> labels{};
    for (int k = 1; k <= 12; ++k)
        labels[k - 1] = Named<QLabel>(*StatisticsPage(w), QStringLiteral("L%1").arg(k));
    return labels;
}
inline QGroupBox* BasisBox(const TFmain& w) {
    return Named<QGroupBox>(w, QStringLiteral("p_ansicht"));
}
inline QGroupBox* ZoomBox(const TFmain& w) {
    return Named<QGroupBox>(w, QStringLiteral("p_zoom"));
}
// ids 0 "Eintrag", 1 "Monat"
inline QButtonGroup* BasisItems(const TFmain& w) {
    return Named<QButtonGroup>(w, QStringLiteral("p_ansichtItems"));
}
// ids 0 "100%", 1 "Bereich"
inline QButtonGroup* ZoomItems(const TFmain& w) {
    return Named<QButtonGroup>(w, QStringLiteral("p_zoomItems"));
}
inline QToolBar* ToolBar(const TFmain& w) {
    return Named<QToolBar>(w, QStringLiteral("p_toolbar"));
}
inline QPushButton* Button(const TFmain& w, const char* name) {
    return Named<QPushButton>(w, QLatin1String(name));
}
inline QAction* Action(const TFmain& w, const char* name) {
    return Named<QAction>(w, QLatin1String(name));
}
inline QLabel* StatusPanel(const TFmain& w, int panel) {
    return Named<QLabel>(w, QStringLiteral("p_StatusBar_Panel%1").arg(panel));
}

// The two save flags: "Datei speichern Abfrage beim Beenden" and "Automatisches Speichern
// beim Beenden". The tests reach them here only.
inline bool AsksToSave(const TFmain& w) {
    return w.currentSettings().dateispeichern;
}
inline bool SavesAutomatically(const TFmain& w) {
    return w.currentSettings().autospeichern;
}
inline void SetAskToSave(TFmain& w, bool on) {
    Settings values = w.currentSettings();
    values.dateispeichern = on;
    w.applySettings(values, {Settings::Key::Dateispeichern});
}
inline void SetAutoSave(TFmain& w, bool on) {
    Settings values = w.currentSettings();
    values.autospeichern = on;
    w.applySettings(values, {Settings::Key::Autospeichern});
}

// A main window wired to scripted prompts and the fixed clock.
struct Window {
    std::shared_ptr<ScriptedPrompts> prompts = std::make_shared<ScriptedPrompts>();
    std::unique_ptr<TFmain> fmain;

    explicit Window(
        PrinterSource printer = [] { return std::unique_ptr<QPrinter>(); },
        ChartWidgetFactory chart = {}) {
        TFmain::Services services;
        services.prompts = prompts;
        services.clock = FixedNow;
        services.printer = std::move(printer);
        services.chart = std::move(chart);
        fmain = std::make_unique<TFmain>(std::move(services));
    }
    TFmain* operator->() const { return fmain.get(); }
    TFmain& operator*() const { return *fmain; }

    QString cell(int column, int row) const {
        return QString::fromStdString(Cp1252ToUtf8(fmain->document().table().cell(column, row)));
    }
    QString status(int panel) const { return StatusPanel(*fmain, panel)->text(); }

    // Shows the window and waits until it is active, with the keyboard on the table: keys and
    // shortcuts reach an active window only. False when it never becomes active.
    [[nodiscard]] bool showActive() const {
        fmain->show();
        fmain->activateWindow();
        if (!QTest::qWaitForWindowActive(fmain.get()))
            return false;
        Grid(*fmain)->setFocus();
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

// Types `text` at the cursor of `grid` as the user does: the first key goes to the table,
// which opens the editor; the others go to the editor, which stays open. Gives the editor.
inline QLineEdit* TypeIntoGrid(QTableView* grid, const QString& text) {
    QTest::keyClick(grid, text.at(0).toLatin1());
    QLineEdit* editor = OpenEditor(grid);
    if (!editor)
        return nullptr;
    for (int i = 1; i < text.size(); ++i)
        QTest::keyClick(editor, text.at(i).toLatin1());
    return editor;
}

// The start every window test shares: a fresh folder for its files and an empty settings
// store before each test function. A test class with more to prepare calls GuiTest::init()
// from its own init().
class GuiTest : public QObject {
    Q_OBJECT

protected:
    QString folder() const { return dir_->path(); }
    QString path(const QString& name) const { return dir_->filePath(name); }
    static void trigger(const TFmain& window, const char* name) { Action(window, name)->trigger(); }
    static void trigger(const Window& window, const char* name) { trigger(*window, name); }

protected slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        // Recovery copies of one test never reach the next.
        state_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_STATE_HOME", state_->path().toLocal8Bit());
        ClearStore();
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QTemporaryDir> state_;
};

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
    // Recovery copies stay away from the user's own.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());

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
