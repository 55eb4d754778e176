#include "import/appvalues.h"

#include "logbook/conventions.h"

#include <algorithm>

namespace spritlog::import {

namespace {

// The parts of a date separated by `separator`; false unless there are three.
bool SplitDate(std::string_view date, char separator, std::string_view (&parts)[3]) {
    std::size_t start = 0;
    for (int k = 0; k < 3; ++k) {
        const std::size_t end = k < 2 ? date.find(separator, start) : date.size();
        if (end == std::string_view::npos)
            return false;
        parts[k] = date.substr(start, end - start);
        start = end + 1;
    }
    return date.find(separator, start) == std::string_view::npos || start > date.size();
}

std::string TwoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10 % 10)) +
           static_cast<char>('0' + value % 10);
}

// The time of day as "HH:MM:SS" on a 24-hour clock; "" for none, nullopt for nonsense.
std::optional<std::string> ReadClock(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && (text.back() == 'Z' || text.back() == 'z'))
        text.remove_suffix(1);
    if (text.empty())
        return std::string();
    int shift = -1; // -1: 24-hour clock, 0: AM, 12: PM
    const std::string lower = LowerAscii(text);
    for (const char* suffix : {"am", "a.m.", "pm", "p.m."}) {
        const std::string_view s(suffix);
        if (lower.size() > s.size() && lower.compare(lower.size() - s.size(), s.size(), s) == 0) {
            shift = suffix[0] == 'a' ? 0 : 12;
            text = Trim(text.substr(0, text.size() - s.size()));
            break;
        }
    }
    // Fractions of a second ("14:33:00.000") are no part of a logbook day.
    if (const std::size_t dot = text.find('.'); dot != std::string_view::npos && dot > 5)
        text = text.substr(0, dot);
    int parts[3] = {0, 0, 0};
    int count = 0;
    std::size_t start = 0;
    while (count < 3) {
        const std::size_t colon = text.find(':', start);
        const std::string_view part = text.substr(start, colon - start);
        if ((count > 0 && part.size() != 2) || part.size() > 2 ||
            !ReadSmallNumber(part, parts[count]))
            return std::nullopt;
        ++count;
        if (colon == std::string_view::npos)
            break;
        start = colon + 1;
    }
    if (count < 2 || parts[1] >= 60 || parts[2] >= 60)
        return std::nullopt;
    int hour = parts[0];
    if (shift >= 0) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + shift;
    }
    if (hour >= 24)
        return std::nullopt;
    return TwoDigits(hour) + ":" + TwoDigits(parts[1]) + ":" + TwoDigits(parts[2]);
}

} // namespace

std::optional<DateValue> ReadAppDate(std::string_view text, bool monthFirst) {
    text = Trim(text);
    const std::size_t cut = text.find_first_of(" \tT");
    const std::string_view date = text.substr(0, cut);
    const auto clock =
        ReadClock(cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1));
    if (!clock)
        return std::nullopt;
    std::string_view parts[3];
    std::string_view year, month, day;
    if (SplitDate(date, '/', parts) ||
        (SplitDate(date, '-', parts) && parts[0].size() <= 2 && parts[2].size() >= 2)) {
        const bool yearFirst = parts[0].size() == 4;
        year = yearFirst ? parts[0] : parts[2];
        month = yearFirst ? parts[1] : monthFirst ? parts[0] : parts[1];
        day = yearFirst ? parts[2] : monthFirst ? parts[1] : parts[0];
    } else if (SplitDate(date, '-', parts)) {
        year = parts[0], month = parts[1], day = parts[2];
    } else if (SplitDate(date, '.', parts)) {
        year = parts[2], month = parts[1], day = parts[0];
    } else {
        return std::nullopt;
    }
    int y = 0;
    if ((year.size() != 2 && year.size() != 4) || !ReadSmallNumber(year, y) || month.size() > 2 ||
        day.size() > 2)
        return std::nullopt;
    // Two-digit years are this century's up to 69, as spreadsheets read them.
    if (year.size() == 2)
        y += y < 70 ? 2000 : 1900;
    std::string canonical = IntegerToText(y) + "-" + std::string(month) + "-" + std::string(day);
    if (!clock->empty())
        canonical += " " + *clock;
    return ReadDate(canonical);
}

