#include "formula1_soil/layer_panel.h"

#include "framework/number_text.h"

#include <cmath>

namespace qianyan {

std::vector<GridColumn> gridColumns(std::span<const LayerColumn> columns) {
    std::vector<GridColumn> grid;
    for (const LayerColumn& c : columns) grid.push_back({std::string(c.name), std::string(c.header), true});
    return grid;
}

void setLayerCount(TextTable& layers, std::size_t count) {
    TextTable resized(layers.columnCount(), layers.storage());
    for (std::size_t r = 0; r < count; ++r) {
        std::vector<std::string> cells =
            r < layers.rowCount() ? layers.row(r) : std::vector<std::string>(layers.columnCount());
        cells[0] = std::to_string(r + 1);
        const std::vector<std::string_view> views(cells.begin(), cells.end());
        resized.appendRow(views);
    }
    layers = std::move(resized);
}

LayerRows rowsOf(const TextTable& layers) {
    LayerRows rows;
    for (std::size_t r = 0; r < layers.rowCount(); ++r) rows.push_back(layers.row(r));
    return rows;
}

void dropNonFiniteCell(TextTable& layers, int row, int column) {
    const auto r = static_cast<std::size_t>(row), c = static_cast<std::size_t>(column);
    if (namesNonFinite(layers.cell(r, c))) layers.setCell(r, c, "");
}

void clearColumnsFrom(LayerRows& rows, std::size_t first) {
    for (std::vector<std::string>& row : rows)
        for (std::size_t c = first; c < row.size(); ++c) row[c].clear();
}

TextTable tableOf(const LayerRows& rows, std::size_t columns) {
    TextTable table(columns, TextTable::Storage::Editable);
    for (const std::vector<std::string>& row : rows) {
        const std::vector<std::string_view> views(row.begin(), row.end());
        table.appendRow(views);
    }
    return table;
}

bool writeShares(LayerRows& rows, std::size_t valueColumn, std::size_t shareColumn, std::size_t barColumn,
                 double total) {
    for (std::vector<std::string>& row : rows) {
        const double share = total != 0 ? readLenient(row[valueColumn]) * 100 / total : 0;
        if (!std::isfinite(share)) return false;
        row[shareColumn] = fixed(share, 7, 2) + "%";
        row[barColumn] = general(share);
    }
    return true;
}

std::string panelAmount(double value) {
    return fixed(value, 10, 2);
}

double writtenTotal(double total) {
    return readStrict(panelAmount(total));
}

} // namespace qianyan
