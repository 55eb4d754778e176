#include "import/csvimport.h"

#include "logbook/codepage.h"
#include "logbook/conventions.h"
#include "logbook/errors.h"
#include "logbook/floatops.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <unordered_map>

namespace spritlog {

namespace {

constexpr const char* kUnknownFormat =
    "Das Dateiformat wurde nicht erkannt (erwartet: Spritlog-CSV, Spritmonitor oder Fuelio).";
constexpr const char* kNoRecords = "Die Datei enth\xE4lt keine Datens\xE4tze.";
constexpr const char* kPartialMark = "Teilbetankung";
constexpr const char* kMissedMark = "Fehlende Betankung";

void AddProblem(ImportResult& result, int line, std::string reason) {
    ++result.problemCount;
    if (result.problems.size() < static_cast<std::size_t>(kMaxImportProblems))
        result.problems.push_back({line, std::move(reason)});
}

// A field's text inside a message, cut short so a runaway field cannot flood the box.
std::string Quoted(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::string out = "\"";
    out.append(text.substr(0, kShown));
    if (text.size() > kShown)
        out.append("...");
    out.push_back('"');
    return out;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// ---- Text encoding ----------------------------------------------------------------------

// Well-formed UTF-8 (no overlong forms, surrogates or code points above U+10FFFF).
bool IsWellFormedUtf8(std::string_view text, bool& hasMultibyte) {
    hasMultibyte = false;
    std::size_t i = 0;
    const std::size_t size = text.size();
    while (i < size) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (size - i < static_cast<std::size_t>(length))
            return false;
        for (int k = 1; k < length; ++k) {
            const unsigned char byte = static_cast<unsigned char>(text[i + k]);
            if (k == 1 ? (byte < low || byte > high) : (byte & 0xC0) != 0x80)
                return false;
        }
        hasMultibyte = true;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

// The file as Windows-1252. Phones and web exports write UTF-8, our own export and older
// Windows tools Windows-1252; a Windows-1252 text with umlauts is practically never
// well-formed UTF-8, so well-formed multibyte sequences decide.
std::string DecodeText(std::string_view bytes) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.substr(0, kBom.size()) == kBom)
        return Utf8ToCp1252(bytes.substr(kBom.size()));
    bool hasMultibyte = false;
    if (IsWellFormedUtf8(bytes, hasMultibyte) && hasMultibyte)
        return Utf8ToCp1252(bytes);
    return std::string(bytes);
}

// ---- Lines and CSV rows -----------------------------------------------------------------

struct Line {
    int number = 0;
    std::string_view text; // without CR LF / LF
};

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    int number = 1;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back({number++, line});
        start = next;
    }
    return lines;
}

struct CsvRow {
    int line = 0; // line on which the row starts
    std::vector<std::string> fields;
    std::string error; // first structural fault of the row, empty when none
};

bool RowIsBlank(const CsvRow& row) {
    return std::all_of(row.fields.begin(), row.fields.end(),
                       [](const std::string& f) { return Trim(f).empty(); });
}

