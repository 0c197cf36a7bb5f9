#include "formula3/rock_layers.h"

#include "framework/number_text.h"
#include "support/table_columns.h"

#include <gmock/gmock.h>

namespace qianyan {
namespace {

using testing::columnOf;

namespace col = layer_column;

// Rows of typed cells: lr, frk and optionally ζs, ζp.
TextTable layerTable(std::initializer_list<std::vector<std::string_view>> rows) {
    TextTable t(col::count);
    int number = 0;
    for (const auto& typed : rows) {
        const std::string label = std::to_string(++number);
        std::vector<std::string_view> cells{label};
        cells.insert(cells.end(), typed.begin(), typed.end());
        t.appendLeadingCells(cells);
    }
    return t;
}

double number(const TextTable& t, std::size_t row, std::size_t c) {
    return cellNumber(t, row, c);
}

RockLayerQuantities run(TextTable& t, const RockLayerOptions& o = {}, double deq = 1000) {
    const RockLayerOutcome outcome = runRockLayers(t, o, deq);
    EXPECT_FALSE(outcome.failure) << outcome.failure->message;
    return outcome.quantities;
}

TEST(RockLayers, OneLayerInTransitionRockWithinTheBounds) {
    TextTable t = layerTable({{"1.00", "25.00", "0.0100", "0.5000"}});
    const RockLayerQuantities q = run(t);
    EXPECT_EQ(t.cell(0, col::interpolationDepth), "1");
    EXPECT_EQ(t.cell(0, col::interpolationRatio), "1");
    EXPECT_EQ(t.cell(0, col::interpolationStrength), "25.00"); // the typed text, copied
    EXPECT_NEAR(number(t, 0, col::interpolatedSide), 0.053333, 1e-6);
    EXPECT_NEAR(number(t, 0, col::interpolatedEnd), 0.643333, 1e-6);
    EXPECT_EQ(t.cell(0, col::sideUsed), t.cell(0, col::interpolatedSide));
    EXPECT_EQ(t.cell(0, col::endUsed), t.cell(0, col::interpolatedEnd));
    EXPECT_EQ(t.cell(0, col::sideLength), "1.00");
    EXPECT_EQ(t.cell(0, col::sideStrength), "25.00");
    EXPECT_EQ(t.cell(0, col::rockClass), "较软岩");
    EXPECT_EQ(q.limitMark, 0);
    EXPECT_TRUE(q.mixed); // a single layer counts as mixed
    EXPECT_EQ(q.bearingLength, 1);
    EXPECT_EQ(q.bearingStrength, 25);
    EXPECT_EQ(q.processFactor, 1.0);
    EXPECT_EQ(q.psiC, 0.7);
}

TEST(RockLayers, NoSocketUsesRowZeroAndNoSideCoefficient) {
    TextTable t = layerTable({{"0", "25"}});
    run(t);
    EXPECT_EQ(t.cell(0, col::interpolatedSide), "0");
    EXPECT_NEAR(number(t, 0, col::interpolatedEnd), 0.50, 1e-12);
}

struct BoundCase {
    const char* what;
    bool beyondCode;
    double eta;
    const char* sideLength;
    double end;
    int limitMark;
};

TEST(RockLayers, ASoftLayerPastItsBound) {
    // 9 m in soft rock with d = 1000: w = 9 > 8, ζs = (1.70 - 0.42)/32 = 0.04 from the unreduced ζp.
    const BoundCase cases[] = {
        {"limited to 8 m from the bottom", false, 1, "8", 0.42, 1},
        {"full length beyond the code, ζp halved", true, 0.5, "9", 0.21, 1},
    };
    for (const BoundCase& c : cases) {
        SCOPED_TRACE(c.what);
        TextTable t = layerTable({{"9", "10"}});
        RockLayerOptions o;
        o.beyondCodeDepth = c.beyondCode;
        o.endReduction = c.eta;
        const RockLayerQuantities q = run(t, o);
        EXPECT_NEAR(number(t, 0, col::interpolatedSide), 0.04, 1e-12);
        EXPECT_NEAR(number(t, 0, col::interpolatedEnd), c.end, 1e-12);
        EXPECT_EQ(t.cell(0, col::sideLength), c.sideLength);
        EXPECT_EQ(q.limitMark, c.limitMark);
    }
}

TEST(RockLayers, TheLimitedLengthIsCountedFromTheChosenEnd) {
    // Three equal soft layers of 3 m, depth by the total 9 m: 8 m may be used.
    const struct {
        LengthStart start;
        std::vector<std::string> lengths;
    } cases[] = {{LengthStart::Bottom, {"2", "3", "3"}}, {LengthStart::Top, {"3", "3", "2"}}};
    for (const auto& c : cases) {
        TextTable t = layerTable({{"3", "10"}, {"3", "10"}, {"3", "10"}});
        RockLayerOptions o;
        o.start = c.start;
        const RockLayerQuantities q = run(t, o);
        EXPECT_EQ(columnOf(t, col::interpolationRatio), std::vector<std::string>(3, "9"));
        EXPECT_EQ(columnOf(t, col::sideLength), c.lengths);
        EXPECT_FALSE(q.mixed);
        EXPECT_EQ(q.limitMark, 0);
        EXPECT_EQ(q.bearingLength, 9);
    }
}

TEST(RockLayers, ALaterLayerPastItsBoundLimitsTheLayersAboveBeforeTheyAreUsed) {
    // 5 m of soft rock over 5 m of hard rock, each at its own depth and strength: only the hard layer
    // passes its bound (5 > 4), and the 4 m it allows from the bottom leave nothing for the layer above.
    TextTable t = layerTable({{"5", "10"}, {"5", "40"}});
    RockLayerOptions o;
    o.depth = DepthRule::OwnLength;
    o.interpolationStrength = StrengthRule::OwnLayer;
    run(t, o);
    EXPECT_EQ(columnOf(t, col::sideLength), (std::vector<std::string>{"0", "4"}));
}

TEST(RockLayers, TheBearingRunIsTheBottomLayersAsStrongAsTheLast) {
    const struct {
        std::vector<std::string_view> strengths;
        double bearingLength;
        bool mixed;
    } cases[] = {
        {{"20", "30", "30.00"}, 5, true}, // "30" equals "30.00"
        {{"30", "20", "30"}, 3, true},
        {{"30", "30", "30"}, 6, false},
    };
    for (const auto& c : cases) {
        TextTable t = layerTable({{"1", c.strengths[0]}, {"2", c.strengths[1]}, {"3", c.strengths[2]}});
        RockLayerOptions o;
        o.depth = DepthRule::BearingLength;
        const RockLayerQuantities q = run(t, o);
        EXPECT_EQ(q.bearingLength, c.bearingLength);
        EXPECT_EQ(q.bearingRatio, c.bearingLength);
        EXPECT_EQ(q.mixed, c.mixed);
        EXPECT_EQ(number(t, 0, col::interpolationDepth), c.bearingLength);
    }
}

TEST(RockLayers, StrengthRules) {
    const struct {
        StrengthRule rule;
        std::vector<std::string> strengths; // column 7 and column 13 alike
    } cases[] = {
        {StrengthRule::LastLayer, {"30.0", "30.0", "30.0"}},
        {StrengthRule::FirstLayer, {"20", "20", "20"}},
        {StrengthRule::OwnLayer, {"20", "5", "30.0"}},
        {StrengthRule::Minimum, {"5", "5", "5"}},
        {StrengthRule::Maximum, {"30", "30", "30"}},
        {StrengthRule::Mean, {"18.3333333333333", "18.3333333333333", "18.3333333333333"}},
        {StrengthRule::WeightedMean, {"21.25", "21.25", "21.25"}}, // (1·20 + 1·5 + 2·30)/4
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.rule));
        TextTable t = layerTable({{"1", "20"}, {"1", "5"}, {"2", "30.0"}});
        RockLayerOptions o;
        o.interpolationStrength = o.resistanceStrength = c.rule;
        run(t, o);
        EXPECT_EQ(columnOf(t, col::interpolationStrength), c.strengths);
        EXPECT_EQ(columnOf(t, col::sideStrength), c.strengths);
    }
}

