#pragma once
// Rows of text cells in one of two storages behind the same operations.
// Packed (the workbench's result tables): a sweep may hold millions of candidates, so a row is one run of
// length-prefixed cells in a chunked pool plus one 8-byte reference; rows are only ever appended, and a
// rewritten cell stores its row anew. Editable (panels, the option grid, layer tables): one string per
// cell, rewritten in place, so a small grid recomputed for every sweep candidate keeps its size.
// Reordering rows (sorting, reversing) moves only the references. A copy shares the row references too
// until either table changes its rows, so a worker can read a snapshot of millions of rows the window
// hands it at no cost to the window. Cells cannot contain NUL.
#include "framework/huge_page_allocator.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

class TextTable {
public:
    enum class Storage { Packed, Editable };

    explicit TextTable(std::size_t columns = 0, Storage storage = Storage::Packed);
    TextTable(const TextTable& other);
    TextTable& operator=(const TextTable& other);
    TextTable(TextTable&&) noexcept = default;
    TextTable& operator=(TextTable&&) noexcept = default;

    std::size_t columnCount() const { return columns_; }
    Storage storage() const { return storage_; }
    std::size_t rowCount() const { return refs().size(); }
    bool empty() const { return refs().empty(); }

    std::string_view cell(std::size_t row, std::size_t column) const;
    std::vector<std::string> row(std::size_t row) const;
    // Every cell of a row at once (one walk through it); out has room for columnCount() cells.
    void cells(std::size_t row, std::span<std::string_view> out) const;
    // Asks the processor to fetch a row that is about to be read (rows in sorted order lie anywhere).
    void prefetch(std::size_t row) const {
        if (storage_ == Storage::Packed && row < refs().size()) __builtin_prefetch(rowStart(row));
    }

    // A row of any other number of cells than columnCount() throws std::invalid_argument: a row built
    // for other columns would otherwise show as shifted cells.
    void appendRow(std::span<const std::string_view> cells);
    void appendRow(std::initializer_list<std::string_view> cells);
    // Appends a row of the given first cells and the rest empty (a new layer row: its number and the
    // defaults of its leading columns); more cells than columns throw std::invalid_argument.
    void appendLeadingCells(std::span<const std::string_view> cells);
    void appendLeadingCells(std::initializer_list<std::string_view> cells);
    // Appends row `row` of `other`; another column count throws std::invalid_argument.
    void appendRowFrom(const TextTable& other, std::size_t row);
    // A table of the given rows of this one, in that order; packed rows are shared, not copied.
    TextTable selectRows(std::span<const std::uint32_t> rows) const;
    // Appends every row of other (emptied), moving its storage rather than copying when both are packed.
    void appendTable(TextTable&& other);
    void setCell(std::size_t row, std::size_t column, std::string_view text);
    void clear();
    void reserve(std::size_t rows) { ownRefs().reserve(rows); }
    // Gives back to the system the memory of the room no row uses yet, in the pool's chunks; appending
    // afterwards still works, at the cost of taking that memory again.
    void releaseSpareRoom();

    // Reorders rows so that row i becomes the old row order[i].
    void permute(std::span<const std::uint32_t> order);
    void reverse();

    // Bytes held for cell texts and row references (what the table costs in memory).
    std::size_t bytesHeld() const;

private:
    using RowRef = std::uint64_t; // packed: chunk index << 32 | offset in chunk; editable: row slot
    using RowRefs = LargeVector<RowRef>;
    static constexpr std::size_t chunkSize = largeBlock;

    // The row references, read; none for a table without rows (or moved from).
    const RowRefs& refs() const {
        static const RowRefs none;
        return rows_ ? *rows_ : none;
    }
    // The row references, to change: this table's own, copied first when a copy shares them.
    RowRefs& ownRefs();

    const char* rowStart(std::size_t row) const;
    // Room for a row of `bytes` bytes at the end of the pool; ref tells where it is.
    char* reserveRow(std::size_t bytes, RowRef& ref);
    RowRef store(std::span<const std::string_view> cells);

    std::size_t columns_;
    Storage storage_;
    std::vector<std::string> cells_; // editable storage, row slot by row slot
    std::vector<std::shared_ptr<char[]>> chunks_;
    std::vector<std::size_t> chunkSizes_;      // bytes used, per chunk
    std::vector<std::size_t> chunkCapacities_; // chunkSize, or more for a single huge row
    std::shared_ptr<RowRefs> rows_; // shared with copies; changed only while this table alone holds it
};

} // namespace qianyan
