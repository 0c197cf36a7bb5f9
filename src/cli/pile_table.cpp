#include "cli/pile_table.h"

#include "framework/utf8.h"

namespace qianyan {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool validUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = decodeUtf8(text, i);
        if (c.codePoint == U'\uFFFD' && c.length == 1) return false;
        i += c.length;
    }
    return true;
}

std::string trimmed(std::string_view cell) {
    const std::size_t first = cell.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(cell.substr(first, cell.find_last_not_of(" \t") - first + 1));
}

char separatorOf(std::string_view firstLine) {
    return firstLine.find('\t') != std::string_view::npos ? '\t' : ',';
}

// Where the complete lines of text end (after the last line end); 0 when none does. A line end is never
// part of a character in UTF-8 or GBK, so complete lines decode the same apart as in the whole.
std::size_t completeLines(std::string_view text) {
    const std::size_t end = text.rfind('\n');
    return end == std::string_view::npos ? 0 : end + 1;
}

// Drops a byte-order mark at the start of a file's first bytes; false while they may yet be one in part
// (the first block too short to tell), so more must be read first.
bool dropByteOrderMark(std::string& start, bool end) {
    if (!end && start.size() < byteOrderMark.size() && byteOrderMark.starts_with(start)) return false;
    if (start.starts_with(byteOrderMark)) start.erase(0, byteOrderMark.size());
    return true;
}

} // namespace

std::string decodeTableText(std::string_view bytes) {
    if (bytes.starts_with(byteOrderMark)) bytes.remove_prefix(byteOrderMark.size());
    return validUtf8(bytes) ? std::string(bytes) : fromGbk(bytes);
}

std::vector<TableRecord> parseTable(std::string_view text) {
    TableParser parser(separatorOf(text.substr(0, text.find('\n'))));
    std::vector<TableRecord> records;
    parser.feed(text, records);
    parser.finish(records);
    return records;
}

void TableParser::endCell() {
    record_.cells.push_back(wasQuoted_ ? cell_ : trimmed(cell_));
    cell_.clear();
    wasQuoted_ = false;
}

void TableParser::endRecord(std::vector<TableRecord>& records) {
    endCell();
    const bool blank = record_.cells.size() == 1 && record_.cells[0].empty();
    if (!blank) records.push_back(std::move(record_));
    record_ = {line_, {}};
}

void TableParser::feed(std::string_view text, std::vector<TableRecord>& records) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted_) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell_ += '"';
                ++i;
            } else if (c == '"') {
                quoted_ = false;
            } else {
                if (c == '\n') ++line_;
                cell_ += c;
            }
        } else if (c == '"' && trimmed(cell_).empty()) {
            cell_.clear();
            quoted_ = wasQuoted_ = true;
        } else if (c == separator_) {
            endCell();
        } else if (c == '\n') {
            ++line_;
            endRecord(records);
        } else if (c != '\r') {
            cell_ += c;
        }
    }
}

void TableParser::finish(std::vector<TableRecord>& records) {
    endRecord(records);
}

TableReader::TableReader(std::string path, std::size_t limit) : path_(std::move(path)), limit_(limit) {
    FileBlocks file(path_, limit_);
    std::string lines;
    bool first = true;
    const auto check = [&](bool end) {
        if (first) {
            if (!dropByteOrderMark(lines, end)) return;
            const std::size_t lineEnd = lines.find('\n');
            if (lineEnd == std::string::npos && !end) return;
            separator_ = separatorOf(std::string_view(lines).substr(0, lineEnd));
            first = false;
        }
        const std::size_t complete = end ? lines.size() : completeLines(lines);
        utf8_ = utf8_ && validUtf8(std::string_view(lines).substr(0, complete));
        lines.erase(0, complete);
    };
    for (std::string_view block = file.next(); !block.empty(); block = file.next()) {
        lines += block;
        check(false);
    }
    check(true);
    rewind();
}

void TableReader::rewind() {
    file_ = std::make_unique<FileBlocks>(path_, limit_);
    pending_.clear();
    parser_ = TableParser(separator_);
    parsed_.clear();
    taken_ = 0;
    ended_ = false;
    atStart_ = true;
}

void TableReader::parsePending(bool end) {
    if (atStart_) {
        if (!dropByteOrderMark(pending_, end)) return;
        atStart_ = false;
    }
    const std::size_t complete = end ? pending_.size() : completeLines(pending_);
    const std::string_view lines = std::string_view(pending_).substr(0, complete);
    if (utf8_)
        parser_.feed(lines, parsed_);
    else
        parser_.feed(fromGbk(lines), parsed_);
    pending_.erase(0, complete);
    if (end) parser_.finish(parsed_);
}

bool TableReader::next(TableRecord& record) {
    while (taken_ == parsed_.size() && !ended_) {
        parsed_.clear();
        taken_ = 0;
        const std::string_view block = file_->next();
        pending_ += block;
        ended_ = block.empty();
        parsePending(ended_);
    }
    if (taken_ == parsed_.size()) return false;
    record = std::move(parsed_[taken_++]);
    return true;
}

} // namespace qianyan
