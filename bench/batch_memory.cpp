// What a batch run costs per pile as its table grows: Formula 1 tables of 1,000 to 1,000,000 piles (fewer
// or more when told) each run by `runBatch` in a child process of its own, whose peak resident set and wall
// time the parent reads when it ends. A run that keeps every pile in memory grows by the same bytes per
// pile; one that writes its files pile by pile stays flat. The parent then checks what the run wrote: a
// Doc block and an Xls row for every pile, the last pile's row last, the workbook beside them. Not a
// Google Benchmark: each size needs a fresh process.
//
//     batch_memory [LARGEST]     (1000000 when not told)
#include "child_run.h"
#include "cli/batch_run.h"
#include "formula1/formula1_window.h"
#include "platform/scripted_platform.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

using namespace qianyan;

// A table of piles, their inputs varying as a real table's do.
void writeTable(const std::filesystem::path& file, long piles) {
    std::ofstream out(file);
    out << "桩号,桩身直径 d (mm),桩身嵌岩深度 hr (mm),岩石抗压强度 frk (MPa),桩身混凝土强度等级,成桩工艺\n";
    const char* grades[] = {"C25", "C30", "C35", "C40"};
    for (long p = 0; p < piles; ++p)
        out << "ZH-" << p + 1 << ',' << 800 + 50 * (p % 30) << ',' << 1.0 + 0.5 * static_cast<double>(p % 8)
            << "d," << 10 + p % 90 << ',' << grades[p % 4] << ",泥浆护壁成桩\n";
}

// What is wrong with the files a run of `piles` piles wrote into folder under the table's stem; empty when
// nothing is.
std::string checkOutputs(const std::filesystem::path& folder, const std::string& stem, long piles) {
    const auto lines = [](const std::filesystem::path& file,
                          const std::function<void(const std::string&)>& each) {
        std::ifstream in(file, std::ios::binary);
        long count = 0;
        for (std::string line; std::getline(in, line); ++count) each(line);
        return count;
    };
    // The Xls sheet: a header of five lines, a row per pile, a footer of three rules and the time line.
    std::string lastRow;
    const long xlsLines =
        lines(folder / (stem + "_表格.txt"), [&, row = 0L](const std::string& line) mutable {
            if (++row == 5 + piles) lastRow = line;
        });
    if (xlsLines != 5 + piles + 4) return "the Xls sheet has " + std::to_string(xlsLines) + " lines";
    const std::string lastPile = "ZH-" + std::to_string(piles);
    const std::size_t at = lastRow.find(lastPile);
    if (at == std::string::npos || std::isdigit(static_cast<unsigned char>(lastRow[at + lastPile.size()])))
        return "the last row is not the last pile's: " + lastRow;
    // The Doc sheet: a block per pile, each ending with its rule of 50 "=".
    long blocks = 0;
    lines(folder / (stem + "_文本.txt"),
          [&](const std::string& line) { blocks += line == std::string(50, '=') + "\r"; });
    if (blocks != piles) return "the Doc sheet has " + std::to_string(blocks) + " blocks";
    if (std::filesystem::file_size(folder / (stem + "_表格.xlsx")) < static_cast<std::uintmax_t>(piles))
        return "the workbook is too short";
    return {};
}

} // namespace

int main(int argc, char** argv) {
    const long largest = argc > 1 ? std::atol(argv[1]) : 1'000'000;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qianyan-batch-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::printf("%10s %14s %14s %12s\n", "piles", "peak RSS MB", "KB per pile", "us per pile");
    int failures = 0;
    for (long piles = 1000; piles <= largest; piles *= 10) {
        const std::filesystem::path table = folder / ("piles_" + std::to_string(piles) + ".csv");
        writeTable(table, piles);
        const bench::ChildRun run = bench::runInChild([&] {
            ScriptedPlatform platform(folder.string(), {2024, 5, 6, 14, 3, 27});
            TVOR_FRM_KELD1 window(platform);
            std::ostringstream out;
            const BatchOutcome outcome = runBatch(window, platform, table.string(), folder.string(), out);
            ::_exit(outcome.usable && outcome.failed == 0 && outcome.piles == piles ? 0 : 1);
        });
        std::printf("%10ld %14.1f %14.2f %12.1f\n", piles, run.peakBytes / 1e6,
                    run.peakBytes / 1e3 / static_cast<double>(piles),
                    run.seconds * 1e6 / static_cast<double>(piles));
        if (!run.ok) {
            std::printf("not as expected: the run of %ld piles failed\n", piles);
            ++failures;
        } else if (const std::string wrong = checkOutputs(folder, table.stem().string(), piles);
                   !wrong.empty()) {
            std::printf("not as expected: %s\n", wrong.c_str());
            ++failures;
        }
        for (const char* output : {"_文本.txt", "_表格.txt", "_表格.xlsx"})
            std::filesystem::remove(folder / (table.stem().string() + output));
        std::filesystem::remove(table);
    }
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
