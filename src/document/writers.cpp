#include "document/writers.h"

#include "import/spritmonitorexport.h"
#include "logbook/conventions.h"
#include "logbook/logbookfile.h"
#include "reports/csvexport.h"
#include "reports/htmlreport.h"
#include "reports/xlsxworkbook.h"

#include <algorithm>

namespace spritlog {
namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size())
        return false;
    text.remove_prefix(text.size() - ending.size());
    for (std::size_t i = 0; i < ending.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != ending[i])
            return false;
    }
    return true;
}

void WriteNative(LineSink& sink, const WriteJob& job) {
    WriteNativeFile(sink, job.table);
}

void WriteCsv(LineSink& sink, const WriteJob& job) {
    WriteCsvFile(sink, job.table);
}

void WriteSpritmonitor(LineSink& sink, const WriteJob& job) {
    import::WriteSpritmonitorFile(sink, job.table);
}

void WriteHtml(LineSink& sink, const WriteJob& job) {
    WriteHtmlReport(sink, job.table, job.path, job.report);
}

// The workbook is titled with the logbook's name, or the target's for a logbook without one.
void FillXlsx(const std::string& file, const WriteJob& job) {
    WriteXlsxWorkbook(file, job.table,
                      FileNameOf(HasText(job.logbookName) ? job.logbookName : job.path),
                      job.report.rule, job.report.clock);
}

const Writer& NativeWriter() {
    static const Writer native{WriterKind::Native, {".slg"}, "Spritlog", WriteNative, nullptr};
    return native;
}

const std::vector<Writer>& Writers() {
    static const std::vector<Writer> writers = {
        {WriterKind::Csv, {".csv"}, "CSV-Dateien", WriteCsv, nullptr},
        {WriterKind::Html, {".htm", ".html"}, "HTML-Dateien", WriteHtml, nullptr},
        {WriterKind::Xlsx, {".xlsx"}, "Excel-Arbeitsmappen", nullptr, FillXlsx},
        // Chosen by the command, never by a name's ending: it writes a .csv as well.
        {WriterKind::Spritmonitor, {}, "Spritmonitor-CSV", WriteSpritmonitor, nullptr},
    };
    return writers;
}

} // namespace

std::vector<const Writer*> AllWriters() {
    std::vector<const Writer*> all{&NativeWriter()};
    for (const Writer& writer : Writers())
        all.push_back(&writer);
    return all;
}

const Writer& WriterForName(std::string_view path) {
    for (const Writer& writer : Writers()) {
        if (std::any_of(writer.endings.begin(), writer.endings.end(), [&](std::string_view ending) {
                return EndsWithIgnoringCase(path, ending);
            }))
            return writer;
    }
    return NativeWriter();
}

WriterKind WriterFor(std::string_view path) {
    return WriterForName(path).kind;
}

const Writer& WriterOfKind(WriterKind kind) {
    for (const Writer& writer : Writers()) {
        if (writer.kind == kind)
            return writer;
    }
    return NativeWriter();
}

std::string SpritmonitorExportName(std::string_view logbookName) {
    // The extension goes as the other exports' does (the last three characters), and the dot
    // before it with it.
    std::string name = ReplaceExtension(logbookName, "");
    if (!name.empty() && name.back() == '.')
        name.pop_back();
    return name + "-spritmonitor.csv";
}

} // namespace spritlog
