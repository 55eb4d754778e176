#include "app/window/yearpage.h"

#include "platform/celltext.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <string>
#include <vector>

namespace spritlog {
namespace {

constexpr int kYearRole = Qt::UserRole + 1;

QTableView* TableView(const char* name, QStandardItemModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(QLatin1String(name));
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setTabKeyNavigation(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    return view;
}

QChartView* ChartView(const char* name, QWidget* parent) {
    auto* chart = new QChart;
    chart->setLocalizeNumbers(false);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->legend()->hide();
    // The page is small: the bars get the room.
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    QFont titleFont = parent->font();
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    auto* view = new QChartView(chart, parent);
    view->setObjectName(QLatin1String(name));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(200, 150);
    return view;
}

// One row of texts; the figures right-aligned.
QList<QStandardItem*> RowItems(const std::string& caption, const std::vector<std::string>& texts,
                               int year, bool italic) {
    QList<QStandardItem*> items;
    const auto add = [&](const std::string& text, Qt::Alignment alignment) {
        auto* item = new QStandardItem(CellToQString(text));
        item->setTextAlignment(alignment | Qt::AlignVCenter);
        item->setData(year, kYearRole);
        if (italic) {
            QFont font = item->font();
            font.setItalic(true);
            item->setFont(font);
        }
        items.append(item);
    };
    add(caption, Qt::AlignLeft);
    for (const std::string& text : texts)
        add(text, Qt::AlignRight);
    return items;
}

void SetHeadings(QStandardItemModel* model, const std::vector<std::string>& captions) {
    QStringList headings;
    for (const std::string& caption : captions)
        headings.append(CellToQString(caption));
    model->setHorizontalHeaderLabels(headings);
}

// The bars of `values` (0 for an empty figure) over `labels`, the axis from 0.
void DrawBars(QChartView* view, const QString& title, const QStringList& labels,
              const std::vector<double>& values) {
    QChart* chart = view->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis), delete axis;
    chart->setTitle(title);
    if (labels.isEmpty())
        return;
    auto* set = new QBarSet(QStringLiteral("Tankkosten"));
    set->setColor(QColor(0x1f, 0x4e, 0x9a));
    double top = 0;
    for (double value : values) {
        set->append(value);
        top = std::max(top, value);
    }
    auto* series = new QBarSeries;
    series->append(set);
    chart->addSeries(series);
    auto* categories = new QBarCategoryAxis;
    categories->append(labels);
    // Twelve month numbers fit a narrow chart in a smaller font.
    QFont small = chart->titleFont();
    small.setBold(false);
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
    categories->setLabelsFont(small);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    auto* axis = new QValueAxis;
    axis->setRange(0, top > 0 ? top * 1.05 : 1);
    axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(axis, Qt::AlignLeft);
    series->attachAxis(axis);
}

double CostOf(const PeriodFigures& figures) {
    return figures.tankkosten.count > 0 ? figures.tankkosten.sum : 0.0;
}

} // namespace

bool YearPage::Inputs::operator==(const Inputs& other) const {
    return version == other.version && rule == other.rule && year == other.year &&
           month == other.month && day == other.day;
}

YearPage::YearPage(LogbookDocument& document, Clock clock, QWidget* parent)
    : QWidget(parent), document_(document), clock_(std::move(clock)) {
    setObjectName(QStringLiteral("tab_jahre"));
    yearModel_ = new QStandardItemModel(this);
    monthModel_ = new QStandardItemModel(this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    layout->addWidget(splitter);

    auto* tables = new QWidget(splitter);
    auto* tableLayout = new QVBoxLayout(tables);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    auto* yearsCaption = new QLabel(QStringLiteral("Jahre"), tables);
    years_ = TableView("p_jahre", yearModel_, tables);
    years_->setToolTip(QStringLiteral("Ein Jahr wählen: seine Monate stehen darunter"));
    yearsCaption->setBuddy(years_);
    monthsCaption_ = new QLabel(tables);
    monthsCaption_->setObjectName(QStringLiteral("p_monate_titel"));
    months_ = TableView("p_monate", monthModel_, tables);
    monthsCaption_->setBuddy(months_);
    tableLayout->addWidget(yearsCaption);
    tableLayout->addWidget(years_, 2);
    tableLayout->addWidget(monthsCaption_);
    tableLayout->addWidget(months_, 3);

    auto* charts = new QWidget(splitter);
    auto* chartLayout = new QVBoxLayout(charts);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    yearChart_ = ChartView("p_jahresgrafik", charts);
    monthChart_ = ChartView("p_monatsgrafik", charts);
    chartLayout->addWidget(yearChart_);
    chartLayout->addWidget(monthChart_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    // Announcements come in bursts (a typed cell, then its derived values): the page is
    // drawn once they are over.
    pending_ = new QTimer(this);
    pending_->setSingleShot(true);
    pending_->setInterval(0);
    connect(pending_, &QTimer::timeout, this, &YearPage::refresh);
    connect(years_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &YearPage::yearClicked);
    document_.addListener(this);
}

YearPage::~YearPage() {
    document_.removeListener(this);
}

void YearPage::changed() {
    stale_ = true;
    if (isVisible())
        pending_->start();
}

void YearPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Also without a change of the logbook: a new day may end the running year.
    refresh();
}

YearPage::Inputs YearPage::currentInputs() const {
    const LocalDateTime now = clock_ ? clock_() : SystemLocalTime();
    return {document_.table().version(), document_.consumptionRule(), now.year, now.month, now.day};
}

void YearPage::refresh() {
    pending_->stop();
    const Inputs inputs = currentInputs();
    stale_ = false;
    if (drawn_ && *drawn_ == inputs)
        return;
    drawn_ = inputs;
    ++drawings_;
    summary_ = SummariseYears(document_.table(), inputs.rule,
                              {inputs.year, inputs.month, inputs.day, 0, 0, 0});
    // The year shown stays while it has a row; else the current year, else the latest.
    if (!selected_ || !summary_.find(*selected_))
        selected_ = summary_.find(inputs.year) ? std::optional<int>(inputs.year)
                    : summary_.years.empty()   ? std::nullopt
                                               : std::optional<int>(summary_.years.back().year);
    fillYears();
    fillMonths();
    drawYearChart();
    drawMonthChart();
}

void YearPage::selectYear(int year) {
    if (!summary_.find(year) || selected_ == year)
        return;
    selected_ = year;
    for (int row = 0; row < yearModel_->rowCount(); ++row)
        if (yearModel_->item(row, 0)->data(kYearRole).toInt() == year) {
            const QSignalBlocker quiet(years_->selectionModel());
            years_->selectRow(row);
            break;
        }
    fillMonths();
    drawMonthChart();
}

void YearPage::yearClicked() {
    const QModelIndex current = years_->selectionModel()->currentIndex();
    if (current.isValid())
        selectYear(current.data(kYearRole).toInt());
}

void YearPage::fillYears() {
    const QSignalBlocker quiet(years_->selectionModel());
    yearModel_->clear();
    SetHeadings(yearModel_, YearTableCaptions(summary_, "Jahr"));
    // The current year first, each year's projection right below it.
    for (auto year = summary_.years.rbegin(); year != summary_.years.rend(); ++year) {
        yearModel_->appendRow(
            RowItems(YearCaption(*year), PeriodTexts(summary_, year->total), year->year, false));
        if (summary_.projection && summary_.projection->year == year->year) {
            const std::vector<std::string> texts = ProjectionTexts(summary_);
            yearModel_->appendRow(
                RowItems(texts.front(), {texts.begin() + 1, texts.end()}, year->year, true));
        }
    }
    years_->resizeColumnsToContents();
    for (int row = 0; row < yearModel_->rowCount(); ++row)
        if (selected_ && yearModel_->item(row, 0)->data(kYearRole).toInt() == *selected_) {
            years_->selectRow(row);
            break;
        }
}

void YearPage::fillMonths() {
    monthModel_->clear();
    SetHeadings(monthModel_, YearTableCaptions(summary_, "Monat"));
    const YearFigures* year = selected_ ? summary_.find(*selected_) : nullptr;
    monthsCaption_->setText(year ? QStringLiteral("Monate %1").arg(year->year)
                                 : QStringLiteral("Monate"));
    if (!year)
        return;
    for (int month = 1; month <= 12; ++month)
        monthModel_->appendRow(RowItems(MonthCaption(month),
                                        PeriodTexts(summary_, year->months[month - 1]), year->year,
                                        false));
    months_->resizeColumnsToContents();
}

void YearPage::drawYearChart() {
    QStringList labels;
    std::vector<double> costs;
    for (const YearFigures& year : summary_.years) {
        labels.append(QString::number(year.year));
        costs.push_back(CostOf(year.total));
    }
    DrawBars(yearChart_, QStringLiteral("Tankkosten je Jahr (EUR)"), labels, costs);
}

void YearPage::drawMonthChart() {
    const YearFigures* year = selected_ ? summary_.find(*selected_) : nullptr;
    QStringList labels;
    std::vector<double> costs;
    if (year)
        for (int month = 1; month <= 12; ++month) {
            labels.append(CellToQString(MonthCaption(month)));
            costs.push_back(CostOf(year->months[month - 1]));
        }
    DrawBars(monthChart_,
             year ? QStringLiteral("Tankkosten %1 je Monat (EUR)").arg(year->year)
                  : QStringLiteral("Tankkosten je Monat (EUR)"),
             labels, costs);
}

} // namespace spritlog
