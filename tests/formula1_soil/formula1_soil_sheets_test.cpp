#include "formula1_soil/formula1_soil_window.h"
#include "formula1_soil/soil_window_steps.h"
#include "framework/text_layout.h"
#include "support/golden.h"
#include "support/window_fixture.h"

#include <gmock/gmock.h>

#include <fstream>

namespace qianyan {
namespace {

using ::testing::Contains;
using Formula1SoilSheetsTest = testing::WindowFixture<TVOR_FRM_KELD1_1>;

std::vector<std::string> goldenLines(std::string_view name) {
    return testing::goldenLines("formula1_soil", name);
}

TEST_F(Formula1SoilSheetsTest, BothTermsWithThePanelsInitialDataMatchTheGoldenSheets) {
    tickBoth(window);
    window.click("cbt_compute");
    EXPECT_EQ(window.sheet().xls(), goldenLines("both_terms_xls.txt"));
    EXPECT_EQ(window.sheet().doc(), goldenLines("both_terms_doc.txt"));
}

TEST_F(Formula1SoilSheetsTest, NoSoilTermsMatchTheGoldenSheets) {
    window.click("cbt_compute");
    EXPECT_EQ(window.sheet().xls(), goldenLines("no_terms_xls.txt"));
    EXPECT_EQ(window.sheet().doc(), goldenLines("no_terms_doc.txt"));
}

TEST_F(Formula1SoilSheetsTest, DesignRowsAre170ColumnsAndSummaryRows45InEveryMode) {
    tickBoth(window);
    for (int mode = 0; mode <= 4; ++mode) {
        window.click("cbt_JingDu");
        window.chooseItem("popbox_jingdu", mode);
        const std::vector<std::string>& xls = window.sheet().xls();
        EXPECT_EQ(displayWidth(xls[xls.size() - 5]), 170) << mode;
        const std::vector<std::string>& doc = window.sheet().doc();
        for (const std::size_t fromEnd : {5u, 10u, 15u}) // rows C, B and A above their rules
            EXPECT_EQ(displayWidth(doc[doc.size() - fromEnd]), 45) << mode << " " << fromEnd;
    }
}

TEST_F(Formula1SoilSheetsTest, ANegativeNetCapacityIsWrittenWithItsSignAndMarkedAbnormal) {
    window.setChecked("ckb_fumozhuli", true);
    onPanel(window, window.Fumozhuli_FormLayer, [&] { window.typeText("cbe_Junbuhezai", "200.00"); });
    for (const auto& [column, text] : {std::pair{2, "-30.000"}, {3, "18"}, {4, "0.35"}, {5, "100"}})
        onPanel(window, window.Fumozhuli_FormLayer,
                [&] { window.editCell("Grid1_Fumozhulijisuan", 0, column, text); });
    window.click("cbt_compute");
    const std::vector<std::string>& doc = window.sheet().doc();
    EXPECT_THAT(doc, Contains("  4.7 单桩竖向净承载力特征值Ra':      -560.31 kN"));
    EXPECT_THAT(doc, Contains("      地面大面积荷载p:                 200.00 kN/m2"));
    EXPECT_THAT(doc, Contains("         -7%      异常       C30      7862   "));
}

TEST_F(Formula1SoilSheetsTest, OverlappingLayersAreFlaggedNextToTheDownDrag) {
    window.setChecked("ckb_fumozhuli", true);
    onPanel(window, window.Fumozhuli_FormLayer, [&] { window.chooseItem("cbb_Tuchengshu", 2); });
    for (const auto& [row, bottom] : {std::pair{1, "-5"}, {2, "-15"}})
        for (const auto& [column, text] : {std::pair{2, bottom}, {3, "17"}, {4, "0.3"}, {5, "25"}})
            onPanel(window, window.Fumozhuli_FormLayer,
                    [&] { window.editCell("Grid1_Fumozhulijisuan", row, column, text); });
    window.click("cbt_compute");
    EXPECT_EQ(window.lb_FMZxinxi.text, "第3层与上部土层重叠，重叠部分重复计算");
    const std::vector<std::string>& doc = window.sheet().doc();
    const auto warning =
        std::find(doc.begin(), doc.end(), "      注意：第3层与上部土层重叠，重叠部分重复计算");
    ASSERT_NE(warning, doc.end());
    EXPECT_EQ(warning[1].rfind("      桩侧土体引起的下拉荷载Qgn:", 0), 0u);
}

TEST_F(Formula1SoilSheetsTest, EachBlockRecordsItsOwnTermsAndDeletingTheLastLeavesTheFirstWhole) {
    tickBoth(window);
    window.click("cbt_compute");
    const std::vector<std::string> first = window.sheet().doc();
    window.setChecked("ckb_zhengmozhuli", false);
    onPanel(window, window.Fumozhuli_FormLayer,
            [&] { window.editCell("Grid1_Fumozhulijisuan", 0, 5, "30"); });
    window.click("cbt_compute");
    const std::vector<std::string>& doc = window.sheet().doc();
    EXPECT_EQ(std::count(doc.begin(), doc.end(), "  2.5 桩侧土体侧阻力不考虑。"), 1);
    EXPECT_EQ(std::count(doc.begin(), doc.end(), "  2.4 桩侧土体嵌岩桩参数"), 2);
    EXPECT_TRUE(std::equal(first.begin(), first.end() - 1, doc.begin())) << "earlier blocks stay as written";
    window.click("cbt_View");
    window.click("cbt_sanchu");
    EXPECT_EQ(window.sheet().doc(), first);
}

} // namespace
} // namespace qianyan
