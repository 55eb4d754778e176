#pragma once

#include "document/logbookdocument.h"

#include <string>

namespace spritlog::test {

// Saves `grid` to `path` the way the window and spritlog-cli do: through a document, with
// the writer the name's ending chooses.
inline void SaveThroughDocument(const std::string& path, const TextTable& grid,
                                const SaveOptions& options) {
    LogbookDocument book;
    book.setTable(grid);
    book.saveOptions() = options;
    book.saveTo(path);
}

} // namespace spritlog::test
