#include "import/evcc.h"

#include "import/apptable.h"
#include "import/appvalues.h"
#include "import/refuelling.h"
#include "import/values.h"
#include "logbook/conventions.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace spritlog::import {

namespace {

// Captions, normalised (see NormaliseName, which drops the unit in brackets): the German
// ones, the English ones, and the names versions without a translation wrote.
constexpr const char* kStartCaptions = "startzeit created";
constexpr const char* kLoadpointCaptions = "ladepunkt chargingpoint loadpoint";
constexpr const char* kVehicleCaptions = "fahrzeug vehicle";
constexpr const char* kOdometerCaptions = "kilometerstand mileage odometer";
constexpr const char* kEnergyCaptions = "energie energy chargedenergy";
constexpr const char* kCostCaptions = "kosten cost price";
constexpr const char* kPriceCaptions = "preiskwh pricekwh";

constexpr const char* kElectricity = "Strom";
constexpr std::size_t kNamedLines = 5;

struct Columns {
    int start, loadpoint, vehicle, odometer, energy, cost, price;
    char point; // the decimal point of the file's language
};

Columns FindColumns(const std::vector<std::string>& header, char point) {
    return {FindColumn(header, kStartCaptions),   FindColumn(header, kLoadpointCaptions),
            FindColumn(header, kVehicleCaptions), FindColumn(header, kOdometerCaptions),
            FindColumn(header, kEnergyCaptions),  FindColumn(header, kCostCaptions),
            FindColumn(header, kPriceCaptions),   point};
}

// The file's first line that is not blank, split at `separator`, names the three columns
// every session has.
bool HasHeader(std::string_view text, char separator) {
    const std::vector<CsvRow> rows = ReadCsvRows(text, ExportDialect(separator), 1);
    const CsvRow* header = FirstContentRow(rows);
    return header != nullptr && FindColumn(header->fields, kStartCaptions) >= 0 &&
           FindColumn(header->fields, kLoadpointCaptions) >= 0 &&
           FindColumn(header->fields, kEnergyCaptions) >= 0;
}

// A number as the file writes it, without grouping: "18.5", or "18,5" in a German file.
std::string PlainNumber(std::string_view text, char point) {
    std::string plain(text);
    if (point != '.')
        std::replace(plain.begin(), plain.end(), point, '.');
    return plain;
}

// One charging session as the file has it.
struct Session {
    int line = 0;
    int64_t start = 0; // orders the sessions
    std::string startText, loadpoint, odometerText, priceText;
    bool hasReading = false; // an odometer reading above 0
    double kwh = 0;
    std::optional<double> cost; // "Kosten", else price per kWh times kWh; none without both
};

// A session with a reading, and the sessions counted into it.
struct Charge {
    const Session* session = nullptr; // date, reading, charge point and own price
    double kwh = 0;
    std::optional<double> cost;
    int withoutReading = 0; // sessions without a reading before it
    int sameReading = 0;    // later sessions at its reading
};

std::string Sessions(std::size_t count) {
    return IntegerToText(static_cast<int64_t>(count)) +
           (count == 1 ? " Ladevorgang" : " Ladevorg\xE4nge");
}

// "Zeile 14, Zeile 15, und 3 weitere"
std::string LineList(const std::vector<int>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kNamedLines; ++i)
        text += (i == 0 ? "" : ", ") + std::string("Zeile ") + IntegerToText(lines[i]);
    if (lines.size() > kNamedLines)
        text +=
            ", und " + IntegerToText(static_cast<int64_t>(lines.size() - kNamedLines)) + " weitere";
    return text;
}

// A number with a dot that may be empty: false (and the problem noted) when it is not one.
bool ReadOptional(ImportResult& result, int line, std::string_view text, char point,
                  const char* caption, std::optional<double>& value) {
    value.reset();
    if (text.empty())
        return true;
    value = ReadDecimal(PlainNumber(text, point), '.', 0);
    if (!value)
        AddProblem(result, line, std::string(caption) + " " + Quoted(text) + " ist keine Zahl");
    return value.has_value();
}

