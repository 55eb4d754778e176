#include "logbook/texttable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace spritlog {
namespace {

// The table as plain strings, to compare against.
class ReferenceTable {
public:
    ReferenceTable(int columns, int rows)
        : columns_(columns), cells_(static_cast<std::size_t>(rows),
                                    std::vector<std::string>(static_cast<std::size_t>(columns))) {}

    void setColumnCount(int columns) {
        columns_ = columns;
        for (auto& row : cells_)
            row.resize(static_cast<std::size_t>(columns));
    }
    void setRowCount(int rows) {
        cells_.resize(static_cast<std::size_t>(rows),
                      std::vector<std::string>(static_cast<std::size_t>(columns_)));
    }
    std::string& at(int column, int row) {
        return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    int rows() const { return static_cast<int>(cells_.size()); }
    int columns() const { return columns_; }

private:
    int columns_;
    std::vector<std::vector<std::string>> cells_;
};

void ExpectSame(const TextTable& table, ReferenceTable& reference) {
    ASSERT_EQ(table.rowCount(), reference.rows());
    ASSERT_EQ(table.columnCount(), reference.columns());
    for (int row = 0; row < reference.rows(); ++row)
        for (int column = 0; column < reference.columns(); ++column)
            ASSERT_EQ(table.cell(column, row), reference.at(column, row))
                << "column " << column << " row " << row;
}

TEST(TextTableTest, TextsOfEveryLengthAroundTheInlineLimit) {
    // Seven bytes fit into a cell, eight go to the pool; 127 and 128 need one and two bytes
    // for their length there.
    TextTable table(3, 2);
    for (const std::size_t length : {0u, 1u, 6u, 7u, 8u, 9u, 16u, 127u, 128u, 300u, 70000u}) {
        SCOPED_TRACE(length);
        std::string text(length, 'x');
        for (std::size_t i = 0; i < length; ++i)
            text[i] = static_cast<char>(i * 37 % 256); // NUL and every other byte included
        table.setCell(1, 1, text);
        table.setCell(2, 0, text + "!");
        EXPECT_EQ(table.cell(1, 1), text);
        EXPECT_EQ(table.cell(2, 0), text + "!");
        EXPECT_EQ(table.cell(0, 0), "");
    }
}

TEST(TextTableTest, CellSetFromItselfOrFromAnotherCell) {
    TextTable table(2, 2);
    for (const std::string text : {"kurz", "ein langer Text \xFC"}) {
        SCOPED_TRACE(text);
        table.setCell(0, 0, text);
        table.setCell(0, 0, table.cell(0, 0));
        EXPECT_EQ(table.cell(0, 0), text);
        table.setCell(1, 1, table.cell(0, 0));
        EXPECT_EQ(table.cell(1, 1), text);
        // A part of a cell, as the month key is a part of the date.
        table.setCell(0, 1, table.cell(0, 0).substr(2));
        EXPECT_EQ(table.cell(0, 1), text.substr(2));
        table.setCell(0, 0, table.cell(0, 0).substr(1, 9));
        EXPECT_EQ(table.cell(0, 0), text.substr(1, 9));
    }
}

TEST(TextTableTest, ManyRewritesOfLongCellsKeepTheLatestTexts) {
    // Two columns rewritten again and again, so that the old texts are rebuilt away
    // several times; the other two are written once and must survive every rebuild.
    TextTable table(4, 50);
    ReferenceTable reference(4, 50);
    for (int row = 0; row < 50; ++row)
        for (int column = 0; column < 4; ++column) {
            const std::string text = "unver\xE4ndert " + std::to_string(column * 100 + row);
            table.setCell(column, row, text);
            reference.at(column, row) = text;
        }
    for (int round = 0; round < 6000; ++round) {
        const int column = round % 2;
        const int row = (round * 7) % 50;
        const std::string text = "Tankstelle Nr. " + std::to_string(round) + std::string(40, '.');
        table.setCell(column, row, text);
        reference.at(column, row) = text;
        if (round % 250 == 0)
            ExpectSame(table, reference);
    }
    ExpectSame(table, reference);
    const TextTable copy = table;
    ExpectSame(copy, reference);
}

TEST(TextTableTest, ShapeChangesKeepTheCellsThatStillFit) {
    TextTable table(3, 3);
    ReferenceTable reference(3, 3);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            const std::string text = (row + column) % 2 ? "lang genug f\xFCr den Pool" : "kurz";
            table.setCell(column, row, text + std::to_string(row));
            reference.at(column, row) = text + std::to_string(row);
        }
    table.setColumnCount(5);
    reference.setColumnCount(5);
    ExpectSame(table, reference);
    table.setColumnCount(2);
    reference.setColumnCount(2);
    ExpectSame(table, reference);
    table.truncateRows(1);
    reference.setRowCount(1);
    ExpectSame(table, reference);
    table.appendRow();
    reference.setRowCount(2);
    ExpectSame(table, reference);
    table.setRowCount(-3);
    EXPECT_EQ(table.rowCount(), 0);
    table.setRowCount(2);
    EXPECT_EQ(table.cell(1, 1), "");
}

TEST(TextTableTest, CopyRowAndClearCells) {
    TextTable table(3, 3);
    table.setCell(0, 0, "a");
    table.setCell(1, 0, "ein l\xE4ngerer Text");
    table.setCell(2, 0, "c");
    table.copyRow(0, 2, 1, 2);
    EXPECT_EQ(table.cell(0, 2), "");
    EXPECT_EQ(table.cell(1, 2), "ein l\xE4ngerer Text");
    EXPECT_EQ(table.cell(2, 2), "c");
    table.copyRow(2, 2, 0, 2);
    EXPECT_EQ(table.cell(1, 2), "ein l\xE4ngerer Text");
    table.clearCells();
    EXPECT_EQ(table.rowCount(), 3);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(table.cell(column, row), "");
    table.setCell(1, 1, "wieder ein langer Text");
    EXPECT_EQ(table.cell(1, 1), "wieder ein langer Text");
}

TEST(TextTableTest, OutsideTheTableThrows) {
    TextTable table(2, 3);
    const struct {
        int column;
        int row;
    } outside[] = {{-1, 0}, {2, 0}, {0, -1}, {0, 3}, {5, 7}};
    for (const auto& place : outside) {
        EXPECT_THROW((void)table.cell(place.column, place.row), std::out_of_range);
        EXPECT_THROW(table.setCell(place.column, place.row, "x"), std::out_of_range);
    }
    EXPECT_THROW(table.copyRow(0, 3, 0, 1), std::out_of_range);
    EXPECT_THROW(table.copyRow(3, 0, 0, 1), std::out_of_range);
    EXPECT_THROW((void)TextTable().cell(0, 0), std::out_of_range);
}

TEST(TextTableTest, RandomEditsMatchPlainStrings) {
    std::mt19937 random(20261207);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    TextTable table(4, 6);
    ReferenceTable reference(4, 6);
    // Copies share the cells until one side changes: each must keep what it held.
    std::vector<std::pair<TextTable, ReferenceTable>> copies;
    for (int step = 0; step < 20000; ++step) {
        const int action = pick(100);
        if (action < 70 && reference.rows() > 0 && reference.columns() > 0) {
            const int column = pick(reference.columns());
            const int row = pick(reference.rows());
            std::string text;
            if (pick(4) != 0) {
                const int lengths[] = {0, 3, 7, 8, 12, 40, 200};
                text.assign(static_cast<std::size_t>(lengths[pick(7)]), 'a');
                for (char& c : text)
                    c = static_cast<char>(pick(256));
            } else {
                // From another cell, whole or in part.
                const int fromColumn = pick(reference.columns());
                const int fromRow = pick(reference.rows());
                const std::string_view source = table.cell(fromColumn, fromRow);
                const std::size_t start =
                    source.empty()
                        ? 0
                        : static_cast<std::size_t>(pick(static_cast<int>(source.size())));
                table.setCell(column, row, source.substr(start));
                reference.at(column, row) = reference.at(fromColumn, fromRow).substr(start);
                continue;
            }
            table.setCell(column, row, text);
            reference.at(column, row) = text;
        } else if (action < 80 && reference.rows() > 0 && reference.columns() > 0) {
            const int from = pick(reference.rows());
            const int to = pick(reference.rows());
            const int first = pick(reference.columns());
            const int last = first + pick(reference.columns() - first);
            table.copyRow(from, to, first, last);
            for (int c = first; c <= last; ++c)
                reference.at(c, to) = std::string(reference.at(c, from));
        } else if (action < 90) {
            const int rows = pick(12);
            table.setRowCount(rows);
            reference.setRowCount(rows);
        } else if (action < 96) {
            const int columns = 1 + pick(6);
            table.setColumnCount(columns);
            reference.setColumnCount(columns);
        } else if (action < 98) {
            table.appendRow();
            reference.setRowCount(reference.rows() + 1);
        } else if (action < 99) {
            table.clearCells();
            for (int row = 0; row < reference.rows(); ++row)
                for (int column = 0; column < reference.columns(); ++column)
                    reference.at(column, row).clear();
        } else if (copies.size() < 8) {
            copies.emplace_back(table, reference);
        } else {
            // A copy taken back as the table, the table left as a copy.
            auto& [copy, copyReference] = copies[static_cast<std::size_t>(pick(8))];
            std::swap(copy, table);
            std::swap(copyReference, reference);
        }
        if (step % 97 == 0)
            ExpectSame(table, reference);
    }
    ExpectSame(table, reference);
    for (auto& [copy, copyReference] : copies)
        ExpectSame(copy, copyReference);
}

} // namespace
} // namespace spritlog
