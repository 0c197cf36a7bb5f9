#include "formula1/formula1_window.h"
#include "framework/number_text.h"
#include "support/workbench_fixture.h"

#include <gmock/gmock.h>

#include <sstream>

namespace qianyan {
namespace {

using ::testing::ElementsAre;

class Formula1WorkbenchTest : public testing::WorkbenchFixture<TVOR_FRM_KELD1> {
protected:
    Formula1WorkbenchTest() { window.click("cbt_YouHua"); }
};

TEST_F(Formula1WorkbenchTest, TheDefaultsGive162Candidates) {
    sweep();
    const TextTable& rows = window.workbench.Grid2_Youhuajieguo.rows;
    ASSERT_EQ(rows.rowCount(), 162u);
    EXPECT_THAT(rows.row(0), ElementsAre("ZH-001", "1000", "11451", "8412", "1.0d", "30.00", "C25",
                                         "干 作 业", "1.00", "0.9720", "0.90", ""));
    EXPECT_EQ(rows.cell(161, 0), "ZH-162");
    EXPECT_THAT(distinct(1), ElementsAre("1000", "1500", "2000"));
    EXPECT_THAT(distinct(4), ElementsAre("1.0d", "2.0d", "3.0d"));
    EXPECT_THAT(distinct(5), ElementsAre("30.00", "40.00", "50.00"));
    EXPECT_THAT(distinct(6), ElementsAre("C25", "C30"));
    EXPECT_THAT(distinct(7), ElementsAre("干 作 业", "泥浆护壁", "后 注 浆"));
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "计算完成，桩数：162 根");

    const auto bounds = [&](std::size_t c) {
        double low = 1e300, high = 0;
        for (const std::string& v : column(c)) {
            low = std::min(low, std::stod(v));
            high = std::max(high, std::stod(v));
        }
        return std::pair{general(low), general(high)};
    };
    const TextTable& options = window.workbench.Grid1_Youhuaxuanxiang.rows;
    EXPECT_EQ(std::pair(std::string(options.cell(6, 1)), std::string(options.cell(6, 2))), bounds(2));
    EXPECT_EQ(std::pair(std::string(options.cell(7, 1)), std::string(options.cell(7, 2))), bounds(3));
    EXPECT_EQ(window.cbe_dd.text, "1000") << "the inputs as the person left them";
    EXPECT_EQ(window.cbb_czgy.itemIndex, 1);
}

TEST_F(Formula1WorkbenchTest, OptionRowRules) {
    const struct {
        int row;
        const char *min, *max, *step;
        std::size_t column;
        std::vector<std::string> values;
    } cases[] = {
        {1, "1000", "3000", "1000", 4, {"1000", "2000", "3000"}},
        {1, "1.25d", "1.25d", "0d", 4, {"1.3d"}}, // written and evaluated with one decimal
        {1, "1.25d", "1.25d", "0d", 8, {"1.25"}}, // but listed with the factor's two
        {1, "1.0d", "2.0d", "0.5d", 4, {"1.0d", "1.5d", "2.0d"}},
        {3, "C30", "C25", "5", 6, {"C30"}},
        {3, "C25", "C60", "10", 6, {"C25", "C35", "C45", "C55"}},
        {3, "C20", "C70", "20", 6, {"C25", "C45"}},
        {3, "C27", "C33", "3", 6, {"C25", "C30"}},
        {3, "C65", "C70", "5", 6, {"C60"}}, // never a grade beyond the list
        {4, "0", "3", "1", 7, {"干 作 业", "泥浆护壁", "后 注 浆"}},
        {4, "2", "2", "1", 7, {"泥浆护壁"}},
        {4, "1", "9", "0", 7, {"干 作 业", "后 注 浆"}},
    };
    for (const auto& c : cases) {
        TVOR_FRM_KELD1 w(platform);
        w.click("cbt_YouHua");
        for (const auto& [col, text] : {std::pair{1, c.min}, std::pair{2, c.max}, std::pair{3, c.step}})
            w.editCell("Grid1_Youhuaxuanxiang", c.row, col, text);
        w.click("cbt_YHcompute");
        std::vector<std::string> values;
        for (std::size_t r = 0; r < w.workbench.Grid2_Youhuajieguo.rows.rowCount(); ++r) {
            const std::string v(w.workbench.Grid2_Youhuajieguo.rows.cell(r, c.column));
            if (std::find(values.begin(), values.end(), v) == values.end()) values.push_back(v);
        }
        EXPECT_EQ(values, c.values) << c.row << ": " << c.min << " " << c.max << " " << c.step;
    }
}

TEST_F(Formula1WorkbenchTest, DepthInMillimetresShowsHrOverDForEachDiameter) {
    setRow(1, "1000", "3000", "1000");
    sweep();
    const TextTable& rows = window.workbench.Grid2_Youhuajieguo.rows;
    EXPECT_THAT(distinct(8), ElementsAre("1.00", "2.00", "3.00", "0.67", "1.33", "0.50", "1.50"));
    EXPECT_EQ(rows.cell(0, 4), "1000");
}

TEST_F(Formula1WorkbenchTest, RefusedRows) {
    const struct {
        int row;
        const char *min, *max, *step;
        const char* message;
    } cases[] = {{0, "-1000", "2000", "500", "桩径不能为负值"},
                 {1, "1.0d", "-3.0d", "1.0d", "嵌岩深度不能为负值"},
                 {1, "-1000", "3000", "1000", "嵌岩深度不能为负值"},
                 {2, "30", "-1", "10", "岩石单轴抗压强度不能为负值"}};
    for (const auto& c : cases) {
        TVOR_FRM_KELD1 w(platform);
        w.click("cbt_YouHua");
        w.editCell("Grid1_Youhuaxuanxiang", c.row, 1, c.min);
        w.editCell("Grid1_Youhuaxuanxiang", c.row, 2, c.max);
        w.editCell("Grid1_Youhuaxuanxiang", c.row, 3, c.step);
        w.click("cbt_YHcompute");
        EXPECT_EQ(w.workbench.lb_YHxingxi.text, c.message);
        EXPECT_EQ(w.workbench.lb_YHxingxi.color, argb::red);
        EXPECT_TRUE(w.workbench.Grid2_Youhuajieguo.rows.empty());
    }
}

TEST_F(Formula1WorkbenchTest, MixedDepthNotationIsAConversionFailure) {
    setRow(1, "1.0d", "3000", "1.0d");
    sweep();
    EXPECT_TRUE(window.workbench.Grid2_Youhuajieguo.rows.empty());
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].text, "“3000”不是有效的数值");
    EXPECT_EQ(window.cbe_dd.text, "1000") << "nothing was written";
}

