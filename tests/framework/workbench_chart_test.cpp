// The chart's reduction of a results table: values read by their sort keys, cells that are no number
// left out and counted, one point per marker square and colour group, filtered candidates on top, and
// the hit test back to a row.
#include "framework/workbench_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace qianyan;

namespace {

constexpr SortColumn dColumn{1, "d", "d(mm)"};
constexpr SortColumn raColumn{2, "Ra", "Ra(kN)"};
constexpr SortColumn shareColumn{3, "Ra'/Ra", "Ra'/Ra", SortKey::NumberBeforePercent};

// Rows of label, d, Ra, share and process.
TextTable table(std::initializer_list<std::array<std::string_view, 5>> rows) {
    TextTable t(5);
    for (const auto& row : rows) t.appendRow(row);
    return t;
}

ChartRequest request(SortColumn x, SortColumn y, int colour = 4) {
    return {x, y, colour, 100, 100, 4};
}

std::set<std::uint32_t> rowsOf(const ChartGroup& group) {
    std::set<std::uint32_t> rows;
    for (const ChartPoint& p : group.points) rows.insert(p.row);
    return rows;
}

} // namespace

TEST(WorkbenchChart, ReadsKeysAndCountsCellsThatAreNoNumber) {
    const TextTable t = table({{"ZH-1", "1000", "11451", "93%", "干作业"},
                               {"ZH-2", "-", "12000", "90%", "干作业"},
                               {"ZH-3", "1500", "", "88%", "干作业"},
                               {"ZH-4", "2000", "nan", "87%", "干作业"},
                               {"ZH-5", "2000", "1e400", "86%", "干作业"},
                               {"ZH-6", "2000", "abc", "85%", "干作业"},
                               {"ZH-7", "2500", "-3.5", "80%", "干作业"}});
    const ChartBins bins = binChart(t, request(dColumn, raColumn), {});
    EXPECT_EQ(bins.plotted, 2u);
    EXPECT_EQ(bins.leftOut, 5u);
    ASSERT_EQ(bins.groups.size(), 1u);
    EXPECT_EQ(rowsOf(bins.groups[0]), (std::set<std::uint32_t>{0, 6}));
    EXPECT_LT(bins.yMin, -3.5);
    EXPECT_GT(bins.yMax, 11451);

    const ChartBins shares = binChart(t, request(dColumn, shareColumn), {});
    EXPECT_EQ(shares.plotted, 6u) << "the key of a share is the number before its %";
    EXPECT_LT(shares.yMin, 80);
    EXPECT_GT(shares.yMax, 93);
}

// Ticks stand at round numbers, every 1, 2 or 5 × 10ⁿ, about five of them; an axis over values that are
// all zero or more never shows a negative number.
TEST(WorkbenchChart, TicksStandAtRoundNumbers) {
    const struct {
        double low, high, step, first;
    } cases[] = {
        {1000, 2000, 200, 1000}, {5123, 19877, 5000, 5000}, {0.8, 0.95, 0.05, 0.8}, {0, 100, 20, 0},
        {3, 3, 0.5, 2},          {-3.5, 11451, 2000, 0},    {10, 1e6, 200000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.low) + " … " + std::to_string(c.high));
        const ChartAxis axis = roundAxis(c.low, c.high);
        EXPECT_DOUBLE_EQ(axis.step, c.step);
        EXPECT_NEAR(firstTick(axis), c.first, c.step * 1e-9);
        EXPECT_LE(axis.min, c.low);
        EXPECT_GT(axis.max, c.high);
        if (c.low >= 0) {
            EXPECT_GE(axis.min, 0);
        }
    }
    EXPECT_EQ(roundAxis(-1.7e308, 1.7e308).step, 0) << "no round step beyond a double";
    EXPECT_EQ(tickDecimals(50), 0);
    EXPECT_EQ(tickDecimals(0.5), 1);
    EXPECT_EQ(tickDecimals(0.02), 2);
    EXPECT_EQ(tickDecimals(0), 0);
}

TEST(WorkbenchChart, LegendNamesLoseTheCellsPadding) {
    const ChartBins bins =
        binChart(table({{"ZH-1", "1000", "500", "", "干 作 业"}, {"ZH-2", "1200", "600", "", "泥浆护壁"}}),
                 request(dColumn, raColumn, 4), {});
    ASSERT_EQ(bins.groups.size(), 2u);
    EXPECT_EQ(bins.groups[0].name, "干作业");
}

