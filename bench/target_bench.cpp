// What the target's live answer costs on the largest Formula 3 window (nine rock layers of mixed strength,
// the weighted-mean strength rule, the total length as depth), against the floor of the same number of
// bare evaluations of the window's capacity. A person types into the target field: the whole event, the
// depth search, the diameter list and putting the window back, must stay well under a frame (16 ms).
#include "formula3/formula3_window.h"
#include "framework/target_search.h"
#include "platform/scripted_platform.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace qianyan {
namespace {

class LargestWindow {
public:
    LargestWindow()
        : platform_((std::filesystem::temp_directory_path() / "qianyan-target-bench").string(),
                    {2024, 5, 6, 14, 3, 27}),
          window_(platform_) {
        window_.typeText("cbe_dd", "1500");
        window_.chooseItem("cbb_yanchengshu", maxRockLayers - 1);
        const char* strengths[] = {"6", "9", "12", "15", "18", "22", "26", "30", "34"};
        for (int row = 0; row < maxRockLayers; ++row) {
            window_.editCell("StringGrid_KELD3", row, 1, "0.60");
            window_.editCell("StringGrid_KELD3", row, 2, strengths[row]);
        }
        window_.chooseItem("cbb_qiangduzhi", 6);
        window_.chooseItem("cbb_qiangduquzhi_daxjs", 6);
        window_.chooseItem("cbb_qianyanshengdu", 0);
        most_ = window_.targetCapacity().ra;
    }
    TVOR_FRM_KELD3& window() { return window_; }
    double most() const { return most_; }

private:
    ScriptedPlatform platform_;
    TVOR_FRM_KELD3 window_;
    double most_ = 0;
};

// Typing a target: the event with its live answer, two targets in turn so that each is a change.
void typedTarget(benchmark::State& state) {
    LargestWindow w;
    const std::string targets[] = {std::to_string(static_cast<long long>(w.most() * 1.1)),
                                   std::to_string(static_cast<long long>(w.most() * 1.2))};
    int turn = 0;
    for (auto _ : state) w.window().typeText("edt_MubiaoRa", targets[turn ^= 1]);
    state.SetLabel("lr = " + w.window().target.edt_XuyaoLr.text + " m");
}
BENCHMARK(typedTarget)->Unit(benchmark::kMillisecond);

// The depth search alone, counting the capacity's evaluations.
struct CountedSearch {
    LargestWindow w;
    LengthSearch search;
    long long evaluations = 0;
    CapacityAt capacity;

    CountedSearch() {
        const auto axis = *w.window().targetAxis();
        search = {depthRatioBreakpoints(axis.diameter, axis.offset, 0.5, 8.0), axis.growsBeyond};
        capacity = [this](long long length) -> std::optional<double> {
            ++evaluations;
            w.window().putTargetLength(length);
            return w.window().targetCapacity().ra;
        };
    }
    LengthAnswer run() { return smallestLength(search, capacity, w.most() * 1.1); }
};

void depthSearch(benchmark::State& state) {
    CountedSearch s;
    for (auto _ : state) benchmark::DoNotOptimize(s.run());
    state.counters["evaluations"] =
        static_cast<double>(s.evaluations) / static_cast<double>(state.iterations());
}
BENCHMARK(depthSearch)->Unit(benchmark::kMillisecond);

// The floor: as many bare evaluations as the search makes, at lengths in its range, with nothing around them.
void bareEvaluations(benchmark::State& state) {
    CountedSearch s;
    s.run();
    const long long count = s.evaluations;
    TVOR_FRM_KELD3& window = s.w.window();
    for (auto _ : state)
        for (long long i = 0; i < count; ++i) {
            window.putTargetLength(600 + 100 * i);
            benchmark::DoNotOptimize(window.targetCapacity());
        }
    state.counters["evaluations"] = static_cast<double>(count);
}
BENCHMARK(bareEvaluations)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qianyan

BENCHMARK_MAIN();
