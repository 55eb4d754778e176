#pragma once

#include <xlsxwriter.h>

#include <string>

namespace spritlog {

// Throws Error with libxlsxwriter's message unless `error` is LXW_NO_ERROR.
void CheckXlsx(lxw_error error);

// A new cell format of `book` with `numberFormat` (none for null), bold if asked; throws Error
// when there is no memory for it.
lxw_format* NewFormat(lxw_workbook* book, const char* numberFormat, bool bold = false);

// How every sheet of the workbook prints: A4 landscape, one page wide and as many tall as it
// takes, the logbook's `title` (UTF-8) in the header and "Seite N von M" in the footer;
// with `headingRow` the sheet's first row repeats at the top of every page.
void SetUpPrinting(lxw_worksheet* sheet, const std::string& title, bool headingRow);

} // namespace spritlog
