// The main window: construction, the start-up and close sequences and the settings.
#include "app/window/mainwindow.h"

#include "app/window/aboutdialog.h"
#include "app/window/errordisplay.h"
#include "app/window/gridview.h"
#include "app/window/logbookmodel.h"
#include "app/window/ordercheck.h"
#include "app/window/prompts.h"
#include "app/window/setupdialog.h"
#include "app/window/sizedialog.h"
#include "app/window/statistikdialog.h"
#include "app/window/yearpage.h"

#include "logbook/conventions.h"
#include "logbook/logbooktable.h"
#include "platform/celltext.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

// Resources of a static library are registered by hand, outside any namespace.
static void InitResources() {
    Q_INIT_RESOURCE(spritlog);
}

namespace spritlog {
TFmain::TFmain(Services services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    InitResources();
    if (!services_.prompts)
        services_.prompts = std::make_shared<QtPrompts>();
    if (!services_.clock)
        services_.clock = SystemLocalTime;
    if (!services_.printer)
        services_.printer = DefaultPrinter;
    if (!services_.chart)
        services_.chart = CreateChartWidget;
    document_.saveOptions().report.clock = services_.clock;

    setObjectName(QStringLiteral("Fmain"));
    // "[*]": the desktop's mark of unsaved changes, shown while the logbook has some.
    setWindowTitle(QStringLiteral("Spritlog[*]"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/spritlog.svg")));
    QFont windowFont(QStringLiteral("Arial"));
    windowFont.setPointSize(8);
    setFont(windowFont);

    files_ = std::make_unique<FileController>(
        document_, prompts(), this, static_cast<FileController::Host&>(*this), services_.printer);
    recovery_ =
        std::make_unique<RecoveryController>(document_, prompts(), this, DefaultRecoveryFolder());
    orderCheck_ = std::make_unique<OrderCheck>(
        document_, prompts(), this,
        CursorHooks{[this] { return p_Grid->cursorCell(); },
                    [this](CellPosition cell) { p_Grid->setCursorCell(cell); },
                    [this](const std::function<void()>& command) { return runCommand(command); }});

    connect(files_.get(), &FileController::logbookLoaded, this,
            [this] { recovery_->offerLeftBehind(false); });
    connect(files_.get(), &FileController::recentFileChosen, this,
            [this](const QString& path) { runCommand([&] { files_->m_ZuletztClick(path); }); });

    buildMenu();
    buildToolBar();

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Fmain_client"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    page_.p_control = new QTabWidget(central);
    page_.p_control->setObjectName(QStringLiteral("p_control"));
    page_.p_control->tabBar()->setCursor(Qt::PointingHandCursor);
    page_.p_control->addTab(buildDataPage(), QStringLiteral("Daten"));
    page_.p_control->addTab(buildChartPage(), QStringLiteral("Grafik"));
    page_.p_control->addTab(buildStatisticsPage(), QStringLiteral("Statistik"));
    page_.p_control->addTab(new YearPage(document_, services_.clock), QStringLiteral("&Jahre"));
    layout->addWidget(page_.p_control, 1);
    layout->addWidget(buildButtonPanel());
    setCentralWidget(central);
    buildStatusBar();
    buildPageKeys();
    // No floor under the window: the user may make it smaller than its controls need, and
    // the bottom panel then wraps. showEvent sees to the size of a first start.
    QMainWindow::layout()->setSizeConstraint(QLayout::SetNoConstraint);
    resize(644, 465);

    charts_ =
        std::make_unique<ChartPageController>(document_, prompts(), this, services_.clock, page_);
    wireCommands();
    // After the models: they know the table's shape before the status bar renumbers it.
    document_.addListener(this);
    // The table has the cursor and the keyboard from the start.
    p_Grid->setCursorCell({ColDatum, 1});
    p_Grid->setFocus();
}

TFmain::~TFmain() {
    // The views go before the tables they show, which are members of this window, and the
    // models before the document they listen to.
    document_.removeListener(this);
    delete takeCentralWidget();
    delete gridModel_;
    delete infoModel_;
}

void TFmain::wireCommands() {
    ChartPageController* charts = charts_.get();
    wire(page_.p_control, &QTabWidget::currentChanged,
         command(charts, &ChartPageController::p_controlChange));
    connect(page_.Tab, &QTabBar::currentChanged, this,
            [this, charts](int tab) { runCommand([charts, tab] { charts->TabChange(tab); }); });
    // The document draws the chart source in the shape the radio group shows; a click
    // changes the shape before the page is redrawn.
    connect(p_ansichtItems, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            document_.setChartBasis(static_cast<ChartBasis>(id));
    });
    wire(p_ansichtItems, &QButtonGroup::idClicked,
         command(charts, &ChartPageController::chartOptionsChanged));
    wire(page_.p_zoomItems, &QButtonGroup::idClicked,
         command(charts, &ChartPageController::chartOptionsChanged));
}

void TFmain::setDialogs(TFAbout* about, TFSetup* setup, TFSize* size, TFStatistik* statistik) {
    FAbout = about;
    FSetup = setup;
    FSize = size;
    FStatistik = statistik;
    if (FSetup)
        connectSetupDialog();
}

bool TFmain::runCommand(const std::function<void()>& command) {
    const bool succeeded = RunCommand(prompts(), this, [&] {
        // Text still in the cell editor belongs to the cell before any command reads the
        // table, whichever way the command was started.
        if (p_Grid)
            p_Grid->commitEdit();
        command();
        // The page shown follows what the command changed before it returns.
        if (charts_)
            charts_->commandDone(true);
    });
    if (!succeeded && charts_)
        charts_->commandDone(false);
    return succeeded;
}

std::optional<CellPosition> TFmain::cursorCell() const {
    return p_Grid->cursorCell();
}

void TFmain::setCursorCell(CellPosition cell) {
    p_Grid->setCursorCell(cell);
}

PreparedReport TFmain::prepareReport() {
    return charts_->prepareReport();
}

int TFmain::RecordCount() const {
    return document_.recordCount();
}

void TFmain::FormCreate(const QStringList& arguments) {
    // An error ends the sequence; the window opens all the same.
    runCommand([&] {
        LoadSettings();
        {
            // The window always opens on "Daten".
            const QSignalBlocker quiet(page_.p_control);
            page_.p_control->setCurrentIndex(0);
        }
        charts_->setRadioGroupsEnabled(false);
        document_.writeColumnHeadings();
        p_Grid->applyColumnWidths();

        if (!arguments.isEmpty()) {
            // A file named on the command line replaces the stored one. A name that does
            // not exist loads nothing but becomes the current name, so a later save writes
            // that new file instead of emptying the stored logbook.
            const QString argument = arguments.first();
            const QFileInfo file(argument);
            const std::string path =
                argument.isEmpty() ? std::string() : file.absoluteFilePath().toStdString();
            document_.setFileName(path);
            if (file.exists() && !file.isDir())
                files_->LoadLogbookFile(path);
        } else if (document_.hasFileName()) {
            files_->LoadLogbookFile(document_.fileName());
        }
        UpdateStatusBar();
    });
    // Unsaved changes a window that did not close cleanly left behind.
    runCommand([this] { recovery_->offerLeftBehind(true); });
}

bool TFmain::FormClose() {
    bool declined = false;
    const bool saved = runCommand([this, &declined] { declined = !files_->SaveBeforeClosing(); });
    // A failed save, one declined because the file changed outside, or "Abbrechen" keeps
    // the window open with the settings unsaved.
    if (!saved || declined)
        return false;
    // A settings store that cannot be written is reported, but does not trap the user.
    runCommand([this] { SaveSettings(); });
    return true;
}

void TFmain::closeEvent(QCloseEvent* event) {
    if (FormClose()) {
        recovery_->closeCleanly();
        event->accept();
    } else
        event->ignore();
}

QSize TFmain::minimumSizeHint() const {
    QSize needed = QMainWindow::minimumSizeHint();
    // The statistics scroll in a small window, but the window opens large enough to show
    // them whole, where another page does not need more room anyway.
    const auto* scroller = p_Statistik ? qobject_cast<const QScrollArea*>(
                                             p_Statistik->parentWidget()->parentWidget())
                                       : nullptr;
    if (scroller && page_.p_control) {
        QSize pages;
        for (int page = 0; page < page_.p_control->count(); ++page)
            pages = pages.expandedTo(page_.p_control->widget(page)->minimumSizeHint());
        const QSize whole = p_Statistik->minimumSizeHint();
        needed += QSize(std::max(0, whole.width() - pages.width()),
                        std::max(0, whole.height() - pages.height()));
    }
    if (p_button)
        needed.setWidth(std::max(needed.width(), p_button->sizeHint().width()));
    return needed;
}

void TFmain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    // A size the user left behind is kept; otherwise the window opens large enough to show
    // every control.
    const QSize needed = minimumSizeHint();
    QSize opening = size();
    if (!(storedSize_ & Qt::Horizontal))
        opening.setWidth(std::max(opening.width(), needed.width()));
    if (!(storedSize_ & Qt::Vertical))
        opening.setHeight(std::max(opening.height(), needed.height()));
    resize(opening);
    if (QScreen* display = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(display->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TFmain::m_BeendenClick() {
    close();
}

void TFmain::setNoteHeader(int column, const QString& text) {
    document_.setHeading(column, QStringToCell(text));
}

void TFmain::applySetting(Settings::Key key, const Settings& values) {
    using Key = Settings::Key;
    switch (key) {
    case Key::DefaultFile:
        document_.setFileName(values.defaultFile.toStdString());
        break;
    case Key::Dateispeichern:
        files_->closing().Dateispeichern = values.dateispeichern;
        break;
    case Key::Autospeichern:
        files_->closing().Autospeichern = values.autospeichern;
        break;
    case Key::Backupspeichern:
        document_.saveOptions().backup = values.backupspeichern;
        break;
    case Key::Anmerkung1:
    case Key::Anmerkung2:
    case Key::Anmerkung3: {
        const int note = static_cast<int>(key) - static_cast<int>(Key::Anmerkung1);
        setNoteHeader(ColNote1 + note, values.notes[note]);
        break;
    }
    case Key::TabIndex: {
        const QSignalBlocker quiet(page_.p_control);
        page_.p_control->setCurrentIndex(values.tabIndex); // an invalid index is ignored
        break;
    }
    case Key::Ansicht:
        if (QAbstractButton* item = p_ansichtItems->button(values.ansicht))
            item->setChecked(true);
        break;
    case Key::Zoom:
        if (QAbstractButton* item = page_.p_zoomItems->button(values.zoom))
            item->setChecked(true);
        break;
    case Key::Width:
        resize(values.width, height());
        break;
    case Key::Height:
        resize(width(), values.height);
        break;
    }
}

void TFmain::applySettings(const Settings& values, std::initializer_list<Settings::Key> keys) {
    for (const Settings::Key key : keys)
        applySetting(key, values);
}

void TFmain::LoadSettings() {
    const auto store = OpenSettingsStore();
    files_->readRecentFiles(*store);
    Settings values;
    values.load(*store, [&](Settings::Key key) { applySetting(key, values); });
    // Before any logbook is loaded, whose load calculates.
    FullTankIntervals fullTank;
    fullTank.read(*store);
    document_.setFullTankIntervals(fullTank.on);
    // Read once more without defaults, to tell a stored size from the default one.
    constexpr int kAbsent = std::numeric_limits<int>::min();
    Settings stored;
    stored.width = stored.height = kAbsent;
    stored.read(*store, {Settings::Key::Width, Settings::Key::Height});
    storedSize_ = {};
    if (stored.width != kAbsent)
        storedSize_ |= Qt::Horizontal;
    if (stored.height != kAbsent)
        storedSize_ |= Qt::Vertical;
}

Settings TFmain::currentSettings() const {
    Settings values;
    values.defaultFile = QString::fromStdString(document_.fileName());
    for (int note = 0; note < 3; ++note)
        values.notes[note] = CellToQString(document_.table().cell(ColNote1 + note, 0));
    values.dateispeichern = files_->closing().Dateispeichern;
    values.autospeichern = files_->closing().Autospeichern;
    values.backupspeichern = document_.saveOptions().backup;
    values.tabIndex = page_.p_control->currentIndex();
    values.ansicht = static_cast<int>(document_.chartBasis());
    values.zoom = charts_->zoomIndex();
    values.width = width();
    values.height = height();
    return values;
}

void TFmain::SaveSettings() {
    const auto store = OpenSettingsStore();
    currentSettings().save(*store);
    FullTankIntervals fullTank;
    fullTank.on = document_.fullTankIntervals();
    fullTank.write(*store);
}

void TFmain::tableReset() {
    UpdateStatusBar();
}

void TFmain::recordsInserted(int, int) {
    UpdateStatusBar();
}

void TFmain::recordsRemoved(int, int) {
    UpdateStatusBar();
}

void TFmain::fileNameChanged() {
    UpdateStatusBar();
}

void TFmain::modifiedChanged() {
    updateHistoryActions();
    setWindowModified(document_.isModified());
}

} // namespace spritlog
