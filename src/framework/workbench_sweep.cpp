// The workbench sweep: every candidate of every kind written into the inputs, evaluated by the compute
// handler and listed with the output texts. It runs in pieces so that a face can run the long middle
// piece on a copy of the window in another thread.
#include "framework/calculator_frame.h"
#include "framework/number_text.h"
#include "framework/text_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unistd.h>

namespace qianyan {

namespace {

// What a row is expected to hold at most: its reference, and a few bytes for each cell.
std::uint64_t rowBytesEstimate(std::size_t columns) {
    return 8 + 12 * static_cast<std::uint64_t>(columns);
}

std::uint64_t availableMemory() {
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return std::numeric_limits<std::uint64_t>::max();
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

// Moves position to the next combination, the last loop fastest; returns the first loop whose index
// changed.
std::size_t advance(std::vector<std::uint64_t>& position, const LoopCounts& counts) {
    for (std::size_t i = position.size(); i-- > 0;) {
        if (++position[i] < counts[i]) return i;
        position[i] = 0;
    }
    return 0;
}

} // namespace

void Workbench::emptyTables() {
    Grid2_Youhuajieguo.rows.clear();
    Grid3_Youhuasaixuan.rows.clear();
    Grid2_Youhuajieguo.visible = true;
    Grid3_Youhuasaixuan.visible = false;
}

std::uint64_t Workbench::beginSweep(CalculatorFrame& window) {
    WorkbenchCalculator* adapter = window.workbenchAdapter();
    if (!adapter) return 0;
    // The option rows are read before anything changes, so that the question about a large sweep can
    // be declined with every table as it was; a refused or unreadable row empties the tables as a
    // started sweep would.
    std::vector<LoopCounts> kinds;
    try {
        kinds = adapter->readOptionRows();
    } catch (...) {
        emptyTables();
        throw;
    }
    std::uint64_t total = 0;
    for (const LoopCounts& counts : kinds) {
        std::uint64_t product = 1;
        for (const std::uint64_t count : counts)
            if (count == 0 || __builtin_mul_overflow(product, count, &product))
                refuse("优化组合数超出计算范围，请缩小优化范围");
        if (__builtin_add_overflow(total, product, &total)) refuse("优化组合数超出计算范围，请缩小优化范围");
    }
    // Rows are numbered in 32 bits; beyond that, or beyond the free memory, the table cannot be held.
    const std::uint64_t rowLimit =
        std::min<std::uint64_t>(std::numeric_limits<std::uint32_t>::max(),
                                availableMemory() / rowBytesEstimate(Grid2_Youhuajieguo.rows.columnCount()));
    if (total > rowLimit)
        refuse("优化组合数 " + std::to_string(total) + " 超出可用内存（最多约 " + std::to_string(rowLimit) +
               "），请缩小优化范围");
    if (total > largeSweep && !window.platform().askYesNo("优化组合数为 " + std::to_string(total) +
                                                          "，计算需较长时间并占用较多内存，是否继续?"))
        throw SilentAbort{};

    emptyTables();
    lb_YHxingxi.text.clear();
    open_ = true;
    window.img_Logo.visible = false;
    window.lb_shuoming.visible = true;
    pb_YH_jingdu.minimum = 0;
    pb_YH_jingdu.maximum = 100;
    pb_YH_jingdu.value = 0;
    sweep_ = {std::move(kinds), total, 0};
    return total;
}

SweepOutcome Workbench::runSweep(CalculatorFrame& window, const SweepProgress& progress,
                                 const std::atomic<bool>* cancel) {
    WorkbenchCalculator* adapter = window.workbenchAdapter();
    const std::uint64_t total = sweep_.total;
    if (!adapter || total == 0) return {};
    std::string label;
    std::uint64_t& done = sweep_.done;
    std::uint64_t percent = 0;
    // The progress texts of every candidate are only ever seen at the end, so they are written there.
    try {
        // Reserved here, on the window that sweeps: a copy of the window would not inherit the room.
        Grid2_Youhuajieguo.rows.reserve(total);
        for (std::size_t kind = 0; kind < sweep_.kinds.size(); ++kind) {
            const LoopCounts& counts = sweep_.kinds[kind];
            std::uint64_t size = 1;
            for (const std::uint64_t count : counts) size *= count;
            std::vector<std::uint64_t> position(counts.size(), 0);
            std::size_t firstChanged = 0;
            for (std::uint64_t i = 0; i < size; ++i) {
                if (cancel && cancel->load(std::memory_order_relaxed)) {
                    if (done > 0) showSweepProgress(done, total);
                    return {SweepEnd::Cancelled, {}};
                }
                adapter->writeCandidate(kind, position, firstChanged);
                window.cbt_computeClick();
                label.clear();
                appendCandidateLabel(label, done + 1, total);
                adapter->appendCandidateRow(Grid2_Youhuajieguo.rows, label);
                ++done;
                if (progress && done * 100 / total != percent) {
                    percent = done * 100 / total;
                    progress(done, total);
                }
                firstChanged = advance(position, counts);
            }
        }
    } catch (const SilentAbort&) {
        if (done > 0)
            pb_YH_jingdu.value = std::trunc(static_cast<double>(done) / static_cast<double>(total) * 100);
        return {SweepEnd::Aborted, {}};
    } catch (const std::bad_alloc&) {
        if (done > 0) showSweepProgress(done, total);
        return {SweepEnd::Failed, std::string(CalculatorFrame::outOfMemoryMessage)};
    } catch (const std::exception& e) {
        if (done > 0) showSweepProgress(done, total);
        return {SweepEnd::Failed, e.what()};
    }
    showSweepProgress(done, total);
    return {};
}

void Workbench::showSweepProgress(std::uint64_t done, std::uint64_t total) {
    const double p = total == 0 ? 0 : static_cast<double>(done) / static_cast<double>(total) * 100;
    pb_YH_jingdu.value = std::trunc(p);
    lb_YHxingxi.text = "计算完成 " + general(p) + " %";
}

void Workbench::adoptState(Workbench& worked) {
    open_ = worked.open_;
    sortStates_ = worked.sortStates_;
    sweep_ = std::move(worked.sweep_);
}

void Workbench::finishSweep(CalculatorFrame& window, const SweepOutcome& outcome) {
    if (outcome.end == SweepEnd::Aborted) return;
    if (outcome.end == SweepEnd::Failed) {
        window.platform().reportError(outcome.error);
        return;
    }
    const bool cancelled = outcome.end == SweepEnd::Cancelled;
    const TextTable& rows = Grid2_Youhuajieguo.rows;
    pb_YH_jingdu.value = 0;
    lb_YHxingxi.color = argb::black;
    if (!cancelled) cbt_YHcompute.enabled = false;
    if (rows.empty()) {
        lb_YHxingxi.text = cancelled ? "计算已取消" : "调整优化项重新计算";
    } else {
        writeFilterBounds();
        lb_YHxingxi.text = (cancelled ? "计算已取消，桩数：" : "计算完成，桩数：") +
                           general(static_cast<double>(rows.rowCount())) + " 根";
        cbt_YHsaixuan.enabled = true;
        cbt_YHsave.enabled = true;
    }
    std::fill(sortStates_.begin(), sortStates_.end(), 0);
    resetSortHeaders(Grid2_Youhuajieguo);
    resetSortHeaders(Grid3_Youhuasaixuan);
}

void Workbench::writeFilterBounds() {
    const TextTable& rows = Grid2_Youhuajieguo.rows;
    TextTable& options = Grid1_Youhuaxuanxiang.rows;
    for (const BoundsWrite& b : declaration_.bounds) {
        double low = readStrict(rows.cell(0, b.column)), high = low;
        for (std::size_t r = 1; r < rows.rowCount(); ++r) {
            const double v = readStrict(rows.cell(r, b.column));
            low = std::min(low, v);
            high = std::max(high, v);
        }
        options.setCell(static_cast<std::size_t>(b.optionRow), 1, general(low));
        options.setCell(static_cast<std::size_t>(b.optionRow), 2, general(high));
    }
}

void Workbench::cbt_YHcomputeClick(CalculatorFrame& window) {
    if (beginSweep(window) == 0) return;
    finishSweep(window, runSweep(window));
}

} // namespace qianyan
