#pragma once
// A calculator's window on its workbench, for the workbench tests of every calculator: an option row's
// cells set as a person types them, the sweep, and the result table read by column.
#include "support/table_columns.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace qianyan::testing {

// Which of a grid's columns are shown.
inline std::vector<bool> shownColumns(const Grid& grid) {
    std::vector<bool> shown;
    for (const GridColumn& c : grid.columns) shown.push_back(c.visible);
    return shown;
}

template <class Window> class WorkbenchFixture : public WindowFixture<Window> {
protected:
    // The three cells of an option row; an empty step (a filter row has none) is left alone.
    void setRow(int row, std::string_view min, std::string_view max, std::string_view step) {
        for (const auto& [column, text] : {std::pair{1, min}, std::pair{2, max}, std::pair{3, step}}) {
            if (column == 3 && step.empty()) continue;
            ASSERT_EQ(this->window.editCell("Grid1_Youhuaxuanxiang", row, column, text), Outcome::Done)
                << row << " " << column;
        }
    }
    void sweep() { this->window.click("cbt_YHcompute"); }
    const TextTable& results() const { return this->window.workbench.Grid2_Youhuajieguo.rows; }
    std::vector<std::string> column(std::size_t c) const { return columnOf(results(), c); }
    std::vector<std::string> distinct(std::size_t c) const { return distinctOf(column(c)); }
};

} // namespace qianyan::testing