bool HasSlashDate(const std::vector<std::string>& dates) {
    return std::any_of(dates.begin(), dates.end(), [](const std::string& d) {
        const std::string_view date = Trim(d).substr(0, Trim(d).find_first_of(" \tT"));
        return date.find('/') != std::string_view::npos && date.find('/') != 4;
    });
}

bool SlashDatesDayFirst(const std::vector<std::string>& dates) {
    for (const std::string& text : dates) {
        std::string_view parts[3];
        const std::string_view date = Trim(text).substr(0, Trim(text).find_first_of(" \tT"));
        int first = 0;
        if (SplitDate(date, '/', parts) && parts[0].size() <= 2 &&
            ReadSmallNumber(parts[0], first) && first > 12)
            return true;
    }
    return false;
}

std::optional<bool> ReadYesNo(std::string_view text) {
    const std::string value = NormaliseName(text);
    // English, Portuguese, Spanish, German, French, Italian, as the apps' translations
    // write them (Windows-1252: "não" is "n\xE3o").
    if (IsOneOf(value, "yes y true 1 sim s s\xED si ja j oui vero x"))
        return true;
    if (IsOneOf(value, "no n false 0 n\xE3o nao nein non falso"))
        return false;
    return std::nullopt;
}

double ConsumptionPer100(double figure, std::string_view unit, bool imperial) {
    if (!(figure > 0))
        return 0;
    const std::string u = LowerAscii(Trim(unit));
    std::string plain;
    for (const char c : u)
        if (c != ' ' && c != '.' && c != '_')
            plain.push_back(c);
    const double usGallonFigure = 100 * kLitresPerUsGallon / kKmPerMile;
    const double imperialGallonFigure = 100 * kLitresPerImperialGallon / kKmPerMile;
    if (plain == "l/100km" || plain == "l/100" || plain == "kg/100km" || plain == "kwh/100km")
        return figure;
    if (plain == "km/l" || plain == "km/kg" || plain == "km/kwh")
        return 100 / figure;
    if (plain == "mpg(uk)" || plain == "mpguk" || plain == "mpg(imp)" || plain == "mpgimp" ||
        plain == "mi/impgal")
        return imperialGallonFigure / figure;
    if (plain == "mpg(us)" || plain == "mpgus" || plain == "mi/gal")
        return usGallonFigure / figure;
    if (plain == "mpg")
        return (imperial ? imperialGallonFigure : usGallonFigure) / figure;
    return 0;
}

double ConsumptionText(std::string_view text) {
    text = Trim(text);
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos)
        return 0;
    const auto figure = ReadDecimal(text.substr(0, blank), '.', 0);
    return figure ? ConsumptionPer100(*figure, text.substr(blank + 1)) : 0;
}

std::string ChooseVehicle(ImportResult& result, const std::vector<std::string>& names) {
    std::vector<std::string>& vehicles = result.questions.vehicles;
    vehicles.clear();
    for (const std::string& name : names) {
        if (std::find(vehicles.begin(), vehicles.end(), name) == vehicles.end())
            vehicles.push_back(name);
    }
    if (vehicles.empty())
        return {};
    const auto chosen = std::find(vehicles.begin(), vehicles.end(), result.options.vehicle);
    result.questions.vehicle = chosen != vehicles.end() ? *chosen : vehicles.front();
    if (vehicles.size() > 1)
        result.summary.notices.push_back(
            "Die Datei enth\xE4lt " + IntegerToText(static_cast<int64_t>(vehicles.size())) +
            " Fahrzeuge; \xFC"
            "bernommen wird nur \x84" +
            result.questions.vehicle + "\x93" + (chosen != vehicles.end() ? "." : " (das erste)."));
    return result.questions.vehicle;
}

