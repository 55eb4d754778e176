#include "import/tripcheck.h"

#include "import/values.h"
#include "logbook/conventions.h"
#include "logbook/fillups.h"

#include <algorithm>
#include <cmath>

namespace spritlog::import {

namespace {

bool Agree(double a, double b, double trip) {
    return std::fabs(a - b) <= std::max(2.0, trip / 100);
}

void AddMark(ImportRecord& record, std::string_view mark) {
    std::string& note = record.cells[ColNote3];
    if (note.find(mark) != std::string::npos)
        return;
    note = note.empty() ? std::string(mark) : note + ", " + std::string(mark);
}

std::string Reading(int32_t odometer) {
    return IntegerToText(static_cast<int64_t>(odometer));
}

} // namespace

void CheckOdometersAgainstTrips(ImportResult& result, std::vector<ParsedRecord>& records) {
    for (std::size_t i = 1; i + 1 < records.size(); ++i) {
        ParsedRecord& p = records[i];
        const ParsedRecord& before = records[i - 1];
        const ParsedRecord& after = records[i + 1];
        if (p.trip <= 0 || after.trip <= 0)
            continue;
        const double fromBefore = before.odometer + p.trip;
        const double fromAfter = after.odometer - after.trip;
        const double reading = p.odometer;
        if (Agree(reading, fromBefore, p.trip))
            continue;
        const std::string head = "Zeile " + IntegerToText(p.record.line) + ": KM-Stand " +
                                 Reading(p.odometer) + " passt nicht zu Teil-Km " + p.tripText;
        if (Agree(fromBefore, fromAfter, after.trip) && fromBefore < after.odometer) {
            p.odometer = static_cast<int32_t>(std::lround(fromBefore));
            p.record.cells[ColKmStand] = Reading(p.odometer);
            result.summary.notices.push_back(head +
                                             ", \xFC"
                                             "bernommen: " +
                                             Reading(p.odometer));
        } else if (Agree(reading, fromAfter, after.trip) && reading > fromBefore) {
            AddMark(p.record, kMissedWord);
            result.summary.notices.push_back(head + ", wohl fehlende Betankungen davor: als \x84" +
                                             std::string(kMissedWord) + "\x93 markiert");
        }
    }
}

} // namespace spritlog::import