// Splits `text` into rows of fields separated by `separator`. A field may be quoted with
// '"' (doubled inside); a quoted field may run over line ends, which become blanks since
// a cell holds one line.
std::vector<CsvRow> SplitCsv(std::string_view text, char separator) {
    std::vector<CsvRow> rows;
    const std::size_t n = text.size();
    std::size_t i = 0;
    int line = 1;
    auto atLineEnd = [&](std::size_t p) {
        return p >= n || text[p] == '\n' || (text[p] == '\r' && p + 1 < n && text[p + 1] == '\n');
    };
    while (i < n) {
        CsvRow row;
        row.line = line;
        for (;;) {
            std::string field;
            std::size_t lead = i;
            while (lead < n && IsBlank(text[lead]))
                ++lead;
            if (lead < n && text[lead] == '"') {
                i = lead + 1;
                bool closed = false;
                while (i < n) {
                    const char c = text[i];
                    if (c == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            field.push_back('"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (c == '\n') {
                        ++line;
                        field.push_back(' ');
                    } else if (c == '\r') {
                        if (!(i + 1 < n && text[i + 1] == '\n'))
                            field.push_back(' ');
                    } else {
                        field.push_back(c);
                    }
                    ++i;
                }
                if (!closed) {
                    if (row.error.empty())
                        row.error = "das Anf\xFChrungszeichen wird nicht geschlossen";
                } else {
                    while (i < n && IsBlank(text[i]))
                        ++i;
                    if (i < n && text[i] != separator && !atLineEnd(i)) {
                        if (row.error.empty())
                            row.error = "nach dem schlie\xDF"
                                        "enden Anf\xFChrungszeichen fehlt das "
                                        "Trennzeichen";
                        while (i < n && text[i] != separator && !atLineEnd(i))
                            field.push_back(text[i++]);
                    }
                }
            } else {
                while (i < n && text[i] != separator && !atLineEnd(i))
                    field.push_back(text[i++]);
            }
            row.fields.push_back(std::move(field));
            if (i < n && text[i] == separator) {
                ++i;
                continue;
            }
            break;
        }
        if (i < n && text[i] == '\r')
            ++i;
        if (i < n && text[i] == '\n') {
            ++i;
            ++line;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

// ---- Column names -----------------------------------------------------------------------

enum Field : int {
    FDate,
    FOdometer,
    FQuantity,
    FTotal,
    FUnitPrice,
    FType,
    FFull,
    FMissed,
    FFuel,
    FNote,
    FCompany,
    FStation,
    FLocation,
    FArea,
    FFieldCount
};

struct ColumnNames {
    Field field;
    const char* names; // normalised (see NormaliseName), separated by blanks
};

// Lower case letters and digits only; whatever stands in brackets (units, "optional") is
// dropped. "Total price" -> "totalprice", "Odo (km)" -> "odo", "Währung" -> "währung".
std::string NormaliseName(std::string_view text) {
    std::string out;
    int depth = 0;
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '(' || c == '[') {
            ++depth;
            continue;
        }
        if (c == ')' || c == ']') {
            if (depth > 0)
                --depth;
            continue;
        }
        if (depth > 0)
            continue;
        if (c >= 'A' && c <= 'Z') {
            out.push_back(static_cast<char>(c + 32));
        } else if ((c >= 'a' && c <= 'z') || IsDigit(static_cast<char>(c))) {
            out.push_back(static_cast<char>(c));
        } else if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
            out.push_back(static_cast<char>(c + 32)); // Windows-1252 capitals with accents
        } else if (c >= 0xDF && c != 0xF7) {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

constexpr ColumnNames kSpritmonitorNames[] = {
    {FDate, "date datum tankdatum"},
    {FOdometer, "odometer odo mileage kmstand kilometerstand tachostand"},
    {FQuantity, "quantity menge tankmenge kraftstoffmenge liter litre litres liters"},
    {FTotal, "totalprice total gesamtpreis kosten gesamtkosten betrag"},
    {FType, "type typ art tankart betankungsart"},
    {FFuel, "fuel kraftstoff kraftstoffart kraftstoffsorte sorte spritsorte benzin"},
    {FNote, "note notes notiz bemerkung anmerkung kommentar comment"},
    {FCompany, "company tankstelle firma gesellschaft anbieter marke station"},
    {FLocation, "location ort standort"},
    {FArea, "area region gebiet"},
};

constexpr ColumnNames kFuelioLogNames[] = {
    {FDate, "data date datum"},
    {FOdometer, "odo odometer kmstand"},
    {FQuantity, "fuel litres liters volume"},
    {FFull, "full"},
    {FMissed, "missed"},
    {FTotal, "price totalprice"},
    {FUnitPrice, "volumeprice"},
    {FLocation, "city"},
    {FNote, "notes note"},
    {FFuel, "fueltype"},
    {FStation, "stationid"},
};

// Column index of each field, -1 when the header has none; the first matching column wins.
using ColumnMap = std::array<int, FFieldCount>;

ColumnMap NoColumns() {
    ColumnMap map;
    map.fill(-1);
    return map;
}

bool IsOneOf(std::string_view name, std::string_view names) {
    while (!names.empty()) {
        const std::size_t blank = std::min(names.find(' '), names.size());
        if (names.substr(0, blank) == name)
            return true;
        names.remove_prefix(std::min(blank + 1, names.size()));
    }
    return false;
}

template <std::size_t N>
ColumnMap MapColumns(const std::vector<std::string>& header, const ColumnNames (&table)[N]) {
    ColumnMap map = NoColumns();
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string name = NormaliseName(header[i]);
        for (const ColumnNames& entry : table) {
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

// A data row must have the header's number of fields; fields beyond it are accepted only
// when empty (a trailing separator).
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

// ---- Values -----------------------------------------------------------------------------

// "[+-]digits[<point>digits]", where the integer digits may be grouped by `grouping` in
// threes (0: no grouping). Nothing else: no exponent, no "inf", no second point.
std::optional<double> ReadDecimal(std::string_view text, char point, char grouping) {
    text = Trim(text);
    std::string canonical;
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            canonical.push_back('-');
        ++i;
    }
    std::size_t integerDigits = 0;
    std::size_t groupLength = 0;
    bool grouped = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            canonical.push_back(c);
            ++integerDigits;
            ++groupLength;
        } else if (grouping != 0 && c == grouping) {
            if (integerDigits == 0 || (grouped ? groupLength != 3 : groupLength > 3))
                return std::nullopt;
            grouped = true;
            groupLength = 0;
        } else {
            break;
        }
    }
    if (grouped && groupLength != 3)
        return std::nullopt;
    if (integerDigits == 0)
        canonical.push_back('0');
    std::size_t fractionDigits = 0;
    if (i < n && text[i] == point) {
        canonical.push_back('.');
        for (++i; i < n && IsDigit(text[i]); ++i) {
            canonical.push_back(text[i]);
            ++fractionDigits;
        }
    }
    if (i != n || integerDigits + fractionDigits == 0)
        return std::nullopt;
    double value = 0;
    const char* first = canonical.data();
    const char* last = first + canonical.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last)
        return std::nullopt;
    return value;
}

// The shortest text with "." that reads back as `value`, without exponent or padding.
std::string NumberCell(double value) {
    if (value == 0)
        value = 0; // no "-0"
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc())
        return NumberToText(value, 3); // unreachable for finite values
    return std::string(buffer, end);
}

std::string WithoutPadding(std::string text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

bool ReadSmallNumber(std::string_view digits, int& value) {
    if (digits.empty() || digits.size() > 4 || !std::all_of(digits.begin(), digits.end(), IsDigit))
        return false;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return true;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// "H:MM" or "H:MM:SS" after the date; its value does not go into the logbook.
bool IsTimeOfDay(std::string_view text) {
    int parts[3] = {0, 0, 0};
    int count = 0;
    std::size_t start = 0;
    while (count < 3) {
        const std::size_t colon = text.find(':', start);
        const std::string_view part = text.substr(start, colon - start);
        if (count > 0 && part.size() != 2)
            return false;
        if (!ReadSmallNumber(part, parts[count]) || part.size() > 2)
            return false;
        ++count;
        if (colon == std::string_view::npos)
            break;
        start = colon + 1;
    }
    if (count < 2 || text.find(':', start) != std::string_view::npos)
        return false;
    return parts[0] < 24 && parts[1] < 60 && parts[2] < 60;
}

// "d.M.yyyy" or "yyyy-M-d", either with an optional time after a blank or "T"; gives
// "dd.MM.yyyy" for a real calendar day.
std::optional<std::string> ReadDate(std::string_view text) {
    text = Trim(text);
    const std::size_t cut = text.find_first_of(" \tT");
    const std::string_view date = text.substr(0, cut);
    if (cut != std::string_view::npos && !IsTimeOfDay(Trim(text.substr(cut + 1))))
        return std::nullopt;
    const bool iso = date.find('-') != std::string_view::npos;
    const char separator = iso ? '-' : '.';
    std::string_view parts[3];
    std::size_t start = 0;
    for (int k = 0; k < 3; ++k) {
        const std::size_t end = k < 2 ? date.find(separator, start) : date.size();
        if (end == std::string_view::npos)
            return std::nullopt;
        parts[k] = date.substr(start, end - start);
        start = end + 1;
    }
    const std::string_view yearText = iso ? parts[0] : parts[2];
    const std::string_view monthText = parts[1];
    const std::string_view dayText = iso ? parts[2] : parts[0];
    int year = 0, month = 0, day = 0;
    if (yearText.size() != 4 || monthText.size() > 2 || dayText.size() > 2 ||
        !ReadSmallNumber(yearText, year) || !ReadSmallNumber(monthText, month) ||
        !ReadSmallNumber(dayText, day))
        return std::nullopt;
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    std::string out = "00.00.0000";
    out[0] = static_cast<char>('0' + day / 10);
    out[1] = static_cast<char>('0' + day % 10);
    out[3] = static_cast<char>('0' + month / 10);
    out[4] = static_cast<char>('0' + month % 10);
    for (int k = 9; k >= 6; --k, year /= 10)
        out[static_cast<std::size_t>(k)] = static_cast<char>('0' + year % 10);
    return out;
}

// Fuel codes of the other programs as the grade names people type into "Benzin". A text
// that is not a known code is kept as it stands.
std::string FuelGrade(std::string_view text) {
    struct Code {
        int code;
        const char* name;
    };
    static constexpr Code kCodes[] = {
        {1, "Diesel"},      {4, "Premium Diesel"}, {6, "Normal"}, {7, "Super"},
        {8, "SuperPlus"},   {12, "LPG"},           {13, "CNG"},   {14, "CNG"},
        {18, "Premium 95"}, {19, "Strom"},         {20, "E10"},   {22, "Premium 100+"},
        {25, "GTL Diesel"}, {26, "HVO100"},
    };
    int code = 0;
    if (ReadSmallNumber(text, code)) {
        for (const Code& entry : kCodes) {
            if (entry.code == code)
                return entry.name;
        }
    }
    return std::string(text);
}

// Lower case ASCII, for the few keyword values.
std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    }
    return out;
}

// ---- One record of Spritmonitor or Fuelio -----------------------------------------------

struct NumberStyle {
    char point;
    char grouping;
};

struct RawRecord {
    int line = 0;
    std::string_view date, odometer, quantity, total, unitPrice, fuel, station, place, note;
    bool partial = false;
    bool missed = false;
};

struct ParsedRecord {
    ImportRecord record;
    int32_t odometer = 0;
};

// Checks and converts every field; each bad one is a problem of its own.
std::optional<ParsedRecord> BuildRecord(ImportResult& result, const RawRecord& raw,
                                        NumberStyle style) {
    const int problemsBefore = result.problemCount;
    ParsedRecord parsed;
    ImportRecord& record = parsed.record;
    record.line = raw.line;
    auto& cells = record.cells;

    if (raw.date.empty()) {
        AddProblem(result, raw.line, "Datum fehlt");
    } else if (const auto date = ReadDate(raw.date)) {
        cells[ColDatum] = *date;
    } else {
        AddProblem(result, raw.line, "Datum " + Quoted(raw.date) + " ist kein g\xFCltiges Datum");
    }

    if (raw.odometer.empty()) {
        AddProblem(result, raw.line, "KM-Stand fehlt");
    } else if (const auto km = ReadDecimal(raw.odometer, style.point, style.grouping)) {
        // A user types whole kilometres; tenths from a trip computer are rounded.
        const double rounded = *km + 0.5;
        if (*km < 0) {
            AddProblem(result, raw.line, "KM-Stand " + Quoted(raw.odometer) + " ist negativ");
        } else if (rounded >= static_cast<double>(std::numeric_limits<int32_t>::max()) + 1.0) {
            AddProblem(result, raw.line, "KM-Stand " + Quoted(raw.odometer) + " ist zu gro\xDF");
        } else {
            parsed.odometer = static_cast<int32_t>(rounded);
            cells[ColKmStand] = IntegerToText(parsed.odometer);
        }
    } else {
        AddProblem(result, raw.line, "KM-Stand " + Quoted(raw.odometer) + " ist keine ganze Zahl");
    }

    // A number that must not be negative; empty stays empty.
    auto readAmount = [&](std::string_view text, const char* what) -> std::optional<double> {
        if (text.empty())
            return std::nullopt;
        const auto value = ReadDecimal(text, style.point, style.grouping);
        if (!value) {
            AddProblem(result, raw.line,
                       std::string(what) + " " + Quoted(text) + " ist keine Zahl");
            return std::nullopt;
        }
        if (*value < 0) {
            AddProblem(result, raw.line, std::string(what) + " " + Quoted(text) + " ist negativ");
            return std::nullopt;
        }
        return value;
    };

    std::optional<double> litres;
    if (raw.quantity.empty()) {
        AddProblem(result, raw.line, "Liter fehlt");
    } else {
        litres = readAmount(raw.quantity, "Liter");
        if (litres)
            cells[ColLiter] = NumberCell(*litres);
    }
    const std::optional<double> unitPrice = readAmount(raw.unitPrice, "Literpreis");
    const std::optional<double> total = readAmount(raw.total, "Gesamtpreis");
    if (unitPrice && *unitPrice > 0) {
        cells[ColLiterpreis] = NumberCell(*unitPrice);
    } else if (total && litres && *litres > 0) {
        try {
            cells[ColLiterpreis] = WithoutPadding(NumberToText(Divide(*total, *litres), 3));
        } catch (const Error&) {
            AddProblem(result, raw.line,
                       "Literpreis aus Gesamtpreis " + Quoted(raw.total) + " und Liter " +
                           Quoted(raw.quantity) + " ist nicht darstellbar");
        }
    } else if (unitPrice) {
        cells[ColLiterpreis] = NumberCell(*unitPrice);
    }

    cells[ColBenzin] = FuelGrade(raw.fuel);
    cells[ColTankstelle] = std::string(raw.station);
    cells[ColOrt] = std::string(raw.place);
    cells[ColNote1] = std::string(raw.note);
    // The logbook's consumption assumes full tanks; the mark tells the user why a figure
    // is off.
    if (raw.partial && raw.missed)
        cells[ColNote3] = std::string(kPartialMark) + ", " + kMissedMark;
    else if (raw.partial)
        cells[ColNote3] = kPartialMark;
    else if (raw.missed)
        cells[ColNote3] = kMissedMark;

    if (result.problemCount != problemsBefore)
        return std::nullopt;
    return parsed;
}

// Keeps the records as they come, or in odometer order when the file is not in it (the
// phone apps list the newest refuelling first). The sort is stable.
void StoreInOdometerOrder(ImportResult& result, std::vector<ParsedRecord>& parsed) {
    const bool ordered = std::is_sorted(
        parsed.begin(), parsed.end(),
        [](const ParsedRecord& a, const ParsedRecord& b) { return a.odometer < b.odometer; });
    if (!ordered) {
        std::stable_sort(
            parsed.begin(), parsed.end(),
            [](const ParsedRecord& a, const ParsedRecord& b) { return a.odometer < b.odometer; });
    }
    result.records.reserve(parsed.size());
    for (ParsedRecord& p : parsed)
        result.records.push_back(std::move(p.record));
}

bool TooManyRecords(ImportResult& result, std::size_t count) {
    if (count <= static_cast<std::size_t>(kMaxImportRecords))
        return false;
    AddProblem(result, 0, "Die Datei enth\xE4lt mehr als 1.000.000 Datens\xE4tze.");
    return true;
}

// ---- Spritlog's own export --------------------------------------------------------------

// The inverse of the export: 14 fields, each followed by ";"; a field that starts with '"'
// is quoted, its quotes doubled. Gives the reason when the line is not of this shape.
bool ReadSpritlogLine(std::string_view line, std::array<std::string, 14>& fields,
                      std::string& reason) {
    std::size_t i = 0;
    const std::size_t n = line.size();
    std::size_t count = 0;
    bool lastTerminated = true;
    while (i < n) {
        std::string field;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        field.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                field.push_back(line[i++]);
            }
            if (!closed) {
                reason = "das Anf\xFChrungszeichen in Feld " +
                         IntegerToText(static_cast<int64_t>(count + 1)) + " wird nicht geschlossen";
                return false;
            }
            if (i < n && line[i] != ';') {
                reason = "nach dem schlie\xDF"
                         "enden Anf\xFChrungszeichen in Feld " +
                         IntegerToText(static_cast<int64_t>(count + 1)) + " fehlt \";\"";
                return false;
            }
        } else {
            const std::size_t end = std::min(line.find(';', i), n);
            field.assign(line.substr(i, end - i));
            i = end;
        }
        lastTerminated = i < n;
        if (lastTerminated)
            ++i; // the ";"
        if (count < fields.size())
            fields[count] = std::move(field);
        ++count;
    }
    if (count != fields.size()) {
        reason = IntegerToText(static_cast<int64_t>(count)) + " Felder statt 14";
        return false;
    }
    if (!lastTerminated) {
        reason = "nach dem 14. Feld fehlt \";\"";
        return false;
    }
    return true;
}

