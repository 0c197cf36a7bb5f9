// What the workbench chart costs at a million candidates: reducing the results table to the points of an
// 800 × 500 plot (binChart, with a tenth of the rows filtered and highlighted), against a floor that does
// the same reading with the plainest tools (strtod over the same cell texts into a per-pixel-column
// min/max array); and the whole update of the chart on the page (the tables handed to the worker, the
// binning, the series drawn) as the window sees it after a sweep. Offscreen, no display.
#include "formula1/qt/formula1_window.h"
#include "framework/qt/control_binding.h"
#include "framework/qt/workbench_chart_view.h"
#include "platform/scripted_platform.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

namespace qianyan {
namespace {

constexpr std::size_t million = 1'000'000;
constexpr int plotWidth = 800, plotHeight = 500;

// A results table shaped like Formula 1's: label, d, Ra, Rc, hr, frk, grade, process and the rest.
struct Rows {
    TextTable results{12}, filtered{12};
    std::vector<std::string> diameters, capacities; // the d and Ra texts again, for the floor
};

const Rows& rows() {
    static const Rows made = [] {
        Rows r;
        const std::array<std::string_view, 3> processes{"干作业", "泥浆护壁", "后注浆"};
        std::string label;
        for (std::size_t n = 0; n < million; ++n) {
            label.clear();
            appendCandidateLabel(label, n + 1, million);
            const std::string d = std::to_string(800 + (n / 1000) % 1201);
            const std::string ra = std::to_string(4000 + (n * 7919) % 16000) + ".5";
            const std::array<std::string_view, 12> cells{
                label, d, ra, "8412", "1500", "30.00", "C30", processes[n % 3], "1.50", "0.9720", "0.70", ""};
            r.results.appendRow(cells);
            if (n % 10 == 0) r.filtered.appendRow(cells);
            r.diameters.push_back(d);
            r.capacities.push_back(ra);
        }
        return r;
    }();
    return made;
}

void BinAMillionCandidates(benchmark::State& state) {
    const Rows& r = rows();
    const ChartRequest request{{1, "d", "d(mm)"}, {2, "Ra", "Ra(kN)"}, 7, plotWidth, plotHeight, 4};
    for (auto _ : state) {
        const ChartBins bins = binChart(r.results, request, rowsAmong(r.results, r.filtered));
        benchmark::DoNotOptimize(bins.groups.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * million));
}

// The floor: both columns read with strtod, the range found, then the extremes of each pixel column.
void FloorStrtodIntoMinMax(benchmark::State& state) {
    const Rows& r = rows();
    std::vector<double> xs(million), ys(million);
    for (auto _ : state) {
        double low = std::numeric_limits<double>::infinity(), high = -low;
        for (std::size_t i = 0; i < million; ++i) {
            xs[i] = std::strtod(r.diameters[i].c_str(), nullptr);
            ys[i] = std::strtod(r.capacities[i].c_str(), nullptr);
            low = std::min(low, xs[i]);
            high = std::max(high, xs[i]);
        }
        std::array<double, plotWidth> columnLow, columnHigh;
        columnLow.fill(std::numeric_limits<double>::infinity());
        columnHigh.fill(-std::numeric_limits<double>::infinity());
        for (std::size_t i = 0; i < million; ++i) {
            const auto at = std::min<std::size_t>(
                static_cast<std::size_t>((xs[i] - low) / (high - low + 1) * plotWidth), plotWidth - 1);
            columnLow[at] = std::min(columnLow[at], ys[i]);
            columnHigh[at] = std::max(columnHigh[at], ys[i]);
        }
        benchmark::DoNotOptimize(columnLow.data());
        benchmark::DoNotOptimize(columnHigh.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * million));
}

// The chart on the page of a shown Formula 1 window updated after its tables changed, until drawn (the
// whole update); with the argument 1 only what the user-interface thread does to start it.
void UpdateTheChartOnThePage(benchmark::State& state) {
    ScriptedPlatform platform(
        (std::filesystem::temp_directory_path() / ("qianyan-bench-" + std::to_string(::getpid()))).string(),
        {2024, 5, 6, 14, 3, 27});
    Formula1Window window(platform);
    window.resize(1000, 900);
    window.show();
    window.binding().act([](CalculatorFrame& m) { m.click("cbt_YouHua"); });
    window.model().workbench.Grid2_Youhuajieguo.rows = rows().results;
    window.model().workbench.Grid3_Youhuasaixuan.rows = rows().filtered;
    auto* chart = window.findChild<WorkbenchChartView*>();
    QApplication::processEvents();
    const bool onlyTheStart = state.range(0) == 1;
    for (auto _ : state) {
        chart->tablesChanged();
        if (onlyTheStart) state.PauseTiming();
        chart->settle();
        if (onlyTheStart) state.ResumeTiming();
    }
    if (chart->bins().plotted != million) state.SkipWithError("the chart did not plot every candidate");
    state.counters["points"] = 0;
    for (const ChartGroup& g : chart->bins().groups)
        state.counters["points"] += static_cast<double>(g.points.size());
}

BENCHMARK(BinAMillionCandidates)->Unit(benchmark::kMillisecond);
BENCHMARK(FloorStrtodIntoMinMax)->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateTheChartOnThePage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qianyan
