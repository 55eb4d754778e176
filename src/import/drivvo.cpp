#include "import/drivvo.h"

#include "import/apptable.h"
#include "logbook/conventions.h"

#include <optional>

namespace spritlog::import {

namespace {

// The section names of the refuellings in the app's languages (normalised).
constexpr const char* kRefuelling =
    "refuelling refueling refuellings abastecimento abastecimentos abastecimiento "
    "abastecimientos repostaje repostajes reabastecimiento betankung betankungen tanken "
    "ravitaillement ravitaillements plein pleins rifornimento rifornimenti";

constexpr const char* kOdometer =
    "odometer od\xF4metro odometro od\xF3metro kilometerstand kilom\xE9trage kilometrage "
    "contachilometri quilometragem kilometraje";
constexpr const char* kDate = "date data fecha datum";
constexpr const char* kFuel = "fuel combust\xEDvel combustivel combustible kraftstoff carburant "
                              "carburante";
constexpr const char* kPrice = "pricel pricegal pricegalus pricegaluk pre\xE7ol precol "
                               "pre\xE7ogal preciol preciogal preisl prixl prezzol";
constexpr const char* kTotal = "totalcost valortotal custototal costototal gesamtkosten "
                               "gesamtpreis co\xFBttotal costtotal costototale";
constexpr const char* kVolume = "volume volumen menge quantit\xE9 quantit\xE0 litros";
constexpr const char* kFull = "filledtankcompletely tanquecheio encheuotanque completouotanque "
                              "tanquelleno llen\xF3"
                              "eltanque tankvoll volltank volltankung "
                              "pleinfait pleincomplet serbatoiopieno";
constexpr const char* kSecond = "secondfuel segundocombust\xEDvel segundocombustivel "
                                "segundocombustible zweiterkraftstoff secondcarburant "
                                "secondocarburante";
constexpr const char* kEfficiency = "fuelefficiency efici\xEAncia eficiencia m\xE9"
                                    "dia media consumo verbrauch consommation";
constexpr const char* kStation = "gasstation postodecombust\xEDvel postodecombustivel posto "
                                 "gasolinera estaci\xF3n tankstelle stationservice station "
                                 "distributore";
constexpr const char* kNotes = "notes note observa\xE7\xE3o observa\xE7\xF5"
                               "es observacao "
                               "observaciones notas notizen bemerkung remarques note";

// "##Refuelling" and the like: the section's name, normalised.
std::optional<std::string> SectionName(const CsvRow& row) {
    if (row.fields.empty())
        return std::nullopt;
    const std::string_view first = Trim(row.fields[0]);
    if (first.substr(0, 2) != "##")
        return std::nullopt;
    return std::string(Trim(first.substr(2)));
}

// The refuellings' section line; rows.end() for none.
std::vector<CsvRow>::const_iterator RefuellingSection(const std::vector<CsvRow>& rows) {
    for (auto it = rows.begin(); it != rows.end(); ++it) {
        const auto name = SectionName(*it);
        if (name && IsOneOf(NormaliseName(*name), kRefuelling))
            return it;
    }
    return rows.end();
}

// One more fuel of a refuelling: its columns.
struct ExtraFuel {
    int fuel = -1, total = -1, volume = -1;
};

// A refuelling with a second or third fuel is one stop: its volumes and costs are added,
// the grades joined. The row is rewritten for the common reader.
CsvRow WithExtraFuels(const CsvRow& row, const AppColumns& c, const std::vector<ExtraFuel>& extra,
                      int& merged) {
    CsvRow out = row;
    const auto number = [&row](int index) {
        return ReadDecimal(FieldAt(row.fields, index), '.', 0).value_or(0);
    };
    double volume = number(c.quantity), total = number(c.total);
    std::string grade(FieldAt(row.fields, c.grade));
    bool any = false;
    for (const ExtraFuel& e : extra) {
        const double v = number(e.volume);
        if (!(v > 0))
            continue;
        any = true;
        volume += v;
        total += number(e.total);
        const std::string_view name = FieldAt(row.fields, e.fuel);
        if (!name.empty() && name != grade)
            grade += (grade.empty() ? "" : " + ") + std::string(name);
    }
    if (!any)
        return out;
    ++merged;
    auto set = [&out](int index, std::string text) {
        if (index >= 0 && static_cast<std::size_t>(index) < out.fields.size())
            out.fields[static_cast<std::size_t>(index)] = std::move(text);
    };
    set(c.quantity, RoundedCell(volume, 3));
    set(c.total, RoundedCell(total, 2));
    set(c.unitPrice, "");
    set(c.grade, grade);
    return out;
}

} // namespace

bool LooksLikeDrivvo(std::string_view text) {
    // The sections come one after the other; the refuellings are not always the first.
    const std::vector<CsvRow> rows = ReadCsvRows(text, ExportDialect(','));
    const auto section = RefuellingSection(rows);
    if (section == rows.end())
        return false;
    for (auto it = section + 1; it != rows.end(); ++it) {
        if (!RowIsBlank(*it))
            return FindColumn(it->fields, kOdometer) >= 0 && FindColumn(it->fields, kDate) >= 0;
    }
    return false;
}

void ParseDrivvo(ImportResult& result, std::string_view text) {
    const std::vector<CsvRow> rows = ReadCsvRows(text, ExportDialect(','));
    const auto section = RefuellingSection(rows);
    const CsvRow* header = nullptr;
    for (auto it = section; it != rows.end() && header == nullptr; ++it) {
        if (it != section && !RowIsBlank(*it))
            header = &*it;
    }
    // The other sections are named, with their number of rows.
    for (auto it = rows.begin(); it != rows.end(); ++it) {
        const auto name = SectionName(*it);
        if (!name || it == section)
            continue;
        int count = -1; // the header row is no record
        for (auto r = it + 1; r != rows.end() && !RowIsBlank(*r) && !SectionName(*r); ++r)
            ++count;
        NoteSkippedSection(result, "##" + *name, std::max(count, 0));
    }
    if (header == nullptr) {
        AddProblem(result, section->line + 1, "der Abschnitt der Betankungen hat keine Kopfzeile");
        return;
    }
    const std::vector<std::string>& h = header->fields;
    AppFormat f;
    AppColumns& c = f.columns;
    c.odometer = FindColumn(h, kOdometer);
    c.date = FindColumn(h, kDate);
    c.grade = FindColumn(h, kFuel);
    c.unitPrice = FindColumn(h, kPrice);
    c.total = FindColumn(h, kTotal);
    c.quantity = FindColumn(h, kVolume);
    c.full = FindColumn(h, kFull);
    c.consumption = FindColumn(h, kEfficiency);
    c.station = FindColumn(h, kStation);
    c.note = FindColumn(h, kNotes);
    f.distance = DistanceFromText(BracketedUnit(FieldAt(h, c.odometer)));
    // "Price / L", "Price / gal": the unit of the volume.
    const std::string_view price = FieldAt(h, c.unitPrice);
    const std::size_t slash = price.find('/');
    f.volume = slash == std::string_view::npos ? VolumeUnit::Unknown
                                               : VolumeFromText(price.substr(slash + 1));
    if (f.volume == VolumeUnit::UsGallons && LowerAscii(price).find("us") == std::string::npos)
        f.volume = AskVolume(result, VolumeUnit::UsGallons);

    // The second and third fuel's columns follow the caption "Second fuel" in the first
    // fuel's order.
    std::vector<ExtraFuel> extra;
    const int second = FindColumn(h, kSecond);
    if (second >= 0) {
        const int width = second - c.grade;
        for (int k = 0; width > 0 && k < 2; ++k) {
            const int start = second + k * width;
            if (start + width > static_cast<int>(h.size()))
                break;
            extra.push_back({start, c.total >= 0 ? start + (c.total - c.grade) : -1,
                             c.quantity >= 0 ? start + (c.quantity - c.grade) : -1});
        }
    }
    std::vector<CsvRow> rewritten;
    const std::vector<const CsvRow*> below = RowsBelow(rows, header, true);
    rewritten.reserve(below.size());
    int merged = 0;
    for (const CsvRow* row : below)
        rewritten.push_back(c.grade >= 0 ? WithExtraFuels(*row, c, extra, merged) : *row);
    std::vector<const CsvRow*> pointers;
    for (const CsvRow& row : rewritten)
        pointers.push_back(&row);
    if (merged > 0)
        result.summary.notices.push_back(
            IntegerToText(merged) +
            (merged == 1 ? " Betankung mit zwei oder drei Kraftstoffen: Mengen und Kosten "
                           "zusammengez\xE4hlt."
                         : " Betankungen mit zwei oder drei Kraftstoffen: Mengen und Kosten "
                           "zusammengez\xE4hlt."));
    ReadAppTable(result, *header, pointers, f);
}

} // namespace spritlog::import
