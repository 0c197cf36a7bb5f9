#pragma once
// A table read by column in tests: the texts of a column from the top, and the texts in the order they
// first appear.
#include "framework/text_table.h"

#include <algorithm>
#include <string>
#include <vector>

namespace qianyan::testing {

inline std::vector<std::string> columnOf(const TextTable& rows, std::size_t c) {
    std::vector<std::string> cells;
    for (std::size_t r = 0; r < rows.rowCount(); ++r) cells.emplace_back(rows.cell(r, c));
    return cells;
}

inline std::vector<std::string> distinctOf(const std::vector<std::string>& cells) {
    std::vector<std::string> values;
    for (const std::string& v : cells)
        if (std::find(values.begin(), values.end(), v) == values.end()) values.push_back(v);
    return values;
}

} // namespace qianyan::testing
