#include "import/columnmapping.h"

#include "import/apptable.h"
#include "logbook/conventions.h"

#include <algorithm>

namespace spritlog::import {

namespace {

struct RoleWord {
    Role role;
    const char* name;  // as the user reads it
    const char* words; // normalised, blank separated
};

constexpr RoleWord kRoles[] = {
    {Role::Date, "Datum", "datum date"},
    {Role::Odometer, "KM-Stand", "kmstand kilometerstand odometer"},
    {Role::Quantity, "Menge", "menge liter quantity"},
    {Role::UnitPrice, "Literpreis", "literpreis preisjeeinheit einheitspreis preis"},
    {Role::Total, "Gesamtpreis", "gesamtpreis kosten betrag"},
    {Role::Grade, "Sorte", "sorte benzin kraftstoff"},
    {Role::Station, "Tankstelle", "tankstelle"},
    {Role::Place, "Ort", "ort"},
    {Role::Note, "Anmerkung", "anmerkung notiz bemerkung"},
    {Role::Full, "Voll", "voll volltank"},
    {Role::Partial, "Teilweise", "teilweise teilbetankung"},
};

bool ReadSeparator(std::string_view value, char& separator) {
    const std::string lower = LowerAscii(value);
    if (lower == "tab" || lower == "\\t")
        separator = '\t';
    else if (value == ";" || value == "," || value == "|")
        separator = value[0];
    else
        return false;
    return true;
}

// One "key=value" item; false with the reason.
bool ReadItem(std::string_view key, std::string_view value, ColumnMapping& m, std::string& error) {
    const std::string k = LowerAscii(key);
    const std::string v = LowerAscii(value);
    if (k == "trenner") {
        if (ReadSeparator(value, m.separator))
            return true;
        error = "trenner= erwartet ; , | oder tab";
    } else if (k == "dezimal") {
        if (value == "," || value == ".") {
            m.point = value[0];
            return true;
        }
        error = "dezimal= erwartet , oder .";
    } else if (k == "datum") {
        if (v == "tmj" || v == "mtj" || v == "jmt") {
            m.dates = v == "tmj"   ? DateOrder::DayMonthYear
                      : v == "mtj" ? DateOrder::MonthDayYear
                                   : DateOrder::YearMonthDay;
            return true;
        }
        error = "datum= erwartet TMJ, MTJ oder JMT";
    } else if (k == "kopf") {
        if (v == "ja" || v == "nein") {
            m.header = v == "ja";
            return true;
        }
        error = "kopf= erwartet ja oder nein";
    } else if (k == "strecke") {
        if (v == "km" || v == "meilen") {
            m.distance = v == "km" ? DistanceUnit::Kilometres : DistanceUnit::Miles;
            return true;
        }
        error = "strecke= erwartet km oder meilen";
    } else if (k == "menge") {
        if (v == "l" || v == "usgal" || v == "impgal") {
            m.volume = v == "l"       ? VolumeUnit::Litres
                       : v == "usgal" ? VolumeUnit::UsGallons
                                      : VolumeUnit::ImperialGallons;
            return true;
        }
        error = "menge= erwartet l, usgal oder impgal";
    } else if (int column = 0; ReadSmallNumber(key, column) && column >= 1 && column <= 200) {
        const std::string word = NormaliseName(value);
        for (const RoleWord& role : kRoles) {
            if (IsOneOf(word, role.words)) {
                if (m.roles.size() < static_cast<std::size_t>(column))
                    m.roles.resize(static_cast<std::size_t>(column), Role::None);
                m.roles[static_cast<std::size_t>(column - 1)] = role.role;
                return true;
            }
        }
        error = "unbekannte Rolle " + Quoted(value) +
                " (Datum, KM-Stand, Menge, Literpreis, Gesamtpreis, Sorte, Tankstelle, Ort, "
                "Anmerkung, Voll, Teilweise)";
    } else {
        error = "unbekannte Angabe " + Quoted(key);
    }
    return false;
}

int ColumnOf(const ColumnMapping& m, Role role) {
    const auto it = std::find(m.roles.begin(), m.roles.end(), role);
    return it == m.roles.end() ? -1 : static_cast<int>(it - m.roles.begin());
}

} // namespace

const char* RoleName(Role role) {
    for (const RoleWord& r : kRoles) {
        if (r.role == role)
            return r.name;
    }
    return "";
}

std::optional<ColumnMapping> ReadMapping(std::string_view text, std::string& error) {
    ColumnMapping m;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string_view item = text.substr(start, end - start);
        start = end + 1;
        if (item.empty())
            continue;
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            error = "Spaltenzuordnung: " + Quoted(item) + " ist keine Angabe der Form name=wert";
            return std::nullopt;
        }
        if (!ReadItem(item.substr(0, equals), item.substr(equals + 1), m, error)) {
            error = "Spaltenzuordnung: " + error;
            return std::nullopt;
        }
    }
    for (const Role role : {Role::Date, Role::Odometer, Role::Quantity}) {
        if (ColumnOf(m, role) < 0) {
            error = std::string("Spaltenzuordnung: keine Spalte f\xFCr ") + RoleName(role);
            return std::nullopt;
        }
    }
    return m;
}

