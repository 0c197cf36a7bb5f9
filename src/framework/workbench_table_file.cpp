// The table file of the workbench: a framed fixed-width listing of the shown table, produced line by
// line so that a table of a million rows is never held as text at once; and the workbook of the result
// tables beside it, streamed the same way.
#include "framework/calculator_frame.h"
#include "framework/number_text.h"
#include "framework/text_layout.h"

#include <algorithm>
#include <memory>

namespace qianyan {

namespace {

void appendAligned(std::string& line, std::string_view text, int width, bool centred) {
    const int surplus = width - displayWidth(text);
    const int left = surplus <= 0 ? 0 : centred ? surplus - surplus / 2 : surplus;
    line.append(static_cast<std::size_t>(left), ' ').append(text);
    if (centred && surplus > 0) line.append(static_cast<std::size_t>(surplus / 2), ' ');
}

} // namespace

void appendTableFileCell(std::string& line, std::string_view text, const TableFileCell& cell) {
    appendAligned(line, text, cell.width, cell.centred);
    line.append(static_cast<std::size_t>(cell.blanksAfter), ' ');
}

namespace {

// The cells of a table-file row: the columns' and the fixed ones, in order of place (-1: no column).
std::vector<std::pair<int, TableFileCell>> placedFileCells(std::span<const WorkbenchColumn> columns,
                                                           std::span<const TableFileCell> fileOnlyCells) {
    std::vector<std::pair<int, TableFileCell>> cells;
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (const auto& cell = columns[c].file) cells.emplace_back(static_cast<int>(c), *cell);
    for (const TableFileCell& cell : fileOnlyCells) cells.emplace_back(-1, cell);
    std::stable_sort(cells.begin(), cells.end(),
                     [](const auto& a, const auto& b) { return a.second.place < b.second.place; });
    return cells;
}

} // namespace

std::array<std::string, 2> tableFileHeader(std::span<const WorkbenchColumn> columns,
                                           std::span<const TableFileCell> fileOnlyCells) {
    std::array<std::string, 2> lines{" ", " "};
    for (const auto& [column, cell] : placedFileCells(columns, fileOnlyCells))
        for (std::size_t line = 0; line < lines.size(); ++line) lines[line] += cell.header[line];
    return lines;
}

void Workbench::declareTableFile() {
    fileCells_ = placedFileCells(declaration_.columns, declaration_.fileOnlyCells);
    fileHeader_ = qianyan::tableFileHeader(declaration_.columns, declaration_.fileOnlyCells);
}

LineSource Workbench::tableFileLines(CalculatorFrame& window, const Grid& table, std::string_view title) {
    return [this, &window, &table, title](const LineSink& sink) {
        const WorkbenchDeclaration& s = declaration_;
        WorkbenchCalculator* adapter = window.workbenchAdapter();
        const int side = (s.fileWidth - displayWidth(title) - 2) / 2;
        std::string line = repeated('=', side);
        line.append(" ").append(title).append(" ").append(static_cast<std::size_t>(side), '=');
        sink(line);
        const std::string thinRule = repeated('-', s.fileWidth);
        sink(thinRule);
        for (const std::string& header : fileHeader_) sink(header);
        sink(thinRule);
        const TextTable& rows = table.rows;
        std::vector<std::string_view> cells(rows.columnCount());
        for (std::size_t r = 0; r < rows.rowCount(); ++r) {
            rows.prefetch(r + 16);
            rows.cells(r, cells);
            line.clear();
            line += ' ';
            // A candidate keeps its label (column 0) in every listing (the grid, the chart, the workbook,
            // this file), sorted or filtered: "ZH-0012" names one design wherever the engineer reads it.
            for (const auto& [column, cell] : fileCells_) {
                if (cell.write)
                    cell.write(line, cells);
                else
                    appendTableFileCell(
                        line, column < 0 ? cell.text : cells[static_cast<std::size_t>(column)], cell);
            }
            sink(line);
        }
        sink(thinRule);
        sink(s.fileNote);
        sink(repeated('=', s.fileWidth));
        sink("计算时间：" + dateTimeText(window.platform().now()));
        if (adapter) adapter->writeTableAppendix(sink, rows);
    };
}

std::vector<WorkbookSheet> Workbench::workbookSheets() const {
    std::vector<WorkbookSheet> sheets;
    for (const Grid* table : {&Grid2_Youhuajieguo, &Grid3_Youhuasaixuan}) {
        if (table->rows.empty()) continue;
        const bool results = table == &Grid2_Youhuajieguo;
        // Every column the table can show, folded or not; never-shown ones are working values.
        std::vector<std::size_t> columns;
        std::vector<std::string> header;
        for (std::size_t c = 0; c < declaration_.columns.size(); ++c) {
            const WorkbenchColumn& column = declaration_.columns[c];
            const WorkbenchColumn::Shown shown =
                results ? column.shown : column.shownFiltered.value_or(column.shown);
            if (shown == WorkbenchColumn::Shown::Never) continue;
            columns.push_back(c);
            header.emplace_back(trimmed(column.header));
        }
        WorkbookSheet& sheet = sheets.emplace_back();
        sheet.name = results ? "原始结果" : "筛选结果";
        sheet.title = results ? resultsTableTitle : filteredTableTitle;
        sheet.header = {std::move(header)};
        sheet.rowCount = table->rows.rowCount();
        auto all = std::make_shared<std::vector<std::string_view>>(table->rows.columnCount());
        sheet.rowCells = [&rows = table->rows, columns, all](std::size_t r,
                                                             std::vector<std::string_view>& cells) {
            rows.prefetch(r + 16);
            rows.cells(r, *all);
            cells.resize(columns.size());
            for (std::size_t i = 0; i < columns.size(); ++i) cells[i] = (*all)[columns[i]];
        };
    }
    return sheets;
}

void Workbench::writeSave(Platform& platform, const TableFile& file,
                          const std::function<void()>& rowWritten) {
    platform.writeTextFile(file.path, [&](const LineSink& sink) {
        file.lines([&](std::string_view line) {
            sink(line);
            rowWritten();
        });
    });
    writeWorkbook(file.workbookPath, file.workbook, rowWritten);
}

} // namespace qianyan
