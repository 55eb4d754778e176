#include "logbookgenerator.h"

#include "logbook/conventions.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>

namespace spritlog::bench {

namespace {

// Every field of record i is a pure function of (i, field), so the file can be written
// column by column without keeping the records.
uint64_t Mix(uint64_t i, uint64_t field) {
    uint64_t z = i * 0x9E3779B97F4A7C15ull + field * 0xD1B54A32D1B54A32ull + 0x632BE59BD9B4E019ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// A value in [0, n).
int Pick(uint64_t i, uint64_t field, int n) {
    return static_cast<int>(Mix(i, field) % static_cast<uint64_t>(n));
}

enum Field : uint64_t { kDistance = 1, kConsumption, kPrice, kGrade, kStation, kPlace, kNotes };

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

constexpr int64_t kFirstDay = 5844; // 1986-01-01
constexpr int kMaxSpanDays = 40 * 365;

void TwoDigits(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

std::string Fixed(double value, int decimals) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

int DistanceOf(int i) {
    return 250 + Pick(static_cast<uint64_t>(i), kDistance, 650);
}

const char* const kGrades[] = {"Super",     "Super",  "Super",  "Super E10",
                               "Super E10", "Diesel", "Diesel", "Super Plus"};
const char* const kStations[] = {"Aral", "Shell", "Esso", "Jet", "Total", "Agip",
                                 "Star", "Avia",  "HEM",  "bft", "OMV",   "Raiffeisen"};
const char* const kPlaces[] = {
    "M\xFCnchen", "K\xF6ln",       "N\xFCrnberg", "Berlin",
    "Hamburg",    "D\xFCsseldorf", "W\xFCrzburg", "G\xF6ttingen",
    "L\xFCbeck",  "Freiburg",      "Stuttgart",   "Augsburg",
    "Regensburg", "Passau",        "F\xFCssen",   "Garmisch-Partenkirchen"};
const char* const kDrivers[] = {"Anna",  "Anna",  "Anna", "Anna", "Bernd",
                                "Bernd", "Bernd", "",     "",     ""};
const char* const kTrips[] = {"", "", "", "", "", "", "", "Urlaub", "Autobahn", "Anh\xE4nger"};
const char* const kRemarks[] = {"Reifendruck gepr\xFC"
                                "ft",
                                "\xD6l nachgef\xFCllt, 0,5 l", "Waschanlage",
                                "Winterreifen montiert"};

} // namespace

void WriteGeneratedLogbook(const std::string& path, int records, int distinctStations) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    std::string line;
    auto put = [&out](const std::string& text) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.write("\r\n", 2);
    };
    put(IntegerToText(records));

    const int64_t span = std::min<int64_t>(static_cast<int64_t>(records) * 9, kMaxSpanDays);
    auto dayOf = [&](int i) {
        return kFirstDay + (records > 0 ? static_cast<int64_t>(i) * span / records : 0);
    };

    // Datum
    for (int i = 0; i < records; ++i) {
        int year, month, day;
        CivilFromDays(dayOf(i), year, month, day);
        line.clear();
        TwoDigits(line, day);
        line += '.';
        TwoDigits(line, month);
        line += '.';
        line += IntegerToText(year);
        put(line);
    }
    // KM-Stand: rising by the distance of each refuelling.
    int64_t odometer = 12000;
    for (int i = 0; i < records; ++i) {
        if (i > 0)
            odometer += DistanceOf(i);
        put(IntegerToText(odometer));
    }
    // Liter: what the distance since the last refuelling took, at 5.5 to 9.5 l/100 km.
    for (int i = 0; i < records; ++i) {
        const double consumption = 5.5 + Pick(static_cast<uint64_t>(i), kConsumption, 400) / 100.0;
        put(Fixed(DistanceOf(i) * consumption / 100.0, 2));
    }
    // Literpreis: rising over the years, a few cents up and down.
    for (int i = 0; i < records; ++i) {
        int year, month, day;
        CivilFromDays(dayOf(i), year, month, day);
        const double base = 0.55 + 0.035 * (year - 1986) + 0.004 * month;
        put(Fixed(base + Pick(static_cast<uint64_t>(i), kPrice, 120) / 1000.0, 3));
    }
    // Benzin
    for (int i = 0; i < records; ++i)
        put(kGrades[Pick(static_cast<uint64_t>(i), kGrade, 8)]);
    // Tankstelle
    for (int i = 0; i < records; ++i) {
        if (distinctStations > 0)
            put("Tankstelle " +
                IntegerToText(Pick(static_cast<uint64_t>(i), kStation, distinctStations) + 1));
        else
            put(kStations[Pick(static_cast<uint64_t>(i), kStation, 12)]);
    }
    // Ort
    for (int i = 0; i < records; ++i)
        put(kPlaces[Pick(static_cast<uint64_t>(i), kPlace, 16)]);
    // The three notes: driver, kind of trip, an occasional remark.
    for (int i = 0; i < records; ++i)
        put(kDrivers[Pick(static_cast<uint64_t>(i), kNotes, 10)]);
    for (int i = 0; i < records; ++i)
        put(kTrips[Pick(static_cast<uint64_t>(i), kNotes + 1, 10)]);
    for (int i = 0; i < records; ++i) {
        const int k = Pick(static_cast<uint64_t>(i), kNotes + 2, 40);
        put(k < 4 ? kRemarks[k] : "");
    }
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

} // namespace spritlog::bench
