#pragma once

#include "document/importing.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace spritlog {

// "Importieren aus CSV..." for a file of no known format: which character separates the
// fields, the decimal mark, the order of the date, whether the first line names the
// columns, the units, and what each column holds. The first lines of the file stand below
// the choices, a box above each column for its role; the summary of what would be imported
// follows every change. "Weiter" goes on to the preview with the mapping.
class ColumnMappingDialog : public QDialog {
    Q_OBJECT

public:
    using Reparse = std::function<ImportResult(const std::string& mapping)>;

    // `text`: the file's first lines (UTF-8); `mapping`: a mapping text to start from
    // (the one remembered for this header), empty for a guess.
    ColumnMappingDialog(QWidget* parent, const std::string& text, const QString& mapping,
                        Reparse reparse);

    // The mapping as chosen, in the text form spritlog-cli's --spalten takes.
    QString mapping() const;

    QComboBox* separator = nullptr;
    QComboBox* decimal = nullptr;
    QComboBox* dates = nullptr;
    QCheckBox* header = nullptr;
    QComboBox* distance = nullptr;
    QComboBox* volume = nullptr;
    QTableWidget* columns = nullptr; // row 0: a role box per column; then the file's lines
    QLabel* summary = nullptr;
    QPushButton* nextButton = nullptr;

private:
    void fillColumns();
    void update();
    QComboBox* roleBox(int column) const;

    std::string text_;
    Reparse reparse_;
    std::vector<int> roles_; // kept across a change of separator
    bool filling_ = false;
};

} // namespace spritlog
