#include "framework/layer_grid.h"

#include <string>
#include <utility>

namespace qianyan {

namespace {

constexpr std::string_view foldedCaption = "展开", expandedCaption = "折叠";

} // namespace

Grid layerGrid(std::vector<GridColumn> columns, std::initializer_list<std::string_view> firstLayer) {
    Grid grid;
    grid.rows = TextTable(columns.size(), TextTable::Storage::Editable);
    grid.rows.appendLeadingCells(firstLayer);
    grid.columns = std::move(columns);
    grid.readOnly = true;
    return grid;
}

void setLayerCount(Grid& grid, std::size_t count) {
    const TextTable& old = grid.rows;
    TextTable rows(old.columnCount(), old.storage());
    for (std::size_t row = 0; row < count; ++row) {
        if (row < old.rowCount()) {
            rows.appendRowFrom(old, row);
        } else {
            rows.appendLeadingCells({""});
        }
        rows.setCell(row, 0, std::to_string(row + 1));
    }
    grid.rows = std::move(rows);
    if (grid.selectedRow >= static_cast<int>(count)) grid.selectedRow = -1;
}

bool layerGridExpanded(const Control& expandButton) {
    return expandButton.text == expandedCaption;
}

bool toggleLayerGridExpansion(Control& expandButton) {
    const bool expand = !layerGridExpanded(expandButton);
    expandButton.text = expand ? expandedCaption : foldedCaption;
    return expand;
}

void foldLayerColumns(Grid& grid, bool expanded, std::size_t firstFolded) {
    for (std::size_t c = 0; c < grid.columns.size(); ++c)
        grid.columns[c].visible = expanded || c < firstFolded;
}

void selectLayerCell(Grid& grid, int row, int column, bool editable) {
    grid.selectedRow = row;
    grid.selectedColumn = column;
    grid.readOnly = !editable;
}

} // namespace qianyan