DistanceUnit AskDistance(ImportResult& result, DistanceUnit fallback) {
    result.questions.distance = true;
    const DistanceUnit unit =
        result.options.distance != DistanceUnit::Unknown ? result.options.distance : fallback;
    if (result.options.distance == DistanceUnit::Unknown)
        result.summary.notices.push_back(
            std::string("Die Datei sagt nicht, ob der KM-Stand in Kilometern oder Meilen steht: "
                        "gelesen als ") +
            (unit == DistanceUnit::Miles ? "Meilen" : "Kilometer") +
            " (bitte pr\xFC"
            "fen).");
    return unit;
}

VolumeUnit AskVolume(ImportResult& result, VolumeUnit fallback) {
    result.questions.volume = true;
    const VolumeUnit unit =
        result.options.volume != VolumeUnit::Unknown ? result.options.volume : fallback;
    if (result.options.volume == VolumeUnit::Unknown) {
        const char* name = unit == VolumeUnit::UsGallons         ? "US-Gallonen"
                           : unit == VolumeUnit::ImperialGallons ? "britische Gallonen"
                                                                 : "Liter";
        result.summary.notices.push_back(
            std::string("Die Datei sagt nicht, in welcher Einheit die Mengen stehen: gelesen "
                        "als ") +
            name +
            " (bitte pr\xFC"
            "fen).");
    }
    return unit;
}

double KmPer(DistanceUnit unit) {
    return unit == DistanceUnit::Miles ? kKmPerMile : 1;
}

double LitresPer(VolumeUnit unit) {
    switch (unit) {
    case VolumeUnit::UsGallons:
        return kLitresPerUsGallon;
    case VolumeUnit::ImperialGallons:
        return kLitresPerImperialGallon;
    default:
        return 1;
    }
}

namespace {

void AddOnce(std::vector<std::string>& list, const char* text) {
    if (std::find(list.begin(), list.end(), text) == list.end())
        list.emplace_back(text);
}

} // namespace

void NoteConversions(ImportResult& result, DistanceUnit distance, VolumeUnit volume, bool prices) {
    std::vector<std::string>& list = result.summary.conversions;
    if (distance == DistanceUnit::Miles)
        AddOnce(list, "Meilen in km");
    if (volume == VolumeUnit::UsGallons)
        AddOnce(list, "US-Gallonen in Liter");
    if (volume == VolumeUnit::ImperialGallons)
        AddOnce(list, "britische Gallonen in Liter");
    if (prices && (volume == VolumeUnit::UsGallons || volume == VolumeUnit::ImperialGallons))
        AddOnce(list, "Preise je Gallone in Preise je Liter");
}

VolumeUnit VolumeFromText(std::string_view text) {
    const std::string t = LowerAscii(Trim(text));
    if (t.find("gal") != std::string::npos) {
        if (t.find("imp") != std::string::npos || t.find("uk") != std::string::npos)
            return VolumeUnit::ImperialGallons;
        return VolumeUnit::UsGallons;
    }
    if (t == "l" || t == "lt" || t == "ltr" || t == "litre" || t == "litres" || t == "liter" ||
        t == "liters" || t == "litro" || t == "litros")
        return VolumeUnit::Litres;
    return VolumeUnit::Unknown;
}

DistanceUnit DistanceFromText(std::string_view text) {
    const std::string t = NormaliseName(text);
    if (t == "km" || t == "kilometers" || t == "kilometres" || t == "kilometer")
        return DistanceUnit::Kilometres;
    if (t == "mi" || t == "mile" || t == "miles" || t == "meilen")
        return DistanceUnit::Miles;
    return DistanceUnit::Unknown;
}

int FindColumn(const std::vector<std::string>& header, std::string_view names) {
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string name = NormaliseName(header[i]);
        if (!name.empty() && IsOneOf(name, names))
            return static_cast<int>(i);
    }
    return -1;
}

std::string_view FieldAt(const std::vector<std::string>& fields, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= fields.size())
        return {};
    return Trim(fields[static_cast<std::size_t>(index)]);
}

void NoteSkippedSection(ImportResult& result, std::string_view name, int rows) {
    result.summary.skippedSections.push_back(std::string(Trim(name)) + " (" + IntegerToText(rows) +
                                             (rows == 1 ? " Zeile)" : " Zeilen)"));
}

} // namespace spritlog::import
