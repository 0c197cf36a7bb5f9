#include "formula2/formula2_window.h"
#include "support/workbench_fixture.h"

#include <gmock/gmock.h>

namespace qianyan {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;

class Formula2WorkbenchTest : public testing::WorkbenchFixture<TVOR_FRM_KELD2> {
protected:
    // d 1000 and 1500, hr 1.0d to 3.0d, frk 30 and 40, C30, all three processes: 36 candidates.
    void sweepNarrowOptions() {
        window.click("cbt_YouHua");
        setRow(0, "1000", "1500", "500");
        setRow(2, "30", "40", "10");
        setRow(3, "C30", "C30", "5");
        sweep();
        ASSERT_EQ(results().rowCount(), 36u);
    }
};

TEST_F(Formula2WorkbenchTest, NineteenColumnsOfWhichTheLastIsNeverShown) {
    const std::vector<GridColumn>& columns = window.workbench.Grid3_Youhuasaixuan.columns;
    ASSERT_EQ(columns.size(), 19u);
    EXPECT_EQ(columns[0].name, "Grid3_01_Str_YHzhuangbianhao");
    EXPECT_EQ(window.workbench.Grid2_Youhuajieguo.columns[18].name, "Grid2_19_Int_YHczxsxx");
    EXPECT_EQ(columns[0].header, "  桩编号");
    EXPECT_EQ(columns[10].header, "侧阻占比");
    EXPECT_EQ(columns[18].header, "侧阻系数取值") << "wider than 8: unchanged";

    std::vector<bool> folded(19, false);
    folded[0] = folded[1] = folded[2] = folded[3] = true;
    std::vector<bool> expanded(19, true);
    expanded[18] = false;
    for (const auto& want : {folded, expanded, folded}) {
        EXPECT_EQ(testing::shownColumns(window.workbench.Grid2_Youhuajieguo), want);
        EXPECT_EQ(testing::shownColumns(window.workbench.Grid3_Youhuasaixuan), want);
        window.workbench.cbt_zhangkaiClick();
    }
}

TEST_F(Formula2WorkbenchTest, TheMethodOfTheSweepIsRecordedAndLoadedBack) {
    window.chooseItem("cbb_chezhuxishu", 1);
    sweepNarrowOptions();
    EXPECT_THAT(column(18), Each(std::string("1")));
    EXPECT_THAT(window.workbench.Grid2_Youhuajieguo.rows.row(0),
                ElementsAre("ZH-01", "1000", "11423", "10108", "1.0d", "30.00", "干 作 业", "1.00", "0.0624",
                            "5881", "26%", "0.7200", "16965", "74%", "22846", "C30", "0.90", "", "1"));

    window.click("cbt_YHfanhui");
    window.chooseItem("cbb_chezhuxishu", 0);
    window.click("cbt_YouHua");
    window.doubleClick("Grid2_Youhuajieguo", 7); // ZH-08: 1000, 2.0d, 30.00, 泥浆护壁
    EXPECT_EQ(window.cbb_chezhuxishu.itemIndex, 1);
    EXPECT_EQ(window.cbb_chezhuxishu.text, "规范附录表格侧阻系数");
    EXPECT_EQ(window.cbe_hr.text, "2.0d");
    EXPECT_EQ(window.cbb_czgy.itemIndex, 1);
    EXPECT_EQ(window.edt_ra.text, "") << "loading computes nothing";
    EXPECT_TRUE(window.MainFormLayer.visible);
}

TEST_F(Formula2WorkbenchTest, TheConvertedMethodMakesRaTheCapacityByTheCombinedCoefficient) {
    sweepNarrowOptions();
    EXPECT_THAT(column(18), Each(std::string("0")));
    const TextTable& rows = window.workbench.Grid2_Youhuajieguo.rows;
    for (std::size_t r = 0; r < rows.rowCount(); ++r) {
        TVOR_FRM_KELD2 w(platform);
        w.typeText("cbe_dd", rows.cell(r, 1));
        w.typeText("cbe_hr", rows.cell(r, 4));
        w.typeText("edt_frk", rows.cell(r, 5));
        w.chooseItem("cbb_czgy", processIndexOfShortName(rows.cell(r, 6)));
        w.click("cbt_compute");
        EXPECT_EQ(rows.cell(r, 2), w.edt_raZW.text) << r;
    }
}

TEST_F(Formula2WorkbenchTest, TablesCarryTheOutputTextsOfThePrecisionMode) {
    window.click("cbt_JingDu");
    window.chooseItem("popbox_jingdu", static_cast<int>(PrecisionMode::TwoDecimals));
    sweepNarrowOptions();
    const std::vector<std::string> first = window.workbench.Grid2_Youhuajieguo.rows.row(0);
    EXPECT_EQ(first[2], "11451.11");
    EXPECT_EQ(first[9], "5937.61");
    EXPECT_EQ(first[10], "26%") << "shares never have decimals";
    EXPECT_EQ(first[13], "74%");
}

TEST_F(Formula2WorkbenchTest, SharesOfAQrkCutToZeroAreLeftEmpty) {
    // A 100 mm pile in soft rock has Qrk below 100 kN, which 百位取整 shows as 0.
    window.click("cbt_JingDu");
    window.chooseItem("popbox_jingdu", static_cast<int>(PrecisionMode::Hundreds));
    window.click("cbt_YouHua");
    setRow(0, "100", "100", "0");
    setRow(2, "1", "1", "0");
    sweep();
    ASSERT_GT(window.workbench.Grid2_Youhuajieguo.rows.rowCount(), 0u);
    EXPECT_THAT(column(14), Each(std::string("0")));
    EXPECT_THAT(column(10), Each(std::string()));
    EXPECT_THAT(column(13), Each(std::string()));
}

} // namespace
} // namespace qianyan
