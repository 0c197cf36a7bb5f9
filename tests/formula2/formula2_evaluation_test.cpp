#include "formula2/formula2_evaluation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qianyan {
namespace {

constexpr auto converted = SideCoefficientMethod::Converted;
constexpr auto table = SideCoefficientMethod::Table;

struct EvaluationCase {
    const char* what;
    Formula2Design design;
    const char* rockClass;
    double zetaS, zetaP, zetaR;
    double effectiveSocketDepth;
    bool clamped;
    double qrs, qrp, sideShare, ra, raByZetaR, rc;
};

TEST(Formula2Evaluation, SplitsTheSocketResistanceIntoSideAndEnd) {
    const double pi = 3.14159265358979323846;
    const EvaluationCase cases[] = {
        {"initial design",
         {1000, 1000, 25, 1, 1, converted},
         "较软岩",
         0.0533333,
         0.6433333,
         0.8566667,
         1000,
         false,
         4188.79,
         12631.82,
         24.90,
         8410.31,
         8410.31,
         7861.84},
        {"soft rock, table side coefficient",
         {1000, 1000, 10, 1, 1, table},
         "软岩",
         0.056,
         0.73,
         0.95,
         1000,
         false,
         1759.29,
         5733.41,
         23.48,
         3746.35,
         3730.64,
         7861.84},
        {"soft rock past its bound",
         {1000, 9000, 10, 1, 1, converted},
         "软岩",
         0.040,
         0.42,
         1.70,
         8000,
         true,
         0.040 * 10 * pi * 8e6 / 1000,
         pi / 4 * 0.42 * 1e4,
         75.29,
         6675.88,
         6675.88,
         7861.84},
        {"hard rock clamped at 4d",
         {1000, 5000, 40, 1, 1, table},
         "较硬岩",
         0.040,
         0.40,
         1.04,
         4000,
         true,
         0.040 * 40 * pi * 4e6 / 1000,
         pi / 4 * 0.40 * 4e4,
         61.54,
         pi / 4 * 1.04 * 4e4 / 2,
         pi / 4 * 1.04 * 4e4 / 2,
         7861.84},
        {"no socket",
         {1000, 0, 10, 0, 0, converted},
         "软岩",
         0,
         0.72,
         0.72,
         0,
         false,
         0,
         pi / 4 * 0.72 * 1e4,
         0,
         pi / 4 * 0.72 * 1e4 / 2,
         pi / 4 * 0.72 * 1e4 / 2,
         pi / 4 * 1e6 * 0.90 * 11.9 / 1000},
    };
    for (const EvaluationCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Formula2Result r = evaluateFormula2(c.design);
        EXPECT_EQ(r.rockClass, c.rockClass);
        EXPECT_NEAR(r.coefficients.zetaS, c.zetaS, 1e-6);
        EXPECT_NEAR(r.coefficients.zetaP, c.zetaP, 1e-6);
        EXPECT_NEAR(r.coefficients.zetaR, c.zetaR, 1e-6);
        EXPECT_DOUBLE_EQ(r.coefficients.effectiveSocketDepth, c.effectiveSocketDepth);
        EXPECT_EQ(r.coefficients.clamped, c.clamped);
        EXPECT_NEAR(r.qrs, c.qrs, 0.006);
        EXPECT_NEAR(r.qrp, c.qrp, 0.006);
        EXPECT_NEAR(r.qrk, r.qrs + r.qrp, 1e-9);
        EXPECT_NEAR(r.sideShare, c.sideShare, 0.006);
        EXPECT_NEAR(r.endShare, 100 - c.sideShare, 0.006);
        EXPECT_DOUBLE_EQ(r.quk, r.qrk);
        EXPECT_NEAR(r.ra, c.ra, 0.006);
        EXPECT_NEAR(r.raByZetaR, c.raByZetaR, 0.006);
        EXPECT_NEAR(r.body.rc, c.rc, 0.006);
        EXPECT_NEAR(r.qrkToQrkz, r.qrk / r.qrkz * 100, 1e-9);
    }
}

TEST(Formula2Evaluation, TheConvertedSideCoefficientReproducesTheCombinedCapacity) {
    // ζr·Ap = ζs·μ·hr + ζp·Ap on a circular section, so Qrk = Qrkz whatever the rock, depth or process.
    for (const double frk : {3.0, 12.0, 22.5, 30.0, 45.0, 80.0})
        for (const double hr : {0.0, 700.0, 1500.0, 2600.0, 5000.0, 9000.0})
            for (const int process : {0, 1, 2}) {
                const Formula2Result r = evaluateFormula2({1200, hr, frk, 3, process, converted});
                EXPECT_NEAR(r.qrkToQrkz, 100, 1e-9) << frk << " " << hr << " " << process;
            }
    const Formula2Result byTable = evaluateFormula2({1000, 1000, 10, 1, 1, table});
    EXPECT_GT(byTable.qrkToQrkz, 100.4);
}

TEST(Formula2Evaluation, AVanishingSectionGivesNoFiniteShare) {
    // The window reports this as a data error instead of printing it.
    const Formula2Result r = evaluateFormula2({1e-300, 0, 25, 1, 1, converted});
    EXPECT_FALSE(std::isfinite(r.endShare));
}

} // namespace
} // namespace qianyan
