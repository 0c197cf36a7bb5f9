#include "design_data/design_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace qianyan {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

TEST(ConcreteGrades, TextNumberAndIndexAgree) {
    for (std::size_t i = 0; i < concreteGrades.size(); ++i) {
        const ConcreteGrade& grade = concreteGrades[i];
        EXPECT_EQ(grade.text, std::string("C").append(std::to_string(grade.number)));
        EXPECT_EQ(gradeIndexOfNumber(grade.number), static_cast<int>(i));
    }
    const ConcreteGrade& c45 = concreteGrades[static_cast<std::size_t>(gradeIndexOfNumber(45))];
    EXPECT_EQ(c45.text, "C45");
    EXPECT_DOUBLE_EQ(c45.fc, 21.1);
}

TEST(ConstructionProcesses, ShortNamesCodesAndCoefficients) {
    for (int i = 0; i < static_cast<int>(constructionProcesses.size()); ++i) {
        EXPECT_EQ(processIndexOfShortName(constructionProcesses[static_cast<std::size_t>(i)].shortName), i);
        EXPECT_EQ(processCodeOfIndex(i), i + 1);
    }
    for (std::string_view unknown : {"", "干作业", "泥浆护壁成桩", "abc"}) {
        EXPECT_EQ(processIndexOfShortName(unknown), -1) << unknown;
    }
    EXPECT_DOUBLE_EQ(constructionProcesses[2].psiC, 0.80);
    EXPECT_DOUBLE_EQ(constructionProcesses[2].factor, 1.2);
}

struct RockCase {
    double frk;
    std::optional<std::string_view> name;
    RockColumn column; // checked only when the strength has a class
};

TEST(RockClasses, IntervalsAreOpenBelowClosedAbove) {
    const RockCase cases[] = {
        {nan, std::nullopt, RockColumn::Soft},  {-1, std::nullopt, RockColumn::Soft},
        {0, std::nullopt, RockColumn::Soft},    {0.001, "极软岩", RockColumn::Soft},
        {5, "极软岩", RockColumn::Soft},        {5.01, "软岩", RockColumn::Soft},
        {15, "软岩", RockColumn::Soft},         {15.01, "较软岩", RockColumn::Transition},
        {30, "较软岩", RockColumn::Transition}, {30.5, "较硬岩", RockColumn::Hard},
        {60, "较硬岩", RockColumn::Hard},       {60.01, "坚硬岩", RockColumn::Hard},
        {inf, "坚硬岩", RockColumn::Hard},
    };
    for (const RockCase& c : cases) {
        SCOPED_TRACE(c.frk);
        EXPECT_EQ(rockClassName(c.frk), c.name);
        if (c.name) {
            EXPECT_EQ(rockColumnOf(c.frk), c.column);
        }
    }
}

struct ZetaRCase {
    double frk;
    double x;
    double zetaR;
    bool clamped;
    double effectiveRatio;
};

TEST(ZetaRLookup, InterpolatesBlendsAndClamps) {
    const ZetaRCase cases[] = {
        // soft column
        {10, 1.0, 0.95, false, 1.0},
        {10, 1.2, 0.996, false, 1.2},
        {10, 9, 1.70, true, 8},
        {12, 8.0, 1.70, false, 8.0},
        {5, 8.0001, 1.70, true, 8},
        {15, 6, 1.63, false, 6},
        // transition rock: weight (frk - 15) / 15 towards the hard column, bound 4 whatever the soft column
        // says
        {25, 1.0, 0.95 - 0.14 * 2 / 3, false, 1.0},
        {25, 2.0, 1.18 - 0.28 * 2 / 3, false, 2.0},
        {25, 0, 0.50, false, 0},
        {25, 4.0, 1.48 - 0.44 * 2 / 3, false, 4.0},
        {25, 5, 1.48 - 0.44 * 2 / 3, true, 4},
        {30, 2.0, 0.90, false, 2.0},
        // hard column
        {30.5, 5, 1.04, true, 4},
        {50, 2.5, 0.95, false, 2.5},
        {50, 3.7, 1.028, false, 3.7},
        {50, 4.0, 1.04, false, 4.0},
        {50, 4.01, 1.04, true, 4},
        {50, inf, 1.04, true, 4},
    };
    for (const ZetaRCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "frk " << c.frk << ", hr/d " << c.x);
        const ZetaRLookup result = lookupZetaR(c.frk, c.x);
        EXPECT_NEAR(result.zetaR, c.zetaR, 1e-12);
        EXPECT_EQ(result.clamped, c.clamped);
        EXPECT_DOUBLE_EQ(result.effectiveRatio, c.effectiveRatio);
    }
}

TEST(ZetaRLookup, ValuesAtTheRowsAreTheTableValues) {
    for (std::size_t i = 0; i <= 16; ++i) {
        const double x = 0.5 * static_cast<double>(i);
        EXPECT_DOUBLE_EQ(lookupZetaR(10, x).zetaR, zetaRSoft[i]) << x;
        if (x <= hardDepthRatioLimit) {
            EXPECT_DOUBLE_EQ(lookupZetaR(40, x).zetaR, zetaRHard[i]) << x;
        }
    }
}

TEST(ZetaRLookup, RatiosOutsideTheContractStayInsideTheTable) {
    // Callers reject these; the lookup must still not read outside the rows.
    EXPECT_TRUE(std::isnan(lookupZetaR(10, nan).zetaR));
    EXPECT_TRUE(std::isfinite(lookupZetaR(10, -3).zetaR));
    EXPECT_DOUBLE_EQ(lookupCoefficient(zetaRSoft, zetaRHard, 10, {RockColumn::Soft, 100, false}), 1.70);
}

} // namespace
} // namespace qianyan
