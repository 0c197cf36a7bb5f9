// The length search on capacities made to mislead it: a fall between two rows, a hump inside a segment that
// neither end nor the middle shows, a capacity that stops computing, one that grows past the bound.
#include "framework/target_search.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qianyan {
namespace {

struct SearchCase {
    const char* name;
    CapacityAt capacity;
    LengthSearch search;
    double target;
    std::optional<long long> expected;
};

const std::vector<long long> rows{0, 500, 1000, 1500, 2000};

std::vector<SearchCase> cases() {
    return {
        {"rising",
         [](long long x) { return std::optional<double>(static_cast<double>(x)); },
         {rows},
         1234.5,
         1235},
        {"at_zero", [](long long x) { return std::optional<double>(100.0 + x); }, {rows}, 50, 0},
        // Rises to 1000 at 500, falls to 200 at 1000 and rises again: the first rise counts.
        {"fall_between_rows",
         [](long long x) {
             const double v = x <= 500 ? 2.0 * x : x <= 1000 ? 1000 - 1.6 * (x - 500) : 200 + (x - 1000);
             return std::optional<double>(v);
         },
         {rows},
         900,
         450},
        // A hump at 1100 inside the segment 1000-1500, lower at both ends and the middle.
        {"hump_in_a_segment",
         [](long long x) {
             const double v = x >= 1000 && x <= 1500 ? 100 - 0.01 * (x - 1100.0) * (x - 1100.0) : 0.0;
             return std::optional<double>(v);
         },
         {rows},
         99,
         1090},
        {"never_computes", [](long long) { return std::optional<double>(); }, {rows}, 1, std::nullopt},
        {"flat_beyond_bound",
         [](long long x) { return std::optional<double>(std::min<double>(x, 2000)); },
         {rows},
         2001,
         std::nullopt},
        {"grows_beyond_bound",
         [](long long x) { return std::optional<double>(static_cast<double>(x)); },
         {rows, true, 100000},
         54321,
         54321},
    };
}

class LengthSearchCases : public ::testing::TestWithParam<SearchCase> {};

TEST_P(LengthSearchCases, FindsTheSmallestLengthAndChecksIt) {
    const SearchCase& c = GetParam();
    int evaluations = 0;
    const CapacityAt counted = [&](long long x) {
        ++evaluations;
        return c.capacity(x);
    };
    const LengthAnswer answer = smallestLength(c.search, counted, c.target);
    EXPECT_EQ(answer.length, c.expected);
    if (answer.length && *answer.length > 0) {
        EXPECT_GE(*c.capacity(*answer.length), c.target);
        EXPECT_LT(c.capacity(*answer.length - 1).value_or(-1), c.target);
    }
    EXPECT_LT(evaluations, 200);
}

INSTANTIATE_TEST_SUITE_P(Capacities, LengthSearchCases, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DepthRatioBreakpoints, StartAtZeroAndCountTheLayersAbove) {
    EXPECT_EQ(depthRatioBreakpoints(1000, 0, 0.5, 2), (std::vector<long long>{0, 500, 1000, 1500, 2000}));
    EXPECT_EQ(depthRatioBreakpoints(1000, 1200, 0.5, 2), (std::vector<long long>{0, 300, 800}));
    EXPECT_EQ(depthRatioBreakpoints(1000, 5000, 0.5, 2), (std::vector<long long>{0}));
}

} // namespace
} // namespace qianyan
