// The layer grid shared by the soil panels and the rock layers: the count list renumbers the rows and keeps
// the typed cells of those that stay, the expand button turns over, and the Doc table lines the layers up
// under their headers.
#include "framework/layer_grid.h"
#include "framework/sheet_cells.h"

#include <gtest/gtest.h>

using namespace qianyan;

namespace {

Grid threeColumnGrid() {
    return layerGrid({{"n", "层"}, {"a", "a"}, {"b", "b"}}, {"1", "1.50", "x"});
}

} // namespace

TEST(LayerGridTest, CountingUpAddsEmptyNumberedRowsAndDownDropsTheLast) {
    Grid grid = threeColumnGrid();
    setLayerCount(grid, 3);
    ASSERT_EQ(grid.rows.rowCount(), 3u);
    EXPECT_EQ(grid.rows.row(0), (std::vector<std::string>{"1", "1.50", "x"}));
    EXPECT_EQ(grid.rows.row(2), (std::vector<std::string>{"3", "", ""}));
    grid.rows.setCell(2, 1, "7");
    grid.selectedRow = 2;

    setLayerCount(grid, 2);
    EXPECT_EQ(grid.rows.rowCount(), 2u);
    EXPECT_EQ(grid.selectedRow, -1) << "the selected row is gone";
    setLayerCount(grid, 3);
    EXPECT_EQ(grid.rows.cell(2, 1), "") << "a row that comes back starts empty";
    EXPECT_EQ(grid.rows.storage(), TextTable::Storage::Editable);
}

TEST(LayerGridTest, TheExpandButtonUnfoldsTheColumnsFromTheFirstFoldedOne) {
    Grid grid = threeColumnGrid();
    Control expand = Control::button("展开");
    foldLayerColumns(grid, layerGridExpanded(expand), 2);
    EXPECT_TRUE(grid.columns[1].visible);
    EXPECT_FALSE(grid.columns[2].visible);

    EXPECT_TRUE(toggleLayerGridExpansion(expand));
    EXPECT_EQ(expand.text, "折叠");
    foldLayerColumns(grid, layerGridExpanded(expand), 2);
    EXPECT_TRUE(grid.columns[2].visible);
    EXPECT_FALSE(toggleLayerGridExpansion(expand));
    EXPECT_EQ(expand.text, "展开");
}

TEST(LayerGridTest, TheDocTableNumbersEveryLayerBetweenRules) {
    Grid grid = threeColumnGrid();
    setLayerCount(grid, 10);
    const std::string rule = docRule(12);
    const DocLines lines = docLayerTable("      层  a", "      号  b", rule, grid.rows, 3,
                                         [&](std::size_t row) { return "<" + std::to_string(row) + ">"; });
    ASSERT_EQ(lines.size(), 2 + 1 + 10 + 1u);
    EXPECT_EQ(lines[2].text, "      ------------");
    EXPECT_EQ(lines[3].text, "       1   <0>");
    EXPECT_EQ(lines[12].text, "      10   <9>");
    EXPECT_EQ(lines.back().text, rule);
    // The printed pages repeat the header lines above a continued table and break only between its rows.
    for (std::size_t k = 0; k < lines.size(); ++k)
        EXPECT_EQ(lines[k].kind, k < 3                  ? DocLineKind::TableHeader
                                 : k + 1 < lines.size() ? DocLineKind::TableRow
                                                        : DocLineKind::Text)
            << k;
}
