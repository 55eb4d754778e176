#pragma once
// What the table view needs to know about single cells and records: the check of a cell while
// it is typed and its completion, the messages for invalid cells, the fill-up marks of the
// note cell and the order of the records. The logbook layer owns these rules; the document
// passes them on as they are.

#include "logbook/cellcheck.h"
#include "logbook/cellerrors.h"
#include "logbook/fillups.h"
#include "logbook/invalidcells.h"
#include "logbook/recordorder.h"

namespace spritlog {

// A cell while it is typed.
using spritlog::CellProblem;
using spritlog::CellProblemText;
using spritlog::CheckCell;
using spritlog::ColumnIsChecked;
using spritlog::CompleteDate;
using spritlog::CompleteWholeNumber;

// Invalid cells and their messages.
using spritlog::CellIssue;
using spritlog::CellIssuesBoxText;
using spritlog::InvalidCells;
using spritlog::InvalidCellsText;

// The fill-up marks in the note cell.
using spritlog::FillUpMarks;
using spritlog::kMissedWord;
using spritlog::kPartialWord;
using spritlog::MarksOf;
using spritlog::WithMark;
using spritlog::WithoutMark;

// The order of the records.
using spritlog::FirstOdometerDrop;
using spritlog::OdometerDropAround;

} // namespace spritlog