bool LooksLikeSpritlogCsv(const std::vector<Line>& lines) {
    // A damaged first line should still be reported as a damaged line, so a few lines
    // decide.
    int looked = 0;
    std::array<std::string, 14> fields;
    std::string reason;
    for (const Line& line : lines) {
        if (line.text.empty())
            continue;
        if (ReadSpritlogLine(line.text, fields, reason))
            return true;
        if (++looked == 10)
            break;
    }
    return false;
}

void ParseSpritlogCsv(ImportResult& result, const std::vector<Line>& lines) {
    const auto candidates = std::count_if(lines.begin(), lines.end(),
                                          [](const Line& line) { return !line.text.empty(); });
    if (TooManyRecords(result, static_cast<std::size_t>(candidates)))
        return;
    std::array<std::string, 14> fields;
    std::string reason;
    for (const Line& line : lines) {
        if (line.text.empty())
            continue; // the export writes none; an editor may leave one at the end
        if (!ReadSpritlogLine(line.text, fields, reason)) {
            AddProblem(result, line.number, reason);
            continue;
        }
        ImportRecord record;
        record.line = line.number;
        // Fields are columns 1..14; the derived columns 5..8 are computed afresh.
        for (int c = ColDatum; c <= ColNote3; ++c) {
            if (c < ColKm || c > ColTankkosten)
                record.cells[c] = std::move(fields[c - 1]);
        }
        result.records.push_back(std::move(record));
    }
}

