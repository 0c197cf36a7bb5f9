#pragma once
// Reading and ordering the numbers of a column of a workbench table, fast enough for millions of rows:
// the common cell ("8412", "0.9720", "93%" before its sign) is read without the general reader, and
// the rows are ordered by a stable radix sort of their keys.
#include "framework/huge_page_allocator.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace qianyan {

// The strict reading of a cell; the same value as readStrict, and the same ConversionError for a cell
// that is not a number.
double readCellNumber(std::string_view cell);
// The same reading without the exception: false for a cell that is not a number ("-", a word, 1e400), so
// a pass over a million cells of which many are blank stays fast.
bool tryReadCellNumber(std::string_view cell, double& value);
// The row order that sorts keys ascending, rows with equal keys in their present order.
using RowOrder = LargeVector<std::uint32_t>;
RowOrder ascendingOrder(std::span<const double> keys);

} // namespace qianyan