TEST_F(Formula1WorkbenchTest, AZeroDiameterStopsAtTheFirstCandidate) {
    setRow(0, "0", "1000", "500");
    sweep();
    EXPECT_TRUE(window.workbench.Grid2_Youhuajieguo.rows.empty());
    EXPECT_EQ(window.workbench.lb_YHxingxi.text, "运行中止，主界面可查看中止位置、原因");
    EXPECT_EQ(window.lb_shuoming.text, "桩身直径数据有错");
    EXPECT_TRUE(window.workbench.cbt_YHcompute.enabled);
}

TEST_F(Formula1WorkbenchTest, LoadingARowWritesTheInputsAndReturns) {
    sweep();
    window.click("cbt_YHfanhui");
    window.click("cbt_compute"); // the last candidate, computed on the main page
    window.click("cbt_YouHua");
    EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.rows.cell(2, 7), "后 注 浆");
    EXPECT_EQ(window.doubleClick("Grid2_Youhuajieguo", 2), Outcome::Done);
    EXPECT_EQ(window.cbb_czgy.itemIndex, 2);
    EXPECT_EQ(window.cbb_czgy.text, "泥浆护壁成桩后注浆");
    EXPECT_EQ(window.cbe_dd.text, "1000");
    EXPECT_EQ(window.cbe_hr.text, "1.0d");
    EXPECT_EQ(window.edt_frk.text, "30.00");
    EXPECT_EQ(window.cbe_hnt.text, "C25");
    EXPECT_EQ(window.edt_ra.text, "") << "the change handlers cleared the outputs";
    EXPECT_TRUE(window.cbt_compute.visible);
    EXPECT_TRUE(window.MainFormLayer.visible);
}

// 存盘 writes a workbook beside the table file: one of that name alone is asked about as the table file
// is, and a declined question leaves it whole. After a sort, the table file names each row by the label
// the grid (and so the workbook) gives it.
TEST_F(Formula1WorkbenchTest, TheSavedFilesAskAboutTheWorkbookAndKeepTheGridsLabels) {
    namespace fs = std::filesystem;
    sweep();
    window.headerClick("Grid2_Youhuajieguo", 2);
    const std::string stem = "嵌岩桩优化计算原始结果(依据JGJ94-2008)_表格";
    fs::create_directories(documents);
    std::ofstream(documents / (stem + ".xlsx")) << "the engineer's own";
    platform.answers = {false};
    window.click("cbt_YHsave");
    EXPECT_THAT(dialogTexts(), ElementsAre("文件已存在，是否覆盖?", "结果已附加时间改名另存。"));
    std::ifstream own(documents / (stem + ".xlsx"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(own), {}), "the engineer's own");
    EXPECT_FALSE(fs::exists(documents / (stem + ".txt")));
    EXPECT_TRUE(fs::exists(documents / (stem + "_20240506140327.xlsx")));

    const auto lines = testing::savedLines(documents / (stem + "_20240506140327.txt"));
    const TextTable& rows = window.workbench.Grid2_Youhuajieguo.rows;
    ASSERT_EQ(lines.size(), 5u + rows.rowCount() + 4u);
    EXPECT_NE(rows.cell(0, 0), "ZH-001") << "the sort moved the rows";
    for (std::size_t r = 0; r < rows.rowCount(); ++r) {
        std::istringstream line(lines[5 + r]);
        std::string label;
        line >> label;
        EXPECT_EQ(label, rows.cell(r, 0)) << r;
    }
}

} // namespace
} // namespace qianyan
