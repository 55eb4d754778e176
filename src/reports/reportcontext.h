#pragma once

#include "logbook/clock.h"
#include "logbook/fillups.h"

#include <string>

namespace spritlog {

// Fixed texts and inputs of the HTML report.
struct ReportContext {
    Clock clock;                  // "Stand:" date and time; SystemLocalTime when empty
    std::string authorName;       // Windows-1252
    std::string reportWebAddress; // complete URL
    // How the figures count consumption: as the document computed it.
    ConsumptionRule rule = ConsumptionRule::FullTank;
};

// The program's own values of the fixed texts.
ReportContext DefaultReportContext();

} // namespace spritlog
