// The window with a large logbook: drives the real main window offscreen and times what a
// user waits for, each step followed by a forced paint of the whole window (grab) so the
// drawing is included:
//
//   open      constructing the window and FormCreate with the file, shown and painted;
//   scroll    the table from the first to the last row;
//   F5        "Werte Berechnen" through its key;
//   Grafik    the page "Grafik" from "Daten" (draws the current view);
//   view N    each of the eight views under the chart, from the one beside it;
//   recalc    the calculation every view switch starts with, alone (no drawing): a view
//             switch less this is what building the series and drawing cost.
//
// Wall-clock time of the step alone (manual timing); the setup between the steps is not
// counted. Figures taken while other work runs on the machine are noisy.
//
//   spritlog-window-bench [--data=DIR] [--records=N] [Google Benchmark options]

#include "logbookgenerator.h"

#include "app/window/gridview.h"
#include "app/window/logbookmodel.h"
#include "app/window/mainwindow.h"
#include "app/window/prompts.h"
#include "charts/chartviews.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPixmap>
#include <QPrinter>
#include <QScrollBar>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Settings {
    std::string dataDir = "bench-data";
    int records = 100000;
};

Settings settings;

// The core benchmark's file of the same size is reused when it is there.
std::string LogbookPath() {
    return settings.dataDir + "/logbook-v1-" + std::to_string(settings.records) + ".slg";
}

void EnsureLogbook() {
    const std::string path = LogbookPath();
    if (QFileInfo(QString::fromStdString(path)).size() > 0)
        return;
    QDir().mkpath(QString::fromStdString(settings.dataDir));
    std::fprintf(stderr, "generating %s\n", path.c_str());
    const std::string partial = path + ".part";
    spritlog::bench::WriteGeneratedLogbook(partial, settings.records);
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "cannot rename %s\n", partial.c_str());
        std::exit(1);
    }
}

// Nothing the steps do should ask or tell anything; whatever does is kept and fails the
// benchmark instead of waiting on a box.
class SilentPrompts : public spritlog::Prompts {
public:
    QStringList seen;

    bool askYesNo(QWidget*, const QString& text) override {
        seen << text;
        return false;
    }
    Answer askYesNoCancel(QWidget*, const QString& text) override {
        seen << text;
        return Answer::Cancel;
    }
    void showNotice(QWidget*, const QString& text) override { seen << text; }
    void showError(QWidget*, const QString& text) override { seen << text; }
    QString getOpenFileName(QWidget*, const QString&) override {
        seen << QStringLiteral("open dialog");
        return QString();
    }
    QString getSaveFileName(QWidget*, const QString&) override {
        seen << QStringLiteral("save dialog");
        return QString();
    }
    bool openUrl(const QUrl&) override { return true; }
};

struct Window {
    std::shared_ptr<SilentPrompts> prompts = std::make_shared<SilentPrompts>();
    std::unique_ptr<spritlog::TFmain> fmain;

    Window() {
        spritlog::TFmain::Services services;
        services.prompts = prompts;
        services.printer = [] { return std::unique_ptr<QPrinter>(); };
        fmain = std::make_unique<spritlog::TFmain>(std::move(services));
    }
};

// Lets the window handle what is pending (layout, deferred updates) and paints all of it.
void Paint(QWidget& window) {
    QApplication::processEvents();
    const QPixmap picture = window.grab();
    benchmark::DoNotOptimize(picture.cacheKey());
}

// Opens the logbook as the program does at start: FormCreate, then show.
std::unique_ptr<Window> OpenWindow() {
    auto window = std::make_unique<Window>();
    window->fmain->FormCreate({QString::fromStdString(LogbookPath())});
    window->fmain->show();
    Paint(*window->fmain);
    return window;
}

// False (and the benchmark skipped) when the window asked or told something, or does
// not hold the whole logbook.
bool CheckWindow(benchmark::State& state, const Window& window) {
    if (!window.prompts->seen.isEmpty()) {
        state.SkipWithError(
            ("the window said: " + window.prompts->seen.join(" | ").toStdString()).c_str());
        return false;
    }
    if (window.fmain->RecordCount() != settings.records) {
        state.SkipWithError("the window does not hold the whole logbook");
        return false;
    }
    return true;
}