// ---- Spritmonitor -----------------------------------------------------------------------

const CsvRow* FirstContentRow(const std::vector<CsvRow>& rows) {
    for (const CsvRow& row : rows) {
        if (!RowIsBlank(row))
            return &row;
    }
    return nullptr;
}

// A header with the three columns every refuelling needs.
bool IsSpritmonitorHeader(const ColumnMap& map) {
    return map[FDate] >= 0 && map[FOdometer] >= 0 && map[FQuantity] >= 0;
}

// A date column and something else we know: a header that lacks a column, reported as such
// unless the file reads as our own export.
bool CouldBeSpritmonitorHeader(const ColumnMap& map) {
    const auto known = std::count_if(map.begin(), map.end(), [](int index) { return index >= 0; });
    return map[FDate] >= 0 && known >= 2;
}

void RequireColumns(ImportResult& result, int line, const ColumnMap& map) {
    static constexpr struct {
        Field field;
        const char* reason;
    } kRequired[] = {
        {FDate, "keine Spalte f\xFCr das Datum (z. B. \"Date\" oder \"Datum\")"},
        {FOdometer,
         "keine Spalte f\xFCr den KM-Stand (z. B. \"Odometer\" oder \"Kilometerstand\")"},
        {FQuantity, "keine Spalte f\xFCr die Liter (z. B. \"Quantity\" oder \"Menge\")"},
    };
    for (const auto& required : kRequired) {
        if (map[required.field] < 0)
            AddProblem(result, line, required.reason);
    }
}

