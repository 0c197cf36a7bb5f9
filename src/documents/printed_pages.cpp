#include "documents/printed_pages.h"

#include "framework/calculation_sheet.h"
#include "framework/text_layout.h"
#include "framework/utf8.h"

#include <algorithm>

namespace qianyan {

namespace {

// The fewest columns a row keeps for the line after the continuation mark.
constexpr int narrowestRow = 8;

// The sheet's lines with their kinds and printed heights, and where a page may end.
class SheetStructure {
public:
    SheetStructure(const std::vector<std::string>& lines, const std::vector<DocLineKind>& kinds, int columns)
        : lines_(lines), kinds_(kinds), rule_(blockRule()) {
        rows_.reserve(lines.size());
        for (const std::string& line : lines) rows_.push_back(printedRows(line, columns).size());
    }

    std::size_t size() const { return lines_.size(); }
    std::size_t rows(std::size_t line) const { return rows_[line]; }
    std::size_t rows(std::size_t first, std::size_t end) const {
        std::size_t sum = 0;
        for (std::size_t line = first; line < end; ++line) sum += rows_[line];
        return sum;
    }

    bool blockStart(std::size_t line) const { return line > 0 && lines_[line - 1] == rule_; }
    // The end of the block that holds line: after its rule, or the sheet's end.
    std::size_t blockEnd(std::size_t line) const {
        while (line < lines_.size() && lines_[line] != rule_) ++line;
        return std::min(line + 1, lines_.size());
    }

    // Whether a page may end before line (which follows it on the same page otherwise).
    bool breakBefore(std::size_t line) const {
        if (line == 0 || kind(line - 1) == DocLineKind::Heading ||
            (line >= 2 && kind(line - 2) == DocLineKind::Heading))
            return false;
        const DocLineKind k = kind(line), before = kind(line - 1);
        return blockStart(line) || k == DocLineKind::Heading || (k == DocLineKind::TableRow && before == k) ||
               (k == DocLineKind::TableHeader && before != k);
    }

    // The header lines of the table whose rows run on across a page that starts at line, as [first, end);
    // empty where the page starts with no such row.
    std::pair<std::size_t, std::size_t> continuedHeader(std::size_t line) const {
        if (line == 0 || kind(line) != DocLineKind::TableRow || kind(line - 1) != DocLineKind::TableRow)
            return {line, line};
        std::size_t firstRow = line;
        while (firstRow > 0 && kind(firstRow - 1) == DocLineKind::TableRow) --firstRow;
        std::size_t header = firstRow;
        while (header > 0 && kind(header - 1) == DocLineKind::TableHeader) --header;
        return {header, firstRow};
    }

private:
    DocLineKind kind(std::size_t line) const {
        return line < kinds_.size() ? kinds_[line] : DocLineKind::Text;
    }

    const std::vector<std::string>& lines_;
    const std::vector<DocLineKind>& kinds_;
    std::string rule_;
    std::vector<std::size_t> rows_;
};

// Whether the line is a rule of dashes (or blank), which the continued mark does not follow.
bool ruleOnly(std::string_view line) {
    return line.find_first_not_of("- ") == std::string_view::npos;
}

} // namespace

std::vector<PrintedPage> printedPages(const std::vector<std::string>& lines,
                                      const std::vector<DocLineKind>& kinds, std::size_t rowsPerPage,
                                      int columns) {
    rowsPerPage = std::max<std::size_t>(rowsPerPage, 1);
    const SheetStructure sheet(lines, kinds, columns);
    std::vector<PrintedPage> pages;
    for (std::size_t start = 0; start < sheet.size();) {
        PrintedPage page{start};
        const auto [headerFirst, headerEnd] = sheet.continuedHeader(start);
        page.headerFirst = headerFirst;
        page.headerCount = headerEnd - headerFirst;
        // The rows the repeated header takes, unless it would leave no room for a row of the table.
        std::size_t used = printedPageRows(lines, page, columns).size();
        if (used > 0 && used + sheet.rows(start) > rowsPerPage) page.headerCount = used = 0;
        std::size_t end = start;
        bool full = false;
        while (end < sheet.size()) {
            // A block that fits on a page but not in what is left of this one starts the next.
            if (end > start && sheet.blockStart(end)) {
                const std::size_t blockRows = sheet.rows(end, sheet.blockEnd(end));
                if (blockRows <= rowsPerPage && used + blockRows > rowsPerPage) break;
            }
            if (used + sheet.rows(end) > rowsPerPage) {
                full = true;
                break;
            }
            used += sheet.rows(end);
            ++end;
        }
        if (full) {
            // Back to the last place the structure allows a page to end; where there is none, the page
            // ends where it is full.
            std::size_t cut = end;
            while (cut > start + 1 && !sheet.breakBefore(cut)) --cut;
            if (cut > start + 1 || sheet.breakBefore(cut)) end = cut;
        }
        end = std::max(end, start + 1); // a line taller than a page has one of its own
        page.count = end - start;
        pages.push_back(page);
        start = end;
    }
    return pages;
}

std::vector<std::string> printedRows(std::string_view line, int columns) {
    columns = std::max(columns, narrowestRow + displayWidth(continuationMark));
    const std::string_view shown = line.substr(0, line.find_last_not_of(' ') + 1);
    if (displayWidth(shown) <= columns) return {std::string(line)};
    std::vector<std::string> rows;
    std::string row;
    int used = 0;
    for (std::size_t at = 0; at < shown.size();) {
        const Utf8Char c = decodeUtf8(shown, at);
        const int width = characterColumns(c.codePoint);
        if (used + width > columns) {
            rows.push_back(std::move(row));
            row = std::string(continuationMark);
            used = displayWidth(continuationMark);
        }
        row.append(shown.substr(at, c.length));
        used += width;
        at += c.length;
    }
    rows.push_back(std::move(row));
    return rows;
}

std::vector<std::string> printedPageRows(const std::vector<std::string>& lines, const PrintedPage& page,
                                         int columns) {
    std::vector<std::string> rows;
    const auto add = [&](std::string_view line) {
        for (std::string& row : printedRows(line, columns)) rows.push_back(std::move(row));
    };
    bool marked = false;
    for (std::size_t line = page.headerFirst; line < page.headerFirst + page.headerCount; ++line) {
        if (marked || ruleOnly(lines[line])) {
            add(lines[line]);
            continue;
        }
        add(lines[line] + std::string(continuedMark));
        marked = true;
    }
    for (std::size_t line = page.first; line < page.first + page.count; ++line) add(lines[line]);
    return rows;
}

std::string pageNumberText(std::size_t page, std::size_t pages) {
    return "第 " + std::to_string(page) + " 页 / 共 " + std::to_string(pages) + " 页";
}

} // namespace qianyan
