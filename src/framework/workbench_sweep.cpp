// The workbench sweep: every combination of the option rows written into the inputs, evaluated by the
// compute handler and listed with the output texts. It runs in pieces so that a face can run the long
// middle piece on a copy of the window in another thread.
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

// Moves position to the next combination, the last parameter fastest; returns the first parameter
// whose index changed.
std::size_t advance(std::vector<std::uint64_t>& position, const std::vector<std::uint64_t>& counts) {
    for (std::size_t i = position.size(); i-- > 0;) {
        if (++position[i] < counts[i]) return i;
        position[i] = 0;
    }
    return 0;
}

} // namespace

std::uint64_t CalculatorFrame::beginSweep() {
    WorkbenchCalculator* adapter = workbench();
    if (!adapter) return 0;
    Grid2_Youhuajieguo.rows.clear();
    Grid3_Youhuasaixuan.rows.clear();
    Grid2_Youhuajieguo.visible = true;
    Grid3_Youhuasaixuan.visible = false;
    lb_YHxingxi.text.clear();
    workbenchOpen_ = true;
    sweep_ = {};

    std::vector<std::uint64_t> counts = adapter->readOptionRows();
    std::uint64_t total = 1;
    for (const std::uint64_t count : counts)
        if (count == 0 || __builtin_mul_overflow(total, count, &total))
            refuseSweep("优化组合数超出计算范围，请缩小优化范围");
    // Rows are numbered in 32 bits; beyond that, or beyond the free memory, the table cannot be held.
    const std::uint64_t rowLimit =
        std::min<std::uint64_t>(std::numeric_limits<std::uint32_t>::max(),
                                availableMemory() / rowBytesEstimate(Grid2_Youhuajieguo.rows.columnCount()));
    if (total > rowLimit)
        refuseSweep("优化组合数 " + std::to_string(total) + " 超出可用内存（最多约 " +
                    std::to_string(rowLimit) + "），请缩小优化范围");
    if (total > largeSweep && !platform_->askYesNo("优化组合数为 " + std::to_string(total) +
                                                   "，计算需较长时间并占用较多内存，是否继续?"))
        throw SilentAbort{};

    img_Logo.visible = false;
    lb_shuoming.visible = true;
    pb_YH_jingdu.minimum = 0;
    pb_YH_jingdu.maximum = 100;
    pb_YH_jingdu.value = 0;
    sweep_.counts = std::move(counts);
    sweep_.total = total;
    return total;
}

SweepOutcome CalculatorFrame::runSweep(const SweepProgress& progress, const std::atomic<bool>* cancel) {
    WorkbenchCalculator* adapter = workbench();
    const std::uint64_t total = sweep_.total;
    if (!adapter || total == 0) return {};
    std::vector<std::uint64_t> position(sweep_.counts.size(), 0);
    std::size_t firstChanged = 0;
    std::string label;
    std::uint64_t& done = sweep_.done;
    std::uint64_t percent = 0;
    // Reserved here, on the window that sweeps: a copy of the window would not inherit the room.
    Grid2_Youhuajieguo.rows.reserve(total);
    // The progress texts of every candidate are only ever seen at the end, so they are written there.
    try {
        while (done < total) {
            if (cancel && cancel->load(std::memory_order_relaxed)) {
                if (done > 0) showSweepProgress(done, total);
                return {SweepEnd::Cancelled, {}};
            }
            adapter->writeCandidate(position, firstChanged);
            cbt_computeClick();
            label.clear();
            appendCandidateLabel(label, done + 1, total);
            adapter->appendCandidateRow(Grid2_Youhuajieguo.rows, label);
            ++done;
            if (progress && done * 100 / total != percent) {
                percent = done * 100 / total;
                progress(done, total);
            }
            firstChanged = advance(position, sweep_.counts);
        }
    } catch (const SilentAbort&) {
        if (done > 0)
            pb_YH_jingdu.value = std::trunc(static_cast<double>(done) / static_cast<double>(total) * 100);
        return {SweepEnd::Aborted, {}};
    } catch (const std::runtime_error& e) {
        if (done > 0) showSweepProgress(done, total);
        return {SweepEnd::Failed, e.what()};
    }
    showSweepProgress(done, total);
    return {};
}

void CalculatorFrame::showSweepProgress(std::uint64_t done, std::uint64_t total) {
    const double p = total == 0 ? 0 : static_cast<double>(done) / static_cast<double>(total) * 100;
    pb_YH_jingdu.value = std::trunc(p);
    lb_YHxingxi.text = "计算完成 " + general(p) + " %";
}

void CalculatorFrame::adoptSweep(CalculatorFrame& worked) {
    const std::vector<NamedControl> mine = controls(), theirs = worked.controls();
    for (std::size_t i = 0; i < mine.size() && i < theirs.size(); ++i) {
        if (Grid* grid = mine[i].grid())
            *grid = std::move(*theirs[i].grid());
        else
            *mine[i].control = *theirs[i].control;
    }
    workbenchOpen_ = worked.workbenchOpen_;
    sortStates_ = worked.sortStates_;
    sweep_ = std::move(worked.sweep_);
}

void CalculatorFrame::finishSweep(const SweepOutcome& outcome) {
    if (outcome.end == SweepEnd::Aborted) return;
    if (outcome.end == SweepEnd::Failed) {
        platform_->reportError(outcome.error);
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
    sortStates_ = {};
    resetSortHeaders(Grid2_Youhuajieguo);
    resetSortHeaders(Grid3_Youhuasaixuan);
}

void CalculatorFrame::writeFilterBounds() {
    const TextTable& rows = Grid2_Youhuajieguo.rows;
    TextTable& options = Grid1_Youhuaxuanxiang.rows;
    for (const auto& [column, filterRow] : {std::pair{std::size_t{2}, workbenchSetup_.raFilterRow},
                                            std::pair{std::size_t{3}, workbenchSetup_.rcFilterRow}}) {
        double low = readStrict(rows.cell(0, column)), high = low;
        for (std::size_t r = 1; r < rows.rowCount(); ++r) {
            const double v = readStrict(rows.cell(r, column));
            low = std::min(low, v);
            high = std::max(high, v);
        }
        options.setCell(static_cast<std::size_t>(filterRow), 1, general(low));
        options.setCell(static_cast<std::size_t>(filterRow), 2, general(high));
    }
}

void CalculatorFrame::cbt_YHcomputeClick() {
    if (beginSweep() == 0) return;
    finishSweep(runSweep());
}

} // namespace qianyan
