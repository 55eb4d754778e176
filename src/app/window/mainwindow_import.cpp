// "Importieren aus CSV...": the records of another program's logbook (or of our own CSV
// export) appended to the logbook in the window.
#include "app/window/mainwindow.h"

#include "app/window/gridview.h"
#include "app/window/logbookmodel.h"
#include "app/window/prompts.h"

#include "import/csvimport.h"
#include "logbook/errors.h"
#include "logbook/logbookfile.h"
#include "platform/celltext.h"

#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <exception>
#include <string>
#include <vector>

namespace spritlog {

void TFmain::m_Import_CSVClick() {
    const QString chosen =
        prompts().getImportFileName(this, QString::fromStdString(document_.fileName()));
    if (chosen.isEmpty())
        return;
    const ImportResult result = LogbookDocument::readImport(chosen.toStdString());
    if (!result.ok()) {
        // Nothing has been touched; the box lists what is wrong where.
        prompts().showError(this, CellToQString(ImportFailureMessage(result)));
        return;
    }
    // Nothing changes until the user has seen what the file holds.
    QStringList headers;
    for (int column = 0; column < kLogbookColumns; ++column)
        headers << CellToQString(document_.table().cell(column, 0));
    if (!prompts().confirmImport(this, result, headers))
        return;

    const auto cursor = p_Grid->cursorCell();
    // The records and what the calculation makes of them are undone together. A failing
    // calculation goes to the error display after the status bar and the result are shown.
    std::exception_ptr calculation;
    calculation = document_.importRecords(result);
    const CellPosition before = cursor.value_or(CellPosition{ColDatum, 1});
    p_Grid->setCursorCell({before.column, std::min(before.row, std::max(1, RecordCount()))});
    prompts().showNotice(this, CellToQString(ImportSuccessMessage(result)));
    if (calculation)
        std::rethrow_exception(calculation);
}

} // namespace spritlog
