#pragma once
// What the grids of layers share (the soil panels of Formula 1 with soil layers, the rock layers of
// Formula 3): rows numbered "1" … in the first column, as many as a list chooses; an expand button that
// unfolds the computed columns; and a selection that makes only the typed cells editable.
#include "framework/controls.h"

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace qianyan {

// A grid of the given columns with its first layer, in editable storage: the few rows are rewritten by
// every computation, once per sweep candidate.
Grid layerGrid(std::vector<GridColumn> columns, std::initializer_list<std::string_view> firstLayer);

// Sets the grid to `count` rows numbered "1" … in its first column: rows that stay keep their cells, rows
// that come back are empty, and a selection on a dropped row is forgotten.
void setLayerCount(Grid& grid, std::size_t count);

// The expand button reads "展开" while the grid is folded and "折叠" while it is expanded.
bool layerGridExpanded(const Control& expandButton);
// Turns the button over; true when the grid is now expanded.
bool toggleLayerGridExpansion(Control& expandButton);
// Folded, only the columns before firstFolded are shown; expanded, every column.
void foldLayerColumns(Grid& grid, bool expanded, std::size_t firstFolded);

// The cell chosen before an edit: the grid takes edits there only when the cell is editable.
void selectLayerCell(Grid& grid, int row, int column, bool editable);

} // namespace qianyan
