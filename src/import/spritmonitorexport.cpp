#include "import/spritmonitorexport.h"

#include "import/spritmonitor.h"
#include "import/values.h"
#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/fillups.h"
#include "logbook/logbooktable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace spritlog::import {
namespace {

constexpr const char* kHeader =
    "Datum;Km-Stand;Teil-Km;Spritmenge;Kosten;W\xE4hrung;Tankart;Reifen;Strecken;Fahrweise;"
    "Kraftstoff;Bemerkung;Verbrauch;BC-Verbrauch;BC-Spritmenge;BC-Geschwindigkeit;Tankstelle;"
    "Land;Gro\xDFraum;Ort";

constexpr std::string_view kFirstWord = "Erstbetankung";

std::optional<double> NumberOf(std::string_view cell) {
    const std::size_t first = cell.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    cell = cell.substr(first, cell.find_last_not_of(' ') - first + 1);
    double value = 0;
    if (!TryTextToNumber(cell, value) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string CommaNumber(double value, int decimals) {
    // Six places hold every product of a three-place amount and a three-place price.
    std::string text = RoundedCell(value, 6);
    const std::size_t point = text.find('.');
    int places = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
    if (point == std::string::npos && decimals > 0)
        text += '.';
    for (; places < decimals; ++places)
        text += '0';
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// A text field as the service writes it: in quotes, its own quotes doubled.
std::string QuotedField(std::string_view text) {
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + '"';
}

// A cell that should have been a number, as it stands; quoted only when it would break the
// line.
std::string AsItStands(std::string_view cell) {
    if (cell.find_first_of(";\"") == std::string_view::npos)
        return std::string(cell);
    return QuotedField(cell);
}

bool HasInput(const TextTable& grid, int row) {
    for (int c = ColDatum; c <= ColNote3; ++c) {
        if ((c < ColKm || c > ColTankkosten) && HasText(grid.cell(c, row)))
            return true;
    }
    return false;
}

std::string GradeCode(const std::string& grade) {
    // The service's numbers, from the importer's own list of them.
    for (int code = 1; code < 100; ++code) {
        const std::string number = IntegerToText(code);
        if (SpritmonitorGrade(number) == grade)
            return number;
    }
    return grade.empty() ? grade : QuotedField(grade);
}

struct Notes {
    int type = 1;
    std::string remark;
    std::string currency = "EUR";
};

// The currency of a mark "Preis in USD" that the import gave a price in another currency.
std::optional<std::string> CurrencyOf(std::string_view note) {
    constexpr std::string_view kPriceIn = "Preis in ";
    std::size_t start = 0;
    while (start <= note.size()) {
        std::size_t end = note.find_first_of(",;", start);
        if (end == std::string_view::npos)
            end = note.size();
        std::string_view part = note.substr(start, end - start);
        part.remove_prefix(std::min(part.find_first_not_of(' '), part.size()));
        if (part.substr(0, kPriceIn.size()) == kPriceIn) {
            std::string_view code = part.substr(kPriceIn.size());
            code = code.substr(0, code.find_last_not_of(' ') + 1);
            if (!code.empty() && code.find(' ') == std::string_view::npos)
                return std::string(code);
        }
        start = end + 1;
    }
    return std::nullopt;
}

Notes NotesOf(const TextTable& grid, int row) {
    const FillUpMarks marks = MarksOf(grid, row);
    Notes notes;
    bool first = false;
    for (int c = ColNote1; c <= ColNote3; ++c) {
        const std::string_view note = grid.cell(c, row);
        std::string text = WithoutMark(note, kFirstWord);
        first = first || text != note;
        if (const auto currency = CurrencyOf(text)) {
            notes.currency = *currency;
            text = WithoutMark(text, "Preis in " + *currency);
        }
        text = WithoutMark(WithoutMark(text, kPartialWord), kMissedWord);
        if (text.find_first_not_of(' ') == std::string::npos)
            continue;
        if (!notes.remark.empty())
            notes.remark += "; ";
        notes.remark += text;
    }
    notes.type = marks.missedBefore ? 0 : marks.partial ? 2 : first ? 3 : 1;
    return notes;
}

} // namespace

std::string SpritmonitorNumber(std::string_view cell, int decimals) {
    const auto value = NumberOf(cell);
    return value ? CommaNumber(*value, decimals) : std::string();
}

void WriteSpritmonitorFile(LineSink& sink, const TextTable& grid) {
    sink.writeLine(Cp1252ToUtf8(kHeader));
    std::optional<double> odometerBefore;
    for (int row = 1; row < grid.rowCount(); ++row) {
        if (!HasInput(grid, row))
            continue;
        const auto odometer = NumberOf(grid.cell(ColKmStand, row));
        const auto litres = NumberOf(grid.cell(ColLiter, row));
        const auto price = NumberOf(grid.cell(ColLiterpreis, row));
        std::string trip;
        if (odometer && odometerBefore && *odometer > *odometerBefore)
            trip = CommaNumber(*odometer - *odometerBefore, 2);
        if (odometer)
            odometerBefore = odometer;
        const Notes notes = NotesOf(grid, row);
        const std::array<std::string, 20> fields = {
            AsItStands(grid.cell(ColDatum, row)),
            // A cell that is no number goes as it stands: the reader names it.
            odometer ? CommaNumber(*odometer, 2) : AsItStands(grid.cell(ColKmStand, row)),
            trip,
            litres ? CommaNumber(*litres, 2) : AsItStands(grid.cell(ColLiter, row)),
            litres && price ? CommaNumber(*litres * *price, 2) : std::string(),
            QuotedField(notes.currency),
            IntegerToText(notes.type),
            {},
            {},
            {},
            GradeCode(std::string(grid.cell(ColBenzin, row))),
            QuotedField(notes.remark),
            SpritmonitorNumber(grid.cell(ColVerbrauch, row), 2),
            {},
            {},
            {},
            QuotedField(grid.cell(ColTankstelle, row)),
            QuotedField(""),
            QuotedField(""),
            QuotedField(grid.cell(ColOrt, row)),
        };
        std::string line;
        for (const std::string& field : fields) {
            if (&field != fields.data())
                line += ';';
            line += field;
        }
        sink.writeLine(Cp1252ToUtf8(line));
    }
}

} // namespace spritlog::import
