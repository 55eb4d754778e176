#include "logbook/texttable.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <utility>

namespace spritlog {

namespace {

constexpr std::size_t kInlineLength = 7;
// The last byte of a cell: 0..7 the length of a text held inline, kPooled for a text in
// the pool, whose offset the other seven bytes hold (low byte first).
constexpr unsigned char kPooled = 0xFF;
// Rebuilding the pool visits every cell, so it waits until the garbage outweighs the live
// texts and one byte per cell: the writes that made the garbage pay for the rebuild.
constexpr std::size_t kMinGarbage = 64 * 1024;

std::size_t PrefixLength(std::size_t length) {
    std::size_t bytes = 1;
    while (length >= 0x80) {
        length >>= 7;
        ++bytes;
    }
    return bytes;
}

void AppendText(std::vector<char>& pool, std::string_view text) {
    char prefix[10];
    std::size_t prefixLength = 0;
    std::size_t length = text.size();
    while (length >= 0x80) {
        prefix[prefixLength++] = static_cast<char>(0x80 | (length & 0x7F));
        length >>= 7;
    }
    prefix[prefixLength++] = static_cast<char>(length);
    const std::size_t at = pool.size();
    const std::size_t added = prefixLength + text.size();
    if (pool.capacity() - at < added)
        pool.reserve(std::max(2 * pool.capacity(), at + added));
    pool.resize(at + added);
    std::memcpy(pool.data() + at, prefix, prefixLength);
    std::memcpy(pool.data() + at + prefixLength, text.data(), text.size());
}

bool PointsInto(std::string_view text, const std::vector<char>& pool) {
    if (pool.empty() || text.empty())
        return false;
    const std::less<const char*> before;
    return !before(text.data(), pool.data()) && before(text.data(), pool.data() + pool.size());
}

std::uint64_t NewIdentity() {
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

TextTable::TextTable(int columns, int rows)
    : columns_(std::max(columns, 0)), rows_(std::max(rows, 0)), capacity_(rows_),
      cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_)),
      identity_(NewIdentity()) {}

TextTable::TextTable(const TextTable& other)
    : columns_(other.columns_), rows_(other.rows_), capacity_(other.capacity_),
      cells_(other.cells_), pool_(other.pool_), garbage_(other.garbage_), identity_(NewIdentity()) {
}

TextTable::TextTable(TextTable&& other) noexcept : identity_(NewIdentity()) {
    takeFrom(other);
}

TextTable& TextTable::operator=(const TextTable& other) {
    if (this != &other) {
        TextTable copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TextTable& TextTable::operator=(TextTable&& other) noexcept {
    if (this != &other) {
        takeFrom(other);
        identity_ = NewIdentity();
        changes_ = 0;
    }
    return *this;
}

void TextTable::takeFrom(TextTable& other) noexcept {
    columns_ = std::exchange(other.columns_, 0);
    rows_ = std::exchange(other.rows_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    cells_ = std::move(other.cells_);
    pool_ = std::move(other.pool_);
    garbage_ = std::exchange(other.garbage_, 0);
    other.cells_.clear();
    other.pool_.clear();
    // What is left of `other` is another state of it.
    ++other.changes_;
}

std::size_t TextTable::indexOf(int column, int row) const {
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_)
        throw std::out_of_range("cell outside the table");
    return static_cast<std::size_t>(column) * static_cast<std::size_t>(capacity_) +
           static_cast<std::size_t>(row);
}

std::string_view TextTable::textOf(const Cell& cell) const {
    const unsigned char tag = cell.bytes[kInlineLength];
    if (tag != kPooled)
        return std::string_view(reinterpret_cast<const char*>(cell.bytes), tag);
    std::size_t offset = 0;
    for (std::size_t i = 0; i < kInlineLength; ++i)
        offset |= static_cast<std::size_t>(cell.bytes[i]) << (8 * i);
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const unsigned char byte = static_cast<unsigned char>(pool_[offset++]);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if (byte < 0x80)
            break;
    }
    return std::string_view(pool_.data() + offset, length);
}

void TextTable::release(Cell& cell) {
    if (cell.bytes[kInlineLength] == kPooled) {
        const std::size_t length = textOf(cell).size();
        garbage_ += PrefixLength(length) + length;
    }
    cell = Cell{};
}

// `cell` is empty and `text` lies outside the pool.
void TextTable::store(Cell& cell, std::string_view text) {
    if (text.size() <= kInlineLength) {
        if (!text.empty())
            std::memcpy(cell.bytes, text.data(), text.size());
        cell.bytes[kInlineLength] = static_cast<unsigned char>(text.size());
        return;
    }
    const std::size_t live = pool_.size() - garbage_;
    if (garbage_ > live + cells_.size() + kMinGarbage)
        compactPool(PrefixLength(text.size()) + text.size());
    const std::size_t offset = pool_.size();
    AppendText(pool_, text);
    for (std::size_t i = 0; i < kInlineLength; ++i)
        cell.bytes[i] = static_cast<unsigned char>(offset >> (8 * i));
    cell.bytes[kInlineLength] = kPooled;
}

void TextTable::compactPool(std::size_t extra) {
    std::vector<char> pool;
    pool.reserve(pool_.size() - garbage_ + extra);
    for (Cell& cell : cells_) {
        if (cell.bytes[kInlineLength] != kPooled)
            continue;
        const std::size_t offset = pool.size();
        AppendText(pool, textOf(cell));
        for (std::size_t i = 0; i < kInlineLength; ++i)
            cell.bytes[i] = static_cast<unsigned char>(offset >> (8 * i));
    }
    pool_.swap(pool);
    garbage_ = 0;
}

void TextTable::dropPoolIfUnused() {
    if (garbage_ == pool_.size() && !pool_.empty()) {
        std::vector<char>().swap(pool_);
        garbage_ = 0;
    }
}

void TextTable::relayout(int columns, int capacity) {
    std::vector<Cell> cells(static_cast<std::size_t>(columns) * static_cast<std::size_t>(capacity));
    const int keptRows = std::min(rows_, capacity);
    for (int c = 0; c < columns_; ++c) {
        Cell* column = cells_.data() + static_cast<std::size_t>(c) * capacity_;
        if (c < columns)
            std::copy(column, column + keptRows,
                      cells.data() + static_cast<std::size_t>(c) * capacity);
        for (int r = c < columns ? keptRows : 0; r < rows_; ++r)
            release(column[r]);
    }
    cells_ = std::move(cells);
    columns_ = columns;
    capacity_ = capacity;
    rows_ = keptRows;
}

void TextTable::setColumnCount(int columns) {
    ++changes_;
    columns = std::max(columns, 0);
    if (columns == columns_)
        return;
    relayout(columns, capacity_);
    dropPoolIfUnused();
}

void TextTable::setRowCount(int rows) {
    ++changes_;
    rows = std::max(rows, 0);
    if (rows > capacity_) {
        // One row at a time (a record typed at the end) grows the room by half, so that
        // appending stays cheap; a load asks for its rows at once and gets them exactly.
        const int grown = rows == rows_ + 1 ? rows_ + rows_ / 2 + 1 : rows;
        relayout(columns_, std::max(rows, grown));
    } else if (rows < rows_) {
        // The cells beyond the rows stay empty, so that growing again finds them so.
        for (int c = 0; c < columns_; ++c) {
            Cell* column = cells_.data() + static_cast<std::size_t>(c) * capacity_;
            for (int r = rows; r < rows_; ++r)
                release(column[r]);
        }
        rows_ = rows;
        // A table that shrank far gives its memory back (a large logbook replaced by a small
        // one).
        if (capacity_ > 2 * rows + 1024)
            relayout(columns_, rows);
    }
    rows_ = rows;
    dropPoolIfUnused();
}

void TextTable::appendRow() {
    setRowCount(rows_ + 1);
}

std::string_view TextTable::cell(int column, int row) const {
    return textOf(cells_[indexOf(column, row)]);
}

void TextTable::setCell(int column, int row, std::string_view text) {
    Cell& cell = cells_[indexOf(column, row)];
    ++changes_;
    if (text.size() <= kInlineLength) {
        // `text` may be this very cell or lie in the pool: take it before the cell changes.
        Cell fresh;
        if (!text.empty())
            std::memcpy(fresh.bytes, text.data(), text.size());
        fresh.bytes[kInlineLength] = static_cast<unsigned char>(text.size());
        if (cell.bytes[kInlineLength] == kPooled) {
            release(cell);
            cell = fresh;
            dropPoolIfUnused();
        } else {
            cell = fresh;
        }
        return;
    }
    if (PointsInto(text, pool_)) {
        // The pool may move while the text is added to it.
        const std::string copy(text);
        release(cell);
        store(cell, copy);
        return;
    }
    release(cell);
    store(cell, text);
}

void TextTable::copyRow(int from, int to, int firstColumn, int lastColumn) {
    for (int c = firstColumn; c <= lastColumn; ++c)
        setCell(c, to, cell(c, from));
}

void TextTable::clearCells() {
    ++changes_;
    std::fill(cells_.begin(), cells_.end(), Cell{});
    std::vector<char>().swap(pool_);
    garbage_ = 0;
}

} // namespace spritlog