// Spritmonitor's "Type": 1 a full tank, 2 a partial one, 0 one that was not entered
// before this one.
bool ReadSpritmonitorType(std::string_view text, RawRecord& raw) {
    const std::string value = LowerAscii(text);
    if (value.empty() || value == "1" || value == "full" || value == "voll" ||
        value == "vollbetankung")
        return true;
    if (value == "2" || value == "partial" || value == "teil" || value == "teilbetankung") {
        raw.partial = true;
        return true;
    }
    if (value == "0" || value == "missed" || value == "fehlend" || value == "fehlende betankung") {
        raw.missed = true;
        return true;
    }
    return false;
}

void ParseSpritmonitor(ImportResult& result, const std::vector<CsvRow>& rows, const CsvRow& header,
                       const ColumnMap& map) {
    if (!header.error.empty())
        AddProblem(result, header.line, header.error);
    RequireColumns(result, header.line, map);
    if (!result.ok())
        return;
    const NumberStyle style{',', '.'};
    std::vector<ParsedRecord> parsed;
    bool afterHeader = false;
    for (const CsvRow& row : rows) {
        if (&row == &header) {
            afterHeader = true;
            continue;
        }
        if (!afterHeader || RowIsBlank(row))
            continue;
        if (!row.error.empty()) {
            AddProblem(result, row.line, row.error);
            continue;
        }
        if (!CheckFieldCount(result, row, header.fields.size()))
            continue;
        RawRecord raw;
        raw.line = row.line;
        raw.date = FieldText(row, map, FDate);
        raw.odometer = FieldText(row, map, FOdometer);
        raw.quantity = FieldText(row, map, FQuantity);
        raw.total = FieldText(row, map, FTotal);
        raw.fuel = FieldText(row, map, FFuel);
        raw.station = FieldText(row, map, FCompany);
        raw.place = FieldText(row, map, FLocation);
        if (raw.place.empty())
            raw.place = FieldText(row, map, FArea);
        raw.note = FieldText(row, map, FNote);
        const std::string_view type = FieldText(row, map, FType);
        if (!ReadSpritmonitorType(type, raw)) {
            AddProblem(result, row.line,
                       "Betankungsart " + Quoted(type) + " ist unbekannt (erwartet 0, 1 oder 2)");
            continue;
        }
        if (auto record = BuildRecord(result, raw, style)) {
            if (TooManyRecords(result, parsed.size() + 1))
                return;
            parsed.push_back(std::move(*record));
        }
    }
    if (result.ok())
        StoreInOdometerOrder(result, parsed);
}

