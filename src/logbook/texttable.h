#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace spritlog {

// A grid of text cells addressed as (column, row), like the logbook table on screen.
// Cells hold Windows-1252 bytes exactly as typed or loaded. Row 0 is the header row.
class TextTable {
public:
    explicit TextTable(int columns = 0, int rows = 0);
    // A copy is another table: it gets a version of its own. It shares the cells with the
    // original until either of them changes, so that a snapshot of a large logbook (the
    // chart source, the recovery copy) costs nothing while the logbook stays as it is.
    TextTable(const TextTable& other);
    TextTable(TextTable&& other) noexcept;
    TextTable& operator=(const TextTable& other);
    TextTable& operator=(TextTable&& other) noexcept;
    ~TextTable() = default;

    // Tells one state of the table from another: every change gives a new version, and no
    // other table, copies included, ever has the same one. Lets a reader skip work on a
    // table it has seen unchanged.
    struct Version {
        std::uint64_t table = 0;
        std::uint64_t changes = 0;
        bool operator==(const Version& other) const {
            return table == other.table && changes == other.changes;
        }
        bool operator!=(const Version& other) const { return !(*this == other); }
    };
    Version version() const { return {identity_, changes_}; }

    int columnCount() const { return columns_; }
    int rowCount() const { return rows_; }

    // Keeps the cells that still fit; new cells are empty.
    void setColumnCount(int columns);
    void setRowCount(int rows);
    // Appends one empty row.
    void appendRow();
    // Removes every row from `rows` on, keeping the ones above.
    void truncateRows(int rows) { setRowCount(rows); }

    // The view stays valid until the table is next changed.
    // Inline: the exports and figures read every cell of a large logbook.
    std::string_view cell(int column, int row) const {
        // Checked first: a table without cells has no storage to look into.
        const std::size_t index = indexOf(column, row);
        const Cell& at = storage_->cells[index];
        const unsigned char tag = at.bytes[kInlineLength];
        if (tag != kPooled)
            return std::string_view(reinterpret_cast<const char*>(at.bytes), tag);
        return textOf(*storage_, at);
    }
    void setCell(int column, int row, std::string_view text);
    // Copies the cells of columns [firstColumn, lastColumn] of row `from` into row `to`.
    void copyRow(int from, int to, int firstColumn, int lastColumn);
    // Empties every cell, keeping the shape.
    void clearCells();
    // Makes room for `bytes` of long texts at once, so that filling a large table does not
    // copy its texts again each time the room runs out. Room never written costs no memory.
    void reservePool(std::size_t bytes) { own().pool.reserve(bytes); }
    // The bytes the long texts take now; a table holding the same texts needs at most these.
    std::size_t poolBytes() const { return storage().pool.size(); }

private:
    // A cell in eight bytes: a text of up to seven bytes lies in the cell itself, a longer
    // one in the pool, where the cell holds its offset. A logbook is mostly short texts
    // (readings, prices, derived values), so most cells never touch the pool.
    struct Cell {
        unsigned char bytes[8] = {};
    };
    static constexpr std::size_t kInlineLength = 7;
    // The last byte of a cell: 0..7 the length of a text held inline, kPooled for a text in
    // the pool, whose offset the other seven bytes hold (low byte first).
    static constexpr unsigned char kPooled = 0xFF;

    // The cells column after column: a file holds its cells column by column, and the
    // figures read a column at a time, so both walk through memory in order. Each long text
    // lies in the pool as its length (7 bits a byte, low bits first) and its bytes. Texts
    // that were overwritten stay until the garbage outweighs the rest; then the pool is
    // rebuilt.
    struct Storage {
        std::vector<Cell> cells;
        std::vector<char> pool;
        std::size_t garbage = 0; // bytes of the pool no cell refers to
    };

    // Takes the cells and texts of `other`, leaving it empty.
    void takeFrom(TextTable& other) noexcept;
    std::size_t indexOf(int column, int row) const {
        if (column < 0 || column >= columns_ || row < 0 || row >= rows_)
            throwOutside();
        return static_cast<std::size_t>(column) * static_cast<std::size_t>(capacity_) +
               static_cast<std::size_t>(row);
    }
    [[noreturn]] static void throwOutside();
    const Storage& storage() const;
    // The storage, made this table's own first when a copy shares it.
    Storage& own() {
        if (storage_ && storage_.use_count() == 1) {
            // The last copy may have let go on another thread (the recovery writer): its
            // reads come before the writes that follow here.
            std::atomic_thread_fence(std::memory_order_acquire);
            return *storage_;
        }
        return ownAnew();
    }
    Storage& ownAnew();
    // Lays the cells out anew for `columns` columns of room for `capacity` rows, keeping
    // those that still fit.
    void relayout(int columns, int capacity);
    static std::string_view textOf(const Storage& storage, const Cell& cell);
    static void release(Storage& storage, Cell& cell);
    static void store(Storage& storage, Cell& cell, std::string_view text);
    static void compactPool(Storage& storage, std::size_t extra);
    static void dropPoolIfUnused(Storage& storage);
    void dropPoolIfUnused();

    int columns_ = 0;
    int rows_ = 0;
    int capacity_ = 0; // rows each column has room for
    // Null for a table without cells; shared with the copies that have not changed since.
    std::shared_ptr<Storage> storage_;
    std::uint64_t identity_; // unique per table object and per copy
    std::uint64_t changes_ = 0;
};

} // namespace spritlog
