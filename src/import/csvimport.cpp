#include "import/csvimport.h"

#include "import/consumptioncheck.h"
#include "import/importers.h"
#include "import/refuelling.h"
#include "import/values.h"
#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/energies.h"
#include "logbook/errors.h"

#include <algorithm>
#include <array>
#include <map>

namespace spritlog {

namespace {

using import::AddProblem;

constexpr const char* kUnknownFormat =
    "Das Dateiformat wurde nicht erkannt (erwartet: Spritlog-CSV, Spritmonitor, Fuelio, Fuelly, "
    "Drivvo, Road Trip, aCar, LubeLogger, GasBuddy oder evcc).";
constexpr const char* kNoRecords = "Die Datei enth\xE4lt keine Datens\xE4tze.";

// Stands for a character Windows-1252 cannot hold until the cells are counted. The byte
// has no business in a cell anyway (it ends a file for old tools), so the input's own ones
// become blanks first.
constexpr char kLost = '\x1A';

// Hyphens and blanks that Windows-1252 lacks, as the plain ones: phones write a
// non-breaking hyphen into names like "H\u2011E\u2011B", which would become "H?E?B".
std::string PlainPunctuation(const std::string& utf8) {
    static constexpr struct {
        std::string_view from;
        char to;
    } kPlain[] = {{"\xE2\x80\x90", '-'}, {"\xE2\x80\x91", '-'}, {"\xE2\x80\x92", '-'},
                  {"\xE2\x88\x92", '-'}, {"\xE2\x80\x89", ' '}, {"\xE2\x80\xAF", ' '}};
    if (utf8.find('\xE2') == std::string::npos)
        return utf8;
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        bool replaced = false;
        for (const auto& plain : kPlain) {
            if (utf8.compare(i, plain.from.size(), plain.from) == 0) {
                out.push_back(plain.to);
                i += plain.from.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out.push_back(utf8[i++]);
    }
    return out;
}

// The file as Windows-1252. Phones and web exports write UTF-8, our own export and older
// Windows tools Windows-1252; a Windows-1252 text with umlauts is practically never
// well-formed UTF-8, so well-formed multibyte sequences decide.
std::string DecodeText(std::string_view bytes) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    const bool bom = bytes.substr(0, kBom.size()) == kBom;
    if (bom)
        bytes.remove_prefix(kBom.size());
    std::string text(bytes);
    std::replace(text.begin(), text.end(), kLost, ' ');
    bool multibyte = false;
    // A file saved by an old Mac spreadsheet ends its lines with a CR alone.
    if (text.find('\n') == std::string::npos)
        std::replace(text.begin(), text.end(), '\r', '\n');
    if (bom || (IsWellFormedUtf8(text, multibyte) && multibyte))
        return Utf8ToCp1252(PlainPunctuation(text), kLost);
    return text;
}

bool HasContent(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") != std::string_view::npos;
}

// dd.MM.yyyy as a number that sorts like the day, 0 for anything else.
long DayKey(const std::string& cell) {
    const auto date = import::ReadDate(cell);
    return date ? static_cast<long>(date->key / 86400) : 0;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty())
            text += ", ";
        text += part;
    }
    return text;
}

