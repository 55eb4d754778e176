#include "import/importers.h"

#include "import/acar.h"
#include "import/columnmapping.h"
#include "import/drivvo.h"
#include "import/evcc.h"
#include "import/fuelio.h"
#include "import/fuelly.h"
#include "import/gasbuddy.h"
#include "import/lubelogger.h"
#include "import/roadtrip.h"
#include "import/spritlogcsv.h"
#include "import/spritmonitor.h"

#include <algorithm>

namespace spritlog {
namespace import {
namespace {

// A mapped file is never recognised: it is read so when the user gives a mapping.
bool NeverRecognised(std::string_view) {
    return false;
}

// Fuelio's section lines are unmistakable, and so are the other apps' headers and section
// titles; a Spritmonitor header names its columns; our own export has no header, so it
// goes before a header that only might be Spritmonitor's. Our export's captions
// ("Datum;KM-Stand;Liter") would pass for a Spritmonitor header, so they are looked for
// first.
constexpr Importer kImporters[] = {
    {ImportFormat::SpritlogCsv, "Spritlog-CSV", HasSpritlogCsvCaptions, ParseSpritlogCsv},
    {ImportFormat::Fuelio, "Fuelio", LooksLikeFuelio, ParseFuelio},
    {ImportFormat::Evcc, "evcc", LooksLikeEvcc, ParseEvcc},
    {ImportFormat::Fuelly, "Fuelly", LooksLikeFuelly, ParseFuelly},
    {ImportFormat::Drivvo, "Drivvo", LooksLikeDrivvo, ParseDrivvo},
    {ImportFormat::RoadTrip, "Road Trip", LooksLikeRoadTrip, ParseRoadTrip},
    {ImportFormat::ACar, "aCar", LooksLikeACar, ParseACar},
    {ImportFormat::LubeLogger, "LubeLogger", LooksLikeLubeLogger, ParseLubeLogger},
    {ImportFormat::GasBuddy, "GasBuddy", LooksLikeGasBuddy, ParseGasBuddy},
    {ImportFormat::Mapped, "CSV mit Spaltenzuordnung", NeverRecognised, ParseMappedCsv},
    {ImportFormat::Spritmonitor, "Spritmonitor", HasSpritmonitorHeader, ParseSpritmonitor},
    {ImportFormat::SpritlogCsv, "Spritlog-CSV", LooksLikeSpritlogCsv, ParseSpritlogCsv},
    {ImportFormat::Spritmonitor, "Spritmonitor", MayHaveSpritmonitorHeader, ParseSpritmonitor},
};

} // namespace

const Importer* MappedImporter() {
    for (const Importer& importer : kImporters) {
        if (importer.format == ImportFormat::Mapped)
            return &importer;
    }
    return nullptr;
}

const Importer* ImporterFor(std::string_view text) {
    for (const Importer& importer : kImporters) {
        if (importer.recognises(text))
            return &importer;
    }
    return nullptr;
}

std::vector<std::string_view> ImportEndings() {
    std::vector<std::string_view> endings;
    for (const Importer& importer : kImporters)
        if (std::find(endings.begin(), endings.end(), importer.ending) == endings.end())
            endings.emplace_back(importer.ending);
    return endings;
}

} // namespace import

const char* ImportFormatName(ImportFormat format) {
    for (const import::Importer& importer : import::kImporters) {
        if (importer.format == format)
            return importer.name;
    }
    return "";
}

} // namespace spritlog
