// The table file of the workbench: a framed fixed-width listing of the shown table, produced line by
// line so that a table of a million rows is never held as text at once.
#include "framework/calculator_frame.h"
#include "framework/number_text.h"
#include "framework/text_layout.h"

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
        sink(s.fileHeader1);
        sink(s.fileHeader2);
        sink(thinRule);
        const TextTable& rows = table.rows;
        std::string label;
        std::vector<std::string_view> cells(rows.columnCount());
        for (std::size_t r = 0; r < rows.rowCount(); ++r) {
            rows.prefetch(r + 16);
            rows.cells(r, cells);
            label.clear();
            appendCandidateLabel(label, r + 1, rows.rowCount());
            line.clear();
            line += ' ';
            appendAligned(line, label, 8, true);
            line.append("  ");
            for (const TableFileCell& cell : s.fileCells)
                appendTableFileCell(
                    line, cell.column < 0 ? cell.text : cells[static_cast<std::size_t>(cell.column)], cell);
            if (s.fileCells.empty() && adapter) adapter->writeTableFileCells(line, rows, r);
            sink(line);
        }
        sink(thinRule);
        sink(s.fileNote);
        sink(repeated('=', s.fileWidth));
        sink("计算时间：" + dateTimeText(window.platform().now()));
        if (adapter) adapter->writeTableAppendix(sink, rows);
    };
}

} // namespace qianyan
