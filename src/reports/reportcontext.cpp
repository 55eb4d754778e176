#include "reports/reportcontext.h"

namespace spritlog {

ReportContext DefaultReportContext() {
    ReportContext context;
    // No clock: the report takes the system's local time when it is written.
    context.authorName = "Spritlog-Team";
    context.reportWebAddress = "https://spritlog.example.org";
    return context;
}

} // namespace spritlog
