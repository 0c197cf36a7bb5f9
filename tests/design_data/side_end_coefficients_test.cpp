#include "design_data/side_end_coefficients.h"

#include <gtest/gtest.h>

namespace qianyan {
namespace {

struct NamedColumn {
    const char* name;
    const CoefficientColumn& values;
};

TEST(CoefficientTables, HalfStepRowsAreMeansAndTheLastRowRepeats) {
    const NamedColumn columns[] = {{"zetaR soft", zetaRSoft}, {"zetaR hard", zetaRHard},
                                   {"zetaP soft", zetaPSoft}, {"zetaP hard", zetaPHard},
                                   {"zetaS soft", zetaSSoft}, {"zetaS hard", zetaSHard}};
    for (const NamedColumn& column : columns) {
        SCOPED_TRACE(column.name);
        const CoefficientColumn& t = column.values;
        for (std::size_t i = 3; i <= 15; i += 2) EXPECT_NEAR(t[i], (t[i - 1] + t[i + 1]) / 2, 1e-12) << i;
        EXPECT_EQ(t[17], t[16]);
    }
}

TEST(CoefficientTables, CombinedCoefficientIsSideTimesPerimeterPlusEnd) {
    // zetaR = 4 (hr/d) zetaS + zetaP up to the rounding of the published values, within each column's range.
    constexpr double tolerance = 0.005 + 1e-12;
    for (std::size_t i = 0; i <= 16; ++i) {
        const double x = 0.5 * static_cast<double>(i);
        EXPECT_NEAR(zetaRSoft[i], 4 * x * zetaSSoft[i] + zetaPSoft[i], tolerance) << x;
        if (x <= hardDepthRatioLimit) {
            EXPECT_NEAR(zetaRHard[i], 4 * x * zetaSHard[i] + zetaPHard[i], tolerance) << x;
        }
    }
}

constexpr auto converted = SideCoefficientMethod::Converted;
constexpr auto table = SideCoefficientMethod::Table;

struct LookupCase {
    const char* what;
    double frk, hr, d;
    int process;
    SideCoefficientMethod method;
    double zetaS, zetaP, zetaR;
    double effectiveSocketDepth;
    bool clamped;
};

TEST(SideEndCoefficients, LooksUpConvertsAndScales) {
    const LookupCase cases[] = {
        {"no socket, soft", 10, 0, 1000, 1, converted, 0, 0.60, 0.60, 0, false},
        {"no socket, hard", 50, 0, 1000, 1, table, 0, 0.45, 0.45, 0, false},
        {"soft at its bound", 10, 8000, 1000, 1, table, 0.040, 0.42, 1.70, 8000, false},
        {"soft past its bound", 10, 8001, 1000, 1, table, 0.040, 0.42, 1.70, 8000, true},
        {"soft past its bound, converted", 10, 9000, 1000, 1, converted, 1.28 / 32, 0.42, 1.70, 8000, true},
        {"transition past its bound", 20, 6000, 1000, 1, table, 0.051 - 0.011 / 3, 0.66 - 0.26 / 3,
         1.48 - 0.44 / 3, 4000, true},
        {"frk 15 is soft", 15, 800, 800, 1, table, 0.056, 0.73, 0.95, 800, false},
        {"frk 30 blends to hard", 30, 800, 800, 1, table, 0.052, 0.60, 0.81, 800, false},
        {"frk 30.5 is hard", 30.5, 4000, 800, 1, table, 0.040, 0.40, 1.04, 3200, true},
        {"converted differs from table", 10, 1000, 1000, 1, converted, 0.055, 0.73, 0.95, 1000, false},
        {"table side value", 10, 1000, 1000, 1, table, 0.056, 0.73, 0.95, 1000, false},
        {"dry process factor", 10, 0, 1000, 0, converted, 0, 0.72, 0.72, 0, false},
        {"grouted process factor", 10, 1000, 1000, 2, converted, 0.066, 0.876, 1.14, 1000, false},
        {"transition, converted", 25, 1200, 1200, 1, converted,
         ((0.95 - 0.14 * 2 / 3) - (0.73 - 0.13 * 2 / 3)) / 4, 0.73 - 0.13 * 2 / 3, 0.95 - 0.14 * 2 / 3, 1200,
         false},
        {"transition, table", 25, 1200, 1200, 1, table, 0.056 - 0.004 * 2 / 3, 0.73 - 0.13 * 2 / 3,
         0.95 - 0.14 * 2 / 3, 1200, false},
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.what);
        const SideEndCoefficients result = lookupSideEndCoefficients(c.frk, c.hr, c.d, c.process, c.method);
        EXPECT_NEAR(result.zetaS, c.zetaS, 1e-12);
        EXPECT_NEAR(result.zetaP, c.zetaP, 1e-12);
        EXPECT_NEAR(result.zetaR, c.zetaR, 1e-12);
        EXPECT_NEAR(result.effectiveSocketDepth, c.effectiveSocketDepth, 1e-9);
        EXPECT_DOUBLE_EQ(result.effectiveRatio, c.effectiveSocketDepth / c.d);
        EXPECT_EQ(result.clamped, c.clamped);
    }
}

} // namespace
} // namespace qianyan
