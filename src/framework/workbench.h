#pragma once
// The optimisation workbench's pieces that do not depend on a window: the range rule, candidate labels,
// the layout a calculator gives its workbench and the interface through which the sweep drives it.
#include "framework/text_table.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qianyan {

class CalculatorFrame;

// The values of one swept parameter: first, then each next one the previous plus step, limited to last.
// The sweep walks them in order and starts again at first, so no list is ever built.
struct SweepRange {
    double first = 0, last = 0, step = 0;
    std::uint64_t count = 1;
    bool twoValues = false; // exactly first and last

    double valueAfter(double previous) const;
};

// Minimum a, maximum b, step s: one value when a >= b; a and b when s <= 0 or s > b - a; otherwise
// trunc((b - a)/s + 0.5) + 1 values. count is 0 when the number of values does not fit 64 bits.
SweepRange rangeRule(double a, double b, double s);
// The same steps on whole numbers (grades, processes): (r div s) + 1 values, no half-step allowance.
SweepRange integerRangeRule(long long first, long long last, long long step);

// "ZH-" and number, padded with "0" to the number of digits of total; written into out (reused).
void appendCandidateLabel(std::string& out, std::uint64_t number, std::uint64_t total);
std::string candidateLabel(std::uint64_t number, std::uint64_t total);

// One column of the results and filtered tables.
struct WorkbenchColumn {
    enum class Shown { Always, Expanded, Never };
    std::string_view name; // after "Grid2_" / "Grid3_", e.g. "03_Str_YHRa"
    std::string_view header;
    Shown shown = Shown::Expanded;
};

// One cell of a table-file row after the position label: a table column (or the fixed text when
// column < 0), right-aligned or centred in width columns, then blanks.
struct TableFileCell {
    int column;
    int width;
    bool centred;
    int blanksAfter;
    std::string_view text = {};
};

// What a calculator's workbench looks like; given once when the window is created.
struct WorkbenchLayout {
    // Grid1's rows (优化项, 最小值, 最大值, 步进值, 说  明): the option rows first, then anything else.
    std::span<const std::array<std::string_view, 5>> optionGrid;
    int optionRows;
    int raFilterRow, rcFilterRow;
    std::span<const WorkbenchColumn> columns; // 0 label, 1 d, 2 Ra, 3 Rc, then the rest
    // The table file: line width, the two column-header lines and the cells of a row.
    int fileWidth;
    std::string_view fileHeader1, fileHeader2;
    std::span<const TableFileCell> fileCells;
};

// How a sweep ended: all candidates done, stopped by the person, stopped by the error convention
// (already reported on the window), or stopped by a failure whose message the platform must report.
enum class SweepEnd { Completed, Cancelled, Aborted, Failed };
struct SweepOutcome {
    SweepEnd end = SweepEnd::Completed;
    std::string error;
};
// Called now and then during a sweep with the candidates done so far.
using SweepProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// What a calculator supplies so that the workbench can sweep it.
class WorkbenchCalculator {
public:
    virtual ~WorkbenchCalculator() = default;

    // A copy of the whole window, to sweep off the user-interface thread.
    virtual std::unique_ptr<CalculatorFrame> clone() const = 0;
    // Reads and checks the option rows of Grid1: the number of values of each swept parameter, the
    // outermost loop first. A cell that is not a number throws ConversionError; a refused row calls
    // CalculatorFrame::refuseSweep.
    virtual std::vector<std::uint64_t> readOptionRows() = 0;
    // Writes the candidate at position (one value index per parameter) into the inputs. Parameters
    // before firstChanged keep the values of the previous call; a changed index is either 0 or one
    // more than before.
    virtual void writeCandidate(std::span<const std::uint64_t> position, std::size_t firstChanged) = 0;
    // After the evaluation of the candidate: appends its row (label first) to table.
    virtual void appendCandidateRow(TextTable& table, std::string_view label) = 0;
    // Copies the input columns of a row back into the inputs; the workbench then returns to the main page.
    virtual void loadCandidate(const TextTable& table, std::size_t row) = 0;
};

} // namespace qianyan
