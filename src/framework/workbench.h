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
#include <stdexcept>
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

// A column a header click sorts by: its key is the strict reading of the cell, or of the text before its
// first "%"; name goes into the messages.
enum class SortKey { Number, NumberBeforePercent };
struct ColumnSort {
    std::string_view name;
    SortKey key = SortKey::Number;
};

// A cell of a table-file row: its place among the row's cells (a row is written in order of place,
// which need not be the order of the table's columns), right-aligned or centred in width columns, then
// blanks; and its piece of each of the two header lines above the rows, as wide as the cell and its
// blanks, so that the header lines are the pieces in the same order.
struct TableFileCell {
    int place = 0;
    int width = 0;
    bool centred = false;
    int blanksAfter = 0;
    std::array<std::string_view, 2> header = {};
    std::string_view text = {}; // the fixed text of a cell that is no column of the table
    // For a column whose cells in the file depend on the row: writes them from the row's cells in place
    // of the one cell (header then spans all it writes).
    void (*write)(std::string& line, std::span<const std::string_view> row) = nullptr;
};

// Appends text to a table-file line as cell places it.
void appendTableFileCell(std::string& line, std::string_view text, const TableFileCell& cell);

// How a column's cell of a candidate row is made from the window just evaluated: a text the window
// holds, or one written into scratch (the column's own buffer, reused from candidate to candidate).
using CellSource = std::string_view (*)(const CalculatorFrame& window, std::string& scratch);

template <class> struct MemberOf;
template <class Window, class Member> struct MemberOf<Member Window::*> { using Class = Window; };
// The cell source that is the text of a control of the window: controlText<&Window::edt_ra>.
template <auto control>
std::string_view controlText(const CalculatorFrame& window, std::string& /*scratch*/) {
    using Window = typename MemberOf<decltype(control)>::Class;
    return (static_cast<const Window&>(window).*control).text;
}

// The cell source that is what a const member function of the window returns:
// memberText<&Window::candidatePsiC>.
template <auto function>
std::string_view memberText(const CalculatorFrame& window, std::string& /*scratch*/) {
    using Window = typename MemberOf<decltype(function)>::Class;
    return (static_cast<const Window&>(window).*function)();
}

// One column of the results and filtered tables, declared once with all that follows from it: when each
// table shows it (always, after 展开 only, from the start until a 折叠 and again after 展开, or never),
// whether a header click sorts by it, its cell in the table file and where its cell of a candidate row
// comes from.
struct WorkbenchColumn {
    enum class Shown { Always, Expanded, ExpandedAndAtStart, Never };
    std::string_view name;   // after "Grid2_NN_" / "Grid3_NN_" (NN its number from 01), e.g. "Str_YHRa"
    std::string_view header; // right-aligned to 8 columns
    Shown shown = Shown::Expanded;
    std::optional<Shown> shownFiltered = {}; // the filtered table's rule, when it differs
    int width = 70;                          // pixels on the desktop, widened to the texts
    std::optional<ColumnSort> sort = {};
    std::optional<TableFileCell> file = {}; // none: the column is not in the table file
    CellSource source = nullptr;            // none: the cell stays empty; column 0 holds the label
};

// The first column of every workbench: the candidate's label, which the sweep writes.
inline constexpr WorkbenchColumn candidateLabelColumn{
    .name = "Str_YHzhuangbianhao",
    .header = "桩编号",
    .shown = WorkbenchColumn::Shown::Always,
    .file =
        TableFileCell{.width = 8, .centred = true, .blanksAfter = 2, .header = {"基    桩  ", "编    号  "}},
};

// The index of the column named name; a name no column has does not compile where the columns are
// constant.
constexpr std::size_t columnIndex(std::span<const WorkbenchColumn> columns, std::string_view name) {
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (columns[c].name == name) return c;
    throw std::invalid_argument("no workbench column of that name");
}

// The columns of first followed by those of more (a calculator extending a shared set of columns).
template <std::size_t N, std::size_t M>
constexpr std::array<WorkbenchColumn, N + M> joinedColumns(const std::array<WorkbenchColumn, N>& first,
                                                           const std::array<WorkbenchColumn, M>& more) {
    std::array<WorkbenchColumn, N + M> all{};
    for (std::size_t i = 0; i < N; ++i) all[i] = first[i];
    for (std::size_t i = 0; i < M; ++i) all[N + i] = more[i];
    return all;
}

// A sortable column as the sort and the chart use it: its index, the name its messages give and the
// plain header the marks are appended to.
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

// The chart of the results table: the sortable columns plotted across and up at first, and the columns
// whose texts may colour the points (the first colours them at first; -1 where unused).
struct WorkbenchChartColumns {
    std::size_t x = 1, y = 2;
    std::array<int, 2> colours = {-1, -1};
};

inline constexpr std::string_view standardTableFileNote =
    " 注: 采用《建筑桩基技术规范》(JGJ 94-2008)公式计算";

// What a calculator's workbench is, given once when the window is created. The sort columns, the
// candidate row and the table file's rows and header lines follow from the columns.
struct WorkbenchDeclaration {
    std::span<const OptionRow> options;
    std::span<const WorkbenchColumn> columns; // 0 is the candidate label
    std::span<const FilterRow> filters;
    std::span<const BoundsWrite> bounds;
    RowStyle rowStyle = {};
    // The table file: line width, the cells of a row that are no column (fixed texts) and the note line.
    int fileWidth = 120;
    std::span<const TableFileCell> fileOnlyCells = {};
    std::string_view fileNote = standardTableFileNote;
    WorkbenchChartColumns chart = {};
};

// The two header lines of a table file: a blank (as every line of the table starts with), then the pieces
// of the columns' and the fixed cells in order of place.
std::array<std::string, 2> tableFileHeader(std::span<const WorkbenchColumn> columns,
                                           std::span<const TableFileCell> fileOnlyCells);

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
    // Copies the input columns of a row back into the inputs; the workbench then returns to the main page.
    virtual void loadCandidate(const TextTable& table, std::size_t row) = 0;
    // Lines after the table file's time line.
    virtual void writeTableAppendix(const LineSink& /*sink*/, const TextTable& /*table*/) {}
};

} // namespace qianyan
