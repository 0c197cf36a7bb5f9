#include "framework/workbench_chart.h"

#include "framework/number_text.h"
#include "framework/sort_keys.h"
#include "framework/text_layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

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

// The colour groups met so far; a text beyond the colours goes to the last group, "其他".
class ColourGroups {
public:
    std::uint8_t of(std::string_view text) {
        if (last_ < names_.size() && names_[last_] == text) return static_cast<std::uint8_t>(last_);
        const auto found = std::find(names_.begin(), names_.end(), text);
        if (found != names_.end()) {
            last_ = static_cast<std::size_t>(found - names_.begin());
        } else if (names_.size() < chartColourGroups) {
            last_ = names_.size();
            names_.emplace_back(text);
        } else {
            others_ = true;
            return static_cast<std::uint8_t>(chartColourGroups);
        }
        return static_cast<std::uint8_t>(last_);
    }
    std::vector<std::string> names() const {
        std::vector<std::string> all = names_;
        if (others_) {
            all.resize(chartColourGroups);
            all.emplace_back("其他");
        }
        return all;
    }

private:
    std::vector<std::string> names_;
    std::size_t last_ = 0;
    bool others_ = false;
};

// The range of the values with a margin, so that no point sits on the frame; a single value gets a
// range around it.
std::pair<double, double> axisRange(double low, double high) {
    const double margin = high > low ? (high - low) * 0.04 : std::max(std::abs(low) * 0.05, 1.0);
    return {low - margin, high + margin};
}

std::size_t square(double value, double low, double high, std::size_t squares) {
    const double at = (value - low) / (high - low) * static_cast<double>(squares);
    return std::min(static_cast<std::size_t>(std::max(at, 0.0)), squares - 1);
}

} // namespace

std::vector<bool> rowsAmong(const TextTable& results, const TextTable& chosen) {
    if (chosen.empty()) return {};
    std::vector<std::uint64_t> numbers(results.rowCount());
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

    // First pass: the values and group of every row, and their range.
    const std::size_t n = table.rowCount();
    std::vector<double> xs(n), ys(n);
    std::vector<std::uint8_t> groupOf(n, leftOutRow);
    std::vector<std::string_view> cells(columns);
    ColourGroups colours;
    bool anyHighlighted = false;
    double xLow = std::numeric_limits<double>::infinity(), xHigh = -xLow, yLow = xLow, yHigh = -xLow;
    for (std::size_t r = 0; r < n; ++r) {
        table.prefetch(r + 16);
        table.cells(r, cells);
        if (!readKey(cells[request.x.column], request.x.key, xs[r]) ||
            !readKey(cells[request.y.column], request.y.key, ys[r])) {
            ++bins.leftOut;
            continue;
        }
        if (r < highlighted.size() && highlighted[r]) {
            groupOf[r] = static_cast<std::uint8_t>(chartColourGroups + 1);
            anyHighlighted = true;
        } else {
            groupOf[r] = coloured ? colours.of(cells[static_cast<std::size_t>(request.colour)]) : 0;
        }
        xLow = std::min(xLow, xs[r]);
        xHigh = std::max(xHigh, xs[r]);
        yLow = std::min(yLow, ys[r]);
        yHigh = std::max(yHigh, ys[r]);
        ++bins.plotted;
    }
    if (bins.plotted == 0) return bins;
    std::tie(bins.xMin, bins.xMax) = axisRange(xLow, xHigh);
    std::tie(bins.yMin, bins.yMax) = axisRange(yLow, yHigh);

    // The groups in drawing order, and where each group index of the first pass lands among them.
    std::vector<std::string> names = coloured ? colours.names() : std::vector<std::string>{"候选桩"};
    std::vector<std::size_t> slotOf(chartColourGroups + 2, 0);
    for (std::size_t g = 0; g < names.size(); ++g) slotOf[g] = g;
    for (std::string& name : names) bins.groups.push_back({std::move(name), false, {}});
    if (anyHighlighted) {
        slotOf[chartColourGroups + 1] = bins.groups.size();
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
    const TextTable& results = workbench.Grid2_Youhuajieguo.rows;
    if (declared.sortColumns.empty() || results.rowCount() == 0) return std::nullopt;
    const auto sortColumn = [&](std::size_t column) {
        const auto found = std::find_if(declared.sortColumns.begin(), declared.sortColumns.end(),
                                        [&](const SortColumn& c) { return c.column == column; });
        return found != declared.sortColumns.end() ? *found : declared.sortColumns.front();
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
