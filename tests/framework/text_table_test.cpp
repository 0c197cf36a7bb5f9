// A row is stored only when it has a cell for every column: a row built for other columns would show as
// shifted cells in every listing of the table. A copy and its original keep their own rows.
#include "framework/text_table.h"

#include <gmock/gmock.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
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

// The merge of a sweep's shares gives back the memory of what it has taken over as it goes, and each share
// its unused room first: neither may cost a row, also where a copy still shares the rows taken.
TEST(TextTableMemory, TablesMergedAfterGivingBackTheirRoomListEveryRow) {
    constexpr std::size_t rowsPerTable = 300'000; // more references than one block of memory holds
    const auto filled = [](char name) {
        TextTable table(2);
        for (std::size_t r = 0; r < rowsPerTable; ++r)
            table.appendRow({std::string(1, name), std::to_string(r)});
        return table;
    };
    for (const bool shared : {false, true}) {
        TextTable merged(2), first = filled('a'), second = filled('b');
        const TextTable copy = shared ? second : TextTable(2);
        first.releaseSpareRoom();
        second.releaseSpareRoom();
        merged.reserve(2 * rowsPerTable);
        merged.appendTable(std::move(first));
        merged.appendTable(std::move(second));
        merged.appendRow({"c", "after"}); // into the room given back
        ASSERT_EQ(merged.rowCount(), 2 * rowsPerTable + 1);
        for (std::size_t r = 0; r < 2 * rowsPerTable; ++r) {
            ASSERT_EQ(merged.cell(r, 0), r < rowsPerTable ? "a" : "b") << r;
            ASSERT_EQ(merged.cell(r, 1), std::to_string(r % rowsPerTable)) << r;
        }
        EXPECT_THAT(merged.row(2 * rowsPerTable), ElementsAre("c", "after"));
        if (shared) {
            ASSERT_EQ(copy.rowCount(), rowsPerTable);
            EXPECT_EQ(copy.cell(rowsPerTable - 1, 1), std::to_string(rowsPerTable - 1));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothStorages, TextTableRows,
                         ::testing::Values(TextTable::Storage::Packed, TextTable::Storage::Editable));

} // namespace
} // namespace qianyan
