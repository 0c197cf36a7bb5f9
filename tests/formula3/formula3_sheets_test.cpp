#include "formula3/formula3_window.h"
#include "framework/text_layout.h"
#include "support/golden.h"
#include "support/window_fixture.h"
#include "support/window_steps.h"

#include <gmock/gmock.h>

#include <fstream>

namespace qianyan {
namespace {

using testing::choosePrecision;

namespace col = layer_column;
using ::testing::Contains;
using ::testing::Not;
using Formula3SheetsTest = testing::WindowFixture<TVOR_FRM_KELD3>;

std::vector<std::string> goldenLines(std::string_view name) {
    return testing::goldenLines("formula3", name);
}

void setLayer(TVOR_FRM_KELD3& w, int row, const char* lr, const char* frk) {
    w.editCell("StringGrid_KELD3", row, static_cast<int>(col::socketLength), lr);
    w.editCell("StringGrid_KELD3", row, static_cast<int>(col::rockStrength), frk);
}

const std::string& xlsRow(const TVOR_FRM_KELD3& w) {
    return w.sheet().xls()[w.sheet().xls().size() - 5];
}

TEST_F(Formula3SheetsTest, TheInitialDesignMatchesTheGoldenSheets) {
    window.click("cbt_compute");
    EXPECT_EQ(window.sheet().xls(), goldenLines("initial_units_xls.txt"));
    EXPECT_EQ(window.sheet().doc(), goldenLines("initial_units_doc.txt"));
}

TEST_F(Formula3SheetsTest, ThreeLayersUnderAnObroundBeyondTheCodeMatchTheGoldenSheets) {
    // Every option line, the weighted strength, the bearing run as depth, the reduced end coefficient, the
    // virtual circle, and "-" where the totals belong to the last layer only.
    window.chooseItem("cbb_jmlx", 1);
    window.typeText("cbe_tyzd", "300");
    window.chooseItem("cbb_deqcheck", 6);
    window.chooseItem("cbb_JmApU", 1);
    window.chooseItem("cbb_yanchengshu", 2);
    setLayer(window, 0, "2.00", "10");
    setLayer(window, 1, "3.5", "40");
    setLayer(window, 2, "3", "40");
    window.chooseItem("cbb_qiangduzhi", 6);
    window.chooseItem("cbb_qianyanshengdu", 2);
    window.setChecked("ckb_chaoguifan", true);
    window.setChecked("ckb_duanzhuzhejian", true);
    window.chooseItem("cbe_duanzhuzhejian", 5);
    window.chooseItem("cbb_czgy", 2);
    choosePrecision(window, PrecisionMode::OneDecimal);
    EXPECT_EQ(window.sheet().xls(), goldenLines("three_layers_obround_xls.txt"));
    EXPECT_EQ(window.sheet().doc(), goldenLines("three_layers_obround_doc.txt"));
}

TEST_F(Formula3SheetsTest, DesignRowsAre240ColumnsAndSummaryRows45InEveryMode) {
    for (int mode = 0; mode <= 4; ++mode) {
        choosePrecision(window, static_cast<PrecisionMode>(mode));
        EXPECT_EQ(displayWidth(xlsRow(window)), 240) << mode;
        const std::vector<std::string>& doc = window.sheet().doc();
        // Rows D, C, B and A above their rules; row C has one blank more with one decimal.
        for (const std::size_t fromEnd : {4u, 9u, 14u, 19u}) {
            const int extra = fromEnd == 9 && mode == static_cast<int>(PrecisionMode::OneDecimal) ? 1 : 0;
            EXPECT_EQ(displayWidth(doc[doc.size() - fromEnd]), 45 + extra) << mode << " " << fromEnd;
        }
    }
}

TEST_F(Formula3SheetsTest, RectanglesPrintTheirSidesAndASquareItsOwnName) {
    const struct {
        const char *a, *b, *sides, *rowA; // the Xls cells 2-7 and the first summary row
    } cases[] = {{"1200", "800", "矩形桩       -         -       1200       800    面积相等",
                  "        ZH1      矩形桩     1200       800   "},
                 {"1000", "1000", "方  桩       -         -       1000      1000    面积相等",
                  "        ZH1      方  桩     1000      1000   "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sides);
        TVOR_FRM_KELD3 w(platform);
        w.chooseItem("cbb_jmlx", 2);
        w.typeText("cbe_dd", c.a);
        w.typeText("cbe_tyzd", c.b);
        w.click("cbt_compute");
        EXPECT_NE(xlsRow(w).find(c.sides), std::string::npos) << xlsRow(w);
        EXPECT_THAT(w.sheet().doc(), Contains("      桩身截面类型:                    矩形桩"));
        EXPECT_THAT(w.sheet().doc(), Contains(c.rowA));
    }
}

TEST_F(Formula3SheetsTest, ALimitedDepthShowsTheRatioUsed) {
    setLayer(window, 0, "9", "10");
    window.click("cbt_compute");
    const std::vector<std::string>& doc = window.sheet().doc();
    EXPECT_THAT(doc, Contains("       1     8.00    10.00  13351.77  3298.67"));
    EXPECT_THAT(doc, Contains("      嵌岩深径比hr/d:                    9.00"));
    EXPECT_THAT(doc, Contains("      计算承载力采用的嵌岩深径比:        8.00"));
}

TEST_F(Formula3SheetsTest, TypedCoefficientsOnTwoLayersPrintTheirOwnLines) {
    window.chooseItem("cbb_chezhuxishu", 0);
    window.chooseItem("cbb_yanchengshu", 1);
    setLayer(window, 1, "1", "30");
    window.click("cbt_compute");
    const std::vector<std::string>& doc = window.sheet().doc();
    EXPECT_THAT(doc, Contains("      计算嵌岩段阻力:        各层岩石自身强度"));
    EXPECT_THAT(doc, Contains("       1     1.00    25.00   0.0100   0.5000 "));
    EXPECT_THAT(doc, Contains("       2        1       30   0.0000   0.0000 "));
    EXPECT_THAT(doc, Contains("       1      -        -     0.0100   0.5000 "));
    EXPECT_THAT(doc, Not(Contains("  2.4 超规选项")));
    EXPECT_THAT(doc, Not(Contains("      岩石强度取值:")));
}

TEST_F(Formula3SheetsTest, NoResistanceLeavesDashesWhereTheSharesGo) {
    window.chooseItem("cbb_chezhuxishu", 0);
    window.editCell("StringGrid_KELD3", 0, static_cast<int>(col::typedSide), "0");
    window.editCell("StringGrid_KELD3", 0, static_cast<int>(col::typedEnd), "0");
    window.click("cbt_compute");
    const std::string& row = xlsRow(window);
    EXPECT_EQ(displayWidth(row), 240);
    EXPECT_NE(row.find("泥浆护壁        0        -          0        -          0         0     16821      "
                       "8410       0%"),
              std::string::npos)
        << row;
    const std::vector<std::string>& doc = window.sheet().doc();
    EXPECT_THAT(doc, Contains("      嵌岩段总极限侧阻力占百分比:          -"));
    EXPECT_THAT(doc, Contains("       1      0.00     0.00       -   较软岩 "));
}

} // namespace
} // namespace qianyan