// ---- Fuelio -----------------------------------------------------------------------------

// "## Log" and the like, quoted or not, possibly with separators after it.
std::optional<std::string> SectionName(const CsvRow& row) {
    if (row.fields.empty())
        return std::nullopt;
    const std::string_view first = Trim(row.fields[0]);
    if (first.substr(0, 2) != "##")
        return std::nullopt;
    return LowerAscii(Trim(first.substr(2)));
}

bool HasFuelioLogSection(const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        std::string_view text = Trim(line.text);
        if (!text.empty() && text.front() == '"')
            text.remove_prefix(1);
        text = Trim(text);
        if (text.substr(0, 2) != "##")
            continue;
        text = Trim(text.substr(2));
        if (LowerAscii(text.substr(0, 3)) != "log")
            continue;
        // Only a closing quote and separators may follow; a ";" or anything else means a
        // cell of some other file that happens to start like this.
        text.remove_prefix(3);
        if (!text.empty() && text.front() == '"')
            text.remove_prefix(1);
        if (text.find_first_not_of(", \t") == std::string_view::npos)
            return true;
    }
    return false;
}

bool ReadFlag(std::string_view text, bool& value) {
    const std::string flag = LowerAscii(text);
    if (flag == "1" || flag == "true") {
        value = true;
        return true;
    }
    if (flag.empty() || flag == "0" || flag == "false") {
        value = false;
        return true;
    }
    return false;
}

