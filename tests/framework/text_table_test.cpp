// A row is stored only when it has a cell for every column: a row built for other columns would show as
// shifted cells in every listing of the table.
#include "framework/text_table.h"

#include <gmock/gmock.h>

#include <stdexcept>
#include <vector>

namespace qianyan {
namespace {

using ::testing::ElementsAre;

class TextTableRows : public ::testing::TestWithParam<TextTable::Storage> {};

TEST_P(TextTableRows, ARowOfAnyOtherLengthIsRefusedAndLeavesTheTableAsItWas) {
    TextTable table(3, GetParam());
    table.appendRow({"a", "b", "c"});
    for (const std::vector<std::string_view>& row :
         std::vector<std::vector<std::string_view>>{{}, {"x"}, {"x", "y"}, {"x", "y", "z", "surplus"}}) {
        EXPECT_THROW(table.appendRow(row), std::invalid_argument) << row.size() << " cells";
        ASSERT_EQ(table.rowCount(), 1u);
        EXPECT_THAT(table.row(0), ElementsAre("a", "b", "c"));
    }
}

TEST_P(TextTableRows, RowsOfAnotherTableMustHaveTheSameColumns) {
    TextTable narrow(2, GetParam()), wide(3, GetParam());
    narrow.appendRow({"1", "2"});
    EXPECT_THROW(wide.appendRowFrom(narrow, 0), std::invalid_argument);
    EXPECT_TRUE(wide.empty());
}

TEST_P(TextTableRows, LeadingCellsLeaveTheRestEmptyButNeverExceedTheColumns) {
    TextTable table(3, GetParam());
    table.appendLeadingCells({"1"});
    EXPECT_THAT(table.row(0), ElementsAre("1", "", ""));
    EXPECT_THROW(table.appendLeadingCells({"1", "2", "3", "4"}), std::invalid_argument);
    EXPECT_EQ(table.rowCount(), 1u);
}

INSTANTIATE_TEST_SUITE_P(BothStorages, TextTableRows,
                         ::testing::Values(TextTable::Storage::Packed, TextTable::Storage::Editable));

} // namespace
} // namespace qianyan
