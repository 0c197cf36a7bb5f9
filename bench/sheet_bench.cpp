// What one design costs the desktop as the calculation sheets grow, at 1, 100, 1,000 and 10,000 designs
// in the sheets: a compute on the main page (type a diameter, press 计算; the sheet page is hidden),
// 结果 after it (the sheet page catches up with the one new design), and deleting the last design on the
// shown sheet page. None of the three should grow with the number of designs. The first showing of the
// sheets takes in every line, in slices between which the window answers: its first slice (what holds the
// window at once) and its whole time are reported beside a floor, the same lines joined into one text and
// set into a plain text view at once. Saving the shown sheet grows with the file, so it is reported beside
// the same bytes written with fwrite. Offscreen, no display.
#include "bench_files.h"
#include "formula1/qt/formula1_window.h"
#include "framework/qt/control_binding.h"
#include "platform/scripted_platform.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>

namespace qianyan {
namespace {

using bench::benchFolder;

class Desk {
public:
    explicit Desk(int designs, bool shownOnce = true)
        : platform_(benchFolder().string(), {2024, 5, 6, 14, 3, 27}), window_(platform_) {
        window_.show();
        for (int i = 0; i < designs; ++i) compute();
        platform_.defaultAnswer = true; // a save writes over the previous one
        if (!shownOnce) return;
        // The sheet page shown once, so that its views hold every design before the timing starts.
        act("cbt_View");
        settle();
        act("cbt_Exit");
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
    // Whether both views hold every line of their sheets.
    bool whole() {
        const CalculationSheet& sheet = window_.model().sheet();
        const auto holds = [&](const char* view, std::size_t lines) {
            const auto* memo = qobject_cast<QPlainTextEdit*>(window_.controlWidget(view));
            return static_cast<std::size_t>(memo->document()->blockCount()) ==
                   std::max<std::size_t>(lines, 1);
        };
        return holds("meo_jisuanjieguo_Doc", sheet.doc().size()) &&
               holds("meo_jisuanjieguo_Xls", sheet.xls().size());
    }
    // Lets the views take in the rest of their lines.
    void settle() {
        while (!whole()) QApplication::processEvents();
    }
    const CalculationSheet& sheet() { return window_.model().sheet(); }
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
        desk.settle();
        state.PauseTiming();
        desk.act("cbt_sanchu");
        desk.settle();
        desk.act("cbt_Exit");
        state.ResumeTiming();
    }
}

// The floor of a first showing: the Doc and Xls lines joined into one text each and set into plain text
// views in one go.
double plainShowing(const CalculationSheet& sheet) {
    QPlainTextEdit doc, xls;
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [view, lines] : {std::pair{&doc, &sheet.doc()}, std::pair{&xls, &sheet.xls()}}) {
        std::string text;
        for (const std::string& line : *lines) (text += line) += '\n';
        view->setPlainText(QString::fromStdString(text));
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void ShowTheSheetsTheFirstTime(benchmark::State& state) {
    double firstSlice = 0, whole = 0, floor = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto desk = std::make_unique<Desk>(static_cast<int>(state.range(0)), false);
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        desk->act("cbt_View");
        firstSlice = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        desk->settle();
        whole = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        floor = plainShowing(desk->sheet());
        desk.reset();
        state.ResumeTiming();
    }
    state.counters["first_slice_ms"] = firstSlice * 1e3;
    state.counters["whole_ms"] = whole * 1e3;
    state.counters["ratio_to_floor"] = whole / floor;
}

void DeleteTheLastDesign(benchmark::State& state) {
    Desk desk(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        desk.act("cbt_View");
        desk.settle();
        check(state, desk);
        state.ResumeTiming();
        desk.act("cbt_sanchu");
        desk.settle();
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
BENCHMARK(ShowTheSheetsTheFirstTime)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(9999)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(ShowTheSheetsAfterACompute)->Arg(1)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
// From 2 designs up: deleting the only design empties the sheets, a different path.
BENCHMARK(DeleteTheLastDesign)->Arg(2)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveTheShownSheet)->Arg(1)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond)->Iterations(20);

} // namespace
} // namespace qianyan
