#include "document/fileformats.h"

#include "document/writers.h"
#include "import/importers.h"

#include <algorithm>
#include <cctype>

namespace spritlog {

std::vector<FileFormat> FileFormats() {
    std::vector<FileFormat> formats;
    for (const Writer* writer : AllWriters()) {
        // A writer that no name chooses (the Spritmonitor export) is no kind of file to
        // save as.
        if (writer->endings.empty())
            continue;
        FileFormat format;
        format.caption = writer->caption;
        format.endings = writer->endings;
        format.opens = writer->kind == WriterKind::Native;
        format.saves = true;
        formats.push_back(std::move(format));
    }
    for (std::string_view ending : import::ImportEndings()) {
        const auto written = std::find_if(formats.begin(), formats.end(), [&](const FileFormat& f) {
            return std::find(f.endings.begin(), f.endings.end(), ending) != f.endings.end();
        });
        if (written != formats.end()) {
            written->imports = true;
            continue;
        }
        // A kind no writer has: named by its ending, "TXT-Dateien".
        FileFormat format;
        for (char c : ending.substr(1))
            format.caption += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        format.caption += "-Dateien";
        format.endings = {ending};
        format.imports = true;
        formats.push_back(std::move(format));
    }
    return formats;
}

} // namespace spritlog
