#include "documents/sheet_workbook.h"

#include "framework/text_layout.h"
#include "framework/utf8.h"

namespace qianyan {

namespace {

constexpr std::size_t headerLineCount = 5; // title, rule, two column lines, rule

// The header line cut at the cells' slot ends, each piece as a label is shown (the blanks that spread a
// word over the slot, "基    桩", go). The header lines are spaced for the legacy code page, where every
// character beyond ASCII takes two bytes, Greek letters included.
std::vector<std::string> headerCells(std::string_view line, const std::vector<XlsCell>& cells) {
    std::vector<std::string> texts;
    std::size_t pos = 0;
    int column = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::size_t start = pos;
        const bool last = i + 1 == cells.size();
        while (pos < line.size() && (last || column < cells[i].slotEnd)) {
            const Utf8Char c = decodeUtf8(line, pos);
            column += c.codePoint < 0x80 ? 1 : 2;
            pos += c.length;
        }
        texts.push_back(shownLabel(line.substr(start, pos - start)));
    }
    return texts;
}

} // namespace

WorkbookTable xlsFrameTable(std::span<const std::string> head, const std::vector<XlsCell>& firstRow,
                            std::span<const std::string> foot) {
    WorkbookTable table;
    table.title = "嵌岩桩计算书";
    if (head.size() < headerLineCount) return table;
    table.header = {headerCells(head[2], firstRow), headerCells(head[3], firstRow)};
    // The footer: a rule, the note, a rule, the time line.
    for (const std::string& line : foot) {
        const std::string_view text = trimmed(line);
        if (!text.empty() && text.find_first_not_of("-=") != std::string_view::npos)
            table.notes.emplace_back(text);
    }
    return table;
}

WorkbookTable sheetWorkbookTable(const CalculationSheet& sheet) {
    const std::vector<std::string>& xls = sheet.xls();
    const auto& cells = sheet.xlsCells();
    if (cells.empty() || xls.size() < headerLineCount + cells.size()) return xlsFrameTable({}, {}, {});
    const std::span<const std::string> lines(xls);
    WorkbookTable table = xlsFrameTable(lines.first(headerLineCount), cells.front(),
                                        lines.subspan(headerLineCount + cells.size()));
    for (const std::vector<XlsCell>& row : cells) {
        std::vector<std::string>& texts = table.rows.emplace_back();
        for (const XlsCell& cell : row) texts.push_back(cell.text);
    }
    return table;
}

void writeTableWorkbook(const WorkbookTable& frame, std::size_t rowCount, const WorkbookRowCells& rowCells,
                        const std::string& path, std::string_view mark,
                        const std::function<void()>& rowWritten) {
    const WorkbookSheet book{"计算书", frame.title, frame.header, rowCount, rowCells, frame.notes};
    writeWorkbook(path, {book}, rowWritten, mark);
}

void writeSheetWorkbook(const CalculationSheet& sheet, const std::string& path, std::string_view mark,
                        const std::function<void()>& rowWritten) {
    const WorkbookTable table = sheetWorkbookTable(sheet);
    writeTableWorkbook(
        table, table.rows.size(),
        [&table](std::size_t row, std::vector<std::string_view>& cells) {
            cells.assign(table.rows[row].begin(), table.rows[row].end());
        },
        path, mark, rowWritten);
}

} // namespace qianyan
