#pragma once

#include <optional>

#include "document/logbookdocument.h"

#include <QString>

#include <string>

class QWidget;

namespace spritlog {

class Prompts;

// Loads the logbook at `path`. A file whose lines do not fit its record count is not
// loaded: the user is told, with the numbers, and may open a copy read as well as it goes,
// which has no name, so that no save writes over the damaged file. Nothing when nothing was
// loaded (the copy declined); else whether the file was there and read.
std::optional<bool> LoadOrOfferDamagedCopy(LogbookDocument& document, Prompts& prompts,
                                           QWidget* parent, const std::string& path,
                                           const LoadHooks& hooks);

// The file panel's text and the window title's addition for a damaged file's copy:
// "„name.slg“ (beschädigt, Kopie)"; empty for every other logbook.
QString DamagedCopyLabel(const LogbookDocument& document);

} // namespace spritlog
