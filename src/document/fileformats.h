#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace spritlog {

// A kind of file the program reads or writes, as the file dialogs offer it. One row per
// kind, made from the writers and the importers the program has, so that a dialog never
// offers what nothing writes or reads.
struct FileFormat {
    std::string caption;                   // "Spritlog", "CSV-Dateien" (ASCII)
    std::vector<std::string_view> endings; // lower case, with the dot
    bool opens = false;                    // "Öffnen" reads it as a logbook
    bool saves = false;                    // a writer writes it ("Speichern unter", exports)
    bool imports = false;                  // "Importieren aus CSV..." reads it
};

// The native logbook first, then the other writers, then what only an importer reads.
std::vector<FileFormat> FileFormats();

} // namespace spritlog
