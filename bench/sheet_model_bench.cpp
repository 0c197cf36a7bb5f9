// What one design costs the window model the driver runs (no desktop) as the sheets grow, at 1, 100 and
// 10,000 designs: appending a design (type a diameter, press 计算), deleting the last design and saving the
// Doc sheet. Each is reported beside a floor measured in the same run with plain tools: the design's lines
// appended to one std::string, the string cut back by them, the file's bytes written with fwrite. Append
// and delete should not grow with the number of designs; a save grows with the file, as its floor does.
#include "bench_files.h"
#include "formula1/formula1_window.h"
#include "platform/scripted_platform.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

namespace qianyan {
namespace {

using Clock = std::chrono::steady_clock;

using bench::benchFolder;

class Model {
public:
    explicit Model(int designs)
        : platform_(benchFolder().string(), {2024, 5, 6, 14, 3, 27}), window_(platform_) {
        platform_.defaultAnswer = true; // a save writes over the previous one
        for (int i = 0; i < designs; ++i) compute();
    }
    ~Model() { std::filesystem::remove_all(benchFolder()); }

    void compute() {
        diameter_ = diameter_ == 1000 ? 1200 : 1000;
        window_.typeText("cbe_dd", std::to_string(diameter_));
        window_.click("cbt_compute");
    }
    TVOR_FRM_KELD1& window() { return window_; }
    // The bytes of the last design's Doc lines, with a line end after each.
    std::string lastDesignText() const {
        const auto& lines = window_.sheet().doc();
        std::string text;
        for (auto it = lines.end() - std::min<std::ptrdiff_t>(linesPerDesign(), lines.size());
             it != lines.end(); ++it)
            text.append(*it).append("\r\n");
        return text;
    }
    std::filesystem::path docFile() const { return benchFolder() / "嵌岩桩计算书(依据JGJ94-2008)_文本.txt"; }

private:
    std::ptrdiff_t linesPerDesign() const {
        const int designs = window_.sheet().designCount();
        return designs == 0 ? 0 : static_cast<std::ptrdiff_t>(window_.sheet().doc().size()) / designs;
    }

    ScriptedPlatform platform_;
    TVOR_FRM_KELD1 window_;
    int diameter_ = 1000;
};

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void report(benchmark::State& state, double seconds, double floorSeconds, std::int64_t iterations) {
    state.counters["us_each"] = seconds * 1e6 / static_cast<double>(iterations);
    state.counters["floor_us_each"] = floorSeconds * 1e6 / static_cast<double>(iterations);
    state.counters["ratio_to_floor"] = seconds / floorSeconds;
}

// The floor of append and delete: the same text appended to, or cut from, one string of the sheet's size.
std::string sheetSizedText(Model& model) {
    std::string text;
    for (const std::string& line : model.window().sheet().doc()) text.append(line).append("\r\n");
    return text;
}

void AppendADesign(benchmark::State& state) {
    Model model(static_cast<int>(state.range(0)) - 1);
    model.compute();
    const std::string design = model.lastDesignText();
    model.window().click("cbt_View");
    model.window().click("cbt_sanchu");
    model.window().click("cbt_Exit");
    std::string floorText = sheetSizedText(model);
    double seconds = 0, floorSeconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        model.compute();
        seconds += secondsSince(start);
        start = Clock::now();
        floorText.append(design);
        benchmark::DoNotOptimize(floorText.data());
        floorSeconds += secondsSince(start);
        state.PauseTiming();
        if (model.window().sheet().designCount() != state.range(0)) state.SkipWithError("designs drifted");
        model.window().click("cbt_View");
        model.window().click("cbt_sanchu");
        model.window().click("cbt_Exit");
        floorText.resize(floorText.size() - design.size());
        state.ResumeTiming();
    }
    report(state, seconds, floorSeconds, state.iterations());
}

void DeleteTheLastDesign(benchmark::State& state) {
    Model model(static_cast<int>(state.range(0)));
    const std::string design = model.lastDesignText();
    std::string floorText = sheetSizedText(model);
    double seconds = 0, floorSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        model.window().click("cbt_View");
        state.ResumeTiming();
        auto start = Clock::now();
        model.window().click("cbt_sanchu");
        seconds += secondsSince(start);
        start = Clock::now();
        floorText.resize(floorText.size() - design.size());
        benchmark::DoNotOptimize(floorText.data());
        floorSeconds += secondsSince(start);
        state.PauseTiming();
        model.window().click("cbt_Exit");
        model.compute();
        floorText.append(design);
        if (model.window().sheet().designCount() != state.range(0)) state.SkipWithError("designs drifted");
        state.ResumeTiming();
    }
    report(state, seconds, floorSeconds, state.iterations());
}

void SaveTheSheet(benchmark::State& state) {
    Model model(static_cast<int>(state.range(0)));
    TVOR_FRM_KELD1& w = model.window();
    w.click("cbt_View");
    double seconds = 0;
    for (auto _ : state) {
        w.cbt_Save.enabled = true;
        const auto start = Clock::now();
        w.click("cbt_Save");
        seconds += secondsSince(start);
    }
    const std::string bytes = bench::readAll(model.docFile());
    double floorSeconds = 0;
    for (std::int64_t i = 0; i < state.iterations(); ++i)
        floorSeconds += bench::plainWrite(bytes, benchFolder() / "floor.txt");
    report(state, seconds, floorSeconds, state.iterations());
    state.counters["KB"] = static_cast<double>(bytes.size()) / 1e3;
}

BENCHMARK(AppendADesign)->Arg(1)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(DeleteTheLastDesign)->Arg(2)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveTheSheet)->Arg(1)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond)->Iterations(20);

} // namespace
} // namespace qianyan

BENCHMARK_MAIN();
