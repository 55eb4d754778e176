#include "import/acar.h"

#include "import/apptable.h"

namespace spritlog::import {

namespace {

// A section title: one field alone on its line, such as "Fill-Up Records".
bool IsTitle(const CsvRow& row) {
    std::size_t filled = 0;
    for (const std::string& field : row.fields)
        filled += Trim(field).empty() ? 0 : 1;
    if (filled != 1 || Trim(row.fields[0]).empty())
        return false;
    const std::string name = NormaliseName(row.fields[0]);
    return name == "metadata" || name == "vehicles" ||
           (name.size() > 7 && name.compare(name.size() - 7, 7, "records") == 0);
}

// The title rows' positions in `rows`.
std::vector<std::size_t> Titles(const std::vector<CsvRow>& rows) {
    std::vector<std::size_t> titles;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (IsTitle(rows[i]))
            titles.push_back(i);
    }
    return titles;
}

const CsvRow* HeaderAfter(const std::vector<CsvRow>& rows, std::size_t title) {
    for (std::size_t i = title + 1; i < rows.size(); ++i) {
        if (IsTitle(rows[i]))
            return nullptr;
        if (!RowIsBlank(rows[i]))
            return &rows[i];
    }
    return nullptr;
}

// The rows of a section: up to the next title.
std::vector<const CsvRow*> SectionRows(const std::vector<CsvRow>& rows, const CsvRow* header) {
    std::vector<const CsvRow*> below;
    for (const CsvRow* row = header + 1; row < rows.data() + rows.size(); ++row) {
        if (IsTitle(*row))
            break;
        if (!RowIsBlank(*row))
            below.push_back(row);
    }
    return below;
}

} // namespace

bool LooksLikeACar(std::string_view text) {
    const std::vector<CsvRow> rows = ReadCsvRows(text, ExportDialect(','));
    for (const std::size_t title : Titles(rows)) {
        if (NormaliseName(rows[title].fields[0]) != "filluprecords")
            continue;
        const CsvRow* header = HeaderAfter(rows, title);
        return header != nullptr && FindColumn(header->fields, "odometerreading") >= 0;
    }
    return false;
}

void ParseACar(ImportResult& result, std::string_view text) {
    const std::vector<CsvRow> rows = ReadCsvRows(text, ExportDialect(','));
    const CsvRow* fillUps = nullptr;
    for (const std::size_t title : Titles(rows)) {
        const CsvRow* header = HeaderAfter(rows, title);
        const std::string name = NormaliseName(rows[title].fields[0]);
        if (name == "filluprecords" && fillUps == nullptr) {
            fillUps = header;
        } else if (header != nullptr && name != "metadata" && name != "vehicles") {
            const auto count = SectionRows(rows, header).size();
            if (count > 0)
                NoteSkippedSection(result, Trim(rows[title].fields[0]), static_cast<int>(count));
        }
    }
    if (fillUps == nullptr) {
        AddProblem(result, 0, "Der Abschnitt \"Fill-Up Records\" hat keine Kopfzeile.");
        return;
    }
    const std::vector<std::string>& h = fillUps->fields;
    AppFormat f;
    AppColumns& c = f.columns;
    c.vehicle = FindColumn(h, "vehicle vehiclename");
    c.date = FindColumn(h, "date");
    c.time = FindColumn(h, "time");
    c.odometer = FindColumn(h, "odometerreading odometer");
    c.distanceUnit = FindColumn(h, "distanceunit");
    c.quantity = FindColumn(h, "volume");
    c.volumeUnit = FindColumn(h, "volumeunit");
    c.unitPrice = FindColumn(h, "priceperunit");
    c.total = FindColumn(h, "totalcost");
    c.partial = FindColumn(h, "partialfillup");
    c.missed = FindColumn(h, "previouslymissedfillups");
    c.grade = FindColumn(h, "fueltype fuelgrade");
    c.station = FindColumn(h, "fuelstation fuelbrand station");
    c.note = FindColumn(h, "notes note");
    ReadAppTable(result, *fillUps, SectionRows(rows, fillUps), f);
}

} // namespace spritlog::import
