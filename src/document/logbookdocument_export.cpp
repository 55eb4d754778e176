// Exports chosen by the command rather than by the target's ending.
#include "document/logbookdocument.h"

#include "logbook/fileio.h"

namespace spritlog {

void LogbookDocument::exportTo(const std::string& path, WriterKind kind) const {
    const Writer& writer = WriterOfKind(kind);
    const WriteJob job{table_, path, fileName_, saveOptions_.report};
    if (writer.fillFile != nullptr) {
        ReplaceFileByName(path, saveOptions_.backup,
                          [&](const std::string& temporary) { writer.fillFile(temporary, job); });
    } else {
        ReplaceFile(path, saveOptions_.backup,
                    [&](LineSink& sink) { writer.writeLines(sink, job); });
    }
}

} // namespace spritlog
