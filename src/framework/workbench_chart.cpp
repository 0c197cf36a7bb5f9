#include "framework/workbench_chart.h"

#include "framework/huge_page_allocator.h"
#include "framework/number_text.h"
#include "framework/sort_keys.h"
#include "framework/text_layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace qianyan {

namespace {

constexpr std::uint8_t leftOutRow = 255;
constexpr std::uint32_t emptySquare = std::numeric_limits<std::uint32_t>::max();
constexpr int largestSide = 8192; // pixels; a larger plot is drawn no finer
constexpr int largestCell = 64;

// The number of a candidate label "ZH-0012"; 0 for a cell that is none.
std::uint64_t candidateNumber(std::string_view label) {
    const std::size_t dash = label.find('-');
    if (dash == std::string_view::npos) return 0;
    std::uint64_t number = 0;
    const char* end = label.data() + label.size();
    const auto [at, error] = std::from_chars(label.data() + dash + 1, end, number);
    return error == std::errc() && at == end ? number : 0;
}

bool readKey(std::string_view cell, SortKey key, double& value) {
    if (key == SortKey::NumberBeforePercent) cell = cell.substr(0, cell.find('%'));
    return tryReadCellNumber(cell, value) && std::isfinite(value);
}

// The colour groups of a table. A text of the colour column keeps its group, and so its colour, for the
// life of the table, whatever order a sort gives the rows and whichever rows a filter or the axes leave
// out: the texts are ranked by the first candidate holding them (by its label's number; by the row where
// labels carry none), the first chartColourGroups of them have a group of their own and the rest share
// "其他".
class ColourGroups {
public:
    // The candidate's label number, then its row.
    using Rank = std::pair<std::uint64_t, std::size_t>;

    // Notes a row's text; the text's index among those met.
    std::uint32_t add(std::string_view text, Rank rank) {
        // Rows come in runs of one text (a sweep's inner loops, a sorted column): no lookup for those.
        if (last_ >= texts_.size() || texts_[last_].text != text) {
            const auto [found, added] = index_.try_emplace(text, static_cast<std::uint32_t>(texts_.size()));
            if (added) texts_.push_back({text, rank});
            last_ = found->second;
        }
        Text& met = texts_[last_];
        met.rank = std::min(met.rank, rank);
        return last_;
    }
    // The group of each text index; names gets the names of the groups in the order of their colours.
    std::vector<std::uint8_t> groups(std::vector<std::string>& names) const {
        std::vector<std::uint32_t> order(texts_.size());
        for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
        std::sort(order.begin(), order.end(),
                  [this](std::uint32_t a, std::uint32_t b) { return texts_[a].rank < texts_[b].rank; });
        std::vector<std::uint8_t> groupOf(texts_.size(), static_cast<std::uint8_t>(chartColourGroups));
        for (std::size_t g = 0; g < order.size() && g < chartColourGroups; ++g) {
            groupOf[order[g]] = static_cast<std::uint8_t>(g);
            names.push_back(shownLabel(texts_[order[g]].text)); // a legend without the cells' padding
        }
        if (order.size() > chartColourGroups) names.emplace_back("其他");
        return groupOf;
    }

private:
    struct Text {
        std::string_view text; // in the table, which outlives the binning
        Rank rank;
    };
    std::vector<Text> texts_;
    std::unordered_map<std::string_view, std::uint32_t> index_;
    std::uint32_t last_ = 0;
};

std::size_t square(double value, double low, double high, std::size_t squares) {
    const double at = (value - low) / (high - low) * static_cast<double>(squares);
    return std::min(static_cast<std::size_t>(std::max(at, 0.0)), squares - 1);
}

} // namespace

ChartAxis roundAxis(double low, double high) {
    // A margin, so that no point sits on the frame; a single value gets a range around it.
    const double margin = high > low ? (high - low) * 0.04 : std::max(std::abs(low) * 0.05, 1.0);
    const double from = low >= 0 ? std::max(low - margin, 0.0) : low - margin, to = high + margin;
    // About five ticks: the range's fifth rounded to the nearest 1, 2 or 5 × 10ⁿ.
    const double raw = (to - from) / 5;
    if (!std::isfinite(raw) || raw <= 0) return {from, to, 0};
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / power;
    const double step = (fraction < 1.5 ? 1 : fraction < 3 ? 2 : fraction < 7 ? 5 : 10) * power;
    return {from, to, std::isfinite(step) ? step : 0};
}

