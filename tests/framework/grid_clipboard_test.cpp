// Blocks pasted from a spreadsheet into a layer table and the option grid go cell by cell through the
// edit a person makes, grow a layer table as its list allows and name what found no cell; result rows
// copied out are tab-separated under their headers.
#include "formula3/formula3_window.h"
#include "support/window_fixture.h"

#include <gmock/gmock.h>

namespace qianyan {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class RockLayerPaste : public testing::WindowFixture<TVOR_FRM_KELD3> {
protected:
    static constexpr std::string_view grid = "StringGrid_KELD3";
    std::string cell(std::size_t row, std::size_t column) const {
        return std::string(window.StringGrid_KELD3.rows.cell(row, column));
    }
};

TEST_F(RockLayerPaste, BlockFillsEditableCellsAndAddsLayers) {
    // Tab-separated with CR LF as a spreadsheet copies; a trailing line break ends the block.
    ASSERT_EQ(window.pasteCells(grid, 0, 1, "1.5\t30\r\n2\t 45 \r\n0.8\t\"60\"\r\n"), Outcome::Done);
    EXPECT_EQ(window.cbb_yanchengshu.text, "3");
    ASSERT_EQ(window.StringGrid_KELD3.rows.rowCount(), 3u);
    EXPECT_THAT((std::vector{cell(0, 1), cell(0, 2), cell(1, 1), cell(1, 2), cell(2, 1), cell(2, 2)}),
                ElementsAre("1.5", "30", "2", "45", "0.8", "60"));
    EXPECT_TRUE(platform.dialogs.empty());
}

TEST_F(RockLayerPaste, CommasSeparateWhenTheBlockHasNoTab) {
    ASSERT_EQ(window.pasteCells(grid, 0, 1, "3,40\n"), Outcome::Done);
    EXPECT_EQ(cell(0, 1), "3");
    EXPECT_EQ(cell(0, 2), "40");
}

TEST_F(RockLayerPaste, ValuesBeyondTheTableAreNamedAndLeftOut) {
    std::string block;
    for (int layer = 1; layer <= 12; ++layer) block += std::to_string(layer) + "\t30\n";
    ASSERT_EQ(window.pasteCells(grid, 0, 1, block), Outcome::Done);
    // Nine rock layers at most: the last three lines have nowhere to go; five values are named.
    EXPECT_EQ(window.StringGrid_KELD3.rows.rowCount(), 9u);
    EXPECT_EQ(cell(8, 1), "9");
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_THAT(platform.dialogs[0].text, HasSubstr("粘贴内容第 10 行“10”、粘贴内容第 10 行“30”"));
    EXPECT_THAT(platform.dialogs[0].text, HasSubstr("等共 6 个"));
}

TEST_F(RockLayerPaste, AVeryLongValueIsQuotedShortened) {
    // From the ninth layer on, the second line has no layer to go to.
    const std::string block = "1\t30\n" + std::string(10'000, '9') + "\n";
    ASSERT_EQ(window.pasteCells(grid, 8, 1, block), Outcome::Done);
    EXPECT_EQ(window.StringGrid_KELD3.rows.rowCount(), 9u);
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_THAT(platform.dialogs[0].text, HasSubstr("粘贴内容第 2 行“99999999999999999999…”"));
}

TEST_F(RockLayerPaste, ComputedColumnsAreSkippedNotOverwritten) {
    // From the last editable column on, the next value has no editable cell left in its row.
    const std::size_t last = window.StringGrid_KELD3.columns.size() - 1;
    const std::string computed = cell(0, last);
    ASSERT_EQ(window.pasteCells(grid, 0, 2,
                                "35\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t13\t14\t15\t16\t17\t18\t19\n"),
              Outcome::Done);
    EXPECT_EQ(cell(0, 2), "35");
    EXPECT_EQ(cell(0, last), computed);
    EXPECT_EQ(platform.dialogs.size(), 1u);
}

TEST_F(RockLayerPaste, CopiedRowsAreTabSeparatedUnderTheShownHeaders) {
    window.pasteCells(grid, 0, 1, "1.5\t30\n2\t45\n");
    const std::vector<int> rows{1};
    const std::string text = window.copiedRows(grid, rows);
    const std::size_t firstLine = text.find('\n');
    EXPECT_THAT(text.substr(0, firstLine), HasSubstr("岩层\t嵌岩 lr(m)\t岩石强度frk (MPa)"));
    EXPECT_THAT(text.substr(firstLine + 1), ::testing::StartsWith("2\t2\t45"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
}

class OptionGridPaste : public testing::WindowFixture<TVOR_FRM_KELD3> {};

TEST_F(OptionGridPaste, RangeRowTakesMinimumMaximumAndStep) {
    window.click("cbt_YouHua");
    const TextTable& options = window.workbench.Grid1_Youhuaxuanxiang.rows;
    const std::size_t rows = options.rowCount();
    ASSERT_EQ(window.pasteCells("Grid1_Youhuaxuanxiang", 1, 1, "1200\t1500\t100"), Outcome::Done);
    EXPECT_EQ(options.cell(1, 1), "1200");
    EXPECT_EQ(options.cell(1, 2), "1500");
    EXPECT_EQ(options.cell(1, 3), "100");
    EXPECT_EQ(options.rowCount(), rows); // the option grid never grows
}

TEST_F(OptionGridPaste, NothingHappensOnAHiddenGridOrOutsideIt) {
    EXPECT_EQ(window.pasteCells("Grid1_Youhuaxuanxiang", 0, 1, "1"), Outcome::Inert);
    EXPECT_EQ(window.pasteCells("StringGrid_KELD3", 0, 99, "1"), Outcome::NotApplicable);
    EXPECT_EQ(window.pasteCells("no_such_grid", 0, 0, "1"), Outcome::UnknownControl);
}

} // namespace
} // namespace qianyan
