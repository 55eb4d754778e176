#pragma once

#include "import/csvimport.h"

#include <string_view>
#include <vector>

namespace spritlog::import {

// One way of reading a file: whether its content is of this format, and how its records
// are read. `parse` gets the text decoded to Windows-1252 and a result whose format is
// already set.
struct Importer {
    ImportFormat format;
    const char* name; // as the user reads it: "Spritmonitor"
    bool (*recognises)(std::string_view text);
    void (*parse)(ImportResult& result, std::string_view text);
    const char* ending = ".csv"; // of the files the format comes in, with the dot
};

// The endings of the files the importers read, each once, in the importers' order.
std::vector<std::string_view> ImportEndings();

// The first importer that recognises `text`, trying them in one fixed order; nullptr for
// none. A format may come twice in that order: once as it surely looks, and later, after
// the formats that would claim the file more surely, as it only plausibly looks.
const Importer* ImporterFor(std::string_view text);
// The importer that reads a file by the user's column mapping.
const Importer* MappedImporter();

} // namespace spritlog::import
