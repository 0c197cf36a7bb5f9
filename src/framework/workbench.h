#pragma once
// The optimisation workbench's pieces that do not depend on a window: the range rule, candidate labels,
// the layout a calculator gives its workbench and the interface through which the sweep drives it.
#include "framework/text_table.h"
#include "platform/platform.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
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
    // The value at index as the sweep reaches it: index steps of valueAfter from first, so that a sweep
    // started part-way (a share on another core) holds the very values, roundings included, of one
    // that walked there.
    double valueAt(std::uint64_t index) const;
};

// Where a sweep stands when it writes a candidate: one value index per loop, outermost first, and the
// first loop whose index changed since the previous candidate (the loops before it keep their values).
// A changed index is 0 or one more than before, except where the previous candidate written into these
// inputs was not the one before (the first of a share swept on another core): then every loop is
// found from its index.
struct CandidateStep {
    std::span<const std::uint64_t> position;
    std::size_t firstChanged = 0;
    bool resumed = false;

    // The value of loop from its range, given the value it held for the previous candidate.
    double value(const SweepRange& range, std::size_t loop, double previous) const {
        if (position[loop] == 0) return range.first;
        return resumed ? range.valueAt(position[loop]) : range.valueAfter(previous);
    }
    // Whether the inputs hold nothing yet of this kind of candidate: its first, or a share's first.
    bool startsKind() const { return resumed || (firstChanged == 0 && position[0] == 0); }
};

// Minimum a, maximum b, step s: one value when a >= b; a and b when s <= 0 or s > b - a; otherwise
// trunc((b - a)/s + 0.5) + 1 values. count is 0 when the number of values does not fit 64 bits.
SweepRange rangeRule(double a, double b, double s);
// The same steps on whole numbers (grades, processes): (r div s) + 1 values, no half-step allowance.
SweepRange integerRangeRule(long long first, long long last, long long step);

// "ZH-" and number, padded with "0" to the number of digits of total; written into out (reused).
void appendCandidateLabel(std::string& out, std::uint64_t number, std::uint64_t total);
std::string candidateLabel(std::uint64_t number, std::uint64_t total);

// One row of the option grid (优化项, 最小值, 最大值, 步进值, 说  明). Its kind says which cells a person
// may edit and what finishing an edit enables: the three range cells of a swept parameter and 计算; the
// minimum of a switch and 计算; the two bounds of a filter and 筛选; nothing in a blank row.
enum class OptionKind { Range, Grade, Process, Code, Switch, Filter, Blank };
struct OptionRow {
    OptionKind kind;
    std::array<std::string_view, 5> cells;
};

// One column of the results and filtered tables, and when each table shows it: always, after 展开 only,
// from the start until a 折叠 and again after 展开, or never.
struct WorkbenchColumn {
    enum class Shown { Always, Expanded, ExpandedAndAtStart, Never };
    std::string_view name;   // after "Grid2_" / "Grid3_", e.g. "03_Str_YHRa"
    std::string_view header; // right-aligned to 8 columns
    Shown shown = Shown::Expanded;
    std::optional<Shown> shownFiltered = {}; // the filtered table's rule, when it differs
    int width = 70;                          // pixels on the desktop, widened to the texts
};

// A column a header click sorts by: its key is the strict reading of the cell, or of the text before its
// first "%"; name goes into the messages, header is the plain header the marks are appended to.
enum class SortKey { Number, NumberBeforePercent };
struct SortColumn {
    std::size_t column;
    std::string_view name, header;
    SortKey key = SortKey::Number;
};

// A filter row of the option grid and the table columns its bounds apply to.
struct FilterRow {
    int optionRow;
    std::array<int, 2> columns; // -1 where unused
};

// After a sweep, the smallest and largest value of a column go into the bounds of an option row.
struct BoundsWrite {
    std::size_t column;
    int optionRow;
};

// Rows whose cell in column reads text are drawn in color.
struct RowStyle {
    int column = -1;
    std::string_view text;
    std::uint32_t color = 0;
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

// Appends text to a table-file line as cell places it.
void appendTableFileCell(std::string& line, std::string_view text, const TableFileCell& cell);

// The chart of the results table: the sortable columns plotted across and up at first, and the columns
// whose texts may colour the points (the first colours them at first; -1 where unused).
struct WorkbenchChartColumns {
    std::size_t x = 1, y = 2;
    std::array<int, 2> colours = {-1, -1};
};

inline constexpr std::string_view standardTableFileNote =
    " 注: 采用《建筑桩基技术规范》(JGJ 94-2008)公式计算";

// What a calculator's workbench is, given once when the window is created.
struct WorkbenchDeclaration {
    std::span<const OptionRow> options;
    std::span<const WorkbenchColumn> columns; // 0 is the candidate label
    std::span<const SortColumn> sortColumns;  // in column order
    std::span<const FilterRow> filters;
    std::span<const BoundsWrite> bounds;
    RowStyle rowStyle = {};
    // The table file: line width, the two column-header lines, the cells of a row (none: the calculator
    // writes them, WorkbenchCalculator::writeTableFileCells) and the note line.
    int fileWidth = 120;
    std::string_view fileHeader1, fileHeader2;
    std::span<const TableFileCell> fileCells = {};
    std::string_view fileNote = standardTableFileNote;
    WorkbenchChartColumns chart = {};
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

// The loop sizes of one kind of candidate, outermost loop first. A sweep walks its kinds one after the
// other, each with its own nesting of loops.
using LoopCounts = std::vector<std::uint64_t>;

// What a calculator supplies so that the workbench can sweep it.
class WorkbenchCalculator {
public:
    virtual ~WorkbenchCalculator() = default;

    // A copy of the whole window, to sweep off the user-interface thread.
    virtual std::unique_ptr<CalculatorFrame> clone() const = 0;
    // Reads and checks the option rows of Grid1: the loop sizes of each kind of candidate. A cell that is
    // not a number throws ConversionError; a refused row calls Workbench::refuse.
    virtual std::vector<LoopCounts> readOptionRows() = 0;
    // Writes the candidate of kind at step.position into the inputs; each kind starts with firstChanged 0.
    virtual void writeCandidate(std::size_t kind, const CandidateStep& step) = 0;
    // After the evaluation of the candidate: appends its row (label first) to table.
    virtual void appendCandidateRow(TextTable& table, std::string_view label) = 0;
    // Copies the input columns of a row back into the inputs; the workbench then returns to the main page.
    virtual void loadCandidate(const TextTable& table, std::size_t row) = 0;
    // The cells of a table-file row after the position label, for a calculator whose row layout depends
    // on the row (the declaration then has no file cells).
    virtual void writeTableFileCells(std::string& /*line*/, const TextTable& /*table*/, std::size_t /*row*/) {
    }
    // Lines after the table file's time line.
    virtual void writeTableAppendix(const LineSink& /*sink*/, const TextTable& /*table*/) {}
};

} // namespace qianyan