// One window for the steps after opening, on the page "Daten" and active, so keys reach
// its shortcuts.
std::unique_ptr<Window> sharedWindow;

Window& SharedWindow() {
    std::unique_ptr<Window>& window = sharedWindow;
    if (!window) {
        window = OpenWindow();
        window->fmain->activateWindow();
        if (!QTest::qWaitForWindowActive(window->fmain.get()))
            std::fprintf(stderr, "warning: the window did not become active\n");
    }
    return *window;
}

// The window's parts, found by the names the program gives them.
template <typename T> T* Part(const spritlog::TFmain& fmain, const char* name) {
    T* part = fmain.findChild<T*>(QLatin1String(name));
    if (!part) {
        std::fprintf(stderr, "the window has no %s\n", name);
        std::exit(1);
    }
    return part;
}
QTabWidget* Pages(const spritlog::TFmain& f) {
    return Part<QTabWidget>(f, "p_control");
}
QWidget* DataPage(const spritlog::TFmain& f) {
    return Part<QWidget>(f, "tab_daten");
}
QWidget* ChartPage(const spritlog::TFmain& f) {
    return Part<QWidget>(f, "tab_grafik");
}
QTableView* Grid(const spritlog::TFmain& f) {
    return Part<QTableView>(f, "p_Grid");
}
QTabBar* ViewTabs(const spritlog::TFmain& f) {
    return Part<QTabBar>(f, "Tab");
}

void ShowPage(spritlog::TFmain& fmain, QWidget* page) {
    Pages(fmain)->setCurrentWidget(page);
    Paint(fmain);
}

template <typename Step> void TimeStep(benchmark::State& state, Step&& step) {
    const auto start = Clock::now();
    step();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
}

void BM_Open(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<Window> window;
        TimeStep(state, [&] { window = OpenWindow(); });
        if (!CheckWindow(state, *window))
            return;
        window.reset(); // closing is not part of the step
    }
    state.SetItemsProcessed(state.iterations() * settings.records);
}

void BM_ScrollToEnd(benchmark::State& state) {
    Window& window = SharedWindow();
    spritlog::TFmain& fmain = *window.fmain;
    ShowPage(fmain, DataPage(fmain));
    QScrollBar* bar = Grid(fmain)->verticalScrollBar();
    for (auto _ : state) {
        Grid(fmain)->scrollToTop();
        Paint(fmain);
        TimeStep(state, [&] {
            Grid(fmain)->scrollToBottom();
            Paint(fmain);
        });
        if (bar->maximum() == 0 || bar->value() != bar->maximum()) {
            state.SkipWithError("the table did not scroll to its end");
            return;
        }
    }
    CheckWindow(state, window);
}

void BM_F5(benchmark::State& state) {
    Window& window = SharedWindow();
    spritlog::TFmain& fmain = *window.fmain;
    ShowPage(fmain, DataPage(fmain));
    Grid(fmain)->setFocus();
    int recalculations = 0;
    const auto counter = QObject::connect(fmain.gridModel(), &QAbstractItemModel::dataChanged,
                                          [&] { ++recalculations; });
    for (auto _ : state) {
        const int before = recalculations;
        TimeStep(state, [&] {
            QTest::keyClick(Grid(fmain), Qt::Key_F5);
            Paint(fmain);
        });
        if (recalculations == before) {
            state.SkipWithError("F5 did not recalculate");
            break;
        }
    }
    QObject::disconnect(counter);
    CheckWindow(state, window);
    state.SetItemsProcessed(state.iterations() * settings.records);
}

void BM_Grafik(benchmark::State& state) {
    Window& window = SharedWindow();
    spritlog::TFmain& fmain = *window.fmain;
    for (auto _ : state) {
        ShowPage(fmain, DataPage(fmain));
        TimeStep(state, [&] {
            Pages(fmain)->setCurrentWidget(ChartPage(fmain));
            Paint(fmain);
        });
    }
    CheckWindow(state, window);
    state.SetLabel(std::string("view ") +
                   spritlog::ChartTabCaption(ViewTabs(fmain)->currentIndex()));
}

