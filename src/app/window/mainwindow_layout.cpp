// The main window's controls: menu, tool bar, the three pages, the bottom panel and the
// status bar.
#include "app/window/mainwindow.h"

#include "app/window/chartpage.h"
#include "app/window/gridview.h"
#include "app/window/icons.h"
#include "app/window/logbookmodel.h"
#include "app/window/ordercheck.h"
#include "app/window/statisticsgroups.h"
#include "app/window/toolwindow.h"
#include "app/window/wraplayout.h"
#include "app/window/yearpage.h"

#include "document/cells.h"
#include "document/chartpages.h"
#include "document/figures.h"
#include "platform/celltext.h"

#include <QAction>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIconEngine>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>

namespace spritlog {
namespace {

// An icon looked up (in the desktop's theme, then among the bundled pictures) only when it
// is first drawn or asked about: most of the window's icons sit in menus that the first
// screen does not open, and each lookup reads files.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(QString name) : name_(std::move(name)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    // The size asked for is in device pixels already.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, 1.0, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    bool isNull() override { return icon().isNull(); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& icon() {
        if (!icon_)
            icon_ = ThemedIcon(name_);
        return *icon_;
    }

    QString name_;
    std::optional<QIcon> icon_;
};

QIcon Icon(const QString& name) {
    return QIcon(new DeferredIconEngine(name));
}

QFont BoldFont(QFont font) {
    font.setBold(true);
    return font;
}

// The "Zu wenige Einträge verfügbar" panels that cover the chart and statistics areas.
QLabel* NoticePanel(const char* name, QWidget* parent) {
    auto* panel = new QLabel(QStringLiteral("Zu wenige Einträge verfügbar"), parent);
    panel->setObjectName(QLatin1String(name));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setBold(true);
    panel->setFont(font);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

// A two-column radio group whose button ids are the item indices.
QGroupBox* RadioGroup(const char* name, const QString& caption, const QStringList& items,
                      int selected, QButtonGroup*& group, QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(6, 0, 6, 1);
    layout->setSpacing(10);
    group = new QButtonGroup(box);
    group->setObjectName(QLatin1String(name) + QStringLiteral("Items"));
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i], box);
        item->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        group->addButton(item, i);
        layout->addWidget(item);
    }
    group->button(selected)->setChecked(true);
    return box;
}

} // namespace

QAction* TFmain::addMenuItem(QMenu* menu, const char* name, const QString& text,
                             const QString& icon, const Command& handler,
                             const QKeySequence& shortcut) {
    // An item without an icon (a checkable one) shows its check box in its place.
    auto* action = icon.isEmpty() ? menu->addAction(text) : menu->addAction(Icon(icon), text);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action); // shortcuts work while the menu is closed
    }
    if (handler)
        wire(action, &QAction::triggered, handler);
    return action;
}

