#include "import/spritlogcsv.h"

#include "import/csvreader.h"
#include "import/refuelling.h"
#include "logbook/conventions.h"
#include "logbook/logbooktable.h"

#include <algorithm>
#include <vector>

namespace spritlog::import {

namespace {

// The fields of a line: the columns Datum to Anmerkung3, and after them the unit of the
// record where the export wrote one ("Einheit").
constexpr std::size_t kFields = 14;
constexpr std::size_t kFieldsWithUnit = 15;
constexpr std::string_view kUnitCaption = "Einheit";

CsvDialect SpritlogDialect() {
    CsvDialect dialect;
    dialect.separator = ';';
    dialect.multiLine = false;
    dialect.blanksBeforeQuote = false;
    return dialect;
}

// The reason when the row is not one line of `fields` fields of the export, empty when it is.
std::string RowFault(const CsvRow& row, std::size_t fields = kFields) {
    const std::string field = IntegerToText(row.faultField);
    switch (row.fault) {
    case CsvFault::OpenQuote:
        return "das Anf\xFChrungszeichen in Feld " + field + " wird nicht geschlossen";
    case CsvFault::TextAfterQuote:
        return "nach dem schlie\xDF"
               "enden Anf\xFChrungszeichen in Feld " +
               field + " fehlt \";\"";
    case CsvFault::None:
        break;
    }
    const std::size_t count = row.fields.size() - (row.lastTerminated ? 1 : 0);
    const std::string expected = IntegerToText(static_cast<int64_t>(fields));
    if (count != fields)
        return IntegerToText(static_cast<int64_t>(count)) + " Felder statt " + expected;
    if (!row.lastTerminated)
        return "nach dem " + expected + ". Feld fehlt \";\"";
    return {};
}

// The caption line the export writes first: the fixed captions of Datum to Ort (the
// notes' captions are the user's own), and "Einheit" after the notes where the records'
// units follow.
bool HasUnitCaption(const CsvRow& row) {
    return RowFault(row, kFieldsWithUnit).empty() && row.fields[kFields] == kUnitCaption;
}

bool IsCaptionRow(const CsvRow& row) {
    if (!RowFault(row).empty() && !HasUnitCaption(row))
        return false;
    for (int c = ColDatum; c <= ColOrt; ++c) {
        if (row.fields[static_cast<std::size_t>(c - 1)] != kLogbookColumnInfo[c].header)
            return false;
    }
    return true;
}

const CsvRow* FirstLine(const std::vector<CsvRow>& rows) {
    for (const CsvRow& row : rows) {
        if (!row.emptyLine)
            return &row;
    }
    return nullptr;
}

// A number of the layout with captions has a decimal comma; the logbook's cells a point.
std::string WithDecimalPoint(std::string text) {
    std::string converted = text;
    std::replace(converted.begin(), converted.end(), ',', '.');
    return converted != text && IsNumberText(converted) ? converted : text;
}

} // namespace

bool HasSpritlogCsvCaptions(std::string_view text) {
    const std::vector<CsvRow> rows = ReadCsvRows(text, SpritlogDialect(), 2);
    const CsvRow* first = FirstLine(rows);
    return first != nullptr && IsCaptionRow(*first);
}

bool LooksLikeSpritlogCsv(std::string_view text) {
    // A damaged first line should still be reported as a damaged line, so a few lines
    // decide.
    int looked = 0;
    for (const CsvRow& row : ReadCsvRows(text, SpritlogDialect(), 10)) {
        if (row.emptyLine)
            continue;
        if (RowFault(row).empty())
            return true;
        if (++looked == 10)
            break;
    }
    return false;
}

void ParseSpritlogCsv(ImportResult& result, std::string_view text) {
    const std::vector<CsvRow> rows = ReadCsvRows(text, SpritlogDialect());
    const auto candidates =
        std::count_if(rows.begin(), rows.end(), [](const CsvRow& row) { return !row.emptyLine; });
    // The export writes captions and decimal commas; files of older versions have neither.
    const CsvRow* first = FirstLine(rows);
    const CsvRow* captions = first != nullptr && IsCaptionRow(*first) ? first : nullptr;
    if (TooManyRecords(result, static_cast<std::size_t>(candidates - (captions ? 1 : 0))))
        return;
    // The unit is read past: the grade tells the energy, as it does in the logbook.
    const std::size_t fields =
        captions != nullptr && HasUnitCaption(*captions) ? kFieldsWithUnit : kFields;
    for (const CsvRow& row : rows) {
        if (row.emptyLine || &row == captions)
            continue; // the export writes none; an editor may leave one at the end
        const std::string fault = RowFault(row, fields);
        if (!fault.empty()) {
            AddProblem(result, row.line, fault);
            continue;
        }
        ImportRecord record;
        record.line = row.line;
        // Fields are columns 1..14; the derived columns 5..8 are computed afresh.
        for (int c = ColDatum; c <= ColNote3; ++c) {
            if (c < ColKm || c > ColTankkosten)
                record.cells[static_cast<std::size_t>(c)] =
                    row.fields[static_cast<std::size_t>(c - 1)];
        }
        if (captions != nullptr) {
            for (int c = ColKmStand; c <= ColLiterpreis; ++c) {
                std::string& cell = record.cells[static_cast<std::size_t>(c)];
                cell = WithDecimalPoint(std::move(cell));
            }
        }
        result.records.push_back(std::move(record));
    }
}

} // namespace spritlog::import