void ParseFuelio(ImportResult& result, const std::vector<CsvRow>& rows) {
    enum class Section { Other, Log, Stations };
    Section section = Section::Other;
    bool expectHeader = false;
    const CsvRow* logHeader = nullptr;
    ColumnMap logMap = NoColumns();
    int stationIdColumn = -1, stationNameColumn = -1;
    std::unordered_map<std::string, std::string> stationNames;
    struct PendingRecord {
        ParsedRecord parsed;
        std::string stationId;
    };
    std::vector<PendingRecord> pending;
    const NumberStyle style{'.', 0};

    for (const CsvRow& row : rows) {
        if (!row.error.empty()) {
            // A quote out of place shifts everything after it, whatever section it is in.
            AddProblem(result, row.line, row.error);
            continue;
        }
        if (const auto name = SectionName(row)) {
            section = *name == "log"           ? Section::Log
                      : *name == "favstations" ? Section::Stations
                                               : Section::Other;
            expectHeader = section != Section::Other;
            continue;
        }
        if (section == Section::Other || RowIsBlank(row))
            continue;
        if (expectHeader) {
            expectHeader = false;
            if (section == Section::Log) {
                logHeader = &row;
                logMap = MapColumns(row.fields, kFuelioLogNames);
                RequireColumns(result, row.line, logMap);
            } else {
                stationIdColumn = stationNameColumn = -1;
                for (std::size_t i = 0; i < row.fields.size(); ++i) {
                    const std::string name = NormaliseName(row.fields[i]);
                    if (stationIdColumn < 0 && (name == "id" || name == "stationid"))
                        stationIdColumn = static_cast<int>(i);
                    if (stationNameColumn < 0 && (name == "name" || name == "stationname"))
                        stationNameColumn = static_cast<int>(i);
                }
            }
            continue;
        }
        if (section == Section::Stations) {
            // Only a help for the station names: a station row that cannot be read leaves
            // the name empty.
            const auto size = static_cast<int>(row.fields.size());
            if (stationIdColumn >= 0 && stationNameColumn >= 0 && stationIdColumn < size &&
                stationNameColumn < size) {
                stationNames.emplace(
                    std::string(Trim(row.fields[static_cast<std::size_t>(stationIdColumn)])),
                    std::string(Trim(row.fields[static_cast<std::size_t>(stationNameColumn)])));
            }
            continue;
        }
        // A log row.
        if (logMap[FDate] < 0 || logMap[FOdometer] < 0 || logMap[FQuantity] < 0)
            continue; // already reported at the header
        if (!CheckFieldCount(result, row, logHeader->fields.size()))
            continue;
        RawRecord raw;
        raw.line = row.line;
        raw.date = FieldText(row, logMap, FDate);
        raw.odometer = FieldText(row, logMap, FOdometer);
        raw.quantity = FieldText(row, logMap, FQuantity);
        raw.total = FieldText(row, logMap, FTotal);
        raw.unitPrice = FieldText(row, logMap, FUnitPrice);
        raw.fuel = FieldText(row, logMap, FFuel);
        raw.place = FieldText(row, logMap, FLocation);
        raw.note = FieldText(row, logMap, FNote);
        bool full = true;
        const std::string_view fullText = FieldText(row, logMap, FFull);
        if (!ReadFlag(fullText.empty() ? "1" : fullText, full)) {
            AddProblem(result, row.line, "Full " + Quoted(fullText) + " ist weder 0 noch 1");
            continue;
        }
        raw.partial = !full;
        const std::string_view missedText = FieldText(row, logMap, FMissed);
        if (!ReadFlag(missedText, raw.missed)) {
            AddProblem(result, row.line, "Missed " + Quoted(missedText) + " ist weder 0 noch 1");
            continue;
        }
        if (auto record = BuildRecord(result, raw, style)) {
            if (TooManyRecords(result, pending.size() + 1))
                return;
            pending.push_back({std::move(*record), std::string(FieldText(row, logMap, FStation))});
        }
    }
    if (logHeader == nullptr && result.ok()) {
        AddProblem(result, 0, "Der Abschnitt \"## Log\" hat keine Kopfzeile.");
        return;
    }
    if (!result.ok())
        return;
    std::vector<ParsedRecord> parsed;
    parsed.reserve(pending.size());
    for (PendingRecord& p : pending) {
        // The stations come after the log in the file, so names are filled in last.
        const auto station = stationNames.find(p.stationId);
        if (station != stationNames.end())
            p.parsed.record.cells[ColTankstelle] = station->second;
        parsed.push_back(std::move(p.parsed));
    }
    StoreInOdometerOrder(result, parsed);
}

} // namespace