void BM_View(benchmark::State& state) {
    const int view = static_cast<int>(state.range(0));
    Window& window = SharedWindow();
    spritlog::TFmain& fmain = *window.fmain;
    ShowPage(fmain, ChartPage(fmain));
    for (auto _ : state) {
        // From the view beside it, so the bar really changes.
        ViewTabs(fmain)->setCurrentIndex((view + 1) % spritlog::kChartTabCount);
        Paint(fmain);
        TimeStep(state, [&] {
            ViewTabs(fmain)->setCurrentIndex(view);
            Paint(fmain);
        });
    }
    CheckWindow(state, window);
    state.SetLabel(spritlog::ChartTabCaption(view));
}

// What TabChange calculates before it draws, alone.
void BM_ChartRecalculation(benchmark::State& state) {
    Window& window = SharedWindow();
    spritlog::LogbookDocument& document = window.fmain->document();
    for (auto _ : state)
        TimeStep(state, [&] { document.calculateForChartPage(); });
    CheckWindow(state, window);
    state.SetItemsProcessed(state.iterations() * settings.records);
}

// The recovery copy of a logbook with unsaved changes. `onUiThread` times what the window
// itself spends (copying the table and handing it to the writer); otherwise the step lasts
// until the copy is on disk.
void BM_RecoveryCopy(benchmark::State& state, bool onUiThread) {
    Window& window = SharedWindow();
    spritlog::TFmain& fmain = *window.fmain;
    spritlog::LogbookDocument& document = fmain.document();
    int round = 0;
    for (auto _ : state) {
        document.editCell({spritlog::ColNote1, 1 + round++ % settings.records},
                          std::to_string(round));
        if (onUiThread) {
            TimeStep(state, [&] { fmain.recovery().writeNow(); });
            fmain.recovery().flush(); // not timed
        } else {
            TimeStep(state, [&] { fmain.recovery().flush(); });
        }
    }
    CheckWindow(state, window);
    state.SetItemsProcessed(state.iterations() * settings.records);
}

// Takes this program's options out of argv before Google Benchmark sees it.
void ParseOptions(int& argc, char** argv) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strncmp(arg, "--data=", 7) == 0)
            settings.dataDir = arg + 7;
        else if (std::strncmp(arg, "--records=", 10) == 0)
            settings.records = std::atoi(arg + 10);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    if (settings.records < 3) {
        std::fprintf(stderr, "--records needs at least 3 (the charts need three records)\n");
        std::exit(2);
    }
}

QtMessageHandler standardMessages = nullptr;

// The offscreen platform notes for every dialog that it cannot pass on size hints.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support propagateSizeHints")))
        return;
    standardMessages(type, context, text);
}

} // namespace

int main(int argc, char** argv) {
    ParseOptions(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    standardMessages = qInstallMessageHandler(QuietOffscreenNotes);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Spritlog"));
    QApplication::setOrganizationName(QStringLiteral("Ostrel"));
    // A settings store of its own, so the user's settings neither steer nor receive anything.
    QTemporaryDir config;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
    // Recovery copies, too, go to a folder of their own.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    QApplication::setFont(font);

    EnsureLogbook();

    auto timed = [](benchmark::internal::Benchmark* b) {
        b->UseManualTime()->Unit(benchmark::kMillisecond);
    };
    timed(benchmark::RegisterBenchmark("window/open", BM_Open));
    timed(benchmark::RegisterBenchmark("window/scroll to the end", BM_ScrollToEnd));
    timed(benchmark::RegisterBenchmark("window/F5", BM_F5));
    timed(benchmark::RegisterBenchmark("window/Grafik", BM_Grafik));
    timed(benchmark::RegisterBenchmark("window/view", BM_View)->DenseRange(0, 7));
    timed(benchmark::RegisterBenchmark("window/recalc of a view switch", BM_ChartRecalculation));
    // Handing a copy to the writer takes microseconds, while each round waits for a whole
    // copy on disk: a fixed number of rounds, or the benchmark would run for hours.
    timed(benchmark::RegisterBenchmark("window/recovery copy, time on the UI thread",
                                       BM_RecoveryCopy, true)
              ->Iterations(20));
    timed(benchmark::RegisterBenchmark("window/recovery copy, until on disk", BM_RecoveryCopy,
                                       false));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    sharedWindow.reset(); // before the application goes
    return 0;
}