std::string MappingText(const ColumnMapping& m) {
    std::string text = "trenner=";
    text += m.separator == '\t' ? std::string("tab") : std::string(1, m.separator);
    text += " dezimal=" + std::string(1, m.point);
    text += m.dates == DateOrder::DayMonthYear   ? " datum=TMJ"
            : m.dates == DateOrder::MonthDayYear ? " datum=MTJ"
                                                 : " datum=JMT";
    text += m.header ? " kopf=ja" : " kopf=nein";
    text += m.distance == DistanceUnit::Miles ? " strecke=meilen" : " strecke=km";
    text += m.volume == VolumeUnit::UsGallons         ? " menge=usgal"
            : m.volume == VolumeUnit::ImperialGallons ? " menge=impgal"
                                                      : " menge=l";
    for (std::size_t i = 0; i < m.roles.size(); ++i) {
        if (m.roles[i] != Role::None)
            text += " " + IntegerToText(static_cast<int64_t>(i + 1)) + "=" + RoleName(m.roles[i]);
    }
    return text;
}

void ParseMappedCsv(ImportResult& result, std::string_view text) {
    std::string error;
    const auto mapping = ReadMapping(result.options.mapping, error);
    if (!mapping) {
        AddProblem(result, 0, error);
        return;
    }
    CsvDialect dialect = ExportDialect(mapping->separator);
    const std::vector<CsvRow> rows = ReadCsvRows(text, dialect);
    const CsvRow* first = FirstContentRow(rows);
    if (first == nullptr)
        return;
    // Without a header line the columns are named by their number.
    CsvRow numbered;
    const CsvRow* header = first;
    if (!mapping->header) {
        numbered.line = 0;
        for (std::size_t i = 0; i < first->fields.size(); ++i)
            numbered.fields.push_back("Spalte " + IntegerToText(static_cast<int64_t>(i + 1)));
    }
    AppFormat f;
    // A decimal comma comes with points between the thousands ("12.000,5").
    f.style = NumberStyle{mapping->point, mapping->point == ',' ? '.' : '\0'};
    f.distance = mapping->distance;
    f.volume = mapping->volume;
    f.dayFirst = mapping->dates == DateOrder::DayMonthYear ? 1 : 0;
    AppColumns& c = f.columns;
    c.date = ColumnOf(*mapping, Role::Date);
    c.odometer = ColumnOf(*mapping, Role::Odometer);
    c.quantity = ColumnOf(*mapping, Role::Quantity);
    c.unitPrice = ColumnOf(*mapping, Role::UnitPrice);
    c.total = ColumnOf(*mapping, Role::Total);
    c.grade = ColumnOf(*mapping, Role::Grade);
    c.station = ColumnOf(*mapping, Role::Station);
    c.place = ColumnOf(*mapping, Role::Place);
    c.note = ColumnOf(*mapping, Role::Note);
    c.full = ColumnOf(*mapping, Role::Full);
    c.partial = ColumnOf(*mapping, Role::Partial);
    if (mapping->header) {
        ReadAppTable(result, *header, RowsBelow(rows, header, false), f);
        return;
    }
    std::vector<const CsvRow*> all = RowsBelow(rows, first, false);
    all.insert(all.begin(), first);
    ReadAppTable(result, numbered, all, f);
}

} // namespace spritlog::import
