// A grid and the clipboard: a block of cells copied from a spreadsheet pasted into a layer table or the
// option grid, and rows of a result table copied out as text another program reads.
#include "framework/calculator_frame.h"
#include "framework/text_layout.h"

#include <algorithm>

namespace qianyan {

namespace {

// Values named in the message about those that found no cell, each at most so wide; the rest are counted.
constexpr std::size_t namedLeftOut = 5;
constexpr int shownColumns = 20;

// A pasted cell's value: without its surrounding blanks, and without the quotes a spreadsheet puts around a
// cell holding a separator.
std::string_view pastedValue(std::string_view cell) {
    const std::string_view text = trimmed(cell);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
    return text;
}

// Calls each for every line of the block (CR LF, LF or CR ends a line; a last empty line is the block's
// end, not a row), and gives the number of lines. A block of millions of lines is never held as a list.
template <class Each> std::size_t forEachLine(std::string_view text, Each&& each) {
    std::size_t start = 0, count = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        each(count++, text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r') ++start;
        if (start < text.size() && text[start] == '\n') ++start;
    }
    return count;
}

std::vector<std::string_view> lineCells(std::string_view line, char separator) {
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        cells.push_back(pastedValue(line.substr(start, end == std::string_view::npos ? end : end - start)));
        if (end == std::string_view::npos) return cells;
        start = end + 1;
    }
}

std::string headerText(std::string_view header) {
    std::string text = shownLabel(header);
    for (std::string_view mark : {"▲", "▼"})
        if (text.ends_with(mark)) text.resize(text.size() - mark.size());
    return text;
}

} // namespace

Outcome CalculatorFrame::pasteCells(std::string_view name, int row, int column, std::string_view text) {
    Outcome outcome = Outcome::Done;
    const DeclaredControl* c = reachableEntry(name, outcome);
    if (!c) return outcome;
    Grid* grid = c->asGrid();
    if (!grid || row < 0 || column < 0 || static_cast<std::size_t>(column) >= grid->columns.size())
        return Outcome::NotApplicable;
    if (outcome != Outcome::Done) return outcome;

    const std::size_t lines = forEachLine(text, [](std::size_t, std::string_view) {});
    const char separator = text.find('\t') != std::string_view::npos ? '\t' : ',';
    const auto wanted = static_cast<std::size_t>(row) + lines;
    if (c->rowCountList && wanted > grid->rows.rowCount()) {
        // More layers, as many as the list offers at most.
        const Control& list = *c->rowCountList;
        const auto item = std::ranges::find(list.items, std::to_string(wanted));
        const int index = item != list.items.end() ? static_cast<int>(item - list.items.begin())
                                                   : static_cast<int>(list.items.size()) - 1;
        if (index > list.itemIndex)
            if (const DeclaredControl* count = declaration().find(list)) chooseItem(count->name, index);
    }

    std::vector<std::string> leftOut;
    std::size_t leftOutCount = 0;
    const auto leave = [&](std::size_t line, std::string_view value) {
        if (++leftOutCount <= namedLeftOut)
            leftOut.push_back("粘贴内容第 " + std::to_string(line + 1) + " 行“" +
                              shortened(value, shownColumns) + "”");
    };
    forEachLine(text, [&](std::size_t l, std::string_view line) {
        const auto r = static_cast<std::size_t>(row) + l;
        auto col = static_cast<std::size_t>(column);
        for (std::string_view value : lineCells(line, separator)) {
            const auto editableHere = [&] {
                return grid->columns[col].visible &&
                       cellEditable(name, static_cast<int>(r), static_cast<int>(col));
            };
            while (r < grid->rows.rowCount() && col < grid->columns.size() && !editableHere()) ++col;
            if (r >= grid->rows.rowCount() || col >= grid->columns.size()) {
                if (!value.empty()) leave(l, value);
                continue;
            }
            editCell(name, static_cast<int>(r), static_cast<int>(col), value);
            ++col;
        }
    });
    if (leftOutCount > 0) {
        std::string message = "以下数值在“" + c->shownName() + "”中没有可填写的单元格，未粘贴：";
        for (std::size_t i = 0; i < leftOut.size(); ++i) message += (i ? "、" : "") + leftOut[i];
        if (leftOutCount > leftOut.size()) message += " 等共 " + std::to_string(leftOutCount) + " 个";
        platform().inform(message);
    }
    return Outcome::Done;
}

std::string CalculatorFrame::copiedRows(std::string_view name, std::span<const int> rows) {
    const Grid* grid = findGrid(name);
    if (!grid) return {};
    std::string text;
    const auto appendLine = [&](auto cellOf) {
        bool first = true;
        for (std::size_t col = 0; col < grid->columns.size(); ++col) {
            if (!grid->columns[col].visible) continue;
            if (!first) text += '\t';
            text += cellOf(col);
            first = false;
        }
        text += '\n';
    };
    appendLine([&](std::size_t col) { return headerText(grid->columns[col].header); });
    for (int row : rows)
        if (row >= 0 && static_cast<std::size_t>(row) < grid->rows.rowCount())
            appendLine([&](std::size_t col) {
                return std::string(grid->rows.cell(static_cast<std::size_t>(row), col));
            });
    return text;
}

} // namespace qianyan
