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
    const std::string targets[] = {std::to_string(static_cast<long long>(w.most() * 1.3)),
                                   std::to_string(static_cast<long long>(w.most() * 1.6))};
    int turn = 0;
    for (auto _ : state) w.window().typeText("edt_MubiaoRa", targets[turn ^= 1]);
    state.counters["answer_m"] = std::stod(w.window().target.edt_XuyaoLr.text);
}
BENCHMARK(typedTarget)->Unit(benchmark::kMillisecond);

// The depth search alone, counting the capacity's evaluations.
void depthSearch(benchmark::State& state) {
    LargestWindow w;
    TVOR_FRM_KELD3& window = w.window();
    const auto axis = *window.targetAxis();
    const LengthSearch search{depthRatioBreakpoints(axis.diameter, axis.offset, 0.5, 8.0), axis.growsBeyond};
    long long evaluations = 0;
    const CapacityAt capacity = [&](long long length) -> std::optional<double> {
        ++evaluations;
        window.putTargetLength(length);
        return window.targetCapacity().ra;
    };
    for (auto _ : state) benchmark::DoNotOptimize(smallestLength(search, capacity, w.most() * 1.3));
    state.counters["evaluations"] =
        static_cast<double>(evaluations) / static_cast<double>(state.iterations());
}
BENCHMARK(depthSearch)->Unit(benchmark::kMillisecond);

// The floor: as many bare evaluations as the search makes, with nothing around them.
void bareEvaluations(benchmark::State& state) {
    LargestWindow w;
    TVOR_FRM_KELD3& window = w.window();
    const long long count = state.range(0);
    for (auto _ : state)
        for (long long i = 0; i < count; ++i) {
            window.putTargetLength(600 + i);
            benchmark::DoNotOptimize(window.targetCapacity());
        }
}
BENCHMARK(bareEvaluations)->Arg(60)->Arg(120)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qianyan

BENCHMARK_MAIN();
