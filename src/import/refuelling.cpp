#include "import/refuelling.h"

#include "import/tripcheck.h"
#include "import/values.h"
#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/floatops.h"
#include "logbook/logbooktable.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace spritlog::import {

void AddProblem(ImportResult& result, int line, std::string reason) {
    ++result.problemCount;
    if (result.problems.size() < static_cast<std::size_t>(kMaxImportProblems))
        result.problems.push_back({line, std::move(reason)});
}

std::string FaultReason(const CsvRow& row) {
    switch (row.fault) {
    case CsvFault::OpenQuote:
        return "das Anf\xFChrungszeichen wird nicht geschlossen";
    case CsvFault::TextAfterQuote:
        return "nach dem schlie\xDF"
               "enden Anf\xFChrungszeichen fehlt das Trennzeichen";
    case CsvFault::None:
        break;
    }
    return {};
}

bool TooManyRecords(ImportResult& result, std::size_t count) {
    if (count <= static_cast<std::size_t>(kMaxImportRecords))
        return false;
    AddProblem(result, 0, "Die Datei enth\xE4lt mehr als 1.000.000 Datens\xE4tze.");
    return true;
}

ColumnMap NoColumns() {
    ColumnMap map;
    map.fill(-1);
    return map;
}

ColumnMap MapColumns(const std::vector<std::string>& header, const ColumnNames* table,
                     std::size_t count) {
    ColumnMap map = NoColumns();
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string name = NormaliseName(header[i]);
        for (std::size_t k = 0; k < count; ++k) {
            const ColumnNames& entry = table[k];
            if (map[entry.field] < 0 && !name.empty() && IsOneOf(name, entry.names))
                map[entry.field] = static_cast<int>(i);
        }
    }
    return map;
}

std::string_view FieldText(const CsvRow& row, const ColumnMap& map, Field field) {
    const int index = map[field];
    if (index < 0 || static_cast<std::size_t>(index) >= row.fields.size())
        return {};
    return Trim(row.fields[static_cast<std::size_t>(index)]);
}

bool CheckFieldCount(ImportResult& result, const CsvRow& row, std::size_t expected) {
    const std::size_t count = row.fields.size();
    bool extraEmpty = true;
    for (std::size_t i = expected; i < count; ++i)
        extraEmpty = extraEmpty && Trim(row.fields[i]).empty();
    if (count < expected || !extraEmpty) {
        AddProblem(result, row.line,
                   IntegerToText(static_cast<int64_t>(count)) + " Felder statt " +
                       IntegerToText(static_cast<int64_t>(expected)));
        return false;
    }
    return true;
}

void RequireColumns(ImportResult& result, int line, const ColumnMap& map) {
    static constexpr struct {
        Field field;
        const char* reason;
    } kRequired[] = {
        {DateField, "keine Spalte f\xFCr das Datum (z. B. \"Date\" oder \"Datum\")"},
        {OdometerField,
         "keine Spalte f\xFCr den KM-Stand (z. B. \"Odometer\" oder \"Kilometerstand\")"},
        {QuantityField, "keine Spalte f\xFCr die Liter (z. B. \"Quantity\" oder \"Menge\")"},
    };
    for (const auto& required : kRequired) {
        if (map[required.field] < 0)
            AddProblem(result, line, required.reason);
    }
}

