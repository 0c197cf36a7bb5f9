// The Formula 1 workbench with a fine grid of about a million candidates: the sweep through the window
// model, the same designs evaluated and formatted without it (what the model costs), sort, reverse,
// filter and the table file. Peak resident memory is reported with the sweep; run that benchmark alone
// (--benchmark_filter=Sweep) for a figure that nothing else inflates.
#include "formula1/design_data.h"
#include "formula1/formula1_evaluation.h"
#include "formula1/formula1_window.h"
#include "framework/number_text.h"
#include "platform/scripted_platform.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

namespace qianyan {
namespace {

// d 1000-3000 by 50, ten depths, frk 10-110 by 1, every grade, every process: 993,840 candidates.
struct FineGrid {
    static constexpr std::uint64_t candidates = 41ull * 10 * 101 * 8 * 3;
    static void enter(TVOR_FRM_KELD1& w) {
        const char* rows[][3] = {{"1000", "3000", "50"},
                                 {"1.0d", "5.5d", "0.5d"},
                                 {"10", "110", "1"},
                                 {"C25", "C60", "5"},
                                 {"1", "3", "1"}};
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                w.editCell("Grid1_Youhuaxuanxiang", r, c + 1, rows[r][c]);
    }
};

std::filesystem::path benchFolder() {
    return std::filesystem::temp_directory_path() / ("qianyan-bench-" + std::to_string(::getpid()));
}

ScriptedPlatform& platform() {
    static ScriptedPlatform p(benchFolder().string(), {2024, 5, 6, 14, 3, 27});
    return p;
}

double peakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024; // kilobytes on Linux
}

// A window that has swept the fine grid, shared by the benchmarks after the sweep.
TVOR_FRM_KELD1& sweptWindow() {
    static TVOR_FRM_KELD1 w = [] {
        TVOR_FRM_KELD1 window(platform());
        window.click("cbt_YouHua");
        FineGrid::enter(window);
        window.click("cbt_YHcompute");
        return window;
    }();
    return w;
}

void Sweep(benchmark::State& state) {
    std::size_t rows = 0;
    for (auto _ : state) {
        TVOR_FRM_KELD1 w(platform());
        w.click("cbt_YouHua");
        FineGrid::enter(w);
        w.click("cbt_YHcompute");
        rows = w.workbench.Grid2_Youhuajieguo.rows.rowCount();
        if (rows != FineGrid::candidates) state.SkipWithError("the sweep did not list every candidate");
        state.counters["table_bytes_per_row"] =
            static_cast<double>(w.workbench.Grid2_Youhuajieguo.rows.bytesHeld()) / static_cast<double>(rows);
    }
    state.counters["ns_per_candidate"] =
        benchmark::Counter(static_cast<double>(rows),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["peak_rss_MB"] = peakResidentBytes() / 1e6;
    state.counters["peak_rss_bytes_per_row"] = peakResidentBytes() / static_cast<double>(rows);
}

// The same designs evaluated and the same cells formatted into a table, without the window model.
void BareLoop(benchmark::State& state) {
    std::size_t rows = 0;
    for (auto _ : state) {
        TextTable table(12);
        table.reserve(FineGrid::candidates);
        std::string label;
        std::uint64_t n = 0;
        for (int di = 0; di < 41; ++di) {
            const double d = 1000 + 50 * di;
            const std::string dText = general(d);
            for (int hi = 0; hi < 10; ++hi) {
                const double factor = 1.0 + 0.5 * hi;
                const std::string hrText = fixed(factor, 10, 1) + "d", ratioText = fixed(factor, 10, 2);
                for (int fi = 0; fi <= 100; ++fi) {
                    const double frk = 10 + fi;
                    const std::string frkText = fixed(frk, 10, 2);
                    for (int g = 0; g < 8; ++g)
                        for (int p = 0; p < 3; ++p) {
                            const Formula1Result r = evaluateFormula1({d, factor * d, frk, g, p});
                            const std::string zeta = fixed(r.zetaR, 7, 4);
                            const std::string ra = modeAmount(r.ra, PrecisionMode::Units, 7);
                            const std::string rc = modeAmount(r.rc, PrecisionMode::Units, 7);
                            const std::string psi = fixed(r.psiC, 10, 2);
                            label.clear();
                            appendCandidateLabel(label, ++n, FineGrid::candidates);
                            table.appendRow({label,
                                             dText,
                                             ra,
                                             rc,
                                             hrText,
                                             frkText,
                                             concreteGrades[g].text,
                                             constructionProcesses[p].shortName,
                                             ratioText,
                                             zeta,
                                             psi,
                                             {}});
                        }
                }
            }
        }
        rows = table.rowCount();
        benchmark::DoNotOptimize(table);
    }
    state.counters["ns_per_candidate"] =
        benchmark::Counter(static_cast<double>(rows),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void SortByRa(benchmark::State& state) {
    TVOR_FRM_KELD1& swept = sweptWindow();
    for (auto _ : state) {
        state.PauseTiming();
        TVOR_FRM_KELD1 w = swept;
        state.ResumeTiming();
        w.headerClick("Grid2_Youhuajieguo", 2);
        if (w.workbench.sortState(1) != 1) state.SkipWithError("not sorted");
    }
}

void Reverse(benchmark::State& state) {
    TVOR_FRM_KELD1 w = sweptWindow();
    w.headerClick("Grid2_Youhuajieguo", 2);
    for (auto _ : state)
        w.headerClick("Grid2_Youhuajieguo", 2);
}

void Filter(benchmark::State& state) {
    TVOR_FRM_KELD1 w = sweptWindow();
    w.editCell("Grid1_Youhuaxuanxiang", 6, 1, "0");
    w.editCell("Grid1_Youhuaxuanxiang", 6, 2, "0");
    w.editCell("Grid1_Youhuaxuanxiang", 7, 1, "0");
    w.editCell("Grid1_Youhuaxuanxiang", 7, 2, "0");
    for (auto _ : state) {
        state.PauseTiming();
        w.workbench.Grid2_Youhuajieguo.visible = true;
        w.workbench.cbt_YHsaixuan.enabled = true;
        state.ResumeTiming();
        w.click("cbt_YHsaixuan"); // every row passes: the most copying
    }
    state.counters["rows"] = static_cast<double>(w.workbench.Grid3_Youhuasaixuan.rows.rowCount());
}

void TableFile(benchmark::State& state) {
    TVOR_FRM_KELD1 w = sweptWindow();
    platform().defaultAnswer = true; // overwrite the previous iteration's file
    for (auto _ : state) {
        w.workbench.cbt_YHsave.enabled = true;
        w.click("cbt_YHsave");
    }
    std::filesystem::remove_all(benchFolder());
}

BENCHMARK(Sweep)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BareLoop)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SortByRa)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Reverse)->Unit(benchmark::kMillisecond);
BENCHMARK(Filter)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(TableFile)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace qianyan

BENCHMARK_MAIN();