QMenu* TFmain::addMenu(const char* name, const QString& title) {
    QMenu* menu = menuBar()->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

void TFmain::buildMenu() {
    menuBar()->setObjectName(QStringLiteral("p_MainMenu"));
    buildFileMenu(addMenu("m_Datei", QStringLiteral("&Datei")));
    buildEditMenu(addMenu("m_Bearbeiten", QStringLiteral("&Bearbeiten")));

    QMenu* extras = addMenu("m_Extras", QStringLiteral("&Extras"));
    addMenuItem(extras, "m_Statistik", QStringLiteral("&Statistik"), QStringLiteral("statistics"),
                command(&TFmain::m_StatistikClick));
    addMenuItem(
        extras, "m_Jahresuebersicht", QStringLiteral("&Jahresübersicht"),
        QStringLiteral("statistics"),
        [this] {
            if (auto* page = findChild<YearPage*>()) {
                page_.p_control->setCurrentWidget(page);
                page->yearTable()->setFocus();
            }
        },
        QKeySequence(Qt::CTRL | Qt::Key_J));
    extras->addSeparator();
    addMenuItem(extras, "m_Einstellungen", QStringLiteral("&Einstellungen"),
                QStringLiteral("setup"), command(&TFmain::m_EinstellungenClick));

    QMenu* hilfe = addMenu("m_Hilfe", QStringLiteral("&Hilfe"));
    addMenuItem(hilfe, "m_Handbuch", QStringLiteral("Hand&buch"), QStringLiteral("help"),
                command(&TFmain::m_HandbuchClick), QKeySequence(Qt::Key_F1));
    addMenuItem(hilfe, "m_Ueber", QStringLiteral("&Über ..."), QStringLiteral("about"),
                command(&TFmain::m_UeberClick));
    addMenuItem(hilfe, "m_Updateherunterladen", QStringLiteral("&Update herunterladen"),
                QStringLiteral("update"), command(&TFmain::m_UpdateherunterladenClick));
    hilfe->addSeparator();
    addMenuItem(hilfe, "m_EmailandenAutorsenden", QStringLiteral("&Email an den Autor senden"),
                QStringLiteral("mail"), command(&TFmain::m_EmailandenAutorsendenClick));
    addMenuItem(hilfe, "m_OstrelHomepage", QStringLiteral("Ostrel &Homepage"),
                QStringLiteral("home"), command(&TFmain::m_OstrelHomepageClick));
}

void TFmain::buildFileMenu(QMenu* datei) {
    FileController* files = files_.get();
    addMenuItem(datei, "m_Neu", QStringLiteral("&Neu"), QStringLiteral("new"),
                command(files, &FileController::m_NeuClick), QKeySequence(Qt::CTRL | Qt::Key_N));
    addMenuItem(datei, "m_Laden", QStringLiteral("&Öffnen"), QStringLiteral("open"),
                command(files, &FileController::m_LadenClick), QKeySequence(Qt::CTRL | Qt::Key_O));
    QMenu* m_Zuletzt =
        datei->addMenu(Icon(QStringLiteral("open")), QStringLiteral("&Zuletzt geöffnet"));
    m_Zuletzt->setObjectName(QStringLiteral("m_Zuletzt"));
    m_Zuletzt->setToolTipsVisible(true);
    files->fillRecentMenu(m_Zuletzt);
    datei->addSeparator();
    addMenuItem(datei, "m_Speichern", QStringLiteral("&Speichern"), QStringLiteral("save"),
                command(files, &FileController::m_SpeichernClick),
                QKeySequence(Qt::CTRL | Qt::Key_S));
    addMenuItem(datei, "m_Speichernunter", QStringLiteral("Speichern &unter"),
                QStringLiteral("saveas"), command(files, &FileController::m_SpeichernunterClick));
    datei->addSeparator();
    QMenu* exportImport =
        datei->addMenu(Icon(QStringLiteral("export")), QStringLiteral("Ex&port/Import"));
    exportImport->setObjectName(QStringLiteral("m_ExportImport"));
    addMenuItem(exportImport, "m_Export_CSV", QStringLiteral("Exportieren nach &CSV (Excel)"),
                QStringLiteral("csv"), command(files, &FileController::m_Export_CSVClick));
    addMenuItem(exportImport, "m_Export_HTML", QStringLiteral("Exportieren nach &HTML"),
                QStringLiteral("html"), command(files, &FileController::m_Export_HTMLClick));
    addMenuItem(exportImport, "m_Export_XLSX",
                QStringLiteral("Exportieren als &Arbeitsmappe (.xlsx)"), QStringLiteral("xlsx"),
                command(files, &FileController::m_Export_XLSXClick));
    addMenuItem(exportImport, "m_Export_Spritmonitor",
                QStringLiteral("Exportieren für &Spritmonitor"), QStringLiteral("csv"),
                command(files, &FileController::m_Export_SpritmonitorClick));
    addMenuItem(exportImport, "m_Import_CSV", QStringLiteral("&Importieren aus CSV..."),
                QStringLiteral("import"), [this, files] {
                    // What was typed so far is safe before the records come in.
                    recovery_->writeNow();
                    files->m_Import_CSVClick();
                });
    datei->addSeparator();
    addMenuItem(datei, "m_Drucken", QStringLiteral("&Drucken"), QStringLiteral("print"),
                command(files, &FileController::m_DruckenClick),
                QKeySequence(Qt::CTRL | Qt::Key_P));
    addMenuItem(datei, "m_Druckvorschau", QStringLiteral("Druck&vorschau..."),
                QStringLiteral("printpreview"),
                command(files, &FileController::m_DruckvorschauClick));
    addMenuItem(datei, "m_AlsPdfSpeichern", QStringLiteral("Als PD&F speichern..."),
                QStringLiteral("pdf"), command(files, &FileController::m_AlsPdfSpeichernClick));
    datei->addSeparator();
    addMenuItem(datei, "m_Beenden", QStringLiteral("&Beenden"), QStringLiteral("exit"),
                command(&TFmain::m_BeendenClick), QKeySequence(Qt::Key_F10));
}

void TFmain::buildEditMenu(QMenu* bearbeiten) {
    m_Rueckgaengig = addMenuItem(bearbeiten, "m_Rueckgaengig", QStringLiteral("R&ückgängig"),
                                 QStringLiteral("undo"), command(&TFmain::m_RueckgaengigClick),
                                 QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_Wiederholen = addMenuItem(bearbeiten, "m_Wiederholen", QStringLiteral("&Wiederholen"),
                                QStringLiteral("redo"), command(&TFmain::m_WiederholenClick),
                                QKeySequence(Qt::CTRL | Qt::Key_Y));
    m_Wiederholen->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    updateHistoryActions();
    bearbeiten->addSeparator();
    addMenuItem(bearbeiten, "m_NeuerDatensatz", QStringLiteral("&Neuer Datensatz"),
                QStringLiteral("newrecord"), command(&TFmain::m_NeuerDatensatzClick),
                QKeySequence(Qt::Key_F2));
    bearbeiten->addSeparator();
    // Bound to no command; the button "Da&tum einfügen" inserts the date.
    addMenuItem(bearbeiten, "m_Datum", QStringLiteral("Aktuelles &Datum einfügen"),
                QStringLiteral("date"), nullptr);
    addMenuItem(bearbeiten, "m_DelZeile", QStringLiteral("Markierte Zeile &Löschen"),
                QStringLiteral("delete"), command(&TFmain::m_DelZeileClick));
    addMenuItem(
        bearbeiten, "m_NachDatumSortieren", QStringLiteral("Nach Datum &sortieren"),
        QStringLiteral("sort"), [this] { orderCheck_->m_NachDatumSortierenClick(); },
        QKeySequence(Qt::Key_F6));
    bearbeiten->addSeparator();
    // Checkable, with the check box in place of an icon; checked as the cursor's record is
    // marked when the menu opens.
    m_Teilbetankung = addMenuItem(
        bearbeiten, "m_Teilbetankung", QStringLiteral("Als &Teilbetankung markieren"), QString(),
        command(&TFmain::m_TeilbetankungClick), QKeySequence(Qt::CTRL | Qt::Key_T));
    m_FehlendeBetankung = addMenuItem(
        bearbeiten, "m_FehlendeBetankung", QStringLiteral("&Fehlende Betankung davor"), QString(),
        command(&TFmain::m_FehlendeBetankungClick), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    for (QAction* mark : {m_Teilbetankung, m_FehlendeBetankung})
        mark->setCheckable(true);
    connect(bearbeiten, &QMenu::aboutToShow, this, [this] { updateMarkActions(); });
    bearbeiten->addSeparator();
    addMenuItem(bearbeiten, "m_WerteBerechnen", QStringLiteral("Werte Be&rechnen"),
                QStringLiteral("calculate"), command(&TFmain::m_WerteBerechnenClick),
                QKeySequence(Qt::Key_F5));
}

QToolButton* TFmain::addToolButton(const char* name, const QString& accessibleName,
                                   const QString& icon, const Command& handler) {
    auto* button = new QToolButton(p_toolbar);
    button->setObjectName(QLatin1String(name));
    button->setIcon(Icon(icon));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    // No caption and no hint; the name is for screen readers.
    button->setAccessibleName(accessibleName);
    p_toolbar->addWidget(button);
    wire(button, &QToolButton::clicked, handler);
    return button;
}

void TFmain::buildToolBar() {
    p_toolbar = new QToolBar(this);
    p_toolbar->setObjectName(QStringLiteral("p_toolbar"));
    p_toolbar->setMovable(false);
    p_toolbar->setFloatable(false);
    p_toolbar->setIconSize(QSize(20, 20));
    p_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    p_toolbar->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, p_toolbar);

    FileController* files = files_.get();

    addToolButton("t_oeffnen", QStringLiteral("Öffnen"), QStringLiteral("open"),
                  command(files, &FileController::m_LadenClick));
    addToolButton("t_speichern", QStringLiteral("Speichern"), QStringLiteral("save"),
                  command(files, &FileController::m_SpeichernClick));
    addToolButton("t_drucken", QStringLiteral("Drucken"), QStringLiteral("print"),
                  command(files, &FileController::m_DruckenClick));
    p_toolbar->addSeparator();
    addToolButton("t_html", QStringLiteral("Exportieren nach HTML"), QStringLiteral("html"),
                  command(files, &FileController::m_Export_HTMLClick));
    p_toolbar->addSeparator();
    addToolButton("t_setup", QStringLiteral("Einstellungen"), QStringLiteral("setup"),
                  command(&TFmain::m_EinstellungenClick));
    addToolButton("t_beenden", QStringLiteral("Beenden"), QStringLiteral("exit"),
                  command(&TFmain::m_BeendenClick));
}

QWidget* TFmain::buildDataPage() {
    tab_daten = new QWidget;
    tab_daten->setObjectName(QStringLiteral("tab_daten"));
    auto* layout = new QVBoxLayout(tab_daten);
    layout->setContentsMargins(0, 0, 0, 0);
    p_Grid = new GridView(tab_daten);
    gridModel_ = new LogbookModel(document_, this);
    gridModel_->setObjectName(QStringLiteral("p_GridModel"));
    p_Grid->setLogbookModel(gridModel_);
    layout->addWidget(p_Grid);
    buildGridMenu();
    return tab_daten;
}

void TFmain::buildGridMenu() {
    p_GridMenu = new QMenu(p_Grid);
    p_GridMenu->setObjectName(QStringLiteral("p_GridMenu"));
    const char* const items[] = {"m_Rueckgaengig",   "m_Wiederholen",       nullptr,
                                 "m_NeuerDatensatz", "m_DelZeile",          nullptr,
                                 "m_Teilbetankung",  "m_FehlendeBetankung", nullptr,
                                 "m_WerteBerechnen"};
    for (const char* name : items) {
        if (!name)
            p_GridMenu->addSeparator();
        else if (auto* action = menuBar()->findChild<QAction*>(QLatin1String(name)))
            p_GridMenu->addAction(action);
    }
    connect(p_GridMenu, &QMenu::aboutToShow, this, [this] { updateMarkActions(); });
    // A right click has put the cursor on the cell under the mouse before the menu opens.
    p_Grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(p_Grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& where) {
        p_GridMenu->popup(p_Grid->viewport()->mapToGlobal(where));
    });
}

void TFmain::buildStationTable(QWidget* parent) {
    page_.p_Info = new QTableView(parent);
    page_.p_Info->setObjectName(QStringLiteral("p_Info"));
    // The group numbers are cells under their heading "Nr", not row headers.
    infoModel_ = new StationTableModel(document_, this);
    infoModel_->setObjectName(QStringLiteral("p_InfoModel"));
    page_.p_Info->setModel(infoModel_);
    page_.p_Info->setEditTriggers(QAbstractItemView::NoEditTriggers);
    page_.p_Info->setSelectionMode(QAbstractItemView::SingleSelection);
    // Read only: the arrows move between the cells, Tab moves on to the next control.
    page_.p_Info->setTabKeyNavigation(false);
    page_.p_Info->setWordWrap(false);
    page_.p_Info->verticalHeader()->hide();
    page_.p_Info->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    auto infoWidths = [this] {
        // Widened where this platform's font would cut a header.
        for (int column = 0; column < kStationColumns; ++column)
            page_.p_Info->setColumnWidth(
                column, std::max(kStationColumnInfo[column].width,
                                 page_.p_Info->horizontalHeader()->sectionSizeHint(column)));
    };
    infoWidths();
    connect(infoModel_, &QAbstractItemModel::modelReset, this, infoWidths);
}

QWidget* TFmain::buildChartPage() {
    page_.tab_grafik = new QWidget;
    page_.tab_grafik->setObjectName(QStringLiteral("tab_grafik"));
    auto* pageLayout = new QVBoxLayout(page_.tab_grafik);
    pageLayout->setContentsMargins(0, 0, 0, 0);

    p_grafik = new QFrame(page_.tab_grafik);
    p_grafik->setObjectName(QStringLiteral("p_grafik"));
    p_grafik->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pageLayout->addWidget(p_grafik);
    auto* panelLayout = new QVBoxLayout(p_grafik);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->setSpacing(0);

    // page_.p_Info, page_.p_chart and page_.p_nografik share the area above the view selector; the
    // notice lies on top.
    auto* area = new QWidget(p_grafik);
    auto* stack = new QGridLayout(area);
    stack->setContentsMargins(0, 0, 0, 0);

    buildStationTable(area);
    page_.p_Info->hide();
    stack->addWidget(page_.p_Info, 0, 0);

    page_.p_chart = services_.chart(area);
    page_.p_chart->setObjectName(QStringLiteral("p_chart"));
    // Its context menu saves or copies the chart shown.
    page_.p_chart->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (auto [name, text, icon, handler] :
         {std::tuple{"m_GrafikSpeichern", QStringLiteral("Grafik speichern unter..."),
                     QStringLiteral("saveas"), &ChartPageController::m_GrafikSpeichernClick},
          std::tuple{"m_GrafikKopieren", QStringLiteral("Grafik &kopieren"), QStringLiteral("copy"),
                     &ChartPageController::m_GrafikKopierenClick}}) {
        auto* action = new QAction(Icon(icon), text, page_.p_chart);
        action->setObjectName(QLatin1String(name));
        page_.p_chart->addAction(action);
        // The controller of the page is made once the pages are built.
        wire(action, &QAction::triggered,
             [this, handler = handler] { (charts_.get()->*handler)(); });
    }
    stack->addWidget(page_.p_chart, 0, 0);

    page_.p_nografik = NoticePanel("p_nografik", area);
    stack->addWidget(page_.p_nografik, 0, 0);
    page_.p_nografik->raise();
    panelLayout->addWidget(area, 1);

    page_.Tab = new QTabBar(p_grafik);
    page_.Tab->setObjectName(QStringLiteral("Tab"));
    page_.Tab->setShape(QTabBar::RoundedSouth);
    page_.Tab->setFont(BoldFont(font()));
    page_.Tab->setCursor(Qt::PointingHandCursor);
    page_.Tab->setToolTip(QStringLiteral("Grafikansicht ändern"));
    page_.Tab->setExpanding(false);
    page_.Tab->setUsesScrollButtons(true);
    UseCompactTabs(page_.Tab);
    for (int tab = 0; tab < kChartTabCount; ++tab)
        page_.Tab->addTab(QString::fromLatin1(ChartTabCaption(tab)));
    panelLayout->addWidget(page_.Tab);
    return page_.tab_grafik;
}

QWidget* TFmain::buildStatisticsPage() {
    page_.tab_statistik = new QWidget;
    page_.tab_statistik->setObjectName(QStringLiteral("tab_statistik"));
    auto* stack = new QGridLayout(page_.tab_statistik);
    stack->setContentsMargins(0, 0, 0, 0);

    p_Statistik = new QFrame(page_.tab_statistik);
    p_Statistik->setObjectName(QStringLiteral("p_Statistik"));
    p_Statistik->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* columns = new QHBoxLayout(p_Statistik);
    auto* groups = new QVBoxLayout;
    groups->setSpacing(6);
    auto* heading = new QLabel(QStringLiteral("Statistik"), p_Statistik);
    QFont headingFont(QStringLiteral("Arial"));
    headingFont.setPixelSize(27);
    headingFont.setBold(true);
    headingFont.setItalic(true);
    headingFont.setUnderline(true);
    heading->setFont(headingFont);
    SetTextColour(heading, kNavy);
    groups->addWidget(heading);
    page_.statistics = BuildStatisticsGroups(p_Statistik, groups, "g_aufrechnung");
    // How many complete intervals the consumption figures come from, under their group.
    page_.p_intervals = new QLabel(p_Statistik);
    page_.p_intervals->setObjectName(QStringLiteral("p_intervals"));
    auto* average = p_Statistik->findChild<QGroupBox*>(QStringLiteral("g_durchschnitt"));
    groups->insertWidget(groups->indexOf(average) + 1, page_.p_intervals);
    groups->addStretch(1);
    columns->addLayout(groups);
    columns->addStretch(1);
    // A page smaller than its figures scrolls instead of squeezing the boxes.
    auto* scroller = new QScrollArea(page_.tab_statistik);
    scroller->setObjectName(QStringLiteral("p_StatistikScroll"));
    scroller->setWidget(p_Statistik);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    stack->addWidget(scroller, 0, 0);

    page_.p_nostats = NoticePanel("p_nostats", page_.tab_statistik);
    stack->addWidget(page_.p_nostats, 0, 0);
    page_.p_nostats->raise();
    return page_.tab_statistik;
}

QWidget* TFmain::buildButtonPanel() {
    p_button = new QWidget;
    p_button->setObjectName(QStringLiteral("p_button"));
    // The buttons and the groups in one row where the window is wide enough; in a narrow
    // window the groups move to a row of their own.
    auto* layout = new WrapLayout(p_button);
    layout->setContentsMargins(2, 0, 2, 2);
    layout->setSpacing(4);

    auto button = [&](const char* name, const QString& text, const QString& icon,
                      const Command& handler) {
        auto* b = new QPushButton(Icon(icon), text, p_button);
        b->setObjectName(QLatin1String(name));
        b->setFixedWidth(120);
        b->setFont(BoldFont(font()));
        b->setCursor(Qt::PointingHandCursor);
        b->setAutoDefault(false);
        layout->addWidget(b);
        wire(b, &QPushButton::clicked, handler);
        return b;
    };
    b_neu = button("b_neu", QStringLiteral("Ne&uen Datensatz"), QStringLiteral("newrecord"),
                   command(&TFmain::m_NeuerDatensatzClick));
    b_datum = button("b_datum", QStringLiteral("Da&tum einfügen"), QStringLiteral("date"),
                     command(&TFmain::b_datumClick));
    b_beenden = button("b_beenden", QStringLiteral("Beende&n"), QStringLiteral("exit"),
                       command(&TFmain::m_BeendenClick));

    page_.p_ansicht = RadioGroup("p_ansicht", QStringLiteral("Grafik nach"),
                                 {QStringLiteral("E&intrag"), QStringLiteral("&Monat")}, 0,
                                 p_ansichtItems, p_button);
    page_.p_zoom = RadioGroup("p_zoom", QStringLiteral("Zoom"),
                              {QStringLiteral("&100%"), QStringLiteral("Be&reich")}, 1,
                              page_.p_zoomItems, p_button);
    layout->addWidget(page_.p_ansicht);
    layout->addWidget(page_.p_zoom);
    // The groups never shrink below what their captions and items need, and the panel takes
    // at least the height they need on this platform (33 pixels would cut their frames and
    // titles).
    for (QGroupBox* box : {page_.p_ansicht, page_.p_zoom})
        box->setMinimumSize(box->sizeHint());
    p_button->setMinimumHeight(std::max(33, layout->sizeHint().height()));
    return p_button;
}

void TFmain::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("p_StatusBar"));
    const int widths[2] = {150, 200};
    const QString texts[2] = {QStringLiteral("Status: 0 Datensätze"),
                              QStringLiteral("Geladene Datei: Keine")};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(i < 2 ? texts[i] : QString(), bar);
        panel->setObjectName(QStringLiteral("p_StatusBar_Panel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(2);
        if (i == 0)
            panel->setFixedWidth(widths[i]);
        else if (i == 1)
            panel->setMinimumWidth(widths[i]); // the file's panel takes the rest of the bar
        bar->addWidget(panel, i == 1 ? 1 : 0);
        statusPanels[i] = panel;
    }
    // The third panel counts the cells whose text is no valid number or date; with none it
    // is empty and out of sight.
    const auto showInvalid = [panel = statusPanels[2], model = gridModel_](int) {
        const QString note = model->invalidCellsNote();
        panel->setText(note);
        panel->setVisible(!note.isEmpty());
    };
    showInvalid(gridModel_->invalidCells());
    connect(gridModel_, &LogbookModel::invalidCellsChanged, statusPanels[2], showInvalid);
}

} // namespace spritlog