namespace {

std::string PriceCell(double price, int decimals = 3) {
    std::string text = NumberToText(price, decimals);
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// The cell as the logbook's Tankkosten shows it, without padding.
std::string CostText(double cost) {
    std::string text = NumberToText(cost, 2);
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string LineText(int line) {
    return "Zeile " + IntegerToText(line);
}

} // namespace

std::string PriceForTotal(std::string_view litresCell, double total, double litresExact) {
    const double litres = TextToNumber(litresCell);
    if (litres == 0) // rounded away: no cost to match
        return PriceCell(Divide(total, litresExact));
    const double exact = Divide(total, litres);
    const std::string wanted = CostText(total);
    for (int decimals = 3; decimals <= 5; ++decimals) {
        const std::string cell = PriceCell(exact, decimals);
        if (CostText(litres * TextToNumber(cell)) == wanted)
            return cell;
    }
    return PriceCell(exact);
}

namespace {

void ReadDateField(ImportResult& result, const RawRecord& raw, ParsedRecord& parsed) {
    if (raw.date.empty()) {
        AddProblem(result, raw.line, "Datum fehlt");
    } else if (const auto date = ReadDate(raw.date)) {
        parsed.record.cells[ColDatum] = date->cell;
        parsed.dateKey = date->key;
    } else {
        AddProblem(result, raw.line, "Datum " + Quoted(raw.date) + " ist kein g\xFCltiges Datum");
    }
}

void ReadOdometerField(ImportResult& result, const RawRecord& raw, NumberStyle style,
                       ParsedRecord& parsed) {
    if (raw.odometer.empty()) {
        AddProblem(result, raw.line, "KM-Stand fehlt");
    } else if (const auto reading = ReadDecimal(raw.odometer, style.point, style.grouping)) {
        // A user types whole kilometres; tenths from a trip computer are rounded.
        const double km = *reading * raw.kmPerUnit;
        const double rounded = km + 0.5;
        if (km < 0) {
            AddProblem(result, raw.line, "KM-Stand " + Quoted(raw.odometer) + " ist negativ");
        } else if (rounded >= static_cast<double>(std::numeric_limits<int32_t>::max()) + 1.0) {
            AddProblem(result, raw.line, "KM-Stand " + Quoted(raw.odometer) + " ist zu gro\xDF");
        } else {
            parsed.odometer = static_cast<int32_t>(rounded);
            parsed.record.cells[ColKmStand] = IntegerToText(parsed.odometer);
        }
    } else {
        AddProblem(result, raw.line, "KM-Stand " + Quoted(raw.odometer) + " ist keine ganze Zahl");
    }
}

// A number that must not be negative; empty stays empty.
std::optional<double> ReadAmount(ImportResult& result, int line, std::string_view text,
                                 const char* what, NumberStyle style) {
    if (text.empty())
        return std::nullopt;
    const auto value = ReadDecimal(text, style.point, style.grouping);
    if (!value) {
        AddProblem(result, line, std::string(what) + " " + Quoted(text) + " ist keine Zahl");
        return std::nullopt;
    }
    if (*value < 0) {
        AddProblem(result, line, std::string(what) + " " + Quoted(text) + " ist negativ");
        return std::nullopt;
    }
    return value;
}

// Litres and the price per litre, from the litre price or else from the total.
void ReadQuantityFields(ImportResult& result, const RawRecord& raw, NumberStyle style,
                        ParsedRecord& parsed) {
    auto& cells = parsed.record.cells;
    const bool converted = raw.litresPerUnit != 1;
    std::optional<double> litres;
    std::optional<double> quantity;
    if (raw.quantity.empty()) {
        AddProblem(result, raw.line, "Liter fehlt");
    } else if ((quantity = ReadAmount(result, raw.line, raw.quantity, "Liter", style))) {
        litres = *quantity * raw.litresPerUnit;
        cells[ColLiter] = converted ? RoundedCell(*litres, 3) : NumberCell(*litres);
    }
    const auto unitPrice = ReadAmount(result, raw.line, raw.unitPrice, "Literpreis", style);
    const auto total = ReadAmount(result, raw.line, raw.total, "Gesamtpreis", style);
    // A price of 0 is one nobody entered: the cell stays empty rather than claiming free
    // fuel. Where the source paid a total, or the price was per gallon, the litre price
    // keeps the decimals that give the refuelling's cost to the cent.
    const bool byTotal = total && *total > 0 && litres && *litres > 0 &&
                         (raw.totalFirst || !unitPrice || !(*unitPrice > 0));
    if (byTotal || (converted && unitPrice && *unitPrice > 0 && litres && *litres > 0)) {
        const double paid = byTotal ? *total : std::round(*quantity * *unitPrice * 100) / 100;
        try {
            cells[ColLiterpreis] = PriceForTotal(cells[ColLiter], paid, *litres);
        } catch (const Error&) {
            AddProblem(result, raw.line,
                       "Literpreis aus Gesamtpreis " + Quoted(raw.total) + " und Liter " +
                           Quoted(raw.quantity) + " ist nicht darstellbar");
        }
    } else if (unitPrice && *unitPrice > 0) {
        cells[ColLiterpreis] =
            converted ? PriceCell(*unitPrice / raw.litresPerUnit) : NumberCell(*unitPrice);
    }
    parsed.total = std::string(raw.total);
    // The service's own distance only checks the odometer; one that cannot be read is left
    // aside.
    if (const auto trip = ReadDecimal(raw.trip, style.point, style.grouping); trip && *trip > 0) {
        parsed.trip = *trip * raw.kmPerUnit;
        parsed.tripText = std::string(raw.trip);
    }
}

} // namespace

std::optional<ParsedRecord> BuildRecord(ImportResult& result, const RawRecord& raw,
                                        NumberStyle style) {
    const int problemsBefore = result.problemCount;
    ParsedRecord parsed;
    ImportRecord& record = parsed.record;
    record.line = raw.line;
    record.sourceConsumption = raw.sourceConsumption;
    ReadDateField(result, raw, parsed);
    ReadOdometerField(result, raw, style, parsed);
    ReadQuantityFields(result, raw, style, parsed);

    auto& cells = record.cells;
    cells[ColBenzin] = raw.grade;
    cells[ColTankstelle] = std::string(raw.station);
    cells[ColOrt] = std::string(raw.place);
    cells[ColNote1] = std::string(raw.note);
    // The logbook's consumption assumes full tanks; the mark tells the user why a figure
    // is off.
    for (const std::string& mark : raw.marks) {
        if (!cells[ColNote3].empty())
            cells[ColNote3] += ", ";
        cells[ColNote3] += mark;
    }

    if (result.problemCount != problemsBefore)
        return std::nullopt;
    return parsed;
}

void StoreRecords(ImportResult& result, std::vector<ParsedRecord>& parsed, RecordOrder order) {
    // Equal odometer readings would divide by a distance of zero. The very same refuelling
    // twice is a slip of the service and is left out; anything else the user must sort out.
    std::vector<ParsedRecord> kept;
    kept.reserve(parsed.size());
    std::unordered_map<int32_t, std::size_t> byOdometer;
    for (ParsedRecord& p : parsed) {
        const auto [it, inserted] = byOdometer.emplace(p.odometer, kept.size());
        if (inserted) {
            kept.push_back(std::move(p));
            continue;
        }
        const ParsedRecord& first = kept[it->second];
        const auto& a = first.record.cells;
        const auto& b = p.record.cells;
        if (a[ColDatum] == b[ColDatum] && a[ColLiter] == b[ColLiter] &&
            a[ColLiterpreis] == b[ColLiterpreis] && first.total == p.total) {
            result.summary.duplicates.push_back({p.record.line, first.record.line});
        } else {
            AddProblem(result, p.record.line,
                       "eine andere Betankung beim selben KM-Stand " + IntegerToText(p.odometer) +
                           " wie in " + LineText(first.record.line) +
                           "; die Strecke dazwischen w\xE4re 0");
        }
    }
    if (!result.ok())
        return;

    if (order == RecordOrder::ByDate) {
        std::stable_sort(
            kept.begin(), kept.end(), [](const ParsedRecord& a, const ParsedRecord& b) {
                return a.dateKey != b.dateKey ? a.dateKey < b.dateKey : a.odometer < b.odometer;
            });
    } else {
        std::stable_sort(
            kept.begin(), kept.end(),
            [](const ParsedRecord& a, const ParsedRecord& b) { return a.odometer < b.odometer; });
    }

    CheckOdometersAgainstTrips(result, kept);

    // What the order leaves odd is imported as it stands (it is the user's data), but said.
    constexpr int kShownOddities = 5;
    int oddities = 0;
    constexpr int64_t kDay = 86400;
    for (std::size_t i = 1; i < kept.size(); ++i) {
        const ParsedRecord& before = kept[i - 1];
        const ParsedRecord& p = kept[i];
        std::string text;
        if (order == RecordOrder::ByDate && p.odometer < before.odometer) {
            text = LineText(p.record.line) + ": KM-Stand " + IntegerToText(p.odometer) +
                   " ist kleiner als " + IntegerToText(before.odometer) + " der Betankung davor (" +
                   LineText(before.record.line) + ").";
        } else if (order == RecordOrder::ByOdometer && p.dateKey / kDay < before.dateKey / kDay) {
            text = LineText(p.record.line) + ": Datum " + p.record.cells[ColDatum] + " liegt vor " +
                   before.record.cells[ColDatum] + " der Betankung davor (" +
                   LineText(before.record.line) + ").";
        }
        if (text.empty())
            continue;
        if (++oddities <= kShownOddities)
            result.summary.notices.push_back(std::move(text));
    }
    if (oddities > kShownOddities)
        result.summary.notices.push_back("(und " + IntegerToText(oddities - kShownOddities) +
                                         " weitere solche Stellen)");

    result.records.reserve(kept.size());
    for (ParsedRecord& p : kept)
        result.records.push_back(std::move(p.record));
}

} // namespace spritlog::import