double firstTick(const ChartAxis& axis) {
    return axis.step > 0 ? std::ceil(axis.min / axis.step) * axis.step : axis.min;
}

int tickDecimals(double step) {
    if (!(step > 0) || step >= 1) return 0;
    return std::min(15, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
}

std::vector<bool> rowsAmong(const TextTable& results, const TextTable& chosen) {
    if (chosen.empty()) return {};
    LargeVector<std::uint64_t> numbers(results.rowCount());
    std::uint64_t largest = 0;
    for (std::size_t r = 0; r < numbers.size(); ++r) {
        numbers[r] = candidateNumber(results.cell(r, 0));
        largest = std::max(largest, numbers[r]);
    }
    std::vector<bool> chosenNumbers(largest + 1);
    for (std::size_t r = 0; r < chosen.rowCount(); ++r) {
        const std::uint64_t n = candidateNumber(chosen.cell(r, 0));
        if (n != 0 && n <= largest) chosenNumbers[n] = true;
    }
    std::vector<bool> among(numbers.size());
    for (std::size_t r = 0; r < numbers.size(); ++r) among[r] = chosenNumbers[numbers[r]];
    return among;
}

std::unordered_map<std::uint32_t, std::uint32_t>
chosenRowsOfPoints(const ChartBins& bins, const TextTable& results, const TextTable& chosen) {
    std::unordered_map<std::string_view, std::uint32_t> pointRows;
    for (const ChartGroup& group : bins.groups)
        if (group.highlighted)
            for (const ChartPoint& p : group.points)
                if (p.row < results.rowCount()) pointRows.emplace(results.cell(p.row, 0), p.row);
    std::unordered_map<std::uint32_t, std::uint32_t> rows;
    for (std::size_t r = 0; r < chosen.rowCount() && rows.size() < pointRows.size(); ++r) {
        const auto found = pointRows.find(chosen.cell(r, 0));
        if (found != pointRows.end()) rows.emplace(found->second, static_cast<std::uint32_t>(r));
    }
    return rows;
}

ChartBins binChart(const TextTable& table, const ChartRequest& request,
                   const std::vector<bool>& highlighted) {
    ChartBins bins;
    bins.width = std::clamp(request.width, 1, largestSide);
    bins.height = std::clamp(request.height, 1, largestSide);
    const std::size_t columns = table.columnCount();
    if (request.x.column >= columns || request.y.column >= columns) {
        bins.leftOut = table.rowCount();
        return bins;
    }
    const bool coloured = request.colour >= 0 && static_cast<std::size_t>(request.colour) < columns;

    // First pass: the values of every row and their range, whether it is highlighted, and its text.
    const std::size_t n = table.rowCount();
    LargeVector<double> xs(n), ys(n);
    constexpr auto highlightedRow = static_cast<std::uint8_t>(chartColourGroups + 1);
    LargeVector<std::uint8_t> groupOf(n, leftOutRow);
    LargeVector<std::uint32_t> textOf(coloured ? n : 0);
    std::vector<std::string_view> cells(columns);
    ColourGroups colours;
    bool anyHighlighted = false;
    double xLow = std::numeric_limits<double>::infinity(), xHigh = -xLow, yLow = xLow, yHigh = -xLow;
    for (std::size_t r = 0; r < n; ++r) {
        table.prefetch(r + 16);
        table.cells(r, cells);
        // Every row's text counts, plotted or not, so that the axes chosen leave the colours alone.
        if (coloured)
            textOf[r] =
                colours.add(cells[static_cast<std::size_t>(request.colour)], {candidateNumber(cells[0]), r});
        if (!readKey(cells[request.x.column], request.x.key, xs[r]) ||
            !readKey(cells[request.y.column], request.y.key, ys[r])) {
            ++bins.leftOut;
            continue;
        }
        const bool isHighlighted = r < highlighted.size() && highlighted[r];
        groupOf[r] = isHighlighted ? highlightedRow : 0;
        anyHighlighted = anyHighlighted || isHighlighted;
        xLow = std::min(xLow, xs[r]);
        xHigh = std::max(xHigh, xs[r]);
        yLow = std::min(yLow, ys[r]);
        yHigh = std::max(yHigh, ys[r]);
        ++bins.plotted;
    }
    if (bins.plotted == 0) return bins;
    const ChartAxis x = roundAxis(xLow, xHigh), y = roundAxis(yLow, yHigh);
    std::tie(bins.xMin, bins.xMax, bins.xStep) = std::tuple(x.min, x.max, x.step);
    std::tie(bins.yMin, bins.yMax, bins.yStep) = std::tuple(y.min, y.max, y.step);

    // The groups in the order of their colours, and where each group index lands among them.
    std::vector<std::string> names;
    if (coloured) {
        const std::vector<std::uint8_t> groupOfText = colours.groups(names);
        for (std::size_t r = 0; r < n; ++r)
            if (groupOf[r] == 0) groupOf[r] = groupOfText[textOf[r]];
    } else {
        names = {"候选桩"};
    }
    std::vector<std::size_t> slotOf(chartColourGroups + 2, 0);
    for (std::size_t g = 0; g < names.size(); ++g) slotOf[g] = g;
    for (std::size_t g = 0; g < names.size(); ++g) bins.groups.push_back({std::move(names[g]), false, {}, g});
    if (anyHighlighted) {
        slotOf[highlightedRow] = bins.groups.size();
        bins.groups.push_back({"筛选结果", true, {}});
    }

    // Second pass: the first row of each square of each group.
    const int cell = std::clamp(request.cell, 1, largestCell);
    const auto across = static_cast<std::size_t>((bins.width + cell - 1) / cell);
    const auto up = static_cast<std::size_t>((bins.height + cell - 1) / cell);
    const std::size_t perGroup = across * up;
    std::vector<std::uint32_t> first(perGroup * bins.groups.size(), emptySquare);
    for (std::size_t r = 0; r < n; ++r) {
        if (groupOf[r] == leftOutRow) continue;
        const std::size_t at = slotOf[groupOf[r]] * perGroup +
                               square(ys[r], bins.yMin, bins.yMax, up) * across +
                               square(xs[r], bins.xMin, bins.xMax, across);
        if (first[at] == emptySquare) first[at] = static_cast<std::uint32_t>(r);
    }
    for (std::size_t at = 0; at < first.size(); ++at) {
        const std::uint32_t r = first[at];
        if (r != emptySquare) bins.groups[at / perGroup].points.push_back({xs[r], ys[r], r});
    }
    // A text whose rows are all left out or filtered has nothing to show; the others keep their colours.
    std::erase_if(bins.groups, [](const ChartGroup& g) { return g.points.empty(); });
    return bins;
}

std::optional<ChartPoint> nearestPoint(const ChartBins& bins, double x, double y, double radius) {
    const double perX = bins.width / (bins.xMax - bins.xMin), perY = bins.height / (bins.yMax - bins.yMin);
    std::optional<ChartPoint> nearest;
    double best = radius * radius;
    // The group drawn last lies on top, so it wins a tie.
    for (auto group = bins.groups.rbegin(); group != bins.groups.rend(); ++group) {
        for (const ChartPoint& p : group->points) {
            const double dx = (p.x - x) * perX, dy = (p.y - y) * perY;
            const double distance = dx * dx + dy * dy;
            if (distance < best || (!nearest && distance <= best)) {
                best = distance;
                nearest = p;
            }
        }
    }
    return nearest;
}

std::optional<ChartFigure> declaredChart(const Workbench& workbench, int width, int height) {
    const WorkbenchDeclaration& declared = workbench.declaration();
    const std::span<const SortColumn> sortColumns = workbench.sortColumns();
    const TextTable& results = workbench.Grid2_Youhuajieguo.rows;
    if (sortColumns.empty() || results.rowCount() == 0) return std::nullopt;
    const auto sortColumn = [&](std::size_t column) {
        const auto found = std::find_if(sortColumns.begin(), sortColumns.end(),
                                        [&](const SortColumn& c) { return c.column == column; });
        return found != sortColumns.end() ? *found : sortColumns.front();
    };
    ChartRequest request;
    request.x = sortColumn(declared.chart.x);
    request.y = sortColumn(declared.chart.y);
    for (const int c : declared.chart.colours)
        if (request.colour < 0 && c >= 0 && static_cast<std::size_t>(c) < declared.columns.size())
            request.colour = c;
    request.width = width;
    request.height = height;
    ChartFigure figure;
    figure.bins = binChart(results, request, rowsAmong(results, workbench.Grid3_Youhuasaixuan.rows));
    figure.xTitle = trimmed(request.x.header);
    figure.yTitle = trimmed(request.y.header);
    return figure;
}

std::string chartCountsText(const ChartBins& bins) {
    std::string text = "绘出 " + general(static_cast<double>(bins.plotted)) + " 根";
    if (bins.leftOut > 0) text += "，" + general(static_cast<double>(bins.leftOut)) + " 根无数值未绘出";
    return text;
}

} // namespace qianyan
