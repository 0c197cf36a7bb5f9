#pragma once
// The code's tables shown beside the soil panels for reference only: no value is ever taken from them.
#include "formula1_soil/layer_panel.h"

#include <array>
#include <string_view>

namespace qianyan {

// qsik (kPa) by soil and state, for the side-resistance panel.
extern const std::array<LayerColumn, 6> sideResistanceReferenceColumns;
extern const std::array<std::array<std::string_view, 6>, 29> sideResistanceReferenceRows;
extern const std::string_view sideResistanceReferenceNote;

// ξn by soil, for the down-drag panel; the table has no header row, its first row names the columns.
extern const std::array<LayerColumn, 2> downDragReferenceColumns;
extern const std::array<std::array<std::string_view, 2>, 5> downDragReferenceRows;
extern const std::string_view downDragReferenceNote;

// A read-only grid holding a reference table.
template <std::size_t Columns, std::size_t Rows>
Grid referenceGrid(const std::array<LayerColumn, Columns>& columns,
                   const std::array<std::array<std::string_view, Columns>, Rows>& rows) {
    Grid grid;
    grid.columns = gridColumns(columns);
    grid.rows = TextTable(Columns);
    for (const auto& row : rows) grid.rows.appendRow(row);
    grid.readOnly = true;
    return grid;
}

} // namespace qianyan