// "Diesel 334-mal, Super 1-mal": the most frequent first, at most `shown` of them;
// "keine" for none.
std::string Tally(const std::vector<ImportRecord>& records, int column, std::size_t shown) {
    std::map<std::string, int> counts;
    for (const ImportRecord& record : records) {
        const std::string& text = record.cells[static_cast<std::size_t>(column)];
        if (!text.empty())
            ++counts[text];
    }
    if (counts.empty())
        return "keine";
    std::vector<std::pair<std::string, int>> sorted(counts.begin(), counts.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<std::string> parts;
    for (const auto& [text, count] : sorted) {
        if (parts.size() == shown) {
            parts.push_back("und " + IntegerToText(static_cast<int64_t>(sorted.size() - shown)) +
                            " weitere");
            break;
        }
        parts.push_back(text + " " + IntegerToText(count) + "-mal");
    }
    return Joined(parts);
}

// "Schon im Tankbuch, ausgelassen: 2 (Zeile 3 wie Datensatz 14, Zeile 4 wie Datensatz 15)",
// the first few named.
std::string InLogbookLine(const std::vector<ImportSummary::Known>& known) {
    constexpr std::size_t kNamed = 5;
    std::vector<std::string> named;
    for (std::size_t i = 0; i < known.size() && i < kNamed; ++i)
        named.push_back("Zeile " + IntegerToText(known[i].line) + " wie Datensatz " +
                        IntegerToText(known[i].record));
    if (known.size() > kNamed)
        named.push_back("und " + IntegerToText(static_cast<int64_t>(known.size() - kNamed)) +
                        " weitere");
    return "Schon im Tankbuch, ausgelassen: " + IntegerToText(static_cast<int64_t>(known.size())) +
           " (" + Joined(named) + ")";
}

// "Betankungen: 12", and for records beyond litres how many there are of each energy, in
// the order Liter, kg, kWh, AdBlue: "Betankungen: 12 (8 Liter, 4 kWh)".
std::string RecordCountLine(const std::vector<ImportRecord>& records) {
    std::array<int, kEnergies> counts{};
    int adBlue = 0;
    for (const ImportRecord& record : records) {
        if (const std::optional<Energy> energy = EnergyOf(record.cells[ColBenzin]))
            ++counts[static_cast<std::size_t>(*energy)];
        else
            ++adBlue;
    }
    std::string line = "Betankungen: " + IntegerToText(static_cast<int64_t>(records.size()));
    const auto litres = static_cast<std::size_t>(Energy::Litre);
    if (adBlue == 0 && counts[litres] == static_cast<int>(records.size()))
        return line;
    std::vector<std::string> parts;
    for (int e = 0; e < kEnergies; ++e)
        if (counts[static_cast<std::size_t>(e)] > 0)
            parts.push_back(IntegerToText(counts[static_cast<std::size_t>(e)]) + " " +
                            kEnergyWords[e].quantity);
    if (adBlue > 0)
        parts.push_back(IntegerToText(adBlue) + " " + kAdBlueName);
    return line + " (" + Joined(parts) + ")";
}

// The units the records are read in: "km und Liter", "km, Liter und kWh". AdBlue is counted
// in litres.
std::string UnitsRead(const std::vector<ImportRecord>& records) {
    std::array<bool, kEnergies> present{};
    for (const ImportRecord& record : records)
        present[static_cast<std::size_t>(
            EnergyOf(record.cells[ColBenzin]).value_or(Energy::Litre))] = true;
    std::vector<std::string> units = {"km"};
    for (int e = 0; e < kEnergies; ++e)
        if (present[static_cast<std::size_t>(e)] || (e == 0 && records.empty()))
            units.emplace_back(kEnergyWords[e].quantity);
    std::string text = units.front();
    for (std::size_t i = 1; i < units.size(); ++i)
        text += (i + 1 == units.size() ? " und " : ", ") + units[i];
    return text;
}

} // namespace

