// What a batch run costs per pile as its table grows: Formula 1 tables of 1,000 to 100,000 piles (more when
// told) each run by `runBatch` in a child process of its own, whose peak resident set and wall time the
// parent reads when it ends. A run that keeps every pile in memory grows by the same bytes per pile; one
// that writes its files pile by pile stays flat. Not a Google Benchmark: each size needs a fresh process.
//
//     batch_memory [LARGEST]     (100000 when not told)
#include "cli/batch_run.h"
#include "formula1/formula1_window.h"
#include "platform/scripted_platform.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
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

} // namespace

int main(int argc, char** argv) {
    const long largest = argc > 1 ? std::atol(argv[1]) : 100'000;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qianyan-batch-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::printf("%10s %14s %14s %12s\n", "piles", "peak RSS MB", "KB per pile", "us per pile");
    int failures = 0;
    for (long piles = 1000; piles <= largest; piles *= 10) {
        const std::filesystem::path table = folder / ("piles_" + std::to_string(piles) + ".csv");
        writeTable(table, piles);
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = ::fork();
        if (child == 0) {
            ScriptedPlatform platform(folder.string(), {2024, 5, 6, 14, 3, 27});
            TVOR_FRM_KELD1 window(platform);
            std::ostringstream out;
            const BatchOutcome outcome = runBatch(window, platform, table.string(), folder.string(), out);
            ::_exit(outcome.usable && outcome.failed == 0 && outcome.piles == piles ? 0 : 1);
        }
        int status = 0;
        rusage usage{};
        ::wait4(child, &status, 0, &usage);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double peak = static_cast<double>(usage.ru_maxrss) * 1024; // kilobytes on Linux
        std::printf("%10ld %14.1f %14.2f %12.1f\n", piles, peak / 1e6,
                    peak / 1e3 / static_cast<double>(piles), seconds * 1e6 / static_cast<double>(piles));
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::printf("not as expected: the run of %ld piles failed\n", piles);
            ++failures;
        }
        std::filesystem::remove(table);
    }
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
