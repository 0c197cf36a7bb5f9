// What one design costs the desktop as the calculation sheets grow, at 1, 100, 1,000 and 10,000 designs
// in the sheets: a compute on the main page (type a diameter, press 计算; the sheet page is hidden),
// 结果 after it (the sheet page catches up with the one new design), and deleting the last design on the
// shown sheet page. None of the three should grow with the number of designs. Saving the shown sheet
// grows with the file, so it is reported beside the same bytes written with fwrite. Offscreen, no display.
#include "bench_files.h"
#include "formula1/qt/formula1_window.h"
#include "framework/qt/control_binding.h"
#include "platform/scripted_platform.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>

namespace qianyan {
namespace {

using bench::benchFolder;

class Desk {
public:
    explicit Desk(int designs)
        : platform_(benchFolder().string(), {2024, 5, 6, 14, 3, 27}), window_(platform_) {
        window_.show();
        for (int i = 0; i < designs; ++i) compute();
        // The sheet page shown once, so that its views hold every design before the timing starts.
        act("cbt_View");
        act("cbt_Exit");
        platform_.defaultAnswer = true; // a save writes over the previous one
    }
    ~Desk() { std::filesystem::remove_all(benchFolder()); }

    // A person types a diameter and presses 计算 (a changed text brings 计算 back).
    void compute() {
        diameter_ = diameter_ == 1000 ? 1200 : 1000;
        binding().act([&](CalculatorFrame& m) { m.typeText("cbe_dd", std::to_string(diameter_)); });
        act("cbt_compute");
    }
    void act(const char* button) {
        binding().act([&](CalculatorFrame& m) { m.click(button); });
    }
    int designs() { return window_.model().sheet().designCount(); }
    // 保存 is enabled again as if the sheet had changed since.
    void save() {
        binding().act([&](CalculatorFrame& m) {
            m.cbt_Save.enabled = true;
            m.click("cbt_Save");
        });
    }

private:
    ControlBinding& binding() { return window_.binding(); }

    ScriptedPlatform platform_;
    Formula1Window window_;
    int diameter_ = 1000;
};

void check(benchmark::State& state, Desk& desk) {
    if (desk.designs() != state.range(0)) state.SkipWithError("the number of designs drifted");
}

void ComputeOnTheMainPage(benchmark::State& state) {
    Desk desk(static_cast<int>(state.range(0)) - 1);
    for (auto _ : state) {
        desk.compute();
        state.PauseTiming();
        check(state, desk);
        desk.act("cbt_View");
        desk.act("cbt_sanchu");
        desk.act("cbt_Exit");
        state.ResumeTiming();
    }
}

void ShowTheSheetsAfterACompute(benchmark::State& state) {
    Desk desk(static_cast<int>(state.range(0)) - 1);
    for (auto _ : state) {
        state.PauseTiming();
        desk.compute();
        check(state, desk);
        state.ResumeTiming();
        desk.act("cbt_View");
        state.PauseTiming();
        desk.act("cbt_sanchu");
        desk.act("cbt_Exit");
        state.ResumeTiming();
    }
}

void DeleteTheLastDesign(benchmark::State& state) {
    Desk desk(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        desk.act("cbt_View");
        check(state, desk);
        state.ResumeTiming();
        desk.act("cbt_sanchu");
        state.PauseTiming();
        desk.act("cbt_Exit");
        desk.compute();
        state.ResumeTiming();
    }
}

void SaveTheShownSheet(benchmark::State& state) {
    Desk desk(static_cast<int>(state.range(0)));
    desk.act("cbt_View");
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        desk.save();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    double floorSeconds = 0;
    for (std::int64_t i = 0; i < state.iterations(); ++i)
        floorSeconds +=
            bench::plainWrite(bench::readAll(benchFolder() / "嵌岩桩计算书(依据JGJ94-2008)_文本.txt"),
                              benchFolder() / "floor.txt");
    state.counters["ratio_to_floor"] = seconds / floorSeconds;
}

BENCHMARK(ComputeOnTheMainPage)->Arg(1)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ShowTheSheetsAfterACompute)->Arg(1)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
// From 2 designs up: deleting the only design empties the sheets, a different path.
BENCHMARK(DeleteTheLastDesign)->Arg(2)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveTheShownSheet)->Arg(1)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond)->Iterations(20);

} // namespace
} // namespace qianyan
