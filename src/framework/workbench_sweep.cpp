// The workbench sweep: every candidate of every kind written into the inputs, evaluated by the compute
// handler and listed with the output texts. It runs in pieces so that a face can run the long middle
// piece on a copy of the window in another thread.
#include "framework/calculator_frame.h"
#include "framework/number_text.h"
#include "framework/sort_keys.h"
#include "framework/text_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>
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
    sweep_ = {std::move(kinds), total, 0, {}};
    return total;
}

// How far the sweep has come, shared by the shares that run at once.
struct Workbench::SharedProgress {
    std::atomic<std::uint64_t> done = 0;
    std::atomic<std::uint64_t> percent = 0;
    std::uint64_t total = 0;
    const SweepProgress* report = nullptr;

    void count() {
        const std::uint64_t now = done.fetch_add(1, std::memory_order_relaxed) + 1;
        if (!report || !*report) return;
        std::uint64_t shown = percent.load(std::memory_order_relaxed);
        const std::uint64_t p = now * 100 / total;
        if (p != shown && percent.compare_exchange_strong(shown, p, std::memory_order_relaxed))
            (*report)(now, total);
    }
};

Workbench::ShareEnd Workbench::runShare(CalculatorFrame& window, const Share& share, SharedProgress& progress,
                                        const std::atomic<bool>* cancel,
                                        const std::atomic<std::uint64_t>& stopAt) {
    WorkbenchCalculator* adapter = window.workbenchAdapter();
    std::string label;
    std::uint64_t index = 0; // the candidate's number among all, from 0
    try {
        for (std::size_t kind = 0; kind < sweep_.kinds.size(); ++kind) {
            const LoopCounts& counts = sweep_.kinds[kind];
            std::uint64_t size = 1;
            for (const std::uint64_t count : counts) size *= count;
            if (index + size <= share.from) {
                index += size;
                continue;
            }
            // The position of the share's first candidate of this kind, the last loop fastest.
            std::vector<std::uint64_t> position(counts.size(), 0);
            std::uint64_t rest = share.from > index ? share.from - index : 0;
            for (std::size_t i = counts.size(); i-- > 0;) {
                position[i] = rest % counts[i];
                rest /= counts[i];
            }
            CandidateStep step{position, 0, share.from > index};
            for (std::uint64_t i = share.from > index ? share.from - index : 0; i < size; ++i) {
                const std::uint64_t number = index + i;
                if (number >= share.to) return {SweepEnd::Completed, {}};
                if ((cancel && cancel->load(std::memory_order_relaxed)) ||
                    number >= stopAt.load(std::memory_order_relaxed))
                    return {SweepEnd::Cancelled, {}};
                adapter->writeCandidate(kind, step);
                window.cbt_computeClick();
                label.clear();
                appendCandidateLabel(label, number + 1, sweep_.total);
                appendCandidateRow(window, label);
                progress.count();
                step.firstChanged = advance(position, counts);
                step.resumed = false;
            }
            index += size;
        }
    } catch (const SilentAbort&) {
        return {SweepEnd::Aborted, {}};
    } catch (const std::bad_alloc&) {
        return {SweepEnd::Failed, std::string(CalculatorFrame::outOfMemoryMessage)};
    } catch (const std::exception& e) {
        return {SweepEnd::Failed, e.what()};
    }
    return {SweepEnd::Completed, {}};
}

