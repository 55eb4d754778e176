#pragma once
// The figures the window and the command-line tool show beside the table: the statistics rows
// and their labels, the station table's captions and the year summary. The analysis layer
// computes them; the document passes the types and texts on as they are, so that nothing above
// it names that layer.

#include "analysis/energytable.h"
#include "analysis/stationrating.h"
#include "analysis/statistics.h"
#include "analysis/yearsummary.h"
#include "logbook/fillups.h"

namespace spritlog {

// How fill-ups count towards consumption, for the statistics and the year summary.
using spritlog::ConsumptionRule;

// The statistics.
using spritlog::ComputeStatistics;
using spritlog::kEnergyLinesCaption;
using spritlog::kStatisticsGroups;
using spritlog::kStatisticsRows;
using spritlog::StatisticsGroup;
using spritlog::StatisticsLabels;
using spritlog::StatisticsLine;
using spritlog::StatisticsRow;

// Each energy and the car as a whole.
using spritlog::EnergyTable;

// The station table.
using spritlog::kStationColumnInfo;
using spritlog::kStationColumns;

// The year summary.
using spritlog::MonthCaption;
using spritlog::PeriodFigures;
using spritlog::PeriodTexts;
using spritlog::ProjectionTexts;
using spritlog::SummariseYears;
using spritlog::YearCaption;
using spritlog::YearFigures;
using spritlog::YearSummary;
using spritlog::YearTableCaptions;

} // namespace spritlog
