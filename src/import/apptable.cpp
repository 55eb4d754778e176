#include "import/apptable.h"

#include "logbook/conventions.h"
#include "logbook/fillups.h"

#include <deque>
#include <optional>

namespace spritlog::import {

namespace {

// A flag cell: empty is no; yes and no in the apps' languages; a column whose only word is
// its own name ("Partial", "Reset") says yes by that word; "Full" and "Partial" say what
// they mean in a column of full tanks (`fullColumn`) as in one of partial ones.
std::optional<bool> ReadFlagCell(std::string_view text, std::string_view caption, bool fullColumn) {
    if (Trim(text).empty())
        return fullColumn;
    if (const auto value = ReadYesNo(text))
        return value;
    const std::string word = NormaliseName(text);
    if (word == "full")
        return fullColumn;
    if (word == "partial")
        return !fullColumn;
    if (word == NormaliseName(caption) || IsOneOf(word, "reset missed"))
        return true;
    return std::nullopt;
}

std::string Caption(const CsvRow& header, int index) {
    return std::string(FieldAt(header.fields, index));
}

struct Units {
    DistanceUnit distance = DistanceUnit::Unknown;
    VolumeUnit volume = VolumeUnit::Unknown;
    bool distanceAsked = false, volumeAsked = false;
};

class TableReader {
public:
    TableReader(ImportResult& result, const CsvRow& header, AppFormat format)
        : result_(result), header_(header), f_(std::move(format)) {}

    void readAll(const std::vector<const CsvRow*>& rows);

private:
    bool flag(const CsvRow& row, int column, bool& value);
    DistanceUnit distanceOf(const CsvRow& row);
    VolumeUnit volumeOf(const CsvRow& row);
    void readRow(const CsvRow& row, bool monthFirst);

