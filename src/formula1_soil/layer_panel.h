#pragma once
// What the two soil-layer panels share: their grids' column declarations, the rows being computed, the
// shares of the panel total and the way a total is handed over to the main evaluation.
#include "framework/controls.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

struct LayerColumn {
    std::string_view name, header;
};
// The grid columns, all shown; the panels decide which stay folded away.
std::vector<GridColumn> gridColumns(std::span<const LayerColumn> columns);

// Every cell of a panel's grid as text while the panel computes; it becomes the grid's table at the end.
using LayerRows = std::vector<std::vector<std::string>>;
LayerRows rowsOf(const TextTable& layers);
// Empties a typed cell that spells a non-finite value ("nan", "inf" …): it reads as 0 like any word, and
// the sheets print the cells as they stand, where it would look like a failed result.
void dropNonFiniteCell(TextTable& layers, int row, int column);
// Empties the computed cells: every column from `first` on.
void clearColumnsFrom(LayerRows& rows, std::size_t first);
// Editable storage: a panel's few rows are rebuilt by every computation, once per sweep candidate.
TextTable tableOf(const LayerRows& rows, std::size_t columns);

// Each row's share of total in per cent, from the two-decimal text of its value column as written:
// "12.34%" in shareColumn and the bar value in barColumn; 0 for every row when the total is 0. False
// when a share is beyond the range of numbers.
bool writeShares(LayerRows& rows, std::size_t valueColumn, std::size_t shareColumn, std::size_t barColumn,
                 double total);

// What a panel's computation gives: its grid, its total (none when a value went beyond the range of
// numbers: the computed columns are then left empty) and the message its label shows.
struct LayerPanelResult {
    TextTable layers;
    std::optional<double> total;
    std::string message;
};

// A panel's amounts are written with two decimals.
std::string panelAmount(double value);
// The total as the panel writes it, which is what the main evaluation takes over.
double writtenTotal(double total);

} // namespace qianyan
