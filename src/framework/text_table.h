#pragma once
// Rows of text cells, packed: a workbench sweep may hold a million candidates, so a row is one run of
// NUL-separated cells in a chunked pool plus one 8-byte reference. Reordering rows (sorting, reversing)
// moves only the references. Cells cannot contain NUL.
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
    explicit TextTable(std::size_t columns = 0);
    TextTable(const TextTable& other);
    TextTable& operator=(const TextTable& other);
    TextTable(TextTable&&) noexcept = default;
    TextTable& operator=(TextTable&&) noexcept = default;

    std::size_t columnCount() const { return columns_; }
    std::size_t rowCount() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }

    std::string_view cell(std::size_t row, std::size_t column) const;
    std::vector<std::string> row(std::size_t row) const;

    // Missing cells are empty, surplus ones ignored.
    void appendRow(std::span<const std::string_view> cells);
    void appendRow(std::initializer_list<std::string_view> cells);
    // Appends row `row` of `other`, which has the same column count.
    void appendRowFrom(const TextTable& other, std::size_t row);
    void setCell(std::size_t row, std::size_t column, std::string_view text);
    void clear();
    void reserve(std::size_t rows) { rows_.reserve(rows); }

    // Reorders rows so that row i becomes the old row order[i].
    void permute(std::span<const std::uint32_t> order);
    void reverse();

    // Bytes held for cell texts and row references (what the table costs in memory).
    std::size_t bytesHeld() const;

private:
    using RowRef = std::uint64_t; // chunk index << 32 | offset in chunk
    static constexpr std::size_t chunkSize = 1u << 20;

    const char* rowStart(std::size_t row) const;
    // Room for a row of `bytes` bytes at the end of the pool; ref tells where it is.
    char* reserveRow(std::size_t bytes, RowRef& ref);
    RowRef store(std::span<const std::string_view> cells);

    std::size_t columns_;
    std::vector<std::unique_ptr<char[]>> chunks_;
    std::vector<std::size_t> chunkSizes_;      // bytes used, per chunk
    std::vector<std::size_t> chunkCapacities_; // chunkSize, or more for a single huge row
    std::vector<RowRef> rows_;
};

} // namespace qianyan
