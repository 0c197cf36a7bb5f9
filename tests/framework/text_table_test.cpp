// A row is stored only when it has a cell for every column: a row built for other columns would show as
// shifted cells in every listing of the table. A copy and its original keep their own rows.
#include "framework/text_table.h"

#include <gmock/gmock.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <utility>
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

// A copy shares what it can with its original (a worker reads a copy while the window goes on with its
// table): whatever either does to its rows afterwards, the other lists its rows as they were.
TEST_P(TextTableRows, ACopyAndItsOriginalNeverChangeEachOthersRows) {
    const std::vector<std::pair<const char*, std::function<void(TextTable&)>>> changes = {
        {"append",
         [](TextTable& t) {
             t.appendRow({"x", "y", "z"});
         }},
        {"append from", [](TextTable& t) { t.appendRowFrom(TextTable(t), 0); }},
        {"rewrite a cell", [](TextTable& t) { t.setCell(0, 1, "changed"); }},
        {"permute",
         [](TextTable& t) {
             const std::uint32_t order[] = {1, 0};
             t.permute(order);
         }},
        {"reverse", [](TextTable& t) { t.reverse(); }},
        {"clear", [](TextTable& t) { t.clear(); }},
        {"append a table",
         [](TextTable& t) {
             TextTable more(3, t.storage());
             more.appendRow({"m", "n", "o"});
             t.appendTable(std::move(more));
         }},
    };
    for (const auto& [what, change] : changes)
        for (const bool changeTheCopy : {false, true}) {
            TextTable original(3, GetParam());
            original.appendRow({"a", "b", "c"});
            original.appendRow({"d", "e", "f"});
            TextTable copy(original);
            change(changeTheCopy ? copy : original);
            const TextTable& untouched = changeTheCopy ? original : copy;
            ASSERT_EQ(untouched.rowCount(), 2u) << what;
            EXPECT_THAT(untouched.row(0), ElementsAre("a", "b", "c")) << what;
            EXPECT_THAT(untouched.row(1), ElementsAre("d", "e", "f")) << what;
        }
}

INSTANTIATE_TEST_SUITE_P(BothStorages, TextTableRows,
                         ::testing::Values(TextTable::Storage::Packed, TextTable::Storage::Editable));

} // namespace
} // namespace qianyan
