#pragma once
// Input of the test layering_refuses: a folder above a sealing layer includes one header that
// layer shares, one header of the sealing layer itself and one header it keeps to itself.
#include "document/logbookdocument.h"
#include "logbook/records.h"
#include "logbook/texttable.h"
