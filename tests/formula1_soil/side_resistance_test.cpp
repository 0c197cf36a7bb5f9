#include "formula1_soil/side_resistance.h"

#include <gmock/gmock.h>

namespace qianyan {
namespace {

using ::testing::ElementsAre;

// A layer grid with the given thickness and qsik texts, numbered from 1.
TextTable layers(std::initializer_list<std::pair<const char*, const char*>> rows) {
    TextTable table(sideColumnCount);
    int number = 0;
    for (const auto& [thickness, qsik] : rows) {
        const std::string n = std::to_string(++number);
        table.appendRow({n, thickness, qsik, "stale", "stale", "stale", "stale", "stale", "a remark"});
    }
    return table;
}

TEST(SideResistance, OneLayerOfTheDefaultsGivesQsk1256_64) {
    const SideResistanceResult r = computeSideResistance(layers({{"10.000", "40.00"}}), 1000);
    ASSERT_TRUE(r.total);
    EXPECT_NEAR(*r.total, 1256.637, 1e-3);
    EXPECT_EQ(writtenTotal(*r.total), 1256.64);
    EXPECT_THAT(r.layers.row(0), ElementsAre("1", "10.000", "40.00", "3.14", "1256.64", "1256.64", "100.00%",
                                             "100.0002338435", ""))
        << "the remark is cleared, the bar takes the share of the two-decimal Qsik";
    EXPECT_EQ(r.message, "");
}

TEST(SideResistance, RunningTotalsAndSharesOfTheRoundedLayerValues) {
    const SideResistanceResult r =
        computeSideResistance(layers({{"3", "20"}, {"4", "55.5"}, {"0", "80"}}), 1200);
    ASSERT_TRUE(r.total);
    EXPECT_THAT(r.layers.row(0), ::testing::ElementsAreArray({"1", "3", "20", "3.77", "226.19", "226.19",
                                                              "21.28%", "21.2761563699502", ""}));
    EXPECT_EQ(r.layers.cell(1, sideRunningTotal), "1063.11");
    EXPECT_EQ(r.layers.cell(1, sideShare), "78.72%");
    EXPECT_EQ(r.layers.cell(2, sideLayerResistance), "0.00");
    EXPECT_EQ(r.layers.cell(2, sideShare), "0.00%");
}

TEST(SideResistance, BadLayerValuesCountAsZeroAndTheLastMessageStays) {
    const struct {
        std::initializer_list<std::pair<const char*, const char*>> rows;
        const char* message;
        bool negativeQsik;
        const char* total;
    } cases[] = {
        {{{"-2", "40"}}, "第1层土厚度错", false, "0.00"},
        {{{"10", "-40"}, {"abc", ""}}, "第1层土侧阻力错", true, "0.00"},
        {{{"10", "-1"}, {"-5", "40"}, {"2", "40"}}, "第2层土厚度错", true, "251.33"},
        // A text that starts with a number reads as that number; anything else reads as 0.
        {{{"2m", "40kPa"}, {"x2", "40"}}, "", false, "251.33"},
    };
    for (const auto& c : cases) {
        const SideResistanceResult r = computeSideResistance(layers(c.rows), 1000);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.negativeQsik, c.negativeQsik) << c.message;
        EXPECT_EQ(r.layers.cell(r.layers.rowCount() - 1, sideRunningTotal), c.total) << c.message;
    }
}

TEST(SideResistance, AZeroTotalGivesZeroShares) {
    const SideResistanceResult r = computeSideResistance(layers({{"0", "40"}, {"10", "0"}}), 1000);
    ASSERT_TRUE(r.total);
    EXPECT_EQ(*r.total, 0);
    for (std::size_t row = 0; row < 2; ++row) EXPECT_EQ(r.layers.cell(row, sideShare), "0.00%");
}

TEST(SideResistance, AResultBeyondTheRangeOfNumbersLeavesNoTotalAndNoComputedCell) {
    for (const auto& rows : {layers({{"1e300", "1e300"}}), layers({{"1e400", "40"}}),
                             layers({{"1e400", "0"}}), layers({{"1e306", "1"}, {"1e306", "100"}})}) {
        const SideResistanceResult r = computeSideResistance(rows, 1000);
        EXPECT_FALSE(r.total);
        EXPECT_EQ(r.message, "计算结果超出数值范围，请检查输入数据");
        for (std::size_t row = 0; row < r.layers.rowCount(); ++row)
            for (std::size_t c = sidePerimeter; c < sideColumnCount; ++c)
                EXPECT_EQ(r.layers.cell(row, c), "");
    }
}

} // namespace
} // namespace qianyan
