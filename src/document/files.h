#pragma once
// What the window and the command-line tool need of files beyond opening and saving the
// logbook: a file's bytes, the German text of an I/O error, a file's figures for the size
// dialog and the error a damaged logbook raises. The logbook layer owns these; the document
// passes them on as they are.

#include "logbook/filefigures.h"
#include "logbook/fileio.h"
#include "logbook/logbookshape.h"

namespace spritlog {

using spritlog::CountFileFigures;
using spritlog::DamagedLogbook;
using spritlog::FileFigures;
using spritlog::IoErrorText;
using spritlog::ReadWholeFile;

} // namespace spritlog
