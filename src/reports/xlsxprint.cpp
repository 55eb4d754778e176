#include "reports/xlsxprint.h"

#include "logbook/errors.h"

#include <cstddef>
#include <cstdint>

namespace spritlog {

namespace {

constexpr std::uint8_t kPaperA4 = 9;
// The header holds at most 255 characters; a longer name is cut, whole characters kept.
constexpr std::size_t kMaxTitleCharacters = 200;

// The title as header text: "&" starts a code there and stands for itself doubled. A code
// letter after a doubled "&" ("&&G") would still be read as one by libxlsxwriter's check for
// pictures, so every "&" is followed by a zero-width space that keeps it apart.
std::string HeaderText(const std::string& title) {
    std::string text = "&C";
    std::size_t characters = 0;
    for (const char c : title) {
        const bool starts = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (starts && ++characters > kMaxTitleCharacters)
            break;
        if (c == '&')
            text += "&&\xE2\x80\x8B";
        else
            text += c;
    }
    return text;
}

} // namespace

void CheckXlsx(lxw_error error) {
    if (error != LXW_NO_ERROR)
        throw Error(lxw_strerror(error));
}

void SetUpPrinting(lxw_worksheet* sheet, const std::string& title, bool headingRow) {
    worksheet_set_landscape(sheet);
    worksheet_set_paper(sheet, kPaperA4);
    // Height 0: as many pages as the rows need.
    worksheet_fit_to_pages(sheet, 1, 0);
    if (headingRow)
        CheckXlsx(worksheet_repeat_rows(sheet, 0, 0));
    CheckXlsx(worksheet_set_header(sheet, HeaderText(title).c_str()));
    CheckXlsx(worksheet_set_footer(sheet, "&CSeite &P von &N"));
}

lxw_format* NewFormat(lxw_workbook* book, const char* numberFormat, bool bold) {
    lxw_format* format = workbook_add_format(book);
    if (!format)
        throw Error(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
    if (numberFormat)
        format_set_num_format(format, numberFormat);
    if (bold)
        format_set_bold(format);
    return format;
}

} // namespace spritlog
