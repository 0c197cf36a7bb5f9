#include "framework/number_text.h"
#include "framework/sort_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace qianyan {
namespace {

TEST(SortKeys, ACellReadsAsTheStrictReaderReadsIt) {
    for (const char* cell : {"8412", "0.9720", "-3.5", "0", "-0", "1.", ".5", "123456789012345",
                             "1234567890123456", "0.1", "1e3", "+5", "9999999.99", "0.30000000000000004"}) {
        SCOPED_TRACE(cell);
        const double value = readCellNumber(cell);
        EXPECT_EQ(value, readStrict(cell));
        EXPECT_EQ(std::signbit(value), std::signbit(readStrict(cell)));
    }
    for (const char* cell : {"", "-", "93%", "1,500", "abc", "1.2.3"})
        EXPECT_THROW(readCellNumber(cell), ConversionError) << cell;
}

TEST(SortKeys, TheOrderIsTheStableSortByValue) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(-50, 50);
    std::vector<double> keys(20'000);
    for (double& k : keys) k = pick(random) / 4.0; // many equal keys, negatives and both zeros
    keys[3] = -0.0;
    std::vector<std::uint32_t> expected(keys.size());
    std::iota(expected.begin(), expected.end(), 0u);
    std::stable_sort(expected.begin(), expected.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    const RowOrder order = ascendingOrder(keys);
    EXPECT_EQ(std::vector<std::uint32_t>(order.begin(), order.end()), expected);
    EXPECT_TRUE(ascendingOrder({}).empty());
}

} // namespace
} // namespace qianyan
