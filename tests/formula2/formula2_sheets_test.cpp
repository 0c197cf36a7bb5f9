#include "formula2/formula2_window.h"
#include "framework/text_layout.h"
#include "support/golden.h"
#include "support/window_fixture.h"
#include "support/window_steps.h"

#include <gmock/gmock.h>

#include <fstream>

namespace qianyan {
namespace {

using testing::choosePrecision;

using Formula2SheetsTest = testing::WindowFixture<TVOR_FRM_KELD2>;

std::vector<std::string> goldenLines(std::string_view name) {
    return testing::goldenLines("formula2", name);
}

TEST_F(Formula2SheetsTest, TheInitialDesignMatchesTheGoldenSheets) {
    window.click("cbt_compute");
    EXPECT_EQ(window.sheet().xls(), goldenLines("initial_units_xls.txt"));
    EXPECT_EQ(window.sheet().doc(), goldenLines("initial_units_doc.txt"));
}

TEST_F(Formula2SheetsTest, AClampedDesignInFourModesMatchesTheGoldenSheets) {
    // d 1500 makes Ra wider than six digits in the Doc summary, where it has precision 6.
    window.typeText("cbe_dd", "1500");
    window.typeText("cbe_hr", "9.0d");
    window.typeText("edt_frk", "10");
    window.chooseItem("cbb_chezhuxishu", 1);
    for (const PrecisionMode mode : {PrecisionMode::TwoDecimals, PrecisionMode::OneDecimal,
                                     PrecisionMode::Tens, PrecisionMode::Hundreds})
        choosePrecision(window, mode);
    EXPECT_EQ(window.sheet().xls(), goldenLines("clamped_modes_xls.txt"));
    EXPECT_EQ(window.sheet().doc(), goldenLines("clamped_modes_doc.txt"));
}

TEST_F(Formula2SheetsTest, DesignRowsAre180ColumnsAndSummaryRows45InEveryMode) {
    for (int mode = 0; mode <= 4; ++mode) {
        choosePrecision(window, static_cast<PrecisionMode>(mode));
        const std::vector<std::string>& xls = window.sheet().xls();
        EXPECT_EQ(displayWidth(xls[xls.size() - 5]), 180) << mode;
        const std::vector<std::string>& doc = window.sheet().doc();
        for (const std::size_t fromEnd : {5u, 10u, 15u}) // rows C, B and A above their rules
            EXPECT_EQ(displayWidth(doc[doc.size() - fromEnd]), 45) << mode << " " << fromEnd;
    }
}

TEST_F(Formula2SheetsTest, OnlyADepthInMillimetresCarriesItsUnit) {
    const struct {
        const char *depth, *line;
    } cases[] = {{"1500", "      桩身嵌岩深度hr:                    1500 mm"},
                 {"1.5d", "      桩身嵌岩深度hr:                    1.5d"}};
    for (const auto& c : cases) {
        window.typeText("cbe_hr", c.depth);
        window.click("cbt_compute");
        EXPECT_THAT(window.sheet().doc(), ::testing::Contains(c.line));
    }
}

} // namespace
} // namespace qianyan