TEST(WorkbenchChart, KeepsTheFirstRowOfEachSquareAndGroup) {
    struct Case {
        const char* what;
        TextTable rows;
        int colour;
        std::vector<std::pair<std::string, std::set<std::uint32_t>>> groups;
    };
    const Case cases[] = {
        {"rows on one spot are one point, the first",
         table({{"ZH-1", "1000", "500", "", "A"},
                {"ZH-2", "1000", "500", "", "A"},
                {"ZH-3", "2000", "900", "", "A"}}),
         4,
         {{"A", {0, 2}}}},
        {"a value so close that it shares the square",
         table({{"ZH-1", "1000", "500", "", "A"},
                {"ZH-2", "1000.01", "500.01", "", "A"},
                {"ZH-3", "2000", "900", "", "A"}}),
         4,
         {{"A", {0, 2}}}},
        {"the same square in two colours is two points",
         table({{"ZH-1", "1000", "500", "", "A"}, {"ZH-2", "1000", "500", "", "B"}}),
         4,
         {{"A", {0}}, {"B", {1}}}},
        {"no colour column: one group",
         table({{"ZH-1", "1000", "500", "", "A"}, {"ZH-2", "1000", "500", "", "B"}}),
         -1,
         {{"候选桩", {0}}}},
        {"a single value gets a range around it", table({{"ZH-1", "1000", "500", "", "A"}}), 4, {{"A", {0}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ChartBins bins = binChart(c.rows, request(dColumn, raColumn, c.colour), {});
        ASSERT_EQ(bins.groups.size(), c.groups.size());
        for (std::size_t g = 0; g < c.groups.size(); ++g) {
            EXPECT_EQ(bins.groups[g].name, c.groups[g].first);
            EXPECT_EQ(rowsOf(bins.groups[g]), c.groups[g].second);
        }
        EXPECT_LT(bins.xMin, bins.xMax);
        EXPECT_LT(bins.yMin, bins.yMax);
    }
}

TEST(WorkbenchChart, ManyRowsBecomeAtMostOnePointPerSquare) {
    TextTable t(5);
    const std::array<std::string_view, 3> processes{"干作业", "泥浆", "后注浆"};
    for (std::uint32_t r = 0; r < 200'000; ++r) {
        const std::string d = std::to_string(1000 + r % 1001), ra = std::to_string(5000 + (r * 7919) % 20000);
        t.appendRow({"ZH", d, ra, "", processes[r % 3]});
    }
    const ChartBins bins = binChart(t, {dColumn, raColumn, 4, 400, 300, 4}, {});
    EXPECT_EQ(bins.plotted, 200'000u);
    ASSERT_EQ(bins.groups.size(), 3u);
    for (const ChartGroup& g : bins.groups) EXPECT_LE(g.points.size(), 100u * 75u);
}

TEST(WorkbenchChart, MoreTextsThanColoursShareTheLastGroup) {
    TextTable t(5);
    for (int r = 0; r < 12; ++r) t.appendRow({"ZH", std::to_string(r), "1", "", std::to_string(r)});
    const ChartBins bins = binChart(t, {dColumn, raColumn, 4, 1000, 100, 1}, {});
    ASSERT_EQ(bins.groups.size(), chartColourGroups + 1);
    EXPECT_EQ(bins.groups.back().name, "其他");
    EXPECT_EQ(rowsOf(bins.groups.back()), (std::set<std::uint32_t>{8, 9, 10, 11}));
}

TEST(WorkbenchChart, FilteredCandidatesAreTheirOwnGroupOnTop) {
    TextTable results = table({{"ZH-3", "1000", "500", "", "A"},
                               {"ZH-1", "1000", "500", "", "A"},
                               {"ZH-2", "2000", "900", "", "B"},
                               {"ZH-4", "-", "900", "", "B"}});
    const TextTable filtered =
        table({{"ZH-1", "", "", "", ""}, {"ZH-4", "", "", "", ""}, {"ZH-99", "", "", "", ""}});
    const std::vector<bool> among = rowsAmong(results, filtered);
    EXPECT_EQ(among, (std::vector<bool>{false, true, false, true}));
    EXPECT_TRUE(rowsAmong(results, TextTable(5)).empty());

    const ChartBins bins = binChart(results, request(dColumn, raColumn), among);
    ASSERT_EQ(bins.groups.size(), 3u);
    EXPECT_EQ(bins.groups[2].name, "筛选结果");
    EXPECT_TRUE(bins.groups[2].highlighted);
    EXPECT_EQ(rowsOf(bins.groups[2]), (std::set<std::uint32_t>{1}));
    EXPECT_EQ(rowsOf(bins.groups[0]), (std::set<std::uint32_t>{0}));
    EXPECT_EQ(bins.leftOut, 1u);

    // Both rows 0 and 1 sit at (1000, 500): the highlighted one, drawn on top, is the one hit.
    ASSERT_TRUE(nearestPoint(bins, 1000, 500, 3));
    EXPECT_EQ(nearestPoint(bins, 1000, 500, 3)->row, 1u);
}

// A text keeps its colour for the life of the table: a sort reorders the rows, a filter takes rows into
// the highlighted group, another y axis leaves rows out, and the colour of every text is still the one
// the table in sweep order gave it (twelve texts: "其他" is the same four texts every time).
TEST(WorkbenchChart, ATextKeepsItsColourWhateverTheOrderFilterOrAxes) {
    std::vector<std::array<std::string, 5>> rows;
    for (int r = 0; r < 24; ++r)
        rows.push_back({"ZH-" + std::to_string(r + 1), std::to_string(1000 + r), std::to_string(500 + r),
                        r % 12 == 3 ? "-" : "90%", "岩" + std::to_string(r % 12)});
    const auto tableOf = [](const std::vector<std::array<std::string, 5>>& in) {
        TextTable t(5);
        for (const auto& row : in) t.appendRow({row[0], row[1], row[2], row[3], row[4]});
        return t;
    };
    const auto coloursOf = [](const ChartBins& bins) {
        std::map<std::string, std::size_t> colours;
        for (const ChartGroup& g : bins.groups)
            if (!g.highlighted) colours[g.name] = g.colour;
        return colours;
    };
    const std::map<std::string, std::size_t> sweepOrder =
        coloursOf(binChart(tableOf(rows), request(dColumn, raColumn), {}));
    ASSERT_EQ(sweepOrder.size(), chartColourGroups + 1);
    EXPECT_EQ(sweepOrder.at("岩0"), 0u);
    EXPECT_EQ(sweepOrder.at("岩7"), 7u);
    EXPECT_EQ(sweepOrder.at("其他"), chartColourGroups);

    std::vector<std::array<std::string, 5>> sorted = rows;
    std::reverse(sorted.begin(), sorted.end());
    std::stable_partition(sorted.begin(), sorted.end(), [](const auto& row) { return row[4] >= "岩5"; });
    const TextTable shuffled = tableOf(sorted);
    EXPECT_EQ(coloursOf(binChart(shuffled, request(dColumn, raColumn), {})), sweepOrder) << "sorted";

    // Every row of 岩0 filtered: the group has no points left and the others keep their colours.
    TextTable filtered(5);
    for (const auto& row : rows)
        if (row[4] == "岩0" || row[4] == "岩9") filtered.appendLeadingCells({row[0]});
    std::map<std::string, std::size_t> withoutFirst = sweepOrder;
    withoutFirst.erase("岩0");
    EXPECT_EQ(coloursOf(binChart(shuffled, request(dColumn, raColumn), rowsAmong(shuffled, filtered))),
              withoutFirst)
        << "filtered";

    // With the share as y axis the rows of 岩3 have no value: left out, and the colours as before.
    std::map<std::string, std::size_t> withoutFourth = sweepOrder;
    withoutFourth.erase("岩3");
    EXPECT_EQ(coloursOf(binChart(shuffled, request(dColumn, shareColumn), {})), withoutFourth) << "axes";
}

TEST(WorkbenchChart, HitTestFindsTheNearestPointWithinTheRadius) {
    const TextTable t = table({{"ZH-1", "0", "0", "", "A"}, {"ZH-2", "100", "100", "", "A"}});
    const ChartBins bins = binChart(t, {dColumn, raColumn, 4, 108, 108, 1}, {});
    // 108 pixels span 0 - 4 .. 100 + 4: one pixel per unit.
    struct Case {
        double x, y, radius;
        std::optional<std::uint32_t> row;
    };
    const Case cases[] = {{1, 1, 5, 0u}, {97, 99, 5, 1u}, {50, 50, 5, std::nullopt}, {48, 48, 100, 0u}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const std::optional<ChartPoint> hit = nearestPoint(bins, c.x, c.y, c.radius);
        EXPECT_EQ(hit ? std::optional<std::uint32_t>(hit->row) : std::nullopt, c.row);
    }
    EXPECT_FALSE(nearestPoint(binChart(TextTable(5), request(dColumn, raColumn), {}), 0, 0, 100));
}

TEST(WorkbenchChart, ColumnsBeyondTheTableLeaveEveryRowOut) {
    const TextTable t = table({{"ZH-1", "1000", "500", "", "A"}});
    const ChartBins bins = binChart(t, request({9, "x", "x"}, raColumn, 17), {});
    EXPECT_EQ(bins.leftOut, 1u);
    EXPECT_TRUE(bins.groups.empty());
}
