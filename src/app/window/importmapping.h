#pragma once

#include "document/importing.h"

#include <string>

class QWidget;

namespace spritlog {

class Prompts;

// For a file no format recognises: the column mapping the user chooses (starting from the
// one remembered for the same first line), and the file read by it into `result`. False
// when the user cancelled; `result` is untouched when there is no mapping step.
bool MapUnknownColumns(Prompts& prompts, QWidget* parent, const std::string& path,
                       ImportResult& result);
// Keeps the mapping a clean import used, for the next file with the same first line.
void RememberMapping(const std::string& path, const ImportResult& result);

} // namespace spritlog