SweepOutcome Workbench::runSweep(CalculatorFrame& window, const SweepProgress& progress,
                                 const std::atomic<bool>* cancel) {
    WorkbenchCalculator* adapter = window.workbenchAdapter();
    const std::uint64_t total = sweep_.total;
    if (!adapter || total == 0) return {};
    // The candidates in consecutive shares, one for each core; the last share runs on the window itself,
    // the others on copies of it, and the rows come together in candidate order, so the tables and the
    // window end as one sweep on one core leaves them.
    const std::uint64_t cores =
        sweepCores_ > 0 ? sweepCores_ : std::max(1u, std::thread::hardware_concurrency());
    const std::uint64_t count = std::clamp<std::uint64_t>(total / std::max<std::uint64_t>(fewestPerCore_, 1),
                                                          1, std::min<std::uint64_t>(cores, 64));
    std::vector<Share> shares;
    for (std::uint64_t i = 0; i < count; ++i) shares.push_back({total * i / count, total * (i + 1) / count});
    std::vector<std::unique_ptr<CalculatorFrame>> copies;
    std::vector<CalculatorFrame*> sweepers;
    CalculatorFrame::OwnControls before;
    try {
        before = window.ownControls();
        for (std::uint64_t i = 0; i + 1 < count; ++i) {
            copies.push_back(adapter->clone());
            sweepers.push_back(copies.back().get());
        }
    } catch (const std::bad_alloc&) {
        return {SweepEnd::Failed, std::string(CalculatorFrame::outOfMemoryMessage)};
    }
    sweepers.push_back(&window);

    SharedProgress shared;
    shared.total = total;
    shared.report = &progress;
    // A share that fails stops the shares after it; the ones before it must still complete.
    std::atomic<std::uint64_t> stopAt = total;
    std::vector<ShareEnd> ends(count);
    const auto run = [&](std::size_t i) {
        Workbench& bench = sweepers[i]->workbench;
        if (sweepers[i] != &window) bench.sweep_ = sweep_;
        try {
            bench.Grid2_Youhuajieguo.rows.reserve(shares[i].to - shares[i].from);
        } catch (const std::bad_alloc&) {
        }
        ends[i] = bench.runShare(*sweepers[i], shares[i], shared, cancel, stopAt);
        if (ends[i].end == SweepEnd::Aborted || ends[i].end == SweepEnd::Failed) {
            std::uint64_t stop = stopAt.load();
            while (shares[i].to < stop && !stopAt.compare_exchange_weak(stop, shares[i].to)) {
            }
        }
    };
    {
        std::vector<std::jthread> threads;
        for (std::size_t i = 0; i + 1 < count; ++i) threads.emplace_back(run, i);
        run(count - 1);
    }

    // The rows of every share up to the first that did not complete, in order; the window takes the
    // state of that share.
    std::size_t last = 0;
    while (last + 1 < count && ends[last].end == SweepEnd::Completed) ++last;
    TextTable rows(Grid2_Youhuajieguo.rows.columnCount());
    // Room for every row at once: a list that grew share by share would be copied whole each time. No
    // share adds rows any more, so the room left in each goes back to the system first.
    std::size_t merged = 0;
    for (std::size_t i = 0; i <= last; ++i) {
        TextTable& share = sweepers[i]->workbench.Grid2_Youhuajieguo.rows;
        share.releaseSpareRoom();
        merged += share.rowCount();
    }
    rows.reserve(merged);
    for (std::size_t i = 0; i <= last; ++i)
        rows.appendTable(std::move(sweepers[i]->workbench.Grid2_Youhuajieguo.rows));
    if (sweepers[last] != &window) window.adoptSweep(*sweepers[last]);
    Grid2_Youhuajieguo.rows = std::move(rows);
    sweep_.done = Grid2_Youhuajieguo.rows.rowCount();

    const SweepOutcome outcome{ends[last].end, ends[last].error};
    // The candidate that stopped the sweep leaves its reason on the status line; every input is as the
    // person left it.
    window.restoreOwnControls(std::move(before), outcome.end == SweepEnd::Aborted);
    const std::uint64_t done = sweep_.done;
    if (outcome.end == SweepEnd::Aborted) {
        if (done > 0)
            pb_YH_jingdu.value = std::trunc(static_cast<double>(done) / static_cast<double>(total) * 100);
        return outcome;
    }
    if (done > 0 || outcome.end == SweepEnd::Completed) showSweepProgress(done, total);
    if (outcome.end == SweepEnd::Completed || outcome.end == SweepEnd::Cancelled) findBounds();
    return outcome;
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

void Workbench::appendCandidateRow(const CalculatorFrame& window, std::string_view label) {
    const std::span<const WorkbenchColumn> columns = declaration_.columns;
    for (std::size_t c = 0; c < columns.size(); ++c)
        candidateCells_[c] = c == 0              ? label
                             : columns[c].source ? columns[c].source(window, cellScratch_[c])
                                                 : std::string_view();
    Grid2_Youhuajieguo.rows.appendRow(candidateCells_);
}

void Workbench::findBounds() {
    // Found where the sweep ran (off the user-interface thread on the desktop); a cell that is not a
    // number leaves the bounds to the end of the sweep, which reports it.
    sweep_.bounds.clear();
    const TextTable& rows = Grid2_Youhuajieguo.rows;
    if (rows.empty()) return;
    try {
        for (const BoundsWrite& b : declaration_.bounds) {
            double low = readCellNumber(rows.cell(0, b.column)), high = low;
            for (std::size_t r = 1; r < rows.rowCount(); ++r) {
                const double v = readCellNumber(rows.cell(r, b.column));
                low = std::min(low, v);
                high = std::max(high, v);
            }
            sweep_.bounds.push_back({low, high});
        }
    } catch (const ConversionError&) {
        sweep_.bounds.clear();
    }
}

void Workbench::writeFilterBounds() {
    if (sweep_.bounds.size() != declaration_.bounds.size()) findBounds();
    if (sweep_.bounds.size() != declaration_.bounds.size()) {
        // The same strict reading that failed, so that its report names the cell's text.
        for (const BoundsWrite& b : declaration_.bounds)
            for (std::size_t r = 0; r < Grid2_Youhuajieguo.rows.rowCount(); ++r)
                readStrict(Grid2_Youhuajieguo.rows.cell(r, b.column));
        return;
    }
    TextTable& options = Grid1_Youhuaxuanxiang.rows;
    for (std::size_t i = 0; i < declaration_.bounds.size(); ++i) {
        const auto row = static_cast<std::size_t>(declaration_.bounds[i].optionRow);
        options.setCell(row, 1, general(sweep_.bounds[i].first));
        options.setCell(row, 2, general(sweep_.bounds[i].second));
    }
}

void Workbench::cbt_YHcomputeClick(CalculatorFrame& window) {
    if (beginSweep(window) == 0) return;
    finishSweep(window, runSweep(window));
}

} // namespace qianyan
