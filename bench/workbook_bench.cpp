// The workbench's workbook at a million rows of twelve cells (numbers with their decimals, a depth in d,
// a grade, a word), as a ratio to a floor writing the same cell texts with fwrite and making them durable
// as a save does. The peak resident memory shows the rows are streamed, not held.
#include "framework/workbook_file.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace qianyan {
namespace {

constexpr std::size_t rowCount = 1'000'000;

double peakResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024; // kilobytes on Linux
}

std::filesystem::path benchFile(const char* name) {
    return std::filesystem::temp_directory_path() / ("qianyan-bench-" + std::to_string(::getpid()) + name);
}

// A thousand distinct rows, used in turn.
const std::vector<std::vector<std::string>>& rowTexts() {
    static const std::vector<std::vector<std::string>> rows = [] {
        std::vector<std::vector<std::string>> made;
        for (int i = 0; i < 1000; ++i)
            made.push_back({"ZH-" + std::to_string(1'000'000 + i).substr(1),
                            std::to_string(800 + i % 9 * 100), std::to_string(9000 + i * 7),
                            std::to_string(6000 + i * 5), std::to_string(1 + i % 3) + ".0d",
                            std::to_string(30 + i % 5) + ".00", i % 2 ? "C30" : "C25",
                            i % 3 ? "泥浆护壁" : "干 作 业", std::to_string(1 + i % 3) + ".00",
                            "0." + std::to_string(8100 + i % 1000), "0.90", ""});
        return made;
    }();
    return rows;
}

double floorSeconds() {
    const auto file = benchFile("-floor.csv");
    const auto start = std::chrono::steady_clock::now();
    std::FILE* out = std::fopen(file.c_str(), "wb");
    for (std::size_t r = 0; r < rowCount; ++r) {
        for (const std::string& cell : rowTexts()[r % 1000]) {
            std::fwrite(cell.data(), 1, cell.size(), out);
            std::fputc(',', out);
        }
        std::fputc('\n', out);
    }
    std::fflush(out);
    ::fsync(::fileno(out));
    std::fclose(out);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::filesystem::remove(file);
    return seconds;
}

void WorkbookMillionRows(benchmark::State& state) {
    const double floor = floorSeconds();
    WorkbookSheet sheet{"原始结果",
                        "",
                        {{"桩编号", "d(mm)", "Ra(kN)", "Rc(kN)", "hr(mm)", "frk(MPa)", "混凝土", "成桩工艺",
                          "hr/d", "ζr", "ψc", "备注"}},
                        rowCount,
                        {},
                        {}};
    sheet.rowCells = [](std::size_t r, std::vector<std::string_view>& cells) {
        const std::vector<std::string>& texts = rowTexts()[r % 1000];
        cells.assign(texts.begin(), texts.end());
    };
    const auto file = benchFile(".xlsx");
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        writeWorkbook(file.string(), {sheet});
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["workbook_s"] = seconds;
    state.counters["floor_s"] = floor;
    state.counters["ratio_to_floor"] = seconds / floor;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    state.counters["peak_rss_MB"] = peakResidentBytes() / 1e6;
    std::filesystem::remove(file);
}
BENCHMARK(WorkbookMillionRows)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
} // namespace qianyan

BENCHMARK_MAIN();
