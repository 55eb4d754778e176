#pragma once
// What the window and the command-line tool need to take records from another program's file:
// the import options and result with their German messages, the column mapping of a CSV file
// no importer recognises, and the merge with the open logbook. The import layer owns these
// types; the document passes them on as they are, so that nothing above it names that layer.

#include "import/columnmapping.h"
#include "import/csvimport.h"
#include "import/csvreader.h"
#include "import/logbookmerge.h"

namespace spritlog {

// The import and its result.
using spritlog::DistanceUnit;
using spritlog::ImportFailureMessage;
using spritlog::ImportOptions;
using spritlog::ImportQuestions;
using spritlog::ImportRecord;
using spritlog::ImportResult;
using spritlog::ImportSuccessMessage;
using spritlog::ImportSummaryLines;
using spritlog::SkipRecordsInLogbook;
using spritlog::VolumeUnit;

} // namespace spritlog

// The column mapping the user gives for an unknown CSV file, and the rows it shows.
namespace spritlog::import {

using spritlog::import::ColumnMapping;
using spritlog::import::CsvDialect;
using spritlog::import::CsvRow;
using spritlog::import::DateOrder;
using spritlog::import::ExportDialect;
using spritlog::import::MappingText;
using spritlog::import::ReadCsvRows;
using spritlog::import::ReadMapping;
using spritlog::import::Role;
using spritlog::import::RoleName;

} // namespace spritlog::import
