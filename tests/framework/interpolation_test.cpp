#include "framework/interpolation.h"

#include <gtest/gtest.h>

namespace qianyan {
namespace {

TEST(Interpolation, LinearFollowsAndExtendsTheLine) {
    EXPECT_NEAR(linearInterpolation(1.2, 1.0, 0.95, 1.5, 1.065), 0.996, 1e-12);
    EXPECT_NEAR(linearInterpolation(2.0, 1.0, 0.95, 1.5, 1.065), 1.18, 1e-12);
    EXPECT_NEAR(linearInterpolation(0.5, 1.0, 0.95, 1.5, 1.065), 0.835, 1e-12);
}

TEST(Interpolation, BilinearTakesEachCornerFromItsArgument) {
    // p between 15 and 30 MPa, q between table rows 2 and 3.
    const double f11 = 1.0, f12 = 2.0, f21 = 5.0, f22 = 11.0;
    const auto at = [&](double p, double q) {
        return bilinearInterpolation(p, q, 15, 30, 2, 3, f11, f12, f21, f22);
    };
    EXPECT_DOUBLE_EQ(at(15, 2), f11);
    EXPECT_DOUBLE_EQ(at(15, 3), f12);
    EXPECT_DOUBLE_EQ(at(30, 2), f21);
    EXPECT_DOUBLE_EQ(at(30, 3), f22);
    EXPECT_DOUBLE_EQ(at(22.5, 2.5), (f11 + f12 + f21 + f22) / 4);
    EXPECT_DOUBLE_EQ(at(20, 2.25), 1.25 + (6.5 - 1.25) / 3); // a = 1.25, b = 6.5
}

} // namespace
} // namespace qianyan
