#include "framework/text_table.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace qianyan {

TextTable::TextTable(std::size_t columns, Storage storage) : columns_(columns), storage_(storage) {}

// A copy shares the packed chunks: their written bytes never change (a rewritten cell stores its row
// anew), and no table appends into a chunk it shares. It shares the row references as well, until one of
// the two changes them (ownRefs).
TextTable::TextTable(const TextTable& other) = default;

TextTable& TextTable::operator=(const TextTable& other) {
    if (this != &other) {
        TextTable copy(other);
        *this = std::move(copy);
    }
    return *this;
}

namespace {

// A packed cell: its length in one byte (or 255 and four more bytes for a longer one), then its bytes.
// Finding a cell skips the cells before it by their lengths, without reading their texts.
constexpr unsigned char longCell = 255;

std::size_t packedSize(std::string_view text) {
    return text.size() + (text.size() < longCell ? 1 : 5);
}

char* writePacked(char* p, std::string_view text) {
    if (text.size() < longCell) {
        *p++ = static_cast<char>(text.size());
    } else {
        *p++ = static_cast<char>(longCell);
        const auto length = static_cast<std::uint32_t>(text.size());
        std::memcpy(p, &length, 4);
        p += 4;
    }
    if (!text.empty()) std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

std::string_view readPacked(const char*& p) {
    std::size_t length = static_cast<unsigned char>(*p++);
    if (length == longCell) {
        std::uint32_t longLength = 0;
        std::memcpy(&longLength, p, 4);
        p += 4;
        length = longLength;
    }
    const std::string_view text(p, length);
    p += length;
    return text;
}

void skipPacked(const char*& p) {
    const std::size_t length = static_cast<unsigned char>(*p);
    if (length < longCell) {
        p += 1 + length;
        return;
    }
    readPacked(p);
}

} // namespace

TextTable::RowRefs& TextTable::ownRefs() {
    // A count of one cannot grow meanwhile: only this table could hand its references to a copy.
    if (!rows_)
        rows_ = std::make_shared<RowRefs>();
    else if (rows_.use_count() > 1)
        rows_ = std::make_shared<RowRefs>(*rows_);
    return *rows_;
}

const char* TextTable::rowStart(std::size_t row) const {
    const RowRef ref = (*rows_)[row];
    return chunks_[ref >> 32].get() + (ref & 0xFFFFFFFFu);
}

std::string_view TextTable::cell(std::size_t row, std::size_t column) const {
    if (storage_ == Storage::Editable)
        return column < columns_ ? std::string_view(cells_[refs().at(row) * columns_ + column])
                                 : std::string_view();
    if (column >= columns_) return {};
    if (row >= refs().size()) return {};
    const char* p = rowStart(row);
    for (std::size_t c = 0; c < column; ++c) skipPacked(p);
    return readPacked(p);
}

std::vector<std::string> TextTable::row(std::size_t row) const {
    std::vector<std::string> cells;
    cells.reserve(columns_);
    if (storage_ == Storage::Editable) {
        for (std::size_t c = 0; c < columns_; ++c) cells.emplace_back(cell(row, c));
        return cells;
    }
    const char* p = rowStart(row);
    for (std::size_t c = 0; c < columns_; ++c) cells.emplace_back(readPacked(p));
    return cells;
}

void TextTable::cells(std::size_t row, std::span<std::string_view> out) const {
    if (storage_ == Storage::Editable) {
        for (std::size_t c = 0; c < columns_ && c < out.size(); ++c) out[c] = cell(row, c);
        return;
    }
    const char* p = rowStart(row);
    for (std::size_t c = 0; c < columns_ && c < out.size(); ++c) out[c] = readPacked(p);
}

char* TextTable::reserveRow(std::size_t bytes, RowRef& ref) {
    if (chunks_.empty() || chunkSizes_.back() + bytes > chunkCapacities_.back() ||
        chunks_.back().use_count() > 1) {
        const std::size_t capacity = std::max(chunkSize, bytes);
        // Every byte is written before it is read, so the chunk is not cleared first.
        chunks_.push_back(
            std::shared_ptr<char[]>(HugePageAllocator<char>().allocate(capacity), [capacity](char* p) {
                HugePageAllocator<char>().deallocate(p, capacity);
            }));
        chunkSizes_.push_back(0);
        chunkCapacities_.push_back(capacity);
    }
    ref = (static_cast<RowRef>(chunks_.size() - 1) << 32) | chunkSizes_.back();
    char* p = chunks_.back().get() + chunkSizes_.back();
    chunkSizes_.back() += bytes;
    return p;
}

namespace {

// A cell ends at a NUL, in both storages (a text from outside may carry one).
std::string_view cellText(std::span<const std::string_view> cells, std::size_t c) {
    return cells[c].substr(0, cells[c].find('\0'));
}

} // namespace

TextTable::RowRef TextTable::store(std::span<const std::string_view> cells) {
    if (cells.size() != columns_)
        throw std::invalid_argument("a row of " + std::to_string(cells.size()) + " cells for a table of " +
                                    std::to_string(columns_) + " columns");
    if (storage_ == Storage::Editable) {
        const RowRef slot = cells_.size() / std::max<std::size_t>(columns_, 1);
        for (std::size_t c = 0; c < columns_; ++c) cells_.emplace_back(cellText(cells, c));
        return slot;
    }
    std::size_t bytes = 0;
    for (std::size_t c = 0; c < columns_; ++c) bytes += packedSize(cellText(cells, c));
    RowRef ref = 0;
    char* p = reserveRow(bytes, ref);
    for (std::size_t c = 0; c < columns_; ++c) p = writePacked(p, cellText(cells, c));
    return ref;
}

void TextTable::appendRow(std::span<const std::string_view> cells) {
    const RowRef ref = store(cells);
    ownRefs().push_back(ref);
}

void TextTable::appendRow(std::initializer_list<std::string_view> cells) {
    appendRow(std::span<const std::string_view>(cells.begin(), cells.size()));
}

void TextTable::appendLeadingCells(std::span<const std::string_view> cells) {
    if (cells.size() > columns_) appendRow(cells); // refused as any row of the wrong length
    std::vector<std::string_view> row(cells.begin(), cells.end());
    row.resize(columns_);
    appendRow(row);
}

void TextTable::appendLeadingCells(std::initializer_list<std::string_view> cells) {
    appendLeadingCells(std::span<const std::string_view>(cells.begin(), cells.size()));
}

void TextTable::appendRowFrom(const TextTable& other, std::size_t row) {
    if (other.columns_ != columns_) throw std::invalid_argument("a row of a table of other columns");
    if (storage_ == Storage::Editable || other.storage_ == Storage::Editable) {
        std::vector<std::string_view> cells;
        for (std::size_t c = 0; c < other.columns_; ++c) cells.push_back(other.cell(row, c));
        appendRow(cells);
        return;
    }
    // The row's cells are one run of bytes, copied whole.
    const char* start = other.rowStart(row);
    const char* end = start;
    for (std::size_t c = 0; c < other.columns_; ++c) skipPacked(end);
    const auto bytes = static_cast<std::size_t>(end - start);
    RowRef ref = 0;
    std::memcpy(reserveRow(bytes, ref), start, bytes);
    ownRefs().push_back(ref);
}

TextTable TextTable::selectRows(std::span<const std::uint32_t> rows) const {
    TextTable selected(columns_, storage_);
    if (storage_ == Storage::Editable) {
        for (const std::uint32_t r : rows) selected.appendRowFrom(*this, r);
        return selected;
    }
    selected.chunks_ = chunks_;
    selected.chunkSizes_ = chunkSizes_;
    selected.chunkCapacities_ = chunkCapacities_;
    RowRefs& selectedRefs = selected.ownRefs();
    selectedRefs.reserve(rows.size());
    for (const std::uint32_t r : rows) selectedRefs.push_back(refs().at(r));
    return selected;
}

void TextTable::appendTable(TextTable&& other) {
    if (storage_ == Storage::Editable || other.storage_ == Storage::Editable || other.columns_ != columns_) {
        for (std::size_t r = 0; r < other.rowCount(); ++r) appendRowFrom(other, r);
        return;
    }
    // The other table's chunks become this table's, after its own; its rows point into them.
    const auto shift = static_cast<RowRef>(chunks_.size()) << 32;
    RowRefs& own = ownRefs();
    own.reserve(own.size() + other.rowCount());
    // References the other table alone holds give their memory back as they are copied, so that the
    // two lists of a million-row merge never stand whole side by side.
    const RowRefs& theirs = other.refs();
    const bool release = other.rows_.use_count() == 1 && theirs.capacity() * sizeof(RowRef) >= largeBlock;
    constexpr std::size_t perBlock = largeBlock / sizeof(RowRef);
    for (std::size_t from = 0; from < theirs.size(); from += perBlock) {
        const std::size_t to = std::min(theirs.size(), from + perBlock);
        for (std::size_t r = from; r < to; ++r) own.push_back(theirs[r] + shift);
        if (release) releaseLarge(theirs.data() + from, (to - from) * sizeof(RowRef));
    }
    for (std::size_t i = 0; i < other.chunks_.size(); ++i) {
        chunks_.push_back(std::move(other.chunks_[i]));
        chunkSizes_.push_back(other.chunkSizes_[i]);
        chunkCapacities_.push_back(other.chunkCapacities_[i]);
    }
    other.clear();
}

void TextTable::releaseSpareRoom() {
    // Only the table's owner writes into a chunk, and only past its used bytes, each byte before it is
    // read: room given back is simply taken again, cleared, when a row goes there.
    for (std::size_t i = 0; i < chunks_.size(); ++i)
        releaseLarge(chunks_[i].get() + chunkSizes_[i], chunkCapacities_[i] - chunkSizes_[i]);
}

void TextTable::setCell(std::size_t row, std::size_t column, std::string_view text) {
    if (storage_ == Storage::Editable) {
        if (column < columns_)
            cells_[refs().at(row) * columns_ + column].assign(text.substr(0, text.find('\0')));
        return;
    }
    std::vector<std::string> cells = this->row(row);
    if (column >= columns_) return;
    cells[column] = std::string(text);
    std::vector<std::string_view> views(cells.begin(), cells.end());
    const RowRef ref = store(views);
    ownRefs()[row] = ref;
}

void TextTable::clear() {
    cells_.clear();
    cells_.shrink_to_fit();
    rows_.reset();
    chunks_.clear();
    chunkSizes_.clear();
    chunkCapacities_.clear();
}

void TextTable::permute(std::span<const std::uint32_t> order) {
    // Into new references: the old ones may be a copy's too.
    auto reordered = std::make_shared<RowRefs>();
    reordered->reserve(order.size());
    for (const std::uint32_t i : order) reordered->push_back(refs().at(i));
    rows_ = std::move(reordered);
}

void TextTable::reverse() {
    if (rows_ && rows_.use_count() > 1) {
        rows_ = std::make_shared<RowRefs>(rows_->rbegin(), rows_->rend());
        return;
    }
    if (rows_) std::reverse(rows_->begin(), rows_->end());
}

std::size_t TextTable::bytesHeld() const {
    std::size_t bytes = refs().capacity() * sizeof(RowRef);
    for (const std::size_t capacity : chunkCapacities_) bytes += capacity;
    bytes += cells_.capacity() * sizeof(std::string);
    for (const std::string& cell : cells_)
        if (cell.capacity() > std::string().capacity()) bytes += cell.capacity() + 1;
    return bytes;
}

} // namespace qianyan