ImportResult ParseImportFile(std::string_view bytes, const ImportOptions& options) {
    ImportResult result;
    result.options = options;
    const std::string text = DecodeText(bytes);
    if (!HasContent(text)) {
        AddProblem(result, 0, kNoRecords);
        return result;
    }

    const import::Importer* importer =
        options.mapping.empty() ? import::ImporterFor(text) : import::MappedImporter();
    if (importer == nullptr) {
        result.unrecognised = true;
        AddProblem(result, 0, kUnknownFormat);
        return result;
    }
    result.format = importer->format;
    importer->parse(result, text);

    for (ImportProblem& problem : result.problems)
        std::replace(problem.reason.begin(), problem.reason.end(), kLost, '?');
    if (!result.ok()) {
        result.records.clear();
        result.summary = ImportSummary();
    } else if (result.records.empty()) {
        AddProblem(result, 0, kNoRecords);
    }
    // A cell is one line of the logbook file: a line break inside it would cut the cell
    // (and shift every later one) on the next save and load.
    for (ImportRecord& record : result.records) {
        for (std::string& cell : record.cells) {
            std::replace_if(
                cell.begin(), cell.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
            if (cell.find(kLost) != std::string::npos) {
                std::replace(cell.begin(), cell.end(), kLost, '?');
                ++result.summary.replacedCells;
            }
        }
    }
    if (result.ok())
        import::CompareConsumption(result);
    return result;
}

std::string ImportProblemText(const ImportProblem& problem) {
    if (problem.line <= 0)
        return problem.reason;
    return "Zeile " + IntegerToText(problem.line) + ": " + problem.reason;
}

std::string ImportFailureMessage(const ImportResult& result, int shown) {
    std::string message = "Es wurde nichts importiert.";
    int listed = 0;
    for (const ImportProblem& problem : result.problems) {
        if (listed == shown)
            break;
        message += "\n" + ImportProblemText(problem);
        ++listed;
    }
    if (result.problemCount > listed) {
        const int more = result.problemCount - listed;
        message += "\n(und " + IntegerToText(more) +
                   (more == 1 ? " weiteres Problem)" : " weitere Probleme)");
    }
    return message;
}

std::string ImportSuccessMessage(const ImportResult& result) {
    const auto count = static_cast<int64_t>(result.records.size());
    return IntegerToText(count) + (count == 1 ? " Datensatz" : " Datens\xE4tze") + " importiert (" +
           ImportFormatName(result.format) + ").";
}

std::vector<std::string> ImportSummaryLines(const ImportResult& result) {
    std::vector<std::string> lines;
    const std::vector<ImportRecord>& records = result.records;
    lines.push_back(std::string("Format: ") + ImportFormatName(result.format));
    lines.push_back(RecordCountLine(records));

    const ImportRecord* earliest = nullptr;
    const ImportRecord* latest = nullptr;
    bool haveOdometer = false;
    double lowest = 0, highest = 0;
    for (const ImportRecord& record : records) {
        if (const long day = DayKey(record.cells[ColDatum]); day != 0) {
            if (earliest == nullptr || day < DayKey(earliest->cells[ColDatum]))
                earliest = &record;
            if (latest == nullptr || day >= DayKey(latest->cells[ColDatum]))
                latest = &record;
        }
        if (const auto km = import::ReadDecimal(record.cells[ColKmStand], '.', 0)) {
            lowest = haveOdometer ? std::min(lowest, *km) : *km;
            highest = haveOdometer ? std::max(highest, *km) : *km;
            haveOdometer = true;
        }
    }
    if (earliest != nullptr)
        lines.push_back("Zeitraum: " + earliest->cells[ColDatum] + " bis " +
                        latest->cells[ColDatum]);
    if (haveOdometer)
        lines.push_back("KM-Stand: " + import::NumberCell(lowest) + " bis " +
                        import::NumberCell(highest));

    const ImportSummary& summary = result.summary;
    lines.push_back("Umgerechnet: " + (summary.conversions.empty()
                                           ? "nichts (" + UnitsRead(records) + ")"
                                           : Joined(summary.conversions)));
    if (summary.duplicates.empty()) {
        lines.emplace_back("Doppelt aufgef\xFChrt: keine");
    } else {
        std::vector<std::string> skipped;
        for (const ImportSummary::Duplicate& d : summary.duplicates)
            skipped.push_back("Zeile " + IntegerToText(d.line) + " (wie Zeile " +
                              IntegerToText(d.first) + ")");
        lines.push_back("Doppelt aufgef\xFChrt, ausgelassen: " + Joined(skipped));
    }
    if (!summary.inLogbook.empty())
        lines.push_back(InLogbookLine(summary.inLogbook));
    if (summary.consumptionCompared > 0) {
        std::string line = "Verbrauch mit der Angabe der Quelle verglichen: " +
                           IntegerToText(summary.consumptionCompared) + " Betankungen, ";
        if (summary.consumptionDeviations.empty())
            line += "keine weicht mehr als 1 % ab";
        else
            line += "mehr als 1 % Abweichung (unserer statt ihrer): " +
                    Joined(summary.consumptionDeviations);
        lines.push_back(line);
    }
    if (!summary.skippedSections.empty())
        lines.push_back("Nicht \xFC"
                        "bernommen (keine Betankungen): " +
                        Joined(summary.skippedSections));
    lines.push_back("Sorten: " + Tally(records, ColBenzin, 6));
    lines.push_back("Tankstellen: " + Tally(records, ColTankstelle, 6));
    if (summary.replacedCells > 0)
        lines.push_back("Zeichen ohne Windows-1252-Entsprechung, als \"?\" \xFC"
                        "bernommen: " +
                        IntegerToText(summary.replacedCells) +
                        (summary.replacedCells == 1 ? " Zelle" : " Zellen"));
    for (const std::string& notice : summary.notices)
        lines.push_back("Hinweis: " + notice);
    return lines;
}

void AppendImportedRecords(TextTable& grid, const ImportResult& result, int maxRecords) {
    if (!result.ok() || result.records.empty())
        return;
    const int existing = RecordCount(grid);
    // After "Neu" the logbook is one empty record. Appending behind it would leave a blank
    // first row that breaks every distance, so the import takes its place. Only the input
    // columns count: the derived ones hold nothing the user typed.
    bool replaceEmpty = existing == 1;
    for (int c = ColDatum; replaceEmpty && c <= ColNote3; ++c) {
        if ((c < ColKm || c > ColTankkosten) && !grid.cell(c, 1).empty())
            replaceEmpty = false;
    }
    const int first = replaceEmpty ? 1 : existing + 1;
    const std::size_t total = static_cast<std::size_t>(first - 1) + result.records.size();
    if (maxRecords < 0 || total > static_cast<std::size_t>(maxRecords)) {
        const std::string limit = GroupThousands(IntegerToText(std::max(maxRecords, 0)));
        throw Error("Mit dem Import h\xE4tte das Tankbuch mehr als " + limit + " Datens\xE4tze.");
    }

    if (grid.columnCount() < kLogbookColumns)
        grid.setColumnCount(kLogbookColumns);
    grid.setRowCount(static_cast<int>(total) + 1);
    int row = first;
    for (const ImportRecord& record : result.records) {
        for (int c = ColDatum; c <= ColNote3; ++c)
            grid.setCell(c, row, record.cells[static_cast<std::size_t>(c)]);
        ++row;
    }
}

} // namespace spritlog
