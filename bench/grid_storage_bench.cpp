// What a grid's storage costs: a small editable grid of 20 layers by 30 columns recomputed a thousand
// times (as a soil panel is for every sweep candidate) must keep its size, and a packed result table must
// stay near its bytes per row; both against the plainest storage of the same texts, which are made with
// std::to_chars alone so that the floor calls nothing of the project's.
#include "framework/text_table.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <chrono>
#include <string>
#include <vector>

namespace qianyan {
namespace {

constexpr std::size_t layers = 20, columns = 30;

// The texts of one recomputation, their lengths varying from pass to pass like computed values do.
std::string cellText(std::size_t pass, std::size_t row, std::size_t column) {
    char text[64];
    const double value = static_cast<double>((pass * 7919 + row * 31 + column) % 100000) / 7.0;
    const int decimals = static_cast<int>(2 + pass % 3);
    return {text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr};
}

// The floor: the same rewrites into a plain vector of strings; its seconds.
double plainStringsRewrite() {
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::string> cells(layers * columns);
    for (std::size_t pass = 0; pass < 1000; ++pass)
        for (std::size_t r = 0; r < layers; ++r)
            for (std::size_t c = 0; c < columns; ++c) cells[r * columns + c] = cellText(pass, r, c);
    benchmark::DoNotOptimize(cells.data());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void EditableGridRewrite(benchmark::State& state) {
    double first = 0, last = 0, seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        TextTable grid(columns, TextTable::Storage::Editable);
        const std::vector<std::string_view> empty(columns);
        for (std::size_t r = 0; r < layers; ++r) grid.appendRow(empty);
        for (std::size_t pass = 0; pass < 1000; ++pass) {
            for (std::size_t r = 0; r < layers; ++r)
                for (std::size_t c = 0; c < columns; ++c) grid.setCell(r, c, cellText(pass, r, c));
            if (pass == 0) first = static_cast<double>(grid.bytesHeld());
        }
        last = static_cast<double>(grid.bytesHeld());
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["ratio_to_floor"] = seconds / plainStringsRewrite();
    state.counters["bytes_after_first"] = first;
    state.counters["bytes_after_1000"] = last;
    state.counters["growth"] = last / first;
}

void PlainStringsRewrite(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(plainStringsRewrite());
}

// A million rows packed, beside the floor of the bytes their cells' texts take.
void PackedTableAppend(benchmark::State& state) {
    const std::size_t rows = 1'000'000;
    const std::vector<std::string_view> row = {"ZH-0000001", "1500",     "11451", "8412",   "1.0d", "30.00",
                                               "C25",        "干 作 业", "1.00",  "0.9720", "0.90", ""};
    double bytesPerRow = 0;
    for (auto _ : state) {
        TextTable table(12);
        for (std::size_t r = 0; r < rows; ++r) table.appendRow(row);
        bytesPerRow = static_cast<double>(table.bytesHeld()) / static_cast<double>(rows);
    }
    std::size_t textBytes = 0;
    for (const std::string_view cell : row) textBytes += cell.size();
    state.counters["bytes_per_row"] = bytesPerRow;
    state.counters["text_bytes_per_row"] = static_cast<double>(textBytes);
    state.counters["ratio_to_floor"] = bytesPerRow / static_cast<double>(textBytes);
}

BENCHMARK(EditableGridRewrite)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainStringsRewrite)->Unit(benchmark::kMillisecond);
BENCHMARK(PackedTableAppend)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace qianyan

BENCHMARK_MAIN();