std::optional<Session> ReadSession(ImportResult& result, const CsvRow& row, const Columns& c) {
    Session s;
    s.line = row.line;
    s.startText = std::string(FieldAt(row.fields, c.start));
    const auto date = ReadDate(s.startText);
    if (!date) {
        AddProblem(result, row.line,
                   s.startText.empty()
                       ? std::string("Startzeit fehlt")
                       : "Startzeit " + Quoted(s.startText) + " ist kein g\xFCltiges Datum");
        return std::nullopt;
    }
    s.start = date->key;
    s.loadpoint = std::string(FieldAt(row.fields, c.loadpoint));
    std::optional<double> odometer, kwh, cost, price;
    const std::string_view energyText = FieldAt(row.fields, c.energy);
    const int line = row.line;
    if (!ReadOptional(result, line, FieldAt(row.fields, c.odometer), c.point, "Kilometerstand",
                      odometer) ||
        !ReadOptional(result, line, energyText, c.point, "Energie", kwh) ||
        !ReadOptional(result, line, FieldAt(row.fields, c.cost), c.point, "Kosten", cost) ||
        !ReadOptional(result, line, FieldAt(row.fields, c.price), c.point, "Preis/kWh", price))
        return std::nullopt;
    if (!kwh || *kwh < 0) {
        AddProblem(result, row.line,
                   energyText.empty() ? std::string("Energie fehlt")
                                      : "Energie " + Quoted(energyText) + " ist negativ");
        return std::nullopt;
    }
    if (odometer && *odometer < 0) {
        AddProblem(result, row.line,
                   "Kilometerstand " + Quoted(FieldAt(row.fields, c.odometer)) + " ist negativ");
        return std::nullopt;
    }
    // A reading of 0 is one the car did not give.
    s.hasReading = odometer && *odometer > 0;
    s.odometerText = PlainNumber(FieldAt(row.fields, c.odometer), c.point);
    s.kwh = *kwh;
    if (price)
        s.priceText = PlainNumber(FieldAt(row.fields, c.price), c.point);
    s.cost = cost ? cost : price ? std::optional<double>(*price * *kwh) : std::nullopt;
    return s;
}

// The vehicle's sessions that charged something, oldest first. In a file of several
// vehicles only the chosen one's; a session without a vehicle belongs to the one vehicle
// a file names.
std::vector<Session> ReadSessions(ImportResult& result, const std::vector<CsvRow>& all,
                                  const CsvRow& header, const Columns& columns) {
    const std::vector<const CsvRow*> rows = RowsBelow(all, &header, false);
    std::vector<std::string> names;
    for (const CsvRow* row : rows)
        if (!FieldAt(row->fields, columns.vehicle).empty())
            names.emplace_back(FieldAt(row->fields, columns.vehicle));
    const std::string vehicle = ChooseVehicle(result, names);
    const bool several = result.questions.vehicles.size() > 1;
    std::vector<Session> sessions;
    int empty = 0;
    for (const CsvRow* row : rows) {
        if (row->fault != CsvFault::None) {
            AddProblem(result, row->line, FaultReason(*row));
            continue;
        }
        if (!CheckFieldCount(result, *row, header.fields.size()))
            continue;
        const std::string_view name = FieldAt(row->fields, columns.vehicle);
        if (name.empty() ? several : name != vehicle)
            continue;
        std::optional<Session> session = ReadSession(result, *row, columns);
        if (!session)
            continue;
        if (session->kwh == 0)
            ++empty;
        else
            sessions.push_back(std::move(*session));
    }
    if (empty > 0)
        result.summary.notices.push_back(Sessions(static_cast<std::size_t>(empty)) +
                                         " mit 0 kWh ausgelassen.");
    std::stable_sort(sessions.begin(), sessions.end(),
                     [](const Session& a, const Session& b) { return a.start < b.start; });
    return sessions;
}

void Add(Charge& charge, const Session& session) {
    charge.kwh += session.kwh;
    charge.cost = charge.cost && session.cost ? std::optional<double>(*charge.cost + *session.cost)
                                              : std::nullopt;
}

long Reading(const Session& session) {
    return std::lround(ReadDecimal(session.odometerText, '.', 0).value_or(0));
}