    ImportResult& result_;
    const CsvRow& header_;
    AppFormat f_;
    Units units_;
    std::deque<std::string> texts_; // the canonical dates the records point into
    std::vector<ParsedRecord> parsed_;
};

bool TableReader::flag(const CsvRow& row, int column, bool& value) {
    value = false;
    if (column < 0)
        return true;
    const bool fullColumn = column == f_.columns.full;
    const std::string_view text = FieldAt(row.fields, column);
    const auto read = ReadFlagCell(text, Caption(header_, column), fullColumn);
    if (!read) {
        AddProblem(result_, row.line,
                   Caption(header_, column) + " " + Quoted(text) + " ist weder ja noch nein");
        return false;
    }
    value = *read;
    return true;
}

DistanceUnit TableReader::distanceOf(const CsvRow& row) {
    if (f_.columns.distanceUnit >= 0) {
        const DistanceUnit unit = DistanceFromText(FieldAt(row.fields, f_.columns.distanceUnit));
        if (unit != DistanceUnit::Unknown)
            return unit;
    }
    if (f_.distance != DistanceUnit::Unknown)
        return f_.distance;
    if (!units_.distanceAsked) {
        units_.distanceAsked = true;
        units_.distance = AskDistance(result_, DistanceUnit::Kilometres);
    }
    return units_.distance;
}

VolumeUnit TableReader::volumeOf(const CsvRow& row) {
    if (f_.columns.volumeUnit >= 0) {
        const VolumeUnit unit = VolumeFromText(FieldAt(row.fields, f_.columns.volumeUnit));
        // A bare gallon is the US one unless the user says otherwise.
        if (unit == VolumeUnit::UsGallons &&
            LowerAscii(FieldAt(row.fields, f_.columns.volumeUnit)).find("us") ==
                std::string::npos &&
            result_.options.volume == VolumeUnit::ImperialGallons)
            return VolumeUnit::ImperialGallons;
        if (unit != VolumeUnit::Unknown)
            return unit;
    }
    if (f_.volume != VolumeUnit::Unknown)
        return f_.volume;
    if (!units_.volumeAsked) {
        units_.volumeAsked = true;
        units_.volume = AskVolume(result_, VolumeUnit::Litres);
    }
    return units_.volume;
}

void TableReader::readRow(const CsvRow& row, bool monthFirst) {
    const AppColumns& c = f_.columns;
    RawRecord raw;
    raw.line = row.line;
    raw.totalFirst = f_.totalFirst;
    std::string dateText(FieldAt(row.fields, c.date));
    if (c.time >= 0 && !FieldAt(row.fields, c.time).empty())
        dateText += " " + std::string(FieldAt(row.fields, c.time));
    if (const auto date = ReadAppDate(dateText, monthFirst)) {
        // "yyyy-MM-dd HH:MM:SS" again, as the common reader takes it.
        const std::string& cell = date->cell;
        const int64_t seconds = date->key % 86400;
        texts_.push_back(cell.substr(6, 4) + "-" + cell.substr(3, 2) + "-" + cell.substr(0, 2) +
                         " " + IntegerToText(seconds / 3600) + ":" +
                         (seconds / 60 % 60 < 10 ? "0" : "") + IntegerToText(seconds / 60 % 60) +
                         ":" + (seconds % 60 < 10 ? "0" : "") + IntegerToText(seconds % 60));
    } else {
        texts_.push_back(dateText);
    }
    raw.date = texts_.back();
    raw.odometer = FieldAt(row.fields, c.odometer);
    raw.trip = FieldAt(row.fields, c.trip);
    raw.quantity = FieldAt(row.fields, c.quantity);
    raw.unitPrice = FieldAt(row.fields, c.unitPrice);
    raw.total = FieldAt(row.fields, c.total);
    raw.station = FieldAt(row.fields, c.station);
    raw.place = FieldAt(row.fields, c.place);
    raw.note = FieldAt(row.fields, c.note);
    raw.grade = std::string(FieldAt(row.fields, c.grade));
    bool full = true, partial = false, missed = false;
    if (c.full >= 0 && !flag(row, c.full, full))
        return;
    if (!flag(row, c.partial, partial) || !flag(row, c.missed, missed))
        return;
    if (!full || partial)
        raw.marks.emplace_back(kPartialWord);
    if (missed)
        raw.marks.emplace_back(kMissedWord);

    const DistanceUnit distance = distanceOf(row);
    const VolumeUnit volume = volumeOf(row);
    raw.kmPerUnit = KmPer(distance);
    raw.litresPerUnit = LitresPer(volume);
    if (c.consumption >= 0) {
        const std::string_view figure = FieldAt(row.fields, c.consumption);
        if (f_.consumptionUnit.empty()) {
            raw.sourceConsumption = ConsumptionText(figure);
        } else if (const auto value = ReadDecimal(figure, f_.style.point, f_.style.grouping)) {
            raw.sourceConsumption = ConsumptionPer100(*value, f_.consumptionUnit,
                                                      volume == VolumeUnit::ImperialGallons);
        }
    }
    auto record = BuildRecord(result_, raw, f_.style);
    if (!record)
        return;
    if (TooManyRecords(result_, parsed_.size() + 1))
        return;
    NoteConversions(result_, distance, volume, !raw.unitPrice.empty());
    parsed_.push_back(std::move(*record));
}

void TableReader::readAll(const std::vector<const CsvRow*>& rows) {
    if (header_.fault != CsvFault::None && f_.columns.date < 0)
        AddProblem(result_, header_.line, FaultReason(header_));
    ColumnMap required = NoColumns();
    required[DateField] = f_.columns.date;
    required[OdometerField] = f_.columns.odometer;
    required[QuantityField] = f_.columns.quantity;
    RequireColumns(result_, header_.line, required);
    if (!result_.ok())
        return;
    std::vector<std::string> dates;
    std::vector<std::string> vehicles;
    for (const CsvRow* row : rows) {
        dates.emplace_back(FieldAt(row->fields, f_.columns.date));
        if (f_.columns.vehicle >= 0)
            vehicles.emplace_back(FieldAt(row->fields, f_.columns.vehicle));
    }
    const std::string vehicle = ChooseVehicle(result_, vehicles);
    const bool dayFirst = f_.dayFirst >= 0 ? f_.dayFirst == 1 : SlashDatesDayFirst(dates);
    if (HasSlashDate(dates) && f_.dayFirst < 0)
        result_.summary.notices.push_back(dayFirst ? "Datumsangaben als Tag/Monat/Jahr gelesen."
                                                   : "Datumsangaben als Monat/Tag/Jahr gelesen.");
    const std::size_t fields = header_.fields.size();
    for (const CsvRow* row : rows) {
        if (row->fault != CsvFault::None) {
            AddProblem(result_, row->line, FaultReason(*row));
            continue;
        }
        if (!CheckFieldCount(result_, *row, fields))
            continue;
        if (f_.columns.vehicle >= 0 && FieldAt(row->fields, f_.columns.vehicle) != vehicle)
            continue;
        readRow(*row, !dayFirst);
    }
    if (result_.ok())
        StoreRecords(result_, parsed_, f_.order);
}

} // namespace

std::vector<const CsvRow*> RowsBelow(const std::vector<CsvRow>& rows, const CsvRow* header,
                                     bool section) {
    std::vector<const CsvRow*> below;
    bool after = false;
    for (const CsvRow& row : rows) {
        if (&row == header) {
            after = true;
            continue;
        }
        if (!after)
            continue;
        if (RowIsBlank(row)) {
            if (section)
                break;
            continue;
        }
        below.push_back(&row);
    }
    return below;
}

const CsvRow* FirstContentRow(const std::vector<CsvRow>& rows) {
    for (const CsvRow& row : rows) {
        if (!RowIsBlank(row))
            return &row;
    }
    return nullptr;
}

bool CommaHeaderHas(std::string_view text, std::initializer_list<const char*> captions) {
    const std::vector<CsvRow> rows = ReadCsvRows(text, ExportDialect(','), 1);
    const CsvRow* header = FirstContentRow(rows);
    if (header == nullptr)
        return false;
    for (const char* caption : captions)
        if (FindColumn(header->fields, caption) < 0)
            return false;
    return true;
}

CommaTable::CommaTable(std::string_view text)
    : rows(ReadCsvRows(text, ExportDialect(','))), header(FirstContentRow(rows)) {}

void ReadAppTable(ImportResult& result, const CsvRow& header,
                  const std::vector<const CsvRow*>& rows, AppFormat format) {
    TableReader reader(result, header, std::move(format));
    reader.readAll(rows);
}

} // namespace spritlog::import
