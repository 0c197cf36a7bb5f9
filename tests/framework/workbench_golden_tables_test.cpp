// The workbench's saved tables of every calculator, byte for byte as the golden files under
// tests/<calculator>/golden/ hold them (GBK, CR LF): a sweep given by a person's commands, sorted by a
// column, then 存盘; the candidate rows each as wide as the table's box.
#include "cli/script_driver.h"
#include "framework/text_layout.h"
#include "support/calculator_fixture.h"
#include "support/golden.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace qianyan {
namespace {

// A saved table after the commands of a stage: which table file (原始 or 筛选), its golden file, its
// candidate rows (after the five header lines) and their width, and lines of the frame that are as wide.
struct SavedTable {
    std::string_view script, which, golden;
    std::size_t rows;
    int width;
    std::optional<std::size_t> lineCount = std::nullopt;
    std::vector<std::size_t> fullWidthLines = {};
    std::vector<std::pair<std::size_t, std::string_view>> lines = {};
};

struct GoldenTables {
    std::string_view window;
    std::vector<SavedTable> stages;
    std::string_view notes = {}; // what the driver notes of commands that had no effect
};

void PrintTo(const GoldenTables& c, std::ostream* out) {
    *out << c.window;
}

const GoldenTables cases[] = {
    {"formula1",
     {{"click cbt_YouHua; cell Grid1_Youhuaxuanxiang 0 1 1000; cell Grid1_Youhuaxuanxiang 0 2 1200;"
       "cell Grid1_Youhuaxuanxiang 0 3 200; cell Grid1_Youhuaxuanxiang 2 1 15.00;"
       "cell Grid1_Youhuaxuanxiang 2 2 40.00; cell Grid1_Youhuaxuanxiang 2 3 25.00;"
       "choose popbox_jingdu 0;" // hidden: no effect
       "click cbt_YHcompute; header Grid2_Youhuajieguo 2; click cbt_YHsave",
       "原始", "workbench_results_table.txt", 72, 120, 5 + 72 + 4}},
     "note\tpopbox_jingdu 当前不可用，操作无效\n"},
    // Both soil panels with two layers, eight candidates with both terms, sorted by Rc: the wide box; then
    // the down-drag off: the narrow box, the filtered rows keeping the labels of the results table.
    {"formula1_soil",
     {{"tick ckb_zhengmozhuli 1; click cbt_zhengmozhuli; choose cbb_ZhengTuchengshu 1;"
       "cell Grid1_Zhengmozhulijisuan 1 1 5.000; cell Grid1_Zhengmozhulijisuan 1 2 60.00; click "
       "cbt_Zmzlfanhui;"
       "tick ckb_fumozhuli 1; click cbt_fumozhuli; choose cbb_Tuchengshu 1; set cbe_Junbuhezai 20.00;"
       "cell Grid1_Fumozhulijisuan 1 2 -14.500; cell Grid1_Fumozhulijisuan 1 3 18.50;"
       "cell Grid1_Fumozhulijisuan 1 4 0.25; cell Grid1_Fumozhulijisuan 1 5 45.00; click cbt_Fmzlfanhui;"
       "click cbt_YouHua; cell Grid1_Youhuaxuanxiang 0 1 1000; cell Grid1_Youhuaxuanxiang 0 2 1500;"
       "cell Grid1_Youhuaxuanxiang 0 3 500; cell Grid1_Youhuaxuanxiang 1 1 1.0d;"
       "cell Grid1_Youhuaxuanxiang 1 2 2.0d; cell Grid1_Youhuaxuanxiang 1 3 1.0d;"
       "cell Grid1_Youhuaxuanxiang 2 1 30; cell Grid1_Youhuaxuanxiang 2 2 30; cell Grid1_Youhuaxuanxiang 2 3 "
       "10;"
       "cell Grid1_Youhuaxuanxiang 3 1 C30; cell Grid1_Youhuaxuanxiang 3 2 C30;"
       "cell Grid1_Youhuaxuanxiang 3 3 5; cell Grid1_Youhuaxuanxiang 4 1 1; cell Grid1_Youhuaxuanxiang 4 2 3;"
       "cell Grid1_Youhuaxuanxiang 4 3 2; cell Grid1_Youhuaxuanxiang 5 1 1; cell Grid1_Youhuaxuanxiang 6 1 1;"
       "click cbt_YHcompute; header Grid2_Youhuajieguo 3; click cbt_YHsave",
       "原始", "workbench_results_table.txt", 8, 150},
      {"cell Grid1_Youhuaxuanxiang 5 1 0; cell Grid1_Youhuaxuanxiang 6 1 2; click cbt_YHcompute;"
       "cell Grid1_Youhuaxuanxiang 8 1 13000; cell Grid1_Youhuaxuanxiang 8 2 0;"
       "cell Grid1_Youhuaxuanxiang 9 1 0; cell Grid1_Youhuaxuanxiang 9 2 0;"
       "cell Grid1_Youhuaxuanxiang 10 1 0; cell Grid1_Youhuaxuanxiang 10 2 0;"
       "click cbt_YHsaixuan; click cbt_YHsave",
       "筛选", "workbench_filtered_table.txt", 0, 0}}},
    // d 1000 and 1500, hr 1.0d to 3.0d, frk 30 and 40, C30, all three processes: 36 candidates.
    {"formula2",
     {{"choose cbb_chezhuxishu 1; click cbt_YouHua; cell Grid1_Youhuaxuanxiang 0 1 1000;"
       "cell Grid1_Youhuaxuanxiang 0 2 1500; cell Grid1_Youhuaxuanxiang 0 3 500;"
       "cell Grid1_Youhuaxuanxiang 2 1 30; cell Grid1_Youhuaxuanxiang 2 2 40; cell Grid1_Youhuaxuanxiang 2 3 "
       "10;"
       "cell Grid1_Youhuaxuanxiang 3 1 C30; cell Grid1_Youhuaxuanxiang 3 2 C30; cell Grid1_Youhuaxuanxiang 3 "
       "3 5;"
       "click cbt_YHcompute; header Grid2_Youhuajieguo 2; click cbt_YHsave",
       "原始", "workbench_results_table.txt", 36, 180, 5 + 36 + 4}}},
    // One value in every option row but the sections (all four), the socket's rock and the method:
    // 13 candidates.
    {"formula3",
     {{"click cbt_YouHua; cell Grid1_Youhuaxuanxiang 0 1 1; cell Grid1_Youhuaxuanxiang 0 2 4;"
       "cell Grid1_Youhuaxuanxiang 0 3 1; cell Grid1_Youhuaxuanxiang 1 1 1000; cell Grid1_Youhuaxuanxiang 1 "
       "2 1000;"
       "cell Grid1_Youhuaxuanxiang 1 3 500; cell Grid1_Youhuaxuanxiang 2 1 500; cell Grid1_Youhuaxuanxiang 2 "
       "2 500;"
       "cell Grid1_Youhuaxuanxiang 2 3 500; cell Grid1_Youhuaxuanxiang 3 1 800; cell Grid1_Youhuaxuanxiang 3 "
       "2 800;"
       "cell Grid1_Youhuaxuanxiang 3 3 500; cell Grid1_Youhuaxuanxiang 4 1 1200;"
       "cell Grid1_Youhuaxuanxiang 4 2 1200; cell Grid1_Youhuaxuanxiang 4 3 500;"
       "cell Grid1_Youhuaxuanxiang 5 1 1000; cell Grid1_Youhuaxuanxiang 5 2 1000;"
       "cell Grid1_Youhuaxuanxiang 5 3 500; cell Grid1_Youhuaxuanxiang 6 1 2.0d; cell Grid1_Youhuaxuanxiang "
       "6 2 2.0d;"
       "cell Grid1_Youhuaxuanxiang 6 3 1.0d; cell Grid1_Youhuaxuanxiang 7 1 35; cell Grid1_Youhuaxuanxiang 7 "
       "2 35;"
       "cell Grid1_Youhuaxuanxiang 7 3 5; cell Grid1_Youhuaxuanxiang 8 1 C30; cell Grid1_Youhuaxuanxiang 8 2 "
       "C30;"
       "cell Grid1_Youhuaxuanxiang 8 3 5; cell Grid1_Youhuaxuanxiang 9 1 2; cell Grid1_Youhuaxuanxiang 9 2 2;"
       "cell Grid1_Youhuaxuanxiang 9 3 1; cell Grid1_Youhuaxuanxiang 10 1 1; cell Grid1_Youhuaxuanxiang 10 2 "
       "2;"
       "cell Grid1_Youhuaxuanxiang 10 3 1; cell Grid1_Youhuaxuanxiang 11 1 1; cell Grid1_Youhuaxuanxiang 11 "
       "2 2;"
       "cell Grid1_Youhuaxuanxiang 11 3 1; click cbt_YHcompute; header Grid2_Youhuajieguo 4; click "
       "cbt_YHsave",
       "原始",
       "workbench_results_table.txt",
       13,
       300,
       5 + 13 + 4,
       {0, 1, 2, 4, 18, 20},
       {{19, " 注: 采用《建筑桩基技术规范》(JGJ 94-2008)条文说明公式计算"}}}}},
};

class WorkbenchGoldenTables : public testing::CalculatorFixture<GoldenTables> {
protected:
    WorkbenchGoldenTables() : CalculatorFixture("golden_tables", GetParam().window) {}
};

TEST_P(WorkbenchGoldenTables, TheSavedTablesAreTheGoldenFiles) {
    std::ostringstream out, err;
    ScriptDriver driver(platform, out, err);
    driver.open(GetParam().window, std::move(window));
    for (const SavedTable& t : GetParam().stages) {
        SCOPED_TRACE(t.golden);
        ASSERT_TRUE(driver.run(t.script)) << err.str();
        const auto lines = testing::savedLines(
            documents / ("嵌岩桩优化计算" + std::string(t.which) + "结果(依据JGJ94-2008)_表格.txt"));
        EXPECT_EQ(lines, testing::goldenSavedLines(GetParam().window, t.golden));
        if (t.lineCount) {
            ASSERT_EQ(lines.size(), *t.lineCount);
        }
        ASSERT_GE(lines.size(), 5 + t.rows);
        for (std::size_t i = 5; i < 5 + t.rows; ++i) EXPECT_EQ(displayWidth(lines[i]), t.width) << i;
        for (const std::size_t i : t.fullWidthLines) EXPECT_EQ(displayWidth(lines.at(i)), t.width) << i;
        for (const auto& [i, text] : t.lines) EXPECT_EQ(lines.at(i), text) << i;
    }
    EXPECT_EQ(err.str(), GetParam().notes);
}

INSTANTIATE_TEST_SUITE_P(EveryCalculator, WorkbenchGoldenTables, ::testing::ValuesIn(cases),
                         testing::ByCalculator());

TEST(WorkbenchGoldenTableCases, CoverEveryCalculator) {
    EXPECT_TRUE(testing::coversEveryCalculator(cases));
}

} // namespace
} // namespace qianyan
