#pragma once

#include "logbook/linesink.h"
#include "logbook/texttable.h"
#include "reports/reportcontext.h"

#include <string>
#include <string_view>

namespace spritlog {

// One table cell: "<td>&#160;</td>" for an empty text, else "<td nowrap>" text "</td>".
std::string HtmlCell(std::string_view text);

// The whole report. `targetPath` (UTF-8) is shown, shortened, in the title.
// Throws Error where a figure cannot be computed; the lines before stay written.
void WriteHtmlReport(LineSink& sink, const TextTable& grid, const std::string& targetPath,
                     const ReportContext& context);

} // namespace spritlog
