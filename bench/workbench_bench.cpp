// The Formula 1 workbench with a fine grid of about a million candidates: the sweep through the window
// model on one core and on every core, each as a ratio to a floor loop measured in the same run (the same
// designs computed by plain arithmetic and the same cells written with std::to_chars into growing arenas, on
// as many threads as the sweep; its rows checked once against the sweep's); a
// sweep of four million candidates (41 × 10 × 401 × 8 × 3 = 3,945,840) on every core, whose table the sort,
// the sort after a sort, reverse and filter then take, each as a ratio to a plain floor doing the same work
// on the same texts; the table file of one and of four million rows as a ratio to writing the same bytes, its
// workbook timed apart.
#include "bench_files.h"
#include "design_data/design_data.h"
#include "fine_grid.h"
#include "formula1/formula1_evaluation.h"
#include "formula1/formula1_window.h"
#include "framework/number_text.h"
#include "framework/workbook_file.h"
#include "platform/scripted_platform.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <numeric>
#include <sys/resource.h>
#include <thread>

namespace qianyan {
namespace {

using bench::benchFolder;

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

// The floor: the same designs computed by the Formula 1 arithmetic written out here, the few table values
// it reads held as constants, and the same twelve cells written with std::to_chars into an arena per
// thread (a length byte before each cell, as the table packs them, and an 8-byte reference per row), the
// diameters shared out among as many threads as the sweep runs on; nothing of the project's own. The
// arenas start empty and grow as they fill, as the sweep's table does.
struct FloorRun {
    double seconds = 0;
    std::size_t rows = 0, bytes = 0;
};

struct FloorShare {
    std::vector<char> arena;
    std::vector<std::uint64_t> refs;
};

struct PlainGrade {
    std::string_view text;
    double fc;
};
constexpr PlainGrade plainGrades[8] = {{"C25", 11.9}, {"C30", 14.3}, {"C35", 16.7}, {"C40", 19.1},
                                       {"C45", 21.1}, {"C50", 23.1}, {"C55", 25.3}, {"C60", 27.5}};
struct PlainProcess {
    std::string_view shortName;
    double psiC, factor;
};
constexpr PlainProcess plainProcesses[3] = {
    {"干 作 业", 0.90, 1.2}, {"泥浆护壁", 0.70, 1.0}, {"后 注 浆", 0.80, 1.2}};
// The socket coefficient by depth ratio 0, 0.5, ..., 8.5, in soft and in hard rock.
constexpr double plainZetaSoft[18] = {0.60,  0.80, 0.95, 1.065, 1.18,  1.265, 1.35, 1.415, 1.48,
                                      1.525, 1.57, 1.60, 1.63,  1.645, 1.66,  1.68, 1.70,  1.70};
constexpr double plainZetaHard[18] = {0.45, 0.65, 0.81, 0.855, 0.90, 0.95, 1.00, 1.02, 1.04,
                                      1.04, 1.04, 1.04, 1.04,  1.04, 1.04, 1.04, 1.04, 1.04};

double plainRow(const double (&column)[18], double ratio) {
    const double s = ratio / 0.5;
    const double row = std::min(std::trunc(s), 16.0);
    const auto i = static_cast<std::size_t>(row);
    return column[i] + (column[i + 1] - column[i]) / (row + 1 - row) * (s - row);
}

// Soft rock up to 15 MPa (ratio up to 8), hard rock above 30 MPa (up to 4), between them the two blended.
double plainZeta(double frk, double ratio) {
    if (frk <= 15) return plainRow(plainZetaSoft, std::min(ratio, 8.0));
    const double x = std::min(ratio, 4.0);
    if (frk > 30) return plainRow(plainZetaHard, x);
    const double soft = plainRow(plainZetaSoft, x);
    return soft + (plainRow(plainZetaHard, x) - soft) / (30.0 - 15.0) * (frk - 15.0);
}

// The candidates of the diameters [firstD, endD) of the million grid in the sweep's order, numbered from
// firstNumber.
void floorShare(int firstD, int endD, std::uint64_t firstNumber, FloorShare& share) {
    std::vector<char>& arena = share.arena;
    char cell[64];
    const auto put = [&](const char* begin, const char* end) {
        arena.push_back(static_cast<char>(end - begin));
        arena.insert(arena.end(), begin, end);
    };
    const auto putNumber = [&](double v, int decimals) {
        put(cell, std::to_chars(cell, cell + sizeof cell, v, std::chars_format::fixed, decimals).ptr);
    };
    const auto putText = [&](std::string_view t) { put(t.data(), t.data() + t.size()); };
    char digits[24];
    const auto labelWidth = std::to_chars(digits, digits + sizeof digits, FineGrid::candidates).ptr - digits;
    std::uint64_t n = firstNumber;
    for (int di = firstD; di < endD; ++di) {
        const double d = 1000 + 50 * di;
        const double section = std::numbers::pi * d * d / 4;
        for (int hi = 0; hi < 10; ++hi) {
            const double factor = 1.0 + 0.5 * hi;
            const double ratio = factor * d / d;
            for (int fi = 0; fi <= 100; ++fi) {
                const double frk = 10 + fi;
                const double zeta = plainZeta(frk, ratio);
                for (const PlainGrade& grade : plainGrades)
                    for (const PlainProcess& process : plainProcesses) {
                        const double zetaR = process.factor * zeta;
                        const double ra = section * zetaR * frk / 1000 / 2;
                        const double rc = section * process.psiC * grade.fc / 1000;
                        share.refs.push_back(arena.size());
                        // "ZH-" and the number padded to the digits of the candidates' count.
                        char* end = std::to_chars(cell + 24, cell + sizeof cell, ++n).ptr;
                        char* begin = cell + 24;
                        while (end - begin < labelWidth) *--begin = '0';
                        begin -= 3;
                        std::memcpy(begin, "ZH-", 3);
                        put(begin, end);
                        putNumber(d, 0);
                        putNumber(ra, 0);
                        putNumber(rc, 0);
                        end =
                            std::to_chars(cell, cell + sizeof cell, factor, std::chars_format::fixed, 1).ptr;
                        *end++ = 'd';
                        put(cell, end);
                        putNumber(frk, 2);
                        putText(grade.text);
                        putText(process.shortName);
                        putNumber(factor, 2);
                        putNumber(zetaR, 4);
                        putNumber(process.psiC, 2);
                        putText({});
                    }
            }
        }
    }
}

// Whether the floor's rows of the first diameter are the sweep's, cell for cell: the floor does the same
// work.
bool floorListsTheSweepsRows(const TextTable& swept) {
    FloorShare share;
    floorShare(0, 1, 0, share);
    std::vector<std::string_view> cells(swept.columnCount());
    for (std::size_t r = 0; r < share.refs.size(); ++r) {
        swept.cells(r, cells);
        const char* p = share.arena.data() + share.refs[r];
        for (const std::string_view expected : cells) {
            const auto length = static_cast<unsigned char>(*p++);
            if (std::string_view(p, length) != expected) {
                std::fprintf(stderr, "row %zu: the floor wrote \"%.*s\" where the sweep wrote \"%.*s\"\n", r,
                             static_cast<int>(length), p, static_cast<int>(expected.size()), expected.data());
                return false;
            }
            p += length;
        }
    }
    return share.refs.size() <= swept.rowCount();
}

FloorRun floorLoop() {
    constexpr int diameters = 41;
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency()); // as the sweep's
    std::vector<FloorShare> shares(threads);
    const auto start = std::chrono::steady_clock::now();
    {
        std::vector<std::jthread> workers;
        for (unsigned c = 0; c < threads; ++c) {
            const int first = static_cast<int>(diameters * c / threads);
            const int end = static_cast<int>(diameters * (c + 1) / threads);
            const std::uint64_t firstNumber =
                static_cast<std::uint64_t>(first) * (FineGrid::candidates / diameters);
            workers.emplace_back([first, end, firstNumber, &share = shares[c]] {
                floorShare(first, end, firstNumber, share);
            });
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    FloorRun run{seconds, 0, 0};
    for (const FloorShare& share : shares) {
        benchmark::DoNotOptimize(share.arena.data());
        run.rows += share.refs.size();
        run.bytes += share.arena.size() + share.refs.size() * sizeof(std::uint64_t);
    }
    return run;
}

// Whether every row of a fine-grid table is its candidate: the inputs it was written with, found from
// the row's number as the loops nest, and Ra and Rc within rounding of the same design evaluated alone.
// A sweep split over the cores must list exactly what one core lists.
bool listsEveryCandidate(const TextTable& rows, bool fourFold) {
    const std::uint64_t strengths = fourFold ? 401 : 101;
    if (rows.rowCount() != 41ull * 10 * strengths * 8 * 3) return false;
    char text[32];
    const auto isNumber = [&](std::string_view cell, double v, int decimals) {
        return cell ==
               std::string_view(
                   text, std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals).ptr);
    };
    const auto near = [](std::string_view cell, double v) {
        double read = 0;
        std::from_chars(cell.data(), cell.data() + cell.size(), read);
        return std::abs(read - v) <= 0.5 + 1e-9 * std::abs(v);
    };
    for (std::size_t r = 0; r < rows.rowCount(); ++r) {
        std::uint64_t rest = r;
        const auto p = static_cast<int>(rest % 3);
        const auto g = static_cast<int>((rest /= 3) % 8);
        const double frk = 10 + (fourFold ? 0.25 : 1.0) * static_cast<double>((rest /= 8) % strengths);
        const double factor = 1.0 + 0.5 * static_cast<double>((rest /= strengths) % 10);
        const double d = 1000 + 50 * static_cast<double>(rest / 10);
        const Formula1Result expected = evaluateFormula1({d, factor * d, frk, g, p});
        const auto hr =
            std::string(text,
                        std::to_chars(text, text + sizeof text, factor, std::chars_format::fixed, 1).ptr) +
            "d";
        if (!isNumber(rows.cell(r, 1), d, 0) || rows.cell(r, 4) != hr || !isNumber(rows.cell(r, 5), frk, 2) ||
            rows.cell(r, 6) != concreteGrades[static_cast<std::size_t>(g)].text ||
            rows.cell(r, 7) != constructionProcesses[static_cast<std::size_t>(p)].shortName ||
            !near(rows.cell(r, 2), expected.ra) || !near(rows.cell(r, 3), expected.rc))
            return false;
    }
    return true;
}

// The floor once per run, so that every sweep figure is a ratio to a floor measured beside it.
const FloorRun& floorRun() {
    static const FloorRun run = floorLoop();
    return run;
}

void Floor(benchmark::State& state) {
    if (!floorListsTheSweepsRows(sweptWindow().workbench.Grid2_Youhuajieguo.rows))
        state.SkipWithError("the floor does not write the sweep's rows");
    FloorRun run;
    for (auto _ : state) run = floorLoop();
    state.counters["ns_per_candidate"] = run.seconds * 1e9 / static_cast<double>(run.rows);
    state.counters["bytes_per_row"] = static_cast<double>(run.bytes) / static_cast<double>(run.rows);
}

// The sweep through the window model, on state.range(0) cores (0: every core).
void Sweep(benchmark::State& state) {
    const double floorSeconds = floorRun().seconds;
    std::size_t rows = 0;
    double seconds = 0;
    for (auto _ : state) {
        TVOR_FRM_KELD1 w(platform());
        w.workbench.setSweepCores(static_cast<unsigned>(state.range(0)));
        w.click("cbt_YouHua");
        FineGrid::enter(w);
        const auto start = std::chrono::steady_clock::now();
        w.click("cbt_YHcompute");
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        rows = w.workbench.Grid2_Youhuajieguo.rows.rowCount();
        state.PauseTiming();
        if (!listsEveryCandidate(w.workbench.Grid2_Youhuajieguo.rows, false))
            state.SkipWithError("the sweep did not list every candidate as computed alone");
        state.ResumeTiming();
        state.counters["table_bytes_per_row"] =
            static_cast<double>(w.workbench.Grid2_Youhuajieguo.rows.bytesHeld()) / static_cast<double>(rows);
    }
    state.counters["ns_per_candidate"] = seconds * 1e9 / static_cast<double>(rows);
    state.counters["ratio_to_floor"] = seconds / floorSeconds;
    state.counters["peak_rss_MB"] = peakResidentBytes() / 1e6;
}

// A window that has swept four million candidates (3,945,840) on every core, and the sweep's seconds.
struct FourMillion {
    TVOR_FRM_KELD1 window{platform()};
    double seconds = 0;
};
FourMillion& fourMillion() {
    static FourMillion swept = [] {
        FourMillion run;
        run.window.click("cbt_YouHua");
        FineGrid::enter(run.window, true);
        platform().answers = {true}; // Yes to sweeping above a million candidates
        const auto start = std::chrono::steady_clock::now();
        run.window.click("cbt_YHcompute");
        run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return run;
    }();
    return swept;
}
TVOR_FRM_KELD1& fourMillionRows() {
    return fourMillion().window;
}

// The four-million sweep (timed once, when first made), per candidate beside the million's floor.
void SweepFourMillion(benchmark::State& state) {
    const FourMillion& run = fourMillion();
    const std::size_t rows = run.window.workbench.Grid2_Youhuajieguo.rows.rowCount();
    for (auto _ : state) benchmark::DoNotOptimize(rows);
    if (!listsEveryCandidate(run.window.workbench.Grid2_Youhuajieguo.rows, true))
        state.SkipWithError("the sweep did not list every candidate as computed alone");
    const FloorRun& floor = floorRun();
    state.counters["sweep_s"] = run.seconds;
    state.counters["ns_per_candidate"] = run.seconds * 1e9 / static_cast<double>(rows);
    state.counters["floor_ns_per_candidate"] = floor.seconds * 1e9 / static_cast<double>(floor.rows);
    state.counters["peak_rss_MB"] = peakResidentBytes() / 1e6;
}

// The floors of the sort, reverse and filter: the texts of the columns they read (Ra and Rc), copied out of
// the four-million table into plain std::strings in row order before any clock starts, read with
// std::from_chars and sorted or scanned with the standard library, the row references of the table held as
// plain 8-byte numbers; nothing of the project's own.
struct PlainColumns {
    std::vector<std::string> ra, rc;
};
const PlainColumns& plainColumns() {
    static const PlainColumns columns = [] {
        const TextTable& rows = fourMillionRows().workbench.Grid2_Youhuajieguo.rows;
        PlainColumns c;
        for (std::size_t r = 0; r < rows.rowCount(); ++r) {
            c.ra.emplace_back(rows.cell(r, 2));
            c.rc.emplace_back(rows.cell(r, 3));
        }
        return c;
    }();
    return columns;
}

double plainNumber(const std::string& text) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    while (begin != end && *begin == ' ') ++begin;
    double v = 0;
    std::from_chars(begin, end, v);
    return v;
}

template <class Work> double secondsOf(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A stable sort of the row order by the Ra texts read as numbers.
double floorSortSeconds() {
    static const double seconds = [] {
        const std::vector<std::string>& ra = plainColumns().ra;
        std::vector<std::uint32_t> order(ra.size());
        return secondsOf([&] {
            std::vector<double> keys(ra.size());
            for (std::size_t r = 0; r < ra.size(); ++r) keys[r] = plainNumber(ra[r]);
            std::iota(order.begin(), order.end(), 0u);
            std::stable_sort(order.begin(), order.end(),
                             [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
            benchmark::DoNotOptimize(order.data());
        });
    }();
    return seconds;
}

// The row references reversed.
double floorReverseSeconds() {
    static const double seconds = [] {
        std::vector<std::uint64_t> refs(plainColumns().ra.size());
        std::iota(refs.begin(), refs.end(), std::uint64_t{0});
        return secondsOf([&] {
            std::reverse(refs.begin(), refs.end());
            benchmark::DoNotOptimize(refs.data());
        });
    }();
    return seconds;
}

// Every row's Ra and Rc read and compared with the bounds, the passing rows' references copied out.
double floorFilterSeconds() {
    static const double seconds = [] {
        const PlainColumns& c = plainColumns();
        std::vector<std::uint64_t> refs(c.ra.size());
        std::iota(refs.begin(), refs.end(), std::uint64_t{0});
        return secondsOf([&] {
            std::vector<std::uint32_t> passing;
            for (std::size_t r = 0; r < c.ra.size(); ++r) {
                const double ra = plainNumber(c.ra[r]), rc = plainNumber(c.rc[r]);
                if (ra >= 0 && ra <= 1e300 && rc >= 0 && rc <= 1e300)
                    passing.push_back(static_cast<std::uint32_t>(r));
            }
            std::vector<std::uint64_t> kept(passing.size());
            for (std::size_t i = 0; i < passing.size(); ++i) kept[i] = refs[passing[i]];
            benchmark::DoNotOptimize(kept.data());
        });
    }();
    return seconds;
}

void SortByRa(benchmark::State& state) {
    TVOR_FRM_KELD1& big = fourMillionRows();
    const double floor = floorSortSeconds();
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<TVOR_FRM_KELD1>(big);
        state.ResumeTiming();
        seconds = secondsOf([&] { w->headerClick("Grid2_Youhuajieguo", 2); });
        state.PauseTiming();
        if (w->workbench.sortState(1) != 1) state.SkipWithError("not sorted");
        w.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(big.workbench.Grid2_Youhuajieguo.rows.rowCount());
    state.counters["ratio_to_floor"] = seconds / floor;
}

// Sorting a table whose rows are already in another order: the cells are read out of order.
void SortAfterSort(benchmark::State& state) {
    TVOR_FRM_KELD1 sorted = fourMillionRows();
    sorted.headerClick("Grid2_Youhuajieguo", 2);
    const double floor = floorSortSeconds();
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<TVOR_FRM_KELD1>(sorted);
        state.ResumeTiming();
        seconds = secondsOf([&] { w->headerClick("Grid2_Youhuajieguo", 3); });
        state.PauseTiming();
        if (w->workbench.sortState(2) != 1) state.SkipWithError("not sorted");
        w.reset();
        state.ResumeTiming();
    }
    state.counters["ratio_to_floor"] = seconds / floor;
}

void Reverse(benchmark::State& state) {
    TVOR_FRM_KELD1 w = fourMillionRows();
    w.headerClick("Grid2_Youhuajieguo", 2);
    const double floor = floorReverseSeconds();
    double seconds = 0;
    for (auto _ : state) seconds = secondsOf([&] { w.headerClick("Grid2_Youhuajieguo", 2); });
    state.counters["ratio_to_floor"] = seconds / floor;
}

void Filter(benchmark::State& state) {
    TVOR_FRM_KELD1 w = fourMillionRows();
    w.headerClick("Grid2_Youhuajieguo", 2); // also after a sort
    w.editCell("Grid1_Youhuaxuanxiang", 6, 1, "0");
    w.editCell("Grid1_Youhuaxuanxiang", 6, 2, "0");
    w.editCell("Grid1_Youhuaxuanxiang", 7, 1, "0");
    w.editCell("Grid1_Youhuaxuanxiang", 7, 2, "0");
    const double floor = floorFilterSeconds();
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.workbench.Grid2_Youhuajieguo.visible = true;
        w.workbench.cbt_YHsaixuan.enabled = true;
        state.ResumeTiming();
        seconds = secondsOf([&] { w.click("cbt_YHsaixuan"); }); // every row passes: the most copying
    }
    state.counters["rows"] = static_cast<double>(w.workbench.Grid3_Youhuasaixuan.rows.rowCount());
    state.counters["ratio_to_floor"] = seconds / floor;
}

// The save of a million (Arg 1) or four million rows (Arg 4) through the window: the table file beside the
// floor of writing the same bytes at once, and the workbook written beside it, timed apart (its floor, the
// same sheet XML deflated by zlib alone, is workbook_bench's).
void TableFile(benchmark::State& state) {
    TVOR_FRM_KELD1 w = state.range(0) == 4 ? fourMillionRows() : sweptWindow();
    platform().defaultAnswer = true; // overwrite the previous iteration's file
    double tableSeconds = 0, workbookSeconds = 0;
    std::string path;
    for (auto _ : state) {
        w.workbench.cbt_YHsave.enabled = true;
        const std::optional<Workbench::TableFile> file = w.workbench.beginSave(w);
        if (!file) {
            state.SkipWithError("nothing to save");
            break;
        }
        path = file->path;
        tableSeconds = secondsOf([&] { platform().writeTextFile(file->path, file->lines); });
        workbookSeconds = secondsOf([&] { writeWorkbook(file->workbookPath, file->workbook); });
    }
    // The floor: the same bytes, read back, written with one plain write and made durable as a save is.
    const std::string bytes = bench::readAll(path);
    const double floorSeconds = bench::plainWrite(bytes, benchFolder() / "floor.txt");
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
    state.counters["table_file_s"] = tableSeconds;
    state.counters["ratio_to_floor"] = tableSeconds / floorSeconds;
    state.counters["workbook_s"] = workbookSeconds;
    state.counters["workbook_share"] = workbookSeconds / (tableSeconds + workbookSeconds);
    std::filesystem::remove_all(benchFolder());
}

BENCHMARK(Floor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Sweep)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SweepFourMillion)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(SortByRa)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SortAfterSort)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Reverse)->Unit(benchmark::kMillisecond);
BENCHMARK(Filter)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(TableFile)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace qianyan

BENCHMARK_MAIN();
