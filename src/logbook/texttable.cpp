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
      identity_(NewIdentity()) {
    const std::size_t cells = static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_);
    if (cells > 0) {
        storage_ = std::make_shared<Storage>();
        storage_->cells.resize(cells);
    }
}

TextTable::TextTable(const TextTable& other)
    : columns_(other.columns_), rows_(other.rows_), capacity_(other.capacity_),
      storage_(other.storage_), identity_(NewIdentity()) {}

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
    storage_ = std::move(other.storage_);
    other.storage_.reset();
    // What is left of `other` is another state of it.
    ++other.changes_;
}

const TextTable::Storage& TextTable::storage() const {
    static const Storage kNone;
    return storage_ ? *storage_ : kNone;
}

TextTable::Storage& TextTable::ownAnew() {
    storage_ = storage_ ? std::make_shared<Storage>(*storage_) : std::make_shared<Storage>();
    return *storage_;
}

void TextTable::throwOutside() {
    throw std::out_of_range("cell outside the table");
}

std::string_view TextTable::textOf(const Storage& storage, const Cell& cell) {
    const unsigned char tag = cell.bytes[kInlineLength];
    if (tag != kPooled)
        return std::string_view(reinterpret_cast<const char*>(cell.bytes), tag);
    std::size_t offset = 0;
    for (std::size_t i = 0; i < kInlineLength; ++i)
        offset |= static_cast<std::size_t>(cell.bytes[i]) << (8 * i);
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const unsigned char byte = static_cast<unsigned char>(storage.pool[offset++]);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if (byte < 0x80)
            break;
    }
    return std::string_view(storage.pool.data() + offset, length);
}

void TextTable::release(Storage& storage, Cell& cell) {
    if (cell.bytes[kInlineLength] == kPooled) {
        const std::size_t length = textOf(storage, cell).size();
        storage.garbage += PrefixLength(length) + length;
    }
    cell = Cell{};
}

// `cell` is empty and `text` lies outside the pool.
void TextTable::store(Storage& storage, Cell& cell, std::string_view text) {
    if (text.size() <= kInlineLength) {
        if (!text.empty())
            std::memcpy(cell.bytes, text.data(), text.size());
        cell.bytes[kInlineLength] = static_cast<unsigned char>(text.size());
        return;
    }
    const std::size_t live = storage.pool.size() - storage.garbage;
    if (storage.garbage > live + storage.cells.size() + kMinGarbage)
        compactPool(storage, PrefixLength(text.size()) + text.size());
    const std::size_t offset = storage.pool.size();
    AppendText(storage.pool, text);
    for (std::size_t i = 0; i < kInlineLength; ++i)
        cell.bytes[i] = static_cast<unsigned char>(offset >> (8 * i));
    cell.bytes[kInlineLength] = kPooled;
}

void TextTable::compactPool(Storage& storage, std::size_t extra) {
    std::vector<char> pool;
    pool.reserve(storage.pool.size() - storage.garbage + extra);
    for (Cell& cell : storage.cells) {
        if (cell.bytes[kInlineLength] != kPooled)
            continue;
        const std::size_t offset = pool.size();
        AppendText(pool, textOf(storage, cell));
        for (std::size_t i = 0; i < kInlineLength; ++i)
            cell.bytes[i] = static_cast<unsigned char>(offset >> (8 * i));
    }
    storage.pool.swap(pool);
    storage.garbage = 0;
}

void TextTable::dropPoolIfUnused(Storage& storage) {
    if (storage.garbage == storage.pool.size() && !storage.pool.empty()) {
        std::vector<char>().swap(storage.pool);
        storage.garbage = 0;
    }
}

void TextTable::relayout(int columns, int capacity) {
    // A table shared with a copy leaves its cells to the copy and lays out copies of them.
    const bool shared = storage_ && storage_.use_count() > 1;
    if (storage_ && !shared)
        own();
    const Storage& from = storage();
    auto laidOut = std::make_shared<Storage>();
    laidOut->cells.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(capacity));
    const int keptRows = std::min(rows_, capacity);
    // The texts of the cells left behind stay in the pool as garbage.
    std::size_t dropped = 0;
    for (int c = 0; c < columns_; ++c) {
        const Cell* column = from.cells.data() + static_cast<std::size_t>(c) * capacity_;
        if (c < columns)
            std::copy(column, column + keptRows,
                      laidOut->cells.data() + static_cast<std::size_t>(c) * capacity);
        for (int r = c < columns ? keptRows : 0; r < rows_; ++r) {
            if (column[r].bytes[kInlineLength] == kPooled) {
                const std::size_t length = textOf(from, column[r]).size();
                dropped += PrefixLength(length) + length;
            }
        }
    }
    laidOut->garbage = from.garbage + dropped;
    if (shared)
        laidOut->pool = from.pool;
    else if (storage_)
        laidOut->pool = std::move(storage_->pool);
    storage_ = std::move(laidOut);
    columns_ = columns;
    capacity_ = capacity;
    rows_ = keptRows;
}

void TextTable::dropPoolIfUnused() {
    const Storage& current = storage();
    if (current.garbage == current.pool.size() && !current.pool.empty())
        dropPoolIfUnused(own());
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
        Storage& storage = own();
        for (int c = 0; c < columns_; ++c) {
            Cell* column = storage.cells.data() + static_cast<std::size_t>(c) * capacity_;
            for (int r = rows; r < rows_; ++r)
                release(storage, column[r]);
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

void TextTable::setCell(int column, int row, std::string_view text) {
    const std::size_t index = indexOf(column, row);
    // `text` may lie in the storage this table shares: a copy still holding it keeps it.
    Storage& storage = own();
    Cell& cell = storage.cells[index];
    ++changes_;
    if (text.size() <= kInlineLength) {
        // `text` may be this very cell or lie in the pool: take it before the cell changes.
        Cell fresh;
        if (!text.empty())
            std::memcpy(fresh.bytes, text.data(), text.size());
        fresh.bytes[kInlineLength] = static_cast<unsigned char>(text.size());
        if (cell.bytes[kInlineLength] == kPooled) {
            release(storage, cell);
            cell = fresh;
            dropPoolIfUnused(storage);
        } else {
            cell = fresh;
        }
        return;
    }
    if (PointsInto(text, storage.pool)) {
        // The pool may move while the text is added to it.
        const std::string copy(text);
        release(storage, cell);
        store(storage, cell, copy);
        return;
    }
    release(storage, cell);
    store(storage, cell, text);
}

void TextTable::copyRow(int from, int to, int firstColumn, int lastColumn) {
    for (int c = firstColumn; c <= lastColumn; ++c)
        setCell(c, to, cell(c, from));
}

void TextTable::clearCells() {
    ++changes_;
    if (!storage_)
        return;
    if (storage_.use_count() > 1) {
        // The copy keeps the texts; this table starts from empty cells of the same shape.
        auto cleared = std::make_shared<Storage>();
        cleared->cells.resize(storage_->cells.size());
        storage_ = std::move(cleared);
        return;
    }
    Storage& storage = own();
    std::fill(storage.cells.begin(), storage.cells.end(), Cell{});
    std::vector<char>().swap(storage.pool);
    storage.garbage = 0;
}

} // namespace spritlog
