#include "cli/pile_table.h"

#include "framework/utf8.h"
#include "platform/legacy_text_file.h"

namespace qianyan {

namespace {

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

} // namespace

std::string decodeTableText(std::string_view bytes) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (bytes.starts_with(bom)) bytes.remove_prefix(bom.size());
    return validUtf8(bytes) ? std::string(bytes) : fromGbk(bytes);
}

std::vector<TableRecord> parseTable(std::string_view text) {
    const std::string_view firstLine = text.substr(0, text.find('\n'));
    const char separator = firstLine.find('\t') != std::string_view::npos ? '\t' : ',';
    std::vector<TableRecord> records;
    TableRecord record{1, {}};
    std::string cell;
    bool quoted = false, wasQuoted = false;
    std::size_t line = 1;
    const auto endCell = [&] {
        record.cells.push_back(wasQuoted ? cell : trimmed(cell));
        cell.clear();
        wasQuoted = false;
    };
    const auto endRecord = [&] {
        endCell();
        const bool blank = record.cells.size() == 1 && record.cells[0].empty();
        if (!blank) records.push_back(std::move(record));
        record = {line, {}};
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                cell += c;
            }
        } else if (c == '"' && trimmed(cell).empty()) {
            cell.clear();
            quoted = wasQuoted = true;
        } else if (c == separator) {
            endCell();
        } else if (c == '\n') {
            ++line;
            endRecord();
        } else if (c != '\r') {
            cell += c;
        }
    }
    endRecord();
    return records;
}

} // namespace qianyan
