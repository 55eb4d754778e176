#include "reports/htmlreport.h"

#include "analysis/stationrating.h"
#include "analysis/statistics.h"
#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"
#include "reports/recordunits.h"
#include "reports/yeartable.h"

#include <cstdint>
#include <string>
#include <vector>

#ifndef SPRITLOG_VERSION
#define SPRITLOG_VERSION "3.3"
#endif

namespace spritlog {

namespace {

constexpr const char* kProgramTitle = "Ostrel Spritlog";

// Cell texts are typed by the user; a "<" or "&" in them must not turn into markup.
std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

// "https://user@host:8080/path" -> "host".
std::string HostName(std::string_view url) {
    const auto scheme = url.find("://");
    if (scheme != std::string_view::npos)
        url.remove_prefix(scheme + 3);
    url = url.substr(0, url.find_first_of("/?#"));
    const auto at = url.rfind('@');
    if (at != std::string_view::npos)
        url.remove_prefix(at + 1);
    if (!url.empty() && url.front() != '[')
        url = url.substr(0, url.find(':'));
    return std::string(url);
}

// A figure of the report (litres, euros, kilometres, consumption): two decimals.
void WriteHead(LineSink& sink, const std::string& targetPath, const ReportContext& context) {
    const std::string title = EscapeHtml(ShortenPath(Utf8ToCp1252(targetPath), 30));
    sink.writeLine("<html><head><meta charset=\"windows-1252\"><title>" + title +
                   "</title></head><body>");
    const LocalDateTime now = context.clock ? context.clock() : SystemLocalTime();
    sink.writeLine("<h1>Spritlog</h1><p>Stand: " + DateTimeText(now) + "</p>");
    sink.writeLine("<a name=\"inhalt\"></a><h3>Inhalt:</h3><p><ul>");
    sink.writeLine("<li><a href=\"#tabelle\">Datentabelle</a></li>");
    sink.writeLine("<li><a href=\"#tankstellen\">Tankstellenbewertung</a></li>");
    sink.writeLine("<li><a href=\"#statistik\">Statistik</a></li>");
    sink.writeLine("<li><a href=\"#jahre\">Jahre</a></li>");
    sink.writeLine("<li><a href=\"#info\">Informationen</a></li>");
    sink.writeLine("</ul></p><br><br>");
}

void WriteDataTable(LineSink& sink, const TextTable& grid, int recordCount) {
    // Where the records are not all of litres, each one's unit stands beside its quantity.
    const bool units = ShowsRecordUnits(grid);
    sink.writeLine("<a name=\"tabelle\"></a><h3>Datentabelle:</h3><p>");
    sink.writeLine("<table border=1>");
    sink.writeLine(std::string("<tr><th>Nr</th><th>Datum</th><th>KM-Stand</th><th>Liter</th>") +
                   (units ? "<th>Einheit</th>" : "") +
                   "<th>Literpreis</th><th>KM</th><th>Verbrauch</th><th>Kosten/Km</th>"
                   "<th>Tankkosten</th><th>Benzin</th><th>Tankstelle</th><th>Ort</th><th>" +
                   EscapeHtml(grid.cell(ColNote1, 0)) + "</th><th>" +
                   EscapeHtml(grid.cell(ColNote2, 0)) + "</th><th>" +
                   EscapeHtml(grid.cell(ColNote3, 0)) + "</th></tr>");
    for (int r = 1; r <= recordCount; ++r) {
        sink.writeLine("<tr>");
        sink.writeLine("<td>" + IntegerToText(r) + "</td>");
        for (int c = ColDatum; c <= ColNote3; ++c) {
            sink.writeLine(HtmlCell(grid.cell(c, r)));
            if (units && c == ColLiter)
                sink.writeLine(HtmlCell(RecordUnitText(grid, r)));
        }
        sink.writeLine("</tr>");
    }
    sink.writeLine("</table></p><br><br>");
}

void WriteStationTable(LineSink& sink, const TextTable& grid) {
    sink.writeLine("<a name=\"tankstellen\"></a><p><h3>Tankstellenbewertung:</h3>");
    sink.writeLine("<table border=1>");
    sink.writeLine("<tr><th>Nr</th><th>Tankstelle - Benzin</th><th>Anzahl</th><th>Verbrauch</th>"
                   "<th>Literpreis</th><th>Tankkosten</th><th>Kosten/Km</th></tr>");
    // The same figures as the station table on the chart page.
    TextTable info;
    BuildStationRating(grid, info);
    // The group rows carry their number; the average rows ("Durchschnitt", one per energy
    // where there are several) none. The last row is always empty.
    for (int row = 1; row + 1 < info.rowCount(); ++row) {
        sink.writeLine("<tr>");
        if (info.cell(0, row).empty())
            sink.writeLine("<th colspan=\"2\">" + std::string(info.cell(1, row)) + "</th><td>" +
                           std::string(info.cell(2, row)) + "</td>");
        else
            sink.writeLine(HtmlCell(info.cell(0, row)) + HtmlCell(info.cell(1, row)) +
                           HtmlCell(info.cell(2, row)));
        for (int c = 3; c < kStationColumns; ++c)
            sink.writeLine(HtmlCell(info.cell(c, row)));
        sink.writeLine("</tr>");
    }
    sink.writeLine("</table></p><br><br>");
}

std::string ValueRow(std::string_view caption, const std::string& label) {
    return "<tr><th align=\"left\">" + std::string(caption) + "</th>" + HtmlCell(label) + "</tr>";
}

std::string HeadingRow(const char* caption) {
    return std::string("<tr><th colspan=\"2\"><u>") + caption + "</u></th>";
}

void WriteStatistics(LineSink& sink, const TextTable& grid, ConsumptionRule rule) {
    // The figures of the statistics page, with the report's own captions.
    const StatisticsLabels labels = ComputeStatistics(grid, rule);
    sink.writeLine("<a name=\"statistik\"></a><p><h3>Statistik:</h3>");
    sink.writeLine("<table border=1>");
    sink.writeLine(HeadingRow("Aufrechnung:"));
    sink.writeLine(ValueRow("Gefahrene KM:", labels.label(1)));
    sink.writeLine(ValueRow(labels.caption(2), labels.label(2)));
    sink.writeLine(ValueRow("Tankkosten:", labels.label(3)));
    sink.writeLine(HeadingRow("Durchschnitt:"));
    sink.writeLine(ValueRow("Verbrauch:", labels.label(4)));
    sink.writeLine(ValueRow(labels.caption(6), labels.label(6)));
    sink.writeLine(ValueRow("Tankkosten:", labels.label(5)));
    sink.writeLine(ValueRow("KM-Interval:", labels.label(7)));
    sink.writeLine(ValueRow("Kosten je KM:", labels.label(8)));
    sink.writeLine(HeadingRow("Rekorde:"));
    sink.writeLine(ValueRow("Min Verbrauch:", labels.label(9)));
    sink.writeLine(ValueRow("Max Verbrauch:", labels.label(10)));
    sink.writeLine(ValueRow(labels.caption(11), labels.label(11)));
    sink.writeLine(ValueRow("Max KM-Interval:", labels.label(12)));
    // A logbook of several energies: each energy, and the combined consumption.
    if (!labels.lines.empty())
        sink.writeLine(HeadingRow((std::string(kEnergyLinesCaption) + ":").c_str()));
    for (const StatisticsLine& line : labels.lines)
        sink.writeLine(ValueRow(line.caption, line.text()));
    sink.writeLine("</table></p><br><br>");
}

void WriteInformation(LineSink& sink, const ReportContext& context) {
    const std::string version = SPRITLOG_VERSION;
    const std::string address = EscapeHtml(context.reportWebAddress);
    sink.writeLine("<a name=\"info\"></a><p><h3>Informationen:</h3><table border=1>");
    sink.writeLine(std::string("<tr><th align=\"left\">Programm:</th><th>") + kProgramTitle +
                   "</th></tr>");
    sink.writeLine("<tr><th align=\"left\">Version:</th><th>" + version + "</th></tr>");
    sink.writeLine("<tr><th align=\"left\">Autor:</th><th>" + EscapeHtml(context.authorName) +
                   "</th></tr>");
    sink.writeLine("<tr><th align=\"left\">Web:</th><th><a href=\"" + address +
                   "\" target=\"_blank\">" + EscapeHtml(HostName(context.reportWebAddress)) +
                   "</a></th></tr>");
    sink.writeLine("</table></p>");
    sink.writeLine("<p>Erstellt mit <a href=\"" + address + "\" target=\"_blank\">" +
                   kProgramTitle + " " + version + "</a></p></body></html>");
}

} // namespace

std::string HtmlCell(std::string_view text) {
    if (text.empty())
        return "<td>&#160;</td>";
    return "<td nowrap>" + EscapeHtml(text) + "</td>";
}

void WriteHtmlReport(LineSink& sink, const TextTable& grid, const std::string& targetPath,
                     const ReportContext& context) {
    const int recordCount = grid.rowCount() > 0 ? grid.rowCount() - 1 : 0;
    WriteHead(sink, targetPath, context);
    WriteDataTable(sink, grid, recordCount);
    WriteStationTable(sink, grid);
    WriteStatistics(sink, grid, context.rule);
    WriteHtmlYearTable(sink, grid, context);
    WriteInformation(sink, context);
}

} // namespace spritlog