TEST(RockLayers, CoefficientSources) {
    // Interpolated 0.0533 and 0.6433 against the typed 0.0100 and 0.5000; one layer of 9 m in soft rock
    // shows that typed coefficients limit no length.
    const struct {
        CoefficientSource source;
        const char* lr;
        const char* frk;
        double side, end;
        int limitMark;
        const char* sideLength;
    } cases[] = {
        {CoefficientSource::Typed, "9", "10", 0.01, 0.5, 2, "9"},
        {CoefficientSource::Larger, "1", "25", 0.053333, 0.643333, 0, "1"},
        {CoefficientSource::Smaller, "1", "25", 0.01, 0.5, 2, "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.source));
        TextTable t = layerTable({{c.lr, c.frk, "0.0100", "0.5000"}});
        RockLayerOptions o;
        o.source = c.source;
        const RockLayerQuantities q = run(t, o);
        EXPECT_NEAR(number(t, 0, col::sideUsed), c.side, 1e-6);
        EXPECT_NEAR(number(t, 0, col::endUsed), c.end, 1e-6);
        EXPECT_EQ(q.limitMark, c.limitMark);
        EXPECT_EQ(t.cell(0, col::sideLength), c.sideLength);
    }
}

TEST(RockLayers, TheProcessFactorScalesTheInterpolatedCoefficients) {
    TextTable t = layerTable({{"1", "25"}});
    RockLayerOptions o;
    o.processIndex = 0;
    const RockLayerQuantities q = run(t, o);
    EXPECT_NEAR(number(t, 0, col::interpolatedEnd), 1.2 * 0.643333, 1e-6);
    EXPECT_EQ(q.psiC, 0.9);
}

TEST(RockLayers, FailedChecksNameTheLayer) {
    const struct {
        std::vector<std::vector<std::string_view>> rows;
        StrengthRule rule;
        const char* message;
    } cases[] = {
        {{{"1", "25"}, {"-1", "25"}}, StrengthRule::LastLayer, "第2层岩石嵌岩深度<0"},
        {{{"1", "25"}, {"1", "0"}}, StrengthRule::LastLayer, "第2层岩石单轴抗压强度值错"},
        {{{"1", "25,5"}}, StrengthRule::LastLayer, "第1层岩石单轴抗压强度值错"},
        {{{"1", "25", "-0.01"}}, StrengthRule::LastLayer, "第1层岩石人工指定的侧阻系数小于0"},
        {{{"1", "25", "0", "-1"}}, StrengthRule::LastLayer, "第1层岩石人工指定的端阻系数小于0"},
        {{{"0", "25"}, {"0", "30"}},
         StrengthRule::WeightedMean,
         "各岩层嵌岩长度总和为0，不能按加权平均值取岩石强度"},
        {{{"1e308", "25"}, {"1e308", "25"}}, StrengthRule::LastLayer, "计算结果超出数值范围，请检查输入数据"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        TextTable t(col::count);
        for (const auto& row : c.rows) {
            std::vector<std::string_view> cells{"n"};
            cells.insert(cells.end(), row.begin(), row.end());
            t.appendLeadingCells(cells);
        }
        RockLayerOptions o;
        o.interpolationStrength = c.rule;
        const RockLayerOutcome outcome = runRockLayers(t, o, 1000);
        ASSERT_TRUE(outcome.failure);
        EXPECT_EQ(outcome.failure->message, c.message);
    }
}

TEST(RockLayers, AnEmptyRowGetsNoLengthAndStopsAtItsStrength) {
    TextTable t = layerTable({{"1.00", "25.00"}, {}});
    const RockLayerOutcome outcome = runRockLayers(t, {}, 1000);
    ASSERT_TRUE(outcome.failure);
    EXPECT_EQ(outcome.failure->message, "第2层岩石单轴抗压强度值错");
    EXPECT_EQ(t.cell(1, col::socketLength), "0.00");
    EXPECT_EQ(t.cell(0, col::rockClass), "较软岩"); // written before the check failed
}

TEST(RockLayers, ATypedCellThatIsNoNumberIsAConversionFailure) {
    for (const std::vector<std::string_view>& row :
         std::vector<std::vector<std::string_view>>{{"1,5", "25"}, {"1", "25", "abc"}}) {
        TextTable t = layerTable({row});
        EXPECT_THROW(runRockLayers(t, {}, 1000), ConversionError);
    }
}

} // namespace
} // namespace qianyan
