#include "formula3/section_geometry.h"

#include <gtest/gtest.h>

namespace qianyan {
namespace {

struct DeqCase {
    SectionType type;
    double first, second;
    double deq[8]; // A-H
};

TEST(EquivalentDiameter, EightAlgorithmsOnTheObroundAndRectangles) {
    const DeqCase cases[] = {
        {SectionType::Obround, 1000, 500, {1279.30, 1318.31, 1545.63, 1062.86, 1500, 1000, 1545.63, 1062.86}},
        {SectionType::Rectangle,
         1000,
         1000,
         {1128.38, 1273.24, 1154.70, 1154.70, 1000, 1000, 1273.24, 1128.38}},
        {SectionType::Rectangle, 1200, 800, {1105.58, 1273.24, 1385.64, 923.76, 1200, 800, 1385.64, 923.76}},
    };
    for (const DeqCase& c : cases) {
        for (int a = 0; a < 8; ++a) {
            SCOPED_TRACE(::testing::Message() << static_cast<int>(c.type) << " " << c.first << "x" << c.second
                                              << " algorithm " << a);
            EXPECT_NEAR(equivalentDiameter(c.type, c.first, c.second, static_cast<DeqAlgorithm>(a)), c.deq[a],
                        0.005);
        }
    }
}

TEST(EquivalentDiameter, EveryAlgorithmTendsToTheDiameterAsTheStraightSidesVanish) {
    for (int a = 0; a < 8; ++a)
        EXPECT_NEAR(equivalentDiameter(SectionType::Obround, 1000, 1e-9, static_cast<DeqAlgorithm>(a)), 1000,
                    1e-6)
            << a;
}

TEST(SectionGeometry, AreaAndPerimeterOfTheRealSectionOrTheVirtualCircle) {
    const struct {
        const char* what;
        SectionType type;
        double first, second;
        DeqAlgorithm algorithm;
        AreaMode mode;
        double area0, perimeter0, deq, area, perimeter;
        bool nonCircular;
    } cases[] = {
        // The circle ignores the second field, the algorithm and the area mode.
        {"circle", SectionType::Circle, 1000, 777, DeqAlgorithm::LongSide, AreaMode::VirtualCircle, 785398.16,
         3141.59, 1000, 785398.16, 3141.59, false},
        {"obround, real", SectionType::Obround, 1000, 500, DeqAlgorithm::LargestOfAToD, AreaMode::RealSection,
         1285398.16, 4141.59, 1545.63, 1285398.16, 4141.59, true},
        {"obround, virtual", SectionType::Obround, 1000, 500, DeqAlgorithm::LargestOfAToD,
         AreaMode::VirtualCircle, 1285398.16, 4141.59, 1545.63, 1876304.06, 4855.75, true},
        {"rectangle", SectionType::Rectangle, 1200, 800, DeqAlgorithm::LargestGyration, AreaMode::RealSection,
         960000, 4000, 1385.64, 960000, 4000, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const SectionGeometry g = sectionGeometry(c.type, c.first, c.second, c.algorithm, c.mode);
        EXPECT_NEAR(g.area0, c.area0, 0.01);
        EXPECT_NEAR(g.perimeter0, c.perimeter0, 0.01);
        EXPECT_NEAR(g.deq, c.deq, 0.005);
        EXPECT_NEAR(g.area, c.area, 1);
        EXPECT_NEAR(g.perimeter, c.perimeter, 0.01);
        EXPECT_EQ(g.nonCircular, c.nonCircular);
    }
    EXPECT_EQ(sectionGeometry(SectionType::Circle, 1000, 0, DeqAlgorithm::EqualArea, AreaMode::VirtualCircle)
                  .areaMode,
              AreaMode::RealSection);
}

TEST(SectionDimensions, ChecksInOrderAndReadsWholeNumbersOnly) {
    const struct {
        SectionType type;
        const char *first, *second;
        DimensionInput input;
        const char* message;
    } failures[] = {
        {SectionType::Circle, "", "0", DimensionInput::First, "桩身直径数据有错"},
        {SectionType::Circle, "0", "0", DimensionInput::First, "桩身直径数据有错"},
        {SectionType::Circle, "1,500", "0", DimensionInput::First, "桩身直径数据有错"},
        {SectionType::Circle, "1000mm", "0", DimensionInput::First, "桩身直径数据有错"},
        {SectionType::Circle, "1e400", "0", DimensionInput::First, "桩身直径数据有错"},
        {SectionType::Obround, "-1", "0", DimensionInput::First, "桩身直径数据有错"},
        {SectionType::Obround, "1000", "0", DimensionInput::Second, "椭圆直段长度数据有错"},
        {SectionType::Obround, "1000", "5,5", DimensionInput::Second, "椭圆直段长度数据有错"},
        {SectionType::Rectangle, "nan", "abc", DimensionInput::First, "矩形长边尺寸数据有错"},
        {SectionType::Rectangle, "1000", "", DimensionInput::Second, "矩形短边尺寸数据有错"},
    };
    for (const auto& c : failures) {
        SCOPED_TRACE(std::string(c.first) + " / " + c.second);
        const auto read = readSectionDimensions(c.type, c.first, c.second);
        ASSERT_TRUE(std::holds_alternative<DimensionFailure>(read));
        EXPECT_EQ(std::get<DimensionFailure>(read).input, c.input);
        EXPECT_EQ(std::get<DimensionFailure>(read).message, c.message);
    }
    // The circle never reads its second field; blanks around a number are fine.
    const auto circle = readSectionDimensions(SectionType::Circle, " 1000  ", "abc");
    ASSERT_TRUE(std::holds_alternative<SectionDimensions>(circle));
    EXPECT_EQ(std::get<SectionDimensions>(circle).first, 1000);
}

TEST(SectionDimensions, TheRectangleComesBackLongSideFirst) {
    const struct {
        const char *first, *second;
        double a, b;
        bool exchanged;
        const char *firstText, *secondText;
    } cases[] = {
        {"1200", "800", 1200, 800, false, "", ""},
        {"800", "1200", 1200, 800, true, "1200", "800"},
        {"1000.0", "1e3", 1000, 1000, true, "1000", "1000"}, // equal sides are written back too
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " x " + c.second);
        const auto read = readSectionDimensions(SectionType::Rectangle, c.first, c.second);
        ASSERT_TRUE(std::holds_alternative<SectionDimensions>(read));
        const SectionDimensions& d = std::get<SectionDimensions>(read);
        EXPECT_EQ(d.first, c.a);
        EXPECT_EQ(d.second, c.b);
        EXPECT_EQ(d.exchanged, c.exchanged);
        EXPECT_EQ(d.firstText, c.firstText);
        EXPECT_EQ(d.secondText, c.secondText);
    }
}

} // namespace
} // namespace qianyan
