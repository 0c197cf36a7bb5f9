#include "formula1_soil/down_drag.h"
#include "support/table_columns.h"

#include <gmock/gmock.h>

namespace qianyan {
namespace {

using testing::columnOf;

using ::testing::ElementsAreArray;

struct Layer {
    const char *bottom, *unitWeight, *xi, *qsik;
};

TextTable layers(std::initializer_list<Layer> rows) {
    TextTable table(dragColumnCount);
    int number = 0;
    for (const Layer& l : rows)
        table.appendLeadingCells(
            {std::to_string(++number), "新近填土", l.bottom, l.unitWeight, l.xi, l.qsik});
    return table;
}

const Layer defaultLayer{"-10.000", "17.00", "0.30", "25.00"};
const DownDragInputs defaults{1000, 10, -0.3, -0.9};

TEST(DownDrag, TheDefaultLayerWithEveryIntermediate) {
    const DownDragResult r = computeDownDrag(layers({defaultLayer}), defaults);
    ASSERT_TRUE(r.total);
    EXPECT_EQ(writtenTotal(*r.total), 604.23);
    EXPECT_THAT(r.layers.row(0),
                ElementsAreArray(
                    {"1",         "新近填土", "-10.000", "17.00",  "0.30",   "25.00",   "3.14",
                     "9.70",      "10.00",    "164.90",  "174.90", "92.45",  "9.10",    "20.20",
                     "154.70",    "174.90",   "97.55",   "6.06",   "52.47",  "6.06",    "25.00",
                     "25.00",     "4.31",     "21.14",   "604.23", "604.23", "100.00%", "100.000708632956",
                     "梯形+矩形", "本层有桩"}));
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.overlapWarning, "");
}

TEST(DownDrag, EveryLayerAbovePileTopGivesNoDownDrag) {
    const DownDragResult r =
        computeDownDrag(layers({defaultLayer, {"-15", "18", "0.3", "25"}}), {1000, 10, -0.3, -20});
    ASSERT_TRUE(r.total);
    EXPECT_EQ(*r.total, 0);
    EXPECT_THAT(columnOf(r.layers, dragRemark), ElementsAreArray({"本层无桩", "本层无桩"}));
    EXPECT_THAT(columnOf(r.layers, dragShare), ElementsAreArray({"0.00%", "0.00%"}));
    EXPECT_THAT(r.layers.row(1),
                ElementsAreArray({"2",      "新近填土", "-15",    "18",     "0.3",  "25",      "3.14", "5.00",
                                  "174.90", "90.00",    "264.90", "219.90", "0.00", "-",       "-",    "-",
                                  "-",      "-",        "-",      "-",      "-",    "-",       "-",    "-",
                                  "0.00",   "0.00",     "0.00%",  "0",      "-",    "本层无桩"}));
}

TEST(DownDrag, APileTopAboveTheGroundHasTheFirstLayerAlongsideOverItsWholeThickness) {
    const DownDragResult r = computeDownDrag(layers({defaultLayer}), {1000, 10, -0.3, 0.5});
    EXPECT_EQ(r.layers.cell(0, dragLengthAlongPile), "9.70");
    EXPECT_EQ(r.layers.cell(0, dragPartTopStress), "10.00");
    EXPECT_EQ(r.layers.cell(0, dragRemark), "");
}

TEST(DownDrag, TheShapeOfTheFrictionFollowsTheCap) {
    const struct {
        Layer layer;
        DownDragInputs in;
        const char *shape, *load;
    } cases[] = {
        {defaultLayer, defaults, "梯形+矩形", "604.23"},
        {{"-10", "17", "0.3", "60"}, defaults, "梯形", "836.64"},
        {{"-10", "17", "0.3", "5"}, defaults, "矩形", "142.94"},
        // No load and the pile top at the ground: the friction starts at 0.
        {{"-10", "17", "0.3", "25"}, {1000, 0, 0, 0}, "三角形+矩形", "592.90"},
        {{"-10", "17", "0.3", "60"}, {1000, 0, 0, 0}, "三角形", "801.11"},
        // ξ = 0: no friction, and the cap applies throughout only when qsik is 0 as well.
        {{"-10", "17", "0", "25"}, defaults, "三角形", "0.00"},
        {{"-10", "17", "0", "0"}, defaults, "矩形", "0.00"},
    };
    for (const auto& c : cases) {
        const DownDragResult r = computeDownDrag(layers({c.layer}), c.in);
        EXPECT_EQ(r.layers.cell(0, dragShape), c.shape) << c.layer.qsik;
        EXPECT_EQ(r.layers.cell(0, dragLayerLoad), c.load) << c.shape;
    }
}

TEST(DownDrag, ALayerAlongThePileNeverCountsMoreThanItsOwnThickness) {
    // The empty second layer sends the walk back above the pile; the third lies wholly below the pile
    // top and must count its 5 m, not the 14.10 m up to the pile top.
    const DownDragResult r = computeDownDrag(
        layers({defaultLayer, {"-10", "17", "0.3", "25"}, {"-15", "17", "0.3", "25"}}), defaults);
    ASSERT_TRUE(r.total);
    EXPECT_EQ(writtenTotal(*r.total), 996.92);
    EXPECT_THAT(columnOf(r.layers, dragLengthAlongPile), ElementsAreArray({"9.10", "0.00", "5.00"}));
    EXPECT_EQ(r.layers.cell(2, dragPartTopStress), "174.90");
    EXPECT_EQ(r.layers.cell(2, dragShape), "矩形");
    EXPECT_EQ(r.message, "第2层层底标高高于上一层底标高");
    EXPECT_EQ(r.overlapWarning, "") << "equal bottoms do not overlap";
}

TEST(DownDrag, OverlappingLayersCountTwiceAndTheWarningOutlastsLaterMessages) {
    const DownDragResult r = computeDownDrag(layers({defaultLayer,
                                                     {"-5", "17", "0.3", "25"},
                                                     {"-15", "17", "0.3", "25"},
                                                     {"-16", "-1", "0.3", "25"}}),
                                             defaults);
    ASSERT_TRUE(r.total);
    EXPECT_EQ(r.layers.cell(2, dragThickness), "10.00") << "the third layer starts at the second's bottom";
    EXPECT_EQ(r.overlapWarning, "第3层与上部土层重叠，重叠部分重复计算");
    EXPECT_EQ(r.message, r.overlapWarning);
}

TEST(DownDrag, BadValuesCountAsZeroWithTheirMessages) {
    const struct {
        Layer layer;
        double p;
        const char* message;
        bool negativeLoad;
        const char* used; // the cell that shows what was used
        std::size_t usedColumn;
    } cases[] = {
        {defaultLayer, -5, "地面大面积荷载p<0,取0计算", true, "0.00", dragLayerTopStress},
        {{"-10", "-17", "0.3", "25"}, 10, "第1层土重度小于0,取0计算", false, "0.00", dragLayerSelfStress},
        {{"-10", "17", "-0.3", "25"},
         10,
         "第1层土嵌岩桩系数小于0,取0计算",
         false,
         "0.00",
         dragFrictionBottom},
        {{"-10", "17", "1.5", "500"},
         10,
         "请注意第1层土嵌岩桩系数的合理性",
         false,
         "262.35",
         dragFrictionBottom},
        {{"-10", "17", "0.3", "-25"},
         10,
         "第1层土侧阻力值小于0,取0计算",
         false,
         "0.00",
         dragUsedFrictionBottom},
    };
    for (const auto& c : cases) {
        const DownDragResult r = computeDownDrag(layers({c.layer}), {1000, c.p, -0.3, -0.9});
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.negativeLoad, c.negativeLoad) << c.message;
        EXPECT_EQ(r.layers.cell(0, c.usedColumn), c.used) << c.message;
    }
}

TEST(DownDrag, AResultBeyondTheRangeOfNumbersLeavesNoTotalAndNoComputedCell) {
    const struct {
        Layer layer;
        DownDragInputs in;
    } cases[] = {
        {{"-1e300", "1e300", "1", "1e300"}, defaults},
        {{"1e400", "17", "0.3", "25"}, defaults},
        {defaultLayer, {1000, 1e308, -0.3, -0.9}},
        // Qgin itself fits, but not Qgin·100 for its share.
        {{"-10", "17", "0.3", "1e308"}, {1e307, 10, -0.3, -0.9}},
    };
    for (const auto& c : cases) {
        const DownDragResult r = computeDownDrag(layers({c.layer, defaultLayer}), c.in);
        EXPECT_FALSE(r.total);
        EXPECT_EQ(r.message, "计算结果超出数值范围，请检查输入数据");
        for (std::size_t row = 0; row < r.layers.rowCount(); ++row)
            for (std::size_t col = dragPerimeter; col < dragColumnCount; ++col)
                EXPECT_EQ(r.layers.cell(row, col), "");
    }
}

} // namespace
} // namespace qianyan
