#include "cli/energies.h"

#include "cli/output.h"
#include "document/figures.h"

namespace spritlog::cli {

std::string EnergiesCommand(const LogbookDocument& book) {
    std::string out;
    for (const std::vector<std::string>& row : EnergyTable(book.table(), book.consumptionRule())) {
        for (std::size_t i = 0; i < row.size(); ++i)
            out += (i > 0 ? "\t" : "") + Cp1252ToUtf8(row[i]);
        out += '\n';
    }
    return out;
}

} // namespace spritlog::cli
