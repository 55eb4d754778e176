#pragma once
// The printed table's layout and the context of the reports (program name, version, date), for
// the window's print preview and the command-line tool's print command. The reports layer
// builds them; the document passes them on as they are.

#include "reports/printlayout.h"
#include "reports/reportcontext.h"

namespace spritlog {

using spritlog::BuildPrintLayout;
using spritlog::DefaultReportContext;
using spritlog::PrintPage;
using spritlog::ReportContext;

} // namespace spritlog