const char* ImportFormatName(ImportFormat format) {
    switch (format) {
    case ImportFormat::SpritlogCsv:
        return "Spritlog-CSV";
    case ImportFormat::Spritmonitor:
        return "Spritmonitor";
    case ImportFormat::Fuelio:
        return "Fuelio";
    case ImportFormat::Unknown:
        break;
    }
    return "";
}

ImportResult ParseImportFile(std::string_view bytes) {
    ImportResult result;
    const std::string text = DecodeText(bytes);
    const std::vector<Line> lines = SplitLines(text);
    const bool hasContent = std::any_of(lines.begin(), lines.end(),
                                        [](const Line& line) { return !Trim(line.text).empty(); });
    if (!hasContent) {
        AddProblem(result, 0, kNoRecords);
        return result;
    }

    if (HasFuelioLogSection(lines)) {
        result.format = ImportFormat::Fuelio;
        ParseFuelio(result, SplitCsv(text, ','));
    } else {
        const std::vector<CsvRow> rows = SplitCsv(text, ';');
        const CsvRow* header = FirstContentRow(rows);
        const ColumnMap map =
            header != nullptr ? MapColumns(header->fields, kSpritmonitorNames) : NoColumns();
        if (header != nullptr && IsSpritmonitorHeader(map)) {
            result.format = ImportFormat::Spritmonitor;
            ParseSpritmonitor(result, rows, *header, map);
        } else if (LooksLikeSpritlogCsv(lines)) {
            result.format = ImportFormat::SpritlogCsv;
            ParseSpritlogCsv(result, lines);
        } else if (header != nullptr && CouldBeSpritmonitorHeader(map)) {
            result.format = ImportFormat::Spritmonitor;
            ParseSpritmonitor(result, rows, *header, map);
        } else {
            AddProblem(result, 0, kUnknownFormat);
            return result;
        }
    }

    if (!result.ok()) {
        result.records.clear();
    } else if (result.records.empty()) {
        AddProblem(result, 0, kNoRecords);
    }
    // A cell is one line of the logbook file: a line break or an end-of-file byte inside it
    // would cut the cell (and shift every later one) on the next save and load.
    for (ImportRecord& record : result.records)
        for (std::string& cell : record.cells)
            std::replace_if(
                cell.begin(), cell.end(),
                [](char c) { return c == '\r' || c == '\n' || c == '\x1A'; }, ' ');
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
    if (maxRecords < 0 || total > static_cast<std::size_t>(maxRecords))
        throw Error(kInvalidNumericInput);

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