// Each session with a reading gives a charge; the sessions without one before it are
// counted into it, and so are later ones at the same reading (the car stood still).
// Sessions after the last reading have nowhere to go and are named.
std::vector<Charge> Gather(ImportResult& result, const std::vector<Session>& sessions) {
    std::vector<Charge> charges;
    std::vector<const Session*> waiting;
    int gathered = 0;
    for (const Session& session : sessions) {
        if (!session.hasReading) {
            waiting.push_back(&session);
            continue;
        }
        const bool same = !charges.empty() && Reading(*charges.back().session) == Reading(session);
        if (!same)
            charges.push_back({&session, session.kwh, session.cost, 0, 0});
        Charge& charge = charges.back();
        if (same) {
            Add(charge, session);
            ++charge.sameReading;
        }
        for (const Session* earlier : waiting)
            Add(charge, *earlier);
        charge.withoutReading += static_cast<int>(waiting.size());
        gathered += static_cast<int>(waiting.size());
        waiting.clear();
    }
    if (gathered > 0)
        result.summary.notices.push_back(Sessions(static_cast<std::size_t>(gathered)) +
                                         " ohne KM-Stand dem n\xE4"
                                         "chsten Ladevorgang mit KM-Stand zugerechnet.");
    if (!waiting.empty()) {
        std::vector<int> lines;
        for (const Session* session : waiting)
            lines.push_back(session->line);
        result.summary.notices.push_back(Sessions(waiting.size()) +
                                         " nach dem letzten KM-Stand nicht \xFC"
                                         "bernommen: " +
                                         LineList(lines) + ".");
    }
    return charges;
}

std::optional<ParsedRecord> ChargeRecord(ImportResult& result, const Charge& charge) {
    const Session& session = *charge.session;
    const bool alone = charge.withoutReading == 0 && charge.sameReading == 0;
    RawRecord raw;
    raw.line = session.line;
    raw.date = session.startText;
    raw.odometer = session.odometerText;
    const std::string quantity = RoundedCell(charge.kwh, 3);
    raw.quantity = quantity;
    // The price per kWh as the file gives it; for sessions counted together (or without
    // one) what they cost over the kWh they charged.
    const std::string total = charge.cost ? RoundedCell(*charge.cost, 4) : std::string();
    const bool negative = (charge.cost && *charge.cost < 0) ||
                          (alone && !session.priceText.empty() && session.priceText[0] == '-');
    if (negative) {
        result.summary.notices.push_back("Zeile " + IntegerToText(session.line) +
                                         ": negativer Preis, nicht \xFC"
                                         "bernommen.");
    } else if (alone && !session.priceText.empty()) {
        raw.unitPrice = session.priceText;
    } else {
        raw.total = total;
    }
    raw.grade = kElectricity;
    raw.station = session.loadpoint;
    if (charge.withoutReading > 0)
        raw.marks.push_back("dazu " + Sessions(static_cast<std::size_t>(charge.withoutReading)) +
                            " ohne KM-Stand");
    if (charge.sameReading > 0)
        raw.marks.push_back("dazu " + Sessions(static_cast<std::size_t>(charge.sameReading)) +
                            " beim selben KM-Stand");
    return BuildRecord(result, raw, NumberStyle{'.', 0});
}

} // namespace

bool LooksLikeEvcc(std::string_view text) {
    return HasHeader(text, ',') || HasHeader(text, ';');
}

void ParseEvcc(ImportResult& result, std::string_view text) {
    // English files are separated by "," with a decimal dot, German ones by ";" with a
    // decimal comma (older versions wrote German captions the English way).
    const bool german = !HasHeader(text, ',');
    const std::vector<CsvRow> rows = ReadCsvRows(text, ExportDialect(german ? ';' : ','));
    const CsvRow* header = FirstContentRow(rows);
    if (header == nullptr)
        return;
    const Columns columns = FindColumns(header->fields, german ? ',' : '.');
    if (header->fault != CsvFault::None)
        AddProblem(result, header->line, FaultReason(*header));
    if (columns.odometer < 0)
        AddProblem(result, header->line,
                   "keine Spalte f\xFCr den KM-Stand (\"Kilometerstand (km)\" oder \"Odometer "
                   "(km)\")");
    if (!result.ok())
        return;
    const std::vector<Session> sessions = ReadSessions(result, rows, *header, columns);
    if (!result.ok())
        return;
    std::vector<ParsedRecord> parsed;
    for (const Charge& charge : Gather(result, sessions)) {
        if (TooManyRecords(result, parsed.size() + 1))
            return;
        if (auto record = ChargeRecord(result, charge))
            parsed.push_back(std::move(*record));
    }
    if (result.ok())
        StoreRecords(result, parsed, RecordOrder::ByDate);
}

} // namespace spritlog::import
