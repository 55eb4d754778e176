#pragma once

#include "document/documentlistener.h"
#include "document/figures.h"
#include "document/logbookdocument.h"
#include "logbook/clock.h"

#include <QWidget>

#include <optional>

class QChartView;
class QLabel;
class QStandardItemModel;
class QTableView;
class QTimer;

namespace spritlog {

// The page "Jahre": the year table (the current year first, its projection below it), the
// twelve months of the selected year, and beside them the costs per year and per month as
// bar charts. It follows the document: while shown it redraws once the announcements of a
// change are over; while hidden it only notes that it is out of date. Shown again, it
// redraws when the logbook, the consumption rule or the day changed.
class YearPage : public QWidget, private DocumentListener {
    Q_OBJECT

public:
    YearPage(LogbookDocument& document, Clock clock, QWidget* parent = nullptr);
    ~YearPage() override;

    // The year whose months are shown; none without a dated record.
    std::optional<int> selectedYear() const { return selected_; }
    void selectYear(int year);
    // Whether a change of the document has not been drawn yet.
    bool isStale() const { return stale_; }
    // Draws the page anew when the logbook, the consumption rule or the day changed since
    // the last drawing.
    void refresh();
    // How often the figures were computed; tests see from it that nothing is redrawn in vain.
    int drawings() const { return drawings_; }

    QTableView* yearTable() const { return years_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void tableReset() override { changed(); }
    void cellsChanged(int, int, int, int) override { changed(); }
    void recordsInserted(int, int) override { changed(); }
    void recordsRemoved(int, int) override { changed(); }
    void changed();

    void fillYears();
    void fillMonths();
    void drawYearChart();
    void drawMonthChart();
    void yearClicked();

    // What the drawn page was computed from.
    struct Inputs {
        TextTable::Version version;
        ConsumptionRule rule;
        int year, month, day;
        bool operator==(const Inputs& other) const;
    };
    Inputs currentInputs() const;

    LogbookDocument& document_;
    Clock clock_;
    YearSummary summary_;
    std::optional<Inputs> drawn_;
    std::optional<int> selected_;
    bool stale_ = true;
    int drawings_ = 0;
    QTimer* pending_ = nullptr;
    QStandardItemModel* yearModel_ = nullptr;
    QStandardItemModel* monthModel_ = nullptr;
    QTableView* years_ = nullptr;
    QTableView* months_ = nullptr;
    QLabel* monthsCaption_ = nullptr;
    QChartView* yearChart_ = nullptr;
    QChartView* monthChart_ = nullptr;
};

} // namespace spritlog
