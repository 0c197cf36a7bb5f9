// The workbench's workbook at a million rows of twelve cells (numbers with their decimals, a depth in d,
// a grade, a word), as a ratio to two floors: the spreadsheet library alone writing the same cells (a plain
// decimal as a number with a format of its decimals, anything else as a text, in the library's
// constant-memory mode), which is the least a workbook of these cells costs, and the same cell texts
// written with fwrite, which shows what the workbook format adds. The peak resident memory shows the rows
// are streamed, not held.
#include "framework/workbook_file.h"

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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

// The decimals of a plain decimal ("8412", "0.9720"); -1 for any other text.
int plainDecimals(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || text.front() == '-' ||
        text.front() == '+' || text.find_first_of("eE") != std::string_view::npos)
        return -1;
    const std::size_t point = text.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

double libraryFloorSeconds(const std::vector<std::string>& header) {
    const auto file = benchFile("-floor.xlsx");
    const auto start = std::chrono::steady_clock::now();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(file.c_str(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "floor");
    std::array<lxw_format*, 8> formats{};
    for (std::size_t d = 0; d < formats.size(); ++d) {
        formats[d] = workbook_add_format(book);
        format_set_num_format(formats[d], d == 0 ? "0" : ("0." + std::string(d, '0')).c_str());
    }
    for (std::size_t c = 0; c < header.size(); ++c)
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), header[c].c_str(), nullptr);
    for (std::size_t r = 0; r < rowCount; ++r) {
        const std::vector<std::string>& texts = rowTexts()[r % 1000];
        for (std::size_t c = 0; c < texts.size(); ++c) {
            const auto row = static_cast<lxw_row_t>(r + 1);
            const auto column = static_cast<lxw_col_t>(c);
            const int decimals = plainDecimals(texts[c]);
            if (decimals >= 0 && static_cast<std::size_t>(decimals) < formats.size())
                worksheet_write_number(sheet, row, column, std::strtod(texts[c].c_str(), nullptr),
                                       formats[static_cast<std::size_t>(decimals)]);
            else if (!texts[c].empty())
                worksheet_write_string(sheet, row, column, texts[c].c_str(), nullptr);
        }
    }
    workbook_close(book);
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
    const double library = libraryFloorSeconds(sheet.header.front());
    state.counters["workbook_s"] = seconds;
    state.counters["library_floor_s"] = library;
    state.counters["ratio_to_library_floor"] = seconds / library;
    state.counters["fwrite_floor_s"] = floor;
    state.counters["ratio_to_fwrite_floor"] = seconds / floor;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    state.counters["peak_rss_MB"] = peakResidentBytes() / 1e6;
    std::filesystem::remove(file);
}
BENCHMARK(WorkbookMillionRows)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
} // namespace qianyan

BENCHMARK_MAIN();
