#pragma once
// The chart of a workbench's results table reduced to what a plot of so many pixels can show: a million
// candidates become at most one point for each square a marker covers and each colour group, so drawing
// costs the same however long the table is. The point kept for a square is its first row, which a hover
// names and a click selects.
#include "framework/text_table.h"
#include "framework/workbench.h"
#include "framework/workbench_model.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace qianyan {

// What to plot: two sortable columns (read by their keys), the column whose texts colour the points (-1:
// one colour) and the plot area in pixels, with the side of the square one marker covers.
struct ChartRequest {
    SortColumn x, y;
    int colour = -1;
    int width = 0, height = 0;
    int cell = 4;
};

struct ChartPoint {
    double x, y;
    std::uint32_t row; // of the results table
};

struct ChartGroup {
    std::string name;
    bool highlighted = false; // the filtered candidates
    std::vector<ChartPoint> points;
    // Which of the colours the group has: the place of its text among the colour column's texts, the
    // same for the life of the table (chartColourGroups for "其他").
    std::size_t colour = 0;
};

struct ChartBins {
    // Colour groups in the order of their colours (their texts ranked by the first candidate holding
    // them, so a sort or a filter changes no colour), then "其他" when there are more texts than colours,
    // then the highlighted candidates (drawn last, on top); a group without points is left out.
    std::vector<ChartGroup> groups;
    // The axis ranges: every plotted value with a margin, never empty, from a tick to a tick; the ticks
    // every step (0: no round step, five ticks over the range).
    double xMin = 0, xMax = 1, yMin = 0, yMax = 1;
    double xStep = 0, yStep = 0;
    int width = 0, height = 0;
    std::size_t plotted = 0; // rows with both values
    std::size_t leftOut = 0; // rows whose x or y cell is not a number ("-", empty, a word)
};

// The colour groups a chart distinguishes before the rest are put together as "其他".
inline constexpr std::size_t chartColourGroups = 8;

// An axis over the values low … high: a range a little wider than the values (never below 0 for values
// that are all zero or more), with a tick at every multiple of step, a round 1, 2 or 5 × 10ⁿ giving
// about five ticks. step is 0 where the range is beyond a double.
struct ChartAxis {
    double min, max, step;
};
ChartAxis roundAxis(double low, double high);
// The first multiple of the axis's step on it.
double firstTick(const ChartAxis& axis);
// The decimals a tick's text needs to tell ticks step apart (none for a step of 1 or more).
int tickDecimals(double step);

// The rows of results whose candidate (by its label's number) is among the rows of chosen.
std::vector<bool> rowsAmong(const TextTable& results, const TextTable& chosen);

// Where the candidates of the highlighted points stand in chosen: each point's results row with its row
// in chosen, found by the label, so that a click on a point selects its row without a search.
std::unordered_map<std::uint32_t, std::uint32_t>
chosenRowsOfPoints(const ChartBins& bins, const TextTable& results, const TextTable& chosen);

// Reduces the rows of table to the chart's points; highlighted (empty, or one flag per row) puts rows in
// a group of their own.
ChartBins binChart(const TextTable& table, const ChartRequest& request, const std::vector<bool>& highlighted);

// The chart as a page prints it: the points and the titles of the axes.
struct ChartFigure {
    ChartBins bins;
    std::string xTitle, yTitle;
};

// The chart of the workbench's results with the declared axes and the first declared colour column, binned
// for a plot of width × height pixels, the filtered candidates highlighted; none without result rows.
std::optional<ChartFigure> declaredChart(const Workbench& workbench, int width, int height);

// "绘出 12 根，3 根无数值未绘出"
std::string chartCountsText(const ChartBins& bins);

// The kept point nearest to (x, y) in the chart's values, at most radius pixels away.
std::optional<ChartPoint> nearestPoint(const ChartBins& bins, double x, double y, double radius);

} // namespace qianyan
