// What the Formula 1 workbench's sweep costs in memory per result row: the fine grid of a million and of
// four million candidates each swept on every core in a child process of its own, whose peak resident set
// the parent reads when it ends, divided by the rows listed. An idle window's peak (the program, its
// libraries and an empty workbench) is printed beside it, and the rows' share apart from it. Not a Google
// Benchmark: each peak needs a fresh process.
//
//     sweep_memory
#include "child_run.h"
#include "fine_grid.h"
#include "formula1/formula1_window.h"
#include "platform/scripted_platform.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace qianyan;

using bench::ChildRun;

// Runs a window in a child process: swept over the fine grid (fourFold: four million candidates) when
// sweep, only opened on the workbench otherwise.
ChildRun inChild(const std::filesystem::path& folder, bool sweep, bool fourFold) {
    return bench::runInChild([&] {
        ScriptedPlatform platform(folder.string(), {2024, 5, 6, 14, 3, 27});
        TVOR_FRM_KELD1 window(platform);
        window.click("cbt_YouHua");
        FineGrid::enter(window, fourFold);
        if (!sweep) ::_exit(0);
        platform.defaultAnswer = true; // Yes to sweeping above a million candidates
        window.click("cbt_YHcompute");
        const std::uint64_t expected = fourFold ? FineGrid::fourFoldCandidates : FineGrid::candidates;
        ::_exit(window.workbench.Grid2_Youhuajieguo.rows.rowCount() == expected ? 0 : 1);
    });
}

} // namespace

int main() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qianyan-sweep-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const ChildRun idle = inChild(folder, false, false);
    std::printf("idle window: peak RSS %.1f MB\n", idle.peakBytes / 1e6);
    std::printf("%10s %14s %14s %18s %10s\n", "rows", "peak RSS MB", "bytes per row", "beyond idle, B/row",
                "sweep s");
    int failures = idle.ok ? 0 : 1;
    for (const bool fourFold : {false, true}) {
        const std::uint64_t rows = fourFold ? FineGrid::fourFoldCandidates : FineGrid::candidates;
        const ChildRun run = inChild(folder, true, fourFold);
        const auto perRow = [&](double bytes) { return bytes / static_cast<double>(rows); };
        std::printf("%10llu %14.1f %14.1f %18.1f %10.2f\n", static_cast<unsigned long long>(rows),
                    run.peakBytes / 1e6, perRow(run.peakBytes), perRow(run.peakBytes - idle.peakBytes),
                    run.seconds);
        if (!run.ok) {
            std::printf("not as expected: the sweep of %llu candidates did not list them all\n",
                        static_cast<unsigned long long>(rows));
            ++failures;
        }
    }
    std::filesystem::remove_all(folder);
    return failures == 0 ? 0 : 1;
}
