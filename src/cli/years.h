#pragma once

#include "document/logbookdocument.h"
#include "logbook/clock.h"

#include <optional>
#include <string>

namespace spritlog::cli {

// "years FILE [--monate JAHR]": the year table, one line per year ascending, or the months
// 01..12 of `monthsOf`, tab-separated with a caption line. `today` tells which year is not
// over ("2026 (laufend)").
std::string YearsCommand(const LogbookDocument& book, std::optional<int> monthsOf,
                         const LocalDateTime& today);

} // namespace spritlog::cli
